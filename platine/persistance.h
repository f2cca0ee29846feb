// What the eye sees of pins that light something (LEDs, segments): the
// share of a frame of chip time each was on, read back from the pin log
// (puce/journal.h). The eye integrates light over about 20 ms: a frame is
// 40 000 E cycles at 2 MHz. A display scanned at 50 Hz or more shows
// steady; scanned slower, each frame catches a part of the scan and the
// picture flickers from frame to frame. Nothing here runs while the chip
// runs: the window calls it when it redraws, tamrix-run once at the end.
//
// The frame ends at the machine's count. When the chip's pins no longer
// move (the program ended on a self-loop or a wait, the user steps or
// stopped the run), `fige` takes the pins as they are now, held: what the
// board shows once the eye has settled.
#ifndef TAMRIX_PLATINE_PERSISTANCE_H
#define TAMRIX_PLATINE_PERSISTANCE_H

#include <cstdint>

#include "puce/machine.h"

namespace persistance {

constexpr uint64_t trame = 40000;

// Every pin's level now, one bit each (bit = enum broche).
uint64_t niveaux(const machine& m);

// Calls f(niveaux, duree) for each stretch of the frame during which no
// pin changed, oldest first; the stretches add up to the frame (less
// before cycle 0, or before the oldest change the log still holds).
template <typename F>
void parcourt(const machine& m, bool fige, F f) {
  const uint64_t fin = m.cycles;
  uint64_t n = niveaux(m);
  if (fige) {
    f(n, trame);
    return;
  }
  const journal_broches& j = m.journal;
  uint64_t debut = fin > trame ? fin - trame : 0;
  if (debut < j.complet_depuis()) debut = j.complet_depuis();
  // Back from now to the frame's start: each change undone (a record is
  // a change of level, so the level before it was the other one).
  std::size_t i = j.taille();
  while (i > 0 && j[i - 1].cycle > debut) {
    --i;
    const changement_broche& c = j[i];
    n = (n & ~(uint64_t(1) << c.broche)) |
        (uint64_t(c.niveau ? 0 : 1) << c.broche);
  }
  uint64_t instant = debut;
  for (; i < j.taille(); ++i) {
    const changement_broche& c = j[i];
    if (c.cycle > instant) {
      f(n, c.cycle - instant);
      instant = c.cycle;
    }
    n = (n & ~(uint64_t(1) << c.broche)) | (uint64_t(c.niveau) << c.broche);
  }
  if (fin > instant) f(n, fin - instant);
}

}  // namespace persistance

#endif
