// The source view and the assembler's messages: widgets only.
#include "ui/fenetres_source.h"

#include <FL/Fl.H>
#include <FL/Fl_Box.H>
#include <FL/Fl_Button.H>
#include <FL/Fl_Double_Window.H>
#include <FL/Fl_Select_Browser.H>

namespace {

Fl_Double_Window* fenetre(int w, int h, const char* titre) {
  Fl_Double_Window* f = new Fl_Double_Window(w, h, titre);
  // A close through the window manager goes on the object queue.
  f->callback(Fl_Widget::default_callback);
  return f;
}

Fl_Box* ligne_de_texte(int x, int y, int w, const char* texte) {
  Fl_Box* b = new Fl_Box(FL_NO_BOX, x, y, w, 22, texte);
  b->align(FL_ALIGN_LEFT | FL_ALIGN_INSIDE | FL_ALIGN_CLIP);
  b->labelsize(12);
  return b;
}

Fl_Browser* liste(Fl_Browser* b) {
  b->textfont(FL_COURIER);
  b->textsize(13);
  b->color(FL_WHITE);
  return b;
}

}  // namespace

fenetre_source_class::fenetre_source_class() {
  fenetre = ::fenetre(600, 460, "Source");
  chemin = ligne_de_texte(8, 4, 584, nullptr);
  lignes = liste(new Fl_Select_Browser(8, 28, 584, 400));
  // A click on a row (released on it) reports it, even when it is the row
  // clicked last.
  lignes->when(FL_WHEN_RELEASE_ALWAYS);
  lignes->clear_visible_focus();
  etat = ligne_de_texte(8, 432, 584,
                        "Cliquer une ligne : poser ou retirer un point "
                        "d'arret sur sa premiere instruction");
  fenetre->resizable(lignes);
  fenetre->size_range(300, 200);
  fenetre->end();
}

fenetre_assemblage_class::fenetre_assemblage_class() {
  fenetre = ::fenetre(620, 300, "Assemblage");
  titre = ligne_de_texte(8, 4, 604, nullptr);
  titre->labelcolor(FL_DARK_RED);
  lignes = liste(new Fl_Browser(8, 28, 604, 226));
  lignes->textsize(12);
  bouton_fermer = new Fl_Button(532, 262, 80, 28, "Fermer");
  fenetre->resizable(lignes);
  fenetre->size_range(300, 150);
  fenetre->end();
}

fenetre_progres_class::fenetre_progres_class() {
  fenetre = new Fl_Double_Window(420, 80, "Assemblage en cours");
  ligne = ligne_de_texte(8, 8, 404, nullptr);
  bouton_annuler = new Fl_Button(332, 44, 80, 28, "Annuler");
  fenetre->set_modal();
  fenetre->end();
}
