// Feeds arbitrary bytes to the S19 loader as a file. A load that fails must
// leave memory exactly as it was; one that succeeds stores only byte values.
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iostream>
#include <string>

#include "memory/mem_64k.h"

namespace {

std::string chemin_fichier;

void ecrit(const uint8_t* octets, size_t taille) {
  std::FILE* fichier = std::fopen(chemin_fichier.c_str(), "wb");
  if (fichier == nullptr) std::abort();
  if (taille > 0 && std::fwrite(octets, 1, taille, fichier) != taille)
    std::abort();
  std::fclose(fichier);
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  chemin_fichier = "/tmp/fuzz_s19_" + std::to_string(getpid()) + ".s19";
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
  const int resultat = mem.load_s19(chemin_fichier.c_str());
  if (resultat != 0 && resultat != 1) std::abort();
  if (resultat == 0 &&
      std::memcmp(avant.cellules, mem.cellules, sizeof mem.cellules) != 0)
    std::abort();
  for (unsigned short cellule : mem.cellules)
    if (cellule > 0xFF) std::abort();
  return 0;
}
