// Contacts: the push button (momentary: closed while held), the toggle
// switch and the bank of DIP switches on a port.
//
// Wiring as on the lab boards: a contact pulls its pin to ground against a
// pull-up resistor, so a pressed button reads 0 and a released one 1
// ("actif" = "bas", a button's default); "haut" wires it to VDD against a
// pull-down. A switch or DIP switch "on" reads 1 unless told "bas".
// Contact bounce (option "rebond", in ms): a mechanical contact does not
// close or open cleanly; for a few milliseconds it makes and breaks
// several times. The bounce here is random transitions within that time
// after each press and release, then the settled level; random but
// seeded ("graine", the component and the cycle of the action), so the
// same run bounces the same way, in the window and in tamrix-run, which is
// what a debouncing lab needs to be graded.
// Left out: contact resistance, the RC time of the pull-up, bounce of DIP
// switches.
#ifndef TAMRIX_PLATINE_BOUTON_H
#define TAMRIX_PLATINE_BOUTON_H

#include <cstdint>
#include <utility>
#include <vector>

#include "platine/description.h"

namespace contact {

// The pin's level with the contact pressed / on (`actif`) or not.
bool niveau(const composant_decrit& c, bool actif);
// The transitions of a bounce after an action at `cycle` that settles the
// pin at `niveau_final`, in order: the first at `cycle` itself (the first
// touch), the last, at cycle + c.rebond, the settled level. Only the
// settled level when the contact does not bounce.
std::vector<std::pair<uint64_t, bool>> transitions(const composant_decrit& c,
                                                   int composant,
                                                   bool niveau_final,
                                                   uint64_t cycle);

}  // namespace contact

#endif
