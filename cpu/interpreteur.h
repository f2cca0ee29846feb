// interpreteur: the simulated MC68HC11 CPU.
//
// Holds the register file and a non-owning pointer to the memory image, and
// executes exactly one instruction per call of step(). Decoding is table
// driven over four opcode pages: page 0 (no prebyte) and the prebyte pages
// 18, 1A and CD. For each page five parallel 256-entry tables give, per
// opcode byte, the dispatch entry, the operand-byte count, the addressing
// mode, the mnemonic and the cycle count (cpu/opcodes.cpp, laid out as the
// data book's opcode map).
//
// One handler per mnemonic serves every addressing mode: step() stores the
// row's mode in mode_adr and the handler asks get_adr() for its operand.
// Where the handlers live:
//   cpu/interpreteur.cpp      step, get_adr, registers, NIET
//   cpu/ccr.h                 the condition-code rules (one helper per flag)
//   cpu/arithmetique.cpp      additions, subtractions, compares, logic, mul/div
//   cpu/decalages.cpp         shifts, rotates, BSET/BCLR/BRSET/BRCLR
//   cpu/branchements.cpp      branches, jumps, subroutines, stack, SWI/WAI/STOP
//   cpu/transferts.cpp        loads, stores, transfers, CCR bit instructions
//   cpu/desassembleur.cpp     desa_ins, desa_num, desa_num_pre
//
// The CPU does no I/O but its diagnostic lines on the standard error stream,
// and knows nothing of any GUI.
#ifndef TAMRIX_INTERPRETEUR_H
#define TAMRIX_INTERPRETEUR_H

class mem_64k;
class interpreteur;

// Condition-code bits, bit 7 to bit 0: S X H I N Z V C.
constexpr unsigned char CCR_S = 0x80;
constexpr unsigned char CCR_X = 0x40;
constexpr unsigned char CCR_H = 0x20;
constexpr unsigned char CCR_I = 0x10;
constexpr unsigned char CCR_N = 0x08;
constexpr unsigned char CCR_Z = 0x04;
constexpr unsigned char CCR_V = 0x02;
constexpr unsigned char CCR_C = 0x01;

// A dispatch entry: a free function that calls the handler of its name.
typedef void (*entree_opcode)(interpreteur&);

extern entree_opcode const opcode[256];
extern entree_opcode const opcode_18[256];
extern entree_opcode const opcode_1A[256];
extern entree_opcode const opcode_CD[256];

class interpreteur {
 public:
  // Addressing-mode codes (contents of the mode tables and of mode_adr).
  static constexpr unsigned char INH = 0;   // inherent
  static constexpr unsigned char IMM = 1;   // immediate
  static constexpr unsigned char DIR = 2;   // direct, page zero
  static constexpr unsigned char EXT = 3;   // extended, 16-bit address
  static constexpr unsigned char INDX = 4;  // indexed by X, unsigned offset
  static constexpr unsigned char INDY = 5;  // indexed by Y, unsigned offset
  static constexpr unsigned char REL = 6;   // relative, signed offset
  static constexpr unsigned char PRB = 7;   // prebyte row of page 0
  static constexpr unsigned char NOS = 8;   // no such instruction

  // What the CPU does beside executing, in the chip model (see `avec_puce`).
  static constexpr unsigned char actif = 0;    // executing instructions
  static constexpr unsigned char attente = 1;  // WAI: registers stacked
  static constexpr unsigned char arrete = 2;   // STOP: clocks halted
  static constexpr unsigned char illegal = 3;  // a non-existent opcode

  mem_64k* mem;
  unsigned short PC;
  unsigned char A;
  unsigned char B;
  unsigned char CCR;
  unsigned short SP;
  unsigned short X;
  unsigned short Y;
  unsigned char mode_adr;
  // Off (the default): SWI, WAI and STOP print "pas encore la" and a
  // non-existent opcode "fonction inexistante!", nothing else. On (set by
  // the machine of the chip model, puce/machine.h): SWI stacks the
  // registers and takes its vector; WAI stacks them and enters `attente`;
  // STOP enters `arrete` unless S is set; a non-existent opcode enters
  // `illegal`, PC left after it. The machine takes it from there.
  bool avec_puce;
  unsigned char etat;

