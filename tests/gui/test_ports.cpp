// The port panels: input bits toggled by the user, output bits following
// the program, directions from DDRC and DDRD.
#include "tests/gui/banc_gui.h"
#include "text/conversions.h"

namespace {

// Writes a program at 0xB600 from its bytes and resets the PC there.
void programme(simulateur& sim, std::initializer_list<unsigned char> octets) {
  unsigned short a = 0xB600;
  for (unsigned char o : octets) sim.memoire.write_byte(a++, o);
  sim.processeur.set_PC_value(0xB600);
  sim.sauve_registres();
}

void pas(simulateur& sim, int nombre) {
  for (int i = 0; i < nombre; ++i) active(sim, sim.forme_sim->bouton_pas);
}

void remplit(simulateur& sim, const char* adresse, const char* valeur,
             const char* nombre) {
  tape(sim.forme_sim->saisie_adresse, adresse);
  tape(sim.forme_sim->saisie_valeur, valeur);
  tape(sim.forme_sim->saisie_nombre, nombre);
  active(sim, sim.forme_sim->bouton_remplir);
}

Fl_Color couleur_bit(const portparallele& p, int i) {
  return p.boutons[i]->color();
}

}  // namespace

TEST_F(GuiTest, InputBitButtonTogglesTheLatchAndTheDataRegister) {
  active(*sim, sim->port_E.boutons[2]);
  EXPECT_EQ(sim->memoire.read_byte(0x100A), 0x04);
  EXPECT_EQ(texte(sim->port_E.aff_valeur), "00000100");
  active(*sim, sim->port_E.boutons[7]);
  EXPECT_EQ(sim->memoire.read_byte(0x100A), 0x84);
  active(*sim, sim->port_E.boutons[2]);
  EXPECT_EQ(sim->memoire.read_byte(0x100A), 0x80);
  EXPECT_EQ(texte(sim->port_E.aff_valeur), "10000000");
}

TEST_F(GuiTest, OutputBitButtonChangesNothing) {
  EXPECT_EQ(sim->port_B.react_in(sim->port_B.boutons[0]), 0);
  active(*sim, sim->port_B.boutons[0]);
  active(*sim, sim->port_A.boutons[5]);
  EXPECT_EQ(sim->port_B.valeur, 0);
  EXPECT_EQ(sim->port_A.valeur, 0);
  EXPECT_EQ(texte(sim->port_B.aff_valeur), "00000000");
}

TEST_F(GuiTest, DirectionColoursFollowTheFixedMasks) {
  const struct {
    portparallele* port;
    unsigned char sorties;
  } cas[] = {{&sim->port_A, 0x70},
             {&sim->port_B, 0xFF},
             {&sim->port_C, 0x00},
             {&sim->port_D, 0x00},
             {&sim->port_E, 0x00}};
  for (const auto& c : cas)
    for (int i = 0; i < 8; ++i) {
      const Fl_Color attendue = (c.sorties >> i) & 1 ? FL_RED : FL_GREEN;
      EXPECT_EQ(couleur_bit(*c.port, i), attendue) << c.port->nom << i;
      EXPECT_EQ(c.port->boutons[i]->selection_color(), attendue);
    }
  EXPECT_EQ(texte(sim->port_C.aff_ddr), "00000000");
  EXPECT_EQ(texte(sim->port_D.aff_ddr), "00000000");
}

TEST_F(GuiTest, OutputBitsFollowTheProgramAndInputBitsKeepTheLatch) {
  active(*sim, sim->port_E.boutons[0]);
  programme(*sim, {0x86, 0x55, 0xB7, 0x10, 0x04,    // ldaa #$55; staa $1004
                   0x86, 0xFF, 0xB7, 0x10, 0x0A});  // ldaa #$FF; staa $100A
  pas(*sim, 2);
  EXPECT_EQ(sim->memoire.read_byte(0x1004), 0x55);
  EXPECT_EQ(texte(sim->port_B.aff_valeur), "01010101");
  pas(*sim, 2);
  EXPECT_EQ(sim->memoire.read_byte(0x100A), 0x01);
  EXPECT_EQ(texte(sim->port_E.aff_valeur), "00000001");
}

TEST_F(GuiTest, ProgramWritingDdrcRecoloursPortCAfterTheInstruction) {
  programme(*sim, {0x86, 0x0F, 0xB7, 0x10, 0x07,    // ldaa #$0F; staa $1007
                   0x86, 0xA5, 0xB7, 0x10, 0x03});  // ldaa #$A5; staa $1003
  active(*sim, sim->port_C.boutons[7]);  // an input bit while DDRC is 0
  pas(*sim, 2);
  EXPECT_EQ(texte(sim->port_C.aff_ddr), "00001111");
  for (int i = 0; i < 8; ++i)
    EXPECT_EQ(couleur_bit(sim->port_C, i), i < 4 ? FL_RED : FL_GREEN);
  pas(*sim, 2);
  // Low nibble from the program, high nibble from the user's latch.
  EXPECT_EQ(sim->memoire.read_byte(0x1003), 0x85);
  EXPECT_EQ(texte(sim->port_C.aff_valeur), "10000101");
  EXPECT_EQ(sim->port_C.react_in(sim->port_C.boutons[0]), 0);
}

// A fill shows at once in the panels, in either model: value, direction
// colours, LEDs; port D has six pins.
TEST_F(GuiTest, PanelsFollowAFillAtOnce) {
  const struct {
    modele_machine modele;
    const char* adresse;
    portparallele simulateur::*port;
    unsigned char sorties, allumees;
  } cas[] = {{modele_machine::e9, "$1004", &simulateur::port_B, 0xFF, 0x3C},
             {modele_machine::e9, "$1007", &simulateur::port_C, 0x3C, 0x00},
             {modele_machine::plat, "$1009", &simulateur::port_D, 0x3C, 0x00}};
  for (const auto& c : cas) {
    sim->change_modele(c.modele);
    remplit(*sim, c.adresse, "$3C", "1");
    const portparallele& p = sim->*c.port;
    EXPECT_EQ(texte(p.aff_valeur), bin8toS(c.allumees)) << c.adresse;
    for (int i = 0; i < 8; ++i) {
      EXPECT_EQ(couleur_bit(p, i), (c.sorties >> i) & 1 ? FL_RED : FL_GREEN);
      EXPECT_EQ(p.niveau_affiche(i), ((c.allumees >> i) & 1) != 0);
      EXPECT_EQ(sim->port_D.boutons[i]->visible() != 0, i < 6);
    }
  }
}

TEST_F(GuiTest, StepExecutesOneInstructionAndRedrawsEveryView) {
  programme(*sim, {0x86, 0x12, 0xC6, 0x34});  // ldaa #$12; ldab #$34
  EXPECT_EQ(active(*sim, f().bouton_pas), 0);
  EXPECT_EQ(sim->processeur.PC_value(), 0xB602);
  EXPECT_STREQ(fl_get_input(f().saisie_A), "12");
  EXPECT_EQ(texte(f().aff_A), "00010010");
  EXPECT_EQ(texte(f().aff_PC), "46594");
  EXPECT_EQ(texte(sim->lignes_desa[1]).rfind("-> b602 ", 0), 0u);
  EXPECT_EQ(texte(sim->lignes_desa[0]).rfind("   b600 ", 0), 0u);
  pas(*sim, 1);
  EXPECT_EQ(sim->processeur.B_value(), 0x34);
  EXPECT_EQ(texte(f().aff_B), "00110100");
}
