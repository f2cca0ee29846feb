// The potentiometer's wiper as an analog input. See potentiometre.h.
#include "platine/potentiometre.h"

#include "puce/machine.h"

namespace potentiometre {

int entree(const composant_decrit& c) { return c.broches[0] - broche_pe0; }

bool pose(machine& m, const composant_decrit& c, int32_t microvolts) {
  if (microvolts < 0 || microvolts > can::vdd) return false;
  int32_t t[can::nb_entrees];
  m.tensions(t);
  t[entree(c)] = microvolts;
  return m.pose_tensions(t);
}

int32_t tension(const machine& m, const composant_decrit& c) {
  int32_t t[can::nb_entrees];
  m.tensions(t);
  return t[entree(c)];
}

}  // namespace potentiometre
