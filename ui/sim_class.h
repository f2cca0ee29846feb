// The simulator's main window: menu bar, register panel, the frame that
// receives the port panels, command bar, memory-fill inputs, disassembly
// and memory dump. The class only builds the widgets and keeps the ones the
// program reads or writes; no widget has a callback of its own, so every
// activation goes to the Forms object queue.
#ifndef TAMRIX_UI_SIM_CLASS_H
#define TAMRIX_UI_SIM_CLASS_H

class Fl_Double_Window;
class Fl_Box;
class Fl_Button;
class Fl_Input;
class Fl_Menu_Button;
class Fl_Return_Button;
class Fl_Slider;

class SIM_class {
 public:
  Fl_Double_Window* fenetre;
  Fl_Box* aff_A;
  Fl_Box* aff_B;
  Fl_Box* aff_CCR;
  Fl_Box* aff_X;
  Fl_Box* aff_Y;
  Fl_Box* aff_PC;
  Fl_Box* aff_SP;
  Fl_Menu_Button* menu_fichier;
  Fl_Menu_Button* menu_options;
  Fl_Box* ligne_desa_0;
  Fl_Slider* ascenseur_dump;
  Fl_Button* bouton_carre;
  Fl_Button* bouton_fleche;
  Fl_Button* bouton_pas;
  Fl_Button* bouton_init;
  Fl_Box* ligne_desa_1;
  Fl_Box* ligne_desa_2;
  Fl_Box* ligne_desa_3;
  Fl_Box* ligne_desa_4;
  Fl_Box* ligne_desa_5;
  Fl_Box* ligne_desa_6;
  Fl_Box* ligne_desa_7;
  Fl_Box* ligne_desa_8;
  Fl_Box* ligne_desa_9;
  Fl_Box* ligne_desa_10;
  Fl_Box* ligne_desa_11;
  Fl_Box* ligne_dump_0;
  Fl_Box* ligne_dump_1;
  Fl_Box* ligne_dump_2;
  Fl_Box* ligne_dump_3;
  Fl_Box* ligne_dump_4;
  Fl_Box* ligne_dump_5;
  Fl_Box* ligne_dump_6;
  Fl_Box* ligne_dump_7;
  Fl_Box* ligne_dump_8;
  Fl_Box* ligne_dump_9;
  Fl_Box* ligne_dump_10;
  Fl_Box* ligne_dump_11;
  Fl_Button* dump_haut;
  Fl_Button* dump_bas;
  Fl_Button* desa_precedent;
  Fl_Button* desa_suivant;
  Fl_Button* bouton_aide;
  Fl_Button* bouton_composant;
  Fl_Button* desa_pc;
  Fl_Input* saisie_A;
  Fl_Input* saisie_B;
  Fl_Input* saisie_X;
  Fl_Input* saisie_Y;
  Fl_Input* saisie_PC;
  Fl_Input* saisie_SP;
  Fl_Input* saisie_adresse;
  Fl_Input* saisie_valeur;
  Fl_Input* saisie_nombre;
  Fl_Return_Button* bouton_remplir;

  // Builds the 645 x 695 window and all its widgets, hidden.
  SIM_class();
};

#endif
