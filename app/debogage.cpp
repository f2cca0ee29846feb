// The program of the window, its debug information and what the views and
// fields make of it; the source view and the assembler's messages.
#include "app/debogage.h"

#include <FL/Fl.H>
#include <FL/Fl_Box.H>
#include <FL/Fl_Browser.H>
#include <FL/Fl_Button.H>
#include <FL/Fl_Double_Window.H>
#include <FL/Fl_Input.H>
#include <FL/Fl_Slider.H>

#include <cctype>
#include <cstdio>
#include <cstring>

#include "app/forms_tamrix.h"
#include "app/saisies.h"
#include "app/simulateur.h"
#include "memory/programme.h"
#include "puce/carte.h"
#include "puce/lancement.h"
#include "text/lecture.h"
#include "ui/fenetres_source.h"
#include "ui/sim_class.h"

namespace {

constexpr std::size_t aucun_fichier = static_cast<std::size_t>(-1);
// The PC's line: the colour of the disassembly's.
constexpr const char* fond_ligne_pc = "@B174";
constexpr const char* encre_point_arret = "@C1";     // FL_RED
constexpr const char* encre_source_citee = "@C136";  // FL_DARK_BLUE
constexpr int largeur_tabulation = 8;
// A source file shown: at most 16 MiB, lines cut past 4096 characters.
constexpr std::size_t taille_source_max = std::size_t(16) << 20;
constexpr std::size_t longueur_ligne_max = 4096;
// Characters a disassembly line holds (260 pixels) in Courier 14 and 12.
constexpr std::size_t caracteres_taille_normale = 30;
constexpr std::size_t caracteres_petite_taille = 36;

std::string hexa(unsigned valeur) {
  char texte[8];
  std::snprintf(texte, sizeof texte, "%x", valeur);
  return texte;
}

std::string sans_tabulations(const std::string& ligne) {
  std::string t;
  for (char c : ligne) {
    if (c == '\t')
      t.append(largeur_tabulation - t.size() % largeur_tabulation, ' ');
    else if (c != '\r')
      t += c;
  }
  return t;
}

// A source file, read with bounds (text/lecture.h): a path from a
// program's line table may name anything.
std::vector<std::string> lignes_du_fichier(const std::string& chemin,
                                           bool& lu) {
  std::vector<std::string> lignes;
  std::string texte, erreur, l;
  lu = lit_fichier_borne(chemin, {taille_source_max}, texte, erreur);
  lignes_bornees lecteur(texte, longueur_ligne_max);
  while (lecteur.suivante(l)) lignes.push_back(sans_tabulations(l));
  return lignes;
}

std::string nom_de_base(const std::string& chemin) {
  const std::size_t barre = chemin.find_last_of('/');
  return barre == std::string::npos ? chemin : chemin.substr(barre + 1);
}

bool debut_de_nom(char c) {
  return std::isalpha(static_cast<unsigned char>(c)) || c == '_' || c == '.';
}

bool suite_de_nom(char c) {
  return debut_de_nom(c) || std::isdigit(static_cast<unsigned char>(c)) ||
         c == '$';
}

// True when a term of the text is a name of the program, as the register
// fields' reading (hexa_nu) takes it: a word that starts like a name and
// is either no hexadecimal number or exactly a symbol's name.
bool nomme_un_symbole(const std::string& texte, const infos_debogage& infos) {
  for (std::size_t i = 0; i < texte.size();) {
    if (!suite_de_nom(texte[i])) {
      ++i;
      continue;
    }
    std::size_t fin = i;
    while (fin < texte.size() && suite_de_nom(texte[fin])) ++fin;
    const std::string mot = texte.substr(i, fin - i);
    i = fin;
    if (!debut_de_nom(mot[0])) continue;
    for (char c : mot)
      if (!std::isxdigit(static_cast<unsigned char>(c))) return true;
    const symbole* s = infos.cherche(mot);
    if (s != nullptr && s->nom == mot) return true;
  }
  return false;
}

// The line number in an assembler's line "prog.s:12: Error: ...", 0 when
// it names none.
unsigned ligne_citee(const std::string& message) {
  for (std::size_t i = message.find(':'); i != std::string::npos;
       i = message.find(':', i + 1)) {
    std::size_t j = i + 1;
    unsigned n = 0;
    while (j < message.size() &&
           std::isdigit(static_cast<unsigned char>(message[j])) && n < 1000000)
      n = n * 10 + static_cast<unsigned>(message[j++] - '0');
    if (j > i + 1 && j < message.size() && message[j] == ':') return n;
  }
  return 0;
}

}  // namespace

