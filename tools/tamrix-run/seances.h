// The runs of tamrix-run that talk on the SCI with something outside: a
// script (--sci-script, serie/dialogue.h) and a pseudo-terminal
// (--sci-pty, serie/pont_pty.h). Each is a pilot of the run
// (execution.h): the stop conditions are the command line's.
#ifndef TAMRIX_RUN_SEANCES_H
#define TAMRIX_RUN_SEANCES_H

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
raison_arret seance_pty(machine& m, const conditions_arret& c, pont_pty& p);

#endif
