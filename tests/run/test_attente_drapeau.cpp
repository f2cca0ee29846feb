// tamrix-run and the polling idiom of the reference manual: a BRCLR that
// branches to itself until a unit's flag rises (A/D's CCF in ADCTL, SPI's
// SPIF in SPSR, SCI's TC in SCSR). Whatever cycle of the loop the flag
// rises in, the run goes on past the loop to its end label.
#include <gtest/gtest.h>

#include <string>

#include "tests/run/processus.h"

namespace {

// Starts a unit, then `nops` NOPs (2 cycles each: with 0 to 6 of them the
// 7-cycle loop meets the flag at every cycle of its pass), the loop, and
// the end: `fin: bra fin` with $5a in A.
std::string programme(const char* demarrage, const char* drapeau, int nops) {
  std::string s =
      "        .sect .text\n"
      "        .globl _start\n"
      "_start: lds #0x00ff\n"
      "        ldx #0x1000\n";
  s += demarrage;
  for (int i = 0; i < nops; ++i) s += "        nop\n";
  s += std::string("attente: brclr ") + drapeau + " attente\n";
  s += "        ldaa #0x5a\n"
       "fin:    bra fin\n";
  return s;
}

TEST(PollLoop, EndsAtItsLabelWheneverTheFlagRises) {
  const struct {
    const char* unite;
    const char* demarrage;
    const char* drapeau;
  } unites[] = {
      // ADPU, then four conversions of AN0: CCF after 128 cycles.
      {"A/D CCF", "        ldaa #0x90\n        staa 0x39,x\n"
                  "        clr 0x30,x\n",
       "0x30,x #0x80"},
      // Master at E/2, SS SCK MOSI outputs, one byte out: SPIF.
      {"SPI SPIF", "        ldaa #0x38\n        staa 0x09,x\n"
                   "        ldaa #0x50\n        staa 0x28,x\n"
                   "        staa 0x2a,x\n",
       "0x29,x #0x80"},
      // 125 000 baud, TE, one frame out: TC.
      {"SCI TC", "        clr 0x2b,x\n        ldaa #0x08\n"
                 "        staa 0x2d,x\n        staa 0x2f,x\n",
       "0x2e,x #0x40"},
  };
  dossier_temporaire dossier;
  for (const auto& u : unites)
    for (int nops = 0; nops <= 6; ++nops) {
      const std::string nom = "attente_" + std::to_string(&u - unites) +
                              "_" + std::to_string(nops) + ".s";
      const sortie_run r = lance_run(
          {dossier.ecrit(nom, programme(u.demarrage, u.drapeau, nops))});
      const std::string ligne = r.derniere_ligne();
      EXPECT_NE(std::string::npos, ligne.find(" A=5a ")) << u.unite << nops;
      EXPECT_NE(std::string::npos, ligne.find(" stop=loop"))
          << u.unite << nops << ": " << ligne;
      EXPECT_EQ(0, r.statut) << r.erreurs;
    }
}

}  // namespace
