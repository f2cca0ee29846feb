// The display preferences ("Options" > "Affichage des Registres..."): the
// register fields and port panels of the main window shown or hidden, the
// views redrawn during a run or only when it stops, and the window of the
// configuration registers decoded bit by bit. The saved options ("Options"
// > "Sauver les options"), read at start-up. The help window.
#include <FL/Fl.H>
#include <FL/Fl_Box.H>
#include <FL/Fl_Browser.H>
#include <FL/Fl_Button.H>
#include <FL/Fl_Check_Button.H>
#include <FL/Fl_Double_Window.H>
#include <FL/Fl_Input.H>
#include <FL/Fl_Spinner.H>
#include <sys/stat.h>

#include <cstdio>
#include <cstring>
#include <fstream>
#include <iostream>
#include <sstream>

#include "app/forms_tamrix.h"
#include "app/simulateur.h"
#include "app/travail.h"
#include "puce/interruptions.h"
#include "text/installation.h"
#include "text/lecture.h"
#include "ui/auxiliaires.h"
#include "ui/registres_config.h"
#include "ui/sim_class.h"

namespace {

const char* const titres_registres[7] = {"A", "B", "CCR", "X", "Y", "PC", "SP"};

// One bit of a register: its name and what each value means ("" when the
// bit belongs to a field explained on the field's last line).
struct bit_config {
  const char* nom;
  const char* si_0;
  const char* si_1;
};

struct registre_config {
  const char* nom;
  unsigned char offset;
  bit_config bits[8];  // bit 7 first
};

const registre_config registres_config[] = {
    {"OPTION",
     0x39,
     {{"ADPU", "convertisseur A/N éteint", "convertisseur A/N alimenté"},
      {"CSEL", "pompes A/N et EEPROM sur l'horloge E",
       "pompes A/N et EEPROM sur l'oscillateur RC"},
      {"IRQE", "IRQ active sur niveau bas", "IRQ active sur front descendant"},
      {"DLY", "pas de délai à la sortie de STOP",
       "délai de 4064 cycles à la sortie de STOP"},
      {"CME", "moniteur d'horloge arrêté", "moniteur d'horloge en marche"},
      {"-", "", ""},
      {"CR1", "", ""},
      {"CR0", "", ""}}},
    {"HPRIO",
     0x3C,
     {{"RBOOT", "pas de ROM de démarrage", "ROM de démarrage présente"},
      {"SMOD", "mode normal", "mode spécial"},
      {"MDA", "mode monopuce", "mode étendu"},
      {"IRV", "lectures internes invisibles", "lectures internes visibles"},
      {"PSEL3", "", ""},
      {"PSEL2", "", ""},
      {"PSEL1", "", ""},
      {"PSEL0", "", ""}}},
    {"INIT",
     0x3D,
     {{"RAM3", "", ""},
      {"RAM2", "", ""},
      {"RAM1", "", ""},
      {"RAM0", "", ""},
      {"REG3", "", ""},
      {"REG2", "", ""},
      {"REG1", "", ""},
      {"REG0", "", ""}}},
    {"CONFIG",
     0x3F,
     {{"-", "", ""},
      {"-", "", ""},
      {"-", "", ""},
      {"-", "", ""},
      {"NOSEC", "mode sécurisé", "pas de sécurité"},
      {"NOCOP", "chien de garde COP en marche", "chien de garde COP arrêté"},
      {"ROMON", "ROM absente", "ROM présente ($D000-$FFFF)"},
      {"EEON", "EEPROM absente", "EEPROM présente ($B600-$B7FF)"}}},
    {"TMSK2",
     0x24,
     {{"TOI", "débordement du timer sans interruption",
       "interruption au débordement du timer (TOF)"},
      {"RTII", "temps réel sans interruption",
       "interruption temps réel (RTIF)"},
      {"PAOVI", "débordement de PACNT sans interruption",
       "interruption au débordement de PACNT"},
      {"PAII", "front sur PAI sans interruption",
       "interruption sur front de PAI (PAIF)"},
      {"-", "", ""},
      {"-", "", ""},
      {"PR1", "", ""},
      {"PR0", "", ""}}},
    {"PACTL",
     0x26,
     {{"DDRA7", "PA7 en entrée", "PA7 en sortie"},
      {"PAEN", "accumulateur d'impulsions arrêté",
       "accumulateur d'impulsions en marche"},
      {"PAMOD", "comptage d'événements", "accumulation de durée (E/64)"},
      {"PEDGE", "fronts descendants, ou durée tant que PAI = 1",
       "fronts montants, ou durée tant que PAI = 0"},
      {"DDRA3", "PA3 en entrée", "PA3 en sortie"},
      {"I4/O5", "PA3 : comparaison OC5", "PA3 : capture IC4"},
      {"RTR1", "", ""},
      {"RTR0", "", ""}}},
};

// The line that explains a multi-bit field, on the field's last bit.
std::string explique_champ(const char* registre, int bit, unsigned char v) {
  char texte[96] = "";
  const std::string r = registre;
  if (r == "OPTION" && bit == 0) {
    static const int facteurs[4] = {1, 4, 16, 64};
    std::snprintf(texte, sizeof texte, "COP : délai E/2^15 x %d = %.1f ms",
                  facteurs[v & 3], 16.384 * facteurs[v & 3]);
  } else if (r == "HPRIO" && bit == 0) {
    std::snprintf(texte, sizeof texte, "priorité : %s en tête",
                  noms_it[source_promue[v & 0x0F]]);
  } else if (r == "INIT" && bit == 4) {
    std::snprintf(texte, sizeof texte, "RAM en $%x000", v >> 4);
  } else if (r == "INIT" && bit == 0) {
    std::snprintf(texte, sizeof texte, "registres en $%x000", v & 0x0F);
  } else if (r == "TMSK2" && bit == 0) {
    static const int diviseurs[4] = {1, 4, 8, 16};
    std::snprintf(texte, sizeof texte,
                  "prédiviseur E/%d : TCNT avance toutes les %g µs",
                  diviseurs[v & 3], diviseurs[v & 3] * 0.5);
  } else if (r == "PACTL" && bit == 0) {
    static const int facteurs[4] = {1, 2, 4, 8};
    std::snprintf(texte, sizeof texte,
                  "interruption temps réel toutes les %.3f ms",
                  4.096 * facteurs[v & 3]);
  }
  return texte;
}

// A check button's state.
bool coche(const Fl_Check_Button* b) { return b->value() != 0; }

void montre(Fl_Widget* w, bool visible) {
  if (!w || (w->visible() != 0) == visible) return;
  visible ? w->show() : w->hide();
}

// The main window's children whose label is `texte`.
std::vector<Fl_Widget*> par_texte(Fl_Group* fenetre, const std::string& texte) {
  std::vector<Fl_Widget*> trouves;
  for (int i = 0; i < fenetre->children(); ++i) {
    Fl_Widget* w = fenetre->child(i);
    if (w->label() && texte == w->label()) trouves.push_back(w);
  }
  return trouves;
}

vitesse vitesse_de(const std::string& nom) {
  if (nom == "dixieme") return vitesse::dixieme;
  if (nom == "centieme") return vitesse::centieme;
  if (nom == "pas_animes") return vitesse::pas_animes;
  if (nom == "maximum") return vitesse::maximum;
  return vitesse::temps_reel;
}

const char* nom_de(vitesse v) {
  switch (v) {
    case vitesse::dixieme:
      return "dixieme";
    case vitesse::centieme:
      return "centieme";
    case vitesse::pas_animes:
      return "pas_animes";
    case vitesse::maximum:
      return "maximum";
    default:
      return "temps_reel";
  }
}

// Built in, for a program run without its data files.
const char* const aide_integree =
    "== tamrix : aide\n"
    "\n"
    "Le fichier d'aide (docs/aide.txt) est introuvable ; voici l'essentiel.\n"
    "\n"
    "Fichier > Ouvrir fichier s19 (Ctrl+O) charge un programme.\n"
    "F10 ou Espace : une instruction.  F5 : exécution continue.\n"
    "Echap : arrêter l'exécution.  Ctrl+R : reset.\n"
    "Un clic sur une ligne du désassemblage pose ou retire un point d'arrêt.\n"
    "Les boutons verts des ports sont des entrées : un clic les bascule.\n";

}  // namespace

