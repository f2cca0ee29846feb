#include "ui/fenetres_debogueur.h"

#include <FL/Fl.H>
#include <FL/Fl_Box.H>
#include <FL/Fl_Browser.H>
#include <FL/Fl_Button.H>
#include <FL/Fl_Check_Button.H>
#include <FL/Fl_Choice.H>
#include <FL/Fl_Double_Window.H>
#include <FL/Fl_Hold_Browser.H>
#include <FL/Fl_Input.H>

#include "ui/auxiliaires_outils.h"

namespace {

Fl_Input* champ(int x, int y, int w, const char* nom) {
  Fl_Input* c = new Fl_Input(x, y, w, 24, nom);
  c->when(FL_WHEN_CHANGED | FL_WHEN_ENTER_KEY);
  return c;
}

}  // namespace

points_arret_class::points_arret_class() {
  fenetre = fenetre_auxiliaire(this, 600, 520, "Points d'arrêt");
  liste = new Fl_Hold_Browser(10, 10, 580, 170);
  liste->textfont(FL_COURIER);
  liste->textsize(12);
  liste->color(FL_WHITE);
  static int colonnes[] = {36, 50, 200, 200, 80, 0};
  liste->column_widths(colonnes);
  liste->column_char('\t');
  sorte = new Fl_Choice(90, 190, 150, 24, "Sorte");
  sorte->add(
      "Instruction|Écriture|Lecture|Accès|Interruption|Broche|"
      "Accès refusé|Opcode illégal|Reset COP|Cycle");
  sorte->value(0);
  lieu = champ(290, 190, 300, "Lieu");
  lieu->tooltip(
      "Adresse, étiquette ou fichier:ligne ; plage $40-$43 ; "
      "IRQ, TOF, SWI... ; PA0, IRQ... ; numéro de cycle");
  condition = champ(90, 220, 500, "Condition");
  condition->tooltip(
      "A == $ff && [$40] > 3 ; registres, drapeaux, [adr], [[adr]], "
      "étiquettes, cycles ; valeur, avant, adresse pour un accès");
  erreur = new Fl_Box(FL_NO_BOX, 90, 246, 500, 20, "");
  erreur->align(FL_ALIGN_LEFT | FL_ALIGN_INSIDE);
  erreur->labelcolor(FL_RED);
  erreur->labelsize(12);
  passage = champ(160, 270, 70, "Arrêt au passage");
  actif = new Fl_Check_Button(250, 270, 80, 24, "Actif");
  actif->value(1);
  trace = new Fl_Check_Button(340, 270, 250, 24, "Trace : noter sans arrêter");
  message = champ(90, 300, 500, "Message");
  message->tooltip("Ligne notée par une trace : A={A} X={X} [$40]={[$40]}");
  bouton_ajouter = new Fl_Button(10, 334, 110, 28, "Ajouter");
  bouton_modifier = new Fl_Button(125, 334, 110, 28, "Modifier");
  bouton_supprimer = new Fl_Button(240, 334, 110, 28, "Supprimer");
  bouton_compteurs = new Fl_Button(355, 334, 110, 28, "Compteurs à 0");
  bouton_qui = new Fl_Button(470, 334, 120, 28, "Qui a changé ceci ?");
  bouton_qui->deactivate();
  journal = new Fl_Browser(10, 386, 580, 90, "Journal des traces");
  journal->align(FL_ALIGN_TOP_LEFT);
  journal->textfont(FL_COURIER);
  journal->textsize(12);
  journal->color(FL_WHITE);
  bouton_fermer = new Fl_Button(260, 484, 80, 28, "Fermer");
  fenetre->end();
}

pile_appels_class::pile_appels_class() {
  fenetre = fenetre_auxiliaire(this, 520, 330, "Pile d'appels");
  liste = new Fl_Hold_Browser(10, 10, 500, 240);
  liste->textfont(FL_COURIER);
  liste->textsize(12);
  liste->color(FL_WHITE);
  liste->tooltip("Cliquer : montrer le code de cet appel");
  note = new Fl_Box(FL_NO_BOX, 10, 254, 500, 30, "");
  note->align(FL_ALIGN_LEFT | FL_ALIGN_INSIDE | FL_ALIGN_WRAP);
  note->labelsize(12);
  bouton_retour = new Fl_Button(10, 290, 200, 30, "Retour au point d'appel");
  bouton_fermer = new Fl_Button(430, 290, 80, 30, "Fermer");
  fenetre->end();
}
