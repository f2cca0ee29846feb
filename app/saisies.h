// Readers of the numbers the user types into the main window's fields.
#ifndef TAMRIX_APP_SAISIES_H
#define TAMRIX_APP_SAISIES_H

#include <cstdint>

// A register field, read as scanf's "%x" reads it (blanks, optional sign,
// optional 0x, hexadecimal digits up to the first other character).
// False when the text holds no hexadecimal number: *nombre is untouched.
bool lit_registre_hex(const char* texte, uint32_t* nombre);

// A memory-fill field: a decimal number with an optional minus sign, "$"
// and hexadecimal digits, or "0x" and hexadecimal digits, with blanks
// around allowed. Read modulo 2^32 like the other number texts. False for
// anything else: *nombre is untouched.
bool lit_nombre_saisi(const char* texte, int32_t* nombre);

#endif