// ---------------------------------------------------------- preferences

preferences_affichage::preferences_affichage(simulateur& s)
    : registres{true, true, true, true, true, true, true},
      ports{true, true, true, true, true},
      trace_temps_reel(true),
      registres_configuration(false),
      sim(s) {}

void preferences_affichage::installe() {
  forme_config = new registres_config_class;
  pref_affichage_class& p = *sim.forme_pref_affichage;
  Fl_Group* avant = Fl_Group::current();
  p.fenetre->begin();
  saisie_historique = new Fl_Spinner(400, 325, 70, 30, "Historique (Mo)");
  saisie_historique->range(16, 4096);
  saisie_historique->step(16);
  saisie_historique->labelfont(FL_TIMES);
  saisie_historique->tooltip(
      "Mémoire gardée pour revenir en arrière : au-delà, l'historique "
      "espace ses copies anciennes, puis oublie les plus anciennes");
  p.fenetre->end();
  Fl_Group::current(avant);
  p.cases_options[5]->tooltip(
      "Décoché : les vues ne sont redessinées qu'à l'arrêt, l'exécution "
      "va aussi vite que tamrix-run");
}

void preferences_affichage::ouvre() {
  pref_affichage_class& p = *sim.forme_pref_affichage;
  for (int i = 0; i < 7; ++i) p.cases_registres[i]->value(registres[i]);
  for (int i = 0; i < 5; ++i) p.cases_options[i]->value(ports[i]);
  p.cases_options[5]->value(trace_temps_reel);
  p.cases_options[6]->value(registres_configuration);
  saisie_historique->value(static_cast<double>(sim.histoire.borne() >> 20));
  montre_auxiliaire(p.fenetre, "Préférences d'affichage");
}

