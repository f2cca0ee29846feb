#include "text/durees.h"

#include <cstdio>

std::string texte_duree_e(uint64_t cycles) {
  const unsigned long long us = cycles / 2;
  char texte[48];
  if (cycles < 20000)
    std::snprintf(texte, sizeof texte, "%llu%s \xC2\xB5s", us,
                  cycles % 2 ? ",5" : "");
  else if (cycles < 20000000)
    std::snprintf(texte, sizeof texte, "%llu,%03llu ms", us / 1000, us % 1000);
  else
    std::snprintf(texte, sizeof texte, "%llu,%03llu s", us / 1000000,
                  us / 1000 % 1000);
  return texte;
}
