// The machine: the CPU, its memory and, in the E9 model, the on-chip
// system; and the one run engine that the desktop application, tamrix-run,
// the tests and the benchmarks drive.
//
// Two models:
//   plat  the CPU over 64 KiB of plain memory, exactly as a bare
//         `interpreteur` with a `mem_64k`: SWI, WAI and STOP print "pas
//         encore la", a non-existent opcode "fonction inexistante!", the
//         register block at $1000 is memory, reset sets PC to $B600 only.
//   e9    the MC68HC11E9: the register block and its units (puce/), the
//         memory map (RAM, EEPROM, ROM, expanded or single-chip mode:
//         puce/carte.h), the interrupts, SWI, WAI, STOP and the
//         illegal-opcode trap, and a real reset (PC from $FFFE; from $B600
//         while $FFFE-$FFFF is erased).
//
// The engine counts E cycles and instructions since reset. One step is an
// instruction, or the entry into an interrupt, or a stretch of waiting; a
// run steps until one of the stop conditions holds. Its hot loop does, per
// instruction, step() and a few comparisons; in the E9 model also one test
// of the pending requests against the CCR. The chip is brought up to date
// only when its next event is due or one of its registers is accessed.
#ifndef TAMRIX_PUCE_MACHINE_H
#define TAMRIX_PUCE_MACHINE_H

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "cpu/interpreteur.h"
#include "memory/mem_64k.h"
#include "platine/etat_platine.h"
#include "puce/journal.h"
#include "puce/puce.h"

class platine;

enum class modele_machine { plat, e9 };

// Why a run (or a step) ended.
enum class arret_machine {
  aucun,         // not stopped
  boucle,        // an instruction left PC on itself and nothing can change
                 // that (no interrupt can come)
  point_arret,   // PC reached a breakpoint
  max_pas,       // the instruction limit
  max_cycles,    // the cycle limit
  illegal,       // a non-existent opcode
  attente,       // WAI or STOP with nothing left that can wake the CPU
  suspendu,      // STOP: no clock runs, only a pin the user drives can
                 // wake the CPU (broches_libres)
  sortie_sci,    // the SCI sent a byte (arret_sortie_sci)
  condition,     // the debugger's check after an instruction said stop (a
                 // condition, the end of a step over or out)
  surveillance,  // a watched cell was written or read (debogueur/)
  evenement,     // an event the debugger waits for (an interrupt entry, a
                 // refused access, a COP reset)
};

// What an observer of a run sees (tamrix-run's trace, the GUI's views).
struct observateur_machine {
  void* objet = nullptr;
  // Before each instruction, PC at it.
  void (*avant)(void* objet, const class machine& m) = nullptr;
  // After it.
  void (*apres)(void* objet, const class machine& m) = nullptr;
  // After the entry into an interrupt (stacking and vector done), or the
  // illegal-opcode trap: the vector taken.
  void (*interruption)(void* objet, const class machine& m,
                       unsigned short vecteur) = nullptr;
};

// The debugger's hooks (debogueur/): a run that has them takes a variant of
// the loop made for them; a run without them pays nothing.
struct controle_debogage {
  void* objet = nullptr;
  // At an address whose breakpoint byte has bit 1 set (a breakpoint with a
  // condition, a hit count, a tracepoint): whether to stop there.
  bool (*point)(void* objet, const class machine& m) = nullptr;
  // After each instruction when set (a condition over the whole run, a
  // step over or out, a pin watched): whether to stop; `pc` the
  // instruction's address.
  bool (*apres)(void* objet, const class machine& m,
                unsigned short pc) = nullptr;
  // After an interrupt entry, the illegal-opcode trap or a COP reset (its
  // vector): whether to stop.
  bool (*interruption)(void* objet, const class machine& m,
                       unsigned short vecteur) = nullptr;
};

