// The debugger's stops as data: breakpoints (with a condition, a hit count,
// or logging a line instead of stopping: a tracepoint), watchpoints over a
// range of cells (writes and/or reads, a condition on the value), event
// breakpoints (an interrupt entry, a pin change, a refused access, the
// illegal-opcode trap, a COP reset, a cycle count), a condition over the
// whole run (tamrix-run's --break-if), and stepping by intent (step over a
// call, step out of a routine or a handler, run to an address).
//
// Nothing here runs per instruction unless the user set something that
// needs it: a session (session_debogage) turns the points into the run
// engine's conditions (puce/machine.h): breakpoints are bytes of the
// breakpoint table (bit 1: ask the debugger), watched cells carry the
// memory's watch marks (mem_64k), interrupts and refusals are looked at
// where the engine already handles them (outside the hot loop); only a
// condition over the whole run, a step over or out and a pin watched take
// the loop's variant that calls the debugger after each instruction.
//
// Step over and step out follow the stack's depth, not addresses alone: a
// call is over when PC is back at the instruction after it with SP at its
// level before the call (a recursive call reaching the same address deeper
// does not end it, nor does an interrupt entered meanwhile); a routine is
// left by the RTS (or, in a handler, the RTI) that brings SP above its
// level when the step began.
#ifndef TAMRIX_DEBOGUEUR_POINTS_H
#define TAMRIX_DEBOGUEUR_POINTS_H

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "debogueur/expression.h"
#include "puce/machine.h"

class infos_debogage;

struct point_debogage {
  enum class sorte : unsigned char { instruction, surveillance, evenement };
  enum class evenement : unsigned char {
    interruption,  // numero: the vector (-1: any)
    broche,        // numero: enum broche (-1: any)
    refus,         // a store refused (ROM, EEPROM outside a sequence)
    illegal,       // the illegal-opcode trap
    cop,           // a COP reset
    cycle,         // the cycle count reaches `cycle`
  };
  sorte type = sorte::instruction;
  bool actif = true;
  // instruction: the place as the user wrote it ("boucle", "$b610",
  // "somme.s:12") and its address; surveillance: [adresse, fin].
  std::string lieu;
  unsigned short adresse = 0;
  unsigned short fin = 0;
  bool lecture = false;
  bool ecriture = true;
  evenement quoi = evenement::interruption;
  int numero = -1;
  uint64_t cycle = 0;
  // Holds when empty.
  expression condition;
  // Stops from the N-th hit on (0 or 1: the first).
  uint64_t a_partir_de = 0;
  // A tracepoint: logs `message` (its {expression} fields replaced by their
  // values) instead of stopping.
  bool trace = false;
  std::string message;
  // Hits counted since the points were last reset (condition holding).
  uint64_t coups = 0;
};

// What a tracepoint's message becomes: the text with each {expr} replaced
// by the value in hex ("A=$3f"), or "{erreur: ...}".
std::string texte_trace(const std::string& message, const machine& m,
                        const infos_debogage* infos,
                        const acces_observe* a = nullptr);
// Checks a message's fields; false with the error of the first bad one.
bool verifie_message(const std::string& message, const infos_debogage* infos,
                     std::string& erreur);
// "instruction", "écriture de $0040-$0043"... a short text for lists.
std::string description(const point_debogage& p);
// The event's name in a list and in the save format: "interruption",
// "broche", "refus", "illegal", "cop", "cycle"; and back (false: unknown).
const char* nom_evenement(point_debogage::evenement e);
bool evenement_nomme(const std::string& nom, point_debogage::evenement& e);

class debogueur {
 public:
  std::vector<point_debogage> points;
  // A condition over the whole run (--break-if): stops after the first
  // instruction after which it holds.
  expression condition_globale;
  // The program's symbols (tracepoint messages); may be null.
  const infos_debogage* infos = nullptr;
  // The plain breakpoints (a byte of the window's table each), as the save
  // format keeps them beside the points (debogueur/sauvegarde.h).
  std::vector<unsigned short> simples;

