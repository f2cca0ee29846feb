#include "ports/portparallele.h"

#include <FL/Fl_Button.H>
#include <FL/fl_draw.H>

#include "app/forms_tamrix.h"
#include "memory/mem_64k.h"
#include "puce/machine.h"
#include "text/conversions.h"
#include "ui/sim_class.h"

namespace {

constexpr Fl_Color couleur_sortie = FL_RED;
constexpr Fl_Color couleur_entree = FL_GREEN;
// Bit buttons: large enough to hit on a projector, eight to a panel.
constexpr int largeur_bit = 12, pas_bit = 13, hauteur_bit = 20;

// A bit of a port: its direction as the button's colour (red output,
// green input), its level as an LED in the middle, lit for 1.
class bouton_bit : public Fl_Button {
 public:
  bouton_bit(int x, int y) : Fl_Button(x, y, largeur_bit, hauteur_bit) {
    box(FL_EMBOSSED_BOX);
  }
  bool allume = false;
  void draw() override {
    draw_box(box(), color());
    const int d = w() - 4;
    const int cx = x() + 2, cy = y() + (h() - d) / 2;
    fl_color(allume ? FL_YELLOW : fl_darker(FL_DARK3));
    fl_pie(cx, cy, d, d, 0, 360);
    fl_color(FL_BLACK);
    fl_arc(cx, cy, d, d, 0, 360);
  }
};

// Shows `octet` in eight binary digits as the widget's label.
void affiche_binaire(Fl_Widget* w, unsigned char octet) {
  w->copy_label(bin8toS(octet).c_str());
  w->redraw();
}

}  // namespace

portparallele::portparallele()
    : fenetre_port(nullptr),
      boutons{},
      mem(nullptr),
      valeur(0),
      sens(0),
      force_sortie(0),
      force_entree(0),
      x_port(0),
      y_port(0),
      adr_donnee(0),
      aff_valeur(nullptr),
      x_ddr(0),
      y_ddr(0),
      adr_ddr(0),
      aff_ddr(nullptr),
      machine_sim(nullptr),
      numero(0) {}

bool portparallele::de_la_puce() const {
  return machine_sim != nullptr && machine_sim->e9();
}

void portparallele::ajoute_titre(int x, int y, const char* texte) {
  Fl_Widget* t = fl_add_text(FL_NORMAL_TEXT, x, y, 80, 20, nullptr);
  t->copy_label(texte);
  fl_set_object_lsize(t, 18);
  fl_set_object_lalign(t, FL_ALIGN_INSIDE);
  fl_set_object_lstyle(t, FL_HELVETICA_BOLD);
}

Fl_Widget* portparallele::ajoute_affichage(int x, int y) {
  Fl_Widget* a = fl_add_text(FL_NORMAL_TEXT, x, y, 80, 20, "00");
  fl_set_object_boxtype(a, FL_DOWN_BOX);
  fl_set_object_lsize(a, FL_NORMAL_SIZE);
  fl_set_object_lalign(a, FL_ALIGN_INSIDE);
  return a;
}

void portparallele::configure(SIM_class* forme, int x, int y,
                              const char* nom_port,
                              unsigned short adresse_donnee, int x_dir,
                              int y_dir, const char* nom_dir,
                              unsigned short adresse_dir, unsigned char sortie,
                              unsigned char entree, mem_64k* m) {
  fenetre_port = forme->fenetre;
  x_port = x;
  y_port = y;
  nom = nom_port;
  adr_donnee = adresse_donnee;
  x_ddr = x_dir;
  y_ddr = y_dir;
  nom_ddr = nom_dir;
  adr_ddr = adresse_dir;
  mem = m;
  force_sortie = sortie;
  force_entree = entree;
  if (!de_la_puce()) {
    mem->write_byte(adr_donnee, 0xFF);
    if (!nom_ddr.empty()) mem->write_byte(adr_ddr, force_sortie);
  }

  // The Forms layer would flip every widget of the window upside down at
  // fl_end_form(); the coordinates here are already top-left based.
  const char retournement = fl_flip;
  fl_flip = 0;
  fl_addto_form(fenetre_port);
  ajoute_titre(x, y, nom.c_str());
  aff_valeur = ajoute_affichage(x, y + 20);
  for (int i = 0; i < 8; ++i) {
    boutons[i] = new bouton_bit(x + 7 * pas_bit - pas_bit * i, y + 40);
    if (!broche_presente(i)) boutons[i]->hide();
  }
  if (!nom_ddr.empty()) {
    ajoute_titre(x_ddr, y_ddr, nom_ddr.c_str());
    aff_ddr = ajoute_affichage(x_ddr, y_ddr + 20);
  }
  fl_end_form();
  fl_flip = retournement;
  maj_etat_boutons();
}

void portparallele::maj_etat_boutons() {
  if (de_la_puce()) {
    sens = machine_sim->sorties_port(numero);
  } else {
    const unsigned char ddr = nom_ddr.empty() ? 0 : mem->read_byte(adr_ddr);
    sens = static_cast<unsigned char>((force_sortie | ddr) & ~force_entree);
  }
  for (int i = 0; i < 8; ++i) {
    const Fl_Color c = (sens >> i) & 1 ? couleur_sortie : couleur_entree;
    fl_set_object_color(boutons[i], c, c);
    boutons[i]->redraw();
  }
  montre_niveaux();
  if (!nom_ddr.empty()) affiche_binaire(aff_ddr, sens);
}

int portparallele::react_in(Fl_Widget* objet) {
  if (de_la_puce()) {
    for (int i = 0; i < 8; ++i) {
      if (((sens >> i) & 1) || objet != boutons[i]) continue;
      const bool haut = (machine_sim->niveaux_port(numero) >> i) & 1;
      machine_sim->pose_broche(static_cast<unsigned char>(numero * 8 + i),
                               !haut);
      react_out();
      return 1;
    }
    return 0;
  }
  int bascule = 0;
  for (int i = 0; i < 8; ++i) {
    if (!((sens >> i) & 1) && objet == boutons[i]) {
      valeur = static_cast<unsigned char>(valeur ^ (1 << i));
      bascule = 1;
    }
  }
  mem->write_byte(adr_donnee, valeur);
  affiche_binaire(aff_valeur, valeur);
  montre_niveaux();
  return bascule;
}

// The pins' levels: the chip's, or the panel's latch in the flat model.
void portparallele::montre_niveaux() {
  const unsigned char niveaux =
      de_la_puce() ? machine_sim->niveaux_port(numero) : valeur;
  for (int i = 0; i < 8; ++i) {
    auto* b = static_cast<bouton_bit*>(boutons[i]);
    const bool allume = (niveaux >> i) & 1;
    if (b->allume == allume) continue;
    b->allume = allume;
    b->redraw();
  }
}

bool portparallele::niveau_affiche(int bit) const {
  return static_cast<const bouton_bit*>(boutons[bit])->allume;
}

void portparallele::react_out() {
  maj_etat_boutons();
  if (de_la_puce()) {
    valeur = machine_sim->niveaux_port(numero);
    affiche_binaire(aff_valeur, valeur);
    montre_niveaux();
    return;
  }
  const unsigned char m = mem->read_byte(adr_donnee);
  valeur = static_cast<unsigned char>((m & sens) | (valeur & ~sens));
  mem->write_byte(adr_donnee, valeur);
  affiche_binaire(aff_valeur, valeur);
  montre_niveaux();
}
