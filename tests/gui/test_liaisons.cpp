// The serial terminal and the analog inputs in the window, on the E9
// model: keys typed in "Terminal SCI" reach a running program, the window
// opens by itself on the first byte sent, the SPI tab; "Ports..." sets the
// analog inputs and refuses bad voltages.
#include <FL/Fl.H>
#include <FL/Fl_Box.H>
#include <FL/Fl_Button.H>
#include <FL/Fl_Check_Button.H>
#include <FL/Fl_Choice.H>
#include <FL/Fl_Double_Window.H>
#include <FL/Fl_Input.H>
#include <FL/Fl_Menu_Button.H>
#include <FL/Fl_Progress.H>
#include <FL/Fl_Tabs.H>
#include <FL/Fl_Text_Buffer.H>
#include <spawn.h>
#include <sys/wait.h>

#include <algorithm>
#include <chrono>
#include <fstream>
#include <sstream>
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
    sim->delie_pty();
    sim->liaisons.dialogue.reset();
    fl_hide_form(terminal().fenetre);
    fl_hide_form(sim->forme_convert->fenetre);
    active(*sim, terminal().bouton_effacer);
    terminal().texte_spi->text("");
    for (Fl_Check_Button* c :
         {terminal().case_cr, terminal().case_lf, terminal().case_echo}) {
      c->value(0);
      active(*sim, c);
    }
    terminal().choix_debit->value(0);
    active(*sim, terminal().choix_debit);
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
  // The screen's text, its lines joined (wrapped at its width).
  std::string texte_sans_sauts() {
    std::string t = texte_sci();
    t.erase(std::remove(t.begin(), t.end(), '\n'), t.end());
    return t;
  }
  bool recepteur_en_marche() {
    return sim->simulation.systeme()->etat.sci.sccr2 & sci::RE;
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
  // A user types once the program listens.
  EXPECT_TRUE(attend([](Liaisons& t) { return t.recepteur_en_marche(); }));
  tape_touches("ok\r");
  // The echoed CR takes the cursor back to the line's start.
  EXPECT_TRUE(attend([](Liaisons& t) {
    return t.texte_sci() == "ok" &&
           t.simu().liaisons.terminal.ecran.colonne_curseur() == 0;
  })) << texte_sci();
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
  // Closed and opened again, the terminal keeps its text.
  active(*sim, terminal().bouton_fermer);
  options(6);
  EXPECT_EQ("Bonjour\n", texte_sci());
  active(*sim, terminal().bouton_fermer);
  EXPECT_FALSE(terminal().fenetre->shown());
}

// A reset and a load empty the keys waiting; a key typed while the
// receiver is off is lost, as on the chip.
TEST_F(Liaisons, ResetAndLoadEmptyTheQueueAndKeysBeforeREAreLost) {
  ASSERT_EQ(1, sim->charge_programme(exemple("echo.s19").c_str()));
  options(6);
  tape_touches("abc");
  EXPECT_EQ(3u, sim->simulation.file_sci());
  active(*sim, f().bouton_init);
  EXPECT_EQ(0u, sim->simulation.file_sci());
  tape_touches("d");
  ASSERT_EQ(1, sim->charge_programme(exemple("echo.s19").c_str()));
  EXPECT_EQ(0u, sim->simulation.file_sci());
  const unsigned perdus = sim->simulation.perdus_sci();
  tape_touches("e");
  active(*sim, f().bouton_fleche);
  EXPECT_TRUE(
      attend([](Liaisons& t) { return t.simu().simulation.cycles > 100000; }));
  EXPECT_EQ(perdus + 1, sim->simulation.perdus_sci());
  EXPECT_EQ(0, sim->memoire.consulte(0x0000));
}

