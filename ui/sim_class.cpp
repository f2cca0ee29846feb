#include "ui/sim_class.h"

#include <FL/Fl.H>
#include <FL/Fl_Box.H>
#include <FL/Fl_Button.H>
#include <FL/Fl_Double_Window.H>
#include <FL/Fl_Input.H>
#include <FL/Fl_Menu_Button.H>
#include <FL/Fl_Return_Button.H>
#include <FL/Fl_Slider.H>

namespace {

constexpr Fl_Color couleur_selection = 50;

Fl_Box* boite(Fl_Boxtype type, int x, int y, int w, int h,
              const char* texte = nullptr) {
  Fl_Box* b = new Fl_Box(type, x, y, w, h, texte);
  return b;
}

// A flat title with the light selection colour.
Fl_Box* titre(int x, int y, int w, const char* texte, int taille,
              Fl_Align alignement) {
  Fl_Box* b = boite(FL_FLAT_BOX, x, y, w, 20, texte);
  b->selection_color(couleur_selection);
  b->labelsize(taille);
  b->align(alignement);
  return b;
}

// The name of a register above its field.
Fl_Box* titre_registre(int x, const char* nom) {
  Fl_Box* b = titre(x, 70, 70, nom, 18, FL_ALIGN_INSIDE);
  b->labelfont(FL_TIMES);
  return b;
}

// A sunken Courier 12 box that shows a register's value.
Fl_Box* affichage_registre(int x, int y, const char* texte) {
  Fl_Box* b = boite(FL_DOWN_BOX, x, y, 70, 20, texte);
  b->selection_color(couleur_selection);
  b->labelfont(FL_COURIER);
  b->labelsize(12);
  b->align(FL_ALIGN_INSIDE);
  return b;
}

// A menu of the bar: its text at the left, clear of the arrow the button
// draws at its right.
Fl_Menu_Button* menu(int x, int w, const char* texte) {
  Fl_Menu_Button* m = new Fl_Menu_Button(x, 10, w, 20, texte);
  m->align(FL_ALIGN_LEFT | FL_ALIGN_INSIDE);
  m->box(FL_FLAT_BOX);
  m->selection_color(couleur_selection);
  m->labelfont(FL_TIMES);
  m->labelsize(18);
  return m;
}

// One line of the disassembly or of the dump: white, Courier, left.
Fl_Box* ligne(int x, int i, const char* texte) {
  Fl_Box* b = boite(FL_FLAT_BOX, x, 430 + 20 * i, 260, 20, texte);
  b->color(FL_WHITE);
  b->selection_color(couleur_selection);
  b->labelfont(FL_COURIER);
  b->align(FL_ALIGN_LEFT | FL_ALIGN_INSIDE);
  return b;
}

Fl_Button* bouton_commande(int x, const char* symbole, int taille,
                           Fl_Color couleur) {
  Fl_Button* b = new Fl_Button(x, 360, 40, 40, symbole);
  b->labelsize(taille);
  b->labelcolor(couleur);
  return b;
}

// The fill's button: the return arrow says that Enter in a fill field
// fills; but Enter belongs to the field being edited, so the button does
// not take it as a shortcut from elsewhere (a register field, a button).
class bouton_remplissage : public Fl_Return_Button {
 public:
  using Fl_Return_Button::Fl_Return_Button;
  int handle(int evenement) override {
    if (evenement == FL_SHORTCUT &&
        (Fl::event_key() == FL_Enter || Fl::event_key() == FL_KP_Enter))
      return 0;
    return Fl_Return_Button::handle(evenement);
  }
};

// An input field that takes Enter for itself: its activation goes to the
// queue, and Enter goes nowhere else.
Fl_Input* saisie(int x, int y, int w, int h, const char* titre = nullptr) {
  Fl_Input* e = new Fl_Input(x, y, w, h, titre);
  e->when(FL_WHEN_ENTER_KEY_ALWAYS);
  return e;
}

// A register's hexadecimal input field.
Fl_Input* saisie_registre(int x, int w) {
  Fl_Input* e = saisie(x, 99, w, 21);
  e->color(FL_BACKGROUND_COLOR, couleur_selection);
  e->labelfont(FL_COURIER);
  e->labelsize(12);
  e->textfont(FL_COURIER);
  e->textsize(12);
  return e;
}

}  // namespace