bool cible_instruction(const mem_64k& mem, unsigned short adresse,
                       unsigned short suivante, unsigned short& cible,
                       bool& relative) {
  using I = interpreteur;
  unsigned char code = mem.consulte(adresse);
  auto operande = static_cast<unsigned short>(adresse + 1);
  const unsigned char* modes = I::t_adr;
  const char(*mnemoniques)[6] = I::tab_mnemo;
  if (code == 0x18) modes = I::t_prb_18, mnemoniques = I::tab_mnemo_18;
  if (code == 0x1A) modes = I::t_prb_1A, mnemoniques = I::tab_mnemo_1A;
  if (code == 0xCD) modes = I::t_prb_CD, mnemoniques = I::tab_mnemo_CD;
  if (modes != I::t_adr) code = mem.consulte(operande++);
  const char* mnemonique = mnemoniques[code];
  const unsigned char mode = modes[code];
  if (mode == I::REL || std::strncmp(mnemonique, "BRSET", 5) == 0 ||
      std::strncmp(mnemonique, "BRCLR", 5) == 0) {
    // The offset is the last byte, counted from the next instruction.
    const auto decalage = static_cast<signed char>(
        mem.consulte(static_cast<unsigned short>(suivante - 1)));
    cible = static_cast<unsigned short>(suivante + decalage);
    relative = true;
    return true;
  }
  if (std::strncmp(mnemonique, "JMP", 3) != 0 &&
      std::strncmp(mnemonique, "JSR", 3) != 0)
    return false;
  relative = false;
  if (mode == I::EXT)
    cible = static_cast<unsigned short>(
        mem.consulte(operande) << 8 |
        mem.consulte(static_cast<unsigned short>(operande + 1)));
  else if (mode == I::DIR)
    cible = mem.consulte(operande);
  else
    return false;
  return true;
}

debogage::debogage(simulateur& s)
    : saisie_debut_dump(nullptr),
      saisie_debut_desa(nullptr),
      source(nullptr),
      assemblage(nullptr),
      progres(nullptr),
      sim(s) {}

debogage::~debogage() = default;

void debogage::installe() {
  Fl_Double_Window* fenetre = sim.forme_sim->fenetre;
  Fl_Group* avant = Fl_Group::current();
  fenetre->begin();
  // Right of each view's title.
  const struct {
    Fl_Input*& saisie;
    int x;
    const char* bulle;
  } champs[] = {
      {saisie_debut_dump, 548,
       "Début du dump : adresse hexadécimale (b600) ou étiquette du "
       "programme (table, table+8), puis Entrée"},
      {saisie_debut_desa, 243,
       "Désassembler à partir de : adresse hexadécimale (b640) ou "
       "étiquette du programme (boucle, fin-4), puis Entrée"},
  };
  for (const auto& c : champs) {
    c.saisie = new Fl_Input(c.x, 401, 62, 18);
    c.saisie->textfont(FL_COURIER);
    c.saisie->textsize(12);
    c.saisie->when(FL_WHEN_ENTER_KEY_ALWAYS);
    c.saisie->tooltip(c.bulle);
  }
  fenetre->end();
  Fl_Group::current(avant);
  source = new fenetre_source_class;
  assemblage = new fenetre_assemblage_class;
  progres = new fenetre_progres_class;
  progres->bouton_annuler->callback(annule, this);
  progres->fenetre->callback(annule, this);  // closed: cancelled too
}

void debogage::annule(Fl_Widget*, void* moi) {
  static_cast<debogage*>(moi)->annule_ = true;
}

