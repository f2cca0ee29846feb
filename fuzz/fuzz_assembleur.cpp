// Feeds arbitrary bytes to the built-in assembler as a source file. Any
// input must end (no hang, no crash, every bound holding) with either a
// result or errors; garbage must give errors, never a silent success with
// no line that explains it. INCLUDE can only reach the input itself
// (refused as recursive) or missing files.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "assembleur/assembleur.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* octets, size_t taille) {
  const std::string texte(reinterpret_cast<const char*>(octets), taille);
  const resultat_asm r = assemble_motorola(
      "fuzz.asm", [&](const std::string& chemin, std::string& contenu,
                      std::string& erreur) {
        if (chemin != "fuzz.asm") {
          erreur = "fichier illisible";
          return false;
        }
        contenu = texte;
        return true;
      });
  // Every error counted is explained by a message (up to the bound).
  if (r.nb_erreurs > 0 && r.messages.empty()) std::abort();
  if (r.messages.size() > 2 * 100 + 2) std::abort();
  for (const bloc_octets& b : r.blocs)
    if (b.adresse + b.octets.size() > 0x10000) std::abort();
  if (r.reussi()) {
    // What succeeds can be written and listed.
    const std::string s19 = texte_s19(r);
    const std::string listage = texte_listage(r);
    if (s19.empty() || (r.listage.empty() && !texte.empty() &&
                        texte.find_first_not_of("\r\n") != std::string::npos))
      std::abort();
  }
  return 0;
}
