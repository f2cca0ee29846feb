// The timer in the window: the Timer section of the "Interruptions..."
// dialog (TCNT, enabled sources, next event), the "COP actif" check, and a
// run that waits in WAI for captures made by clicks on the Port A panel.
#include <FL/Fl.H>
#include <FL/Fl_Check_Button.H>
#include <FL/Fl_Double_Window.H>
#include <FL/Fl_Menu_Button.H>

#include <chrono>

#include "puce/cop.h"
#include "tests/gui/banc_gui.h"
#include "ui/options_puce.h"

namespace {

class Timer : public GuiTest {
 protected:
  void SetUp() override {
    GuiTest::SetUp();
    sim->change_modele(modele_machine::e9);
  }
  void TearDown() override {
    active(*sim, f().bouton_carre);
    fl_hide_form(sim->forme_interruptions->fenetre);
  }
  void ouvre() {
    f().menu_options->value(1);
    active(*sim, f().menu_options);
    ASSERT_TRUE(sim->forme_interruptions->fenetre->shown());
  }
  std::string section() { return texte(sim->forme_interruptions->etat_timer); }
  void tourne_jusqua(bool (*fini)(simulateur&)) {
    const auto debut = std::chrono::steady_clock::now();
    while (!fini(*sim) && std::chrono::duration<double>(
                              std::chrono::steady_clock::now() - debut)
                                  .count() < 3)
      Fl::wait(0.01);
  }
};

TEST_F(Timer, SectionShowsTheCounterTheSourcesAndTheNextEvent) {
  // LDD #$0100; STD TOC2; LDAA #$40; STAA TMSK1; BRA *.
  const unsigned char code[] = {0xCC, 0x01, 0x00, 0xFD, 0x10, 0x18, 0x86,
                                0x40, 0xB7, 0x10, 0x22, 0x20, 0xFE};
  for (unsigned i = 0; i < sizeof code; ++i)
    sim->simulation.ecrit_octet(static_cast<unsigned short>(0xB600 + i),
                                code[i]);
  sim->reinitialise();
  ouvre();
  EXPECT_NE(std::string::npos, section().find("TCNT = $0002  (E/1)"))
      << section();
  EXPECT_NE(std::string::npos, section().find("Autorisées : aucune"));
  EXPECT_NE(std::string::npos,
            section().find("Prochain : RTI au cycle 8190 (dans 8190)"));
  for (int i = 0; i < 4; ++i) active(*sim, f().bouton_pas);
  // 14 cycles; TCNT reads $0100 in cycle 254: OC2 in 255.
  EXPECT_NE(std::string::npos, section().find("TCNT = $0010")) << section();
  EXPECT_NE(std::string::npos, section().find("Autorisées : OC2"));
  EXPECT_NE(std::string::npos,
            section().find("Prochain : OC2 au cycle 255 (dans 241)"));
  EXPECT_NE(std::string::npos, section().find("COP : arrêté"));
  // The dump shows the live counter, the view taking no latch.
  EXPECT_EQ(0x10, sim->memoire.consulte(0x100F));
}

TEST_F(Timer, CopCheckSwitchesTheWatchdogFromAReset) {
  ouvre();
  interruptions_class& it = *sim->forme_interruptions;
  EXPECT_EQ(0, it.cop_actif->value());
  active(*sim, f().bouton_pas);
  it.cop_actif->value(1);
  active(*sim, it.cop_actif);
  puce& p = *sim->simulation.systeme();
  EXPECT_TRUE(cop::actif(p));
  EXPECT_EQ(0u, sim->simulation.cycles);
  EXPECT_NE(std::string::npos,
            section().find("COP : en marche, reset au cycle 65534"))
      << section();
  it.cop_actif->value(0);
  active(*sim, it.cop_actif);
  EXPECT_FALSE(cop::actif(*sim->simulation.systeme()));
}

TEST_F(Timer, ClicksOnPortAFeedTheCaptureOfAWaitingRun) {
  ASSERT_EQ(
      1, sim->charge_programme(TAMRIX_SOURCE_DIR "/examples/periode_ic1.s19"));
  active(*sim, f().bouton_fleche);
  tourne_jusqua([](simulateur& s) {
    return s.simulation.etat_cpu() == interpreteur::attente;
  });
  ASSERT_TRUE(sim->controle_execution.en_marche());
  // A rise of PA2, served; a fall and a rise again.
  active(*sim, sim->port_A.boutons[2]);
  tourne_jusqua([](simulateur& s) { return s.memoire.consulte(0x0004) == 1; });
  EXPECT_EQ(1, sim->memoire.consulte(0x0004));
  active(*sim, sim->port_A.boutons[2]);
  active(*sim, sim->port_A.boutons[2]);
  tourne_jusqua([](simulateur& s) { return s.memoire.consulte(0x0004) == 2; });
  EXPECT_EQ(2, sim->memoire.consulte(0x0004));
  // The last capture is TIC1, kept by the handler.
  EXPECT_EQ(sim->memoire.consulte(0x1011), sim->memoire.consulte(0x0001));
  EXPECT_TRUE(sim->controle_execution.en_marche());
}

}  // namespace
