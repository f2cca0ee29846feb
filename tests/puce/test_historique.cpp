// The history: going back and forth rebuilds the machine bit for bit,
// actions of the user included; the memory bound thins it without losing
// its window; "Qui a change ceci ?" finds the instructions.
#include <cstring>

#include "puce/historique.h"
#include "tests/puce/banc_puce.h"

namespace {

// The main loop counts in A, shows it on PORTB, keeps it with STD at $40,
// goes through the stack; IRQ (edges, IRQE set) increments $50.
const char* const programme =
    "8E 00 FF 86 20 B7 10 39 0E 4C B7 10 04 16 DD 40 36 33 18 08 20 F4 "
    "/ FFF2=C0 FFF3=00 C000=7C C001=00 C002=50 C003=3B 0050=00";

// OC2 toggles PA6 every 256 cycles; its interrupt moves TOC2 on, clears
// OC2F and counts at $62; the main loop copies PORTA to $61.
const char* const programme_timer =
    "8E 00 FF 86 40 B7 10 20 B7 10 22 0E F6 10 00 F7 00 61 20 F8 "
    "/ FFE6=C0 FFE7=00 C000=FC C001=10 C002=18 C003=C3 C004=01 C005=00 "
    "C006=FD C007=10 C008=18 C009=86 C00A=40 C00B=B7 C00C=10 C00D=23 "
    "C00E=7C C00F=00 C010=62 C011=3B";

std::unique_ptr<machine> nouvelle(const char* code = programme) {
  std::unique_ptr<machine> m(new machine(modele_machine::e9));
  banc::Etat cellules;
  uint16_t a = 0xB600;
  for (uint8_t o : banc::lit_code(code, cellules)) m->ecrit_octet(a++, o);
  for (const auto& c : cellules.cellules) m->ecrit_octet(c.first, c.second);
  // The IRQ program's edges; the timer program reads PA0's.
  const unsigned char broche = code == programme ? broche_irq : broche_pa0;
  for (uint64_t cycle = 40; cycle < 20000; cycle += 333)
    m->planifie_broche(
        {cycle, broche, static_cast<unsigned char>((cycle / 333) & 1)});
  return m;
}

void meme_etat(const machine& a, const machine& b);

void avance(machine& m, historique* h, int pas) {
  for (int i = 0; i < pas; ++i) {
    if (h) h->rejoue_entrees();
    m.pas();
    if (h) h->apres_execution();
  }
}

// The whole machine, memory and the chip's state byte for byte.
void meme_etat(const machine& a, const machine& b) {
  const historique::image x = historique::prend_image(a),
                          y = historique::prend_image(b);
  EXPECT_EQ(x.etat.instructions, y.etat.instructions);
  EXPECT_EQ(x.etat.cycles, y.etat.cycles);
  EXPECT_EQ(x.etat.PC, y.etat.PC);
  EXPECT_EQ(x.etat.A, y.etat.A);
  EXPECT_EQ(x.etat.B, y.etat.B);
  EXPECT_EQ(x.etat.CCR, y.etat.CCR);
  EXPECT_EQ(x.etat.SP, y.etat.SP);
  EXPECT_EQ(x.etat.Y, y.etat.Y);
  EXPECT_EQ(x.etat.a_venir.size(), y.etat.a_venir.size());
  EXPECT_EQ(0, std::memcmp(&x.etat.puce, &y.etat.puce, sizeof x.etat.puce));
  EXPECT_TRUE(x.cellules == y.cellules);
}

// A fresh machine stepped as the one with the history was (the user's
// toggle at the same step), up to the same point.
void comme_lui(machine& b, const machine& a, int toggle) {
  for (int i = 0; b.instructions < a.instructions ||
                  (b.instructions == a.instructions && b.cycles < a.cycles);
       ++i) {
    if (i == toggle) b.pose_broche(broche_pe0 + 3, true);
    b.pas();
  }
  meme_etat(a, b);
}

TEST(Historique, BackAndForthIsAFreshRun) {
  const struct {
    const char* code;
    int avant, arriere, toggle;  // steps forward, back; user toggle at
  } cas[] = {
      {programme, 500, 200, -1},         {programme, 500, 450, -1},
      {programme, 500, 400, 250},        {programme, 300, 1, 120},
      {programme_timer, 3000, 2500, -1}, {programme_timer, 3000, 1700, 900}};
  for (const auto& c : cas) {
    SCOPED_TRACE(c.avant * 1000 + c.arriere);
    std::unique_ptr<machine> a = nouvelle(c.code);
    historique h(*a);
    h.fixe_intervalle(16);
    h.demarre();
    for (int i = 0; i < c.avant; ++i) {
      if (i == c.toggle) {
        a->pose_broche(broche_pe0 + 3, true);
        h.note_entree();
      }
      avance(*a, &h, 1);
    }
    const uint64_t fin_i = a->instructions, fin_c = a->cycles;
    for (int i = 0; i < c.arriere; ++i) ASSERT_TRUE(h.pas_arriere());
    EXPECT_EQ(fin_i - c.arriere, a->instructions);
    // Back there, it is the fresh run's state at that point.
    comme_lui(*nouvelle(c.code), *a, c.toggle);
    // Forward again: the user's toggle comes back at its point.
    while (a->instructions < fin_i || a->cycles < fin_c) avance(*a, &h, 1);
    // The interrupts did come: $50 counts IRQ edges, $62 OC2 interrupts.
    EXPECT_GE(a->memoire.consulte(c.code == programme ? 0x50 : 0x62), 2);
    comme_lui(*nouvelle(c.code), *a, c.toggle);
  }
}

TEST(Historique, OverItsBoundItThinsAndStillStepsBack) {
  std::unique_ptr<machine> a = nouvelle(), b = nouvelle();
  historique h(*a);
  h.fixe_intervalle(8);
  h.fixe_borne(600 << 10);
  h.demarre();
  avance(*a, &h, 20000);
  EXPECT_LE(h.octets(), h.borne());
  EXPECT_LT(h.nombre_instantanes(), 20000u / 8);
  const uint64_t fin = a->instructions;
  for (int i = 0; i < 300; ++i) ASSERT_TRUE(h.pas_arriere());
  EXPECT_EQ(fin - 300, a->instructions);
  comme_lui(*b, *a, -1);
}

TEST(Historique, WhoChangedACellOrARegister) {
  // LDD #$1234, STD $40, LDAA #5, PSHA, LDAA #9, PULA, STAA $40, BRA *.
  std::unique_ptr<machine> m(new machine(modele_machine::e9));
  const uint8_t code[] = {0xCC, 0x12, 0x34, 0xDD, 0x40, 0x86, 0x05, 0x36,
                          0x86, 0x09, 0x32, 0x97, 0x40, 0x20, 0xFE};
  for (unsigned i = 0; i < sizeof code; ++i)
    m->ecrit_octet(static_cast<uint16_t>(0xB600 + i), code[i]);
  historique h(*m);
  h.fixe_intervalle(2);
  h.demarre();
  avance(*m, &h, 7);
  const struct {
    cible_historique cible;
    std::vector<std::string> textes;  // newest first
    std::vector<unsigned> apres;
  } cas[] = {
      {{cible_historique::sorte::cellule, 0x40},
       {"STAA $40", "STD  $40"},
       {0x05, 0x12}},
      {{cible_historique::sorte::cellule, 0x41}, {"STD  $40"}, {0x34}},
      {{cible_historique::sorte::registre, 0},
       {"PULA", "LDAA #$9", "LDAA #$5", "LDD  #$1234"},
       {5, 9, 5, 0x12}},
      {{cible_historique::sorte::bit_ccr, 2}, {}, {}},  // Z never set
  };
  for (const auto& c : cas) {
    bool complet = false;
    const std::vector<changement> trouves =
        h.qui_a_change(c.cible, 20, &complet);
    EXPECT_TRUE(complet);
    ASSERT_EQ(c.textes.size(), trouves.size()) << c.cible.numero;
    for (std::size_t i = 0; i < trouves.size(); ++i) {
      EXPECT_EQ(c.textes[i], trouves[i].texte);
      EXPECT_EQ(c.apres[i], trouves[i].apres);
    }
  }
  // The search leaves the machine where it was.
  EXPECT_EQ(7u, m->instructions);
  EXPECT_EQ(0xB60D, m->cpu.PC);
}

}  // namespace
