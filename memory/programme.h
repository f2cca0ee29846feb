// Opening a program file, whatever its form: an S19 image, a linked ELF
// file, a GNU-syntax source file that the GNU tools assemble and link first
// (memory/assembleur.h), or a Motorola-syntax source that the built-in
// assembler assembles (assembleur/assembleur.h). This is what the window and
// tamrix-run call; the loaders themselves are members of mem_64k (load_s19,
// load_elf) and charge_elf below.
//
// Every form is loaded whole or not at all: on failure memory is unchanged
// and the messages say why. Left out: the binary image format (load_binaire
// stays a separate choice), Intel hex, several source files.
#ifndef TAMRIX_PROGRAMME_H
#define TAMRIX_PROGRAMME_H

#include <optional>
#include <string>
#include <vector>

#include "memory/assembleur.h"
#include "memory/mem_64k.h"
#include "memory/symboles.h"

enum class sorte_programme { s19, elf, source, motorola };

// The form of the file: ELF when it starts with the ELF magic bytes,
// whatever its name; else a GNU source when its name ends in ".s", a
// Motorola source when it ends in ".asm" or ".a11" (either case); else S19
// (".s19", ".srec", any other name).
sorte_programme sorte_de(const std::string& chemin);

struct programme_ouvert {
  bool reussi = false;
  // False when the file could not be read at all (missing, a folder):
  // no loader nor assembler ran, the one message says why.
  bool lu = true;
  sorte_programme sorte = sorte_programme::s19;
  // The ELF file's entry point (for a source file, _start or the first
  // address of .text; for a Motorola source, END's address or the first
  // ORG). None for S19: the caller keeps its own rule (PC = $B600).
  std::optional<unsigned short> entree;
  // Symbols and source lines; empty for S19, and on failure.
  infos_debogage infos;
  // On failure, why: the loader's line after the file's name ("p.s19,
  // ligne 2 : somme de contrôle incorrecte", "Fichier introuvable : p.s19",
  // as the path was given), or the assembler's and linker's lines with
  // their source line numbers (the built-in assembler's are each followed
  // by the source line they cite, "    12 |  ..."). On success, the
  // assembler's warnings, if any. Each line has also been written on
  // std::cerr.
  std::vector<std::string> messages;
};

// Loads the program at `chemin` into `mem` by its form (sorte_de). A
// source file's tools run under their limits, `suivi` called meanwhile
// (memory/assembleur.h).
programme_ouvert ouvre_programme(const std::string& chemin, mem_64k& mem,
                                 const suivi_outils& suivi = {});

// The ELF loader behind mem_64k::load_elf, with its message returned
// instead of printed: true when loaded; false with one French line in
// `erreur` ("fichier ELF refuse : segment au-dela de $ffff ..."), `mem`,
// `entree` and `infos` then unchanged.
bool charge_elf(const char* chemin, mem_64k& mem, unsigned short& entree,
                infos_debogage& infos, std::string& erreur);

#endif
