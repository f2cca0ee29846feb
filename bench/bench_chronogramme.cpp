// The timing diagram with a full pin log: the time to compute what one view
// draws (the runs of columns of each chosen row, puce/chronogramme.h) from
// a log of 1 000 000 changes, for a view of the whole log, of its last
// hundredth, and with a row that never changed; and the time to make the
// log's summary from nothing. The drawing itself is a few lines per run and
// needs a display; it is left out. And the cost of logging the flat
// model's ports after each batch of a run, where no pin changes, beside
// BM_machine/plat of bench_cpu.cpp.
#include <benchmark/benchmark.h>

#include <memory>
#include <string>

#include "puce/chronogramme.h"
#include "puce/machine.h"

namespace {

constexpr int nb_changements = 1000000;
constexpr int colonnes = 670;  // the width of the diagram's area

// 1 000 000 changes on port B's eight pins, one every 7 cycles on average,
// a light chaser and a faster clock on PB0; IRQ never changes.
const journal_broches& journal_plein() {
  static journal_broches* j = [] {
    auto* nouveau = new journal_broches;
    unsigned char niveaux[nb_broches] = {};
    nouveau->vide(niveaux);
    unsigned char pb[8] = {};
    uint64_t cycle = 0;
    for (int i = 0; i < nb_changements; ++i) {
      cycle += 3 + (i * 7919u) % 9;
      const int bit = i % 3 == 0 ? 0 : (i / 3) % 8;
      pb[bit] ^= 1;
      nouveau->note(cycle, static_cast<unsigned char>(broche_pb0 + bit),
                    pb[bit]);
    }
    return nouveau;
  }();
  return *j;
}

void BM_vue(benchmark::State& state, double debut, double fin,
            uint64_t broches) {
  const journal_broches& j = journal_plein();
  const uint64_t dernier = j[j.taille() - 1].cycle;
  const fenetre_cycles f{static_cast<uint64_t>(debut * dernier),
                         static_cast<uint64_t>(fin * dernier) + 1, colonnes};
  traces_chronogramme traces;
  index_journal index;
  for (auto _ : state) {
    calcule_traces(j, index, dernier, f, broches, traces);
    benchmark::DoNotOptimize(traces.par_broche[broche_pb0].data());
  }
  state.counters["changements_lus"] =
      static_cast<double>(traces.changements_lus);
  state.counters["blocs_lus"] = static_cast<double>(traces.blocs_lus);
}

// The summary of the whole log made from nothing: the first view after a
// long run (later views only add the new changes).
void BM_index_complet(benchmark::State& state) {
  const journal_broches& j = journal_plein();
  for (auto _ : state) {
    index_journal index;
    index.actualise(j);
    benchmark::DoNotOptimize(&index);
  }
}

constexpr uint64_t port_b = uint64_t(0xFF) << broche_pb0;
constexpr uint64_t irq = uint64_t(1) << broche_irq;

void BM_machine_plat_ports_notes(benchmark::State& state) {
  const std::unique_ptr<machine> m(new machine(modele_machine::plat));
  const std::string image = TAMRIX_SOURCE_DIR "/bench/boucle.s19";
  if (!m->memoire.load_s19(image.c_str())) {
    state.SkipWithError("cannot load bench/boucle.s19");
    return;
  }
  m->reset();
  conditions_arret c;
  for (auto _ : state) {
    c.max_pas = m->instructions + 1000;
    benchmark::DoNotOptimize(m->execute(c));
    m->note_ports_plat();
  }
  state.SetItemsProcessed(state.iterations() * 1000);
}

}  // namespace

BENCHMARK_CAPTURE(BM_vue, tout_le_journal_port_b, 0.0, 1.0, port_b)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_vue, dernier_centieme_port_b, 0.99, 1.0, port_b)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_vue, dernier_centieme_port_b_et_irq, 0.99, 1.0,
                  port_b | irq)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_index_complet)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_machine_plat_ports_notes);
