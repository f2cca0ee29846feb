// tamrix-run --watch: every write into the watched cells, one line each
// before the final line, as --help describes it.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/run/processus.h"

namespace {

TEST(Watch, WritesOfTheExamplesAndOfTheStack) {
  const struct {
    std::vector<std::string> arguments;
    std::vector<std::string> lignes;  // the watch lines, in order
  } cas[] = {
      {{"--watch", "0", exemple("somme.s19")},
       {"watch 0000 ff -> 37  steps=33 cycles=74 PC=b607 STAA $00"}},
      // The source's constant names the cell.
      {{"--watch", "resultat", exemple("somme.s")},
       {"watch 0000 ff -> 37  steps=33 cycles=74 PC=b607 STAA $00"}},
      // entrees_port_e: LDS, LDAA, STAA DDRC, LDAA PORTE, then STAA PORTB.
      {{"--watch", "0x1004", "--max-steps", "9", exemple("entrees_port_e.s19")},
       {"watch 1004 00 -> 00  steps=5 cycles=13 PC=b60b STAA $1004"}},
      // WAI stacks the nine bytes; the handler's INC writes $0000.
      {{"--watch", "0:0", "--watch=0xfe:0xff", "--pin", "IRQ=0@50",
        "--max-steps", "8", programme_test("irq.s19")},
       {"watch 0000 ff -> 00  steps=4 cycles=9 PC=b608 CLR  $0000",
        "watch 00fe ff -> b6  steps=6 cycles=17 PC=b60c WAI",
        "watch 00ff ff -> 0d  steps=6 cycles=17 PC=b60c WAI",
        "watch 0000 00 -> 01  steps=7 cycles=52 PC=b616 INC  $0000"}},
  };
  for (const auto& c : cas) {
    const sortie_run r = lance_run(c.arguments);
    std::vector<std::string> lignes = r.lignes();
    ASSERT_FALSE(lignes.empty()) << r.erreurs;
    lignes.pop_back();  // the final line
    EXPECT_EQ(c.lignes, lignes);
  }
  // The help's example is what the runner writes.
  const std::string aide = lance_run({"--help"}).sortie;
  const std::string ligne =
      lance_run({"--watch", "0", exemple("somme.s19")}).lignes().front();
  EXPECT_NE(std::string::npos, aide.find("    " + ligne + "\n")) << ligne;
  const sortie_run faux = lance_run({"--watch", "5:2", exemple("somme.s19")});
  EXPECT_EQ(2, faux.statut);
  EXPECT_EQ("tamrix-run: --watch : fin avant debut : \"5:2\"\n", faux.erreurs);
}

}  // namespace
