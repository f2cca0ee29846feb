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
    {"÷4 from the prescaler's next wrap (chain count 16)", PRESCALER("01"), "",
     "", "pas=334", "D=0106", 1002},
    {"÷8", PRESCALER("02"), "", "", "pas=334", "D=008B", 1002},
    {"÷16", PRESCALER("03"), "", "", "pas=334", "D=004D", 1002},
    {"PR1:PR0 take one write: 00 then 11 stays ÷1",
     "86 00 B7 10 24 86 03 B7 10 24 FC 10 0E", "", "", "pas=5", "D=0011", 17},
    {"PR1:PR0 after 64 cycles: no effect",
     ATTENTE_250 "86 03 B7 10 24 FC 10 0E", "", "", "pas=103", "D=0105", 261},
    {"TCNT is not written", "CC 12 34 FD 10 0E FC 10 0E", "", "", "pas=3",
     "D=000D", 13},
};

TEST(Timer, CounterPrescalerAndLatch) {
  for (const CasPuce& c : cas_compteur) verifie_puce(c);
}

// LDD #V; STD TOCx (written in cycles 6 and 7); LDAA TFLG1 (read in
// cycle 11, when TCNT of the cycle before is 12).
#define COMPARE(v, toc) "CC 00 " v " FD 10 " toc " B6 10 23"
// LDAA #init; STAA PORTA; LDAA #tctl1; STAA TCTL1; LDD #$0020; STD TOCx;
// LDAB #3; DECB; BNE; LDAA PORTA: the compare in cycle 31, PORTA read in
// cycle 40.
#define ACTION(init, tctl1, toc)                                   \
  "86 " init " B7 10 00 86 " tctl1 " B7 10 20 CC 00 20 FD 10 " toc \
  " C6 03 5A 26 FD B6 10 00"

const CasPuce cas_comparaisons[] = {
    {"OC2F seen the cycle after TCNT reads TOC2", COMPARE("0C", "18"), "", "",
     "pas=3", "A=40", 12},
    {"not in the cycle TCNT reads it", COMPARE("0D", "18"), "", "", "pas=3",
     "A=00", 12},
    {"a write inhibits the next cycle's compare", COMPARE("09", "18"), "", "",
     "pas=3", "A=00", 12},
    {"...and not the one after", COMPARE("0A", "18"), "", "", "pas=3", "A=40",
     12},
    {"OC1F", COMPARE("0C", "16"), "", "", "pas=3", "A=80", 12},
    {"OC3F", COMPARE("0C", "1A"), "", "", "pas=3", "A=20", 12},
    {"OC4F", COMPARE("0C", "1C"), "", "", "pas=3", "A=10", 12},
    {"OC5: I4/O5F while I4/O5 is clear",
     "86 00 B7 10 26 CC 00 12 FD 10 1E B6 10 23", "", "", "pas=5", "A=08", 18},
    {"IC4 selected: TI4O5 does not compare",
     "86 04 B7 10 26 CC 00 12 FD 10 1E B6 10 23", "", "", "pas=5", "A=00", 18},
    {"OM2:OL2 = 00: PA6 untouched", ACTION("00", "00", "18"), "", "", "pas=14",
     "A=00 / 1023=40", 41},
    {"01 toggles PA6 up", ACTION("00", "40", "18"), "", "", "pas=14",
     "A=40 / 1023=40", 41},
    {"01 toggles PA6 down", ACTION("40", "40", "18"), "", "", "pas=14", "A=00",
     41},
    {"10 clears PA6", ACTION("40", "80", "18"), "", "", "pas=14", "A=00", 41},
    {"11 sets PA6", ACTION("00", "C0", "18"), "", "", "pas=14", "A=40", 41},
    {"OC3 sets PA5", ACTION("00", "30", "1A"), "", "", "pas=14", "A=20", 41},
    {"OC4 sets PA4", ACTION("00", "0C", "1C"), "", "", "pas=14", "A=10", 41},
    {"OC5 sets PA3, an input until DDRA3", ACTION("00", "03", "1E"), "", "",
     "pas=14", "A=00", 41},
    {"OC5 on PA3 as an output", "86 08 B7 10 26 " ACTION("00", "03", "1E"), "",
     "", "pas=16", "A=08", 47},
    {"PORTA cannot write a pin OC2 drives",
     "86 80 B7 10 20 86 70 B7 10 00 B6 10 00", "", "", "pas=5", "A=30", 16},
    {"OC1M/OC1D put their levels on PA6-PA4",
     "86 20 B7 10 00 86 70 B7 10 0C 86 50 B7 10 0D CC 00 30 FD 10 16 C6 06 "
     "5A 26 FD B6 10 00",
     "", "", "pas=22", "A=50 / 1023=80", 62},
    {"OC1 wins over OC2 on the same pin in the same cycle",
     "86 C0 B7 10 20 86 40 B7 10 0C CC 00 30 FD 10 16 FD 10 18 C6 06 5A 26 "
     "FD B6 10 00",
     "", "", "pas=21", "A=00 / 1023=C0", 61},
    {"OC1 drives PA7 with DDRA7",
     "86 80 B7 10 26 B7 10 0C B7 10 0D CC 00 30 FD 10 16 C6 06 5A 26 FD B6 "
     "10 00",
     "", "", "pas=20", "A=80", 58},
    {"÷4: one toggle for the four cycles TCNT reads TOC2",
     "86 01 B7 10 24 86 40 B7 10 20 CC 00 20 FD 10 18 C6 0C 5A 26 FD B6 10 "
     "00",
     "", "", "pas=32", "A=40 / 1023=40", 86},
    {"CFORC: the pin action at the next count, no flag",
     "86 C0 B7 10 20 86 40 B7 10 0B B6 10 00 F6 10 23", "", "", "pas=6",
     "A=40 B=00 / 100B=00", 20},
};

