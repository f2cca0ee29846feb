// The timing diagram at work: the rows chosen with the "Sel" buttons, the
// view bounded by "Début"/"Fin" (or the Cycles dialog) and "ZOOM ", the
// time unit, the levels as digits, the live follow of a run
// ("Simulation"), the E/S marks showing each pin's direction, and the
// mouse: a click reads the cycle under the pointer and the time since the
// previous click, the wheel zooms around the pointer, a right click opens
// the Cycles dialog.
#include <FL/Fl.H>
#include <FL/Fl_Box.H>
#include <FL/Fl_Button.H>
#include <FL/Fl_Double_Window.H>
#include <FL/Fl_Input.H>

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "app/forms_tamrix.h"
#include "app/saisies.h"
#include "app/simulateur.h"
#include "app/travail.h"
#include "ui/auxiliaires.h"
#include "ui/trace_chronogramme.h"

namespace {

const char* const noms_signaux[vue_chronogramme::nb_signaux] = {
    "PA7", "PA6", "PA5", "PA4", "PA3", "PA2", "PA1", "PA0", "PB7", "PB6",
    "PB5", "PB4", "PB3", "PB2", "PB1", "PB0", "PC7", "PC6", "PC5", "PC4",
    "PC3", "PC2", "PC1", "PC0", "PD5", "PD4", "PD3", "PD2", "PD1", "PD0",
    "PE7", "PE6", "PE5", "PE4", "PE3", "PE2", "PE1", "PE0", "IRQ", "XIRQ"};

// The smallest view: a few cycles over the whole width.
constexpr uint64_t etendue_min = 4;
// The first view when the log is short: 50 ms of the chip.
constexpr uint64_t etendue_initiale = 100000;

const Fl_Color couleur_choisie = FL_YELLOW;
const Fl_Color couleur_active = FL_BLACK;

// Reads a bound typed by the user: decimal, $hex or 0xhex, not negative.
bool lit_borne(const char* texte, uint64_t& borne) {
  int32_t n = 0;
  if (!lit_nombre_saisi(texte, &n) || n < 0) return false;
  borne = static_cast<uint64_t>(n);
  return true;
}

bool vide(const char* texte) {
  for (; *texte; ++texte)
    if (*texte != ' ') return false;
  return true;
}

void colore(Fl_Widget* w, Fl_Color fond, Fl_Color encre) {
  if (w->color() == fond && w->labelcolor() == encre) return;
  w->color(fond);
  w->labelcolor(encre);
  w->redraw();
}

}  // namespace

unsigned char vue_chronogramme::broche_du_signal(int signal) {
  if (signal < 8) return static_cast<unsigned char>(broche_pa0 + 7 - signal);
  if (signal < 16) return static_cast<unsigned char>(broche_pb0 + 15 - signal);
  if (signal < 24) return static_cast<unsigned char>(broche_pc0 + 23 - signal);
  if (signal < 30) return static_cast<unsigned char>(broche_pd0 + 29 - signal);
  if (signal < 38) return static_cast<unsigned char>(broche_pe0 + 37 - signal);
  return signal == 38 ? broche_irq : broche_xirq;
}

const char* vue_chronogramme::nom_du_signal(int signal) {
  return noms_signaux[signal];
}

vue_chronogramme::vue_chronogramme(simulateur& s)
    : sim(s),
      selection_(uint64_t(0xFF) << 8),  // port B
      debut_(0),
      fin_(etendue_initiale),
      suivi_(true),
      microsecondes_(false),
      chiffres_(false),
      vue_choisie_(false) {}

Fl_Button* vue_chronogramme::bouton_selection(int signal) const {
  Fl_Button* b = sim.forme_chronogramme->selections[signal];
  if (b == nullptr && signal >= 1 && signal <= 3)
    return selections_ajoutees[signal - 1];
  return b;
}

