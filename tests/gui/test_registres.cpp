// The register panel: formats written by sauve_registres and fields read
// back by charge_registres at the next activation.
#include "tests/gui/banc_gui.h"

TEST_F(GuiTest, RegisterFieldsAndDisplaysUseTheirFormats) {
  const struct {
    unsigned char a, b, ccr;
    unsigned short x, y, sp, pc;
    const char *champ_a, *aff_a, *champ_b, *aff_b, *aff_ccr;
    const char *champ_x, *aff_x, *champ_y, *aff_y;
    const char *champ_sp, *aff_sp, *champ_pc, *aff_pc;
  } cas[] = {
      {0x05,       0xFF,       0xD0,      0x0012,     0xB600,
       0x00FF,     0x0000,     " 5",      "00000101", "ff",
       "11111111", "11010000", "     12", "   18",    "   b600",
       "46592",    "     ff",  "  255",   "      0",  "    0"},
      {0x80,       0x00,       0x01,      0xFFFF,     0x0001,
       0x1234,     0xABCD,     "80",      "10000000", " 0",
       "00000000", "00000001", "   ffff", "65535",    "      1",
       "    1",    "   1234",  " 4660",   "   abcd",  "43981"},
  };
  for (const auto& c : cas) {
    interpreteur& p = sim->processeur;
    p.set_A_value(c.a);
    p.set_B_value(c.b);
    p.set_CCR_value(c.ccr);
    p.set_X_value(c.x);
    p.set_Y_value(c.y);
    p.set_SP_value(c.sp);
    p.set_PC_value(c.pc);
    sim->sauve_registres();
    EXPECT_STREQ(fl_get_input(f().saisie_A), c.champ_a);
    EXPECT_EQ(texte(f().aff_A), c.aff_a);
    EXPECT_STREQ(fl_get_input(f().saisie_B), c.champ_b);
    EXPECT_EQ(texte(f().aff_B), c.aff_b);
    EXPECT_EQ(texte(f().aff_CCR), c.aff_ccr);
    EXPECT_STREQ(fl_get_input(f().saisie_X), c.champ_x);
    EXPECT_EQ(texte(f().aff_X), c.aff_x);
    EXPECT_STREQ(fl_get_input(f().saisie_Y), c.champ_y);
    EXPECT_EQ(texte(f().aff_Y), c.aff_y);
    EXPECT_STREQ(fl_get_input(f().saisie_SP), c.champ_sp);
    EXPECT_EQ(texte(f().aff_SP), c.aff_sp);
    EXPECT_STREQ(fl_get_input(f().saisie_PC), c.champ_pc);
    EXPECT_EQ(texte(f().aff_PC), c.aff_pc);
    // Written texts read back to the same registers.
    sim->charge_registres();
    EXPECT_EQ(p.A_value(), c.a);
    EXPECT_EQ(p.B_value(), c.b);
    EXPECT_EQ(p.X_value(), c.x);
    EXPECT_EQ(p.Y_value(), c.y);
    EXPECT_EQ(p.SP_value(), c.sp);
    EXPECT_EQ(p.PC_value(), c.pc);
  }
}

TEST(Reg2bin8, WritesEightDigitsBitSevenFirst) {
  const struct {
    unsigned char valeur;
    const char* attendu;
  } cas[] = {{0, "00000000"},
             {5, "00000101"},
             {0x80, "10000000"},
             {0xFF, "11111111"},
             {0xA5, "10100101"}};
  for (const auto& c : cas) {
    char texte[10];
    texte[9] = 'z';
    reg2bin8(c.valeur, texte);
    EXPECT_STREQ(texte, c.attendu);
    EXPECT_EQ(texte[9], 'z');
  }
}

TEST_F(GuiTest, EditedFieldsReachTheCpuAtTheNextActivation) {
  const struct {
    const char* a;
    const char* x;
    unsigned char a_attendu;
    unsigned short x_attendu;
  } cas[] = {
      {"1ff", "12345", 0xFF, 0x2345},
      {"0x1A", "0XBEEF", 0x1A, 0xBEEF},
      {"  1a", "  b600  ", 0x1A, 0xB600},
      {"1a zz", "12 34", 0x1A, 0x12},
      {"-1", "-1", 0xFF, 0xFFFF},
      // Wider than 32 bits: the low bits, as a 16-digit text gives them.
      {"123456789abc", "fedcba9876543210", 0xBC, 0x3210},
      {"0x", "0xzz", 0x00, 0x0000},  // "0": the x ends the number
  };
  for (const auto& c : cas) {
    tape(f().saisie_A, c.a);
    tape(f().saisie_X, c.x);
    active(*sim, f().ascenseur_dump);
    EXPECT_EQ(sim->processeur.A_value(), c.a_attendu) << c.a;
    EXPECT_EQ(sim->processeur.X_value(), c.x_attendu) << c.x;
    // Displays wait for the next sauve_registres.
    EXPECT_EQ(texte(f().aff_A), "00000000");
    EXPECT_EQ(texte(f().aff_X), "    0");
  }
}

TEST_F(GuiTest, FieldWithoutHexNumberLeavesItsRegisterUnchanged) {
  sim->processeur.set_B_value(0x42);
  sim->processeur.set_Y_value(0x1234);
  sim->processeur.set_SP_value(0x00FF);
  sim->sauve_registres();
  const char* vides[] = {"", "   ", "zz", "g12", "$12"};
  for (const char* v : vides) {
    tape(f().saisie_A, "77");
    tape(f().saisie_B, v);
    tape(f().saisie_X, "9999");
    tape(f().saisie_Y, v);
    tape(f().saisie_SP, v);
    active(*sim, f().bouton_carre);
    EXPECT_EQ(sim->processeur.A_value(), 0x77);
    EXPECT_EQ(sim->processeur.B_value(), 0x42) << '"' << v << '"';
    EXPECT_EQ(sim->processeur.X_value(), 0x9999);
    EXPECT_EQ(sim->processeur.Y_value(), 0x1234) << '"' << v << '"';
    EXPECT_EQ(sim->processeur.SP_value(), 0x00FF) << '"' << v << '"';
  }
}

TEST_F(GuiTest, ResetSetsPcAndRedrawsPanelAndDisassembly) {
  tape(f().saisie_PC, "1234");
  tape(f().saisie_A, "5a");
  EXPECT_EQ(active(*sim, f().bouton_init), 0);
  EXPECT_EQ(sim->processeur.PC_value(), 0xB600);
  EXPECT_EQ(sim->processeur.A_value(), 0x5A);
  EXPECT_STREQ(fl_get_input(f().saisie_PC), "   b600");
  EXPECT_EQ(texte(f().aff_A), "01011010");
  EXPECT_EQ(texte(sim->lignes_desa[0]).rfind("-> b600 ", 0), 0u);
}