  // The opcode map (cpu/opcodes.cpp). cycle_18 and cycle_1A are file-level
  // constants beside these.
  static const unsigned char nb_operand[256];
  static const unsigned char nb_operand_18[256];
  static const unsigned char nb_operand_1A[256];
  static const unsigned char nb_operand_CD[256];
  static const unsigned char t_adr[256];
  static const unsigned char t_prb_18[256];
  static const unsigned char t_prb_1A[256];
  static const unsigned char t_prb_CD[256];
  static const char tab_mnemo[256][6];
  static const char tab_mnemo_18[256][6];
  static const char tab_mnemo_1A[256][6];
  static const char tab_mnemo_CD[256][6];
  static const int cycle[256];
  static const int cycle_CD[256];

  // Life cycle and execution. The constructor sets mem to null and gives
  // the registers the values of a real part after reset where it has them
  // (CCR = 0xD0: S, X and I set) and plain ones elsewhere (A = B = 0,
  // X = Y = 0, SP = 0x00FF, PC = 0xB600). init_registers() (the reset
  // command) sets PC to 0xB600 and nothing else. step() executes one
  // instruction and returns its cycle count.
  interpreteur();
  void learn_mem(mem_64k* m);
  void init_registers();
  int step();

  // Register access for the register panel; no check, no flag change.
  unsigned short PC_value() const { return PC; }
  unsigned char A_value() const { return A; }
  unsigned char B_value() const { return B; }
  unsigned short D_value() const {
    return static_cast<unsigned short>((A << 8) | B);
  }
  unsigned char CCR_value() const { return CCR; }
  unsigned short SP_value() const { return SP; }
  unsigned short X_value() const { return X; }
  unsigned short Y_value() const { return Y; }
  void set_PC_value(unsigned short v) { PC = v; }
  void set_A_value(unsigned char v) { A = v; }
  void set_B_value(unsigned char v) { B = v; }
  void set_D_value(unsigned short v) {
    A = static_cast<unsigned char>(v >> 8);
    B = static_cast<unsigned char>(v);
  }
  void set_CCR_value(unsigned char v) { CCR = v; }
  void set_SP_value(unsigned short v) { SP = v; }
  void set_X_value(unsigned short v) { X = v; }
  void set_Y_value(unsigned short v) { Y = v; }

  // Effective address of the operand for mode_adr; consumes the operand
  // bytes at PC. `size` is the length of an immediate operand (1 or 2).
  unsigned short get_adr(unsigned char size);

  // Condition-code rules (defined inline in cpu/ccr.h, included at the end
  // of this header). Each changes its own bit only.
  void force_CCR_H(unsigned char a, unsigned char b);
  void force_CCR_N(unsigned char r);
  void force_CCR_N16(unsigned short r);
  void force_CCR_Z(unsigned char r);
  void force_CCR_Z16(unsigned short r);
  void force_CCR_V(unsigned char a, signed char b);
  void force_CCR_V16(unsigned short a, unsigned short b);

  // Whole flag rules of the arithmetic families (cpu/ccr.h), from the
  // operands and the untruncated result r (r = a + m + c or a - m - c):
  // H (additions only), N, Z, V and C, as the data book gives them.
  void ccr_addition(unsigned a, unsigned m, unsigned r);
  void ccr_soustraction(unsigned a, unsigned m, unsigned r);
  void ccr_addition16(unsigned a, unsigned m, unsigned r);
  void ccr_soustraction16(unsigned a, unsigned m, unsigned r);
  // N and Z from the value, V cleared (loads, stores, logic, transfers).
  void ccr_nz_v0(unsigned char r);
  void ccr_nz_v0_16(unsigned short r);
  void ccr_bit(unsigned char masque, bool mis);

