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
// a program with its reset vector and a longer tail in the EEPROM, the next
// one starts at its own entry and nothing of the first is left.
TEST_F(GuiTest, OpeningStartsFromErasedMemoryAsTamrixRun) {
  sim->change_modele(modele_machine::e9);
  const std::string a =
      assemble("avec_vecteur",
               "\t.text\n\t.globl _start\n_start:\tldaa #1\n\tbra _start\n"
               "debut:\tldaa #2\n\tbra debut\n\t.fill 40, 1, 0x4c\n"
               "\t.section .vecteurs,\"a\"\n\t.fill 20, 2, 0xffff\n"
               "\t.word debut\n");
  const std::string b = programme_ldaa();
  fichier_choisi = a.c_str();
  choisit(*sim, "Ouvrir fichier s19");
  ASSERT_TRUE(alertes_vues.empty());
  EXPECT_EQ(sim->processeur.PC_value(), 0xB604);  // its reset vector
  sim->simulation.ecrit_octet(0x0010, 0x77);      // a RAM cell the user filled
  fichier_choisi = b.c_str();
  choisit(*sim, "Ouvrir fichier s19");
  ASSERT_TRUE(alertes_vues.empty());
  EXPECT_EQ(sim->processeur.PC_value(), 0xB600);
  for (unsigned short cellule : {0x0010, 0xB620, 0xFFFE, 0xFFFF})
    EXPECT_EQ(sim->memoire.consulte(cellule), 0xFF) << cellule;
  // tamrix-run starts B at the same place.
  const std::string commande =
      std::string(TAMRIX_BINARY_DIR) + "/tamrix-run --max-steps 1 " + b;
  FILE* sortie = popen(commande.c_str(), "r");
  char ligne[200] = "";
  ASSERT_NE(fgets(ligne, sizeof ligne, sortie), nullptr);
  pclose(sortie);
  EXPECT_EQ(0u, std::string(ligne).rfind("PC=b602 A=42 ", 0)) << ligne;
  active(*sim, f().bouton_pas);
  EXPECT_EQ(sim->processeur.PC_value(), 0xB602);
  EXPECT_EQ(sim->processeur.A_value(), 0x42);
  // A reset alone keeps memory, as the chip's reset does.
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
  const std::string dossier = std::string(TAMRIX_BINARY_DIR) + "/gui_dossier";
  std::filesystem::create_directories(dossier);
  const std::string pas_s =
      fichier_temporaire("pas_s.s19", "S104B610AA8B\nX\n");
  const std::string somme =
      fichier_temporaire("somme.s19", "S104B610AA8B\nS104B610AA8C\n");
  const std::string vide = fichier_temporaire("vide.s19", "");
  const std::string elf = fichier_temporaire("faux.elf", "pas un ELF\n");
  const struct {
    std::string chemin, raison;
  } cas[] = {
      {"/nonexistent/prog.s19", "Fichier introuvable : /nonexistent/prog.s19"},
      {dossier, dossier + " : c'est un dossier, pas un fichier de programme"},
      {pas_s, pas_s + ", ligne 2 : erreur: caractère 'S' attendu ..."},
      {somme, somme + ", ligne 2 : somme de contrôle incorrecte"},
      {vide, vide + ", ligne 1 : aucun enregistrement de données"},
      {elf, elf + " : fichier ELF refuse : pas un fichier ELF"},
      {"/nonexistent/prog.s", "Fichier introuvable : /nonexistent/prog.s"},
  };
  for (const auto& c : cas) {
    alertes_vues.clear();
    fichier_choisi = c.chemin.c_str();
    EXPECT_EQ(choisit(*sim, "Ouvrir fichier s19"), 0);
    ASSERT_EQ(alertes_vues.size(), 1u) << c.chemin;
    EXPECT_EQ(alertes_vues[0], alerte_refus(c.raison));
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
