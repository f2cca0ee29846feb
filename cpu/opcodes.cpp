// The opcode map of the MC68HC11: for each of the four opcode pages (no
// prebyte, prebytes 0x18, 0x1A and 0xCD) five parallel tables indexed by the
// opcode byte give the dispatch entry, the operand-byte count (everything
// after the opcode byte, mask and branch offset included), the addressing
// mode, the mnemonic (five characters padded with blanks) and the cycle count.
//
// Each table is laid out as the data book's map: one line per high nibble
// (the /* x */ column), one column per low nibble. Rows without an
// instruction run NIET, take no operand, have mode NOS, read "?????" and take
// 0 cycles; page-0 row 0x00 has mode INH and the prebyte rows 0x18, 0x1A and
// 0xCD of page 0 have mode PRB (step never dispatches them).
//
// Cycle counts are the data book's, PULX (5) and WAI (14) included.
// Where the data book has two names for one opcode the map keeps one: LSLD,
// ASLA, ASLB, ASL, BCC and BCS.
#include "cpu/interpreteur.h"

// Dispatch entries: one free function per handler, named after it, that only
// calls the handler. The entry of std is mon_std.
#define TAMRIX_ENTREE(nom) \
  void nom(interpreteur& cpu) { cpu.nom(); }

TAMRIX_ENTREE(aba)
TAMRIX_ENTREE(abx)
TAMRIX_ENTREE(aby)
TAMRIX_ENTREE(adca)
TAMRIX_ENTREE(adcb)
TAMRIX_ENTREE(adda)
TAMRIX_ENTREE(addb)
TAMRIX_ENTREE(addd)
TAMRIX_ENTREE(anda)
TAMRIX_ENTREE(andb)
TAMRIX_ENTREE(asl)
TAMRIX_ENTREE(asla)
TAMRIX_ENTREE(aslb)
TAMRIX_ENTREE(asr)
TAMRIX_ENTREE(asra)
TAMRIX_ENTREE(asrb)
TAMRIX_ENTREE(bcc)
TAMRIX_ENTREE(bclr)
TAMRIX_ENTREE(bcs)
TAMRIX_ENTREE(beq)
TAMRIX_ENTREE(bge)
TAMRIX_ENTREE(bgt)
TAMRIX_ENTREE(bhi)
TAMRIX_ENTREE(bita)
TAMRIX_ENTREE(bitb)
TAMRIX_ENTREE(ble)
TAMRIX_ENTREE(bls)
TAMRIX_ENTREE(blt)
TAMRIX_ENTREE(bmi)
TAMRIX_ENTREE(bne)
TAMRIX_ENTREE(bpl)
TAMRIX_ENTREE(bra)
TAMRIX_ENTREE(brclr)
TAMRIX_ENTREE(brn)
TAMRIX_ENTREE(brset)
TAMRIX_ENTREE(bset)
TAMRIX_ENTREE(bsr)
TAMRIX_ENTREE(bvc)
TAMRIX_ENTREE(bvs)
TAMRIX_ENTREE(cba)
TAMRIX_ENTREE(clc)
TAMRIX_ENTREE(cli)
TAMRIX_ENTREE(clr)
TAMRIX_ENTREE(clra)
TAMRIX_ENTREE(clrb)
TAMRIX_ENTREE(clv)
TAMRIX_ENTREE(cmpa)
TAMRIX_ENTREE(cmpb)
TAMRIX_ENTREE(com)
TAMRIX_ENTREE(coma)
TAMRIX_ENTREE(comb)
TAMRIX_ENTREE(cpd)
TAMRIX_ENTREE(cpx)
TAMRIX_ENTREE(cpy)
TAMRIX_ENTREE(daa)
TAMRIX_ENTREE(dec)
TAMRIX_ENTREE(deca)
TAMRIX_ENTREE(decb)
TAMRIX_ENTREE(des)
TAMRIX_ENTREE(dex)
TAMRIX_ENTREE(dey)
TAMRIX_ENTREE(eora)
TAMRIX_ENTREE(eorb)
TAMRIX_ENTREE(fdiv)
TAMRIX_ENTREE(idiv)
TAMRIX_ENTREE(inc)
TAMRIX_ENTREE(inca)
TAMRIX_ENTREE(incb)
TAMRIX_ENTREE(ins)
TAMRIX_ENTREE(inx)
TAMRIX_ENTREE(iny)
TAMRIX_ENTREE(jmp)
TAMRIX_ENTREE(jsr)
TAMRIX_ENTREE(ldaa)
TAMRIX_ENTREE(ldab)
TAMRIX_ENTREE(ldd)
TAMRIX_ENTREE(lds)
TAMRIX_ENTREE(ldx)
TAMRIX_ENTREE(ldy)
TAMRIX_ENTREE(lsld)
TAMRIX_ENTREE(lsr)
TAMRIX_ENTREE(lsra)
TAMRIX_ENTREE(lsrb)
TAMRIX_ENTREE(lsrd)
TAMRIX_ENTREE(mul)
TAMRIX_ENTREE(neg)
TAMRIX_ENTREE(nega)
TAMRIX_ENTREE(negb)
TAMRIX_ENTREE(nop)
TAMRIX_ENTREE(oraa)
TAMRIX_ENTREE(orab)
TAMRIX_ENTREE(psha)
TAMRIX_ENTREE(pshb)
TAMRIX_ENTREE(pshx)
TAMRIX_ENTREE(pshy)
TAMRIX_ENTREE(pula)
TAMRIX_ENTREE(pulb)
TAMRIX_ENTREE(pulx)
TAMRIX_ENTREE(puly)
TAMRIX_ENTREE(rol)
TAMRIX_ENTREE(rola)
TAMRIX_ENTREE(rolb)
TAMRIX_ENTREE(ror)
TAMRIX_ENTREE(rora)
TAMRIX_ENTREE(rorb)
TAMRIX_ENTREE(rti)
TAMRIX_ENTREE(rts)
TAMRIX_ENTREE(sba)
TAMRIX_ENTREE(sbca)
TAMRIX_ENTREE(sbcb)
TAMRIX_ENTREE(sec)
TAMRIX_ENTREE(sei)
TAMRIX_ENTREE(sev)
TAMRIX_ENTREE(staa)
TAMRIX_ENTREE(stab)
TAMRIX_ENTREE(stop)
TAMRIX_ENTREE(sts)
TAMRIX_ENTREE(stx)
TAMRIX_ENTREE(sty)
TAMRIX_ENTREE(suba)
TAMRIX_ENTREE(subb)
TAMRIX_ENTREE(subd)
TAMRIX_ENTREE(swi)
TAMRIX_ENTREE(tab)
TAMRIX_ENTREE(tap)
TAMRIX_ENTREE(tba)
TAMRIX_ENTREE(tpa)
TAMRIX_ENTREE(tst)
TAMRIX_ENTREE(tsta)
TAMRIX_ENTREE(tstb)
TAMRIX_ENTREE(tsx)
TAMRIX_ENTREE(tsy)
TAMRIX_ENTREE(txs)
TAMRIX_ENTREE(tys)
TAMRIX_ENTREE(wai)
TAMRIX_ENTREE(xgdx)
TAMRIX_ENTREE(xgdy)
TAMRIX_ENTREE(NIET)
#undef TAMRIX_ENTREE

void mon_std(interpreteur& cpu) { cpu.std(); }

// clang-format off

// ---- page 0 (no prebyte) ----

