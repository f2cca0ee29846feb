// The screen of a serial terminal: what a VT100-style terminal shows of the
// bytes it receives, as a plain class that the "Terminal SCI" window only
// draws (and the tests read).
//
// Printable ASCII is written at the cursor, over what is there; a
// character in the last column wraps to the next line when the next one
// comes (the VT100's deferred wrap). Bytes $A0-$FF are shown as Latin-1
// characters, $80-$9F as U+FFFD (what a terminal at the wrong rate shows
// of garbled characters). NUL and DEL are ignored (the padding monitor
// programs send); BEL rings (counted: the window flashes); BS moves the
// cursor one column back without erasing; TAB goes to the next multiple
// of 8; CR goes back to column 0 and LF one line down in the same column,
// VT and FF as LF, unless "CR -> CR LF" (CR also goes down) or "LF -> CR
// LF" (LF also goes back to column 0) is set. ESC [ sequences: cursor up,
// down, right, left (A-D), position (H, f), erase in display (J) and in
// line (K) over the last `hauteur` lines; the others (colours...) are
// read and ignored, as is any other ESC sequence of two bytes. Other
// control characters are ignored.
//
// The text is kept as lines; past `max_lignes`, the oldest go.
#ifndef TAMRIX_SERIE_ECRAN_SERIE_H
#define TAMRIX_SERIE_ECRAN_SERIE_H

#include <cstddef>
#include <string>
#include <vector>

class ecran_serie {
 public:
  static constexpr int colonnes_min = 80;
  static constexpr int hauteur = 24;

  explicit ecran_serie(std::size_t max_lignes = 5000);

  // "CR -> CR LF" and "LF -> CR LF".
  bool cr_crlf = false;
  bool lf_crlf = false;

  void recoit(const std::string& octets);
  void recoit(unsigned char octet);
  // Empty screen, cursor at the top left.
  void efface();
  // The width in columns (at least colonnes_min): lines already written
  // stay as they are.
  void fixe_colonnes(int n);
  int colonnes() const { return colonnes_; }

  // The lines, one byte a cell as received (Latin-1), and the whole text
  // in UTF-8, lines joined by '\n', trailing blanks removed.
  const std::vector<std::string>& lignes() const { return lignes_; }
  std::string ligne_utf8(std::size_t i) const;
  std::string texte() const;
  std::size_t ligne_curseur() const { return ligne_; }
  int colonne_curseur() const { return colonne_; }
  // How many times BEL rang.
  unsigned sonneries() const { return sonneries_; }

  // For a view that copies the text (lines joined by '\n'): lines
  // forgotten at the top, and the first line whose text or end changed
  // since the last call (then reset); the lines from there to the last
  // are to be copied again.
  struct changements {
    std::size_t retirees;
    std::size_t premiere_changee;
  };
  changements prend_changements();

 private:
  std::vector<std::string> lignes_;
  std::size_t max_lignes_;
  int colonnes_ = colonnes_min;
  std::size_t ligne_ = 0;
  int colonne_ = 0;
  bool retour_en_attente_ = false;
  unsigned sonneries_ = 0;
  std::size_t retirees_ = 0;
  std::size_t premiere_changee_ = 0;
  // An escape sequence being read: 0 none, 1 after ESC, 2 in ESC [.
  int echappement_ = 0;
  std::string parametres_;

  void change(std::size_t ligne);
  void descend();
  void ecrit(unsigned char octet);
  void sequence(char finale);
  std::size_t haut_ecran();
};

#endif
