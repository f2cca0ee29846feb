// Data files found beside the installed program or in the source tree, and
// the --version text.
#include "text/installation.h"

#include <sys/stat.h>
#include <unistd.h>

#include <vector>

namespace {

bool existe(const std::string& chemin) {
  struct stat etat;
  return !chemin.empty() && ::stat(chemin.c_str(), &etat) == 0;
}

// The folder part of a path: "/usr/bin/tamrix" gives "/usr/bin", "/tamrix"
// gives "" (the root), "tamrix" gives ".".
std::string dossier_de(const std::string& chemin) {
  const auto barre = chemin.rfind('/');
  return barre == std::string::npos ? "." : chemin.substr(0, barre);
}

#ifdef TAMRIX_DOSSIER_SOURCES
const char* const dossier_sources = TAMRIX_DOSSIER_SOURCES;
#else
const char* const dossier_sources = "";
#endif

}  // namespace

std::string chemin_executable() {
  std::vector<char> tampon(256);
  for (;;) {
    const ssize_t n =
        ::readlink("/proc/self/exe", tampon.data(), tampon.size());
    if (n < 0) return "";
    if (static_cast<std::size_t>(n) < tampon.size())
      return std::string(tampon.data(), static_cast<std::size_t>(n));
    tampon.resize(tampon.size() * 2);
  }
}

std::string cherche_donnee(const std::string& relatif,
                           const std::string& executable,
                           const std::string& sources) {
  if (!executable.empty()) {
    const std::string installe =
        dossier_de(dossier_de(executable)) + "/share/tamrix/" + relatif;
    if (existe(installe)) return installe;
  }
  if (!sources.empty() && existe(sources + "/" + relatif))
    return sources + "/" + relatif;
  return "";
}

std::string chemin_donnee(const std::string& relatif) {
  return cherche_donnee(relatif, chemin_executable(), dossier_sources);
}

std::string texte_version(const std::string& programme,
                          const std::string& version,
                          const std::string& commit) {
  std::string texte = programme + " " + version;
  if (!commit.empty()) texte += " (commit " + commit + ")";
  const std::string exemples = chemin_donnee("examples");
  return texte +
         "\nCopyright (c) 2026 les auteurs de tamrix ; licence MIT.\n"
         "Exemples : " +
         (exemples.empty() ? "introuvables" : exemples) + "\n";
}
