// The terminal's screen model: what a VT100-style terminal shows of the
// bytes it receives, one case a line.
#include <gtest/gtest.h>

#include <string>

#include "serie/ecran_serie.h"

namespace {

struct cas_ecran {
  const char* nom;
  std::string octets;
  bool cr_crlf, lf_crlf;
  std::string texte;  // lines joined by '\n', UTF-8
  std::size_t ligne;  // the cursor
  int colonne;
  unsigned sonneries;
};

TEST(Ecran, BytesAsATerminalShowsThem) {
  const std::string x80(80, 'x');
  const cas_ecran cas[] = {
      {"CR LF ends a line", "AB\r\nCD", false, false, "AB\nCD", 1, 2, 0},
      {"NUL and DEL show nothing",
       std::string("\0A\x7f"
                   "B\0",
                   5),
       false, false, "AB", 0, 2, 0},
      {"BEL rings and shows nothing", "x\a\ay", false, false, "xy", 0, 2, 2},
      {"BS moves back without erasing", "abc\b\bX", false, false, "aXc", 0, 2,
       0},
      {"CR alone goes back over the line", "hello\rHE", false, false, "HEllo",
       0, 2, 0},
      {"LF alone keeps the column", "ab\ncd", false, false, "ab\n  cd", 1, 4,
       0},
      {"LF -> CR LF", "ab\ncd", false, true, "ab\ncd", 1, 2, 0},
      {"CR -> CR LF", "ab\rcd", true, false, "ab\ncd", 1, 2, 0},
      {"CR -> CR LF with CR LF sent: a blank line", "ab\r\ncd", true, false,
       "ab\n\ncd", 2, 2, 0},
      {"TAB to the next multiple of 8", "a\tb", false, false, "a       b", 0, 9,
       0},
      {"past column 80 the text wraps", x80 + "y", false, false, x80 + "\ny", 1,
       1, 0},
      {"a full line then CR LF: no blank line", x80 + "\r\nz", false, false,
       x80 + "\nz", 1, 1, 0},
      {"Latin-1, and $80-$9F as U+FFFD", "\xe9\x85", false, false,
       "\xc3\xa9\xef\xbf\xbd", 0, 2, 0},
      {"ESC [ K erases the end of the line", "abcdef\x1b[3D\x1b[K", false,
       false, "abc", 0, 3, 0},
      {"colours are read and ignored", "\x1b[1;31mrouge\x1b[0m", false, false,
       "rouge", 0, 5, 0},
      {"ESC [ 2 J and ESC [ H: an empty screen, the cursor at the top",
       "abc\r\ndef\x1b[2J\x1b[Hz", false, false, "z" + std::string(23, '\n'), 0,
       1, 0},
      {"cursor position ESC [ row ; col H", "\x1b[2;5Hq", false, false,
       "\n    q" + std::string(22, '\n'), 1, 5, 0},
      {"other control characters show nothing",
       "a\x01\x1f\x0e"
       "b",
       false, false, "ab", 0, 2, 0},
  };
  for (const cas_ecran& c : cas) {
    SCOPED_TRACE(c.nom);
    ecran_serie e;
    e.cr_crlf = c.cr_crlf;
    e.lf_crlf = c.lf_crlf;
    e.recoit(c.octets);
    EXPECT_EQ(c.texte, e.texte());
    EXPECT_EQ(c.ligne, e.ligne_curseur());
    EXPECT_EQ(c.colonne, e.colonne_curseur());
    EXPECT_EQ(c.sonneries, e.sonneries());
  }
}

// What a view copies: the lines changed since its last copy, the lines
// forgotten past the bound.
TEST(Ecran, ChangesForAViewAndTheBound) {
  ecran_serie e(30);
  e.recoit("un\r\ndeux");
  ecran_serie::changements c = e.prend_changements();
  EXPECT_EQ(0u, c.premiere_changee);
  e.recoit("\r\ntrois");
  c = e.prend_changements();
  // Line 1 now ends with a line break.
  EXPECT_EQ(1u, c.premiere_changee);
  EXPECT_EQ(0u, c.retirees);
  for (int i = 0; i < 40; ++i) e.recoit("\r\nl");
  c = e.prend_changements();
  EXPECT_EQ(30u, e.lignes().size());
  EXPECT_EQ(13u, c.retirees);
  EXPECT_EQ("l", e.ligne_utf8(29));
  e.efface();
  EXPECT_EQ("", e.texte());
  EXPECT_EQ(30u, e.prend_changements().retirees);
}

}  // namespace