// What ends a run.
struct conditions_arret {
  // One byte per address: stop before executing an instruction at a
  // marked address (the instruction the run starts on is executed). With
  // `controle`, bit 0 stops, bit 1 asks controle->point.
  const unsigned char* points_arret = nullptr;
  // Absolute limits: stop once the instruction count, or the cycle count,
  // reaches them.
  uint64_t max_pas = ~uint64_t(0);
  uint64_t max_cycles = ~uint64_t(0);
  // A BRSET/BRCLR branching to itself waits for a bit the user may toggle:
  // it does not stop the run (the GUI).
  bool attente_bit_libre = false;
  // The user may drive the IRQ and XIRQ pins at any time (the GUI): a
  // program waiting with one of them unmasked is not at its end; nor is a
  // self-loop while the chip still has events ahead (a timer driving a
  // pin, a frame going out), which the user watches.
  bool broches_libres = false;
  // A non-existent opcode in the E9 model: stop before it (PC at the
  // opcode, the trap not taken), stop after the trap is taken, or go on.
  enum class illegal { avant, apres, continue_ } sur_illegal = illegal::avant;
  // Characters may come on the SCI's line at any time (a terminal, a
  // pseudo-terminal, a script): a program waiting for one, with its
  // receiver on (a self-loop on an SCI register, or the receive interrupt
  // enabled and unmasked), is not at its end.
  bool ligne_sci_libre = false;
  // Stop after the instruction during which the SCI sent a byte (what a
  // script waiting for a text looks at).
  bool arret_sortie_sci = false;
  const observateur_machine* observateur = nullptr;
  // Once max_pas is reached, still enter the interrupts that come before
  // the next instruction and let a waiting CPU's time run, up to
  // max_cycles: how a replay reaches an exact point (instructions and
  // cycles) where the user acted.
  bool jusqua_cycles = false;
  const controle_debogage* controle = nullptr;
};

// A pin level to apply when the cycle count reaches `cycle`.
struct evenement_broche {
  uint64_t cycle;
  unsigned char broche;  // enum broche
  unsigned char niveau;
};

// What the machine is, memory aside: enough to put it back where it was
// (stepping back), and to compare two runs.
// The characters typed for the SCI that are not yet on its line, in
// order; the text is shared by the copies (snapshots) that hold it.
struct envoi_sci {
  std::shared_ptr<const std::vector<uint16_t>> octets;
  std::size_t lus = 0;
  std::size_t restants() const { return octets ? octets->size() - lus : 0; }
};

struct etat_machine {
  unsigned short PC, SP, X, Y;
  unsigned char A, B, CCR, etat_cpu;
  uint64_t cycles;
  uint64_t instructions;
  etat_puce puce;
  std::vector<evenement_broche> a_venir;
  uint64_t journal_total;
  etat_platine platine;  // the board's, when one is attached
  envoi_sci envoi;
};

class machine {
 public:
  mem_64k memoire;
  interpreteur cpu;
  journal_broches journal;
  // E cycles and instructions since the last reset.
  uint64_t cycles;
  uint64_t instructions;

  explicit machine(modele_machine modele = modele_machine::plat);
  machine(const machine&) = delete;
  machine& operator=(const machine&) = delete;

  modele_machine modele() const { return modele_; }
  bool e9() const { return modele_ == modele_machine::e9; }
  // Changes the model; the machine is then reset. Going to the flat model
  // leaves in the cells of the register block the values it held.
  void change_modele(modele_machine modele);
  // The chip; only in the E9 model.
  puce* systeme() { return e9() ? puce_.get() : nullptr; }
  const puce* systeme() const { return e9() ? puce_.get() : nullptr; }

  // Reset: counts to 0, the pin log emptied; flat model: PC = $B600; E9:
  // the chip's reset state, S, X and I set, PC from the reset vector; the
  // characters typed for the SCI and those on its line forgotten.
  void reset();
  // How many times reset() was called (what a view compares to see one).
  uint64_t nombre_resets() const { return resets_; }
  // A reset from inside the chip (COP time-out, clock monitor) in the E9
  // model: as reset() but through `vecteur`, the counts and the log going
  // on.
  void reset_interne(unsigned short vecteur);

  // The state, memory aside (the caller keeps the cells), and its
  // restoration, the pin log cut back to what it held then. Same model
  // only.
  void sauve(etat_machine& e) const;
  void restaure(const etat_machine& e);

  // Runs until a condition of `c` holds; the reason.
  arret_machine execute(const conditions_arret& c);
  // One step: an instruction, an interrupt entry, or (waiting) the time up
  // to the next event that may wake the CPU. No stop condition but the
  // illegal rule of `c`; arret_machine::aucun when it went on normally.
  arret_machine pas(const conditions_arret& c);
  arret_machine pas();

  // A byte written by the user (a fill, a poke). A register of the E9's
  // block takes it as the CPU's write, now, between two instructions; any
  // other cell is written as a programmer or a loader writes it, EEPROM
  // and ROM included (and, in single-chip mode, under an absent address,
  // where it stays unseen).
  void ecrit_octet(unsigned short adresse, unsigned char valeur);

