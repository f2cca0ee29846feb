// What the timing diagram draws of the pin log (puce/journal.h): a window
// of E cycles laid over a number of pixel columns, and for each chosen pin
// its level as runs of columns. Only the changes inside the window are
// read (found by a binary search on their cycles), plus, going back from
// the window's start, the last change of each chosen pin before it; a
// column where a pin changes more than once is drawn as busy. Columns past
// the machine's present hold no data; before the log's first complete
// cycle the level is unknown.
// Leaves out: drawing (ui/trace_chronogramme.h does it), scrolling.
#ifndef TAMRIX_PUCE_CHRONOGRAMME_H
#define TAMRIX_PUCE_CHRONOGRAMME_H

#include <cstddef>
#include <cstdint>
#include <vector>

#include "puce/journal.h"

// What a pin shows over a run of columns.
enum class etat_trace : unsigned char { bas, haut, agite, inconnu };

struct morceau_trace {
  int debut, fin;  // columns [debut, fin)
  etat_trace etat;
};

// Cycles [debut, fin) laid over `colonnes` columns (fin > debut).
struct fenetre_cycles {
  uint64_t debut;
  uint64_t fin;
  int colonnes;

  // The column where `cycle` falls (may be outside 0..colonnes-1), and the
  // first cycle of a column.
  long colonne(uint64_t cycle) const;
  uint64_t cycle_colonne(long colonne) const;
};

struct traces_chronogramme {
  // One list per pin, left to right; empty for a pin not asked for.
  std::vector<morceau_trace> par_broche[nb_broches];
  // The changes read from the log for this view.
  std::size_t changements_lus = 0;
};

// Index of the first change of the log at or after `cycle`.
std::size_t premier_changement(const journal_broches& journal, uint64_t cycle);

// Fills `traces` for the pins of `broches` (bit n: pin n) over the window
// `f`; `maintenant` is the machine's count, the end of the data. The
// vectors keep their storage from one call to the next.
void calcule_traces(const journal_broches& journal, uint64_t maintenant,
                    const fenetre_cycles& f, uint64_t broches,
                    traces_chronogramme& traces);

#endif
