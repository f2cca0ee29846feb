#include "ui/registres_config.h"

#include <FL/Fl.H>
#include <FL/Fl_Browser.H>
#include <FL/Fl_Button.H>
#include <FL/Fl_Double_Window.H>

#include "ui/auxiliaires_outils.h"

registres_config_class::registres_config_class() {
  fenetre = fenetre_auxiliaire(this, 520, 600, "Registres de configuration");
  liste = new Fl_Browser(10, 10, 500, 540);
  liste->box(FL_DOWN_BOX);
  liste->color(FL_WHITE);
  liste->textfont(FL_COURIER);
  liste->textsize(12);
  bouton_fermer = new Fl_Button(220, 560, 80, 30, "Fermer");
  fenetre->end();
}
