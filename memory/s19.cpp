// The Motorola S-record loader and the hex digit value.
//
// Records are read line by line into a copy of the image; only when the
// whole file has been read and checked is the copy put in place, so a file
// with an error anywhere leaves memory exactly as it was. The file is read
// with bounds (text/lecture.h): a regular file of at most 16 MiB, lines of
// at most 1024 characters.
#include <algorithm>
#include <cstdio>
#include <iostream>
#include <string>
#include <vector>

#include "memory/mem_64k.h"
#include "text/lecture.h"

namespace {

// Longest line accepted: a record of 255 bytes is 514 characters; the rest
// is room for surrounding white space.
constexpr std::size_t longueur_ligne_max = 1024;
// Largest file read: a full 64 KiB image in records of one byte, with room
// for comments.
constexpr std::size_t taille_fichier_max = std::size_t(16) << 20;

bool est_blanc(char c) {
  return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' ||
         c == '\f';
}

std::string sans_blancs_autour(const std::string& ligne) {
  std::size_t debut = 0, fin = ligne.size();
  while (debut < fin && est_blanc(ligne[debut])) ++debut;
  while (fin > debut && est_blanc(ligne[fin - 1])) --fin;
  return ligne.substr(debut, fin - debut);
}

// Address bytes of each record type; 0 for a type that does not exist.
unsigned taille_adresse(char type) {
  switch (type) {
    case '0':
    case '1':
    case '5':
    case '9':
      return 2;
    case '2':
    case '6':
    case '8':
      return 3;
    case '3':
    case '7':
      return 4;
    default:
      return 0;
  }
}

// One record, checked: its type, address and data bytes.
struct enregistrement {
  char type = 0;
  unsigned long adresse = 0;
  std::vector<unsigned char> donnees;
};

// Reads the line into `rec`; returns the problem in French, or "" when the
// record is sound.
std::string analyse(const std::string& ligne, mem_64k& mem,
                    enregistrement& rec) {
  if (ligne[0] != 'S') return "erreur: caractère 'S' attendu ...";
  if (ligne.size() < 2 || taille_adresse(ligne[1]) == 0)
    return "type d'enregistrement inconnu";
  rec.type = ligne[1];
  if (!std::all_of(ligne.begin() + 2, ligne.end(),
                   [&mem](char c) { return mem.asc2hex(c) != 0xFF; }))
    return "caractère non hexadécimal";
  std::vector<unsigned char> octets;
  for (std::size_t i = 2; i + 1 < ligne.size(); i += 2)
    octets.push_back(static_cast<unsigned char>(mem.asc2hex(ligne[i]) * 16 +
                                                mem.asc2hex(ligne[i + 1])));
  if (ligne.size() % 2 != 0 || octets.empty() || octets[0] != octets.size() - 1)
    return "longueur incorrecte";
  const unsigned taille = taille_adresse(rec.type);
  if (octets[0] < taille + 1) return "longueur trop courte";
  unsigned somme = 0;
  for (unsigned char o : octets) somme += o;
  if ((somme & 0xFF) != 0xFF) return "somme de contrôle incorrecte";
  for (unsigned i = 1; i <= taille; ++i)
    rec.adresse = rec.adresse * 256 + octets[i];
  rec.donnees.assign(octets.begin() + 1 + taille, octets.end() - 1);
  if (rec.adresse + rec.donnees.size() > 0x10000)
    return "données au-delà de $ffff";
  return "";
}

bool porte_des_donnees(char type) {
  return type == '1' || type == '2' || type == '3';
}

bool termine(char type) { return type == '7' || type == '8' || type == '9'; }

void signale(unsigned numero, const std::string& probleme) {
  std::cerr << "ligne " << numero << " : " << probleme << std::endl;
}

// Reads and checks every record, applying the data to `copie`. Returns the
// number of data bytes, or -1 after reporting an error.
long lit_enregistrements(const std::string& texte, mem_64k& mem,
                         std::vector<unsigned short>& copie, unsigned& numero) {
  long nb_octets = 0;
  std::string brute;
  // A line longer than the limit comes cut one character past it.
  lignes_bornees lignes(texte, longueur_ligne_max);
  while (lignes.suivante(brute)) {
    ++numero;
    if (brute.size() > longueur_ligne_max) {
      signale(numero, "ligne trop longue");
      return -1;
    }
    const std::string ligne = sans_blancs_autour(brute);
    if (ligne.empty()) continue;
    enregistrement rec;
    const std::string probleme = analyse(ligne, mem, rec);
    if (!probleme.empty()) {
      signale(numero, probleme);
      return -1;
    }
    if (termine(rec.type)) break;
    if (!porte_des_donnees(rec.type)) continue;
    // The marks of an on-chip system stay: a loader writes the bytes of
    // the cells, as a programmer writes ROM and EEPROM.
    for (std::size_t i = 0; i < rec.donnees.size(); ++i) {
      unsigned short& cellule = copie[rec.adresse + i];
      cellule =
          static_cast<unsigned short>((cellule & 0xFF00) | rec.donnees[i]);
    }
    nb_octets += static_cast<long>(rec.donnees.size());
  }
  return nb_octets;
}

}  // namespace

int mem_64k::load_s19(const char* chemin) {
  std::string texte, raison;
  echec_lecture echec;
  if (!lit_fichier_borne(chemin, {taille_fichier_max}, texte, raison, &echec)) {
    // Past a bound (a device, a FIFO, a huge file): why, on the same line.
    const bool borne =
        echec == echec_lecture::special || echec == echec_lecture::trop_grand;
    std::cerr << "erreur de chargement fichier" << (borne ? " : " + raison : "")
              << std::endl;
    return 0;
  }
  std::vector<unsigned short> copie(std::begin(cellules), std::end(cellules));
  unsigned numero = 0;
  const long nb_octets = lit_enregistrements(texte, *this, copie, numero);
  if (nb_octets < 0) return 0;
  if (nb_octets == 0) {
    signale(std::max(numero, 1u), "aucun enregistrement de données");
    return 0;
  }
  std::copy(copie.begin(), copie.end(), std::begin(cellules));
  return 1;
}

// Either case; any other character gives 0xFF, which no digit has.
unsigned char mem_64k::asc2hex(char caractere) {
  if (caractere >= '0' && caractere <= '9') return caractere - '0';
  if (caractere >= 'a' && caractere <= 'f') return caractere - 'a' + 10;
  if (caractere >= 'A' && caractere <= 'F') return caractere - 'A' + 10;
  return 0xFF;
}