SIM_class::SIM_class() {
  fenetre = new Fl_Double_Window(645, 695, "SIM");
  fenetre->box(FL_NO_BOX);
  fenetre->labelfont(FL_TIMES);
  fenetre->user_data(this);

  boite(FL_UP_BOX, 0, 0, 648, 699)->align(FL_ALIGN_TOP | FL_ALIGN_LEFT);
  boite(FL_ENGRAVED_FRAME, 20, 60, 610, 100);
  titre(40, 40, 170, "Registres generaux", 18, FL_ALIGN_LEFT | FL_ALIGN_INSIDE);
  titre_registre(30, "A");
  aff_A = affichage_registre(30, 130, "00000000");
  titre_registre(110, "B");
  aff_B = affichage_registre(114, 130, "00000000");
  titre_registre(190, "CCR");
  affichage_registre(200, 100, "SXHINZVC");
  aff_CCR = affichage_registre(200, 130, "00000000");
  titre_registre(280, "X");
  aff_X = affichage_registre(287, 130, "65535");
  titre_registre(370, "Y");
  aff_Y = affichage_registre(374, 130, "65535");
  titre_registre(460, "PC");
  aff_PC = affichage_registre(461, 130, "65535");
  titre_registre(550, "SP");
  aff_SP = affichage_registre(550, 130, "65535");

  boite(FL_UP_BOX, 0, 0, 870, 40);
  menu_fichier = menu(8, 92, "Fichier");
  menu_options = menu(102, 100, "Options");

  boite(FL_DOWN_BOX, 30, 420, 280, 260);
  ligne_desa_0 = ligne(40, 0, nullptr);
  boite(FL_DOWN_BOX, 345, 420, 265, 260);
  titre(30, 400, 280, "DESASSEMBLAGE", FL_NORMAL_SIZE, FL_ALIGN_INSIDE)
      ->labelfont(FL_TIMES);
  titre(340, 400, 280, "DUMP MEMOIRE", FL_NORMAL_SIZE, FL_ALIGN_INSIDE)
      ->labelfont(FL_TIMES);
  ascenseur_dump = new Fl_Slider(610, 440, 20, 220);
  ascenseur_dump->type(FL_VERT_NICE_SLIDER);
  ascenseur_dump->labelsize(8);

  bouton_carre = bouton_commande(60, "@square", 20, FL_RED);
  bouton_fleche = bouton_commande(100, "@>", 24, 70);
  bouton_fleche->labelfont(FL_HELVETICA_BOLD);
  bouton_pas = bouton_commande(140, "@->|", 24, 62);
  bouton_init = bouton_commande(20, "@circle", 20, FL_BLUE);

  Fl_Box** desa[] = {&ligne_desa_1,  &ligne_desa_2, &ligne_desa_3,
                     &ligne_desa_4,  &ligne_desa_5, &ligne_desa_6,
                     &ligne_desa_7,  &ligne_desa_8, &ligne_desa_9,
                     &ligne_desa_10, &ligne_desa_11};
  for (int i = 1; i <= 11; ++i) *desa[i - 1] = ligne(40, i, nullptr);
  Fl_Box** dump[] = {&ligne_dump_0, &ligne_dump_1,  &ligne_dump_2,
                     &ligne_dump_3, &ligne_dump_4,  &ligne_dump_5,
                     &ligne_dump_6, &ligne_dump_7,  &ligne_dump_8,
                     &ligne_dump_9, &ligne_dump_10, &ligne_dump_11};
  for (int i = 0; i < 12; ++i)
    *dump[i] = ligne(350, i, "FFFF FF FF FF FF FF FF FF FF");

  dump_haut = new Fl_Button(610, 420, 20, 20, "@8>");
  dump_bas = new Fl_Button(610, 660, 20, 20, "@2>");
  desa_precedent = new Fl_Button(10, 420, 20, 20, "@8>");
  desa_suivant = new Fl_Button(10, 465, 20, 19, "@2>");

  boite(FL_ENGRAVED_FRAME, 20, 185, 610, 160);
  titre(40, 165, 195, "Registre d'entree sortie", 18,
        FL_ALIGN_LEFT | FL_ALIGN_INSIDE);
  bouton_aide = new Fl_Button(570, 11, 70, 12, "AIDE...");
  bouton_aide->box(FL_NO_BOX);
  bouton_aide->labelfont(FL_TIMES);
  bouton_composant = new Fl_Button(488, 5, 80, 24, "Composant");
  bouton_composant->box(FL_FLAT_BOX);
  bouton_composant->labelfont(FL_TIMES);
  desa_pc = new Fl_Button(9, 443, 20, 19, "@>");

  saisie_A = saisie_registre(30, 69);
  saisie_B = saisie_registre(115, 69);
  saisie_X = saisie_registre(287, 70);
  saisie_Y = saisie_registre(375, 69);
  saisie_PC = saisie_registre(461, 70);
  saisie_SP = saisie_registre(550, 70);
  saisie_adresse = saisie(316, 370, 70, 20, "adresse");
  saisie_valeur = saisie(435, 370, 75, 20, "valeur");
  saisie_nombre = saisie(528, 370, 50, 20, "x");
  bouton_remplir = new bouton_remplissage(593, 370, 35, 20);
  fenetre->end();
}
