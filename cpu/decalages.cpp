// Placeholder until this family is written: every handler reports a
// non-existent instruction.
#include "cpu/interpreteur.h"

void interpreteur::asl() { NIET(); }
void interpreteur::asla() { NIET(); }
void interpreteur::aslb() { NIET(); }
void interpreteur::asr() { NIET(); }
void interpreteur::asra() { NIET(); }
void interpreteur::asrb() { NIET(); }
void interpreteur::lsld() { NIET(); }
void interpreteur::lsr() { NIET(); }
void interpreteur::lsra() { NIET(); }
void interpreteur::lsrb() { NIET(); }
void interpreteur::lsrd() { NIET(); }
void interpreteur::rol() { NIET(); }
void interpreteur::rola() { NIET(); }
void interpreteur::rolb() { NIET(); }
void interpreteur::ror() { NIET(); }
void interpreteur::rora() { NIET(); }
void interpreteur::rorb() { NIET(); }
void interpreteur::bset() { NIET(); }
void interpreteur::bclr() { NIET(); }
void interpreteur::brset() { NIET(); }
void interpreteur::brclr() { NIET(); }
