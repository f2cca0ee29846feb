// Audit of the CPU against the MC68HC11 reference manual: a light machine
// to run one instruction many times, and the manual's condition-code Boolean
// formulas written bit by bit (X7, M7, R7 ...) as an independent oracle.
//
// The formulas are deliberately not the carry-vector shortcuts of the CPU:
// each flag is the sum of products the manual prints for the instruction.
#ifndef TAMRIX_TESTS_CPU_MANUEL_COMMUN_H
#define TAMRIX_TESTS_CPU_MANUEL_COMMUN_H

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>

#include "cpu/interpreteur.h"
#include "memory/mem_64k.h"

namespace manuel {

// ---------------------------------------------------------------- bits

inline bool bit(unsigned v, int n) { return ((v >> n) & 1u) != 0; }

// R7'·R6'·R5'·R4'·R3'·R2'·R1'·R0' (or the 16-bit product): every bit clear.
inline bool tous_nuls(unsigned r, int largeur) {
  bool z = true;
  for (int i = 0; i < largeur; ++i) z = z && !bit(r, i);
  return z;
}

// R6·R5·R4·R3·R2·R1·R0 (for largeur 7): every low bit set.
inline bool tous_uns(unsigned r, int largeur) {
  bool u = true;
  for (int i = 0; i < largeur; ++i) u = u && bit(r, i);
  return u;
}

// R7·R6'·R5'·R4'·R3'·R2'·R1'·R0': the result is 0x80.
inline bool seul_bit7(unsigned r) { return bit(r, 7) && tous_nuls(r, 7); }

// R7 + R6 + ... + R0: some bit set.
inline bool un_non_nul(unsigned r, int largeur) {
  bool c = false;
  for (int i = 0; i < largeur; ++i) c = c || bit(r, i);
  return c;
}

// ------------------------------------------------------ condition codes

// Expected CCR: the bits the manual defines for the instruction, the
// others kept from the initial CCR. Bits the manual leaves undefined are
// left out of the comparison.
struct Ccr {
  uint8_t valeur;
  uint8_t compares = 0xFF;
  void met(uint8_t masque, bool b) {
    valeur = static_cast<uint8_t>(b ? (valeur | masque) : (valeur & ~masque));
  }
  void indefini(uint8_t masque) {
    compares = static_cast<uint8_t>(compares & ~masque);
  }
};

inline void met_nz8(Ccr& c, unsigned r) {
  c.met(CCR_N, bit(r, 7));
  c.met(CCR_Z, tous_nuls(r, 8));
}

inline void met_nz16(Ccr& c, unsigned r) {
  c.met(CCR_N, bit(r, 15));
  c.met(CCR_Z, tous_nuls(r, 16));
}

// ABA, ADDA, ADDB, ADCA, ADCB: X the accumulator, M the operand, R the
// result.
//   H = X3·M3 + M3·R3' + R3'·X3
//   V = X7·M7·R7' + X7'·M7'·R7
//   C = X7·M7 + M7·R7' + R7'·X7
inline void formule_addition8(Ccr& c, unsigned x, unsigned m, unsigned r) {
  const bool X3 = bit(x, 3), M3 = bit(m, 3), R3 = bit(r, 3);
  const bool X7 = bit(x, 7), M7 = bit(m, 7), R7 = bit(r, 7);
  c.met(CCR_H, (X3 && M3) || (M3 && !R3) || (!R3 && X3));
  met_nz8(c, r);
  c.met(CCR_V, (X7 && M7 && !R7) || (!X7 && !M7 && R7));
  c.met(CCR_C, (X7 && M7) || (M7 && !R7) || (!R7 && X7));
}

// SUBA, SUBB, SBCA, SBCB, SBA, CBA, CMPA, CMPB (H not affected).
//   V = X7·M7'·R7' + X7'·M7·R7
//   C = X7'·M7 + M7·R7 + R7·X7'
inline void formule_soustraction8(Ccr& c, unsigned x, unsigned m, unsigned r) {
  const bool X7 = bit(x, 7), M7 = bit(m, 7), R7 = bit(r, 7);
  met_nz8(c, r);
  c.met(CCR_V, (X7 && !M7 && !R7) || (!X7 && M7 && R7));
  c.met(CCR_C, (!X7 && M7) || (M7 && R7) || (R7 && !X7));
}

// ADDD: the 16-bit analogue on bit 15.
//   V = D15·M15·R15' + D15'·M15'·R15,  C = D15·M15 + M15·R15' + R15'·D15
inline void formule_addition16(Ccr& c, unsigned d, unsigned m, unsigned r) {
  const bool D15 = bit(d, 15), M15 = bit(m, 15), R15 = bit(r, 15);
  met_nz16(c, r);
  c.met(CCR_V, (D15 && M15 && !R15) || (!D15 && !M15 && R15));
  c.met(CCR_C, (D15 && M15) || (M15 && !R15) || (!R15 && D15));
}

// SUBD, CPD, CPX, CPY.
//   V = X15·M15'·R15' + X15'·M15·R15,  C = X15'·M15 + M15·R15 + R15·X15'
inline void formule_soustraction16(Ccr& c, unsigned x, unsigned m, unsigned r) {
  const bool X15 = bit(x, 15), M15 = bit(m, 15), R15 = bit(r, 15);
  met_nz16(c, r);
  c.met(CCR_V, (X15 && !M15 && !R15) || (!X15 && M15 && R15));
  c.met(CCR_C, (!X15 && M15) || (M15 && R15) || (R15 && !X15));
}

// ANDA, ORAA, EORA, BITA (and the B forms): N, Z; V = 0; C not affected.
inline void formule_logique(Ccr& c, unsigned r) {
  met_nz8(c, r);
  c.met(CCR_V, false);
}

// Shifts and rotates: C from the bit shifted out, N = R7, V = N ⊕ C.
inline void formule_decalage(Ccr& c, unsigned r, bool carry) {
  met_nz8(c, r);
  c.met(CCR_C, carry);
  c.met(CCR_V, bit(c.valeur, 3) != bit(c.valeur, 0));
}

// --------------------------------------------------------------- machine

// Operand locations of the memory forms.
constexpr uint16_t kDebut = 0xB600;
constexpr uint8_t kDirect = 0x40;
constexpr uint16_t kEtendu = 0x1234;
constexpr uint16_t kBaseX = 0x2000, kBaseY = 0x3000;
constexpr uint8_t kDeplX = 0x10, kDeplY = 0x20;

// One addressing form of an instruction: prebyte (0 for page 0), opcode,
// mode (INH, IMM, DIR, EXT, INDX, INDY).
struct Forme {
  uint8_t prebyte;
  uint8_t opcode;
  uint8_t mode;
};

inline const char* nom_mode(uint8_t mode) {
  switch (mode) {
    case interpreteur::INH:
      return "inh";
    case interpreteur::IMM:
      return "imm";
    case interpreteur::DIR:
      return "dir";
    case interpreteur::EXT:
      return "ext";
    case interpreteur::INDX:
      return "ind,x";
    case interpreteur::INDY:
      return "ind,y";
    default:
      return "?";
  }
}

struct Registres {
  uint8_t A = 0, B = 0, CCR = 0;
  uint16_t X = 0, Y = 0, SP = 0x00FF, PC = kDebut;
  bool operator==(const Registres& o) const {
    return A == o.A && B == o.B && CCR == o.CCR && X == o.X && Y == o.Y &&
           SP == o.SP && PC == o.PC;
  }
};

inline std::string texte(const Registres& r) {
  char t[96];
  std::snprintf(t, sizeof t,
                "A=%02X B=%02X X=%04X Y=%04X SP=%04X PC=%04X CCR=%02X", r.A,
                r.B, r.X, r.Y, r.SP, r.PC, r.CCR);
  return t;
}

// A memory image and a CPU wired together, reused by every case.
class Machine {
 public:
  Machine() : mem_(new mem_64k) { cpu_.learn_mem(mem_.get()); }

