// Where tamrix finds the files it reads at run time (the example programs,
// later the help text), and the text its programs print for --version.
// A data file keeps one relative path in both places it may live:
// "examples/somme.s19" is PREFIX/share/tamrix/examples/somme.s19 once
// installed, and examples/somme.s19 of the source tree when the program runs
// from the build tree. The installed place is found from the program's own
// path (/proc/self/exe), so a package unpacked into any folder works too.
// Leaves out: environment overrides and the XDG data folders.
#ifndef TAMRIX_INSTALLATION_H
#define TAMRIX_INSTALLATION_H

#include <string>

// This program's own path with its links resolved; "" when it cannot be
// read.
std::string chemin_executable();

// The path of the data file (or folder) `relatif` for the program at
// `executable`: <executable's folder>/../share/tamrix/`relatif` when that
// exists, else `sources`/`relatif` when `sources` is not empty and that
// exists, else "".
std::string cherche_donnee(const std::string& relatif,
                           const std::string& executable,
                           const std::string& sources);

// cherche_donnee for this program and the source tree it was built from
// (none when built for a package).
std::string chemin_donnee(const std::string& relatif);

// The --version text, three lines: "PROGRAMME VERSION (commit C)" (the
// parenthesis only when `commit` is not empty), the copyright and licence,
// and the folder of the example programs as chemin_donnee finds it.
std::string texte_version(const std::string& programme,
                          const std::string& version,
                          const std::string& commit);

#endif
