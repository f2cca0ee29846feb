// The register block of the E9 model: reset values a program reads, the
// time-protected registers and HPRIO's write rule.
#include "tests/puce/banc_puce.h"

namespace {

// "C6 10 5A 26 FD" (LDAB #16, then 16 turns of DECB/BNE) spends 82 cycles,
// past the 64 of the protection.
const CasPuce cas_registres[] = {
    {"OPTION after reset", "B6 10 39", "", "", "pas=1", "A=10", 4},
    {"HPRIO after reset, expanded mode", "B6 10 3C", "", "", "pas=1", "A=25",
     4},
    {"a reserved cell reads 0", "B6 10 01", "", "", "pas=1", "A=00", 4},
    {"CONFIG of an erased part", "B6 10 3F", "", "", "pas=1", "A=0F", 4},
    {"PIOC after reset", "B6 10 02", "", "", "pas=1", "A=03", 4},
    {"INIT moves the block within 64 cycles", "86 03 B7 10 3D B6 30 39", "", "",
     "pas=3", "A=10", 10},
    {"INIT takes one write only", "86 03 B7 10 3D 86 05 B7 30 3D B6 30 3D", "",
     "", "pas=5", "A=03", 16},
    {"INIT after 64 cycles changes nothing",
     "C6 10 5A 26 FD 86 03 B7 10 3D B6 10 3D", "", "", "pas=36", "A=01", 92},
    {"OPTION within 64 cycles: every bit but bit 2", "86 FF B7 10 39 B6 10 39",
     "", "", "pas=3", "A=FB", 10},
    {"OPTION after 64 cycles: ADPU yes, IRQE and DLY no",
     "C6 10 5A 26 FD 86 A0 B7 10 39 B6 10 39", "", "", "pas=36", "A=90", 92},
    {"HPRIO's PSEL while I is set", "86 0C B7 10 3C B6 10 3C", "CCR=D0", "",
     "pas=3", "A=2C", 10},
    {"HPRIO's PSEL ignored while I is clear", "86 0C B7 10 3C B6 10 3C",
     "CCR=C0", "", "pas=3", "A=25", 10},
    {"PORTE is input only", "86 FF B7 10 0A B6 10 0A", "", "PE3=1@0", "pas=3",
     "A=08", 10},
    {"port C: outputs from the latch, inputs from the pins",
     "86 F0 B7 10 07 86 AA B7 10 03 B6 10 03", "", "PC0=1@0 PC6=0@0", "pas=5",
     "A=A1", 16},
};

TEST(Registres, TableOfCases) {
  for (const CasPuce& c : cas_registres) verifie_puce(c);
}

TEST(Registres, TheFlatModelGetsTheBlockAsPlainCells) {
  machine m(modele_machine::e9);
  m.memoire.write_byte(0x1004, 0x5A);  // PORTB
  m.change_modele(modele_machine::plat);
  EXPECT_EQ(0x5A, m.memoire.read_byte(0x1004));
  EXPECT_EQ(0x10, m.memoire.read_byte(0x1039));
  for (unsigned a = 0; a < 0x10000; ++a)
    ASSERT_EQ(0, m.memoire.cellules[a] & 0xFF00) << std::hex << a;
}

TEST(Registres, ResetReadsTheVectorOrStartsAtB600) {
  machine m(modele_machine::e9);
  EXPECT_EQ(0xB600, m.cpu.PC);
  m.ecrit_octet(0xFFFE, 0xC0);
  m.ecrit_octet(0xFFFF, 0x10);
  m.cpu.CCR = 0;
  m.reset();
  EXPECT_EQ(0xC010, m.cpu.PC);
  EXPECT_EQ(CCR_S | CCR_X | CCR_I, m.cpu.CCR);
}

TEST(Registres, PinChangesAreLoggedWithTheirCycle) {
  machine m(modele_machine::e9);
  // LDAA #$81, STAA PORTB: the write is the fourth cycle of STAA.
  for (uint8_t o : {0x86, 0x81, 0xB7, 0x10, 0x04}) m.ecrit_octet(m.cpu.PC++, o);
  m.cpu.PC = 0xB600;
  m.planifie_broche({3, broche_irq, 0});
  conditions_arret c;
  c.max_pas = 2;
  m.execute(c);
  // PB0 and PB7 rise in the write's cycle (index 5); IRQ, due at 3 but
  // applied once STAA ends, keeps the log in order.
  ASSERT_EQ(3u, m.journal.taille());
  const unsigned broches[3] = {broche_pb0, broche_pb0 + 7, broche_irq};
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(broches[i], m.journal[i].broche);
    EXPECT_EQ(5u, m.journal[i].cycle);
  }
  EXPECT_EQ(0, m.journal[2].niveau);
}

}  // namespace