TEST(Timer, ComparesAndPinActions) {
  for (const CasPuce& c : cas_comparaisons) verifie_puce(c);
}

// LDAA #tctl2; STAA TCTL2; LDX #100; DEX; BNE; LDD TICx: done in cycle
// 614, the pins scheduled before.
#define CAPTURE(tctl2, tic) "86 " tctl2 " B7 10 21 CE 00 64 09 26 FD FC 10 " tic

const CasPuce cas_captures[] = {
    {"IC1 rising edge: TCNT of the edge's cycle", CAPTURE("10", "10"), "",
     "PA2=1@100 PA2=0@200", "pc=b60e", "D=0066 / 1023=04", 614},
    {"IC1 falling edge", CAPTURE("20", "10"), "", "PA2=1@100 PA2=0@200",
     "pc=b60e", "D=00CA / 1023=04", 614},
    {"IC1 any edge: the last one", CAPTURE("30", "10"), "",
     "PA2=1@100 PA2=0@200", "pc=b60e", "D=00CA / 1023=04", 614},
    {"IC1 disabled", CAPTURE("00", "10"), "", "PA2=1@100 PA2=0@200", "pc=b60e",
     "D=0000 / 1023=00", 614},
    {"IC2 on PA1", CAPTURE("04", "12"), "", "PA1=1@300", "pc=b60e",
     "D=012E / 1023=02", 614},
    {"IC3 on PA0", CAPTURE("02", "14"), "", "PA0=1@300 PA0=0@301", "pc=b60e",
     "D=012F / 1023=01", 614},
    {"IC1 ignores PA0", CAPTURE("30", "10"), "", "PA0=1@300", "pc=b60e",
     "D=0000 / 1023=00", 614},
    {"IC4 on PA3 into TI4O5", "86 04 B7 10 26 " CAPTURE("40", "1E"), "",
     "PA3=1@100", "pc=b613", "D=0066 / 1023=08", 620},
};

TEST(Timer, InputCaptures) {
  for (const CasPuce& c : cas_captures) verifie_puce(c);
}

