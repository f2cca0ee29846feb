// Escapes of bytes written as text. See echappements.h.
#include "serie/echappements.h"

#include <cstdio>

namespace {

int chiffre_hex(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

}  // namespace

bool decode_echappements(const std::string& texte, std::string& octets,
                         std::string& fautive) {
  for (std::size_t i = 0; i < texte.size(); ++i) {
    if (texte[i] != '\\') {
      octets += texte[i];
      continue;
    }
    const char c = i + 1 < texte.size() ? texte[i + 1] : '\0';
    const int fort = i + 2 < texte.size() ? chiffre_hex(texte[i + 2]) : -1;
    const int faible = i + 3 < texte.size() ? chiffre_hex(texte[i + 3]) : -1;
    switch (c) {
      case 'r':
        octets += '\r';
        break;
      case 'n':
        octets += '\n';
        break;
      case 't':
        octets += '\t';
        break;
      case '\\':
      case '"':
        octets += c;
        break;
      case 'x':
        if (fort >= 0 && faible >= 0) {
          octets += static_cast<char>(fort * 16 + faible);
          i += 3;
          continue;
        }
        [[fallthrough]];
      default:
        fautive = texte.substr(i, c == 'x' ? 4 : 2);
        return false;
    }
    ++i;
  }
  return true;
}

std::string ecrit_echappements(const std::string& octets) {
  std::string texte;
  for (char c : octets) {
    const auto o = static_cast<unsigned char>(c);
    switch (c) {
      case '\r':
        texte += "\\r";
        break;
      case '\n':
        texte += "\\n";
        break;
      case '\t':
        texte += "\\t";
        break;
      case '\\':
        texte += "\\\\";
        break;
      case '"':
        texte += "\\\"";
        break;
      default:
        if (o >= 0x20 && o < 0x7F) {
          texte += c;
        } else {
          char hex[8];
          std::snprintf(hex, sizeof hex, "\\x%02x", o);
          texte += hex;
        }
    }
  }
  return texte;
}