  mem_64k& mem() { return *mem_; }
  interpreteur& cpu() { return cpu_; }

  // Writes the instruction at kDebut with its operand (a byte, or a word
  // when `largeur` is 2) placed where the form expects it; X and Y of
  // `regs` are replaced by the index bases. Returns the operand address
  // (0 for the inherent forms) and sets `longueur` to the byte count.
  uint16_t pose(const Forme& f, unsigned operande, int largeur, Registres& regs,
                int& longueur) {
    uint16_t pc = kDebut;
    if (f.prebyte != 0) mem_->write_byte(pc++, f.prebyte);
    mem_->write_byte(pc++, f.opcode);
    uint16_t adresse = 0;
    switch (f.mode) {
      case interpreteur::IMM:
        adresse = pc;
        if (largeur == 2)
          mem_->write_byte(pc++, static_cast<uint8_t>(operande >> 8));
        mem_->write_byte(pc++, static_cast<uint8_t>(operande));
        break;
      case interpreteur::DIR:
        mem_->write_byte(pc++, kDirect);
        adresse = kDirect;
        break;
      case interpreteur::EXT:
        mem_->write_byte(pc++, kEtendu >> 8);
        mem_->write_byte(pc++, kEtendu & 0xFF);
        adresse = kEtendu;
        break;
      case interpreteur::INDX:
        mem_->write_byte(pc++, kDeplX);
        regs.X = kBaseX;
        adresse = kBaseX + kDeplX;
        break;
      case interpreteur::INDY:
        mem_->write_byte(pc++, kDeplY);
        regs.Y = kBaseY;
        adresse = kBaseY + kDeplY;
        break;
      default:
        break;
    }
    if (f.mode != interpreteur::INH && f.mode != interpreteur::IMM)
      ecrit(adresse, operande, largeur);
    longueur = pc - kDebut;
    return adresse;
  }

