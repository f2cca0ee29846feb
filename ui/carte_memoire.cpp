#include "ui/carte_memoire.h"

#include <FL/fl_draw.H>

#include <cstdio>

dessin_carte::dessin_carte(int x, int y, int w, int h) : Fl_Widget(x, y, w, h) {
  box(FL_DOWN_FRAME);
}

void dessin_carte::blocs(const std::vector<bloc_carte>& b) {
  blocs_ = b;
  redraw();
}

void dessin_carte::draw() {
  draw_box(FL_FLAT_BOX, FL_WHITE);
  if (blocs_.empty()) return draw_box();
  constexpr int hauteur_min = 18;
  const int n = static_cast<int>(blocs_.size());
  const int libre = h() - 2 - hauteur_min * n;
  unsigned long total = 0;
  for (const bloc_carte& b : blocs_) total += b.fin - b.debut + 1;
  fl_font(FL_COURIER, 11);
  int haut = y() + 1;
  unsigned long cumul = 0;
  for (int i = 0; i < n; ++i) {
    const bloc_carte& b = blocs_[i];
    cumul += b.fin - b.debut + 1;
    // The bottom of block i: its share of the room left, cumulated, so
    // that the last block ends on the frame.
    const int bas = y() + 1 + hauteur_min * (i + 1) +
                    (libre > 0 ? static_cast<int>(libre * cumul / total) : 0);
    fl_color(b.couleur);
    fl_rectf(x() + 1, haut, w() - 2, bas - haut);
    fl_color(FL_DARK3);
    fl_xyline(x() + 1, bas - 1, x() + w() - 2);
    fl_color(FL_BLACK);
    char adresses[16];
    std::snprintf(adresses, sizeof adresses, "$%04x", b.debut);
    fl_draw(adresses, x() + 4, haut + 13);
    fl_draw(b.texte.c_str(), x() + 50, haut + 13);
    haut = bas;
  }
  draw_box();
}
