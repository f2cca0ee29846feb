// tamrix-as: the built-in assembler as a command, for those who want the
// files. `tamrix-as prog.asm` writes prog.s19 beside the source and, with
// -l, the listing prog.lst; every error and warning goes to standard error
// with its source line, and on error no file is written. The same library
// call as the window's and tamrix-run's (assembleur/assembleur.h).
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iostream>
#include <string>

#include "assembleur/assembleur.h"
#include "tamrix_version.h"
#include "text/installation.h"

namespace {

const char* const aide =
    "Usage : tamrix-as [OPTIONS] PROGRAMME.asm\n"
    "Assemble un source 68HC11 écrit dans la syntaxe des assembleurs de\n"
    "Motorola (étiquettes en colonne 1, EQU, ORG, FCB, FCC, RMB, $hexa,\n"
    "%binaire, @octal, 'c) et écrit l'image S19 à côté du source.\n"
    "\n"
    "  -l                       écrit aussi le listage PROGRAMME.lst (numéro\n"
    "                           de ligne, adresse, octets, source ; la table\n"
    "                           des symboles à la fin)\n"
    "  -o FICHIER               l'image S19 dans FICHIER au lieu de\n"
    "                           PROGRAMME.s19\n"
    "  --help                   cette aide\n"
    "  --version                la version de tamrix-as\n"
    "\n"
    "Les erreurs et avertissements vont sur la sortie d'erreur, chacun avec\n"
    "sa ligne (« prog.asm:12: symbole inconnu « BOUCEL » ») suivie de la\n"
    "ligne du source. En cas d'erreur, aucun fichier n'est écrit.\n"
    "Code de sortie : 0 assemblé, 1 erreurs d'assemblage, 2 mauvaise\n"
    "commande ou fichier impossible à écrire.\n";

std::string sans_extension(const std::string& chemin) {
  const std::size_t barre = chemin.find_last_of('/');
  const std::size_t point = chemin.find_last_of('.');
  if (point == std::string::npos ||
      (barre != std::string::npos && point < barre) || point == barre + 1)
    return chemin;
  return chemin.substr(0, point);
}

bool ecrit(const std::string& chemin, const std::string& texte) {
  std::ofstream f(chemin, std::ios::binary | std::ios::trunc);
  f << texte;
  f.close();
  if (f) return true;
  std::cerr << "tamrix-as : impossible d'écrire " << chemin << " : "
            << std::strerror(errno) << '\n';
  return false;
}

}  // namespace

int main(int argc, char** argv) {
  bool listage = false;
  std::string source, sortie;
  for (int i = 1; i < argc; ++i) {
    const std::string a = argv[i];
    if (a == "--help") {
      std::cout << aide;
      return 0;
    }
    if (a == "--version") {
      std::cout << texte_version("tamrix-as", TAMRIX_VERSION, TAMRIX_COMMIT);
      return 0;
    }
    if (a == "-l") {
      listage = true;
    } else if (a == "-o" && i + 1 < argc) {
      sortie = argv[++i];
    } else if (a.size() > 1 && a[0] == '-') {
      std::cerr << "tamrix-as : option inconnue " << a
                << " (tamrix-as --help)\n";
      return 2;
    } else if (source.empty()) {
      source = a;
    } else {
      std::cerr << "tamrix-as : un seul programme à la fois\n";
      return 2;
    }
  }
  if (source.empty()) {
    std::cerr << "tamrix-as : programme manquant (tamrix-as --help)\n";
    return 2;
  }
  const resultat_asm r = assemble_motorola(source);
  for (const std::string& l : r.lignes_messages()) std::cerr << l << '\n';
  if (!r.reussi()) {
    std::cerr << source << " : " << r.nb_erreurs
              << (r.nb_erreurs > 1 ? " erreurs" : " erreur")
              << ", aucun fichier écrit\n";
    return 1;
  }
  if (sortie.empty()) sortie = sans_extension(source) + ".s19";
  if (!ecrit(sortie, texte_s19(r))) return 2;
  if (listage && !ecrit(sans_extension(source) + ".lst", texte_listage(r)))
    return 2;
  return 0;
}