// Interrupts taken out of WAI: the handler's first cycle is the flag's
// cycle + 2 (the vector fetch).
const CasPuce cas_interruptions_timer[] = {
    {"TOF: the counter reads $0000 in cycle 65534",
     "86 80 B7 10 24 0E 3E / FFDE=C0 FFDF=00", "", "", "pc=c000", "PC=C000",
     65536},
    {"TOF at ÷16: chain count 16 + 65520 × 16",
     "86 83 B7 10 24 0E 3E / FFDE=C0 FFDF=00", "", "", "pc=c000", "PC=C000",
     1048336},
    {"RTI, RTR = 00: 2^13", "86 40 B7 10 24 0E 3E / FFF0=C0 FFF1=00", "", "",
     "pc=c000", "PC=C000", 8192},
    {"RTR = 01: 2^14", "86 01 B7 10 26 86 40 B7 10 24 0E 3E / FFF0=C0 FFF1=00",
     "", "", "pc=c000", "PC=C000", 16384},
    {"RTR = 10: 2^15", "86 02 B7 10 26 86 40 B7 10 24 0E 3E / FFF0=C0 FFF1=00",
     "", "", "pc=c000", "PC=C000", 32768},
    {"RTR = 11: 2^16", "86 03 B7 10 26 86 40 B7 10 24 0E 3E / FFF0=C0 FFF1=00",
     "", "", "pc=c000", "PC=C000", 65536},
    {"OC2: TOC2 = $1000",
     "CC 10 00 FD 10 18 86 40 B7 10 22 0E 3E / FFE6=C0 "
     "FFE7=00",
     "", "", "pc=c000", "PC=C000", 4097},
    {"IC1 wakes WAI at the edge",
     "86 10 B7 10 21 86 04 B7 10 22 0E 3E / "
     "FFEE=C0 FFEF=00",
     "", "PA2=1@500", "pc=c000", "PC=C000", 502},
    {"PAI wakes WAI", "86 50 B7 10 26 86 10 B7 10 24 0E 3E / FFDA=C0 FFDB=00",
     "", "PA7=1@500", "pc=c000", "PC=C000", 502},
    {"I set (from reset): OC2's request waits for CLI",
     "CC 00 10 FD 10 18 86 40 B7 10 22 C6 05 5A 26 FD 0E 01 / FFE6=C0 "
     "FFE7=00",
     "", "", "pc=c000", "PC=C000 / FF=11 FE=B6", 55},
};

TEST(Timer, InterruptsOutOfWai) {
  for (const CasPuce& c : cas_interruptions_timer) verifie_puce(c);
}

// LDAA #pactl; STAA PACTL; LDX #150; DEX; BNE; LDAA PACNT; LDAB TFLG2.
#define ACCUMULATEUR(pactl) \
  "86 " pactl " B7 10 26 CE 00 96 09 26 FD B6 10 27 F6 10 25"
#define IMPULSIONS "PA7=1@100 PA7=0@150 PA7=1@200 PA7=0@250 PA7=1@300"

const CasPuce cas_accumulateur[] = {
    {"event counting, rising edges", ACCUMULATEUR("50"), "", IMPULSIONS,
     "pas=305", "A=03 B=10", 917},
    {"event counting, falling edges", ACCUMULATEUR("40"), "", IMPULSIONS,
     "pas=305", "A=02 B=10", 917},
    {"PAEN clear: nothing", ACCUMULATEUR("10"), "", IMPULSIONS, "pas=305",
     "A=00 B=00", 917},
    {"gated, high: E/64 ticks while PA7 is high, PAIF at its fall",
     ACCUMULATEUR("60"), "", "PA7=1@100 PA7=0@740", "pas=305", "A=0A B=10",
     917},
    {"gated, low: from the PACTL write until PA7 rises", ACCUMULATEUR("70"), "",
     "PA7=1@400", "pas=305", "A=06 B=10", 917},
    {"overflow: $FF to $00 sets PAOVF", "86 FE B7 10 27 " ACCUMULATEUR("50"),
     "", "PA7=1@100 PA7=0@150 PA7=1@200", "pas=307", "A=00 B=30", 923},
    {"PA7 as an output still feeds it",
     "86 D0 B7 10 26 86 80 B7 10 00 4F B7 10 00 86 80 B7 10 00 B6 10 27", "",
     "", "pas=9", "A=02", 28},
};

TEST(Timer, PulseAccumulator) {
  for (const CasPuce& c : cas_accumulateur) verifie_puce(c);
}

// Two flags set (TOC1 = TOC2 = $0040, seen in cycle 63), then one way of
// clearing, then LDAA TFLG1. X = $1000.
#define DEUX_DRAPEAUX "CE 10 00 CC 00 40 ED 16 ED 18 C6 14 5A 26 FD "

