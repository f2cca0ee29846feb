// The E9's memory map in the window: the "Adresse de  Base..." dialog
// drawing the map and choosing the mode for the next reset, the refused
// access shown beside the registers during a run, "Effacer l'EEPROM".
#include <FL/Fl.H>
#include <FL/Fl_Box.H>
#include <FL/Fl_Button.H>
#include <FL/Fl_Double_Window.H>
#include <FL/Fl_Menu_Button.H>
#include <FL/Fl_Round_Button.H>

#include <chrono>

#include "tests/gui/banc_gui.h"
#include "ui/carte_memoire.h"
#include "ui/options_puce.h"

namespace {

class Carte : public GuiTest {
 protected:
  void SetUp() override {
    GuiTest::SetUp();
    sim->change_modele(modele_machine::e9);
  }
  void TearDown() override { fl_hide_form(sim->forme_adresse_base->fenetre); }
  void options(int article) {
    f().menu_options->value(article - 1);
    active(*sim, f().menu_options);
  }
  std::string blocs() {
    std::string t;
    for (const bloc_carte& b : sim->forme_adresse_base->dessin->blocs())
      t += b.texte + "|";
    return t;
  }
};

TEST_F(Carte, TheDialogDrawsTheMapAndTheModeComesAtTheNextReset) {
  options(1);
  adresse_base_class& base = *sim->forme_adresse_base;
  EXPECT_EQ("CONFIG = $0f : EEPROM oui, ROM oui, COP arrêté",
            texte(base.config));
  const std::string externe = "mémoire externe", rien = "rien : lit $ff";
  const std::string carte =
      "à $01ff : RAM|à $0fff : X|à $103f : registres|"
      "à $b5ff : X|à $b7ff : EEPROM|à $cfff : X|"
      "à $ffff : ROM|";
  auto avec = [&](const std::string& x) {
    std::string t = carte;
    for (auto i = t.find('X'); i != std::string::npos; i = t.find('X'))
      t.replace(i, 1, x);
    return t;
  };
  EXPECT_EQ(avec(externe), blocs());
  base.mode_monopuce->setonly();
  active(*sim, base.mode_monopuce);
  EXPECT_EQ("Mode : étendu (HPRIO = $25) ; monopuce au prochain reset",
            texte(base.mode));
  active(*sim, f().bouton_init);
  EXPECT_EQ("Mode : monopuce (HPRIO = $05)", texte(base.mode));
  EXPECT_EQ(avec(rien), blocs());
  sim->change_modele(modele_machine::plat);
  EXPECT_FALSE(base.mode_etendu->active());
  EXPECT_EQ("à $ffff : mémoire simple|", blocs());
}

TEST_F(Carte, ARefusedStoreIsShownDuringTheRunWithoutADialog) {
  // LDAA #$5A, STAA $B701 (its own area), 256 turns of DECB/BNE, BRA *.
  unsigned short a = 0xB600;
  for (unsigned char o :
       {0x86, 0x5A, 0xB7, 0xB7, 0x01, 0x5A, 0x26, 0xFD, 0x20, 0xFE})
    sim->simulation.ecrit_octet(a++, o);
  sim->reinitialise();
  active(*sim, f().bouton_fleche);
  const auto debut = std::chrono::steady_clock::now();
  while (sim->controle_execution.en_marche() &&
         std::chrono::steady_clock::now() - debut < std::chrono::seconds(3))
    Fl::wait(0.01);
  EXPECT_EQ("écriture ignorée en EEPROM à $b701 (instruction à $b602)",
            texte(sim->ligne_refus));
  EXPECT_TRUE(alertes_vues.empty());
  active(*sim, f().bouton_init);
  EXPECT_EQ("", texte(sim->ligne_refus));
}

TEST_F(Carte, EffacerLEepromErasesTheArrayOnly) {
  for (unsigned short a : {0xB600, 0xB7FF, 0xB800})
    sim->simulation.ecrit_octet(a, 0x12);
  options(7);
  EXPECT_EQ(0xFF, sim->memoire.consulte(0xB600));
  EXPECT_EQ(0xFF, sim->memoire.consulte(0xB7FF));
  EXPECT_EQ(0x12, sim->memoire.consulte(0xB800));
  EXPECT_EQ("EEPROM effacée : $b600-$b7ff à $ff.", texte(sim->ligne_etat));
  sim->change_modele(modele_machine::plat);
  sim->memoire.write_byte(0xB600, 0x12);
  options(7);
  EXPECT_EQ(0x12, sim->memoire.consulte(0xB600));
  EXPECT_EQ("Modèle plat : pas d'EEPROM.", texte(sim->ligne_etat));
}

// The program loaded lies in the EEPROM: erasing is asked first, and "no"
// keeps it; a program elsewhere is erased without a question.
TEST_F(Carte, EffacerLEepromAsksFirstWhenTheProgramLiesThere) {
  const struct {
    const char* programme;
    bool oui;
    unsigned char apres;
  } cas[] = {
      {"somme", false, 0x86}, {"somme", true, 0xFF}, {"eeprom", 0, 0xFF}};
  for (const auto& c : cas) {
    ASSERT_EQ(1, sim->charge_programme((std::string(TAMRIX_SOURCE_DIR) +
                                        "/examples/" + c.programme + ".s19")
                                           .c_str()));
    sim->simulation.ecrit_octet(0xB600, 0x86);
    questions_vues.clear();
    reponse_question = c.oui;
    options(7);
    EXPECT_EQ(questions_vues.size(), c.programme[0] == 's' ? 1u : 0u);
    EXPECT_EQ(sim->memoire.consulte(0xB600), c.apres) << c.programme << c.oui;
  }
}

}  // namespace
