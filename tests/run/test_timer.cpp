// tamrix-run and the timer of the E9 model: the three timer examples as a
// teacher would grade them, --pin feeding a capture, --cop and the
// watchdog's line in the trace.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/run/processus.h"

namespace {

// onde_oc2: OC2 at count 1020 (TCNT read in cycle 18, + 1000), then each
// 1000 cycles: ten half-periods by cycle 10100, PA6 low again.
// periode_ic1: rising edges at 1000, 5000, 9000 captured as cycle + 2; the
// period 4000 ($0fa0); the last handler (51 cycles), BRA and WAI's stacking
// end in cycle 9068, and nothing more can come.
// secondes_rti: 244 RTIs of 8192 cycles a second, the third second at
// 3 × 244 × 8192 - 2 = 5996542.
TEST(TimerRun, TheTimerExamples) {
  const struct {
    std::vector<std::string> arguments;
    const char* sortie;
    int statut;
  } cas[] = {
      {{"--max-cycles", "10100", "--dump", "0:0", "--dump", "0x1000:0x1000",
        exemple("onde_oc2.s19")},
       "   0  a\n1000  0\nPC=b61d A=40 B=fc X=0000 Y=0000 SP=00ff "
       "CCR=11000000 cycles=10102 steps=3268 stop=max-cycles\n",
       1},
      {{"--pin", "PA2=1@1000", "--pin", "PA2=0@3000", "--pin", "PA2=1@5000",
        "--pin", "PA2=0@7000", "--pin", "PA2=1@9000", "--dump", "0:4", "--dump",
        "0x1004:0x1004", exemple("periode_ic1.s19")},
       "   0 23 2a  f a0  3\n1004  f\nPC=b615 A=04 B=00 X=0000 Y=0000 "
       "SP=00f6 CCR=11000000 cycles=9068 steps=45 stop=wait\n",
       0},
      {{"--max-cycles", "6000000", "--dump", "0x1004:0x1004",
        exemple("secondes_rti.s19")},
       "1004  3\nPC=b614 A=40 B=00 X=0000 Y=0000 SP=00f6 CCR=11000000 "
       "cycles=6000000 steps=5142 stop=max-cycles\n",
       1},
      {{"--max-cycles", "5996540", "--dump", "0x1004:0x1004",
        exemple("secondes_rti.s19")},
       "1004  2\nPC=b614 A=40 B=00 X=0000 Y=0000 SP=00f6 CCR=11000000 "
       "cycles=5996540 steps=5132 stop=max-cycles\n",
       1},
  };
  for (const auto& c : cas) {
    const sortie_run r = lance_run(c.arguments);
    EXPECT_EQ(c.sortie, r.sortie);
    EXPECT_EQ(c.statut, r.statut) << r.erreurs;
  }
}

// irq.s waits in WAI for edges that do not come: without the watchdog that
// is the end; with it, a reset (through the erased $fffa: $b600) each 2 ×
// 2^15 cycles, the first in cycle 65534, shown as the help shows it.
TEST(TimerRun, CopResetsAProgramThatWaitsTooLong) {
  const std::string irq = programme_test("irq.s19");
  EXPECT_NE(std::string::npos,
            lance_run({irq}).derniere_ligne().find("stop=wait"));
  const sortie_run r =
      lance_run({"--cop", "--trace", "--max-cycles", "200000", irq});
  std::vector<std::string> resets;
  for (const std::string& l : r.lignes())
    if (l.rfind("----  reset COP", 0) == 0) resets.push_back(l);
  ASSERT_EQ(3u, resets.size()) << r.sortie;
  EXPECT_NE(std::string::npos, resets[0].find("cycles=65534"));
  EXPECT_NE(std::string::npos,
            lance_run({"--help"}).sortie.find("    " + resets[0] + "\n"));
  const sortie_run plat = lance_run({"--model", "flat", "--cop", irq});
  EXPECT_EQ(2, plat.statut);
  EXPECT_EQ("tamrix-run: --cop : le modele flat n'a pas de COP\n",
            plat.erreurs);
}

}  // namespace
