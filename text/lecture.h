// Reading a file named by the user with bounds: every input of tamrix (a
// program file, the saved options, the bytes for the SCI, a source shown
// in the window, the help text) goes through here, so that no input can
// make the program read forever, grow without limit or hang.
//
// - Only a regular file is read unless the caller allows others (a FIFO,
//   a terminal, a device): a FIFO or a device is refused before anything
//   is read from it, and the open itself never waits (O_NONBLOCK).
// - The size bound is checked while reading, not after: a file that grows,
//   or a device without end, stops one byte past the bound.
// - Lines are cut from the text with a length bound: a line longer than
//   the bound comes out cut one character past it, so the caller can say
//   it is too long without holding it all.
//
// The messages are French, one line, without the path (the caller names
// the file): "fichier trop grand (plus de 1048576 octets)", "c'est un
// dossier", "pas un fichier ordinaire (tube, peripherique...)".
#ifndef TAMRIX_TEXT_LECTURE_H
#define TAMRIX_TEXT_LECTURE_H

#include <cstddef>
#include <string>

struct lecture_bornee {
  std::size_t taille_max;
  // A FIFO, a character device or a terminal is read too (up to the
  // bound, waiting for its bytes); never a directory.
  bool autres_que_reguliers = false;
  // Only the first taille_max bytes are wanted: a longer file is no
  // error (a format whose header gives its size).
  bool debut_seulement = false;
};

// Why a reading failed.
enum class echec_lecture {
  aucun,
  ouverture,   // missing, no permission... (errno's text)
  dossier,     // a directory
  special,     // a FIFO, a device, a socket (not allowed)
  trop_grand,  // past taille_max
  lecture      // a read error
};

// Reads the whole file at `chemin` into `contenu`. False, with the reason
// in `erreur` and `contenu` empty, when it is missing, unreadable, not a
// regular file (unless allowed) or longer than `taille_max` bytes; `echec`,
// when given, says which.
bool lit_fichier_borne(const std::string& chemin, const lecture_bornee& bornes,
                       std::string& contenu, std::string& erreur,
                       echec_lecture* echec = nullptr);

// Whether `chemin` is a regular file, found without waiting (a FIFO is
// not opened for reading); false with the reason otherwise.
bool fichier_ordinaire(const std::string& chemin, std::string& erreur,
                       echec_lecture* echec = nullptr);

// Whether two paths name the same file (the same device and inode, through
// links and other spellings); false when either does not exist.
bool meme_fichier(const std::string& a, const std::string& b);

// The lines of a text read that way, in order: '\n' ends a line, a '\r'
// before it is removed, the last line needs no end.
class lignes_bornees {
 public:
  lignes_bornees(const std::string& texte, std::size_t longueur_max)
      : texte_(texte), longueur_max_(longueur_max) {}
  // The next line, without its end; false after the last one. A line
  // longer than the bound is given as its first longueur_max + 1
  // characters (trop_longue() then tells).
  bool suivante(std::string& ligne);
  bool trop_longue(const std::string& ligne) const {
    return ligne.size() > longueur_max_;
  }

 private:
  const std::string& texte_;
  std::size_t longueur_max_;
  std::size_t position_ = 0;
};

#endif
