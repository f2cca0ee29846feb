#ifndef TAMRIX_UI_TERMINAL_SCI_H
#define TAMRIX_UI_TERMINAL_SCI_H

// The "Terminal SCI" window: what the program sends on the SCI, the keys
// the user types for it, and the bytes of the SPI. Built hidden; no widget
// has a callback of its own: their activations go to the object queue and
// the simulator (app/liaisons.cpp) fills and reads them. Leaves out any
// terminal emulation beyond line breaks (no cursor movement, no colours).

#include <FL/Fl_Text_Display.H>

#include <string>

class Fl_Double_Window;
class Fl_Box;
class Fl_Button;
class Fl_Group;
class Fl_Input;
class Fl_Tabs;
class Fl_Text_Buffer;

// A text display that also takes the keyboard: each key's bytes are added
// to `touches` and the widget goes on the object queue.
class ecran_terminal : public Fl_Text_Display {
 public:
  // Typed and not yet handed to the machine.
  std::string touches;

  ecran_terminal(int x, int y, int w, int h);
  int handle(int evenement) override;
};

class terminal_sci_class {
 public:
  Fl_Double_Window* fenetre;
  Fl_Tabs* onglets;
  // First tab: the SCI.
  Fl_Group* onglet_sci;
  ecran_terminal* ecran;
  Fl_Text_Buffer* texte_sci;
  Fl_Box* etat;  // rate, format, queue, characters lost
  // Second tab: the SPI, bytes sent in hexadecimal and the peripheral's
  // answer.
  Fl_Group* onglet_spi;
  Fl_Text_Display* ecran_spi;
  Fl_Text_Buffer* texte_spi;
  Fl_Input* saisie_miso;
  Fl_Button* bouton_miso;
  Fl_Button* bouton_effacer;  // clears the tab shown
  Fl_Button* bouton_fermer;

  terminal_sci_class();
};

#endif
