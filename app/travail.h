// The auxiliary windows at work: the timing diagram and its bounds dialog
// (app/chronogramme.cpp), the chip view (app/composant.cpp), the help
// (app/aide.cpp), the display preferences, the configuration registers and
// the saved options (app/preferences.cpp), and the keyboard shortcuts
// (app/raccourcis.cpp). Their widgets keep the default callback: every
// activation goes through the simulator's command loop, which hands those
// of these windows to `reagit`.
#ifndef TAMRIX_APP_TRAVAIL_H
#define TAMRIX_APP_TRAVAIL_H

#include <FL/Enumerations.H>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platine/platine.h"
#include "puce/chronogramme.h"
#include "text/options_sauvees.h"
#include "ui/fenetre_platine.h"

class simulateur;
class Fl_Widget;
class Fl_Spinner;
class Fl_Box;
class Fl_Button;
class Fl_Window;
class trace_chronogramme;
class registres_config_class;

// The timing diagram (Chronogramme_class) and the bounds dialog
// (Cycles_class).
class vue_chronogramme {
 public:
  static constexpr int nb_signaux = 40;
  // The signals' pins, in the window's order (PA7 ... XIRQ), and names.
  static unsigned char broche_du_signal(int signal);
  static const char* nom_du_signal(int signal);

  // Added to the window: the drawing over the area, the selection buttons
  // the layout leaves out (PA6, PA5, PA4) and the two lines under the area
  // (the click readout, and the view with the data's first cycle).
  trace_chronogramme* trace = nullptr;
  Fl_Button* selections_ajoutees[3] = {};
  Fl_Box* lecture = nullptr;
  Fl_Box* etat = nullptr;

  explicit vue_chronogramme(simulateur& sim);
  void installe();
  void ouvre();
  bool reagit(Fl_Widget* objet);
  // Shown: follows the machine (live when "Simulation" is on).
  void rafraichit();

  // The rows chosen, one bit per signal (bit 0 = PA7).
  uint64_t selection() const { return selection_; }
  void choisit_selection(uint64_t signaux);
  // The chosen rows as names, "PB7,PB6", and back (unknown names skipped).
  std::string texte_selection() const;
  void lit_selection(const std::string& texte);
  // The view [debut, fin) in cycles; "Simulation" follows the present.
  uint64_t debut() const { return debut_; }
  uint64_t fin() const { return fin_; }
  bool suit_simulation() const { return suivi_; }
  bool en_microsecondes() const { return microsecondes_; }
  const traces_chronogramme& traces() const { return traces_; }
  // The "Sel" button of a signal.
  Fl_Button* bouton_selection(int signal) const;

 private:
  simulateur& sim;
  uint64_t selection_;
  uint64_t debut_, fin_;
  bool suivi_, microsecondes_, chiffres_;
  bool vue_choisie_;
  traces_chronogramme traces_;
  index_journal index_;
  // The E and S marks of each row.
  std::vector<Fl_Widget*> marques_e[nb_signaux];
  std::vector<Fl_Widget*> marques_s[nb_signaux];

  void montre_vue(uint64_t debut, uint64_t fin);
  void zoome_sur_les_bornes();
  void valide_cycles();
  void geste_souris();
  void montre_selection();
  void montre_directions();
  void montre_boutons();
  void dessine();
};

// The chip view (aff_composant_class).
class vue_composant {
 public:
  // Added under the drawing: what the selected pin is and does.
  Fl_Box* description = nullptr;

  explicit vue_composant(simulateur& sim);
  void installe();
  void ouvre();
  bool reagit(Fl_Widget* objet);
  void rafraichit();
  // Pin 1..52 selected in the list (0: none).
  int broche_choisie() const { return choisie; }
  void choisit(int numero);
  // The colour a pin mark shows now, and the machine's pin (enum broche)
  // behind a package pin (-1: power, clock, mode or bus pin).
  Fl_Color couleur_broche(int numero) const;
  static int broche_machine(int numero);

 private:
  simulateur& sim;
  int choisie;
  void bascule(int numero);
  void remplit_liste();
};

// The display preferences (pref_affichage_class), the configuration
// registers' window and the saved options.
class preferences_affichage {
 public:
  registres_config_class* forme_config = nullptr;
  // Added to the window: the memory bound of the history, in MiB.
  Fl_Spinner* saisie_historique = nullptr;

