// The debugger in the window: step over and out, run to here from the
// disassembly's context menu and F4, the "Points d'arrêt" window (a
// condition, a watchpoint, an error shown as it is typed), the "Pile
// d'appels" window, back to the call, and the points kept with the
// program across "Recharger".
#include <FL/Fl.H>
#include <FL/Fl_Browser.H>
#include <FL/Fl_Button.H>
#include <FL/Fl_Check_Button.H>
#include <FL/Fl_Choice.H>
#include <FL/Fl_Double_Window.H>
#include <FL/Fl_Hold_Browser.H>
#include <FL/Fl_Input.H>

#include "debogueur/sauvegarde.h"
#include "tests/gui/banc_gui.h"
#include "ui/fenetres_debogueur.h"
#include "ui/fenetres_source.h"
#include "ui/qui_a_change.h"

namespace {

// fact recurses while A > 0: INC $40 going down, INCA coming back.
const char source[] = R"(        ORG  $B600
debut   LDS  #$00FF
        CLR  $40
        LDAA #3
appel1  JSR  fact
apres   STAA $41
fin     BRA  fin
fact    TSTA
        BEQ  finf
        INC  $40
moins   DECA
interne JSR  fact
rfact   INCA
finf    RTS
)";

unsigned short adr(simulateur& sim, const char* nom) {
  const symbole* s = sim.debogueur.infos().cherche(nom);
  EXPECT_NE(s, nullptr) << nom;
  return s ? s->valeur : 0;
}

void attend_fin(simulateur& sim) {
  for (int i = 0; i < 1000 && sim.controle_execution.en_marche(); ++i)
    sim.controle_execution.tranche(0.01);
  EXPECT_FALSE(sim.controle_execution.en_marche());
}

void va(simulateur& sim, const char* nom) {
  sim.execute_jusqua(adr(sim, nom));
  attend_fin(sim);
}

int choix_contextuel = -1;
std::vector<std::string> articles_vus;
int contextuel_observe(const char* const* articles, int nombre) {
  articles_vus.assign(articles, articles + nombre);
  return choix_contextuel;
}

// A right click over the disassembly line that shows `adresse`.
void clic_droit_sur(simulateur& sim, unsigned short adresse) {
  sim.montre_desassemblage(adresse);
  Fl_Widget* ligne = sim.lignes_desa[0];
  simulateur::x_clic_droit = ligne->x() + 5;
  simulateur::y_clic_droit = ligne->y() + ligne->h() / 2;
  active(sim, sim.demande_qui);
}

void ajoute_point(simulateur& sim, int sorte, const char* lieu,
                  const char* condition) {
  sim.montre_points();
  points_arret_class& f = *sim.forme_points;
  f.sorte->value(sorte);
  tape(f.lieu, lieu);
  tape(f.condition, condition);
  active(sim, f.bouton_ajouter);
}

struct CasGui {
  const char* nom;
  void (*agit)(simulateur&);
  const char* pc;    // label where PC is afterwards
  int a;             // A then (-1: not checked)
  const char* etat;  // part of the state line ("": not checked)
};

const CasGui cas[] = {
    {"pas principal sur un appel récursif",
     [](simulateur& s) {
       va(s, "interne"), active(s, s.bouton_par_dessus), attend_fin(s);
     },
     "rfact", 2, ""},
    {"pas principal sur une autre instruction : un pas",
     [](simulateur& s) { active(s, s.bouton_par_dessus); }, "", -1, ""},
    {"pas de sortie de l'appel le plus profond",
     [](simulateur& s) {
       va(s, "finf"), active(s, s.bouton_sortie), attend_fin(s);
     },
     "rfact", 0, ""},
    {"exécuter jusqu'ici, menu contextuel du désassemblage",
     [](simulateur& s) {
       choix_contextuel = 0;
       clic_droit_sur(s, adr(s, "moins"));
       attend_fin(s);
       EXPECT_EQ(articles_vus.front(), "Exécuter jusqu'ici");
     },
     "moins", 3, ""},
    {"exécuter jusqu'ici, menu contextuel du source",
     [](simulateur& s) {
       choix_contextuel = 0;
       Fl_Browser* lignes = s.debogueur.source->lignes;
       lignes->value(13);  // rfact INCA
       Fl::e_keysym = FL_Button + FL_RIGHT_MOUSE;
       active(s, lignes);
       Fl::e_keysym = 0;
       attend_fin(s);
     },
     "rfact", 0, ""},
    {"point d'arrêt ici, menu contextuel",
     [](simulateur& s) {
       choix_contextuel = 1;
       clic_droit_sur(s, adr(s, "rfact"));
       // Listed with the others, after them.
       s.montre_points();
       EXPECT_NE(std::string(s.forme_points->liste->text(1)).find("rfact"),
                 std::string::npos);
       active(s, s.forme_sim->bouton_fleche);
       attend_fin(s);
     },
     "rfact", 0, "Arrêt au point d'arrêt"},
    {"point d'arrêt conditionnel de la fenêtre",
     [](simulateur& s) {
       ajoute_point(s, 0, "rfact", "A == 1");
       active(s, s.forme_sim->bouton_fleche);
       attend_fin(s);
     },
     "rfact", 1, "Arrêt : point d'arrêt 1 : rfact si A == 1."},
    {"écriture surveillée avec condition",
     [](simulateur& s) {
       ajoute_point(s, 1, "$40", "valeur == 2");
       active(s, s.forme_sim->bouton_fleche);
       attend_fin(s);
       EXPECT_TRUE(s.forme_points->bouton_qui->active());
       // Who wrote it: the INC of the second pass.
       active(s, s.forme_points->bouton_qui);
       EXPECT_NE(texte(s.forme_qui->titre).find("$0040"), std::string::npos);
       EXPECT_EQ(s.changements_vus.front().adresse, adr(s, "moins") - 3);
     },
     "moins", 2, "Arrêt : écriture de $0040 : $01 -> $02 par l'instruction"},
    {"retour au point d'appel",
     [](simulateur& s) { va(s, "finf"), active(s, s.bouton_retour_appel); },
     "interne", 0, ""},
};

