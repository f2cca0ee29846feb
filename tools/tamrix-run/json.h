// --json: the results of a run as one JSON object on one line, written
// with nlohmann-json, in place of the final line. Its schema is in the
// README ("Résultats en JSON"): registers and flags, cycles, steps, stop
// reason and exit status, the --dump ranges, the refused accesses, the
// SCI's transcript, with --sci-script the script's result and, with
// --carte, what the board's displays show ("board": their lines).
#ifndef TAMRIX_RUN_JSON_H
#define TAMRIX_RUN_JSON_H

#include <string>
#include <vector>

#include "puce/machine.h"
#include "tools/tamrix-run/execution.h"
#include "tools/tamrix-run/options.h"

class dialogue_sci;

std::string texte_json(const machine& m, const bilan_run& bilan,
                       const std::vector<plage_dump>& dumps,
                       const dialogue_sci* script,
                       const std::vector<std::string>& lignes_carte = {});

#endif
