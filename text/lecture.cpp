#include "text/lecture.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace {

// Closes the descriptor when reading ends, whatever the path.
struct descripteur {
  int fd;
  ~descripteur() {
    if (fd >= 0) ::close(fd);
  }
};

struct refus {
  std::string& contenu;
  std::string& erreur;
  echec_lecture* echec;
  bool operator()(echec_lecture e, std::string raison) const {
    contenu.clear();
    erreur = std::move(raison);
    if (echec) *echec = e;
    return false;
  }
};

// Opens without waiting (O_NONBLOCK: a FIFO without a writer returns at
// once) and tells what the path is; aucun when it may be read.
echec_lecture ouvre(const std::string& chemin, bool autres, descripteur& f,
                    struct stat& etat, std::string& erreur) {
  f.fd = ::open(chemin.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (f.fd < 0 || ::fstat(f.fd, &etat) != 0) {
    erreur = std::strerror(errno);
    return echec_lecture::ouverture;
  }
  if (S_ISDIR(etat.st_mode)) {
    erreur = "c'est un dossier";
    return echec_lecture::dossier;
  }
  if (!S_ISREG(etat.st_mode) && !autres) {
    erreur = "pas un fichier ordinaire (tube, peripherique...)";
    return echec_lecture::special;
  }
  return echec_lecture::aucun;
}

}  // namespace

bool lit_fichier_borne(const std::string& chemin, const lecture_bornee& bornes,
                       std::string& contenu, std::string& erreur,
                       echec_lecture* echec) {
  contenu.clear();
  erreur.clear();
  if (echec) *echec = echec_lecture::aucun;
  const refus refuse{contenu, erreur, echec};
  descripteur f{-1};
  struct stat etat;
  std::string raison;
  const echec_lecture e =
      ouvre(chemin, bornes.autres_que_reguliers, f, etat, raison);
  if (e != echec_lecture::aucun) return refuse(e, raison);
  const std::string trop_grand = "fichier trop grand (plus de " +
                                 std::to_string(bornes.taille_max) + " octets)";
  if (S_ISREG(etat.st_mode) && !bornes.debut_seulement &&
      static_cast<unsigned long long>(etat.st_size) > bornes.taille_max)
    return refuse(echec_lecture::trop_grand, trop_grand);
  // From here on, a FIFO or a device is waited for, as asked.
  const int drapeaux = ::fcntl(f.fd, F_GETFL);
  if (drapeaux >= 0) ::fcntl(f.fd, F_SETFL, drapeaux & ~O_NONBLOCK);
  char tampon[65536];
  for (;;) {
    // One byte past the bound tells a file that is too long.
    const std::size_t reste = bornes.taille_max - contenu.size();
    const std::size_t voulu =
        std::min(sizeof tampon, bornes.debut_seulement ? reste : reste + 1);
    if (voulu == 0) return true;  // the start, as asked
    const ssize_t n = ::read(f.fd, tampon, voulu);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return refuse(echec_lecture::lecture, std::strerror(errno));
    if (n == 0) return true;
    if (static_cast<std::size_t>(n) > reste)
      return refuse(echec_lecture::trop_grand, trop_grand);
    contenu.append(tampon, static_cast<std::size_t>(n));
  }
}

bool fichier_ordinaire(const std::string& chemin, std::string& erreur,
                       echec_lecture* echec) {
  descripteur f{-1};
  struct stat etat;
  erreur.clear();
  const echec_lecture e = ouvre(chemin, false, f, etat, erreur);
  if (echec) *echec = e;
  return e == echec_lecture::aucun;
}

bool meme_fichier(const std::string& a, const std::string& b) {
  struct stat x, y;
  return ::stat(a.c_str(), &x) == 0 && ::stat(b.c_str(), &y) == 0 &&
         x.st_dev == y.st_dev && x.st_ino == y.st_ino;
}

bool lignes_bornees::suivante(std::string& ligne) {
  ligne.clear();
  if (position_ >= texte_.size()) return false;
  std::size_t fin = texte_.find('\n', position_);
  const std::size_t suite = fin == std::string::npos ? texte_.size() : fin + 1;
  if (fin == std::string::npos) fin = texte_.size();
  std::size_t longueur = fin - position_;
  if (longueur > 0 && texte_[fin - 1] == '\r' && fin < texte_.size())
    --longueur;
  ligne.assign(texte_, position_, std::min(longueur, longueur_max_ + 1));
  position_ = suite;
  return true;
}
