// tamrix-run and the timer of the E9 model: the three timer examples as a
// teacher would grade them, --pin feeding a capture, --cop and the
// watchdog's line in the trace.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/run/processus.h"

namespace {

TEST(TimerRun, TheTimerExamples) {
  const struct {
    const char* nom;
    std::vector<std::string> arguments;
    const char* sortie;
    int statut;
  } cas[] = {
      // OC2 at count 1020 (TCNT read in cycle 18, + 1000), then each 1000
      // cycles: ten half-periods by cycle 10100, PA6 back to 0; 3187 BRA
      // between the 11 instructions before and the ten 7-instruction
      // handlers (50 cycles each with the entry).
      {"onde_oc2: ten half-periods, PA6 low again",
       {"--max-cycles", "10100", "--dump", "0:0", "--dump", "0x1000:0x1000",
        exemple("onde_oc2.s19")},
       "   0  a\n"
       "1000  0\n"
       "PC=b61d A=40 B=fc X=0000 Y=0000 SP=00ff CCR=11000000 cycles=10102 "
       "steps=3268 stop=max-cycles\n",
       1},
      // Rising edges of PA2 at 1000, 5000 and 9000: TIC1 = cycle + 2, the
      // period 4000 ($0fa0); the last handler (51 cycles) ends in 9053, BRA
      // and WAI's stacking: 9068, and nothing more can come.
      {"periode_ic1: --pin drives IC1",
       {"--pin", "PA2=1@1000", "--pin", "PA2=0@3000", "--pin", "PA2=1@5000",
        "--pin", "PA2=0@7000", "--pin", "PA2=1@9000", "--dump", "0:4", "--dump",
        "0x1004:0x1004", exemple("periode_ic1.s19")},
       "   0 23 2a  f a0  3\n"
       "1004  f\n"
       "PC=b615 A=04 B=00 X=0000 Y=0000 SP=00f6 CCR=11000000 cycles=9068 "
       "steps=45 stop=wait\n",
       0},
      // 244 RTIs of 8192 cycles a second: the third second at cycle
      // 3 × 244 × 8192 - 2; 9 instructions to the first WAI, 7 for each
      // RTI (handler, BRA, WAI), 3 more at each second.
      {"secondes_rti: three seconds on port B",
       {"--max-cycles", "6000000", "--dump", "0x1004:0x1004",
        exemple("secondes_rti.s19")},
       "1004  3\n"
       "PC=b614 A=40 B=00 X=0000 Y=0000 SP=00f6 CCR=11000000 cycles=6000000 "
       "steps=5142 stop=max-cycles\n",
       1},
      {"secondes_rti: not yet three",
       {"--max-cycles", "5996540", "--dump", "0x1004:0x1004",
        exemple("secondes_rti.s19")},
       "1004  2\n"
       "PC=b614 A=40 B=00 X=0000 Y=0000 SP=00f6 CCR=11000000 cycles=5996540 "
       "steps=5132 stop=max-cycles\n",
       1},
  };
  for (const auto& c : cas) {
    SCOPED_TRACE(c.nom);
    const sortie_run r = lance_run(c.arguments);
    EXPECT_EQ(c.sortie, r.sortie);
    EXPECT_EQ(c.statut, r.statut) << r.erreurs;
    EXPECT_EQ("", r.erreurs);
  }
}

const std::string irq = programme_test("irq.s19");

TEST(TimerRun, CopResetsAProgramThatWaitsTooLong) {
  // irq.s waits in WAI for edges that do not come: without the watchdog
  // that is the end; with it, a reset (through the erased $fffa: $b600)
  // each 2 × 2^15 cycles, the first one in cycle 65534.
  EXPECT_NE(std::string::npos,
            lance_run({irq}).derniere_ligne().find("stop=wait"));
  const sortie_run r =
      lance_run({"--cop", "--trace", "--max-cycles", "200000", irq});
  EXPECT_EQ(1, r.statut);
  std::vector<std::string> resets;
  for (const std::string& l : r.lignes())
    if (l.rfind("----  reset COP", 0) == 0) resets.push_back(l);
  ASSERT_EQ(3u, resets.size()) << r.sortie;
  EXPECT_NE(std::string::npos, resets[0].find("cycles=65534"));
  // The help shows this line as it is.
  EXPECT_NE(std::string::npos,
            lance_run({"--help"}).sortie.find("    " + resets[0] + "\n"))
      << resets[0];
}

TEST(TimerRun, CopNeedsTheE9Model) {
  const sortie_run r = lance_run({"--model", "flat", "--cop", irq});
  EXPECT_EQ(2, r.statut);
  EXPECT_EQ("tamrix-run: --cop : le modele flat n'a pas de COP\n", r.erreurs);
  EXPECT_EQ("", r.sortie);
}

}  // namespace
