// The on-chip system of the MC68HC11E9: its units, the register block they
// share, the bus that maps the block into memory, the time the units keep
// and the interrupt requests they raise.
//
// Every unit keeps its state in a plain struct inside `etat_puce`, so the
// whole chip is copied and compared as one value (snapshots, tests). A unit
// is one file of this folder with its registers, reset values and what it
// leaves out written at its top:
//   registres   OPTION, HPRIO, INIT, TEST1, CONFIG, reserved cells; the
//               IRQ/XIRQ pins and the interrupt priority
//   ports       PORTA..PORTE, DDRC, DDRD, PIOC, PORTCL; pin levels
//   timer       the free-running counter, output compares, input
//               captures, overflow and real-time interrupt ($0B-$26)
//   accumulateur  the pulse accumulator (PACNT)
//   cop         the COP watchdog (COPRST)
//   spi, sci    the serial interfaces (SPCR..SPDR, BAUD..SCDR)
//   can         the A/D converter (ADCTL, ADR1-ADR4) and the analog inputs
//   eeprom      PPROG, BPROT, CONFIG's programming; the EEPROM's rules
// The memory map (RAM, block, EEPROM, ROM, modes) is carte.h's.
// Registers of a unit not modelled yet are stored as written.
//
// Time: the machine counts E cycles since reset. A register access made
// by an instruction happens in the bus cycle the reference manual gives for
// that instruction (cpu/acces.h), and the units are brought up to that
// cycle first; outside an instruction (a view, the user) it happens at the
// machine's count. Units with events ahead (compare matches, frames,
// conversions...) give the cycle of the next one; the machine processes
// them when its count reaches the earliest (`prochain`), and otherwise
// never calls the chip between instructions.
#ifndef TAMRIX_PUCE_PUCE_H
#define TAMRIX_PUCE_PUCE_H

#include <cstdint>

#include "memory/mem_64k.h"
#include "puce/accumulateur.h"
#include "puce/carte.h"
#include "puce/cop.h"
#include "puce/eeprom.h"
#include "puce/interruptions.h"
#include "puce/ports.h"
#include "puce/registres.h"
#include "puce/timer.h"
// Serial interfaces and A/D converter.
#include "puce/can.h"
#include "puce/sci.h"
#include "puce/spi.h"

class machine;

// The whole state of the chip: a plain value.
struct etat_puce {
  etat_systeme systeme;
  etat_ports ports;
  // Serial interfaces and A/D converter.
  etat_spi spi;
  etat_sci sci;
  etat_can can;
  etat_eeprom eeprom;
  // Pending requests (flag and local enable both set), one bit per
  // source_it; the CPU's masks are applied when they are served.
  uint32_t demandes;
  // Count of E cycles at which the earliest unit event is due.
  uint64_t prochain;
  // Where the register block and the RAM are mapped (from INIT).
  unsigned short base_registres;
  unsigned short base_ram;
  // The machine's count at the last reset of the chip.
  uint64_t cycle_reset;
  etat_timer timer;
  etat_accumulateur accumulateur;
  etat_cop cop;
};

class puce {
 public:
  static constexpr uint64_t jamais = ~uint64_t(0);
  // Beside the sources' bits: a unit will reset the chip (the COP).
  static constexpr uint32_t bit_reset = 1u << 31;

  etat_puce etat;
  // The map as laid onto the machine's cells, and the memories it keeps
  // off them (carte.h): not part of the chip's state, it follows it.
  cellules_carte cellules;

  // Wired to a machine, whose memory, clock and pin log the chip uses.
  explicit puce(machine& m);
  puce(const puce&) = delete;
  puce& operator=(const puce&) = delete;

  // Maps the chip onto the machine's memory (bus and marks) or takes it
  // off, leaving plain cells that hold the registers' last values.
  void attache();
  void detache();
  // Puts back a state saved earlier (the memory, marks included, being
  // put back by the caller).
  void restaure(const etat_puce& e);

  // Power-up: every pin released (IRQ and XIRQ high, port inputs low),
  // then reset.
  void mise_sous_tension();
  // Reset: every unit to its reset state, the block remapped at $1000;
  // what drives the pins from outside stays.
  void reset();

  // Register block, by offset 0..63: the CPU's read and write, and a look
  // without side effects.
  unsigned char lit(unsigned char offset);
  void ecrit(unsigned char offset, unsigned char valeur);
  unsigned char consulte(unsigned char offset);

  // The cycle of the access being made now (see Time above), and the
  // cycle of the last one (what a unit stamps its pin changes with).
  uint64_t cycle_acces(bool ecriture);
  uint64_t instant() const;
  // A pin event scheduled at `cycle` is being applied (at the end of the
  // instruction during which it fell): what it changes happens at its own
  // cycle (an input capture latches the counter of then).
  void debut_evenement(uint64_t cycle);
  void fin_evenement() { evenement = false; }
  // While it lives, what a unit changes (a compare's pin action) happens
  // at `cycle`, the unit's own event's; the instant before comes back
  // after.
  class a_l_instant {
   public:
    a_l_instant(puce& p, uint64_t cycle);
    ~a_l_instant();
    a_l_instant(const a_l_instant&) = delete;
    a_l_instant& operator=(const a_l_instant&) = delete;

   private:
    puce& p_;
    bool evenement_;
    uint64_t instant_;
  };
  // The machine's count of E cycles.
  uint64_t cycles() const;
  machine& mach() { return m; }
  const machine& mach() const { return m; }

  // Brings every unit up to `cycle`: due events processed, requests and
  // `prochain` recomputed.
  void rattrape(uint64_t cycle);
  // Recomputes the earliest unit event, and tells the machine.
  void planifie();
  // Recomputes the pending requests from the units' flags and enables.
  void maj_demandes();
  // The sources whose local enable is set (IRQ and XIRQ always are), one
  // bit per source_it.
  uint32_t sources_autorisees() const;
  // Whether something may still raise a request that the CCR does not
  // mask, or otherwise change the program's course (a timer, a watchdog):
  // what tells a program waiting for an interrupt from a dead one. Time
  // alone: an edge on an input pin is the machine's business, with
  // `sources_broches`, the enabled sources such an edge raises.
  bool activite_possible(unsigned char ccr) const;
  uint32_t sources_broches() const;
  // Whether the register at `offset` may change without the CPU (a
  // counter, a flag that rises).
  bool octet_mobile(unsigned char offset) const;

  // Lays the memory map onto the machine's cells (carte.h). Called at
  // reset and when INIT changes.
  void marque_carte();

  // The instruction under way: the machine sets its PC before step().
  // An access is taken for one of its own unless `hors` says that the
  // machine itself (interrupt stacking, the user, a view) makes it.
  struct instruction_en_cours {
    unsigned short pc;
    bool hors;
    unsigned char lectures;  // register-block accesses made so far
    unsigned char ecritures;
    uint64_t numero;  // the machine's instruction count then
  } instruction;
  // Accesses made by the machine between instructions.
  struct hors_instruction {
    explicit hors_instruction(puce& p) : p_(p), avant_(p.instruction.hors) {
      p.instruction.hors = true;
    }
    ~hors_instruction() { p_.instruction.hors = avant_; }
    puce& p_;
    bool avant_;
  };

 private:
  machine& m;
  bus_memoire bus;
  uint64_t instant_acces;
  uint64_t instant_evenement;
  bool evenement;

  static unsigned char lit_bus(void* objet, unsigned short adresse);
  static void ecrit_bus(void* objet, unsigned short adresse,
                        unsigned char valeur);
  static unsigned char consulte_bus(void* objet, unsigned short adresse);
};

#endif
