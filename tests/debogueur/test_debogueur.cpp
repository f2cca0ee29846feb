// The debugger's core: the expression language (values, precedence, errors
// with their column), and the stops and steps of debogueur/points.h on one
// program assembled by the project's assembler and run on the E9 model.
#include <gtest/gtest.h>

#include <cstring>
#include <functional>

#include "assembleur/assembleur.h"
#include "debogueur/pile_appels.h"
#include "debogueur/points.h"
#include "debogueur/sauvegarde.h"
#include "puce/historique.h"
#include "puce/interruptions.h"

namespace {

struct CasValeur {
  const char* texte;
  int64_t valeur;
};

// A=$12 B=$34 X=$1000 Y=$0002 SP=$00f0 CCR=$c5 (S X N... see below),
// [$40]=$55 [$41]=$aa [$55]=$07; a label "table" = $40.
const CasValeur valeurs[] = {
    {"A", 0x12},
    {"d", 0x1234},
    {"X + Y", 0x1002},
    {"SP", 0xf0},
    {"CCR", 0xc5},
    {"C", 1},
    {"Z", 1},
    {"N", 0},
    {"CCR.X", 1},
    {"[$40]", 0x55},
    {"[[$40]]", 0x55aa},
    {"[ [$40] ]", 7},
    {"[table+1]", 0xaa},
    {"%1010 | 0x5", 15},
    {"'A'", 65},
    {"1 + 2 * 3", 7},
    {"(1 + 2) * 3", 9},
    {"10 - 4 - 3", 3},
    {"1 << 4 + 1", 32},
    {"6 & 3 == 3", 0},
    {"6 & 3 ^ 1", 3},
    {"1 | 2 ^ 3", 1},
    {"!A", 0},
    {"~0", -1},
    {"-A + 1", -0x11},
    {"7 / 2 % 2", 1},
    {"5 / 0", 0},
    {"A == $12 && B != 0", 1},
    {"A == 1 || [$41] > $a9", 1},
    {"0 && [$40]", 0},
    {"3 || 0", 1},
    {"A >= $12 < 2", 1},
    {"B <= $33", 0},
    {"1 << 64", 0},
    {"cycles", 1234},
    {"instructions", 56},
};

struct CasErreur {
  const char* texte;
  const char* erreur;
};

const CasErreur erreurs[] = {
    {"", "colonne 1 : expression vide"},
    {"(A + 1", "colonne 7 : « ) » attendu"},
    {"[$40", "colonne 5 : « ] » attendu"},
    {"[[$40]", "colonne 6 : « ]] » attendu"},
    {"A +", "colonne 4 : opérande attendu"},
    {"A B", "colonne 3 : opérateur attendu avant « B »"},
    {"$4g", "colonne 3 : nombre mal formé"},
    {"boucle == 2", "colonne 1 : nom inconnu : boucle"},
    {"valeur == 2", "colonne 1 : « valeur » ne vaut que"},
    {"A # 2", "colonne 3 : opérateur attendu avant « # »"},
    {"A\n== 1", "colonne 2 : opérateur attendu avant « \\x0a »"},
    {"A é", "colonne 3 : opérateur attendu avant « é »"},
    {"99999999999999999999", "colonne 1 : nombre trop grand"},
    {"'A", "colonne 1 : caractère mal formé"},
    {"((((((((((((((((((((((((((((((((((1))))))))))))))))))))))))))))))))))",
     "trop imbriquée"},
};

class Expressions : public ::testing::Test {
 protected:
  machine m;
  infos_debogage infos;
  void SetUp() override {
    m.cpu.A = 0x12;
    m.cpu.B = 0x34;
    m.cpu.X = 0x1000;
    m.cpu.Y = 2;
    m.cpu.SP = 0xf0;
    m.cpu.CCR = 0xc5;
    m.ecrit_octet(0x40, 0x55);
    m.ecrit_octet(0x41, 0xaa);
    m.ecrit_octet(0x55, 7);
    m.cycles = 1234;
    m.instructions = 56;
    infos.ajoute_symbole({"table", 0x40, true});
    infos.termine();
  }
};

TEST_F(Expressions, Valeurs) {
  for (const CasValeur& c : valeurs) {
    expression e;
    std::string erreur;
    ASSERT_TRUE(e.compile(c.texte, &infos, erreur))
        << c.texte << ": " << erreur;
    EXPECT_EQ(e.evalue(m), c.valeur) << c.texte;
  }
}

TEST_F(Expressions, Erreurs) {
  for (const CasErreur& c : erreurs) {
    expression e;
    std::string erreur;
    EXPECT_FALSE(e.compile(c.texte, &infos, erreur)) << c.texte;
    EXPECT_NE(erreur.find(c.erreur), std::string::npos)
        << c.texte << " -> " << erreur;
  }
}

// ------------------------------------------------------------ stops

// IRQ on falling edges (OPTION's IRQE), unmasked; fact recurses while
// A > 0 (INC $40 on the way down, INCA on the way up); sousp pushes A and
// takes an SWI; the end stores into the EEPROM outside
// a programming sequence (refused) and toggles PB0.
const char programme[] = R"(
        ORG  $B600
debut   LDS  #$00FF
        LDAA #$30
        STAA $1039
        CLI
        CLR  $40
        LDAA #3
appel1  JSR  fact
apres   STAA $41
lit     LDAB $40
appel2  JSR  sousp
retour  LDAB #1
        STAB $1004
refuse  STAA $B7F0
fin     BRA  fin
fact    TSTA
        BEQ  finf
        INC  $40
moins   DECA
interne JSR  fact
rfact   INCA
finf    RTS
sousp   PSHA
lswi    SWI
aswi    LDAA #$FF
ici     PULA
        RTS
hswi    INC  $42
        RTI
hirq    INC  $43
        RTI
        ORG  $FFF2
        FDB  hirq
        ORG  $FFF6
        FDB  hswi
)";

