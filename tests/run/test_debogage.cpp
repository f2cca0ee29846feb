// tamrix-run's debugger options: --until ADR:N, --break-if and --watch with
// reads, writes and a value condition, on real programs; and their errors.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/run/processus.h"

namespace {

TEST(Debogage, ArretsEtSurveillances) {
  // sous_programme.s: A = 1, two calls of ajoute (A += 5), STAA $30; the
  // calls return to $b608 and $b60b (the stack's $fe-$ff), STAA $30 is
  // the 9th instruction.
  const std::string p = programme_test("sous_programme.s");
  const struct {
    std::vector<std::string> arguments;
    int statut;
    std::vector<std::string> lignes;  // watch lines, then what the final
                                      // line holds
  } cas[] = {
      {{"--until", "ajoute:2", p}, 0, {"A=06", "steps=6 stop=until"}},
      {{"--until", "ajoute:3", p}, 0, {"A=0b", "stop=loop"}},
      {{"--break-if", "A == 11", p}, 0, {"A=0b", "steps=7 stop=condition"}},
      {{"--break-if", "A > 100", "--break-if", "[$30] != $ff", p},
       0,
       {"A=0b", "steps=9 stop=condition"}},
      {{"--break-if", "PC == fin && [[$fe]] == $b60b", p},
       0,
       {"steps=9 stop=condition"}},
      {{"--watch", "0x30:w=valeur == 11", p},
       0,
       {"watch 0030 ff -> 0b  steps=9", "stop=loop"}},
      {{"--watch", "0x30=valeur == 12", p}, 0, {"stop=loop"}},
      {{"--watch", "0xfe:0xff:r=valeur == $0b", p},
       0,
       {"read  00ff 0b  steps=8", "stop=loop"}},
      {{"--watch", "0xfe:0xff:rw=adresse == $ff", p},
       0,
       {"watch 00ff ff -> 08  steps=3", "read  00ff 08  steps=5",
        "watch 00ff 08 -> 0b  steps=6", "read  00ff 0b  steps=8", "stop=loop"}},
      // WAI stacks, IRQ's entry fetches its vector at $fff2-$fff3.
      {{"--watch", "0xfff2:0xfff3:r", "--pin", "IRQ=0@50", "--max-steps", "8",
        programme_test("irq.s19")},
       1,
       {"read  fff2 b6  steps=6 cycles=", "read  fff3 16  steps=6 cycles=",
        "stop=max-steps"}},
      {{"--watch", "0xfe:0xff:w=valeur != avant", p},
       0,
       {"watch 00fe ff -> b6  steps=3", "watch 00ff ff -> 08  steps=3",
        "watch 00ff 08 -> 0b  steps=6", "stop=loop"}},
  };
  for (const auto& c : cas) {
    const sortie_run r = lance_run(c.arguments);
    SCOPED_TRACE(c.arguments[1]);
    EXPECT_EQ(c.statut, r.statut) << r.erreurs;
    std::vector<std::string> lignes = r.lignes();
    ASSERT_FALSE(lignes.empty()) << r.erreurs;
    const std::string finale = lignes.back();
    lignes.pop_back();
    std::size_t i = 0;
    for (const std::string& attendu : c.lignes) {
      const bool acces =
          attendu.rfind("watch", 0) == 0 || attendu.rfind("read", 0) == 0;
      if (acces && i < lignes.size()) {
        EXPECT_EQ(lignes[i].rfind(attendu, 0), 0u) << lignes[i];
        ++i;
      } else {
        EXPECT_NE(finale.find(attendu), std::string::npos) << finale;
      }
    }
    EXPECT_EQ(i, lignes.size());
  }
}

TEST(Debogage, Erreurs) {
  const std::string p = programme_test("sous_programme.s");
  const struct {
    std::vector<std::string> arguments;
    const char* erreur;
  } cas[] = {
      {{"--break-if", "A +", p},
       "tamrix-run: --break-if : colonne 4 : opérande attendu : \"A +\"\n"},
      {{"--break-if", "inconnu == 2", p},
       "tamrix-run: --break-if : colonne 1 : nom inconnu : inconnu : "
       "\"inconnu == 2\"\n"},
      {{"--until", "fin:0", p},
       "tamrix-run: --until : passage 0 : \"fin:0\" (1 ou plus)\n"},
      {{"--watch", "0x30=", p},
       "tamrix-run: --watch : condition vide apres '=' : \"0x30=\"\n"},
      {{"--watch", "0x30:r=A ==", p},
       "tamrix-run: --watch : colonne 5 : opérande attendu : \"A ==\"\n"},
  };
  for (const auto& c : cas) {
    const sortie_run r = lance_run(c.arguments);
    EXPECT_EQ(2, r.statut);
    EXPECT_EQ(c.erreur, r.erreurs);
  }
}

}  // namespace
