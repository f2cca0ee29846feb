// The chip view at work: the 52 pins of the MC68HC11E9's PLCC package with
// their names and functions (E-family pin assignments), each port and
// interrupt pin's mark coloured by its live level and direction, the pin
// list with the same, the selected pin highlighted on the drawing and
// described under it, and the 13 pin buttons that toggle the input pins
// (PA0-PA2, PE0-PE7 as the port panels do, IRQ and XIRQ as the
// "Interruptions..." dialog does).
// Leaves out: the bus, clock, mode and power pins' activity.
#include <FL/Fl.H>
#include <FL/Fl_Box.H>
#include <FL/Fl_Browser.H>
#include <FL/Fl_Button.H>
#include <FL/Fl_Double_Window.H>

#include <cstdio>
#include <string>

#include "app/forms_tamrix.h"
#include "app/simulateur.h"
#include "app/travail.h"
#include "ui/auxiliaires.h"

namespace {

struct broche_boitier {
  const char* nom;
  const char* fonction;
  int broche;  // enum broche, or -1
};

constexpr int aucune = -1;

// Indexed by pin number minus one.
const broche_boitier broches_boitier[aff_composant_class::nb_broches] = {
    {"VSS", "masse (0 V)", aucune},
    {"MODB/VSTBY", "mode au reset (MODB) ; secours de la RAM", aucune},
    {"MODA/LIR", "mode au reset (MODA) ; début d'instruction (LIR)", aucune},
    {"STRA/AS", "strobe A du port C ; strobe d'adresse (mode étendu)", aucune},
    {"E", "horloge E, 2 MHz (sortie)", aucune},
    {"STRB/R/W", "strobe B ; lecture/écriture (mode étendu)", aucune},
    {"EXTAL", "quartz ou horloge externe, 8 MHz", aucune},
    {"XTAL", "quartz", aucune},
    {"PC0/ADDR0/DATA0", "port C bit 0 ; adresse/donnée (mode étendu)",
     broche_pc0 + 0},
    {"PC1/ADDR1/DATA1", "port C bit 1 ; adresse/donnée (mode étendu)",
     broche_pc0 + 1},
    {"PC2/ADDR2/DATA2", "port C bit 2 ; adresse/donnée (mode étendu)",
     broche_pc0 + 2},
    {"PC3/ADDR3/DATA3", "port C bit 3 ; adresse/donnée (mode étendu)",
     broche_pc0 + 3},
    {"PC4/ADDR4/DATA4", "port C bit 4 ; adresse/donnée (mode étendu)",
     broche_pc0 + 4},
    {"PC5/ADDR5/DATA5", "port C bit 5 ; adresse/donnée (mode étendu)",
     broche_pc0 + 5},
    {"PC6/ADDR6/DATA6", "port C bit 6 ; adresse/donnée (mode étendu)",
     broche_pc0 + 6},
    {"PC7/ADDR7/DATA7", "port C bit 7 ; adresse/donnée (mode étendu)",
     broche_pc0 + 7},
    {"RESET", "reset, actif bas", aucune},
    {"XIRQ/VPPE", "interruption masquée par X, active basse ; VPPE",
     broche_xirq},
    {"IRQ", "interruption masquée par I, active basse", broche_irq},
    {"PD0/RxD", "port D bit 0 ; réception du SCI", broche_pd0 + 0},
    {"PD1/TxD", "port D bit 1 ; émission du SCI", broche_pd0 + 1},
    {"PD2/MISO", "port D bit 2 ; SPI, entrée du maître", broche_pd0 + 2},
    {"PD3/MOSI", "port D bit 3 ; SPI, sortie du maître", broche_pd0 + 3},
    {"PD4/SCK", "port D bit 4 ; horloge du SPI", broche_pd0 + 4},
    {"PD5/SS", "port D bit 5 ; sélection de l'esclave SPI", broche_pd0 + 5},
    {"VDD", "alimentation +5 V", aucune},
    {"PA7/PAI/OC1", "port A bit 7 (sens : DDRA7) ; accumulateur ; OC1",
     broche_pa0 + 7},
    {"PA6/OC2/OC1", "port A bit 6 (sortie) ; comparaison OC2, OC1",
     broche_pa0 + 6},
    {"PA5/OC3/OC1", "port A bit 5 (sortie) ; comparaison OC3, OC1",
     broche_pa0 + 5},
    {"PA4/OC4/OC1", "port A bit 4 (sortie) ; comparaison OC4, OC1",
     broche_pa0 + 4},
    {"PA3/OC5/IC4/OC1", "port A bit 3 (sens : DDRA3) ; OC5 ou IC4 ; OC1",
     broche_pa0 + 3},
    {"PA2/IC1", "port A bit 2 (entrée) ; capture IC1", broche_pa0 + 2},
    {"PA1/IC2", "port A bit 1 (entrée) ; capture IC2", broche_pa0 + 1},
    {"PA0/IC3", "port A bit 0 (entrée) ; capture IC3", broche_pa0 + 0},
    {"PB7/ADDR15", "port B bit 7 (sortie) ; adresse (mode étendu)",
     broche_pb0 + 7},
    {"PB6/ADDR14", "port B bit 6 (sortie) ; adresse (mode étendu)",
     broche_pb0 + 6},
    {"PB5/ADDR13", "port B bit 5 (sortie) ; adresse (mode étendu)",
     broche_pb0 + 5},
    {"PB4/ADDR12", "port B bit 4 (sortie) ; adresse (mode étendu)",
     broche_pb0 + 4},
    {"PB3/ADDR11", "port B bit 3 (sortie) ; adresse (mode étendu)",
     broche_pb0 + 3},
    {"PB2/ADDR10", "port B bit 2 (sortie) ; adresse (mode étendu)",
     broche_pb0 + 2},
    {"PB1/ADDR9", "port B bit 1 (sortie) ; adresse (mode étendu)",
     broche_pb0 + 1},
    {"PB0/ADDR8", "port B bit 0 (sortie) ; adresse (mode étendu)",
     broche_pb0 + 0},
    {"PE0/AN0", "port E bit 0 (entrée) ; entrée analogique AN0",
     broche_pe0 + 0},
    {"PE4/AN4", "port E bit 4 (entrée) ; entrée analogique AN4",
     broche_pe0 + 4},
    {"PE1/AN1", "port E bit 1 (entrée) ; entrée analogique AN1",
     broche_pe0 + 1},
    {"PE5/AN5", "port E bit 5 (entrée) ; entrée analogique AN5",
     broche_pe0 + 5},
    {"PE2/AN2", "port E bit 2 (entrée) ; entrée analogique AN2",
     broche_pe0 + 2},
    {"PE6/AN6", "port E bit 6 (entrée) ; entrée analogique AN6",
     broche_pe0 + 6},
    {"PE3/AN3", "port E bit 3 (entrée) ; entrée analogique AN3",
     broche_pe0 + 3},
    {"PE7/AN7", "port E bit 7 (entrée) ; entrée analogique AN7",
     broche_pe0 + 7},
    {"VRL", "référence basse du convertisseur A/N", aucune},
    {"VRH", "référence haute du convertisseur A/N", aucune},
};

// Levels and directions: bright when high, dark when low; red for an
// output, green for an input.
const Fl_Color sortie_haute = FL_RED;
const Fl_Color sortie_basse = fl_rgb_color(110, 0, 0);
const Fl_Color entree_haute = FL_GREEN;
const Fl_Color entree_basse = fl_rgb_color(0, 100, 0);
const Fl_Color absente = FL_BACKGROUND_COLOR;
const Fl_Color surlignage = FL_YELLOW;

bool est_sortie(const machine& m, int broche) {
  return broche < broche_irq &&
         ((m.sorties_port(broche / 8) >> (broche % 8)) & 1);
}

// A pin the machine has: the flat model has no IRQ and XIRQ.
bool presente(const machine& m, int broche) {
  return broche != aucune && (broche < broche_irq || m.e9());
}

}  // namespace

