// The log of pin changes: every change of a pin level, whoever made it
// (the program through a port register, a timer output, the user, a
// scheduled pin event), as one record of cycle, pin and level. Bounded: it
// keeps the last `capacite` changes and drops older ones, and says from
// which cycle on it is complete. The timing diagram and the chip view read
// it; it is an output of the simulation, not part of its state.
#ifndef TAMRIX_PUCE_JOURNAL_H
#define TAMRIX_PUCE_JOURNAL_H

#include <cstddef>
#include <cstdint>
#include <vector>

// Pins: port*8 + bit for ports A to E (PA0 = 0 ... PE7 = 39), then the
// interrupt pins.
enum broche : unsigned char {
  broche_pa0 = 0,
  broche_pb0 = 8,
  broche_pc0 = 16,
  broche_pd0 = 24,
  broche_pe0 = 32,
  broche_irq = 40,
  broche_xirq = 41,
  nb_broches = 42
};

struct changement_broche {
  uint64_t cycle;
  unsigned char broche;
  unsigned char niveau;
};

class journal_broches {
 public:
  static constexpr std::size_t capacite_defaut = std::size_t(1) << 20;

  explicit journal_broches(std::size_t capacite = capacite_defaut)
      : capacite_(capacite) {}

  // A change stamped earlier than the last one (a pin event applied once
  // the instruction during which it fell has ended) takes the last one's
  // cycle: the log stays in order.
  void note(uint64_t cycle, unsigned char broche, unsigned char niveau) {
    if (!tampon_.empty()) {
      const uint64_t dernier = (*this)[taille() - 1].cycle;
      if (cycle < dernier) cycle = dernier;
    }
    ++total_;
    if (tampon_.size() < capacite_) {
      tampon_.push_back({cycle, broche, niveau});
      return;
    }
    const changement_broche& ancien = tampon_[debut_];
    complet_depuis_ = ancien.cycle + 1;
    niveaux_debut_[ancien.broche] = ancien.niveau;
    tampon_[debut_] = {cycle, broche, niveau};
    debut_ = (debut_ + 1) % capacite_;
  }
  // Starts a new log at cycle 0 (a reset, a load) with every pin's level.
  void vide(const unsigned char (&niveaux)[nb_broches]) {
    tampon_.clear();
    debut_ = 0;
    complet_depuis_ = 0;
    total_ = 0;
    ++version_;
    for (int i = 0; i < nb_broches; ++i) niveaux_debut_[i] = niveaux[i];
  }
  // How many changes were noted since the log started, dropped ones
  // included; and back to the first `total` of them (stepping back).
  uint64_t total() const { return total_; }
  void tronque_total(uint64_t total) {
    if (total >= total_) return;
    const uint64_t a_oter = total_ - total;
    const uint64_t garde = a_oter >= taille() ? 0 : taille() - a_oter;
    if (garde == 0) {
      tampon_.clear();
      debut_ = 0;
    } else {
      std::vector<changement_broche> ordre;
      ordre.reserve(garde);
      for (std::size_t i = 0; i < garde; ++i) ordre.push_back((*this)[i]);
      tampon_.swap(ordre);
      debut_ = 0;
    }
    total_ = total;
    ++version_;
  }
  // Forgets the changes made at or after `cycle`.
  void tronque(uint64_t cycle) {
    uint64_t total = total_;
    for (std::size_t i = taille(); i > 0 && (*this)[i - 1].cycle >= cycle; --i)
      --total;
    tronque_total(total);
  }
  std::size_t taille() const { return tampon_.size(); }
  // i-th change, oldest first.
  const changement_broche& operator[](std::size_t i) const {
    return tampon_[(debut_ + i) % tampon_.size()];
  }
  // The first cycle from which on every change is still held, and each
  // pin's level then.
  uint64_t complet_depuis() const { return complet_depuis_; }
  unsigned char niveau_debut(unsigned char broche) const {
    return niveaux_debut_[broche];
  }
  // For a summary of the log kept beside it (puce/chronogramme.h): the
  // changes noted since it was emptied, the dropped ones included (the
  // i-th change held is the (nombre_notes() - taille() + i)-th noted), and
  // a number that moves whenever held changes are forgotten (emptied,
  // cut back).
  uint64_t nombre_notes() const { return total_; }
  uint64_t version() const { return version_; }

 private:
  std::size_t capacite_;
  std::vector<changement_broche> tampon_;
  std::size_t debut_ = 0;
  uint64_t complet_depuis_ = 0;
  uint64_t total_ = 0;
  unsigned char niveaux_debut_[nb_broches] = {};
  uint64_t version_ = 0;
};

#endif
