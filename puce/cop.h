// The COP watchdog of the MC68HC11E9: unless it is serviced in time, it
// resets the chip through the $FFFA vector.
//
// Registers (offsets in the block, reset values):
//   $3A COPRST  writing $55 arms the clearing, then $AA clears the watchdog
//               (any number of instructions between; other values change
//               nothing); reads $00
// and OPTION's CR1:CR0 (puce/registres.h), the time-out rate: E/2^15 ÷ 1,
// 4, 16, 64.
//
// On when CONFIG's NOCOP bit is clear; CONFIG is an EEPROM byte latched at
// reset, so a program cannot switch the watchdog on or off: the user does
// it (the "COP actif" check of the Interruptions window, tamrix-run --cop)
// and it takes effect at the next reset.
//
// Time: the watchdog counts the rising edges of the E/2^15 tap of the
// timer's clock chain (puce/timer.h), which its clearing does not reset;
// the reset comes with the (N + 1)th edge after the last clearing (or
// reset), N = 1, 4, 16 or 64 by CR1:CR0: between N and N + 1 periods of
// the tap, as the manual's "-0/+" tolerance has it. The reset is done at
// the end of the instruction during which the time-out falls.
//
// Left out: the clock monitor (CME, the $FFFC vector) and the special
// modes' DISR.
//
// Reference manual (M68HC11RM), sections 5.3 and 10.2.
#ifndef TAMRIX_PUCE_COP_H
#define TAMRIX_PUCE_COP_H

#include <cstdint>

class puce;

struct etat_cop {
  bool arme;        // $55 written, waiting for $AA
  uint64_t efface;  // the chain's count at the last clearing (0: reset)
  bool echu;        // time-out seen, the reset not yet done
};

namespace cop {

constexpr unsigned char COPRST = 0x3A;
// CONFIG's bit that keeps the watchdog off.
constexpr unsigned char NOCOP = 0x04;

void reset(puce& p);
bool possede(unsigned char offset);
unsigned char lit(puce& p, unsigned char offset);
void ecrit(puce& p, unsigned char offset, unsigned char valeur);
void rattrape(puce& p, uint64_t cycle);
uint64_t prochain(const puce& p);
uint32_t possibles(const puce& p);

// Whether the watchdog runs (CONFIG as latched at the last reset).
bool actif(const puce& p);
// The cycle of the time-out ahead, or puce::jamais.
uint64_t echeance(const puce& p);
// Whether the time-out has come: the machine then resets the chip.
bool echu(const puce& p);

}  // namespace cop

#endif
