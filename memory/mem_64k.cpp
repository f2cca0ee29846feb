#include "memory/mem_64k.h"

mem_64k::mem_64k() : bus(nullptr) {
  for (unsigned short& cellule : cellules) cellule = 0xFF;
}

// A marked cell without a bus (its system detached) is plain memory.
unsigned char mem_64k::lecture_bus(unsigned short adresse) const {
  if (bus == nullptr) return static_cast<unsigned char>(cellules[adresse]);
  return bus->lit(bus->objet, adresse);
}

void mem_64k::ecriture_bus(unsigned short adresse, unsigned char valeur) {
  if (bus == nullptr)
    ecrit_brut(adresse, valeur);
  else
    bus->ecrit(bus->objet, adresse, valeur);
}

unsigned char mem_64k::consultation_bus(unsigned short adresse) const {
  if (bus == nullptr) return static_cast<unsigned char>(cellules[adresse]);
  return bus->consulte(bus->objet, adresse);
}
