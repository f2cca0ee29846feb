// Where a loaded program starts after a reset: the reset, then the entry
// point when memory holds no reset vector.
#include "puce/lancement.h"

#include "puce/interruptions.h"

bool vecteur_reset_absent(const machine& m) {
  if (!m.e9()) return true;
  const unsigned short v = static_cast<unsigned short>(
      m.memoire.consulte(vecteur_reset) << 8 |
      m.memoire.consulte(static_cast<unsigned short>(vecteur_reset + 1)));
  return v == 0xFFFF || v == 0x0000;
}

void reset_programme(machine& m, const std::optional<unsigned short>& entree) {
  m.reset();
  if (entree && vecteur_reset_absent(m)) m.cpu.PC = *entree;
}