bool preferences_affichage::reagit(Fl_Widget* objet) {
  pref_affichage_class& p = *sim.forme_pref_affichage;
  if (objet == p.bouton_ok) {
    for (int i = 0; i < 7; ++i) registres[i] = coche(p.cases_registres[i]);
    for (int i = 0; i < 5; ++i) ports[i] = coche(p.cases_options[i]);
    trace_temps_reel = coche(p.cases_options[5]);
    registres_configuration = coche(p.cases_options[6]);
    sim.histoire.fixe_borne(static_cast<std::size_t>(saisie_historique->value())
                            << 20);
    fl_hide_form(p.fenetre);
    applique();
    return true;
  }
  if (objet == p.fenetre) {
    fl_hide_form(p.fenetre);
    return true;
  }
  // The check buttons and the history's bound act at "OK".
  if (objet == saisie_historique) return true;
  for (Fl_Check_Button* b : p.cases_registres)
    if (objet == b) return true;
  for (Fl_Check_Button* b : p.cases_options)
    if (objet == b) return true;
  if (objet == forme_config->bouton_fermer || objet == forme_config->fenetre) {
    registres_configuration = false;
    fl_hide_form(forme_config->fenetre);
    return true;
  }
  return false;
}

void preferences_affichage::applique() {
  SIM_class& f = *sim.forme_sim;
  Fl_Widget* saisies[7] = {f.saisie_A, f.saisie_B,  nullptr,    f.saisie_X,
                           f.saisie_Y, f.saisie_PC, f.saisie_SP};
  Fl_Widget* affichages[7] = {f.aff_A, f.aff_B,  f.aff_CCR, f.aff_X,
                              f.aff_Y, f.aff_PC, f.aff_SP};
  for (int i = 0; i < 7; ++i) {
    montre(saisies[i], registres[i]);
    montre(affichages[i], registres[i]);
    for (Fl_Widget* titre : par_texte(f.fenetre, titres_registres[i]))
      montre(titre, registres[i]);
    if (i == 2)
      for (Fl_Widget* noms : par_texte(f.fenetre, "SXHINZVC"))
        montre(noms, registres[i]);
  }
  portparallele* panneaux[5] = {&sim.port_A, &sim.port_B, &sim.port_C,
                                &sim.port_D, &sim.port_E};
  for (int i = 0; i < 5; ++i) {
    portparallele& p = *panneaux[i];
    for (int bit = 0; bit < 8; ++bit)
      montre(p.boutons[bit], ports[i] && p.broche_presente(bit));
    montre(p.aff_valeur, ports[i]);
    montre(p.aff_ddr, ports[i]);
    for (Fl_Widget* titre : par_texte(f.fenetre, p.nom))
      montre(titre, ports[i]);
    if (!p.nom_ddr.empty())
      for (Fl_Widget* titre : par_texte(f.fenetre, p.nom_ddr))
        montre(titre, ports[i]);
  }
  f.fenetre->redraw();
  if (registres_configuration && !forme_config->fenetre->shown()) {
    montre_auxiliaire(forme_config->fenetre, "Registres de configuration");
    remplit_config();
  } else if (!registres_configuration) {
    fl_hide_form(forme_config->fenetre);
  }
}

