#include "app/execution.h"

#include <FL/Fl.H>
#include <FL/Fl_Box.H>
#include <FL/Fl_Button.H>
#include <FL/Fl_Choice.H>
#include <FL/Fl_Double_Window.H>
#include <FL/Fl_Spinner.H>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <iterator>
#include <string>

#include "app/simulateur.h"
#include "text/durees.h"
#include "ui/sim_class.h"

namespace {

// Time between two redraws of the views during a run: 25 per second.
constexpr double periode_affichage = 0.040;
// Wall time of one slice of the idle callback: short enough for the
// window to stay responsive.
constexpr double duree_tranche = 0.008;
// Instructions executed between two looks at the clock.
constexpr unsigned long instructions_par_lot = 16384;

// Layout of the disassembly lines (main window): the margin between the
// area's edge (x = 30) and the lines (x = 40) takes the breakpoint dots.
constexpr int x_lignes = 40, y_lignes = 430, w_lignes = 260, h_lignes = 20;

// A red dot, or nothing visible: a flat box of the margin's colour.
void marque_point(Fl_Box* point, bool arret) {
  const Fl_Color couleur = arret ? FL_RED : FL_BACKGROUND_COLOR;
  if (point->color() == couleur) return;
  point->box(arret ? FL_OVAL_BOX : FL_FLAT_BOX);
  point->color(couleur);
  point->redraw();
}

double secondes_depuis(std::chrono::steady_clock::time_point t) {
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - t)
      .count();
}

// E cycles a batch may take while the CPU waits (WAI) for an event.
constexpr unsigned long long cycles_par_lot = 4 * instructions_par_lot;

// The E clock of the chip: 2 MHz.
constexpr double horloge_e = 2e6;
// A paced run looks at the clock this often (in seconds of wall time).
constexpr double periode_cadence = 0.010;
// Behind its pace by more than this (a slow host, a dialog, the window
// moved), a run starts again from the present instead of catching up.
constexpr double retard_permis = 0.1;

// The speeds of the "Vitesse" choice, in its order.
constexpr vitesse vitesses[] = {vitesse::temps_reel, vitesse::dixieme,
                                vitesse::centieme, vitesse::pas_animes,
                                vitesse::maximum};

// "$b627 (fin)": an address, and its label when the program has one.
std::string adresse_nommee(const simulateur& sim, unsigned adresse) {
  char texte[16];
  std::snprintf(texte, sizeof texte, "$%04x", adresse);
  const std::string nom =
      sim.debogueur.infos().nom_a(static_cast<unsigned short>(adresse), true);
  return nom.empty() ? texte : std::string(texte) + " (" + nom + ")";
}

// Why a run stopped, for the state line; empty when the user stopped it.
std::string texte_arret(const simulateur& sim, raison_arret r) {
  const machine& m = sim.simulation;
  switch (r) {
    case raison_arret::point_arret:
      if (!sim.outils_debogage.raison.empty())
        return "Arrêt : " + sim.outils_debogage.raison + ".";
      return "Arrêt au point d'arrêt " + adresse_nommee(sim, m.cpu.PC) + ".";
    case raison_arret::boucle_sur_place:
      return "Arrêt : boucle sur elle-même en " +
             adresse_nommee(sim, m.cpu.PC) +
             ", qu'aucune interruption ne peut quitter.";
    case raison_arret::inexistante: {
      if (!m.e9())
        return "Arrêt : opcode inexistant, PC = " +
               adresse_nommee(sim, m.cpu.PC) + ".";
      // The trap stacked the address of the opcode, 9 bytes down.
      const mem_64k& mem = m.memoire;
      const auto sp = m.cpu.SP;
      const unsigned adresse =
          mem.consulte(static_cast<unsigned short>(sp + 8)) << 8 |
          mem.consulte(static_cast<unsigned short>(sp + 9));
      return "Opcode illégal en " + adresse_nommee(sim, adresse) +
             " : déroutement par $fff8.";
    }
    case raison_arret::attente:
      return m.etat_cpu() == interpreteur::attente
                 ? "WAI : aucune interruption ne peut réveiller le CPU."
                 : "STOP : rien ne peut réveiller le CPU.";
    case raison_arret::debogueur:
      return sim.outils_debogage.raison.empty()
                 ? ""
                 : "Arrêt : " + sim.outils_debogage.raison + ".";
    default:
      return "";
  }
}

}  // namespace

void formate_compteur(unsigned long long cycles, char* texte, int taille) {
  std::snprintf(texte, taille, "Cycles : %llu (%s)", cycles,
                texte_duree_e(cycles).c_str());
}

