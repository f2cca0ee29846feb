// tamrix's assembler against the GNU tools (m68hc11-as and m68hc11-ld
// through tools/assemble.sh): the same program in both syntaxes must give
// the same bytes at the same addresses, for every instruction and
// addressing mode of the opcode map and for each example of examples/.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>

#include "assembleur/assembleur.h"
#include "cpu/interpreteur.h"
#include "memory/mem_64k.h"
#include "tests/assembleur/jeu_complet.h"

namespace {

std::string dossier() {
  const std::string d = std::string(TAMRIX_BINARY_DIR) + "/essais_assembleur";
  std::system(("mkdir -p '" + d + "'").c_str());
  return d;
}

// The GNU tools' image of `source` (a .s file) linked at `base`, loaded
// over 0xFF; false when they refuse it.
bool image_gnu(const std::string& source, unsigned base, mem_64k& mem) {
  const std::string s19 = source + ".gnu.s19";
  char commande[1024];
  std::snprintf(commande, sizeof commande,
                "bash '%s/tools/assemble.sh' '%s' '%s' 0x%x 2>'%s.log'",
                TAMRIX_SOURCE_DIR, source.c_str(), s19.c_str(), base,
                source.c_str());
  return std::system(commande) == 0 && mem.load_s19(s19.c_str()) == 1;
}

// Compares the two memories line by line of tamrix's listing, then whole.
void compare(const resultat_asm& r, const mem_64k& gnu, const mem_64k& notre) {
  for (const ligne_listee& l : r.listage)
    for (std::size_t k = 0; k < l.octets.size(); ++k) {
      const auto a = static_cast<unsigned short>(l.adresse + k);
      ASSERT_EQ(gnu.octet_brut(a), notre.octet_brut(a))
          << "at $" << std::hex << a << ": "
          << r.textes[l.fichier][l.ligne - 1];
    }
  for (unsigned a = 0; a < 0x10000; ++a)
    ASSERT_EQ(gnu.cellules[a], notre.cellules[a]) << "at $" << std::hex << a;
}

TEST(Differentiel, EveryOpcodeAndModeAsTheGnuTools) {
  // Every row of the map that is an instruction (not a prebyte, not a
  // hole) is one line of the generated program.
  using I = interpreteur;
  const unsigned char* modes[] = {I::t_adr, I::t_prb_18, I::t_prb_1A,
                                  I::t_prb_CD};
  const char(*noms[])[6] = {I::tab_mnemo, I::tab_mnemo_18, I::tab_mnemo_1A,
                            I::tab_mnemo_CD};
  unsigned rangees = 0;
  for (int p = 0; p < 4; ++p)
    for (int c = 0; c < 256; ++c)
      rangees += modes[p][c] <= I::REL && noms[p][c][0] != '?';
  const deux_syntaxes d = jeu_complet();
  // The synonyms (LSLA, LSLB, LSL, ASLD, BHS, BLO) add eight lines.
  EXPECT_EQ(d.lignes, rangees + 8);

  const std::string s = dossier() + "/jeu_complet.s";
  std::ofstream(s) << d.gnu;
  auto gnu = std::make_unique<mem_64k>();
  ASSERT_TRUE(image_gnu(s, 0xb600, *gnu)) << s;
  const std::string m = dossier() + "/jeu_complet.asm";
  std::ofstream(m) << d.motorola;
  const resultat_asm r = assemble_motorola(m);
  ASSERT_TRUE(r.reussi()) << r.lignes_messages().front();
  EXPECT_EQ(r.nb_avertissements, 0u);
  auto notre = std::make_unique<mem_64k>();
  charge_en_memoire(r, *notre);
  compare(r, *gnu, *notre);
}

TEST(Differentiel, ExamplesInBothSyntaxes) {
  const char* exemples[] = {
      "bonjour",        "chenillard", "echo",        "eeprom",
      "entrees_port_e", "onde_oc2",   "periode_ic1", "secondes_rti",
      "somme",          "voltmetre",  "menu"};
  for (const char* nom : exemples) {
    SCOPED_TRACE(nom);
    const std::string base = std::string(TAMRIX_SOURCE_DIR) + "/examples/";
    const resultat_asm r = assemble_motorola(base + nom + ".asm");
    ASSERT_TRUE(r.reussi()) << r.lignes_messages().front();
    EXPECT_EQ(r.nb_avertissements, 0u);
    // The GNU version is linked where the Motorola one's first ORG is,
    // which is also where END says it starts (_start).
    const std::string copie = dossier() + "/" + nom + ".s";
    std::system(("cp '" + base + nom + ".s' '" + copie + "'").c_str());
    auto gnu = std::make_unique<mem_64k>();
    ASSERT_TRUE(image_gnu(copie, r.depart, *gnu));
    auto notre = std::make_unique<mem_64k>();
    charge_en_memoire(r, *notre);
    compare(r, *gnu, *notre);
  }
}

}  // namespace
