// The SCI, the SPI and the A/D converter, cycle by cycle. Each case is a
// script of register accesses at chosen cycle counts (as the machine makes
// them between instructions):
//   @N       the machine's count becomes N
//   w2B=30   write $30 at offset $2B     r2E=C0  read (side effects), expect
//   v2E=C0   look without side effects, expect
//   <41      the terminal sends $41 (bit 8 set)   <41/0  bit 8 clear
//   T=4800/8N1  the terminal's rate and format (8N1, 7E1, 9), T=prog: the
//            program's
//   PD5=1    drive an input pin          AN0=2.5  set an analog input (V)
//   perdus=1 characters lost so far      calme    no event ahead
// and the bytes the SCI (or SPI) put out by the end.
//
// Expected cycles come from the rules of sci.h, spi.h and can.h at E =
// 2 MHz: BAUD $30 is 208 cycles a bit (2080 a frame, 2288 with M set),
// $00 16 cycles, $33 1664 cycles; the receiver takes a character
// (9 x 16 + 10) x 13 = 2002 cycles after its start edge at $30; SPI
// transfers are 8 SCK periods (E/2 = 2 cycles each at SPR 00, 32 at 11);
// conversions end 32 cycles apart after the ADCTL write.
#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "puce/machine.h"
#include "tests/puce/banc_puce.h"
#include "text/tensions.h"

