// The SCI's line at work, side by side: examples/echo.s19 receives 64
// characters a round and sends each back, the terminal following the
// program's settings (the receiver's data recovery on frames that match
// it) or at 9600 baud of its own (the same data recovery on frames of
// another rate, and the terminal reading the echo bit by bit). Items are
// characters received; the simulated time is 64 frames of 2080 cycles a
// round.
#include <benchmark/benchmark.h>

#include <memory>
#include <string>

#include "puce/machine.h"
#include "serie/terminal_serie.h"

namespace {

constexpr int caracteres_par_tour = 64;

void BM_echo(benchmark::State& state, uint32_t bauds) {
  const std::unique_ptr<machine> m(new machine(modele_machine::e9));
  const std::string image = TAMRIX_SOURCE_DIR "/examples/echo.s19";
  if (!m->memoire.load_s19(image.c_str())) {
    state.SkipWithError("cannot load examples/echo.s19");
    return;
  }
  m->reset();
  terminal_serie terminal;
  terminal.regle(*m, reglage_terminal{bauds, format_ligne::f8n1});
  conditions_arret c;
  c.ligne_sci_libre = true;
  // The program sets its receiver up.
  c.max_cycles = 1000;
  m->execute(c);
  const std::string texte(caracteres_par_tour, 'a');
  uint64_t recus = 0;
  for (auto _ : state) {
    terminal.tape(*m, texte);
    c.max_cycles = m->cycles + caracteres_par_tour * 2080 + 4000;
    benchmark::DoNotOptimize(m->execute(c));
    recus += terminal.lit(*m).size();
    terminal.ecran.efface();
  }
  if (recus != static_cast<uint64_t>(state.iterations()) * caracteres_par_tour)
    state.SkipWithError("the echo lost characters");
  state.SetItemsProcessed(state.iterations() * caracteres_par_tour);
}

BENCHMARK_CAPTURE(BM_echo, terminal_comme_le_programme, 0u);
BENCHMARK_CAPTURE(BM_echo, terminal_a_9600_bauds, 9600u);

}  // namespace