void preferences_affichage::rafraichit() {
  if (forme_config && forme_config->fenetre->shown()) remplit_config();
}

// "OPTION  $1039 = $10  00010000", then one line per bit: number, name,
// value, meaning.
void preferences_affichage::remplit_config() {
  Fl_Browser& liste = *forme_config->liste;
  const machine& m = sim.simulation;
  const unsigned short base =
      m.e9() ? m.systeme()->etat.base_registres : 0x1000;
  std::vector<std::string> lignes;
  if (!m.e9())
    lignes.push_back("@.Modèle plat : des cellules de mémoire sans effet.");
  for (const registre_config& r : registres_config) {
    const auto adresse = static_cast<unsigned short>(base + r.offset);
    const unsigned char v = m.memoire.consulte(adresse);
    char texte[160];
    char binaire[9];
    reg2bin8(v, binaire);
    std::snprintf(texte, sizeof texte, "@b@.%-7s $%04x = $%02x  %s", r.nom,
                  adresse, v, binaire);
    lignes.push_back(texte);
    for (int i = 0; i < 8; ++i) {
      const int bit = 7 - i;
      const bit_config& b = r.bits[i];
      const int valeur = (v >> bit) & 1;
      std::string sens = valeur ? b.si_1 : b.si_0;
      if (sens.empty()) sens = explique_champ(r.nom, bit, v);
      std::snprintf(texte, sizeof texte, "@.  %d %-6s %d  %s", bit, b.nom,
                    valeur, sens.c_str());
      lignes.push_back(texte);
    }
    lignes.push_back(" ");
  }
  for (std::size_t i = 0; i < lignes.size(); ++i) {
    const int n = static_cast<int>(i) + 1;
    if (liste.size() < n)
      liste.add(lignes[i].c_str());
    else if (lignes[i] != liste.text(n))
      liste.text(n, lignes[i].c_str());
  }
  while (liste.size() > static_cast<int>(lignes.size()))
    liste.remove(liste.size());
}

// ---------------------------------------------------------- saved options

options_sauvees fenetres_travail::releve_options() const {
  options_sauvees o = lues;
  o.modele = sim.simulation.e9() ? "e9" : "plat";
  const preferences_affichage& p = preferences;
  for (int i = 0; i < 7; ++i) o.registres[i] = p.registres[i];
  for (int i = 0; i < 5; ++i) o.ports[i] = p.ports[i];
  o.trace_temps_reel = p.trace_temps_reel;
  o.registres_configuration = p.registres_configuration;
  o.vitesse = nom_de(sim.controle_execution.vitesse_choisie());
  o.pas_par_seconde = sim.controle_execution.pas_par_seconde();
  o.historique_mo = static_cast<int>(sim.histoire.borne() >> 20);
  releve_entrees_analogiques(sim, o);
  o.selection_chronogramme = chronogramme.texte_selection();
  o.dernier_fichier = dernier_fichier;
  return o;
}

