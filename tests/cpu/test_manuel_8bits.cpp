// Exhaustive differential tests of the 8-bit instructions against the
// MC68HC11 reference manual's condition-code formulas: every (operand,
// operand, carry-in) combination, in immediate mode and one memory mode,
// from two initial CCR patterns. One verdict line per instruction form.
#include <cctype>

#include "test_manuel_commun.h"

namespace {

using manuel::Ccr;
using manuel::Forme;
using manuel::hex2;
using manuel::Machine;
using manuel::Rapport;
using manuel::Registres;

// An 8-bit operation of the manual: computes the result R from the
// accumulator X, the operand M and the carry-in, and sets the flags the
// manual defines into `c`.
typedef unsigned (*Oracle8)(unsigned x, unsigned m, bool c_in, Ccr& c);

unsigned adda(unsigned x, unsigned m, bool, Ccr& c) {
  const unsigned r = (x + m) & 0xFF;
  manuel::formule_addition8(c, x, m, r);
  return r;
}
unsigned adca(unsigned x, unsigned m, bool c_in, Ccr& c) {
  const unsigned r = (x + m + (c_in ? 1 : 0)) & 0xFF;
  manuel::formule_addition8(c, x, m, r);
  return r;
}
unsigned suba(unsigned x, unsigned m, bool, Ccr& c) {
  const unsigned r = (x - m) & 0xFF;
  manuel::formule_soustraction8(c, x, m, r);
  return r;
}
unsigned sbca(unsigned x, unsigned m, bool c_in, Ccr& c) {
  const unsigned r = (x - m - (c_in ? 1 : 0)) & 0xFF;
  manuel::formule_soustraction8(c, x, m, r);
  return r;
}
unsigned anda(unsigned x, unsigned m, bool, Ccr& c) {
  manuel::formule_logique(c, x & m);
  return x & m;
}
unsigned oraa(unsigned x, unsigned m, bool, Ccr& c) {
  manuel::formule_logique(c, x | m);
  return x | m;
}
unsigned eora(unsigned x, unsigned m, bool, Ccr& c) {
  manuel::formule_logique(c, x ^ m);
  return x ^ m;
}

enum Cible { vers_A, vers_B, nulle_part };

// One form of a two-operand instruction. `acc` is the accumulator read as
// X; `cible` where R goes (nowhere for CMPA, BITA ...). For the
// accumulator-to-accumulator forms (ABA, SBA, CBA) M is B.
struct Binaire {
  const char* nom;
  Forme forme;
  bool x_dans_B;
  Cible cible;
  Oracle8 oracle;
};

void execute_binaire(Machine& m, const Binaire& op, Rapport& rapport) {
  const bool m_dans_B = op.forme.mode == interpreteur::INH;
  for (unsigned motif : manuel::kMotifsCcr)
    for (unsigned c_in = 0; c_in < 2; ++c_in)
      for (unsigned x = 0; x < 256; ++x)
        for (unsigned v = 0; v < 256; ++v) {
          Registres r;
          r.CCR = static_cast<uint8_t>(motif | c_in);
          r.A = static_cast<uint8_t>(op.x_dans_B ? 0xA5 : x);
          r.B = static_cast<uint8_t>(op.x_dans_B ? x : (m_dans_B ? v : 0x5A));
          int longueur = 0;
          const uint16_t adresse = m.pose(op.forme, v, 1, r, longueur);
          m.execute(r);
          Registres attendu = r;
          Ccr c{r.CCR};
          const unsigned res = op.oracle(x, v, c_in != 0, c);
          attendu.CCR = c.valeur;
          attendu.PC = static_cast<uint16_t>(manuel::kDebut + longueur);
          if (op.cible == vers_A) attendu.A = static_cast<uint8_t>(res);
          if (op.cible == vers_B) attendu.B = static_cast<uint8_t>(res);
          rapport.compare(attendu, c.compares, m.registres(), [&] {
            return "X=" + hex2(x) + " M=" + hex2(v) +
                   " C_in=" + std::to_string(c_in) + " CCR_in=" + hex2(r.CCR);
          });
          const bool memoire = op.forme.mode != interpreteur::IMM &&
                               op.forme.mode != interpreteur::INH;
          if (memoire && m.mem().read_byte(adresse) != v)
            rapport.echec("operand cell changed, X=" + hex2(x) +
                          " M=" + hex2(v));
        }
}

// Every two-operand 8-bit form under audit, immediate and one memory mode
// (the memory modes vary over the instructions so that each is used).
const Binaire kBinaires[] = {
    {"ADDA imm", {0, 0x8B, interpreteur::IMM}, false, vers_A, adda},
    {"ADDA dir", {0, 0x9B, interpreteur::DIR}, false, vers_A, adda},
    {"ADDB imm", {0, 0xCB, interpreteur::IMM}, true, vers_B, adda},
    {"ADDB ind,y", {0x18, 0xEB, interpreteur::INDY}, true, vers_B, adda},
    {"ADCA imm", {0, 0x89, interpreteur::IMM}, false, vers_A, adca},
    {"ADCA ext", {0, 0xB9, interpreteur::EXT}, false, vers_A, adca},
    {"ADCB imm", {0, 0xC9, interpreteur::IMM}, true, vers_B, adca},
    {"ADCB ind,x", {0, 0xE9, interpreteur::INDX}, true, vers_B, adca},
    {"SUBA imm", {0, 0x80, interpreteur::IMM}, false, vers_A, suba},
    {"SUBA ind,x", {0, 0xA0, interpreteur::INDX}, false, vers_A, suba},
    {"SUBB imm", {0, 0xC0, interpreteur::IMM}, true, vers_B, suba},
    {"SUBB dir", {0, 0xD0, interpreteur::DIR}, true, vers_B, suba},
    {"SBCA imm", {0, 0x82, interpreteur::IMM}, false, vers_A, sbca},
    {"SBCA ind,y", {0x18, 0xA2, interpreteur::INDY}, false, vers_A, sbca},
    {"SBCB imm", {0, 0xC2, interpreteur::IMM}, true, vers_B, sbca},
    {"SBCB ext", {0, 0xF2, interpreteur::EXT}, true, vers_B, sbca},
    {"CMPA imm", {0, 0x81, interpreteur::IMM}, false, nulle_part, suba},
    {"CMPA ext", {0, 0xB1, interpreteur::EXT}, false, nulle_part, suba},
    {"CMPB imm", {0, 0xC1, interpreteur::IMM}, true, nulle_part, suba},
    {"CMPB ind,x", {0, 0xE1, interpreteur::INDX}, true, nulle_part, suba},
    {"ANDA imm", {0, 0x84, interpreteur::IMM}, false, vers_A, anda},
    {"ANDA dir", {0, 0x94, interpreteur::DIR}, false, vers_A, anda},
    {"ORAA imm", {0, 0x8A, interpreteur::IMM}, false, vers_A, oraa},
    {"ORAA ind,x", {0, 0xAA, interpreteur::INDX}, false, vers_A, oraa},
    {"EORA imm", {0, 0x88, interpreteur::IMM}, false, vers_A, eora},
    {"EORA ext", {0, 0xB8, interpreteur::EXT}, false, vers_A, eora},
    {"BITA imm", {0, 0x85, interpreteur::IMM}, false, nulle_part, anda},
    {"BITA ind,y", {0x18, 0xA5, interpreteur::INDY}, false, nulle_part, anda},
    {"ABA", {0, 0x1B, interpreteur::INH}, false, vers_A, adda},
    {"SBA", {0, 0x10, interpreteur::INH}, false, vers_A, suba},
    {"CBA", {0, 0x11, interpreteur::INH}, false, nulle_part, suba},
};

void PrintTo(const Binaire& op, std::ostream* os) { *os << op.nom; }

class Manuel8Binaire : public ::testing::TestWithParam<Binaire> {};

TEST_P(Manuel8Binaire, EveryOperandPairAndCarryMatchesTheManual) {
  Machine m;
  Rapport rapport(GetParam().nom);
  execute_binaire(m, GetParam(), rapport);
  rapport.verdict();
}

std::string nom_test(const char* nom) {
  std::string s;
  for (const char* p = nom; *p; ++p)
    s += (std::isalnum(static_cast<unsigned char>(*p)) ? *p : '_');
  return s;
}

INSTANTIATE_TEST_SUITE_P(Formes, Manuel8Binaire, ::testing::ValuesIn(kBinaires),
                         [](const ::testing::TestParamInfo<Binaire>& i) {
                           return nom_test(i.param.nom);
                         });

// ------------------------------------------------ one-operand instructions

// A one-operand operation: R from the operand X and the carry-in.
typedef unsigned (*Oracle1)(unsigned x, bool c_in, Ccr& c);

// NEG: R = 0 − M; V = R7·R6'·R5'·R4'·R3'·R2'·R1'·R0'; C = R7+R6+...+R0.
unsigned neg(unsigned x, bool, Ccr& c) {
  const unsigned r = (0x100 - x) & 0xFF;
  manuel::met_nz8(c, r);
  c.met(CCR_V, manuel::seul_bit7(r));
  c.met(CCR_C, manuel::un_non_nul(r, 8));
  return r;
}
// INC: V = R7·R6'·R5'·R4'·R3'·R2'·R1'·R0'; C not affected.
unsigned inc(unsigned x, bool, Ccr& c) {
  const unsigned r = (x + 1) & 0xFF;
  manuel::met_nz8(c, r);
  c.met(CCR_V, manuel::seul_bit7(r));
  return r;
}
// DEC: V = R7'·R6·R5·R4·R3·R2·R1·R0; C not affected.
unsigned dec(unsigned x, bool, Ccr& c) {
  const unsigned r = (x - 1) & 0xFF;
  manuel::met_nz8(c, r);
  c.met(CCR_V, !manuel::bit(r, 7) && manuel::tous_uns(r, 7));
  return r;
}
// COM: V = 0, C = 1.
unsigned com(unsigned x, bool, Ccr& c) {
  const unsigned r = ~x & 0xFF;
  manuel::met_nz8(c, r);
  c.met(CCR_V, false);
  c.met(CCR_C, true);
  return r;
}
// TST: V = 0, C = 0; nothing stored.
unsigned tst(unsigned x, bool, Ccr& c) {
  manuel::met_nz8(c, x);
  c.met(CCR_V, false);
  c.met(CCR_C, false);
  return x;
}
// CLR: N = 0, Z = 1, V = 0, C = 0.
unsigned clr(unsigned, bool, Ccr& c) {
  c.met(CCR_N, false);
  c.met(CCR_Z, true);
  c.met(CCR_V, false);
  c.met(CCR_C, false);
  return 0;
}
// Shifts and rotates: C = the bit shifted out, V = N ⊕ C.
unsigned asl(unsigned x, bool, Ccr& c) {
  const unsigned r = (x << 1) & 0xFF;
  manuel::formule_decalage(c, r, manuel::bit(x, 7));
  return r;
}
unsigned asr(unsigned x, bool, Ccr& c) {
  const unsigned r = (x >> 1) | (x & 0x80);
  manuel::formule_decalage(c, r, manuel::bit(x, 0));
  return r;
}
unsigned lsr(unsigned x, bool, Ccr& c) {
  const unsigned r = x >> 1;
  manuel::formule_decalage(c, r, manuel::bit(x, 0));
  return r;
}
unsigned rol(unsigned x, bool c_in, Ccr& c) {
  const unsigned r = ((x << 1) | (c_in ? 1 : 0)) & 0xFF;
  manuel::formule_decalage(c, r, manuel::bit(x, 7));
  return r;
}
unsigned ror(unsigned x, bool c_in, Ccr& c) {
  const unsigned r = (x >> 1) | (c_in ? 0x80 : 0);
  manuel::formule_decalage(c, r, manuel::bit(x, 0));
  return r;
}

struct Unaire {
  const char* nom;
  Forme forme;  // INH: on A or B as `sur_B` says; otherwise memory
  bool sur_B;
  bool stocke;
  Oracle1 oracle;
};

void execute_unaire(Machine& m, const Unaire& op, Rapport& rapport) {
  const bool memoire = op.forme.mode != interpreteur::INH;
  for (unsigned motif : manuel::kMotifsCcr)
    for (unsigned c_in = 0; c_in < 2; ++c_in)
      for (unsigned x = 0; x < 256; ++x) {
        Registres r;
        r.CCR = static_cast<uint8_t>(motif | c_in);
        r.A = static_cast<uint8_t>(memoire || op.sur_B ? 0xA5 : x);
        r.B = static_cast<uint8_t>(op.sur_B ? x : 0x5A);
        int longueur = 0;
        const uint16_t adresse = m.pose(op.forme, x, 1, r, longueur);
        m.execute(r);
        Registres attendu = r;
        Ccr c{r.CCR};
        const unsigned res = op.oracle(x, c_in != 0, c);
        attendu.CCR = c.valeur;
        attendu.PC = static_cast<uint16_t>(manuel::kDebut + longueur);
        if (!memoire && op.stocke && !op.sur_B)
          attendu.A = static_cast<uint8_t>(res);
        if (!memoire && op.stocke && op.sur_B)
          attendu.B = static_cast<uint8_t>(res);
        rapport.compare(attendu, c.compares, m.registres(), [&] {
          return "M=" + hex2(x) + " C_in=" + std::to_string(c_in) +
                 " CCR_in=" + hex2(r.CCR);
        });
        const unsigned cellule = memoire ? m.mem().read_byte(adresse) : 0;
        const unsigned attendue = memoire && op.stocke ? res : x;
        if (memoire && cellule != attendue)
          rapport.echec("M=" + hex2(x) + " C_in=" + std::to_string(c_in) +
                        ": memory result " + hex2(cellule) + ", expected " +
                        hex2(attendue));
      }
}

const Unaire kUnaires[] = {
    {"NEGA", {0, 0x40, interpreteur::INH}, false, true, neg},
    {"NEGB", {0, 0x50, interpreteur::INH}, true, true, neg},
    {"NEG ext", {0, 0x70, interpreteur::EXT}, false, true, neg},
    {"NEG ind,y", {0x18, 0x60, interpreteur::INDY}, false, true, neg},
    {"INCA", {0, 0x4C, interpreteur::INH}, false, true, inc},
    {"INCB", {0, 0x5C, interpreteur::INH}, true, true, inc},
    {"INC ind,x", {0, 0x6C, interpreteur::INDX}, false, true, inc},
    {"DECA", {0, 0x4A, interpreteur::INH}, false, true, dec},
    {"DECB", {0, 0x5A, interpreteur::INH}, true, true, dec},
    {"DEC ext", {0, 0x7A, interpreteur::EXT}, false, true, dec},
    {"COMA", {0, 0x43, interpreteur::INH}, false, true, com},
    {"COMB", {0, 0x53, interpreteur::INH}, true, true, com},
    {"COM ind,x", {0, 0x63, interpreteur::INDX}, false, true, com},
    {"TSTA", {0, 0x4D, interpreteur::INH}, false, false, tst},
    {"TSTB", {0, 0x5D, interpreteur::INH}, true, false, tst},
    {"TST ext", {0, 0x7D, interpreteur::EXT}, false, false, tst},
    {"CLRA", {0, 0x4F, interpreteur::INH}, false, true, clr},
    {"CLR ind,y", {0x18, 0x6F, interpreteur::INDY}, false, true, clr},
    {"ASLA", {0, 0x48, interpreteur::INH}, false, true, asl},
    {"ASLB", {0, 0x58, interpreteur::INH}, true, true, asl},
    {"ASL ext", {0, 0x78, interpreteur::EXT}, false, true, asl},
    {"ASRA", {0, 0x47, interpreteur::INH}, false, true, asr},
    {"ASRB", {0, 0x57, interpreteur::INH}, true, true, asr},
    {"ASR ind,x", {0, 0x67, interpreteur::INDX}, false, true, asr},
    {"LSRA", {0, 0x44, interpreteur::INH}, false, true, lsr},
    {"LSRB", {0, 0x54, interpreteur::INH}, true, true, lsr},
    {"LSR ind,y", {0x18, 0x64, interpreteur::INDY}, false, true, lsr},
    {"ROLA", {0, 0x49, interpreteur::INH}, false, true, rol},
    {"ROLB", {0, 0x59, interpreteur::INH}, true, true, rol},
    {"ROL ext", {0, 0x79, interpreteur::EXT}, false, true, rol},
    {"RORA", {0, 0x46, interpreteur::INH}, false, true, ror},
    {"RORB", {0, 0x56, interpreteur::INH}, true, true, ror},
    {"ROR ind,x", {0, 0x66, interpreteur::INDX}, false, true, ror},
};

void PrintTo(const Unaire& op, std::ostream* os) { *os << op.nom; }

class Manuel8Unaire : public ::testing::TestWithParam<Unaire> {};

TEST_P(Manuel8Unaire, EveryOperandAndCarryMatchesTheManual) {
  Machine m;
  Rapport rapport(GetParam().nom);
  execute_unaire(m, GetParam(), rapport);
  rapport.verdict();
}

INSTANTIATE_TEST_SUITE_P(Formes, Manuel8Unaire, ::testing::ValuesIn(kUnaires),
                         [](const ::testing::TestParamInfo<Unaire>& i) {
                           return nom_test(i.param.nom);
                         });

}  // namespace
