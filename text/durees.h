// The time E cycles take at the chip's 2 MHz E clock, as the window writes
// it: a decimal comma and the unit that keeps the number short.
#ifndef TAMRIX_TEXT_DUREES_H
#define TAMRIX_TEXT_DUREES_H

#include <cstdint>
#include <string>

// "0 µs", "2,5 µs", "9999,5 µs" below 10 ms (to the half microsecond, a
// cycle lasting 0.5 µs); "10,000 ms", "61,728 ms" below 10 s (to the
// microsecond); "61,728 s" from there (to the millisecond). Digits past
// the resolution are dropped, not rounded.
std::string texte_duree_e(uint64_t cycles);

#endif