entree_opcode const opcode[256] = {
  //      x0       x1       x2       x3       x4       x5       x6       x7       x8       x9       xA       xB       xC       xD       xE       xF
  /* 0 */ NIET,    nop,     idiv,    fdiv,    lsrd,    lsld,    tap,     tpa,     inx,     dex,     clv,     sev,     clc,     sec,     cli,     sei,
  /* 1 */ sba,     cba,     brset,   brclr,   bset,    bclr,    tab,     tba,     NIET,    daa,     NIET,    aba,     bset,    bclr,    brset,   brclr,
  /* 2 */ bra,     brn,     bhi,     bls,     bcc,     bcs,     bne,     beq,     bvc,     bvs,     bpl,     bmi,     bge,     blt,     bgt,     ble,
  /* 3 */ tsx,     ins,     pula,    pulb,    des,     txs,     psha,    pshb,    pulx,    rts,     abx,     rti,     pshx,    mul,     wai,     swi,
  /* 4 */ nega,    NIET,    NIET,    coma,    lsra,    NIET,    rora,    asra,    asla,    rola,    deca,    NIET,    inca,    tsta,    NIET,    clra,
  /* 5 */ negb,    NIET,    NIET,    comb,    lsrb,    NIET,    rorb,    asrb,    aslb,    rolb,    decb,    NIET,    incb,    tstb,    NIET,    clrb,
  /* 6 */ neg,     NIET,    NIET,    com,     lsr,     NIET,    ror,     asr,     asl,     rol,     dec,     NIET,    inc,     tst,     jmp,     clr,
  /* 7 */ neg,     NIET,    NIET,    com,     lsr,     NIET,    ror,     asr,     asl,     rol,     dec,     NIET,    inc,     tst,     jmp,     clr,
  /* 8 */ suba,    cmpa,    sbca,    subd,    anda,    bita,    ldaa,    NIET,    eora,    adca,    oraa,    adda,    cpx,     bsr,     lds,     xgdx,
  /* 9 */ suba,    cmpa,    sbca,    subd,    anda,    bita,    ldaa,    staa,    eora,    adca,    oraa,    adda,    cpx,     jsr,     lds,     sts,
  /* A */ suba,    cmpa,    sbca,    subd,    anda,    bita,    ldaa,    staa,    eora,    adca,    oraa,    adda,    cpx,     jsr,     lds,     sts,
  /* B */ suba,    cmpa,    sbca,    subd,    anda,    bita,    ldaa,    staa,    eora,    adca,    oraa,    adda,    cpx,     jsr,     lds,     sts,
  /* C */ subb,    cmpb,    sbcb,    addd,    andb,    bitb,    ldab,    NIET,    eorb,    adcb,    orab,    addb,    ldd,     NIET,    ldx,     stop,
  /* D */ subb,    cmpb,    sbcb,    addd,    andb,    bitb,    ldab,    stab,    eorb,    adcb,    orab,    addb,    ldd,     mon_std, ldx,     stx,
  /* E */ subb,    cmpb,    sbcb,    addd,    andb,    bitb,    ldab,    stab,    eorb,    adcb,    orab,    addb,    ldd,     mon_std, ldx,     stx,
  /* F */ subb,    cmpb,    sbcb,    addd,    andb,    bitb,    ldab,    stab,    eorb,    adcb,    orab,    addb,    ldd,     mon_std, ldx,     stx,
};

const unsigned char interpreteur::nb_operand[256] = {
  //      x0 x1 x2 x3 x4 x5 x6 x7 x8 x9 xA xB xC xD xE xF
  /* 0 */ 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
  /* 1 */ 0, 0, 3, 3, 2, 2, 0, 0, 0, 0, 0, 0, 2, 2, 3, 3,
  /* 2 */ 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1,
  /* 3 */ 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
  /* 4 */ 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
  /* 5 */ 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
  /* 6 */ 1, 0, 0, 1, 1, 0, 1, 1, 1, 1, 1, 0, 1, 1, 1, 1,
  /* 7 */ 2, 0, 0, 2, 2, 0, 2, 2, 2, 2, 2, 0, 2, 2, 2, 2,
  /* 8 */ 1, 1, 1, 2, 1, 1, 1, 0, 1, 1, 1, 1, 2, 1, 2, 0,
  /* 9 */ 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1,
  /* A */ 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1,
  /* B */ 2, 2, 2, 2, 2, 2, 2, 2, 2, 2, 2, 2, 2, 2, 2, 2,
  /* C */ 1, 1, 1, 2, 1, 1, 1, 0, 1, 1, 1, 1, 2, 0, 2, 0,
  /* D */ 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1,
  /* E */ 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1,
  /* F */ 2, 2, 2, 2, 2, 2, 2, 2, 2, 2, 2, 2, 2, 2, 2, 2,
};

const unsigned char interpreteur::t_adr[256] = {
  //      x0    x1    x2    x3    x4    x5    x6    x7    x8    x9    xA    xB    xC    xD    xE    xF
  /* 0 */ INH,  INH,  INH,  INH,  INH,  INH,  INH,  INH,  INH,  INH,  INH,  INH,  INH,  INH,  INH,  INH,
  /* 1 */ INH,  INH,  DIR,  DIR,  DIR,  DIR,  INH,  INH,  PRB,  INH,  PRB,  INH,  INDX, INDX, INDX, INDX,
  /* 2 */ REL,  REL,  REL,  REL,  REL,  REL,  REL,  REL,  REL,  REL,  REL,  REL,  REL,  REL,  REL,  REL,
  /* 3 */ INH,  INH,  INH,  INH,  INH,  INH,  INH,  INH,  INH,  INH,  INH,  INH,  INH,  INH,  INH,  INH,
  /* 4 */ INH,  NOS,  NOS,  INH,  INH,  NOS,  INH,  INH,  INH,  INH,  INH,  NOS,  INH,  INH,  NOS,  INH,
  /* 5 */ INH,  NOS,  NOS,  INH,  INH,  NOS,  INH,  INH,  INH,  INH,  INH,  NOS,  INH,  INH,  NOS,  INH,
  /* 6 */ INDX, NOS,  NOS,  INDX, INDX, NOS,  INDX, INDX, INDX, INDX, INDX, NOS,  INDX, INDX, INDX, INDX,
  /* 7 */ EXT,  NOS,  NOS,  EXT,  EXT,  NOS,  EXT,  EXT,  EXT,  EXT,  EXT,  NOS,  EXT,  EXT,  EXT,  EXT,
  /* 8 */ IMM,  IMM,  IMM,  IMM,  IMM,  IMM,  IMM,  NOS,  IMM,  IMM,  IMM,  IMM,  IMM,  REL,  IMM,  INH,
  /* 9 */ DIR,  DIR,  DIR,  DIR,  DIR,  DIR,  DIR,  DIR,  DIR,  DIR,  DIR,  DIR,  DIR,  DIR,  DIR,  DIR,
  /* A */ INDX, INDX, INDX, INDX, INDX, INDX, INDX, INDX, INDX, INDX, INDX, INDX, INDX, INDX, INDX, INDX,
  /* B */ EXT,  EXT,  EXT,  EXT,  EXT,  EXT,  EXT,  EXT,  EXT,  EXT,  EXT,  EXT,  EXT,  EXT,  EXT,  EXT,
  /* C */ IMM,  IMM,  IMM,  IMM,  IMM,  IMM,  IMM,  NOS,  IMM,  IMM,  IMM,  IMM,  IMM,  PRB,  IMM,  INH,
  /* D */ DIR,  DIR,  DIR,  DIR,  DIR,  DIR,  DIR,  DIR,  DIR,  DIR,  DIR,  DIR,  DIR,  DIR,  DIR,  DIR,
  /* E */ INDX, INDX, INDX, INDX, INDX, INDX, INDX, INDX, INDX, INDX, INDX, INDX, INDX, INDX, INDX, INDX,
  /* F */ EXT,  EXT,  EXT,  EXT,  EXT,  EXT,  EXT,  EXT,  EXT,  EXT,  EXT,  EXT,  EXT,  EXT,  EXT,  EXT,
};

