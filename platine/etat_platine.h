// The state of the board around the chip: what its components hold
// besides the pins (which are the chip's state). A plain value, copied
// with the machine's state (puce/machine.h, etat_machine) so that stepping
// back and replaying bring the board back with the chip. Empty when no
// board is attached.
#ifndef TAMRIX_PLATINE_ETAT_PLATINE_H
#define TAMRIX_PLATINE_ETAT_PLATINE_H

#include <cstdint>
#include <vector>

#include "platine/hd44780.h"

// The user's side of one component: a button pressed, the switches on, the
// keys held (one bit each, element 0 in bit 0), and the number of its
// last action (a bounce from an older action is dropped).
struct etat_commande {
  uint64_t valeur = 0;
  unsigned char action = 0;
};

struct etat_platine {
  std::vector<etat_commande> commandes;  // one per component, by index
  std::vector<etat_hd44780> lcd;         // one per LCD, in file order
};

#endif