const CasPuce cas_effacement[] = {
    {"a 1 written clears its flag", DEUX_DRAPEAUX "86 40 A7 23 A6 23", "", "",
     "pas=48", "A=80", 128},
    {"a 0 written clears nothing", DEUX_DRAPEAUX "86 00 A7 23 A6 23", "", "",
     "pas=48", "A=C0", 128},
    {"BCLR with the flag's 0 in the mask (the manual's way)",
     DEUX_DRAPEAUX "1D 23 BF A6 23", "", "", "pas=47", "A=80", 129},
    {"BCLR #$40 writes $80 back: OC1F goes, OC2F stays",
     DEUX_DRAPEAUX "1D 23 40 A6 23", "", "", "pas=47", "A=40", 129},
    {"BSET #$40 writes $C0 back: both go", DEUX_DRAPEAUX "1C 23 40 A6 23", "",
     "", "pas=47", "A=00", 129},
};

TEST(Timer, FlagsClearedByOnes) {
  for (const CasPuce& c : cas_effacement) verifie_puce(c);
}

// The watchdog, switched on as the EEPROM's CONFIG would: NOCOP cleared,
// then a reset. The reset comes with the (N + 1)th edge of the chain's
// E/2^15 tap after the last clearing, N = 1, 4, 16, 64 (RM 10-14: the
// period of the tap as tolerance); the program waits in WAI with I set,
// so that only the watchdog can end the wait.
struct CasCop {
  const char* nom;
  const char* code;
  unsigned long long cycles;  // when the $FFFA vector is taken
};

// LDX #6666; DEX; BNE: cycles 6 to 40004.
#define ATTENTE_40000 "CE 1A 0A 09 26 FD "

const CasCop cas_cop[] = {
    {"CR = 00: 2 × 2^15 - 2", "86 00 B7 10 39 3E", 2 * 32768 - 2},
    {"CR = 01: 5 × 2^15 - 2", "86 01 B7 10 39 3E", 5 * 32768 - 2},
    {"CR = 10: 17 × 2^15 - 2", "86 02 B7 10 39 3E", 17 * 32768 - 2},
    {"CR = 11: 65 × 2^15 - 2", "86 03 B7 10 39 3E", 65 * 32768 - 2},
    {"$55 then $AA after the first edge: restarted",
     "86 00 B7 10 39 " ATTENTE_40000 "86 55 B7 10 3A 86 AA B7 10 3A 3E",
     3 * 32768 - 2},
    {"$AA alone does not clear",
     "86 00 B7 10 39 " ATTENTE_40000 "86 AA B7 10 3A 3E", 2 * 32768 - 2},
    {"$AA then $55: not cleared",
     "86 00 B7 10 39 " ATTENTE_40000 "86 AA B7 10 3A 86 55 B7 10 3A 3E",
     2 * 32768 - 2},
    {"another value between $55 and $AA",
     "86 00 B7 10 39 " ATTENTE_40000
     "86 55 B7 10 3A 86 12 B7 10 3A 86 AA B7 10 3A 3E",
     3 * 32768 - 2},
};

TEST(Cop, TimeOutAndItsRestartSequence) {
  for (const CasCop& c : cas_cop) {
    SCOPED_TRACE(c.nom);
    machine m(modele_machine::e9);
    m.systeme()->etat.systeme.config_eeprom &= ~cop::NOCOP;
    banc::Etat cellules;
    uint16_t a = 0xB600;
    for (uint8_t o : banc::lit_code(c.code, cellules))
      m.memoire.write_byte(a++, o);
    m.memoire.write_byte(0xFFFA, 0xC0);
    m.memoire.write_byte(0xFFFB, 0x00);
    m.reset();
    ASSERT_TRUE(cop::actif(*m.systeme()));
    static unsigned char arrets[0x10000];
    arrets[0xC000] = 1;
    conditions_arret conditions;
    conditions.points_arret = arrets;
    conditions.max_cycles = 3000000;
    EXPECT_EQ(arret_machine::point_arret, m.execute(conditions));
    EXPECT_EQ(c.cycles, m.cycles);
    // A fresh chip: the counter starts again.
    EXPECT_EQ(0x0002, timer::tcnt(*m.systeme(), m.cycles));
  }
}