  // The lines tracepoints logged, oldest first; at most `traces_max`
  // (older ones dropped, `traces_perdues` counts them).
  static constexpr std::size_t traces_max = 10000;
  std::vector<std::string> traces;
  uint64_t traces_perdues = 0;

  // The last stop the debugger made: the point (-1: none of them; a step
  // or --break-if) and one French line that says why ("point d'arrêt 2 :
  // A == $ff", "écriture de $0040 : $00 -> $37 par $b605").
  int dernier_point = -1;
  std::string raison;
  // After a watchpoint's stop: the cell accessed (-1 otherwise).
  int cellule = -1;

  // ---- Stepping by intent: what the next run (its slices) is for.
  enum class intention { aucune, par_dessus, sortie, jusqua };
  intention but = intention::aucune;
  // Step over: when the instruction at PC is a call (JSR, BSR; SWI in the
  // E9 model), the intent of running until it returns; false otherwise
  // (the caller then takes a plain step).
  bool prepare_par_dessus(const machine& m);
  // Step out: until the routine or handler PC is in returns.
  void prepare_sortie(const machine& m);
  // Run to `adresse` (the first arrival; breakpoints still stop).
  void prepare_jusqua(unsigned short adresse);
  void abandonne_intention() { but = intention::aucune; }

  // Whether anything is set that a run must look at (an enabled point, a
  // global condition, an intent).
  bool actif() const;
  // Every count back to 0, the log emptied.
  void remet_compteurs();
  // Notes a tracepoint's line.
  void note_trace(std::string ligne);

 private:
  friend class session_debogage;
  unsigned short retour_ = 0;  // par_dessus: where the call returns
  unsigned short sp_ = 0;      // SP when the step began
  unsigned short cible_ = 0;   // jusqua
};

// One run (or one slice of it) with the debugger's points: built around the
// call of machine::execute (or historique::execute), it completes the
// conditions, marks the watched cells and takes them back when destroyed.
// The run's result goes through conclut(), which gives the stop a reason.
class session_debogage {
 public:
  // `c` is completed in place: its breakpoint table (bit 0 kept), the
  // hooks, a cycle limit for a cycle event.
  session_debogage(debogueur& d, machine& m, conditions_arret& c);
  ~session_debogage();
  session_debogage(const session_debogage&) = delete;
  session_debogage& operator=(const session_debogage&) = delete;

  // The run's result, with the debugger's reason noted in
  // debogueur::raison (empty when the stop was not its doing); a step
  // intent is over when the run stopped for any reason but a slice's end.
  arret_machine conclut(arret_machine r);

 private:
  debogueur& d_;
  machine& m_;
  std::unique_ptr<unsigned char[]> arrets_;
  controle_debogage controle_{};
  surveillant_memoire surveillant_{};
  const surveillant_memoire* surveillant_avant_ = nullptr;
  std::vector<unsigned short> marquees_;  // cells we marked
  std::vector<int> par_adresse_;          // instruction points, sorted
  uint64_t journal_vu_ = 0;
  uint64_t cycle_evenement_ = ~uint64_t(0);
  bool refus_avant_ = false;
  bool refus_pose_ = false;
  bool veut_broches_ = false;
  bool veut_swi_ = false;   // SWI is an instruction: seen after it
  bool evenement_ = false;  // apres() stopped for an event

  static bool point(void* objet, const machine& m);
  static bool apres(void* objet, const machine& m, unsigned short pc);
  static bool apres_condition(void* objet, const machine& m, unsigned short pc);
  static bool interruption(void* objet, const machine& m,
                           unsigned short vecteur);
  static void ecriture(void* objet, unsigned short adresse, unsigned char avant,
                       unsigned char apres);
  static void lecture(void* objet, unsigned short adresse,
                      unsigned char valeur);
  void acces(unsigned short adresse, bool est_lecture, unsigned avant,
             unsigned valeur);
  // A hit of point `i` (its condition held): counts it; whether to stop.
  bool touche(int i, const acces_observe* a);
};

#endif
