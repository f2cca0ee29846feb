// tamrix-run and the E9's memory map: --mode, and the accesses the map
// refused, on standard error.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "tests/run/processus.h"

namespace {

std::string programme_puce(const std::string& nom) {
  return std::string(TAMRIX_SOURCE_DIR) + "/tests/puce/programmes/" + nom;
}

// LDAA $103C (HPRIO), BRA *.
const char* const lit_hprio = "0xb600=0xb6,0x10,0x3c,0x20,0xfe";
// LDAA #$5A, STAA $2000, BRA *.
const char* const ecrit_2000 = "0xb600=0x86,0x5a,0xb7,0x20,0x00,0x20,0xfe";
// LDX #$B700; STAA 0,X; INX; CPX #$B719; BNE back; BRA *: 25 stores.
const char* const ecrit_25 =
    "0xc000=0xce,0xb7,0x00,0xa7,0x00,0x08,0x8c,0xb7,0x19,0x26,0xf8,0x20,0xfe";

struct cas_carte {
  const char* nom;
  std::vector<std::string> arguments;
  const char* fin_ligne;  // end of the final line, from A=
  std::string erreurs;
};

TEST(Carte, ModesAndRefusedAccesses) {
  const std::string prog = programme_puce("carte.s19");
  std::string vingt;
  for (unsigned a = 0xb700; a < 0xb714; ++a) {
    char ligne[96];
    std::snprintf(ligne, sizeof ligne,
                  "tamrix-run: ecriture ignoree en EEPROM a $%04x "
                  "(instruction a $c003)\n",
                  a);
    vingt += ligne;
  }
  const cas_carte cas[] = {
      {"expanded by default", {"--poke", lit_hprio, prog}, "A=25", ""},
      {"single-chip",
       {"--mode", "single-chip", "--poke", lit_hprio, prog},
       "A=05",
       ""},
      {"expanded asked for",
       {"--mode=expanded", "--poke", lit_hprio, prog},
       "A=25",
       ""},
      {"stores into EEPROM and ROM, one line each",
       {prog},
       "A=5a",
       "tamrix-run: ecriture ignoree en EEPROM a $b611 (instruction a $b604)\n"
       "tamrix-run: ecriture ignoree en ROM a $d000 (instruction a $b607)\n"
       "tamrix-run: 4 acces refuses, a 2 adresses\n"},
      {"single-chip: a store outside the map",
       {"--mode", "single-chip", "--poke", ecrit_2000, prog},
       "A=5a",
       "tamrix-run: ecriture ignoree hors de la carte memoire a $2000 "
       "(instruction a $b602)\n"
       "tamrix-run: 1 acces refuses, a 1 adresses\n"},
      {"expanded: external memory takes it",
       {"--poke", ecrit_2000, prog},
       "A=5a",
       ""},
      {"25 addresses: the first 20, then the count",
       {"--pc", "0xc000", "--poke", ecrit_25, prog},
       "A=00",
       vingt + "tamrix-run: 25 acces refuses, a 25 adresses (les 20 "
               "premieres ci-dessus)\n"},
  };
  for (const cas_carte& c : cas) {
    SCOPED_TRACE(c.nom);
    const sortie_run r = lance_run(c.arguments);
    const std::string ligne = r.derniere_ligne();
    EXPECT_EQ(c.fin_ligne, ligne.substr(ligne.find("A="), 4)) << ligne;
    EXPECT_EQ(c.erreurs, r.erreurs);
    EXPECT_EQ(0, r.statut);
  }
}

// examples/eeprom.s: each byte erased, then programmed, 10 ms each; the
// table read back from the EEPROM, no byte wrong, nothing refused.
TEST(Carte, TheEepromExampleProgramsItsTable) {
  const sortie_run r = lance_run(
      {"--dump", "0xb700:0xb707", "--dump", "0:0", exemple("eeprom.s19")});
  EXPECT_EQ(
      "b700 12 34 56 78 9a bc de f0\n"
      "   0  0\n"
      "PC=c037 A=f0 B=03 X=c070 Y=b708 SP=01ff CCR=11010100 cycles=321360 "
      "steps=107000 stop=loop\n",
      r.sortie);
  EXPECT_EQ("", r.erreurs);
  EXPECT_EQ(0, r.statut);
}

TEST(Carte, StatsCountTheRefusedAccesses) {
  const sortie_run r = lance_run({"--stats", programme_puce("carte.s19")});
  const auto stats = r.erreurs.rfind("tamrix-run: ");
  EXPECT_NE(
      std::string::npos,
      r.erreurs.find("instructions par seconde, 4 acces refuses\n", stats))
      << r.erreurs;
}

}  // namespace
