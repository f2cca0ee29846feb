// Number texts. Every input gives a result; arithmetic is done on unsigned
// 32-bit values so that it wraps modulo 2^32 without overflow.
#include "text/conversions.h"

namespace {

// The code of a character as an 8-bit unsigned value (0 to 255), whatever
// the signedness of char.
uint32_t code_de(char caractere) {
  return static_cast<unsigned char>(caractere);
}

// Value of a hexadecimal digit of either case; any other character counts 0.
uint32_t valeur_hex(char caractere) {
  if (caractere >= '0' && caractere <= '9') return code_de(caractere) - '0';
  if (caractere >= 'a' && caractere <= 'f')
    return code_de(caractere) - 'a' + 10;
  if (caractere >= 'A' && caractere <= 'F')
    return code_de(caractere) - 'A' + 10;
  return 0;
}

// Two's complement reading of 32 bits, without implementation-defined
// conversions.
int32_t signe_de(uint32_t bits) {
  if (bits <= 0x7FFFFFFFu) return static_cast<int32_t>(bits);
  return -static_cast<int32_t>(~bits) - 1;
}

}  // namespace

int32_t Stoloruhex(const std::string& prefixe, const std::string& texte) {
  const std::string::size_type position = texte.find(prefixe);
  if (position == std::string::npos) return Stol(texte);
  return signe_de(Stouhex(texte.substr(position)));
}

uint32_t Stouhex(const std::string& texte) {
  uint32_t nombre = 0;
  for (char caractere : texte) nombre = nombre * 16u + valeur_hex(caractere);
  return nombre;
}

int32_t Stol(const std::string& texte) {
  if (texte.empty()) return 0;
  const bool negatif = texte[0] == '-';
  uint32_t nombre = negatif ? 0u : code_de(texte[0]) - 48u;
  for (std::string::size_type i = 1; i < texte.size(); ++i)
    nombre = nombre * 10u + (code_de(texte[i]) - 48u);
  return signe_de(negatif ? 0u - nombre : nombre);
}

// A negative position counts as 0: the whole text.
std::string my_after(const std::string& texte, int position) {
  if (position <= 0) return texte;
  const auto debut = static_cast<std::string::size_type>(position);
  if (debut >= texte.size()) return "";
  return texte.substr(debut);
}

std::string my_before(const std::string& texte, int nombre) {
  if (nombre <= 0) return "";
  return texte.substr(0, static_cast<std::string::size_type>(nombre));
}

// The number-to-text functions work on the two's complement bits of their
// argument: a negative value gives its low bits (-1 gives ff), never a
// character outside the digits.
std::string bin8toS(int valeur) {
  const unsigned bits = static_cast<unsigned>(valeur);
  std::string texte;
  for (int rang = 7; rang >= 0; --rang)
    texte += ((bits >> rang) & 1u) ? '1' : '0';
  return texte;
}

std::string hex1toS(int valeur) {
  const unsigned reste = static_cast<unsigned>(valeur) & 0xFu;
  const char chiffre =
      static_cast<char>(reste <= 9 ? '0' + reste : 'a' + reste - 10);
  return std::string(1, chiffre);
}

std::string hex2toS(int valeur) {
  return hex1toS(valeur >> 4) + hex1toS(valeur);
}

std::string hex4toS(int valeur) {
  return hex2toS(valeur >> 8) + hex2toS(valeur);
}
