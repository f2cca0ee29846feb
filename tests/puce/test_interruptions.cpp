// Interrupts of the E9 model, one case a line: SWI and RTI frames, the
// IRQ and XIRQ pins, masking, WAI, STOP and the illegal-opcode trap. Cycle
// totals from the data book: SWI 14, RTI 12, WAI 12 + wait + 2, a hardware
// interrupt 12 from the end of an instruction to its handler, STOP's
// restart 4064 cycles while OPTION's DLY is set.
#include "tests/puce/banc_puce.h"

namespace {

const CasPuce cas_interruptions[] = {
    {"SWI stacks PC, Y, X, A, B, CCR and takes $fff6", "3F / FFF6=C0 FFF7=00",
     "A=AA B=BB X=1234 Y=5678 SP=FF CCR=00", "", "pas=1",
     "PC=C000 SP=F6 CCR=10 / FF=01 FE=B6 FD=78 FC=56 FB=34 FA=12 F9=AA F8=BB "
     "F7=00",
     14},
    {"RTI pulls the frame back and may clear X",
     "3B / F7=04 F8=22 F9=11 FA=33 FB=44 FC=55 FD=66 FE=B7 FF=00",
     "SP=F6 CCR=D0", "", "pas=1",
     "PC=B700 SP=FF A=11 B=22 X=3344 Y=5566 CCR=04", 12},
    {"IRQ low: taken once the running instruction ends", "01 / FFF2=C0 FFF3=00",
     "CCR=00 SP=FF", "IRQ=0@1", "pc=C000",
     "PC=C000 SP=F6 CCR=10 / FF=01 FE=B6 F7=00", 14},
    {"XIRQ before IRQ, setting X and I", "01 / FFF2=C0 FFF3=00 FFF4=C1 FFF5=00",
     "CCR=00 SP=FF", "IRQ=0@0 XIRQ=0@0", "pc=C100",
     "PC=C100 CCR=50 SP=F6 / F7=00", 12},
    {"I masks IRQ", "01 01 / FFF2=C0 FFF3=00", "CCR=10", "IRQ=0@0", "pas=2",
     "PC=B602 CCR=10 SP=FF", 4},
    {"X masks XIRQ", "01 01 / FFF4=C1 FFF5=00", "CCR=40", "XIRQ=0@0", "pas=2",
     "PC=B602 SP=FF", 4},
    {"I does not mask XIRQ", "01 / FFF4=C1 FFF5=00", "CCR=10", "XIRQ=0@0",
     "pc=C100", "PC=C100 CCR=50", 12},
    {"once TAP clears X, XIRQ comes", "86 00 06 01 / FFF4=C1 FFF5=00",
     "CCR=50 SP=FF", "XIRQ=0@0", "pc=C100",
     "PC=C100 A=00 CCR=50 SP=F6 / FF=03 FE=B6 F7=00", 16},
    {"WAI: stacking, the wait, the vector", "0E 3E / FFF2=C0 FFF3=00",
     "CCR=10 SP=FF", "IRQ=0@100", "pc=C000",
     "PC=C000 SP=F6 CCR=10 / FF=02 FE=B6 F7=00", 102},
    {"STOP with S set does nothing", "CF 01", "CCR=D0", "", "pas=2", "PC=B602",
     4},
    {"STOP: IRQ restarts the clocks after DLY's delay", "CF / FFF2=C0 FFF3=00",
     "CCR=00 SP=FF", "IRQ=0@50", "pc=C000", "PC=C000 SP=F6 / FF=01 FE=B6",
     2 + 4064 + 12},
    {"STOP with X set: XIRQ goes on after STOP", "CF 01 01", "CCR=40",
     "XIRQ=0@10", "pas=2", "PC=B602 CCR=40", 2 + 4064 + 2},
    {"STOP after DLY cleared restarts at once",
     "86 00 B7 10 39 CF / FFF2=C0 FFF3=00", "CCR=00 SP=FF", "IRQ=0@100",
     "pc=C000", "PC=C000", 2 + 4 + 2 + 12},
    {"illegal opcode, page 0: the opcode's address stacked",
     "01 41 / FFF8=C2 FFF9=00", "SP=FF CCR=00", "", "pc=C200",
     "PC=C200 SP=F6 CCR=10 / FF=01 FE=B6", 2 + 14},
    {"illegal opcode, page 18", "01 18 00 / FFF8=C2 FFF9=00", "SP=FF CCR=00",
     "", "pc=C200", "PC=C200 / FF=01 FE=B6", 2 + 14},
    {"illegal opcode, page 1A", "01 1A 00 / FFF8=C2 FFF9=00", "SP=FF CCR=00",
     "", "pc=C200", "PC=C200 / FF=01 FE=B6", 2 + 14},
    {"illegal opcode, page CD", "01 CD 00 / FFF8=C2 FFF9=00", "SP=FF CCR=00",
     "", "pc=C200", "PC=C200 / FF=01 FE=B6", 2 + 14},
    // IRQ handler: INC $0000 (6), RTI (12). The main program sets OPTION,
    // clears I, counts 80 turns of DECB/BNE (5 cycles), sets I and stops.
    {"IRQ held low 20..300, level-sensitive: ten interrupts",
     "86 00 B7 10 39 0E C6 50 5A 26 FD 0F 20 FE / FFF2=C0 FFF3=00 C000=7C "
     "C001=00 C002=00 C003=3B 0000=00",
     "SP=FF", "IRQ=0@20 IRQ=1@300", "pc=B60C", "/ 0000=0A", 412 + 10 * 30},
    {"the same, IRQE set: one interrupt for one falling edge",
     "86 20 B7 10 39 0E C6 50 5A 26 FD 0F 20 FE / FFF2=C0 FFF3=00 C000=7C "
     "C001=00 C002=00 C003=3B 0000=00",
     "SP=FF", "IRQ=0@20 IRQ=1@300", "pc=B60C", "/ 0000=01", 412 + 30},
};

TEST(Interruptions, TableOfCases) {
  for (const CasPuce& c : cas_interruptions) verifie_puce(c);
}

// HPRIO's PSEL leaves XIRQ first and IRQ, the default, where it is.
TEST(Interruptions, PriorityResolution) {
  machine m(modele_machine::e9);
  puce& p = *m.systeme();
  const uint32_t irq = bit_it(it_irq), xirq = bit_it(it_xirq),
                 rti = bit_it(it_rti), sci = bit_it(it_sci),
                 tof = bit_it(it_tof);
  const struct {
    uint32_t demandes;
    unsigned char ccr, psel;
    source_it servie;
  } cas[] = {
      {irq | xirq, 0x00, 0x5, it_xirq},       {irq | rti, 0x00, 0x5, it_irq},
      {rti | sci, 0x00, 0x5, it_rti},         {rti | sci, 0x00, 0x4, it_sci},
      {irq | tof, 0x00, 0x0, it_tof},         {irq | tof, 0x00, 0x6, it_irq},
      {xirq | tof, 0x00, 0x0, it_xirq},       {tof, 0x10, 0x0, nb_sources_it},
      {xirq | tof, 0x50, 0x0, nb_sources_it}, {xirq | tof, 0x10, 0x0, it_xirq},
  };
  for (const auto& c : cas) {
    p.etat.systeme.hprio = static_cast<unsigned char>(0x20 | c.psel);
    EXPECT_EQ(c.servie, systeme::a_servir(p, c.demandes, c.ccr))
        << std::hex << c.demandes << " psel " << unsigned(c.psel);
  }
}

TEST(Interruptions, WaitWithNothingToWakeEndsTheRun) {
  machine m(modele_machine::e9);
  for (uint8_t o : {0x0F, 0x3E}) m.ecrit_octet(m.cpu.PC++, o);
  m.cpu.PC = 0xB600;
  conditions_arret c;
  EXPECT_EQ(arret_machine::attente, m.execute(c));
  EXPECT_EQ(interpreteur::attente, m.etat_cpu());
  // With I clear and a pin the user may drive, it goes on waiting.
  m.cpu.CCR = 0;
  c.broches_libres = true;
  c.max_cycles = m.cycles + 1000;
  EXPECT_EQ(arret_machine::max_cycles, m.execute(c));
  EXPECT_EQ(2u + 12 + 1000, m.cycles);  // SEI, WAI before its wait
}

// A run that stops after the illegal-opcode trap has let what fell due
// during the trap's entry happen, as a run going on through it does (and
// as going back and forth to that point does).
TEST(Interruptions, PinsDueDuringTheTrapActBeforeTheStop) {
  machine m(modele_machine::e9);
  for (uint8_t o : {0x01, 0x41}) m.ecrit_octet(m.cpu.PC++, o);
  m.cpu.PC = 0xB600;
  m.planifie_broche({10, broche_irq, 0});
  conditions_arret c;
  c.sur_illegal = conditions_arret::illegal::apres;
  EXPECT_EQ(arret_machine::illegal, m.execute(c));
  EXPECT_EQ(2u + 14, m.cycles);
  EXPECT_FALSE(m.broches_planifiees());
  EXPECT_FALSE(m.niveau_broche(broche_irq));
}

}  // namespace
