// When each instruction of the four opcode pages reads and writes its data:
// one family per mnemonic, and the family's bus pattern placed in the
// instruction's cycles from its addressing mode and cycle count (the rules
// are in cpu/acces.h). The four 256-entry tables are built once, from the
// opcode map of cpu/opcodes.cpp, on the first call.
#include "cpu/acces.h"

#include <cstring>

#include "cpu/interpreteur.h"

extern const int cycle_18[256];
extern const int cycle_1A[256];

namespace {

enum famille {
  LIT,      // reads its operand
  ECRIT,    // writes its operand
  MODIFIE,  // reads its operand, writes it back in the last cycle
  TESTE,    // reads its operand only (TST, BRSET, BRCLR)
  APPEL,    // writes the return address in its last two cycles
  EMPILE,   // writes the stack in its last cycles
  DEPILE,   // reads the stack in its last cycles
  CADRE,    // writes the interrupt frame from the third cycle on
};

struct membre {
  const char* mnemo;
  famille f;
  unsigned char octets;
};

// clang-format off
const membre kFamilles[] = {
  {"ADCA", LIT, 1}, {"ADCB", LIT, 1}, {"ADDA", LIT, 1}, {"ADDB", LIT, 1},
  {"ANDA", LIT, 1}, {"ANDB", LIT, 1}, {"BITA", LIT, 1}, {"BITB", LIT, 1},
  {"CMPA", LIT, 1}, {"CMPB", LIT, 1}, {"EORA", LIT, 1}, {"EORB", LIT, 1},
  {"LDAA", LIT, 1}, {"LDAB", LIT, 1}, {"ORAA", LIT, 1}, {"ORAB", LIT, 1},
  {"SBCA", LIT, 1}, {"SBCB", LIT, 1}, {"SUBA", LIT, 1}, {"SUBB", LIT, 1},
  {"ADDD", LIT, 2}, {"CPD", LIT, 2},  {"CPX", LIT, 2},  {"CPY", LIT, 2},
  {"LDD", LIT, 2},  {"LDS", LIT, 2},  {"LDX", LIT, 2},  {"LDY", LIT, 2},
  {"SUBD", LIT, 2},
  {"STAA", ECRIT, 1}, {"STAB", ECRIT, 1}, {"STD", ECRIT, 2},
  {"STS", ECRIT, 2},  {"STX", ECRIT, 2},  {"STY", ECRIT, 2},
  {"ASL", MODIFIE, 1}, {"ASR", MODIFIE, 1}, {"CLR", MODIFIE, 1},
  {"COM", MODIFIE, 1}, {"DEC", MODIFIE, 1}, {"INC", MODIFIE, 1},
  {"LSR", MODIFIE, 1}, {"NEG", MODIFIE, 1}, {"ROL", MODIFIE, 1},
  {"ROR", MODIFIE, 1}, {"BSET", MODIFIE, 1}, {"BCLR", MODIFIE, 1},
  {"TST", TESTE, 1}, {"BRSET", TESTE, 1}, {"BRCLR", TESTE, 1},
  {"JSR", APPEL, 2}, {"BSR", APPEL, 2},
  {"PSHA", EMPILE, 1}, {"PSHB", EMPILE, 1}, {"PSHX", EMPILE, 2},
  {"PSHY", EMPILE, 2},
  {"PULA", DEPILE, 1}, {"PULB", DEPILE, 1}, {"PULX", DEPILE, 2},
  {"PULY", DEPILE, 2}, {"RTS", DEPILE, 2},  {"RTI", DEPILE, 9},
  {"SWI", CADRE, 9}, {"WAI", CADRE, 9},
};
// clang-format on

// `nom` against a map entry padded with blanks to five characters.
bool meme_mnemo(const char* entree, const char* nom) {
  const std::size_t n = std::strlen(nom);
  return std::strncmp(entree, nom, n) == 0 &&
         (entree[n] == ' ' || entree[n] == '\0');
}

const membre* famille_de(const char* entree) {
  for (const membre& m : kFamilles)
    if (meme_mnemo(entree, m.mnemo)) return &m;
  return nullptr;
}

struct acces_complet {
  acces_bus bus;
  acces_octets octets;
};

acces_complet place(const membre& m, unsigned char mode, int p, int n) {
  acces_complet r{{0, 0}, {0, 0}};
  // Cycle of the operand once its address is known; 0 without one.
  int operande = 0;
  if (mode == DIR) operande = p + 3;
  if (mode == EXT || mode == INDX || mode == INDY) operande = p + 4;
  const auto c = [](int cycle) { return static_cast<unsigned char>(cycle); };
  switch (m.f) {
    case LIT:
    case TESTE:
      if (operande) r = {{c(operande), 0}, {m.octets, 0}};
      break;
    case ECRIT:
      if (operande) r = {{0, c(operande)}, {0, m.octets}};
      break;
    case MODIFIE:
      if (operande) r = {{c(operande), c(n)}, {1, 1}};
      break;
    case APPEL:
    case EMPILE:
      r = {{0, c(n - m.octets + 1)}, {0, m.octets}};
      break;
    case DEPILE:
      r = {{c(n - m.octets + 1), 0}, {m.octets, 0}};
      break;
    case CADRE:
      r = {{0, c(p + 3)}, {0, m.octets}};
      break;
  }
  return r;
}

struct table_acces {
  acces_complet pages[4][256];

  table_acces() {
    const unsigned char prefixes[4] = {0x00, 0x18, 0x1A, 0xCD};
    for (int i = 0; i < 4; ++i) {
      for (int code = 0; code < 256; ++code) {
        const char* mnemo;
        unsigned char mode;
        int cycles;
        switch (prefixes[i]) {
          case 0x18:
            mnemo = interpreteur::tab_mnemo_18[code];
            mode = interpreteur::t_prb_18[code];
            cycles = cycle_18[code];
            break;
          case 0x1A:
            mnemo = interpreteur::tab_mnemo_1A[code];
            mode = interpreteur::t_prb_1A[code];
            cycles = cycle_1A[code];
            break;
          case 0xCD:
            mnemo = interpreteur::tab_mnemo_CD[code];
            mode = interpreteur::t_prb_CD[code];
            cycles = interpreteur::cycle_CD[code];
            break;
          default:
            mnemo = interpreteur::tab_mnemo[code];
            mode = interpreteur::t_adr[code];
            cycles = interpreteur::cycle[code];
            break;
        }
        const membre* m = famille_de(mnemo);
        pages[i][code] = (m && cycles > 0)
                             ? place(*m, mode, prefixes[i] ? 1 : 0, cycles)
                             : acces_complet{{0, 0}, {0, 0}};
      }
    }
  }
};

const acces_complet& cherche(unsigned char page, unsigned char code) {
  static const table_acces table;
  static const acces_complet rien{{0, 0}, {0, 0}};
  switch (page) {
    case 0x00:
      return table.pages[0][code];
    case 0x18:
      return table.pages[1][code];
    case 0x1A:
      return table.pages[2][code];
    case 0xCD:
      return table.pages[3][code];
    default:
      return rien;
  }
}

}  // namespace

acces_bus acces_donnees(unsigned char page, unsigned char code) {
  return cherche(page, code).bus;
}

acces_octets octets_donnees(unsigned char page, unsigned char code) {
  return cherche(page, code).octets;
}
