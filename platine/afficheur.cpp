// Seven-segment displays from the pin log. See afficheur.h.
#include "platine/afficheur.h"

#include <algorithm>

#include "platine/persistance.h"

namespace afficheur {

std::vector<std::vector<double>> segments(const composant_decrit& c,
                                          const machine& m, bool fige) {
  const std::size_t chiffres = c.autres.empty() ? 1 : c.autres.size();
  std::vector<std::vector<double>> lumiere(chiffres,
                                           std::vector<double>(8, 0.0));
  double total = 0;
  const auto actif = [](uint64_t niveaux, unsigned char broche, bool haut) {
    return ((niveaux >> broche) & 1) == (haut ? 1u : 0u);
  };
  persistance::parcourt(m, fige, [&](uint64_t niveaux, uint64_t duree) {
    total += static_cast<double>(duree);
    for (std::size_t d = 0; d < chiffres; ++d) {
      if (!c.autres.empty() && !actif(niveaux, c.autres[d], c.selection_haute))
        continue;
      for (std::size_t s = 0; s < c.broches.size(); ++s)
        if (actif(niveaux, c.broches[s], c.actif_haut))
          lumiere[d][s] += static_cast<double>(duree);
    }
  });
  if (total == 0) return fige ? lumiere : segments(c, m, true);
  for (auto& chiffre : lumiere)
    for (double& s : chiffre) s = s * static_cast<double>(chiffres) / total;
  return lumiere;
}

char caractere(unsigned char motif) {
  static const struct {
    unsigned char motif;
    char c;
  } table[] = {
      {0x00, ' '}, {0x3F, '0'}, {0x06, '1'}, {0x5B, '2'}, {0x4F, '3'},
      {0x66, '4'}, {0x6D, '5'}, {0x7D, '6'}, {0x7C, 'b'}, {0x07, '7'},
      {0x27, '7'}, {0x7F, '8'}, {0x6F, '9'}, {0x67, '9'}, {0x77, 'A'},
      {0x39, 'C'}, {0x58, 'c'}, {0x5E, 'd'}, {0x79, 'E'}, {0x71, 'F'},
      {0x40, '-'}, {0x76, 'H'}, {0x74, 'h'}, {0x38, 'L'}, {0x73, 'P'},
      {0x5C, 'o'}, {0x50, 'r'}, {0x1C, 'u'}, {0x3E, 'U'}, {0x08, '_'},
      {0x54, 'n'}, {0x78, 't'}, {0x6E, 'y'}, {0x1E, 'J'}, {0x3D, 'G'},
      {0x01, '~'}, {0x30, 'I'},
  };
  for (const auto& e : table)
    if (e.motif == (motif & 0x7F)) return e.c;
  return '?';
}

double seuil(const std::vector<std::vector<double>>& segments) {
  double plus = 0;
  for (const std::vector<double>& chiffre : segments)
    for (double s : chiffre) plus = std::max(plus, s);
  return std::max(seuil_faible, seuil_allume * std::min(plus, 1.0));
}

std::string texte(const std::vector<std::vector<double>>& segments) {
  const double lu = seuil(segments);
  std::string t;
  for (const std::vector<double>& chiffre : segments) {
    unsigned char motif = 0;
    for (int s = 0; s < 7; ++s)
      if (chiffre[s] >= lu) motif |= static_cast<unsigned char>(1 << s);
    t += caractere(motif);
    if (chiffre[7] >= lu) t += '.';
  }
  return t;
}

}  // namespace afficheur