const char interpreteur::tab_mnemo[256][6] = {
  //      x0       x1       x2       x3       x4       x5       x6       x7       x8       x9       xA       xB       xC       xD       xE       xF
  /* 0 */ "?????", "NOP  ", "IDIV ", "FDIV ", "LSRD ", "LSLD ", "TAP  ", "TPA  ", "INX  ", "DEX  ", "CLV  ", "SEV  ", "CLC  ", "SEC  ", "CLI  ", "SEI  ",
  /* 1 */ "SBA  ", "CBA  ", "BRSET", "BRCLR", "BSET ", "BCLR ", "TAB  ", "TBA  ", "?????", "DAA  ", "?????", "ABA  ", "BSET ", "BCLR ", "BRSET", "BRCLR",
  /* 2 */ "BRA  ", "BRN  ", "BHI  ", "BLS  ", "BCC  ", "BCS  ", "BNE  ", "BEQ  ", "BVC  ", "BVS  ", "BPL  ", "BMI  ", "BGE  ", "BLT  ", "BGT  ", "BLE  ",
  /* 3 */ "TSX  ", "INS  ", "PULA ", "PULB ", "DES  ", "TXS  ", "PSHA ", "PSHB ", "PULX ", "RTS  ", "ABX  ", "RTI  ", "PSHX ", "MUL  ", "WAI  ", "SWI  ",
  /* 4 */ "NEGA ", "?????", "?????", "COMA ", "LSRA ", "?????", "RORA ", "ASRA ", "ASLA ", "ROLA ", "DECA ", "?????", "INCA ", "TSTA ", "?????", "CLRA ",
  /* 5 */ "NEGB ", "?????", "?????", "COMB ", "LSRB ", "?????", "RORB ", "ASRB ", "ASLB ", "ROLB ", "DECB ", "?????", "INCB ", "TSTB ", "?????", "CLRB ",
  /* 6 */ "NEG  ", "?????", "?????", "COM  ", "LSR  ", "?????", "ROR  ", "ASR  ", "ASL  ", "ROL  ", "DEC  ", "?????", "INC  ", "TST  ", "JMP  ", "CLR  ",
  /* 7 */ "NEG  ", "?????", "?????", "COM  ", "LSR  ", "?????", "ROR  ", "ASR  ", "ASL  ", "ROL  ", "DEC  ", "?????", "INC  ", "TST  ", "JMP  ", "CLR  ",
  /* 8 */ "SUBA ", "CMPA ", "SBCA ", "SUBD ", "ANDA ", "BITA ", "LDAA ", "?????", "EORA ", "ADCA ", "ORAA ", "ADDA ", "CPX  ", "BSR  ", "LDS  ", "XGDX ",
  /* 9 */ "SUBA ", "CMPA ", "SBCA ", "SUBD ", "ANDA ", "BITA ", "LDAA ", "STAA ", "EORA ", "ADCA ", "ORAA ", "ADDA ", "CPX  ", "JSR  ", "LDS  ", "STS  ",
  /* A */ "SUBA ", "CMPA ", "SBCA ", "SUBD ", "ANDA ", "BITA ", "LDAA ", "STAA ", "EORA ", "ADCA ", "ORAA ", "ADDA ", "CPX  ", "JSR  ", "LDS  ", "STS  ",
  /* B */ "SUBA ", "CMPA ", "SBCA ", "SUBD ", "ANDA ", "BITA ", "LDAA ", "STAA ", "EORA ", "ADCA ", "ORAA ", "ADDA ", "CPX  ", "JSR  ", "LDS  ", "STS  ",
  /* C */ "SUBB ", "CMPB ", "SBCB ", "ADDD ", "ANDB ", "BITB ", "LDAB ", "?????", "EORB ", "ADCB ", "ORAB ", "ADDB ", "LDD  ", "?????", "LDX  ", "STOP ",
  /* D */ "SUBB ", "CMPB ", "SBCB ", "ADDD ", "ANDB ", "BITB ", "LDAB ", "STAB ", "EORB ", "ADCB ", "ORAB ", "ADDB ", "LDD  ", "STD  ", "LDX  ", "STX  ",
  /* E */ "SUBB ", "CMPB ", "SBCB ", "ADDD ", "ANDB ", "BITB ", "LDAB ", "STAB ", "EORB ", "ADCB ", "ORAB ", "ADDB ", "LDD  ", "STD  ", "LDX  ", "STX  ",
  /* F */ "SUBB ", "CMPB ", "SBCB ", "ADDD ", "ANDB ", "BITB ", "LDAB ", "STAB ", "EORB ", "ADCB ", "ORAB ", "ADDB ", "LDD  ", "STD  ", "LDX  ", "STX  ",
};

const int interpreteur::cycle[256] = {
  //      x0  x1  x2  x3  x4  x5  x6  x7  x8  x9  xA  xB  xC  xD  xE  xF
  /* 0 */ 0,  2,  41, 41, 3,  3,  2,  2,  3,  3,  2,  2,  2,  2,  2,  2,
  /* 1 */ 2,  2,  6,  6,  6,  6,  2,  2,  0,  2,  0,  2,  7,  7,  7,  7,
  /* 2 */ 3,  3,  3,  3,  3,  3,  3,  3,  3,  3,  3,  3,  3,  3,  3,  3,
  /* 3 */ 3,  3,  4,  4,  3,  3,  3,  3,  5,  5,  3,  12, 4,  10, 14, 14,
  /* 4 */ 2,  0,  0,  2,  2,  0,  2,  2,  2,  2,  2,  0,  2,  2,  0,  2,
  /* 5 */ 2,  0,  0,  2,  2,  0,  2,  2,  2,  2,  2,  0,  2,  2,  0,  2,
  /* 6 */ 6,  0,  0,  6,  6,  0,  6,  6,  6,  6,  6,  0,  6,  6,  3,  6,
  /* 7 */ 6,  0,  0,  6,  6,  0,  6,  6,  6,  6,  6,  0,  6,  6,  3,  6,
  /* 8 */ 2,  2,  2,  4,  2,  2,  2,  0,  2,  2,  2,  2,  4,  6,  3,  3,
  /* 9 */ 3,  3,  3,  5,  3,  3,  3,  3,  3,  3,  3,  3,  5,  5,  4,  4,
  /* A */ 4,  4,  4,  6,  4,  4,  4,  4,  4,  4,  4,  4,  6,  6,  5,  5,
  /* B */ 4,  4,  4,  6,  4,  4,  4,  4,  4,  4,  4,  4,  6,  6,  5,  5,
  /* C */ 2,  2,  2,  4,  2,  2,  2,  0,  2,  2,  2,  2,  3,  0,  3,  2,
  /* D */ 3,  3,  3,  5,  3,  3,  3,  3,  3,  3,  3,  3,  4,  4,  4,  4,
  /* E */ 4,  4,  4,  6,  4,  4,  4,  4,  4,  4,  4,  4,  5,  5,  5,  5,
  /* F */ 4,  4,  4,  6,  4,  4,  4,  4,  4,  4,  4,  4,  5,  5,  5,  5,
};

