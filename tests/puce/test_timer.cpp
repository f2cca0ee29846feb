// The timer units of the E9 model against the reference manual's timing,
// one case a line. The figures are worked out by hand from these rules:
// the counter reads (cycle since reset + 2) at ÷1, so that an LDD of TCNT
// as the first instruction reads $0005 (M68HC11RM 10-41); a new prescale
// rate starts at the next wrap of the 4-bit prescaler; a compare is true
// in the cycle after the counter reaches TOCx, its pin changes at the end
// of that cycle, and a write of TOCx inhibits the compare for one cycle
// (RM 10-42); TOF is seen when the counter reads $0000; RTIF each 2^13 ×
// 1, 2, 4, 8 cycles of the chain, first one period after reset; a capture
// takes the count of the edge's cycle; the COP resets with the (N + 1)th
// edge of E/2^15 after its clearing (RM 10-14). Instruction cycles are
// the data book's, the bus cycle of each access cpu/acces.h's.
#include "tests/puce/banc_puce.h"

namespace {

// LDAB #49; DECB; BNE *-1; BRN: the next instruction starts in cycle 250.
#define ATTENTE_250 "C6 31 5A 26 FD 21 00 "
// LDAA #pr; STAA TMSK2 (cycle 5); LDX #164; DEX; BNE; NOP; NOP; LDD TCNT
// (read in cycle 1000).
#define PRESCALER(pr) "86 " pr " B7 10 24 CE 00 A4 09 26 FD 01 01 FC 10 0E"
// LDD #V; STD TOCx (cycles 6, 7); LDAA TFLG1 (cycle 11, TCNT of the cycle
// before: 12).
#define COMPARE(v, toc) "CC 00 " v " FD 10 " toc " B6 10 23"
// LDAA #init; STAA PORTA; LDAA #tctl1; STAA TCTL1; LDD #$20; STD TOCx;
// LDAB #3; DECB; BNE; LDAA PORTA: the compare in cycle 31, PORTA read in 40.
#define ACTION(init, tctl1, toc)                                   \
  "86 " init " B7 10 00 86 " tctl1 " B7 10 20 CC 00 20 FD 10 " toc \
  " C6 03 5A 26 FD B6 10 00"
// LDAA #tctl2; STAA TCTL2; LDX #100; DEX; BNE; LDD TICx: ends in cycle 614.
#define CAPTURE(tctl2, tic) "86 " tctl2 " B7 10 21 CE 00 64 09 26 FD FC 10 " tic
// Ends in WAI; every vector at $C000.
#define WAI_C000                                                              \
  " 0E 3E / FFDA=C0 FFDB=00 FFDE=C0 FFDF=00 FFE6=C0 FFE7=00 FFEE=C0 FFEF=00 " \
  "FFF0=C0 FFF1=00"
// LDAA #pactl; STAA PACTL; LDX #150; DEX; BNE; LDAA PACNT; LDAB TFLG2.
#define ACCUMULATEUR(pactl) \
  "86 " pactl " B7 10 26 CE 00 96 09 26 FD B6 10 27 F6 10 25"
#define IMPULSIONS "PA7=1@100 PA7=0@150 PA7=1@200 PA7=0@250 PA7=1@300"
// OC1F and OC2F set (TOC1 = TOC2 = $40, seen in cycle 63), X = $1000.
#define DEUX_DRAPEAUX "CE 10 00 CC 00 40 ED 16 ED 18 C6 14 5A 26 FD "

// clang-format off
const CasPuce cas_timer[] = {
    {"LDD TCNT first: $0005", "FC 10 0E", "", "", "pas=1", "D=0005", 5},
    {"the latch: LDD across $00FF-$0100", ATTENTE_250 "FC 10 0E", "", "", "pas=101", "D=00FF", 255},
    {"the latch holds one cycle only", ATTENTE_250 "B6 10 0E F6 10 0F", "", "", "pas=102", "D=0003", 258},
    {"LDY TCNT (prebyte page)", "18 FE 10 0E", "", "", "pas=1", "Y=0006", 6},
    {"÷1", PRESCALER("00"), "", "", "pas=334", "D=03EA", 1002},
    {"÷4 from chain count 16", PRESCALER("01"), "", "", "pas=334", "D=0106", 1002},
    {"÷8", PRESCALER("02"), "", "", "pas=334", "D=008B", 1002},
    {"÷16", PRESCALER("03"), "", "", "pas=334", "D=004D", 1002},
    {"PR1:PR0 take one write", "86 00 B7 10 24 86 03 B7 10 24 FC 10 0E", "", "", "pas=5", "D=0011", 17},
    {"PR1:PR0 after 64 cycles: no effect", ATTENTE_250 "86 03 B7 10 24 FC 10 0E", "", "", "pas=103", "D=0105", 261},
    {"TCNT is not written", "CC 12 34 FD 10 0E FC 10 0E", "", "", "pas=3", "D=000D", 13},
    {"OC2F the cycle after TCNT reads TOC2", COMPARE("0C", "18"), "", "", "pas=3", "A=40", 12},
    {"not the cycle TCNT reads it", COMPARE("0D", "18"), "", "", "pas=3", "A=00", 12},
    {"a write inhibits the next cycle's compare", COMPARE("09", "18"), "", "", "pas=3", "A=00", 12},
    {"...not the one after", COMPARE("0A", "18"), "", "", "pas=3", "A=40", 12},
    {"OC1F", COMPARE("0C", "16"), "", "", "pas=3", "A=80", 12},
    {"I4/O5F as OC5", "86 00 B7 10 26 CC 00 12 FD 10 1E B6 10 23", "", "", "pas=5", "A=08", 18},
    {"IC4 selected: no compare", "86 04 B7 10 26 CC 00 12 FD 10 1E B6 10 23", "", "", "pas=5", "A=00", 18},
    {"OM2:OL2 = 00: PA6 untouched", ACTION("00", "00", "18"), "", "", "pas=14", "A=00 / 1023=40", 41},
    {"01 toggles PA6 up", ACTION("00", "40", "18"), "", "", "pas=14", "A=40", 41},
    {"01 toggles PA6 down", ACTION("40", "40", "18"), "", "", "pas=14", "A=00", 41},
    {"10 clears PA6", ACTION("40", "80", "18"), "", "", "pas=14", "A=00", 41},
    {"11 sets PA6", ACTION("00", "C0", "18"), "", "", "pas=14", "A=40", 41},
    {"OC3 sets PA5", ACTION("00", "30", "1A"), "", "", "pas=14", "A=20 / 1023=20", 41},
    {"OC4 sets PA4", ACTION("00", "0C", "1C"), "", "", "pas=14", "A=10 / 1023=10", 41},
    {"OC5 on PA3, an input", ACTION("00", "03", "1E"), "", "", "pas=14", "A=00", 41},
    {"OC5 on PA3 with DDRA3", "86 08 B7 10 26 " ACTION("00", "03", "1E"), "", "", "pas=16", "A=08", 47},
    {"PORTA cannot write a pin OC2 drives", "86 80 B7 10 20 86 70 B7 10 00 B6 10 00", "", "", "pas=5", "A=30", 16},
    {"OC1M/OC1D on PA6-PA4", "86 20 B7 10 00 86 70 B7 10 0C 86 50 B7 10 0D CC 00 30 FD 10 16 C6 06 5A 26 FD B6 10 00", "", "", "pas=22", "A=50 / 1023=80", 62},
    {"OC1 wins over OC2 in the same cycle", "86 C0 B7 10 20 86 40 B7 10 0C CC 00 30 FD 10 16 FD 10 18 C6 06 5A 26 FD B6 10 00", "", "", "pas=21", "A=00 / 1023=C0", 61},
    {"OC1 drives PA7 with DDRA7", "86 80 B7 10 26 B7 10 0C B7 10 0D CC 00 30 FD 10 16 C6 06 5A 26 FD B6 10 00", "", "", "pas=20", "A=80", 58},
    {"÷4: one toggle for four cycles at TOC2", "86 01 B7 10 24 86 40 B7 10 20 CC 00 20 FD 10 18 C6 0C 5A 26 FD B6 10 00", "", "", "pas=32", "A=40 / 1023=40", 86},
    {"CFORC: the action at the next count, no flag", "86 C0 B7 10 20 86 40 B7 10 0B B6 10 00 F6 10 23", "", "", "pas=6", "A=40 B=00 / 100B=00", 20},
    {"IC1 rising edge: TCNT of its cycle", CAPTURE("10", "10"), "", "PA2=1@100 PA2=0@200", "pc=b60e", "D=0066 / 1023=04", 614},
    {"IC1 falling edge", CAPTURE("20", "10"), "", "PA2=1@100 PA2=0@200", "pc=b60e", "D=00CA / 1023=04", 614},
    {"IC1 any edge: the last one", CAPTURE("30", "10"), "", "PA2=1@100 PA2=0@200", "pc=b60e", "D=00CA / 1023=04", 614},
    {"IC1 disabled", CAPTURE("00", "10"), "", "PA2=1@100 PA2=0@200", "pc=b60e", "D=0000 / 1023=00", 614},
    {"IC2 on PA1", CAPTURE("04", "12"), "", "PA1=1@300 PA0=1@310", "pc=b60e", "D=012E / 1023=02", 614},
    {"IC3 on PA0", CAPTURE("02", "14"), "", "PA0=1@300 PA0=0@301", "pc=b60e", "D=012F / 1023=01", 614},
    {"IC4 on PA3 into TI4O5", "86 04 B7 10 26 " CAPTURE("40", "1E"), "", "PA3=1@100", "pc=b613", "D=0066 / 1023=08", 620},
    {"TOF: TCNT reads $0000 in cycle 65534", "86 80 B7 10 24" WAI_C000, "", "", "pc=c000", "", 65536},
    {"TOF at ÷16: chain count 16 + 65520 × 16", "86 83 B7 10 24" WAI_C000, "", "", "pc=c000", "", 1048336},
    {"RTI, RTR = 00: 2^13", "86 40 B7 10 24" WAI_C000, "", "", "pc=c000", "", 8192},
    {"RTR = 01: 2^14", "86 01 B7 10 26 86 40 B7 10 24" WAI_C000, "", "", "pc=c000", "", 16384},
    {"RTR = 10: 2^15", "86 02 B7 10 26 86 40 B7 10 24" WAI_C000, "", "", "pc=c000", "", 32768},
    {"RTR = 11: 2^16", "86 03 B7 10 26 86 40 B7 10 24" WAI_C000, "", "", "pc=c000", "", 65536},
    {"OC2 at TOC2 = $1000", "CC 10 00 FD 10 18 86 40 B7 10 22" WAI_C000, "", "", "pc=c000", "", 4097},
    {"IC1 wakes WAI at the edge", "86 10 B7 10 21 86 04 B7 10 22" WAI_C000, "", "PA2=1@500", "pc=c000", "", 502},
    {"PAI wakes WAI", "86 50 B7 10 26 86 10 B7 10 24" WAI_C000, "", "PA7=1@500", "pc=c000", "", 502},
    {"I set from reset: OC2 waits for CLI", "CC 00 10 FD 10 18 86 40 B7 10 22 C6 05 5A 26 FD 0E 01 / FFE6=C0 FFE7=00", "", "", "pc=c000", "/ FF=11 FE=B6", 55},
    {"PA: rising edges", ACCUMULATEUR("50"), "", IMPULSIONS, "pas=305", "A=03 B=10", 917},
    {"PA: falling edges", ACCUMULATEUR("40"), "", IMPULSIONS, "pas=305", "A=02 B=10", 917},
    {"PA: PAEN clear, nothing", ACCUMULATEUR("10"), "", IMPULSIONS, "pas=305", "A=00 B=00", 917},
    {"PA gated high: E/64 ticks, PAIF at the fall", ACCUMULATEUR("60"), "", "PA7=1@100 PA7=0@740", "pas=305", "A=0A B=10", 917},
    {"PA gated low: until PA7 rises", ACCUMULATEUR("70"), "", "PA7=1@400", "pas=305", "A=06 B=10", 917},
    {"PA: $FF to $00 sets PAOVF", "86 FE B7 10 27 " ACCUMULATEUR("50"), "", "PA7=1@100 PA7=0@150 PA7=1@200", "pas=307", "A=00 B=30", 923},
    {"PA7 as an output still counts", "86 D0 B7 10 26 86 80 B7 10 00 4F B7 10 00 86 80 B7 10 00 B6 10 27", "", "", "pas=9", "A=02", 28},
    {"a 1 written clears its flag", DEUX_DRAPEAUX "86 40 A7 23 A6 23", "", "", "pas=48", "A=80", 128},
    {"a 0 written clears nothing", DEUX_DRAPEAUX "86 00 A7 23 A6 23", "", "", "pas=48", "A=C0", 128},
    {"BCLR with the flag's 0 in the mask", DEUX_DRAPEAUX "1D 23 BF A6 23", "", "", "pas=47", "A=80", 129},
    {"BCLR #$40 writes $80: OC1F goes, OC2F stays", DEUX_DRAPEAUX "1D 23 40 A6 23", "", "", "pas=47", "A=40", 129},
    {"BSET #$40 writes $C0: both go", DEUX_DRAPEAUX "1C 23 40 A6 23", "", "", "pas=47", "A=00", 129},
};
// clang-format on

TEST(Timer, TableOfCases) {
  for (const CasPuce& c : cas_timer) verifie_puce(c);
}

// A machine with a program ("bytes / addr=byte"), RTI at $C000 and every
// vector there, pins scheduled, the watchdog on or off, reset.
std::unique_ptr<machine> prepare(const char* code, const char* broches,
                                 bool cop) {
  std::unique_ptr<machine> m(new machine(modele_machine::e9));
  banc::Etat cellules;
  uint16_t a = 0xB600;
  for (uint8_t o : banc::lit_code(code, cellules))
    m->ecrit_octet(a++, o);
  m->ecrit_octet(0xC000, 0x3B);
  for (unsigned v = 0xFFD6; v < 0xFFFE; ++v)
    m->ecrit_octet(static_cast<uint16_t>(v), v & 1 ? 0x00 : 0xC0);
  for (const auto& c : cellules.cellules)
    m->ecrit_octet(c.first, c.second);
  if (cop) m->systeme()->etat.systeme.config_eeprom &= ~cop::NOCOP;
  m->reset();
  std::istringstream mots(broches);
  std::string mot;
  while (mots >> mot)
    m->planifie_broche({std::stoull(mot.substr(mot.find('@') + 1)),
                        broche_nommee(mot),
                        static_cast<unsigned char>(mot[4] == '1')});
  return m;
}

// How a run ends: the stop, the PC (0: anywhere), the cycle (0: any).
struct CasFin {
  const char* nom;
  const char* code;
  const char* broches;
  bool cop;
  arret_machine arret;
  unsigned short pc;
  unsigned long long cycles;
};

// LDX #6666; DEX; BNE: cycles 6 to 40004, after the tap's first edge.
#define ATTENTE_40000 "CE 1A 0A 09 26 FD "
constexpr auto boucle = arret_machine::boucle, attente = arret_machine::attente,
               limite = arret_machine::max_cycles;

// clang-format off
const CasFin cas_fin[] = {
    {"BRA * with OC2I, I clear: the interrupt comes", "86 40 B7 10 22 0E 20 FE", "", false, limite, 0, 0},
    {"BRA * with OC2I, I set: the end", "86 40 B7 10 22 20 FE", "", false, boucle, 0xB605, 0},
    {"BRA * with a pin action only: the end", "86 40 B7 10 20 20 FE", "", false, boucle, 0xB605, 0},
    {"BRCLR on TFLG1 waits for OC2F", "CE 10 00 1F 23 40 FC 20 FE", "", false, boucle, 0xB607, 0},
    {"WAI with IC1I, an edge to come", "86 10 B7 10 21 86 04 B7 10 22 0E 3E 20 FE", "PA2=1@3000", false, limite, 0, 0},
    {"WAI with IC1I, no edge to come", "86 10 B7 10 21 86 04 B7 10 22 0E 3E", "", false, attente, 0xB60C, 0},
    {"STOP: the timer cannot restart the clocks", "86 40 B7 10 22 86 00 06 CF", "", false, attente, 0xB609, 0},
    {"COP off by default", "3E", "", false, attente, 0xB601, 12},
    {"COP, CR = 00: 2 × 2^15 - 2", "86 00 B7 10 39 3E", "", true, limite, 0xC000, 2 * 32768 - 2},
    {"COP, CR = 01: 5 × 2^15 - 2", "86 01 B7 10 39 3E", "", true, limite, 0xC000, 5 * 32768 - 2},
    {"COP, CR = 10: 17 × 2^15 - 2", "86 02 B7 10 39 3E", "", true, limite, 0xC000, 17 * 32768 - 2},
    {"COP, CR = 11: 65 × 2^15 - 2", "86 03 B7 10 39 3E", "", true, limite, 0xC000, 65 * 32768 - 2},
    {"COP: $55 then $AA restarts it", ATTENTE_40000 "86 55 B7 10 3A 86 AA B7 10 3A 3E", "", true, limite, 0xC000, 3 * 32768 - 2},
    {"COP: $AA alone", ATTENTE_40000 "86 AA B7 10 3A 3E", "", true, limite, 0xC000, 2 * 32768 - 2},
    {"COP: $AA then $55", ATTENTE_40000 "86 AA B7 10 3A 86 55 B7 10 3A 3E", "", true, limite, 0xC000, 2 * 32768 - 2},
    {"COP: another value between", ATTENTE_40000 "86 55 B7 10 3A 86 12 B7 10 3A 86 AA B7 10 3A 3E", "", true, limite, 0xC000, 3 * 32768 - 2},
};
// clang-format on

TEST(Timer, HowRunsEnd) {
  static unsigned char arrets[0x10000];
  for (const CasFin& c : cas_fin) {
    SCOPED_TRACE(c.nom);
    const std::unique_ptr<machine> m = prepare(c.code, c.broches, c.cop);
    conditions_arret conditions;
    conditions.max_cycles = 3000000;
    // The watchdog's reset lands at $C000 ($FFFA); stop there.
    arrets[0xC000] = c.cop;
    conditions.points_arret = arrets;
    const arret_machine r = m->execute(conditions);
    EXPECT_EQ(c.cop ? arret_machine::point_arret : c.arret, r);
    if (c.pc) {
      EXPECT_EQ(banc::hex(c.pc), banc::hex(m->cpu.PC));
    }
    if (c.cycles) {
      EXPECT_EQ(c.cycles, m->cycles);
    }
    // After the watchdog's reset, a fresh chip: TCNT starts again.
    if (c.cop) {
      EXPECT_EQ(2, timer::tcnt(*m->systeme(), m->cycles));
    }
  }
}

// The pin log has each compare's pin change in the cycle it ends, a force
// at the counter's next count.
TEST(Timer, PinChangesAreLoggedAtTheirCycles) {
  const CasPuce c = {
      "", ACTION("00", "40", "18") " 86 40 B7 10 0B 01", "", "", "pas=17", "",
      49};
  const std::unique_ptr<machine> m = execute_puce(c);
  ASSERT_EQ(2u, m->journal.taille());
  EXPECT_EQ(31u, m->journal[0].cycle);
  EXPECT_EQ(broche_pa0 + 6, m->journal[0].broche);
  EXPECT_EQ(1, m->journal[0].niveau);
  EXPECT_EQ(47u, m->journal[1].cycle);  // CFORC written in cycle 46
}

// A look at the block (the dump, a view) neither takes TCNT's latch nor
// clears a flag.
TEST(Timer, LooksHaveNoSideEffects) {
  const CasPuce c = {"", "09 20 FD", "", "", "pas=30000", "", 0};
  const std::unique_ptr<machine> m = execute_puce(c);
  const unsigned short t = timer::tcnt(*m->systeme(), m->cycles);
  EXPECT_EQ(0xF8, m->memoire.consulte(0x1023));  // TOCx = $FFFF matched
  EXPECT_EQ(0xC0, m->memoire.consulte(0x1025));  // TOF and RTIF
  EXPECT_EQ(t >> 8, m->memoire.consulte(0x100E));
  EXPECT_EQ(t & 0xFF, m->memoire.consulte(0x100F));
  EXPECT_FALSE(m->systeme()->etat.timer.verrou);
  EXPECT_EQ(0xF8, m->memoire.consulte(0x1023));
}

// Any value in any timer register: the run ends where its limit says,
// every interrupt going where its vector points (LDAA #$FF; STAA TFLG1;
// STAA TFLG2; RTI at $C000 for all).
TEST(Timer, AnyValueInAnyRegisterEndsTheRun) {
  const std::unique_ptr<machine> m = prepare(
      "0E 09 20 FD / C000=86 C001=FF C002=B7 C003=10 C004=23 "
      "C005=B7 C006=10 C007=25 C008=3B",
      "", false);
  uint32_t alea = 12345;
  conditions_arret c;
  for (int tour = 0; tour < 3000; ++tour) {
    alea = alea * 1103515245u + 12345u;
    m->ecrit_octet(static_cast<uint16_t>(0x100B + (alea >> 8) % 29),
                   static_cast<unsigned char>(alea >> 20));
    c.max_cycles = m->cycles + 1 + (alea >> 16) % 3000;
    ASSERT_EQ(arret_machine::max_cycles, m->execute(c)) << tour;
    ASSERT_LT(m->cycles, c.max_cycles + 30) << tour;
  }
}

}  // namespace
