// The disassembly and dump views and their navigation widgets.
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

TEST_F(GuiTest, DisassemblyArrowsKeepThePcInView) {
  nops(*sim, 0xB5F0, 0x40);
  sim->rafraichit_desassemble();
  EXPECT_EQ(ligne_du_pc(*sim), 0);
  // With the PC on the first line the view cannot move on.
  active(*sim, f().desa_suivant);
  EXPECT_EQ(sim->debut_desa, 0xB600);
  for (int i = 1; i <= 11; ++i) {
    active(*sim, f().desa_precedent);
    EXPECT_EQ(sim->debut_desa, 0xB600 - i);
    EXPECT_EQ(ligne_du_pc(*sim), i);
  }
  // One more and the PC would fall below the view: it starts at the PC.
  active(*sim, f().desa_precedent);
  EXPECT_EQ(sim->debut_desa, 0xB600);
  active(*sim, f().desa_precedent);
  active(*sim, f().desa_precedent);
  active(*sim, f().desa_suivant);
  EXPECT_EQ(sim->debut_desa, 0xB5FF);
  EXPECT_EQ(ligne_du_pc(*sim), 1);
  active(*sim, f().desa_pc);
  EXPECT_EQ(sim->debut_desa, 0xB600);
  EXPECT_EQ(ligne_du_pc(*sim), 0);
}

TEST_F(GuiTest, JumpOutOfViewRestartsTheDisassemblyAtThePc) {
  nops(*sim, 0xB600, 0x40);
  sim->processeur.set_PC_value(0xC000);
  sim->rafraichit_desassemble();
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
