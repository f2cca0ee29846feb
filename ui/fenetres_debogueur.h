// The debugger's windows: "Points d'arrêt" (every breakpoint, watchpoint
// and event breakpoint, edited in the fields below the list, with the
// condition's error shown as it is typed, the hit counts and the
// tracepoints' log) and "Pile d'appels" (the calls and interrupts not yet
// returned from, innermost first). Built hidden, widgets without callbacks
// of their own: every activation goes to the Forms object queue, and
// app/debogueur_gui.cpp fills and reads them. Both are shown non-modal.
#ifndef TAMRIX_UI_FENETRES_DEBOGUEUR_H
#define TAMRIX_UI_FENETRES_DEBOGUEUR_H

class Fl_Double_Window;
class Fl_Box;
class Fl_Browser;
class Fl_Button;
class Fl_Check_Button;
class Fl_Choice;
class Fl_Hold_Browser;
class Fl_Input;

class points_arret_class {
 public:
  Fl_Double_Window* fenetre;
  // One row per point: number, enabled, what, condition, hits.
  Fl_Hold_Browser* liste;
  // The point edited: its kind ("Instruction", "Écriture", "Lecture",
  // "Accès", "Interruption", "Broche", "Accès refusé", "Opcode illégal",
  // "Reset COP", "Cycle"), where (an address, a label, "fichier:ligne", a
  // range "$40-$43", an interrupt or pin name, a cycle), its condition and
  // the condition's error, from which hit it stops, enabled, tracepoint
  // and its message.
  Fl_Choice* sorte;
  Fl_Input* lieu;
  Fl_Input* condition;
  Fl_Box* erreur;
  Fl_Input* passage;
  Fl_Check_Button* actif;
  Fl_Check_Button* trace;
  Fl_Input* message;
  Fl_Button* bouton_ajouter;
  Fl_Button* bouton_modifier;
  Fl_Button* bouton_supprimer;
  Fl_Button* bouton_compteurs;
  // The last watchpoint stop: who wrote the cell ("Qui a changé ceci ?").
  Fl_Button* bouton_qui;
  Fl_Browser* journal;  // the tracepoints' lines
  Fl_Button* bouton_fermer;

  points_arret_class();
};

class pile_appels_class {
 public:
  Fl_Double_Window* fenetre;
  // Innermost first; a click shows that frame's code.
  Fl_Hold_Browser* liste;
  Fl_Box* note;
  Fl_Button* bouton_retour;  // "Retour au point d'appel"
  Fl_Button* bouton_fermer;

  pile_appels_class();
};

#endif
