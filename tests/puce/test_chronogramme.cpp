// What the timing diagram draws of the pin log: runs of columns per pin,
// busy columns, the unknown stretch of a log that dropped its oldest
// changes, the end of the data at the present; and the flat model's ports
// logged by comparison.
#include <gtest/gtest.h>

#include <algorithm>
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
    index_journal index;
    calcule_traces(j, index, c.maintenant, {c.debut, c.fin, c.colonnes},
                   uint64_t(1) << c.broche, t);
    EXPECT_EQ(c.attendu, texte(t.par_broche[c.broche]));
  }
}

TEST(Chronogramme, ALogThatDroppedItsOldestChangesIsUnknownBeforeThem) {
  journal_broches j(4);
  remplit(j, "8=1@100 9=1@200 8=0@300 9=0@400 8=1@500 9=1@600");
  ASSERT_EQ(201u, j.complet_depuis());
  traces_chronogramme t;
  index_journal index;
  calcule_traces(j, index, 1000, {0, 1000, 100}, (1u << 8) | (1u << 9), t);
  EXPECT_EQ("0-20:? 20-30:1 30-50:0 50-100:1", texte(t.par_broche[8]));
  EXPECT_EQ("0-20:? 20-40:1 40-60:0 60-100:1", texte(t.par_broche[9]));
}

// One character a column ("01*?"), from the runs.
std::string par_colonne(const std::vector<morceau_trace>& morceaux) {
  std::string t;
  for (const morceau_trace& m : morceaux)
    t.append(static_cast<std::size_t>(m.fin - m.debut),
             "01*?"[static_cast<int>(m.etat)]);
  return t;
}

// The same, each column's changes read one by one from the whole log: what
// the summary must give.
std::string a_la_main(const journal_broches& j, uint64_t maintenant,
                      const fenetre_cycles& f, int broche) {
  int niveau = j.niveau_debut(static_cast<unsigned char>(broche));
  for (std::size_t i = 0; i < j.taille() && j[i].cycle < f.debut; ++i)
    if (j[i].broche == broche) niveau = j[i].niveau;
  std::string t;
  const long fin = std::min<long>(f.colonnes, f.colonne(maintenant) + 1);
  for (long x = 0; x < fin; ++x) {
    int changements = 0;
    for (std::size_t i = 0; i < j.taille(); ++i)
      if (j[i].broche == broche && f.colonne(j[i].cycle) == x) {
        ++changements;
        niveau = j[i].niveau;
      }
    t += changements > 1 ? '*' : static_cast<char>('0' + niveau);
  }
  return t;
}

TEST(Chronogramme, TheSummaryGivesWhatReadingEveryChangeGives) {
  // A change every 1 to 40 cycles, in bursts: pin 9 most of them, pin 8
  // twice in every 150 changes (so that a column spanning several blocks
  // holds none, one or two of its changes).
  journal_broches j;
  std::string changements;
  uint64_t cycle = 0;
  int niveaux[2] = {0, 0};
  for (int i = 0; i < 5000; ++i) {
    cycle += 1 + (i * 7919u) % (i % 500 < 250 ? 3 : 40);
    const int b = i % 150 == 0 || i % 150 == 70 ? 0 : 1;
    niveaux[b] ^= 1;
    changements += std::to_string(8 + b) + "=" + std::to_string(niveaux[b]) +
                   "@" + std::to_string(cycle) + " ";
  }
  remplit(j, changements);
  index_journal index;
  const struct {
    uint64_t debut, fin;
    int colonnes;
  } vues[] = {{0, cycle + 1, 600},
              {0, cycle + 1, 37},
              {0, cycle + 1, 20},
              {1234, 5678, 600},
              {cycle / 2, cycle / 2 + 300, 600},
              {cycle - 50, cycle + 500, 200}};
  for (const auto& v : vues) {
    SCOPED_TRACE(v.debut);
    const fenetre_cycles f{v.debut, v.fin, v.colonnes};
    traces_chronogramme t;
    calcule_traces(j, index, cycle, f, (1u << 8) | (1u << 9), t);
    EXPECT_EQ(a_la_main(j, cycle, f, 8), par_colonne(t.par_broche[8]));
    EXPECT_EQ(a_la_main(j, cycle, f, 9), par_colonne(t.par_broche[9]));
  }
}

TEST(Chronogramme, OnlyTheWindowsChangesAreReadOneByOne) {
  journal_broches j;
  std::string changements;
  for (int i = 0; i < 100000; ++i)
    changements +=
        "8=" + std::to_string(i % 2) + "@" + std::to_string(i * 10) + " ";
  remplit(j, changements);
  traces_chronogramme t;
  index_journal index;
  // The last 0.1 % of the log: its 100 changes and part of a block before.
  calcule_traces(j, index, 1000000, {999000, 1000000, 100}, uint64_t(1) << 8,
                 t);
  EXPECT_LE(t.changements_lus, 100 + index_journal::taille_bloc);
  EXPECT_EQ(100u, t.par_broche[8].size());
  // The whole log over 100 columns: a thousand changes a column, read
  // through the summary but for two partial blocks a column.
  calcule_traces(j, index, 1000000, {0, 1000000, 100}, uint64_t(1) << 8, t);
  EXPECT_LE(t.changements_lus, 100 * 2 * index_journal::taille_bloc);
  EXPECT_GT(t.blocs_lus, 1000u);
  EXPECT_EQ("0-100:*", texte(t.par_broche[8]));
}

TEST(Chronogramme, TheSummaryFollowsTheLogDroppingAndCutBack) {
  journal_broches j(300);
  index_journal index;
  const fenetre_cycles f{0, 4000, 400};
  uint64_t cycle = 0;
  int niveau = 0;
  unsigned char debut[nb_broches] = {};
  j.vide(debut);
  for (int tour = 0; tour < 4; ++tour) {
    SCOPED_TRACE(tour);
    for (int i = 0; i < 250; ++i) j.note(cycle += 3, 8, niveau ^= 1);
    if (tour == 2) j.tronque(cycle - 100);
    if (tour == 3) {
      j.vide(debut);
      cycle = 0;
      for (int i = 0; i < 50; ++i) j.note(cycle += 7, 8, niveau ^= 1);
    }
    traces_chronogramme t;
    calcule_traces(j, index, cycle, f, uint64_t(1) << 8, t);
    // Unknown before the log's first complete cycle, then the same as
    // reading every change.
    const std::string vu = par_colonne(t.par_broche[8]);
    const std::string attendu = a_la_main(j, cycle, f, 8);
    const std::size_t connu = static_cast<std::size_t>(
        j.complet_depuis() ? f.colonne(j.complet_depuis()) : 0);
    EXPECT_EQ(std::string(connu, '?'), vu.substr(0, connu));
    EXPECT_EQ(attendu.substr(connu), vu.substr(connu));
  }
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
