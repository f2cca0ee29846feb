#include "app/saisies.h"

#include <algorithm>
#include <cctype>
#include <climits>
#include <cstdint>
#include <cstdlib>
#include <string>

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

bool lit_registre_hex(const char* texte, uint32_t maximum, uint32_t* nombre,
                      std::string& erreur) {
  const std::string s = sans_blancs(texte);
  std::string chiffres = s;
  if (s.size() > 1 && s[0] == '$')
    chiffres = s.substr(1);
  else if (s.size() > 2 && s[0] == '0' && (s[1] == 'x' || s[1] == 'X'))
    chiffres = s.substr(2);
  if (s.empty()) {
    erreur = "champ vide";
    return false;
  }
  if (!que_des(chiffres, std::isxdigit)) {
    erreur = "\"" + s + "\" n'est pas un nombre hexadécimal";
    return false;
  }
  const std::size_t significatifs =
      chiffres.size() -
      std::min(chiffres.find_first_not_of('0'), chiffres.size());
  const unsigned long long valeur =
      significatifs > 8 ? ~0ull : std::strtoull(chiffres.c_str(), nullptr, 16);
  if (valeur > maximum) {
    erreur = s + (maximum > 0xFF ? " ne tient pas sur 16 bits (0 à ffff)"
                                 : " ne tient pas sur 8 bits (0 à ff)");
    return false;
  }
  *nombre = static_cast<uint32_t>(valeur);
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
    // Up to eight digits, the 32 bits as a signed number ($ffffffff is
    // -1); more, the largest number.
    const std::size_t zeros =
        std::min(hexa.find_first_not_of('0'), hexa.size());
    *nombre = hexa.size() - zeros > 8
                  ? INT32_MAX
                  : static_cast<int32_t>(static_cast<uint32_t>(
                        std::strtoul(hexa.c_str(), nullptr, 16)));
    return true;
  }
  const bool negatif = !s.empty() && s[0] == '-';
  const std::string chiffres = negatif ? s.substr(1) : s;
  if (!que_des(chiffres, std::isdigit)) return false;
  // Past the 32-bit range, the nearest end of it: a huge count stays huge.
  const std::size_t zeros =
      std::min(chiffres.find_first_not_of('0'), chiffres.size());
  const long long valeur = chiffres.size() - zeros > 12
                               ? (1LL << 40)
                               : std::strtoll(chiffres.c_str(), nullptr, 10);
  *nombre =
      static_cast<int32_t>(negatif ? std::max<long long>(-valeur, INT32_MIN)
                                   : std::min<long long>(valeur, INT32_MAX));
  return true;
}