vue_composant::vue_composant(simulateur& s) : sim(s), choisie(0) {}

int vue_composant::broche_machine(int numero) {
  if (numero < 1 || numero > aff_composant_class::nb_broches) return aucune;
  return broches_boitier[numero - 1].broche;
}

void vue_composant::installe() {
  aff_composant_class& c = *sim.forme_aff_composant;
  Fl_Group* avant = Fl_Group::current();
  c.fenetre->begin();
  // Under the drawing, left of "Fermer".
  description =
      new Fl_Box(FL_FLAT_BOX, 10, 408, c.bouton_fermer->x() - 20,
                 c.fenetre->h() - 412, "Choisissez une broche dans la liste.");
  description->color(FL_LIGHT1);
  description->align(FL_ALIGN_LEFT | FL_ALIGN_TOP | FL_ALIGN_INSIDE |
                     FL_ALIGN_WRAP);
  description->labelsize(12);
  c.fenetre->end();
  Fl_Group::current(avant);
  c.liste_broches->type(FL_HOLD_BROWSER);
  c.liste_broches->textsize(12);
  static const int colonnes[] = {24, 132, 0};
  c.liste_broches->column_widths(colonnes);
  for (int n = 1; n <= aff_composant_class::nb_broches; ++n)
    if (dynamic_cast<Fl_Button*>(c.marques[n - 1]))
      c.marques[n - 1]->tooltip("Cliquer : basculer cette entrée");
}

void vue_composant::ouvre() {
  montre_auxiliaire(sim.forme_aff_composant->fenetre, "Composant");
  rafraichit();
}