// While a tool runs: the window shows it after a moment (a quick assembly
// shows nothing), its events go on, "Annuler" is seen here.
bool debogage::suit_outils(const std::string& fichier, const std::string& outil,
                           double secondes) {
  if (secondes >= 0.2) {
    char duree[32];
    std::snprintf(duree, sizeof duree, "%.1f", secondes);
    if (char* point = std::strchr(duree, '.')) *point = ',';
    const std::string texte =
        fichier + " : " + outil + " en cours depuis " + duree + " s";
    progres->ligne->copy_label(texte.c_str());
    if (!progres->fenetre->shown()) progres->fenetre->show();
  }
  Fl::wait(0.02);
  return !annule_;
}

// ------------------------------------------------------------ the program

bool debogage::ouvre(const std::string& chemin) {
  annule_ = false;
  const std::string fichier = nom_de_base(chemin);
  // Onto erased memory, as tamrix-run starts: nothing of the previous
  // program is left (app/simulateur.h, charge_programme).
  programme_ouvert p = charge_sur_memoire_effacee(
      sim.simulation, chemin, [&](const std::string& outil, double secondes) {
        return suit_outils(fichier, outil, secondes);
      });
  progres->fenetre->hide();
  if (!p.reussi) {
    montre_echec(p, chemin);
    return false;
  }
  const bool meme_fichier = chemin == chemin_;
  chemin_ = chemin;
  // Memory was erased before the load: what is not $ff is the program's.
  dans_eeprom_ = false;
  for (unsigned a = carte::debut_eeprom;
       a < carte::debut_eeprom + carte::taille_eeprom; ++a)
    dans_eeprom_ = dans_eeprom_ || sim.memoire.octet_brut(
                                       static_cast<unsigned short>(a)) != 0xFF;
  entree_ = p.entree;
  infos_ = std::move(p.infos);
  fichier_vu_ = aucun_fichier;
  textes_.clear();
  adresses_.clear();
  etats_.clear();
  ligne_pc_ = 0;
  assemblage->fenetre->hide();
  // The built-in assembler's warnings: shown, the program loaded.
  if (p.sorte == sorte_programme::motorola && !p.messages.empty())
    montre_messages(p.messages, chemin,
                    " : programme chargé, avec des avertissements");
  // A new program with source lines shows them; reloading the same file
  // leaves the view as the user left it.
  if (source->fenetre->shown() || (!infos_.lignes().empty() && !meme_fichier))
    montre_source();
  return true;
}

void debogage::montre_echec(const programme_ouvert& p,
                            const std::string& chemin) {
  // The loader's line names the file and says why (and where); a source
  // file (GNU or Motorola syntax) that could be read shows the assembler's
  // lines instead.
  const bool source = p.sorte == sorte_programme::source ||
                      p.sorte == sorte_programme::motorola;
  if (!source || !p.lu) {
    simulateur::alerte(
        "Erreur en lisant le fichier!",
        p.messages.empty() ? chemin.c_str() : p.messages.back().c_str(),
        "Rien n'est chargé : la mémoire n'a pas changé.", 0);
    return;
  }
  if (p.sorte == sorte_programme::motorola) {
    montre_messages(p.messages, chemin,
                    " : assemblage impossible, rien n'est chargé");
    return;
  }
  // A source file: the assembler's lines, each error followed by the line
  // of the source it names.
  bool lu = false;
  const std::vector<std::string> source_lue = lignes_du_fichier(chemin, lu);
  Fl_Browser* liste = assemblage->lignes;
  liste->clear();
  for (const std::string& m : p.messages) {
    liste->add(("@." + m).c_str());
    const unsigned n = ligne_citee(m);
    if (n >= 1 && n <= source_lue.size()) {
      char numero[16];
      std::snprintf(numero, sizeof numero, "%6u | ", n);
      liste->add(
          (std::string(encre_source_citee) + "@." + numero + source_lue[n - 1])
              .c_str());
    }
  }
  const std::string titre =
      nom_de_base(chemin) + " : assemblage impossible, rien n'est chargé";
  assemblage->titre->copy_label(titre.c_str());
  assemblage->fenetre->copy_label(
      ("Assemblage de " + nom_de_base(chemin)).c_str());
  assemblage->fenetre->show();
}

