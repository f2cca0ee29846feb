// General string helpers: number texts and parsing, checks of text form,
// case folding, substitution, records and tokens, and two path operations.
// Texts are byte strings; a blank is the space character only. Numbers are
// 32-bit unless stated and wrap modulo 2^32 (64-bit for Stoll). None of these
// operations throws; the three diagnostics go to standard error.
#ifndef TAMRIX_CHAINES_H
#define TAMRIX_CHAINES_H

#include <cstdint>
#include <string>

// Number texts.

// A new zero-terminated copy of the text; release it with delete[].
char* Stoa(const std::string& texte);
std::string ctoS(char caractere);
std::string unslong2S(uint32_t nombre);
std::string long2S(int32_t nombre);
// Base 8 written with the letters 'A' (0) to 'H' (7): 8 gives "BA".
std::string unslongbyS(uint32_t nombre);
// Eight lower-case hexadecimal digits.
std::string hex8toS(uint32_t nombre);
// Integer part, ".", then exactly `decimales` decimals; an exact half is
// rounded down, and rounding up to the next unit carries into the integer
// part (0.999 with two decimals gives "1.00").
std::string dtoS(double valeur, int decimales);

// Number parsing; no validation: a character in a digit position counts its
// code minus '0'.

int32_t Stoi(const std::string& texte);
int64_t Stoll(const std::string& texte);
// Decimal number whose decimals are counted from the last `separateur`.
double Stod(const std::string& texte, char separateur);
// Hexadecimal before the first `marqueur`, decimal when there is none.
int32_t Stohex(const std::string& texte, char marqueur);
// Hexadecimal in two's complement over as many digits as the text holds.
int32_t Stoshex(const std::string& texte);
uint32_t Stoubin(const std::string& texte);
// Binary in two's complement over as many bits as the text holds.
int32_t Stosbin(const std::string& texte);

// Checks of form.

bool checkuint(const std::string& texte);
bool checkint(const std::string& texte);
bool checkdouble(const std::string& texte);
bool checkhex(const std::string& texte);
bool checkhexintel(const std::string& texte);
bool checkbin(const std::string& texte);
bool checkvarname(const std::string& texte);
bool checkvarname_with_pre_underscore(const std::string& texte);
// Identifier character: digit, ASCII letter, '_' or '@'.
bool est_lc(char caractere);
bool check_ISO_8859_1_alphabetical_letter(char caractere);

// Case.

std::string downcase(const std::string& texte);
// Bytes from 0x80 up are dropped.
std::string upcase(const std::string& texte);
// French accented letters lose their accent; other bytes from 0x80 up are
// dropped.
std::string upcase_accent(const std::string& texte);

// Substitution and trimming. An empty search text leaves the text unchanged.

std::string substitute_char(const std::string& texte, char cherche,
                            char remplacant);
std::string substitute_char(const std::string& texte, char cherche,
                            const std::string& remplacement);
std::string substitute_string(const std::string& texte,
                              const std::string& cherche,
                              const std::string& remplacement);
// Replaces only the occurrences that stand as whole identifiers.
std::string substitute_token(const std::string& texte,
                             const std::string& cherche,
                             const std::string& remplacement);
std::string latex_String_filter(const std::string& texte);
std::string cancel_begin_end_spaces(const std::string& texte);
std::string clever_substitute_space(const std::string& texte, char remplacant);
std::string bdelete(const std::string& texte);

// Search.

int find(const std::string& texte, const std::string& cherche);
bool contains(const std::string& texte, const std::string& cherche);
bool contains_token(const std::string& texte, const std::string& cherche);
int char_occurences(const std::string& texte, char caractere);
// Characters from index `debut` to `fin` - 1, clipped to the text.
std::string my_at(const std::string& texte, int debut, int fin);

// Records and tokens. `reste` may be the same object as `texte`.

std::string next_record(const std::string& texte, char separateur,
                        std::string& reste);
std::string last_record(const std::string& texte, char separateur,
                        std::string& reste);
std::string next_Stringtoken(const std::string& texte, char separateur,
                             std::string& reste);

// Paths; '/' separates directories.

std::string supress_filename_extension(const std::string& chemin);
// The current directory with '/' separators; "" when it cannot be read.
std::string my_current_directory();
// `cible` relative to `base` (the current directory when empty).
std::string relative_directory_path(const std::string& cible,
                                    const std::string& base);

#endif
