#include "puce/chronogramme.h"

#include <algorithm>

namespace {

using u128 = unsigned __int128;
constexpr uint64_t K = index_journal::taille_bloc;

// A pin being laid out: the run under way.
struct en_cours {
  int debut;
  etat_trace etat;
};

etat_trace etat_de(masque_broches niveaux, int broche) {
  return (niveaux >> broche) & 1 ? etat_trace::haut : etat_trace::bas;
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

// Changes [a, b) of the log read one by one.
void lit_un_a_un(const journal_broches& j, std::size_t a, std::size_t b,
                 masque_broches& une, masque_broches& plusieurs,
                 masque_broches& niveaux) {
  for (std::size_t i = a; i < b; ++i) {
    const changement_broche& c = j[i];
    const masque_broches bit = masque_broches(1) << c.broche;
    plusieurs |= une & bit;
    une |= bit;
    niveaux = c.niveau ? niveaux | bit : niveaux & ~bit;
  }
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

namespace {

// The first change at or after `cycle` among [bas, haut), or haut.
std::size_t premier_entre(const journal_broches& journal, uint64_t cycle,
                          std::size_t bas, std::size_t haut) {
  while (bas < haut) {
    const std::size_t milieu = bas + (haut - bas) / 2;
    if (journal[milieu].cycle < cycle)
      bas = milieu + 1;
    else
      haut = milieu;
  }
  return bas;
}

}  // namespace

std::size_t premier_changement(const journal_broches& journal, uint64_t cycle) {
  return premier_entre(journal, cycle, 0, journal.taille());
}

masque_broches niveaux_debut(const journal_broches& journal) {
  masque_broches niveaux = 0;
  for (int b = 0; b < nb_broches; ++b)
    if (journal.niveau_debut(static_cast<unsigned char>(b)))
      niveaux |= masque_broches(1) << b;
  return niveaux;
}

// ---------------------------------------------------------------- index

void index_journal::actualise(const journal_broches& j) {
  if (j.version() != version) {
    version = j.version();
    pret = false;
  }
  const uint64_t notes = j.nombre_notes();
  const uint64_t premier_tenu = notes - j.taille();  // number of change 0
  // The log dropped changes not summarised yet: start again.
  if (pret && suivant * K < premier_tenu) pret = false;
  if (!pret) {
    blocs.clear();
    suivant = (premier_tenu + K - 1) / K;
    premier = suivant;
    masque_broches une = 0, plusieurs = 0;
    niveaux = niveaux_debut(j);
    const uint64_t jusqua = std::min(suivant * K, notes);
    lit_un_a_un(j, 0, static_cast<std::size_t>(jusqua - premier_tenu), une,
                plusieurs, niveaux);
    pret = true;
  }
  for (; (suivant + 1) * K <= notes; ++suivant) {
    bloc b{0, 0, niveaux};
    const std::size_t a = static_cast<std::size_t>(suivant * K - premier_tenu);
    lit_un_a_un(j, a, a + K, b.une, b.plusieurs, b.niveaux_apres);
    niveaux = b.niveaux_apres;
    blocs.push_back(b);
  }
  // Blocks wholly dropped from the log.
  while (!blocs.empty() && (premier + 1) * K <= premier_tenu) {
    blocs.pop_front();
    ++premier;
  }
}

void index_journal::resume(const journal_broches& j, std::size_t a,
                           std::size_t b, masque_broches& une,
                           masque_broches& plusieurs, masque_broches& niveaux,
                           std::size_t& lus) const {
  const uint64_t premier_tenu = j.nombre_notes() - j.taille();
  const uint64_t debut = premier_tenu + a, fin = premier_tenu + b;
  // Full blocks inside [debut, fin) that the summary holds.
  const uint64_t bas = std::max((debut + K - 1) / K, premier);
  const uint64_t haut = std::min(fin / K, premier + blocs.size());
  if (!pret || bas >= haut) {
    lit_un_a_un(j, a, b, une, plusieurs, niveaux);
    lus += b - a;
    return;
  }
  const auto indice = [&](uint64_t numero) {
    return static_cast<std::size_t>(numero - premier_tenu);
  };
  lit_un_a_un(j, a, indice(bas * K), une, plusieurs, niveaux);
  for (uint64_t k = bas; k < haut; ++k) {
    const bloc& s = blocs[static_cast<std::size_t>(k - premier)];
    plusieurs |= s.plusieurs | (une & s.une);
    une |= s.une;
    niveaux = s.niveaux_apres;
  }
  lit_un_a_un(j, indice(haut * K), b, une, plusieurs, niveaux);
  lus += indice(bas * K) - a + (b - indice(haut * K));
}

masque_broches index_journal::niveaux_avant(const journal_broches& j,
                                            std::size_t i,
                                            std::size_t& lus) const {
  const uint64_t premier_tenu = j.nombre_notes() - j.taille();
  const uint64_t numero = premier_tenu + i;
  masque_broches une = 0, plusieurs = 0;
  // The last summarised block that ends at or before change i.
  if (pret && !blocs.empty() && numero >= (premier + 1) * K) {
    const uint64_t dernier =
        std::min(numero / K - 1, premier + blocs.size() - 1);
    masque_broches niveaux =
        blocs[static_cast<std::size_t>(dernier - premier)].niveaux_apres;
    const std::size_t depuis =
        static_cast<std::size_t>((dernier + 1) * K - premier_tenu);
    lit_un_a_un(j, depuis, i, une, plusieurs, niveaux);
    lus += i - depuis;
    return niveaux;
  }
  masque_broches niveaux = niveaux_debut(j);
  lit_un_a_un(j, 0, i, une, plusieurs, niveaux);
  lus += i;
  return niveaux;
}

// ---------------------------------------------------------------- traces

void calcule_traces(const journal_broches& journal, index_journal& index,
                    uint64_t maintenant, const fenetre_cycles& f,
                    masque_broches broches, traces_chronogramme& traces) {
  for (auto& liste : traces.par_broche) liste.clear();
  traces.changements_lus = 0;
  traces.blocs_lus = 0;
  broches &= (masque_broches(1) << nb_broches) - 1;
  if (f.fin <= f.debut || f.colonnes <= 0 || broches == 0) return;
  // Data run up to the present, the column that holds it included.
  if (maintenant < f.debut) return;
  const int fin_donnees = borne(f.colonne(maintenant) + 1, f.colonnes);
  index.actualise(journal);

  const std::size_t i0 = premier_changement(journal, f.debut);
  const std::size_t i1 = f.fin > maintenant
                             ? journal.taille()
                             : premier_changement(journal, f.fin);
  masque_broches niveaux =
      index.niveaux_avant(journal, i0, traces.changements_lus);

  en_cours etats[nb_broches];
  int debut_connu = 0;
  if (f.debut < journal.complet_depuis())
    debut_connu = borne(f.colonne(journal.complet_depuis()), fin_donnees);
  for (int b = 0; b < nb_broches; ++b) {
    if (!((broches >> b) & 1)) continue;
    // Unknown up to the first complete cycle of the log.
    ajoute(traces.par_broche[b], 0, debut_connu, etat_trace::inconnu);
    etats[b] = {debut_connu, etat_de(niveaux, b)};
  }

  // Column by column: its changes, and which chosen pins they touch.
  std::size_t a = i0;
  for (int x = 0; x < fin_donnees && a < i1; ++x) {
    const std::size_t b =
        x + 1 >= fin_donnees
            ? i1
            : premier_entre(journal, f.cycle_colonne(x + 1), a, i1);
    if (b <= a) continue;
    masque_broches une = 0, plusieurs = 0;
    const std::size_t avant = traces.changements_lus;
    index.resume(journal, a, b, une, plusieurs, niveaux,
                 traces.changements_lus);
    if (traces.changements_lus - avant < b - a)
      traces.blocs_lus += (b - a - (traces.changements_lus - avant)) / K;
    a = b;
    for (masque_broches touchees = une & broches; touchees;
         touchees &= touchees - 1) {
      const int p = __builtin_ctzll(touchees);
      en_cours& e = etats[p];
      std::vector<morceau_trace>& liste = traces.par_broche[p];
      if (x >= e.debut) {
        ajoute(liste, e.debut, x, e.etat);
        if ((plusieurs >> p) & 1) {
          ajoute(liste, x, x + 1, etat_trace::agite);
          e.debut = x + 1;
        } else {
          e.debut = x;
        }
      }
      e.etat = etat_de(niveaux, p);
    }
  }
  for (int b = 0; b < nb_broches; ++b)
    if ((broches >> b) & 1)
      ajoute(traces.par_broche[b], etats[b].debut, fin_donnees, etats[b].etat);
}
