// Feeds arbitrary bytes to the ELF loader as a file. A load that fails must
// leave memory, entry point and debug information exactly as they were; one
// that succeeds stores only byte values and gives tables whose lookups agree
// with their contents. The last bytes of the input also go to the address
// expression reader. Start it on ELF files made by the GNU tools (see the
// README): from random bytes alone it rarely gets past the ELF header.
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iostream>
#include <string>

#include "memory/mem_64k.h"
#include "memory/symboles.h"

namespace {

std::string chemin_fichier;

void ecrit(const uint8_t* octets, size_t taille) {
  std::FILE* fichier = std::fopen(chemin_fichier.c_str(), "wb");
  if (fichier == nullptr) std::abort();
  if (taille > 0 && std::fwrite(octets, 1, taille, fichier) != taille)
    std::abort();
  std::fclose(fichier);
}

void verifie_tables(const infos_debogage& infos) {
  for (const symbole& s : infos.symboles()) {
    const symbole* trouve = infos.cherche(s.nom);
    if (trouve == nullptr || trouve->nom != s.nom) std::abort();
    if (infos.nom_a(s.valeur).empty()) std::abort();
  }
  unsigned precedente = 0;
  for (const ligne_source& l : infos.lignes()) {
    if (l.adresse < precedente || l.fichier >= infos.fichiers().size())
      std::abort();
    precedente = l.adresse;
    if (l.fin_de_sequence || l.adresse > 0xFFFF) continue;
    const ligne_source* couvre =
        infos.ligne_a(static_cast<unsigned short>(l.adresse));
    if (couvre == nullptr || couvre->adresse != l.adresse) std::abort();
    unsigned short premiere = 0;
    if (!infos.adresse_de(infos.fichiers()[l.fichier], l.ligne, premiere) ||
        premiere > l.adresse)
      std::abort();
  }
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  chemin_fichier = "/tmp/fuzz_elf_" + std::to_string(getpid()) + ".elf";
  // Silences the diagnostics of the loader on std::cerr; the sanitizers and
  // libFuzzer keep the standard error stream for their reports.
  static std::ofstream nulle("/dev/null");
  std::cerr.rdbuf(nulle.rdbuf());
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* octets, size_t taille) {
  static mem_64k avant;
  static mem_64k mem;
  static bool motif_pose = false;
  if (!motif_pose) {
    for (unsigned a = 0; a < 0x10000; ++a)
      avant.cellules[a] = static_cast<unsigned short>((a ^ (a >> 8)) & 0xFF);
    motif_pose = true;
  }
  std::memcpy(mem.cellules, avant.cellules, sizeof mem.cellules);
  ecrit(octets, taille);
  unsigned short entree = 0x4242;
  infos_debogage infos;
  infos.ajoute_symbole({"temoin", 0x1234, true});
  infos.termine();
  const int resultat = mem.load_elf(chemin_fichier.c_str(), &entree, &infos);
  if (resultat != 0 && resultat != 1) std::abort();
  if (resultat == 0 &&
      (std::memcmp(avant.cellules, mem.cellules, sizeof mem.cellules) != 0 ||
       entree != 0x4242 || infos.symboles().size() != 1 ||
       infos.cherche("temoin") == nullptr))
    std::abort();
  for (unsigned short cellule : mem.cellules)
    if (cellule > 0xFF) std::abort();
  if (resultat == 1) verifie_tables(infos);
  const std::string expression(reinterpret_cast<const char*>(octets) + taille -
                                   std::min<size_t>(taille, 24),
                               std::min<size_t>(taille, 24));
  unsigned short adresse = 0;
  std::string erreur;
  for (bool hexa_nu : {false, true}) {
    erreur.clear();
    if (!infos.lit_adresse(expression, adresse, &erreur, hexa_nu) &&
        erreur.empty())
      std::abort();
  }
  return 0;
}
