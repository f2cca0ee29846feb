// The timing diagram in the real window: a program's toggles recorded at
// their cycle and drawn there, the bounds, ZOOM, the unit and the digits
// changing what is drawn, the mouse (clicks, wheel, the Cycles dialog), the
// rows chosen, the E/S marks, the live follow of a run; and the saved
// options across a restart of the program.
#include "tests/gui/banc_gui.h"

// Xlib's macros come after GoogleTest, whose names they would clash with.
#include <FL/Fl.H>
#include <FL/Fl_Box.H>
#include <FL/Fl_Button.H>
#include <FL/Fl_Double_Window.H>
#include <FL/Fl_Input.H>
#include <FL/Fl_Menu_Button.H>
#include <FL/fl_draw.H>
#include <FL/x.H>
#include <stdlib.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>

#include "app/travail.h"
#include "ui/auxiliaires.h"
#include "ui/trace_chronogramme.h"

namespace {

// LDAA #1, STAA PORTB, CLRA, STAA PORTB, BRA *: PB0 rises in the fourth
// cycle of the first store (the write of an extended STAA), cycle 5 from
// reset, and falls in the second store's, cycle 11.
const unsigned char impulsion[] = {0x86, 0x01, 0xB7, 0x10, 0x04, 0x4F,
                                   0xB7, 0x10, 0x04, 0x20, 0xFE};

class Chronogramme : public GuiTest {
 protected:
  vue_chronogramme& c() { return sim->travail->chronogramme; }
  Chronogramme_class& forme() { return *sim->forme_chronogramme; }
  trace_chronogramme& trace() { return *c().trace; }
  void SetUp() override {
    GuiTest::SetUp();
    c().choisit_selection(uint64_t(1) << 15);  // PB0
    tape(forme().saisie_debut, "");
    tape(forme().saisie_fin, "");
    if (!c().suit_simulation()) active(*sim, forme().bouton_simulation);
    if (c().en_microsecondes()) active(*sim, forme().bouton_unite);
  }
  void TearDown() override {
    forme().fenetre->hide();
    sim->forme_cycles->fenetre->hide();
    sim->controle_execution.arrete();
    c().lit_selection("PB7,PB6,PB5,PB4,PB3,PB2,PB1,PB0");
    // No item left chosen for the next test that activates the menu.
    f().menu_options->value(static_cast<const Fl_Menu_Item*>(nullptr));
  }
  void ouvre() {
    f().menu_options->value(f().menu_options->find_index("Chronogramme..."));
    active(*sim, f().menu_options);
    ASSERT_TRUE(forme().fenetre->shown());
  }
  // PORTB starts at 0 in both models.
  void charge_impulsion() {
    sim->simulation.ecrit_octet(0x1004, 0);
    for (unsigned i = 0; i < sizeof impulsion; ++i)
      sim->simulation.ecrit_octet(static_cast<unsigned short>(0xB600 + i),
                                  impulsion[i]);
    sim->reinitialise();
  }
  void attend_arret() {
    const auto debut = std::chrono::steady_clock::now();
    while (sim->controle_execution.en_marche() &&
           std::chrono::steady_clock::now() - debut < std::chrono::seconds(3))
      Fl::wait(0.01);
  }
  void zoome(const char* debut, const char* fin) {
    tape(forme().saisie_debut, debut);
    tape(forme().saisie_fin, fin);
    active(*sim, forme().bouton_zoom);
  }
  // A mouse gesture on the drawing, `colonne` columns into the plot.
  void geste(int evenement, int colonne, int bouton = FL_LEFT_MOUSE,
             int molette = 0) {
    Fl::e_x = trace().x() + trace_chronogramme::marge_noms + colonne;
    Fl::e_y = trace().y() + 10;
    Fl::e_keysym = FL_Button + bouton;
    Fl::e_dy = molette;
    trace().handle(evenement);
    Fl_Widget* pris = sim->objet_suivant();
    ASSERT_EQ(&trace(), pris);
    sim->traite_objet(pris);
  }
  // The columns where PB0's drawing changes level.
  std::vector<int> fronts_pb0() {
    std::vector<int> fronts;
    for (const morceau_trace& m : c().traces().par_broche[broche_pb0])
      if (m.debut > 0) fronts.push_back(m.debut);
    return fronts;
  }
};

TEST_F(Chronogramme, AProgramsTogglesAreRecordedAndDrawnAtTheirCycle) {
  const struct {
    modele_machine modele;
    bool en_marche;
    uint64_t montee, descente;
  } cas[] = {
      // The chip logs each write at its bus cycle.
      {modele_machine::e9, true, 5, 11},
      // The flat model's cells are compared after each step.
      {modele_machine::plat, false, 6, 12},
  };
  for (const auto& k : cas) {
    SCOPED_TRACE(k.montee);
    sim->change_modele(k.modele);
    charge_impulsion();
    ouvre();
    if (k.en_marche) {
      active(*sim, f().bouton_fleche);
      attend_arret();
    } else {
      for (int i = 0; i < 4; ++i) active(*sim, f().bouton_pas);
    }
    const journal_broches& j = sim->simulation.journal;
    std::vector<std::pair<uint64_t, int>> pb0;
    for (std::size_t i = 0; i < j.taille(); ++i)
      if (j[i].broche == broche_pb0) pb0.push_back({j[i].cycle, j[i].niveau});
    EXPECT_EQ(
        (std::vector<std::pair<uint64_t, int>>{{k.montee, 1}, {k.descente, 0}}),
        pb0);
    zoome("0", "20");
    EXPECT_EQ(0u, c().debut());
    EXPECT_EQ(20u, c().fin());
    const fenetre_cycles& v = trace().vue;
    EXPECT_EQ((std::vector<int>{static_cast<int>(v.colonne(k.montee)),
                                static_cast<int>(v.colonne(k.descente))}),
              fronts_pb0());
    EXPECT_NE(std::string::npos,
              texte(c().etat).find("Données depuis le cycle 0"));
  }
  Fl::flush();
}

TEST_F(Chronogramme, BoundsZoomUnitAndDigitsChangeWhatIsDrawn) {
  sim->change_modele(modele_machine::e9);
  charge_impulsion();
  ouvre();
  active(*sim, f().bouton_fleche);
  attend_arret();
  // The drawing's pixels: the plot, read back from the window.
  auto pixels = [&] {
    forme().fenetre->redraw();
    Fl::flush();
    Fl::check();
    forme().fenetre->make_current();
    std::unique_ptr<uchar[]> image(fl_read_image(
        nullptr, trace().x(), trace().y(), trace().w(), trace().h()));
    return std::string(reinterpret_cast<char*>(image.get()),
                       static_cast<std::size_t>(trace().w() * trace().h() * 3));
  };
  zoome("0", "1000");
  const std::vector<int> large = fronts_pb0();
  const std::string avant = pixels();
  zoome("0", "20");
  EXPECT_NE(large, fronts_pb0());
  const std::string zoome_ = pixels();
  EXPECT_NE(avant, zoome_);
  // 0 to 20 cycles: 0 to 10 µs.
  const auto dernier = [&] { return trace().graduations().back().second; };
  EXPECT_STREQ("cycles", trace().texte_unite());
  EXPECT_EQ("18", dernier());
  active(*sim, forme().bouton_unite);
  EXPECT_STREQ("\xC2\xB5s", trace().texte_unite());
  EXPECT_EQ("9", dernier());
  const std::string en_us = pixels();
  EXPECT_NE(zoome_, en_us);
  active(*sim, forme().bouton_niveaux);
  EXPECT_TRUE(trace().chiffres);
  EXPECT_NE(en_us, pixels());
  active(*sim, forme().bouton_niveaux);
  // Both fields empty: the whole history.
  zoome("", "");
  EXPECT_EQ(sim->simulation.journal.complet_depuis(), c().debut());
  EXPECT_EQ(sim->simulation.cycles, c().fin());
  // A bad bound is refused and said.
  zoome("50", "10");
  EXPECT_EQ(1u, alertes_vues.size());
  EXPECT_EQ(sim->simulation.cycles, c().fin());
  // The README's picture of the window, in the build tree.
  std::ostringstream commande;
  zoome("0", "16");
  for (int i = 0; i < 10; ++i) Fl::wait(0.01);
  commande << "import -window 0x" << std::hex << fl_xid(forme().fenetre) << " "
           << TAMRIX_BINARY_DIR << "/fenetre_chronogramme_impulsion.png";
  EXPECT_EQ(0, std::system(commande.str().c_str()));
}

TEST_F(Chronogramme, ClicksReadCyclesAndTheTimeBetweenThem) {
  ouvre();
  zoome("1000", "1636");  // one cycle a column
  ASSERT_EQ(636, trace().colonnes());
  geste(FL_PUSH, 100);
  EXPECT_NE(std::string::npos, texte(c().lecture).find("cycle 1100 (550 µs)"));
  geste(FL_PUSH, 500);
  const std::string lu = texte(c().lecture);
  EXPECT_NE(std::string::npos, lu.find("cycle 1500 (750 µs)")) << lu;
  EXPECT_NE(std::string::npos, lu.find("400 cycles (200 µs)")) << lu;
  EXPECT_EQ(1100, trace().clic_precedent);
  // The two clicks bound the next ZOOM.
  EXPECT_STREQ("1100", forme().saisie_debut->value());
  EXPECT_STREQ("1500", forme().saisie_fin->value());
  active(*sim, forme().bouton_zoom);
  EXPECT_EQ(1100u, c().debut());
  EXPECT_EQ(1500u, c().fin());
}

TEST_F(Chronogramme, WheelAndCyclesDialogMoveTheView) {
  ouvre();
  zoome("1000", "2000");
  const int milieu = trace().colonnes() / 2;
  const uint64_t centre = trace().cycle_sous(milieu);
  const struct {
    int molette;
    uint64_t etendue;
  } crans[] = {{-1, 500}, {-1, 250}, {1, 500}, {1, 1000}};
  for (const auto& k : crans) {
    geste(FL_MOUSEWHEEL, milieu, FL_LEFT_MOUSE, k.molette);
    EXPECT_NEAR(static_cast<double>(k.etendue),
                static_cast<double>(c().fin() - c().debut()), 2);
    EXPECT_NEAR(static_cast<double>(centre),
                static_cast<double>(trace().cycle_sous(milieu)), 4);
  }
  Cycles_class& cy = *sim->forme_cycles;
  geste(FL_PUSH, 10, FL_RIGHT_MOUSE);
  ASSERT_TRUE(cy.fenetre->shown());
  EXPECT_EQ(std::to_string(c().debut()), cy.saisie_debut->value());
  tape(cy.saisie_debut, "$100");
  tape(cy.saisie_fin, "300");
  active(*sim, cy.bouton_validation);
  EXPECT_FALSE(cy.fenetre->shown());
  EXPECT_EQ(256u, c().debut());
  EXPECT_EQ(300u, c().fin());
  EXPECT_STREQ("$100", forme().saisie_debut->value());
}

TEST_F(Chronogramme, SelButtonsChooseTheRowsAndMarksShowDirections) {
  ouvre();
  Fl_Button* pa6 = c().bouton_selection(1);
  ASSERT_NE(nullptr, pa6);
  EXPECT_EQ("Sel PA6", texte(pa6));
  const struct {
    Fl_Button* bouton;
    std::vector<std::string> lignes;
  } cas[] = {
      {pa6, {"PA6", "PB0"}},
      {forme().selections[39], {"PA6", "PB0", "XIRQ"}},
      {pa6, {"PB0", "XIRQ"}},
  };
  for (const auto& k : cas) {
    active(*sim, k.bouton);
    std::vector<std::string> vues;
    for (const auto& l : trace().lignes) vues.push_back(l.nom);
    EXPECT_EQ(k.lignes, vues);
  }
  // PC7: an input, then an output through DDRC.
  auto marque = [&](const char* lettre) -> Fl_Widget* {
    for (int i = 0; i < forme().fenetre->children(); ++i) {
      Fl_Widget* w = forme().fenetre->child(i);
      if (w->y() == forme().noms_signaux[16]->y() && w->w() == 10 &&
          texte(w) == lettre && w->visible())
        return w;
    }
    return nullptr;
  };
  ASSERT_NE(nullptr, marque("E"));
  EXPECT_EQ(FL_BLACK, marque("E")->color());
  EXPECT_EQ(nullptr, marque("S")) << "under PC7's second E";
  sim->simulation.ecrit_octet(0x1007, 0x80);
  sim->rafraichit_fenetres();
  ASSERT_NE(nullptr, marque("S"));
  EXPECT_EQ(FL_BLACK, marque("S")->color());
  EXPECT_NE(FL_BLACK, marque("E")->color());
}

TEST_F(Chronogramme, SimulationFollowsARun) {
  ASSERT_EQ(
      1, sim->charge_programme(TAMRIX_SOURCE_DIR "/examples/chenillard.s19"));
  ouvre();
  zoome("0", "50000");
  active(*sim, forme().bouton_simulation);
  ASSERT_TRUE(c().suit_simulation());
  active(*sim, f().bouton_fleche);
  const auto debut = std::chrono::steady_clock::now();
  while (std::chrono::steady_clock::now() - debut <
         std::chrono::milliseconds(300))
    Fl::wait(0.01);
  active(*sim, f().bouton_carre);
  EXPECT_GT(sim->simulation.cycles, 100000u);
  EXPECT_EQ(sim->simulation.cycles, c().fin());
  EXPECT_EQ(50000u, c().fin() - c().debut());
}

TEST_F(Chronogramme, TheLightChasersStepsOneAfterTheOther) {
  sim->change_modele(modele_machine::e9);
  ASSERT_EQ(
      1, sim->charge_programme(TAMRIX_SOURCE_DIR "/examples/chenillard.s19"));
  c().lit_selection("PB7,PB6,PB5,PB4,PB3,PB2,PB1,PB0");
  ouvre();
  sim->controle_execution.choisit_vitesse(vitesse::maximum);
  active(*sim, f().bouton_fleche);
  const auto debut = std::chrono::steady_clock::now();
  while (sim->simulation.cycles < 3300000 &&
         std::chrono::steady_clock::now() - debut < std::chrono::seconds(20))
    Fl::wait(0.01);
  active(*sim, f().bouton_carre);
  zoome("0", "3300000");
  // Each bit rises one step (400 014 cycles) after the one before it.
  std::vector<int> fronts;
  for (unsigned char b = broche_pb0; b < broche_pb0 + 8; ++b)
    for (const morceau_trace& m : c().traces().par_broche[b])
      if (m.etat == etat_trace::haut) {
        fronts.push_back(m.debut);
        break;
      }
  ASSERT_EQ(8u, fronts.size());
  for (std::size_t i = 1; i < fronts.size(); ++i)
    EXPECT_NEAR(400014.0 * trace().colonnes() / 3300000,
                fronts[i] - fronts[i - 1], 1);
  geste(FL_PUSH, fronts[0]);
  geste(FL_PUSH, fronts[1]);
  for (int i = 0; i < 10; ++i) Fl::wait(0.01);
  // TAMRIX_CAPTURE_DOCS=1 makes it the README's picture.
  const char* docs = std::getenv("TAMRIX_CAPTURE_DOCS");
  const std::string png = docs && std::string(docs) == "1"
                              ? TAMRIX_SOURCE_DIR "/docs/chronogramme.png"
                              : TAMRIX_BINARY_DIR "/chronogramme.png";
  std::ostringstream commande;
  commande << "import -window 0x" << std::hex << fl_xid(forme().fenetre) << " "
           << png;
  EXPECT_EQ(0, std::system(commande.str().c_str()));
}

// ---- saved options ----

class OptionsSauvees : public GuiTest {
 protected:
  void SetUp() override {
    GuiTest::SetUp();
    char modele[] = "/tmp/tamrix_gui_options_XXXXXX";
    ASSERT_NE(nullptr, ::mkdtemp(modele));
    dossier = modele;
    avant = std::getenv("XDG_CONFIG_HOME");
    ::setenv("XDG_CONFIG_HOME", dossier.c_str(), 1);
  }
  void TearDown() override {
    ::setenv("XDG_CONFIG_HOME", avant.c_str(), 1);
    std::filesystem::remove_all(dossier);
    preferences_affichage& p = sim->travail->preferences;
    p.registres[1] = true;
    p.applique();
    sim->travail->chronogramme.lit_selection("PB7,PB6,PB5,PB4,PB3,PB2,PB1,PB0");
    f().menu_options->value(static_cast<const Fl_Menu_Item*>(nullptr));
  }
  std::string fichier() const { return dossier + "/tamrix/options"; }
  std::string dossier, avant;
};

TEST_F(OptionsSauvees, TheySurviveARestart) {
  ASSERT_EQ(1, sim->charge_programme(TAMRIX_SOURCE_DIR "/examples/somme.s19"));
  sim->travail->preferences.registres[1] = false;  // B
  sim->travail->preferences.applique();
  sim->controle_execution.choisit_vitesse(vitesse::pas_animes);
  sim->controle_execution.choisit_pas_par_seconde(7);
  sim->travail->chronogramme.lit_selection("PA0,XIRQ");
  f().menu_options->value(f().menu_options->find_index("Sauver les options"));
  active(*sim, f().menu_options);
  ASSERT_TRUE(std::filesystem::exists(fichier()));
  EXPECT_NE(std::string::npos, texte(sim->ligne_etat).find(fichier()));

  std::unique_ptr<simulateur> autre(nouveau_simulateur({"tamrix"}));
  EXPECT_FALSE(autre->simulation.e9());
  EXPECT_FALSE(autre->travail->preferences.registres[1]);
  EXPECT_FALSE(autre->forme_sim->aff_B->visible());
  EXPECT_TRUE(autre->forme_sim->aff_A->visible());
  EXPECT_EQ(vitesse::pas_animes, autre->controle_execution.vitesse_choisie());
  EXPECT_EQ(7, autre->controle_execution.pas_par_seconde());
  EXPECT_EQ("PA0,XIRQ", autre->travail->chronogramme.texte_selection());
  // The last program is loaded again.
  EXPECT_EQ(sim->memoire.read_byte(0xB600), autre->memoire.read_byte(0xB600));
  EXPECT_NE(0xFF, autre->memoire.read_byte(0xB600));
}

TEST_F(OptionsSauvees, ADamagedFileGivesTheDefaultsAndOneLine) {
  std::filesystem::create_directories(dossier + "/tamrix");
  const std::string abime = "modele=plat\n\x89PNG\r\n\x1a\n";
  std::ofstream(fichier(), std::ios::binary) << abime;
  testing::internal::CaptureStderr();
  std::unique_ptr<simulateur> autre(nouveau_simulateur({"tamrix"}));
  const std::string erreurs = testing::internal::GetCapturedStderr();
  EXPECT_TRUE(autre->simulation.e9());
  EXPECT_EQ(vitesse::temps_reel, autre->controle_execution.vitesse_choisie());
  EXPECT_EQ(1, std::count(erreurs.begin(), erreurs.end(), '\n')) << erreurs;
  EXPECT_NE(std::string::npos, erreurs.find(fichier())) << erreurs;
  autre.reset();
  std::ifstream relu(fichier(), std::ios::binary);
  std::ostringstream contenu;
  contenu << relu.rdbuf();
  EXPECT_EQ(abime, contenu.str()) << "kept until the user saves";
}

}  // namespace

