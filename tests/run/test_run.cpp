// tamrix-run as a process: final lines, dumps, traces, stop reasons and
// exit statuses on small assembled programs and on the examples.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "tests/run/processus.h"

namespace {

struct cas_final {
  const char* nom;
  std::vector<std::string> arguments;
  const char* ligne;  // expected final line
  int statut;
};

// Expected values worked out by hand from the data book (cycles per row).
const std::vector<cas_final>& cas_finaux() {
  static const std::vector<cas_final> cas = {
      {"sum of a table, ends on bra *",
       {programme_test("somme.s19")},
       "PC=b627 A=aa B=00 X=b62d Y=004c SP=00ff CCR=11011000 cycles=168 "
       "steps=50 stop=loop",
       0},
      {"two subroutine calls",
       {programme_test("sous_programme.s19")},
       "PC=b60d A=0b B=00 X=0000 Y=0000 SP=00ff CCR=11010000 cycles=37 "
       "steps=10 stop=loop",
       0},
      {"until the subroutine's entry",
       {"--until", "0xb60f", programme_test("sous_programme.s19")},
       "PC=b60f A=01 B=00 X=0000 Y=0000 SP=00fd CCR=11010000 cycles=11 "
       "steps=3 stop=until",
       0},
      {"until is checked after each instruction, not at the start",
       {"--until", "$b600", programme_test("sans_fin.s19")},
       "PC=b600 A=01 B=00 X=0000 Y=0000 SP=00ff CCR=11010000 cycles=5 "
       "steps=2 stop=until",
       0},
      {"the first of several untils reached",
       {"--until", "0xb610", "--until", "46600",
        programme_test("sous_programme.s19")},
       "PC=b608 A=06 B=00 X=0000 Y=0000 SP=00ff CCR=11010000 cycles=18 "
       "steps=5 stop=until",
       0},
      {"max-steps on a program without end, even count",
       {"--max-steps", "1000", programme_test("sans_fin.s19")},
       "PC=b600 A=f4 B=00 X=0000 Y=0000 SP=00ff CCR=11011000 cycles=2500 "
       "steps=1000 stop=max-steps",
       1},
      {"max-steps, odd count",
       {"--max-steps", "$3e9", programme_test("sans_fin.s19")},
       "PC=b601 A=f5 B=00 X=0000 Y=0000 SP=00ff CCR=11011000 cycles=2502 "
       "steps=1001 stop=max-steps",
       1},
      {"max-steps 0 runs nothing",
       {"--max-steps", "0", programme_test("somme.s19")},
       "PC=b600 A=00 B=00 X=0000 Y=0000 SP=00ff CCR=11010000 cycles=0 "
       "steps=0 stop=max-steps",
       1},
      {"one outer pass of the count: 131074 instructions",
       {"--set", "Y=1", programme_test("compte.s19")},
       "PC=b60a A=00 B=00 X=0000 Y=0000 SP=00ff CCR=11011100 cycles=393223 "
       "steps=131074 stop=loop",
       0},
      {"a non-existent page-0 opcode",
       {"--model", "flat", programme_test("inexistante.s19")},
       "PC=b603 A=7f B=00 X=0000 Y=0000 SP=00ff CCR=11010000 cycles=2 "
       "steps=2 stop=illegal",
       3},
      {"a non-existent page-18 opcode: 18 18",
       {"--model=flat", "--poke", "0xb600=0x18,0x18",
        programme_test("somme.s19")},
       "PC=b602 A=00 B=00 X=0000 Y=0000 SP=00ff CCR=11010000 cycles=0 "
       "steps=1 stop=illegal",
       3},
      {"a non-existent page-CD opcode after a valid CD row",
       {"--model", "flat", "--poke", "$b600=$cd,$a3,$10,$cd,$00", "--set",
        "Y=0", "--set", "D=1", programme_test("somme.s19")},
       "PC=b605 A=00 B=01 X=0000 Y=0000 SP=00ff CCR=11010001 cycles=7 "
       "steps=2 stop=illegal",
       3},
      // E9: the run stops before the trap, PC on the opcode's first byte.
      {"E9: a non-existent page-0 opcode",
       {programme_test("inexistante.s19")},
       "PC=b602 A=7f B=00 X=0000 Y=0000 SP=00ff CCR=11010000 cycles=2 "
       "steps=2 stop=illegal",
       3},
      {"E9: a non-existent page-CD opcode, PC on its prebyte",
       {"--poke", "$b600=$cd,$a3,$10,$cd,$00", "--set", "Y=0", "--set", "D=1",
        programme_test("somme.s19")},
       "PC=b603 A=00 B=01 X=0000 Y=0000 SP=00ff CCR=11010001 cycles=7 "
       "steps=2 stop=illegal",
       3},
      {"jmp to itself is a self-loop",
       {"--poke", "0xb600=0x7e,0xb6,0x00", programme_test("somme.s19")},
       "PC=b600 A=00 B=00 X=0000 Y=0000 SP=00ff CCR=11010000 cycles=3 "
       "steps=1 stop=loop",
       0},
      {"--pc and --set, applied in order",
       {"--set", "PC=0", "--pc", "0xb627", "--set", "a=0x80", "--set", "B=255",
        "--set", "X=$1234", "--set", "Y=65535", "--set", "SP=0x1ff", "--set",
        "CCR=0", programme_test("somme.s19")},
       "PC=b627 A=80 B=ff X=1234 Y=ffff SP=01ff CCR=00000000 cycles=3 "
       "steps=1 stop=loop",
       0},
      {"--set D writes A and B",
       {"--pc", "0xb627", "--set", "D=0xbeef", programme_test("somme.s19")},
       "PC=b627 A=be B=ef X=0000 Y=0000 SP=00ff CCR=11010000 cycles=3 "
       "steps=1 stop=loop",
       0},
      {"PC wraps from ffff to 0000",
       {"--pc", "0xffff", "--poke", "0xffff=0x01", "--poke", "0=0x20,0xfe",
        programme_test("somme.s19")},
       "PC=0000 A=00 B=00 X=0000 Y=0000 SP=00ff CCR=11010000 cycles=5 "
       "steps=2 stop=loop",
       0},
  };
  return cas;
}

TEST(FinalLine, ProgramsEndWithTheirStateAndStatus) {
  for (const cas_final& c : cas_finaux()) {
    SCOPED_TRACE(c.nom);
    const sortie_run r = lance_run(c.arguments);
    EXPECT_EQ(c.ligne, r.derniere_ligne());
    EXPECT_EQ(c.statut, r.statut) << r.erreurs;
    EXPECT_EQ(1u, r.lignes().size()) << r.sortie;
  }
}

TEST(FinalLine, IllegalStopComesAfterTheCpuMessage) {
  const sortie_run r =
      lance_run({"--model", "flat", programme_test("inexistante.s19")});
  EXPECT_EQ("fonction inexistante!\n", r.erreurs);
  EXPECT_EQ(3, r.statut);
  // The chip has a trap, not a message.
  EXPECT_EQ("", lance_run({programme_test("inexistante.s19")}).erreurs);
}

TEST(FinalLine, QuietRunWritesNothingOnStandardError) {
  const sortie_run r = lance_run({programme_test("somme.s19")});
  EXPECT_EQ("", r.erreurs);
  EXPECT_EQ(0, r.statut);
}

TEST(Dump, LinesOfEightBytesAndAPartialLast) {
  const sortie_run r =
      lance_run({"--dump", "0x40:0x4a", "--dump", "$f8:$ff", "--dump",
                 "0xb627:0xb627", programme_test("sous_programme.s19")});
  // sous_programme stores A (0b) at 0x30; its calls leave b60b on the stack.
  const sortie_run s = lance_run({"--dump", "0x40:0x4a", "--dump", "$2e:$35",
                                  programme_test("somme.s19")});
  EXPECT_EQ(0, s.statut);
  EXPECT_EQ(
      "  40 aa 54 ff ff ff ff ff ff\n"
      "  48 11 22 33\n"
      "  2e ff ff ff ff ff ff ff ff\n",
      s.sortie.substr(0, s.sortie.rfind("PC=")));
  EXPECT_EQ(
      "  40 ff ff ff ff ff ff ff ff\n"
      "  48 ff ff ff\n"
      "  f8 ff ff ff ff ff ff b6  b\n"
      "b627 ff\n",
      r.sortie.substr(0, r.sortie.rfind("PC=")));
}

TEST(Dump, TopOfMemoryAndAWholeLine) {
  const sortie_run r =
      lance_run({"--poke", "0xfffe=0,5", "--dump", "0xfff8:0xffff", "--dump",
                 "0xb600:0xb607", programme_test("somme.s19")});
  EXPECT_EQ(
      "fff8 ff ff ff ff ff ff  0  5\n"
      "b600 ce b6 29 4f c6  4 ab  0\n",
      r.sortie.substr(0, r.sortie.rfind("PC=")));
}

TEST(Dump, PokesAreVisibleBeforeTheRunChangesThem) {
  // The poked table entry 0x11 becomes 0x01: the sum drops by 0x10.
  const sortie_run r = lance_run({"--poke", "0xb629=1", "--dump", "0x40:0x41",
                                  programme_test("somme.s19")});
  EXPECT_EQ("  40 9a 34\n", r.sortie.substr(0, r.sortie.rfind("PC=")));
  EXPECT_NE(std::string::npos, r.derniere_ligne().find(" A=9a "));
}

TEST(Trace, OneLinePerInstructionWithTheStateAfterIt) {
  const sortie_run r =
      lance_run({"--trace", programme_test("sous_programme.s19")});
  const std::vector<std::string> attendu = {
      "b600  8e 00 ff        LDS  #$ff         PC=b603 A=00 B=00 X=0000 "
      "Y=0000 SP=00ff CCR=11010000 cycles=3",
      "b603  86 01           LDAA #$1          PC=b605 A=01 B=00 X=0000 "
      "Y=0000 SP=00ff CCR=11010000 cycles=5",
      "b605  bd b6 0f        JSR  $b60f        PC=b60f A=01 B=00 X=0000 "
      "Y=0000 SP=00fd CCR=11010000 cycles=11",
      "b60f  8b 05           ADDA #$5          PC=b611 A=06 B=00 X=0000 "
      "Y=0000 SP=00fd CCR=11010000 cycles=13",
      "b611  39              RTS               PC=b608 A=06 B=00 X=0000 "
      "Y=0000 SP=00ff CCR=11010000 cycles=18",
  };
  const std::vector<std::string> lignes = r.lignes();
  ASSERT_EQ(11u, lignes.size()) << r.sortie;
  for (std::size_t i = 0; i < attendu.size(); ++i)
    EXPECT_EQ(attendu[i], lignes[i]);
  EXPECT_EQ(
      "b60d  20 fe           BRA  $fe          PC=b60d A=0b B=00 X=0000 "
      "Y=0000 SP=00ff CCR=11010000 cycles=37",
      lignes[9]);
  EXPECT_EQ(0, r.statut);
}

TEST(Trace, StopsAtAnUntilAddressToo) {
  const sortie_run r = lance_run(
      {"--trace", "--until", "0xb60f", programme_test("sous_programme.s19")});
  const std::vector<std::string> lignes = r.lignes();
  ASSERT_EQ(4u, lignes.size()) << r.sortie;
  EXPECT_EQ(0u, lignes[2].find("b605  bd b6 0f        JSR  $b60f "));
  EXPECT_EQ(
      "PC=b60f A=01 B=00 X=0000 Y=0000 SP=00fd CCR=11010000 cycles=11 "
      "steps=3 stop=until",
      lignes[3]);
  EXPECT_EQ(0, r.statut);
}

TEST(Trace, LongestInstructionAndNonExistentRows) {
  // BRSET $5,Y $3 $10 (five bytes, page 18; not taken, the cell at
  // Y + 5 holds 0), then 18 18.
  const sortie_run r =
      lance_run({"--model", "flat", "--trace", "--set", "Y=0x40", "--poke",
                 "0xb600=0x18,0x1e,5,3,0x10", "--poke", "0xb605=0x18,0x18",
                 "--poke", "0x45=0", programme_test("somme.s19")});
  const std::vector<std::string> lignes = r.lignes();
  ASSERT_EQ(3u, lignes.size()) << r.sortie;
  EXPECT_EQ(
      "b600  18 1e 05 03 10  BRSET$5,Y$3$10    PC=b605 A=00 B=00 X=0000 "
      "Y=0040 SP=00ff CCR=11010000 cycles=8",
      lignes[0]);
  EXPECT_EQ(
      "b605  18 18           ?????             PC=b607 A=00 B=00 X=0000 "
      "Y=0040 SP=00ff CCR=11010000 cycles=8",
      lignes[1]);
  EXPECT_EQ(3, r.statut);
}

TEST(Stats, ALineOnStandardErrorWithCountTimeAndSpeed) {
  const sortie_run r =
      lance_run({"--stats", "--set", "Y=2", programme_test("compte.s19")});
  unsigned long long instructions = 0, par_seconde = 0, refus = 1;
  double secondes = -1;
  char fin = 0;
  ASSERT_EQ(5,
            std::sscanf(r.erreurs.c_str(),
                        "tamrix-run: %llu instructions en %lf s, %llu "
                        "instructions par seconde, %llu acces refuses%c",
                        &instructions, &secondes, &par_seconde, &refus, &fin))
      << r.erreurs;
  EXPECT_EQ(262147u, instructions);
  EXPECT_EQ(0u, refus);
  EXPECT_EQ('\n', fin);
  EXPECT_EQ(r.erreurs.size(), r.erreurs.find('\n') + 1);
  EXPECT_GT(secondes, 0);
  // The speed is the count over the time, the time being rounded to the
  // microsecond in its text.
  EXPECT_GE(par_seconde + 1.0, instructions / (secondes + 0.5e-6));
  EXPECT_LE(par_seconde - 1.0, instructions / (secondes - 0.5e-6));
  EXPECT_EQ(0, r.statut);
}

TEST(Help, PrintsTheUsageAndRunsNothing) {
  for (const char* option : {"--help", "-h"}) {
    const sortie_run r = lance_run({"--max-steps", "x", option});
    EXPECT_EQ(0, r.statut);
    EXPECT_EQ(0u, r.sortie.find("Usage : tamrix-run [options] PROGRAMME"));
    for (const std::string& ligne : r.lignes())
      EXPECT_NE(0u, ligne.find("PC=")) << "a final line: " << ligne;
    EXPECT_EQ("", r.erreurs);
  }
}

TEST(Help, ItsTraceAndFinalLineExamplesAreWhatTheRunnerWrites) {
  const std::string aide = lance_run({"--help"}).sortie;
  const sortie_run r =
      lance_run({"--trace", "--poke", "0xb600=0x86,0x12", "--until", "0xb602",
                 programme_test("somme.s19")});
  ASSERT_EQ(2u, r.lignes().size()) << r.sortie;
  EXPECT_NE(std::string::npos, aide.find("    " + r.lignes()[0] + "\n"))
      << r.lignes()[0];
  // The final line of the help has other counts, the same fields.
  const std::string finale = r.lignes()[1];
  EXPECT_NE(std::string::npos,
            aide.find("  " + finale.substr(0, finale.find(" cycles="))));
}

TEST(Binary, LoadsARawImageOverClearedMemory) {
  dossier_temporaire dossier;
  // Size 8, base b600: LDAA #$12, BRA *.
  const std::string image = dossier.ecrit(
      "prog.bin", std::string("\x00\x08\xb6\x00\x86\x12\x20\xfe", 8));
  const sortie_run r =
      lance_run({"--binary", "--dump", "0xb600:0xb607", image});
  EXPECT_EQ(
      "b600 86 12 20 fe  0  0  0  0\n"
      "PC=b602 A=12 B=00 X=0000 Y=0000 SP=00ff CCR=11010000 cycles=5 "
      "steps=2 stop=loop\n",
      r.sortie);
  EXPECT_EQ(0, r.statut);
  // The loader's own progress lines are passed on.
  EXPECT_NE(std::string::npos, r.erreurs.find("adresse de base 46592"));
}

}  // namespace
