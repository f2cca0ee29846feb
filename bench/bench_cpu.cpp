// Simulated instructions per second of step() on a CPU-bound loop
// (bench/boucle.s, assembled into bench/boucle.s19 at 0xB600): loads and
// stores in every mode, arithmetic, logic, shifts, stack, branches and
// page-18 instructions.
#include <benchmark/benchmark.h>

#include <string>

#include "cpu/interpreteur.h"
#include "memory/mem_64k.h"

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

}  // namespace

BENCHMARK(BM_step);
BENCHMARK_MAIN();