  // The E9's memory map (puce/carte.h). The mode the MODA/MODB pins ask
  // for, sampled at the next reset; false in the flat model.
  bool choisit_mode(bool etendu);
  // Erases the EEPROM's 512 bytes ($FF), in or out of the map, as a
  // programmer would; CONFIG stays. False in the flat model.
  bool efface_eeprom();
  // Every byte of memory back to $FF, as a new machine's: the cells (RAM,
  // external memory, EEPROM, ROM, what lies under the register block) and
  // the EEPROM and ROM the map holds off the cells. The registers, CONFIG,
  // the map and the counts stay.
  void efface_memoire();
  // Accesses the chip refused since the last reset (stores to ROM, to the
  // EEPROM outside a sequence, outside the map; sequences too short or
  // protected): the distinct addresses in the order of their first
  // refusal, with that one's instruction; the last refusal; how many in
  // all. An output of the run, not part of the chip's state.
  const std::vector<acces_refuse>& acces_refuses() const { return refus_; }
  const acces_refuse* dernier_refus() const {
    return nombre_refus_ ? &dernier_refus_ : nullptr;
  }
  uint64_t nombre_refus() const { return nombre_refus_; }
  void note_refus(const acces_refuse& a);

  // Pins: IRQ, XIRQ and the input bits of the ports (enum broche), driven
  // now, or when the count reaches a cycle. Out of range (past cycle_max
  // too) or not an input: false, nothing done. The flat model has no pins but
  // the ports' input bits, stored into the data registers' cells. A pin is
  // scheduled up to cycle_max: a run reaches it without its counts overflowing
  // (2^63 cycles: 146 000 years at 2 MHz).
  static constexpr uint64_t cycle_max = uint64_t(1) << 63;
  bool pose_broche(unsigned char broche, bool niveau);
  bool planifie_broche(const evenement_broche& e);
  bool broches_planifiees() const { return !a_venir.empty(); }
  const std::vector<evenement_broche>& broches_a_venir() const {
    return a_venir;
  }
  // Level of any pin; port pins are the ports' levels.
  bool niveau_broche(unsigned char broche) const;
  // Port 0..4 (A..E): levels, and which bits are outputs.
  unsigned char niveaux_port(int port) const;
  unsigned char sorties_port(int port) const;

  // Flat model: its pins are the port cells of memory, which no hook
  // watches. Logs each port bit that differs from its last logged level,
  // stamped with the current count; the GUI calls it after each step and
  // each run slice. Nothing in the E9 model, whose ports log every change
  // as it happens.
  // After the memory was put back (stepping back): the levels the flat
  // model's ports are compared with are those of the cells now.
  void synchronise_ports_plat();
  void note_ports_plat();

  // A unit has moved its next event to `cycle`: the run loop must look at
  // the chip then.
  void abaisse_echeance(uint64_t cycle) {
    if (cycle < echeance) echeance = cycle;
  }

  // ---- The board around the chip (platine/platine.h), E9 model: its
  // attache() wires it, its detache() takes it off; null when none. Its
  // own events (a key pressed, a contact's bounce) go in the queue of pins
  // with broche >= broche_platine.
  static constexpr unsigned char broche_platine = 0x80;
  void attache_platine(platine* p) { platine_ = p; }
  platine* platine_attachee() const { return platine_; }
  // The pins' levels computed again and logged now, between instructions:
  // what the board drives from its state has changed.
  void actualise_broches();
  // The debugger (a watched access, a refusal it waits for): the run ends
  // after the current instruction with `raison`. Nothing is tested per
  // instruction: the run's deadline is brought to now.
  void demande_arret(arret_machine raison) {
    arret_demande_ = raison;
    echeance = 0;
  }
  // A refused access stops the run (arret_machine::evenement).
  bool arret_sur_refus = false;
  // In a run with the debugger's hooks: the address of the instruction
  // being executed (what a watched access names).
  unsigned short pc_instruction() const {
    return e9() ? puce_->instruction.pc : pc_instruction_;
  }

  // While an interrupt entry (or the illegal-opcode trap) stacks the
  // registers: its vector; 0 otherwise (what a watcher of the stack tells).
  unsigned short vecteur_en_cours() const { return vecteur_entree; }

