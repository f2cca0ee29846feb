// The drawing of the 52-pin PLCC package of the MC68HC11E9.

#include <FL/Fl.H>
#include <FL/Fl_Box.H>
#include <FL/Fl_Button.H>
#include <FL/Fl_Double_Window.H>

#include <string>

#include "ui/auxiliaires_outils.h"

namespace {

enum cote { haut, gauche, bas, droite };

struct place_broche {
  cote bord;
  int rang;  // 0 to 12, left to right or top to bottom
};

// Pins 1 to 7 and 47 to 52 on the top edge (7 at the left), 8 to 20 down
// the left edge, 21 to 33 along the bottom, 46 down to 34 on the right.
place_broche place_de(int broche) {
  if (broche <= 7) return {haut, 7 - broche};
  if (broche <= 20) return {gauche, broche - 8};
  if (broche <= 33) return {bas, broche - 21};
  if (broche <= 46) return {droite, 46 - broche};
  return {haut, 59 - broche};
}

constexpr int pas = 21;  // pixels from one pin to the next

// Left of a pin's slot on the top and bottom edges, top on the side edges.
int debut_horizontal(int rang) { return 60 + pas * rang; }
int debut_vertical(int rang) { return 68 + pas * rang; }

struct cadre {
  int x, y, w, h;
};

cadre cadre_numero(place_broche p) {
  switch (p.bord) {
    case haut:
      return {debut_horizontal(p.rang) + 3, 60, 12, 12};
    case bas:
      return {debut_horizontal(p.rang) + 3, 333, 12, 12};
    case gauche:
      return {51, debut_vertical(p.rang) - 1, 12, 12};
    default:
      return {327, debut_vertical(p.rang) - 1, 12, 12};
  }
}

cadre cadre_marque(place_broche p) {
  switch (p.bord) {
    case haut:
      return {debut_horizontal(p.rang) + 5, 37, 10, 10};
    case bas:
      return {debut_horizontal(p.rang) + 5, 357, 10, 10};
    case gauche:
      return {35, debut_vertical(p.rang), 9, 9};
    default:
      return {354, debut_vertical(p.rang), 9, 9};
  }
}

cadre cadre_patte(place_broche p) {
  int haut_lateral = p.rang % 2 == 0 ? 10 : 9;
  switch (p.bord) {
    case haut:
      return {debut_horizontal(p.rang), 5, 20, 30};
    case bas:
      return {debut_horizontal(p.rang), 372, 20, 30};
    case gauche:
      return {15, debut_vertical(p.rang), 19, haut_lateral};
    default:
      return {369, debut_vertical(p.rang), 19, haut_lateral};
  }
}

// The input pins a user could drive: IRQ, XIRQ, PA0 to PA2, PE0 to PE7.
bool marque_est_bouton(int broche) {
  return broche == 18 || broche == 19 || (broche >= 32 && broche <= 34) ||
         (broche >= 43 && broche <= 50);
}

// Direction arrows on the leads of port A: PA6 to PA4 leave the chip,
// PA2 and PA1 enter it from below, PA0 from the right.
const char* fleche_de(int broche) {
  if (broche >= 28 && broche <= 30) return "v";
  if (broche == 32 || broche == 33) return "^";
  if (broche == 34) return "<";
  return nullptr;
}

void numeros(aff_composant_class& forme) {
  for (int b = 1; b <= aff_composant_class::nb_broches; ++b) {
    cadre c = cadre_numero(place_de(b));
    Fl_Box* numero = new Fl_Box(FL_FLAT_BOX, c.x, c.y, c.w, c.h, nullptr);
    numero->copy_label(std::to_string(b).c_str());
    numero->color(FL_INACTIVE_COLOR);
    numero->labelsize(8);
    numero->labelcolor(FL_WHITE);
    numero->align(FL_ALIGN_INSIDE);
    forme.numeros[b - 1] = numero;
  }
}

void marques(aff_composant_class& forme) {
  for (int b = 1; b <= aff_composant_class::nb_broches; ++b) {
    cadre c = cadre_marque(place_de(b));
    if (marque_est_bouton(b))
      forme.marques[b - 1] = new Fl_Button(c.x, c.y, c.w, c.h);
    else
      forme.marques[b - 1] = new Fl_Box(FL_UP_BOX, c.x, c.y, c.w, c.h, nullptr);
  }
}

void pattes(aff_composant_class& forme) {
  for (int b = 1; b <= aff_composant_class::nb_broches; ++b) {
    cadre c = cadre_patte(place_de(b));
    Fl_Box* patte = new Fl_Box(FL_FLAT_BOX, c.x, c.y, c.w, c.h, fleche_de(b));
    patte->color(FL_LIGHT1);
    patte->labelsize(8);
    forme.pattes[b - 1] = patte;
  }
}

}  // namespace

void construit_boitier(aff_composant_class& forme) {
  forme.boitier = new Fl_Box(FL_UP_BOX, 45, 48, 303, 306, "MC68HC11E9");
  forme.boitier->color(FL_INACTIVE_COLOR);
  forme.boitier->labelsize(32);
  numeros(forme);
  marques(forme);
  pattes(forme);
  new Fl_Box(FL_ROUND_UP_BOX, 190, 80, 10, 10, nullptr);
}
