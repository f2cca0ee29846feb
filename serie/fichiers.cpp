// Bounded reading of the serial link's files. See fichiers.h.
#include "serie/fichiers.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

bool lit_texte_borne(const std::string& chemin, std::size_t taille_max,
                     std::string& contenu, std::string& erreur) {
  contenu.clear();
  erreur.clear();
  // O_NONBLOCK: a FIFO is refused below without waiting for a writer.
  const int f = open(chemin.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (f < 0) {
    erreur = "fichier illisible : " + std::string(std::strerror(errno));
    return false;
  }
  struct stat s {};
  if (fstat(f, &s) != 0 || !S_ISREG(s.st_mode)) {
    close(f);
    erreur = "pas un fichier ordinaire";
    return false;
  }
  char tampon[4096];
  for (;;) {
    const ssize_t n = read(f, tampon, sizeof tampon);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) {
      erreur = "fichier illisible : " + std::string(std::strerror(errno));
      break;
    }
    if (n == 0) break;
    contenu.append(tampon, static_cast<std::size_t>(n));
    if (contenu.size() > taille_max) {
      erreur = "fichier trop grand (plus de " + std::to_string(taille_max) +
               " octets)";
      break;
    }
  }
  close(f);
  if (erreur.empty()) return true;
  contenu.clear();
  return false;
}
