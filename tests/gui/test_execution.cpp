// Run, stop, breakpoints and the cycle counter of the main window, driven
// through the command loop's one-pass entry point as clicks would drive it.

#include <FL/Fl.H>
#include <FL/Fl_Box.H>
#include <FL/Fl_Button.H>
#include <FL/Fl_Double_Window.H>
#include <FL/Fl_Input.H>
#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <string>

#include "app/execution.h"
#include "app/simulateur.h"
#include "tests/gui/banc_gui.h"
#include "ui/sim_class.h"

namespace {

// ---- The counter's text ----

TEST(TexteCompteur, CyclesEtDureeA2MHz) {
  const struct {
    unsigned long long cycles;
    const char *attendu;
  } cas[] = {
      {0, "Cycles : 0 (0 \xC2\xB5s)"},
      {1, "Cycles : 1 (0,5 \xC2\xB5s)"},
      {80, "Cycles : 80 (40 \xC2\xB5s)"},
      {19999, "Cycles : 19999 (9999,5 \xC2\xB5s)"},
      {20000, "Cycles : 20000 (10,000 ms)"},
      {20003, "Cycles : 20003 (10,001 ms)"},
      {20000000, "Cycles : 20000000 (10,000 s)"},
      {123456789, "Cycles : 123456789 (61,728 s)"},
      {18446744073709551615ull,
       "Cycles : 18446744073709551615 (9223372036854,775 s)"},
  };
  for (const auto &c : cas) {
    char texte[64];
    formate_compteur(c.cycles, texte, sizeof texte);
    EXPECT_STREQ(texte, c.attendu);
  }
}

// ---- The main window ----

std::string exemple(const char *nom) {
  return std::string(TAMRIX_SOURCE_DIR) + "/examples/" + nom;
}

// The shared simulator of the GUI bench, stopped and without breakpoints
// before and after each test.
class Execution : public ::testing::Test {
 protected:
  simulateur *sim = nullptr;
  SIM_class *f = nullptr;
  execution *ex = nullptr;

  void SetUp() override {
    sim = &simulateur_propre();
    f = sim->forme_sim;
    ex = &sim->controle_execution;
    remet_execution();
  }
  void TearDown() override { remet_execution(); }

  void remet_execution() {
    ex->arrete();
    ex->efface_points_arret();
    ex->remet_compteur();
  }

  int active(Fl_Widget *w) { return ::active(*sim, w); }

  void charge(const char *nom) {
    ASSERT_EQ(sim->charge_programme(exemple(nom).c_str()), 1) << nom;
  }
  void charge(const std::string &chemin) {
    ASSERT_EQ(sim->charge_programme(chemin.c_str()), 1) << chemin;
  }

  // Lets the event loop run (and with it the run's slices) for a while.
  void laisse_tourner(double secondes) {
    const auto debut = std::chrono::steady_clock::now();
    while (
        std::chrono::duration<double>(std::chrono::steady_clock::now() - debut)
            .count() < secondes)
      Fl::wait(0.01);
  }

  // Pumps events until the run stops by itself; false after the timeout.
  bool attend_arret(double secondes = 5) {
    const auto debut = std::chrono::steady_clock::now();
    while (ex->en_marche()) {
      if (std::chrono::duration<double>(std::chrono::steady_clock::now() -
                                        debut)
              .count() > secondes)
        return false;
      Fl::wait(0.01);
    }
    return true;
  }

  int ligne_de(unsigned short adresse) {
    for (int i = 0; i < execution::nb_lignes; ++i)
      if (ex->adresse_ligne(i) == adresse) return i;
    return -1;
  }

  std::string texte_ligne(int i) {
    const char *t = sim->lignes_desa[i]->label();
    return t ? t : "";
  }

  std::string ligne_du_pc() {
    for (int i = 0; i < execution::nb_lignes; ++i)
      if (texte_ligne(i).rfind("-> ", 0) == 0) return texte_ligne(i);
    return "";
  }

