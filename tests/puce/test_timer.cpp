// The main timer of the E9 model against the reference manual's timing,
// one case a line. The figures are worked out by hand from these rules:
// the counter reads (cycle since reset + 2) at ÷1, so that an LDD of TCNT
// as the first instruction reads $0005 (M68HC11RM 10-41); a new prescale
// rate starts at the next wrap of the 4-bit prescaler; a compare is true
// in the cycle after the counter reaches TOCx, its pin changes at the end
// of that cycle, and a write of TOCx inhibits the compare for one cycle
// (RM 10-42); TOF is seen when the counter reads $0000; RTIF each 2^13 ×
// 1, 2, 4, 8 cycles of the chain, first one period after reset; a capture
// takes the count of the edge's cycle. Cycle counts of the instructions
// are the data book's; the bus cycle of each access is cpu/acces.h's.
#include "tests/puce/banc_puce.h"

namespace {

// LDAB #49; DECB; BNE *-1; BRN: 250 cycles, the next instruction starts
// in cycle 250.
#define ATTENTE_250 "C6 31 5A 26 FD 21 00 "
// LDAA #pr; STAA TMSK2 (written in cycle 5); LDX #164; DEX; BNE *-1; NOP;
// NOP; LDD TCNT: the high byte read in cycle 1000.
#define PRESCALER(pr) "86 " pr " B7 10 24 CE 00 A4 09 26 FD 01 01 FC 10 0E"

const CasPuce cas_compteur[] = {
    {"LDD TCNT first: $0005", "FC 10 0E", "", "", "pas=1", "D=0005", 5},
    {"the latch: LDD across $00FF-$0100 reads $00FF", ATTENTE_250 "FC 10 0E",
     "", "", "pas=101", "D=00FF", 255},
    {"the latch holds one cycle only: LDAA then LDAB TCNT+1",
     ATTENTE_250 "B6 10 0E F6 10 0F", "", "", "pas=102", "D=0003", 258},
    {"LDY TCNT (prebyte): both bytes of one count", "18 FE 10 0E", "", "",
     "pas=1", "Y=0006", 6},
    {"÷1 (PR = 00)", PRESCALER("00"), "", "", "pas=334", "D=03EA", 1002},
    {"÷4 from the prescaler's next wrap (chain count 16)", PRESCALER("01"),
     "", "", "pas=334", "D=0106", 1002},
    {"÷8", PRESCALER("02"), "", "", "pas=334", "D=008B", 1002},
    {"÷16", PRESCALER("03"), "", "", "pas=334", "D=004D", 1002},
    {"PR1:PR0 take one write: 00 then 11 stays ÷1",
     "86 00 B7 10 24 86 03 B7 10 24 FC 10 0E", "", "", "pas=5", "D=0011",
     17},
    {"PR1:PR0 after 64 cycles: no effect",
     ATTENTE_250 "86 03 B7 10 24 FC 10 0E", "", "", "pas=103", "D=0105",
     261},
    {"TCNT is not written", "CC 12 34 FD 10 0E FC 10 0E", "", "", "pas=3",
     "D=000D", 13},
};

TEST(Timer, CounterPrescalerAndLatch) {
  for (const CasPuce& c : cas_compteur) verifie_puce(c);
}

}  // namespace
