// The 16-bit additions, subtractions and comparisons against the MC68HC11
// reference manual's formulas on a dense sample (every pair of high bytes
// with a few low-byte pairs, and every pair of corner values), and the
// sixteen relative branches over every combination of N, Z, V and C.
#include <cctype>

#include "test_manuel_commun.h"

namespace {

using manuel::Ccr;
using manuel::Forme;
using manuel::hex2;
using manuel::hex4;
using manuel::Machine;
using manuel::Rapport;
using manuel::Registres;

enum Registre16 { reg_D, reg_X, reg_Y };

struct Operation16 {
  const char* nom;
  Forme forme;
  Registre16 registre;
  bool addition;
  bool stocke;
};

void charge16(Registres& r, Registre16 reg, unsigned v) {
  if (reg == reg_D) {
    r.A = static_cast<uint8_t>(v >> 8);
    r.B = static_cast<uint8_t>(v);
  } else if (reg == reg_X) {
    r.X = static_cast<uint16_t>(v);
  } else {
    r.Y = static_cast<uint16_t>(v);
  }
}

void execute16(Machine& m, const Operation16& op, unsigned x, unsigned v,
               unsigned motif, Rapport& rapport) {
  Registres r;
  r.CCR = static_cast<uint8_t>(motif);
  r.X = 0x4444;
  r.Y = 0x5555;
  int longueur = 0;
  const uint16_t adresse = m.pose(op.forme, v, 2, r, longueur);
  charge16(r, op.registre, x);
  m.execute(r);
  Registres attendu = r;
  Ccr c{r.CCR};
  const unsigned res = (op.addition ? x + v : x - v) & 0xFFFF;
  if (op.addition)
    manuel::formule_addition16(c, x, v, res);
  else
    manuel::formule_soustraction16(c, x, v, res);
  attendu.CCR = c.valeur;
  attendu.PC = static_cast<uint16_t>(manuel::kDebut + longueur);
  if (op.stocke) charge16(attendu, op.registre, res);
  rapport.compare(attendu, c.compares, m.registres(), [&] {
    return "reg=" + hex4(x) + " M=" + hex4(v) + " CCR_in=" + hex2(motif);
  });
  if (op.forme.mode != interpreteur::IMM && m.lit(adresse, 2) != v)
    rapport.echec("operand word changed, reg=" + hex4(x) + " M=" + hex4(v));
}

// Forms whose index register is not the register operated on.
const Operation16 kOperations16[] = {
    {"ADDD imm", {0, 0xC3, interpreteur::IMM}, reg_D, true, true},
    {"ADDD ind,x", {0, 0xE3, interpreteur::INDX}, reg_D, true, true},
    {"SUBD imm", {0, 0x83, interpreteur::IMM}, reg_D, false, true},
    {"SUBD ind,y", {0x18, 0xA3, interpreteur::INDY}, reg_D, false, true},
    {"CPD imm", {0x1A, 0x83, interpreteur::IMM}, reg_D, false, false},
    {"CPD ind,y", {0xCD, 0xA3, interpreteur::INDY}, reg_D, false, false},
    {"CPX imm", {0, 0x8C, interpreteur::IMM}, reg_X, false, false},
    {"CPX ext", {0, 0xBC, interpreteur::EXT}, reg_X, false, false},
    {"CPY imm", {0x18, 0x8C, interpreteur::IMM}, reg_Y, false, false},
    {"CPY ind,x", {0x1A, 0xAC, interpreteur::INDX}, reg_Y, false, false},
};

void PrintTo(const Operation16& op, std::ostream* os) { *os << op.nom; }

class Manuel16 : public ::testing::TestWithParam<Operation16> {};

// Every pair of high bytes with low-byte pairs that give no carry, a
// carry and a borrow across the byte boundary.
TEST_P(Manuel16, EveryHighBytePairMatchesTheManual) {
  const unsigned bas[][2] = {{0x00, 0x00}, {0xFF, 0x01}, {0x01, 0xFF}};
  Machine m;
  Rapport rapport(GetParam().nom);
  for (unsigned motif : manuel::kMotifsCcr)
    for (const auto& b : bas)
      for (unsigned hx = 0; hx < 256; ++hx)
        for (unsigned hm = 0; hm < 256; ++hm)
          execute16(m, GetParam(), (hx << 8) | b[0], (hm << 8) | b[1],
                    motif | ((hx ^ hm) & 1), rapport);
  rapport.verdict();
}

TEST_P(Manuel16, EveryPairOfCornerValuesMatchesTheManual) {
  const unsigned coins[] = {0x0000, 0x0001, 0x007F, 0x0080, 0x00FF,
                            0x0100, 0x7FFE, 0x7FFF, 0x8000, 0x8001,
                            0xFF00, 0xFF7F, 0xFF80, 0xFFFE, 0xFFFF};
  Machine m;
  Rapport rapport(GetParam().nom);
  for (unsigned motif : {0x00u, 0x01u, 0xFEu, 0xFFu})
    for (unsigned x : coins)
      for (unsigned v : coins) execute16(m, GetParam(), x, v, motif, rapport);
  rapport.verdict();
}

std::string nom_test(const char* nom) {
  std::string s;
  for (const char* p = nom; *p; ++p)
    s += (std::isalnum(static_cast<unsigned char>(*p)) ? *p : '_');
  return s;
}

INSTANTIATE_TEST_SUITE_P(Formes, Manuel16, ::testing::ValuesIn(kOperations16),
                         [](const ::testing::TestParamInfo<Operation16>& i) {
                           return nom_test(i.param.nom);
                         });

// ------------------------------------------------------------- branches

// The manual's branch tests, on the bits N, Z, V, C.
struct Branchement {
  const char* nom;
  uint8_t opcode;
  bool (*test)(bool n, bool z, bool v, bool c);
};

const Branchement kBranchements[] = {
    {"BRA", 0x20, [](bool, bool, bool, bool) { return true; }},
    {"BRN", 0x21, [](bool, bool, bool, bool) { return false; }},
    {"BHI", 0x22, [](bool, bool z, bool, bool c) { return !(c || z); }},
    {"BLS", 0x23, [](bool, bool z, bool, bool c) { return c || z; }},
    {"BCC", 0x24, [](bool, bool, bool, bool c) { return !c; }},
    {"BCS", 0x25, [](bool, bool, bool, bool c) { return c; }},
    {"BNE", 0x26, [](bool, bool z, bool, bool) { return !z; }},
    {"BEQ", 0x27, [](bool, bool z, bool, bool) { return z; }},
    {"BVC", 0x28, [](bool, bool, bool v, bool) { return !v; }},
    {"BVS", 0x29, [](bool, bool, bool v, bool) { return v; }},
    {"BPL", 0x2A, [](bool n, bool, bool, bool) { return !n; }},
    {"BMI", 0x2B, [](bool n, bool, bool, bool) { return n; }},
    {"BGE", 0x2C, [](bool n, bool, bool v, bool) { return (n != v) == 0; }},
    {"BLT", 0x2D, [](bool n, bool, bool v, bool) { return (n != v) == 1; }},
    {"BGT", 0x2E,
     [](bool n, bool z, bool v, bool) { return (z || (n != v)) == 0; }},
    {"BLE", 0x2F,
     [](bool n, bool z, bool v, bool) { return (z || (n != v)) == 1; }},
};

// Every condition over the sixteen NZVC combinations, with S, X, H, I
// clear and set, forwards and backwards: the target is the address after
// the offset plus the signed offset; no flag changes.
TEST(ManuelBranchements, EveryConditionOverEveryNzvcCombination) {
  Machine m;
  for (const Branchement& br : kBranchements) {
    Rapport rapport(br.nom);
    for (unsigned haut : {0x00u, 0xF0u})
      for (unsigned nzvc = 0; nzvc < 16; ++nzvc)
        for (unsigned depl : {0x10u, 0x80u, 0xFEu}) {
          m.mem().write_byte(manuel::kDebut, br.opcode);
          m.mem().write_byte(manuel::kDebut + 1, static_cast<uint8_t>(depl));
          Registres r;
          r.CCR = static_cast<uint8_t>(haut | nzvc);
          m.execute(r);
          const bool n = nzvc & 8, z = nzvc & 4, v = nzvc & 2, c = nzvc & 1;
          const int signe = depl < 0x80 ? static_cast<int>(depl)
                                        : static_cast<int>(depl) - 256;
          Registres attendu = r;
          attendu.PC = static_cast<uint16_t>(manuel::kDebut + 2 +
                                             (br.test(n, z, v, c) ? signe : 0));
          rapport.compare(attendu, 0xFF, m.registres(), [&] {
            return "CCR=" + hex2(r.CCR) + " offset=" + hex2(depl);
          });
        }
    rapport.verdict();
  }
}

}  // namespace
