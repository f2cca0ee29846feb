// The history's cost: a run in batches as the GUI makes them, with and
// without the history's snapshots, side by side; and going back to a point
// anywhere inside the last 10 million instructions.
#include <benchmark/benchmark.h>

#include <memory>
#include <random>
#include <string>

#include "puce/historique.h"
#include "puce/machine.h"

namespace {

constexpr unsigned long lot = 16384;  // instructions per batch, as the GUI

std::unique_ptr<machine> machine_de_banc() {
  std::unique_ptr<machine> m(new machine(modele_machine::e9));
  const std::string image = TAMRIX_SOURCE_DIR "/bench/boucle.s19";
  if (!m->memoire.load_s19(image.c_str())) return nullptr;
  m->reset();
  return m;
}

void BM_course(benchmark::State& state, bool avec_historique) {
  const std::unique_ptr<machine> m = machine_de_banc();
  if (!m) return state.SkipWithError("cannot load bench/boucle.s19");
  historique h(*m);
  h.demarre();
  conditions_arret c;
  for (auto _ : state) {
    c.max_pas = m->instructions + lot;
    benchmark::DoNotOptimize(m->execute(c));
    if (avec_historique) h.apres_execution();
  }
  state.SetItemsProcessed(state.iterations() * lot);
  state.counters["instantanes"] = static_cast<double>(h.nombre_instantanes());
}

void BM_retour(benchmark::State& state) {
  const std::unique_ptr<machine> m = machine_de_banc();
  if (!m) return state.SkipWithError("cannot load bench/boucle.s19");
  historique h(*m);
  h.demarre();
  conditions_arret c;
  while (m->instructions < 12000000) {
    c.max_pas = m->instructions + lot;
    m->execute(c);
    h.apres_execution();
  }
  const uint64_t fin = m->instructions;
  std::mt19937_64 hasard(12345);
  for (auto _ : state) {
    const uint64_t cible = fin - 1 - hasard() % 10000000;
    if (!h.revient_a(cible)) return state.SkipWithError("out of reach");
  }
  state.counters["Mo"] = h.octets() / 1048576.0;
}

}  // namespace

BENCHMARK_CAPTURE(BM_course, sans_historique, false);
BENCHMARK_CAPTURE(BM_course, avec_historique, true);
BENCHMARK(BM_retour)->Unit(benchmark::kMillisecond);
