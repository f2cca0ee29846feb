// tamrix-run on bad input: exit status 2, one line on standard error that
// says what is wrong, nothing run (nothing on standard output).
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <string>
#include <vector>

#include "tests/run/processus.h"

namespace {

const std::string prog = programme_test("somme.s19");

struct cas_refus {
  std::vector<std::string> arguments;
  std::string message;  // the whole line, after "tamrix-run: "
};

void verifie_refus(const cas_refus& c) {
  std::string liste;
  for (const std::string& a : c.arguments) liste += " [" + a + "]";
  SCOPED_TRACE(liste);
  const sortie_run r = lance_run(c.arguments);
  EXPECT_EQ(2, r.statut);
  EXPECT_EQ("tamrix-run: " + c.message + "\n", r.erreurs);
  EXPECT_EQ("", r.sortie);
}

TEST(BadInput, OptionsAndProgramNames) {
  const std::vector<cas_refus> cas = {
      {{"--foo", prog}, "option inconnue : \"--foo\""},
      {{"-x", prog}, "option inconnue : \"-x\""},
      {{"--trace=1", prog}, "option inconnue : \"--trace=1\""},
      {{"--TRACE", prog}, "option inconnue : \"--TRACE\""},
      {{}, "programme manquant (voir --help)"},
      {{"--trace"}, "programme manquant (voir --help)"},
      {{prog, "autre.s19"},
       "un seul programme attendu, en trop : \"autre.s19\""},
      {{"", prog}, "nom de programme vide"},
      {{prog, "--pc"}, "--pc : valeur manquante"},
      {{prog, "--until"}, "--until : valeur manquante"},
      {{prog, "--set"}, "--set : valeur manquante"},
      {{prog, "--dump"}, "--dump : valeur manquante"},
      {{"--mode", "boot", prog},
       "--mode : mode inconnu : \"boot\" (single-chip ou expanded)"},
      {{"--mode=expanded", "--model=flat", prog},
       "--mode : le modele flat n'a pas de modes de fonctionnement"},
      // Still one line: an argument's control characters written out.
      {{"--mode", "a\nb\x01", prog},
       "--mode : mode inconnu : \"a\\nb\\x01\" (single-chip ou expanded)"},
  };
  for (const cas_refus& c : cas) verifie_refus(c);
}

TEST(BadInput, Numbers) {
  const std::string forme = "\" (decimal, $hex ou 0xhex)";
  const std::vector<cas_refus> cas = {
      {{"--pc", "12ab", prog}, "--pc : nombre invalide : \"12ab" + forme},
      {{"--pc", "$", prog}, "--pc : nombre invalide : \"$" + forme},
      {{"--pc", "0x", prog}, "--pc : nombre invalide : \"0x" + forme},
      {{"--pc", "", prog}, "--pc : nombre invalide : \"" + forme},
      {{"--pc", "-1", prog}, "--pc : nombre invalide : \"-1" + forme},
      {{"--pc", "+1", prog}, "--pc : nombre invalide : \"+1" + forme},
      {{"--pc", " 12", prog}, "--pc : nombre invalide : \" 12" + forme},
      {{"--pc", "12 ", prog}, "--pc : nombre invalide : \"12 " + forme},
      {{"--pc", "1.5", prog}, "--pc : nombre invalide : \"1.5" + forme},
      {{"--pc", "0b101", prog}, "--pc : nombre invalide : \"0b101" + forme},
      {{"--pc", "$$10", prog}, "--pc : nombre invalide : \"$$10" + forme},
      {{"--pc", "0x0x10", prog}, "--pc : nombre invalide : \"0x0x10" + forme},
      {{"--pc", "--trace", prog}, "--pc : nombre invalide : \"--trace" + forme},
      {{"--until", "b600", prog}, "--until : nombre invalide : \"b600" + forme},
      {{"--pc", "65536", prog},
       "--pc : valeur hors limites : 65536 (maximum $ffff)"},
      {{"--pc=0x10000", prog},
       "--pc : valeur hors limites : 0x10000 (maximum $ffff)"},
      {{"--until", "$1ffff", prog},
       "--until : valeur hors limites : $1ffff (maximum $ffff)"},
      {{"--max-steps", "18446744073709551616", prog},
       "--max-steps : valeur hors limites : 18446744073709551616 (maximum "
       "$ffffffffffffffff)"},
      {{"--max-steps", "0x10000000000000000", prog},
       "--max-steps : valeur hors limites : 0x10000000000000000 (maximum "
       "$ffffffffffffffff)"},
      {{"--max-steps", "-5", prog},
       "--max-steps : nombre invalide : \"-5" + forme},
  };
  for (const cas_refus& c : cas) verifie_refus(c);
}

TEST(BadInput, RegistersPokesAndDumps) {
  const std::string forme = "\" (decimal, $hex ou 0xhex)";
  const std::vector<cas_refus> cas = {
      {{"--set", "A=256", prog},
       "--set A : valeur hors limites : 256 (maximum $ff)"},
      {{"--set", "ccr=$100", prog},
       "--set CCR : valeur hors limites : $100 (maximum $ff)"},
      {{"--set", "D=0x10000", prog},
       "--set D : valeur hors limites : 0x10000 (maximum $ffff)"},
      {{"--set", "Q=1", prog},
       "--set : registre inconnu : \"Q\" (A, B, D, X, Y, SP, PC ou CCR)"},
      {{"--set", "=1", prog},
       "--set : registre inconnu : \"\" (A, B, D, X, Y, SP, PC ou CCR)"},
      {{"--set", "A", prog}, "--set : REGISTRE=VALEUR attendu : \"A\""},
      {{"--set", "A=", prog}, "--set A : nombre invalide : \"" + forme},
      {{"--set", "X=1=2", prog}, "--set X : nombre invalide : \"1=2" + forme},
      {{"--poke", "0x10", prog},
       "--poke : ADRESSE=OCTET[,OCTET...] attendu : \"0x10\""},
      {{"--poke", "0x10=", prog}, "--poke : nombre invalide : \"" + forme},
      {{"--poke", "0x10=1,,2", prog}, "--poke : nombre invalide : \"" + forme},
      {{"--poke", "0x10=1,", prog}, "--poke : nombre invalide : \"" + forme},
      {{"--poke", "0x10=256", prog},
       "--poke : valeur hors limites : 256 (maximum $ff)"},
      {{"--poke", "0x10000=1", prog},
       "--poke : valeur hors limites : 0x10000 (maximum $ffff)"},
      {{"--poke", "0xffff=1,2", prog},
       "--poke : les octets depassent $ffff : \"0xffff=1,2\""},
      {{"--dump", "0x20", prog}, "--dump : DEBUT:FIN attendu : \"0x20\""},
      {{"--dump", "0x20:0x10", prog},
       "--dump : fin avant debut : \"0x20:0x10\""},
      {{"--dump", "0x20:0x10000", prog},
       "--dump : valeur hors limites : 0x10000 (maximum $ffff)"},
      {{"--dump", ":5", prog}, "--dump : nombre invalide : \"" + forme},
  };
  for (const cas_refus& c : cas) verifie_refus(c);
}

TEST(BadInput, UnreadableAndRejectedPrograms) {
  dossier_temporaire d;
  const std::string somme_fausse =
      d.ecrit("somme_fausse.s19", "S1050000AA0050\nS10500010102FF\n");
  const std::string depasse =
      d.ecrit("hors.s19", "S107FFFE01020304F1\nS9030000FC\n");
  const std::string vide = d.ecrit("vide.s19", "");
  const std::string court = d.ecrit("court.bin", std::string("\x00\x08", 2));
  const std::string tronque =
      d.ecrit("tronque.bin", std::string("\x00\x08\xb6\x00\x01", 5));
  const std::string sans_donnees =
      d.ecrit("sans_donnees.bin", std::string("\x00\x04\xb6\x00", 4));
  const std::string tube = d.fichier("tube.s19");
  ::mkfifo(tube.c_str(), 0600);
  const std::string source_tube = d.fichier("tube.s");
  ::mkfifo(source_tube.c_str(), 0600);
  const std::vector<cas_refus> cas = {
      {{d.fichier("absent.s19")},
       "programme refuse : Fichier introuvable : " + d.fichier("absent.s19")},
      {{d.chemin()},
       "programme refuse : " + d.chemin() +
           " : c'est un dossier, pas un fichier de programme"},
      {{somme_fausse},
       "programme refuse : " + somme_fausse +
           ", ligne 2 : somme de contrôle incorrecte"},
      {{depasse},
       "programme refuse : " + depasse + ", ligne 1 : données au-delà de $ffff"},
      {{vide},
       "programme refuse : " + vide +
           ", ligne 1 : aucun enregistrement de données"},
      {{"--binary", court},
       "programme refuse : " + court +
           " : erreur sur fichier : en-tete "
           "incomplet"},
      {{"--binary", tronque},
       "programme refuse : " + tronque +
           " : erreur sur fichier : fichier plus court que sa taille"},
      {{"--binary", sans_donnees},
       "programme refuse : " + sans_donnees +
           " : image binaire sans donnees (taille 4 dans l'en-tete)"},
      // Neither waited for nor read without end.
      {{tube},
       "programme illisible : " + tube +
           " : pas un fichier ordinaire (tube, peripherique...)"},
      {{source_tube},
       "programme illisible : " + source_tube +
           " : pas un fichier ordinaire (tube, peripherique...)"},
      {{"/dev/zero"},
       "programme illisible : /dev/zero : pas un fichier ordinaire (tube, "
       "peripherique...)"},
  };
  for (const cas_refus& c : cas) verifie_refus(c);
}

TEST(BadInput, ADirectoryIsNoProgram) {
  dossier_temporaire d;
  const sortie_run r = lance_run({d.chemin()});
  EXPECT_EQ(2, r.statut);
  EXPECT_EQ(0u, r.erreurs.find("tamrix-run: programme "));
  EXPECT_EQ(r.erreurs.size(), r.erreurs.find('\n') + 1) << r.erreurs;
  EXPECT_EQ("", r.sortie);
}

TEST(GoodInput, JoinedValuesCaseAndEndOfOptions) {
  // "--x=v" as "--x v"; register names in either case; "--" ends options.
  const sortie_run r = lance_run({"--pc=0xb627", "--set=x=$10", "--set", "sp=7",
                                  "--max-steps=5", "--", prog});
  EXPECT_EQ(
      "PC=b627 A=00 B=00 X=0010 Y=0000 SP=0007 CCR=11010000 cycles=3 "
      "steps=1 stop=loop\n",
      r.sortie);
  EXPECT_EQ(0, r.statut);
}

TEST(GoodInput, LargestValuesAreAccepted) {
  const sortie_run r =
      lance_run({"--max-steps", "18446744073709551615", "--poke", "0xffff=1",
                 "--set", "CCR=255", "--pc", "$FFFF", "--until", "0", "--dump",
                 "65535:65535", prog});
  EXPECT_EQ(
      "ffff  1\n"
      "PC=0000 A=00 B=00 X=0000 Y=0000 SP=00ff CCR=11111111 cycles=2 "
      "steps=1 stop=until\n",
      r.sortie);
  EXPECT_EQ(0, r.statut) << r.erreurs;
}

}  // namespace
