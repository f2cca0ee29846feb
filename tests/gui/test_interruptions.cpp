// The E9 model in the window: the "Interruptions..." dialog (model switch,
// IRQ and XIRQ pins, sources), a run that waits with WAI and wakes on the
// pin, the state beside the cycle counter, the illegal-opcode trap and the
// "Adresse de  Base..." dialog.
#include <FL/Fl.H>
#include <FL/Fl_Browser.H>
#include <FL/Fl_Button.H>
#include <FL/Fl_Double_Window.H>
#include <FL/Fl_Menu_Button.H>
#include <FL/Fl_Round_Button.H>

#include <chrono>

#include "tests/gui/banc_gui.h"
#include "ui/options_puce.h"

namespace {

class Puce : public GuiTest {
 protected:
  void SetUp() override {
    GuiTest::SetUp();
    sim->change_modele(modele_machine::e9);
  }
  void TearDown() override {
    fl_hide_form(sim->forme_interruptions->fenetre);
    fl_hide_form(sim->forme_adresse_base->fenetre);
  }
  void options(int article) {
    f().menu_options->value(article - 1);
    active(*sim, f().menu_options);
  }
  // Writes bytes at `adresse`, then resets the machine (PC from $fffe).
  void programme(unsigned short adresse,
                 std::initializer_list<unsigned char> octets) {
    // As a programmer writes them: the EEPROM and the ROM included.
    for (unsigned char o : octets) sim->simulation.ecrit_octet(adresse++, o);
  }
  void laisse_tourner(double secondes) {
    const auto debut = std::chrono::steady_clock::now();
    while (
        std::chrono::duration<double>(std::chrono::steady_clock::now() - debut)
            .count() < secondes)
      Fl::wait(0.01);
  }
  void tourne_jusqua(bool (*fini)(simulateur&), double secondes = 3) {
    const auto debut = std::chrono::steady_clock::now();
    while (!fini(*sim) && std::chrono::duration<double>(
                              std::chrono::steady_clock::now() - debut)
                                  .count() < secondes)
      Fl::wait(0.01);
  }
};

TEST_F(Puce, InterruptionsDialogSwitchesTheModel) {
  options(2);
  interruptions_class& it = *sim->forme_interruptions;
  ASSERT_TRUE(it.fenetre->shown());
  EXPECT_EQ(1, it.modele_e9->value());
  EXPECT_EQ(16, it.liste_sources->size());
  it.modele_plat->setonly();
  active(*sim, it.modele_plat);
  EXPECT_FALSE(sim->simulation.e9());
  EXPECT_FALSE(it.bouton_irq->active());
  it.modele_e9->setonly();
  active(*sim, it.modele_e9);
  EXPECT_TRUE(sim->simulation.e9());
  active(*sim, it.bouton_fermer);
  EXPECT_FALSE(it.fenetre->shown());
}

TEST_F(Puce, IrqButtonWakesAProgramWaitingDuringARun) {
  // CLI, WAI, BRA *; the IRQ handler at $c000 stores $5a into PORTB, RTI.
  programme(0xB600, {0x0E, 0x3E, 0x20, 0xFE});
  programme(0xC000, {0x86, 0x5A, 0xB7, 0x10, 0x04, 0x3B});
  programme(0xFFF2, {0xC0, 0x00});
  sim->reinitialise();
  options(2);
  interruptions_class& it = *sim->forme_interruptions;
  active(*sim, f().bouton_fleche);
  tourne_jusqua([](simulateur& s) {
    return s.simulation.etat_cpu() == interpreteur::attente;
  });
  ASSERT_TRUE(sim->controle_execution.en_marche());
  laisse_tourner(0.1);
  EXPECT_NE(std::string::npos,
            std::string(sim->controle_execution.texte_compteur()).find("WAI"));
  EXPECT_EQ("IRQ = 1", texte(it.bouton_irq));
  active(*sim, it.bouton_irq);
  EXPECT_EQ("IRQ = 0 : active", texte(it.bouton_irq));
  EXPECT_NE(std::string::npos,
            std::string(it.liste_sources->text(2)).find("DEMANDÉE"));
  tourne_jusqua([](simulateur& s) { return s.port_B.valeur == 0x5A; });
  EXPECT_EQ(0x5A, sim->port_B.valeur);
  // Released: the program sits on its BRA * with I clear, and the run goes
  // on, since the user may press IRQ again.
  active(*sim, it.bouton_irq);
  laisse_tourner(0.1);
  EXPECT_TRUE(sim->controle_execution.en_marche());
  EXPECT_EQ(0xB602, sim->processeur.PC);
  active(*sim, f().bouton_carre);
}

TEST_F(Puce, IllegalOpcodeStopsTheRunAtItsTrap) {
  programme(0xB600, {0x01, 0x41});
  programme(0xFFF8, {0xC2, 0x00});
  sim->reinitialise();
  active(*sim, f().bouton_fleche);
  tourne_jusqua(
      [](simulateur& s) { return !s.controle_execution.en_marche(); });
  EXPECT_EQ(raison_arret::inexistante,
            sim->controle_execution.derniere_raison());
  EXPECT_EQ(0xC200, sim->processeur.PC);
  EXPECT_EQ("Opcode illégal en $b601 : déroutement par $fff8.",
            texte(sim->ligne_etat));
}

TEST_F(Puce, AdresseDeBaseShowsTheBlockAndTheRam) {
  options(1);
  adresse_base_class& base = *sim->forme_adresse_base;
  ASSERT_TRUE(base.fenetre->shown());
  EXPECT_EQ("Registres : $1000-$103f  (INIT = $01)", texte(base.registres));
  EXPECT_EQ("RAM : $0000-$01ff (512 octets)", texte(base.ram));
  active(*sim, base.bouton_fermer);
  EXPECT_FALSE(base.fenetre->shown());
}

TEST_F(Puce, PortPanelsShowTheChipsPins) {
  active(*sim, sim->port_E.boutons[3]);
  EXPECT_EQ(0x08, sim->memoire.consulte(0x100A));
  EXPECT_EQ("00001000", texte(sim->port_E.aff_valeur));
  // PORTA's PA3 turns into an output with PACTL's DDRA3.
  sim->memoire.write_byte(0x1026, 0x08);
  sim->rafraichit_ports();
  EXPECT_EQ(FL_RED, sim->port_A.boutons[3]->color());
  EXPECT_EQ(0, sim->port_A.react_in(sim->port_A.boutons[3]));
}

}  // namespace