// ---- page 18 (prebyte 0x18) ----

entree_opcode const opcode_18[256] = {
  //      x0       x1       x2       x3       x4       x5       x6       x7       x8       x9       xA       xB       xC       xD       xE       xF
  /* 0 */ NIET,    NIET,    NIET,    NIET,    NIET,    NIET,    NIET,    NIET,    iny,     dey,     NIET,    NIET,    NIET,    NIET,    NIET,    NIET,
  /* 1 */ NIET,    NIET,    NIET,    NIET,    NIET,    NIET,    NIET,    NIET,    NIET,    NIET,    NIET,    NIET,    bset,    bclr,    brset,   brclr,
  /* 2 */ NIET,    NIET,    NIET,    NIET,    NIET,    NIET,    NIET,    NIET,    NIET,    NIET,    NIET,    NIET,    NIET,    NIET,    NIET,    NIET,
  /* 3 */ tsy,     NIET,    NIET,    NIET,    NIET,    tys,     NIET,    NIET,    puly,    NIET,    aby,     NIET,    pshy,    NIET,    NIET,    NIET,
  /* 4 */ NIET,    NIET,    NIET,    NIET,    NIET,    NIET,    NIET,    NIET,    NIET,    NIET,    NIET,    NIET,    NIET,    NIET,    NIET,    NIET,
  /* 5 */ NIET,    NIET,    NIET,    NIET,    NIET,    NIET,    NIET,    NIET,    NIET,    NIET,    NIET,    NIET,    NIET,    NIET,    NIET,    NIET,
  /* 6 */ neg,     NIET,    NIET,    com,     lsr,     NIET,    ror,     asr,     asl,     rol,     dec,     NIET,    inc,     tst,     jmp,     clr,
  /* 7 */ NIET,    NIET,    NIET,    NIET,    NIET,    NIET,    NIET,    NIET,    NIET,    NIET,    NIET,    NIET,    NIET,    NIET,    NIET,    NIET,
  /* 8 */ NIET,    NIET,    NIET,    NIET,    NIET,    NIET,    NIET,    NIET,    NIET,    NIET,    NIET,    NIET,    cpy,     NIET,    NIET,    xgdy,
  /* 9 */ NIET,    NIET,    NIET,    NIET,    NIET,    NIET,    NIET,    NIET,    NIET,    NIET,    NIET,    NIET,    cpy,     NIET,    NIET,    NIET,
  /* A */ suba,    cmpa,    sbca,    subd,    anda,    bita,    ldaa,    staa,    eora,    adca,    oraa,    adda,    cpy,     jsr,     lds,     sts,
  /* B */ NIET,    NIET,    NIET,    NIET,    NIET,    NIET,    NIET,    NIET,    NIET,    NIET,    NIET,    NIET,    cpy,     NIET,    NIET,    NIET,
  /* C */ NIET,    NIET,    NIET,    NIET,    NIET,    NIET,    NIET,    NIET,    NIET,    NIET,    NIET,    NIET,    NIET,    NIET,    ldy,     NIET,
  /* D */ NIET,    NIET,    NIET,    NIET,    NIET,    NIET,    NIET,    NIET,    NIET,    NIET,    NIET,    NIET,    NIET,    NIET,    ldy,     sty,
  /* E */ subb,    cmpb,    sbcb,    addd,    andb,    bitb,    ldab,    stab,    eorb,    adcb,    orab,    addb,    ldd,     mon_std, ldy,     sty,
  /* F */ NIET,    NIET,    NIET,    NIET,    NIET,    NIET,    NIET,    NIET,    NIET,    NIET,    NIET,    NIET,    NIET,    NIET,    ldy,     sty,
};

const unsigned char interpreteur::nb_operand_18[256] = {
  //      x0 x1 x2 x3 x4 x5 x6 x7 x8 x9 xA xB xC xD xE xF
  /* 0 */ 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
  /* 1 */ 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 2, 2, 3, 3,
  /* 2 */ 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
  /* 3 */ 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
  /* 4 */ 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
  /* 5 */ 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
  /* 6 */ 1, 0, 0, 1, 1, 0, 1, 1, 1, 1, 1, 0, 1, 1, 1, 1,
  /* 7 */ 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
  /* 8 */ 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 2, 0, 0, 0,
  /* 9 */ 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1, 0, 0, 0,
  /* A */ 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1,
  /* B */ 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 2, 0, 0, 0,
  /* C */ 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 2, 0,
  /* D */ 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1, 1,
  /* E */ 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1,
  /* F */ 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 2, 2,
};

const unsigned char interpreteur::t_prb_18[256] = {
  //      x0    x1    x2    x3    x4    x5    x6    x7    x8    x9    xA    xB    xC    xD    xE    xF
  /* 0 */ NOS,  NOS,  NOS,  NOS,  NOS,  NOS,  NOS,  NOS,  INH,  INH,  NOS,  NOS,  NOS,  NOS,  NOS,  NOS,
  /* 1 */ NOS,  NOS,  NOS,  NOS,  NOS,  NOS,  NOS,  NOS,  NOS,  NOS,  NOS,  NOS,  INDY, INDY, INDY, INDY,
  /* 2 */ NOS,  NOS,  NOS,  NOS,  NOS,  NOS,  NOS,  NOS,  NOS,  NOS,  NOS,  NOS,  NOS,  NOS,  NOS,  NOS,
  /* 3 */ INH,  NOS,  NOS,  NOS,  NOS,  INH,  NOS,  NOS,  INH,  NOS,  INH,  NOS,  INH,  NOS,  NOS,  NOS,
  /* 4 */ NOS,  NOS,  NOS,  NOS,  NOS,  NOS,  NOS,  NOS,  NOS,  NOS,  NOS,  NOS,  NOS,  NOS,  NOS,  NOS,
  /* 5 */ NOS,  NOS,  NOS,  NOS,  NOS,  NOS,  NOS,  NOS,  NOS,  NOS,  NOS,  NOS,  NOS,  NOS,  NOS,  NOS,
  /* 6 */ INDY, NOS,  NOS,  INDY, INDY, NOS,  INDY, INDY, INDY, INDY, INDY, NOS,  INDY, INDY, INDY, INDY,
  /* 7 */ NOS,  NOS,  NOS,  NOS,  NOS,  NOS,  NOS,  NOS,  NOS,  NOS,  NOS,  NOS,  NOS,  NOS,  NOS,  NOS,
  /* 8 */ NOS,  NOS,  NOS,  NOS,  NOS,  NOS,  NOS,  NOS,  NOS,  NOS,  NOS,  NOS,  IMM,  NOS,  NOS,  INH,
  /* 9 */ NOS,  NOS,  NOS,  NOS,  NOS,  NOS,  NOS,  NOS,  NOS,  NOS,  NOS,  NOS,  DIR,  NOS,  NOS,  NOS,
  /* A */ INDY, INDY, INDY, INDY, INDY, INDY, INDY, INDY, INDY, INDY, INDY, INDY, INDY, INDY, INDY, INDY,
  /* B */ NOS,  NOS,  NOS,  NOS,  NOS,  NOS,  NOS,  NOS,  NOS,  NOS,  NOS,  NOS,  EXT,  NOS,  NOS,  NOS,
  /* C */ NOS,  NOS,  NOS,  NOS,  NOS,  NOS,  NOS,  NOS,  NOS,  NOS,  NOS,  NOS,  NOS,  NOS,  IMM,  NOS,
  /* D */ NOS,  NOS,  NOS,  NOS,  NOS,  NOS,  NOS,  NOS,  NOS,  NOS,  NOS,  NOS,  NOS,  NOS,  DIR,  DIR,
  /* E */ INDY, INDY, INDY, INDY, INDY, INDY, INDY, INDY, INDY, INDY, INDY, INDY, INDY, INDY, INDY, INDY,
  /* F */ NOS,  NOS,  NOS,  NOS,  NOS,  NOS,  NOS,  NOS,  NOS,  NOS,  NOS,  NOS,  NOS,  NOS,  EXT,  EXT,
};