  // Non-existent opcode: one diagnostic line, nothing else (see avec_puce).
  void NIET();
  // The interrupt frame: PC, Y, X, A, B and CCR pushed in that order (PCL at
  // the top address), SP 9 lower. Then, for `prend_vecteur`, I (and X when
  // asked) set and PC loaded from the vector.
  void empile_registres();
  void prend_vecteur(unsigned short vecteur, bool masque_x);

  // Arithmetic and logic.
  void aba();
  void adda();
  void addb();
  void adca();
  void adcb();
  void addd();
  void abx();
  void aby();
  void sba();
  void suba();
  void subb();
  void sbca();
  void sbcb();
  void subd();
  void cba();
  void cmpa();
  void cmpb();
  void cpd();
  void cpx();
  void cpy();
  void inc();
  void inca();
  void incb();
  void dec();
  void deca();
  void decb();
  void neg();
  void nega();
  void negb();
  void com();
  void coma();
  void comb();
  void clr();
  void clra();
  void clrb();
  void tst();
  void tsta();
  void tstb();
  void anda();
  void andb();
  void oraa();
  void orab();
  void eora();
  void eorb();
  void bita();
  void bitb();
  void daa();
  void mul();
  void idiv();
  void fdiv();

  // Shifts, rotates and bit manipulation.
  void asl();
  void asla();
  void aslb();
  void asr();
  void asra();
  void asrb();
  void lsld();
  void lsr();
  void lsra();
  void lsrb();
  void lsrd();
  void rol();
  void rola();
  void rolb();
  void ror();
  void rora();
  void rorb();
  void bset();
  void bclr();
  void brset();
  void brclr();

  // Branches, jumps, subroutines, stack and control.
  void bra();
  void brn();
  void bhi();
  void bls();
  void bcc();
  void bcs();
  void bne();
  void beq();
  void bvc();
  void bvs();
  void bpl();
  void bmi();
  void bge();
  void blt();
  void bgt();
  void ble();
  void bsr();
  void jsr();
  void rts();
  void jmp();
  void rti();
  void psha();
  void pshb();
  void pshx();
  void pshy();
  void pula();
  void pulb();
  void pulx();
  void puly();
  void swi();
  void wai();
  void stop();

  // Loads, stores, transfers and flag instructions.
  void ldaa();
  void ldab();
  void ldd();
  void lds();
  void ldx();
  void ldy();
  void staa();
  void stab();
  void std();
  void sts();
  void stx();
  void sty();
  void tab();
  void tba();
  void tap();
  void tpa();
  void tsx();
  void tsy();
  void txs();
  void tys();
  void xgdx();
  void xgdy();
  void ins();
  void des();
  void inx();
  void dex();
  void iny();
  void dey();
  void clc();
  void sec();
  void cli();
  void sei();
  void clv();
  void sev();
  void nop();

  // Disassembler: the text of the instruction at `adresse` (at most 16
  // characters and a NUL) and the address after it; the address after it
  // alone; the start of the instruction before `adresse`.
  unsigned short desa_ins(unsigned short adresse, char* texte);
  unsigned short desa_num(unsigned short adresse);
  unsigned short desa_num_pre(unsigned short adresse);
};

// The addressing-mode codes at namespace scope too, for callers outside the
// class. A file that also reads <dirent.h>, as the Forms header does, renames
// that header's DIR type while reading it (app/forms_tamrix.h).
constexpr unsigned char INH = interpreteur::INH;
constexpr unsigned char IMM = interpreteur::IMM;
constexpr unsigned char DIR = interpreteur::DIR;
constexpr unsigned char EXT = interpreteur::EXT;
constexpr unsigned char INDX = interpreteur::INDX;
constexpr unsigned char INDY = interpreteur::INDY;
constexpr unsigned char REL = interpreteur::REL;
constexpr unsigned char PRB = interpreteur::PRB;
constexpr unsigned char NOS = interpreteur::NOS;

#include "cpu/ccr.h"

#endif
