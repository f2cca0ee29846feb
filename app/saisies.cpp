#include "app/saisies.h"

#include <cctype>
#include <cstdlib>
#include <string>

#include "text/conversions.h"

namespace {

bool blanc(char c) { return std::isspace(static_cast<unsigned char>(c)); }

std::string sans_blancs(const char* texte) {
  std::string s = texte ? texte : "";
  std::string::size_type debut = 0;
  while (debut < s.size() && blanc(s[debut])) ++debut;
  std::string::size_type fin = s.size();
  while (fin > debut && blanc(s[fin - 1])) --fin;
  return s.substr(debut, fin - debut);
}

bool que_des(const std::string& chiffres, int (*est_chiffre)(int)) {
  if (chiffres.empty()) return false;
  for (char c : chiffres)
    if (!est_chiffre(static_cast<unsigned char>(c))) return false;
  return true;
}

}  // namespace

// Reads as scanf's "%x" does (blanks, a sign, an optional 0x, hex digits up
// to the first other character), without its undefined result for numbers
// wider than the target: the low 32 bits are kept.
bool lit_registre_hex(const char* texte, uint32_t* nombre) {
  if (!texte) return false;
  char* fin = nullptr;
  const unsigned long long lu = std::strtoull(texte, &fin, 16);
  if (fin == texte) return false;
  *nombre = static_cast<uint32_t>(lu);
  return true;
}

bool lit_nombre_saisi(const char* texte, int32_t* nombre) {
  const std::string s = sans_blancs(texte);
  std::string hexa;
  if (s.size() > 1 && s[0] == '$')
    hexa = s.substr(1);
  else if (s.size() > 2 && s[0] == '0' && (s[1] == 'x' || s[1] == 'X'))
    hexa = s.substr(2);
  if (!hexa.empty()) {
    if (!que_des(hexa, std::isxdigit)) return false;
    *nombre = Stoloruhex("$", "$" + hexa);
    return true;
  }
  const std::string chiffres = !s.empty() && s[0] == '-' ? s.substr(1) : s;
  if (!que_des(chiffres, std::isdigit)) return false;
  *nombre = Stoloruhex("$", s);
  return true;
}
