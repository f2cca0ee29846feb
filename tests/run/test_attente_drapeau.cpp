// tamrix-run and the manual's polling idiom: a BRCLR branching to itself
// until a unit's flag rises (A/D's CCF in ADCTL, SPI's SPIF in SPSR, SCI's
// TC in SCSR). Whatever cycle of the loop the flag rises in, the run goes
// past the loop to its end label.
#include <gtest/gtest.h>

#include <string>

#include "tests/run/processus.h"

TEST(PollLoop, EndsAtItsLabelWheneverTheFlagRises) {
  const struct {
    const char* demarrage;  // starts the unit
    const char* drapeau;    // the BRCLR's operands
  } unites[] = {
      // ADPU, four conversions of AN0.
      {"ldaa #0x90\nstaa 0x39,x\nclr 0x30,x", "0x30,x #0x80"},
      // Master at E/2, SS SCK MOSI outputs, one byte out.
      {"ldaa #0x38\nstaa 0x09,x\nldaa #0x50\nstaa 0x28,x\nstaa 0x2a,x",
       "0x29,x #0x80"},
      // 125 000 baud, TE, one frame out.
      {"clr 0x2b,x\nldaa #0x08\nstaa 0x2d,x\nstaa 0x2f,x", "0x2e,x #0x40"},
  };
  dossier_temporaire dossier;
  for (const auto& u : unites)
    // 0 to 6 NOPs of 2 cycles: the 7-cycle loop meets the flag at each of
    // its cycles.
    for (int nops = 0; nops <= 6; ++nops) {
      std::string s = "_start: lds #0x00ff\nldx #0x1000\n";
      s += std::string(u.demarrage) + "\n";
      for (int i = 0; i < nops; ++i) s += "nop\n";
      s += "attente: brclr " + std::string(u.drapeau) + " attente\n";
      s += "ldaa #0x5a\nfin: bra fin\n";
      const sortie_run r = lance_run({dossier.ecrit(
          "p" + std::to_string(&u - unites) + std::to_string(nops) + ".s", s)});
      EXPECT_NE(std::string::npos, r.derniere_ligne().find(" A=5a "))
          << u.drapeau << " " << nops << ": " << r.derniere_ligne();
      EXPECT_EQ(0, r.statut) << r.erreurs;
    }
}
