// A pseudo-terminal bridge: the SCI's line offered to programs outside
// tamrix (picocom, minicom, a Python script with pyserial, a download
// tool) as a terminal device, /dev/pts/N. What they write there is typed
// for the program (machine::envoie_sci: on RxD at the rate the program
// set); what the SCI sends is written there. A pty has no wire: the rate
// and format the other side sets are ignored.
//
// The device is in raw mode (no echo, no line editing, bytes as they are)
// before anyone opens it. The bridge tells whether the other side has
// opened it yet, and when it closed it again (the kernel's hang-up on the
// master side). Nothing blocks: bytes sent before the other side opens
// the device, or that it does not take at once, wait here (at most
// `reserve_max`, the oldest dropped and counted).
#ifndef TAMRIX_SERIE_PONT_PTY_H
#define TAMRIX_SERIE_PONT_PTY_H

#include <cstddef>
#include <string>

class pont_pty {
 public:
  static constexpr std::size_t reserve_max = 1 << 16;
  enum class etat { ferme, attente, relie, raccroche };

  pont_pty() = default;
  ~pont_pty();
  pont_pty(const pont_pty&) = delete;
  pont_pty& operator=(const pont_pty&) = delete;

  // Creates the pseudo-terminal. False, with the reason, on failure.
  bool ouvre(std::string& erreur);
  void ferme();
  // Its path ("/dev/pts/7"), and the descriptor to wait on.
  const std::string& chemin() const { return chemin_; }
  int descripteur() const { return maitre_; }

  // ferme: not created; attente: nobody has opened the device yet; relie:
  // the other side has it open; raccroche: it closed it after that.
  etat interroge();
  // What the other side wrote since the last call (empty: nothing), at
  // most `max` bytes: the rest stays in the device (and the other side
  // waits when its buffer is full) until there is room for it.
  std::string lit(std::size_t max = std::string::npos);
  // Bytes for the other side.
  void ecrit(const std::string& octets);
  std::size_t perdus() const { return perdus_; }
  // Bytes not yet taken by the device.
  std::size_t en_reserve() const { return reserve_.size(); }

 private:
  int maitre_ = -1;
  std::string chemin_;
  bool relie_ = false;
  bool raccroche_ = false;
  std::string reserve_;
  std::size_t perdus_ = 0;

  void vide_reserve();
};

#endif