namespace {

struct CasLiaison {
  const char* nom;
  const char* script;
  const char* sortie_sci;  // hex bytes, "" for none
  const char* sortie_spi;
};

std::string hex(const std::vector<unsigned char>& octets) {
  std::string t;
  char b[4];
  for (unsigned char o : octets) {
    std::snprintf(b, sizeof b, "%s%02X", t.empty() ? "" : " ", o);
    t += b;
  }
  return t;
}

unsigned octet(const std::string& texte) {
  return static_cast<unsigned>(std::stoul(texte, nullptr, 16));
}

void joue(const CasLiaison& c) {
  SCOPED_TRACE(std::string(c.nom) + " : " + c.script);
  machine m(modele_machine::e9);
  puce& p = *m.systeme();
  std::istringstream mots(c.script);
  std::string mot;
  while (mots >> mot) {
    SCOPED_TRACE(mot);
    const auto egal = mot.find('=');
    const std::string gauche = mot.substr(0, egal),
                      droite =
                          egal == std::string::npos ? "" : mot.substr(egal + 1);
    if (mot[0] == '@') {
      m.cycles = std::stoull(mot.substr(1));
    } else if (mot[0] == '<') {
      const auto barre = mot.find('/');
      ASSERT_TRUE(m.recoit_sci(
          static_cast<unsigned char>(octet(mot.substr(1, barre - 1))),
          barre == std::string::npos || mot[barre + 1] == '1'));
    } else if (gauche == "T") {
      const auto barre = droite.find('/');
      reglage_terminal r{0, format_ligne::f8n1};
      if (droite != "prog") {
        r.bauds = static_cast<uint32_t>(std::stoul(droite.substr(0, barre)));
        const std::string f = droite.substr(barre + 1);
        r.format = f == "7E1" ? format_ligne::f7e1
                   : f == "9" ? format_ligne::f9
                              : format_ligne::f8n1;
      }
      m.regle_terminal_sci(r);
    } else if (mot == "reset") {
      m.reset();
    } else if (mot == "calme") {
      p.rattrape(m.cycles);
      EXPECT_EQ(puce::jamais, p.etat.prochain);
    } else if (gauche == "perdus") {
      EXPECT_EQ(std::stoul(droite), m.perdus_sci());
    } else if (gauche[0] == 'P') {
      const int port = gauche[1] - 'A', bit = gauche[2] - '0';
      ASSERT_TRUE(m.pose_broche(static_cast<unsigned char>(port * 8 + bit),
                                droite == "1"));
    } else if (gauche.rfind("AN", 0) == 0 || gauche == "VRH" ||
               gauche == "VRL") {
      int32_t t[can::nb_entrees];
      m.tensions(t);
      int64_t v = 0;
      ASSERT_TRUE(lit_tension(droite, v));
      const int i = gauche == "VRH"   ? can::entree_vrh
                    : gauche == "VRL" ? can::entree_vrl
                                      : gauche[2] - '0';
      t[i] = static_cast<int32_t>(v);
      ASSERT_TRUE(m.pose_tensions(t));
    } else {
      const auto a =
          static_cast<unsigned short>(0x1000 + octet(gauche.substr(1)));
      const unsigned valeur = octet(droite);
      if (mot[0] == 'w') {
        m.ecrit_octet(a, static_cast<unsigned char>(valeur));
      } else if (mot[0] == 'r') {
        puce::hors_instruction hors(p);
        EXPECT_EQ(valeur, m.memoire.read_byte(a));
      } else {
        EXPECT_EQ(valeur, m.memoire.consulte(a));
      }
    }
  }
  EXPECT_EQ(c.sortie_sci, hex(m.sortie_sci));
  EXPECT_EQ(c.sortie_spi, hex(m.sortie_spi));
}

const CasLiaison cas_emission[] = {
    // Preamble from the first edge after TE (5 + 208 = 213) to 2293; the
    // character waits in TDR, moves at mid stop bit 2189 (TDRE from 2191)
    // and goes out 2293-4373 (TC from 4374).
    {"9600 baud: preamble, then TDRE and TC of the first character",
     "@5 w2B=30 @11 w2D=08 @15 r2E=C0 @21 w2F=41 v2E=00 @2190 v2E=00 "
     "@2191 v2E=80 @4373 v2E=80 @4374 v2E=C0",
     "41", ""},
    {"idle transmitter: TDRE the cycle after, frame on the next edge",
     "@0 w2B=30 w2D=08 @3000 r2E=C0 @3004 w2F=55 @3005 v2E=00 @3006 v2E=80 "
     "@5200 v2E=80 @5201 v2E=C0",
     "55", ""},
    {"BAUD $00: 16 cycles a bit",
     "@0 w2B=00 w2D=08 @200 r2E=C0 w2F=AA @201 v2E=00 @202 v2E=80 @368 "
     "v2E=80 @369 v2E=C0",
     "AA", ""},
    {"BAUD $33: 1664 cycles a bit",
     "@0 w2B=33 w2D=08 @20000 r2E=C0 w2F=0D @38272 v2E=80 @38273 v2E=C0", "0D",
     ""},
    {"M set: 11-bit frames",
     "@0 w2B=30 w2C=10 w2D=08 @3000 r2E=C0 w2F=55 "
     "@5408 v2E=80 @5409 v2E=C0",
     "55", ""},
    {"a second character waits, moves at mid stop bit 5096",
     "@0 w2B=30 w2D=08 @3000 r2E=C0 w2F=41 @3010 r2E=80 w2F=42 @5097 v2E=00 "
     "@5098 v2E=80 @7280 v2E=80 @7281 v2E=C0",
     "41 42", ""},
    {"a plain write clears neither TDRE nor TC",
     "@0 w2B=30 w2D=08 @3000 w2F=41 @3002 v2E=C0 @5201 v2E=C0", "41", ""},
    {"TE clear: the character waits in TDR",
     "@0 w2B=30 @3000 r2E=C0 w2F=41 @9000 v2E=00", "", ""},
    {"TE cleared during a frame: it still goes out",
     "@0 w2B=30 w2D=08 @3000 r2E=C0 w2F=41 @3100 w2D=00 @5201 v2E=C0", "41",
     ""},
};

const CasLiaison cas_reception[] = {
    // Start edge when typed (100), character at 100 + 2002, line idle a
    // frame time after the frame's end 2180.
    {"RDRF, then IDLE; read SCSR then SCDR clears them",
     "@0 w2B=30 w2D=04 @100 <78 @2102 v2E=C0 @2103 v2E=E0 v2F=78 @4260 "
     "v2E=E0 @4261 v2E=F0 @4300 r2E=F0 @4304 r2F=78 v2E=C0",
     "", ""},
    // Frames 1000 cycles apart: the line is never idle a frame time
    // before the second ends (5260).
    {"IDLE waits for the end of a frame that started within a frame time",
     "@0 w2B=30 w2D=04 @100 <41 @2500 r2E=E0 r2F=41 @3180 <42 @4300 v2E=C0 "
     "@5183 v2E=E0 @7340 v2E=E0 @7341 v2E=F0",
     "", ""},
    {"a read of SCDR alone clears nothing; RE set as the key is typed",
     "@0 w2B=30 <78 w2D=04 @3000 r2F=78 v2E=E0", "", ""},
    {"a character typed while RE is clear is lost, as on the chip",
     "@0 w2B=30 <31 @50000 v2E=C0 w2D=04 @52003 v2E=C0 perdus=1 calme", "", ""},
    {"RE set in the middle of a frame: a later falling edge is taken for a "
     "start bit ($78's bit 7 at 1664), ones after it",
     "@0 w2B=30 <78 @100 w2D=04 @3666 v2E=C0 @3667 v2E=E0 v2F=FF", "", ""},
    {"overrun: the second character is lost and counted",
     "@0 w2B=30 <61 <62 w2D=04 @2003 v2E=E0 @4082 v2E=E0 @4083 v2E=E8 "
     "v2F=61 perdus=1 @6300 r2E=F8 r2F=61 v2E=C0",
     "", ""},
    {"a character typed later starts when typed",
     "@0 w2B=30 w2D=04 @1000 <41 @3002 v2E=C0 @3003 v2E=E0", "", ""},
    {"9-bit frame: R8 from bit 8, 2210 cycles to the stop bit's samples",
     "@0 w2B=30 w2C=10 <55/0 <AA/1 w2D=04 @2210 v2E=C0 @2211 v2E=E0 v2C=10 "
     "@2300 r2E=E0 r2F=55 @4498 v2E=C0 @4499 v2E=E0 v2C=90 v2F=AA",
     "", ""},
    {"RWU, WAKE 0: ignored until the line is idle a frame time",
     "@0 w2B=30 w2D=06 <61 <62 @6240 v2D=06 @6241 v2D=04 v2E=C0 @7000 <63 "
     "@9002 v2E=C0 @9003 v2E=E0 v2F=63",
     "", ""},
    {"RWU, WAKE 1: the first character with bit 7 set wakes the receiver",
     "@0 w2B=30 w2C=08 w2D=06 <41 <C1 <42 @4083 v2D=04 v2E=E0 v2F=C1 @6163 "
     "v2E=E8 perdus=1",
     "", ""},
    {"RE cleared during a frame: the character is lost",
     "@0 w2B=30 w2D=04 <41 @1000 w2D=00 @3000 v2E=C0 perdus=1 calme", "", ""},
    {"nothing left to do: no event ahead",
     "@0 w2B=30 w2D=0C <41 @4262 v2E=F0 calme", "", ""},
    {"a reset empties what was typed and the line (the character being "
     "received is lost)",
     "@0 w2B=30 w2D=04 <41 <42 @500 v2E=C0 reset @3000 v2E=C0 perdus=1 calme",
     "", ""},
};

// A terminal with settings of its own, against a program at BAUD $30
// (208 cycles a bit, RT period 13): each frame sampled as the reference
// manual's data recovery does, worked out by hand from the sender's bit
// edges (ceil(k x 2 000 000 / rate) after its start) and the receiver's
// samples (RT1 at the start edge, RT8-RT10 of bit b at 208 b + 91, 104
// and 117 cycles after it).
const CasLiaison cas_ligne[] = {
    {"9600 baud 8N1 against 9615: the same character",
     "@0 w2B=30 w2D=04 T=9600/8N1 @100 <41 @2102 v2E=C0 @2103 v2E=E0 v2F=41",
     "", ""},
    // $55 at 19200 is over by 1142 cycles: the start bit's RT10 and each
    // bit's last sample see the next bit (noise), bits 1-4 read 0, the
    // idle line after them 1.
    {"19200 into 9600: $55 read $F0 with NF",
     "@0 w2B=30 w2D=04 T=19200/8N1 @100 <55 @2103 v2E=E4 v2F=F0", "", ""},
    // At 4800 the stop bit's samples fall in $55's bit 4 (0): FE, $66. The
    // qualifiers are then forced: the line is low at 2180, a start is
    // taken there, RT3-RT7 read ones (a false start); the next falling
    // edge (bit 6 at 2600) starts $E6.
    {"4800 into 9600: $66 with FE, then $E6 from the same frame",
     "@0 w2B=30 w2D=04 T=4800/8N1 @100 <55 @2103 r2E=E2 r2F=66 v2E=C0 "
     "@4602 v2E=C0 @4603 v2E=E0 v2F=E6",
     "", ""},
    {"7E1 into 8 data bits: bit 7 is the parity ($43 has three ones)",
     "@0 w2B=30 w2D=04 T=9600/7E1 @100 <43 @2103 v2E=E0 v2F=C3", "", ""},
    // The receiver takes the ninth bit (0) for its stop bit; the forced
    // start at 2180 meets the true stop bit: a false start, nothing more
    // but IDLE.
    {"9 bits, ninth at 0, into 8 data bits: FE, then nothing",
     "@0 w2B=30 w2D=04 T=9600/9 @100 <41/0 @2103 r2E=E2 r2F=41 @9000 v2E=D0",
     "", ""},
    {"9 bits, ninth at 1, into 8 data bits: taken as a longer stop bit",
     "@0 w2B=30 w2D=04 T=9600/9 @100 <41/1 @2103 v2E=E0 v2F=41 @9000 "
     "v2E=F0",
     "", ""},
    {"back to the program's settings",
     "@0 w2B=30 w2D=04 T=4800/8N1 T=prog @100 <55 @2103 v2E=E0 v2F=55", "", ""},
};

const CasLiaison cas_spi[] = {
    {"E/2: SPIF 16 cycles after the write, the peripheral answers $FF",
     "@0 w09=38 w28=50 @10 w2A=A5 @26 v29=00 @27 v29=80 r29=80 r2A=FF "
     "v29=00",
     "", "A5"},
    {"E/32: 256 cycles", "@0 w09=38 w28=53 @10 w2A=3C @266 v29=00 @267 v29=80",
     "", "3C"},
    {"a write during a transfer sets WCOL and is ignored",
     "@0 w09=38 w28=50 @10 w2A=01 @20 w2A=02 @21 v29=40 @27 v29=C0 r29=C0 "
     "r2A=FF v29=00",
     "", "01"},
    {"while SPIF is set, a write needs SPSR read first",
     "@0 w09=38 w28=50 w2A=01 @100 w2A=02 @200 v29=80 r29=80 w2A=03 @216 "
     "v29=00 @217 v29=80",
     "", "01 03"},
    {"SS low while master: MODF, MSTR and DDRD5-2 cleared",
     "@0 w09=1A w28=50 v29=10 v28=40 v09=02 r29=10 w28=40 v29=00", "", ""},
    {"SS high, then driven low: MODF",
     "@0 PD5=1 w09=18 w28=50 v29=00 PD5=0 "
     "v29=10",
     "", ""},
    {"SCK not an output: nothing goes out, MISO's level comes in",
     "@0 PD2=0 w09=28 w28=50 w2A=77 @17 r29=80 r2A=00", "", ""},
    {"slave mode: a write starts nothing",
     "@0 w28=40 w2A=55 @1000 v29=00 calme", "", ""},
};

const CasLiaison cas_can[] = {
    {"ADPU, one channel: four results 32 cycles apart, CCF with the fourth",
     "@0 w39=90 AN0=2.5 @10 w30=00 @42 v31=00 @43 v31=80 v32=00 @75 v32=80 "
     "@138 v30=00 v34=00 @139 v30=80 v34=80 calme",
     "", ""},
    {"MULT: the four channels of the group",
     "@0 w39=90 AN4=0 AN5=1 AN6=2,5 AN7=5 @10 w30=14 @139 v30=94 v31=00 "
     "v32=33 v33=80 v34=FF",
     "", ""},
    {"references 1 V and 4 V: at and beyond the ends",
     "@0 w39=90 VRL=1 VRH=4 AN0=0.5 AN1=1 AN2=4 AN3=4.5 @10 w30=10 @139 "
     "v31=00 v32=00 v33=FF v34=FF",
     "", ""},
    {"rounding: 1 V of 5 V is 51, 2.5 V half way rounds up, 4.99 V is 254",
     "@0 w39=90 AN0=1 AN1=2.5 AN2=4.99 AN3=0.01 @10 w30=10 @139 v31=33 "
     "v32=80 v33=FE v34=01",
     "", ""},
    {"the test channels: VRH, VRL, VRH/2",
     "@0 w39=90 @10 w30=1C @139 v31=FF v32=00 v33=80", "", ""},
    {"ADPU clear: no conversion",
     "@0 AN0=5 @10 w30=00 @500 v30=00 v31=00 "
     "calme",
     "", ""},
    {"a write to ADCTL restarts the sequence and clears CCF",
     "@0 w39=90 AN0=5 @10 w30=00 @139 v30=80 @140 w30=01 v30=01 @172 v31=FF "
     "@173 v31=00 @268 v30=01 @269 v30=81",
     "", ""},
    {"continuous scan: results follow a change, then nothing ahead",
     "@0 w39=90 AN0=1 @10 w30=20 @139 v30=A0 v31=33 calme @1000 AN0=4 "
     "@1002 v33=33 @1003 v33=33 @1034 v34=33 @1035 v34=CC v31=33 @1067 "
     "v31=CC @1131 v33=CC calme",
     "", ""},
    {"PORTE reads 1 from 3.5 V",
     "@0 AN3=3.5 AN4=3.49 AN7=5 v0A=88 PE4=1 v0A=98 PE7=0 v0A=18", "", ""},
};

// Programs: the interrupts of the SPI ($ffd8) and of the SCI ($ffd6) end a
// WAI. WAI's 12 cycles, then the wait, then 2 for the vector.
const CasPuce cas_programmes[] = {
    // DDRD, SPCR = SPIE SPE MSTR (6 + 6 cycles), CLI, STAA SPDR written in
    // cycle 17: SPIF in cycle 33, seen from 34.
    {"SPIF wakes WAI through $ffd8",
     "86 38 B7 10 09 86 D0 B7 10 28 0E B7 10 2A 3E / FFD8=C0 FFD9=00", "SP=FF",
     "", "pc=C000", "PC=C000 SP=F6", 34 + 2},
    // BAUD written in cycle 5, SCCR2 = RIE RE in cycle 11: the character,
    // typed to wait for the receiver, starts then and is taken 11 + 2002 =
    // 2013, seen from 2014.
    {"RDRF wakes WAI through $ffd6",
     "86 30 B7 10 2B 86 24 B7 10 2D 0E 3E / FFD6=C0 FFD7=00", "SP=FF", "",
     "pc=C000", "PC=C000 SP=F6", 2014 + 2},
};

TEST(Liaisons, InterruptsEndAWait) {
  verifie_puce(cas_programmes[0]);
  verifie_puce(cas_programmes[1], [](machine& m) { m.envoie_sci("k", true); });
}

// A program that stops on BRA * ends its run once nothing can change its
// course any more: a frame still going out is waited for (its byte is
// output), a continuous scan whose inputs stay put is not, a character to
// receive with its interrupt enabled is (the handler is a BRA * too).
TEST(Liaisons, RunsEndWhenNothingIsLeftToCome) {
  const struct {
    const char* nom;
    const char* code;
    bool caractere;  // the terminal sends one character first
    bool routine;    // the run ends in the interrupt handler
    const char* sortie;
  } cas[] = {
      {"continuous scan", "86 90 B7 10 39 86 20 B7 10 30 20 FE", false, false,
       ""},
      {"a character written", "86 08 B7 10 2D B6 10 2E 86 41 B7 10 2F 20 FE",
       false, false, "41"},
      {"receive interrupt, nothing to receive", "86 24 B7 10 2D 0E 20 FE",
       false, false, ""},
      {"receive interrupt, a character to come", "86 24 B7 10 2D 0E 20 FE",
       true, true, ""},
  };
  for (const auto& c : cas) {
    SCOPED_TRACE(c.nom);
    machine m(modele_machine::e9);
    std::istringstream octets(c.code);
    unsigned short a = 0xB600;
    std::string o;
    while (octets >> o)
      m.ecrit_octet(a++, static_cast<unsigned char>(octet(o)));
    const unsigned short routine = a;
    m.ecrit_octet(routine, 0x20);
    m.ecrit_octet(routine + 1, 0xFE);
    m.ecrit_octet(0xFFD6, static_cast<unsigned char>(routine >> 8));
    m.ecrit_octet(0xFFD7, static_cast<unsigned char>(routine));
    if (c.caractere) m.envoie_sci("z", true);
    conditions_arret conditions;
    conditions.max_pas = 100000;
    EXPECT_EQ(arret_machine::boucle, m.execute(conditions));
    EXPECT_EQ(c.routine ? routine : routine - 2, m.cpu.PC);
    EXPECT_EQ(c.sortie, hex(m.sortie_sci));
  }
}

TEST(Liaisons, SciTransmitter) {
  for (const CasLiaison& c : cas_emission) joue(c);
}

TEST(Liaisons, SciReceiver) {
  for (const CasLiaison& c : cas_reception) joue(c);
}

TEST(Liaisons, SciReceiverAgainstATerminalsOwnSettings) {
  for (const CasLiaison& c : cas_ligne) joue(c);
}

TEST(Liaisons, Spi) {
  for (const CasLiaison& c : cas_spi) joue(c);
}

TEST(Liaisons, AnalogToDigital) {
  for (const CasLiaison& c : cas_can) joue(c);
}

}  // namespace