execution::execution(simulateur& s)
    : zones_lignes{},
      points_lignes{},
      compteur(nullptr),
      sim(s),
      points(65536, 0),
      adresses{},
      marche(false),
      raison(raison_arret::aucune),
      total_cycles(0),
      total_instructions(0),
      texte{},
      allure(vitesse::maximum),
      cadence_pas(5),
      cycles_origine(0),
      mesure_cycles(0),
      facteur(0) {
  formate_compteur(0, texte, sizeof texte);
}

execution::~execution() {
  Fl::remove_idle(au_repos, this);
  Fl::remove_timeout(au_temps, this);
  Fl::remove_timeout(reprend_au_repos, this);
}

void execution::installe() {
  Fl_Double_Window* fenetre = sim.forme_sim->fenetre;
  Fl_Group* avant = Fl_Group::current();
  fenetre->begin();
  for (int i = 0; i < nb_lignes; ++i) {
    int y = y_lignes + h_lignes * i;
    Fl_Box* point = new Fl_Box(FL_FLAT_BOX, 32, y + 6, 7, 7, nullptr);
    point->color(FL_BACKGROUND_COLOR);
    points_lignes[i] = point;
    Fl_Button* zone = new Fl_Button(x_lignes, y, w_lignes, h_lignes);
    zone->box(FL_NO_BOX);
    zone->clear_visible_focus();
    zone->tooltip("Cliquer : poser ou retirer un point d'arrêt");
    zones_lignes[i] = zone;
  }
  compteur = new Fl_Box(FL_FLAT_BOX, 230, 40, 400, 20, texte);
  compteur->labelfont(FL_COURIER);
  compteur->labelsize(12);
  compteur->align(FL_ALIGN_RIGHT | FL_ALIGN_INSIDE);
  choix_vitesse = new Fl_Choice(262, 8, 160, 24, "Vitesse");
  // A '/' in a menu text makes a submenu unless escaped.
  choix_vitesse->add(
      "Temps réel|Temps réel ×1\\/10|Temps réel ×1\\/100|"
      "Pas animés|Maximum");
  choix_vitesse->tooltip(
      "Temps réel : au rythme du composant (E = 2 MHz)\n"
      "Pas animés : quelques instructions par seconde, vues redessinées "
      "après chacune\nMaximum : aussi vite que possible");
  choix_vitesse->clear_visible_focus();
  saisie_pas_par_seconde = new Fl_Spinner(426, 8, 55, 24);
  saisie_pas_par_seconde->range(1, 50);
  saisie_pas_par_seconde->step(1);
  saisie_pas_par_seconde->tooltip("Pas animés : instructions par seconde");
  saisie_pas_par_seconde->when(FL_WHEN_CHANGED);
  fenetre->end();
  choisit_vitesse(allure);
  choisit_pas_par_seconde(cadence_pas);
  Fl_Group::current(avant);
}

int execution::reagit(Fl_Widget* objet) {
  SIM_class* forme = sim.forme_sim;
  if (objet == forme->bouton_fleche) {
    demarre();
    return 1;
  }
  if (objet == forme->bouton_carre) {
    arrete();
    return 1;
  }
  if (objet == choix_vitesse) {
    const int i = choix_vitesse->value();
    if (i >= 0 && i < static_cast<int>(std::size(vitesses)))
      choisit_vitesse(vitesses[i]);
    return 1;
  }
  if (objet == saisie_pas_par_seconde) {
    choisit_pas_par_seconde(static_cast<int>(saisie_pas_par_seconde->value()));
    return 1;
  }
  for (int i = 0; i < nb_lignes; ++i)
    if (objet == zones_lignes[i]) {
      bascule_point_arret(adresses[i]);
      affiche_points_arret();
      sim.sauve_points_programme();
      return 1;
    }
  return 0;
}

void execution::demarre() {
  if (marche) return;
  sim.affiche_etat("");
  marche = true;
  raison = raison_arret::aucune;
  dernier_affichage = std::chrono::steady_clock::now();
  facteur = 0;
  mesure_temps = dernier_affichage;
  mesure_cycles = total_cycles;
  repart_du_present();
  if (allure == vitesse::maximum)
    Fl::add_idle(au_repos, this);
  else
    Fl::add_timeout(
        allure == vitesse::pas_animes ? 1.0 / cadence_pas : periode_cadence,
        au_temps, this);
}

void execution::repart_du_present() {
  origine = std::chrono::steady_clock::now();
  cycles_origine = sim.simulation.cycles;
}

double execution::facteur_allure() const {
  switch (allure) {
    case vitesse::dixieme:
      return 0.1;
    case vitesse::centieme:
      return 0.01;
    default:
      return 1.0;
  }
}

