// The matrix keypad (4x4, 3x4, any size up to 8x8): a key, while held,
// joins its row line to its column line. The program drives one side
// (usually the rows) and reads the other through pull-ups; which side is
// which follows the pins' directions, not the file.
//
// Levels, computed when the chip reads the pins: the lines joined through
// held keys form nets; a net is low when any line of it is driven low by
// the chip, high otherwise (driven high, or only pulled up). A low output
// wins over a high one joined to it, as an output sinking through a key
// wins over one sourcing on the boards' keypads. So three keys held at
// three corners of a rectangle make the fourth corner read as held too:
// ghosting, as on a keypad without diodes.
// Left out: diodes (anti-ghosting keypads), contact bounce of the keys, the
// time a line takes to rise through its pull-up.
#ifndef TAMRIX_PLATINE_CLAVIER_H
#define TAMRIX_PLATINE_CLAVIER_H

#include <cstdint>

#include "platine/description.h"

namespace clavier {

// Key number of row r, column k: r x columns + k.
// The level of every line (rows in bits 0-7, columns in bits 8-15) with the
// keys of `touches` held (bit = key number), the chip driving the lines of
// `pilotees` (same bits) at the levels of `niveaux`.
uint16_t niveaux(const composant_decrit& c, uint64_t touches, uint16_t pilotees,
                 uint16_t niveaux);
// The key a character stands for (its label, either case), or -1.
int touche_de(const composant_decrit& c, char caractere);
// The label of key `touche`.
char etiquette(const composant_decrit& c, int touche);

}  // namespace clavier

#endif
