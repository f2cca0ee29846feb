// Contacts and their bounce. See bouton.h.
#include "platine/bouton.h"

#include <algorithm>

namespace contact {

namespace {

// splitmix64: small, and the same numbers on every host.
uint64_t suivant(uint64_t& graine) {
  uint64_t z = (graine += 0x9E3779B97F4A7C15ull);
  z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
  z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
  return z ^ (z >> 31);
}

}  // namespace

bool niveau(const composant_decrit& c, bool actif) {
  return actif == c.actif_haut;
}

std::vector<std::pair<uint64_t, bool>> transitions(const composant_decrit& c,
                                                   int composant,
                                                   bool niveau_final,
                                                   uint64_t cycle) {
  if (c.rebond == 0) return {{cycle, niveau_final}};
  uint64_t graine = (uint64_t(c.graine) << 32) ^ uint64_t(composant) ^
                    (cycle * 0x2545F4914F6CDD1Dull);
  // Three to nine breaks, at random instants of the bounce's time.
  const int coupures = 3 + static_cast<int>(suivant(graine) % 7);
  std::vector<uint64_t> instants;
  for (int i = 0; i < 2 * coupures; ++i)
    instants.push_back(1 + suivant(graine) % (c.rebond - 1 ? c.rebond - 1 : 1));
  std::sort(instants.begin(), instants.end());
  std::vector<std::pair<uint64_t, bool>> t{{cycle, niveau_final}};
  bool n = niveau_final;
  for (uint64_t i : instants) {
    n = !n;
    if (cycle + i > t.back().first)
      t.push_back({cycle + i, n});
    else
      n = !n;  // two instants alike: no transition
  }
  t.push_back({cycle + c.rebond, niveau_final});
  return t;
}

}  // namespace contact
