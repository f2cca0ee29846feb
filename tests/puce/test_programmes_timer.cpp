// Whole programs of tests/puce/programmes (sources and S19 made with
// tools/assemble.sh) run to their end, their cycle totals worked out by
// hand in their comments: the timer's interrupts and flags, cycle for
// cycle.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "puce/machine.h"

namespace {

std::unique_ptr<machine> charge(const char* nom) {
  std::unique_ptr<machine> m(new machine(modele_machine::e9));
  const std::string chemin =
      std::string(TAMRIX_SOURCE_DIR "/tests/puce/programmes/") + nom;
  EXPECT_EQ(1, m->memoire.load_s19(chemin.c_str())) << chemin;
  m->reset();
  return m;
}

TEST(ProgrammesTimer, HundredOc2InterruptsOutOfWai) {
  const std::unique_ptr<machine> m = charge("oc2_cent.s19");
  conditions_arret c;
  c.max_cycles = 1000000;
  EXPECT_EQ(arret_machine::boucle, m->execute(c));
  EXPECT_EQ(100, m->memoire.consulte(0x0000));
  EXPECT_EQ(100066u, m->cycles);
  EXPECT_EQ(0x10, m->cpu.CCR & 0x10);
}

// The BRCLR loop (7 cycles, TFLG1 read in its 4th) sees OC2F in the first
// of its reads at or after the compare's cycle, then 29 cycles move TOC2
// and clear the flag: 5059 cycles for the ten turns and BRA fin. PA6
// changes in each compare's cycle, 518 + 500 k.
TEST(ProgrammesTimer, PolledSquareWaveOnPa6) {
  const std::unique_ptr<machine> m = charge("onde_scrutee.s19");
  conditions_arret c;
  c.max_cycles = 100000;
  EXPECT_EQ(arret_machine::boucle, m->execute(c));
  EXPECT_EQ(0, m->memoire.consulte(0x0000));
  EXPECT_EQ(5059u, m->cycles);
  std::vector<uint64_t> changements;
  for (std::size_t i = 0; i < m->journal.taille(); ++i)
    if (m->journal[i].broche == broche_pa0 + 6)
      changements.push_back(m->journal[i].cycle);
  ASSERT_EQ(10u, changements.size());
  for (std::size_t k = 0; k < changements.size(); ++k)
    EXPECT_EQ(518 + 500 * k, changements[k]) << k;
  EXPECT_EQ(0, m->niveaux_port(0) & 0x40);
}

}  // namespace
