// The board's components on a machine of the E9 model: the LCD on port C
// in 4 bits (nibble order, the busy flag read through the pins), the LCD
// on the bus, the keypad's ghosting, a contact's bounce with its seed, a
// wire, the potentiometer, the persistence of a multiplexed display, and
// the board's state going back with the machine's.
#include <gtest/gtest.h>

#include <vector>

#include "platine/afficheur.h"
#include "platine/clavier.h"
#include "puce/historique.h"
#include "tests/platine/banc_carte.h"

namespace {

constexpr unsigned short PORTA = 0x1000, PORTC = 0x1003, PORTB = 0x1004,
                         DDRC = 0x1007, PORTE = 0x100A, PACTL = 0x1026,
                         ADCTL = 0x1030, ADR1 = 0x1031, OPTION = 0x1039;

// The "lcd" preset: RS PC0, R/W PC1, E PC2, D4-D7 PC4-PC7.
struct banc_lcd : banc_carte {
  banc_lcd() : banc_carte("lcd") {
    ecrit(DDRC, 0xF7);
    attend(hd44780::duree_reset);
  }
  void quartet(bool rs, unsigned char q) {
    const auto v = static_cast<unsigned char>(q << 4 | (rs ? 1 : 0));
    ecrit(PORTC, v | 0x04);
    ecrit(PORTC, v);  // E falls
  }
  void octet(bool rs, unsigned char o) {
    quartet(rs, o >> 4);
    quartet(rs, o & 0x0F);
    attend(o == 0x01 ? 3040 : 74);
  }
  // The data sheet's 4-bit initialisation, then two lines, display on.
  void initialise() {
    for (unsigned char q : {0x3, 0x3, 0x3, 0x2}) {
      quartet(false, q);
      attend(74);
    }
    for (unsigned char i : {0x28, 0x0C, 0x01, 0x06}) octet(false, i);
  }
};

TEST(LcdOnPins, FourBitsHighNibbleFirst) {
  struct cas {
    const char* nom;
    std::vector<unsigned char> quartets;  // data, after the initialisation
    const char* ligne;
  } table[] = {
      {"high nibble first", {0x4, 0x2, 0x6, 0xF}, "Bo              "},
      {"low nibble first", {0x2, 0x4, 0xF, 0x6}, "$\\xf6              "},
      {"a nibble missing shifts what follows",
       {0x4, 0x4, 0x2, 0x6, 0xF},
       "D&              "},
  };
  for (const cas& c : table) {
    SCOPED_TRACE(c.nom);
    banc_lcd b;
    b.initialise();
    for (unsigned char q : c.quartets) {
      b.quartet(true, q);
      b.attend(74);
    }
    EXPECT_EQ("lcd: \"" + std::string(c.ligne) + "\" \"                \"",
              b.ligne(0));
  }
}

TEST(LcdOnPins, BusyFlagReadOnPc7WhileEIsHigh) {
  struct cas {
    uint64_t apres;  // cycles after the clear's falling edge
    int pc7;         // first nibble: BF
  } table[] = {{1, 1}, {3039, 1}, {3040, 0}, {5000, 0}};
  for (const cas& c : table) {
    SCOPED_TRACE(c.apres);
    banc_lcd b;
    b.initialise();
    b.quartet(false, 0x0);
    b.quartet(false, 0x1);  // clear display, taken now
    b.ecrit(DDRC, 0x07);    // D4-D7 read
    b.attend(c.apres);
    // E low: the lines float up to the controller's pull-ups.
    b.ecrit(PORTC, 0x02);
    EXPECT_EQ(0xF0, b.m.memoire.consulte(PORTC) & 0xF0);
    b.ecrit(PORTC, 0x06);  // R/W = 1, E = 1: BF and AC6-4
    EXPECT_EQ(c.pc7, b.m.memoire.consulte(PORTC) >> 7);
    EXPECT_EQ(0, (b.m.memoire.consulte(PORTC) >> 4) & 7);
    b.ecrit(PORTC, 0x02);
    b.ecrit(PORTC, 0x06);  // second nibble: AC3-0
    EXPECT_EQ(0, b.m.memoire.consulte(PORTC) >> 4);
    b.ecrit(PORTC, 0x02);
  }
}

TEST(LcdOnBus, ProgramPollingTheBusyFlag) {
  banc_carte b("lcd_bus");
  b.charge("lcd_bus", R"(
LCD_I = 0xb5f0
LCD_D = 0xb5f1
        .sect .text
        .globl _start
_start: lds #0x00ff
        ldx #init
1:      ldaa 0,x
        beq 2f
        bsr inst
        inx
        bra 1b
2:      ldaa #'B'
        bsr donnee
        ldaa #'u'
        bsr donnee
        ldaa #0x94            ; line 3
        bsr inst
        ldaa #'s'
        bsr donnee
        bra .
inst:   ldab LCD_I            ; BF in bit 7
        bmi inst
        staa LCD_I
        rts
donnee: ldab LCD_I
        bmi donnee
        staa LCD_D
        rts
init:   .byte 0x38, 0x0c, 0x01, 0x06, 0
)");
  EXPECT_EQ(arret_machine::boucle, b.execute(100000));
  EXPECT_EQ(
      "lcd: \"Bu                  \" \"                    \" "
      "\"s                   \" \"                    \"",
      b.ligne(0));
  EXPECT_EQ(0u, b.carte->lcd(0)->perdues);
  // A look at the instruction register reads BF and AC without effect.
  EXPECT_EQ(0x15, b.m.memoire.consulte(0xB5F0) & 0x7F);
  EXPECT_EQ(0x15, b.m.memoire.consulte(0xB5F0) & 0x7F);
}

TEST(Keypad, HeldKeysJoinRowsAndColumnsLowWins) {
  description_carte d;
  std::string erreur;
  ASSERT_TRUE(charge_carte("afficheurs", d, erreur)) << erreur;
  const composant_decrit& k = d.composants[1];
  const auto touches = [&](const char* t) {
    uint64_t v = 0;
    for (; *t; ++t) v |= uint64_t(1) << clavier::touche_de(k, *t);
    return v;
  };
  struct cas {
    const char* nom;
    const char* tenues;
    uint16_t pilotees, niveaux;  // rows bits 0-3, columns bits 8-11
    uint16_t colonnes;           // expected, bits 8-11
  } table[] = {
      {"no key", "", 0x000F, 0x000E, 0x0F00},
      {"5 held, its row low", "5", 0x000F, 0x000D, 0x0D00},
      {"5 held, another row low", "5", 0x000F, 0x000E, 0x0F00},
      {"1 2 4 held: 5 ghosts", "124", 0x000F, 0x000D, 0x0C00},
      {"1 2 4 held, row 3 low", "124", 0x000F, 0x000B, 0x0F00},
      {"1 and 4 held, their rows at 1 and 0", "14", 0x000F, 0x000E, 0x0E00},
      {"the reverse: columns driven, rows read", "5", 0x0F00, 0x0D00, 0x0D00},
  };
  for (const cas& c : table) {
    SCOPED_TRACE(c.nom);
    const uint16_t n =
        clavier::niveaux(k, touches(c.tenues), c.pilotees, c.niveaux);
    EXPECT_EQ(c.colonnes, n & 0x0F00);
  }
  // Driven the other way, the rows read the columns: row 1 (4 5 6 B) low.
  EXPECT_EQ(0x0D, clavier::niveaux(k, touches("5"), 0x0F00, 0x0D00) & 0x0F);
}

TEST(Keypad, AKeyPressedReachesPortE) {
  banc_carte b("afficheurs");
  b.ecrit(DDRC, 0xFF);
  b.ecrit(PORTC, 0xD0);  // row PC5 (4 5 6 B) low
  int composant = 0, element = 0;
  ASSERT_TRUE(b.carte->trouve("clavier:6", composant, element));
  EXPECT_EQ(0x0F, b.m.memoire.consulte(PORTE) & 0x0F);
  b.carte->agit(composant, element, true);
  EXPECT_EQ(0x0B, b.m.memoire.consulte(PORTE) & 0x0F);
  // The column's level went into the pin log with the press.
  EXPECT_EQ(broche_pe0 + 2, b.m.journal[b.m.journal.taille() - 1].broche);
  b.ecrit(PORTC, 0xB0);  // scanning on: another row
  EXPECT_EQ(0x0F, b.m.memoire.consulte(PORTE) & 0x0F);
  b.carte->agit(composant, element, false);
  b.ecrit(PORTC, 0xD0);
  EXPECT_EQ(0x0F, b.m.memoire.consulte(PORTE) & 0x0F);
}

// The levels PA0 took from cycle `depuis` on, with their cycles.
std::vector<std::pair<uint64_t, int>> changements_pa0(const machine& m,
                                                      uint64_t depuis) {
  std::vector<std::pair<uint64_t, int>> v;
  for (std::size_t i = 0; i < m.journal.taille(); ++i)
    if (m.journal[i].broche == broche_pa0 && m.journal[i].cycle >= depuis)
      v.push_back({m.journal[i].cycle, m.journal[i].niveau});
  return v;
}

TEST(Contact, BounceIsRandomButSeeded) {
  const auto bouton = [](int graine) {
    return "[[composant]]\ntype = \"bouton\"\nnom = \"B\"\nbroche = "
           "\"PA0\"\nrebond = 5\ngraine = " +
           std::to_string(graine) + "\n";
  };
  const auto presse = [&](int graine, bool relache_tot) {
    banc_carte b(bouton(graine));
    b.charge("boucle", "\t.globl _start\n_start:\tnop\n\tbra _start\n");
    b.execute(1000);
    const uint64_t appui = b.m.cycles;
    b.carte->agit(0, 0, true);
    if (relache_tot) {
      b.execute(2000);
      b.carte->agit(0, 0, false);
    }
    b.execute(30000);
    return changements_pa0(b.m, appui);
  };
  const auto a = presse(3, false), encore = presse(3, false),
             autre = presse(4, false), relache = presse(3, true);
  EXPECT_EQ(a, encore);
  EXPECT_NE(a, autre);
  // Several breaks within the 5 ms (10000 cycles), settled pressed at 0.
  ASSERT_GE(a.size(), 5u);
  EXPECT_EQ(0, a.front().second);
  EXPECT_EQ(0, a.back().second);
  EXPECT_LE(a.back().first, a.front().first + 10000);
  for (std::size_t i = 1; i < a.size(); ++i)
    EXPECT_NE(a[i].second, a[i - 1].second);
  // Released during the press's bounce: the press's own transitions stop,
  // and the button settles released.
  EXPECT_EQ(1, relache.back().second);
}

TEST(Wire, Oc5OnXirqFollowsAtTheSameCycle) {
  banc_carte b("evb");
  // PA3 is an input at reset: the line is pulled up.
  EXPECT_TRUE(b.m.niveau_broche(broche_xirq));
  EXPECT_FALSE(b.m.niveau_broche(broche_pe0));  // the jumper
  b.attend(100);
  b.ecrit(PACTL, 0x08);  // DDRA3: PA3 drives 0
  EXPECT_FALSE(b.m.niveau_broche(broche_xirq));
  const std::size_t n = b.m.journal.taille();
  EXPECT_EQ(broche_xirq, b.m.journal[n - 1].broche);
  EXPECT_EQ(b.m.journal[n - 2].cycle, b.m.journal[n - 1].cycle);
  EXPECT_NE(0u, b.m.demandes() & bit_it(it_xirq));
  b.ecrit(PORTA, 0x08);
  EXPECT_TRUE(b.m.niveau_broche(broche_xirq));
  EXPECT_EQ(0u, b.m.demandes() & bit_it(it_xirq));
}

TEST(Potentiometer, ItsVoltageIsTheConvertersInput) {
  struct cas {
    int32_t microvolts;
    int resultat;
  } table[] = {{0, 0}, {2500000, 128}, {4000000, 204}, {5000000, 255}};
  banc_carte b("leds");
  EXPECT_EQ(2500000, b.carte->tension(4));
  b.ecrit(OPTION, 0x80);  // ADPU
  for (const cas& c : table) {
    SCOPED_TRACE(c.microvolts);
    ASSERT_TRUE(b.carte->tourne(4, c.microvolts));
    int32_t t[can::nb_entrees];
    b.m.tensions(t);
    EXPECT_EQ(c.microvolts, t[7]);
    b.ecrit(ADCTL, 0x07);  // AN7, four times
    b.attend(200);
    EXPECT_EQ(c.resultat, b.lit(ADR1));
  }
  EXPECT_FALSE(b.carte->tourne(4, 5000001));
}

TEST(Display, ScannedAt100HzSteadyAt5HzFlickering) {
  // Segments of 1, 2, 3, 4 on port B; digit d selected by PC(3-d).
  const unsigned char motifs[4] = {0x06, 0x5B, 0x4F, 0x66};
  struct cas {
    const char* nom;
    uint64_t par_chiffre;  // cycles each digit is on
    bool stable;
  } table[] = {{"100 Hz", 5000, true}, {"5 Hz", 100000, false}};
  for (const cas& c : table) {
    SCOPED_TRACE(c.nom);
    banc_carte b("afficheurs");
    b.ecrit(DDRC, 0xFF);
    std::vector<std::string> vus;
    for (int tour = 0; tour < 40; ++tour) {
      const int d = tour % 4;
      b.ecrit(PORTC, 0);
      b.ecrit(PORTB, motifs[d]);
      b.ecrit(PORTC, static_cast<unsigned char>(1 << (3 - d)));
      // The window looks at odd instants of the scan.
      for (uint64_t pas :
           {c.par_chiffre / 3, c.par_chiffre - c.par_chiffre / 3}) {
        b.attend(pas);
        if (tour >= 8) vus.push_back(b.carte->lignes(false).at(0));
      }
    }
    for (const std::string& v : vus) {
      if (c.stable) {
        EXPECT_EQ("7seg: \"1234\"", v);
      } else {
        // One or two digits of four, never the whole number.
        EXPECT_NE("7seg: \"1234\"", v);
        EXPECT_NE(std::string::npos, v.find(' ')) << v;
      }
    }
    if (!c.stable) {
      EXPECT_NE(vus.front(), vus[1]);
    }
    // Stopped: the digit selected now, held.
    EXPECT_EQ("7seg: \"   4\"", b.ligne(0));
  }
}

TEST(Display, TheEyeTakesToTheDisplaysLight) {
  // Segments of 1 (b, c) and 7 (a, b, c), at these brightnesses.
  const auto deux = [](double un, double sept, double fantome) {
    return std::vector<std::vector<double>>{{fantome, un, un, 0, 0, 0, 0, 0},
                                            {sept, sept, sept, 0, 0, 0, 0, 0}};
  };
  struct cas {
    const char* nom;
    std::vector<std::vector<double>> segments;
    const char* texte;
  } table[] = {
      {"a steady scan", deux(1, 1, 0), "17"},
      {"each digit blanked half its turn", deux(0.45, 0.45, 0.02), "17"},
      {"one digit the whole frame, the other a tenth", deux(2, 0.2, 0), "1 "},
      {"a ghost of segment a, switching", deux(1, 1, 0.08), "17"},
      {"dark", deux(0.05, 0.05, 0), "  "},
  };
  for (const cas& c : table) {
    SCOPED_TRACE(c.nom);
    EXPECT_EQ(c.texte, afficheur::texte(c.segments));
  }
}

TEST(History, GoingBackBringsTheLcdBack) {
  const std::string source = R"(
        .sect .text
        .globl _start
_start: ldaa #0x38
        bsr inst
        ldaa #0x0c
        bsr inst
        ldaa #'A'
        bsr donnee
apres_a:
        ldaa #'B'
        bsr donnee
        bra .
inst:   ldab 0xb5f0
        bmi inst
        staa 0xb5f0
        rts
donnee: ldab 0xb5f0
        bmi donnee
        staa 0xb5f1
        rts
)";
  banc_carte b("lcd_bus");
  b.charge("retour", source);
  historique h(b.m);
  h.demarre();
  EXPECT_EQ(arret_machine::boucle, b.execute(100000));
  h.apres_execution();
  const std::string fin = b.ligne(0);
  EXPECT_EQ(0u, fin.find("lcd: \"AB  ")) << fin;
  // Back to the instruction after the first data write's return.
  uint64_t apres_a = 0;
  {
    banc_carte c("lcd_bus");
    c.charge("retour", source);
    unsigned char arrets[0x10000] = {};
    arrets[0xB60C] = 1;
    conditions_arret cond;
    cond.points_arret = arrets;
    cond.max_cycles = 100000;
    ASSERT_EQ(arret_machine::point_arret, c.m.execute(cond));
    apres_a = c.m.instructions;
  }
  ASSERT_TRUE(h.revient_a(apres_a));
  EXPECT_EQ(0u, b.ligne(0).find("lcd: \"A   ")) << b.ligne(0);
  EXPECT_EQ(0x01, b.m.memoire.consulte(0xB5F0) & 0x7F);
}

}  // namespace
