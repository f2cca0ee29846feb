// The pulse accumulator of the MC68HC11E9: an 8-bit counter fed by the
// PA7/PAI pin.
//
// Registers (offsets in the block, reset values):
//   $27 PACNT   $00, read and written at any time
// and, kept by the timer unit (puce/timer.h): PACTL's PAEN (on), PAMOD
// (0: event counting, 1: gated time accumulation) and PEDGE; TMSK2's
// PAOVI and PAII; TFLG2's PAOVF and PAIF, whose values live here.
//
//   PAMOD PEDGE   PACNT counts                    PAIF rises on
//     0     0     falling edges of PAI            a falling edge
//     0     1     rising edges                    a rising edge
//     1     0     E/64 ticks while PAI is high    the falling edge
//     1     1     E/64 ticks while PAI is low     the rising edge
// PAOVF rises when PACNT rolls over from $FF to $00. PAI is the pin's level
// whatever its direction (an output still feeds the accumulator). The E/64
// ticks are a tap of the timer's clock chain (puce/timer.h): a tick comes
// in each cycle where the chain's count is a multiple of 64, and counts if
// the pin was active before that cycle. With PAEN clear nothing counts and
// no flag rises.
//
// Left out: the edge detector's limit (an edge per two E cycles at most).
//
// Reference manual (M68HC11RM), section 11.
#ifndef TAMRIX_PUCE_ACCUMULATEUR_H
#define TAMRIX_PUCE_ACCUMULATEUR_H

#include <cstdint>

class puce;

struct etat_accumulateur {
  unsigned char pacnt;     // its value in cycle `a_jour`
  unsigned char drapeaux;  // PAOVF and PAIF, at their TFLG2 places
  unsigned char niveau;    // PAI's level as last seen
  uint64_t a_jour;         // E/64 ticks counted up to this cycle
};

namespace accumulateur {

constexpr unsigned char PACNT = 0x27;

void reset(puce& p);
bool possede(unsigned char offset);
unsigned char lit(puce& p, unsigned char offset);
void ecrit(puce& p, unsigned char offset, unsigned char valeur);
void rattrape(puce& p, uint64_t cycle);
uint64_t prochain(const puce& p);
uint32_t demandes(const puce& p);
uint32_t autorisees(const puce& p);
uint32_t possibles(const puce& p);
uint32_t sur_broches(const puce& p);
bool mobile(const puce& p, unsigned char offset);

// TFLG2's PAOVF and PAIF; a write of TFLG2 clearing them.
unsigned char drapeaux(const puce& p);
void efface(puce& p, unsigned char bits);
// PAI has changed to `niveau` in `cycle` (possibly earlier than what the
// unit has counted up to: a pin event applied at the end of an
// instruction).
void pai(puce& p, bool niveau, uint64_t cycle);

}  // namespace accumulateur

#endif
