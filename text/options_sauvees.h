// The options the user saves ("Options" > "Sauver les options") and the
// simulator reads at start-up: a small text file of key=value lines in the
// user's configuration folder, $XDG_CONFIG_HOME/tamrix/options (or
// ~/.config/tamrix/options).
//
//   modele=e9                      e9 or plat
//   registre.A=1 ... registre.SP=1 the register fields shown (1) or hidden
//   port.A=1 ... port.E=1          the port panels shown or hidden
//   trace_temps_reel=1             views redrawn during a run
//   registres_configuration=0      the configuration registers' window
//   vitesse=temps_reel             temps_reel, dixieme, centieme,
//                                  pas_animes or maximum
//   pas_par_seconde=5              animated steps, 1 to 50 a second
//   historique_mo=256              the history's memory bound, 16 to 4096 MiB
//   analogique.AN0=0 ... AN7, VRH, VRL   port E's analog inputs, in volts
//                                  (0 to 5, a dot for decimals)
//   chronogramme.selection=PB7,PB6 the timing diagram's rows
//   dernier_fichier=/chemin/prog.s19
//
// Lines starting with '#' and blank lines are skipped; unknown keys are
// ignored (a later version may add some). A line that is not key=value or
// a known key with a value out of its range makes the whole file damaged:
// the defaults are used and the file stays as it is until the user saves.
// Written whole to a temporary file of the same folder, then renamed over
// the old one, so that a crash while saving never leaves half a file.
// Leaves out: locking against two simulators saving at the same moment
// (the last rename wins, each file whole).
#ifndef TAMRIX_OPTIONS_SAUVEES_H
#define TAMRIX_OPTIONS_SAUVEES_H

#include <string>

struct options_sauvees {
  std::string modele = "e9";
  // A, B, CCR, X, Y, PC, SP.
  bool registres[7] = {true, true, true, true, true, true, true};
  // Ports A to E.
  bool ports[5] = {true, true, true, true, true};
  bool trace_temps_reel = true;
  bool registres_configuration = false;
  std::string vitesse = "temps_reel";
  int pas_par_seconde = 5;
  // The history's memory bound, in MiB.
  int historique_mo = 256;
  // AN0 to AN7, then the converter's references.
  double analogiques[8] = {0, 0, 0, 0, 0, 0, 0, 0};
  double vrh = 5.0;
  double vrl = 0.0;
  // Names of the timing diagram's rows ("PA7" ... "PE0", "IRQ", "XIRQ"),
  // separated by commas.
  std::string selection_chronogramme = "PB7,PB6,PB5,PB4,PB3,PB2,PB1,PB0";
  std::string dernier_fichier;
};

// What reading the file gave.
enum class etat_options {
  absent,    // no file: the defaults
  lu,        // read
  abime,     // damaged: the defaults
  illisible  // there but cannot be read: the defaults
};

struct lecture_options {
  etat_options etat;
  // For abime and illisible: one line saying what and where, for the
  // standard error stream.
  std::string message;
};

// The file's path: $XDG_CONFIG_HOME/tamrix/options when that variable is
// an absolute path, else $HOME/.config/tamrix/options; "" without either.
std::string chemin_options();

// The file's text, and its reading. lit_texte_options leaves `options`
// untouched and says why in `erreur` ("ligne 3 : ...") when the text is
// damaged.
std::string texte_options(const options_sauvees& options);
bool lit_texte_options(const std::string& texte, options_sauvees& options,
                       std::string& erreur);

// Reads the file at `chemin` into `options`, which keeps its defaults
// unless the result is etat_options::lu.
lecture_options lit_options(const std::string& chemin,
                            options_sauvees& options);

// Writes the file at `chemin` (its folder made when missing) through a
// temporary file and a rename. False, with the reason in `erreur`, when it
// could not: the old file is then untouched.
bool ecrit_options(const std::string& chemin, const options_sauvees& options,
                   std::string& erreur);
// Any text so written whole (the debugger's points beside the options).
bool ecrit_fichier_entier(const std::string& chemin, const std::string& texte,
                          std::string& erreur);

#endif