const char interpreteur::tab_mnemo_18[256][6] = {
  //      x0       x1       x2       x3       x4       x5       x6       x7       x8       x9       xA       xB       xC       xD       xE       xF
  /* 0 */ "?????", "?????", "?????", "?????", "?????", "?????", "?????", "?????", "INY  ", "DEY  ", "?????", "?????", "?????", "?????", "?????", "?????",
  /* 1 */ "?????", "?????", "?????", "?????", "?????", "?????", "?????", "?????", "?????", "?????", "?????", "?????", "BSET ", "BCLR ", "BRSET", "BRCLR",
  /* 2 */ "?????", "?????", "?????", "?????", "?????", "?????", "?????", "?????", "?????", "?????", "?????", "?????", "?????", "?????", "?????", "?????",
  /* 3 */ "TSY  ", "?????", "?????", "?????", "?????", "TYS  ", "?????", "?????", "PULY ", "?????", "ABY  ", "?????", "PSHY ", "?????", "?????", "?????",
  /* 4 */ "?????", "?????", "?????", "?????", "?????", "?????", "?????", "?????", "?????", "?????", "?????", "?????", "?????", "?????", "?????", "?????",
  /* 5 */ "?????", "?????", "?????", "?????", "?????", "?????", "?????", "?????", "?????", "?????", "?????", "?????", "?????", "?????", "?????", "?????",
  /* 6 */ "NEG  ", "?????", "?????", "COM  ", "LSR  ", "?????", "ROR  ", "ASR  ", "ASL  ", "ROL  ", "DEC  ", "?????", "INC  ", "TST  ", "JMP  ", "CLR  ",
  /* 7 */ "?????", "?????", "?????", "?????", "?????", "?????", "?????", "?????", "?????", "?????", "?????", "?????", "?????", "?????", "?????", "?????",
  /* 8 */ "?????", "?????", "?????", "?????", "?????", "?????", "?????", "?????", "?????", "?????", "?????", "?????", "CPY  ", "?????", "?????", "XGDY ",
  /* 9 */ "?????", "?????", "?????", "?????", "?????", "?????", "?????", "?????", "?????", "?????", "?????", "?????", "CPY  ", "?????", "?????", "?????",
  /* A */ "SUBA ", "CMPA ", "SBCA ", "SUBD ", "ANDA ", "BITA ", "LDAA ", "STAA ", "EORA ", "ADCA ", "ORAA ", "ADDA ", "CPY  ", "JSR  ", "LDS  ", "STS  ",
  /* B */ "?????", "?????", "?????", "?????", "?????", "?????", "?????", "?????", "?????", "?????", "?????", "?????", "CPY  ", "?????", "?????", "?????",
  /* C */ "?????", "?????", "?????", "?????", "?????", "?????", "?????", "?????", "?????", "?????", "?????", "?????", "?????", "?????", "LDY  ", "?????",
  /* D */ "?????", "?????", "?????", "?????", "?????", "?????", "?????", "?????", "?????", "?????", "?????", "?????", "?????", "?????", "LDY  ", "STY  ",
  /* E */ "SUBB ", "CMPB ", "SBCB ", "ADDD ", "ANDB ", "BITB ", "LDAB ", "STAB ", "EORB ", "ADCB ", "ORAB ", "ADDB ", "LDD  ", "STD  ", "LDY  ", "STY  ",
  /* F */ "?????", "?????", "?????", "?????", "?????", "?????", "?????", "?????", "?????", "?????", "?????", "?????", "?????", "?????", "LDY  ", "STY  ",
};

extern const int cycle_18[256];
const int cycle_18[256] = {
  //      x0  x1  x2  x3  x4  x5  x6  x7  x8  x9  xA  xB  xC  xD  xE  xF
  /* 0 */ 0,  0,  0,  0,  0,  0,  0,  0,  4,  4,  0,  0,  0,  0,  0,  0,
  /* 1 */ 0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  8,  8,  8,  8,
  /* 2 */ 0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,
  /* 3 */ 4,  0,  0,  0,  0,  4,  0,  0,  6,  0,  4,  0,  5,  0,  0,  0,
  /* 4 */ 0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,
  /* 5 */ 0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,
  /* 6 */ 7,  0,  0,  7,  7,  0,  7,  7,  7,  7,  7,  0,  7,  7,  4,  7,
  /* 7 */ 0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,
  /* 8 */ 0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  5,  0,  0,  4,
  /* 9 */ 0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  6,  0,  0,  0,
  /* A */ 5,  5,  5,  7,  5,  5,  5,  5,  5,  5,  5,  5,  7,  7,  6,  6,
  /* B */ 0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  7,  0,  0,  0,
  /* C */ 0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  4,  0,
  /* D */ 0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  5,  5,
  /* E */ 5,  5,  5,  7,  5,  5,  5,  5,  5,  5,  5,  5,  6,  6,  6,  6,
  /* F */ 0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  6,  6,
};

// ---- page 1A (prebyte 0x1A) ----

