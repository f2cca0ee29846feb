// The auxiliary windows in the real program: each opens from its item or
// button and closes (a screenshot of each is kept in the build tree), the
// chip view follows the pins and toggles inputs, the preferences hide parts
// of the main window and stop the redraws during a run, the configuration
// registers are decoded, the help is the shipped text, and the keyboard
// shortcuts queue the buttons they stand for.
#include "tests/gui/banc_gui.h"

// Xlib's macros come after GoogleTest, whose names they would clash with.
#include <FL/Fl.H>
#include <FL/Fl_Box.H>
#include <FL/Fl_Browser.H>
#include <FL/Fl_Button.H>
#include <FL/Fl_Check_Button.H>
#include <FL/Fl_Double_Window.H>
#include <FL/Fl_Input.H>
#include <FL/Fl_Menu_Button.H>
#include <FL/x.H>
#include <X11/keysym.h>

#include <chrono>
#include <cstdlib>
#include <functional>
#include <sstream>

#include "app/travail.h"
#include "ui/auxiliaires.h"
#include "ui/registres_config.h"

namespace {

void traite_evenements_x() {
  XSync(fl_display, False);
  for (int i = 0; i < 20; ++i) Fl::wait(0.01);
}

// A screenshot of the window, in the build tree.
void photographie(Fl_Window* fenetre, const std::string& nom) {
  fenetre->redraw();
  traite_evenements_x();
  std::ostringstream commande;
  commande << "import -window 0x" << std::hex << fl_xid(fenetre) << " "
           << TAMRIX_BINARY_DIR << "/fenetre_" << nom << ".png";
  EXPECT_EQ(0, std::system(commande.str().c_str())) << commande.str();
}

class Travail : public GuiTest {
 protected:
  fenetres_travail& t() { return *sim->travail; }
  void TearDown() override {
    for (Fl_Window* w :
         {sim->forme_chronogramme->fenetre, sim->forme_cycles->fenetre,
          sim->forme_aff_composant->fenetre, sim->forme_aide->fenetre,
          sim->forme_pref_affichage->fenetre,
          t().preferences.forme_config->fenetre})
      w->hide();
    preferences_affichage& p = t().preferences;
    for (bool& r : p.registres) r = true;
    for (bool& r : p.ports) r = true;
    p.trace_temps_reel = true;
    p.registres_configuration = false;
    p.applique();
    sim->controle_execution.arrete();
    // No item left chosen for the next test that activates the menu.
    f().menu_options->value(static_cast<const Fl_Menu_Item*>(nullptr));
  }
  void options(const char* article) {
    f().menu_options->value(f().menu_options->find_index(article));
    active(*sim, f().menu_options);
  }
};

TEST_F(Travail, EachWindowOpensFromItsItemOrButtonAndCloses) {
  struct cas {
    const char* nom;
    std::function<void()> ouvre;
    Fl_Window* fenetre;
    Fl_Widget* fermeture;
  };
  registres_config_class& config = *t().preferences.forme_config;
  pref_affichage_class& pref = *sim->forme_pref_affichage;
  const cas fenetres[] = {
      {"chronogramme", [&] { options("Chronogramme..."); },
       sim->forme_chronogramme->fenetre,
       sim->forme_chronogramme->bouton_quitter},
      {"composant", [&] { active(*sim, f().bouton_composant); },
       sim->forme_aff_composant->fenetre,
       sim->forme_aff_composant->bouton_fermer},
      {"aide", [&] { active(*sim, f().bouton_aide); }, sim->forme_aide->fenetre,
       sim->forme_aide->bouton_fermer},
      {"preferences", [&] { options("Affichage des Registres..."); },
       pref.fenetre, pref.bouton_ok},
      {"registres_config",
       [&] {
         options("Affichage des Registres...");
         pref.cases_options[6]->value(1);
         active(*sim, pref.bouton_ok);
       },
       config.fenetre, config.bouton_fermer},
  };
  for (const cas& c : fenetres) {
    SCOPED_TRACE(c.nom);
    c.ouvre();
    traite_evenements_x();
    ASSERT_TRUE(c.fenetre->shown());
    photographie(c.fenetre, c.nom);
    active(*sim, c.fermeture);
    EXPECT_FALSE(c.fenetre->shown());
  }
}

// ---- chip view ----

TEST_F(Travail, ChipPinColoursFollowThePortsAndTheirDirections) {
  sim->change_modele(modele_machine::e9);
  active(*sim, f().bouton_composant);
  vue_composant& c = t().composant;
  const Fl_Color rouge = FL_RED, vert = FL_GREEN;
  const struct {
    unsigned short adresse;  // written as a program would, then the view
    unsigned char valeur;
    int broche;  // package pin
    bool clair, rouge_attendu;
  } cas[] = {
      {0x1004, 0x01, 42, true, true},    // PB0 output, high
      {0x1004, 0x00, 42, false, true},   // PB0 output, low
      {0x1007, 0x00, 16, false, false},  // PC7 input, released low
      {0x1007, 0x80, 16, false, true},   // DDRC: PC7 an output, latch 0
      {0x1003, 0x80, 16, true, true},    // PORTC: PC7 high
  };
  for (const auto& k : cas) {
    SCOPED_TRACE(k.broche);
    sim->simulation.ecrit_octet(k.adresse, k.valeur);
    sim->rafraichit_fenetres();
    const Fl_Color vu =
        sim->forme_aff_composant->marques[k.broche - 1]->color();
    EXPECT_EQ(vu, c.couleur_broche(k.broche));
    if (k.clair)
      EXPECT_EQ(k.rouge_attendu ? rouge : vert, vu);
    else
      EXPECT_TRUE(vu != rouge && vu != vert);
  }
}

TEST_F(Travail, ChipPinButtonsToggleInputsInBothModels) {
  const struct {
    modele_machine modele;
    int broche;  // package pin
    unsigned char machine;
    bool bascule;
  } cas[] = {
      {modele_machine::e9, 43, broche_pe0, true},
      {modele_machine::e9, 34, broche_pa0, true},
      {modele_machine::e9, 19, broche_irq, true},
      {modele_machine::e9, 18, broche_xirq, true},
      {modele_machine::plat, 50, broche_pe0 + 7, true},
      {modele_machine::plat, 19, broche_irq, false},  // no IRQ pin
  };
  for (const auto& k : cas) {
    SCOPED_TRACE(k.broche);
    sim->change_modele(k.modele);
    active(*sim, f().bouton_composant);
    Fl_Widget* bouton = sim->forme_aff_composant->marques[k.broche - 1];
    const bool avant = sim->simulation.niveau_broche(k.machine);
    EXPECT_EQ(k.bascule, bouton->active() != 0);
    active(*sim, bouton);
    EXPECT_EQ(k.bascule, avant != sim->simulation.niveau_broche(k.machine));
    EXPECT_EQ(k.broche, t().composant.broche_choisie());
  }
  // The port panel shows the toggled input, PE7; the pin is described
  // and its lead highlighted until another is chosen in the list.
  aff_composant_class& c = *sim->forme_aff_composant;
  EXPECT_EQ('1', texte(sim->port_E.aff_valeur)[0]);
  EXPECT_NE(std::string::npos, texte(t().composant.description).find("IRQ"));
  EXPECT_EQ(FL_YELLOW, c.pattes[18]->color());
  c.liste_broches->value(20);
  active(*sim, c.liste_broches);
  EXPECT_NE(FL_YELLOW, c.pattes[18]->color());
  EXPECT_NE(std::string::npos,
            texte(t().composant.description).find("PD0/RxD"));
}

// ---- display preferences ----

TEST_F(Travail, PreferencesHideRegisterFieldsAndPortPanels) {
  pref_affichage_class& p = *sim->forme_pref_affichage;
  const struct {
    Fl_Check_Button* coche;
    std::vector<Fl_Widget*> caches;
  } cas[] = {
      {p.cases_registres[3], {f().saisie_X, f().aff_X}},
      {p.cases_registres[2], {f().aff_CCR}},
      {p.cases_options[4], {sim->port_E.aff_valeur, sim->port_E.boutons[0]}},
      {p.cases_options[2], {sim->port_C.aff_ddr, sim->port_C.boutons[7]}},
  };
  for (const auto& c : cas) {
    SCOPED_TRACE(texte(c.coche));
    options("Affichage des Registres...");
    EXPECT_EQ(1, c.coche->value());
    c.coche->value(0);
    active(*sim, p.bouton_ok);
    for (Fl_Widget* w : c.caches) EXPECT_FALSE(w->visible());
    EXPECT_TRUE(f().aff_A->visible());
    EXPECT_TRUE(sim->port_A.aff_valeur->visible());
    options("Affichage des Registres...");
    c.coche->value(1);
    active(*sim, p.bouton_ok);
    for (Fl_Widget* w : c.caches) EXPECT_TRUE(w->visible());
  }
}

TEST_F(Travail, WithoutRealTimeTracingTheViewsWaitForTheStop) {
  ASSERT_EQ(
      1, sim->charge_programme(TAMRIX_SOURCE_DIR "/examples/chenillard.s19"));
  t().preferences.trace_temps_reel = false;
  const std::string pc_avant = f().saisie_PC->value();
  active(*sim, f().bouton_fleche);
  const auto debut = std::chrono::steady_clock::now();
  while (std::chrono::steady_clock::now() - debut <
         std::chrono::milliseconds(300))
    Fl::wait(0.01);
  EXPECT_GT(sim->controle_execution.cycles(), 10000u);
  EXPECT_EQ(pc_avant, f().saisie_PC->value());
  active(*sim, f().bouton_carre);
  char pc[16];
  std::snprintf(pc, sizeof pc, "   %4x", sim->processeur.PC);
  EXPECT_STREQ(pc, f().saisie_PC->value());
}

TEST_F(Travail, ConfigurationRegistersDecodedBitByBit) {
  sim->change_modele(modele_machine::e9);
  t().preferences.registres_configuration = true;
  t().preferences.applique();
  Fl_Browser& l = *t().preferences.forme_config->liste;
  std::string tout;
  for (int i = 1; i <= l.size(); ++i) tout += std::string(l.text(i)) + "\n";
  for (const char* attendu :
       {"OPTION  $1039 = $10  00010000", "4 DLY    1  délai de 4064 cycles",
        "HPRIO   $103c = $25", "MDA    1  mode étendu", "RAM en $0000",
        "registres en $1000", "CONFIG  $103f = $0f", "NOCOP  1",
        "TMSK2   $1024 = $00", "PACTL   $1026 = $00"})
    EXPECT_NE(std::string::npos, tout.find(attendu)) << attendu << "\n" << tout;
}

// ---- help ----

TEST_F(Travail, HelpShowsTheShippedText) {
  active(*sim, f().bouton_aide);
  Fl_Browser& b = *sim->forme_aide->texte_aide;
  std::string tout;
  for (int i = 1; i <= b.size(); ++i) tout += std::string(b.text(i)) + "\n";
  for (const char* attendu : {"F11 ou Espace", "Ctrl+O", "Jeu d'instructions",
                              "BRSET", "Chronogramme", "Pas animés"})
    EXPECT_NE(std::string::npos, tout.find(attendu)) << attendu;
  EXPECT_GT(b.size(), 100);
}

// ---- keyboard ----

void envoie_touche(Window fenetre, KeySym touche, unsigned etat) {
  XEvent e{};
  e.xkey.type = KeyPress;
  e.xkey.display = fl_display;
  e.xkey.window = fenetre;
  e.xkey.root = RootWindow(fl_display, fl_screen);
  e.xkey.same_screen = True;
  e.xkey.state = etat;
  e.xkey.keycode = XKeysymToKeycode(fl_display, touche);
  XSendEvent(fl_display, fenetre, True, KeyPressMask, &e);
}

TEST_F(Travail, ShortcutsQueueTheirButtons) {
  SIM_class& s = f();
  const struct {
    KeySym touche;
    unsigned etat;
    bool en_marche;
    Fl_Widget* focus;
    Fl_Widget* attendu;
  } cas[] = {
      {XK_F11, 0, false, s.fenetre, s.bouton_pas},
      {XK_F10, 0, false, s.fenetre, sim->bouton_par_dessus},
      {XK_F11, ShiftMask, false, s.fenetre, sim->bouton_sortie},
      {XK_F4, 0, false, s.fenetre, sim->bouton_jusqua},
      {XK_space, 0, false, s.fenetre, s.bouton_pas},
      {XK_space, 0, false, s.saisie_adresse, nullptr},  // typed there
      {XK_F5, 0, false, s.fenetre, s.bouton_fleche},
      {XK_Escape, 0, true, s.fenetre, s.bouton_carre},
      {XK_Escape, 0, false, s.fenetre, nullptr},
      {XK_r, ControlMask, false, s.fenetre, s.bouton_init},
      {XK_o, ControlMask, false, s.fenetre, s.menu_fichier},
      {XK_F10, ShiftMask, false, s.fenetre, sim->bouton_pas_arriere},
      {XK_F8, 0, false, s.fenetre, s.menu_options},  // "Carte..."
  };
  for (const auto& c : cas) {
    SCOPED_TRACE(XKeysymToString(c.touche));
    c.focus->take_focus();
    traite_evenements_x();
    while (sim->objet_suivant()) {
    }
    if (c.en_marche) {
      ASSERT_EQ(1, sim->charge_programme(TAMRIX_SOURCE_DIR
                                         "/examples/chenillard.s19"));
      active(*sim, s.bouton_fleche);
    }
    envoie_touche(fl_xid(s.fenetre), c.touche, c.etat);
    traite_evenements_x();
    Fl_Widget* pris = sim->objet_suivant();
    EXPECT_EQ(c.attendu, pris);
    if (pris == s.menu_fichier) {
      EXPECT_STREQ("Ouvrir fichier s19", s.menu_fichier->text());
    }
    if (pris == s.menu_options) {
      EXPECT_STREQ("Carte...", s.menu_options->text());
    }
    sim->controle_execution.arrete();
  }
  EXPECT_STREQ(" ", s.saisie_adresse->value());
}

}  // namespace
