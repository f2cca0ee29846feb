// The instruction set as the assembler sees it: for each mnemonic, the
// opcode (with its prebyte), operand-byte count and cycle count of each
// addressing mode. Read once from the CPU's own opcode map
// (cpu/opcodes.cpp: the four pages, their mode, operand-count, mnemonic
// and cycle tables), so that the assembler, the disassembler and the
// interpreter cannot disagree; there is no second table.
//
// The map keeps one name where the data book has two for an opcode; the
// other names are added here as synonyms of the same rows: LSLA (ASLA),
// LSLB (ASLB), LSL (ASL), ASLD (LSLD), BHS (BCC), BLO (BCS).
#ifndef TAMRIX_ASSEMBLEUR_CODAGE_H
#define TAMRIX_ASSEMBLEUR_CODAGE_H

#include <string>
#include <string_view>
#include <vector>

namespace asm11 {

// The CPU's mode codes (interpreteur::INH ... REL).
enum mode_asm { inh, imm, dir, ext, indx, indy, rel, nb_modes };

struct code_op {
  bool existe = false;
  unsigned char prefixe = 0;  // 0x18, 0x1A, 0xCD, or 0: none
  unsigned char code = 0;
  unsigned char nb_operandes = 0;  // bytes after the opcode byte
  int cycles = 0;
  unsigned taille() const { return (prefixe ? 2u : 1u) + nb_operandes; }
};

struct instruction_asm {
  std::string nom;  // capitals
  code_op modes[nb_modes];
  // BSET, BCLR: address then mask; BRSET, BRCLR: address, mask, target.
  bool bits = false;
  bool branche_bits = false;
};

// The instruction of that name (capitals), nullptr when there is none.
const instruction_asm* cherche_instruction(std::string_view nom);

// Every instruction, the map's names first, then the synonyms.
const std::vector<instruction_asm>& jeu_instructions();

// Appends the prebyte (if any) and the opcode.
void pose_code(const code_op& c, std::vector<unsigned char>& octets);

}  // namespace asm11

#endif
