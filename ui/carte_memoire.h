// A drawing of a memory map: blocks of addresses stacked from $0000 (top)
// to $FFFF (bottom), each with its colour and text. Not to scale: every
// block gets room for its text, the rest of the height is shared in
// proportion to the blocks' sizes. It draws what it is given and knows
// nothing of the chip.
#ifndef TAMRIX_UI_CARTE_MEMOIRE_H
#define TAMRIX_UI_CARTE_MEMOIRE_H

#include <FL/Enumerations.H>
#include <FL/Fl_Widget.H>

#include <string>
#include <vector>

struct bloc_carte {
  unsigned debut;
  unsigned fin;  // included
  Fl_Color couleur;
  std::string texte;
};

class dessin_carte : public Fl_Widget {
 public:
  dessin_carte(int x, int y, int w, int h);
  // Replaces the blocks and redraws.
  void blocs(const std::vector<bloc_carte>& b);
  const std::vector<bloc_carte>& blocs() const { return blocs_; }

 protected:
  void draw() override;

 private:
  std::vector<bloc_carte> blocs_;
};

#endif
