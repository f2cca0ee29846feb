// Fills memory with arbitrary bytes and runs the disassembler over it and
// a few thousand instructions from arbitrary register values. The input
// gives the registers (11 bytes) and then the memory contents, repeated to
// fill the 64 KiB.

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iostream>

#include "cpu/interpreteur.h"
#include "memory/mem_64k.h"

namespace {

constexpr int nb_pas = 4000;
constexpr size_t taille_registres = 11;

unsigned short mot(const uint8_t* o) {
  return static_cast<unsigned short>(o[0] << 8 | o[1]);
}

void pose_registres(interpreteur& cpu, const uint8_t* o) {
  cpu.PC = mot(o);
  cpu.SP = mot(o + 2);
  cpu.X = mot(o + 4);
  cpu.Y = mot(o + 6);
  cpu.A = o[8];
  cpu.B = o[9];
  cpu.CCR = o[10];
}

void remplit(mem_64k& mem, const uint8_t* octets, size_t taille) {
  for (unsigned a = 0; a < 0x10000; ++a)
    mem.cellules[a] = taille == 0 ? 0xFF : octets[a % taille];
}

// The disassembler around an address: texts within 16 characters,
// desa_ins and desa_num in agreement, desa_num_pre always returning.
void desassemble(interpreteur& cpu, unsigned short adresse) {
  char texte[32];
  for (int i = 0; i < 16; ++i) {
    std::memset(texte, 0x55, sizeof texte);
    const unsigned short suivante = cpu.desa_ins(adresse, texte);
    if (std::strlen(texte) > 16 || suivante != cpu.desa_num(adresse))
      std::abort();
    const unsigned short precedente = cpu.desa_num_pre(adresse);
    const unsigned recul = static_cast<unsigned short>(adresse - precedente);
    if ((recul < 1 || recul > 5) && !(adresse == 0 && precedente == 0))
      std::abort();
    adresse = suivante;
  }
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  // Silences the diagnostics of the CPU on std::cerr; the sanitizers and
  // libFuzzer keep the standard error stream for their reports.
  static std::ofstream nulle("/dev/null");
  std::cerr.rdbuf(nulle.rdbuf());
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* octets, size_t taille) {
  if (taille < taille_registres) return 0;
  static mem_64k mem;
  static interpreteur cpu;
  cpu.learn_mem(&mem);
  pose_registres(cpu, octets);
  remplit(mem, octets + taille_registres, taille - taille_registres);
  desassemble(cpu, cpu.PC);
  desassemble(cpu, 0xFFF8);
  desassemble(cpu, 0x0000);
  for (int pas = 0; pas < nb_pas; ++pas) cpu.step();
  desassemble(cpu, cpu.PC);
  for (unsigned short cellule : mem.cellules)
    if (cellule > 0xFF) std::abort();
  return 0;
}
