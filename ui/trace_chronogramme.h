// The drawing area of the timing diagram: the chosen signals one above the
// other, black background, a time axis in cycles or microseconds (2 MHz E
// clock), the levels as lines, busy columns filled, unknown stretches
// grey, optionally the level as a digit in each stretch, and the two last
// clicks as vertical marks. It draws what the application computed
// (puce/chronogramme.h) and keeps the mouse gestures until the command loop
// takes them: the widget keeps the default callback, so a gesture puts it
// on the object queue like any click.
// Leaves out: computing the traces, scrolling by dragging.
#ifndef TAMRIX_UI_TRACE_CHRONOGRAMME_H
#define TAMRIX_UI_TRACE_CHRONOGRAMME_H

#include <FL/Fl_Widget.H>

#include <cstdint>
#include <deque>
#include <string>
#include <vector>

#include "puce/chronogramme.h"

class trace_chronogramme : public Fl_Widget {
 public:
  // Left margin of the signal names, and the axis under the rows.
  static constexpr int marge_noms = 34;
  static constexpr int hauteur_axe = 22;

  struct ligne {
    unsigned char broche;
    const char* nom;
  };
  // What a gesture asks for, at the cycle under the pointer.
  enum class geste { clic, bornes, zoom_avant, zoom_arriere };
  struct action {
    geste quoi;
    uint64_t cycle;
  };

  // Set by the application before it asks for a redraw.
  std::vector<ligne> lignes;  // rows, top to bottom
  const traces_chronogramme* traces = nullptr;
  fenetre_cycles vue{0, 1000, 1};
  bool microsecondes = false;
  bool chiffres = false;
  // Cycles of the last click and of the one before (none: -1).
  int64_t clic = -1;
  int64_t clic_precedent = -1;
  // Gestures not taken yet, oldest first.
  std::deque<action> actions;

  trace_chronogramme(int x, int y, int w, int h);

  // Columns of the plot: the width left of the names' margin.
  int colonnes() const { return w() - marge_noms; }
  // The cycle under column `colonne` of the plot.
  uint64_t cycle_sous(int colonne) const;
  // The time axis' labels for the current view and unit, left to right,
  // with the column each is drawn at; and the unit, drawn at the axis' end.
  std::vector<std::pair<int, std::string>> graduations() const;
  const char* texte_unite() const {
    return microsecondes ? "\xC2\xB5s" : "cycles";
  }

  void draw() override;
  int handle(int evenement) override;

 private:
  void dessine_ligne(const ligne& l, int y, int h);
};

// "1234 cycles", or the time they take ("617 µs", "12,345 ms",
// text/durees.h).
std::string texte_duree(uint64_t cycles, bool microsecondes);

#endif
