// Assembling a student's source file with the installed GNU tools of
// Debian's binutils-m68hc1x, as tools/assemble.sh does: `m68hc11-as -g`
// then `m68hc11-ld -Ttext 0xb600 -e _start`, a section named .vecteurs (the
// interrupt vectors, SCI first, reset last) placed at 0xFFD6. The tools run
// directly (no shell: any path works) in a fresh temporary folder that is
// removed before the function returns, whatever happened. Left out: several
// source files, other link addresses, linker scripts.
#ifndef TAMRIX_ASSEMBLEUR_H
#define TAMRIX_ASSEMBLEUR_H

#include <functional>
#include <string>
#include <vector>

// The Debian package that holds the tools.
constexpr const char* paquet_outils_gnu = "binutils-m68hc1x";

struct resultat_assemblage {
  bool reussi = false;
  // The lines the tools wrote on their error stream, as they wrote them
  // ("prog.s:12: Error: bad expression"), errors or warnings; or one line
  // saying which tool is missing and which Debian package to install. Not
  // kept: the linker's warning that _start is missing (the program then
  // starts at the first address of .text, which is what is wanted).
  std::vector<std::string> messages;
};

// Assembles and links `source`. When both tools succeed, calls `utilise`
// with the path of the linked ELF file (entry point _start, or the first
// address of .text), which exists only during that call; `reussi` is then
// true. The file's DWARF line table names `source` as given here.
resultat_assemblage assemble_source(
    const std::string& source,
    const std::function<void(const std::string& elf)>& utilise);

#endif