  std::string champ_pc() { return f->saisie_PC->value(); }
};

std::string hex16(unsigned v) {
  char t[16];
  std::snprintf(t, sizeof t, "   %4x", v);
  return t;
}

TEST_F(Execution, MarcheEnTranchesPuisArretRedessineCommeUnPas) {
  charge("chenillard.s19");
  active(f->bouton_fleche);
  EXPECT_TRUE(ex->en_marche());
  laisse_tourner(0.3);
  EXPECT_TRUE(ex->en_marche()) << "the light chaser never stops by itself";
  const unsigned long long pendant = ex->instructions();
  EXPECT_GT(pendant, 10000u);
  active(f->bouton_carre);
  EXPECT_FALSE(ex->en_marche());
  EXPECT_EQ(ex->derniere_raison(), raison_arret::demande);
  // Nothing more runs once stopped.
  const unsigned long long arret = ex->instructions();
  const unsigned short pc = sim->processeur.PC;
  laisse_tourner(0.1);
  EXPECT_EQ(ex->instructions(), arret);
  EXPECT_EQ(sim->processeur.PC, pc);
  // Everything shows the state the run stopped in.
  EXPECT_EQ(champ_pc(), hex16(pc));
  char debut[16];
  std::snprintf(debut, sizeof debut, "-> %x ", pc);
  EXPECT_EQ(ligne_du_pc().rfind(debut, 0), 0u) << ligne_du_pc();
  int i = ligne_de(pc);
  ASSERT_GE(i, 0);
  EXPECT_EQ(sim->lignes_desa[i]->color(), 174u);
  EXPECT_EQ(std::string(ex->compteur->label()), ex->texte_compteur());
  char attendu[64];
  formate_compteur(ex->cycles(), attendu, sizeof attendu);
  EXPECT_STREQ(ex->compteur->label(), attendu);
  // The light chaser's bit shows on port B as the program left it.
  EXPECT_EQ(sim->port_B.valeur, sim->memoire.read_byte(0x1004));
}

TEST_F(Execution, BoucleSurPlaceArreteLaMarche) {
  charge("somme.s19");
  active(f->bouton_fleche);
  ASSERT_TRUE(attend_arret());
  EXPECT_EQ(ex->derniere_raison(), raison_arret::boucle_sur_place);
  EXPECT_EQ(sim->processeur.PC, 0xB609);
  EXPECT_EQ(sim->memoire.read_byte(0x0000), 55);
  // clra, ldab, 10 x (aba, decb, bne), staa, bra: 34 instructions,
  // 2 + 2 + 10 x (2 + 2 + 3) + 3 + 3 = 80 cycles.
  EXPECT_EQ(ex->instructions(), 34u);
  EXPECT_EQ(ex->cycles(), 80u);
  EXPECT_STREQ(ex->compteur->label(), "Cycles : 80 (40 \xC2\xB5s)");
  EXPECT_EQ(ligne_du_pc().rfind("-> b609 ", 0), 0u) << ligne_du_pc();
}

TEST_F(Execution, OpcodeInexistantArreteApresSonMessage) {
  charge("somme.s19");
  // nop, nop, then 0x41, which no instruction has.
  for (unsigned short a : {0xB600, 0xB601}) sim->memoire.write_byte(a, 0x01);
  sim->memoire.write_byte(0xB602, 0x41);
  testing::internal::CaptureStderr();
  active(f->bouton_fleche);
  const bool arrete = attend_arret();
  const std::string erreurs = testing::internal::GetCapturedStderr();
  ASSERT_TRUE(arrete);
  EXPECT_EQ(ex->derniere_raison(), raison_arret::inexistante);
  EXPECT_EQ(erreurs, "fonction inexistante!\n");
  EXPECT_EQ(sim->processeur.PC, 0xB603);
  EXPECT_EQ(ex->instructions(), 3u);
  EXPECT_EQ(ex->cycles(), 4u);
}

TEST_F(Execution, PointDArretPuisReprise) {
  charge("somme.s19");
  const int i = ligne_de(0xB607);  // staa *0
  ASSERT_GE(i, 0);
  active(ex->zones_lignes[i]);
  EXPECT_TRUE(ex->point_arret(0xB607));
  active(f->bouton_fleche);
  ASSERT_TRUE(attend_arret());
  EXPECT_EQ(ex->derniere_raison(), raison_arret::point_arret);
  EXPECT_EQ(sim->processeur.PC, 0xB607);
  EXPECT_EQ(sim->processeur.A, 55);
  EXPECT_EQ(ex->cycles(), 74u);
  EXPECT_EQ(champ_pc(), hex16(0xB607));
  // A run that starts on the breakpoint executes that instruction first.
  active(f->bouton_fleche);
  ASSERT_TRUE(attend_arret());
  EXPECT_EQ(ex->derniere_raison(), raison_arret::boucle_sur_place);
  EXPECT_EQ(sim->processeur.PC, 0xB609);
  EXPECT_EQ(sim->memoire.read_byte(0x0000), 55);
  EXPECT_EQ(ex->cycles(), 80u);
}

TEST_F(Execution, CliquerUneLigneBasculeSonPointDArret) {
  charge("chenillard.s19");
  const unsigned short a = ex->adresse_ligne(2);
  EXPECT_EQ(a, 0xB605);  // lds (3 bytes), ldaa (2 bytes), staa
  active(ex->zones_lignes[2]);
  EXPECT_TRUE(ex->point_arret(a));
  EXPECT_EQ(ex->points_lignes[2]->color(), FL_RED);
  EXPECT_EQ(sim->lignes_desa[2]->labelcolor(), FL_RED);
  for (int autre : {0, 1, 3, 11}) {
    EXPECT_NE(ex->points_lignes[autre]->color(), FL_RED) << autre;
    EXPECT_EQ(sim->lignes_desa[autre]->labelcolor(), FL_FOREGROUND_COLOR);
  }
  // The PC's line keeps its mark and colour.
  EXPECT_EQ(texte_ligne(0).rfind("-> b600 ", 0), 0u);
  EXPECT_EQ(sim->lignes_desa[0]->color(), 174u);

  // The mark follows the address when the view scrolls.
  active(f->desa_precedent);
  ASSERT_NE(sim->debut_desa, 0xB600);
  const int j = ligne_de(a);
  ASSERT_GT(j, 2);
  EXPECT_EQ(ex->points_lignes[j]->color(), FL_RED);
  EXPECT_NE(ex->points_lignes[2]->color(), FL_RED);

  // Reset and reload keep it; a second click removes it.
  active(f->bouton_init);
  EXPECT_TRUE(ex->point_arret(a));
  charge("chenillard.s19");
  EXPECT_TRUE(ex->point_arret(a));
  EXPECT_EQ(ex->points_lignes[2]->color(), FL_RED);
  active(ex->zones_lignes[2]);
  EXPECT_FALSE(ex->point_arret(a));
  EXPECT_NE(ex->points_lignes[2]->color(), FL_RED);
  EXPECT_EQ(sim->lignes_desa[2]->labelcolor(), FL_FOREGROUND_COLOR);
}

TEST_F(Execution, LePointDArretVaALAdresseQueLaLigneMontre) {
  charge("chenillard.s19");
  ASSERT_EQ(texte_ligne(2).rfind("   b605 ", 0), 0u) << texte_ligne(2);
  // The code changes under the view before its next redraw (a running
  // program writing over itself): lds becomes three NOPs.
  for (unsigned short a : {0xB600, 0xB601, 0xB602})
    sim->memoire.write_byte(a, 0x01);
  active(ex->zones_lignes[2]);
  EXPECT_TRUE(ex->point_arret(0xB605));
  EXPECT_FALSE(ex->point_arret(0xB602));
  EXPECT_EQ(ex->points_lignes[2]->color(), FL_RED);
  // The next redraw walks the new code; the mark follows its address.
  sim->rafraichit_desassemble();
  EXPECT_EQ(ex->adresse_ligne(2), 0xB602);
  EXPECT_NE(ex->points_lignes[2]->color(), FL_RED);
  const int i = ligne_de(0xB605);
  ASSERT_GE(i, 0);
  EXPECT_EQ(ex->points_lignes[i]->color(), FL_RED);
  EXPECT_EQ(texte_ligne(i).rfind("   b605 ", 0), 0u) << texte_ligne(i);
}

TEST_F(Execution, CompteurApresPasResetEtChargement) {
  charge("somme.s19");
  EXPECT_STREQ(ex->compteur->label(), "Cycles : 0 (0 \xC2\xB5s)");
  for (int i = 0; i < 3; ++i) active(f->bouton_pas);  // clra, ldab #, aba
  EXPECT_EQ(ex->cycles(), 6u);
  EXPECT_STREQ(ex->compteur->label(), "Cycles : 6 (3 \xC2\xB5s)");
  active(f->bouton_init);
  EXPECT_EQ(ex->cycles(), 0u);
  EXPECT_STREQ(ex->compteur->label(), "Cycles : 0 (0 \xC2\xB5s)");
  active(f->bouton_pas);
  EXPECT_EQ(ex->cycles(), 2u);
  active(f->bouton_fleche);
  ASSERT_TRUE(attend_arret());
  EXPECT_EQ(ex->cycles(), 80u);  // one clra, then the rest of the program
  charge("somme.s19");
  EXPECT_EQ(ex->cycles(), 0u);
  EXPECT_STREQ(ex->compteur->label(), "Cycles : 0 (0 \xC2\xB5s)");
}

TEST_F(Execution, LeCompteurOccupeUnePlaceLibre) {
  const Fl_Box *c = ex->compteur;
  ASSERT_NE(c, nullptr);
  EXPECT_EQ(c->parent(), f->fenetre);
  EXPECT_TRUE(c->visible());
  // Between the menu bar (y < 40) and the register frame (y >= 60), right
  // of the panel's title (x < 210).
  EXPECT_GE(c->x(), 210);
  EXPECT_GE(c->y(), 40);
  EXPECT_LE(c->y() + c->h(), 60);
  EXPECT_LE(c->x() + c->w(), 645);
  // The breakpoint dots stay in the disassembly area's margin.
  for (const Fl_Box *p : ex->points_lignes) {
    EXPECT_GT(p->x(), 30);
    EXPECT_LE(p->x() + p->w(), 40);
  }
}

TEST_F(Execution, UneEntreeDuPortEPendantLaMarcheAtteintLeProgramme) {
  charge("entrees_port_e.s19");
  active(f->bouton_fleche);
  laisse_tourner(0.1);
  ASSERT_TRUE(ex->en_marche());
  EXPECT_EQ(sim->memoire.read_byte(0x1004), 0x00);
  active(sim->port_E.boutons[2]);
  laisse_tourner(0.1);
  EXPECT_TRUE(ex->en_marche());
  EXPECT_EQ(sim->memoire.read_byte(0x100A), 0x04);
  EXPECT_EQ(sim->memoire.read_byte(0x1004), 0x04);  // copied to port B
  EXPECT_EQ(sim->memoire.read_byte(0x1003), 0xFB);  // complement on port C
  active(f->bouton_carre);
  EXPECT_EQ(sim->port_B.valeur, 0x04);
  EXPECT_STREQ(sim->port_B.aff_valeur->label(), "00000100");
  EXPECT_EQ(sim->port_C.valeur, 0xFB);
}

// An alert observer that, like the real modal alert, lets the event loop
// (and the run) go on until the program has written port B.
simulateur *sim_en_alerte = nullptr;
void alerte_pendant_la_marche(const char *, const char *, const char *, int) {
  const auto debut = std::chrono::steady_clock::now();
  while (sim_en_alerte->memoire.read_byte(0x1004) != 0x55 &&
         std::chrono::duration<double>(std::chrono::steady_clock::now() - debut)
                 .count() < 5)
    Fl::wait(0.001);
}

TEST_F(Execution, UneSortieEcritePendantUneAlerteNEstPasPerdue) {
  charge(assemble("sortie_pendant_alerte", R"(
        .text
_start: ldaa #0x55
        staa 0x1004
boucle: inca
        bra boucle
)"));
  active(f->bouton_fleche);
  ASSERT_TRUE(ex->en_marche());
  sim_en_alerte = sim;
  simulateur::alerte = alerte_pendant_la_marche;
  tape(f->saisie_adresse, "zz");  // the fill's alert, shown during the run
  active(f->bouton_remplir);
  observe_dialogues();
  ASSERT_TRUE(ex->en_marche());
  // The port step of that pass kept what the program wrote to port B.
  EXPECT_EQ(sim->memoire.read_byte(0x1004), 0x55);
  active(f->bouton_carre);
  EXPECT_EQ(sim->port_B.valeur, 0x55);
  EXPECT_STREQ(sim->port_B.aff_valeur->label(), "01010101");
}

// A program that waits for a port E button with BRCLR on itself keeps
// running until the user presses it; the BRA * after it ends the run.
TEST_F(Execution, UneAttenteDeBoutonParBrclrNArretePasLaMarche) {
  charge(assemble("attente_bouton", R"(
        .text
_start: ldx #0x1000
attend: brclr 0x0a,x,#0x01,attend
        ldaa #0x42
        staa 0x04,x
fin:    bra fin
)"));
  active(f->bouton_fleche);
  laisse_tourner(0.1);
  ASSERT_TRUE(ex->en_marche()) << "stopped on the BRCLR waiting for PE0";
  EXPECT_EQ(sim->processeur.PC, 0xB603);
  active(sim->port_E.boutons[0]);
  ASSERT_TRUE(attend_arret());
  EXPECT_EQ(ex->derniere_raison(), raison_arret::boucle_sur_place);
  EXPECT_EQ(sim->processeur.PC, 0xB60B);
  EXPECT_EQ(sim->memoire.read_byte(0x1004), 0x42);
}

TEST_F(Execution, PendantLaMarcheLesChampsNeSontPasRelus) {
  charge("chenillard.s19");  // never touches X
  active(f->bouton_fleche);
  laisse_tourner(0.05);
  f->saisie_X->value("1234");
  active(f->dump_bas);
  laisse_tourner(0.05);
  active(f->bouton_carre);
  EXPECT_NE(sim->processeur.X, 0x1234);
  EXPECT_EQ(std::string(f->saisie_X->value()), hex16(sim->processeur.X));
}

TEST_F(Execution, PasEtResetArretentDAbord) {
  charge("chenillard.s19");
  active(f->bouton_fleche);
  laisse_tourner(0.05);
  active(f->bouton_pas);
  EXPECT_FALSE(ex->en_marche());
  const unsigned long long apres_pas = ex->instructions();
  laisse_tourner(0.05);
  EXPECT_EQ(ex->instructions(), apres_pas);
  active(f->bouton_fleche);
  laisse_tourner(0.05);
  active(f->bouton_init);
  EXPECT_FALSE(ex->en_marche());
  EXPECT_EQ(sim->processeur.PC, 0xB600);
  EXPECT_EQ(ex->cycles(), 0u);
}

TEST_F(Execution, QuitterPendantLaMarcheTermine) {
  charge("chenillard.s19");
  active(f->bouton_fleche);
  laisse_tourner(0.05);
  EXPECT_EQ(active(f->fenetre), 1);  // the window closed: the loop ends
  EXPECT_FALSE(ex->en_marche());
}

}  // namespace
