// Voltages typed by the user (the analog inputs window, tamrix-run's
// --analog): a decimal number of volts with a dot or a comma, read to the
// microvolt. Leaves out any unit other than the volt and any exponent.
#ifndef TAMRIX_TEXT_TENSIONS_H
#define TAMRIX_TEXT_TENSIONS_H

#include <cstdint>
#include <string>

// "2.5", "2,5", " 3 ", ".7", "-1", "4.2 V": blanks around, an optional
// minus sign, digits with at most one dot or comma (a digit on at least
// one side), an optional "V" or "v". Decimals past the sixth are rounded
// (half up). False for anything else, or more than nine integer digits;
// `microvolts` is then untouched.
bool lit_tension(const std::string& texte, int64_t& microvolts);

// "2.5", "0", "3.333333": volts with the decimals needed, a dot.
std::string texte_tension(int64_t microvolts);

#endif