void fenetres_travail::applique_options(const options_sauvees& o,
                                        bool sans_programme) {
  const modele_machine modele =
      o.modele == "plat" ? modele_machine::plat : modele_machine::e9;
  if (modele != sim.simulation.modele()) sim.change_modele(modele);
  sim.controle_execution.choisit_vitesse(vitesse_de(o.vitesse));
  sim.controle_execution.choisit_pas_par_seconde(o.pas_par_seconde);
  sim.histoire.fixe_borne(static_cast<std::size_t>(o.historique_mo) << 20);
  preferences_affichage& p = preferences;
  for (int i = 0; i < 7; ++i) p.registres[i] = o.registres[i];
  for (int i = 0; i < 5; ++i) p.ports[i] = o.ports[i];
  p.trace_temps_reel = o.trace_temps_reel;
  p.registres_configuration = o.registres_configuration;
  p.applique();
  pose_entrees_analogiques(sim, o);
  chronogramme.lit_selection(o.selection_chronogramme);
  if (!sans_programme || o.dernier_fichier.empty()) return;
  // The last program, saved with its absolute path; gone (moved, deleted,
  // an old relative path), one line says so and nothing is loaded.
  struct stat etat;
  if (::stat(o.dernier_fichier.c_str(), &etat) == 0 && S_ISREG(etat.st_mode)) {
    sim.charge_programme(o.dernier_fichier.c_str());
    return;
  }
  const std::string ligne =
      "Dernier programme introuvable : " + o.dernier_fichier;
  std::cerr << "tamrix : " << ligne << std::endl;
  sim.affiche_etat(ligne.c_str());
}

void fenetres_travail::lit_options_sauvees(bool sans_programme) {
  options_sauvees o;
  const lecture_options r = lit_options(chemin_options(), o);
  if (!r.message.empty()) std::cerr << r.message << std::endl;
  lues = o;
  applique_options(o, sans_programme);
}

bool fenetres_travail::sauve_options() {
  const std::string chemin = chemin_options();
  std::string erreur;
  const options_sauvees o = releve_options();
  if (!ecrit_options(chemin, o, erreur)) {
    simulateur::alerte("Options non enregistrees", erreur.c_str(), "", 0);
    return false;
  }
  lues = o;
  sim.affiche_etat(("Options enregistrées dans " + chemin).c_str());
  return true;
}

// The analog inputs are the machine's (E9 model; in the flat model, what
// was read stays as it was).
void releve_entrees_analogiques(const simulateur& sim, options_sauvees& o) {
  if (!sim.simulation.e9()) return;
  int32_t t[can::nb_entrees];
  sim.simulation.tensions(t);
  for (int i = 0; i < 8; ++i) o.analogiques[i] = t[i] / 1e6;
  o.vrh = t[can::entree_vrh] / 1e6;
  o.vrl = t[can::entree_vrl] / 1e6;
}

void pose_entrees_analogiques(simulateur& sim, const options_sauvees& o) {
  int32_t t[can::nb_entrees];
  for (int i = 0; i < 8; ++i)
    t[i] = static_cast<int32_t>(o.analogiques[i] * 1e6 + 0.5);
  t[can::entree_vrh] = static_cast<int32_t>(o.vrh * 1e6 + 0.5);
  t[can::entree_vrl] = static_cast<int32_t>(o.vrl * 1e6 + 0.5);
  // Values out of range or VRL >= VRH leave the defaults.
  sim.simulation.pose_tensions(t);
}

// ---------------------------------------------------------- help

std::string fenetres_travail::texte_aide() {
  const std::string chemin = chemin_donnee("docs/aide.txt");
  // Read with a bound (text/lecture.h): the installed text is ~10 KiB.
  std::string texte, erreur;
  if (chemin.empty() ||
      !lit_fichier_borne(chemin, {std::size_t(1) << 20}, texte, erreur))
    return aide_integree;
  return texte;
}

// Lines starting with "== " are titles; the others are shown as they are
// (no browser formatting, whatever they start with).
void fenetres_travail::ouvre_aide() {
  aide_class& a = *sim.forme_aide;
  if (!aide_remplie) {
    a.texte_aide->textfont(FL_COURIER);
    a.texte_aide->textsize(12);
    std::istringstream lignes(texte_aide());
    std::string ligne;
    while (std::getline(lignes, ligne)) {
      // An empty line would have no height: a blank keeps its room.
      if (ligne.compare(0, 3, "== ") == 0)
        a.texte_aide->add(("@b@C216@." + ligne.substr(3)).c_str());
      else
        a.texte_aide->add(ligne.empty() ? " " : ("@." + ligne).c_str());
    }
    aide_remplie = true;
  }
  montre_auxiliaire(a.fenetre, "Aide de tamrix");
}