struct Banc {
  machine m{modele_machine::e9};
  resultat_asm r;
  debogueur d;
  Banc() {
    r = assemble_motorola("prog.asm",
                          [](const std::string&, std::string& c, std::string&) {
                            c = programme;
                            return true;
                          });
    EXPECT_TRUE(r.reussi());
    for (const bloc_octets& b : r.blocs)
      for (std::size_t i = 0; i < b.octets.size(); ++i)
        m.ecrit_octet(static_cast<unsigned short>(b.adresse + i), b.octets[i]);
    m.reset();
    m.cpu.PC = 0xB600;
    d.infos = &r.infos;
  }
  unsigned short adr(const char* nom) const {
    const symbole* s = r.infos.cherche(nom);
    EXPECT_NE(s, nullptr) << nom;
    return s ? s->valeur : 0;
  }
  // A run with the debugger; its stop.
  arret_machine execute() {
    conditions_arret c;
    c.max_pas = m.instructions + 10000;
    session_debogage s(d, m, c);
    return s.conclut(m.execute(c));
  }
  // Runs to the n-th arrival at `nom` with a plain breakpoint.
  void va(const char* nom, int n = 1) {
    static unsigned char arrets[0x10000];
    std::memset(arrets, 0, sizeof arrets);
    arrets[adr(nom)] = 1;
    conditions_arret c;
    c.points_arret = arrets;
    c.max_pas = m.instructions + 10000;
    for (int i = 0; i < n; ++i) {
      ASSERT_EQ(m.execute(c), arret_machine::point_arret);
    }
  }
  void point(const char* lieu, const char* condition = "",
             uint64_t a_partir_de = 0) {
    point_debogage p;
    p.lieu = lieu;
    p.adresse = adr(lieu);
    p.a_partir_de = a_partir_de;
    std::string e;
    if (*condition) {
      EXPECT_TRUE(p.condition.compile(condition, &r.infos, e)) << e;
    }
    d.points.push_back(std::move(p));
  }
  void surveille(unsigned debut, unsigned fin, bool lecture,
                 const char* condition = "") {
    point_debogage p;
    p.type = point_debogage::sorte::surveillance;
    p.adresse = static_cast<unsigned short>(debut);
    p.fin = static_cast<unsigned short>(fin);
    p.lecture = lecture;
    p.ecriture = !lecture;
    std::string e;
    if (*condition) {
      EXPECT_TRUE(p.condition.compile(condition, &r.infos, e, true)) << e;
    }
    d.points.push_back(std::move(p));
  }
  void evenement(point_debogage::evenement quoi, int numero = -1,
                 uint64_t cycle = 0) {
    point_debogage p;
    p.type = point_debogage::sorte::evenement;
    p.quoi = quoi;
    p.numero = numero;
    p.cycle = cycle;
    d.points.push_back(std::move(p));
  }
};

