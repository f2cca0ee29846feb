// The HD44780U controller against its data sheet: each instruction's
// effect and execution time at 270 kHz in E cycles, the loss of what is
// sent while busy, the DDRAM addresses of line 2 at $40, the CGRAM, data
// reads.
#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "platine/hd44780.h"

namespace {

// Runs "i28 d41 r1 ...": iXX an instruction, dXX data, r0/r1 a read of
// the busy flag / of data (its end); each at the first cycle the
// controller is free, or at once after '!' ("!d41"). The cycle of the last
// one in `dernier`.
etat_hd44780 deroule(const std::string& suite, uint64_t& dernier) {
  etat_hd44780 e;
  hd44780::mise_sous_tension(e, 0);
  uint64_t cycle = 0;
  std::istringstream mots(suite);
  std::string mot;
  while (mots >> mot) {
    const bool force = mot[0] == '!';
    if (force)
      mot.erase(0, 1);
    else
      cycle = std::max(cycle, e.occupe_jusqua);
    const auto octet =
        static_cast<unsigned char>(std::stoul(mot.substr(1), nullptr, 16));
    dernier = cycle;
    if (mot[0] == 'r')
      hd44780::fin_lecture(e, octet != 0, cycle);
    else
      hd44780::ecrit(e, mot[0] == 'd', octet, cycle);
    cycle += 1;
  }
  return e;
}

std::string ligne(const etat_hd44780& e, int l) {
  return hd44780::texte_ligne(e, l, 2, 16);
}

struct cas_instruction {
  const char* nom;
  const char* suite;  // the instruction under test last
  uint64_t duree;     // its execution time, E cycles
  const char* ligne1;
  const char* ligne2;
  int ac;
};

TEST(Hd44780, EachInstructionItsEffectAndTime) {
  // $38 two lines, $0C display on: the text shows.
  const cas_instruction cas[] = {
      {"clear display", "i38 i0c d41 d42 i01", 3040, "                ",
       "                ", 0},
      {"clear sets I/D back to increment", "i38 i0c i04 i01 d41 d42", 74,
       "AB              ", "                ", 2},
      {"return home keeps DDRAM", "i38 i0c d41 d42 i02", 3040,
       "AB              ", "                ", 0},
      {"return home undoes a shift", "i38 i0c d41 i18 i02", 3040,
       "A               ", "                ", 0},
      {"entry mode: decrement", "i38 i0c i85 i04 d41 d42", 74,
       "    BA          ", "                ", 3},
      {"entry mode: shift on write", "i38 i0c i07 d41", 74, "                ",
       "                ", 1},
      {"display off hides the text", "i38 i0c d41 i08", 74, "                ",
       "                ", 1},
      {"cursor shift right", "i38 i0c i14 i14 d41", 74, "  A             ",
       "                ", 3},
      {"cursor shift left", "i38 i0c i83 i10 d41", 74, "  A             ",
       "                ", 3},
      {"display shift left", "i38 i0c d41 d42 i18", 74, "B               ",
       "                ", 2},
      {"display shift right", "i38 i0c d41 i1c", 74, " A              ",
       "                ", 1},
      {"function set: one line hides line 2", "i38 i0c ic0 d41 i30", 74,
       "                ", "                ", 0x41},
      {"set DDRAM address: line 2 at $40", "i38 i0c ic0 d41", 74,
       "                ", "A               ", 0x41},
      {"line 1 runs into line 2 after $27", "i38 i0c ia7 d41 d42", 74,
       "                ", "B               ", 0x41},
      {"line 2 wraps to line 1 after $67", "i38 i0c ie7 d41 d42", 74,
       "B               ", "                ", 0x01},
      {"set CGRAM address", "i38 i0c i48 d1f", 74, "                ",
       "                ", 0x09},
      {"a CGRAM character in DDRAM", "i38 i0c d01 d7e d5c d22", 74,
       "\\1\\x7e\xC2\xA5\\\"            ", "                ", 4},
      {"data read moves AC", "i38 i0c d41 d42 i80 r1", 74, "AB              ",
       "                ", 1},
      {"busy flag read takes no time", "i38 i0c d41 r0", 0, "A               ",
       "                ", 1},
  };
  for (const cas_instruction& c : cas) {
    SCOPED_TRACE(c.nom);
    uint64_t t = 0;
    const etat_hd44780 e = deroule(c.suite, t);
    if (c.duree) {
      EXPECT_TRUE(hd44780::occupe(e, t + c.duree - 1));
      EXPECT_EQ(0x80 | c.ac, hd44780::lit(e, false, t + c.duree - 1));
    }
    EXPECT_FALSE(hd44780::occupe(e, t + c.duree));
    EXPECT_EQ(c.ac, hd44780::lit(e, false, t + c.duree));
    EXPECT_EQ(c.ligne1, ligne(e, 0));
    EXPECT_EQ(c.ligne2, ligne(e, 1));
    EXPECT_EQ(0u, e.perdues);
  }
}

TEST(Hd44780, WhatIsSentWhileBusyIsLost) {
  struct cas {
    const char* nom;
    const char* suite;
    const char* ligne1;
    uint64_t perdues;
  } table[] = {
      {"before the 10 ms of power-on", "!i38 !i0c", "                ", 2},
      {"data during a clear", "i38 i0c d41 i01 !d42", "                ", 1},
      {"data 36 us after data", "i38 i0c d41 !d42", "A               ", 1},
      {"waiting each time", "i38 i0c d41 d42", "AB              ", 0},
      {"a data read while busy", "i38 i0c d41 i80 !r1 d43", "C               ",
       1},
  };
  for (const cas& c : table) {
    SCOPED_TRACE(c.nom);
    uint64_t t = 0;
    const etat_hd44780 e = deroule(c.suite, t);
    EXPECT_EQ(c.ligne1, ligne(e, 0));
    EXPECT_EQ(c.perdues, e.perdues);
  }
}

TEST(Hd44780, PowerOnStateAndCgramRows) {
  etat_hd44780 e;
  hd44780::mise_sous_tension(e, 1000);
  // 8 bits, one line, display off, increment; busy for 10 ms.
  EXPECT_TRUE(e.huit_bits);
  EXPECT_FALSE(e.deux_lignes);
  EXPECT_FALSE(e.affichage);
  EXPECT_TRUE(e.increment);
  EXPECT_TRUE(hd44780::occupe(e, 1000 + 19999));
  EXPECT_FALSE(hd44780::occupe(e, 1000 + 20000));
  // Eight rows of character 1 from CGRAM address $08, read back.
  uint64_t t = 0;
  const etat_hd44780 c =
      deroule("i38 i48 d0e d11 d0e d04 d1f d04 d0a d11 i48 r1 r1", t);
  EXPECT_EQ(0x0E, c.cgram[8]);
  EXPECT_EQ(0x11, c.cgram[15]);
  // After the address set, DR holds row 0; each read moves on.
  EXPECT_EQ(0x0E, hd44780::lit(c, true, t + 74));
  EXPECT_EQ(0x0A, hd44780::lit(c, false, t + 74));
}

}  // namespace
