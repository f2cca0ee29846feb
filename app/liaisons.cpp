// The serial line and the analog inputs in the window: the "Terminal SCI"
// window (the terminal at the other end of the SCI's line, serie/: its
// screen, settings, file sending, scripts replayed, a pseudo-terminal; the
// SPI's bytes and the peripheral's answer) and the analog inputs of port E
// ("Ports...", convert_class). The machine keeps the inputs and the
// outputs (puce/machine.h); this file moves them between it, the terminal
// and the widgets.
#include <FL/Fl.H>
#include <FL/Fl_Box.H>
#include <FL/Fl_Button.H>
#include <FL/Fl_Check_Button.H>
#include <FL/Fl_Choice.H>
#include <FL/Fl_Double_Window.H>
#include <FL/Fl_Input.H>
#include <FL/Fl_Menu_Bar.H>
#include <FL/Fl_Progress.H>
#include <FL/Fl_Tabs.H>
#include <FL/Fl_Text_Buffer.H>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>

#include "app/forms_tamrix.h"
#include "app/simulateur.h"
#include "text/lecture.h"
#include "text/tensions.h"
#include "ui/auxiliaires.h"
#include "ui/terminal_sci.h"

namespace {

// Past this many characters the SPI tab forgets its oldest lines.
constexpr int taille_max_texte = 100000;
// A file sent is at most this long.
constexpr std::size_t taille_max_envoi = std::size_t(1) << 20;
// A linked pseudo-terminal is read this often (seconds).
constexpr double periode_pty = 0.010;

const char* const noms_entrees[can::nb_entrees] = {
    "AN0", "AN1", "AN2", "AN3", "AN4", "AN5", "AN6", "AN7", "VRH", "VRL"};

// Volts as the window writes them: a decimal comma ("2,5").
std::string tension_affichee(int64_t microvolts) {
  std::string texte = texte_tension(microvolts);
  for (char& c : texte)
    if (c == '.') c = ',';
  return texte;
}

Fl_Input* champ(convert_class& c, int entree) {
  if (entree < 8) return c.saisies_AN[entree];
  return entree == can::entree_vrh ? c.saisie_VRH : c.saisie_VRL;
}

// The screen model into the text buffer: the lines changed since the
// last copy, the cursor, the bell.
void copie_ecran(terminal_sci_class& t, ecran_serie& e, unsigned& sonneries) {
  const ecran_serie::changements c = e.prend_changements();
  Fl_Text_Buffer* b = t.texte_sci;
  if (c.retirees) b->remove(0, b->skip_lines(0, static_cast<int>(c.retirees)));
  if (c.premiere_changee < e.lignes().size()) {
    std::string texte;
    for (std::size_t i = c.premiere_changee; i < e.lignes().size(); ++i) {
      if (i > c.premiere_changee) texte += '\n';
      texte += e.ligne_utf8(i);
    }
    b->replace(b->skip_lines(0, static_cast<int>(c.premiere_changee)),
               b->length(), texte.c_str());
  }
  // The cursor: its line, then as many characters as its column (or the
  // line's end).
  const int debut = b->skip_lines(0, static_cast<int>(e.ligne_curseur()));
  const int fin = b->line_end(debut);
  int position = debut;
  for (int n = 0; n < e.colonne_curseur() && position < fin; ++n)
    position = b->next_char(position);
  t.ecran->insert_position(position);
  t.ecran->show_insert_position();
  t.ecran->garde_colonne_gauche();
  if (e.sonneries() != sonneries) {
    sonneries = e.sonneries();
    t.clignote();
  }
}

// Adds text at the end of the SPI's display, which follows it; the oldest
// lines go past taille_max_texte.
void ajoute(Fl_Text_Display* ecran, Fl_Text_Buffer* tampon,
            const std::string& texte) {
  tampon->append(texte.c_str());
  if (tampon->length() > taille_max_texte) {
    const int coupe = tampon->line_end(tampon->length() - taille_max_texte / 2);
    tampon->remove(0, coupe + 1);
  }
  ecran->insert_position(tampon->length());
  ecran->show_insert_position();
}

// The SPI's bytes in hexadecimal, sixteen a line.
void ajoute_spi(terminal_sci_class& t,
                const std::vector<unsigned char>& octets) {
  std::string texte;
  int colonne =
      t.texte_spi->length() - t.texte_spi->line_start(t.texte_spi->length());
  for (unsigned char o : octets) {
    char hex[4];
    std::snprintf(hex, sizeof hex, "%02x", o);
    if (colonne >= 16 * 3 - 1) {
      texte += '\n';
      colonne = 0;
    } else if (colonne > 0) {
      texte += ' ';
      ++colonne;
    }
    texte += hex;
    colonne += 2;
  }
  ajoute(t.ecran_spi, t.texte_spi, texte);
}

// The line under the terminal: the SCI's settings, its queue, its losses;
// the terminal's settings; the pseudo-terminal; the script.
void affiche_etat_terminal(simulateur& sim) {
  terminal_sci_class& t = *sim.forme_terminal;
  simulateur::etat_liaisons& l = sim.liaisons;
  std::string texte;
  char ligne[256];
  if (const puce* p = sim.simulation.systeme()) {
    const etat_sci& s = p->etat.sci;
    const unsigned bauds =
        (frequence_e + sci::duree_bit(s.baud) / 2) / sci::duree_bit(s.baud);
    std::snprintf(
        ligne, sizeof ligne,
        "%u bauds (BAUD = $%02x), %d bits de données. Émetteur %s, "
        "récepteur %s.\nEn attente d'envoi au SCI : %u. Perdus (OR, RE = 0) "
        ": %u.%s",
        bauds, s.baud, s.sccr1 & sci::M ? 9 : 8,
        s.sccr2 & sci::TE ? "en marche" : "arrêté (TE = 0)",
        s.sccr2 & sci::RE ? "en marche" : "arrêté (RE = 0)",
        sim.simulation.file_sci(), sim.simulation.perdus_sci(),
        l.refuses ? " Touches ignorées (file pleine)." : "");
    texte = ligne;
    if (s.scsr & (sci::FE | sci::NF))
      texte += s.scsr & sci::FE ? " Erreur de trame (FE)." : " Bruit (NF).";
  } else {
    std::snprintf(ligne, sizeof ligne,
                  "Modèle plat : pas de SCI. Choisissez le modèle E9 dans "
                  "Options, Interruptions...%s",
                  l.refuses ? " Touches ignorées." : "");
    texte = ligne;
  }
  if (l.pty.interroge() != pont_pty::etat::ferme)
    texte += "\nPseudo-terminal : " + l.pty.chemin() +
             (l.pty.interroge() == pont_pty::etat::relie
                  ? " (ouvert de l'autre côté)"
                  : " (à ouvrir avec picocom, minicom ou pyserial)");
  if (!l.message_script.empty()) texte += "\n" + l.message_script;
  t.etat->copy_label(texte.c_str());
  t.etat->redraw();
}

// The progress of a file being sent: what is left of it in the queue.
void affiche_progression(simulateur& sim) {
  terminal_sci_class& t = *sim.forme_terminal;
  simulateur::etat_liaisons& l = sim.liaisons;
  const std::size_t reste = sim.simulation.file_sci();
  if (l.envoi_total == 0 || reste == 0) {
    l.envoi_total = 0;
    if (t.progression->visible()) t.progression->hide();
    return;
  }
  const std::size_t envoyes = l.envoi_total > reste ? l.envoi_total - reste : 0;
  t.progression->value(static_cast<float>(envoyes) /
                       static_cast<float>(l.envoi_total));
  char texte[96];
  std::snprintf(texte, sizeof texte, "Envoi : %zu / %zu octets", envoyes,
                l.envoi_total);
  t.progression->copy_label(texte);
  if (!t.progression->visible()) t.progression->show();
}

void remplit_tensions(simulateur& sim) {
  convert_class& c = *sim.forme_convert;
  sim.simulation.tensions(sim.liaisons.tensions);
  for (int i = 0; i < can::nb_entrees; ++i)
    champ(c, i)->value(tension_affichee(sim.liaisons.tensions[i]).c_str());
}

// "Valider": every field read and checked; on the first wrong one, the
// alert says which and why, and nothing changes.
void valide_tensions(simulateur& sim) {
  const char* garde = "Les tensions précédentes sont gardées.";
  if (!sim.simulation.e9()) {
    simulateur::alerte("Modèle plat : pas de convertisseur analogique.",
                       "Choisissez le modèle E9 dans Options, "
                       "Interruptions...",
                       garde, 0);
    return;
  }
  convert_class& c = *sim.forme_convert;
  int32_t tensions[can::nb_entrees];
  for (int i = 0; i < can::nb_entrees; ++i) {
    const std::string texte = champ(c, i)->value();
    const std::string nom = noms_entrees[i];
    int64_t v = 0;
    if (!lit_tension(texte, v)) {
      simulateur::alerte(
          ("Tension invalide pour " + nom + " : \"" + texte + "\"").c_str(),
          "Entrez des volts, avec un point ou une virgule (par exemple 2,5).",
          garde, 0);
      return;
    }
    if (v < 0 || v > can::vdd) {
      simulateur::alerte(("Tension hors limites pour " + nom + " : " +
                          tension_affichee(v) + " V")
                             .c_str(),
                         "Chaque tension doit être comprise entre 0 et 5 V.",
                         garde, 0);
      return;
    }
    tensions[i] = static_cast<int32_t>(v);
  }
  if (!sim.simulation.pose_tensions(tensions)) {
    simulateur::alerte(("VRL (" + tension_affichee(tensions[can::entree_vrl]) +
                        " V) doit être inférieure à VRH (" +
                        tension_affichee(tensions[can::entree_vrh]) + " V).")
                           .c_str(),
                       "VRL et VRH sont les bornes du convertisseur.", garde,
                       0);
    return;
  }
  sim.entree_utilisateur();
  remplit_tensions(sim);
  sim.rafraichit_ports();
  sim.rafraichit_dump(0);
}

// "Appliquer": the peripheral's answer, in hexadecimal.
void applique_miso(simulateur& sim) {
  const std::string texte = sim.forme_terminal->saisie_miso->value();
  std::size_t debut = 0;
  if (texte.rfind("$", 0) == 0) debut = 1;
  if (texte.rfind("0x", 0) == 0 || texte.rfind("0X", 0) == 0) debut = 2;
  const std::string chiffres = texte.substr(debut);
  const bool bon =
      !chiffres.empty() && chiffres.size() <= 2 &&
      chiffres.find_first_not_of("0123456789abcdefABCDEF") == std::string::npos;
  if (!bon || !sim.simulation.pose_miso(static_cast<unsigned char>(
                  std::stoul(chiffres, nullptr, 16)))) {
    simulateur::alerte(
        bon ? "Modèle plat : pas de SPI."
            : ("Octet MISO invalide : \"" + texte + "\"").c_str(),
        "Entrez un octet en hexadécimal, de 00 à FF.", "", 0);
    return;
  }
  sim.entree_utilisateur();
}

}  // namespace

