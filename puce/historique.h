// The history of a machine: going back to any earlier instruction
// boundary, and finding which instructions changed a register, a cell or a
// pin.
//
// The simulation is a pure function of its start and of what the user does
// (a pin toggled, a register edited, a fill...). The history keeps copies
// of the whole machine (snapshots): one when it starts (a load, a reset),
// one right after each action of the user, and one every `intervalle`
// instructions of a run. Any boundary is rebuilt by restoring the latest
// snapshot before it and running the machine to it: the user's actions
// need no replaying, their effect is in the snapshot taken right after
// them. A snapshot shares the memory pages it has in common with the one
// before, so most cost a few hundred bytes; the history stays under a
// bound (256 MiB by default) by thinning its older snapshots to wider
// intervals, then dropping the oldest (the window then says from where it
// can go back).
//
// Going back keeps what came after: stepping or running forward again
// (through `pas` and `execute`, which stop at each kept action) meets the
// user's actions at the same points (instruction count and cycle) and
// applies them as they were, so the future is the same; a new action of
// the user drops that future and starts a new one from there. The pin log
// follows: going back cuts it, and going forward again rebuilds it, the
// changes an action made included (each action's snapshot keeps them), so
// that after any back-and-forth it holds what the straight run's holds.
#ifndef TAMRIX_PUCE_HISTORIQUE_H
#define TAMRIX_PUCE_HISTORIQUE_H

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "puce/machine.h"

// What "Qui a change ceci ?" looks for.
struct cible_historique {
  enum class sorte { registre, bit_ccr, cellule, broche } type;
  // registre: 0 A, 1 B, 2 X, 3 Y, 4 SP, 5 PC, 6 D; bit_ccr: 0..7 (bit
  // number); cellule: an address; broche: enum broche.
  unsigned numero;
};

// One change found: at which instruction, its address and text, the value
// before and after.
struct changement {
  uint64_t instructions;  // the count once the change was made
  uint64_t cycles;
  unsigned short adresse;  // of the instruction
  std::string texte;       // its disassembly, or "interruption IRQ"...
  unsigned avant;
  unsigned apres;
};

class historique {
 public:
  static constexpr std::size_t borne_defaut = std::size_t(256) << 20;
  static constexpr uint64_t intervalle_defaut = 1 << 20;

  explicit historique(machine& m);

  // A new history from the machine as it is now (a load, a reset, a
  // change of model).
  void demarre();
  // The user has just changed something at the current point: the future
  // is dropped and the change kept.
  void note_entree();
  // After a run or a step: a snapshot if `intervalle` instructions went
  // by since the last one.
  void apres_execution();

  // A step, or a slice of a run (the window's, a test's), through the
  // history: an action kept in the future is applied when the machine is
  // at its point, the slice ends at the next one (its bounds lowered to
  // it), and the snapshots are taken. What the window's step and run
  // call, so that both replay the same future.
  arret_machine pas(const conditions_arret& c);
  // `moteur`, when given, runs the slice in place of the machine's own
  // execute (a scripted dialogue feeding the serial line as it goes).
  using moteur_tranche = std::function<arret_machine(const conditions_arret&)>;
  arret_machine execute(conditions_arret c, const moteur_tranche& moteur = {});

  // The bounds a run or step must not pass without stopping, so that the
  // next action of the user kept in the future is met at its point:
  // false when there is none.
  bool prochaine_entree(uint64_t& instructions, uint64_t& cycles) const;
  // At that point: applies it (and any other there). True if one was.
  bool rejoue_entrees();

  // Runs again from the snapshots up to the current point, `o` seeing
  // every instruction and interrupt entry: from the first snapshot kept,
  // or the first within `budget` instructions (`complet` then says whether
  // it started at the reset). The machine ends where it was; false when it
  // could not get there exactly.
  bool rejoue(const observateur_machine& o, uint64_t budget, bool& complet);
  // Back to the boundary after `instructions` instructions (not before
  // the start of what is kept). False when it is out of reach.
  bool revient_a(uint64_t instructions);
  // One instruction back; back to the previous breakpoint (one byte per
  // address) or to the start.
  bool pas_arriere();
  bool retour_point_arret(const unsigned char* points_arret);
  // The first instruction count it can go back to.
  uint64_t debut() const;

  // The last changes of `cible`, newest first, at most `nombre`, looked
  // for backwards from the current point until the start of what is kept
  // or a budget of replayed instructions; `complet` says whether the
  // search reached the start.
  std::vector<changement> qui_a_change(const cible_historique& cible,
                                       std::size_t nombre, bool* complet);

  // Memory held, and its bound.
  std::size_t octets() const { return octets_; }
  std::size_t borne() const { return borne_; }
  void fixe_borne(std::size_t octets);
  std::size_t nombre_instantanes() const { return instantanes.size(); }
  uint64_t intervalle() const { return intervalle_; }
  void fixe_intervalle(uint64_t n) { intervalle_ = n ? n : 1; }

  // The whole state of a machine, memory included: what two runs are
  // compared with.
  struct image {
    etat_machine etat;
    std::vector<unsigned short> cellules;
  };
  static image prend_image(const machine& m);

  // Where two machines differ, as a user or a program could see it: the
  // CPU, the counts, every cell (marks included), the register block as a
  // view reads it, the chip's pending requests and next event, the pins
  // (levels, scheduled ones), the SCI's queue, the analog inputs and,
  // with `journal`, the pin log (its count and the records both hold).
  // Field by field, no padding byte compared: "" when they agree, else
  // the first difference ("A 12 / 13"). The outputs taken away by their
  // readers (SCI and SPI bytes, refused accesses) are not state.
  static std::string ecart(const machine& a, const machine& b,
                           bool journal = true);

 private:
  using page = std::vector<unsigned short>;  // 256 cells
  struct instantane {
    etat_machine etat;
    std::shared_ptr<const page> pages[256];
    bool entree;  // taken right after an action of the user
    std::size_t octets;
    // An action's changes of pins: the log's records from number
    // `journal_avant` on, noted again when a replay meets it.
    uint64_t journal_avant;
    std::vector<changement_broche> changements;
  };

  machine& m;
  std::vector<instantane> instantanes;  // by instruction count, then cycle
  std::size_t octets_;
  std::size_t borne_;
  uint64_t intervalle_;
  // The snapshot the machine's state comes from (the last restored or
  // taken); those after it are the kept future.
  std::size_t courant;
  // The pin log's count when the history last saw the machine (after a
  // step, a slice, a snapshot, a restore): an action's changes come after.
  uint64_t journal_vu;

  void prend(bool entree);
  void oublie_apres(std::size_t i);
  void restaure(const instantane& i);
  void oublie_futur();
  void respecte_borne();
  std::size_t dernier_avant(uint64_t instructions) const;
  std::size_t dernier_au_plus(uint64_t instructions, uint64_t cycles) const;
  std::size_t position_courante() const;
  void avance_jusqua(uint64_t instructions, uint64_t cycles, bool exact);
};

#endif