entree_opcode const opcode_1A[256] = {
  //      x0       x1       x2       x3       x4       x5       x6       x7       x8       x9       xA       xB       xC       xD       xE       xF
  /* 0 */ NIET,    NIET,    NIET,    NIET,    NIET,    NIET,    NIET,    NIET,    NIET,    NIET,    NIET,    NIET,    NIET,    NIET,    NIET,    NIET,
  /* 1 */ NIET,    NIET,    NIET,    NIET,    NIET,    NIET,    NIET,    NIET,    NIET,    NIET,    NIET,    NIET,    NIET,    NIET,    NIET,    NIET,
  /* 2 */ NIET,    NIET,    NIET,    NIET,    NIET,    NIET,    NIET,    NIET,    NIET,    NIET,    NIET,    NIET,    NIET,    NIET,    NIET,    NIET,
  /* 3 */ NIET,    NIET,    NIET,    NIET,    NIET,    NIET,    NIET,    NIET,    NIET,    NIET,    NIET,    NIET,    NIET,    NIET,    NIET,    NIET,
  /* 4 */ NIET,    NIET,    NIET,    NIET,    NIET,    NIET,    NIET,    NIET,    NIET,    NIET,    NIET,    NIET,    NIET,    NIET,    NIET,    NIET,
  /* 5 */ NIET,    NIET,    NIET,    NIET,    NIET,    NIET,    NIET,    NIET,    NIET,    NIET,    NIET,    NIET,    NIET,    NIET,    NIET,    NIET,
  /* 6 */ NIET,    NIET,    NIET,    NIET,    NIET,    NIET,    NIET,    NIET,    NIET,    NIET,    NIET,    NIET,    NIET,    NIET,    NIET,    NIET,
  /* 7 */ NIET,    NIET,    NIET,    NIET,    NIET,    NIET,    NIET,    NIET,    NIET,    NIET,    NIET,    NIET,    NIET,    NIET,    NIET,    NIET,
  /* 8 */ NIET,    NIET,    NIET,    cpd,     NIET,    NIET,    NIET,    NIET,    NIET,    NIET,    NIET,    NIET,    NIET,    NIET,    NIET,    NIET,
  /* 9 */ NIET,    NIET,    NIET,    cpd,     NIET,    NIET,    NIET,    NIET,    NIET,    NIET,    NIET,    NIET,    NIET,    NIET,    NIET,    NIET,
  /* A */ NIET,    NIET,    NIET,    cpd,     NIET,    NIET,    NIET,    NIET,    NIET,    NIET,    NIET,    NIET,    cpy,     NIET,    NIET,    NIET,
  /* B */ NIET,    NIET,    NIET,    cpd,     NIET,    NIET,    NIET,    NIET,    NIET,    NIET,    NIET,    NIET,    NIET,    NIET,    NIET,    NIET,
  /* C */ NIET,    NIET,    NIET,    NIET,    NIET,    NIET,    NIET,    NIET,    NIET,    NIET,    NIET,    NIET,    NIET,    NIET,    NIET,    NIET,
  /* D */ NIET,    NIET,    NIET,    NIET,    NIET,    NIET,    NIET,    NIET,    NIET,    NIET,    NIET,    NIET,    NIET,    NIET,    NIET,    NIET,
  /* E */ NIET,    NIET,    NIET,    NIET,    NIET,    NIET,    NIET,    NIET,    NIET,    NIET,    NIET,    NIET,    NIET,    NIET,    ldy,     sty,
  /* F */ NIET,    NIET,    NIET,    NIET,    NIET,    NIET,    NIET,    NIET,    NIET,    NIET,    NIET,    NIET,    NIET,    NIET,    NIET,    NIET,
};

const unsigned char interpreteur::nb_operand_1A[256] = {
  //      x0 x1 x2 x3 x4 x5 x6 x7 x8 x9 xA xB xC xD xE xF
  /* 0 */ 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
  /* 1 */ 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
  /* 2 */ 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
  /* 3 */ 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
  /* 4 */ 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
  /* 5 */ 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
  /* 6 */ 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
  /* 7 */ 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
  /* 8 */ 0, 0, 0, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
  /* 9 */ 0, 0, 0, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
  /* A */ 0, 0, 0, 1, 0, 0, 0, 0, 0, 0, 0, 0, 1, 0, 0, 0,
  /* B */ 0, 0, 0, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
  /* C */ 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
  /* D */ 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
  /* E */ 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1, 1,
  /* F */ 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
};

const unsigned char interpreteur::t_prb_1A[256] = {
  //      x0    x1    x2    x3    x4    x5    x6    x7    x8    x9    xA    xB    xC    xD    xE    xF
  /* 0 */ NOS,  NOS,  NOS,  NOS,  NOS,  NOS,  NOS,  NOS,  NOS,  NOS,  NOS,  NOS,  NOS,  NOS,  NOS,  NOS,
  /* 1 */ NOS,  NOS,  NOS,  NOS,  NOS,  NOS,  NOS,  NOS,  NOS,  NOS,  NOS,  NOS,  NOS,  NOS,  NOS,  NOS,
  /* 2 */ NOS,  NOS,  NOS,  NOS,  NOS,  NOS,  NOS,  NOS,  NOS,  NOS,  NOS,  NOS,  NOS,  NOS,  NOS,  NOS,
  /* 3 */ NOS,  NOS,  NOS,  NOS,  NOS,  NOS,  NOS,  NOS,  NOS,  NOS,  NOS,  NOS,  NOS,  NOS,  NOS,  NOS,
  /* 4 */ NOS,  NOS,  NOS,  NOS,  NOS,  NOS,  NOS,  NOS,  NOS,  NOS,  NOS,  NOS,  NOS,  NOS,  NOS,  NOS,
  /* 5 */ NOS,  NOS,  NOS,  NOS,  NOS,  NOS,  NOS,  NOS,  NOS,  NOS,  NOS,  NOS,  NOS,  NOS,  NOS,  NOS,
  /* 6 */ NOS,  NOS,  NOS,  NOS,  NOS,  NOS,  NOS,  NOS,  NOS,  NOS,  NOS,  NOS,  NOS,  NOS,  NOS,  NOS,
  /* 7 */ NOS,  NOS,  NOS,  NOS,  NOS,  NOS,  NOS,  NOS,  NOS,  NOS,  NOS,  NOS,  NOS,  NOS,  NOS,  NOS,
  /* 8 */ NOS,  NOS,  NOS,  IMM,  NOS,  NOS,  NOS,  NOS,  NOS,  NOS,  NOS,  NOS,  NOS,  NOS,  NOS,  NOS,
  /* 9 */ NOS,  NOS,  NOS,  DIR,  NOS,  NOS,  NOS,  NOS,  NOS,  NOS,  NOS,  NOS,  NOS,  NOS,  NOS,  NOS,
  /* A */ NOS,  NOS,  NOS,  INDX, NOS,  NOS,  NOS,  NOS,  NOS,  NOS,  NOS,  NOS,  INDX, NOS,  NOS,  NOS,
  /* B */ NOS,  NOS,  NOS,  EXT,  NOS,  NOS,  NOS,  NOS,  NOS,  NOS,  NOS,  NOS,  NOS,  NOS,  NOS,  NOS,
  /* C */ NOS,  NOS,  NOS,  NOS,  NOS,  NOS,  NOS,  NOS,  NOS,  NOS,  NOS,  NOS,  NOS,  NOS,  NOS,  NOS,
  /* D */ NOS,  NOS,  NOS,  NOS,  NOS,  NOS,  NOS,  NOS,  NOS,  NOS,  NOS,  NOS,  NOS,  NOS,  NOS,  NOS,
  /* E */ NOS,  NOS,  NOS,  NOS,  NOS,  NOS,  NOS,  NOS,  NOS,  NOS,  NOS,  NOS,  NOS,  NOS,  INDX, INDX,
  /* F */ NOS,  NOS,  NOS,  NOS,  NOS,  NOS,  NOS,  NOS,  NOS,  NOS,  NOS,  NOS,  NOS,  NOS,  NOS,  NOS,
};