using ev = point_debogage::evenement;

struct CasArret {
  const char* nom;
  void (*prepare)(Banc&);
  arret_machine arret;
  const char* pc;      // label where PC stops ("": not checked)
  int a;               // A then (-1: not checked)
  unsigned sp;         // SP then (0: not checked)
  const char* raison;  // the start of debogueur::raison
};

using am = arret_machine;

const CasArret cas_arrets[] = {
    {"par-dessus l'appel",
     [](Banc& b) { b.va("appel1"), b.d.prepare_par_dessus(b.m); },
     am::condition, "apres", 3, 0xff, ""},
    {"par-dessus un appel récursif",
     [](Banc& b) { b.va("interne"), b.d.prepare_par_dessus(b.m); },
     am::condition, "rfact", 2, 0xfd, ""},
    {"par-dessus un appel où entre une interruption",
     [](Banc& b) { b.va("appel2"), b.d.prepare_par_dessus(b.m); },
     am::condition, "retour", 3, 0xff, ""},
    {"par-dessus un appel où entre une IRQ",
     [](Banc& b) {
       b.va("appel2");
       const uint64_t t = b.m.cycles;
       b.m.planifie_broche({t + 8, broche_irq, 0});
       b.m.planifie_broche({t + 30, broche_irq, 1});
       b.d.prepare_par_dessus(b.m);
     },
     am::condition, "retour", 3, 0xff, ""},
    {"IRQ prise pendant un appel",
     [](Banc& b) {
       b.va("appel2");
       b.m.planifie_broche({b.m.cycles + 8, broche_irq, 0});
       b.evenement(ev::interruption, vecteurs_it[1]);
     },
     am::evenement, "hirq", 3, 0xf3, "interruption IRQ"},
    {"sortie d'une routine qui a empilé",
     [](Banc& b) { b.va("ici"), b.d.prepare_sortie(b.m); }, am::condition,
     "retour", 3, 0xff, ""},
    {"sortie d'un gestionnaire",
     [](Banc& b) { b.va("hswi"), b.d.prepare_sortie(b.m); }, am::condition,
     "aswi", 3, 0xfc, ""},
    {"sortie de l'appel le plus profond",
     [](Banc& b) { b.va("finf"), b.d.prepare_sortie(b.m); }, am::condition,
     "rfact", 0, 0xf9, ""},
    {"jusqu'ici", [](Banc& b) { b.d.prepare_jusqua(b.adr("rfact")); },
     am::point_arret, "rfact", 0, 0xf9, "exécution jusqu'à $b6"},
    {"condition", [](Banc& b) { b.point("rfact", "A == 1"); }, am::point_arret,
     "rfact", 1, 0xfb, "point d'arrêt 1 : rfact si A == 1"},
    {"troisième passage", [](Banc& b) { b.point("fact", "", 3); },
     am::point_arret, "fact", 1, 0xf9, "point d'arrêt 1 : fact (passage 3)"},
    {"condition globale",
     [](Banc& b) {
       std::string e;
       b.d.condition_globale.compile("[$40] == 2", nullptr, e);
     },
     am::condition, "moins", 2, 0, "condition vraie : [$40] == 2"},
    {"écriture d'une plage, valeur",
     [](Banc& b) {
       b.surveille(0x40, 0x41, false, "valeur == 2 && avant == 1");
     },
     am::surveillance, "moins", 2, 0,
     "écriture de $0040 : $01 -> $02 par l'instruction en $b6"},
    {"écriture par l'empilement de SWI",
     [](Banc& b) { b.surveille(0xf5, 0xf5, false); }, am::surveillance, "hswi",
     3, 0xf3, "écriture de $00f5"},
    {"lecture, valeur",
     [](Banc& b) { b.surveille(0x40, 0x40, true, "valeur == 3"); },
     am::surveillance, "appel2", 3, 0xff, "lecture de $0040 : $03 par"},
    {"interruption SWI",
     [](Banc& b) { b.evenement(ev::interruption, vecteur_swi); }, am::evenement,
     "hswi", 3, 0xf3, "interruption SWI"},
    {"autre interruption seulement",
     [](Banc& b) { b.evenement(ev::interruption, vecteurs_it[0]); }, am::boucle,
     "fin", -1, 0xff, ""},
    {"accès refusé", [](Banc& b) { b.evenement(ev::refus); }, am::evenement,
     "fin", -1, 0xff, "accès refusé à $b7f0"},
    {"broche PB0", [](Banc& b) { b.evenement(ev::broche, broche_pb0); },
     am::evenement, "refuse", -1, 0xff, "broche PB0 à 1"},
    {"cycle", [](Banc& b) { b.evenement(ev::cycle, -1, 20); }, am::evenement,
     "", -1, 0, "cycle 2"},
    {"point désactivé",
     [](Banc& b) { b.point("fact"), b.d.points[0].actif = false; }, am::boucle,
     "fin", -1, 0xff, ""},
};

