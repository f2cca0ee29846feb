// The system registers of the MC68HC11E9's register block and its
// interrupt logic: the IRQ and XIRQ pins, the priority of pending requests
// and HPRIO's promotion.
//
// Registers (offsets in the block, reset values):
//   $39 OPTION  $10: ADPU CSEL IRQE DLY CME - CR1 CR0. IRQE, DLY, CR1 and
//               CR0 can be written only within the first 64 E cycles after
//               reset; ADPU, CSEL and CME at any time.
//   $3C HPRIO   RBOOT SMOD MDA IRV PSEL3:0: $25 in expanded mode, $05 in
//               single-chip mode (PSEL = 0101). RBOOT, SMOD, MDA and IRV
//               change only in the special modes, which are not
//               modelled; PSEL only while the I bit is set.
//   $3D INIT    $01: RAM3:0 REG3:0, the 4 KiB pages of the RAM and of this
//               block; written once, within the first 64 E cycles.
//   $3E TEST1   $00; its bits act only in test mode: stored, no effect.
//   $3F CONFIG  read: the value latched at reset (EEPROM byte, see the
//               EEPROM unit); writes are the EEPROM's business.
//   $01, $06, $36, $37, $38: reserved, read $00, writes ignored.
// The registers of units that are not modelled read back what was last
// written (from their reset value).
//
// Interrupts: IRQ is level-sensitive (a request while the pin is low) or,
// with IRQE set, falling-edge-sensitive (the edge is latched and cleared
// when the vector is taken); XIRQ is level-sensitive and masked by X. The
// clock monitor (CME) is not modelled.
#ifndef TAMRIX_PUCE_REGISTRES_H
#define TAMRIX_PUCE_REGISTRES_H

#include <cstdint>

#include "puce/interruptions.h"

class puce;

struct etat_systeme {
  unsigned char option;
  unsigned char hprio;
  unsigned char init;
  unsigned char test1;
  unsigned char config;  // as latched at the last reset
  bool init_ecrit;       // INIT takes one write only
  bool mode_etendu;      // expanded (true) or single-chip, sampled at reset
  // What outlives a reset: the CONFIG byte as the EEPROM holds it
  // (latched into `config` at each reset; $0F on a delivered part) and the
  // mode the MODA/MODB pins ask for (sampled into `mode_etendu`).
  unsigned char config_eeprom;
  bool mode_etendu_demande;
  // The other registers of the block, as stored.
  unsigned char bloc[64];
  // Pin levels, 1 = high (inactive), and the latched falling edge of IRQ.
  unsigned char niveau_irq;
  unsigned char niveau_xirq;
  bool front_irq;
};

namespace systeme {

constexpr unsigned char OPTION = 0x39, COPRST = 0x3A, HPRIO = 0x3C, INIT = 0x3D,
                        TEST1 = 0x3E, CONFIG = 0x3F;
// OPTION bits.
constexpr unsigned char ADPU = 0x80, CSEL = 0x40, IRQE = 0x20, DLY = 0x10,
                        CME = 0x08, CR1 = 0x02, CR0 = 0x01;
// E cycles after reset during which the protected bits can be written.
constexpr uint64_t cycles_proteges = 64;

// The reset value of each register of the block (ports and pins aside).
extern const unsigned char valeurs_reset[64];

// Reset: registers to their reset values, CONFIG latched from the EEPROM
// byte, the mode sampled; the pins and what outlives a reset stay.
void reset(puce& p);
unsigned char lit(puce& p, unsigned char offset);
void ecrit(puce& p, unsigned char offset, unsigned char valeur);
// Whether the time-protected bits can still be written.
bool bits_proteges_libres(const puce& p);

// The IRQ and XIRQ pins (1 = high).
void pose_irq(puce& p, bool niveau);
void pose_xirq(puce& p, bool niveau);
// The requests of the interrupt pins, as bits of source_it; the pins'
// sources are always enabled (the CPU's masks aside).
uint32_t demandes(const puce& p);
uint32_t autorisees(const puce& p);
// The request to serve, the highest pending one that the CCR does not
// mask, or nb_sources_it when there is none.
source_it a_servir(const puce& p, uint32_t demandes, unsigned char ccr);
// The vector is being taken for `source`: IRQ's latched edge is cleared.
void servie(puce& p, source_it source);

}  // namespace systeme

#endif