const char interpreteur::tab_mnemo_1A[256][6] = {
  //      x0       x1       x2       x3       x4       x5       x6       x7       x8       x9       xA       xB       xC       xD       xE       xF
  /* 0 */ "?????", "?????", "?????", "?????", "?????", "?????", "?????", "?????", "?????", "?????", "?????", "?????", "?????", "?????", "?????", "?????",
  /* 1 */ "?????", "?????", "?????", "?????", "?????", "?????", "?????", "?????", "?????", "?????", "?????", "?????", "?????", "?????", "?????", "?????",
  /* 2 */ "?????", "?????", "?????", "?????", "?????", "?????", "?????", "?????", "?????", "?????", "?????", "?????", "?????", "?????", "?????", "?????",
  /* 3 */ "?????", "?????", "?????", "?????", "?????", "?????", "?????", "?????", "?????", "?????", "?????", "?????", "?????", "?????", "?????", "?????",
  /* 4 */ "?????", "?????", "?????", "?????", "?????", "?????", "?????", "?????", "?????", "?????", "?????", "?????", "?????", "?????", "?????", "?????",
  /* 5 */ "?????", "?????", "?????", "?????", "?????", "?????", "?????", "?????", "?????", "?????", "?????", "?????", "?????", "?????", "?????", "?????",
  /* 6 */ "?????", "?????", "?????", "?????", "?????", "?????", "?????", "?????", "?????", "?????", "?????", "?????", "?????", "?????", "?????", "?????",
  /* 7 */ "?????", "?????", "?????", "?????", "?????", "?????", "?????", "?????", "?????", "?????", "?????", "?????", "?????", "?????", "?????", "?????",
  /* 8 */ "?????", "?????", "?????", "CPD  ", "?????", "?????", "?????", "?????", "?????", "?????", "?????", "?????", "?????", "?????", "?????", "?????",
  /* 9 */ "?????", "?????", "?????", "CPD  ", "?????", "?????", "?????", "?????", "?????", "?????", "?????", "?????", "?????", "?????", "?????", "?????",
  /* A */ "?????", "?????", "?????", "CPD  ", "?????", "?????", "?????", "?????", "?????", "?????", "?????", "?????", "CPY  ", "?????", "?????", "?????",
  /* B */ "?????", "?????", "?????", "CPD  ", "?????", "?????", "?????", "?????", "?????", "?????", "?????", "?????", "?????", "?????", "?????", "?????",
  /* C */ "?????", "?????", "?????", "?????", "?????", "?????", "?????", "?????", "?????", "?????", "?????", "?????", "?????", "?????", "?????", "?????",
  /* D */ "?????", "?????", "?????", "?????", "?????", "?????", "?????", "?????", "?????", "?????", "?????", "?????", "?????", "?????", "?????", "?????",
  /* E */ "?????", "?????", "?????", "?????", "?????", "?????", "?????", "?????", "?????", "?????", "?????", "?????", "?????", "?????", "LDY  ", "STY  ",
  /* F */ "?????", "?????", "?????", "?????", "?????", "?????", "?????", "?????", "?????", "?????", "?????", "?????", "?????", "?????", "?????", "?????",
};

extern const int cycle_1A[256];
const int cycle_1A[256] = {
  //      x0  x1  x2  x3  x4  x5  x6  x7  x8  x9  xA  xB  xC  xD  xE  xF
  /* 0 */ 0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,
  /* 1 */ 0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,
  /* 2 */ 0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,
  /* 3 */ 0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,
  /* 4 */ 0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,
  /* 5 */ 0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,
  /* 6 */ 0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,
  /* 7 */ 0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,
  /* 8 */ 0,  0,  0,  5,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,
  /* 9 */ 0,  0,  0,  6,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,
  /* A */ 0,  0,  0,  7,  0,  0,  0,  0,  0,  0,  0,  0,  7,  0,  0,  0,
  /* B */ 0,  0,  0,  7,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,
  /* C */ 0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,
  /* D */ 0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,
  /* E */ 0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  6,  6,
  /* F */ 0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,
};

// ---- page CD (prebyte 0xCD) ----

entree_opcode const opcode_CD[256] = {
  //      x0       x1       x2       x3       x4       x5       x6       x7       x8       x9       xA       xB       xC       xD       xE       xF
  /* 0 */ NIET,    NIET,    NIET,    NIET,    NIET,    NIET,    NIET,    NIET,    NIET,    NIET,    NIET,    NIET,    NIET,    NIET,    NIET,    NIET,
  /* 1 */ NIET,    NIET,    NIET,    NIET,    NIET,    NIET,    NIET,    NIET,    NIET,    NIET,    NIET,    NIET,    NIET,    NIET,    NIET,    NIET,
  /* 2 */ NIET,    NIET,    NIET,    NIET,    NIET,    NIET,    NIET,    NIET,    NIET,    NIET,    NIET,    NIET,    NIET,    NIET,    NIET,    NIET,
  /* 3 */ NIET,    NIET,    NIET,    NIET,    NIET,    NIET,    NIET,    NIET,    NIET,    NIET,    NIET,    NIET,    NIET,    NIET,    NIET,    NIET,
  /* 4 */ NIET,    NIET,    NIET,    NIET,    NIET,    NIET,    NIET,    NIET,    NIET,    NIET,    NIET,    NIET,    NIET,    NIET,    NIET,    NIET,
  /* 5 */ NIET,    NIET,    NIET,    NIET,    NIET,    NIET,    NIET,    NIET,    NIET,    NIET,    NIET,    NIET,    NIET,    NIET,    NIET,    NIET,
  /* 6 */ NIET,    NIET,    NIET,    NIET,    NIET,    NIET,    NIET,    NIET,    NIET,    NIET,    NIET,    NIET,    NIET,    NIET,    NIET,    NIET,
  /* 7 */ NIET,    NIET,    NIET,    NIET,    NIET,    NIET,    NIET,    NIET,    NIET,    NIET,    NIET,    NIET,    NIET,    NIET,    NIET,    NIET,
  /* 8 */ NIET,    NIET,    NIET,    NIET,    NIET,    NIET,    NIET,    NIET,    NIET,    NIET,    NIET,    NIET,    NIET,    NIET,    NIET,    NIET,
  /* 9 */ NIET,    NIET,    NIET,    NIET,    NIET,    NIET,    NIET,    NIET,    NIET,    NIET,    NIET,    NIET,    NIET,    NIET,    NIET,    NIET,
  /* A */ NIET,    NIET,    NIET,    cpd,     NIET,    NIET,    NIET,    NIET,    NIET,    NIET,    NIET,    NIET,    cpx,     NIET,    NIET,    NIET,
  /* B */ NIET,    NIET,    NIET,    NIET,    NIET,    NIET,    NIET,    NIET,    NIET,    NIET,    NIET,    NIET,    NIET,    NIET,    NIET,    NIET,
  /* C */ NIET,    NIET,    NIET,    NIET,    NIET,    NIET,    NIET,    NIET,    NIET,    NIET,    NIET,    NIET,    NIET,    NIET,    NIET,    NIET,
  /* D */ NIET,    NIET,    NIET,    NIET,    NIET,    NIET,    NIET,    NIET,    NIET,    NIET,    NIET,    NIET,    NIET,    NIET,    NIET,    NIET,
  /* E */ NIET,    NIET,    NIET,    NIET,    NIET,    NIET,    NIET,    NIET,    NIET,    NIET,    NIET,    NIET,    NIET,    NIET,    ldx,     stx,
  /* F */ NIET,    NIET,    NIET,    NIET,    NIET,    NIET,    NIET,    NIET,    NIET,    NIET,    NIET,    NIET,    NIET,    NIET,    NIET,    NIET,
};

const unsigned char interpreteur::nb_operand_CD[256] = {
  //      x0 x1 x2 x3 x4 x5 x6 x7 x8 x9 xA xB xC xD xE xF
  /* 0 */ 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
  /* 1 */ 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
  /* 2 */ 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
  /* 3 */ 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
  /* 4 */ 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
  /* 5 */ 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
  /* 6 */ 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
  /* 7 */ 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
  /* 8 */ 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
  /* 9 */ 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
  /* A */ 0, 0, 0, 1, 0, 0, 0, 0, 0, 0, 0, 0, 1, 0, 0, 0,
  /* B */ 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
  /* C */ 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
  /* D */ 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
  /* E */ 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1, 1,
  /* F */ 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
};