// The built-in assembler's lines as they come: each message, then the
// source line it cites ("    12 | ...", in the citations' colour).
void debogage::montre_messages(const std::vector<std::string>& messages,
                               const std::string& chemin,
                               const char* conclusion) {
  Fl_Browser* liste = assemblage->lignes;
  liste->clear();
  for (const std::string& m : messages) {
    const bool citation = m.size() > 8 && m.compare(6, 3, " | ") == 0;
    liste->add(
        ((citation ? encre_source_citee : "") + std::string("@.") + m).c_str());
  }
  assemblage->titre->copy_label((nom_de_base(chemin) + conclusion).c_str());
  assemblage->fenetre->copy_label(
      ("Assemblage de " + nom_de_base(chemin)).c_str());
  assemblage->fenetre->show();
}

bool debogage::recharge() {
  if (chemin_.empty()) {
    sim.affiche_etat("Recharger : aucun programme ouvert.");
    return false;
  }
  std::vector<unsigned short> points;
  for (unsigned a = 0; a < 0x10000; ++a)
    if (sim.controle_execution.point_arret(static_cast<unsigned short>(a)))
      points.push_back(static_cast<unsigned short>(a));
  const std::string chemin = chemin_;
  if (!sim.charge_programme(chemin.c_str())) return false;
  const std::vector<unsigned char> debuts = debuts_instructions();
  for (unsigned short a : points)
    if (!debuts[a]) sim.controle_execution.bascule_point_arret(a);
  sim.rafraichit_desassemble();
  return true;
}

// With a line table: every instruction decoded from the start of each row
// up to the next row. Without (S19): the instructions decoded from the
// start address on, as the disassembly view walks them.
std::vector<unsigned char> debogage::debuts_instructions() const {
  std::vector<unsigned char> debuts(0x10000, 0);
  interpreteur& cpu = sim.processeur;
  auto parcourt = [&](unsigned debut, unsigned fin) {
    for (unsigned a = debut; a < fin && a <= 0xFFFF;) {
      debuts[a] = 1;
      const unsigned suivante = cpu.desa_num(static_cast<unsigned short>(a));
      if (suivante <= a) break;
      a = suivante;
    }
  };
  const std::vector<ligne_source>& lignes = infos_.lignes();
  for (std::size_t i = 0; i < lignes.size(); ++i)
    if (!lignes[i].fin_de_sequence)
      parcourt(lignes[i].adresse,
               i + 1 < lignes.size() ? lignes[i + 1].adresse : 0x10000);
  if (lignes.empty()) parcourt(cpu.PC_value(), 0x10000);
  return debuts;
}

void debogage::oublie() {
  chemin_.clear();
  if (sim.forme_sim) sim.forme_sim->fenetre->label("tamrix");
  dans_eeprom_ = false;
  entree_.reset();
  infos_ = infos_debogage();
  fichier_vu_ = aucun_fichier;
  textes_.clear();
  adresses_.clear();
  etats_.clear();
  ligne_pc_ = 0;
  if (source == nullptr) return;
  source->lignes->clear();
  source->fenetre->hide();
  assemblage->fenetre->hide();
}

void debogage::reset() { reset_programme(sim.simulation, entree_); }

// ---------------------------------------------------------- views, fields

std::string debogage::texte_desassemble(unsigned short adresse,
                                        unsigned short suivante, bool pc,
                                        const char* instruction) const {
  std::string texte = pc ? "-> " : "   ";
  texte += hexa(adresse);
  texte += ' ';
  if (!infos_.vide()) {
    const std::string etiquette = infos_.nom_a(adresse, true);
    if (!etiquette.empty()) texte += etiquette + ": ";
  }
  texte += instruction;
  unsigned short cible = 0;
  bool relative = false;
  if (cible_instruction(sim.memoire, adresse, suivante, cible, relative)) {
    // A branch goes to a label; a jump may go to a constant (a routine
    // named by an equate).
    const std::string nom =
        infos_.vide() ? std::string() : infos_.nom_a(cible, relative);
    if (!nom.empty())
      texte += "  -> " + nom;
    else if (relative)
      texte += "  -> " + hexa(cible);
  }
  return texte;
}

