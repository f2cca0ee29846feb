// tamrix-run on ELF files and assembly sources, which the GNU tools make
// here: labels and expressions in --until, --pc and --dump, trace lines
// with labels and source lines, bad labels, sources that do not assemble.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "tests/run/processus.h"

namespace {

const std::string somme_s = programme_test("somme.s");
const std::string refus = "\" (decimal, $hex ou 0xhex)";

// `source` assembled with -g and linked at 0xb600 into `elf`.
void construit_elf(const std::string& source, const std::string& elf) {
  const std::string commande = "m68hc11-as -g -o '" + elf + ".o' '" + source +
                               "' && m68hc11-ld -Ttext 0xb600 -e _start -o '" +
                               elf + "' '" + elf + ".o'";
  ASSERT_EQ(std::system(commande.c_str()), 0) << commande;
}

struct cas_run {
  std::vector<std::string> arguments;
  std::string sortie;  // the whole standard output
  int statut;
};

void verifie(const cas_run& c) {
  std::string liste;
  for (const std::string& a : c.arguments) liste += " [" + a + "]";
  SCOPED_TRACE(liste);
  const sortie_run r = lance_run(c.arguments);
  EXPECT_EQ(c.sortie, r.sortie);
  EXPECT_EQ(c.statut, r.statut);
  EXPECT_EQ("", r.erreurs);
}

}  // namespace

// Expected values worked out by hand from the data book (cycles per row).
TEST(Labels, UntilPcAndDumpTakeLabelsAndExpressions) {
  dossier_temporaire d;
  const std::string elf = d.fichier("somme.elf");
  construit_elf(somme_s, elf);
  const std::string entree =
      d.ecrit("entree.s",
              "        .text\ntable:  .byte 1, 2\n        .globl _start\n"
              "_start: ldaa  #1\nfin:    bra   fin\n");
  const std::string exemple_somme = exemple("somme.s");
  const std::vector<cas_run> cas = {
      {{"--until", "somme", somme_s},
       "PC=b606 A=00 B=04 X=b629 Y=0000 SP=00ff CCR=11010000 cycles=7 "
       "steps=3 stop=until\n",
       0},
      {{"--until", "somme + 2", somme_s},
       "PC=b608 A=11 B=04 X=b629 Y=0000 SP=00ff CCR=11010000 cycles=11 "
       "steps=4 stop=until\n",
       0},
      {{"--until=fin", elf},
       "PC=b627 A=aa B=00 X=b62d Y=004c SP=00ff CCR=11011000 cycles=165 "
       "steps=49 stop=until\n",
       0},
      {{"--pc", "fin", somme_s},
       "PC=b627 A=00 B=00 X=0000 Y=0000 SP=00ff CCR=11010000 cycles=3 "
       "steps=1 stop=loop\n",
       0},
      {{"--until", "ajoute", exemple_somme},
       "PC=b603 A=00 B=0a X=0000 Y=0000 SP=00ff CCR=11010000 cycles=4 "
       "steps=2 stop=until\n",
       0},
      // The entry point, _start, is not the first address.
      {{entree},
       "PC=b604 A=01 B=00 X=0000 Y=0000 SP=00ff CCR=11010000 cycles=5 "
       "steps=2 stop=loop\n",
       0},
      {{"--dump", "resultat:resultat+1", exemple_somme},
       "   0 37 ff\n"
       "PC=b609 A=37 B=00 X=0000 Y=0000 SP=00ff CCR=11010000 cycles=80 "
       "steps=34 stop=loop\n",
       0},
      {{"--dump", "table:table+3", "--dump", "0x40:$41", "--dump",
        "copie-1:$b61a", somme_s},
       "b629 11 22 33 44\n  40 aa 54\nb617 48 a6  0 18\n"
       "PC=b627 A=aa B=00 X=b62d Y=004c SP=00ff CCR=11011000 cycles=168 "
       "steps=50 stop=loop\n",
       0},
  };
  for (const cas_run& c : cas) verifie(c);
}

