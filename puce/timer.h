// The main timer of the MC68HC11E9: the free-running counter and its
// prescaler, the five output compares and their pins on port A, the input
// captures, the timer overflow and the real-time interrupt.
//
// Registers (offsets in the block, reset values):
//   $0B CFORC   $00  FOC1-FOC5: a 1 forces the compare's pin action (no
//               flag) at the next count of the counter; reads $00
//   $0C OC1M    $00  OC1M7-OC1M3: the port A pins (PA7-PA3) OC1 acts on
//   $0D OC1D    $00  OC1D7-OC1D3: the levels OC1 puts on them
//   $0E TCNT    counter, read only; reading the high byte freezes the low
//               byte for the next bus cycle (a double-byte read is one
//               value)
//   $10 TIC1-TIC3   captures, read only ($0000 here; undefined on the chip)
//   $16 TOC1-TOC4   $FFFF; a write inhibits that compare for one cycle
//   $1E TI4O5   $FFFF: TOC5 or TIC4 as PACTL's I4/O5 selects
//   $20 TCTL1   $00  OMx:OLx for OC2-OC5 (PA6-PA3): none, toggle, 0, 1
//   $21 TCTL2   $00  EDGxB:EDGxA for IC4, IC1, IC2, IC3: off, rising,
//               falling, any edge
//   $22 TMSK1   $00  OC1I-OC4I I4/O5I IC1I-IC3I
//   $23 TFLG1   $00  their flags; a 1 written clears a flag, a 0 leaves it
//   $24 TMSK2   $00  TOI RTII PAOVI PAII - - PR1 PR0; PR1:PR0 take one
//               write, within the first 64 E cycles after reset
//   $25 TFLG2   $00  TOF RTIF PAOVF PAIF, cleared by writing 1s
//   $26 PACTL   $00  DDRA7 PAEN PAMOD PEDGE DDRA3 I4/O5 RTR1 RTR0
// PACNT ($27) and PACTL's PAEN, PAMOD, PEDGE are the pulse accumulator's
// (puce/accumulateur.h); DDRA7 and DDRA3 give PA7's and PA3's direction to
// the ports unit.
//
// Time. The counter counts E cycles through the prescaler (÷1, 4, 8, 16);
// a new rate starts at the next wrap of the 4-bit prescaler. The clock
// chain starts as the reset ends, two cycles before the first instruction
// is fetched, so that an LDD of TCNT as the first instruction reads $0005.
// The real-time interrupt, the COP and the pulse accumulator's E/64 clock
// are taps of the same chain: RTIF rises each 2^13 × 1, 2, 4, 8 cycles of
// it, the first one period after reset. A compare is true in the cycle
// after the counter reaches TOCx (with a prescaler, once per count): its
// flag is seen from that cycle and its pin changes at its end; a pin the
// program or the user changes is captured with the count of that cycle.
// Nothing is counted cycle by cycle: the counter and the flags are
// computed from the cycle count when an access or an event needs them.
//
// Port A: OC2-OC5 drive PA6-PA3 while their OMx:OLx is not 00 (the
// program's writes to PORTA no longer reach those pins), OC1 writes the
// pins OC1M selects at its compare (and wins over the others in the same
// cycle). PA7 and PA3 show it only as outputs (DDRA7, DDRA3).
//
// Left out: the test and bootstrap modes (PR1:PR0 writable at any time,
// TCNT writable), the delay of a capture while the high byte of TICx is
// being read, and a STOP's effect on the counter (it stops with the
// clocks).
//
// Reference manual (M68HC11RM), section 10; E family data sheet, section 9.
#ifndef TAMRIX_PUCE_TIMER_H
#define TAMRIX_PUCE_TIMER_H

#include <cstdint>

class puce;

struct etat_timer {
  unsigned char oc1m;
  unsigned char oc1d;
  unsigned short toc[5];  // TOC1-TOC4, TI4O5
  unsigned short tic[3];  // TIC1-TIC3
  unsigned char tctl1;
  unsigned char tctl2;
  unsigned char tmsk1;
  unsigned char tflg1;
  unsigned char tmsk2;
  unsigned char tflg2;  // TOF and RTIF (PAOVF, PAIF: the accumulator's)
  unsigned char pactl;
  bool tmsk2_ecrit;  // PR1:PR0 are written once
  // The machine's count at reset; from there the chain counts cycles + 2.
  uint64_t origine;
  // The prescaler divides by `division` from the chain count `bascule` on.
  uint64_t bascule;
  unsigned division;
  // Every event seen in a cycle up to `a_jour` is done.
  uint64_t a_jour;
  // For each compare, the first cycle in which it may be found true: after
  // a write of its register, and after each match for the rest of that
  // count.
  uint64_t arme[5];
  // Forced compares (CFORC's bits) waiting for the counter's next count,
  // which comes in cycle `cycle_force`.
  unsigned char forces;
  uint64_t cycle_force;
  // TCNT's low byte as frozen by a read of the high byte in
  // `cycle_verrou`.
  uint64_t cycle_verrou;
  unsigned char verrou_bas;
  bool verrou;
  // Set while the unit changes pins for one of its own events.
  bool en_evenement;
};

namespace timer {

constexpr unsigned char CFORC = 0x0B, OC1M = 0x0C, OC1D = 0x0D, TCNT = 0x0E,
                        TIC1 = 0x10, TOC1 = 0x16, TI4O5 = 0x1E, TCTL1 = 0x20,
                        TCTL2 = 0x21, TMSK1 = 0x22, TFLG1 = 0x23, TMSK2 = 0x24,
                        TFLG2 = 0x25, PACTL = 0x26;
// PACTL bits.
constexpr unsigned char DDRA7 = 0x80, PAEN = 0x40, PAMOD = 0x20, PEDGE = 0x10,
                        DDRA3 = 0x08, I4O5 = 0x04;
// TMSK2 and TFLG2 bits.
constexpr unsigned char TOF = 0x80, RTIF = 0x40, PAOVF = 0x20, PAIF = 0x10;

void reset(puce& p);
bool possede(unsigned char offset);
unsigned char lit(puce& p, unsigned char offset);
void ecrit(puce& p, unsigned char offset, unsigned char valeur);
void rattrape(puce& p, uint64_t cycle);
uint64_t prochain(const puce& p);
uint32_t demandes(const puce& p);
uint32_t autorisees(const puce& p);
// Enabled sources that time alone will raise; enabled sources that an edge
// on a port A pin raises.
uint32_t possibles(const puce& p);
uint32_t sur_broches(const puce& p);
// Whether the register at `offset` changes without the CPU.
bool mobile(const puce& p, unsigned char offset);

// The clock chain's count in a cycle of the machine, and back.
uint64_t chaine(const puce& p, uint64_t cycle);
uint64_t cycle_de_chaine(const puce& p, uint64_t compte);
// TCNT as a read in `cycle` gives it (without the latch).
unsigned short tcnt(const puce& p, uint64_t cycle);
// The prescaler's division (1, 4, 8 or 16).
unsigned division(const puce& p);
// Port A pins the program cannot write (driven by OC2-OC5).
unsigned char broches_reservees(const puce& p);
// Port A's levels changed from `avant` to `apres` in the cycle
// p.instant(): captures and the pulse accumulator's input.
void port_a(puce& p, unsigned char avant, unsigned char apres);

// For the views: the next event of the timer (a compare, the overflow, the
// real-time interrupt), its name and cycle.
struct evenement {
  const char* nom;
  uint64_t cycle;
};
evenement suivant(const puce& p);

}  // namespace timer

#endif
