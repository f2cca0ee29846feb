// Placeholder until this family is written: every handler reports a
// non-existent instruction.
#include "cpu/interpreteur.h"

void interpreteur::ldaa() { NIET(); }
void interpreteur::ldab() { NIET(); }
void interpreteur::ldd() { NIET(); }
void interpreteur::lds() { NIET(); }
void interpreteur::ldx() { NIET(); }
void interpreteur::ldy() { NIET(); }
void interpreteur::staa() { NIET(); }
void interpreteur::stab() { NIET(); }
void interpreteur::std() { NIET(); }
void interpreteur::sts() { NIET(); }
void interpreteur::stx() { NIET(); }
void interpreteur::sty() { NIET(); }
void interpreteur::tab() { NIET(); }
void interpreteur::tba() { NIET(); }
void interpreteur::tap() { NIET(); }
void interpreteur::tpa() { NIET(); }
void interpreteur::tsx() { NIET(); }
void interpreteur::tsy() { NIET(); }
void interpreteur::txs() { NIET(); }
void interpreteur::tys() { NIET(); }
void interpreteur::xgdx() { NIET(); }
void interpreteur::xgdy() { NIET(); }
void interpreteur::ins() { NIET(); }
void interpreteur::des() { NIET(); }
void interpreteur::inx() { NIET(); }
void interpreteur::dex() { NIET(); }
void interpreteur::iny() { NIET(); }
void interpreteur::dey() { NIET(); }
void interpreteur::clc() { NIET(); }
void interpreteur::sec() { NIET(); }
void interpreteur::cli() { NIET(); }
void interpreteur::sei() { NIET(); }
void interpreteur::clv() { NIET(); }
void interpreteur::sev() { NIET(); }
void interpreteur::nop() { NIET(); }
