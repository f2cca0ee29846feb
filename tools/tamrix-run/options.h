// Command line of tamrix-run: what to load, the state before the run, when
// to stop and what to show afterwards.
#ifndef TAMRIX_RUN_OPTIONS_H
#define TAMRIX_RUN_OPTIONS_H

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

class infos_debogage;

// One --set or --pc, applied in command-line order. `nom` is upper case:
// A, B, D, X, Y, SP, PC or CCR.
struct reglage_registre {
  std::string nom;
  unsigned valeur;
};

// One --poke: bytes stored from `adresse` on (never past 0xFFFF).
struct depot_memoire {
  unsigned adresse;
  std::vector<unsigned char> octets;
};

// One --dump: `debut` to `fin`, both included, debut <= fin; `texte` as
// written ("resultat:resultat+1").
struct plage_dump {
  unsigned debut;
  unsigned fin;
  std::string texte;
};

// An address of --until, --pc, --dump or --watch written as a label or
// expression
// ("fin", "resultat+1"): read once the program is loaded, with its symbols
// (resout_adresses). Until then its place holds 0.
struct adresse_symbolique {
  enum class place {
    arret,
    registre,
    debut_dump,
    fin_dump,
    debut_surveillance,
    fin_surveillance
  };
  place ou;
  std::size_t index;   // in arrets, registres, dumps or surveillances
  std::string option;  // "--until"
  std::string texte;
  // The message of the option's number reading, for a program that has no
  // symbols (S19, binary image).
  std::string erreur_nombre;
};

// One --pin: a pin (enum broche of puce/journal.h) driven to a level when
// the cycle count reaches `cycle`.
struct reglage_broche {
  unsigned char broche;
  unsigned char niveau;
  std::uint64_t cycle;
};

// One --analog: an analog input (0-7 AN0-AN7, 8 VRH, 9 VRL, as in
// puce/can.h) and its level in microvolts.
struct reglage_tension {
  int entree;
  std::int32_t microvolts;
};

// One --appui or --relache: a button, switch or key of the board (`nom` as
// the board names it: "BP1", "clavier:5", "dip PC:3") pressed or switched
// on (`appui`), or released or off, when the cycle count reaches `cycle`.
struct action_carte {
  std::string nom;
  bool appui;
  std::uint64_t cycle;
};

struct options_run {
  std::string programme;
  bool modele_plat = false;  // --model flat (default e9)
  bool monopuce = false;     // --mode single-chip (default expanded)
  bool mode_donne = false;   // --mode given
  bool cop = false;          // --cop: CONFIG's NOCOP cleared before reset
  bool binaire = false;
  bool trace = false;
  bool stats = false;
  bool aide = false;
  bool version = false;  // --version
  std::vector<reglage_registre> registres;
  std::vector<depot_memoire> depots;
  std::vector<unsigned> arrets;  // --until addresses
  std::vector<plage_dump> dumps;
  std::vector<plage_dump> surveillances;  // --watch ranges
  // --watch's access kinds and value condition, one per range.
  struct acces_surveille {
    bool lecture = false;
    bool ecriture = true;
    std::string condition;  // "" : every access
  };
  std::vector<acces_surveille> modes_surveillance;
  // --until ADR:N: the arrival that stops (1 for a plain --until), one per
  // address of arrets.
  std::vector<std::uint64_t> passages;
  std::vector<std::string> conditions;  // --break-if, in order
  std::vector<adresse_symbolique> symboliques;
  std::vector<reglage_broche> broches;
  std::uint64_t max_pas = 100000000;
  std::uint64_t max_cycles = UINT64_MAX;  // --max-cycles, none by default
  // Serial line and analog inputs (E9 model).
  std::string entree_sci;  // --sci-in and --sci-in-file bytes, in order
  std::vector<std::string> fichiers_sci;  // the --sci-in-file paths
  std::string sortie_sci;  // --sci-out file, "-": standard output
  std::string script_sci;  // --sci-script file
  bool pty_sci = false;    // --sci-pty
  bool json = false;       // --json: a JSON object instead of the final line
  std::vector<reglage_tension> tensions;  // --analog
  // The board around the chip (tools/tamrix-run/carte.h).
  std::string carte;                  // --carte FICHIER|NOM
  std::vector<action_carte> actions;  // --appui, --relache
};

// The bytes --sci-in and --sci-in-file may give together.
constexpr std::size_t max_entree_sci = 1024;

// A pin name of --pin (IRQ, XIRQ, PA0-PA3, PA7, PC0-PC7, PD0-PD5, PE0-PE7,
// either case): its number, or -1 when it is no input pin.
int numero_broche(const std::string& nom);

// A number written in decimal ("182"), "$hex" ("$b6") or "0xhex" ("0xB6"),
// no sign, no blank. False when the text is not such a number or exceeds
// `maximum`; `hors_limites` then tells which of the two.
bool lit_nombre(const std::string& texte, std::uint64_t maximum,
                std::uint64_t& valeur, bool& hors_limites);

// A message on one line: control characters written as \n, \r, \t, \xNN.
std::string sur_une_ligne(const std::string& texte);

// Fills `options` from the arguments (argv[1] on). Returns an empty text on
// success, else a one-line message saying what is wrong (an argument it
// quotes has its control characters written out). With --help or
// --version the other arguments are not checked.
std::string lit_options(int argc, const char* const* argv,
                        options_run& options);

// Gives the addresses written as labels or expressions their values from
// the loaded program's symbols (memory/symboles.h), then checks the dumps'
// order. Empty on success, else a one-line message ("--until : etiquette
// inconnue : fni").
std::string resout_adresses(options_run& options, const infos_debogage& infos);

// The usage text printed by --help.
const char* texte_aide();

#endif
