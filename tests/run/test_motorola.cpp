// Motorola-syntax sources on the command line: tamrix-run assembles them
// with the built-in assembler (labels in --until and --dump, trace lines
// naming the .asm line, every error on standard error with its source
// line), and tamrix-as writes the S19 image and the listing.
#include <gtest/gtest.h>

#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "memory/mem_64k.h"
#include "tests/run/processus.h"

namespace {

const std::string somme_asm = exemple("somme.asm");

TEST(Motorola, RunnerTakesAsmSources) {
  // somme by hand from the data book: CLRA 2, LDAB # 2, ten turns of
  // ABA 2 + DECB 2 + BNE 3, STAA dir 3: 77 cycles, 33 instructions.
  const sortie_run r =
      lance_run({"--until", "fin", "--dump", "RESULTAT:RESULTAT", somme_asm});
  EXPECT_EQ(r.sortie,
            "   0 37\n"
            "PC=b609 A=37 B=00 X=0000 Y=0000 SP=00ff CCR=11010000 cycles=77 "
            "steps=33 stop=until\n");
  EXPECT_EQ(r.statut, 0);
  EXPECT_EQ(r.erreurs, "");
  // The trace's second line: LDAB, after debut's CLRA, on line 13.
  const sortie_run t = lance_run({"--trace", "--until", "ajoute", somme_asm});
  ASSERT_GE(t.lignes().size(), 3u);
  const std::string l = t.lignes()[1];
  EXPECT_EQ(l.substr(0, 14), "b601  c6 0a   ");
  EXPECT_EQ(l.substr(l.size() - 14), "  somme.asm:13") << l;
}

TEST(Motorola, RunnerPrintsEveryErrorWithItsLine) {
  dossier_temporaire d;
  const std::string faux =
      d.ecrit("faux.asm", " ORG $B600\n BRA BOUCEL\n STAA #1\n");
  const sortie_run r = lance_run({faux});
  EXPECT_EQ(r.statut, 2);
  EXPECT_EQ(r.sortie, "");
  EXPECT_EQ(r.erreurs, faux +
                           ":2: symbole inconnu « BOUCEL »\n"
                           "     2 |  BRA BOUCEL\n" +
                           faux +
                           ":3: STAA n'a pas d'adressage immédiat\n"
                           "     3 |  STAA #1\n"
                           "tamrix-run: programme refuse : " +
                           faux + " : erreurs d'assemblage (ci-dessus)\n");
}

TEST(Motorola, TamrixAsWritesTheImageAndTheListing) {
  dossier_temporaire d;
  const std::string source = d.ecrit("somme.asm", lit_tout(somme_asm));
  const sortie_run r = lance_programme(TAMRIX_AS_PROGRAMME, {"-l", source});
  EXPECT_EQ(r.statut, 0) << r.erreurs;
  EXPECT_EQ(r.erreurs, "");
  // The image is the GNU tools' somme.s19, byte for byte.
  auto notre = std::make_unique<mem_64k>();
  auto gnu = std::make_unique<mem_64k>();
  ASSERT_EQ(notre->load_s19(d.fichier("somme.s19").c_str()), 1);
  ASSERT_EQ(gnu->load_s19(exemple("somme.s19").c_str()), 1);
  for (unsigned a = 0; a < 0x10000; ++a)
    ASSERT_EQ(notre->cellules[a], gnu->cellules[a]) << a;
  const std::string listage = lit_tout(d.fichier("somme.lst"));
  EXPECT_NE(listage.find("\n0012 b600 4f                "
                         "        CLRA                    A = somme "
                         "partielle = 0\n"),
            std::string::npos)
      << listage;
  EXPECT_NE(listage.find("\najoute           b603\n"), std::string::npos);

  const std::string faux = d.ecrit("faux.asm", " LDAA #1)\n");
  const struct {
    std::vector<std::string> arguments;
    int statut;
    std::string erreurs;  // the start of standard error
  } cas[] = {
      {{faux}, 1, faux + ":1: caractère inattendu après l'opérande : « ) »"},
      {{"-o", d.fichier("autre.s19"), d.ecrit("bon.asm", " NOP\n")}, 0, ""},
      {{}, 2, "tamrix-as : programme manquant"},
      {{"-x", source}, 2, "tamrix-as : option inconnue -x"},
  };
  for (const auto& c : cas) {
    const sortie_run s = lance_programme(TAMRIX_AS_PROGRAMME, c.arguments);
    EXPECT_EQ(s.statut, c.statut);
    EXPECT_EQ(s.erreurs.substr(0, c.erreurs.size()), c.erreurs);
  }
  EXPECT_FALSE(std::ifstream(d.fichier("faux.s19")).good());
  EXPECT_TRUE(std::ifstream(d.fichier("autre.s19")).good());
  EXPECT_FALSE(std::ifstream(d.fichier("bon.s19")).good());
}

}  // namespace