// NUL padding shows nothing, BEL flashes the window, BS goes back, CR
// and LF as the options say.
TEST_F(Liaisons, TheScreenBehavesLikeATerminal) {
  const std::string programme = assemble("terminal", R"(
        .globl _start
_start: lds #0xff
        ldx #0x1000
        ldaa #0x30
        staa 0x2b,x
        ldaa #0x08
        staa 0x2d,x
        ldy #texte
suite:  ldaa 0,y
        cmpa #0xff
        beq fin
att:    brclr 0x2e,x #0x80 att
        staa 0x2d+2,x
        iny
        bra suite
fin:    brclr 0x2e,x #0x40 fin
boucle: bra boucle
texte:  .byte 0,0,0x41,0x42,7,8,0x43,13,0x44,10,0x45,0xff
)");
  ASSERT_EQ(1, sim->charge_programme(programme.c_str()));
  active(*sim, f().bouton_fleche);
  EXPECT_TRUE(attend([](Liaisons& t) { return t.terminal().clignotant(); }, 5));
  EXPECT_TRUE(attend(
      [](Liaisons& t) { return !t.simu().controle_execution.en_marche(); }));
  // A, B, BEL, BS over B, C; CR to column 0, D over A; LF down, E.
  EXPECT_EQ("DC\n E", texte_sci());
  EXPECT_TRUE(attend([](Liaisons& t) { return !t.terminal().clignotant(); }));
  terminal().case_lf->value(1);
  active(*sim, terminal().case_lf);
  active(*sim, terminal().bouton_effacer);
  ASSERT_EQ(1, sim->charge_programme(programme.c_str()));
  active(*sim, f().bouton_fleche);
  EXPECT_TRUE(attend(
      [](Liaisons& t) { return !t.simu().controle_execution.en_marche(); }));
  EXPECT_EQ("DC\nE", texte_sci());
}

// The terminal at 4800 baud against the echo program at 9615: one key
// ($55) reaches the chip as two characters ($66 with a framing error,
// then $E6), whose echo the terminal shows garbled.
TEST_F(Liaisons, AWrongRateGarblesBothWays) {
  ASSERT_EQ(1, sim->charge_programme(exemple("echo.s19").c_str()));
  options(6);
  terminal().choix_debit->value(4);  // 4800
  active(*sim, terminal().choix_debit);
  EXPECT_EQ(4800u, sim->simulation.terminal_sci().bauds);
  active(*sim, f().bouton_fleche);
  EXPECT_TRUE(attend([](Liaisons& t) { return t.recepteur_en_marche(); }));
  tape_touches("U");
  EXPECT_TRUE(attend(
      [](Liaisons& t) { return t.simu().memoire.consulte(0x0000) == 2; }));
  EXPECT_TRUE(attend([](Liaisons& t) { return !t.texte_sci().empty(); }));
  EXPECT_NE("U", texte_sci());
}

