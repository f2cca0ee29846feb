// Helpers of the memory tests: files written under the build tree, GNU tools
// run through the shell, and a recognisable memory pattern to detect any
// change made by a loader that fails.
#ifndef TAMRIX_TESTS_MEMORY_OUTILS_H
#define TAMRIX_TESTS_MEMORY_OUTILS_H

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "memory/mem_64k.h"

namespace outils {

inline std::string dossier_essais() {
  const std::string dossier =
      std::string(TAMRIX_BINARY_DIR) + "/essais_memoire";
  std::system(("mkdir -p '" + dossier + "'").c_str());
  return dossier;
}

inline std::string donnees(const std::string& nom) {
  return std::string(TAMRIX_SOURCE_DIR) + "/tests/memory/donnees/" + nom;
}

inline std::string ecrit_fichier(const std::string& nom,
                                 const std::string& contenu) {
  const std::string chemin = dossier_essais() + "/" + nom;
  std::ofstream(chemin, std::ios::binary) << contenu;
  return chemin;
}

inline std::string lit_fichier(const std::string& chemin) {
  std::ifstream fichier(chemin, std::ios::binary);
  std::ostringstream contenu;
  contenu << fichier.rdbuf();
  return contenu.str();
}

// Runs a shell command; the test fails when it does not succeed.
inline void execute(const std::string& commande) {
  ASSERT_EQ(std::system(commande.c_str()), 0) << commande;
}

// The standard output of a shell command.
inline std::string sortie_de(const std::string& commande) {
  std::string sortie;
  if (FILE* tube = popen(commande.c_str(), "r")) {
    char tampon[4096];
    for (std::size_t n; (n = std::fread(tampon, 1, sizeof tampon, tube)) > 0;)
      sortie.append(tampon, n);
    pclose(tube);
  }
  return sortie;
}

// Every cell gets a value from its address, unlike the 0xFF of a fresh
// image, so that any store by a failing loader shows.
inline void remplit_motif(mem_64k& mem) {
  for (unsigned a = 0; a < 0x10000; ++a)
    mem.cellules[a] = static_cast<unsigned short>((a * 7 + (a >> 8)) & 0xFF);
}

inline std::vector<unsigned short> copie(const mem_64k& mem) {
  return std::vector<unsigned short>(std::begin(mem.cellules),
                                     std::end(mem.cellules));
}

}  // namespace outils

#endif
