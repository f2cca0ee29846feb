// Scripted dialogues on the SCI: what a teacher writes to grade a program
// that talks on the serial line, played against the machine by
// tamrix-run --sci-script, by the window's "Rejouer un script..." and by
// the tests. One step a line:
//   attendre "texte" [max CYCLES]  waits until the bytes the SCI sent since
//                                  the previous step ended hold the text;
//                                  fails after CYCLES (default
//                                  attente_defaut) or when the program
//                                  stops by itself first
//   envoyer "texte"                typed now: the characters go on RxD one
//                                  after the other at the terminal's rate
//   pause CYCLES                   lets the program run that long
//   silence CYCLES                 the same, and fails on any byte sent
// Blank lines and lines starting with # are ignored. Strings take the
// escapes \r, \n, \t, \\, \" and \xNN; numbers are decimal, $hex or
// 0xhex.
//
// Time is the machine's cycle count: a step ends at an exact cycle (the
// instruction during which the awaited byte went out, the end of a
// pause), so the same script on the same program gives the same
// transcript and the same counts, however the caller slices the run. The
// program ending by itself (a loop nothing can leave, a wait nothing can
// end) lets a pause or a silence pass and fails a wait.
#ifndef TAMRIX_SERIE_DIALOGUE_H
#define TAMRIX_SERIE_DIALOGUE_H

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "puce/machine.h"

struct etape_dialogue {
  enum class sorte { attendre, envoyer, pause, silence } type;
  std::string texte;  // attendre, envoyer: the bytes
  uint64_t cycles;    // attendre's bound, pause, silence
  unsigned ligne;     // in the script
};

// Reads a script. Empty on success, else "ligne N : what is wrong".
std::string lit_dialogue(const std::string& texte,
                         std::vector<etape_dialogue>& etapes);
// A script's file (a regular file of at most taille_max_script bytes),
// read and parsed. Empty on success, else what is wrong ("fichier
// illisible : ...", "ligne 3 : ...").
constexpr std::size_t taille_max_script = std::size_t(1) << 20;
std::string lit_fichier_dialogue(const std::string& chemin,
                                 std::vector<etape_dialogue>& etapes);

class dialogue_sci {
 public:
  // 10 s at 2 MHz.
  static constexpr uint64_t attente_defaut = 20000000;

  explicit dialogue_sci(std::vector<etape_dialogue> etapes);

  // Runs the machine under `c` (its breakpoints, limits and observer),
  // doing the steps as their time comes, until the script is over (passed
  // or failed) or the machine stops for a reason of `c` or of its own.
  // Returns that reason; arret_machine::aucun when the script is over.
  arret_machine avance(machine& m, const conditions_arret& c);

  bool fini() const { return courante_ >= etapes_.size() || echoue_; }
  bool reussi() const { return courante_ >= etapes_.size() && !echoue_; }
  bool echoue() const { return echoue_; }
  // The step under way (or that failed), 0 first, and how many there are.
  std::size_t etape() const { return courante_; }
  std::size_t nombre() const { return etapes_.size(); }
  const etape_dialogue& etape_courante() const { return etapes_[courante_]; }
  // How the program stopped by itself during the script (a loop nothing
  // can leave, a wait nothing can end): arret_machine::aucun while it
  // has not. Running the machine again would execute one more
  // instruction.
  arret_machine fin_programme() const { return fin_programme_; }
  // What the SCI sent since the script started.
  const std::string& recu() const { return recu_; }
  // Why the step failed.
  enum class cause {
    aucune,
    delai,
    silence_rompu,
    programme_arrete,
    refuse,
    interrompu  // the run stopped for another reason (a limit, an address)
  };
  cause raison() const { return raison_; }
  // The run stopped before the script's end, for the reason `stop` (the
  // final line's word): the step under way fails.
  void interrompt(const std::string& stop);
  // Called after each `envoyer` the SCI took (the window keeps the typing
  // in its history, as the user's own).
  std::function<void()> apres_envoi;
  // One line saying which step failed, what it expected and the last 80
  // characters received (escaped): `ascii` for tamrix-run, else with
  // accents for the window.
  std::string message(bool ascii) const;

 private:
  std::vector<etape_dialogue> etapes_;
  std::size_t courante_ = 0;
  bool commencee_ = false;  // the current step has its start
  uint64_t debut_ = 0;      // cycle the current step started
  std::size_t depuis_ = 0;  // position in recu_ where it started
  bool echoue_ = false;
  arret_machine fin_programme_ = arret_machine::aucun;
  cause raison_ = cause::aucune;
  std::string stop_;
  std::string recu_;
  uint64_t emis_vus_ = 0;
  bool vus_fixes_ = false;

  void lit_sortie(const machine& m);
  void termine_etape();
  void echoue(cause raison);
};

#endif
