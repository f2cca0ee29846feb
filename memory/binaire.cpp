// The raw binary loader: a four-byte header (size of the whole file, header
// included, then the base address, both big-endian) and the data bytes.
//
// The file is read and checked before memory changes: a file that cannot
// be read, is shorter than its header or than its size field says, or
// whose data would run past 0xFFFF leaves memory as it was. Only a regular
// file is read, and only its first 32767 bytes (text/lecture.h).
#include <cstdio>
#include <iostream>
#include <string>
#include <vector>

#include "memory/mem_64k.h"
#include "text/lecture.h"

namespace {

// The first `maximum` bytes of the file; false when it cannot be read.
bool lit_debut(const char* chemin, std::size_t maximum,
               std::vector<unsigned char>& octets) {
  lecture_bornee bornes{maximum};
  bornes.debut_seulement = true;
  std::string texte, erreur;
  if (!lit_fichier_borne(chemin, bornes, texte, erreur)) return false;
  octets.assign(texte.begin(), texte.end());
  return true;
}

bool refuse(const std::string& probleme) {
  std::cerr << "erreur sur fichier : " << probleme << std::endl;
  return false;
}

// The header's size field is a signed 16-bit value; below 4 (negative
// included) the file carries no data.
bool verifie(const std::vector<unsigned char>& octets, long& taille,
             unsigned long& base) {
  if (octets.size() < 4) return refuse("en-tete incomplet");
  const unsigned champ = octets[0] * 256u + octets[1];
  taille = champ >= 0x8000 ? static_cast<long>(champ) - 0x10000 : champ;
  base = octets[2] * 256ul + octets[3];
  std::cerr << "adresse de base " << base << " taille " << taille << std::endl;
  if (taille <= 4) return true;
  if (octets.size() < static_cast<unsigned long>(taille))
    return refuse("fichier plus court que sa taille");
  if (base + static_cast<unsigned long>(taille) - 4 > 0x10000)
    return refuse("donnees au-dela de $ffff");
  return true;
}

}  // namespace

int mem_64k::load_binaire(const char* chemin) {
  std::cerr << "c'est parti .." << std::endl;
  std::cerr << "lecture de \"" << chemin << "\"" << std::endl;
  std::vector<unsigned char> octets;
  if (!lit_debut(chemin, 0x7FFF, octets)) {
    std::cerr << "erreur sur fichier " << std::endl;
    return 0;
  }
  long taille = 0;
  unsigned long base = 0;
  if (!verifie(octets, taille, base)) return 0;
  for (unsigned short& cellule : cellules) cellule &= 0xFF00;
  for (long i = 4; i < taille; ++i)
    ecrit_brut(static_cast<unsigned short>(base + i - 4), octets[i]);
  return 1;
}
