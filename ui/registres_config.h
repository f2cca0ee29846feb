// The window of the configuration registers ("Registres de configuration",
// shown from the display preferences): OPTION, HPRIO, INIT, CONFIG, TMSK2
// and PACTL, each bit on a line with what its value means. Built hidden,
// widgets without callbacks: the simulator fills it (app/preferences.cpp).
#ifndef TAMRIX_UI_REGISTRES_CONFIG_H
#define TAMRIX_UI_REGISTRES_CONFIG_H

class Fl_Double_Window;
class Fl_Browser;
class Fl_Button;

class registres_config_class {
 public:
  Fl_Double_Window* fenetre;
  Fl_Browser* liste;
  Fl_Button* bouton_fermer;

  registres_config_class();
};

#endif
