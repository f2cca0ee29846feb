// Shifts, rotates and the bit-manipulation instructions BSET, BCLR, BRSET
// and BRCLR.
//
// Every shift or rotate is one small operation on a value and the carry in;
// the A, B and memory forms share one helper that fetches the operand, runs
// the operation, stores the result and sets the flags. After any shift or
// rotate V = N xor C, taken from the bits just stored; the logical right
// shifts clear N (bit 7 of their result is always 0 anyway).
#include <cstdint>

#include "cpu/interpreteur.h"
#include "memory/mem_64k.h"

namespace {

// The result of one shift or rotate: the new value, the bit shifted out and
// whether N is cleared rather than taken from the value (logical right
// shifts).
struct decale {
  uint8_t valeur;
  bool retenue;
  bool n_nul;
};

typedef decale (*operation_decalage)(uint8_t v, bool retenue_avant);

decale gauche(uint8_t v, bool) {
  return {static_cast<uint8_t>(v << 1), (v & 0x80) != 0, false};
}
decale droite_arithmetique(uint8_t v, bool) {
  return {static_cast<uint8_t>((v >> 1) | (v & 0x80)), (v & 0x01) != 0, false};
}
decale droite_logique(uint8_t v, bool) {
  return {static_cast<uint8_t>(v >> 1), (v & 0x01) != 0, true};
}
decale rotation_gauche(uint8_t v, bool retenue_avant) {
  return {static_cast<uint8_t>((v << 1) | (retenue_avant ? 0x01 : 0x00)),
          (v & 0x80) != 0, false};
}
decale rotation_droite(uint8_t v, bool retenue_avant) {
  return {static_cast<uint8_t>((v >> 1) | (retenue_avant ? 0x80 : 0x00)),
          (v & 0x01) != 0, false};
}

// V from the N and C bits already stored.
void fixe_v_apres_decalage(interpreteur& cpu) {
  const bool n = (cpu.CCR & CCR_N) != 0;
  const bool c = (cpu.CCR & CCR_C) != 0;
  cpu.ccr_bit(CCR_V, n != c);
}

// Runs `op` on v, sets C, N, Z and V, and returns the new value.
uint8_t decale_octet(interpreteur& cpu, operation_decalage op, uint8_t v) {
  const decale d = op(v, (cpu.CCR & CCR_C) != 0);
  cpu.ccr_bit(CCR_C, d.retenue);
  if (d.n_nul)
    cpu.ccr_bit(CCR_N, false);
  else
    cpu.force_CCR_N(d.valeur);
  cpu.force_CCR_Z(d.valeur);
  fixe_v_apres_decalage(cpu);
  return d.valeur;
}

void decale_accumulateur(interpreteur& cpu, operation_decalage op,
                         unsigned char& accumulateur) {
  accumulateur = decale_octet(cpu, op, accumulateur);
}

// Read-modify-write of the byte at the operand address.
void decale_memoire(interpreteur& cpu, operation_decalage op) {
  const uint16_t adresse = cpu.get_adr(1);
  const uint8_t v = cpu.mem->read_byte(adresse);
  cpu.mem->write_byte(adresse, decale_octet(cpu, op, v));
}

// D := r, C from `retenue`, N and Z from the 16-bit result, then V.
void range_d_decale(interpreteur& cpu, uint16_t r, bool retenue, bool n_nul) {
  cpu.set_D_value(r);
  cpu.ccr_bit(CCR_C, retenue);
  if (n_nul)
    cpu.ccr_bit(CCR_N, false);
  else
    cpu.force_CCR_N16(r);
  cpu.force_CCR_Z16(r);
  fixe_v_apres_decalage(cpu);
}

// The operand byte of a bit instruction is addressed first, then the mask
// follows at PC.
uint8_t lit_masque(interpreteur& cpu) { return cpu.mem->read_byte(cpu.PC++); }

void modifie_bits(interpreteur& cpu, bool mettre_a_un) {
  const uint16_t adresse = cpu.get_adr(1);
  const uint8_t masque = lit_masque(cpu);
  const uint8_t v = cpu.mem->read_byte(adresse);
  const uint8_t r = mettre_a_un ? static_cast<uint8_t>(v | masque)
                                : static_cast<uint8_t>(v & ~masque);
  cpu.mem->write_byte(adresse, r);
  cpu.ccr_nz_v0(r);
}

// BRSET (bits_a_un) branches when every bit of the mask is 1 in the operand,
// BRCLR when every bit of the mask is 0. No flag changes.
void branche_sur_bits(interpreteur& cpu, bool bits_a_un) {
  const uint16_t adresse = cpu.get_adr(1);
  const uint8_t v = cpu.mem->read_byte(adresse);
  const uint8_t masque = lit_masque(cpu);
  const int8_t deplacement = static_cast<int8_t>(cpu.mem->read_byte(cpu.PC++));
  const uint8_t testes = bits_a_un ? static_cast<uint8_t>(~v) : v;
  if ((masque & testes) == 0)
    cpu.PC = static_cast<uint16_t>(cpu.PC + deplacement);
}

}  // namespace

void interpreteur::asl() { decale_memoire(*this, gauche); }
void interpreteur::asla() { decale_accumulateur(*this, gauche, A); }
void interpreteur::aslb() { decale_accumulateur(*this, gauche, B); }

void interpreteur::asr() { decale_memoire(*this, droite_arithmetique); }
void interpreteur::asra() {
  decale_accumulateur(*this, droite_arithmetique, A);
}
void interpreteur::asrb() {
  decale_accumulateur(*this, droite_arithmetique, B);
}

void interpreteur::lsr() { decale_memoire(*this, droite_logique); }
void interpreteur::lsra() { decale_accumulateur(*this, droite_logique, A); }
void interpreteur::lsrb() { decale_accumulateur(*this, droite_logique, B); }

void interpreteur::rol() { decale_memoire(*this, rotation_gauche); }
void interpreteur::rola() { decale_accumulateur(*this, rotation_gauche, A); }
void interpreteur::rolb() { decale_accumulateur(*this, rotation_gauche, B); }

void interpreteur::ror() { decale_memoire(*this, rotation_droite); }
void interpreteur::rora() { decale_accumulateur(*this, rotation_droite, A); }
void interpreteur::rorb() { decale_accumulateur(*this, rotation_droite, B); }

void interpreteur::lsld() {
  const uint16_t d = D_value();
  range_d_decale(*this, static_cast<uint16_t>(d << 1), (d & 0x8000) != 0,
                 false);
}

void interpreteur::lsrd() {
  const uint16_t d = D_value();
  range_d_decale(*this, static_cast<uint16_t>(d >> 1), (d & 0x0001) != 0, true);
}

void interpreteur::bset() { modifie_bits(*this, true); }
void interpreteur::bclr() { modifie_bits(*this, false); }
void interpreteur::brset() { branche_sur_bits(*this, true); }
void interpreteur::brclr() { branche_sur_bits(*this, false); }