void vue_chronogramme::installe() {
  Chronogramme_class& c = *sim.forme_chronogramme;
  Fl_Group* avant = Fl_Group::current();
  c.fenetre->begin();
  Fl_Widget* zone = c.zone_trace;
  trace = new trace_chronogramme(zone->x(), zone->y(), zone->w(), zone->h());
  trace->tooltip(
      "Clic : cycle sous le pointeur et écart depuis le clic précédent\n"
      "Molette : zoom autour du pointeur\n"
      "Clic droit : bornes de la vue (fenêtre Cycles)");
  // PA6 to PA4, outputs of the timer's compares, can be chosen too.
  const Fl_Button* modele = c.selections[0];
  for (int i = 1; i <= 3; ++i) {
    const Fl_Widget* nom = c.noms_signaux[i];
    Fl_Button* b = new Fl_Button(modele->x(), nom->y(), modele->w(), nom->h());
    b->copy_label((std::string("Sel ") + noms_signaux[i]).c_str());
    b->box(modele->box());
    b->labelsize(modele->labelsize());
    b->labelcolor(modele->labelcolor());
    selections_ajoutees[i - 1] = b;
  }
  const int y_libre = zone->y() + zone->h() + 4;
  lecture = new Fl_Box(FL_FLAT_BOX, 10, y_libre, c.fenetre->w() - 20, 18,
                       "Cliquez dans le tracé pour lire un cycle");
  etat = new Fl_Box(FL_FLAT_BOX, 10, y_libre + 20, c.fenetre->w() - 20, 18,
                    nullptr);
  for (Fl_Box* b : {lecture, etat}) {
    b->align(FL_ALIGN_LEFT | FL_ALIGN_INSIDE);
    b->labelsize(12);
  }
  c.fenetre->end();
  Fl_Group::current(avant);
  // The E and S marks, found on their signal's row.
  for (int i = 0; i < c.fenetre->children(); ++i) {
    Fl_Widget* w = c.fenetre->child(i);
    if (w->w() != 10 || w->h() != 10 || !w->label()) continue;
    const bool e = std::strcmp(w->label(), "E") == 0;
    if (!e && std::strcmp(w->label(), "S") != 0) continue;
    for (int s = 0; s < nb_signaux; ++s)
      if (c.noms_signaux[s]->y() == w->y())
        (e ? marques_e : marques_s)[s].push_back(w);
  }
  for (Fl_Input* saisie :
       {c.saisie_debut, c.saisie_fin, sim.forme_cycles->saisie_debut,
        sim.forme_cycles->saisie_fin})
    saisie->when(FL_WHEN_ENTER_KEY_ALWAYS);
  c.bouton_zoom->tooltip(
      "Vue entre Début et Fin (cycles) ; champs vides : tout l'historique");
  c.bouton_simulation->tooltip("Suivre l'exécution en direct");
  c.bouton_unite->tooltip("Axe du temps en cycles ou en µs (E = 2 MHz)");
  c.bouton_niveaux->tooltip("Afficher les niveaux en chiffres");
  montre_selection();
  montre_boutons();
}

void vue_chronogramme::ouvre() {
  Chronogramme_class& c = *sim.forme_chronogramme;
  if (!vue_choisie_) {
    const machine& m = sim.simulation;
    const uint64_t depuis = m.journal.complet_depuis();
    fin_ = std::max(m.cycles, depuis + etendue_initiale);
    debut_ = fin_ - std::max(fin_ - depuis, etendue_initiale);
  }
  montre_auxiliaire(c.fenetre, "Chronogramme");
  rafraichit();
}

void vue_chronogramme::rafraichit() {
  if (!sim.forme_chronogramme->fenetre->shown()) return;
  if (suivi_) {
    // The present at the right edge, the width kept.
    const uint64_t etendue = fin_ - debut_;
    fin_ = std::max(sim.simulation.cycles, etendue);
    debut_ = fin_ - etendue;
  }
  montre_directions();
  dessine();
}

void vue_chronogramme::choisit_selection(uint64_t signaux) {
  selection_ = signaux & ((uint64_t(1) << nb_signaux) - 1);
  montre_selection();
  if (sim.forme_chronogramme->fenetre->shown()) dessine();
}

std::string vue_chronogramme::texte_selection() const {
  std::string texte;
  for (int s = 0; s < nb_signaux; ++s) {
    if (!((selection_ >> s) & 1)) continue;
    if (!texte.empty()) texte += ',';
    texte += noms_signaux[s];
  }
  return texte;
}

void vue_chronogramme::lit_selection(const std::string& texte) {
  uint64_t signaux = 0;
  std::size_t debut = 0;
  while (debut < texte.size()) {
    std::size_t virgule = texte.find(',', debut);
    if (virgule == std::string::npos) virgule = texte.size();
    const std::string nom = texte.substr(debut, virgule - debut);
    for (int s = 0; s < nb_signaux; ++s)
      if (nom == noms_signaux[s]) signaux |= uint64_t(1) << s;
    debut = virgule + 1;
  }
  choisit_selection(signaux);
}

