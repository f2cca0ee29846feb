#include "ui/qui_a_change.h"

#include <FL/Fl.H>
#include <FL/Fl_Box.H>
#include <FL/Fl_Button.H>
#include <FL/Fl_Double_Window.H>
#include <FL/Fl_Hold_Browser.H>

#include "ui/auxiliaires_outils.h"

qui_a_change_class::qui_a_change_class() {
  fenetre = fenetre_auxiliaire(this, 560, 400, "Qui a changé ceci ?");
  titre = new Fl_Box(FL_NO_BOX, 10, 8, 540, 24, "");
  titre->align(FL_ALIGN_LEFT | FL_ALIGN_INSIDE);
  titre->labelfont(FL_HELVETICA_BOLD);
  liste = new Fl_Hold_Browser(10, 36, 540, 290);
  liste->textfont(FL_COURIER);
  liste->textsize(12);
  liste->color(FL_WHITE);
  liste->tooltip("Double-cliquer : revenir juste avant cette instruction");
  note = new Fl_Box(FL_NO_BOX, 10, 330, 540, 24, "");
  note->align(FL_ALIGN_LEFT | FL_ALIGN_INSIDE | FL_ALIGN_WRAP);
  note->labelsize(12);
  bouton_fermer = new Fl_Button(240, 360, 80, 30, "Fermer");
  fenetre->end();
}
