// Condition-code rules of the MC68HC11, one place per rule.
//
// Included at the end of cpu/interpreteur.h. The arithmetic rules take the
// operands and the untruncated result, so that carries come from one carry
// vector: for r = a + m + c, bit i of (a ^ m ^ r) is the carry into bit i,
// which gives H (carry into bit 4) and C (bit 8, or bit 16). For r = a - m - c
// computed in unsigned arithmetic, bit 8 (bit 16) of r is the borrow.
// Overflow: addition when both operands have the same sign and the result
// the other; subtraction when the operands' signs differ and the result's
// sign differs from the minuend's.
#ifndef TAMRIX_CCR_H
#define TAMRIX_CCR_H

#include "cpu/interpreteur.h"

inline void interpreteur::ccr_bit(unsigned char masque, bool mis) {
  CCR = mis ? static_cast<unsigned char>(CCR | masque)
            : static_cast<unsigned char>(CCR & ~masque);
}

inline void interpreteur::force_CCR_H(unsigned char a, unsigned char b) {
  ccr_bit(CCR_H, ((a & 0x0F) + (b & 0x0F)) >= 0x10);
}
inline void interpreteur::force_CCR_N(unsigned char r) {
  ccr_bit(CCR_N, (r & 0x80) != 0);
}
inline void interpreteur::force_CCR_N16(unsigned short r) {
  ccr_bit(CCR_N, (r & 0x8000) != 0);
}
inline void interpreteur::force_CCR_Z(unsigned char r) { ccr_bit(CCR_Z, r == 0); }
inline void interpreteur::force_CCR_Z16(unsigned short r) {
  ccr_bit(CCR_Z, r == 0);
}
// Overflow of the 8-bit two's-complement addition a + b.
inline void interpreteur::force_CCR_V(unsigned char a, signed char b) {
  const unsigned m = static_cast<unsigned char>(b);
  const unsigned r = (a + m) & 0xFF;
  ccr_bit(CCR_V, ((a ^ r) & (m ^ r) & 0x80) != 0);
}
// Overflow of the 16-bit addition a + b.
inline void interpreteur::force_CCR_V16(unsigned short a, unsigned short b) {
  const unsigned r = (a + b) & 0xFFFF;
  ccr_bit(CCR_V, ((a ^ r) & (b ^ r) & 0x8000) != 0);
}

inline void interpreteur::ccr_addition(unsigned a, unsigned m, unsigned r) {
  ccr_bit(CCR_H, ((a ^ m ^ r) & 0x10) != 0);
  force_CCR_N(static_cast<unsigned char>(r));
  force_CCR_Z(static_cast<unsigned char>(r));
  ccr_bit(CCR_V, ((a ^ r) & (m ^ r) & 0x80) != 0);
  ccr_bit(CCR_C, (r & 0x100) != 0);
}
inline void interpreteur::ccr_soustraction(unsigned a, unsigned m, unsigned r) {
  force_CCR_N(static_cast<unsigned char>(r));
  force_CCR_Z(static_cast<unsigned char>(r));
  ccr_bit(CCR_V, ((a ^ m) & (a ^ r) & 0x80) != 0);
  ccr_bit(CCR_C, (r & 0x100) != 0);
}
inline void interpreteur::ccr_addition16(unsigned a, unsigned m, unsigned r) {
  force_CCR_N16(static_cast<unsigned short>(r));
  force_CCR_Z16(static_cast<unsigned short>(r));
  ccr_bit(CCR_V, ((a ^ r) & (m ^ r) & 0x8000) != 0);
  ccr_bit(CCR_C, (r & 0x10000) != 0);
}
inline void interpreteur::ccr_soustraction16(unsigned a, unsigned m,
                                             unsigned r) {
  force_CCR_N16(static_cast<unsigned short>(r));
  force_CCR_Z16(static_cast<unsigned short>(r));
  ccr_bit(CCR_V, ((a ^ m) & (a ^ r) & 0x8000) != 0);
  ccr_bit(CCR_C, (r & 0x10000) != 0);
}
inline void interpreteur::ccr_nz_v0(unsigned char r) {
  force_CCR_N(r);
  force_CCR_Z(r);
  ccr_bit(CCR_V, false);
}
inline void interpreteur::ccr_nz_v0_16(unsigned short r) {
  force_CCR_N16(r);
  force_CCR_Z16(r);
  ccr_bit(CCR_V, false);
}

#endif