bool vue_chronogramme::reagit(Fl_Widget* objet) {
  Chronogramme_class& c = *sim.forme_chronogramme;
  Cycles_class& cy = *sim.forme_cycles;
  if (objet == c.fenetre || objet == c.bouton_quitter) {
    fl_hide_form(cy.fenetre);
    fl_hide_form(c.fenetre);
  } else if (objet == trace) {
    geste_souris();
  } else if (objet == c.bouton_unite) {
    microsecondes_ = !microsecondes_;
    montre_boutons();
    dessine();
  } else if (objet == c.bouton_niveaux) {
    chiffres_ = !chiffres_;
    montre_boutons();
    dessine();
  } else if (objet == c.bouton_simulation) {
    suivi_ = !suivi_;
    montre_boutons();
    rafraichit();
  } else if (objet == c.bouton_zoom || objet == c.saisie_debut ||
             objet == c.saisie_fin) {
    zoome_sur_les_bornes();
  } else if (objet == cy.bouton_validation || objet == cy.saisie_debut ||
             objet == cy.saisie_fin) {
    valide_cycles();
  } else if (objet == cy.fenetre) {
    fl_hide_form(cy.fenetre);
  } else {
    for (int s = 0; s < nb_signaux; ++s)
      if (objet != nullptr && objet == bouton_selection(s)) {
        choisit_selection(selection_ ^ (uint64_t(1) << s));
        return true;
      }
    return false;
  }
  return true;
}

void vue_chronogramme::montre_vue(uint64_t debut, uint64_t fin) {
  debut_ = debut;
  fin_ = std::max(fin, debut + etendue_min);
  vue_choisie_ = true;
  if (suivi_) {
    suivi_ = false;
    montre_boutons();
  }
  dessine();
}

// "ZOOM ": the view between the two bounds; both empty, the whole history.
void vue_chronogramme::zoome_sur_les_bornes() {
  Chronogramme_class& c = *sim.forme_chronogramme;
  const char* texte_debut = c.saisie_debut->value();
  const char* texte_fin = c.saisie_fin->value();
  if (vide(texte_debut) && vide(texte_fin)) {
    const machine& m = sim.simulation;
    montre_vue(m.journal.complet_depuis(),
               std::max(m.cycles, m.journal.complet_depuis() + etendue_min));
    return;
  }
  uint64_t debut = 0, fin = 0;
  if (!lit_borne(texte_debut, debut) || !lit_borne(texte_fin, fin) ||
      debut >= fin) {
    simulateur::alerte("Bornes invalides",
                       "Début et Fin : des cycles, Début avant Fin",
                       "(décimal, $hex ou 0xhex)", 0);
    return;
  }
  montre_vue(debut, fin);
}

// The Cycles dialog's "Validation": its bounds become the view's.
void vue_chronogramme::valide_cycles() {
  Cycles_class& cy = *sim.forme_cycles;
  uint64_t debut = 0, fin = 0;
  if (!lit_borne(cy.saisie_debut->value(), debut) ||
      !lit_borne(cy.saisie_fin->value(), fin) || debut >= fin) {
    simulateur::alerte("Bornes invalides",
                       "Début et Fin : des cycles, Début avant Fin",
                       "(décimal, $hex ou 0xhex)", 0);
    return;
  }
  Chronogramme_class& c = *sim.forme_chronogramme;
  c.saisie_debut->value(cy.saisie_debut->value());
  c.saisie_fin->value(cy.saisie_fin->value());
  fl_hide_form(cy.fenetre);
  montre_vue(debut, fin);
}

