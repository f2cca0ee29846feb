// The run of tamrix-run: the CPU steps until a stop condition holds; then
// the texts of the dumps and of the final state.
#ifndef TAMRIX_RUN_EXECUTION_H
#define TAMRIX_RUN_EXECUTION_H

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "cpu/interpreteur.h"
#include "memory/mem_64k.h"

enum class raison_arret { boucle, adresse, max_pas, inexistante };

struct conditions_arret {
  std::vector<unsigned> arrets;  // --until addresses
  std::uint64_t max_pas = 0;
};

struct bilan_run {
  std::uint64_t cycles = 0;
  std::uint64_t pas = 0;
  raison_arret raison = raison_arret::max_pas;
};

// Runs the CPU (wired to its memory) from its current state. With a
// non-null `trace`, writes one line per instruction there. Stops after an
// instruction that does not exist (its message written), that lands on an
// --until address, or that leaves PC at its own address; or after max_pas
// instructions. The first of these, in that order, names the stop.
bilan_run execute(interpreteur& cpu, const conditions_arret& conditions,
                  std::FILE* trace);

// "loop", "until", "max-steps" or "illegal".
const char* nom_raison(raison_arret raison);
// The exit status of the program for that stop: 0, 1 or 3.
int statut_sortie(raison_arret raison);

// "PC=b602 A=12 B=00 X=0000 Y=0000 SP=00ff CCR=11010000".
std::string texte_registres(const interpreteur& cpu);
// The final line, without its end of line.
std::string ligne_finale(const interpreteur& cpu, const bilan_run& bilan);
// Lines of "%4x %2x ..." from `debut` to `fin` included, eight bytes each;
// the last line shows only the bytes up to `fin`.
std::string texte_dump(const mem_64k& mem, unsigned debut, unsigned fin);

#endif
