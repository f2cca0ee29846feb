// The data-access cycles of cpu/acces.h: worked cases by family and mode,
// and over the four pages the fit of every access in its instruction's
// cycles, no access for immediate, branch and register instructions, and no
// more cells written by the core than the table says.
#include <vector>

#include "banc.h"
#include "cpu/acces.h"

extern const int cycle_18[256];
extern const int cycle_1A[256];

namespace {

struct CasAcces {
  const char* nom;
  unsigned char page, code;
  int lecture, lus, ecriture, ecrits;
};

const CasAcces kCas[] = {
    {"LDAA imm", 0, 0x86, 0, 0, 0, 0},
    {"LDAA ext", 0, 0xB6, 4, 1, 0, 0},
    {"LDAA ind,y", 0x18, 0xA6, 5, 1, 0, 0},
    {"LDD ext", 0, 0xFC, 4, 2, 0, 0},
    {"CPD ext", 0x1A, 0xB3, 5, 2, 0, 0},
    {"LDX ind,y", 0xCD, 0xEE, 5, 2, 0, 0},
    {"STD ext", 0, 0xFD, 0, 0, 4, 2},
    {"INC ext", 0, 0x7C, 4, 1, 6, 1},
    {"PSHA", 0, 0x36, 0, 0, 3, 1},
    {"PULA", 0, 0x32, 4, 1, 0, 0},
    {"JSR ext", 0, 0xBD, 0, 0, 5, 2},
    {"RTS", 0, 0x39, 4, 2, 0, 0},
    {"RTI", 0, 0x3B, 4, 9, 0, 0},
    {"SWI", 0, 0x3F, 0, 0, 3, 9},
    {"BRSET dir", 0, 0x12, 3, 1, 0, 0},
    {"BRCLR ind,x", 0, 0x1F, 4, 1, 0, 0},
    {"BRSET ind,y", 0x18, 0x1E, 5, 1, 0, 0},
    {"BSET dir", 0, 0x14, 3, 1, 6, 1},
    {"no such page", 0x19, 0xB6, 0, 0, 0, 0},
};

TEST(Acces, CasParFamilleEtMode) {
  for (const CasAcces& c : kCas) {
    const acces_bus b = acces_donnees(c.page, c.code);
    const acces_octets o = octets_donnees(c.page, c.code);
    EXPECT_EQ(std::vector<int>({b.lecture, o.lus, b.ecriture, o.ecrits}),
              std::vector<int>({c.lecture, c.lus, c.ecriture, c.ecrits}))
        << c.nom;
  }
}

TEST(Acces, QuatrePagesContreLesCyclesEtLeCoeur) {
  const unsigned char pages[] = {0, 0x18, 0x1A, 0xCD};
  const int* const cycles[] = {interpreteur::cycle, cycle_18, cycle_1A,
                               interpreteur::cycle_CD};
  for (int i = 0; i < 4; ++i) {
    for (int code = 0; code < 256; ++code) {
      const acces_bus b = acces_donnees(pages[i], code);
      const acces_octets o = octets_donnees(pages[i], code);
      const int n = cycles[i][code];
      std::ostringstream nom;
      nom << std::hex << int(pages[i]) << " " << code;
      EXPECT_EQ(b.lecture == 0, o.lus == 0) << nom.str();
      EXPECT_EQ(b.ecriture == 0, o.ecrits == 0) << nom.str();
      EXPECT_LE(b.lecture + o.lus - 1, n) << nom.str();
      EXPECT_LE(b.ecriture + o.ecrits - 1, n) << nom.str();
      EXPECT_TRUE(!o.lus || !o.ecrits || b.ecriture >= b.lecture + o.lus)
          << nom.str();
      if (n == 0) {
        EXPECT_EQ(o.lus + o.ecrits, 0) << nom.str();
        continue;
      }
      // One step on operand bytes 20 20 20, every other cell FF.
      Banc banc;
      std::vector<uint8_t> octets{uint8_t(code), 0x20, 0x20, 0x20};
      if (pages[i]) octets.insert(octets.begin(), pages[i]);
      banc.pose(0xB600, octets);
      static mem_64k avant;
      avant = banc.mem;
      banc.cpu.step();
      int changees = 0;
      for (int a = 0; a < 0x10000; ++a)
        changees += banc.mem.cellules[a] != avant.cellules[a];
      EXPECT_LE(changees, o.ecrits) << nom.str();
      // Stack and interrupt instructions are the inherent ones of row 3.
      const unsigned char mode = banc.cpu.mode_adr;
      const bool sans = mode == IMM ||
                        (mode == REL && !(i == 0 && code == 0x8D)) ||
                        (mode == INH && code >> 4 != 3);
      EXPECT_TRUE(!sans || o.lus + o.ecrits == 0) << nom.str();
    }
  }
}

}  // namespace
