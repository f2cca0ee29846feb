// Seven-segment LED displays: one digit, or several multiplexed (the
// segment lines a-g and dp shared, one select line per digit).
//
// A segment is an LED: it lights while its line is at the segments'
// active level and its digit is selected. Common cathode (the default):
// segments active high, a digit selected when its common is pulled low;
// common anode the reverse; either can be changed ("segments_actifs",
// "selection_active") for boards that drive the commons through
// transistors, which invert them.
// Multiplexing, as the eye sees it: a program lights one digit at a time,
// each for 1/n of the scan. Over a frame of 20 ms (platine/persistance.h)
// each segment's share of light, scaled by n, is its brightness: about 1
// for a steady scan. The eye takes to the display's light: a segment reads
// as lit from half the brightest one's (half of 1 at most, so that a
// program that blanks its digits half of each turn still shows them), dim
// from 0.1 (a segment caught while the digits switch stays dark). Scanned
// at 50 Hz or more the digits are steady; at 5 Hz a frame catches one or
// two digits, and they flicker from frame to frame as on the board.
// Segment order a..g: a top, b upper right, c lower right, d bottom, e
// lower left, f upper left, g middle; then dp.
// Left out: ghosting from the LEDs' capacitance, the drivers' current.
#ifndef TAMRIX_PLATINE_AFFICHEUR_H
#define TAMRIX_PLATINE_AFFICHEUR_H

#include <string>
#include <vector>

#include "platine/description.h"

class machine;

namespace afficheur {

constexpr double seuil_allume = 0.5;
constexpr double seuil_faible = 0.1;

// For each digit (left first), each segment's brightness (a..g, dp; the
// dp's 0 when the display has none).
std::vector<std::vector<double>> segments(const composant_decrit& c,
                                          const machine& m, bool fige);
// The character segments a..g (bit 0 = a) make: digits, the hexadecimal
// letters (A b C d E F), a few more (- H L P o r u...); ' ' for none, '?'
// for a pattern that is no character.
char caractere(unsigned char motif);
// The brightness from which a segment of the display reads as lit.
double seuil(const std::vector<std::vector<double>>& segments);
// "12.34": each digit's character from its lit segments, and a '.' after
// it when its dp is lit.
std::string texte(const std::vector<std::vector<double>>& segments);

}  // namespace afficheur

#endif
