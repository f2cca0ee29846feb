// Branches, jumps, subroutines, the stack and the control instructions.
//
// The stack pointer addresses the next free byte: a push stores then
// decrements, a pull increments then reads. A word lies big-endian on the
// stack, its high byte at the lower address. All PC and SP arithmetic wraps
// modulo 0x10000 (and so does a word at 0xFFFF in memory).
//
// Without the chip (avec_puce off) there is no interrupt system: SWI, WAI
// and STOP only say so on the standard error stream and go on with the next
// byte. With it, SWI, WAI and STOP act as the MC68HC11 does; what follows a
// WAI or a STOP (waiting, waking, the vector) is the machine's part.
#include <cstdint>
#include <iostream>

#include "cpu/interpreteur.h"
#include "memory/mem_64k.h"

namespace {

bool drapeau(const interpreteur& cpu, unsigned char masque) {
  return (cpu.CCR & masque) != 0;
}

// N xor V: the "less than" of a signed comparison.
bool signe_inferieur(const interpreteur& cpu) {
  return drapeau(cpu, CCR_N) != drapeau(cpu, CCR_V);
}

// The signed offset byte of a relative instruction; PC then addresses the
// next instruction, from which the offset counts.
int8_t lit_deplacement(interpreteur& cpu) {
  return static_cast<int8_t>(cpu.mem->read_byte(cpu.get_adr(1)));
}

// Relative branch: the offset byte is read in every case; when `condition`
// holds PC moves by it from the address of the next instruction.
void branche_si(interpreteur& cpu, bool condition) {
  const int8_t deplacement = lit_deplacement(cpu);
  if (condition) cpu.PC = static_cast<uint16_t>(cpu.PC + deplacement);
}

void empile_octet(interpreteur& cpu, uint8_t v) {
  cpu.mem->write_byte(cpu.SP, v);
  --cpu.SP;
}

void empile_mot(interpreteur& cpu, uint16_t v) {
  --cpu.SP;
  cpu.mem->write_word(cpu.SP, v);
  --cpu.SP;
}

uint8_t depile_octet(interpreteur& cpu) {
  ++cpu.SP;
  return cpu.mem->read_byte(cpu.SP);
}

uint16_t depile_mot(interpreteur& cpu) {
  ++cpu.SP;
  const uint16_t v = cpu.mem->read_word(cpu.SP);
  ++cpu.SP;
  return v;
}

void pas_encore_la() { std::cerr << "pas encore la" << std::endl; }

}  // namespace

void interpreteur::bra() { branche_si(*this, true); }
// BRN never branches and does not even read its offset.
void interpreteur::brn() { ++PC; }
void interpreteur::bhi() {
  branche_si(*this, !drapeau(*this, CCR_C) && !drapeau(*this, CCR_Z));
}
void interpreteur::bls() {
  branche_si(*this, drapeau(*this, CCR_C) || drapeau(*this, CCR_Z));
}
void interpreteur::bcc() { branche_si(*this, !drapeau(*this, CCR_C)); }
void interpreteur::bcs() { branche_si(*this, drapeau(*this, CCR_C)); }
void interpreteur::bne() { branche_si(*this, !drapeau(*this, CCR_Z)); }
void interpreteur::beq() { branche_si(*this, drapeau(*this, CCR_Z)); }
void interpreteur::bvc() { branche_si(*this, !drapeau(*this, CCR_V)); }
void interpreteur::bvs() { branche_si(*this, drapeau(*this, CCR_V)); }
void interpreteur::bpl() { branche_si(*this, !drapeau(*this, CCR_N)); }
void interpreteur::bmi() { branche_si(*this, drapeau(*this, CCR_N)); }
void interpreteur::bge() { branche_si(*this, !signe_inferieur(*this)); }
void interpreteur::blt() { branche_si(*this, signe_inferieur(*this)); }
void interpreteur::bgt() {
  branche_si(*this, !drapeau(*this, CCR_Z) && !signe_inferieur(*this));
}
void interpreteur::ble() {
  branche_si(*this, drapeau(*this, CCR_Z) || signe_inferieur(*this));
}

void interpreteur::bsr() {
  const int8_t deplacement = lit_deplacement(*this);
  empile_mot(*this, PC);
  PC = static_cast<uint16_t>(PC + deplacement);
}

void interpreteur::jsr() {
  const uint16_t cible = get_adr(2);
  empile_mot(*this, PC);
  PC = cible;
}

void interpreteur::rts() { PC = depile_mot(*this); }

void interpreteur::jmp() { PC = get_adr(2); }

// The frame an interrupt leaves: CCR, B, A, X, Y, PC from the lowest address
// up. Like TAP, RTI can clear the X bit but never set it.
void interpreteur::rti() {
  const uint8_t ccr_pile = depile_octet(*this);
  CCR = (CCR & CCR_X) ? ccr_pile : static_cast<uint8_t>(ccr_pile & ~CCR_X);
  B = depile_octet(*this);
  A = depile_octet(*this);
  X = depile_mot(*this);
  Y = depile_mot(*this);
  PC = depile_mot(*this);
}

void interpreteur::psha() { empile_octet(*this, A); }
void interpreteur::pshb() { empile_octet(*this, B); }
void interpreteur::pshx() { empile_mot(*this, X); }
void interpreteur::pshy() { empile_mot(*this, Y); }
void interpreteur::pula() { A = depile_octet(*this); }
void interpreteur::pulb() { B = depile_octet(*this); }
void interpreteur::pulx() { X = depile_mot(*this); }
void interpreteur::puly() { Y = depile_mot(*this); }

void interpreteur::empile_registres() {
  empile_mot(*this, PC);
  empile_mot(*this, Y);
  empile_mot(*this, X);
  empile_octet(*this, A);
  empile_octet(*this, B);
  empile_octet(*this, CCR);
}

void interpreteur::prend_vecteur(unsigned short vecteur, bool masque_x) {
  CCR = static_cast<uint8_t>(CCR | CCR_I | (masque_x ? CCR_X : 0));
  PC = mem->read_word(vecteur);
}

// SWI is not masked by I; it sets I like any interrupt.
void interpreteur::swi() {
  if (!avec_puce) return pas_encore_la();
  empile_registres();
  prend_vecteur(0xFFF6, false);
}

void interpreteur::wai() {
  if (!avec_puce) return pas_encore_la();
  empile_registres();
  etat = attente;
}

// With S set (the reset state), STOP does nothing.
void interpreteur::stop() {
  if (!avec_puce) return pas_encore_la();
  if (!(CCR & CCR_S)) etat = arrete;
}