void vue_chronogramme::geste_souris() {
  if (trace->actions.empty()) return;
  const trace_chronogramme::action a = trace->actions.front();
  trace->actions.pop_front();
  Chronogramme_class& c = *sim.forme_chronogramme;
  switch (a.quoi) {
    case trace_chronogramme::geste::clic: {
      trace->clic_precedent = trace->clic;
      trace->clic = static_cast<int64_t>(a.cycle);
      std::string texte = "Curseur : cycle " + std::to_string(a.cycle) + " (" +
                          texte_duree(a.cycle, true) + ")";
      if (trace->clic_precedent >= 0) {
        const uint64_t p = static_cast<uint64_t>(trace->clic_precedent);
        const uint64_t ecart = a.cycle > p ? a.cycle - p : p - a.cycle;
        texte +=
            "     depuis le clic précédent : " + texte_duree(ecart, false) +
            " (" + texte_duree(ecart, true) + ")";
        // The two clicks bound the next "ZOOM ".
        c.saisie_debut->value(std::to_string(std::min(a.cycle, p)).c_str());
        c.saisie_fin->value(std::to_string(std::max(a.cycle, p)).c_str());
      }
      lecture->copy_label(texte.c_str());
      lecture->redraw();
      trace->redraw();
      break;
    }
    case trace_chronogramme::geste::bornes: {
      Cycles_class& cy = *sim.forme_cycles;
      cy.saisie_debut->value(std::to_string(debut_).c_str());
      cy.saisie_fin->value(std::to_string(fin_).c_str());
      montre_auxiliaire(cy.fenetre, "Cycles");
      break;
    }
    case trace_chronogramme::geste::zoom_avant:
    case trace_chronogramme::geste::zoom_arriere: {
      // Halve or double the width, the cycle under the pointer staying put.
      const bool avant = a.quoi == trace_chronogramme::geste::zoom_avant;
      const uint64_t gauche = a.cycle - debut_, droite = fin_ - a.cycle;
      const uint64_t g = avant ? gauche / 2 : gauche * 2;
      const uint64_t d = avant ? droite / 2 : droite * 2;
      if (avant && g + d < etendue_min) break;
      montre_vue(g > a.cycle ? 0 : a.cycle - g, a.cycle + d);
      break;
    }
  }
}

void vue_chronogramme::montre_selection() {
  for (int s = 0; s < nb_signaux; ++s)
    if (Fl_Button* b = bouton_selection(s))
      colore(b, (selection_ >> s) & 1 ? couleur_choisie : FL_BACKGROUND_COLOR,
             FL_BLUE);
}

void vue_chronogramme::montre_boutons() {
  Chronogramme_class& c = *sim.forme_chronogramme;
  colore(c.bouton_simulation, suivi_ ? FL_GREEN : FL_BACKGROUND_COLOR,
         FL_FOREGROUND_COLOR);
  colore(c.bouton_niveaux, chiffres_ ? couleur_choisie : FL_BACKGROUND_COLOR,
         FL_BLUE);
  colore(c.bouton_unite, microsecondes_ ? couleur_choisie : FL_BACKGROUND_COLOR,
         FL_MAGENTA);
}

// Each row's marks: the one of its pin's present direction stands out on
// black; the other is greyed, or hidden where it lies under the first.
void vue_chronogramme::montre_directions() {
  const machine& m = sim.simulation;
  for (int s = 0; s < nb_signaux; ++s) {
    const unsigned char b = broche_du_signal(s);
    const bool sortie =
        b < broche_irq && ((m.sorties_port(b / 8) >> (b % 8)) & 1);
    const std::vector<Fl_Widget*>& actives =
        sortie ? marques_s[s] : marques_e[s];
    const std::vector<Fl_Widget*>& autres =
        sortie ? marques_e[s] : marques_s[s];
    for (Fl_Widget* w : actives) {
      colore(w, couleur_active, sortie ? FL_RED : FL_GREEN);
      w->show();
    }
    for (Fl_Widget* w : autres) {
      bool dessous = false;
      for (Fl_Widget* a : actives) dessous = dessous || a->x() == w->x();
      colore(w, FL_BACKGROUND_COLOR, FL_INACTIVE_COLOR);
      dessous ? w->hide() : w->show();
    }
  }
}

void vue_chronogramme::dessine() {
  const machine& m = sim.simulation;
  trace->lignes.clear();
  uint64_t broches = 0;
  for (int s = 0; s < nb_signaux; ++s)
    if ((selection_ >> s) & 1) {
      trace->lignes.push_back({broche_du_signal(s), noms_signaux[s]});
      broches |= uint64_t(1) << broche_du_signal(s);
    }
  trace->vue = {debut_, fin_, trace->colonnes()};
  trace->microsecondes = microsecondes_;
  trace->chiffres = chiffres_;
  calcule_traces(m.journal, index_, m.cycles, trace->vue, broches, traces_);
  trace->traces = &traces_;
  trace->redraw();
  char texte[256];
  std::snprintf(texte, sizeof texte,
                "Vue : cycles %llu à %llu (%s)%s     Données depuis le cycle "
                "%llu, %zu changements",
                static_cast<unsigned long long>(debut_),
                static_cast<unsigned long long>(fin_),
                texte_duree(fin_ - debut_, microsecondes_).c_str(),
                suivi_ ? ", suit l'exécution" : "",
                static_cast<unsigned long long>(m.journal.complet_depuis()),
                m.journal.taille());
  etat->copy_label(texte);
  etat->redraw();
}
