#ifndef TAMRIX_UI_QUI_A_CHANGE_H
#define TAMRIX_UI_QUI_A_CHANGE_H

// "Qui a change ceci ?": the last instructions that changed a register, a
// flag, a memory cell or a pin, newest first. Built hidden, widgets
// without callbacks of their own (the simulator fills it and takes its
// activations off the object queue).

class Fl_Double_Window;
class Fl_Box;
class Fl_Button;
class Fl_Hold_Browser;

class qui_a_change_class {
 public:
  Fl_Double_Window* fenetre;
  Fl_Box* titre;  // what was asked about
  // One line per change: instruction count, cycle, address, instruction,
  // old -> new. A double click goes back to just before it.
  Fl_Hold_Browser* liste;
  Fl_Box* note;  // how far back the search went
  Fl_Button* bouton_fermer;

  qui_a_change_class();
};

#endif