  void ecrit(uint16_t adresse, unsigned v, int largeur) {
    if (largeur == 2)
      mem_->write_word(adresse, static_cast<uint16_t>(v));
    else
      mem_->write_byte(adresse, static_cast<uint8_t>(v));
  }
  unsigned lit(uint16_t adresse, int largeur) const {
    return largeur == 2 ? mem_->read_word(adresse) : mem_->read_byte(adresse);
  }

  // Loads the registers, runs one step() and returns the cycle count.
  int execute(const Registres& r) {
    cpu_.A = r.A;
    cpu_.B = r.B;
    cpu_.CCR = r.CCR;
    cpu_.X = r.X;
    cpu_.Y = r.Y;
    cpu_.SP = r.SP;
    cpu_.PC = r.PC;
    return cpu_.step();
  }

  Registres registres() const {
    Registres r;
    r.A = cpu_.A;
    r.B = cpu_.B;
    r.CCR = cpu_.CCR;
    r.X = cpu_.X;
    r.Y = cpu_.Y;
    r.SP = cpu_.SP;
    r.PC = cpu_.PC;
    return r;
  }

 private:
  std::unique_ptr<mem_64k> mem_;
  interpreteur cpu_;
};

// ----------------------------------------------------------------- report

// Counts the cases of one instruction form and keeps the first mismatch,
// so that a wrong rule gives one line, not thousands.
class Rapport {
 public:
  explicit Rapport(std::string nom) : nom_(std::move(nom)) {}

  // Compares the registers (CCR under `compares`) and returns true when
  // they agree; the first disagreement is kept, with the inputs that
  // `decrit()` tells (called only on a mismatch).
  template <typename Decrit>
  bool compare(const Registres& attendu, uint8_t compares,
               const Registres& obtenu, Decrit decrit) {
    ++cas_;
    Registres a = attendu, o = obtenu;
    a.CCR &= compares;
    o.CCR &= compares;
    if (a == o) return true;
    echec(decrit() + ": expected " + texte(attendu) + ", got " + texte(obtenu) +
          bits_differents(attendu.CCR, obtenu.CCR, compares));
    return false;
  }

  void echec(const std::string& texte_echec) {
    if (echecs_++ == 0) premier_ = texte_echec;
  }
  void compte() { ++cas_; }

  // One verdict per form: no case may differ, and some must have run.
  void verdict() const {
    EXPECT_GT(cas_, 0) << nom_ << ": no case run";
    EXPECT_EQ(0, echecs_) << nom_ << ": " << echecs_ << " of " << cas_
                          << " cases differ from the manual; first: "
                          << premier_;
  }

 private:
  static std::string bits_differents(uint8_t a, uint8_t o, uint8_t masque) {
    static const char lettres[] = "SXHINZVC";
    std::string s;
    for (int i = 0; i < 8; ++i)
      if (((a ^ o) & masque) & (0x80 >> i)) s += lettres[i];
    return s.empty() ? "" : " (CCR bits differing: " + s + ")";
  }

  std::string nom_;
  long cas_ = 0, echecs_ = 0;
  std::string premier_;
};

inline std::string hex2(unsigned v) {
  char t[8];
  std::snprintf(t, sizeof t, "%02X", v & 0xFF);
  return t;
}
inline std::string hex4(unsigned v) {
  char t[8];
  std::snprintf(t, sizeof t, "%04X", v & 0xFFFF);
  return t;
}

// Initial CCR patterns besides the carry: once all clear, once with every
// other bit set (S, X, H, I, N, Z, V), so that a bit the instruction must
// keep is seen both ways.
constexpr uint8_t kMotifsCcr[] = {0x00, 0xFE};

}  // namespace manuel

#endif