TEST_F(Liaisons, SaveTheTextAndSendAFileAtTheRate) {
  ASSERT_EQ(1, sim->charge_programme(exemple("bonjour.s19").c_str()));
  active(*sim, f().bouton_fleche);
  EXPECT_TRUE(attend(
      [](Liaisons& t) { return !t.simu().controle_execution.en_marche(); }));
  const std::string sauve = fichier_temporaire("terminal.txt", "");
  fichier_choisi = sauve.c_str();
  terminal().choisit(terminal_sci_class::enregistrer);
  sim->traite_objet(sim->objet_suivant());
  std::ifstream lu(sauve);
  std::stringstream contenu;
  contenu << lu.rdbuf();
  EXPECT_EQ("Bonjour\n", contenu.str());
  // A full disk: said, not taken for a success.
  alertes_vues.clear();
  fichier_choisi = "/dev/full";
  terminal().choisit(terminal_sci_class::enregistrer);
  sim->traite_objet(sim->objet_suivant());
  ASSERT_EQ(1u, alertes_vues.size());
  EXPECT_EQ("Impossible d'enregistrer /dev/full|No space left on device|",
            alertes_vues[0]);
  // 200 characters through the echo program: 200 frames of 2080 cycles.
  ASSERT_EQ(1, sim->charge_programme(exemple("echo.s19").c_str()));
  active(*sim, f().bouton_fleche);
  EXPECT_TRUE(attend([](Liaisons& t) { return t.recepteur_en_marche(); }));
  std::string texte;
  for (int i = 0; i < 200; ++i) texte += static_cast<char>('a' + i % 26);
  const std::string envoi = fichier_temporaire("envoi.txt", texte);
  fichier_choisi = envoi.c_str();
  const uint64_t debut = sim->simulation.cycles;
  terminal().choisit(terminal_sci_class::envoyer_fichier);
  sim->traite_objet(sim->objet_suivant());
  EXPECT_TRUE(terminal().progression->visible());
  EXPECT_TRUE(attend(
      [](Liaisons& t) { return t.simu().memoire.consulte(0x0000) == 200; },
      10));
  EXPECT_GE(sim->simulation.cycles - debut, 200u * 2080);
  EXPECT_TRUE(attend([](Liaisons& t) {
    t.simu().rafraichit_liaisons();
    return !t.terminal().progression->visible();
  }));
  // The whole echo, wrapped at the screen's width.
  static std::string attendu;
  attendu = "Bonjour" + texte;
  EXPECT_TRUE(attend([](Liaisons& t) {
    return t.texte_sans_sauts() == attendu;
  })) << texte_sci();
  // Copy and paste: the selection typed at the line's rate.
  terminal().texte_sci->select(0, 7);
  terminal().choisit(terminal_sci_class::copier);
  sim->traite_objet(sim->objet_suivant());
  terminal().choisit(terminal_sci_class::coller);
  sim->traite_objet(sim->objet_suivant());
  Fl_Widget* colle = sim->objet_suivant();
  ASSERT_EQ(terminal().ecran, colle);
  sim->traite_objet(colle);
  EXPECT_TRUE(attend(
      [](Liaisons& t) { return t.simu().memoire.consulte(0x0000) == 207; }));
  attendu += "Bonjour";
  EXPECT_TRUE(attend([](Liaisons& t) {
    return t.texte_sans_sauts() == attendu;
  })) << texte_sci();
}

TEST_F(Liaisons, ScriptsReplayedInTheWindow) {
  ASSERT_EQ(1, sim->charge_programme(exemple("menu.s19").c_str()));
  const std::string script = exemple("menu.dialogue");
  fichier_choisi = script.c_str();
  terminal().choisit(terminal_sci_class::rejouer_script);
  sim->traite_objet(sim->objet_suivant());
  EXPECT_TRUE(terminal().fenetre->shown());
  EXPECT_TRUE(attend(
      [](Liaisons& t) {
        return t.simu().liaisons.message_script.rfind("Script réussi", 0) == 0;
      },
      10))
      << sim->liaisons.message_script;
  EXPECT_NE(std::string::npos, texte_sci().find("Choix ? 3\nAu revoir."));
  // Back to the start and run again: what the script typed is replayed
  // from the history, the program ends where it did.
  EXPECT_TRUE(attend(
      [](Liaisons& t) { return !t.simu().controle_execution.en_marche(); }));
  const uint64_t fin = sim->simulation.cycles;
  active(*sim, sim->bouton_retour_arriere);
  EXPECT_GT(fin / 2, sim->simulation.cycles);
  active(*sim, f().bouton_fleche);
  EXPECT_TRUE(attend(
      [](Liaisons& t) { return !t.simu().controle_execution.en_marche(); },
      10));
  EXPECT_EQ(fin, sim->simulation.cycles);
  // A step that fails stops the run and says why.
  const std::string faux =
      fichier_temporaire("faux.dialogue", "attendre \"Bonsoir\" max 100000\n");
  fichier_choisi = faux.c_str();
  ASSERT_EQ(1, sim->charge_programme(exemple("menu.s19").c_str()));
  terminal().choisit(terminal_sci_class::rejouer_script);
  sim->traite_objet(sim->objet_suivant());
  EXPECT_TRUE(attend(
      [](Liaisons& t) { return !t.simu().controle_execution.en_marche(); }));
  EXPECT_EQ(0u, sim->liaisons.message_script.find(
                    "Script échoué : étape 1 (ligne 1) attendre \"Bonsoir\" "
                    "100000 : rien après 100000 cycles ; reçus : "));
}