const unsigned char interpreteur::t_prb_CD[256] = {
  //      x0    x1    x2    x3    x4    x5    x6    x7    x8    x9    xA    xB    xC    xD    xE    xF
  /* 0 */ NOS,  NOS,  NOS,  NOS,  NOS,  NOS,  NOS,  NOS,  NOS,  NOS,  NOS,  NOS,  NOS,  NOS,  NOS,  NOS,
  /* 1 */ NOS,  NOS,  NOS,  NOS,  NOS,  NOS,  NOS,  NOS,  NOS,  NOS,  NOS,  NOS,  NOS,  NOS,  NOS,  NOS,
  /* 2 */ NOS,  NOS,  NOS,  NOS,  NOS,  NOS,  NOS,  NOS,  NOS,  NOS,  NOS,  NOS,  NOS,  NOS,  NOS,  NOS,
  /* 3 */ NOS,  NOS,  NOS,  NOS,  NOS,  NOS,  NOS,  NOS,  NOS,  NOS,  NOS,  NOS,  NOS,  NOS,  NOS,  NOS,
  /* 4 */ NOS,  NOS,  NOS,  NOS,  NOS,  NOS,  NOS,  NOS,  NOS,  NOS,  NOS,  NOS,  NOS,  NOS,  NOS,  NOS,
  /* 5 */ NOS,  NOS,  NOS,  NOS,  NOS,  NOS,  NOS,  NOS,  NOS,  NOS,  NOS,  NOS,  NOS,  NOS,  NOS,  NOS,
  /* 6 */ NOS,  NOS,  NOS,  NOS,  NOS,  NOS,  NOS,  NOS,  NOS,  NOS,  NOS,  NOS,  NOS,  NOS,  NOS,  NOS,
  /* 7 */ NOS,  NOS,  NOS,  NOS,  NOS,  NOS,  NOS,  NOS,  NOS,  NOS,  NOS,  NOS,  NOS,  NOS,  NOS,  NOS,
  /* 8 */ NOS,  NOS,  NOS,  NOS,  NOS,  NOS,  NOS,  NOS,  NOS,  NOS,  NOS,  NOS,  NOS,  NOS,  NOS,  NOS,
  /* 9 */ NOS,  NOS,  NOS,  NOS,  NOS,  NOS,  NOS,  NOS,  NOS,  NOS,  NOS,  NOS,  NOS,  NOS,  NOS,  NOS,
  /* A */ NOS,  NOS,  NOS,  INDY, NOS,  NOS,  NOS,  NOS,  NOS,  NOS,  NOS,  NOS,  INDY, NOS,  NOS,  NOS,
  /* B */ NOS,  NOS,  NOS,  NOS,  NOS,  NOS,  NOS,  NOS,  NOS,  NOS,  NOS,  NOS,  NOS,  NOS,  NOS,  NOS,
  /* C */ NOS,  NOS,  NOS,  NOS,  NOS,  NOS,  NOS,  NOS,  NOS,  NOS,  NOS,  NOS,  NOS,  NOS,  NOS,  NOS,
  /* D */ NOS,  NOS,  NOS,  NOS,  NOS,  NOS,  NOS,  NOS,  NOS,  NOS,  NOS,  NOS,  NOS,  NOS,  NOS,  NOS,
  /* E */ NOS,  NOS,  NOS,  NOS,  NOS,  NOS,  NOS,  NOS,  NOS,  NOS,  NOS,  NOS,  NOS,  NOS,  INDY, INDY,
  /* F */ NOS,  NOS,  NOS,  NOS,  NOS,  NOS,  NOS,  NOS,  NOS,  NOS,  NOS,  NOS,  NOS,  NOS,  NOS,  NOS,
};

const char interpreteur::tab_mnemo_CD[256][6] = {
  //      x0       x1       x2       x3       x4       x5       x6       x7       x8       x9       xA       xB       xC       xD       xE       xF
  /* 0 */ "?????", "?????", "?????", "?????", "?????", "?????", "?????", "?????", "?????", "?????", "?????", "?????", "?????", "?????", "?????", "?????",
  /* 1 */ "?????", "?????", "?????", "?????", "?????", "?????", "?????", "?????", "?????", "?????", "?????", "?????", "?????", "?????", "?????", "?????",
  /* 2 */ "?????", "?????", "?????", "?????", "?????", "?????", "?????", "?????", "?????", "?????", "?????", "?????", "?????", "?????", "?????", "?????",
  /* 3 */ "?????", "?????", "?????", "?????", "?????", "?????", "?????", "?????", "?????", "?????", "?????", "?????", "?????", "?????", "?????", "?????",
  /* 4 */ "?????", "?????", "?????", "?????", "?????", "?????", "?????", "?????", "?????", "?????", "?????", "?????", "?????", "?????", "?????", "?????",
  /* 5 */ "?????", "?????", "?????", "?????", "?????", "?????", "?????", "?????", "?????", "?????", "?????", "?????", "?????", "?????", "?????", "?????",
  /* 6 */ "?????", "?????", "?????", "?????", "?????", "?????", "?????", "?????", "?????", "?????", "?????", "?????", "?????", "?????", "?????", "?????",
  /* 7 */ "?????", "?????", "?????", "?????", "?????", "?????", "?????", "?????", "?????", "?????", "?????", "?????", "?????", "?????", "?????", "?????",
  /* 8 */ "?????", "?????", "?????", "?????", "?????", "?????", "?????", "?????", "?????", "?????", "?????", "?????", "?????", "?????", "?????", "?????",
  /* 9 */ "?????", "?????", "?????", "?????", "?????", "?????", "?????", "?????", "?????", "?????", "?????", "?????", "?????", "?????", "?????", "?????",
  /* A */ "?????", "?????", "?????", "CPD  ", "?????", "?????", "?????", "?????", "?????", "?????", "?????", "?????", "CPX  ", "?????", "?????", "?????",
  /* B */ "?????", "?????", "?????", "?????", "?????", "?????", "?????", "?????", "?????", "?????", "?????", "?????", "?????", "?????", "?????", "?????",
  /* C */ "?????", "?????", "?????", "?????", "?????", "?????", "?????", "?????", "?????", "?????", "?????", "?????", "?????", "?????", "?????", "?????",
  /* D */ "?????", "?????", "?????", "?????", "?????", "?????", "?????", "?????", "?????", "?????", "?????", "?????", "?????", "?????", "?????", "?????",
  /* E */ "?????", "?????", "?????", "?????", "?????", "?????", "?????", "?????", "?????", "?????", "?????", "?????", "?????", "?????", "LDX  ", "STX  ",
  /* F */ "?????", "?????", "?????", "?????", "?????", "?????", "?????", "?????", "?????", "?????", "?????", "?????", "?????", "?????", "?????", "?????",
};

const int interpreteur::cycle_CD[256] = {
  //      x0  x1  x2  x3  x4  x5  x6  x7  x8  x9  xA  xB  xC  xD  xE  xF
  /* 0 */ 0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,
  /* 1 */ 0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,
  /* 2 */ 0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,
  /* 3 */ 0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,
  /* 4 */ 0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,
  /* 5 */ 0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,
  /* 6 */ 0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,
  /* 7 */ 0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,
  /* 8 */ 0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,
  /* 9 */ 0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,
  /* A */ 0,  0,  0,  7,  0,  0,  0,  0,  0,  0,  0,  0,  7,  0,  0,  0,
  /* B */ 0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,
  /* C */ 0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,
  /* D */ 0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,
  /* E */ 0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  6,  6,
  /* F */ 0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,
};

// clang-format on
