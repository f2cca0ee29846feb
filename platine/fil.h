// A wire: joins an output pin of the chip to an input pin, as a jumper on
// the board does (output compare 5 on PA3 to XIRQ on the evaluation
// boards, a compare's output to an input capture, a port bit to IRQ). The
// input follows the output at the cycle the output changes, so a program
// can measure its own signal, or a trace monitor interrupt itself.
// The output's level is the pin's: while the pin is an input (PA3 before
// PACTL's DDRA3 is set, a port C line with its DDR bit at 0) the line is
// pulled up, as the input's pull-up holds it, and both pins read 1.
// Left out: the wire's delay (none at 2 MHz), a wire joining two outputs.
#ifndef TAMRIX_PLATINE_FIL_H
#define TAMRIX_PLATINE_FIL_H

#include "platine/description.h"

namespace fil {

// The source pin, and the pin it drives.
inline unsigned char source(const composant_decrit& c) { return c.broches[0]; }
inline unsigned char destination(const composant_decrit& c) {
  return c.autres[0];
}

}  // namespace fil

#endif
