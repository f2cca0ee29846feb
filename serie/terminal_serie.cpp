// The terminal at the other end of the SCI's line. See terminal_serie.h.
#include "serie/terminal_serie.h"

void terminal_serie::demarre_recepteur(const machine& m, uint64_t depuis) {
  const reglage_terminal r = m.terminal_sci();
  txd_ = ligne_serie{};
  recepteur::demarre(recepteur_, txd_, depuis, frequence_e, r.bauds,
                     ligne_sci::bits_format(r.format));
  recepteur_pret_ = true;
}

// The characters complete before `jusqua`, as the screen shows them.
void terminal_serie::avance(const reglage_terminal& r, uint64_t jusqua,
                            std::string& recus) {
  while (recepteur::prochain(recepteur_) < jusqua) {
    caractere_recu c;
    if (!recepteur::traite(recepteur_, txd_, c)) continue;
    recus += static_cast<char>(
        r.format == format_ligne::f7e1 ? c.donnees & 0x7F : c.donnees & 0xFF);
  }
}

std::string terminal_serie::lit(machine& m, bool machine_arretee) {
  const reglage_terminal r = m.terminal_sci();
  std::string recus;
  if (r.bauds == 0) {
    recus.assign(m.sortie_sci.begin(), m.sortie_sci.end());
    m.garde_trames_txd = false;
    recepteur_pret_ = false;
  } else {
    // The count went back (a reset, a step back): time starts again.
    if (!recepteur_pret_ || m.cycles < cycles_vus_)
      demarre_recepteur(
          m, m.trames_txd.empty() ? m.cycles : m.trames_txd.front().debut);
    m.garde_trames_txd = true;
    // Each frame goes on the line once the receiver has done everything
    // due before its start.
    for (const trame_ligne& t : m.trames_txd) {
      avance(r, t.debut, recus);
      // Read to the end of the line while the machine was stopped: the
      // search starts again at this frame.
      if (recepteur_.phase == etat_recepteur::cherche &&
          t.debut < recepteur_.depuis)
        recepteur::demarre(recepteur_, txd_, t.debut, frequence_e, r.bauds,
                           ligne_sci::bits_format(r.format));
      recepteur::ajoute(txd_, t, &recepteur_);
    }
    avance(r, machine_arretee ? ligne_sci::jamais : m.cycles, recus);
  }
  cycles_vus_ = m.cycles;
  m.sortie_sci.clear();
  m.trames_txd.clear();
  ecran.recoit(recus);
  return recus;
}

bool terminal_serie::tape(machine& m, const std::string& octets) {
  if (!m.envoie_sci(octets)) return false;
  if (echo_local) ecran.recoit(octets);
  return true;
}

void terminal_serie::regle(machine& m, const reglage_terminal& r) {
  // What was sent until now is read at the former settings.
  lit(m);
  m.regle_terminal_sci(r);
  recepteur_pret_ = false;
  if (r.bauds != 0) {
    demarre_recepteur(m, m.cycles);
    m.garde_trames_txd = true;
  }
}
