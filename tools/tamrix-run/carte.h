// The board around the chip in tamrix-run: --carte (or the program's own
// PROGRAMME.carte.toml), --appui and --relache as the board's scheduled
// actions, and the lines of its displays printed before the final line.
#ifndef TAMRIX_RUN_CARTE_H
#define TAMRIX_RUN_CARTE_H

#include <memory>
#include <string>
#include <vector>

#include "platine/platine.h"
#include "tools/tamrix-run/execution.h"
#include "tools/tamrix-run/options.h"

class machine;

// The board the options name, wired to `m` (null when there is none), the
// names of --appui and --relache checked against it. Empty on success, else
// the one-line message.
std::string prepare_carte(const options_run& options, machine& m,
                          std::unique_ptr<platine>& carte);
// After the reset: the actions of --appui and --relache scheduled.
void planifie_actions(const options_run& options, platine& carte);
// The displays' lines after a run that ended for `raison`.
std::vector<std::string> lignes_carte(const platine& carte,
                                      raison_arret raison);

#endif