// pyserial on the pseudo-terminal the window links: it types, the echo
// program answers, and its closing unlinks the window.
TEST_F(Liaisons, APseudoTerminalLinkedFromTheWindow) {
  ASSERT_EQ(1, sim->charge_programme(exemple("echo.s19").c_str()));
  options(6);
  sim->controle_execution.choisit_vitesse(vitesse::maximum);
  terminal().choisit(terminal_sci_class::relier_pty);
  sim->traite_objet(sim->objet_suivant());
  const std::string chemin = sim->liaisons.pty.chemin();
  ASSERT_EQ(0u, chemin.rfind("/dev/pts/", 0));
  EXPECT_EQ(vitesse::temps_reel, sim->controle_execution.vitesse_choisie());
  EXPECT_NE(std::string::npos,
            std::string(terminal().etat->label()).find(chemin));
  active(*sim, f().bouton_fleche);
  EXPECT_TRUE(attend([](Liaisons& t) { return t.recepteur_en_marche(); }));
  const std::string sortie = fichier_temporaire("pyserial.txt", "");
  std::string programme =
      "import serial, sys\n"
      "s = serial.Serial(sys.argv[1], 9600, timeout=3)\n"
      "s.write(b'ok\\r')\n"
      "open(sys.argv[2], 'wb').write(s.read(3))\n"
      "s.close()\n";
  std::vector<std::string> mots = {"/usr/bin/python3", "-c", programme, chemin,
                                   sortie};
  std::vector<char*> argv;
  for (std::string& m : mots) argv.push_back(&m[0]);
  argv.push_back(nullptr);
  pid_t pid = 0;
  ASSERT_EQ(0,
            posix_spawn(&pid, argv[0], nullptr, nullptr, argv.data(), environ));
  static pid_t client;
  client = pid;
  EXPECT_TRUE(attend(
      [](Liaisons&) { return waitpid(client, nullptr, WNOHANG) == client; },
      10));
  std::ifstream lu(sortie);
  std::stringstream recu;
  recu << lu.rdbuf();
  EXPECT_EQ("ok\r", recu.str());
  EXPECT_EQ(2, sim->memoire.consulte(0x0000) - 1);
  EXPECT_TRUE(attend([](Liaisons& t) {
    return t.simu().liaisons.pty.interroge() == pont_pty::etat::ferme;
  }));
  EXPECT_EQ("Pseudo-terminal fermé de l'autre côté.",
            sim->liaisons.message_script);
}

// At least 80 columns, and the screen wraps at its width: no sideways
// scrolling; the window grows and the lines with it.
TEST_F(Liaisons, EightyColumnsResizableAndWrapped) {
  options(6);
  sim->rafraichit_liaisons();
  EXPECT_GE(terminal().ecran->colonnes_visibles(), 80);
  EXPECT_EQ(terminal().ecran->colonnes_visibles(),
            sim->liaisons.terminal.ecran.colonnes());
  terminal().fenetre->size(1100, 600);
  sim->rafraichit_liaisons();
  const int colonnes = sim->liaisons.terminal.ecran.colonnes();
  EXPECT_GT(colonnes, 100);
  sim->liaisons.terminal.ecran.recoit(std::string(250, 'x'));
  sim->rafraichit_liaisons();
  for (const std::string& l : sim->liaisons.terminal.ecran.lignes())
    EXPECT_LE(static_cast<int>(l.size()), colonnes);
  terminal().fenetre->size(720, 560);
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
