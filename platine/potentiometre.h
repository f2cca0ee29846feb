// The potentiometer (a slider): a resistor between VRL's 0 V and VDD's
// 5 V whose wiper goes to an analog input AN0-AN7 (port E). Its position
// is the input's voltage, the one the analog inputs window ("Ports...") and
// tamrix-run's --analog set: moving either moves the other. The A/D
// converter (puce/can.h) samples it; port E's digital read of the pin
// gives 1 from 3.5 V up.
// Left out: the wiper's resistance and the source impedance the A/D
// converter's sampling sees, noise.
#ifndef TAMRIX_PLATINE_POTENTIOMETRE_H
#define TAMRIX_PLATINE_POTENTIOMETRE_H

#include <cstdint>

#include "platine/description.h"

class machine;

namespace potentiometre {

// The analog input (0-7) of the component.
int entree(const composant_decrit& c);
// The wiper at `microvolts` (0-5 V): false, nothing changed, outside.
bool pose(machine& m, const composant_decrit& c, int32_t microvolts);
int32_t tension(const machine& m, const composant_decrit& c);

}  // namespace potentiometre

#endif
