// The runs of tamrix-run that talk on the SCI with something outside: a
// script (--sci-script, serie/dialogue.h) and a pseudo-terminal
// (--sci-pty, serie/pont_pty.h). Each is a pilot of the run
// (execution.h): the stop conditions are the command line's.
#ifndef TAMRIX_RUN_SEANCES_H
#define TAMRIX_RUN_SEANCES_H

#include <csignal>
#include <string>

#include "serie/dialogue.h"
#include "serie/pont_pty.h"
#include "tools/tamrix-run/execution.h"

// The script's steps, then the rest of the run as without it. A step that
// fails, or a run that ends before the script does, ends the run with
// raison_arret::script.
raison_arret seance_script(machine& m, const conditions_arret& c,
                           dialogue_sci& d);

// At the chip's pace ("Temps reel": 2 000 000 E cycles a second of wall
// time): in slices of 10 ms of chip time, sleeping until the next one and
// waking early when bytes come from the other side. Ends when the program
// ends (as a run without the pty, characters being able to come at any
// time), at the command line's limits, when the other side closes the
// device after opening it (raccroche) or on SIGINT or SIGTERM (signal).
// A pty loses what is still in it when tamrix-run closes it: when the run
// ends by itself, the other side has a second to read what the program
// sent and close (two to open the device first, when bytes wait for it).
// The caller holds a signaux_de_seance from before it prints the path.
raison_arret seance_pty(machine& m, const conditions_arret& c, pont_pty& p);

// While it lives, SIGINT and SIGTERM end the session (not the program at
// once); the former handlers come back after.
class signaux_de_seance {
 public:
  signaux_de_seance();
  ~signaux_de_seance();
  signaux_de_seance(const signaux_de_seance&) = delete;
  signaux_de_seance& operator=(const signaux_de_seance&) = delete;

 private:
  struct sigaction ancien_int_ {};
  struct sigaction ancien_term_ {};
};

#endif
