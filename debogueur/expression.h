// The debugger's expression language: the conditions of breakpoints and
// watchpoints, tamrix-run's --break-if, the tracepoints' {...} fields.
//
// An expression reads the machine between two instructions, without any
// side effect (a register of the chip is looked at as a view does):
//   registers   A B D X Y SP PC CCR (either case)
//   flags       C V Z N I H S, and CCR.C ... CCR.S; the X flag is only
//               CCR.X (a bare X is the index register)
//   memory      [adr] the byte at adr, [[adr]] the word (big-endian);
//               a byte at an address read in memory: [ [$40] ] (a blank
//               between the brackets)
//   counts      cycles, instructions (since the reset)
//   labels      the program's symbols, as their value (boucle, table+2)
//   numbers     46, $2e, 0x2e, %101110, 'A'
//   access      in a watchpoint's or an event's condition only: valeur
//               (the byte written or read, the pin's new level), avant
//               (the byte before a write), adresse (the cell)
// with C's operators and precedence, tightest first:
//   ! ~ - (unary)   * / %   + -   << >>   < <= > >=   == !=   &   ^   |
//   &&   ||
// The values are 64-bit signed integers; a comparison gives 0 or 1; && and
// || stop at the first operand that decides; a division or a remainder by
// zero gives 0 and a shift by 64 or more gives 0 (no trap in a condition
// tested a million times a second). Names of registers and flags come
// before labels: a label named like a register is out of reach.
//
// Compiling gives a compact form (postfix operations on a small stack),
// evaluated after an instruction in a few nanoseconds; the common shape
// "operand op constant" (A == $ff, [$40] != 0, SP > $f0) is evaluated
// without the stack. An error gives one French line with the column where
// it lies ("colonne 7 : ')' attendu"), shown as the user types.
#ifndef TAMRIX_DEBOGUEUR_EXPRESSION_H
#define TAMRIX_DEBOGUEUR_EXPRESSION_H

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "puce/machine.h"

class infos_debogage;

// The access a watchpoint's (or an event's) condition is about.
struct acces_observe {
  unsigned valeur = 0;   // byte written or read; a pin's new level
  unsigned avant = 0;    // byte before a write
  unsigned adresse = 0;  // the cell; the pin
};

class expression {
 public:
  // The longest text and the deepest nesting an expression may have.
  static constexpr std::size_t longueur_max = 1000;
  static constexpr int imbrication_max = 32;

  // Compiles `texte`. `infos` gives the labels (null: none); `acces`
  // allows valeur, avant and adresse. False, the expression unchanged,
  // with one French line in `erreur` that says where and what.
  bool compile(const std::string& texte, const infos_debogage* infos,
               std::string& erreur, bool acces = false);
  // Its value now; `a` is the access (null: zeros). The common shape is
  // evaluated here, inline, without the stack.
  int64_t evalue(const machine& m, const acces_observe* a = nullptr) const {
    return simple_ ? evalue_simple(m, a) : evalue_pile(m, a);
  }
  bool vraie(const machine& m, const acces_observe* a = nullptr) const {
    return evalue(m, a) != 0;
  }
  bool vide() const { return code_.empty(); }
  const std::string& texte() const { return texte_; }
  void efface();

  // The operations of the compact form (public for the tests' sake).
  enum op : unsigned char {
    constante,
    reg_a,
    reg_b,
    reg_d,
    reg_x,
    reg_y,
    reg_sp,
    reg_pc,
    reg_ccr,
    drapeau,  // valeur: the bit
    nb_cycles,
    nb_instructions,
    acces_valeur,
    acces_avant,
    acces_adresse,
    octet,  // address on the stack, byte at it
    mot,
    negation,  // !
    complement,
    oppose,
    fois,
    divise,
    reste,
    plus,
    moins,
    gauche,
    droite,
    inferieur,
    inferieur_egal,
    superieur,
    superieur_egal,
    egal,
    different,
    et_bits,
    ou_exclusif,
    ou_bits,
    saut_si_faux,  // &&: 0 on top: keep it, jump; else pop
    saut_si_vrai,  // ||: non-zero on top: 1 instead, jump; else pop
    booleen,       // 0 or 1
  };
  struct operation {
    op code;
    int64_t valeur;  // constant, bit, or the jump's target
  };
  const std::vector<operation>& code() const { return code_; }

 private:
  std::string texte_;
  std::vector<operation> code_;
  // "operand op constant": the operand's operation (and bit), the
  // comparison, the constant; `simple_` false otherwise.
  bool simple_ = false;
  operation operande_{};
  op comparaison_ = egal;
  int64_t constante_ = 0;
  int profondeur_ = 0;

  void cherche_forme_simple();
  int64_t evalue_pile(const machine& m, const acces_observe* a) const;
  inline int64_t evalue_simple(const machine& m, const acces_observe* a) const;
};

inline int64_t expression::evalue_simple(const machine& m,
                                         const acces_observe* a) const {
  const interpreteur& c = m.cpu;
  int64_t v;
  switch (operande_.code) {
    case reg_a:
      v = c.A;
      break;
    case reg_b:
      v = c.B;
      break;
    case reg_d:
      v = c.A << 8 | c.B;
      break;
    case reg_x:
      v = c.X;
      break;
    case reg_y:
      v = c.Y;
      break;
    case reg_sp:
      v = c.SP;
      break;
    case reg_pc:
      v = c.PC;
      break;
    case reg_ccr:
      v = c.CCR;
      break;
    case drapeau:
      v = (c.CCR >> operande_.valeur) & 1;
      break;
    case nb_cycles:
      v = static_cast<int64_t>(m.cycles);
      break;
    case nb_instructions:
      v = static_cast<int64_t>(m.instructions);
      break;
    case acces_valeur:
      v = a ? a->valeur : 0;
      break;
    case acces_avant:
      v = a ? a->avant : 0;
      break;
    case acces_adresse:
      v = a ? a->adresse : 0;
      break;
    default:  // octet: a byte at a constant address
      v = m.memoire.consulte(static_cast<unsigned short>(operande_.valeur));
  }
  switch (comparaison_) {
    case inferieur:
      return v < constante_;
    case inferieur_egal:
      return v <= constante_;
    case superieur:
      return v > constante_;
    case superieur_egal:
      return v >= constante_;
    case egal:
      return v == constante_;
    default:
      return v != constante_;
  }
}

#endif
