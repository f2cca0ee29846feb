// No auxiliary window locks the main one: with each shown, the user's
// clicks reach the main window's buttons by the toolkit's event path, so
// "@square" stops a run and "@->|" steps.
#include <FL/Fl.H>
#include <FL/Fl_Button.H>
#include <FL/Fl_Double_Window.H>
#include <FL/Fl_Menu_Button.H>

#include <functional>

#include "app/travail.h"
#include "tests/gui/banc_gui.h"
#include "ui/auxiliaires.h"
#include "ui/form_about.h"
#include "ui/options_puce.h"
#include "ui/qui_a_change.h"
#include "ui/terminal_sci.h"

namespace {

class FenetresLibres : public GuiTest {
 protected:
  void SetUp() override {
    GuiTest::SetUp();
    sim->change_modele(modele_machine::e9);
    sim->controle_execution.choisit_vitesse(vitesse::maximum);
    // inca; bra $b600: runs until stopped.
    const unsigned char boucle[] = {0x4C, 0x20, 0xFD};
    for (unsigned i = 0; i < sizeof boucle; ++i)
      sim->simulation.ecrit_octet(static_cast<unsigned short>(0xB600 + i),
                                  boucle[i]);
    sim->reinitialise();
  }
  void choisit(Fl_Menu_Button* menu, const char* article) {
    menu->value(menu->find_index(article));
    active(*sim, menu);
    menu->value(static_cast<const Fl_Menu_Item*>(nullptr));
  }
};

TEST_F(FenetresLibres, StopAndStepActWhileEachAuxiliaryWindowIsShown) {
  const struct {
    const char* nom;
    std::function<void()> ouvre;
    Fl_Window* fenetre;
  } cas[] = {
      {"Terminal SCI", [&] { choisit(f().menu_options, "Terminal SCI..."); },
       sim->forme_terminal->fenetre},
      {"Interruptions", [&] { choisit(f().menu_options, "Interruptions..."); },
       sim->forme_interruptions->fenetre},
      {"Ports", [&] { choisit(f().menu_options, "Ports..."); },
       sim->forme_convert->fenetre},
      {"Adresse de base",
       [&] { choisit(f().menu_options, "Adresse de  Base..."); },
       sim->forme_adresse_base->fenetre},
      {"Affichage",
       [&] { choisit(f().menu_options, "Affichage des Registres..."); },
       sim->forme_pref_affichage->fenetre},
      {"Chronogramme", [&] { choisit(f().menu_options, "Chronogramme..."); },
       sim->forme_chronogramme->fenetre},
      {"Qui a change",
       [&] {
         sim->montre_qui_a_change({cible_historique::sorte::registre, 0}, "A");
       },
       sim->forme_qui->fenetre},
      {"A propos", [&] { choisit(f().menu_fichier, "A propos de..."); },
       sim->forme_about->fenetre},
      {"Composant", [&] { active(*sim, f().bouton_composant); },
       sim->forme_aff_composant->fenetre},
      {"Aide", [&] { active(*sim, f().bouton_aide); },
       sim->forme_aide->fenetre},
  };
  for (const auto& c : cas) {
    SCOPED_TRACE(c.nom);
    c.ouvre();
    ASSERT_TRUE(c.fenetre->shown());
    clique(f().bouton_fleche);
    traite_file(*sim);
    ASSERT_TRUE(sim->controle_execution.en_marche());
    for (int i = 0; i < 5; ++i) Fl::wait(0.01);
    clique(f().bouton_carre);
    traite_file(*sim);
    EXPECT_FALSE(sim->controle_execution.en_marche());
    const unsigned short pc = sim->processeur.PC_value();
    clique(f().bouton_pas);
    traite_file(*sim);
    EXPECT_NE(pc, sim->processeur.PC_value());
    c.fenetre->hide();
  }
}

// The About window says which version it is: the first line of
// `tamrix --version`.
TEST_F(FenetresLibres, AboutShowsTheVersionTheProgramPrints) {
  const std::string commande = std::string(TAMRIX_PROGRAMME) + " --version";
  FILE* sortie = popen(commande.c_str(), "r");
  ASSERT_NE(sortie, nullptr);
  char ligne[256] = "";
  ASSERT_NE(fgets(ligne, sizeof ligne, sortie), nullptr);
  pclose(sortie);
  std::string version = ligne;
  version.pop_back();
  choisit(f().menu_fichier, "A propos de...");
  EXPECT_EQ(version, texte(sim->forme_about->ligne_version));
  active(*sim, sim->forme_about->bouton_ok);
  EXPECT_FALSE(sim->forme_about->fenetre->shown());
}

}  // namespace
