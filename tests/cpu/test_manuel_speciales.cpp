// DAA, MUL, IDIV and FDIV against the MC68HC11 reference manual: the DAA
// correction table on every input it defines and on every BCD sum, MUL on
// every pair, the two divisions on edge and pseudo-random pairs.
#include <random>
#include <vector>

#include "test_manuel_commun.h"

namespace {

using manuel::Ccr;
using manuel::Forme;
using manuel::hex2;
using manuel::hex4;
using manuel::Machine;
using manuel::Rapport;
using manuel::Registres;

// The manual's DAA table: C before, the upper and lower half-bytes of A
// and H select the number added to A and the C after. The rows exclude
// one another; inputs that no row covers are left undefined.
struct LigneDaa {
  int c;
  unsigned haut_min, haut_max;
  int h;
  unsigned bas_min, bas_max;
  unsigned ajout;
  int c_apres;
};

const LigneDaa kTableDaa[] = {
    {0, 0x0, 0x9, 0, 0x0, 0x9, 0x00, 0}, {0, 0x0, 0x8, 0, 0xA, 0xF, 0x06, 0},
    {0, 0x0, 0x9, 1, 0x0, 0x3, 0x06, 0}, {0, 0xA, 0xF, 0, 0x0, 0x9, 0x60, 1},
    {0, 0x9, 0xF, 0, 0xA, 0xF, 0x66, 1}, {0, 0xA, 0xF, 1, 0x0, 0x3, 0x66, 1},
    {1, 0x0, 0x2, 0, 0x0, 0x9, 0x60, 1}, {1, 0x0, 0x2, 0, 0xA, 0xF, 0x66, 1},
    {1, 0x0, 0x3, 1, 0x0, 0x3, 0x66, 1},
};

const LigneDaa* ligne_daa(unsigned a, bool c, bool h) {
  const unsigned haut = a >> 4, bas = a & 0x0F;
  for (const LigneDaa& l : kTableDaa)
    if (l.c == c && l.h == h && haut >= l.haut_min && haut <= l.haut_max &&
        bas >= l.bas_min && bas <= l.bas_max)
      return &l;
  return nullptr;
}

// DAA alone: N, Z from the adjusted A, C from the table; H not affected;
// V not defined by the manual.
TEST(ManuelDaa, EveryInputOfTheCorrectionTableMatches) {
  Machine m;
  Rapport rapport("DAA table");
  int longueur = 0;
  for (unsigned motif : {0x00u, 0xDEu})
    for (unsigned ch = 0; ch < 4; ++ch)
      for (unsigned a = 0; a < 256; ++a) {
        const bool c = ch & 1, h = ch & 2;
        const LigneDaa* l = ligne_daa(a, c, h);
        if (l == nullptr) continue;
        Registres r;
        r.A = static_cast<uint8_t>(a);
        r.CCR = static_cast<uint8_t>(motif | (c ? CCR_C : 0) | (h ? CCR_H : 0));
        m.pose({0, 0x19, interpreteur::INH}, 0, 1, r, longueur);
        m.execute(r);
        Registres attendu = r;
        attendu.A = static_cast<uint8_t>(a + l->ajout);
        attendu.PC = static_cast<uint16_t>(manuel::kDebut + 1);
        Ccr cc{r.CCR};
        manuel::met_nz8(cc, attendu.A);
        cc.met(CCR_C, l->c_apres != 0);
        cc.indefini(CCR_V);
        attendu.CCR = cc.valeur;
        rapport.compare(attendu, cc.compares, m.registres(), [&] {
          return "A=" + hex2(a) + " C=" + std::to_string(c) +
                 " H=" + std::to_string(h);
        });
      }
  rapport.verdict();
}

unsigned bcd(unsigned n) { return ((n / 10) << 4) | (n % 10); }

// ADDA (or ADCA with a carry-in) of two BCD bytes, then DAA: A holds the
// BCD sum modulo 100 and C the decimal carry.
TEST(ManuelDaa, EveryBcdSumAfterAddaOrAdcaIsDecimal) {
  Machine m;
  Rapport rapport("ADDA/ADCA then DAA");
  for (unsigned c_in = 0; c_in < 2; ++c_in)
    for (unsigned x = 0; x < 100; ++x)
      for (unsigned y = 0; y < 100; ++y) {
        m.mem().write_byte(manuel::kDebut, c_in ? 0x89 : 0x8B);
        m.mem().write_byte(manuel::kDebut + 1, static_cast<uint8_t>(bcd(y)));
        m.mem().write_byte(manuel::kDebut + 2, 0x19);
        Registres r;
        r.A = static_cast<uint8_t>(bcd(x));
        r.CCR = static_cast<uint8_t>(CCR_S | CCR_X | CCR_I | c_in);
        m.execute(r);
        m.cpu().step();
        const unsigned somme = x + y + c_in;
        Registres attendu = r;
        attendu.A = static_cast<uint8_t>(bcd(somme % 100));
        attendu.PC = static_cast<uint16_t>(manuel::kDebut + 3);
        Ccr cc{r.CCR};
        manuel::formule_addition8(cc, bcd(x), bcd(y),
                                  (bcd(x) + bcd(y) + c_in) & 0xFF);
        manuel::met_nz8(cc, attendu.A);
        cc.met(CCR_C, somme >= 100);
        cc.indefini(CCR_V);
        attendu.CCR = cc.valeur;
        rapport.compare(attendu, cc.compares, m.registres(), [&] {
          return std::to_string(x) + " + " + std::to_string(y) + " + C_in " +
                 std::to_string(c_in);
        });
      }
  rapport.verdict();
}

// MUL: D = A × B; C = R7 (bit 7 of the product, bit 7 of B); nothing else.
TEST(ManuelMul, EveryPairGivesTheProductAndBit7InC) {
  Machine m;
  Rapport rapport("MUL");
  int longueur = 0;
  for (unsigned motif : {0x00u, 0xFFu})
    for (unsigned a = 0; a < 256; ++a)
      for (unsigned b = 0; b < 256; ++b) {
        Registres r;
        r.A = static_cast<uint8_t>(a);
        r.B = static_cast<uint8_t>(b);
        r.CCR = static_cast<uint8_t>(motif);
        m.pose({0, 0x3D, interpreteur::INH}, 0, 1, r, longueur);
        m.execute(r);
        const unsigned produit = a * b;
        Registres attendu = r;
        attendu.A = static_cast<uint8_t>(produit >> 8);
        attendu.B = static_cast<uint8_t>(produit);
        attendu.PC = static_cast<uint16_t>(manuel::kDebut + 1);
        Ccr cc{r.CCR};
        cc.met(CCR_C, manuel::bit(produit, 7));
        attendu.CCR = cc.valeur;
        rapport.compare(attendu, cc.compares, m.registres(), [&] {
          return "A=" + hex2(a) + " B=" + hex2(b) + " CCR_in=" + hex2(motif);
        });
      }
  rapport.verdict();
}

// Numerator and denominator pairs: every pair of edge values, then
// pseudo-random pairs (fixed seed), half of them with D < X.
std::vector<std::pair<unsigned, unsigned>> paires_division() {
  const unsigned bords[] = {0x0000, 0x0001, 0x0002, 0x0003, 0x00FF, 0x0100,
                            0x7FFF, 0x8000, 0x8001, 0xFFFE, 0xFFFF, 0x1234};
  std::vector<std::pair<unsigned, unsigned>> paires;
  for (unsigned d : bords)
    for (unsigned x : bords) paires.emplace_back(d, x);
  std::mt19937 alea(0x68C11u);
  for (int i = 0; i < 20000; ++i) {
    unsigned d = alea() & 0xFFFF, x = alea() & 0xFFFF;
    if (i % 2 == 0 && d > x) std::swap(d, x);
    paires.emplace_back(d, x);
  }
  return paires;
}

// What the manual says a division gives: quotient, remainder (unless
// indeterminate) and the V and C bits; Z is always "quotient $0000".
struct resultat_division {
  unsigned quotient;
  unsigned reste;
  bool reste_indetermine;
  bool v;
  bool c;
};

// Runs the division `code` (page 0, inherent) over every pair of
// paires_division() with CCR all clear and all set, against `manuel_dit`.
void compare_division(const char* nom, uint8_t code,
                      resultat_division (*manuel_dit)(unsigned, unsigned)) {
  Machine m;
  Rapport rapport(nom);
  int longueur = 0;
  for (unsigned motif : {0x00u, 0xFFu})
    for (const auto& p : paires_division()) {
      const unsigned d = p.first, x = p.second;
      Registres r;
      r.A = static_cast<uint8_t>(d >> 8);
      r.B = static_cast<uint8_t>(d);
      r.CCR = static_cast<uint8_t>(motif);
      m.pose({0, code, interpreteur::INH}, 0, 1, r, longueur);
      r.X = static_cast<uint16_t>(x);
      m.execute(r);
      Registres attendu = r, obtenu = m.registres();
      const resultat_division res = manuel_dit(d, x);
      attendu.X = static_cast<uint16_t>(res.quotient);
      attendu.A = res.reste_indetermine ? obtenu.A
                                        : static_cast<uint8_t>(res.reste >> 8);
      attendu.B =
          res.reste_indetermine ? obtenu.B : static_cast<uint8_t>(res.reste);
      attendu.PC = static_cast<uint16_t>(manuel::kDebut + 1);
      Ccr cc{r.CCR};
      cc.met(CCR_Z, manuel::tous_nuls(res.quotient, 16));
      cc.met(CCR_V, res.v);
      cc.met(CCR_C, res.c);
      attendu.CCR = cc.valeur;
      rapport.compare(attendu, cc.compares, obtenu, [&] {
        return "D=" + hex4(d) + " X=" + hex4(x) + " CCR_in=" + hex2(motif);
      });
    }
  rapport.verdict();
}

// IDIV: X = D / X, D = remainder; Z = quotient $0000; V = 0;
// C = X15'·X14'·...·X0' (denominator $0000). On a division by zero the
// quotient is $FFFF and the remainder is indeterminate (not compared).
TEST(ManuelDivision, IdivGivesQuotientRemainderAndFlags) {
  compare_division("IDIV", 0x02, [](unsigned d, unsigned x) {
    const bool zero = manuel::tous_nuls(x, 16);
    return resultat_division{zero ? 0xFFFFu : d / x, zero ? 0u : d % x, zero,
                             false, zero};
  });
}

// FDIV: X = (D × 65536) / X, D = remainder, when X > D. V = 1 if X ≤ D
// (the quotient would not be a fraction; it is then $FFFF and the
// remainder indeterminate); C = X15'·...·X0'; Z = quotient $0000.
TEST(ManuelDivision, FdivGivesFractionRemainderAndFlags) {
  compare_division("FDIV", 0x03, [](unsigned d, unsigned x) {
    const bool debordement = x <= d;
    const unsigned long n = static_cast<unsigned long>(d) << 16;
    return resultat_division{
        debordement ? 0xFFFFu : static_cast<unsigned>(n / x),
        debordement ? 0u : static_cast<unsigned>(n % x), debordement,
        debordement, manuel::tous_nuls(x, 16)};
  });
}

}  // namespace
