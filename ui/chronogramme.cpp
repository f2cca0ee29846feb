// The timing-diagram window: one 10-pixel row per port signal.

#include <FL/Fl.H>
#include <FL/Fl_Box.H>
#include <FL/Fl_Button.H>
#include <FL/Fl_Double_Window.H>
#include <FL/Fl_Input.H>

#include <string>

#include "ui/auxiliaires_outils.h"

namespace {

// Direction marks of a signal's row.
constexpr unsigned entree = 1;          // "E" at x = 70
constexpr unsigned sortie = 2;          // "S" at x = 80
constexpr unsigned entree_double = 4;   // a second "E" at x = 80, over the "S"
constexpr unsigned sans_selection = 8;  // no "Sel" button on this row

struct signal {
  const char* nom;
  int y;
  unsigned marques;
};

const char* const noms[Chronogramme_class::nb_signaux] = {
    "PA7", "PA6", "PA5", "PA4", "PA3", "PA2", "PA1", "PA0", "PB7", "PB6",
    "PB5", "PB4", "PB3", "PB2", "PB1", "PB0", "PC7", "PC6", "PC5", "PC4",
    "PC3", "PC2", "PC1", "PC0", "PD5", "PD4", "PD3", "PD2", "PD1", "PD0",
    "PE7", "PE6", "PE5", "PE4", "PE3", "PE2", "PE1", "PE0", "IRQ", "XIRQ"};

// Rows are grouped by port, each group starting at its own height.
int y_de(int i) {
  if (i < 8) return 10 + 10 * i;
  if (i < 16) return 100 + 10 * (i - 8);
  if (i < 24) return 190 + 10 * (i - 16);
  if (i < 30) return 300 + 10 * (i - 24);
  if (i < 38) return 370 + 10 * (i - 30);
  return 460 + 10 * (i - 38);
}

// Port A: PA7 both ways, PA6 to PA4 outputs, PA3 both ways, PA2 to PA0
// inputs; B outputs; C and D both ways; E, IRQ and XIRQ inputs. PA7, PA6,
// PB7 and PC7 carry a second "E" over their "S".
unsigned marques_de(int i) {
  static const unsigned port_A[8] = {entree | sortie | entree_double,
                                     sortie | entree_double | sans_selection,
                                     sortie | sans_selection,
                                     sortie | sans_selection,
                                     entree | sortie,
                                     entree,
                                     entree,
                                     entree};
  if (i < 8) return port_A[i];
  if (i < 16) return sortie | (i == 8 ? entree_double : 0u);
  if (i < 24) return entree | sortie | (i == 16 ? entree_double : 0u);
  if (i < 30) return entree | sortie;
  return entree;
}

signal signal_de(int i) { return {noms[i], y_de(i), marques_de(i)}; }

void marque(int x, int y, const char* lettre, Fl_Color couleur) {
  Fl_Button* b = new Fl_Button(x, y, 10, 10, lettre);
  b->box(FL_EMBOSSED_BOX);
  b->labelsize(8);
  b->labelcolor(couleur);
}

Fl_Box* nom_signal(const signal& s) {
  Fl_Box* nom = new Fl_Box(FL_EMBOSSED_BOX, 10, s.y, 50, 10, s.nom);
  nom->labelsize(8);
  nom->labelcolor(FL_GREEN);
  nom->align(FL_ALIGN_LEFT | FL_ALIGN_INSIDE);
  return nom;
}

Fl_Button* selection(const signal& s) {
  if (s.marques & sans_selection) return nullptr;
  Fl_Button* b = new Fl_Button(100, s.y, 40, 10);
  b->copy_label((std::string("Sel ") + s.nom).c_str());
  b->box(FL_EMBOSSED_BOX);
  b->labelsize(8);
  b->labelcolor(FL_BLUE);
  return b;
}

Fl_Button* bouton(int x, int w, const char* texte, Fl_Color couleur) {
  Fl_Button* b = new Fl_Button(x, 560, w, 30, texte);
  b->labelcolor(couleur);
  return b;
}

// An input of the command row with its title above it.
Fl_Input* saisie_bornee(int x_titre, int x, int w, const char* titre) {
  new Fl_Box(x_titre, 540, w, 20, titre);
  Fl_Input* saisie = new Fl_Input(x, 560, 80, 30);
  saisie->color(FL_BACKGROUND_COLOR);
  return saisie;
}

}  // namespace

Chronogramme_class::Chronogramme_class() {
  fenetre = fenetre_auxiliaire(this, 850, 600, "Chronogramme");
  for (int i = 0; i < nb_signaux; ++i) {
    const signal s = signal_de(i);
    noms_signaux[i] = nom_signal(s);
    if (s.marques & entree) marque(70, s.y, "E", FL_GREEN);
    if (s.marques & sortie) marque(80, s.y, "S", FL_RED);
    if (s.marques & entree_double) marque(80, s.y, "E", FL_GREEN);
    selections[i] = selection(s);
  }
  zone_trace = new Fl_Button(140, 10, 670, 470);
  zone_trace->box(FL_NO_BOX);
  zone_trace->selection_color(FL_BLACK);
  bouton_unite = bouton(15, 90, "us<-->Cycles", FL_MAGENTA);
  bouton_simulation = bouton(130, 80, "Simulation", FL_FOREGROUND_COLOR);
  bouton_niveaux = bouton(300, 80, "0<-->1", FL_BLUE);
  saisie_debut = saisie_bornee(430, 430, 80, "Début (cycles)");
  bouton_zoom = bouton(515, 70, "ZOOM ", FL_YELLOW);
  saisie_fin = saisie_bornee(600, 590, 70, "Fin (cycles)");
  bouton_quitter = bouton(720, 80, "Quitter", FL_FOREGROUND_COLOR);
  fenetre->end();
}
