// What the timing diagram draws of the pin log: runs of columns per pin,
// busy columns, the unknown stretch of a log that dropped its oldest
// changes, the end of the data at the present; and the flat model's ports
// logged by comparison.
#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "puce/chronogramme.h"
#include "puce/machine.h"

namespace {

// "8=1@100 9=0@130": pin 8 to 1 at cycle 100, then pin 9 to 0 at 130.
void remplit(journal_broches& j, const std::string& changements) {
  unsigned char niveaux[nb_broches] = {};
  j.vide(niveaux);
  std::istringstream mots(changements);
  std::string mot;
  while (mots >> mot) {
    unsigned broche = 0, niveau = 0;
    unsigned long long cycle = 0;
    ASSERT_EQ(3,
              std::sscanf(mot.c_str(), "%u=%u@%llu", &broche, &niveau, &cycle))
        << mot;
    j.note(cycle, static_cast<unsigned char>(broche),
           static_cast<unsigned char>(niveau));
  }
}

// "0-10:0 10-11:* 11-20:1" (0 low, 1 high, * busy, ? unknown).
std::string texte(const std::vector<morceau_trace>& morceaux) {
  std::string t;
  for (const morceau_trace& m : morceaux) {
    if (!t.empty()) t += ' ';
    t += std::to_string(m.debut) + '-' + std::to_string(m.fin) + ':' +
         "01*?"[static_cast<int>(m.etat)];
  }
  return t;
}

struct CasTrace {
  const char* nom;
  const char* changements;
  uint64_t maintenant, debut, fin;
  int colonnes, broche;
  const char* attendu;
};

// 100 columns over 1000 cycles: 10 cycles a column, unless stated.
const CasTrace cas_traces[] = {
    {"a pin that never changes", "", 500, 0, 1000, 100, 8, "0-51:0"},
    {"one rise", "8=1@200", 1000, 0, 1000, 100, 8, "0-20:0 20-100:1"},
    {"rise and fall", "8=1@200 8=0@455", 1000, 0, 1000, 100, 8,
     "0-20:0 20-45:1 45-100:0"},
    {"another pin's changes are not drawn", "9=1@200", 1000, 0, 1000, 100, 8,
     "0-100:0"},
    {"two changes in one column: busy", "8=1@200 8=0@205 8=1@300", 1000, 0,
     1000, 100, 8, "0-20:0 20-21:* 21-30:0 30-100:1"},
    {"many changes: one busy run",
     "8=1@200 8=0@203 8=1@212 8=0@214 8=1@221 8=0@225", 1000, 0, 1000, 100, 8,
     "0-20:0 20-23:* 23-100:0"},
    {"the level before the window comes from the last change before it",
     "8=1@100 8=0@150 8=1@180", 1000, 500, 1500, 100, 8, "0-51:1"},
    {"zoomed in: 1 cycle is 10 columns", "8=1@105", 200, 100, 110, 100, 8,
     "0-50:0 50-100:1"},
    {"the data end at the present", "8=1@200", 300, 0, 1000, 100, 8,
     "0-20:0 20-31:1"},
    {"a window after the present holds nothing", "8=1@200", 300, 400, 1000, 100,
     8, ""},
    {"a change after the window is not read", "8=1@2000", 3000, 0, 1000, 100, 8,
     "0-100:0"},
    {"IRQ is a pin like the others", "40=1@0 40=0@500", 1000, 0, 1000, 100, 40,
     "0-50:1 50-100:0"},
};

TEST(Chronogramme, RunsOfColumnsPerPin) {
  for (const CasTrace& c : cas_traces) {
    SCOPED_TRACE(c.nom);
    journal_broches j;
    remplit(j, c.changements);
    traces_chronogramme t;
    calcule_traces(j, c.maintenant, {c.debut, c.fin, c.colonnes},
                   uint64_t(1) << c.broche, t);
    EXPECT_EQ(c.attendu, texte(t.par_broche[c.broche]));
  }
}

TEST(Chronogramme, ALogThatDroppedItsOldestChangesIsUnknownBeforeThem) {
  journal_broches j(4);
  remplit(j, "8=1@100 9=1@200 8=0@300 9=0@400 8=1@500 9=1@600");
  ASSERT_EQ(201u, j.complet_depuis());
  traces_chronogramme t;
  calcule_traces(j, 1000, {0, 1000, 100}, (1u << 8) | (1u << 9), t);
  EXPECT_EQ("0-20:? 20-30:1 30-50:0 50-100:1", texte(t.par_broche[8]));
  EXPECT_EQ("0-20:? 20-40:1 40-60:0 60-100:1", texte(t.par_broche[9]));
}

TEST(Chronogramme, OnlyTheWindowsChangesAreReadForwards) {
  journal_broches j;
  std::string changements;
  for (int i = 0; i < 10000; ++i)
    changements +=
        "8=" + std::to_string(i % 2) + "@" + std::to_string(i * 10) + " ";
  remplit(j, changements);
  traces_chronogramme t;
  // The last 1 % of the log, and the last change before it.
  calcule_traces(j, 100000, {99000, 100000, 100}, uint64_t(1) << 8, t);
  EXPECT_EQ(101u, t.changements_lus);
  EXPECT_EQ(100u, t.par_broche[8].size());
}

TEST(Chronogramme, ColumnsAndCyclesBothWays) {
  const fenetre_cycles f{1000, 2000, 100};
  const struct {
    uint64_t cycle;
    long colonne;
  } cas[] = {{1000, 0},   {1009, 0}, {1010, 1}, {1999, 99},
             {2000, 100}, {999, -1}, {990, -1}, {989, -2}};
  for (const auto& c : cas) EXPECT_EQ(c.colonne, f.colonne(c.cycle)) << c.cycle;
  for (long c = 0; c <= 100; ++c) EXPECT_EQ(c, f.colonne(f.cycle_colonne(c)));
}

TEST(Chronogramme, TheFlatModelLogsItsPortCellsByComparison) {
  machine m(modele_machine::plat);
  m.reset();
  const std::size_t avant = m.journal.taille();
  m.note_ports_plat();
  EXPECT_EQ(avant, m.journal.taille()) << "nothing changed, nothing logged";
  m.cycles = 42;
  m.memoire.write_byte(0x1004, m.memoire.read_byte(0x1004) ^ 0x81);  // PB7, PB0
  m.memoire.write_byte(0x1008, m.memoire.read_byte(0x1008) ^ 0xC0);  // no pins
  m.note_ports_plat();
  ASSERT_EQ(avant + 2, m.journal.taille());
  EXPECT_EQ(broche_pb0, m.journal[avant].broche);
  EXPECT_EQ(broche_pb0 + 7, m.journal[avant + 1].broche);
  EXPECT_EQ(42u, m.journal[avant + 1].cycle);
  m.note_ports_plat();
  EXPECT_EQ(avant + 2, m.journal.taille());
  // The E9 model's ports log by themselves.
  m.change_modele(modele_machine::e9);
  m.note_ports_plat();
  EXPECT_EQ(0u, m.journal.taille());
}

}  // namespace
