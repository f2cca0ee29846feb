// Every instruction of the CPU's opcode map in each of its addressing
// modes, as one program written twice: in Motorola's syntax for tamrix's
// assembler and in GNU as syntax for m68hc11-as. Made from the map itself
// (through the assembler's table, whose rows the test checks against the
// map), so a row added to the map is tested without a line written here.
// The bit instructions alternate commas and blanks between their operands.
// `fois` repeats the whole set (the benchmark's larger program), each line
// with a label of its own.
#ifndef TAMRIX_TESTS_ASSEMBLEUR_JEU_COMPLET_H
#define TAMRIX_TESTS_ASSEMBLEUR_JEU_COMPLET_H

#include <cctype>
#include <string>

#include "assembleur/codage.h"

struct deux_syntaxes {
  std::string motorola, gnu;
  unsigned lignes = 0;
};

inline deux_syntaxes jeu_complet(int fois = 1) {
  deux_syntaxes d;
  d.motorola = "        ORG     $B600\n";
  d.gnu = "        .sect .text\n";
  for (int f = 0; f < fois; ++f)
    for (const asm11::instruction_asm& ins : asm11::jeu_instructions()) {
      std::string gnu_nom;
      for (char c : ins.nom)
        gnu_nom +=
            static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
      for (int m = asm11::inh; m < asm11::nb_modes; ++m) {
        const asm11::code_op& co = ins.modes[m];
        if (!co.existe) continue;
        const std::string etiquette = "l" + std::to_string(++d.lignes);
        const bool virgules = d.lignes % 2 == 0;
        std::string mo, gn;
        const bool large = co.nb_operandes == 2;
        switch (m) {
          case asm11::imm:
            mo = large ? "#$1234" : "#$5A";
            gn = large ? "#0x1234" : "#0x5a";
            break;
          case asm11::dir:
            mo = "$5A";
            gn = "*0x5a";
            break;
          case asm11::ext:
            mo = "$1234";
            gn = "0x1234";
            break;
          case asm11::indx:
            mo = "$5A,X";
            gn = "0x5a,x";
            break;
          case asm11::indy:
            mo = "$5A,Y";
            gn = "0x5a,y";
            break;
          case asm11::rel:
            mo = gn = etiquette;
            break;
          default:
            break;
        }
        if (ins.bits || ins.branche_bits) {
          mo += virgules ? ",$81" : " $81";
          gn += " #0x81";
          if (ins.branche_bits) {
            mo += (virgules ? "," : " ") + etiquette;
            gn += " " + etiquette;
          }
        }
        d.motorola += etiquette + std::string(8 - etiquette.size() % 8, ' ') +
                      ins.nom + "\t" + mo + "\n";
        d.gnu += etiquette + ":\t" + gnu_nom + "\t" + gn + "\n";
      }
    }
  d.motorola += "        END\n";
  return d;
}

#endif
