// The opcode map checked against its own structural rules and against a
// peer: the GNU disassembler for the 68HC11 (m68hc11-objdump) must find the
// same instruction length, mnemonic and addressing mode for every row of the
// four pages.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "cpu/interpreteur.h"

extern const int cycle_18[256];
extern const int cycle_1A[256];
void NIET(interpreteur&);
void mon_std(interpreteur&);
void ldaa(interpreteur&);
void tsx(interpreteur&);
void txs(interpreteur&);

namespace {

struct Page {
  const char* nom;
  int prebyte;  // -1 for page 0
  entree_opcode const* entrees;
  const unsigned char* operandes;
  const unsigned char* modes;
  const char (*mnemos)[6];
  const int* cycles;
  int nb_instructions;  // rows that hold an instruction
};

const std::vector<Page>& pages() {
  static const std::vector<Page> liste = {
      {"0", -1, opcode, interpreteur::nb_operand, interpreteur::t_adr,
       interpreteur::tab_mnemo, interpreteur::cycle, 232},
      {"18", 0x18, opcode_18, interpreteur::nb_operand_18,
       interpreteur::t_prb_18, interpreteur::tab_mnemo_18, cycle_18, 64},
      {"1A", 0x1A, opcode_1A, interpreteur::nb_operand_1A,
       interpreteur::t_prb_1A, interpreteur::tab_mnemo_1A, cycle_1A, 7},
      {"CD", 0xCD, opcode_CD, interpreteur::nb_operand_CD,
       interpreteur::t_prb_CD, interpreteur::tab_mnemo_CD,
       interpreteur::cycle_CD, 4},
  };
  return liste;
}

bool est_prebyte(int code) {
  return code == 0x18 || code == 0x1A || code == 0xCD;
}

bool existe(const Page& p, int code) {
  return std::strcmp(p.mnemos[code], "?????") != 0;
}

std::string nom_ligne(const Page& p, int code) {
  char texte[32];
  std::snprintf(texte, sizeof texte, "page %s row %02X", p.nom, code);
  return texte;
}

std::string sans_blancs(const char* mnemo) {
  std::string s(mnemo);
  return s.substr(0, s.find(' '));
}

// ---- structure of the tables ----

TEST(CarteOpcodes, NombreDeLignesParPage) {
  for (const Page& p : pages()) {
    int n = 0;
    for (int code = 0; code < 256; ++code) n += existe(p, code);
    EXPECT_EQ(p.nb_instructions, n) << "page " << p.nom;
  }
}

TEST(CarteOpcodes, MnemoniquesSurCinqCaracteres) {
  for (const Page& p : pages())
    for (int code = 0; code < 256; ++code) {
      SCOPED_TRACE(nom_ligne(p, code));
      const char* m = p.mnemos[code];
      EXPECT_EQ('\0', m[5]);
      EXPECT_EQ(5u, std::strlen(m));
      EXPECT_TRUE(std::isupper(static_cast<unsigned char>(m[0])) ||
                  m[0] == '?');
      const std::string nom = sans_blancs(m);
      EXPECT_GE(nom.size(), 2u);
      EXPECT_EQ(std::string(5 - nom.size(), ' '), std::string(m + nom.size()));
    }
}

TEST(CarteOpcodes, LignesParDefaut) {
  for (const Page& p : pages())
    for (int code = 0; code < 256; ++code) {
      if (existe(p, code)) continue;
      SCOPED_TRACE(nom_ligne(p, code));
      EXPECT_EQ(&NIET, p.entrees[code]);
      EXPECT_EQ(0, p.operandes[code]);
      EXPECT_EQ(0, p.cycles[code]);
      unsigned char mode = interpreteur::NOS;
      if (p.prebyte < 0 && code == 0x00) mode = interpreteur::INH;
      if (p.prebyte < 0 && est_prebyte(code)) mode = interpreteur::PRB;
      EXPECT_EQ(mode, p.modes[code]);
    }
}

TEST(CarteOpcodes, LesLignesDInstructionOntUnHandlerEtDesCycles) {
  for (const Page& p : pages())
    for (int code = 0; code < 256; ++code) {
      if (!existe(p, code)) continue;
      SCOPED_TRACE(nom_ligne(p, code));
      EXPECT_NE(&NIET, p.entrees[code]);
      EXPECT_GE(p.cycles[code], 2);
      EXPECT_LE(p.cycles[code], 41);
      EXPECT_LE(p.modes[code], interpreteur::REL);
    }
}

// One mnemonic, one handler; two mnemonics, two handlers.
TEST(CarteOpcodes, UnHandlerParMnemonique) {
  std::map<std::string, entree_opcode> par_nom;
  std::map<entree_opcode, std::string> par_entree;
  for (const Page& p : pages())
    for (int code = 0; code < 256; ++code) {
      if (!existe(p, code)) continue;
      const std::string nom = sans_blancs(p.mnemos[code]);
      const auto n = par_nom.emplace(nom, p.entrees[code]).first;
      EXPECT_EQ(n->second, p.entrees[code]) << nom_ligne(p, code);
      const auto e = par_entree.emplace(p.entrees[code], nom).first;
      EXPECT_EQ(e->second, nom) << nom_ligne(p, code);
    }
  EXPECT_EQ(&mon_std, par_nom["STD"]);
  EXPECT_EQ(&ldaa, par_nom["LDAA"]);
  EXPECT_EQ(&tsx, opcode[0x30]);
  EXPECT_EQ(&txs, opcode[0x35]);
}

// Operand bytes follow from the mode, but for the 16-bit immediates and the
// bit-manipulation instructions.
int operandes_attendus(const Page& p, int code) {
  static const std::set<std::string> immediats16 = {
      "SUBD", "ADDD", "CPX", "CPY", "CPD", "LDS", "LDD", "LDX", "LDY"};
  const std::string nom = sans_blancs(p.mnemos[code]);
  if (nom == "BSET" || nom == "BCLR") return 2;
  if (nom == "BRSET" || nom == "BRCLR") return 3;
  switch (p.modes[code]) {
    case interpreteur::INH:
      return 0;
    case interpreteur::IMM:
      return immediats16.count(nom) ? 2 : 1;
    case interpreteur::EXT:
      return 2;
    default:
      return 1;
  }
}

TEST(CarteOpcodes, OperandesSelonLeMode) {
  for (const Page& p : pages())
    for (int code = 0; code < 256; ++code) {
      if (!existe(p, code)) continue;
      EXPECT_EQ(operandes_attendus(p, code), p.operandes[code])
          << nom_ligne(p, code);
    }
}

TEST(CarteOpcodes, LaPlusLongueInstructionFaitCinqOctets) {
  int plus_longue = 0;
  for (const Page& p : pages())
    for (int code = 0; code < 256; ++code)
      plus_longue =
          std::max(plus_longue, (p.prebyte >= 0) + 1 + p.operandes[code]);
  EXPECT_EQ(5, plus_longue);
  EXPECT_EQ(3, interpreteur::nb_operand_18[0x1E]);
  EXPECT_EQ(3, interpreteur::nb_operand_18[0x1F]);
}

// Cycle counts of the data book, page by page.
TEST(CarteOpcodes, CyclesDuDataBook) {
  struct Cas {
    const int* table;
    int code, cycles;
  } cas[] = {
      {interpreteur::cycle, 0x38, 5},
      {interpreteur::cycle, 0x3E, 14},
      {interpreteur::cycle, 0x3F, 14},
      {interpreteur::cycle, 0x02, 41},
      {interpreteur::cycle, 0x3B, 12},
      {interpreteur::cycle, 0x8D, 6},
      {interpreteur::cycle, 0x18, 0},
      {interpreteur::cycle, 0x1A, 0},
      {interpreteur::cycle, 0xCD, 0},
      {cycle_18, 0x08, 4},
      {cycle_18, 0x1C, 8},
      {cycle_18, 0x38, 6},
      {cycle_18, 0x3C, 5},
      {cycle_18, 0xCE, 4},
      {cycle_1A, 0x83, 5},
      {cycle_1A, 0xB3, 7},
      {interpreteur::cycle_CD, 0xEE, 6},
      {interpreteur::cycle_CD, 0xA3, 7},
  };
  for (const Cas& c : cas) EXPECT_EQ(c.cycles, c.table[c.code]) << c.code;
}

// ---- the peer: m68hc11-objdump ----

struct LigneObjdump {
  unsigned adresse;
  std::string mnemo;
  std::string operande;
};

// "   4:\t18 ce 12 34 \tldy\t#0x1234": address, bytes, mnemonic, operand.
// Continuation lines, which only carry more bytes, have no mnemonic.
bool lit_ligne(const std::string& texte, LigneObjdump& l) {
  std::vector<std::string> champs;
  std::istringstream flux(texte);
  for (std::string champ; std::getline(flux, champ, '\t');)
    champs.push_back(champ);
  if (champs.size() < 3 || champs[0].empty() || champs[0].back() != ':')
    return false;
  char* fin = nullptr;
  l.adresse = static_cast<unsigned>(std::strtoul(champs[0].c_str(), &fin, 16));
  if (*fin != ':' || champs[2].empty()) return false;
  l.mnemo = champs[2];
  l.operande = champs.size() > 3 ? champs[3] : "";
  return true;
}

// objdump -D on several files at once: for each file, its instruction lines
// (continuation lines, which only carry more bytes, are left out).
std::map<std::string, std::vector<LigneObjdump>> desassemble(
    const std::vector<std::string>& fichiers) {
  std::string commande = "m68hc11-objdump -D -b binary -m m68hc11";
  for (const auto& f : fichiers) commande += " " + f;
  std::map<std::string, std::vector<LigneObjdump>> resultat;
  FILE* flux = popen((commande + " 2>&1").c_str(), "r");
  if (!flux) return resultat;
  std::string courant;
  char tampon[512];
  while (std::fgets(tampon, sizeof tampon, flux)) {
    std::string texte(tampon);
    if (!texte.empty() && texte.back() == '\n') texte.pop_back();
    const auto format = texte.find(":     file format");
    if (format != std::string::npos) {
      courant = texte.substr(0, format);
      continue;
    }
    LigneObjdump l;
    if (lit_ligne(texte, l)) resultat[courant].push_back(l);
  }
  pclose(flux);
  return resultat;
}

// Mode as objdump writes the operand: #imm, *dir, off,x, off,y, a branch
// target (printed 0x0x..), or a plain extended address.
unsigned char mode_objdump(const LigneObjdump& l) {
  const std::string& o = l.operande;
  if (o.empty()) return interpreteur::INH;
  if (o[0] == '#') return interpreteur::IMM;
  if (o[0] == '*') return interpreteur::DIR;
  const std::string premier = o.substr(0, o.find(", "));
  if (premier.size() > 2 && premier.compare(premier.size() - 2, 2, ",x") == 0)
    return interpreteur::INDX;
  if (premier.size() > 2 && premier.compare(premier.size() - 2, 2, ",y") == 0)
    return interpreteur::INDY;
  if (o.compare(0, 4, "0x0x") == 0) return interpreteur::REL;
  return interpreteur::EXT;
}

// objdump's names where the data book has two and the map keeps the other.
std::string nom_de_la_carte(const std::string& objdump) {
  static const std::map<std::string, std::string> alias = {
      {"ASLD", "LSLD"}, {"LSLA", "ASLA"}, {"LSLB", "ASLB"},
      {"LSL", "ASL"},   {"BHS", "BCC"},   {"BLO", "BCS"}};
  std::string nom;
  for (char c : objdump) nom += static_cast<char>(std::toupper(c));
  const auto a = alias.find(nom);
  return a == alias.end() ? nom : a->second;
}

class Pair : public ::testing::Test {
 protected:
  std::string dossier;
  void SetUp() override {
    char modele[] = "/tmp/tamrix_opcodes_XXXXXX";
    ASSERT_NE(nullptr, mkdtemp(modele));
    dossier = modele;
  }
  void TearDown() override { std::filesystem::remove_all(dossier); }
  // The row's bytes with distinct operand bytes, then a NOP, so that objdump
  // shows where it believes the instruction ends.
  std::string ecrit_ligne(const Page& p, int code) {
    std::string octets;
    if (p.prebyte >= 0) octets += static_cast<char>(p.prebyte);
    octets += static_cast<char>(code);
    for (int i = 0; i < p.operandes[code]; ++i)
      octets += static_cast<char>(0x10 * (i + 1));
    octets += '\x01';
    char nom[64];
    std::snprintf(nom, sizeof nom, "/p%s_%02x", p.nom, code);
    std::ofstream(dossier + nom, std::ios::binary) << octets;
    return dossier + nom;
  }
};

// Page-0 row 0x00 is no instruction here (TEST is for the chip's test
// modes); objdump knows it as "bgnd".
bool difference_connue(const Page& p, int code, const LigneObjdump& l) {
  return p.prebyte < 0 && code == 0x00 && l.mnemo == "bgnd";
}

void compare_ligne(const Page& p, int code,
                   const std::vector<LigneObjdump>& lignes) {
  SCOPED_TRACE(nom_ligne(p, code));
  ASSERT_EQ(2u, lignes.size()) << "objdump found no instruction boundary";
  const LigneObjdump& l = lignes[0];
  const unsigned longueur = (p.prebyte >= 0) + 1 + p.operandes[code];
  if (difference_connue(p, code, l)) return;
  if (!existe(p, code)) {
    EXPECT_EQ(".byte", l.mnemo) << l.operande;
    return;
  }
  EXPECT_EQ(sans_blancs(p.mnemos[code]), nom_de_la_carte(l.mnemo));
  EXPECT_EQ(longueur, lignes[1].adresse);
  EXPECT_EQ("nop", lignes[1].mnemo);
  EXPECT_EQ(p.modes[code], mode_objdump(l)) << l.operande;
}

TEST_F(Pair, ObjdumpEstDAccordAvecChaqueLigne) {
  for (const Page& p : pages()) {
    std::vector<std::string> fichiers;
    std::vector<int> codes;
    for (int code = 0; code < 256; ++code) {
      if (p.prebyte < 0 && est_prebyte(code)) continue;
      fichiers.push_back(ecrit_ligne(p, code));
      codes.push_back(code);
    }
    const auto sortie = desassemble(fichiers);
    ASSERT_EQ(fichiers.size(), sortie.size())
        << "objdump failed on page " << p.nom;
    for (size_t i = 0; i < codes.size(); ++i)
      compare_ligne(p, codes[i], sortie.at(fichiers[i]));
  }
}

// The peer itself must see what this test looks for, or the check above
// would pass on nothing.
TEST_F(Pair, LeParseurReconnaitObjdump) {
  const Page& p0 = pages()[0];
  const auto sortie =
      desassemble({ecrit_ligne(p0, 0x86), ecrit_ligne(p0, 0x87)});
  ASSERT_EQ(2u, sortie.size());
  const auto& ldaa_lignes = sortie.begin()->second;
  ASSERT_EQ(2u, ldaa_lignes.size());
  EXPECT_EQ("ldaa", ldaa_lignes[0].mnemo);
  EXPECT_EQ("#0x10", ldaa_lignes[0].operande);
  EXPECT_EQ(2u, ldaa_lignes[1].adresse);
  EXPECT_EQ(".byte", std::next(sortie.begin())->second[0].mnemo);
}

}  // namespace