TEST(Labels, TraceLinesEndWithTheLabelAndTheSourceLine) {
  const sortie_run r = lance_run({"--trace", "--until", "somme+2", somme_s});
  const std::vector<std::string> attendu = {
      "b600  ce b6 29        LDX  #$b629       PC=b603 A=00 B=00 X=b629 "
      "Y=0000 SP=00ff CCR=11011000 cycles=3  _start: somme.s:6",
      "b603  4f              CLRA              PC=b604 A=00 B=00 X=b629 "
      "Y=0000 SP=00ff CCR=11010100 cycles=5  somme.s:7",
      "b604  c6 04           LDAB #$4          PC=b606 A=00 B=04 X=b629 "
      "Y=0000 SP=00ff CCR=11010000 cycles=7  somme.s:8",
      "b606  ab 00           ADDA $0,X         PC=b608 A=11 B=04 X=b629 "
      "Y=0000 SP=00ff CCR=11010000 cycles=11  somme: somme.s:10",
      "PC=b608 A=11 B=04 X=b629 Y=0000 SP=00ff CCR=11010000 cycles=11 "
      "steps=4 stop=until",
  };
  EXPECT_EQ(attendu, r.lignes());
  EXPECT_EQ(0, r.statut);
  // The help shows the labelled line the runner writes.
  EXPECT_NE(std::string::npos,
            lance_run({"--help"}).sortie.find("    " + attendu[3] + "\n"));
}

TEST(Labels, UnknownLabelsAndBadExpressionsRunNothing) {
  const struct {
    std::vector<std::string> arguments;
    std::string message;
  } cas[] = {
      {{"--until", "fni", somme_s}, "--until : etiquette inconnue : fni"},
      {{"--pc", "debut", somme_s}, "--pc : etiquette inconnue : debut"},
      {{"--dump", "table:tabel", somme_s},
       "--dump : etiquette inconnue : tabel"},
      {{"--dump", "table+4:table", somme_s},
       "--dump : fin avant debut : \"table+4:table\""},
      {{"--until", "table+$10000", somme_s},
       "--until : adresse hors limites : \"table+$10000\" (0 a $ffff)"},
      {{"--until", "fin..", somme_s}, "--until : etiquette inconnue : fin.."},
      // An S19 image has no symbols: the numbers' message, before loading.
      {{"--until", "fin", programme_test("somme.s19")},
       "--until : nombre invalide : \"fin" + refus},
      {{"--dump", "0:fin", programme_test("absent.s19")},
       "--dump : nombre invalide : \"fin" + refus},
      // Options first, then the program, then the labels.
      {{"--until", "fni", "--foo", somme_s}, "option inconnue : \"--foo\""},
      {{"--until", "fni", programme_test("absent.s")},
       "programme refuse : Fichier introuvable : " +
           programme_test("absent.s")},
  };
  for (const auto& c : cas) {
    std::string liste;
    for (const std::string& a : c.arguments) liste += " [" + a + "]";
    SCOPED_TRACE(liste);
    const sortie_run r = lance_run(c.arguments);
    EXPECT_EQ(2, r.statut);
    EXPECT_EQ("tamrix-run: " + c.message + "\n", r.erreurs);
    EXPECT_EQ("", r.sortie);
  }
}

TEST(Labels, SourceThatDoesNotAssembleShowsTheAssemblersLines) {
  dossier_temporaire d;
  const std::string faux = d.ecrit(
      "faux.s", "        .text\n_start: ldaa #1\n        ldaa #0x12,,\n");
  const sortie_run r = lance_run({"--until", "_start", faux});
  EXPECT_EQ(2, r.statut);
  EXPECT_EQ("", r.sortie);
  EXPECT_NE(std::string::npos, r.erreurs.find(faux + ":3: Error: "))
      << r.erreurs;
  const std::string derniere = "tamrix-run: programme refuse : " + faux +
                               " : erreurs d'assemblage (ci-dessus)\n";
  ASSERT_GE(r.erreurs.size(), derniere.size());
  EXPECT_EQ(derniere, r.erreurs.substr(r.erreurs.size() - derniere.size()));
}
