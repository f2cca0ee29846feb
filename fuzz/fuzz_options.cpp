// The saved options' reading (text/options_sauvees.h) on arbitrary texts,
// from memory and from a file. Oracles: a text accepted, written back and
// read again gives the same text (the written text is a fixed point); a
// text refused leaves the options untouched and says why in one line; the
// file's reading agrees with the text's.
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "text/options_sauvees.h"

namespace {

std::string chemin_fichier;

void verifie(bool condition, const char* quoi) {
  if (condition) return;
  std::fprintf(stderr, "fuzz_options: %s\n", quoi);
  std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  chemin_fichier = "/tmp/fuzz_options_" + std::to_string(getpid());
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* octets, size_t taille) {
  const std::string texte(reinterpret_cast<const char*>(octets), taille);
  options_sauvees lues;
  std::string erreur;
  const bool accepte = lit_texte_options(texte, lues, erreur);
  const std::string defauts = texte_options(options_sauvees());
  if (accepte) {
    const std::string ecrit = texte_options(lues);
    options_sauvees relues;
    std::string autre;
    verifie(lit_texte_options(ecrit, relues, autre), "texte ecrit refuse");
    verifie(texte_options(relues) == ecrit, "texte ecrit puis relu change");
  } else {
    verifie(texte_options(lues) == defauts, "options changees par un refus");
    verifie(!erreur.empty() && erreur.find('\n') == std::string::npos,
            "raison absente ou sur plusieurs lignes");
  }
  // The same text from a file.
  std::FILE* f = std::fopen(chemin_fichier.c_str(), "wb");
  verifie(f != nullptr, "fichier temporaire");
  if (taille > 0) std::fwrite(octets, 1, taille, f);
  std::fclose(f);
  options_sauvees du_fichier;
  const lecture_options r = lit_options(chemin_fichier, du_fichier);
  verifie((r.etat == etat_options::lu) == (accepte && taille <= 64 * 1024),
          "fichier et texte en desaccord");
  verifie(r.message.find('\n') == std::string::npos, "message sur deux lignes");
  if (r.etat == etat_options::lu)
    verifie(texte_options(du_fichier) == texte_options(lues),
            "fichier et texte lus differemment");
  return 0;
}
