// tamrix-run on the example programs of examples/, as a teacher would grade
// them: final line, memory and port cells, exit status.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/run/processus.h"

namespace {

struct cas_exemple {
  const char* nom;
  std::vector<std::string> arguments;
  const char* sortie;  // the whole standard output
  int statut;
};

TEST(Examples, StateAndMemoryAfterTheRun) {
  const std::vector<cas_exemple> cas = {
      {"somme: 1 + ... + 10 = 0x37 stored at 0x0000, then bra *",
       {"--dump", "0:7", exemple("somme.s19")},
       "   0 37 ff ff ff ff ff ff ff\n"
       "PC=b609 A=37 B=00 X=0000 Y=0000 SP=00ff CCR=11010000 cycles=80 "
       "steps=34 stop=loop\n",
       0},
      // chenillard: each step of the light is 4 + 4 + 57143 x 7 + 2 + 3 =
      // 400014 cycles (staa, ldy, the dey/bne loop, lsla, bne).
      {"chenillard: the first light, its wait under way",
       {"--max-steps", "32", "--dump", "0x1004:0x1004",
        exemple("chenillard.s19")},
       "1004  1\n"
       "PC=b60c A=01 B=00 X=0000 Y=df29 SP=00ff CCR=11011000 cycles=111 "
       "steps=32 stop=max-steps\n",
       1},
      {"chenillard: the light leaves bit 7 after eight steps",
       {"--until", "0xb613", "--dump", "0x1004:0x1004",
        exemple("chenillard.s19")},
       "1004 80\n"
       "PC=b613 A=00 B=00 X=0000 Y=0000 SP=00ff CCR=11010111 cycles=3200117 "
       "steps=914322 stop=until\n",
       0},
      {"entrees_port_e: port E copied to port B, its complement to port C",
       {"--poke", "0x100a=0x5a", "--until", "0xb612", "--dump", "0x1000:0x100a",
        exemple("entrees_port_e.s19")},
       // The E9's block: PORTA's pins, reserved cells at 0, PIOC $03, the
       // poked pins of port E, DDRC set by the program.
       "1000  0  0  3 a5 5a  0  0 ff\n"
       "1008  0  0 5a\n"
       "PC=b612 A=a5 B=00 X=0000 Y=0000 SP=00ff CCR=11011001 cycles=23 "
       "steps=7 stop=until\n",
       0},
  };
  for (const cas_exemple& c : cas) {
    SCOPED_TRACE(c.nom);
    const sortie_run r = lance_run(c.arguments);
    EXPECT_EQ(c.sortie, r.sortie);
    EXPECT_EQ(c.statut, r.statut) << r.erreurs;
    EXPECT_EQ("", r.erreurs);
  }
}

TEST(Examples, TraceOfTheSumFollowsItsLoop) {
  const sortie_run r = lance_run({"--trace", exemple("somme.s19")});
  const std::vector<std::string> lignes = r.lignes();
  ASSERT_EQ(35u, lignes.size()) << r.sortie;
  EXPECT_EQ(
      "b600  4f              CLRA              PC=b601 A=00 B=00 X=0000 "
      "Y=0000 SP=00ff CCR=11010100 cycles=2",
      lignes[0]);
  // Second pass of the loop: A = 10 + 9, a carry out of the low nibble.
  EXPECT_EQ(
      "b603  1b              ABA               PC=b604 A=13 B=09 X=0000 "
      "Y=0000 SP=00ff CCR=11110000 cycles=13",
      lignes[5]);
  EXPECT_EQ(
      "b607  97 00           STAA $00          PC=b609 A=37 B=00 X=0000 "
      "Y=0000 SP=00ff CCR=11010000 cycles=77",
      lignes[32]);
  EXPECT_EQ(0, r.statut);
}

}  // namespace
