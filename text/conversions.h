// Number texts: conversions between numbers and their decimal, hexadecimal
// and binary texts. They validate nothing: every input gives a result, and
// characters that are not digits are folded into the number by fixed rules.
// Longs are 32-bit; arithmetic wraps modulo 2^32.
#ifndef TAMRIX_CONVERSIONS_H
#define TAMRIX_CONVERSIONS_H

#include <cstdint>
#include <string>

// The text read as hexadecimal from the first `prefixe` on if it contains
// it, else as decimal with Stol.
int32_t Stoloruhex(const std::string& prefixe, const std::string& texte);
// Hexadecimal: each character shifts by 4 bits, non-digits count 0.
uint32_t Stouhex(const std::string& texte);
// Signed decimal; every character counts its code minus '0'.
int32_t Stol(const std::string& texte);
std::string my_after(const std::string& texte, int position);
std::string my_before(const std::string& texte, int nombre);
// Eight binary digits, bit 7 first.
std::string bin8toS(int valeur);
// One, two or four lower-case hexadecimal digits of the low bits.
std::string hex1toS(int valeur);
std::string hex2toS(int valeur);
std::string hex4toS(int valeur);

#endif
