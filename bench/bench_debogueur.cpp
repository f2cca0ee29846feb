// What the debugger's points cost a run, side by side on the CPU-bound
// loop of bench/boucle.s (flat and E9 models): no point at all (the plain
// run, and a run through an empty debugger session: the same loop must
// run), a conditional breakpoint in the loop that never fires, a condition
// over the whole run tested after every instruction (--break-if), one
// watchpoint on a cell nobody writes, and one on a cell written every pass
// with a value condition that never holds. And the call stack's
// reconstruction: a replay from the history's snapshots with the observer of
// calls, after runs of 10^5 to 10^7 instructions (what the "Pile d'appels"
// window costs at each stop; nothing is paid during the runs).
#include <benchmark/benchmark.h>

#include <memory>
#include <string>

#include "debogueur/pile_appels.h"
#include "debogueur/points.h"
#include "puce/historique.h"
#include "puce/machine.h"

namespace {

constexpr int pas_par_tour = 10000;
constexpr unsigned short debut_boucle = 0xB600;
constexpr unsigned short fin_boucle = 0xB648;
constexpr unsigned short boucle = 0xB60D;  // LDAA 0,X: once a pass

enum class cas {
  sans,
  session_vide,
  point_conditionnel,
  condition_globale,
  surveillance_calme,
  surveillance_active
};

void BM_debogueur(benchmark::State& state, modele_machine modele, cas c) {
  const std::unique_ptr<machine> m(new machine(modele));
  const std::string image = TAMRIX_SOURCE_DIR "/bench/boucle.s19";
  if (!m->memoire.load_s19(image.c_str())) {
    state.SkipWithError("cannot load bench/boucle.s19");
    return;
  }
  m->reset();
  debogueur d;
  std::string erreur;
  point_debogage p;
  switch (c) {
    case cas::point_conditionnel:
      p.adresse = boucle;
      p.condition.compile("A == $ff && X == $5000", nullptr, erreur);
      d.points.push_back(std::move(p));
      break;
    case cas::condition_globale:
      d.condition_globale.compile("X == $5000", nullptr, erreur);
      break;
    case cas::surveillance_calme:
    case cas::surveillance_active:
      p.type = point_debogage::sorte::surveillance;
      p.adresse = p.fin = c == cas::surveillance_calme ? 0x3000 : 0x0040;
      p.condition.compile("valeur > 255", nullptr, erreur, true);
      d.points.push_back(std::move(p));
      break;
    default:
      break;
  }
  conditions_arret conditions;
  for (auto _ : state) {
    conditions.max_pas = m->instructions + pas_par_tour;
    if (c == cas::sans) {
      benchmark::DoNotOptimize(m->execute(conditions));
    } else {
      conditions_arret avec = conditions;
      session_debogage s(d, *m, avec);
      benchmark::DoNotOptimize(s.conclut(m->execute(avec)));
    }
  }
  if (m->cpu.PC < debut_boucle || m->cpu.PC >= fin_boucle)
    state.SkipWithError("the program left its loop (a point fired?)");
  state.SetItemsProcessed(state.iterations() * pas_par_tour);
}

void BM_pile_appels(benchmark::State& state) {
  const std::unique_ptr<machine> m(new machine(modele_machine::e9));
  const std::string image = TAMRIX_SOURCE_DIR "/bench/boucle.s19";
  if (!m->memoire.load_s19(image.c_str())) {
    state.SkipWithError("cannot load bench/boucle.s19");
    return;
  }
  m->reset();
  historique h(*m);
  h.demarre();
  conditions_arret c;
  c.max_pas = static_cast<uint64_t>(state.range(0));
  while (m->instructions < c.max_pas) h.execute(c);
  pile_appels p;
  for (auto _ : state) benchmark::DoNotOptimize(p.reconstruit(h));
  state.SetItemsProcessed(state.iterations() * state.range(0));
}

}  // namespace

BENCHMARK(BM_pile_appels)
    ->Arg(100000)
    ->Arg(1000000)
    ->Arg(10000000)
    ->Unit(benchmark::kMillisecond);

#define CAS(modele, c) \
  BENCHMARK_CAPTURE(BM_debogueur, modele##_##c, modele_machine::modele, cas::c)
CAS(plat, sans);
CAS(plat, session_vide);
CAS(plat, point_conditionnel);
CAS(plat, condition_globale);
CAS(plat, surveillance_calme);
CAS(plat, surveillance_active);
CAS(e9, sans);
CAS(e9, session_vide);
CAS(e9, point_conditionnel);
CAS(e9, condition_globale);
CAS(e9, surveillance_calme);
CAS(e9, surveillance_active);
