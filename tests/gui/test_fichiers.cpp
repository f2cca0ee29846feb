// The File menu and a program named on the command line.
#include <FL/Fl_Menu_Button.H>
#include <FL/Fl_Slider.H>

#include <cstdio>
#include <filesystem>

#include "tests/gui/banc_gui.h"

namespace {

// The alert of a refused file: the loader's line, naming the file.
std::string alerte_refus(const std::string& raison) {
  return "Erreur en lisant le fichier!|" + raison +
         "|Rien n'est chargé : la mémoire n'a pas changé.";
}

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
  // The dump shows the program at once; the title names it.
  fl_set_slider_value(f().ascenseur_dump, 0xB600);
  sim->rafraichit_dump(0);
  EXPECT_EQ(texte(sim->lignes_dump[0]).substr(0, 10), "b600 86 42");
  EXPECT_STREQ(f().fenetre->label(), "tamrix — gui_ldaa.s19");
}

// Opening a program starts from erased memory, as tamrix-run does: after
// a program with its reset vector and a longer tail, the next one starts
// at its own entry; a reset alone keeps memory.
TEST_F(GuiTest, OpeningStartsFromErasedMemoryAsTamrixRun) {
  sim->change_modele(modele_machine::e9);
  const std::string a = assemble(
      "avec_vecteur",
      "\t.text\n_start:\tbra _start\ndebut:\tbra debut\n\t.fill 40,1,1\n"
      "\t.section .vecteurs,\"a\"\n\t.fill 20,2,0xffff\n\t.word debut\n");
  const std::string b = programme_ldaa();
  for (const std::string& programme : {a, b}) {
    sim->simulation.ecrit_octet(0x0010, 0x77);  // a RAM cell the user filled
    ASSERT_EQ(1, sim->charge_programme(programme.c_str()));
  }
  for (unsigned short cellule : {0x0010, 0xB620, 0xFFFE, 0xFFFF})
    EXPECT_EQ(sim->memoire.consulte(cellule), 0xFF) << cellule;
  FILE* run =
      popen((TAMRIX_BINARY_DIR "/tamrix-run --max-steps 1 " + b).c_str(), "r");
  char ligne[200] = "";
  ASSERT_NE(fgets(ligne, sizeof ligne, run), nullptr);
  pclose(run);
  EXPECT_EQ(0u, std::string(ligne).rfind("PC=b602 A=42 ", 0)) << ligne;
  active(*sim, f().bouton_pas);
  EXPECT_EQ(sim->processeur.PC_value(), 0xB602);
  sim->simulation.ecrit_octet(0x0010, 0x77);
  active(*sim, f().bouton_init);
  EXPECT_EQ(sim->memoire.consulte(0x0010), 0x77);
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
  sim->memoire.write_byte(0x0000, 0x12);
  EXPECT_EQ(choisit(*sim, "Ouvrir fichier s19"), 0);
  ASSERT_EQ(alertes_vues.size(), 1u);
  EXPECT_EQ(alertes_vues[0],
            alerte_refus(chemin + ", ligne 1 : somme de contrôle incorrecte"));
  EXPECT_EQ(sim->processeur.PC_value(), 0x1234);
  EXPECT_EQ(sim->processeur.A_value(), 0x77);
  EXPECT_EQ(sim->debut_desa, 0x1234);
  EXPECT_EQ(texte(sim->lignes_desa[0]), premiere_ligne);
  EXPECT_EQ(sim->memoire.read_byte(0x0000), 0x12);
}

// Each refused file's alert names it and says why, with the line.
TEST_F(GuiTest, EachLoadErrorSaysWhyInItsAlert) {
  const std::string d = std::string(TAMRIX_BINARY_DIR) + "/gui_dossier";
  std::filesystem::create_directories(d);
  const std::string s = fichier_temporaire("s.s19", "S104B610AA8B\nX\n"),
                    c = fichier_temporaire("c.s19", "S104B610AA8C\n");
  const struct {
    std::string chemin, raison;
  } cas[] = {
      {"/absent/p.s19", "Fichier introuvable : /absent/p.s19"},
      {"/absent/p.s", "Fichier introuvable : /absent/p.s"},
      {d, d + " : c'est un dossier, pas un fichier de programme"},
      {s, s + ", ligne 2 : erreur: caractère 'S' attendu ..."},
      {c, c + ", ligne 1 : somme de contrôle incorrecte"},
  };
  for (const auto& k : cas) {
    alertes_vues.clear();
    EXPECT_EQ(sim->charge_programme(k.chemin.c_str()), 0);
    EXPECT_EQ(alertes_vues, std::vector<std::string>{alerte_refus(k.raison)});
  }
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
  EXPECT_EQ(
      alertes_vues[0],
      alerte_refus(chemin + ", ligne 1 : erreur: caractère 'S' attendu ..."));
  EXPECT_EQ(s->processeur.PC_value(), 0xB600);
  delete s;
}
