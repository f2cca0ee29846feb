// The serial terminal and the analog inputs in the window, on the E9
// model: keys typed in "Terminal SCI" reach a running program, the window
// opens by itself on the first byte sent, the SPI tab; "Ports..." sets the
// analog inputs and refuses bad voltages.
#include <FL/Fl.H>
#include <FL/Fl_Box.H>
#include <FL/Fl_Button.H>
#include <FL/Fl_Double_Window.H>
#include <FL/Fl_Input.H>
#include <FL/Fl_Menu_Button.H>
#include <FL/Fl_Tabs.H>
#include <FL/Fl_Text_Buffer.H>

#include <chrono>
#include <string>

#include "tests/gui/banc_gui.h"
#include "ui/auxiliaires.h"
#include "ui/terminal_sci.h"

namespace {

std::string exemple(const char* nom) {
  return std::string(TAMRIX_SOURCE_DIR) + "/examples/" + nom;
}

class Liaisons : public GuiTest {
 public:
  simulateur& simu() { return *sim; }

 protected:
  void SetUp() override {
    GuiTest::SetUp();
    sim->change_modele(modele_machine::e9);
  }
  void TearDown() override {
    sim->controle_execution.arrete();
    fl_hide_form(terminal().fenetre);
    fl_hide_form(sim->forme_convert->fenetre);
    terminal().texte_sci->text("");
    terminal().texte_spi->text("");
  }