void execution::choisit_vitesse(vitesse v) {
  const bool relance = marche;
  if (relance) {
    Fl::remove_idle(au_repos, this);
    Fl::remove_timeout(au_temps, this);
    Fl::remove_timeout(reprend_au_repos, this);
    marche = false;
  }
  allure = v;
  if (choix_vitesse) {
    for (int i = 0; i < static_cast<int>(std::size(vitesses)); ++i)
      if (vitesses[i] == v) choix_vitesse->value(i);
    if (v == vitesse::pas_animes)
      saisie_pas_par_seconde->show();
    else
      saisie_pas_par_seconde->hide();
    choix_vitesse->redraw();
  }
  if (relance) demarre();
}

void execution::choisit_pas_par_seconde(int n) {
  cadence_pas = std::clamp(n, 1, 50);
  if (saisie_pas_par_seconde) saisie_pas_par_seconde->value(cadence_pas);
}

void execution::arrete(raison_arret r) {
  // A step over or out cut short ends with its run.
  sim.outils_debogage.abandonne_intention();
  if (!marche) return;
  marche = false;
  raison = r;
  Fl::remove_idle(au_repos, this);
  Fl::remove_timeout(au_temps, this);
  Fl::remove_timeout(reprend_au_repos, this);
  facteur = 0;
  rafraichit_tout();
  sim.affiche_etat(texte_arret(sim, r).c_str());
  sim.rafraichit_debogueur();
}

void execution::au_repos(void* moi) {
  execution& ex = *static_cast<execution*>(moi);
  ex.tranche(duree_tranche);
  // Stopped by STOP, the CPU waits for a pin: no need to spin meanwhile.
  if (ex.marche && ex.sim.simulation.etat_cpu() == interpreteur::arrete) {
    Fl::remove_idle(au_repos, moi);
    Fl::add_timeout(periode_cadence, reprend_au_repos, moi);
  }
}

void execution::reprend_au_repos(void* moi) {
  execution& ex = *static_cast<execution*>(moi);
  if (ex.marche && ex.allure == vitesse::maximum) Fl::add_idle(au_repos, moi);
}

void execution::au_temps(void* moi) {
  static_cast<execution*>(moi)->tranche_cadencee();
}

// One batch of the machine's run. BRSET and BRCLR branching to
// themselves wait for a bit, typically a port input the user toggles with
// the bit buttons during the run, and the user may drive IRQ and XIRQ: such
// waits do not end the run.
raison_arret execution::execute(unsigned long nombre,
                                unsigned long long max_cycles) {
  machine& m = sim.simulation;
  conditions_arret c;
  c.points_arret = points.data();
  c.attente_bit_libre = true;
  c.broches_libres = true;
  c.sur_illegal = conditions_arret::illegal::apres;
  c.max_pas = m.instructions + nombre;
  c.max_cycles = max_cycles;
  // Through the history: a kept future's actions (after going back) are
  // met at their points and applied there; the flat model's ports are
  // compared after each batch (puce/machine.h).
  const unsigned long long cycles = m.cycles, instructions = m.instructions;
  // The debugger's points, conditions and steps: nothing added to the run
  // when none is set (debogueur/points.h).
  arret_machine a;
  {
    session_debogage session(sim.outils_debogage, m, c);
    a = session.conclut(sim.execute_liaisons(c));
  }
  total_cycles += m.cycles - cycles;
  total_instructions += m.instructions - instructions;
  switch (a) {
    case arret_machine::aucun:  // a script replayed failed
      return raison_arret::demande;
    case arret_machine::point_arret:
      return raison_arret::point_arret;
    case arret_machine::boucle:
      return raison_arret::boucle_sur_place;
    case arret_machine::illegal:
      return raison_arret::inexistante;
    case arret_machine::attente:
      return raison_arret::attente;
    case arret_machine::condition:
    case arret_machine::surveillance:
    case arret_machine::evenement:
      return raison_arret::debogueur;
    default:
      return raison_arret::aucune;
  }
}

void execution::tranche(double duree) {
  if (!marche) return;
  const auto debut = std::chrono::steady_clock::now();
  raison_arret r;
  do {
    r = execute(instructions_par_lot, sim.simulation.cycles + cycles_par_lot);
    // Stopped (STOP): nothing happens until the user drives a pin.
    if (sim.simulation.etat_cpu() == interpreteur::arrete) break;
  } while (r == raison_arret::aucune && secondes_depuis(debut) < duree);
  if (r != raison_arret::aucune) {
    arrete(r);
    return;
  }
  if (secondes_depuis(dernier_affichage) >= periode_affichage) {
    rafraichit_tout();
    dernier_affichage = std::chrono::steady_clock::now();
  }
}

