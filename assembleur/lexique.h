// The fields of a source line, as the freeware assemblers' manual defines
// them: a label starting in column 1 (a trailing colon accepted and not
// part of it), the operation after at least one blank, then the rest of
// the line. Where the operand field of the rest ends depends on the
// operation (a blank ends it, but not inside a character constant, an FCC
// string or the blank-separated operands of the bit instructions), so the
// rest is left whole here; the helpers below read it.
//
// Comment lines: '*' or ';' in column 1, and (as Motorola's assemblers do)
// a line whose first non-blank character is '*'. An empty line is a
// comment too. ';' starts a comment anywhere outside the operand's strings.
#ifndef TAMRIX_ASSEMBLEUR_LEXIQUE_H
#define TAMRIX_ASSEMBLEUR_LEXIQUE_H

#include <cstddef>
#include <string>
#include <string_view>

namespace asm11 {

struct champs {
  bool commentaire = false;  // nothing to assemble on the line
  std::string_view etiquette;
  std::string_view operation;
  std::string_view reste;  // after the operation and its blanks
  std::size_t col_etiquette = 0, col_operation = 0, col_reste = 0;  // 0-based
};

champs decoupe(std::string_view ligne);

inline bool blanc(char c) { return c == ' ' || c == '\t' || c == '\r'; }
inline bool lettre(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}
inline bool chiffre(char c) { return c >= '0' && c <= '9'; }
// A symbol: a letter, '.' or '_', then letters, digits, '.', '_' or '$'.
inline bool debut_symbole(char c) { return lettre(c) || c == '.' || c == '_'; }
inline bool suite_symbole(char c) {
  return debut_symbole(c) || chiffre(c) || c == '$';
}

// `texte` with its ASCII letters in capitals, every other byte kept
// (mnemonics, directives and registers are read in any case; text/chaines'
// upcase drops bytes from 0x80, which would let "NOP\xe9" read as NOP).
std::string majuscules(std::string_view texte);

// The position of the first non-blank character of `t` from `i`.
std::size_t saute_blancs(std::string_view t, std::size_t i);

// True when nothing but blanks or a comment follows `i`.
bool fin_de_champ(std::string_view t, std::size_t i);

}  // namespace asm11

#endif
