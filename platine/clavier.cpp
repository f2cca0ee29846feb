// The keypad's nets. See clavier.h.
#include "platine/clavier.h"

#include <cctype>

namespace clavier {

uint16_t niveaux(const composant_decrit& c, uint64_t touches, uint16_t pilotees,
                 uint16_t niveaux) {
  const int nl = static_cast<int>(c.broches.size());
  const int nc = static_cast<int>(c.autres.size());
  // Union-find over the lines: rows 0..7, columns 8..15.
  int parent[16];
  for (int i = 0; i < 16; ++i) parent[i] = i;
  const auto racine = [&](int i) {
    while (parent[i] != i) i = parent[i] = parent[parent[i]];
    return i;
  };
  for (int r = 0; r < nl; ++r)
    for (int k = 0; k < nc; ++k)
      if ((touches >> (r * nc + k)) & 1) parent[racine(r)] = racine(8 + k);
  // A net is low when one of its lines is driven low.
  bool bas[16] = {};
  for (int i = 0; i < 16; ++i)
    if (((pilotees >> i) & 1) && !((niveaux >> i) & 1)) bas[racine(i)] = true;
  uint16_t resultat = 0;
  for (int i = 0; i < 16; ++i)
    if (!bas[racine(i)]) resultat = static_cast<uint16_t>(resultat | 1u << i);
  return resultat;
}

int touche_de(const composant_decrit& c, char caractere) {
  const int nc = static_cast<int>(c.autres.size());
  const auto bas = [](char x) {
    return static_cast<char>(std::tolower(static_cast<unsigned char>(x)));
  };
  for (std::size_t r = 0; r < c.touches.size(); ++r)
    for (int k = 0; k < nc; ++k)
      if (bas(c.touches[r][k]) == bas(caractere))
        return static_cast<int>(r) * nc + k;
  return -1;
}

char etiquette(const composant_decrit& c, int touche) {
  const int nc = static_cast<int>(c.autres.size());
  return c.touches[touche / nc][touche % nc];
}

}  // namespace clavier
