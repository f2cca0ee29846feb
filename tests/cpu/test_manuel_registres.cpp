// Register transfers, 16-bit shifts, index arithmetic and the bit
// instructions against the MC68HC11 reference manual, over every value
// (or every value and mask pair) from two initial CCR patterns.
#include "test_manuel_commun.h"

namespace {

using manuel::Ccr;
using manuel::hex2;
using manuel::hex4;
using manuel::Machine;
using manuel::Rapport;
using manuel::Registres;

// An inherent instruction over every 16-bit input value: `prepare` loads
// the value into the registers, `attendu` gives the manual's result.
struct Inherent16 {
  const char* nom;
  uint8_t prebyte, opcode;
  void (*prepare)(Registres& r, unsigned v);
  void (*attendu)(Registres& r, unsigned v, Ccr& c);
};

void met_d(Registres& r, unsigned v) {
  r.A = static_cast<uint8_t>(v >> 8);
  r.B = static_cast<uint8_t>(v);
}

const Inherent16 kInherents[] = {
    // TSX: IX = SP + 1; TSY: IY = SP + 1; no flag.
    {"TSX", 0, 0x30,
     [](Registres& r, unsigned v) { r.SP = static_cast<uint16_t>(v); },
     [](Registres& r, unsigned v, Ccr&) {
       r.X = static_cast<uint16_t>(v + 1);
     }},
    {"TSY", 0x18, 0x30,
     [](Registres& r, unsigned v) { r.SP = static_cast<uint16_t>(v); },
     [](Registres& r, unsigned v, Ccr&) {
       r.Y = static_cast<uint16_t>(v + 1);
     }},
    // TXS: SP = IX − 1; TYS: SP = IY − 1; no flag.
    {"TXS", 0, 0x35,
     [](Registres& r, unsigned v) { r.X = static_cast<uint16_t>(v); },
     [](Registres& r, unsigned v, Ccr&) {
       r.SP = static_cast<uint16_t>(v - 1);
     }},
    {"TYS", 0x18, 0x35,
     [](Registres& r, unsigned v) { r.Y = static_cast<uint16_t>(v); },
     [](Registres& r, unsigned v, Ccr&) {
       r.SP = static_cast<uint16_t>(v - 1);
     }},
    // INX, DEX, INY, DEY: Z = R15'·...·R0'; N, V, C not affected.
    {"INX", 0, 0x08,
     [](Registres& r, unsigned v) { r.X = static_cast<uint16_t>(v); },
     [](Registres& r, unsigned v, Ccr& c) {
       r.X = static_cast<uint16_t>(v + 1);
       c.met(CCR_Z, manuel::tous_nuls(r.X, 16));
     }},
    {"DEX", 0, 0x09,
     [](Registres& r, unsigned v) { r.X = static_cast<uint16_t>(v); },
     [](Registres& r, unsigned v, Ccr& c) {
       r.X = static_cast<uint16_t>(v - 1);
       c.met(CCR_Z, manuel::tous_nuls(r.X, 16));
     }},
    {"INY", 0x18, 0x08,
     [](Registres& r, unsigned v) { r.Y = static_cast<uint16_t>(v); },
     [](Registres& r, unsigned v, Ccr& c) {
       r.Y = static_cast<uint16_t>(v + 1);
       c.met(CCR_Z, manuel::tous_nuls(r.Y, 16));
     }},
    {"DEY", 0x18, 0x09,
     [](Registres& r, unsigned v) { r.Y = static_cast<uint16_t>(v); },
     [](Registres& r, unsigned v, Ccr& c) {
       r.Y = static_cast<uint16_t>(v - 1);
       c.met(CCR_Z, manuel::tous_nuls(r.Y, 16));
     }},
    // LSLD (ASLD): C = D15 before; N = R15; V = N ⊕ C.
    {"LSLD", 0, 0x05, met_d,
     [](Registres& r, unsigned v, Ccr& c) {
       const unsigned res = (v << 1) & 0xFFFF;
       met_d(r, res);
       manuel::met_nz16(c, res);
       c.met(CCR_C, manuel::bit(v, 15));
       c.met(CCR_V, manuel::bit(c.valeur, 3) != manuel::bit(c.valeur, 0));
     }},
    // LSRD: N = 0; C = D0 before; V = N ⊕ C.
    {"LSRD", 0, 0x04, met_d,
     [](Registres& r, unsigned v, Ccr& c) {
       const unsigned res = v >> 1;
       met_d(r, res);
       c.met(CCR_N, false);
       c.met(CCR_Z, manuel::tous_nuls(res, 16));
       c.met(CCR_C, manuel::bit(v, 0));
       c.met(CCR_V, manuel::bit(c.valeur, 3) != manuel::bit(c.valeur, 0));
     }},
    // XGDX, XGDY: D and the index register exchanged; no flag.
    {"XGDX", 0, 0x8F,
     [](Registres& r, unsigned v) {
       met_d(r, v);
       r.X = static_cast<uint16_t>(~v);
     },
     [](Registres& r, unsigned v, Ccr&) {
       met_d(r, ~v & 0xFFFF);
       r.X = static_cast<uint16_t>(v);
     }},
    {"XGDY", 0x18, 0x8F,
     [](Registres& r, unsigned v) {
       met_d(r, v);
       r.Y = static_cast<uint16_t>(v ^ 0x5A5A);
     },
     [](Registres& r, unsigned v, Ccr&) {
       met_d(r, v ^ 0x5A5A);
       r.Y = static_cast<uint16_t>(v);
     }},
    // ABX, ABY: IX + (00 : B), IY + (00 : B); no flag.
    {"ABX", 0, 0x3A,
     [](Registres& r, unsigned v) {
       r.X = static_cast<uint16_t>(v);
       r.B = static_cast<uint8_t>(v * 7 + 0x81);
     },
     [](Registres& r, unsigned v, Ccr&) {
       r.X = static_cast<uint16_t>(v + r.B);
     }},
    {"ABY", 0x18, 0x3A,
     [](Registres& r, unsigned v) {
       r.Y = static_cast<uint16_t>(v);
       r.B = static_cast<uint8_t>(v * 5 + 0xF3);
     },
     [](Registres& r, unsigned v, Ccr&) {
       r.Y = static_cast<uint16_t>(v + r.B);
     }},
};

class ManuelInherent16 : public ::testing::TestWithParam<Inherent16> {};

void PrintTo(const Inherent16& op, std::ostream* os) { *os << op.nom; }

TEST_P(ManuelInherent16, EverySixteenBitValueMatchesTheManual) {
  const Inherent16& op = GetParam();
  Machine m;
  Rapport rapport(op.nom);
  uint16_t pc = manuel::kDebut;
  if (op.prebyte) m.mem().write_byte(pc++, op.prebyte);
  m.mem().write_byte(pc++, op.opcode);
  for (unsigned motif : {0x00u, 0xFFu})
    for (unsigned v = 0; v < 0x10000; ++v) {
      Registres r;
      r.CCR = static_cast<uint8_t>(motif ^ (v & 0x0F));
      r.X = 0x1111;
      r.Y = 0x2222;
      r.SP = 0x3333;
      op.prepare(r, v);
      m.execute(r);
      Registres attendu = r;
      attendu.PC = pc;
      Ccr c{r.CCR};
      op.attendu(attendu, v, c);
      attendu.CCR = c.valeur;
      rapport.compare(attendu, c.compares, m.registres(), [&] {
        return "value " + hex4(v) + " CCR_in=" + hex2(r.CCR);
      });
    }
  rapport.verdict();
}

INSTANTIATE_TEST_SUITE_P(Formes, ManuelInherent16,
                         ::testing::ValuesIn(kInherents),
                         [](const ::testing::TestParamInfo<Inherent16>& i) {
                           return std::string(i.param.nom);
                         });

// TAB, TBA: N, Z from the value; V = 0; C not affected.
TEST(ManuelTransferts, TabAndTbaOverEveryByte) {
  Machine m;
  for (const bool tab : {true, false}) {
    Rapport rapport(tab ? "TAB" : "TBA");
    m.mem().write_byte(manuel::kDebut, tab ? 0x16 : 0x17);
    for (unsigned motif : {0x00u, 0xF3u, 0x0Fu})
      for (unsigned v = 0; v < 256; ++v) {
        Registres r;
        r.CCR = static_cast<uint8_t>(motif);
        r.A = static_cast<uint8_t>(tab ? v : ~v);
        r.B = static_cast<uint8_t>(tab ? ~v : v);
        m.execute(r);
        Registres attendu = r;
        attendu.A = attendu.B = static_cast<uint8_t>(v);
        attendu.PC = manuel::kDebut + 1;
        Ccr c{r.CCR};
        manuel::formule_logique(c, v);
        attendu.CCR = c.valeur;
        rapport.compare(attendu, c.compares, m.registres(), [&] {
          return "value " + hex2(v) + " CCR_in=" + hex2(motif);
        });
      }
    rapport.verdict();
  }
}

// BSET, BCLR (direct and indexed by Y): M + mm or M · mm'; N, Z from the
// result, V = 0, C not affected. Every value and mask.
TEST(ManuelBits, BsetAndBclrOverEveryValueAndMask) {
  struct Forme {
    const char* nom;
    uint8_t prebyte, opcode;
    bool pose;
  };
  const Forme formes[] = {{"BSET dir", 0, 0x14, true},
                          {"BCLR dir", 0, 0x15, false},
                          {"BSET ind,y", 0x18, 0x1C, true},
                          {"BCLR ind,y", 0x18, 0x1D, false}};
  Machine m;
  for (const Forme& f : formes) {
    Rapport rapport(f.nom);
    const uint16_t cellule = f.prebyte ? 0x3020 : 0x0040;
    for (unsigned motif : {0x00u, 0xFFu})
      for (unsigned v = 0; v < 256; ++v)
        for (unsigned masque = 0; masque < 256; ++masque) {
          uint16_t pc = manuel::kDebut;
          if (f.prebyte) m.mem().write_byte(pc++, f.prebyte);
          m.mem().write_byte(pc++, f.opcode);
          m.mem().write_byte(pc++, f.prebyte ? 0x20 : 0x40);
          m.mem().write_byte(pc++, static_cast<uint8_t>(masque));
          m.mem().write_byte(cellule, static_cast<uint8_t>(v));
          Registres r;
          r.CCR = static_cast<uint8_t>(motif);
          r.Y = 0x3000;
          m.execute(r);
          const unsigned res = f.pose ? (v | masque) : (v & ~masque & 0xFF);
          Registres attendu = r;
          attendu.PC = pc;
          Ccr c{r.CCR};
          manuel::formule_logique(c, res);
          attendu.CCR = c.valeur;
          const auto decrit = [&] {
            return "M=" + hex2(v) + " mask=" + hex2(masque) +
                   " CCR_in=" + hex2(motif);
          };
          rapport.compare(attendu, c.compares, m.registres(), decrit);
          if (m.mem().read_byte(cellule) != res)
            rapport.echec(decrit() + ": cell holds " +
                          hex2(m.mem().read_byte(cellule)) + ", expected " +
                          hex2(res));
        }
    rapport.verdict();
  }
}

// BRSET branches when M' · mm = 0, BRCLR when M · mm = 0; no flag
// changes, the cell is only read.
TEST(ManuelBits, BrsetAndBrclrOverEveryValueAndMask) {
  struct Forme {
    const char* nom;
    uint8_t prebyte, opcode;
    bool si_mis;
  };
  const Forme formes[] = {{"BRSET ind,x", 0, 0x1E, true},
                          {"BRCLR dir", 0, 0x13, false},
                          {"BRSET ind,y", 0x18, 0x1E, true},
                          {"BRCLR ind,y", 0x18, 0x1F, false}};
  Machine m;
  for (const Forme& f : formes) {
    Rapport rapport(f.nom);
    const bool direct = f.opcode == 0x13;
    const uint16_t cellule = direct ? 0x0040 : f.prebyte ? 0x3020 : 0x2010;
    for (unsigned motif : {0x00u, 0xFFu})
      for (unsigned v = 0; v < 256; ++v)
        for (unsigned masque = 0; masque < 256; ++masque) {
          uint16_t pc = manuel::kDebut;
          if (f.prebyte) m.mem().write_byte(pc++, f.prebyte);
          m.mem().write_byte(pc++, f.opcode);
          m.mem().write_byte(pc++, direct ? 0x40 : f.prebyte ? 0x20 : 0x10);
          m.mem().write_byte(pc++, static_cast<uint8_t>(masque));
          m.mem().write_byte(pc++, 0xF0);
          m.mem().write_byte(cellule, static_cast<uint8_t>(v));
          Registres r;
          r.CCR = static_cast<uint8_t>(motif);
          r.X = 0x2000;
          r.Y = 0x3000;
          m.execute(r);
          const unsigned teste = f.si_mis ? (~v & masque) : (v & masque);
          Registres attendu = r;
          attendu.PC = static_cast<uint16_t>(pc - (teste == 0 ? 0x10 : 0));
          rapport.compare(attendu, 0xFF, m.registres(), [&] {
            return "M=" + hex2(v) + " mask=" + hex2(masque) +
                   " CCR_in=" + hex2(motif);
          });
          if (m.mem().read_byte(cellule) != v) rapport.echec("cell changed");
        }
    rapport.verdict();
  }
}

}  // namespace
