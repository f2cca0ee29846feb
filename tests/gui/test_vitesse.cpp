// The pace of a run: "Temps réel" keeps the chip's 2 MHz without using the
// processor, "Pas animés" executes the chosen number of instructions a
// second with the views after each, a breakpoint stops at the same place at
// every pace, and a run that fell behind never catches up in a burst.
#include <FL/Fl.H>
#include <FL/Fl_Choice.H>
#include <sys/resource.h>

#include <chrono>
#include <thread>

#include "tests/gui/banc_gui.h"

namespace {

double secondes_processeur() {
  rusage r{};
  getrusage(RUSAGE_SELF, &r);
  return r.ru_utime.tv_sec + r.ru_stime.tv_sec +
         (r.ru_utime.tv_usec + r.ru_stime.tv_usec) / 1e6;
}

class Vitesse : public GuiTest {
 protected:
  execution* ex = nullptr;
  void SetUp() override {
    GuiTest::SetUp();
    sim->change_modele(modele_machine::e9);
    ex = &sim->controle_execution;
  }
  void TearDown() override {
    ex->arrete();
    ex->efface_points_arret();
  }
  void charge(const char* nom) {
    ASSERT_EQ(
        1, sim->charge_programme(
               (std::string(TAMRIX_SOURCE_DIR) + "/examples/" + nom).c_str()));
  }
  void laisse_tourner(double secondes) {
    const auto debut = std::chrono::steady_clock::now();
    while (
        std::chrono::duration<double>(std::chrono::steady_clock::now() - debut)
            .count() < secondes)
      Fl::wait(0.05);
  }
  void choisit(vitesse v) {
    const vitesse ordre[] = {vitesse::temps_reel, vitesse::dixieme,
                             vitesse::centieme, vitesse::pas_animes,
                             vitesse::maximum};
    for (int i = 0; i < 5; ++i)
      if (ordre[i] == v) ex->choix_vitesse->value(i);
    active(*sim, ex->choix_vitesse);
    ASSERT_EQ(v, ex->vitesse_choisie());
  }
};

TEST_F(Vitesse, TheChipModelStartsAtItsOwnPace) {
  EXPECT_EQ(vitesse::temps_reel, ex->vitesse_choisie());
  sim->change_modele(modele_machine::plat);
  EXPECT_EQ(vitesse::maximum, ex->vitesse_choisie());
  // The choice shows each pace by its name.
  const struct {
    vitesse v;
    const char* nom;
  } cas[] = {{vitesse::temps_reel, "Temps réel"},
             {vitesse::dixieme, "Temps réel ×1/10"},
             {vitesse::centieme, "Temps réel ×1/100"},
             {vitesse::pas_animes, "Pas animés"},
             {vitesse::maximum, "Maximum"}};
  for (const auto& c : cas) {
    ex->choisit_vitesse(c.v);
    ASSERT_NE(nullptr, ex->choix_vitesse->text());
    EXPECT_STREQ(c.nom, ex->choix_vitesse->text());
  }
}

TEST_F(Vitesse, TempsReelKeepsTwoMegahertzAndSleeps) {
  charge("chenillard.s19");
  choisit(vitesse::temps_reel);
  active(*sim, f().bouton_fleche);
  laisse_tourner(0.3);  // past the start
  const auto debut = std::chrono::steady_clock::now();
  const unsigned long long cycles = ex->cycles();
  const double processeur = secondes_processeur();
  laisse_tourner(2.0);
  const double duree =
      std::chrono::duration<double>(std::chrono::steady_clock::now() - debut)
          .count();
  const double rythme = (ex->cycles() - cycles) / duree;
  EXPECT_GT(rythme, 1e6);
  EXPECT_LT(rythme, 3e6);
  // The run sleeps between its slices: far below one busy core, even in
  // the sanitizer build.
  EXPECT_LT((secondes_processeur() - processeur) / duree, 0.5);
  // The pace achieved is shown: "×1,00" or near it.
  EXPECT_NE(std::string::npos,
            std::string(ex->texte_compteur()).find("\xC3\x97"));
  EXPECT_NEAR(1.0, ex->facteur_mesure(), 0.5);
}

TEST_F(Vitesse, PasAnimesRunsTheChosenRateWithTheViews) {
  charge("chenillard.s19");
  choisit(vitesse::pas_animes);
  ex->choisit_pas_par_seconde(10);
  active(*sim, f().bouton_fleche);
  laisse_tourner(1.0);
  EXPECT_GE(ex->instructions(), 5u);
  EXPECT_LE(ex->instructions(), 15u);
  // The PC field shows the CPU's PC after each instruction.
  char pc[16];
  std::snprintf(pc, sizeof pc, "   %4x", sim->processeur.PC);
  EXPECT_STREQ(pc, f().saisie_PC->value());
}

TEST_F(Vitesse, ABreakpointStopsAtTheSamePlaceAtEveryPace) {
  for (vitesse v : {vitesse::maximum, vitesse::temps_reel, vitesse::centieme,
                    vitesse::pas_animes}) {
    charge("somme.s19");
    choisit(v);
    ex->choisit_pas_par_seconde(50);
    ex->bascule_point_arret(0xB607);  // staa *0, after the loop
    active(*sim, f().bouton_fleche);
    const auto debut = std::chrono::steady_clock::now();
    while (ex->en_marche() && std::chrono::duration<double>(
                                  std::chrono::steady_clock::now() - debut)
                                      .count() < 5)
      Fl::wait(0.01);
    EXPECT_EQ(raison_arret::point_arret, ex->derniere_raison());
    EXPECT_EQ(0xB607, sim->processeur.PC);
    EXPECT_EQ(74u, ex->cycles());
    EXPECT_EQ(32u, ex->instructions());
    ex->bascule_point_arret(0xB607);
  }
}

TEST_F(Vitesse, AfterAPauseThePaceStartsAgainFromThePresent) {
  charge("chenillard.s19");
  choisit(vitesse::temps_reel);
  active(*sim, f().bouton_fleche);
  laisse_tourner(0.2);
  const unsigned long long avant = ex->cycles();
  // Nothing is served for half a second (a dialog, the window moved).
  std::this_thread::sleep_for(std::chrono::milliseconds(500));
  Fl::wait(0.05);
  Fl::wait(0.05);
  // At most a slice or two of chip time, never the half second missed.
  EXPECT_LT(ex->cycles() - avant, 400000u);
}

}  // namespace