void simulateur::montre_terminal() {
  montre_auxiliaire(forme_terminal->fenetre, "Terminal SCI");
  liaisons.ouvert_depuis_reset = true;
  forme_terminal->ecran->take_focus();
  affiche_etat_terminal(*this);
}

void simulateur::montre_tensions() {
  remplit_tensions(*this);
  montre_auxiliaire(forme_convert->fenetre, "Entrées analogiques");
}

void simulateur::lit_pty(void* moi) {
  simulateur& sim = *static_cast<simulateur*>(moi);
  etat_liaisons& l = sim.liaisons;
  // No more than the line's queue takes: the rest waits in the device.
  const std::string octets =
      l.pty.lit(machine::capacite_sci - sim.simulation.file_sci());
  // Typed by the program on the other side: at the program's rate.
  if (!octets.empty()) {
    if (!sim.simulation.envoie_sci(octets)) ++l.refuses;
    sim.entree_utilisateur();
  }
  if (l.pty.interroge() == pont_pty::etat::raccroche) {
    sim.delie_pty();
    l.message_script = "Pseudo-terminal fermé de l'autre côté.";
    affiche_etat_terminal(sim);
    return;
  }
  Fl::repeat_timeout(periode_pty, lit_pty, moi);
}

void simulateur::relie_pty() {
  terminal_sci_class& t = *forme_terminal;
  std::string erreur;
  if (!simulation.e9()) {
    alerte("Modèle plat : pas de SCI.",
           "Choisissez le modèle E9 dans Options, Interruptions...", "", 0);
  } else if (!liaisons.pty.ouvre(erreur)) {
    alerte("Impossible de créer un pseudo-terminal.", erreur.c_str(), "", 0);
  } else {
    // A pty has no wire: the program's settings; the chip's pace.
    liaisons.terminal.regle(simulation,
                            reglage_terminal{0, format_ligne::f8n1});
    t.choix_debit->value(0);
    controle_execution.choisit_vitesse(vitesse::temps_reel);
    Fl::add_timeout(periode_pty, lit_pty, this);
    liaisons.message_script.clear();
  }
  const Fl_Menu_Item* item = t.menu->find_item(
      (std::string("Terminal/") +
       terminal_sci_class::textes_articles[terminal_sci_class::relier_pty])
          .c_str());
  if (item)
    const_cast<Fl_Menu_Item*>(item)->flags =
        liaisons.pty.interroge() == pont_pty::etat::ferme
            ? item->flags & ~FL_MENU_VALUE
            : item->flags | FL_MENU_VALUE;
  affiche_etat_terminal(*this);
}

