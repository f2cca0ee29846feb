// Going back in the window: step back and Shift+F10, back to the previous
// breakpoint, "Qui a change ceci ?" on a right click, and back to just
// before a change.
#include <FL/Fl.H>
#include <FL/Fl_Button.H>
#include <FL/Fl_Double_Window.H>
#include <FL/Fl_Hold_Browser.H>
#include <FL/Fl_Input.H>

#include <chrono>

#include "tests/gui/banc_gui.h"
#include "ui/qui_a_change.h"

namespace {

class Historique : public GuiTest {
 protected:
  void SetUp() override {
    GuiTest::SetUp();
    sim->change_modele(modele_machine::e9);
    ASSERT_EQ(1,
              sim->charge_programme(TAMRIX_SOURCE_DIR "/examples/somme.s19"));
  }
  void TearDown() override {
    fl_hide_form(sim->forme_qui->fenetre);
    sim->controle_execution.efface_points_arret();
  }
  std::string registres() {
    char t[64];
    const interpreteur& c = sim->processeur;
    std::snprintf(
        t, sizeof t, "%04x %02x %02x %llu", c.PC, c.A, c.B,
        static_cast<unsigned long long>(sim->controle_execution.cycles()));
    return t;
  }
  void attend_arret() {
    const auto debut = std::chrono::steady_clock::now();
    while (sim->controle_execution.en_marche() &&
           std::chrono::steady_clock::now() - debut < std::chrono::seconds(5))
      Fl::wait(0.01);
  }
};

TEST_F(Historique, StepBackShowsEachEarlierState) {
  std::vector<std::string> vus{registres()};
  for (int i = 0; i < 10; ++i) {
    active(*sim, f().bouton_pas);
    vus.push_back(registres());
  }
  for (int i = 9; i >= 6; --i) {
    active(*sim, sim->bouton_pas_arriere);
    EXPECT_EQ(vus[static_cast<std::size_t>(i)], registres());
  }
  // Forward again: the same future.
  active(*sim, f().bouton_pas);
  EXPECT_EQ(vus[7], registres());
  EXPECT_EQ(registres().substr(0, 4),
            std::string(f().saisie_PC->value()).substr(3));
}

TEST_F(Historique, RunBackStopsAtThePreviousBreakpoint) {
  sim->controle_execution.bascule_point_arret(0xB603);  // aba, in the loop
  sim->controle_execution.choisit_vitesse(vitesse::maximum);
  active(*sim, f().bouton_fleche);
  attend_arret();  // on the breakpoint, first turn
  active(*sim, f().bouton_fleche);
  attend_arret();  // second turn
  const std::string deuxieme = registres();
  active(*sim, f().bouton_fleche);
  attend_arret();  // third turn
  active(*sim, sim->bouton_retour_arriere);
  EXPECT_EQ(deuxieme, registres());
  EXPECT_EQ(0xB603, sim->processeur.PC);
}

TEST_F(Historique, WhoChangedACellThenBackToJustBeforeIt) {
  sim->controle_execution.choisit_vitesse(vitesse::maximum);
  active(*sim, f().bouton_fleche);
  attend_arret();  // the sum, 55, is at $0000
  ASSERT_EQ(55, sim->memoire.consulte(0));
  // A right click on the dump's first cell ("   0 37 ..."), by the window's
  // own event path.
  Fl_Widget* ligne = sim->lignes_dump[0];
  Fl::e_x = ligne->x() + 3 + static_cast<int>(6 * largeur_chiffre(ligne));
  Fl::e_y = ligne->y() + ligne->h() / 2;
  Fl::e_keysym = FL_Button + FL_RIGHT_MOUSE;
  Fl::handle(FL_PUSH, f().fenetre);
  Fl_Widget* demande = sim->objet_suivant();
  ASSERT_EQ(sim->demande_qui, demande);
  sim->traite_objet(demande);
  qui_a_change_class& q = *sim->forme_qui;
  ASSERT_TRUE(q.fenetre->shown());
  EXPECT_EQ("Qui a changé la cellule $0000 ?", texte(q.titre));
  ASSERT_EQ(1, q.liste->size());
  const std::string ligne_trouvee = q.liste->text(1);
  EXPECT_NE(std::string::npos, ligne_trouvee.find("STAA $00"));
  EXPECT_NE(std::string::npos, ligne_trouvee.find("$ff -> $37"));
  // Back to just before it.
  sim->revient_avant_changement(0);
  EXPECT_EQ(0xFF, sim->memoire.consulte(0));
  EXPECT_EQ(0xB607, sim->processeur.PC);
}

}  // namespace
