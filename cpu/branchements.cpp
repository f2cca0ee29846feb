// Placeholder until this family is written: every handler reports a
// non-existent instruction.
#include "cpu/interpreteur.h"

void interpreteur::bra() { NIET(); }
void interpreteur::brn() { NIET(); }
void interpreteur::bhi() { NIET(); }
void interpreteur::bls() { NIET(); }
void interpreteur::bcc() { NIET(); }
void interpreteur::bcs() { NIET(); }
void interpreteur::bne() { NIET(); }
void interpreteur::beq() { NIET(); }
void interpreteur::bvc() { NIET(); }
void interpreteur::bvs() { NIET(); }
void interpreteur::bpl() { NIET(); }
void interpreteur::bmi() { NIET(); }
void interpreteur::bge() { NIET(); }
void interpreteur::blt() { NIET(); }
void interpreteur::bgt() { NIET(); }
void interpreteur::ble() { NIET(); }
void interpreteur::bsr() { NIET(); }
void interpreteur::jsr() { NIET(); }
void interpreteur::rts() { NIET(); }
void interpreteur::jmp() { NIET(); }
void interpreteur::rti() { NIET(); }
void interpreteur::psha() { NIET(); }
void interpreteur::pshb() { NIET(); }
void interpreteur::pshx() { NIET(); }
void interpreteur::pshy() { NIET(); }
void interpreteur::pula() { NIET(); }
void interpreteur::pulb() { NIET(); }
void interpreteur::pulx() { NIET(); }
void interpreteur::puly() { NIET(); }
void interpreteur::swi() { NIET(); }
void interpreteur::wai() { NIET(); }
void interpreteur::stop() { NIET(); }
