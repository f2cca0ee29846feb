// The board's cost, in simulated instructions per second of the E9 model,
// side by side in one run:
//   - bench/boucle.s (the CPU-bound loop, which touches no pin) with no
//     board, and with the "afficheurs" preset attached: the goal is at
//     most 5% slower;
//   - bench/balayage.s (a multiplexed display scanned as fast as the CPU
//     goes: every other instruction writes a port) with no board, and with
//     the preset attached and its display read back from the pin log once
//     per frame of the screen (every 2^20 instructions, about 60 times a
//     second of wall time at full speed): the goal is at least 50% of the
//     same program's speed without the board. (A port write costs the
//     chip far more than a plain store, board or not: compare with the
//     CPU-bound loop.)
#include <benchmark/benchmark.h>

#include <memory>
#include <string>

#include "platine/platine.h"
#include "puce/machine.h"

namespace {

constexpr uint64_t pas_par_tour = 1000;
constexpr uint64_t pas_par_image = 1u << 20;

void BM_carte(benchmark::State& state, const char* programme, bool carte) {
  const std::unique_ptr<machine> m(new machine(modele_machine::e9));
  const std::string image =
      std::string(TAMRIX_SOURCE_DIR "/bench/") + programme + ".s19";
  if (!m->memoire.load_s19(image.c_str())) {
    state.SkipWithError("cannot load the program");
    return;
  }
  std::unique_ptr<platine> p;
  if (carte) {
    description_carte d;
    std::string erreur;
    if (!charge_carte("afficheurs", d, erreur)) {
      state.SkipWithError(erreur.c_str());
      return;
    }
    p.reset(new platine(d));
    p->attache(*m);
  }
  m->reset();
  conditions_arret c;
  uint64_t prochaine_image = pas_par_image;
  std::size_t lignes = 0;
  for (auto _ : state) {
    c.max_pas = m->instructions + pas_par_tour;
    benchmark::DoNotOptimize(m->execute(c));
    if (p && m->instructions >= prochaine_image) {
      lignes += p->lignes(false).size();
      prochaine_image += pas_par_image;
    }
  }
  benchmark::DoNotOptimize(lignes);
  if (p && std::string(programme) == "balayage" &&
      p->lignes(false).at(0) != "7seg: \"1234\"")
    state.SkipWithError("the display does not show 1234");
  state.SetItemsProcessed(
      static_cast<int64_t>(state.iterations() * pas_par_tour));
}

}  // namespace

BENCHMARK_CAPTURE(BM_carte, boucle_sans_carte, "boucle", false);
BENCHMARK_CAPTURE(BM_carte, boucle_afficheurs, "boucle", true);
BENCHMARK_CAPTURE(BM_carte, balayage_sans_carte, "balayage", false);
BENCHMARK_CAPTURE(BM_carte, balayage_afficheurs, "balayage", true);
