// Loads, stores, register transfers, 16-bit increments and decrements, and
// the condition-code bit instructions.
//
// Loads and stores set N and Z from the value moved and clear V; they never
// touch H, I or C. The stack-pointer transfers follow the data book: the
// stack pointer addresses the next free byte, so TSX/TSY give SP + 1 (the
// last pushed byte) and TXS/TYS store X - 1 / Y - 1.
#include "cpu/interpreteur.h"
#include "memory/mem_64k.h"

// ---- loads ----

void interpreteur::ldaa() {
  A = mem->read_byte(get_adr(1));
  ccr_nz_v0(A);
}

void interpreteur::ldab() {
  B = mem->read_byte(get_adr(1));
  ccr_nz_v0(B);
}

void interpreteur::ldd() {
  const unsigned short valeur = mem->read_word(get_adr(2));
  set_D_value(valeur);
  ccr_nz_v0_16(valeur);
}

void interpreteur::lds() {
  SP = mem->read_word(get_adr(2));
  ccr_nz_v0_16(SP);
}

void interpreteur::ldx() {
  X = mem->read_word(get_adr(2));
  ccr_nz_v0_16(X);
}

void interpreteur::ldy() {
  Y = mem->read_word(get_adr(2));
  ccr_nz_v0_16(Y);
}

// ---- stores ----

void interpreteur::staa() {
  mem->write_byte(get_adr(1), A);
  ccr_nz_v0(A);
}

void interpreteur::stab() {
  mem->write_byte(get_adr(1), B);
  ccr_nz_v0(B);
}

// Two byte writes: A at the address, B at the next one (wrapping at 0xFFFF).
void interpreteur::std() {
  const unsigned short adresse = get_adr(2);
  mem->write_byte(adresse, A);
  mem->write_byte(static_cast<unsigned short>(adresse + 1), B);
  ccr_nz_v0_16(D_value());
}

void interpreteur::sts() {
  mem->write_word(get_adr(2), SP);
  ccr_nz_v0_16(SP);
}

void interpreteur::stx() {
  mem->write_word(get_adr(2), X);
  ccr_nz_v0_16(X);
}

void interpreteur::sty() {
  mem->write_word(get_adr(2), Y);
  ccr_nz_v0_16(Y);
}

// ---- register transfers and exchanges ----

void interpreteur::tab() {
  B = A;
  ccr_nz_v0(B);
}

void interpreteur::tba() {
  A = B;
  ccr_nz_v0(A);
}

void interpreteur::tpa() { A = CCR; }

// The X bit can be cleared but never set by software.
void interpreteur::tap() {
  const unsigned char garde_x = CCR & CCR_X;
  CCR = static_cast<unsigned char>(A & (garde_x | ~CCR_X));
}

void interpreteur::tsx() { X = static_cast<unsigned short>(SP + 1); }
void interpreteur::tsy() { Y = static_cast<unsigned short>(SP + 1); }
void interpreteur::txs() { SP = static_cast<unsigned short>(X - 1); }
void interpreteur::tys() { SP = static_cast<unsigned short>(Y - 1); }

void interpreteur::xgdx() {
  const unsigned short ancien_d = D_value();
  set_D_value(X);
  X = ancien_d;
}

void interpreteur::xgdy() {
  const unsigned short ancien_d = D_value();
  set_D_value(Y);
  Y = ancien_d;
}

// ---- 16-bit increments and decrements: Z only for X and Y ----

void interpreteur::ins() { ++SP; }
void interpreteur::des() { --SP; }

void interpreteur::inx() {
  ++X;
  force_CCR_Z16(X);
}

void interpreteur::dex() {
  --X;
  force_CCR_Z16(X);
}

void interpreteur::iny() {
  ++Y;
  force_CCR_Z16(Y);
}

void interpreteur::dey() {
  --Y;
  force_CCR_Z16(Y);
}

// ---- condition-code bits ----

void interpreteur::clc() { ccr_bit(CCR_C, false); }
void interpreteur::sec() { ccr_bit(CCR_C, true); }
void interpreteur::cli() { ccr_bit(CCR_I, false); }
void interpreteur::sei() { ccr_bit(CCR_I, true); }
void interpreteur::clv() { ccr_bit(CCR_V, false); }
void interpreteur::sev() { ccr_bit(CCR_V, true); }

void interpreteur::nop() {}
