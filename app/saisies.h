// Readers of the numbers the user types into the main window's fields.
#ifndef TAMRIX_APP_SAISIES_H
#define TAMRIX_APP_SAISIES_H

#include <cstdint>
#include <string>

// A register field: blanks around, an optional "$" or "0x", hexadecimal
// digits and nothing else, a value of at most `maximum` ($ff for A and B,
// $ffff for the others). False with the reason in `erreur` (in French,
// naming the text): *nombre is untouched.
bool lit_registre_hex(const char* texte, uint32_t maximum, uint32_t* nombre,
                      std::string& erreur);

// A memory-fill field: a decimal number with an optional minus sign, "$"
// and hexadecimal digits (eight at most, read as a signed 32-bit number:
// $ffffffff is -1), or "0x" and hexadecimal digits, with blanks around
// allowed. A number past the 32-bit range gives the nearest end of it
// (never a small number). False for anything else: *nombre is untouched.
bool lit_nombre_saisi(const char* texte, int32_t* nombre);

#endif