class Debogueur : public GuiTest {
 protected:
  std::string chemin;
  void SetUp() override {
    GuiTest::SetUp();
    simulateur::menu_contextuel = contextuel_observe;
    chemin = fichier_temporaire("deboguer.asm", source);
    std::remove(chemin_points(chemin).c_str());
    ASSERT_EQ(1, sim->charge_programme(chemin.c_str()));
  }
};

TEST_F(Debogueur, Table) {
  for (const CasGui& c : cas) {
    SCOPED_TRACE(c.nom);
    SetUp();
    const uint64_t avant = sim->simulation.instructions;
    c.agit(*sim);
    if (*c.pc) {
      EXPECT_EQ(sim->processeur.PC, adr(*sim, c.pc));
    }
    if (!*c.pc) {
      EXPECT_EQ(sim->simulation.instructions, avant + 1);
    }
    if (c.a >= 0) {
      EXPECT_EQ(sim->processeur.A, c.a);
    }
    const std::string etat = texte(sim->ligne_etat);
    EXPECT_NE(etat.find(c.etat), std::string::npos) << etat;
  }
}

TEST_F(Debogueur, ErreurImmediateEtSauvegarde) {
  sim->montre_points();
  points_arret_class& f = *sim->forme_points;
  EXPECT_TRUE(f.fenetre->shown());
  EXPECT_FALSE(f.fenetre->modal());
  f.sorte->value(0);
  tape(f.lieu, "rfact");
  tape(f.condition, "A ==");
  active(*sim, f.condition);
  EXPECT_EQ(texte(f.erreur), "Condition : colonne 5 : opérande attendu");
  active(*sim, f.bouton_ajouter);
  EXPECT_TRUE(sim->outils_debogage.points.empty());
  tape(f.condition, "A == 1");
  active(*sim, f.condition);
  EXPECT_EQ(texte(f.erreur), "");
  active(*sim, f.bouton_ajouter);
  ASSERT_EQ(f.liste->size(), 1);
  // "Recharger" keeps it; opening the program again reads it back.
  ASSERT_EQ(1, sim->charge_programme(chemin.c_str()));
  ASSERT_EQ(sim->outils_debogage.points.size(), 1u);
  EXPECT_EQ(sim->outils_debogage.points[0].condition.texte(), "A == 1");
  // A plain breakpoint (the context menu's "Point d'arrêt ici") too.
  choix_contextuel = 1;
  clic_droit_sur(*sim, adr(*sim, "finf"));
  sim->debogueur.oublie();
  sim->controle_execution.efface_points_arret();
  sim->outils_debogage = ::debogueur();
  sim->outils_debogage.infos = &sim->debogueur.infos();
  ASSERT_EQ(1, sim->charge_programme(chemin.c_str()));
  ASSERT_EQ(sim->outils_debogage.points.size(), 1u);
  EXPECT_EQ(sim->outils_debogage.points[0].adresse, adr(*sim, "rfact"));
  EXPECT_TRUE(sim->controle_execution.point_arret(adr(*sim, "finf")));
  active(*sim, f.bouton_fermer);
  EXPECT_FALSE(f.fenetre->shown());
}

TEST_F(Debogueur, PileDAppels) {
  va(*sim, "finf");
  sim->montre_pile();
  pile_appels_class& p = *sim->forme_pile;
  EXPECT_FALSE(p.fenetre->modal());
  ASSERT_EQ(p.liste->size(), 4);
  EXPECT_EQ(std::string(p.liste->text(1)).rfind("interne -> fact", 0), 0u)
      << p.liste->text(1);
  EXPECT_EQ(std::string(p.liste->text(4)).rfind("appel1 -> fact", 0), 0u);
  // A click shows the frame's code.
  p.liste->value(4);
  active(*sim, p.liste);
  EXPECT_EQ(sim->debut_desa, adr(*sim, "fact"));
  active(*sim, p.bouton_fermer);
}

}  // namespace
