#ifndef TAMRIX_UI_OPTIONS_PUCE_H
#define TAMRIX_UI_OPTIONS_PUCE_H

// The windows of the "Options" menu that show the chip: interrupts and the
// model ("Interruptions..."), the memory map and the operating mode
// ("Adresse de  Base..."). Built hidden, widgets without callbacks: their
// activations go to the object queue and the simulator fills them.

class Fl_Double_Window;
class Fl_Box;
class Fl_Button;
class Fl_Round_Button;
class Fl_Browser;
class Fl_Check_Button;

class interruptions_class {
 public:
  Fl_Double_Window* fenetre;
  Fl_Round_Button* modele_e9;
  Fl_Round_Button* modele_plat;
  // The IRQ and XIRQ pins: a click toggles the level.
  Fl_Button* bouton_irq;
  Fl_Button* bouton_xirq;
  // What the CPU does: executing, waiting (WAI), stopped (STOP); and its
  // I and X masks.
  Fl_Box* etat_cpu;
  // One line per source: name, vector, enabled, pending.
  Fl_Browser* liste_sources;
  // The timer: TCNT, its enabled sources, the next event, the watchdog.
  Fl_Box* etat_timer;
  // CONFIG's NOCOP cleared: the COP runs from the next reset (done at
  // once).
  Fl_Check_Button* cop_actif;
  Fl_Button* bouton_fermer;

  interruptions_class();
};

class dessin_carte;

class adresse_base_class {
 public:
  Fl_Double_Window* fenetre;
  Fl_Box* registres;     // where the block lies
  Fl_Box* ram;           // where the RAM lies
  Fl_Box* mode;          // the mode now, and the one asked for at next reset
  Fl_Box* config;        // CONFIG now, and its EEPROM byte
  dessin_carte* dessin;  // the map as it stands
  Fl_Box* explication;
  // The mode the MODA/MODB pins ask for: taken at the next reset.
  Fl_Round_Button* mode_etendu;
  Fl_Round_Button* mode_monopuce;
  Fl_Button* bouton_fermer;

  adresse_base_class();
};

#endif
