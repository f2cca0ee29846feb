// Expressions as the freeware assemblers' manual defines them: constants
// (decimal, $hex, %binary, @octal, 'c a character), symbols and '*' (the
// location counter: the first byte of the line's instruction), joined by
// + - * / % & | ^ and evaluated strictly from left to right, with no
// precedence ("2+3*4" is 20), in signed 16-bit two's complement arithmetic
// (every intermediate result wraps to 16 bits; / and % are signed and
// truncate toward zero).
//
// Extensions, none of which can change the value of a source that follows
// the manual (such a source never contains them): a unary '-' before a
// term, parentheses (evaluated first, nested at most profondeur_max deep),
// and a closing quote after a character constant ('A' is 'A).
//
// Evaluation stops at the first character that cannot continue the
// expression (a blank, a comma, the end); the caller decides whether what
// follows is allowed.
#ifndef TAMRIX_ASSEMBLEUR_EXPRESSION_H
#define TAMRIX_ASSEMBLEUR_EXPRESSION_H

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

namespace asm11 {

constexpr int profondeur_max = 32;

// Looks a symbol up: true with its value when it is defined at this point.
using cherche_symbole = std::function<bool(std::string_view nom, int& valeur)>;

struct valeur_expression {
  int valeur = 0;       // -32768..32767
  bool connue = true;   // every symbol was defined
  std::string inconnu;  // the first symbol that was not
  std::string erreur;   // a malformed expression ("" when sound)
  std::size_t fin = 0;  // where the expression stopped
  bool vide = false;    // no term at all at the start
};

valeur_expression evalue(std::string_view texte, std::size_t debut,
                         int compteur, const cherche_symbole& symbole);

// The value as the 16-bit word the assembler stores.
inline unsigned short mot(int v) { return static_cast<unsigned short>(v); }

}  // namespace asm11

#endif
