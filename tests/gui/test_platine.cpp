// The "Carte" window under Xvfb: F8 opens it, a preset chosen in it, a
// click on a key reaching the running program, the LCD showing its text,
// a press kept by the history, the port panels showing the pins the board
// holds, and a wrong board file refused.
#include <FL/Fl.H>
#include <FL/Fl_Button.H>
#include <FL/Fl_Choice.H>
#include <FL/Fl_Double_Window.H>

#include <chrono>

#include "app/travail.h"
#include "tests/gui/banc_gui.h"

namespace {

class Platine : public GuiTest {
 protected:
  void SetUp() override {
    GuiTest::SetUp();
    sim->change_modele(modele_machine::e9);
  }
  void TearDown() override {
    vue().retire();
    fl_hide_form(vue().forme->fenetre);
  }
  vue_carte& vue() { return sim->travail->carte; }
  void choisit(const char* nom) {
    Fl_Choice& c = *vue().forme->choix;
    c.value(c.find_index(nom));
    active(*sim, &c);
  }
  // The mouse down (or up) on an element of the drawing, and the command
  // loop's passes for what it queued.
  void souris(int composant, int element, int evenement) {
    dessin_platine& d = *vue().forme->dessin;
    int x, y, w, h;
    ASSERT_TRUE(d.zone(composant, element, x, y, w, h));
    Fl::e_x = x + w / 2;
    Fl::e_y = y + h / 2;
    d.handle(evenement);
    while (Fl_Widget* w2 = sim->objet_suivant()) sim->traite_objet(w2);
  }
  void clique(int composant, int element) {
    souris(composant, element, FL_PUSH);
    souris(composant, element, FL_RELEASE);
  }
  // The run goes on for `secondes` of wall time at full speed, the
  // command loop's passes with it, as in the program.
  void laisse_courir(double secondes) {
    const auto debut = std::chrono::steady_clock::now();
    while (sim->controle_execution.en_marche() &&
           std::chrono::steady_clock::now() - debut <
               std::chrono::duration<double>(secondes)) {
      Fl::wait(0.01);
      while (Fl_Widget* w = sim->objet_suivant()) sim->traite_objet(w);
    }
  }
  void court(double secondes) {
    sim->controle_execution.choisit_vitesse(vitesse::maximum);
    active(*sim, f().bouton_fleche);
    laisse_courir(secondes);
  }
  std::string ligne(std::size_t i) { return vue().carte()->lignes(true).at(i); }
};

TEST_F(Platine, TheOptionsItemOpensItAPresetIsChosenAndDrawn) {
  f().menu_options->value(f().menu_options->find_index("Carte..."));
  active(*sim, f().menu_options);
  ASSERT_TRUE(vue().forme->fenetre->shown());
  choisit("afficheurs");
  ASSERT_NE(nullptr, vue().carte());
  EXPECT_EQ("Quatre afficheurs 7 segments et un clavier 4x4",
            std::string(vue().forme->etat->label()));
  // The keypad's 16 keys, drawn where a click finds them.
  int x, y, w, h;
  EXPECT_TRUE(vue().forme->dessin->zone(1, 15, x, y, w, h));
  EXPECT_FALSE(vue().forme->dessin->zone(1, 16, x, y, w, h));
  EXPECT_GE(vue().forme->fenetre->h(), vue().forme->dessin->hauteur());
}

TEST_F(Platine, AClickOnAKeyReachesTheRunningProgram) {
  vue().ouvre();
  choisit("afficheurs");
  ASSERT_EQ(
      1, sim->charge_programme(TAMRIX_SOURCE_DIR "/examples/clavier_echo.s19"));
  court(0.2);
  ASSERT_TRUE(sim->controle_execution.en_marche());
  // "7" is row 2, column 0: key 8, held while the program scans.
  souris(1, 8, FL_PUSH);
  laisse_courir(0.2);
  souris(1, 8, FL_RELEASE);
  laisse_courir(0.2);
  sim->controle_execution.arrete();
  EXPECT_EQ(7, sim->memoire.consulte(0x0013));
  EXPECT_EQ(0, sim->memoire.consulte(0x0012));
  // The display, as it was when the run stopped: the selected digit.
  EXPECT_NE(std::string::npos, vue().carte()->lignes(false)[0].find('7'));
}

TEST_F(Platine, TheLcdShowsTheProgramsText) {
  vue().ouvre();
  choisit("lcd");
  ASSERT_EQ(
      1, sim->charge_programme(TAMRIX_SOURCE_DIR "/examples/lcd_bonjour.s19"));
  court(5);
  EXPECT_FALSE(sim->controle_execution.en_marche());
  EXPECT_EQ("lcd: \"Bonjour         \" \"  68HC11        \"", ligne(0));
  // The DDRAM as the drawing shows it: "B" of line 1 and "6" of line 2.
  const etat_hd44780& e = *vue().carte()->lcd(0);
  EXPECT_EQ('B', hd44780::code_affiche(e, 0, 0, 2, 16));
  EXPECT_EQ('6', hd44780::code_affiche(e, 1, 2, 2, 16));
}

TEST_F(Platine, APressIsAnActionTheHistoryKeeps) {
  vue().ouvre();
  choisit("leds");
  // PA0 (BP1) copied to port B, forever.
  ASSERT_EQ(1, sim->charge_programme(
                   assemble("bp1",
                            "\t.globl _start\n_start:\tldaa 0x1000\n"
                            "\tstaa 0x1004\n\tbra _start\n")
                       .c_str()));
  for (int i = 0; i < 3; ++i) active(*sim, f().bouton_pas);
  clique(2, 0);  // BP1 pressed and released: a bounce of 5 ms each
  EXPECT_FALSE(vue().carte()->actif(2, 0));
  EXPECT_EQ(2, vue().carte()->etat.commandes[2].action);
  // The panel of port A shows PA0 held by the board; a click there does
  // nothing.
  EXPECT_EQ(FL_DARK_YELLOW, sim->port_A.boutons[0]->color());
  const bool avant = sim->simulation.niveau_broche(broche_pa0);
  active(*sim, sim->port_A.boutons[0]);
  EXPECT_EQ(avant, sim->simulation.niveau_broche(broche_pa0));
  // Back before the click: the board's button and pin as they were.
  const uint64_t apres = sim->simulation.journal.total();
  active(*sim, sim->bouton_pas_arriere);
  EXPECT_LT(sim->simulation.journal.total(), apres);
  EXPECT_TRUE(sim->simulation.niveau_broche(broche_pa0));
  EXPECT_EQ(0, vue().carte()->etat.commandes[2].action);
  EXPECT_FALSE(sim->simulation.broches_planifiees());
  // Forward: the press comes back at its point, bounce included.
  active(*sim, f().bouton_pas);
  EXPECT_EQ(2, vue().carte()->etat.commandes[2].action);
  EXPECT_TRUE(sim->simulation.broches_planifiees());  // the bounce ahead
}

TEST_F(Platine, AWrongFileIsRefusedAndTheBoardKept) {
  vue().ouvre();
  choisit("leds");
  const std::string faux =
      fichier_temporaire("faux.toml",
                         "[[composant]]\ntype = \"led\"\nnom = \"L\"\n"
                         "broche = \"PB9\"\n");
  EXPECT_FALSE(vue().choisit(faux));
  ASSERT_EQ(1u, alertes_vues.size());
  EXPECT_EQ("Carte refusée|" + faux +
                ":4: broche inconnue « PB9 »|La carte précédente est gardée.",
            alertes_vues[0]);
  EXPECT_EQ("leds", std::string(vue().forme->choix->text()));
  EXPECT_EQ(5u, vue().carte()->description().composants.size());
}

}  // namespace
