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

// A field's text reaches its register at the next activation when the
// register can hold it; else the register and its field keep their value
// and the state line says why.
TEST_F(GuiTest, EditedFieldsReachTheCpuOrSayWhyNot) {
  const struct {
    Fl_Input* SIM_class::*champ;
    const char* texte;
    unsigned valeur;  // the register's after the activation
    const char* etat;
  } cas[] = {
      {&SIM_class::saisie_A, " $1a ", 0x1A, ""},
      {&SIM_class::saisie_A, "1ff", 0x42,
       "A : 1ff ne tient pas sur 8 bits (0 à ff) ; A inchangé."},
      {&SIM_class::saisie_X, "12345", 0x1234,
       "X : 12345 ne tient pas sur 16 bits (0 à ffff) ; X inchangé."},
      {&SIM_class::saisie_A, "1a zz", 0x42,
       "A : \"1a zz\" n'est pas un nombre hexadécimal ; A inchangé."},
      {&SIM_class::saisie_A, "", 0x42, "A : champ vide ; A inchangé."},
  };
  for (const auto& c : cas) {
    sim->processeur.set_A_value(0x42);
    sim->processeur.set_X_value(0x1234);
    sim->sauve_registres();
    tape(f().*c.champ, c.texte);
    active(*sim, f().ascenseur_dump);
    const bool a = c.champ == &SIM_class::saisie_A;
    EXPECT_EQ(a ? sim->processeur.A_value() : sim->processeur.X_value(),
              c.valeur)
        << c.texte;
    EXPECT_EQ(texte(sim->ligne_etat), c.etat);
  }
}

// Enter in a register field applies it and nothing else: the fill fields,
// filled in, write nothing. Enter in a fill field fills.
TEST_F(GuiTest, EnterInARegisterFieldLeavesMemoryUnchanged) {
  tape(f().saisie_adresse, "$20");
  tape(f().saisie_valeur, "$AA");
  tape(f().saisie_nombre, "4");
  for (Fl_Input* champ : {f().saisie_A, f().saisie_B, f().saisie_X,
                          f().saisie_Y, f().saisie_SP, f().saisie_PC}) {
    tape(champ, "12");
    appuie_entree(champ);
    traite_file(*sim);
    EXPECT_EQ(sim->memoire.read_byte(0x20), 0xFF);
  }
  EXPECT_EQ(sim->processeur.A_value(), 0x12);
  EXPECT_EQ(sim->processeur.PC_value(), 0x12);
  appuie_entree(f().bouton_init);  // nor on a button
  traite_file(*sim);
  EXPECT_EQ(sim->memoire.read_byte(0x20), 0xFF);
  appuie_entree(f().saisie_nombre);
  traite_file(*sim);
  EXPECT_EQ(sim->memoire.read_byte(0x23), 0xAA);
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