// Clipping costs a few X requests per line: only the lines that need it.
void debogage::presente_ligne_desa(Fl_Widget* ligne,
                                   const std::string& texte) const {
  const bool longue = texte.size() > caracteres_taille_normale;
  if (ligne->labelsize() != (longue ? 12 : FL_NORMAL_SIZE))
    ligne->labelsize(longue ? 12 : FL_NORMAL_SIZE);
  const Fl_Align sans = ligne->align() & ~FL_ALIGN_CLIP;
  ligne->align(texte.size() > caracteres_petite_taille ? sans | FL_ALIGN_CLIP
                                                       : sans);
}

bool debogage::lit_adresse_saisie(const char* texte, int32_t* nombre,
                                  std::string& erreur) const {
  erreur.clear();
  if (lit_nombre_saisi(texte, nombre)) return true;
  unsigned short adresse = 0;
  if (infos_.vide() ||
      !infos_.lit_adresse(texte ? texte : "", adresse, &erreur))
    return false;
  *nombre = adresse;
  return true;
}

bool debogage::lit_registre(const char* texte, uint32_t maximum,
                            uint32_t* nombre, std::string& erreur) const {
  erreur.clear();
  const std::string t = texte ? texte : "";
  if (infos_.vide() || !nomme_un_symbole(t, infos_))
    return lit_registre_hex(texte, maximum, nombre, erreur);
  unsigned short valeur = 0;
  if (!infos_.lit_adresse(t, valeur, &erreur, true)) return false;
  if (valeur > maximum) {
    char texte_valeur[16];
    std::snprintf(texte_valeur, sizeof texte_valeur, "%x", valeur);
    erreur = t + " vaut " + texte_valeur + ", ne tient pas sur 8 bits";
    return false;
  }
  *nombre = valeur;
  return true;
}

// ------------------------------------------------------------ source view

void debogage::montre_source() {
  if (fichier_vu_ == aucun_fichier) {
    source->lignes->clear();
    const std::vector<ligne_source>& lignes = infos_.lignes();
    const ligne_source* pc = infos_.ligne_a(sim.processeur.PC_value());
    if (pc != nullptr) {
      charge_fichier_source(pc->fichier);
    } else {
      for (const ligne_source& l : lignes)
        if (!l.fin_de_sequence) {
          charge_fichier_source(l.fichier);
          break;
        }
    }
    if (fichier_vu_ == aucun_fichier) {
      source->chemin->label(
          "Pas de lignes de source : ouvrez un fichier .s, ou un .elf "
          "assemblé avec -g");
      source->fenetre->label("Source");
    }
  }
  source->fenetre->show();
  rafraichit_source();
}

void debogage::charge_fichier_source(std::size_t fichier) {
  fichier_vu_ = fichier;
  const std::string& chemin = infos_.fichiers()[fichier];
  bool lu = false;
  textes_ = lignes_du_fichier(chemin, lu);
  adresses_.assign(textes_.size(), -1);
  for (const ligne_source& l : infos_.lignes()) {
    if (l.fin_de_sequence || l.fichier != fichier || l.ligne == 0 ||
        l.ligne > textes_.size() || l.adresse > 0xFFFF)
      continue;
    int& a = adresses_[l.ligne - 1];
    if (a < 0 || static_cast<int>(l.adresse) < a)
      a = static_cast<int>(l.adresse);
  }
  ligne_pc_ = 0;
  etats_.assign(textes_.size(), 0);
  Fl_Browser* liste = source->lignes;
  liste->clear();
  for (std::size_t i = 0; i < textes_.size(); ++i) {
    etats_[i] = etat_ligne(i);
    liste->add(texte_rangee(i, etats_[i]).c_str());
  }
  source->chemin->copy_label(
      (lu ? chemin : chemin + " : fichier illisible").c_str());
  source->fenetre->copy_label(("Source : " + nom_de_base(chemin)).c_str());
}

unsigned char debogage::etat_ligne(std::size_t i) const {
  unsigned char etat = static_cast<int>(i) + 1 == ligne_pc_ ? 1 : 0;
  if (adresses_[i] >= 0 && sim.controle_execution.point_arret(
                               static_cast<unsigned short>(adresses_[i])))
    etat |= 2;
  return etat;
}