void simulateur::delie_pty() {
  Fl::remove_timeout(lit_pty, this);
  liaisons.pty.ferme();
  terminal_sci_class& t = *forme_terminal;
  const Fl_Menu_Item* item = t.menu->find_item(
      (std::string("Terminal/") +
       terminal_sci_class::textes_articles[terminal_sci_class::relier_pty])
          .c_str());
  if (item) const_cast<Fl_Menu_Item*>(item)->flags &= ~FL_MENU_VALUE;
}

arret_machine simulateur::execute_liaisons(const conditions_arret& c) {
  conditions_arret avec_ligne = c;
  // The user may type, a pseudo-terminal or a script may send.
  avec_ligne.ligne_sci_libre = true;
  dialogue_sci* d = liaisons.dialogue.get();
  if (d == nullptr || d->fini()) return histoire.execute(avec_ligne);
  // Through the history too: a kept action ahead bounds the slice.
  const arret_machine a =
      histoire.execute(avec_ligne, [this, d](const conditions_arret& tranche) {
        return d->avance(simulation, tranche);
      });
  char texte[64];
  std::snprintf(texte, sizeof texte, "Script : étape %zu sur %zu.",
                std::min(d->etape() + 1, d->nombre()), d->nombre());
  liaisons.message_script = texte;
  if (!d->fini()) return a;
  if (d->reussi()) {
    liaisons.message_script =
        "Script réussi (" + std::to_string(d->nombre()) + " étapes).";
    // The program goes on, unless it ended during the script (running it
    // again would execute one more instruction, as tamrix-run does not).
    if (d->fin_programme() != arret_machine::aucun) return d->fin_programme();
    return a == arret_machine::aucun ? arret_machine::max_cycles : a;
  }
  liaisons.message_script = "Script échoué : " + d->message(false);
  return arret_machine::aucun;
}

