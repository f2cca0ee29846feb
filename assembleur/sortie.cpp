// What the assembler gives the rest of tamrix: the S19 text, the bytes in
// memory (as the S19 loader writes them: the cells' marks stay), the
// messages as lines, and the reader of source files with its size bound.
#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>

#include "assembleur/assembleur.h"
#include "assembleur/passes.h"
#include "memory/mem_64k.h"
#include "text/lecture.h"

namespace {

constexpr std::size_t octets_par_enregistrement = 32;

void enregistrement(std::string& s, char type, unsigned adresse,
                    const unsigned char* octets, std::size_t n) {
  char t[24];
  unsigned somme =
      static_cast<unsigned>(n + 3) + (adresse >> 8) + (adresse & 0xFF);
  std::snprintf(t, sizeof t, "S%c%02X%04X", type, static_cast<unsigned>(n + 3),
                adresse);
  s += t;
  for (std::size_t k = 0; k < n; ++k) {
    std::snprintf(t, sizeof t, "%02X", octets[k]);
    s += t;
    somme += octets[k];
  }
  std::snprintf(t, sizeof t, "%02X\n", ~somme & 0xFF);
  s += t;
}

std::string sans_tabulations(const std::string& ligne) {
  std::string t;
  for (char c : ligne) {
    if (c == '\t')
      t.append(8 - t.size() % 8, ' ');
    else
      t += c;
  }
  return t;
}

}  // namespace

std::string message_asm::en_ligne() const {
  std::string s = fichier + ":";
  if (ligne > 0) s += std::to_string(ligne) + ":";
  s += erreur ? " " : " avertissement : ";
  return s + texte;
}

std::string message_asm::citation() const {
  if (ligne == 0) return "";
  char numero[16];
  std::snprintf(numero, sizeof numero, "%6u | ", ligne);
  return numero + sans_tabulations(source);
}

std::vector<std::string> resultat_asm::lignes_messages() const {
  std::vector<std::string> lignes;
  for (const message_asm& m : messages) {
    lignes.push_back(m.en_ligne());
    const std::string c = m.citation();
    if (!c.empty()) lignes.push_back(c);
  }
  return lignes;
}

bool lit_fichier_source(const std::string& chemin, std::string& contenu,
                        std::string& erreur) {
  // Regular files only (a FIFO would wait), the size checked while reading.
  echec_lecture echec = echec_lecture::aucun;
  if (lit_fichier_borne(chemin, {asm11::taille_fichier_max}, contenu, erreur,
                        &echec))
    return true;
  if (echec == echec_lecture::trop_grand)
    erreur = "fichier trop gros (plus de " +
             std::to_string(asm11::taille_fichier_max >> 20) + " Mio)";
  else if (echec == echec_lecture::ouverture)
    erreur = "fichier illisible : " + erreur;
  return false;
}

void charge_en_memoire(const resultat_asm& r, mem_64k& mem) {
  for (const bloc_octets& b : r.blocs)
    for (std::size_t k = 0; k < b.octets.size(); ++k)
      mem.ecrit_brut(static_cast<unsigned short>(b.adresse + k), b.octets[k]);
}

std::string texte_s19(const resultat_asm& r) {
  std::string s;
  for (const bloc_octets& b : r.blocs)
    for (std::size_t k = 0; k < b.octets.size(); k += octets_par_enregistrement)
      enregistrement(s, '1', static_cast<unsigned>(b.adresse + k),
                     b.octets.data() + k,
                     std::min(octets_par_enregistrement, b.octets.size() - k));
  enregistrement(s, '9', r.depart, nullptr, 0);
  return s;
}
