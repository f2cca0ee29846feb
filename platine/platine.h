// The board around the chip: the components a board file describes
// (platine/description.h), wired to a machine of the E9 model. The board
// sees the chip only as the board's own wires would: through the pins
// (their levels and the pin log) and, for a memory-mapped LCD in expanded
// mode, through the bus marks of the cells it answers at.
//
// Time: nothing here runs per instruction.
//   - Inputs (buttons, switches, keys) are actions of the user at a cycle:
//     now (the window) or scheduled (tamrix-run's --appui), as pin events
//     of the machine (machine::planifie_broche), and a contact's bounce is
//     a few more scheduled events.
//   - What the board drives from its own state is computed when the chip
//     reads the pin: a keypad's columns from its rows and keys, the LCD's
//     data lines while it is read (the busy flag at the cycle of the
//     read). The ports ask for those pins only (calculees).
//   - The pins the board must follow as they change (an LCD's E, a wire's
//     source) are told by the ports when they change (suivies): the LCD
//     latches on E's falling edge, a wire copies its source at once.
//   - What lights (LEDs, digits) is read back from the pin log when shown
//     (platine/persistance.h).
// The board's own state (platine/etat_platine.h) is copied with the
// machine's, so stepping back and replay bring it back.
// Left out: the flat model (no pins but memory cells: the board is not
// wired there), electrical levels other than 0 and 1, open-drain outputs.
#ifndef TAMRIX_PLATINE_PLATINE_H
#define TAMRIX_PLATINE_PLATINE_H

#include <cstdint>
#include <string>
#include <vector>

#include "platine/description.h"
#include "platine/etat_platine.h"

class machine;
class puce;
struct evenement_broche;

class platine {
 public:
  explicit platine(const description_carte& d);
  ~platine();
  platine(const platine&) = delete;
  platine& operator=(const platine&) = delete;

  const description_carte& description() const { return d_; }
  etat_platine etat;

  // Wires the board to `m` (E9 model only: false otherwise), its inputs
  // driven as they stand, its LCDs powered up; takes it off.
  bool attache(machine& m);
  void detache();
  machine* reliee() const { return m_; }

  // ---- What the machine and the chip call (puce/machine.cpp, ports.cpp,
  // carte.cpp). Never inlined: the run loop is flattened (puce/machine.h),
  // and the board's code, which runs only on a pin change or its own
  // accesses, would swell it (and the link-time optimisation with it).
  // Pins of port 0..4 to tell of, and those whose level as an input the
  // board computes.
  unsigned char suivies(int port) const { return suivies_[port]; }
  unsigned char calculees(int port) const { return calculees_[port]; }
  // Port `port` went from `avant` to `apres` at `cycle`. True when pins the
  // board computes may have changed with it.
  __attribute__((noinline)) bool change_port(int port, unsigned char avant,
                                             unsigned char apres,
                                             uint64_t cycle);
  // The levels of port `port` as the chip reads them: `niveaux` as the
  // chip alone gives them, the board's computed pins put in where they are
  // not outputs (`sorties`).
  __attribute__((noinline)) unsigned char niveaux(const puce& p, int port,
                                                  unsigned char niveaux,
                                                  unsigned char sorties) const;
  // Memory-mapped components: whether `adresse` is one of theirs, and the
  // CPU's accesses there (at the access's cycle), and a look.
  bool au_bus(unsigned short adresse) const;
  __attribute__((noinline)) unsigned char lit_bus(unsigned short adresse,
                                                  uint64_t cycle);
  __attribute__((noinline)) void ecrit_bus(unsigned short adresse,
                                           unsigned char valeur,
                                           uint64_t cycle);
  __attribute__((noinline)) unsigned char consulte_bus(unsigned short adresse,
                                                       uint64_t cycle) const;
  // The machine was reset: the board is powered up with it (an LCD starts
  // blank and busy); what the user holds stays.
  void mise_sous_tension(uint64_t cycle);
  // One of the board's scheduled events (evenement_broche with broche >=
  // machine::broche_platine) is due.
  __attribute__((noinline)) void evenement(const evenement_broche& e);
  void sauve(etat_platine& e) const { e = etat; }
  void restaure(const etat_platine& e);

  // ---- The user.
  // Component `composant`, element `element` (a keypad's key, a DIP
  // switch, 0 for the others) pressed / switched on (`actif`) or released /
  // off: now, or at `cycle`. False when the component takes no such action.
  bool agit(int composant, int element, bool actif);
  bool planifie(uint64_t cycle, int composant, int element, bool actif);
  // A potentiometer's voltage, microvolts. False when out of range.
  bool tourne(int composant, int32_t microvolts);
  int32_t tension(int composant) const;
  // Whether element `element` of `composant` is pressed / on.
  bool actif(int composant, int element) const;
  // `nom` ("BP1", "clavier:5", "dip PC:3"): the component and element,
  // false when the board has none such.
  bool trouve(const std::string& nom, int& composant, int& element) const;

  // ---- What the board shows (`fige`: the pins held, see persistance.h).
  // Each LED's share of the frame lit, left to right.
  std::vector<double> leds(int composant, bool fige) const;
  // Each digit's segments a..g, dp: their share of the frame lit, scaled
  // by the number of digits (1: lit the whole of its turn).
  std::vector<std::vector<double>> segments(int composant, bool fige) const;
  // The LCD's controller (its state), for drawing.
  const etat_hd44780* lcd(int composant) const;
  // One line per display component, as tamrix-run prints them:
  //   lcd: "Bonjour         " "                "
  //   7seg: "12.34"
  //   leds PB: 10100000
  std::vector<std::string> lignes(bool fige) const;
  // The pins the board drives, per port (the port panels mark them).
  unsigned char pilotees(int port) const { return pilotees_[port]; }
  // The components on a pin, "« BP1 », « lcd »" (the chip view); "" for
  // none.
  std::string sur_broche(unsigned char broche) const;

  // The events of the board in the machine's queue.
  static unsigned char code_action(int element, bool actif);

 private:
  description_carte d_;
  machine* m_ = nullptr;
  unsigned char suivies_[5] = {};
  unsigned char calculees_[5] = {};
  unsigned char pilotees_[5] = {};
  unsigned ports_lus_ = 0;     // bit k: port k's levels feed computed pins
  std::vector<int> rang_lcd_;  // by component: its LCD's index, or -1

  void applique(int composant, int element, bool actif, uint64_t cycle);
  void pose(unsigned char broche, bool niveau, uint64_t cycle);
  bool niveau_broche_puce(unsigned char broche) const;
};

#endif
