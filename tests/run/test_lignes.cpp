// The runner tells a non-existent opcode by the zero cycle count that
// step() returns, then confirms it with the row's "?????" mnemonic. That
// holds only if the opcode map gives 0 cycles to exactly those rows.
#include <gtest/gtest.h>

#include <cstring>

#include "cpu/interpreteur.h"

extern const int cycle_18[256];
extern const int cycle_1A[256];

namespace {

struct page {
  const char* nom;
  const char (*mnemo)[6];
  const int* cycles;
};

TEST(OpcodeMap, ZeroCyclesExactlyOnRowsWithoutInstruction) {
  const page pages[] = {
      {"page 0", interpreteur::tab_mnemo, interpreteur::cycle},
      {"page 18", interpreteur::tab_mnemo_18, cycle_18},
      {"page 1A", interpreteur::tab_mnemo_1A, cycle_1A},
      {"page CD", interpreteur::tab_mnemo_CD, interpreteur::cycle_CD},
  };
  int lignes_vides = 0;
  for (const page& p : pages) {
    for (int code = 0; code < 256; ++code) {
      const bool prebyte = p.mnemo == interpreteur::tab_mnemo &&
                           (code == 0x18 || code == 0x1A || code == 0xCD);
      if (prebyte) continue;  // never dispatched
      const bool vide = std::strcmp(p.mnemo[code], "?????") == 0;
      lignes_vides += vide;
      EXPECT_EQ(vide, p.cycles[code] == 0)
          << p.nom << " row " << std::hex << code << " " << p.mnemo[code]
          << " takes " << std::dec << p.cycles[code] << " cycles";
    }
  }
  // About 300 instructions over 1021 rows: the count guards against a
  // table left unfilled (all "?????") or filled everywhere.
  EXPECT_GT(lignes_vides, 650);
  EXPECT_LT(lignes_vides, 750);
}

}  // namespace