  explicit preferences_affichage(simulateur& sim);
  void installe();
  void ouvre();
  bool reagit(Fl_Widget* objet);
  void rafraichit();

  // What is shown: registers A, B, CCR, X, Y, PC, SP; ports A to E; the
  // views redrawn during a run; the configuration registers' window.
  bool registres[7];
  bool ports[5];
  bool trace_temps_reel;
  bool registres_configuration;
  // Shows and hides the main window's parts as the fields above say.
  void applique();

 private:
  simulateur& sim;
  void remplit_config();
};

// The "Carte" window (app/carte.cpp): the board around the chip, chosen
// among the presets or from a file, drawn and clicked.
class vue_carte {
 public:
  platine_class* forme = nullptr;

  explicit vue_carte(simulateur& sim);
  ~vue_carte();
  void installe();
  void ouvre();
  bool reagit(Fl_Widget* objet);
  // Shown: the drawing again (the board's lights from the pin log).
  void rafraichit();
  // A preset's name or a file: the board wired to the machine (E9 model),
  // the history started again. False, with the alert and the board kept,
  // when it cannot be read.
  bool choisit(const std::string& fichier_ou_nom);
  void retire();
  // A program was loaded: its own board (prog.carte.toml), if it has one.
  void programme_charge(const std::string& chemin);
  // After a change of model: wired in the E9 model only.
  void apres_modele();
  const platine* carte() const { return carte_.get(); }

 private:
  simulateur& sim;
  std::unique_ptr<platine> carte_;
  void remplit_choix();
  void applique(const dessin_platine::action& a);
};

class fenetres_travail {
 public:
  vue_chronogramme chronogramme;
  vue_composant composant;
  preferences_affichage preferences;
  vue_carte carte;

  explicit fenetres_travail(simulateur& sim);
  // Adds what the windows need to the forms, the "Chronogramme..." item,
  // the shortcuts and their tooltips. Call once the forms are built.
  void installe();

  // The command loop's pass for a widget: true when it was one of these
  // windows' (or "AIDE...", "Composant").
  bool reagit(Fl_Widget* objet);
  // The "Options" menu's items of these windows: true when handled.
  bool menu_options(Fl_Widget* menu);
  // After the views were redrawn: the shown windows again.
  void rafraichit();
  // After each pass of the command loop: the flat model's ports into the
  // pin log, and the windows that show pins.
  void apres_objet();
  // Whether the views follow a run (off: they are drawn when it stops).
  bool trace_temps_reel() const { return preferences.trace_temps_reel; }

  // Saved options: read at start-up and applied (`sans_programme`: no
  // program was named on the command line, the last one is loaded), and
  // "Sauver les options".
  void lit_options_sauvees(bool sans_programme);
  bool sauve_options();
  // A program was loaded from `chemin` (its own board is taken along).
  void programme_charge(const std::string& chemin) {
    dernier_fichier = chemin;
    carte.programme_charge(chemin);
  }

  // The help window's text, from the installed file or built in.
  static std::string texte_aide();
  void ouvre_aide();

 private:
  simulateur& sim;
  std::string dernier_fichier;
  bool aide_remplie;
  // The options as last read or saved: what this program does not hold
  // itself (the analog inputs, for now) is saved again as it was.
  options_sauvees lues;
  options_sauvees releve_options() const;
  void applique_options(const options_sauvees& o, bool sans_programme);
};

// Keyboard shortcuts, looked at before any widget sees a key (the
// simulator's event hook): F10 or Space step, F5 runs, Escape stops a
// run, Ctrl+O opens a file, Ctrl+R resets, F8 opens the "Carte" window;
// each puts its button (or menu item) on the object queue as a click
// would. Space typed into a text field stays there; Shift+F10 steps back.
void inscrit_raccourcis(simulateur* sim);
void desinscrit_raccourcis(simulateur* sim);
bool raccourci_clavier(int evenement);

// Port E's analog inputs in the saved options: read from the machine when
// saving, given to it at start-up. The A/D converter's window owns these
// values; until it is merged they keep what the file holds.
void releve_entrees_analogiques(const simulateur& sim, options_sauvees& o);
void pose_entrees_analogiques(simulateur& sim, const options_sauvees& o);

#endif
