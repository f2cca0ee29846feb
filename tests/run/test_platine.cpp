// tamrix-run and the board around the chip: the board examples graded by
// the lines their displays print before the final line, --appui and
// --relache, the program's own board file, and what is refused.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "tests/run/processus.h"

namespace {

struct cas_exemple {
  const char* nom;
  std::vector<std::string> arguments;
  std::vector<std::string> lignes;  // standard output but the final line
  const char* arret;                // end of the final line
};

TEST(BoardExamples, WhatTheDisplaysShow) {
  const std::vector<cas_exemple> cas = {
      {"lcd_bonjour: 4 bits, the busy flag read between bytes",
       {"--carte", "lcd", exemple("lcd_bonjour.s19")},
       {"lcd: \"Bonjour         \" \"  68HC11        \"", "leds PB: 00000000"},
       "stop=loop"},
      {"compteur_7seg: three seconds of RTI, and 50 ms",
       {"--carte", "afficheurs", "--max-cycles", "6100000",
        exemple("compteur_7seg.s19")},
       {"7seg: \"0003\""},
       "stop=max-cycles"},
      {"compteur_7seg: one second",
       {"--carte", "afficheurs", "--max-cycles", "2100000",
        exemple("compteur_7seg.s19")},
       {"7seg: \"0001\""},
       "stop=max-cycles"},
      {"clavier_echo: 1 then # (F), each pressed once",
       {"--carte", "afficheurs", "--max-cycles", "600000", "--appui",
        "clavier:1@100000", "--relache", "clavier:1@150000", "--appui",
        "clavier:#@300000", "--relache", "clavier:#@350000",
        exemple("clavier_echo.s19")},
       {"7seg: \"001F\""},
       "stop=max-cycles"},
      {"a WAI for IRQ waits for a button on IRQ pressed later",
       {"--carte", "leds", "--dump", "0:0", "--appui", "BP2@1000", "--relache",
        "BP2@2000", "--appui", "BP2@3000", "--relache", "BP2@4000", "--appui",
        "BP2@5000", programme_test("irq.s19")},
       {"   0  3", "leds PB: 00000000"},
       "stop=loop"},
      {"clavier_echo: a key held is not repeated",
       {"--carte", "afficheurs", "--max-cycles", "600000", "--appui",
        "clavier:B@100000", exemple("clavier_echo.s19")},
       {"7seg: \"000b\""},
       "stop=max-cycles"},
  };
  for (const cas_exemple& c : cas) {
    SCOPED_TRACE(c.nom);
    const sortie_run r = lance_run(c.arguments);
    std::vector<std::string> lignes = r.lignes();
    ASSERT_FALSE(lignes.empty()) << r.erreurs;
    const std::string finale = lignes.back();
    lignes.pop_back();
    EXPECT_EQ(c.lignes, lignes);
    EXPECT_EQ(std::string(c.arret),
              finale.substr(finale.size() - std::string(c.arret).size()));
    EXPECT_EQ("", r.erreurs);
  }
}

// With --json the displays' lines are the object's "board", not lines.
TEST(BoardExamples, JsonCarriesTheDisplaysLines) {
  const sortie_run r =
      lance_run({"--json", "--carte", "lcd", exemple("lcd_bonjour.s19")});
  ASSERT_EQ(1u, r.lignes().size()) << r.sortie;
  const nlohmann::json j = nlohmann::json::parse(r.derniere_ligne());
  EXPECT_EQ(
      nlohmann::json::array({"lcd: \"Bonjour         \" \"  68HC11        \"",
                             "leds PB: 00000000"}),
      j["board"]);
}

TEST(BoardExamples, DebouncingCountsEachPressOnceTheRawCountMore) {
  const std::vector<std::string> arguments = {"--carte",
                                              "leds",
                                              "--max-cycles",
                                              "400000",
                                              "--dump",
                                              "0:0",
                                              "--appui",
                                              "BP1@20000",
                                              "--relache",
                                              "BP1@80000",
                                              "--appui",
                                              "BP1@140000",
                                              "--relache",
                                              "BP1@200000",
                                              "--appui",
                                              "BP1@260000",
                                              "--relache",
                                              "BP1@320000",
                                              exemple("bouton_rebond.s19")};
  const sortie_run r = lance_run(arguments);
  const std::vector<std::string> lignes = r.lignes();
  ASSERT_EQ(3u, lignes.size()) << r.sortie << r.erreurs;
  EXPECT_EQ("leds PB: 00000011", lignes[1]);
  // The bouncing contact: every press counted several times.
  const unsigned brut = std::stoul(lignes[0].substr(4), nullptr, 16);
  EXPECT_GT(brut, 3u) << lignes[0];
  // Seeded: the same command, the same bounces.
  EXPECT_EQ(r.sortie, lance_run(arguments).sortie);
}

TEST(BoardRun, TheProgramsOwnBoardFileIsTaken) {
  dossier_temporaire d;
  const std::string prog = d.fichier("prog.s19");
  ASSERT_EQ(
      0,
      std::system(
          ("cp '" + exemple("chenillard.s19") + "' '" + prog + "'").c_str()));
  d.ecrit("prog.carte.toml",
          "[[composant]]\ntype = \"barre\"\nnom = \"chenillard\"\n"
          "port = \"PB\"\n");
  const sortie_run r = lance_run({"--max-steps", "100", prog});
  const std::vector<std::string> lignes = r.lignes();
  ASSERT_EQ(2u, lignes.size()) << r.sortie << r.erreurs;
  EXPECT_EQ("chenillard: 00000001", lignes[0]);
}

TEST(BoardRun, WrongBoardsAndNamesAreRefusedBeforeAnyRun) {
  dossier_temporaire d;
  const std::string fausse =
      d.ecrit("carte.toml",
              "[[composant]]\ntype = \"led\"\nnom = \"L\"\n"
              "broche = \"PB9\"\n");
  struct cas {
    std::vector<std::string> arguments;
    std::string erreur;
  } table[] = {
      {{"--carte", fausse, exemple("somme.s19")},
       "tamrix-run: --carte : " + fausse + ":4: broche inconnue « PB9 »\n"},
      {{"--carte", "inconnue", exemple("somme.s19")},
       "tamrix-run: --carte : carte inconnue « inconnue » (fichier "
       "introuvable ; cartes fournies : afficheurs, evb, lcd, lcd_bus, "
       "leds)\n"},
      {{"--carte", "leds", "--appui", "BP9@10", exemple("somme.s19")},
       "tamrix-run: --appui : rien a actionner de ce nom sur la carte : "
       "\"BP9\"\n"},
      {{"--carte", "afficheurs", "--relache", "clavier:X@10",
        exemple("somme.s19")},
       "tamrix-run: --relache : rien a actionner de ce nom sur la carte : "
       "\"clavier:X\"\n"},
      {{"--appui", "BP1@10", exemple("somme.s19")},
       "tamrix-run: --appui : pas de carte (--carte FICHIER|NOM)\n"},
      {{"--carte", "leds", "--appui", "BP1", exemple("somme.s19")},
       "tamrix-run: --appui : NOM@CYCLE attendu : \"BP1\"\n"},
      {{"--carte", "leds", "--model", "flat", exemple("somme.s19")},
       "tamrix-run: --carte : le modele flat n'a pas de broches pour une "
       "carte\n"},
  };
  for (const cas& c : table) {
    SCOPED_TRACE(c.erreur);
    const sortie_run r = lance_run(c.arguments);
    EXPECT_EQ(2, r.statut);
    EXPECT_EQ("", r.sortie);
    EXPECT_EQ(c.erreur, r.erreurs);
  }
}

}  // namespace
