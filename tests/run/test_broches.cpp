// tamrix-run and the E9 model: pins driven at cycles, the stops of a CPU
// that waits, the cycle limit, interrupt lines in the trace, bad pins.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/run/processus.h"

namespace {

// irq.s counts three IRQ edges, waiting with WAI; by hand from the data
// book: 17 cycles to the first WAI, 12 before each wait, 2 for the vector,
// INC ext 6, RTI 12, the loop back to WAI 8 (see irq.s).
const std::string irq = programme_test("irq.s19");

TEST(Pins, IrqEdgesWakeTheWaitingProgram) {
  const struct {
    const char* nom;
    std::vector<std::string> arguments;
    const char* ligne;
    int statut;
  } cas[] = {
      {"three edges: the count reaches 3",
       {"--pin", "IRQ=0@100", "--pin", "IRQ=1@150", "--pin=irq=0@300", "--pin",
        "IRQ=1@350", "--pin", "IRQ=0@500", irq},
       "PC=b614 A=03 B=00 X=0000 Y=0000 SP=00ff CCR=11010100 cycles=533 "
       "steps=25 stop=loop",
       0},
      {"two edges: then nothing can wake the CPU",
       {"--pin", "IRQ=0@100", "--pin", "IRQ=1@150", "--pin", "IRQ=0@300", irq},
       "PC=b60d A=02 B=00 X=0000 Y=0000 SP=00f6 CCR=11001001 cycles=340 "
       "steps=18 stop=wait",
       0},
      {"the cycle limit ends the wait",
       {"--max-cycles", "250", "--pin", "IRQ=0@100", "--pin", "IRQ=1@150",
        "--pin", "IRQ=0@300", irq},
       "PC=b60d A=01 B=00 X=0000 Y=0000 SP=00f6 CCR=11001001 cycles=250 "
       "steps=12 stop=max-cycles",
       1},
      {"no pin: the first WAI is the end",
       {irq},
       "PC=b60d A=30 B=00 X=0000 Y=0000 SP=00f6 CCR=11000100 cycles=29 "
       "steps=6 stop=wait",
       0},
  };
  for (const auto& c : cas) {
    SCOPED_TRACE(c.nom);
    const sortie_run r = lance_run(c.arguments);
    EXPECT_EQ(c.ligne, r.derniere_ligne());
    EXPECT_EQ(c.statut, r.statut) << r.erreurs;
  }
}

TEST(Pins, PortInputsFromPinsAndPokes) {
  // entrees_port_e copies port E to port B: from a pin at cycle 0, from a
  // poke of PORTE.
  for (const std::vector<std::string>& entree :
       {std::vector<std::string>{"--pin", "PE6=1@0"},
        std::vector<std::string>{"--poke", "0x100a=0x40"}}) {
    std::vector<std::string> a = entree;
    for (const char* m : {"--until", "0xb612", "--dump", "0x1004:0x1004"})
      a.push_back(m);
    a.push_back(exemple("entrees_port_e.s19"));
    const sortie_run r = lance_run(a);
    EXPECT_EQ(0u, r.sortie.find("1004 40\n")) << r.sortie;
  }
}

TEST(Pins, TheTraceShowsTheInterruptAsTheHelpSaysIt) {
  const sortie_run r = lance_run({"--trace", "--max-cycles", "15", "--set",
                                  "CCR=0", "--pin", "IRQ=0@3", irq});
  ASSERT_LE(2u, r.lignes().size()) << r.sortie;
  EXPECT_EQ(0u, r.lignes()[1].find("----  interruption IRQ (fff2)"));
  EXPECT_NE(std::string::npos,
            lance_run({"--help"}).sortie.find("    " + r.lignes()[1] + "\n"))
      << r.lignes()[1];
}

TEST(Pins, BadValuesRunNothing) {
  const struct {
    std::vector<std::string> arguments;
    std::string message;
  } cas[] = {
      {{"--pin", "PB0=1@5", irq},
       "--pin : broche inconnue ou qui n'est pas une entree : \"PB0\" (IRQ, "
       "XIRQ, PA0-PA3, PA7, PC0-PC7, PD0-PD5, PE0-PE7)"},
      {{"--pin", "IRQ=2@5", irq}, "--pin IRQ : niveau 0 ou 1 attendu : \"2\""},
      {{"--pin", "IRQ=1@x", irq},
       "--pin IRQ : nombre invalide : \"x\" (decimal, $hex ou 0xhex)"},
      {{"--pin", "IRQ=1", irq}, "--pin : BROCHE=0|1@CYCLE attendu : \"IRQ=1\""},
      {{"--model", "z80", irq},
       "--model : modele inconnu : \"z80\" (e9 ou flat)"},
      {{"--model", "flat", "--pin", "XIRQ=0@1", irq},
       "--pin XIRQ : le modele flat n'a pas de broches d'interruption"},
      {{"--max-cycles", "-1", irq},
       "--max-cycles : nombre invalide : \"-1\" (decimal, $hex ou 0xhex)"},
      // Past it, the count would wrap after the interrupt's entry.
      {{"--pin", "IRQ=0@18446744073709551614", irq},
       "--pin IRQ : cycle hors limites : 18446744073709551614 (au plus "
       "9223372036854775808, que le compte de cycles atteint sans deborder)"},
  };
  for (const auto& c : cas) {
    const sortie_run r = lance_run(c.arguments);
    EXPECT_EQ(2, r.statut);
    EXPECT_EQ("tamrix-run: " + c.message + "\n", r.erreurs);
    EXPECT_EQ("", r.sortie);
  }
}

}  // namespace
