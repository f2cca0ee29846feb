// The File menu and a program named on the command line.
#include <FL/Fl_Menu_Button.H>

#include "tests/gui/banc_gui.h"

namespace {

const char* const alerte_s19 =
    "Erreur en lisant le fichier!|Ce fichier est corrompu|"
    "ou n'est pas un fichier s19.";

// Chooses the item by its text ("" chooses none).
int choisit(simulateur& sim, const char* article) {
  Fl_Menu_Button* menu = sim.forme_sim->menu_fichier;
  menu->value(*article ? menu->find_index(article) : -1);
  return active(sim, menu);
}

std::string programme_ldaa() {
  return assemble("ldaa",
                  "\t.text\n\t.globl _start\n_start:\n"
                  "\tldaa #0x42\n\tstaa 0x1004\n\tbra _start\n");
}

}  // namespace

TEST_F(GuiTest, OpeningAnS19FileLoadsItAndResetsTheCpu) {
  const std::string chemin = programme_ldaa();
  fichier_choisi = chemin.c_str();
  sim->processeur.set_PC_value(0x2000);
  sim->sauve_registres();
  EXPECT_EQ(choisit(*sim, "Ouvrir fichier s19"), 0);
  EXPECT_TRUE(alertes_vues.empty());
  EXPECT_EQ(sim->memoire.read_byte(0xB600), 0x86);
  EXPECT_EQ(sim->memoire.read_byte(0xB601), 0x42);
  EXPECT_EQ(sim->processeur.PC_value(), 0xB600);
  EXPECT_EQ(sim->debut_desa, 0xB600);
  EXPECT_STREQ(fl_get_input(f().saisie_PC), "   b600");
  EXPECT_EQ(texte(sim->lignes_desa[0]).rfind("-> b600 LDAA", 0), 0u);
  // The load does not redraw the dump.
  fl_set_slider_value(f().ascenseur_dump, 0xB600);
  EXPECT_EQ(texte(sim->lignes_dump[0]).substr(0, 4), "   0");
  active(*sim, f().ascenseur_dump);
  EXPECT_EQ(texte(sim->lignes_dump[0]).substr(0, 10), "b600 86 42");
}

TEST_F(GuiTest, RejectedFileRaisesTheAlertAndChangesNothingShown) {
  const std::string chemin = fichier_temporaire(
      "casse.s19", "S1070000FFFFFFFF00\nceci n'en est pas\n");
  fichier_choisi = chemin.c_str();
  sim->processeur.set_PC_value(0x1234);
  sim->processeur.set_A_value(0x77);
  sim->sauve_registres();
  sim->debut_desa = 0x1234;
  sim->rafraichit_desassemble();
  const std::string premiere_ligne = texte(sim->lignes_desa[0]);
  EXPECT_EQ(choisit(*sim, "Ouvrir fichier s19"), 0);
  ASSERT_EQ(alertes_vues.size(), 1u);
  EXPECT_EQ(alertes_vues[0], alerte_s19);
  EXPECT_EQ(sim->processeur.PC_value(), 0x1234);
  EXPECT_EQ(sim->processeur.A_value(), 0x77);
  EXPECT_EQ(sim->debut_desa, 0x1234);
  EXPECT_EQ(texte(sim->lignes_desa[0]), premiere_ligne);
  EXPECT_EQ(sim->memoire.read_byte(0x0000), 0xFF);
}

TEST_F(GuiTest, MissingFileRaisesTheSameAlert) {
  fichier_choisi = "/nonexistent/prog.s19";
  EXPECT_EQ(choisit(*sim, "Ouvrir fichier s19"), 0);
  ASSERT_EQ(alertes_vues.size(), 1u);
  EXPECT_EQ(alertes_vues[0], alerte_s19);
}

TEST_F(GuiTest, CancelledChooserOnlyWritesADiagnostic) {
  for (const char* annule : {static_cast<const char*>(nullptr), ""}) {
    fichier_choisi = annule;
    testing::internal::CaptureStderr();
    EXPECT_EQ(choisit(*sim, "Ouvrir fichier s19"), 0);
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "chargement abandonne ...\n");
    EXPECT_TRUE(alertes_vues.empty());
    EXPECT_EQ(sim->processeur.PC_value(), 0xB600);
  }
}

TEST_F(GuiTest, QuitEndsTheLoopAndNoItemDoesNothing) {
  EXPECT_EQ(choisit(*sim, "Quitter"), 1);
  EXPECT_EQ(choisit(*sim, ""), 0);
}

TEST_F(GuiTest, AboutWindowTakesTheNextActivationAndDropsIt) {
  sim->memoire.write_byte(0xB600, 0x01);
  f().menu_fichier->value(0);
  f().menu_fichier->do_callback();
  Fl_Widget* menu = Fl::readqueue();
  ASSERT_EQ(menu, f().menu_fichier);
  // The step press reaches the queue while the About window waits.
  f().bouton_pas->do_callback();
  EXPECT_EQ(sim->traite_objet(menu), 0);
  EXPECT_EQ(sim->processeur.PC_value(), 0xB600);
  EXPECT_EQ(sim->objet_suivant(), nullptr);
  // The window it showed is hidden again.
  int montrees = 0;
  for (Fl_Window* w = Fl::first_window(); w; w = Fl::next_window(w))
    if (w->label() && std::string(w->label()) == "Informations") ++montrees;
  EXPECT_EQ(montrees, 0);
}

TEST(LigneDeCommande, ProgramNamedAfterToolkitOptionsIsLoaded) {
  const std::string chemin = programme_ldaa();
  alertes_vues.clear();
  simulateur* s =
      nouveau_simulateur({"tamrix", "-bg", "gray80", chemin.c_str()});
  EXPECT_TRUE(alertes_vues.empty());
  EXPECT_EQ(s->memoire.read_byte(0xB600), 0x86);
  EXPECT_EQ(texte(s->lignes_desa[0]).rfind("-> b600 LDAA", 0), 0u);
  delete s;
}

TEST(LigneDeCommande, RejectedProgramRaisesTheLoadAlert) {
  const std::string chemin =
      fichier_temporaire("texte.s19", "pas un fichier s19\n");
  alertes_vues.clear();
  simulateur* s = nouveau_simulateur({"tamrix", chemin});
  ASSERT_EQ(alertes_vues.size(), 1u);
  EXPECT_EQ(alertes_vues[0], alerte_s19);
  EXPECT_EQ(s->processeur.PC_value(), 0xB600);
  delete s;
}
