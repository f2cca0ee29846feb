#include "ui/auxiliaires.h"

#include <FL/Fl.H>
#include <FL/Fl_Box.H>
#include <FL/Fl_Browser.H>
#include <FL/Fl_Button.H>
#include <FL/Fl_Check_Button.H>
#include <FL/Fl_Double_Window.H>
#include <FL/Fl_Input.H>

#include "ui/auxiliaires_outils.h"

Fl_Double_Window* fenetre_auxiliaire(void* forme, int w, int h,
                                     const char* titre) {
  Fl_Double_Window* fenetre = new Fl_Double_Window(w, h, titre);
  fenetre->box(FL_NO_BOX);
  fenetre->user_data(forme);
  new Fl_Box(FL_UP_BOX, 0, 0, w + 4, h + 3, nullptr);
  return fenetre;
}

Fl_Box* cadre_titre(int x, int y, int w, int h, const char* titre) {
  Fl_Box* cadre = new Fl_Box(FL_ENGRAVED_FRAME, x, y, w, h, titre);
  cadre->color(FL_BLACK);
  cadre->labelfont(FL_TIMES);
  cadre->align(FL_ALIGN_TOP_LEFT);
  return cadre;
}

namespace {

const char* const noms_registres[7] = {
    "Afficher le registre A",   "Afficher le registre B",
    "Afficher le registre CCR", "Afficher le registre X",
    "Afficher le registre Y",   "Afficher le registre PC",
    "Afficher le registre SP"};

const char* const noms_options[7] = {
    "Afficher le port A",        "Afficher le port B", "Afficher le port C",
    "Afficher le port D",        "Afficher le port E", "Tracage Temps Reel",
    "Registres de configuration"};

Fl_Check_Button* case_a_cocher(int x, int y, const char* texte) {
  Fl_Check_Button* bouton = new Fl_Check_Button(x, y, 30, 30, texte);
  bouton->align(FL_ALIGN_RIGHT);
  bouton->labelfont(FL_TIMES);
  bouton->down_box(FL_DOWN_BOX);
  bouton->selection_color(FL_YELLOW);
  return bouton;
}

Fl_Box* texte_a_gauche(int x, int y, int w, const char* texte) {
  Fl_Box* boite = new Fl_Box(FL_FLAT_BOX, x, y, w, 20, texte);
  boite->labelfont(FL_TIMES);
  boite->align(FL_ALIGN_LEFT | FL_ALIGN_INSIDE);
  return boite;
}

Fl_Browser* navigateur(int x, int y, int w, int h) {
  Fl_Browser* liste = new Fl_Browser(x, y, w, h);
  liste->color(FL_WHITE);
  liste->selection_color(FL_YELLOW);
  return liste;
}

// An input with its label in blue to its left, whole in the window.
Fl_Input* saisie_cycles(int y, const char* texte) {
  Fl_Input* saisie = new Fl_Input(260, y, 100, 30, texte);
  saisie->color(FL_BACKGROUND_COLOR);
  saisie->labelsize(16);
  saisie->labelcolor(FL_BLUE);
  saisie->align(FL_ALIGN_LEFT);
  return saisie;
}

// A small input with its label above it.
Fl_Input* saisie_tension(int x, const char* texte) {
  Fl_Input* saisie = new Fl_Input(x, 85, 30, 30, texte);
  saisie->color(FL_WHITE);
  saisie->align(FL_ALIGN_TOP);
  return saisie;
}

}  // namespace

// Two columns of boxes, each wide enough for its labels; the note under
// them wraps inside the frame.
pref_affichage_class::pref_affichage_class() {
  fenetre = fenetre_auxiliaire(this, 500, 370, "pref_affichage");
  new Fl_Box(FL_ENGRAVED_FRAME, 20, 20, 460, 290, nullptr);
  texte_a_gauche(40, 10, 150, "Preferences d'affichage");
  for (int i = 0; i < 7; ++i)
    cases_registres[i] = case_a_cocher(30, 30 + 30 * i, noms_registres[i]);
  // The port E box is created after the last two options.
  static const int ordre[7] = {0, 1, 2, 3, 5, 6, 4};
  for (int i : ordre)
    cases_options[i] = case_a_cocher(250, 30 + 30 * i, noms_options[i]);
  Fl_Box* note =
      texte_a_gauche(30, 250, 440,
                     "Le nombre de registres affiches conditionne la vitesse "
                     "de l'emulation.");
  note->size(440, 50);
  note->align(FL_ALIGN_LEFT | FL_ALIGN_INSIDE | FL_ALIGN_WRAP);
  bouton_ok = new Fl_Button(200, 325, 60, 30, "OK");
  bouton_ok->labelfont(FL_TIMES);
  fenetre->end();
}

aide_class::aide_class() {
  fenetre = fenetre_auxiliaire(this, 610, 480, "aide");
  texte_aide = navigateur(10, 10, 590, 420);
  texte_aide->box(FL_DOWN_BOX);
  bouton_fermer = new Fl_Button(260, 440, 80, 30, "Fermer");
  fenetre->end();
}

Cycles_class::Cycles_class() {
  fenetre = fenetre_auxiliaire(this, 380, 150, "Cycles");
  saisie_debut = saisie_cycles(10, "Debut du Changement d'Etat");
  saisie_fin = saisie_cycles(50, "Fin du Changement d'Etat");
  bouton_validation = new Fl_Button(260, 110, 100, 30, "Validation");
  bouton_validation->labelsize(24);
  bouton_validation->labelcolor(FL_BLUE);
  fenetre->end();
}

convert_class::convert_class() {
  fenetre = fenetre_auxiliaire(this, 500, 190, "convert");
  bouton_valider = new Fl_Button(220, 145, 80, 30, "Valider");
  static const char* const noms_AN[8] = {"AN7", "AN6", "AN5", "AN4",
                                         "AN3", "AN2", "AN1", "AN0"};
  for (int i = 0; i < 8; ++i)
    saisies_AN[7 - i] = saisie_tension(35 + 40 * i, noms_AN[i]);
  saisie_VRH = saisie_tension(390, "VRH");
  saisie_VRL = saisie_tension(435, "VRL");
  cadre_titre(20, 40, 340, 90, "Entrées Analogiques du port E");
  cadre_titre(370, 40, 110, 90, "Tension Bornes");
  fenetre->end();
}

aff_composant_class::aff_composant_class() {
  fenetre = new Fl_Double_Window(710, 465, "aff_composant");
  fenetre->box(FL_NO_BOX);
  fenetre->user_data(this);
  Fl_Box* fond = new Fl_Box(FL_UP_BOX, 0, 0, 714, 468, nullptr);
  fond->color(FL_LIGHT1);
  construit_boitier(*this);
  cadre_titre(450, 20, 250, 390, "Broches");
  liste_broches = navigateur(459, 30, 230, 370);
  liste_broches->textfont(FL_TIMES);
  bouton_fermer = new Fl_Button(530, 420, 80, 40, "Fermer");
  fenetre->end();
}
