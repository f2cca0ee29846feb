// Arithmetic and logic instructions: additions, subtractions, compares,
// one-operand instructions, logic, decimal adjust, multiply and divide.
//
// Every handler serves all addressing modes of its mnemonic through
// get_adr; the A and B forms and the memory forms share the small helpers
// below, which compute the result and set the flags through the rules of
// cpu/ccr.h. None of them touches S, X or I.
#include "cpu/interpreteur.h"
#include "memory/mem_64k.h"

namespace {

typedef unsigned char (*operation_octet)(interpreteur&, unsigned char);

unsigned char operande_8(interpreteur& cpu) {
  return cpu.mem->read_byte(cpu.get_adr(1));
}

unsigned short operande_16(interpreteur& cpu) {
  return cpu.mem->read_word(cpu.get_adr(2));
}

unsigned retenue(const interpreteur& cpu) { return cpu.CCR & CCR_C; }

// a + m + retenue_entree, with H, N, Z, V and C of the full sum.
unsigned char somme_8(interpreteur& cpu, unsigned char a, unsigned char m,
                      unsigned retenue_entree) {
  const unsigned r = a + m + retenue_entree;
  cpu.ccr_addition(a, m, r);
  return static_cast<unsigned char>(r);
}

// a - m - emprunt_entree, with N, Z, V and C (the borrow); H untouched.
unsigned char difference_8(interpreteur& cpu, unsigned char a, unsigned char m,
                           unsigned emprunt_entree) {
  const unsigned r = a - m - emprunt_entree;
  cpu.ccr_soustraction(a, m, r);
  return static_cast<unsigned char>(r);
}

unsigned short somme_16(interpreteur& cpu, unsigned short a, unsigned short m) {
  const unsigned r = static_cast<unsigned>(a) + m;
  cpu.ccr_addition16(a, m, r);
  return static_cast<unsigned short>(r);
}

unsigned short difference_16(interpreteur& cpu, unsigned short a,
                             unsigned short m) {
  const unsigned r = static_cast<unsigned>(a) - m;
  cpu.ccr_soustraction16(a, m, r);
  return static_cast<unsigned short>(r);
}

// The one-operand instructions, shared by the accumulator and memory forms.
unsigned char incremente(interpreteur& cpu, unsigned char x) {
  const unsigned char r = static_cast<unsigned char>(x + 1);
  cpu.force_CCR_N(r);
  cpu.force_CCR_Z(r);
  cpu.force_CCR_V(x, 1);
  return r;
}

unsigned char decremente(interpreteur& cpu, unsigned char x) {
  const unsigned char r = static_cast<unsigned char>(x - 1);
  cpu.force_CCR_N(r);
  cpu.force_CCR_Z(r);
  cpu.force_CCR_V(x, -1);
  return r;
}

// 0 - x: V exactly when the result is 0x80, C whenever it is not 0.
unsigned char oppose(interpreteur& cpu, unsigned char x) {
  return difference_8(cpu, 0, x, 0);
}

unsigned char complemente(interpreteur& cpu, unsigned char x) {
  const unsigned char r = static_cast<unsigned char>(~x);
  cpu.ccr_nz_v0(r);
  cpu.ccr_bit(CCR_C, true);
  return r;
}

unsigned char efface(interpreteur& cpu, unsigned char) {
  cpu.ccr_nz_v0(0);
  cpu.ccr_bit(CCR_C, false);
  return 0;
}

void teste(interpreteur& cpu, unsigned char x) {
  cpu.ccr_nz_v0(x);
  cpu.ccr_bit(CCR_C, false);
}

// Read-modify-write of the byte at the effective address.
void modifie_memoire(interpreteur& cpu, operation_octet operation) {
  const unsigned short adresse = cpu.get_adr(1);
  cpu.mem->write_byte(adresse, operation(cpu, cpu.mem->read_byte(adresse)));
}

unsigned char logique(interpreteur& cpu, unsigned char r) {
  cpu.ccr_nz_v0(r);
  return r;
}

// One row of the decimal-adjust table: when C, the high digit, H and the
// low digit lie in the given ranges, `ajout` is added to A and C becomes
// `c_apres`.
struct ligne_daa {
  bool c;
  unsigned char haut_min, haut_max;
  bool h;
  unsigned char bas_min, bas_max;
  unsigned char ajout;
  bool c_apres;
};

const ligne_daa table_daa[] = {
    {false, 0x0, 0x9, false, 0x0, 0x9, 0x00, false},
    {false, 0x0, 0x8, false, 0xA, 0xF, 0x06, false},
    {false, 0x0, 0x9, true, 0x0, 0x3, 0x06, false},
    {false, 0xA, 0xF, false, 0x0, 0x9, 0x60, true},
    {false, 0x9, 0xF, false, 0xA, 0xF, 0x66, true},
    {false, 0xA, 0xF, true, 0x0, 0x3, 0x66, true},
    {true, 0x0, 0x2, false, 0x0, 0x9, 0x60, true},
    {true, 0x0, 0x2, false, 0xA, 0xF, 0x66, true},
    {true, 0x0, 0x3, true, 0x0, 0x3, 0x66, true},
};

bool dans(unsigned char v, unsigned char min, unsigned char max) {
  return v >= min && v <= max;
}

const ligne_daa* ligne_daa_de(bool c, bool h, unsigned char a) {
  const unsigned char haut = a >> 4, bas = a & 0x0F;
  for (const ligne_daa& l : table_daa)
    if (l.c == c && l.h == h && dans(haut, l.haut_min, l.haut_max) &&
        dans(bas, l.bas_min, l.bas_max))
      return &l;
  return nullptr;
}

}  // namespace

