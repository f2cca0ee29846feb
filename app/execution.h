// Continuous execution of the simulated program from the main window: run
// ("@>") and stop ("@square"), breakpoints toggled by clicking disassembly
// lines, and the counter of executed cycles.
//
// A run executes in slices, so the event loop stays responsive: at
// "Maximum" from FLTK's idle callback, at the paced speeds from a timer
// that runs the cycles due and sleeps in the event wait between slices;
// the views are redrawn about 25 times a second (after every instruction in
// animated steps). It is the machine's run (puce/machine.h): it stops by
// itself on a breakpoint (before executing the instruction there), on an
// instruction after which PC is back at its own address (such as `bra *`)
// unless an interrupt may still come, on an opcode that does not exist
// (in the E9 model once its trap is taken), and on a WAI or STOP that
// nothing can end. While the CPU waits (WAI, STOP) the run goes on, so that
// a pin or a timer can wake it.
#ifndef TAMRIX_APP_EXECUTION_H
#define TAMRIX_APP_EXECUTION_H

#include <chrono>
#include <vector>

class simulateur;
class Fl_Widget;
class Fl_Box;
class Fl_Button;
class Fl_Choice;
class Fl_Spinner;

// The pace of a run: the chip's own (2 000 000 E cycles a second of wall
// time), a tenth or a hundredth of it, animated steps (a chosen number of
// instructions a second, every view redrawn after each), or as fast as the
// host goes. The pace changes only what is shown and when: a run stops at
// the same instruction and cycle count at every pace.
enum class vitesse { temps_reel, dixieme, centieme, pas_animes, maximum };

// Why a run ended.
enum class raison_arret {
  aucune,            // still running
  demande,           // "@square", a step, a reset, a load or the end
  point_arret,       // PC reached a breakpoint
  boucle_sur_place,  // the instruction jumped to itself (not BRSET/BRCLR,
                     // which wait for a bit the user may toggle) and no
                     // interrupt can take the program elsewhere
  inexistante,       // an opcode that does not exist was executed (E9:
                     // after its trap was taken)
  attente,           // WAI or STOP that nothing can end
  debogueur          // the debugger's doing: a condition, a watchpoint, an
                     // event, the end of a step over or out
};

class execution {
 public:
  static constexpr int nb_lignes = 12;

  // Clickable zones over the disassembly lines, the breakpoint dots in the
  // margin left of them, and the cycle counter.
  Fl_Button* zones_lignes[nb_lignes];
  Fl_Box* points_lignes[nb_lignes];
  Fl_Box* compteur;
  // The pace ("Vitesse", in the menu bar) and the rate of animated steps.
  Fl_Choice* choix_vitesse;
  Fl_Spinner* saisie_pas_par_seconde;

  explicit execution(simulateur& sim);
  ~execution();
  execution(const execution&) = delete;
  execution& operator=(const execution&) = delete;

  // Adds the zones, dots and counter to the main window (free space of the
  // layout: the disassembly area's margin and the row above the register
  // panel). Call once the main window is built.
  void installe();

  // The run/stop buttons and the line zones: their action. Returns 1 when
  // the widget was one of them.
  int reagit(Fl_Widget* objet);

  void demarre();
  // Stops a run and redraws everything as after a step. Does nothing when
  // no run is going on.
  void arrete(raison_arret raison = raison_arret::demande);
  bool en_marche() const { return marche; }
  raison_arret derniere_raison() const { return raison; }

  // Runs for about `duree` seconds of wall time (or until the run stops),
  // redrawing the views when their time has come. What the idle callback
  // calls at "Maximum"; a test may call it directly.
  void tranche(double duree);
  // At a paced speed: runs the E cycles due since the pace's origin, or
  // one animated step. What the timer callback calls.
  void tranche_cadencee();

  void choisit_vitesse(vitesse v);
  vitesse vitesse_choisie() const { return allure; }
  // Animated steps: 1 to 50 instructions a second.
  void choisit_pas_par_seconde(int n);
  int pas_par_seconde() const { return cadence_pas; }
  // The speed achieved over about the last second, as a factor of the
  // chip's (0 when not running or not measured yet).
  double facteur_mesure() const { return facteur; }

  bool point_arret(unsigned short adresse) const { return points[adresse]; }
  // One byte per address, 1 where a breakpoint is.
  const unsigned char* points_arret() const { return points.data(); }
  // The counter takes the machine's counts (after going back).
  void synchronise();
  void bascule_point_arret(unsigned short adresse);
  void efface_points_arret();
  // Address shown on a disassembly line (0 is the top line), as of the
  // last disassembly redraw.
  unsigned short adresse_ligne(int ligne) const { return adresses[ligne]; }
  // After every disassembly redraw, with the addresses of its twelve lines:
  // shows which lines carry a breakpoint.
  void marque_points_arret(const unsigned short (&lignes)[nb_lignes]);

  // After a step of the machine: adds what it took to the counter.
  void ajoute_cycles(int n);
  void ajoute(unsigned long long cycles, unsigned long long instructions);
  void remet_compteur();
  // The counter's text, with the CPU's state when it waits ("WAI",
  // "STOP").
  void affiche_compteur();
  unsigned long long cycles() const { return total_cycles; }
  unsigned long long instructions() const { return total_instructions; }
  const char* texte_compteur() const { return texte; }

 private:
  simulateur& sim;
  std::vector<unsigned char> points;   // one flag per address
  unsigned short adresses[nb_lignes];  // of the lines drawn
  bool marche;
  raison_arret raison;
  unsigned long long total_cycles;
  unsigned long long total_instructions;
  std::chrono::steady_clock::time_point dernier_affichage;
  char texte[96];
  vitesse allure;
  int cadence_pas;
  // Origin of the pace: wall time and cycle count it counts from.
  std::chrono::steady_clock::time_point origine;
  unsigned long long cycles_origine;
  // Samples for the speed achieved (wall time, cycles) and its value.
  std::chrono::steady_clock::time_point mesure_temps;
  unsigned long long mesure_cycles;
  double facteur;

  raison_arret execute(unsigned long nombre, unsigned long long max_cycles);
  void repart_du_present();
  void mesure_vitesse();
  double facteur_allure() const;
  static void au_temps(void* moi);
  static void reprend_au_repos(void* moi);
  void affiche_points_arret();
  void rafraichit_tout();
  static void au_repos(void* moi);
};

// "Cycles : n (t)" with t the time of n cycles at a 2 MHz E-clock, as
// texte_duree_e writes it (text/durees.h): "40 µs", "10,001 ms", "61,728 s".
void formate_compteur(unsigned long long cycles, char* texte, int taille);

#endif
