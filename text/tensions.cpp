// Reading and writing voltages in volts. See tensions.h.
#include "text/tensions.h"

#include <cstdio>

bool lit_tension(const std::string& texte, int64_t& microvolts) {
  std::size_t i = 0, n = texte.size();
  while (i < n && texte[i] == ' ') ++i;
  while (n > i && texte[n - 1] == ' ') --n;
  if (n > i && (texte[n - 1] == 'V' || texte[n - 1] == 'v')) {
    --n;
    while (n > i && texte[n - 1] == ' ') --n;
  }
  bool negatif = false;
  if (i < n && texte[i] == '-') {
    negatif = true;
    ++i;
  }
  int64_t entier = 0, fraction = 0;
  int chiffres_entiers = 0, decimales = 0;
  bool separateur = false, arrondi = false;
  for (; i < n; ++i) {
    const char c = texte[i];
    if (c == '.' || c == ',') {
      if (separateur) return false;
      separateur = true;
    } else if (c >= '0' && c <= '9') {
      if (!separateur) {
        if (++chiffres_entiers > 9) return false;
        entier = entier * 10 + (c - '0');
      } else if (decimales < 6) {
        fraction = fraction * 10 + (c - '0');
        ++decimales;
      } else if (decimales++ == 6) {
        arrondi = c >= '5';
      }
    } else {
      return false;
    }
  }
  if (chiffres_entiers == 0 && decimales == 0) return false;
  for (int d = decimales; d < 6; ++d) fraction *= 10;
  const int64_t v = entier * 1000000 + fraction + (arrondi ? 1 : 0);
  microvolts = negatif ? -v : v;
  return true;
}

std::string texte_tension(int64_t microvolts) {
  char texte[32];
  const bool negatif = microvolts < 0;
  const int64_t v = negatif ? -microvolts : microvolts;
  int n = std::snprintf(texte, sizeof texte, "%s%lld.%06lld",
                        negatif ? "-" : "", static_cast<long long>(v / 1000000),
                        static_cast<long long>(v % 1000000));
  while (texte[n - 1] == '0') texte[--n] = '\0';
  if (texte[n - 1] == '.') texte[--n] = '\0';
  return texte;
}