TEST(Arrets, Table) {
  for (const CasArret& c : cas_arrets) {
    SCOPED_TRACE(c.nom);
    Banc b;
    c.prepare(b);
    EXPECT_EQ(b.execute(), c.arret);
    if (*c.pc) {
      EXPECT_EQ(b.m.cpu.PC, b.adr(c.pc));
    }
    if (c.a >= 0) {
      EXPECT_EQ(b.m.cpu.A, c.a);
    }
    if (c.sp) {
      EXPECT_EQ(b.m.cpu.SP, c.sp);
    }
    EXPECT_EQ(b.d.raison.rfind(c.raison, 0), 0u) << b.d.raison;
    EXPECT_EQ(b.d.but, debogueur::intention::aucune);
    // The session took its marks back.
    for (unsigned a = 0; a < 0x10000; ++a) {
      ASSERT_EQ(b.m.memoire.cellules[a] & (mem_64k::marque_surveillance |
                                           mem_64k::marque_lecture_surveillee),
                0);
    }
  }
}

// A tracepoint logs a line at each pass and never stops; the cycle event's
// stop is at the first instruction boundary at or past its cycle.
TEST(Arrets, TraceEtCycle) {
  Banc b;
  b.point("fact");
  b.d.points[0].trace = true;
  b.d.points[0].message = "A={A} [$40]={[$40]}";
  EXPECT_EQ(b.execute(), arret_machine::boucle);
  EXPECT_EQ(b.d.traces,
            (std::vector<std::string>{"A=$03 [$40]=$00", "A=$02 [$40]=$01",
                                      "A=$01 [$40]=$02", "A=$00 [$40]=$03"}));
  EXPECT_EQ(b.d.points[0].coups, 4u);
  Banc c;
  c.evenement(ev::cycle, -1, 20);
  c.execute();
  EXPECT_GE(c.m.cycles, 20u);
  EXPECT_LT(c.m.cycles, 27u);
}

// ------------------------------------------------------------ call stack

struct CasPile {
  const char* lieu;
  int arrivee;
  const char* chaine;  // "call>entry" of each frame, outermost first
};

const CasPile piles[] = {
    {"finf", 1, "appel1>fact interne>fact interne>fact interne>fact"},
    {"rfact", 1, "appel1>fact interne>fact interne>fact"},
    {"rfact", 3, "appel1>fact"},
    {"hswi", 1, "appel2>sousp lswi>hswi"},
    {"ici", 1, "appel2>sousp"},
    {"fin", 1, ""},
};

std::string chaine(const pile_appels& p, const infos_debogage& infos) {
  std::string t;
  for (const cadre_appel& c : p.cadres)
    t += (t.empty() ? "" : " ") + infos.nom_a(c.appel, true) + ">" +
         infos.nom_a(c.entree, true);
  return t;
}

// Runs to the n-th arrival at `lieu` through the history.
void va_par_historique(Banc& b, historique& h, const char* lieu, int n) {
  static unsigned char arrets[0x10000];
  std::memset(arrets, 0, sizeof arrets);
  arrets[b.adr(lieu)] = 1;
  conditions_arret c;
  c.points_arret = arrets;
  c.max_pas = 10000;
  for (int i = 0; i < n; ++i) h.execute(c);
}

