// The pins' levels now, for persistance::parcourt. See persistance.h.
#include "platine/persistance.h"

namespace persistance {

uint64_t niveaux(const machine& m) {
  uint64_t n = 0;
  for (int b = 0; b < nb_broches; ++b)
    if (m.niveau_broche(static_cast<unsigned char>(b))) n |= uint64_t(1) << b;
  return n;
}

}  // namespace persistance
