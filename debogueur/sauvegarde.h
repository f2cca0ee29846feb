// The debugger's points kept with a program: one text file per program in
// the user's configuration folder, beside the saved options
// ($XDG_CONFIG_HOME/tamrix/points/, or ~/.config/tamrix/points/), named by
// a hash of the program's path, whose first line names the program; then
// one point a line, its fields separated by tabs (written | here):
//
//   programme=/chemin/somme.s
//   instruction|1|b610|boucle|somme.s:12|3|0|A == 1|
//   surveillance|1|0040|0043|rw|0|0|valeur > 9|
//   evenement|1|interruption|fff0|0|0|0||
//   simple|1|b612|fin|somme.s:14|0|0||
//
// the kind, enabled, then for an instruction its address, the place as
// written, its source line; for a watchpoint the range and r, w or rw; for
// an event its name, its number (hex, -1: any) and cycle; then from which
// hit it stops, tracepoint, condition, message. "simple" is a plain
// breakpoint (a click on a line: debogueur::simples). Opening the program
// again (or "Recharger" after an assembly that moved the code) maps each
// breakpoint through its label, else its source line, else keeps its
// address; a condition that no longer compiles (a label gone) leaves its
// point disabled, the error said. Tabs and line ends inside texts are
// turned into blanks.
#ifndef TAMRIX_DEBOGUEUR_SAUVEGARDE_H
#define TAMRIX_DEBOGUEUR_SAUVEGARDE_H

#include <string>
#include <vector>

#include "debogueur/points.h"

class infos_debogage;

// The file for the program at `programme` (an absolute path); "" without a
// configuration folder.
std::string chemin_points(const std::string& programme);

// The text of the points; `infos` gives the source lines (may be null).
std::string texte_points(const std::string& programme, const debogueur& d,
                         const infos_debogage* infos);
// Reads a text into d.points (replaced) mapped through `infos`; the
// counts start at 0. False when the text is not such a file (d unchanged);
// `avis` gets one French line per point that could not be kept as it was.
bool lit_points(const std::string& texte, const infos_debogage* infos,
                debogueur& d, std::vector<std::string>& avis);

// The file, written through a temporary file and a rename; and read
// (false, nothing changed, when absent or damaged).
bool sauve_points(const std::string& programme, const debogueur& d,
                  const infos_debogage* infos, std::string& erreur);
bool charge_points(const std::string& programme, const infos_debogage* infos,
                   debogueur& d, std::vector<std::string>& avis);

#endif
