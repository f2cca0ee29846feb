// The history: going back and forth rebuilds the machine bit for bit,
// actions of the user included; the memory bound thins it without losing
// its window; "Qui a change ceci ?" finds the instructions.
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

std::unique_ptr<machine> nouvelle(const char* code = programme,
                                  modele_machine modele = modele_machine::e9) {
  std::unique_ptr<machine> m(new machine(modele));
  banc::Etat cellules;
  uint16_t a = 0xB600;
  for (uint8_t o : banc::lit_code(code, cellules)) m->ecrit_octet(a++, o);
  for (const auto& c : cellules.cellules) m->ecrit_octet(c.first, c.second);
  if (!m->e9()) m->reset();  // PC at $b600
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

// The whole machine, field by field (the pin log aside: a fresh run
// without the history has the same).
void meme_etat(const machine& a, const machine& b) {
  EXPECT_EQ("", historique::ecart(a, b, false));
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

// Runs in slices as the window does (16384 instructions, or the cycles of
// a batch), through the history, up to `fin` instructions.
void course(machine& m, historique& h, uint64_t fin) {
  conditions_arret c;
  c.attente_bit_libre = c.broches_libres = true;
  c.sur_illegal = conditions_arret::illegal::continue_;
  while (m.instructions < fin) {
    c.max_pas = std::min<uint64_t>(fin, m.instructions + 16384);
    c.max_cycles = m.cycles + 4 * 16384;
    const uint64_t avant = m.instructions, cycles = m.cycles;
    const arret_machine r = h.execute(c);
    if (r == arret_machine::attente || r == arret_machine::suspendu ||
        (m.instructions == avant && m.cycles == cycles))
      return;
  }
}

// An action of the user at 35000 instructions, the run on to 60000; with
// `retour`, then back to 1500 (snapshots of the straight run's slices lie
// between, off the replay's slices) and a run forward again to 60000.
enum class action { broche, registre, remplissage, eeprom };
std::unique_ptr<machine> vit(modele_machine modele, action quoi, bool retour) {
  std::unique_ptr<machine> m = nouvelle(programme, modele);
  historique h(*m);
  h.fixe_intervalle(1000);
  h.demarre();
  course(*m, h, 35000);
  switch (quoi) {
    case action::broche:  // toggled, as a click does
      m->pose_broche(broche_pe0 + 3, !m->niveau_broche(broche_pe0 + 3));
      break;
    case action::registre:
      m->cpu.A ^= 0x55;
      break;
    case action::remplissage:
      m->ecrit_octet(0x0060, 0x12);
      break;
    case action::eeprom:
      m->efface_eeprom();  // the program too: it runs on through $ff
      break;
  }
  h.note_entree();
  course(*m, h, 60000);
  if (retour) {
    EXPECT_TRUE(h.revient_a(1500));
    course(*m, h, 60000);
  }
  return m;
}

// Far back before an action of the user, then a run forward: the action is
// replayed at its point, and the machine and its pin log are those of the
// straight run. (The flat model's log is sampled at the ends of slices,
// which differ between the two runs: its machine only is compared.)
TEST(Historique, ARunThroughAKeptFutureReplaysTheActions) {
  const struct {
    modele_machine modele;
    action quoi;
  } cas[] = {{modele_machine::e9, action::broche},
             {modele_machine::e9, action::registre},
             {modele_machine::e9, action::remplissage},
             {modele_machine::e9, action::eeprom},
             {modele_machine::plat, action::broche},
             {modele_machine::plat, action::registre}};
  for (const auto& c : cas) {
    const bool e9 = c.modele == modele_machine::e9;
    SCOPED_TRACE(static_cast<int>(c.quoi) + 10 * e9);
    const std::unique_ptr<machine> droit = vit(c.modele, c.quoi, false),
                                   retour = vit(c.modele, c.quoi, true);
    EXPECT_EQ(60000u, retour->instructions);
    EXPECT_EQ("", historique::ecart(*droit, *retour, e9));
  }
}

// The flat model's missing opcodes take no cycle: a run back to an action
// after them still gets there (its cycle is reached before its count).
TEST(Historique, ARunReachesAnActionAfterInstructionsOfNoCycle) {
  std::unique_ptr<machine> m[2];
  for (int retour = 0; retour < 2; ++retour) {
    m[retour] =
        nouvelle("86 01 41 41 41 41 41 41 4C 20 FE", modele_machine::plat);
    historique h(*m[retour]);
    h.demarre();
    course(*m[retour], h, 4);
    m[retour]->cpu.A = 0x40;
    h.note_entree();
    course(*m[retour], h, 9);
    if (retour) {
      ASSERT_TRUE(h.revient_a(1));
      course(*m[retour], h, 9);
    }
  }
  EXPECT_EQ(0x41, m[1]->cpu.A);
  EXPECT_EQ("", historique::ecart(*m[0], *m[1], false));
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
