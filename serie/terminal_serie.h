// The terminal at the other end of the SCI's line, as a student's terminal
// program on the bench: its line settings, its screen, what it types.
//
// While it follows the program's settings (reglage_terminal::bauds = 0,
// the default), it shows the bytes the SCI sent as they are. Given a rate
// and format of its own, it reads TxD bit by bit with the same data
// recovery as the chip (puce/ligne_sci.h), so a terminal at the wrong rate
// shows garbled characters; and the chip reads what it types the same way
// (framing errors, noise). 7E1: the seven data bits are shown, the parity
// bit dropped; 9 bits: the low eight. A break shows nothing (NUL).
#ifndef TAMRIX_SERIE_TERMINAL_SERIE_H
#define TAMRIX_SERIE_TERMINAL_SERIE_H

#include <string>

#include "puce/ligne_sci.h"
#include "puce/machine.h"
#include "serie/ecran_serie.h"

class terminal_serie {
 public:
  ecran_serie ecran;
  // Typed characters shown on the screen too.
  bool echo_local = false;

  // What the SCI sent since the last call (the machine's output emptied),
  // read at the terminal's settings: shown on the screen and returned.
  // Read bit by bit, a character is complete some time after its frame;
  // while the machine runs, what is not complete by its cycle count waits
  // for the next call. `machine_arretee`: the machine stops here (the
  // window's run ended), the characters already on the line are read to
  // their end; a frame sent later starts a new search.
  std::string lit(machine& m, bool machine_arretee = false);
  // Characters typed for the program (on the line at the terminal's
  // rate, see machine::envoie_sci); with the local echo, on the screen
  // too. False when the SCI does not take them (flat model, too many
  // waiting).
  bool tape(machine& m, const std::string& octets);
  // The line settings, for both directions.
  void regle(machine& m, const reglage_terminal& r);
  reglage_terminal reglage(const machine& m) const { return m.terminal_sci(); }

 private:
  ligne_serie txd_{};
  etat_recepteur recepteur_{};
  bool recepteur_pret_ = false;
  uint64_t cycles_vus_ = 0;  // the machine's count at the last call

  void demarre_recepteur(const machine& m, uint64_t depuis);
  void avance(const reglage_terminal& r, uint64_t jusqua, std::string& recus);
};

#endif