namespace {

// "Enregistrer le texte...": the screen's text into a file.
void enregistre_texte(simulateur& sim) {
  const char* chemin = simulateur::selecteur_fichier(
      "Enregistrer le texte du terminal", "", "*.txt", "terminal.txt");
  if (!chemin || !*chemin) return;
  // The screen's lines, without the empty ones under the last text.
  std::string texte = sim.liaisons.terminal.ecran.texte();
  while (!texte.empty() && texte.back() == '\n') texte.pop_back();
  texte += '\n';
  std::FILE* f = std::fopen(chemin, "wb");
  bool bon = f != nullptr &&
             std::fwrite(texte.data(), 1, texte.size(), f) == texte.size();
  int erreur = bon ? 0 : errno;
  if (f && std::fclose(f) != 0 && bon) {
    bon = false;
    erreur = errno;
  }
  if (!bon)
    simulateur::alerte(
        ("Impossible d'enregistrer " + std::string(chemin)).c_str(),
        std::strerror(erreur), "", 0);
}

// "Envoyer un fichier...": typed at the terminal's rate.
void envoie_fichier(simulateur& sim) {
  const char* chemin =
      simulateur::selecteur_fichier("Fichier à envoyer au SCI", "", "*", "");
  if (!chemin || !*chemin) return;
  std::string contenu, erreur;
  if (!lit_fichier_borne(chemin, {taille_max_envoi}, contenu, erreur)) {
    simulateur::alerte(("Fichier non envoyé : " + std::string(chemin)).c_str(),
                       erreur.c_str(), "", 0);
    return;
  }
  simulateur::etat_liaisons& l = sim.liaisons;
  const std::size_t avant = sim.simulation.file_sci();
  if (!l.terminal.tape(sim.simulation, contenu)) {
    simulateur::alerte(("Fichier non envoyé : " + std::string(chemin)).c_str(),
                       sim.simulation.e9() ? "La file du SCI est pleine."
                                           : "Modèle plat : pas de SCI.",
                       "", 0);
    return;
  }
  l.envoi_total = avant + contenu.size();
  sim.entree_utilisateur();
}

// "Rejouer un script...": its steps played against the program, the run
// started.
void rejoue_script(simulateur& sim) {
  const char* chemin = simulateur::selecteur_fichier(
      "Script de dialogue à rejouer", "", "*", "");
  if (!chemin || !*chemin) return;
  std::vector<etape_dialogue> etapes;
  const std::string erreur = lit_fichier_dialogue(chemin, etapes);
  if (!erreur.empty()) {
    simulateur::alerte(("Script refusé : " + std::string(chemin)).c_str(),
                       erreur.c_str(), "", 0);
    return;
  }
  sim.liaisons.dialogue.reset(new dialogue_sci(std::move(etapes)));
  // What it types is kept in the history as the user's typing is: a run
  // through a future kept after going back types it again.
  sim.liaisons.dialogue->apres_envoi = [&sim] { sim.entree_utilisateur(); };
  // A reset before this moment does not give it up.
  sim.liaisons.resets_vus = sim.simulation.nombre_resets();
  sim.liaisons.message_script = "Script : étape 1.";
  sim.montre_terminal();
  if (!sim.controle_execution.en_marche()) sim.controle_execution.demarre();
}

reglage_terminal reglage_choisi(const terminal_sci_class& t) {
  const int debit = t.choix_debit->value();
  if (debit <= 0) return reglage_terminal{0, format_ligne::f8n1};
  static const format_ligne formats[] = {format_ligne::f8n1, format_ligne::f7e1,
                                         format_ligne::f9};
  const int f = t.choix_format->value();
  return reglage_terminal{terminal_sci_class::bauds[debit - 1],
                          formats[f >= 0 && f < 3 ? f : 0]};
}

}  // namespace