// Additions.
void interpreteur::aba() { A = somme_8(*this, A, B, 0); }
void interpreteur::adda() { A = somme_8(*this, A, operande_8(*this), 0); }
void interpreteur::addb() { B = somme_8(*this, B, operande_8(*this), 0); }
void interpreteur::adca() {
  A = somme_8(*this, A, operande_8(*this), retenue(*this));
}
void interpreteur::adcb() {
  B = somme_8(*this, B, operande_8(*this), retenue(*this));
}
void interpreteur::addd() {
  set_D_value(somme_16(*this, D_value(), operande_16(*this)));
}
void interpreteur::abx() { X = static_cast<unsigned short>(X + B); }
void interpreteur::aby() { Y = static_cast<unsigned short>(Y + B); }

// Subtractions and comparisons.
void interpreteur::sba() { A = difference_8(*this, A, B, 0); }
void interpreteur::suba() { A = difference_8(*this, A, operande_8(*this), 0); }
void interpreteur::subb() { B = difference_8(*this, B, operande_8(*this), 0); }
void interpreteur::sbca() {
  A = difference_8(*this, A, operande_8(*this), retenue(*this));
}
void interpreteur::sbcb() {
  B = difference_8(*this, B, operande_8(*this), retenue(*this));
}
void interpreteur::subd() {
  set_D_value(difference_16(*this, D_value(), operande_16(*this)));
}
void interpreteur::cba() { difference_8(*this, A, B, 0); }
void interpreteur::cmpa() { difference_8(*this, A, operande_8(*this), 0); }
void interpreteur::cmpb() { difference_8(*this, B, operande_8(*this), 0); }
void interpreteur::cpd() {
  difference_16(*this, D_value(), operande_16(*this));
}
void interpreteur::cpx() { difference_16(*this, X, operande_16(*this)); }
void interpreteur::cpy() { difference_16(*this, Y, operande_16(*this)); }

// One-operand instructions.
void interpreteur::inc() { modifie_memoire(*this, incremente); }
void interpreteur::inca() { A = incremente(*this, A); }
void interpreteur::incb() { B = incremente(*this, B); }
void interpreteur::dec() { modifie_memoire(*this, decremente); }
void interpreteur::deca() { A = decremente(*this, A); }
void interpreteur::decb() { B = decremente(*this, B); }
void interpreteur::neg() { modifie_memoire(*this, oppose); }
void interpreteur::nega() { A = oppose(*this, A); }
void interpreteur::negb() { B = oppose(*this, B); }
void interpreteur::com() { modifie_memoire(*this, complemente); }
void interpreteur::coma() { A = complemente(*this, A); }
void interpreteur::comb() { B = complemente(*this, B); }
// clr writes its 0 without reading the cell.
void interpreteur::clr() { mem->write_byte(get_adr(1), efface(*this, 0)); }
void interpreteur::clra() { A = efface(*this, A); }
void interpreteur::clrb() { B = efface(*this, B); }
void interpreteur::tst() { teste(*this, operande_8(*this)); }
void interpreteur::tsta() { teste(*this, A); }
void interpreteur::tstb() { teste(*this, B); }

// Logic.
void interpreteur::anda() { A = logique(*this, A & operande_8(*this)); }
void interpreteur::andb() { B = logique(*this, B & operande_8(*this)); }
void interpreteur::oraa() { A = logique(*this, A | operande_8(*this)); }
void interpreteur::orab() { B = logique(*this, B | operande_8(*this)); }
void interpreteur::eora() { A = logique(*this, A ^ operande_8(*this)); }
void interpreteur::eorb() { B = logique(*this, B ^ operande_8(*this)); }
void interpreteur::bita() { logique(*this, A & operande_8(*this)); }
void interpreteur::bitb() { logique(*this, B & operande_8(*this)); }

// Decimal adjust of A after a BCD addition; when no row of the table
// matches, A and C keep their values. N and Z follow the final A.
void interpreteur::daa() {
  const ligne_daa* l = ligne_daa_de((CCR & CCR_C) != 0, (CCR & CCR_H) != 0, A);
  if (l) {
    A = static_cast<unsigned char>(A + l->ajout);
    ccr_bit(CCR_C, l->c_apres);
  }
  force_CCR_N(A);
  force_CCR_Z(A);
}

// D = A x B unsigned; C is bit 7 of the product, which rounds A to the
// nearest when the product is taken as a fraction.
void interpreteur::mul() {
  set_D_value(static_cast<unsigned short>(A * B));
  ccr_bit(CCR_C, (B & 0x80) != 0);
}

// X = D / X, D = the remainder. Dividing by 0 gives X = 0xFFFF, leaves D
// and sets C.
void interpreteur::idiv() {
  const unsigned short d = D_value();
  unsigned short quotient = 0xFFFF, reste = d;
  if (X != 0) {
    quotient = static_cast<unsigned short>(d / X);
    reste = static_cast<unsigned short>(d % X);
  }
  ccr_bit(CCR_C, X == 0);
  ccr_bit(CCR_V, false);
  force_CCR_Z16(quotient);
  X = quotient;
  set_D_value(reste);
}

// X = D * 65536 / X, D = the remainder. When D >= X (the quotient would
// not be a fraction) or X is 0: X = 0xFFFF, D kept, V set; C only for X = 0.
void interpreteur::fdiv() {
  const unsigned long d = D_value();
  unsigned short quotient = 0xFFFF, reste = static_cast<unsigned short>(d);
  const bool debordement = X == 0 || d >= X;
  if (!debordement) {
    quotient = static_cast<unsigned short>((d << 16) / X);
    reste = static_cast<unsigned short>((d << 16) % X);
  }
  ccr_bit(CCR_C, X == 0);
  ccr_bit(CCR_V, debordement);
  force_CCR_Z16(quotient);
  X = quotient;
  set_D_value(reste);
}