  // ---- Serial interfaces and analog inputs (E9 model; in the flat model
  // the calls do nothing and return false, the outputs stay empty).
  // Outputs, not state: the bytes the SCI transmitted (each once its stop
  // bit is out) and those the SPI sent on MOSI, in order. The GUI's
  // terminal and tamrix-run take them and may empty them.
  std::vector<unsigned char> sortie_sci;
  std::vector<unsigned char> sortie_spi;
  // Bytes the SCI sent since the machine was built (sortie_sci may have
  // been emptied meanwhile).
  uint64_t octets_sci_emis() const { return emis_sci_; }
  void emet_sci(unsigned char octet);
  // TxD's frames as they start (for a terminal whose settings differ from
  // the program's, which reads them bit by bit), kept while
  // garde_trames_txd is set.
  bool garde_trames_txd = false;
  std::vector<trame_ligne> trames_txd;
  // Characters the terminal types now for the SCI (bit 8: the ninth bit
  // of 9-bit frames): they go on RxD one after the other, from now on, at
  // the terminal's rate, whether the receiver listens or not. With
  // `au_recepteur`, they wait instead for the receiver to be enabled
  // (tamrix-run's --sci-in). False, nothing typed, when more than
  // capacite_sci would be waiting, or in the flat model.
  static constexpr std::size_t capacite_sci = std::size_t(1) << 20;
  bool envoie_sci(const std::vector<uint16_t>& caracteres,
                  bool au_recepteur = false);
  bool envoie_sci(const std::string& octets, bool au_recepteur = false);
  bool recoit_sci(unsigned char octet, bool neuvieme = true);
  // Characters typed and not yet on the line, and those lost (overruns,
  // cut by RE, sent while RE was clear).
  unsigned file_sci() const;
  unsigned perdus_sci() const;
  // The next character waiting (the SCI takes it when its frame starts).
  uint16_t prend_sci();
  // The terminal's rate and format (sci.h): the program's by default.
  void regle_terminal_sci(const reglage_terminal& r);
  reglage_terminal terminal_sci() const;
  // The byte the SPI's peripheral answers with.
  bool pose_miso(unsigned char octet);
  // Analog inputs, microvolts: AN0-AN7, then VRH and VRL (can.h). False,
  // nothing changed, when a level is outside 0-5 V or VRL >= VRH.
  bool pose_tensions(const int32_t (&tensions)[can::nb_entrees]);
  void tensions(int32_t (&tensions)[can::nb_entrees]) const;

  // What the CPU is doing: interpreteur::actif, attente or arrete.
  unsigned char etat_cpu() const { return cpu.etat; }
  // Pending requests, one bit per source_it (0 in the flat model).
  uint32_t demandes() const;

  // The E cycles a hardware interrupt takes from the end of an
  // instruction to the first fetch of its handler (stacking and vector),
  // and the cost of the illegal-opcode trap.
  static constexpr int cycles_interruption = 12;
  static constexpr int cycles_illegal = 14;
  // Time of the oscillator start-up after STOP when OPTION's DLY is set.
  static constexpr int cycles_delai_stop = 4064;

 private:
  modele_machine modele_;
  std::unique_ptr<puce> puce_;
  std::vector<evenement_broche> a_venir;  // sorted by cycle
  uint64_t echeance;                      // earliest due event or limit
  unsigned short vecteur_entree = 0;
  unsigned short pc_instruction_ = 0;
  arret_machine arret_demande_ = arret_machine::aucun;
  std::vector<acces_refuse> refus_;
  std::vector<bool> adresse_refusee_;
  acces_refuse dernier_refus_;
  uint64_t nombre_refus_;
  unsigned char niveaux_plats[5];  // ports' levels as last logged
  platine* platine_ = nullptr;
  envoi_sci envoi_;
  uint64_t resets_ = 0;
  uint64_t emis_sci_ = 0;
  uint64_t emis_vus_ = 0;  // by the run that stops on a byte sent

  // step() inlined into it where the build allows (link-time
  // optimisation), as a bare loop over step() has it.
  template <bool e9, bool observe, int controle = 0>
  __attribute__((flatten)) arret_machine boucle(const conditions_arret& c);
  bool arret_point(const conditions_arret& c) const;
  bool arret_interruption(const conditions_arret& c, unsigned short vecteur);
  // The flat model without an observer: the counts in locals (registers),
  // since nothing reads them during an instruction.
  __attribute__((flatten)) arret_machine boucle_plate(
      const conditions_arret& c);
  arret_machine hors_instruction(const conditions_arret& c);
  arret_machine apres_inexistante(unsigned short pc, const conditions_arret& c);
  arret_machine atteint_echeance(const conditions_arret& c);
  bool boucle_sans_fin(unsigned short pc, const conditions_arret& c) const;
  bool reveil_possible(const conditions_arret& c) const;
  void entre_interruption(source_it source, const conditions_arret& c,
                          bool deja_empile);
  void applique_broches();
  void applique(evenement_broche e);
  void recalcule_echeance(const conditions_arret& c);
  void reset_puce(unsigned short vecteur);
  uint32_t masque_ccr() const;
};

#endif
