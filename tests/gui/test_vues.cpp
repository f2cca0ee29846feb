// The disassembly and dump views and their navigation widgets.
#include <FL/Fl.H>
#include <FL/Fl_Button.H>
#include <FL/Fl_Input.H>
#include <FL/Fl_Slider.H>

#include "tests/gui/banc_gui.h"

namespace {

// Fills from `adresse` with single-byte NOPs.
void nops(simulateur& sim, unsigned short adresse, int nombre) {
  for (int i = 0; i < nombre; ++i)
    sim.memoire.write_byte(static_cast<unsigned short>(adresse + i), 0x01);
}

int ligne_du_pc(simulateur& sim) {
  int trouvee = -1;
  for (int i = 0; i < 12; ++i) {
    const bool pc = texte(sim.lignes_desa[i]).rfind("-> ", 0) == 0;
    EXPECT_EQ(sim.lignes_desa[i]->color(), pc ? 174u : FL_WHITE) << i;
    EXPECT_EQ(sim.lignes_desa[i]->selection_color(), 50u);
    if (pc) {
      EXPECT_EQ(trouvee, -1) << "two PC lines";
      trouvee = i;
    }
  }
  return trouvee;
}

}  // namespace

TEST_F(GuiTest, DisassemblyMarksThePcLineAndNamesMissingOpcodes) {
  nops(*sim, 0xB600, 2);
  sim->memoire.write_byte(0xB602, 0x41);  // no instruction on page 0
  sim->rafraichit_desassemble();
  const std::string nop = instruction(*sim, 0xB600);
  EXPECT_EQ(nop.rfind("NOP", 0), 0u);
  ASSERT_EQ(instruction(*sim, 0xB602), "?????");
  EXPECT_EQ(texte(sim->lignes_desa[0]), "-> b600 " + nop);
  EXPECT_EQ(texte(sim->lignes_desa[1]), "   b601 " + nop);
  EXPECT_EQ(texte(sim->lignes_desa[2]), "   b602 Fonction inexistante");
  EXPECT_EQ(texte(sim->lignes_desa[3]), "   b603 " + instruction(*sim, 0xB603));
  EXPECT_EQ(ligne_du_pc(*sim), 0);
}

TEST_F(GuiTest, LineAtAddressZeroHasNoLeadingZeros) {
  nops(*sim, 0, 16);
  sim->processeur.set_PC_value(0x0003);
  sim->debut_desa = 0;
  sim->rafraichit_desassemble();
  EXPECT_EQ(texte(sim->lignes_desa[0]), "   0 " + instruction(*sim, 0));
  EXPECT_EQ(texte(sim->lignes_desa[3]), "-> 3 " + instruction(*sim, 3));
}

// The arrows and the address field move the view anywhere, the PC's line
// out of it; a breakpoint set 40 lines ahead stops the run there, and the
// view comes back to the PC at the next step or stop.
TEST_F(GuiTest, DisassemblyScrollsPastThePcAndComesBackToIt) {
  nops(*sim, 0xB5F0, 0x100);
  sim->rafraichit_desassemble();
  EXPECT_EQ(ligne_du_pc(*sim), 0);
  for (int i = 0; i < 40; ++i) active(*sim, f().desa_suivant);
  EXPECT_EQ(sim->debut_desa, 0xB628);
  EXPECT_EQ(ligne_du_pc(*sim), -1);
  active(*sim, sim->controle_execution.zones_lignes[0]);
  EXPECT_TRUE(sim->controle_execution.point_arret(0xB628));
  active(*sim, f().desa_precedent);
  EXPECT_EQ(sim->debut_desa, 0xB627);
  active(*sim, f().desa_pc);
  EXPECT_EQ(ligne_du_pc(*sim), 0);
  tape(sim->debogueur.saisie_debut_desa, "b640");
  active(*sim, sim->debogueur.saisie_debut_desa);
  EXPECT_EQ(sim->debut_desa, 0xB640);
  active(*sim, f().bouton_pas);
  EXPECT_EQ(sim->debut_desa, 0xB601);
  EXPECT_EQ(ligne_du_pc(*sim), 0);
  for (int i = 0; i < 20; ++i) active(*sim, f().desa_suivant);
  active(*sim, f().bouton_fleche);
  for (int i = 0; i < 500 && sim->controle_execution.en_marche(); ++i)
    Fl::wait(0.01);
  EXPECT_EQ(sim->processeur.PC_value(), 0xB628);
  EXPECT_EQ(ligne_du_pc(*sim), 0);
  EXPECT_EQ(texte(sim->ligne_etat), "Arrêt au point d'arrêt $b628.");
}

TEST_F(GuiTest, JumpOutOfViewRestartsTheDisassemblyAtThePc) {
  nops(*sim, 0xB600, 0x40);
  sim->processeur.set_PC_value(0xC000);
  sim->rafraichit_apres_instruction();
  EXPECT_EQ(sim->debut_desa, 0xC000);
  EXPECT_EQ(ligne_du_pc(*sim), 0);
}

TEST_F(GuiTest, DumpLinesShowEightLowerCaseBytes) {
  sim->memoire.write_byte(0x0000, 0x05);
  sim->memoire.write_byte(0x0007, 0xAB);
  sim->memoire.write_byte(0x0010, 0x00);
  sim->rafraichit_dump(0);
  EXPECT_EQ(texte(sim->lignes_dump[0]), "   0  5 ff ff ff ff ff ff ab");
  EXPECT_EQ(texte(sim->lignes_dump[2]), "  10  0 ff ff ff ff ff ff ff");
  for (Fl_Widget* l : sim->lignes_dump) EXPECT_EQ(l->labelsize(), 13);
}

TEST_F(GuiTest, DumpSliderSnapsAndArrowsStayInBounds) {
  enum commande { curseur, haut, bas };
  const struct {
    double valeur;
    commande action;
    int attendu;
    const char* derniere_ligne;
  } cas[] = {
      {13, curseur, 8, "  60 "},          {0, haut, 0, "  58 "},
      {65440, bas, 65440, "fff8 "},       {0x100, bas, 0x108, " 160 "},
      {0x108, haut, 0x100, " 158 "},      {65439, curseur, 65432, "fff0 "},
      {65433.9, curseur, 65432, "fff0 "},
  };
  for (const auto& c : cas) {
    fl_set_slider_value(f().ascenseur_dump, c.valeur);
    Fl_Widget* objets[] = {f().ascenseur_dump, f().dump_haut, f().dump_bas};
    active(*sim, objets[c.action]);
    EXPECT_EQ(fl_get_slider_value(f().ascenseur_dump), c.attendu) << c.valeur;
    char premiere[8];
    std::snprintf(premiere, sizeof premiere, "%4x ", c.attendu);
    EXPECT_EQ(texte(sim->lignes_dump[0]).substr(0, 5), premiere);
    EXPECT_EQ(texte(sim->lignes_dump[11]).substr(0, 5), c.derniere_ligne);
  }
}