 public:
  terminal_sci_class& terminal() { return *sim->forme_terminal; }
  void options(int article) {
    f().menu_options->value(article - 1);
    active(*sim, f().menu_options);
  }
  // Keys as the keyboard gives them to the focused terminal; each goes
  // through the object queue like any activation.
  void tape_touches(const std::string& texte) {
    for (char c : texte) {
      char octet[2] = {c, '\0'};
      Fl::e_keysym = c == '\r' ? FL_Enter : static_cast<unsigned char>(c);
      Fl::e_text = octet;
      Fl::e_length = 1;
      EXPECT_EQ(1, terminal().ecran->handle(FL_KEYBOARD));
      Fl_Widget* objet = sim->objet_suivant();
      ASSERT_EQ(objet, terminal().ecran);
      sim->traite_objet(objet);
    }
  }
  std::string texte_sci() {
    char* t = terminal().texte_sci->text();
    const std::string texte = t;
    std::free(t);
    return texte;
  }
  bool attend(bool (*fini)(Liaisons&), double secondes = 5) {
    const auto debut = std::chrono::steady_clock::now();
    while (!fini(*this)) {
      if (std::chrono::duration<double>(std::chrono::steady_clock::now() -
                                        debut)
              .count() > secondes)
        return false;
      Fl::wait(0.01);
    }
    return true;
  }
  void valide(int entree, const char* texte) {
    Fl_Input* champ = entree < 8    ? sim->forme_convert->saisies_AN[entree]
                      : entree == 8 ? sim->forme_convert->saisie_VRH
                                    : sim->forme_convert->saisie_VRL;
    tape(champ, texte);
    active(*sim, sim->forme_convert->bouton_valider);
  }
  int32_t tension(int entree) {
    int32_t t[can::nb_entrees];
    sim->simulation.tensions(t);
    return t[entree];
  }
};

TEST_F(Liaisons, TypedKeysReachTheRunningEchoProgram) {
  ASSERT_EQ(1, sim->charge_programme(exemple("echo.s19").c_str()));
  options(6);
  ASSERT_TRUE(terminal().fenetre->shown());
  active(*sim, f().bouton_fleche);
  ASSERT_TRUE(sim->controle_execution.en_marche());
  tape_touches("ok\r");
  EXPECT_TRUE(attend([](Liaisons& t) { return t.texte_sci() == "ok\n"; }))
      << texte_sci();
  EXPECT_TRUE(sim->controle_execution.en_marche());
  EXPECT_EQ(3, sim->memoire.consulte(0x0000));
  EXPECT_NE(std::string::npos,
            std::string(terminal().etat->label()).find("9615 bauds"));
  active(*sim, terminal().bouton_effacer);
  EXPECT_EQ("", texte_sci());
}

TEST_F(Liaisons, TheTerminalOpensOnTheFirstByteSent) {
  ASSERT_EQ(1, sim->charge_programme(exemple("bonjour.s19").c_str()));
  ASSERT_FALSE(terminal().fenetre->shown());
  active(*sim, f().bouton_fleche);
  EXPECT_TRUE(attend(
      [](Liaisons& t) { return !t.simu().controle_execution.en_marche(); }));
  EXPECT_TRUE(terminal().fenetre->shown());
  EXPECT_EQ("Bonjour\n", texte_sci());
  active(*sim, terminal().bouton_fermer);
  EXPECT_FALSE(terminal().fenetre->shown());
}

// The monitor ROM opened as a program: its banner in the terminal at the
// chip's pace, then a command typed there and its answer.
TEST_F(Liaisons, TheMonitorRomAnswersInTheTerminal) {
  ASSERT_EQ(1, sim->charge_programme(exemple("moniteur.asm").c_str()));
  active(*sim, f().bouton_fleche);
  EXPECT_TRUE(attend([](Liaisons& t) {
    return t.texte_sci().find("commandes.\n>") != std::string::npos;
  })) << texte_sci();
  EXPECT_TRUE(terminal().fenetre->shown());
  tape_touches("md d000 d00f\r");
  EXPECT_TRUE(attend([](Liaisons& t) {
    return t.texte_sci().find(
               ">md d000 d00f\nd000  5f 20 06 c6 01 20 02 c6 02 86 10 b7 10 "
               "35 8e 01  _ ... .......5..\n>") != std::string::npos;
  })) << texte_sci();
  EXPECT_TRUE(sim->controle_execution.en_marche());
}

TEST_F(Liaisons, KeysInTheFlatModelGoNowhere) {
  sim->change_modele(modele_machine::plat);
  options(6);
  tape_touches("a");
  EXPECT_NE(std::string::npos,
            std::string(terminal().etat->label()).find("Touches ignorées"));
}

TEST_F(Liaisons, SpiTabAppliesTheMisoByte) {
  options(6);
  terminal().saisie_miso->value("3c");
  active(*sim, terminal().bouton_miso);
  EXPECT_EQ(0x3C, sim->simulation.systeme()->etat.spi.miso);
  terminal().saisie_miso->value("1FF");
  active(*sim, terminal().bouton_miso);
  ASSERT_EQ(1u, alertes_vues.size());
  EXPECT_EQ(
      "Octet MISO invalide : \"1FF\"|Entrez un octet en hexadécimal, de 00 à "
      "FF.|",
      alertes_vues[0]);
  EXPECT_EQ(0x3C, sim->simulation.systeme()->etat.spi.miso);
}

TEST_F(Liaisons, AnalogInputsAreSetAndBadVoltagesRefused) {
  options(3);
  convert_class& c = *sim->forme_convert;
  ASSERT_TRUE(c.fenetre->shown());
  EXPECT_STREQ("0", c.saisies_AN[3]->value());
  EXPECT_STREQ("5", c.saisie_VRH->value());
  const std::string garde = "|Les tensions précédentes sont gardées.";
  const struct {
    int entree;
    const char* texte;
    std::string alerte;
  } refus[] = {
      {3, "abc",
       "Tension invalide pour AN3 : \"abc\"|Entrez des volts, avec un point "
       "ou une virgule (par exemple 2,5)." +
           garde},
      {0, "6",
       "Tension hors limites pour AN0 : 6 V|Chaque tension doit être "
       "comprise entre 0 et 5 V." +
           garde},
      {9, "5",
       "VRL (5 V) doit être inférieure à VRH (5 V).|VRL et VRH sont les "
       "bornes du convertisseur." +
           garde},
  };
  for (const auto& r : refus) {
    SCOPED_TRACE(r.texte);
    alertes_vues.clear();
    valide(r.entree, r.texte);
    ASSERT_EQ(1u, alertes_vues.size());
    EXPECT_EQ(r.alerte, alertes_vues[0]);
    EXPECT_EQ(0, tension(3));
    EXPECT_EQ(0, tension(can::entree_vrl));
    sim->montre_tensions();  // the fields back to the inputs
  }
  alertes_vues.clear();
  valide(3, "3,75");
  EXPECT_TRUE(alertes_vues.empty());
  EXPECT_EQ(3750000, tension(3));
  EXPECT_STREQ("3,75", c.saisies_AN[3]->value());
  // PORTE reads 1 from 3.5 V: the port E panel agrees.
  EXPECT_EQ(0x08, sim->port_E.valeur);
  // A click on a port E bit drives its input to 0 V; the field follows.
  active(*sim, sim->port_E.boutons[3]);
  sim->rafraichit_fenetres();
  EXPECT_EQ(0, tension(3));
  EXPECT_STREQ("0", c.saisies_AN[3]->value());
}

TEST_F(Liaisons, AnalogInputsNeedTheE9Model) {
  sim->change_modele(modele_machine::plat);
  options(3);
  active(*sim, sim->forme_convert->bouton_valider);
  ASSERT_EQ(1u, alertes_vues.size());
  EXPECT_EQ(0u, alertes_vues[0].find("Modèle plat"));
}

}  // namespace
