#include "ui/form_about.h"

#include <FL/Fl.H>
#include <FL/Fl_Box.H>
#include <FL/Fl_Button.H>
#include <FL/Fl_Double_Window.H>

const char* const lignes_credit[nb_lignes_credit] = {
    "Programme : tamrix",
    "Un simulateur du microcontrôleur MC68HC11",
    "pour l'enseignement de l'assembleur.",
    "Exécution pas à pas, désassemblage, dump mémoire",
    "et ports parallèles A à E.",
    "Réalisé par les contributeurs du projet tamrix.",
    "Distribué sous licence MIT : libre d'utiliser, copier,",
    "modifier et redistribuer, sans aucune garantie.",
    "Interface graphique construite avec FLTK 1.3.",
    "Copyright (c) 2026 les auteurs de tamrix",
    "Version de 2026",
};

namespace {

// A credit line: flat, Times, centred unless told otherwise.
Fl_Box* ligne_texte(int x, int y, int w, const char* texte,
                    Fl_Align alignement = FL_ALIGN_INSIDE, int h = 20) {
  Fl_Box* boite = new Fl_Box(FL_FLAT_BOX, x, y, w, h, texte);
  boite->labelfont(FL_TIMES);
  boite->align(alignement);
  boite->selection_color(50);
  return boite;
}

void cadre_et_titre() {
  new Fl_Box(FL_UP_BOX, 0, 0, 438, 384, nullptr);
  new Fl_Box(FL_ENGRAVED_FRAME, 21, 21, 399, 348, nullptr);
  Fl_Box* nom = ligne_texte(21, 30, 399, "tamrix", FL_ALIGN_INSIDE, 21);
  nom->labelfont(FL_TIMES_BOLD);
  nom->labelsize(20);
  ligne_texte(40, 60, 340, "Simulateur de microcontroleur 68HC711E9");
}

}  // namespace

form_about_class::form_about_class() {
  fenetre = new Fl_Double_Window(435, 380, "form_about");
  fenetre->box(FL_NO_BOX);
  fenetre->user_data(this);
  cadre_et_titre();
  ligne_texte(30, 90, 385, lignes_credit[0], FL_ALIGN_LEFT | FL_ALIGN_INSIDE);
  // The third line is created before the second.
  ligne_texte(30, 130, 380, lignes_credit[2]);
  ligne_texte(30, 110, 380, lignes_credit[1]);
  bouton_ok = new Fl_Button(183, 333, 72, 24, "OK");
  bouton_ok->labelfont(FL_TIMES);
  static const int y_suite[] = {150, 170, 190, 210, 230, 250, 270, 291};
  for (int i = 0; i < 8; ++i)
    ligne_version = ligne_texte(30, y_suite[i], 380, lignes_credit[3 + i]);
  fenetre->end();
}
