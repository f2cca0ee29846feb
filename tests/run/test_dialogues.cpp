// tamrix-run's scripted dialogues (--sci-script) on the example programs,
// and --json: a teacher's grading runs.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "tests/run/processus.h"

namespace {

struct cas_script {
  const char* nom;
  const char* script;
  const char* programme;
  std::vector<std::string> options;
  const char* sortie;  // --sci-out - before the final line
  const char* stop;    // how the final line ends
  int statut;
  const char* erreur;  // in standard error ("" : nothing)
};

TEST(Dialogues, ScriptsAgainstTheExamples) {
  const std::vector<cas_script> cas = {
      {"echo: typed once the program listens, read back",
       "pause 2000\n"
       "envoyer \"ok\\r\"\nattendre \"ok\\r\" max 100000\n",
       "echo.s19",
       {},
       "ok\r\n",
       "stop=wait",
       0,
       ""},
      {"timeout: the step, the text, what came",
       "pause 2000\n\nattendre \"x\" max 5000\n",
       "echo.s19",
       {},
       "",
       "stop=script",
       5,
       "etape 2 (ligne 3) attendre \"x\" 5000 : rien apres 5000 cycles ; "
       "recus : \"\""},
      {"a text over several bytes",
       "attendre \"jour\\r\"\n",
       "bonjour.s19",
       {},
       "Bonjour\r\n",
       "stop=loop",
       0,
       ""},
      {"a byte breaks a silence",
       "# rien ne doit venir\nsilence 100000\n",
       "bonjour.s19",
       {},
       "B\n",
       "stop=script",
       5,
       "silence 100000 : octet recu pendant le silence ; recus : \"B\""},
      {"a silence once the program has ended passes",
       "attendre \"Bonjour\\r\\n\"\nsilence 100000\n",
       "bonjour.s19",
       {},
       "Bonjour\r\n",
       "stop=loop",
       0,
       ""},
      {"escapes",
       "pause 2000\nenvoyer \"\\x41\\\"\\t\"\nattendre \"A\\\"\\t\"\n",
       "echo.s19",
       {},
       "A\"\t\n",
       "stop=wait",
       0,
       ""},
      {"sent before the receiver is on: lost",
       "envoyer \"ok\"\n"
       "attendre \"ok\" max 100000\n",
       "echo.s19",
       {},
       nullptr,
       "stop=script",
       5,
       "rien apres 100000 cycles"},
      {"the program ends before the text comes",
       "attendre \"Bonsoir\"\n",
       "bonjour.s19",
       {},
       "Bonjour\r\n",
       "stop=script",
       5,
       "le programme s'est arrete ; recus : \"Bonjour\\r\\n\""},
      {"a limit ends the run before the script",
       "pause 2000\nattendre \"ok\"\n",
       "echo.s19",
       {"--max-cycles", "10000"},
       "",
       "stop=script",
       5,
       "le run s'est arrete avant la fin du script (stop=max-cycles)"},
      {"a script that does not read",
       "envoyer ok\n",
       "echo.s19",
       {},
       nullptr,
       nullptr,
       2,
       "ligne 1 : envoyer : texte entre guillemets attendu"},
      {"an unknown step",
       "pause 10\nattends \"x\"\n",
       "echo.s19",
       {},
       nullptr,
       nullptr,
       2,
       "ligne 2 : etape inconnue : attends"},
      {"no SCI in the flat model",
       "pause 10\n",
       "echo.s19",
       {"--model", "flat"},
       nullptr,
       nullptr,
       2,
       "le modele flat n'a pas de SCI"},
      {"the menu and its grading script",
       nullptr,
       "menu.s19",
       {},
       nullptr,
       "stop=loop",
       0,
       ""},
  };
  dossier_temporaire d;
  for (const cas_script& c : cas) {
    SCOPED_TRACE(c.nom);
    const std::string script =
        c.script ? d.ecrit("script", c.script) : exemple("menu.dialogue");
    std::vector<std::string> arguments = {"--sci-script", script, "--sci-out",
                                          "-"};
    arguments.insert(arguments.end(), c.options.begin(), c.options.end());
    arguments.push_back(exemple(c.programme));
    const sortie_run r = lance_run(arguments);
    EXPECT_EQ(c.statut, r.statut);
    const std::string derniere = r.derniere_ligne();
    if (c.sortie) {
      EXPECT_EQ(c.sortie,
                r.sortie.substr(0, r.sortie.size() - derniere.size() - 1));
    }
    if (c.stop) {
      EXPECT_EQ(c.stop, derniere.substr(derniere.rfind(' ') + 1));
    }
    if (*c.erreur) {
      EXPECT_NE(std::string::npos, r.erreurs.find(c.erreur)) << r.erreurs;
    } else {
      EXPECT_EQ("", r.erreurs);
    }
  }
}

TEST(Dialogues, TheSameScriptGivesTheSameRun) {
  const std::vector<std::string> arguments = {
      "--sci-script", exemple("menu.dialogue"), "--sci-out", "-",
      exemple("menu.s19")};
  const sortie_run a = lance_run(arguments), b = lance_run(arguments);
  ASSERT_EQ(0, a.statut);
  EXPECT_EQ(a.sortie, b.sortie);
  EXPECT_NE(std::string::npos, a.sortie.find("Au revoir.\r\n"));
}

TEST(Dialogues, JsonInPlaceOfTheFinalLine) {
  dossier_temporaire d;
  const std::string script = d.ecrit("s", "attendre \"Bonsoir\" max 50000\n");
  const sortie_run r =
      lance_run({"--json", "--dump", "0xb600:0xb601", "--sci-script", script,
                 exemple("bonjour.s19")});
  EXPECT_EQ(5, r.statut);
  const sortie_run texte =
      lance_run({"--dump", "0xb600:0xb601", exemple("bonjour.s19")});
  ASSERT_EQ(1u, r.lignes().size()) << r.sortie;
  const nlohmann::json j = nlohmann::json::parse(r.derniere_ligne());
  EXPECT_EQ("script", j["stop"]);
  EXPECT_EQ(5, j["exit_status"]);
  EXPECT_EQ(j["registers"]["PC"], 0xb627);
  EXPECT_EQ(true, j["flags"]["I"]);
  EXPECT_EQ(true, j["flags"]["Z"]);
  EXPECT_EQ(false, j["flags"]["C"]);
  EXPECT_EQ("Bonjour\r\n", j["sci"]["transcript"]);
  EXPECT_EQ(9, j["sci"]["sent"]);
  EXPECT_EQ(nlohmann::json::array({0x8e, 0x00}), j["dumps"][0]["bytes"]);
  EXPECT_EQ("0xb600:0xb601", j["dumps"][0]["range"]);
  EXPECT_EQ(false, j["script"]["passed"]);
  EXPECT_EQ(1, j["script"]["failed_step"]);
  EXPECT_EQ(0, j["refused"]["count"]);
  // The same counts as the final line of the same run without a script.
  EXPECT_NE(std::string::npos,
            texte.derniere_ligne().find(
                "cycles=" + std::to_string(j["cycles"].get<long>()) + " "));
  const sortie_run refus =
      lance_run({"--json", "--sci-out", "-", exemple("bonjour.s19")});
  EXPECT_EQ(2, refus.statut);
}

}  // namespace