namespace {

// The last program is saved with its absolute path, so a start from
// another folder finds it; once it is gone, one line says so.
TEST_F(OptionsSauvees, TheLastProgramIsFoundFromAnyFolderOrReported) {
  const std::filesystem::path ici = std::filesystem::current_path();
  const std::string copie = TAMRIX_BINARY_DIR "/gui_copie.s19";
  std::filesystem::copy_file(TAMRIX_SOURCE_DIR "/examples/somme.s19", copie,
                             std::filesystem::copy_options::overwrite_existing);
  std::filesystem::current_path(TAMRIX_BINARY_DIR);
  ASSERT_EQ(1, sim->charge_programme("gui_copie.s19"));
  f().menu_options->value(f().menu_options->find_index("Sauver les options"));
  active(*sim, f().menu_options);
  std::filesystem::current_path(ici.root_path());
  std::unique_ptr<simulateur> autre(nouveau_simulateur({"tamrix"}));
  EXPECT_EQ(copie, autre->debogueur.chemin());
  std::filesystem::remove(copie);
  testing::internal::CaptureStderr();
  autre.reset(nouveau_simulateur({"tamrix"}));
  EXPECT_EQ("tamrix : Dernier programme introuvable : " + copie + "\n",
            testing::internal::GetCapturedStderr());
  EXPECT_EQ(texte(autre->ligne_etat).find(copie), 32u);
  std::filesystem::current_path(ici);
}

}  // namespace
