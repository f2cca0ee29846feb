// The run of tamrix-run on the machine's engine: the stop conditions of the
// command line, the trace, and the texts of the dumps and of the final state.
#ifndef TAMRIX_RUN_EXECUTION_H
#define TAMRIX_RUN_EXECUTION_H

#include <cstdint>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "cpu/interpreteur.h"
#include "memory/mem_64k.h"
#include "puce/machine.h"

class infos_debogage;

enum class raison_arret {
  boucle,
  adresse,
  max_pas,
  inexistante,
  attente,
  max_cycles,
  script,     // --sci-script: a step failed, or the run ended before the
              // script did
  raccroche,  // --sci-pty: the other side closed the pseudo-terminal
  signal,     // SIGINT or SIGTERM during a --sci-pty session
  condition   // --break-if
};

struct conditions_run {
  std::vector<unsigned> arrets;  // --until addresses
  std::uint64_t max_pas = 0;
  std::uint64_t max_cycles = ~std::uint64_t(0);
  // --watch: every write into [debut, fin] becomes a line of the trace
  // stream (standard output).
  std::vector<std::pair<unsigned, unsigned>> surveillances;
  // Per --until address: the arrival that stops (missing: the first).
  std::vector<std::uint64_t> passages;
  // --break-if: the run stops after the first instruction after which one
  // of them holds.
  std::vector<std::string> conditions;
  // Per --watch range: reads, writes, a condition on the access (missing:
  // writes, no condition).
  struct acces {
    bool lecture = false;
    bool ecriture = true;
    std::string condition;
  };
  std::vector<acces> acces_surveilles;
};

struct bilan_run {
  std::uint64_t cycles = 0;
  std::uint64_t pas = 0;
  raison_arret raison = raison_arret::max_pas;
};

// How the run goes once its conditions are set: the machine's run to its
// end by default; a script or a pseudo-terminal session drives it in
// slices (tools/tamrix-run/seances.h).
using pilote_run =
    std::function<raison_arret(machine& m, const conditions_arret& c)>;

// The reason of a run that ended by itself.
raison_arret raison_de(arret_machine a);

// Runs the machine from its current state. With a non-null `trace`, writes
// one line per instruction there, and one per interrupt entry; with the
// program's debug information an instruction's line ends with the label of
// its address and its source line ("  ajoute: somme.s:9"). Stops after
// a non-existent opcode (flat model: after its message; E9: before its
// trap, PC at the opcode), at the cycle limit, on an --until address, on
// a self-loop nothing can leave, when the CPU waits (WAI, STOP) and
// nothing can wake it, or after max_pas instructions.
bilan_run execute(machine& m, const conditions_run& conditions,
                  std::FILE* trace, const infos_debogage* infos = nullptr,
                  const pilote_run& pilote = nullptr);

// "loop", "until", "condition", "max-steps", "illegal", "wait",
// "max-cycles", "script", "hangup" or "signal".
const char* nom_raison(raison_arret raison);
// The exit status of the program for that stop: 0, 1, 3 or 5.
int statut_sortie(raison_arret raison);

// "PC=b602 A=12 B=00 X=0000 Y=0000 SP=00ff CCR=11010000".
std::string texte_registres(const interpreteur& cpu);
// The final line, without its end of line.
std::string ligne_finale(const interpreteur& cpu, const bilan_run& bilan);
// Lines of "%4x %2x ..." from `debut` to `fin` included, eight bytes each;
// the last line shows only the bytes up to `fin`. Registers are shown as a
// read would give them, without its side effects.
std::string texte_dump(const mem_64k& mem, unsigned debut, unsigned fin);

#endif
