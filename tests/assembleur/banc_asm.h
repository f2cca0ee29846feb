// Helpers of the assembler's tests: a source given as text (the files it
// includes too, by name), and the bytes made, as text.
#ifndef TAMRIX_TESTS_ASSEMBLEUR_BANC_ASM_H
#define TAMRIX_TESTS_ASSEMBLEUR_BANC_ASM_H

#include <cstdio>
#include <map>
#include <string>

#include "assembleur/assembleur.h"

// Assembles `texte` as the file "essai.asm"; INCLUDE finds `autres`.
inline resultat_asm assemble_texte(
    const std::string& texte,
    const std::map<std::string, std::string>& autres = {}) {
  return assemble_motorola(
      "essai.asm", [&](const std::string& chemin, std::string& contenu,
                       std::string& erreur) {
        if (chemin == "essai.asm") {
          contenu = texte;
          return true;
        }
        const auto f = autres.find(chemin);
        if (f == autres.end()) {
          erreur = "fichier illisible : No such file or directory";
          return false;
        }
        contenu = f->second;
        return true;
      });
}

// "b600:96 20 b610:01": each block's address and bytes.
inline std::string image(const resultat_asm& r) {
  std::string s;
  char t[8];
  for (const bloc_octets& b : r.blocs) {
    std::snprintf(t, sizeof t, "%04x:", b.adresse);
    s += (s.empty() ? "" : " ") + std::string(t);
    for (std::size_t k = 0; k < b.octets.size(); ++k) {
      std::snprintf(t, sizeof t, k ? " %02x" : "%02x", b.octets[k]);
      s += t;
    }
  }
  return s;
}

#endif
