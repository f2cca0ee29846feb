// The history's cost: a run in batches as the GUI makes them, with and
// without the history's snapshots, side by side; going back to a point
// anywhere inside the last 10 million instructions; and a long run (10^9
// instructions, an action of the user every 10^7) through the history as
// the window makes it, then back to random points and forward again, which
// must end in the same state as the straight run, the history within its
// bound (the process's peak RSS reported).
#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <algorithm>
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

// The window's slice: 16384 instructions, the bounds it gives.
arret_machine tranche(machine& m, historique* h, uint64_t fin) {
  conditions_arret c;
  c.attente_bit_libre = c.broches_libres = true;
  c.sur_illegal = conditions_arret::illegal::apres;
  c.max_pas = std::min<uint64_t>(fin, m.instructions + lot);
  c.max_cycles = m.cycles + 4 * lot;
  return h ? h->execute(c) : m.execute(c);
}

// The user's action number k: a pin, a register, a cell of a page of its
// own (the snapshots then hold new pages).
void agit(machine& m, uint64_t k) {
  switch (k % 3) {
    case 0:
      m.pose_broche(static_cast<unsigned char>(broche_pe0 + k % 8),
                    (k / 3) & 1);
      break;
    case 1:
      m.cpu.A = static_cast<unsigned char>(k);
      break;
    default:
      m.ecrit_octet(static_cast<unsigned short>(0x4000 + (k % 64) * 256),
                    static_cast<unsigned char>(k));
  }
}

void va_jusqua(machine& m, historique* h, uint64_t fin, uint64_t pas_action) {
  while (m.instructions < fin) {
    const uint64_t prochaine = (m.instructions / pas_action + 1) * pas_action;
    const uint64_t borne = std::min(fin, prochaine);
    while (m.instructions < borne) tranche(m, h, borne);
    if (m.instructions == prochaine && prochaine < fin) {
      agit(m, prochaine / pas_action);
      if (h) h->note_entree();
    }
  }
}

long rss_max_kio() {
  rusage r{};
  getrusage(RUSAGE_SELF, &r);
  return r.ru_maxrss;
}

void BM_longue_course(benchmark::State& state) {
  const uint64_t total = 1000000000, pas_action = 10000000;
  const int retours = static_cast<int>(state.range(0));
  for (auto _ : state) {
    const std::unique_ptr<machine> m = machine_de_banc(),
                                   temoin = machine_de_banc();
    if (!m || !temoin) return state.SkipWithError("cannot load boucle.s19");
    historique h(*m);
    h.demarre();
    va_jusqua(*m, &h, total, pas_action);
    va_jusqua(*temoin, nullptr, total, pas_action);
    if (!historique::ecart(*m, *temoin).empty())
      return state.SkipWithError("the history changed the run");
    std::mt19937_64 hasard(2024);
    for (int r = 0; r < retours; ++r) {
      const uint64_t cible = h.debut() + hasard() % (total - h.debut());
      if (!h.revient_a(cible)) return state.SkipWithError("out of reach");
      va_jusqua(*m, &h, total, total);  // no new action: the kept ones
      const std::string e = historique::ecart(*m, *temoin);
      if (!e.empty()) return state.SkipWithError(("differs: " + e).c_str());
    }
    if (h.octets() > h.borne()) return state.SkipWithError("over its bound");
    state.counters["instantanes"] = static_cast<double>(h.nombre_instantanes());
    state.counters["historique_Mo"] = h.octets() / 1048576.0;
    state.counters["debut"] = static_cast<double>(h.debut());
  }
  state.counters["RSS_max_Mo"] = rss_max_kio() / 1024.0;
  state.SetItemsProcessed(state.iterations() * 2 * total);
}

}  // namespace

BENCHMARK(BM_longue_course)
    ->Arg(4)
    ->Iterations(1)
    ->Unit(benchmark::kSecond)
    ->UseRealTime();
BENCHMARK_CAPTURE(BM_course, sans_historique, false);
BENCHMARK_CAPTURE(BM_course, avec_historique, true);
BENCHMARK(BM_retour)->Unit(benchmark::kMillisecond);
