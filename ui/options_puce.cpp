#include "ui/options_puce.h"

#include <FL/Fl.H>
#include <FL/Fl_Box.H>
#include <FL/Fl_Browser.H>
#include <FL/Fl_Button.H>
#include <FL/Fl_Check_Button.H>
#include <FL/Fl_Double_Window.H>
#include <FL/Fl_Group.H>
#include <FL/Fl_Round_Button.H>

#include <initializer_list>

#include "ui/auxiliaires_outils.h"
#include "ui/carte_memoire.h"

namespace {

Fl_Box* texte(int x, int y, int w, int h, const char* contenu) {
  Fl_Box* boite = new Fl_Box(FL_NO_BOX, x, y, w, h, contenu);
  boite->align(FL_ALIGN_LEFT | FL_ALIGN_INSIDE | FL_ALIGN_WRAP);
  return boite;
}

Fl_Round_Button* choix(int x, int y, const char* contenu) {
  Fl_Round_Button* bouton = new Fl_Round_Button(x, y, 380, 24, contenu);
  bouton->type(FL_RADIO_BUTTON);
  bouton->down_box(FL_ROUND_DOWN_BOX);
  return bouton;
}

}  // namespace

interruptions_class::interruptions_class() {
  fenetre = fenetre_auxiliaire(this, 440, 660, "Interruptions");
  cadre_titre(10, 25, 420, 70, "Modèle simulé");
  Fl_Group* modeles = new Fl_Group(15, 30, 410, 60);
  modele_e9 = choix(20, 35, "E9 : le MC68HC11E9, registres et interruptions");
  modele_plat = choix(20, 62, "Plat : le CPU seul sur 64 Ko de mémoire");
  modeles->end();
  cadre_titre(10, 120, 420, 50, "Broches (actives à 0)");
  bouton_irq = new Fl_Button(30, 130, 170, 30, "IRQ");
  bouton_xirq = new Fl_Button(240, 130, 170, 30, "XIRQ");
  for (Fl_Button* b : {bouton_irq, bouton_xirq})
    b->tooltip("Cliquer : basculer le niveau de la broche");
  etat_cpu = texte(10, 180, 420, 40, "");
  cadre_titre(10, 245, 420, 215, "Sources (priorité décroissante)");
  liste_sources = new Fl_Browser(15, 250, 410, 205);
  liste_sources->textfont(FL_COURIER);
  liste_sources->textsize(12);
  cadre_titre(10, 485, 420, 125, "Timer et COP");
  etat_timer = texte(15, 490, 410, 85, "");
  etat_timer->align(FL_ALIGN_LEFT | FL_ALIGN_TOP | FL_ALIGN_INSIDE);
  etat_timer->labelfont(FL_COURIER);
  etat_timer->labelsize(12);
  cop_actif = new Fl_Check_Button(20, 576, 400, 30,
                                  "COP actif (NOCOP de CONFIG à 0, "
                                  "puis reset)");
  cop_actif->down_box(FL_DOWN_BOX);
  cop_actif->tooltip(
      "Le chien de garde remet la puce à zéro si le programme n'écrit pas "
      "$55 puis $AA dans COPRST ($103A) à temps");
  bouton_fermer = new Fl_Button(180, 620, 80, 30, "Fermer");
  fenetre->end();
}

adresse_base_class::adresse_base_class() {
  fenetre = fenetre_auxiliaire(this, 540, 560, "Adresse de base");
  registres = texte(20, 10, 500, 22, "");
  ram = texte(20, 32, 500, 22, "");
  mode = texte(20, 54, 500, 22, "");
  config = texte(20, 76, 500, 22, "");
  dessin = new dessin_carte(20, 108, 250, 340);
  explication = texte(285, 108, 235, 340, "");
  explication->align(FL_ALIGN_LEFT | FL_ALIGN_TOP | FL_ALIGN_INSIDE |
                     FL_ALIGN_WRAP);
  explication->labelsize(11);
  cadre_titre(20, 475, 500, 40,
              "Mode au prochain reset (broches MODA et MODB)");
  Fl_Group* modes = new Fl_Group(25, 480, 490, 30);
  mode_etendu = choix(30, 483, "Étendu (cartes d'évaluation)");
  mode_etendu->size(230, 24);
  mode_monopuce = choix(270, 483, "Monopuce (single-chip)");
  mode_monopuce->size(230, 24);
  modes->end();
  bouton_fermer = new Fl_Button(230, 522, 80, 30, "Fermer");
  fenetre->end();
}