// "@f...@." sets the fixed font, the colours, and ends the format codes
// (a source line may hold '@'). Then: "->" on the PC's line, a dot for a
// breakpoint, the line number, the text.
std::string debogage::texte_rangee(std::size_t i, unsigned char etat) const {
  std::string t = "@f";
  if (etat & 2) t += encre_point_arret;
  if (etat & 1) t += fond_ligne_pc;
  t += "@.";
  t += etat & 1 ? "->" : "  ";
  t += etat & 2 ? "\xE2\x97\x8F" : " ";  // U+25CF, a black circle
  char numero[16];
  std::snprintf(numero, sizeof numero, "%5zu  ", i + 1);
  return t + numero + textes_[i];
}

void debogage::rafraichit_source() {
  if (source == nullptr || !source->fenetre->shown() ||
      fichier_vu_ == aucun_fichier)
    return;
  const ligne_source* l = infos_.ligne_a(sim.processeur.PC_value());
  if (l != nullptr && l->fichier != fichier_vu_)
    charge_fichier_source(l->fichier);
  const int avant = ligne_pc_;
  ligne_pc_ =
      l != nullptr && l->fichier == fichier_vu_ && l->ligne <= textes_.size()
          ? static_cast<int>(l->ligne)
          : 0;
  Fl_Browser* liste = source->lignes;
  for (std::size_t i = 0; i < textes_.size(); ++i) {
    const unsigned char etat = etat_ligne(i);
    if (etat == etats_[i]) continue;
    etats_[i] = etat;
    liste->text(static_cast<int>(i) + 1, texte_rangee(i, etat).c_str());
  }
  if (ligne_pc_ != avant && ligne_pc_ > 0 && !liste->displayed(ligne_pc_))
    liste->middleline(ligne_pc_);
}

void debogage::clique_source() {
  Fl_Browser* liste = source->lignes;
  const int n = liste->value();
  liste->deselect();
  if (n <= 0 || static_cast<std::size_t>(n) > textes_.size()) return;
  const int a = adresses_[n - 1];
  char message[96];
  if (a < 0) {
    std::snprintf(message, sizeof message,
                  "Ligne %d : pas de code, pas de point d'arrêt", n);
  } else if (Fl::event_button() == FL_RIGHT_MOUSE) {
    // The context menu: run to here, a breakpoint, a condition.
    sim.menu_adresse(static_cast<unsigned short>(a));
    return;
  } else {
    const auto adresse = static_cast<unsigned short>(a);
    sim.controle_execution.bascule_point_arret(adresse);
    sim.sauve_points_programme();
    std::snprintf(
        message, sizeof message, "Ligne %d ($%04x) : point d'arrêt %s", n, a,
        sim.controle_execution.point_arret(adresse) ? "posé" : "retiré");
    sim.rafraichit_desassemble();
  }
  source->etat->copy_label(message);
  source->etat->redraw();
}

void debogage::choisit_debut(Fl_Input* saisie) {
  const char* texte = saisie->value();
  unsigned short adresse = 0;
  std::string erreur;
  if (!infos_.lit_adresse(texte, adresse, &erreur, true)) {
    simulateur::alerte("Adresse invalide", texte, erreur.c_str(), 0);
    return;
  }
  if (saisie == saisie_debut_desa) {
    sim.montre_desassemblage(adresse);
    return;
  }
  fl_set_slider_value(sim.forme_sim->ascenseur_dump, adresse);
  sim.rafraichit_dump(0);
}

int debogage::reagit(Fl_Widget* objet) {
  if (source == nullptr) return 0;
  if (objet == source->lignes) {
    clique_source();
  } else if (objet == source->fenetre) {
    source->fenetre->hide();
  } else if (objet == assemblage->fenetre ||
             objet == assemblage->bouton_fermer) {
    assemblage->fenetre->hide();
  } else if (objet == saisie_debut_dump || objet == saisie_debut_desa) {
    choisit_debut(static_cast<Fl_Input*>(objet));
  } else {
    return 0;
  }
  return 1;
}
