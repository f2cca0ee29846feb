// tamrix-run's serial line and analog inputs on the example programs:
// --sci-in, --sci-in-file, --sci-out, --analog, and their bad values.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/run/processus.h"

namespace {

struct cas_liaison {
  const char* nom;
  std::vector<std::string> arguments;
  const char* debut;  // standard output up to the final line
  const char* fin;    // how the final line ends
  int statut;
};

TEST(SerialAndAnalog, ExamplePrograms) {
  const std::string bonjour = exemple("bonjour.s19"),
                    echo = exemple("echo.s19"),
                    voltmetre = exemple("voltmetre.s19");
  const std::vector<std::string> mesure = {"--max-cycles", "1000", "--dump",
                                           "0x1004:0x1004"};
  const auto volts = [&](std::vector<std::string> a) {
    a.insert(a.end(), mesure.begin(), mesure.end());
    a.push_back(voltmetre);
    return a;
  };
  const std::vector<cas_liaison> cas = {
      {"bonjour: the message, then the final line",
       {"--sci-out", "-", bonjour},
       "Bonjour\r\n",
       "stop=loop",
       0},
      {"bonjour without --sci-out prints nothing more",
       {bonjour},
       "",
       "stop=loop",
       0},
      {"echo: each character back, counted at $0000; then nothing can wake "
       "the CPU",
       {"--sci-in", "Salut\\r", "--sci-out", "-", "--dump", "0:0", echo},
       "Salut\r\n   0  6\n",
       "stop=wait",
       0},
      {"echo: escapes",
       {"--sci-in", "\\x41\\\\\\t\\n", "--sci-out", "-", echo},
       "A\\\t\n",
       "stop=wait",
       0},
      {"echo without input waits for nothing",
       {"--sci-out", "-", echo},
       "",
       "stop=wait",
       0},
      {"voltmeter: 2.5 V of 5 V is $80", volts({"--analog", "AN0=2.5"}),
       "1004 80\n", "stop=max-cycles", 1},
      {"voltmeter: 5 V is $ff", volts({"--analog", "an0=5"}), "1004 ff\n",
       "stop=max-cycles", 1},
      {"voltmeter: 0 V by default", volts({}), "1004  0\n", "stop=max-cycles",
       1},
      {"voltmeter: 1,2 V with a comma is 61.2, $3d",
       volts({"--analog", "AN0=1,2"}), "1004 3d\n", "stop=max-cycles", 1},
      {"voltmeter: VRH at 2.5 V makes 2.5 V full scale",
       volts({"--analog", "AN0=2.5", "--analog", "VRH=2.5"}), "1004 ff\n",
       "stop=max-cycles", 1},
      {"voltmeter: --analog comes after --poke of PORTE",
       volts({"--poke", "0x100a=0x01", "--analog", "AN0=1"}), "1004 33\n",
       "stop=max-cycles", 1},
  };
  for (const cas_liaison& c : cas) {
    SCOPED_TRACE(c.nom);
    const sortie_run r = lance_run(c.arguments);
    const std::string derniere = r.derniere_ligne();
    EXPECT_EQ(c.debut,
              r.sortie.substr(0, r.sortie.size() - derniere.size() - 1));
    EXPECT_EQ(std::string(c.fin),
              derniere.substr(derniere.size() - std::string(c.fin).size()));
    EXPECT_EQ(c.statut, r.statut) << r.erreurs;
    EXPECT_EQ("", r.erreurs);
  }
}

TEST(SerialAndAnalog, FilesInAndOut) {
  dossier_temporaire d;
  const std::string entree = d.ecrit("entree", "bc\r");
  const std::string sortie = d.fichier("sortie");
  const sortie_run r =
      lance_run({"--sci-in", "a", "--sci-in-file", entree, "--sci-out", sortie,
                 "--dump", "0:0", exemple("echo.s19")});
  EXPECT_EQ(0, r.statut) << r.erreurs;
  EXPECT_EQ("abc\r", lit_tout(sortie));
  EXPECT_EQ(0u, r.sortie.find("   0  4\n")) << r.sortie;
}

TEST(SerialAndAnalog, BadValuesRunNothing) {
  dossier_temporaire d;
  const std::string prog = exemple("echo.s19");
  const std::string trop(1025, 'x');
  const std::string gros = d.ecrit("gros", std::string(1022, 'y'));
  const std::string copie = d.ecrit("copie.s19", lit_tout(prog));
  const std::string script = d.ecrit("s.dialogue", "pause 10\n");
  const struct {
    std::vector<std::string> arguments;
    std::string message;
  } cas[] = {
      {{"--analog", "AN8=1", prog},
       "--analog : entree inconnue : \"AN8\" (AN0-AN7, VRH ou VRL)"},
      {{"--analog", "AN0", prog}, "--analog : ENTREE=VOLTS attendu : \"AN0\""},
      {{"--analog", "AN0=2.5.1", prog},
       "--analog AN0 : tension invalide : \"2.5.1\" (volts : 2.5 ou 2,5)"},
      {{"--analog", "vrh=5.5", prog},
       "--analog VRH : tension hors limites : 5.5 V (de 0 a 5 V)"},
      {{"--analog", "AN1=-0.1", prog},
       "--analog AN1 : tension hors limites : -0.1 V (de 0 a 5 V)"},
      {{"--analog", "VRL=3", "--analog", "VRH=2", prog},
       "--analog : VRL (3 V) doit etre inferieure a VRH (2 V)"},
      {{"--sci-in", "a\\", prog},
       "--sci-in : sequence inconnue : \"\\\" (\\r, \\n, \\t, \\\\ ou \\xNN)"},
      {{"--sci-in", "\\xG1", prog},
       "--sci-in : sequence inconnue : \"\\xG1\" (\\r, \\n, \\t, \\\\ ou "
       "\\xNN)"},
      {{"--sci-in", trop, prog},
       "--sci-in : 1025 octets, la file du SCI en contient au plus 1024"},
      {{"--sci-in-file", d.fichier("absent"), prog},
       "--sci-in-file : fichier illisible : " + d.fichier("absent") +
           " : No such file or directory"},
      {{"--sci-in-file", "/dev/zero", prog},
       "--sci-in-file : fichier illisible : /dev/zero : pas un fichier "
       "ordinaire (tube, peripherique...)"},
      {{"--sci-in", "abc", "--sci-in-file", gros, prog},
       "--sci-in-file : " + gros +
           " : trop d'octets, la file du SCI en contient au plus 1024"},
      // The output would empty an input, by any of its names.
      {{"--sci-out", copie, copie},
       "--sci-out : " + copie + " est aussi une entree (" + copie +
           ") : il serait efface"},
      {{"--sci-in-file", gros, "--sci-out", d.chemin() + "/./gros", copie},
       "--sci-out : " + d.chemin() + "/./gros est aussi une entree (" + gros +
           ") : il serait efface"},
      {{"--sci-script", script, "--sci-out", script, prog},
       "--sci-out : " + script + " est aussi une entree (" + script +
           ") : il serait efface"},
      {{"--sci-script", "/dev/zero", prog},
       "--sci-script : /dev/zero : pas un fichier ordinaire (tube, "
       "peripherique...)"},
      {{"--sci-out", d.fichier("absent/sortie"), prog},
       "--sci-out : fichier impossible a ecrire : " +
           d.fichier("absent/sortie") + " : No such file or directory"},
      {{"--sci-out", "", prog}, "--sci-out : nom de fichier vide"},
      {{"--model", "flat", "--analog", "AN0=1", prog},
       "--analog : le modele flat n'a pas de convertisseur"},
      {{"--model", "flat", "--sci-out", "-", prog},
       "--sci-out : le modele flat n'a pas de SCI"},
  };
  for (const auto& c : cas) {
    SCOPED_TRACE(c.message);
    const sortie_run r = lance_run(c.arguments);
    EXPECT_EQ(2, r.statut);
    EXPECT_EQ("tamrix-run: " + c.message + "\n", r.erreurs);
    EXPECT_EQ("", r.sortie);
  }
  EXPECT_EQ(lit_tout(exemple("echo.s19")), lit_tout(copie));
  EXPECT_EQ(std::string(1022, 'y'), lit_tout(gros));
  EXPECT_EQ("pause 10\n", lit_tout(script));
}

// An output that cannot be written whole (a full disk: /dev/full) is one
// line on standard error and exit status 4, whatever the run gave.
TEST(SerialAndAnalog, AnOutputNotWrittenIsStatus4) {
  const std::string bonjour = exemple("bonjour.s19");
  const struct {
    std::vector<std::string> arguments;
    const char* sortie;  // standard output, "" for a file of the test
    const char* message;
  } cas[] = {
      {{"--sci-out", "/dev/full", bonjour},
       "",
       "--sci-out : ecriture impossible : /dev/full : No space left on "
       "device"},
      {{"--sci-out", "-", bonjour},
       "/dev/full",
       "ecriture impossible sur la sortie standard : No space left on device"},
      {{"--dump", "0:0xffff", "--trace", bonjour},
       "/dev/full",
       "ecriture impossible sur la sortie standard : No space left on device"},
      {{"--json", bonjour},
       "/dev/full",
       "ecriture impossible sur la sortie standard : No space left on device"},
      {{"--help"},
       "/dev/full",
       "ecriture impossible sur la sortie standard : No space left on device"},
  };
  for (const auto& c : cas) {
    SCOPED_TRACE(c.message);
    const sortie_run r = lance_run(c.arguments, c.sortie);
    EXPECT_EQ(4, r.statut);
    EXPECT_EQ("tamrix-run: " + std::string(c.message) + "\n", r.erreurs);
  }
}

}  // namespace
