// tamrix: a desktop simulator of the MC68HC11 microcontroller.
#include "app/simulateur.h"

int main(int argc, char** argv) {
  simulateur sim(argc, argv);
  sim.interprete_commandes();
  return 0;
}
