#include "memory/mem_64k.h"

mem_64k::mem_64k() : bus(nullptr), surveillant(nullptr) {
  for (unsigned short& cellule : cellules) cellule = 0xFF;
}

// A marked cell without a bus (its system detached) is plain memory.
unsigned char mem_64k::lecture_bus(unsigned short adresse) const {
  const unsigned short marques = cellules[adresse];
  const unsigned char v = bus == nullptr || !(marques & marque_lecture)
                              ? static_cast<unsigned char>(marques)
                              : bus->lit(bus->objet, adresse);
  if ((marques & marque_lecture_surveillee) && surveillant != nullptr &&
      surveillant->lecture != nullptr)
    surveillant->lecture(surveillant->objet, adresse, v);
  return v;
}

void mem_64k::ecriture_bus(unsigned short adresse, unsigned char valeur) {
  const unsigned short marques = cellules[adresse];
  const bool surveillee =
      (marques & marque_surveillance) && surveillant != nullptr;
  const unsigned char avant = surveillee ? consulte(adresse) : 0;
  if (bus == nullptr || !(marques & marque_ecriture))
    ecrit_brut(adresse, valeur);
  else
    bus->ecrit(bus->objet, adresse, valeur);
  if (surveillee)
    surveillant->ecriture(surveillant->objet, adresse, avant,
                          consulte(adresse));
}

unsigned char mem_64k::consultation_bus(unsigned short adresse) const {
  if (bus == nullptr) return static_cast<unsigned char>(cellules[adresse]);
  return bus->consulte(bus->objet, adresse);
}
