// The pace of a run in the real window: the speed achieved at "Temps réel"
// over 10 seconds of the light chaser and the processor time it takes, and
// the instructions per second at "Maximum" in both models (processor
// time counted: on a shared machine, instructions per processor second
// compare better). Run under a display:
//   xvfb-run -a build/bench/tamrix_bench_gui
#include <FL/Fl.H>
#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <chrono>
#include <string>

#include "app/simulateur.h"
#include "ui/sim_class.h"

namespace {

double secondes_processeur() {
  rusage r{};
  getrusage(RUSAGE_SELF, &r);
  return r.ru_utime.tv_sec + r.ru_stime.tv_sec +
         (r.ru_utime.tv_usec + r.ru_stime.tv_usec) / 1e6;
}

simulateur& sim() {
  static char nom[] = "tamrix";
  static char* argv[] = {nom, nullptr};
  static simulateur* s = new simulateur(1, argv);
  return *s;
}

void tourne(double secondes) {
  const auto debut = std::chrono::steady_clock::now();
  while (std::chrono::duration<double>(std::chrono::steady_clock::now() - debut)
             .count() < secondes)
    Fl::wait(0.05);
}

void BM_allure(benchmark::State& state, modele_machine modele, vitesse v,
               double secondes) {
  simulateur& s = sim();
  s.change_modele(modele);
  const std::string programme = TAMRIX_SOURCE_DIR "/examples/chenillard.s19";
  for (auto _ : state) {
    s.charge_programme(programme.c_str());
    s.controle_execution.choisit_vitesse(v);
    s.controle_execution.demarre();
    tourne(0.5);  // past the start
    const auto debut = std::chrono::steady_clock::now();
    const double processeur = secondes_processeur();
    const unsigned long long cycles = s.controle_execution.cycles(),
                             instructions = s.controle_execution.instructions();
    tourne(secondes);
    const double duree =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - debut)
            .count();
    state.SetIterationTime(duree);
    state.counters["facteur"] =
        (s.controle_execution.cycles() - cycles) / (duree * 2e6);
    state.counters["processeur"] = (secondes_processeur() - processeur) / duree;
    state.counters["instructions_par_s"] =
        (s.controle_execution.instructions() - instructions) / duree;
    state.counters["par_s_processeur"] =
        (s.controle_execution.instructions() - instructions) /
        (secondes_processeur() - processeur);
    s.controle_execution.arrete();
  }
}

}  // namespace

BENCHMARK_CAPTURE(BM_allure, e9_temps_reel, modele_machine::e9,
                  vitesse::temps_reel, 10.0)
    ->UseManualTime()
    ->Iterations(1)
    ->Unit(benchmark::kSecond);
BENCHMARK_CAPTURE(BM_allure, e9_maximum, modele_machine::e9, vitesse::maximum,
                  3.0)
    ->UseManualTime()
    ->Iterations(1)
    ->Unit(benchmark::kSecond);
BENCHMARK_CAPTURE(BM_allure, plat_maximum, modele_machine::plat,
                  vitesse::maximum, 3.0)
    ->UseManualTime()
    ->Iterations(1)
    ->Unit(benchmark::kSecond);
BENCHMARK_MAIN();
