// Where a loaded program starts after a reset, for the window and
// tamrix-run alike. An S19 image has no entry point: the reset alone decides
// (E9: the reset vector at $FFFE, or $B600 while it is erased; flat: $B600).
// An ELF file (or a linked source file) names its entry point: it replaces
// the $B600 of an erased vector, and a reset vector that memory holds
// still wins, as on the chip. Left out: the other vectors (COP, clock
// monitor), which only internal resets take.
#ifndef TAMRIX_PUCE_LANCEMENT_H
#define TAMRIX_PUCE_LANCEMENT_H

#include <optional>
#include <string>

#include "memory/programme.h"
#include "puce/machine.h"

// True when the reset vector would not be taken: $FFFE-$FFFF holds $FFFF
// (erased) or $0000 (cleared), or the model has no vectors (flat).
bool vecteur_reset_absent(const machine& m);

// Resets `m`; then, when the program has an entry point and the reset took
// no vector from memory (vecteur_reset_absent), PC = that entry point.
void reset_programme(machine& m, const std::optional<unsigned short>& entree);

// Loads a program (memory/programme.h) onto erased memory, as tamrix-run
// starts a new machine: on success every byte of memory is $FF (RAM,
// external memory, EEPROM and ROM alike, machine::efface_memoire) but the
// program's, so nothing of a previous program (a reset vector, the tail
// of a longer one) is left. On failure memory is as it was. The caller
// resets (reset_programme).
// `suivi` follows the GNU tools while a source is assembled
// (memory/assembleur.h).
programme_ouvert charge_sur_memoire_effacee(machine& m,
                                           const std::string& chemin,
                                           const suivi_outils& suivi = {});

#endif
