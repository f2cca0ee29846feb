// The character LCD module: an HD44780U controller (platine/hd44780.h)
// and its glass, 16x2, 20x4 or other, with a green or blue backlight; on
// port pins or in the address space.
//
// On pins (data sheet, "Interfacing to the MPU"): RS chooses the register,
// R/W the direction (tied low when absent: writes only), E strobes. The
// controller takes what RS, R/W and the data lines hold at E's falling edge
// (their levels just before the edge when they change with it: the hold
// time). With R/W = 1 it drives the data lines while E is high: the busy
// flag and the address counter (RS = 0) or DR (RS = 1), computed for the
// cycle at which the chip reads the port; otherwise its lines are pulled
// up (the controller's own pull-ups).
// 8-bit interface: D0-D7, one transfer per E pulse. 4-bit interface: D4-D7
// only. After power-on the controller is in 8-bit mode: each pulse is a
// whole transfer with D0-D3 at 0, so the data sheet's sequence (three
// function sets $3x, then $2x) works and the function set $2x alone
// switches to 4 bits; from then on each transfer is two pulses, the high
// nibble first, for writes and reads alike (the busy flag in the first).
// Memory-mapped (expanded mode): the instruction register at `adresse`,
// DR at `adresse` + 1, E being the bus's own strobe of each access (the
// access's cycle); R/W the CPU's.
// Left out: timing violations shorter than an E cycle (setup and hold
// times are met or, for lines changed with E, the old levels are taken),
// the contrast voltage.
#ifndef TAMRIX_PLATINE_LCD_H
#define TAMRIX_PLATINE_LCD_H

#include <cstdint>
#include <string>

#include "platine/description.h"
#include "platine/hd44780.h"

namespace lcd {

// E fell at `cycle` with RS, R/W and the data lines (bit i = line i of the
// component: D0-D7, or D4-D7) at these levels.
void front_e(etat_hd44780& e, const composant_decrit& c, bool rs, bool rw,
             unsigned donnees, uint64_t cycle);
// What the controller drives on the data lines (bit i = line i) while E is
// high in a read at `cycle`.
unsigned sortie(const etat_hd44780& e, const composant_decrit& c, bool rs,
                uint64_t cycle);
// A memory-mapped module: the CPU's write and read at their cycle, and a
// look without effect.
void ecrit_bus(etat_hd44780& e, const composant_decrit& c, bool rs,
               unsigned char octet, uint64_t cycle);
unsigned char lit_bus(etat_hd44780& e, const composant_decrit& c, bool rs,
                      uint64_t cycle);
unsigned char consulte_bus(const etat_hd44780& e, const composant_decrit& c,
                           bool rs, uint64_t cycle);
// `"Bonjour         " "                "`: each line of the module.
std::string texte(const etat_hd44780& e, const composant_decrit& c);

}  // namespace lcd

#endif
