// Simulated instructions per second of step() on a CPU-bound loop
// (bench/boucle.s, assembled into bench/boucle.s19 at 0xB600): loads and
// stores in every mode, arithmetic, logic, shifts, stack, branches and
// page-18 instructions. The same loop on the machine's run engine in its
// two models, side by side: the flat model, and the E9 model with its chip
// attached but idle (no interrupt enabled, no register touched).
#include <benchmark/benchmark.h>

#include <memory>
#include <string>

#include "cpu/interpreteur.h"
#include "memory/mem_64k.h"
#include "puce/machine.h"

namespace {

constexpr int pas_par_tour = 1000;
constexpr unsigned short debut_boucle = 0xB600;
constexpr unsigned short fin_boucle = 0xB648;

void BM_step(benchmark::State& state) {
  static mem_64k mem;  // 128 KiB: kept off the stack
  const std::string image = TAMRIX_SOURCE_DIR "/bench/boucle.s19";
  if (!mem.load_s19(image.c_str())) {
    state.SkipWithError("cannot load bench/boucle.s19");
    return;
  }
  interpreteur cpu;
  cpu.learn_mem(&mem);
  cpu.init_registers();
  long cycles = 0;
  for (auto _ : state) {
    for (int i = 0; i < pas_par_tour; ++i) cycles += cpu.step();
    benchmark::DoNotOptimize(cycles);
  }
  if (cpu.PC < debut_boucle || cpu.PC >= fin_boucle)
    state.SkipWithError("the program left its loop");
  state.SetItemsProcessed(state.iterations() * pas_par_tour);
  state.counters["cycles_par_instruction"] =
      static_cast<double>(cycles) / (state.iterations() * pas_par_tour);
}

void BM_machine(benchmark::State& state, modele_machine modele) {
  const std::unique_ptr<machine> m(new machine(modele));
  const std::string image = TAMRIX_SOURCE_DIR "/bench/boucle.s19";
  if (!m->memoire.load_s19(image.c_str())) {
    state.SkipWithError("cannot load bench/boucle.s19");
    return;
  }
  m->reset();
  conditions_arret c;
  for (auto _ : state) {
    c.max_pas = m->instructions + pas_par_tour;
    benchmark::DoNotOptimize(m->execute(c));
  }
  if (m->cpu.PC < debut_boucle || m->cpu.PC >= fin_boucle)
    state.SkipWithError("the program left its loop");
  state.SetItemsProcessed(state.iterations() * pas_par_tour);
}

}  // namespace

BENCHMARK(BM_step);
BENCHMARK_CAPTURE(BM_machine, plat, modele_machine::plat);
BENCHMARK_CAPTURE(BM_machine, e9, modele_machine::e9);
BENCHMARK_MAIN();