bool vue_composant::reagit(Fl_Widget* objet) {
  aff_composant_class& c = *sim.forme_aff_composant;
  if (objet == c.fenetre || objet == c.bouton_fermer) {
    fl_hide_form(c.fenetre);
    return true;
  }
  if (objet == c.liste_broches) {
    choisit(c.liste_broches->value());
    return true;
  }
  for (int n = 1; n <= aff_composant_class::nb_broches; ++n)
    if (objet == c.marques[n - 1] && dynamic_cast<Fl_Button*>(objet)) {
      bascule(n);
      choisit(n);
      return true;
    }
  return false;
}

// As a click on the port panel's bit, or on the dialog's IRQ/XIRQ button.
void vue_composant::bascule(int numero) {
  machine& m = sim.simulation;
  const int b = broche_machine(numero);
  if (!presente(m, b) || est_sortie(m, b)) return;
  if (b >= broche_irq) {
    m.pose_broche(static_cast<unsigned char>(b), !m.niveau_broche(b));
    sim.controle_execution.affiche_compteur();
  } else {
    portparallele* ports[5] = {&sim.port_A, &sim.port_B, &sim.port_C,
                               &sim.port_D, &sim.port_E};
    portparallele* p = ports[b / 8];
    p->react_in(p->boutons[b % 8]);
    sim.rafraichit_dump(0);
  }
  // A click the history keeps, as on the panels and the dialog.
  sim.entree_utilisateur();
  sim.rafraichit_fenetres();
}

void vue_composant::choisit(int numero) {
  aff_composant_class& c = *sim.forme_aff_composant;
  if (numero < 0 || numero > aff_composant_class::nb_broches) numero = 0;
  if (choisie != 0) {
    c.pattes[choisie - 1]->color(FL_LIGHT1);
    c.pattes[choisie - 1]->redraw();
  }
  choisie = numero;
  if (choisie != 0) {
    c.pattes[choisie - 1]->color(surlignage);
    c.pattes[choisie - 1]->redraw();
    if (c.liste_broches->value() != choisie) c.liste_broches->value(choisie);
  }
  rafraichit();
}

Fl_Color vue_composant::couleur_broche(int numero) const {
  const machine& m = sim.simulation;
  const int b = broche_machine(numero);
  if (!presente(m, b)) return absente;
  const bool haut = m.niveau_broche(static_cast<unsigned char>(b));
  if (est_sortie(m, b)) return haut ? sortie_haute : sortie_basse;
  return haut ? entree_haute : entree_basse;
}

void vue_composant::rafraichit() {
  aff_composant_class& c = *sim.forme_aff_composant;
  if (!c.fenetre->shown()) return;
  for (int n = 1; n <= aff_composant_class::nb_broches; ++n) {
    Fl_Widget* marque = c.marques[n - 1];
    const Fl_Color couleur = couleur_broche(n);
    if (marque->color() != couleur) {
      marque->color(couleur);
      marque->redraw();
    }
    // The pin buttons act on inputs the machine has.
    const int b = broche_machine(n);
    if (dynamic_cast<Fl_Button*>(marque)) {
      const bool actif =
          presente(sim.simulation, b) && !est_sortie(sim.simulation, b);
      if (actif != (marque->active() != 0))
        actif ? marque->activate() : marque->deactivate();
    }
  }
  remplit_liste();
  if (choisie == 0) return;
  const broche_boitier& p = broches_boitier[choisie - 1];
  std::string texte =
      "Broche " + std::to_string(choisie) + " : " + p.nom + "\n" + p.fonction;
  const machine& m = sim.simulation;
  if (p.broche != aucune) {
    if (!presente(m, p.broche))
      texte += "\nAbsente du modèle plat.";
    else
      texte +=
          std::string("\nNiveau ") +
          (m.niveau_broche(static_cast<unsigned char>(p.broche)) ? "1" : "0") +
          (est_sortie(m, p.broche) ? ", sortie" : ", entrée");
  }
  description->copy_label(texte.c_str());
  description->redraw();
}

// "34  PA0/IC3  E 1": number, name, direction and level.
void vue_composant::remplit_liste() {
  Fl_Browser& liste = *sim.forme_aff_composant->liste_broches;
  const machine& m = sim.simulation;
  for (int n = 1; n <= aff_composant_class::nb_broches; ++n) {
    const broche_boitier& p = broches_boitier[n - 1];
    char etat[16] = "";
    if (presente(m, p.broche))
      std::snprintf(
          etat, sizeof etat, "%s %d", est_sortie(m, p.broche) ? "S" : "E",
          m.niveau_broche(static_cast<unsigned char>(p.broche)) ? 1 : 0);
    char ligne[96];
    std::snprintf(ligne, sizeof ligne, "%d\t%s\t%s", n, p.nom, etat);
    if (liste.size() < n)
      liste.add(ligne);
    else if (std::string(liste.text(n)) != ligne)
      liste.text(n, ligne);
  }
}
