#ifndef TAMRIX_UI_AUXILIAIRES_H
#define TAMRIX_UI_AUXILIAIRES_H

// The auxiliary windows. Each is built once, hidden, with every widget in
// place and no callback; nothing fills them or reads them back.

class Fl_Double_Window;
class Fl_Widget;
class Fl_Box;
class Fl_Button;
class Fl_Check_Button;
class Fl_Browser;
class Fl_Input;

// Display preferences: which registers and ports the main window shows.
class pref_affichage_class {
 public:
  Fl_Double_Window* fenetre;
  // Left column, top to bottom: registers A, B, CCR, X, Y, PC, SP.
  Fl_Check_Button* cases_registres[7];
  // Right column, top to bottom: ports A to E, real-time trace,
  // configuration registers.
  Fl_Check_Button* cases_options[7];
  Fl_Button* bouton_ok;

  pref_affichage_class();
};

// Drawing of the 52-pin package with a list of its pins.
class aff_composant_class {
 public:
  static constexpr int nb_broches = 52;

  Fl_Double_Window* fenetre;
  Fl_Box* boitier;
  // Indexed by pin number minus one.
  Fl_Box* numeros[nb_broches];
  Fl_Widget* marques[nb_broches];  // an Fl_Button or an Fl_Box
  Fl_Box* pattes[nb_broches];
  Fl_Browser* liste_broches;
  Fl_Button* bouton_fermer;

  aff_composant_class();
};

// Help text viewer.
class aide_class {
 public:
  Fl_Double_Window* fenetre;
  Fl_Browser* texte_aide;
  Fl_Button* bouton_fermer;

  aide_class();
};

// Timing diagram of the port signals.
class Chronogramme_class {
 public:
  static constexpr int nb_signaux = 40;

  Fl_Double_Window* fenetre;
  // PA7..PA0, PB7..PB0, PC7..PC0, PD5..PD0, PE7..PE0, IRQ, XIRQ.
  Fl_Box* noms_signaux[nb_signaux];
  // Selection button of each signal; null for PA6, PA5 and PA4.
  Fl_Button* selections[nb_signaux];
  Fl_Button* zone_trace;
  Fl_Button* bouton_unite;
  Fl_Button* bouton_simulation;
  Fl_Button* bouton_niveaux;
  Fl_Input* saisie_debut;
  Fl_Button* bouton_zoom;
  Fl_Input* saisie_fin;
  Fl_Button* bouton_quitter;

  Chronogramme_class();
};

// Dialog of two cycle bounds.
class Cycles_class {
 public:
  Fl_Double_Window* fenetre;
  Fl_Input* saisie_debut;
  Fl_Input* saisie_fin;
  Fl_Button* bouton_validation;

  Cycles_class();
};

// Analog inputs of port E and the converter's reference voltages.
class convert_class {
 public:
  Fl_Double_Window* fenetre;
  Fl_Button* bouton_valider;
  // Indexed by channel: saisies_AN[7] is "AN7", the leftmost field.
  Fl_Input* saisies_AN[8];
  Fl_Input* saisie_VRH;
  Fl_Input* saisie_VRL;

  convert_class();
};

#endif