TEST(Cop, OffByDefaultAndOnlyFromTheEeprom) {
  machine m(modele_machine::e9);
  m.memoire.write_byte(0xB600, 0x3E);
  m.reset();
  EXPECT_FALSE(cop::actif(*m.systeme()));
  EXPECT_EQ(arret_machine::attente, m.execute(conditions_arret{}));
  // CONFIG written by the program changes nothing.
  m.memoire.write_byte(0xB600, 0x86);
  m.memoire.write_byte(0xB601, 0x0B);
  m.memoire.write_byte(0xB602, 0xB7);
  m.memoire.write_byte(0xB603, 0x10);
  m.memoire.write_byte(0xB604, 0x3F);
  m.memoire.write_byte(0xB605, 0x3E);
  m.reset();
  EXPECT_EQ(arret_machine::attente, m.execute(conditions_arret{}));
  EXPECT_FALSE(cop::actif(*m.systeme()));
}

// The pin log has each compare's pin change in the cycle it ends.
TEST(Timer, PinChangesAreLoggedAtTheirCycles) {
  // TCTL1: OC2 toggles PA6; TOC2 = $20, then CFORC forces OC2 again.
  const CasPuce c = {
      "", ACTION("00", "40", "18") " 86 40 B7 10 0B 01", "", "", "pas=17", "",
      49};
  const std::unique_ptr<machine> m = execute_puce(c);
  ASSERT_EQ(2u, m->journal.taille());
  EXPECT_EQ(31u, m->journal[0].cycle);
  EXPECT_EQ(broche_pa0 + 6, m->journal[0].broche);
  EXPECT_EQ(1, m->journal[0].niveau);
  // CFORC written in cycle 46: the force at the next count, cycle 47.
  EXPECT_EQ(47u, m->journal[1].cycle);
  EXPECT_EQ(0, m->journal[1].niveau);
}

// A look at the block (the dump, a view) neither takes TCNT's latch nor
// clears a flag.
TEST(Timer, LooksHaveNoSideEffects) {
  machine m(modele_machine::e9);
  // DEX; BRA *-1.
  m.memoire.write_byte(0xB600, 0x09);
  m.memoire.write_byte(0xB601, 0x20);
  m.memoire.write_byte(0xB602, 0xFD);
  m.reset();
  conditions_arret c;
  c.max_cycles = 70000;
  m.execute(c);
  puce& p = *m.systeme();
  const unsigned char tflg1 = m.memoire.consulte(0x1023);
  EXPECT_EQ(0xF8, tflg1);  // every compare matched TOCx = $FFFF
  EXPECT_EQ(0xC0, m.memoire.consulte(0x1025));  // TOF and RTIF
  const unsigned short t = timer::tcnt(p, m.cycles);
  EXPECT_EQ(t >> 8, m.memoire.consulte(0x100E));
  EXPECT_EQ(t & 0xFF, m.memoire.consulte(0x100F));
  EXPECT_FALSE(p.etat.timer.verrou);
  EXPECT_EQ(tflg1, m.memoire.consulte(0x1023));
}

// When a program waiting on itself is at its end: no request can come
// (the timer's sources masked or disabled), or one can.
struct CasFin {
  const char* nom;
  const char* code;
  const char* broches;
  arret_machine attendu;
  unsigned short pc;  // where it ends (0: anywhere)
};

const CasFin cas_fin[] = {
    {"BRA * with OC2I set and I clear: the interrupt comes",
     "86 40 B7 10 22 0E 20 FE", "", arret_machine::max_cycles, 0},
    {"BRA * with OC2I set and I set: the end", "86 40 B7 10 22 20 FE", "",
     arret_machine::boucle, 0xB605},
    {"BRA * with only a pin action: the end", "86 40 B7 10 20 20 FE", "",
     arret_machine::boucle, 0xB605},
    {"BRCLR on TFLG1 waits for OC2F", "CE 10 00 1F 23 40 FC 20 FE", "",
     arret_machine::boucle, 0xB607},
    {"WAI with IC1I and an edge to come",
     "86 10 B7 10 21 86 04 B7 10 22 0E 3E 20 FE", "PA2=1@3000",
     arret_machine::max_cycles, 0},
    {"WAI with IC1I and no edge to come: the end",
     "86 10 B7 10 21 86 04 B7 10 22 0E 3E", "", arret_machine::attente, 0xB60C},
    {"WAI with TOI", "86 80 B7 10 24 0E 3E 20 FE", "",
     arret_machine::max_cycles, 0},
    {"STOP: the timer cannot restart the clocks", "86 40 B7 10 22 86 00 06 CF",
     "", arret_machine::attente, 0xB609},
};

