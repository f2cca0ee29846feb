// Script and pseudo-terminal runs. See seances.h.
#include "tools/tamrix-run/seances.h"

#include <poll.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <thread>

namespace {

volatile std::sig_atomic_t signal_recu = 0;

void note_signal(int) { signal_recu = 1; }

// 10 ms of chip time.
constexpr uint64_t cycles_tranche = frequence_e / 100;
// Behind its pace by more than this, the session starts again from now.
constexpr double retard_permis = 0.1;

}  // namespace

signaux_de_seance::signaux_de_seance() {
  signal_recu = 0;
  struct sigaction a {};
  a.sa_handler = note_signal;
  sigemptyset(&a.sa_mask);
  // No SA_RESTART: a wait is cut short by the signal.
  sigaction(SIGINT, &a, &ancien_int_);
  sigaction(SIGTERM, &a, &ancien_term_);
}

signaux_de_seance::~signaux_de_seance() {
  sigaction(SIGINT, &ancien_int_, nullptr);
  sigaction(SIGTERM, &ancien_term_, nullptr);
}

raison_arret seance_script(machine& m, const conditions_arret& c,
                           dialogue_sci& d) {
  const arret_machine a = d.avance(m, c);
  if (d.reussi()) {
    // The program may have ended during the script already.
    if (d.fin_programme() != arret_machine::aucun)
      return raison_de(d.fin_programme());
    return raison_de(m.execute(c));
  }
  if (!d.echoue()) d.interrompt(nom_raison(raison_de(a)));
  return raison_arret::script;
}

// The run has ended by itself: what the program sent goes out before the
// device closes.
void laisse_lire(pont_pty& p) {
  using horloge = std::chrono::steady_clock;
  const auto debut = horloge::now();
  for (;;) {
    p.lit();
    const pont_pty::etat e = p.interroge();
    if (e == pont_pty::etat::raccroche || signal_recu) return;
    if (e == pont_pty::etat::attente && p.en_reserve() == 0) return;
    const double delai = e == pont_pty::etat::relie ? 1.0 : 2.0;
    if (horloge::now() - debut > std::chrono::duration<double>(delai)) return;
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
}

raison_arret seance_pty(machine& m, const conditions_arret& c, pont_pty& p) {
  using horloge = std::chrono::steady_clock;
  conditions_arret tranche = c;
  tranche.ligne_sci_libre = true;
  auto origine = horloge::now();
  uint64_t cycles_origine = m.cycles;
  uint64_t emis_vus = m.octets_sci_emis();
  for (;;) {
    // No more than the line's queue takes: the rest waits in the device.
    const std::size_t place = machine::capacite_sci - m.file_sci();
    const std::string entree = p.lit(place);
    if (!entree.empty()) m.envoie_sci(entree);
    if (signal_recu) return raison_arret::signal;
    if (p.interroge() == pont_pty::etat::raccroche)
      return raison_arret::raccroche;
    tranche.max_cycles = std::min(c.max_cycles, m.cycles + cycles_tranche);
    const arret_machine a = m.execute(tranche);
    // What the SCI sent in the slice, for the other side.
    const auto nouveaux = static_cast<std::size_t>(std::min<uint64_t>(
        m.octets_sci_emis() - emis_vus, m.sortie_sci.size()));
    emis_vus = m.octets_sci_emis();
    if (nouveaux)
      p.ecrit(std::string(m.sortie_sci.end() - static_cast<long>(nouveaux),
                          m.sortie_sci.end()));
    if (a != arret_machine::max_cycles || m.cycles >= c.max_cycles) {
      laisse_lire(p);
      return raison_de(a);
    }
    // The chip's pace: wait until the wall clock has caught up with it.
    const auto cible =
        origine + std::chrono::duration_cast<horloge::duration>(
                      std::chrono::duration<double>(
                          double(m.cycles - cycles_origine) / frequence_e));
    const auto maintenant = horloge::now();
    if (maintenant - cible > std::chrono::duration<double>(retard_permis)) {
      origine = maintenant;
      cycles_origine = m.cycles;
      continue;
    }
    if (cible <= maintenant) continue;
    const auto attente = std::chrono::duration_cast<std::chrono::milliseconds>(
        cible - maintenant);
    if (p.interroge() == pont_pty::etat::relie && place > entree.size()) {
      // Woken early by bytes from the other side (or its closing).
      pollfd f{p.descripteur(), POLLIN, 0};
      poll(&f, 1, static_cast<int>(attente.count()) + 1);
    } else {
      // Nobody has the device open: the master only says so.
      std::this_thread::sleep_until(cible);
    }
  }
}
