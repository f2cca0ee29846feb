// The call stack: the chain of subroutine calls (JSR, BSR) and interrupt
// entries (hardware ones, SWI, the illegal-opcode trap) not yet returned
// from, rebuilt exactly by running the history again from its snapshots
// (puce/historique.h) with an observer of calls, returns and entries. A
// walk of the stack's bytes cannot tell a return address from data; the
// replay can. Nothing runs during the user's runs: the replay is made when
// the "Pile d'appels" window asks for it (after a stop).
//
// A frame ends when SP climbs above its return address (an RTS, or an RTI
// for an interrupt's nine bytes), whatever did it (RTS, RTI, INS, a new
// LDS): frames below a stack pointer reloaded are dropped. A COP reset
// empties the chain. The replay starts at the oldest snapshot within its
// budget: when the history no longer reaches the reset (it was thinned, or
// the budget cut it), calls made before that snapshot are missing, which
// `complet` says.
#ifndef TAMRIX_DEBOGUEUR_PILE_APPELS_H
#define TAMRIX_DEBOGUEUR_PILE_APPELS_H

#include <cstdint>
#include <string>
#include <vector>

#include "puce/machine.h"

class historique;
class infos_debogage;

struct cadre_appel {
  bool interruption = false;
  unsigned short vecteur = 0;  // interruption
  // The call's address (JSR, BSR), or the PC the interrupt stacked.
  unsigned short appel = 0;
  unsigned short entree = 0;  // the routine's or handler's first address
  unsigned short sp = 0;      // SP once the return address was pushed
  // The instruction count before the call (the JSR not yet executed), or
  // when the interrupt came.
  uint64_t instructions = 0;
};

class pile_appels {
 public:
  // Outermost first.
  std::vector<cadre_appel> cadres;
  bool complet = true;

  // Rebuilds the chain at the machine's current point; false when the
  // history could not replay up to it.
  static constexpr uint64_t budget_defaut = uint64_t(64) << 20;
  bool reconstruit(historique& h, uint64_t budget = budget_defaut);

  // The observer that keeps the chain during a run (what reconstruit
  // replays with).
  observateur_machine observateur();
  void vide() { cadres.clear(); }

  // "appel1 -> fact (somme.s:14)" or "IRQ en $b610 -> $c000": one frame
  // for the window.
  static std::string texte(const cadre_appel& c, const infos_debogage* infos);

 private:
  unsigned short pc_ = 0, sp_ = 0;
  uint64_t compte_ = 0;
  enum class sorte : unsigned char { autre, appel, swi } sorte_ = sorte::autre;
  static void avant(void* objet, const machine& m);
  static void apres(void* objet, const machine& m);
  static void interruption(void* objet, const machine& m,
                           unsigned short vecteur);
  void depile(unsigned short sp);
};

// Stepping backwards with the history: back to the boundary before the
// call (or the interrupt) that entered the current routine ("retour au
// point d'appel"); and one step back over calls (a step back that lands in
// a routine the previous instruction returned from goes on back to its
// call). False when there is nowhere to go back to.
bool retour_point_appel(historique& h);
bool pas_arriere_par_dessus(historique& h);

#endif
