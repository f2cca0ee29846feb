// Where a loaded program starts after a reset: the reset, then the entry
// point when memory holds no reset vector.
#include "puce/lancement.h"

#include <memory>

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

programme_ouvert charge_sur_memoire_effacee(machine& m,
                                           const std::string& chemin,
                                           const suivi_outils& suivi) {
  // A fresh image, erased as a new machine's, takes the program whole or
  // not at all; then it replaces every byte of the machine's memory.
  const auto image = std::make_unique<mem_64k>();
  programme_ouvert p = ouvre_programme(chemin, *image, suivi);
  if (!p.reussi) return p;
  m.efface_memoire();
  for (unsigned a = 0; a < 0x10000; ++a) {
    const auto adresse = static_cast<unsigned short>(a);
    m.memoire.ecrit_brut(adresse, image->octet_brut(adresse));
  }
  return p;
}
