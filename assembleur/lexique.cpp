// Splitting a line into fields by columns and blanks.
#include "assembleur/lexique.h"

namespace asm11 {

std::string majuscules(std::string_view texte) {
  std::string m(texte);
  for (char& c : m)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  return m;
}

std::size_t saute_blancs(std::string_view t, std::size_t i) {
  while (i < t.size() && blanc(t[i])) ++i;
  return i;
}

bool fin_de_champ(std::string_view t, std::size_t i) {
  return i >= t.size() || blanc(t[i]) || t[i] == ';';
}

champs decoupe(std::string_view ligne) {
  champs c;
  const std::size_t premier = saute_blancs(ligne, 0);
  if (premier >= ligne.size() || ligne[0] == ';' || ligne[premier] == '*' ||
      ligne[premier] == ';') {
    c.commentaire = true;
    return c;
  }
  std::size_t i = 0;
  if (!blanc(ligne[0])) {
    while (i < ligne.size() && !blanc(ligne[i]) && ligne[i] != ';' &&
           ligne[i] != ':')
      ++i;
    c.etiquette = ligne.substr(0, i);
    if (i < ligne.size() && ligne[i] == ':') ++i;
  }
  i = saute_blancs(ligne, i);
  if (i < ligne.size() && ligne[i] == ';') return c;
  c.col_operation = i;
  const std::size_t debut = i;
  while (i < ligne.size() && !blanc(ligne[i]) && ligne[i] != ';') ++i;
  c.operation = ligne.substr(debut, i - debut);
  i = saute_blancs(ligne, i);
  c.col_reste = i;
  c.reste = ligne.substr(i < ligne.size() ? i : ligne.size());
  return c;
}

}  // namespace asm11