TEST(Timer, WhatEndsAWaitingProgram) {
  for (const CasFin& c : cas_fin) {
    SCOPED_TRACE(c.nom);
    const CasPuce cas = {c.nom, c.code, "", c.broches, "pas=100000", "", 0};
    std::unique_ptr<machine> m(new machine(modele_machine::e9));
    banc::Etat cellules;
    uint16_t a = 0xB600;
    for (uint8_t o : banc::lit_code(cas.code, cellules))
      m->memoire.write_byte(a++, o);
    // Handlers: RTI at $C000 for every vector.
    m->memoire.write_byte(0xC000, 0x3B);
    for (unsigned v = 0xFFD6; v < 0xFFF6; v += 2) {
      m->memoire.write_byte(static_cast<uint16_t>(v), 0xC0);
      m->memoire.write_byte(static_cast<uint16_t>(v + 1), 0x00);
    }
    std::istringstream broches(c.broches);
    std::string mot;
    while (broches >> mot)
      m->planifie_broche({std::stoull(mot.substr(mot.find('@') + 1)),
                          broche_nommee(mot.substr(0, 3)),
                          static_cast<unsigned char>(mot[4] == '1')});
    conditions_arret conditions;
    conditions.max_cycles = 200000;
    EXPECT_EQ(c.attendu, m->execute(conditions));
    if (c.pc) {
      EXPECT_EQ(c.pc, m->cpu.PC);
    }
  }
}

}  // namespace

// Any value in any timer register: the run goes on and ends where its
// limit says, every enabled interrupt jumping where its vector points (a
// handler that clears every flag and returns).
TEST(Timer, AnyValueInAnyRegisterEndsTheRun) {
  machine m(modele_machine::e9);
  // CLI; DEX; BRA *-1. The handler: LDAA #$FF; STAA TFLG1; STAA TFLG2;
  // RTI.
  const uint8_t programme[] = {0x0E, 0x09, 0x20, 0xFD};
  const uint8_t gestion[] = {0x86, 0xFF, 0xB7, 0x10, 0x23,
                             0xB7, 0x10, 0x25, 0x3B};
  for (unsigned i = 0; i < sizeof programme; ++i)
    m.memoire.write_byte(static_cast<uint16_t>(0xB600 + i), programme[i]);
  for (unsigned i = 0; i < sizeof gestion; ++i)
    m.memoire.write_byte(static_cast<uint16_t>(0xC000 + i), gestion[i]);
  for (unsigned v = 0xFFD6; v < 0xFFF6; v += 2) {
    m.memoire.write_byte(static_cast<uint16_t>(v), 0xC0);
    m.memoire.write_byte(static_cast<uint16_t>(v + 1), 0x00);
  }
  m.reset();
  uint32_t alea = 12345;
  conditions_arret c;
  for (int tour = 0; tour < 3000; ++tour) {
    alea = alea * 1103515245u + 12345u;
    const auto offset = static_cast<unsigned char>(0x0B + (alea >> 8) % 29);
    m.ecrit_octet(static_cast<uint16_t>(0x1000 + offset),
                  static_cast<unsigned char>(alea >> 20));
    c.max_cycles = m.cycles + 1 + (alea >> 16) % 3000;
    const arret_machine r = m.execute(c);
    ASSERT_TRUE(r == arret_machine::max_cycles) << tour;
    // Past the limit by less than an instruction and an interrupt entry.
    ASSERT_GE(m.cycles, c.max_cycles) << tour;
    ASSERT_LT(m.cycles, c.max_cycles + 30) << tour;
  }
}
