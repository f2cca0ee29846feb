// LEDs from the pin log. See led.h.
#include "platine/led.h"

#include "platine/persistance.h"

namespace led {

std::vector<double> parts(const composant_decrit& c, const machine& m,
                          bool fige) {
  std::vector<double> allume(c.broches.size(), 0.0);
  double total = 0;
  persistance::parcourt(m, fige, [&](uint64_t niveaux, uint64_t duree) {
    total += static_cast<double>(duree);
    for (std::size_t i = 0; i < c.broches.size(); ++i)
      if (((niveaux >> c.broches[i]) & 1) == (c.actif_haut ? 1u : 0u))
        allume[i] += static_cast<double>(duree);
  });
  if (total == 0) return fige ? allume : parts(c, m, true);
  for (double& a : allume) a /= total;
  return allume;
}

std::string texte(const std::vector<double>& parts) {
  std::string t;
  for (double p : parts) t += p >= 0.5 ? '1' : '0';
  return t;
}

}  // namespace led
