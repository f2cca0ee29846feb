// What the timing diagram draws of the pin log (puce/journal.h): a window
// of E cycles laid over a number of pixel columns, and for each chosen pin
// its level as runs of columns; a column where a pin changes more than
// once is drawn as busy. Columns past the machine's present hold no data;
// before the log's first complete cycle the level is unknown.
//
// Only what the window shows is read. Each column's changes are found by a
// binary search on their cycles; a column holding many changes is read
// through a summary of the log by blocks of 64 changes (which pins change
// once or more, which twice or more, every pin's level after the block),
// kept beside the log and brought up to date as it grows: at most two
// partial blocks are read change by change per column. The level at the
// window's start comes from the summary too.
// Leaves out: drawing (ui/trace_chronogramme.h does it), scrolling.
#ifndef TAMRIX_PUCE_CHRONOGRAMME_H
#define TAMRIX_PUCE_CHRONOGRAMME_H

#include <cstddef>
#include <cstdint>
#include <deque>
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

// Pins as bits of a word (bit n: pin n).
using masque_broches = uint64_t;

// The summary of a pin log by blocks of `taille_bloc` changes.
class index_journal {
 public:
  static constexpr std::size_t taille_bloc = 64;

  // Brings the summary up to date with the log: new full blocks
  // summarised, blocks the log dropped forgotten; rebuilt when the log
  // was emptied or cut back.
  void actualise(const journal_broches& journal);

  // Over the changes [a, b) of the log (indices as the log gives them):
  // the pins that change once or more, twice or more, and the levels
  // after them given `niveaux` before. The count of changes read one by
  // one is added to `lus`.
  void resume(const journal_broches& journal, std::size_t a, std::size_t b,
              masque_broches& une, masque_broches& plusieurs,
              masque_broches& niveaux, std::size_t& lus) const;
  // Every pin's level before change `i` of the log.
  masque_broches niveaux_avant(const journal_broches& journal, std::size_t i,
                               std::size_t& lus) const;

 private:
  struct bloc {
    masque_broches une, plusieurs, niveaux_apres;
  };
  std::deque<bloc> blocs;  // blocs[k]: block premier + k
  uint64_t premier = 0;    // number of the first block held
  uint64_t version = ~uint64_t(0);
  // Levels after the last block summarised (before the next one).
  masque_broches niveaux = 0;
  // Number of the block the next summary starts at; valid when `pret`.
  uint64_t suivant = 0;
  bool pret = false;
};

struct traces_chronogramme {
  // One list per pin, left to right; empty for a pin not asked for.
  std::vector<morceau_trace> par_broche[nb_broches];
  // What this view read: changes one by one, and block summaries.
  std::size_t changements_lus = 0;
  std::size_t blocs_lus = 0;
};

// Index of the first change of the log at or after `cycle`.
std::size_t premier_changement(const journal_broches& journal, uint64_t cycle);

// Every pin's level when the log starts (its first complete cycle).
masque_broches niveaux_debut(const journal_broches& journal);

// Fills `traces` for the pins of `broches` over the window `f`;
// `maintenant` is the machine's count, the end of the data. `index` is
// brought up to date first. The vectors keep their storage from one call
// to the next.
void calcule_traces(const journal_broches& journal, index_journal& index,
                    uint64_t maintenant, const fenetre_cycles& f,
                    masque_broches broches, traces_chronogramme& traces);

#endif
