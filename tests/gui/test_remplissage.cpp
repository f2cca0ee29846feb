// The memory fill: checked inputs, wrapping addresses, redrawn views.
#include <climits>

#include "app/saisies.h"
#include "tests/gui/banc_gui.h"

namespace {

void remplit(simulateur& sim, const char* adresse, const char* valeur,
             const char* nombre) {
  SIM_class& f = *sim.forme_sim;
  tape(f.saisie_adresse, adresse);
  tape(f.saisie_valeur, valeur);
  tape(f.saisie_nombre, nombre);
  EXPECT_EQ(active(sim, f.bouton_remplir), 0);
}

int octets_differents_de_ff(const simulateur& sim) {
  int n = 0;
  for (unsigned a = 0; a < 0x10000; ++a)
    if (sim.memoire.read_byte(static_cast<unsigned short>(a)) != 0xFF &&
        a != 0x1000 && a != 0x1003 && a != 0x1004 && a != 0x1008 &&
        a != 0x100A && a != 0x1007 && a != 0x1009)
      ++n;
  return n;
}

}  // namespace

TEST(LitNombreSaisi, AcceptsDecimalDollarAndZeroXForms) {
  const struct {
    const char* texte;
    bool valide;
    int32_t nombre;
  } cas[] = {
      {"8192", true, 8192},    {"  42  ", true, 42},
      {"-3", true, -3},        {"$FFFE", true, 0xFFFE},
      {" $1ff ", true, 0x1FF}, {"0x2000", true, 0x2000},
      {"0XaB", true, 0xAB},    {"$FFFFFFFF", true, -1},
      {"1F", false, 0},        {"", false, 0},
      {"   ", false, 0},       {"$", false, 0},
      {"0x", false, 0},        {"$12g", false, 0},
      {"12 34", false, 0},     {"-", false, 0},
      {"--1", false, 0},       {"0x-1", false, 0},
      {"$ 12", false, 0},      {"+5", false, 0},
  };
  for (const auto& c : cas) {
    int32_t n = 12345;
    EXPECT_EQ(lit_nombre_saisi(c.texte, &n), c.valide) << '"' << c.texte;
    EXPECT_EQ(n, c.valide ? c.nombre : 12345) << '"' << c.texte;
  }
  // Past 32 bits: the end of the range, never a small number.
  int32_t n = 0;
  for (const char* t : {"4294967297", "$100000001", "-99999999999"})
    EXPECT_TRUE(lit_nombre_saisi(t, &n) && (n == INT32_MAX || n == INT32_MIN));
}

TEST_F(GuiTest, FillWrapsFromTopOfMemoryToZero) {
  remplit(*sim, "$FFFE", "$AA", "4");
  for (unsigned short a : {0xFFFE, 0xFFFF, 0x0000, 0x0001})
    EXPECT_EQ(sim->memoire.read_byte(a), 0xAA) << a;
  EXPECT_EQ(sim->memoire.read_byte(0x0002), 0xFF);
  EXPECT_EQ(sim->memoire.read_byte(0xFFFD), 0xFF);
  EXPECT_EQ(texte(sim->lignes_dump[0]), "   0 aa aa ff ff ff ff ff ff");
  EXPECT_TRUE(alertes_vues.empty());
}

TEST_F(GuiTest, FillTakesAByteInAnyNumberForm) {
  remplit(*sim, " 8192 ", "0xAB", "$20");
  for (int i = 0; i < 0x20; ++i)
    EXPECT_EQ(sim->memoire.read_byte(static_cast<unsigned short>(0x2000 + i)),
              0xAB);
  EXPECT_EQ(sim->memoire.read_byte(0x2020), 0xFF);
  EXPECT_EQ(sim->memoire.read_byte(0x1FFF), 0xFF);
  remplit(*sim, "$2000", "-2", "1");
  EXPECT_EQ(sim->memoire.read_byte(0x2000), 0xFE);
}

TEST_F(GuiTest, FillWithTheLargestCountCoversAllMemoryOnce) {
  remplit(*sim, "$8000", "$3C", "65536");
  for (unsigned a = 0; a < 0x10000; a += 0x0FFF)
    EXPECT_EQ(sim->memoire.read_byte(static_cast<unsigned short>(a)), 0x3C)
        << a;
  EXPECT_EQ(sim->memoire.read_byte(0xFFFF), 0x3C);
  EXPECT_EQ(sim->memoire.read_byte(0x7FFF), 0x3C);
  EXPECT_TRUE(alertes_vues.empty());
}

TEST_F(GuiTest, FillRedrawsTheDisassemblyItOverwrites) {
  remplit(*sim, "$B600", "1", "3");
  const std::string nop = instruction(*sim, 0xB600);
  EXPECT_EQ(nop.rfind("NOP", 0), 0u);
  EXPECT_EQ(texte(sim->lignes_desa[0]), "-> b600 " + nop);
  EXPECT_EQ(texte(sim->lignes_desa[2]), "   b602 " + nop);
}

TEST_F(GuiTest, InvalidFillInputRaisesItsAlertAndWritesNothing) {
  const std::string adresses = "L'adresse va de 0 à 65535 ($0000 à $ffff).",
                    octet =
                        "La valeur est un octet : de -128 à 255 ($00 à $ff).",
                    nombres = "Le nombre d'octets va de 1 à 65536.";
  const struct {
    const char *adresse, *valeur, *nombre;
    std::string alerte;
  } cas[] = {
      {"zz", "1", "4", "Adresse invalide|zz|"},
      {"", "1", "4", "Adresse invalide||"},
      {"$10000g", "1", "4", "Adresse invalide|$10000g|"},
      {"100", "1 2", "4", "Valeur invalide|1 2|"},
      {"100", "", "4", "Valeur invalide||"},
      {"100", "7", "1F", "Nombre invalide|1F|"},
      {"100", "7", " 0x ", "Nombre invalide| 0x |"},
      {"bad", "bad", "bad", "Adresse invalide|bad|"},
      // Numbers out of their field's range.
      {"$10000", "1", "4", "Adresse invalide|$10000|" + adresses},
      {"100", "300", "4", "Valeur invalide|300|" + octet},
      {"100", "-129", "4", "Valeur invalide|-129|" + octet},
      {"100", "7", "0", "Nombre invalide|0|" + nombres},
      {"100", "7", "65537", "Nombre invalide|65537|" + nombres},
      {"100", "7", "4294967297", "Nombre invalide|4294967297|" + nombres},
  };
  for (const auto& c : cas) {
    alertes_vues.clear();
    remplit(*sim, c.adresse, c.valeur, c.nombre);
    ASSERT_EQ(alertes_vues.size(), 1u) << c.alerte;
    EXPECT_EQ(alertes_vues[0], c.alerte);
    EXPECT_EQ(octets_differents_de_ff(*sim), 0) << c.alerte;
  }
}

TEST_F(GuiTest, FillOverAPortRegisterIsOverwrittenByTheLatch) {
  remplit(*sim, "$1000", "$5A", "16");
  EXPECT_EQ(sim->memoire.read_byte(0x1001), 0x5A);
  EXPECT_EQ(sim->memoire.read_byte(0x1004), 0x00);  // port B's latch
  EXPECT_EQ(sim->memoire.read_byte(0x100A), 0x00);  // port E's latch
  EXPECT_EQ(sim->memoire.read_byte(0x1007), 0x5A);  // DDRC is plain memory
}