int simulateur::traite_liaisons(Fl_Widget* objet) {
  terminal_sci_class& t = *forme_terminal;
  convert_class& c = *forme_convert;
  terminal_serie& terminal = liaisons.terminal;
  if (objet == t.menu) {
    switch (t.article_choisi()) {
      case terminal_sci_class::copier:
        t.ecran->copie_selection();
        break;
      case terminal_sci_class::coller:
        Fl::paste(*t.ecran, 1);
        break;
      case terminal_sci_class::effacer:
        terminal.ecran.efface();
        liaisons.refuses = 0;
        break;
      case terminal_sci_class::enregistrer:
        enregistre_texte(*this);
        break;
      case terminal_sci_class::envoyer_fichier:
        envoie_fichier(*this);
        break;
      case terminal_sci_class::rejouer_script:
        rejoue_script(*this);
        break;
      case terminal_sci_class::relier_pty:
        if (liaisons.pty.interroge() == pont_pty::etat::ferme)
          relie_pty();
        else
          delie_pty();
        break;
      case terminal_sci_class::fermer:
        fl_hide_form(t.fenetre);
        break;
      default:
        break;
    }
    rafraichit_liaisons();
  } else if (objet == t.fenetre || objet == t.bouton_fermer) {
    fl_hide_form(t.fenetre);
  } else if (objet == t.ecran) {
    if (!t.ecran->touches.empty()) {
      if (!terminal.tape(simulation, t.ecran->touches)) ++liaisons.refuses;
      // Typed characters are the user's doing: the history keeps them.
      entree_utilisateur();
    }
    t.ecran->touches.clear();
    rafraichit_liaisons();
  } else if (objet == t.choix_debit || objet == t.choix_format) {
    terminal.regle(simulation, reglage_choisi(t));
    entree_utilisateur();
    rafraichit_liaisons();
  } else if (objet == t.case_cr || objet == t.case_lf || objet == t.case_echo) {
    terminal.ecran.cr_crlf = t.case_cr->value() != 0;
    terminal.ecran.lf_crlf = t.case_lf->value() != 0;
    terminal.echo_local = t.case_echo->value() != 0;
  } else if (objet == t.bouton_effacer) {
    if (t.onglets->value() == t.onglet_spi) {
      t.texte_spi->text("");
    } else {
      terminal.ecran.efface();
      liaisons.refuses = 0;
      rafraichit_liaisons();
    }
  } else if (objet == t.bouton_miso) {
    applique_miso(*this);
  } else if (objet == c.bouton_valider) {
    valide_tensions(*this);
  } else if (objet == c.fenetre) {
    fl_hide_form(c.fenetre);
  } else if (objet == t.onglets || objet == t.saisie_miso ||
             objet == t.ecran_spi) {
    // Nothing to do: the tabs switch by themselves, the fields are read
    // on their buttons.
  } else {
    for (int i = 0; i < can::nb_entrees; ++i)
      if (objet == champ(c, i)) return 1;
    return 0;
  }
  return 1;
}

