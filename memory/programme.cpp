// ouvre_programme: picks the loader by the file's form, and collects the
// messages of whichever ran, each naming the file. The S19 loader prints
// its line on std::cerr; that stream is captured around the call to
// return the line too.
#include "memory/programme.h"

#include <sys/stat.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstring>
#include <fstream>
#include <iostream>
#include <sstream>

#include "assembleur/assembleur.h"
#include "memory/assembleur.h"
#include "text/lecture.h"

namespace {

std::string extension_minuscule(const std::string& chemin) {
  const std::size_t barre = chemin.find_last_of('/');
  const std::size_t point = chemin.find_last_of('.');
  if (point == std::string::npos ||
      (barre != std::string::npos && point < barre))
    return "";
  std::string extension = chemin.substr(point);
  for (char& c : extension)
    c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return extension;
}

void ecrit_messages(const std::vector<std::string>& messages) {
  for (const std::string& m : messages) std::cerr << m << '\n';
  std::cerr.flush();
}

// A loader's line about the file, with the file's name in front:
// "prog.s19, ligne 2 : somme de contrôle incorrecte", "prog.elf : fichier
// ELF refusé ...".
std::string nomme_le_fichier(const std::string& chemin,
                             const std::string& ligne) {
  return chemin + (ligne.rfind("ligne ", 0) == 0 ? ", " : " : ") + ligne;
}

// Why the file cannot be a program before any loader opens it: it does
// not exist, it is a folder, it cannot be looked at. Empty when it may be
// read.
std::string refus_avant_lecture(const std::string& chemin) {
  struct stat etat;
  if (::stat(chemin.c_str(), &etat) != 0)
    return errno == ENOENT ? "Fichier introuvable : " + chemin
                           : "Fichier illisible : " + chemin + " (" +
                                 std::strerror(errno) + ")";
  if (S_ISDIR(etat.st_mode))
    return chemin + " : c'est un dossier, pas un fichier de programme";
  return "";
}

programme_ouvert ouvre_s19(const std::string& chemin, mem_64k& mem) {
  programme_ouvert resultat;
  std::ostringstream capture;
  std::streambuf* ancien = std::cerr.rdbuf(capture.rdbuf());
  resultat.reussi = mem.load_s19(chemin.c_str()) == 1;
  std::cerr.rdbuf(ancien);
  std::istringstream lignes(capture.str());
  for (std::string l; std::getline(lignes, l);)
    resultat.messages.push_back(nomme_le_fichier(chemin, l));
  ecrit_messages(resultat.messages);
  return resultat;
}

void ouvre_elf(const std::string& chemin, mem_64k& mem,
               programme_ouvert& resultat) {
  unsigned short entree = 0;
  std::string erreur;
  resultat.reussi =
      charge_elf(chemin.c_str(), mem, entree, resultat.infos, erreur);
  if (resultat.reussi)
    resultat.entree = entree;
  else
    resultat.messages.push_back(nomme_le_fichier(chemin, erreur));
}

}  // namespace

sorte_programme sorte_de(const std::string& chemin) {
  // The first four bytes of a regular file (a FIFO is not waited for).
  lecture_bornee debut{4};
  debut.debut_seulement = true;
  std::string octets, erreur;
  if (lit_fichier_borne(chemin, debut, octets, erreur) &&
      octets == std::string("\x7f"
                            "ELF"))
    return sorte_programme::elf;
  const std::string extension = extension_minuscule(chemin);
  if (extension == ".elf") return sorte_programme::elf;
  if (extension == ".s") return sorte_programme::source;
  if (extension == ".asm" || extension == ".a11")
    return sorte_programme::motorola;
  return sorte_programme::s19;
}

programme_ouvert ouvre_programme(const std::string& chemin, mem_64k& mem,
                                 const suivi_outils& suivi) {
  const sorte_programme sorte = sorte_de(chemin);
  programme_ouvert resultat;
  resultat.sorte = sorte;
  const std::string refus = refus_avant_lecture(chemin);
  if (!refus.empty()) {
    resultat.lu = false;
    resultat.messages.push_back(refus);
    ecrit_messages(resultat.messages);
    return resultat;
  }
  if (sorte == sorte_programme::s19) return ouvre_s19(chemin, mem);
  if (sorte == sorte_programme::elf) {
    ouvre_elf(chemin, mem, resultat);
  } else if (sorte == sorte_programme::motorola) {
    resultat_asm a = assemble_motorola(chemin);
    resultat.messages = a.lignes_messages();
    resultat.reussi = a.reussi();
    if (resultat.reussi) {
      charge_en_memoire(a, mem);
      resultat.entree = a.depart;
      resultat.infos = std::move(a.infos);
    }
  } else if (std::string raison; !fichier_ordinaire(chemin, raison)) {
    // The tools would wait on a FIFO: refused before they start.
    resultat.messages.push_back("erreur de chargement fichier : " + raison);
  } else {
    resultat_assemblage a = assemble_source(
        chemin, [&](const std::string& elf) { ouvre_elf(elf, mem, resultat); },
        suivi);
    resultat.messages.insert(resultat.messages.begin(), a.messages.begin(),
                             a.messages.end());
  }
  if (!resultat.reussi) resultat.infos = infos_debogage();
  ecrit_messages(resultat.messages);
  return resultat;
}
