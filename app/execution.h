// Continuous execution of the simulated program from the main window: run
// ("@>") and stop ("@square"), breakpoints toggled by clicking disassembly
// lines, and the counter of executed cycles.
//
// A run executes in slices from FLTK's idle callback, so the event loop
// stays responsive; the views are redrawn about 25 times a second, never
// per instruction. It is the machine's run (puce/machine.h): it stops by
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
  attente            // WAI or STOP that nothing can end
};

class execution {
 public:
  static constexpr int nb_lignes = 12;

  // Clickable zones over the disassembly lines, the breakpoint dots in the
  // margin left of them, and the cycle counter.
  Fl_Button* zones_lignes[nb_lignes];
  Fl_Box* points_lignes[nb_lignes];
  Fl_Box* compteur;

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
  // calls; a test may call it directly.
  void tranche(double duree);

  bool point_arret(unsigned short adresse) const { return points[adresse]; }
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
  char texte[64];

  raison_arret execute(unsigned long nombre);
  void affiche_points_arret();
  void rafraichit_tout();
  static void au_repos(void* moi);
};

// "Cycles : n (t)" with t the time of n cycles at a 2 MHz E-clock: in µs to
// the half microsecond below 10 ms, in ms to the microsecond from there.
void formate_compteur(unsigned long long cycles, char* texte, int taille);

#endif