void simulateur::rafraichit_liaisons() {
  if (forme_terminal == nullptr) return;
  terminal_sci_class& t = *forme_terminal;
  // A reset (a load, the button): the terminal may open by itself again,
  // a script being replayed is given up.
  if (simulation.nombre_resets() != liaisons.resets_vus) {
    liaisons.ouvert_depuis_reset = false;
    if (liaisons.dialogue && !liaisons.dialogue->fini()) {
      liaisons.dialogue.reset();
      liaisons.message_script =
          "Script abandonné : la machine a été remise "
          "à zéro.";
    }
  }
  liaisons.resets_vus = simulation.nombre_resets();
  const bool envoye = !simulation.sortie_sci.empty();
  // A pty has no wire: it gets the bytes as the SCI sent them.
  if (envoye && liaisons.pty.interroge() != pont_pty::etat::ferme)
    liaisons.pty.ecrit(std::string(simulation.sortie_sci.begin(),
                                   simulation.sortie_sci.end()));
  liaisons.terminal.lit(simulation, !controle_execution.en_marche());
  liaisons.terminal.ecran.fixe_colonnes(t.ecran->colonnes_visibles());
  copie_ecran(t, liaisons.terminal.ecran, liaisons.sonneries_vues);
  if (envoye && !liaisons.ouvert_depuis_reset && !t.fenetre->shown())
    montre_terminal();
  if (!simulation.sortie_spi.empty()) {
    ajoute_spi(t, simulation.sortie_spi);
    simulation.sortie_spi.clear();
  }
  affiche_progression(*this);
  // The settings as the machine has them (a change of model sets the
  // program's back).
  const reglage_terminal r = simulation.terminal_sci();
  int debit = 0;
  for (int i = 0; i < terminal_sci_class::nb_bauds; ++i)
    if (terminal_sci_class::bauds[i] == r.bauds) debit = i + 1;
  if (t.choix_debit->value() != debit) t.choix_debit->value(debit);
  if (t.fenetre->shown()) affiche_etat_terminal(*this);
  // The analog fields follow inputs changed elsewhere (port E's buttons).
  if (forme_convert->fenetre->shown()) {
    int32_t tensions[can::nb_entrees];
    simulation.tensions(tensions);
    for (int i = 0; i < can::nb_entrees; ++i)
      if (tensions[i] != liaisons.tensions[i]) {
        remplit_tensions(*this);
        break;
      }
  }
}