TEST(Pile, Reconstruite) {
  for (const CasPile& c : piles) {
    SCOPED_TRACE(std::string(c.lieu) + " " + std::to_string(c.arrivee));
    Banc b;
    historique h(b.m);
    h.fixe_intervalle(4);  // several snapshots, replays from the first
    h.demarre();
    va_par_historique(b, h, c.lieu, c.arrivee);
    const historique::image avant = historique::prend_image(b.m);
    pile_appels p;
    ASSERT_TRUE(p.reconstruit(h));
    EXPECT_TRUE(p.complet);
    EXPECT_EQ(chaine(p, b.r.infos), c.chaine);
    // The replay leaves the machine where it was.
    EXPECT_EQ(historique::prend_image(b.m).cellules, avant.cellules);
    EXPECT_EQ(b.m.instructions, avant.etat.instructions);
    EXPECT_EQ(b.m.cpu.PC, avant.etat.PC);
  }
}

TEST(Pile, EnArriere) {
  const struct {
    const char* lieu;
    bool (*retour)(historique&);
    const char* pc;  // where it lands
  } cas[] = {
      {"hswi", retour_point_appel, "lswi"},
      {"ici", retour_point_appel, "appel2"},
      {"finf", retour_point_appel, "interne"},
      {"retour", pas_arriere_par_dessus, "appel2"},
      {"apres", pas_arriere_par_dessus, "appel1"},
      {"appel2", pas_arriere_par_dessus, "lit"},
  };
  for (const auto& c : cas) {
    SCOPED_TRACE(c.lieu);
    Banc b;
    historique h(b.m);
    h.demarre();
    va_par_historique(b, h, c.lieu, 1);
    ASSERT_TRUE(c.retour(h));
    EXPECT_EQ(b.m.cpu.PC, b.adr(c.pc));
  }
  Banc b;
  historique h(b.m);
  h.demarre();
  EXPECT_FALSE(retour_point_appel(h));  // at the start: no call
}

// ------------------------------------------------------------ save format

TEST(Sauvegarde, AllerRetourEtCorrespondances) {
  Banc b;
  std::vector<std::string> avis;
  // Saved by an older build: rfact then at $b700, line 17 of prog.asm
  // (fact's TSTA), a condition on a label since removed.
  const std::string texte =
      "programme=/x/prog.asm\n"
      "instruction\t1\tb700\trfact\t\t3\t0\tA == 1\t\n"
      "instruction\t1\tb701\t\tprog.asm:17\t0\t1\t\tA={A}\n"
      "instruction\t1\tb702\t\t\t0\t0\tdisparu == 2\t\n"
      "surveillance\t0\t0040\t0043\trw\t0\t0\tvaleur > 9\t\n"
      "evenement\t1\tinterruption\tfff6\t0\t2\t0\t\t\n"
      "evenement\t1\tcycle\t-1\t500\t0\t0\t\t\n"
      "simple\t1\tb703\tfinf\t\t0\t0\t\t\n";
  ASSERT_TRUE(lit_points(texte, &b.r.infos, b.d, avis));
  ASSERT_EQ(b.d.points.size(), 6u);
  const auto& p = b.d.points;
  EXPECT_EQ(p[0].adresse, b.adr("rfact"));
  EXPECT_EQ(p[1].adresse, b.adr("fact"));
  EXPECT_EQ(p[2].adresse, 0xb702);
  EXPECT_FALSE(p[2].actif);
  ASSERT_EQ(avis.size(), 1u);
  EXPECT_NE(avis[0].find("nom inconnu : disparu"), std::string::npos);
  EXPECT_EQ(description(p[3]), "accès $0040-$0043");
  EXPECT_EQ(description(p[4]), "interruption SWI");
  EXPECT_EQ(description(p[5]), "cycle 500");
  EXPECT_EQ(b.d.simples, std::vector<unsigned short>{b.adr("finf")});
  // Written again, read again: the same text (the lost condition aside).
  const std::string ecrit = texte_points("/x/prog.asm", b.d, &b.r.infos);
  debogueur d2;
  ASSERT_TRUE(lit_points(ecrit, &b.r.infos, d2, avis));
  EXPECT_EQ(texte_points("/x/prog.asm", d2, &b.r.infos), ecrit);
  // Damaged texts are refused whole.
  for (const char* faux :
       {"", "instruction\t1\n",
        "programme=x\ninstruction\t2\tb600\t\t\t0\t0\t\t\n",
        "programme=x\nsurveillance\t1\t0043\t0040\tw\t0\t0\t\t\n",
        "programme=x\nevenement\t1\tpluie\t-1\t0\t0\t0\t\t\n"})
    EXPECT_FALSE(lit_points(faux, nullptr, d2, avis)) << faux;
}

}  // namespace
