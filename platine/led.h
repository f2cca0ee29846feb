// LEDs: one on a pin, or a bar of them (eight on a port). An LED lights
// while its pin is at its active level: "haut" for an LED from the pin to
// ground through its resistor (the usual lab wiring, the pin sourcing the
// current), "bas" for one from VDD to the pin (the pin sinking it; the
// 68HC11's port pins sink more than they source, so boards often do this).
// What the eye sees is the share of the last frame the LED was lit
// (platine/persistance.h): a pin switched faster than the eye looks dimmer
// (pulse-width modulation), a pin held shows steady.
// Left out: the forward voltage and current, colour mixing.
#ifndef TAMRIX_PLATINE_LED_H
#define TAMRIX_PLATINE_LED_H

#include <string>
#include <vector>

#include "platine/description.h"

class machine;

namespace led {

// Each LED's share of the frame lit, in the component's order.
std::vector<double> parts(const composant_decrit& c, const machine& m,
                          bool fige);
// "10100000": 1 for each LED lit at least half the frame.
std::string texte(const std::vector<double>& parts);

}  // namespace led

#endif
