#include "puce/chronogramme.h"

namespace {

using u128 = unsigned __int128;

// A pin being laid out: the run under way and the column of its last
// change (a second change there makes the column busy).
struct en_cours {
  int debut;
  etat_trace etat;
  long derniere;
  bool agitee;
};

etat_trace etat_de(unsigned char niveau) {
  return niveau ? etat_trace::haut : etat_trace::bas;
}

// Appends [debut, fin) to the list, merged with the last run when they
// show the same thing.
void ajoute(std::vector<morceau_trace>& liste, int debut, int fin,
            etat_trace etat) {
  if (fin <= debut) return;
  if (!liste.empty() && liste.back().fin == debut &&
      liste.back().etat == etat) {
    liste.back().fin = fin;
    return;
  }
  liste.push_back({debut, fin, etat});
}

int borne(long colonne, int colonnes) {
  if (colonne < 0) return 0;
  if (colonne > colonnes) return colonnes;
  return static_cast<int>(colonne);
}

}  // namespace

long fenetre_cycles::colonne(uint64_t cycle) const {
  const uint64_t etendue = fin - debut;
  if (cycle >= debut)
    return static_cast<long>(static_cast<u128>(cycle - debut) * colonnes /
                             etendue);
  // Before the window: rounded towards minus infinity.
  const u128 avant = static_cast<u128>(debut - cycle) * colonnes;
  return -static_cast<long>((avant + etendue - 1) / etendue);
}

uint64_t fenetre_cycles::cycle_colonne(long c) const {
  if (c <= 0) return debut;
  const uint64_t etendue = fin - debut;
  return debut +
         static_cast<uint64_t>((static_cast<u128>(c) * etendue + colonnes - 1) /
                               static_cast<u128>(colonnes));
}

std::size_t premier_changement(const journal_broches& journal, uint64_t cycle) {
  std::size_t bas = 0, haut = journal.taille();
  while (bas < haut) {
    const std::size_t milieu = bas + (haut - bas) / 2;
    if (journal[milieu].cycle < cycle)
      bas = milieu + 1;
    else
      haut = milieu;
  }
  return bas;
}

void calcule_traces(const journal_broches& journal, uint64_t maintenant,
                    const fenetre_cycles& f, uint64_t broches,
                    traces_chronogramme& traces) {
  for (auto& liste : traces.par_broche) liste.clear();
  traces.changements_lus = 0;
  if (f.fin <= f.debut || f.colonnes <= 0 || broches == 0) return;
  // Data run up to the present, the column that holds it included.
  if (maintenant < f.debut) return;
  const int fin_donnees = borne(f.colonne(maintenant) + 1, f.colonnes);

  const std::size_t i0 = premier_changement(journal, f.debut);
  const std::size_t i1 = f.fin > maintenant
                             ? journal.taille()
                             : premier_changement(journal, f.fin);

  // Each pin's level at the window's start: its last change before it, or
  // its level when the log starts.
  en_cours etats[nb_broches];
  uint64_t a_trouver = broches & ((uint64_t(1) << nb_broches) - 1);
  for (int b = 0; b < nb_broches; ++b)
    etats[b] = {0, etat_de(journal.niveau_debut(static_cast<unsigned char>(b))),
                -1, false};
  const bool connu = f.debut >= journal.complet_depuis();
  for (std::size_t i = i0; connu && a_trouver != 0 && i > 0;) {
    const changement_broche& c = journal[--i];
    ++traces.changements_lus;
    const uint64_t bit = uint64_t(1) << c.broche;
    if (!(a_trouver & bit)) continue;
    a_trouver &= ~bit;
    etats[c.broche].etat = etat_de(c.niveau);
  }
  if (!connu) {
    // Unknown up to the first complete cycle of the log.
    const int debut_connu =
        borne(f.colonne(journal.complet_depuis()), fin_donnees);
    for (int b = 0; b < nb_broches; ++b) {
      if (!((broches >> b) & 1)) continue;
      ajoute(traces.par_broche[b], 0, debut_connu, etat_trace::inconnu);
      etats[b].debut = debut_connu;
    }
  }

  for (std::size_t i = i0; i < i1; ++i) {
    const changement_broche& c = journal[i];
    ++traces.changements_lus;
    if (!((broches >> c.broche) & 1)) continue;
    en_cours& e = etats[c.broche];
    std::vector<morceau_trace>& liste = traces.par_broche[c.broche];
    const long colonne = f.colonne(c.cycle);
    if (colonne != e.derniere) {
      const int x = borne(colonne, fin_donnees);
      ajoute(liste, e.debut, x, e.etat);
      if (x > e.debut) e.debut = x;
      e.derniere = colonne;
      e.agitee = false;
    } else if (!e.agitee) {
      // A second change in this column: the column is busy.
      const int x = borne(colonne, fin_donnees);
      ajoute(liste, x, x + 1, etat_trace::agite);
      e.debut = x + 1;
      e.agitee = true;
    }
    e.etat = etat_de(c.niveau);
  }
  for (int b = 0; b < nb_broches; ++b)
    if ((broches >> b) & 1)
      ajoute(traces.par_broche[b], etats[b].debut, fin_donnees, etats[b].etat);
}
