// Assembling a student's source file with the installed GNU tools of
// Debian's binutils-m68hc1x, as tools/assemble.sh does: `m68hc11-as -g`
// then `m68hc11-ld -Ttext 0xb600 -e _start`, a section named .vecteurs (the
// interrupt vectors, SCI first, reset last) placed at 0xFFD6. The tools run
// directly (no shell: any path works) in a fresh temporary folder that is
// removed before the function returns, whatever happened. Left out: several
// source files, other link addresses, linker scripts.
//
// Each tool runs under limits set in the child before it starts
// (setrlimit): CPU time, address space, size of any file it writes; and
// the caller waits for it at most a wall-clock time, which it may cut
// short (the window's "Annuler"). A source that asks too much (`.rept
// 100000000`, `.incbin` of a large file, `.include` of a FIFO) is stopped
// and refused with a line saying which limit it hit.
#ifndef TAMRIX_ASSEMBLEUR_H
#define TAMRIX_ASSEMBLEUR_H

#include <cstddef>
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

// The bounds of each tool's run.
struct limites_outils {
  unsigned secondes_calcul = 20;                       // CPU time
  std::size_t memoire = std::size_t(512) << 20;        // address space
  std::size_t taille_fichier = std::size_t(16) << 20;  // each file written
  double duree = 60;  // seconds of wall-clock time
};

// While a tool runs, called about every 20 ms with its name and the
// seconds since it started; it returns false to cancel. It is where the
// window keeps its events going (and waits meanwhile). Without one, the
// caller's thread just waits.
using suivi_outils =
    std::function<bool(const std::string& outil, double secondes)>;

// Assembles and links `source`. When both tools succeed, calls `utilise`
// with the path of the linked ELF file (entry point _start, or the first
// address of .text), which exists only during that call; `reussi` is then
// true. The file's DWARF line table names `source` as given here.
resultat_assemblage assemble_source(
    const std::string& source,
    const std::function<void(const std::string& elf)>& utilise,
    const suivi_outils& suivi = {}, const limites_outils& limites = {});

#endif