// Runs the E cycles due since the origin of the pace, within one slice of
// wall time; when the host cannot keep up, the pace starts again from the
// present rather than catching up in a burst. Animated steps: one step,
// then every view.
void execution::tranche_cadencee() {
  if (!marche) return;
  machine& m = sim.simulation;
  if (allure == vitesse::pas_animes) {
    // One instruction; or, waiting (WAI, STOP), one tick of chip time.
    const raison_arret r = execute(
        1, m.cycles + static_cast<unsigned long long>(horloge_e / cadence_pas));
    if (r != raison_arret::aucune) return arrete(r);
    rafraichit_tout();
    Fl::repeat_timeout(1.0 / cadence_pas, au_temps, this);
    return;
  }
  const double cadence = horloge_e * facteur_allure();
  const auto maintenant = std::chrono::steady_clock::now();
  const double ecoule =
      std::chrono::duration<double>(maintenant - origine).count();
  unsigned long long cible =
      cycles_origine + static_cast<unsigned long long>(ecoule * cadence);
  if (cible > m.cycles + retard_permis * cadence) {
    repart_du_present();
    cible = m.cycles;
  }
  raison_arret r = raison_arret::aucune;
  while (m.cycles < cible && r == raison_arret::aucune &&
         m.etat_cpu() != interpreteur::arrete &&
         secondes_depuis(maintenant) < duree_tranche)
    r = execute(instructions_par_lot, cible);
  if (r != raison_arret::aucune) return arrete(r);
  if (secondes_depuis(dernier_affichage) >= periode_affichage) {
    rafraichit_tout();
    dernier_affichage = std::chrono::steady_clock::now();
  }
  Fl::repeat_timeout(periode_cadence, au_temps, this);
}

void execution::mesure_vitesse() {
  const auto maintenant = std::chrono::steady_clock::now();
  const double duree =
      std::chrono::duration<double>(maintenant - mesure_temps).count();
  if (duree < 1.0) return;
  facteur = (total_cycles - mesure_cycles) / (duree * horloge_e);
  mesure_temps = maintenant;
  mesure_cycles = total_cycles;
}

void execution::rafraichit_tout() {
  if (marche) mesure_vitesse();
  sim.rafraichit_apres_instruction();
  affiche_compteur();
}

void execution::bascule_point_arret(unsigned short adresse) {
  points[adresse] = !points[adresse];
}

void execution::efface_points_arret() {
  std::fill(points.begin(), points.end(), 0);
  affiche_points_arret();
}

void execution::marque_points_arret(const unsigned short (&lignes)[nb_lignes]) {
  std::copy(std::begin(lignes), std::end(lignes), adresses);
  affiche_points_arret();
}

void execution::affiche_points_arret() {
  if (!points_lignes[0]) return;  // not installed yet
  for (int i = 0; i < nb_lignes; ++i) {
    bool arret = points[adresses[i]];
    // The debugger's breakpoints (conditions, hit counts, tracepoints).
    for (const point_debogage& p : sim.outils_debogage.points)
      if (p.actif && p.type == point_debogage::sorte::instruction &&
          p.adresse == adresses[i])
        arret = true;
    marque_point(points_lignes[i], arret);
    Fl_Widget* ligne = sim.lignes_desa[i];
    const Fl_Color encre = arret ? FL_RED : FL_FOREGROUND_COLOR;
    if (ligne->labelcolor() != encre) {
      ligne->labelcolor(encre);
      ligne->redraw();
    }
  }
}

void execution::ajoute_cycles(int n) { ajoute(static_cast<unsigned>(n), 1); }

void execution::ajoute(unsigned long long cycles,
                       unsigned long long instructions) {
  total_cycles += cycles;
  total_instructions += instructions;
  affiche_compteur();
}

void execution::synchronise() {
  total_cycles = sim.simulation.cycles;
  total_instructions = sim.simulation.instructions;
  affiche_compteur();
}

void execution::remet_compteur() {
  total_cycles = 0;
  total_instructions = 0;
  affiche_compteur();
}

void execution::affiche_compteur() {
  formate_compteur(total_cycles, texte, sizeof texte);
  if (marche && facteur > 0) {
    // "×1,00", "×0,10", "×483": the speed achieved, French decimals.
    char valeur[32];
    std::snprintf(valeur, sizeof valeur, facteur >= 100 ? "%.0f" : "%.2f",
                  facteur);
    for (char& c : valeur)
      if (c == '.') c = ',';
    const std::size_t n = std::strlen(texte);
    std::snprintf(texte + n, sizeof texte - n, "  \xC3\x97%s", valeur);
  }
  const unsigned char etat = sim.simulation.etat_cpu();
  if (etat == interpreteur::attente || etat == interpreteur::arrete) {
    const std::size_t n = std::strlen(texte);
    std::snprintf(texte + n, sizeof texte - n, "  %s",
                  etat == interpreteur::attente ? "WAI" : "STOP");
  }
  if (compteur) {
    compteur->label(texte);
    compteur->redraw();
  }
}
