// Building the mnemonic table from the opcode map's pages.
#include "assembleur/codage.h"

#include <cstring>
#include <unordered_map>

#include "cpu/interpreteur.h"

extern const int cycle_18[256];
extern const int cycle_1A[256];

namespace asm11 {

namespace {

struct page {
  unsigned char prefixe;
  const unsigned char* nb;
  const unsigned char* modes;
  const char (*mnemoniques)[6];
  const int* cycles;
};

struct table {
  std::vector<instruction_asm> instructions;
  std::unordered_map<std::string, std::size_t> par_nom;
};

table construit() {
  using I = interpreteur;
  const page pages[] = {
      {0, I::nb_operand, I::t_adr, I::tab_mnemo, I::cycle},
      {0x18, I::nb_operand_18, I::t_prb_18, I::tab_mnemo_18, cycle_18},
      {0x1A, I::nb_operand_1A, I::t_prb_1A, I::tab_mnemo_1A, cycle_1A},
      {0xCD, I::nb_operand_CD, I::t_prb_CD, I::tab_mnemo_CD, I::cycle_CD}};
  table t;
  for (const page& p : pages)
    for (unsigned code = 0; code < 256; ++code) {
      const unsigned char mode = p.modes[code];
      if (mode > I::REL || p.mnemoniques[code][0] == '?') continue;
      std::string nom(p.mnemoniques[code], strnlen(p.mnemoniques[code], 5));
      while (!nom.empty() && nom.back() == ' ') nom.pop_back();
      auto [place, nouveau] = t.par_nom.emplace(nom, t.instructions.size());
      if (nouveau) {
        t.instructions.emplace_back();
        t.instructions.back().nom = nom;
        t.instructions.back().bits = nom == "BSET" || nom == "BCLR";
        t.instructions.back().branche_bits = nom == "BRSET" || nom == "BRCLR";
      }
      code_op& c = t.instructions[place->second].modes[mode];
      if (c.existe) continue;  // the first row of a name and mode wins
      c.existe = true;
      c.prefixe = p.prefixe;
      c.code = static_cast<unsigned char>(code);
      c.nb_operandes = p.nb[code];
      c.cycles = p.cycles[code];
    }
  static const char* const synonymes[][2] = {{"LSLA", "ASLA"}, {"LSLB", "ASLB"},
                                             {"LSL", "ASL"},   {"ASLD", "LSLD"},
                                             {"BHS", "BCC"},   {"BLO", "BCS"}};
  for (const auto& s : synonymes) {
    const auto source = t.par_nom.find(s[1]);
    if (source == t.par_nom.end()) continue;
    instruction_asm copie = t.instructions[source->second];
    copie.nom = s[0];
    t.par_nom.emplace(copie.nom, t.instructions.size());
    t.instructions.push_back(copie);
  }
  return t;
}

const table& la_table() {
  static const table t = construit();
  return t;
}

}  // namespace

const instruction_asm* cherche_instruction(std::string_view nom) {
  const table& t = la_table();
  const auto trouve = t.par_nom.find(std::string(nom));
  return trouve == t.par_nom.end() ? nullptr : &t.instructions[trouve->second];
}

const std::vector<instruction_asm>& jeu_instructions() {
  return la_table().instructions;
}

void pose_code(const code_op& c, std::vector<unsigned char>& octets) {
  if (c.prefixe != 0) octets.push_back(c.prefixe);
  octets.push_back(c.code);
}

}  // namespace asm11
