// Reading the command line of tamrix-run. Every value is checked here, so
// that nothing runs when any argument is wrong.
#include "tools/tamrix-run/options.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstring>

#include "debogueur/expression.h"
#include "memory/programme.h"
#include "memory/symboles.h"
#include "puce/can.h"
#include "puce/journal.h"
#include "puce/machine.h"
#include "puce/sci.h"
#include "serie/echappements.h"
#include "text/lecture.h"
#include "text/tensions.h"

namespace {

constexpr std::uint64_t max_octet = 0xFF;
constexpr std::uint64_t max_mot = 0xFFFF;
// Bytes of --sci-in and --sci-in-file together.

int valeur_chiffre(char c, int base) {
  int v = -1;
  if (c >= '0' && c <= '9') v = c - '0';
  if (c >= 'a' && c <= 'f') v = c - 'a' + 10;
  if (c >= 'A' && c <= 'F') v = c - 'A' + 10;
  return v < base ? v : -1;
}

std::string hex_maximum(std::uint64_t maximum) {
  char texte[32];
  std::snprintf(texte, sizeof texte, "$%llx",
                static_cast<unsigned long long>(maximum));
  return texte;
}

std::string en_majuscules(std::string texte) {
  for (char& c : texte) c = static_cast<char>(std::toupper(c));
  return texte;
}

// Reads one number for `option`; the message is empty on success.
std::string nombre_option(const std::string& option, const std::string& texte,
                          std::uint64_t maximum, std::uint64_t& valeur) {
  bool hors_limites = false;
  if (lit_nombre(texte, maximum, valeur, hors_limites)) return "";
  if (hors_limites)
    return option + " : valeur hors limites : " + texte + " (maximum " +
           hex_maximum(maximum) + ")";
  return option + " : nombre invalide : \"" + texte +
         "\" (decimal, $hex ou 0xhex)";
}

// A text that is no number but may be a label or an expression of the
// program: it holds a character of a name and does not start like an
// option.
bool peut_etre_symbolique(const std::string& texte) {
  if (texte.empty() || texte[0] == '-') return false;
  bool nom = false;
  for (char c : texte) {
    const auto u = static_cast<unsigned char>(c);
    if (std::isalpha(u) || c == '_' || c == '.')
      nom = true;
    else if (!std::isdigit(u) && c != '$' && c != '+' && c != '-' && c != ' ')
      return false;
  }
  return nom;
}

// An address for `option`: a number, or a text that may be a label, whose
// place is then left for resout_adresses. The message is empty on success.
std::string adresse_option(const std::string& option, const std::string& texte,
                           adresse_symbolique::place ou, std::size_t index,
                           options_run& options, unsigned& valeur) {
  std::uint64_t v = 0;
  bool hors_limites = false;
  valeur = 0;
  if (lit_nombre(texte, max_mot, v, hors_limites)) {
    valeur = static_cast<unsigned>(v);
    return "";
  }
  const std::string erreur = nombre_option(option, texte, max_mot, v);
  if (hors_limites || !peut_etre_symbolique(texte)) return erreur;
  options.symboliques.push_back({ou, index, option, texte, erreur});
  return "";
}

unsigned maximum_registre(const std::string& nom) {
  if (nom == "A" || nom == "B" || nom == "CCR") return max_octet;
  if (nom == "D" || nom == "X" || nom == "Y" || nom == "SP" || nom == "PC")
    return max_mot;
  return 0;
}

std::string lit_set(const std::string& valeur, options_run& options) {
  const auto egal = valeur.find('=');
  if (egal == std::string::npos)
    return "--set : REGISTRE=VALEUR attendu : \"" + valeur + "\"";
  const std::string nom = en_majuscules(valeur.substr(0, egal));
  const unsigned maximum = maximum_registre(nom);
  if (maximum == 0)
    return "--set : registre inconnu : \"" + valeur.substr(0, egal) +
           "\" (A, B, D, X, Y, SP, PC ou CCR)";
  std::uint64_t v = 0;
  const std::string erreur =
      nombre_option("--set " + nom, valeur.substr(egal + 1), maximum, v);
  if (erreur.empty())
    options.registres.push_back({nom, static_cast<unsigned>(v)});
  return erreur;
}

std::string lit_octets(const std::string& liste, depot_memoire& depot) {
  std::size_t debut = 0;
  for (;;) {
    const auto virgule = liste.find(',', debut);
    std::uint64_t v = 0;
    const std::string erreur = nombre_option(
        "--poke", liste.substr(debut, virgule - debut), max_octet, v);
    if (!erreur.empty()) return erreur;
    depot.octets.push_back(static_cast<unsigned char>(v));
    if (virgule == std::string::npos) return "";
    debut = virgule + 1;
  }
}

std::string lit_poke(const std::string& valeur, options_run& options) {
  const auto egal = valeur.find('=');
  if (egal == std::string::npos)
    return "--poke : ADRESSE=OCTET[,OCTET...] attendu : \"" + valeur + "\"";
  std::uint64_t adresse = 0;
  std::string erreur =
      nombre_option("--poke", valeur.substr(0, egal), max_mot, adresse);
  depot_memoire depot{static_cast<unsigned>(adresse), {}};
  if (erreur.empty()) erreur = lit_octets(valeur.substr(egal + 1), depot);
  if (!erreur.empty()) return erreur;
  if (depot.adresse + depot.octets.size() > 0x10000)
    return "--poke : les octets depassent $ffff : \"" + valeur + "\"";
  options.depots.push_back(depot);
  return "";
}

std::string lit_dump(const std::string& valeur, options_run& options) {
  const auto deux_points = valeur.find(':');
  if (deux_points == std::string::npos)
    return "--dump : DEBUT:FIN attendu : \"" + valeur + "\"";
  using place = adresse_symbolique::place;
  const std::size_t index = options.dumps.size();
  const std::size_t symboliques = options.symboliques.size();
  unsigned debut = 0, fin = 0;
  std::string erreur = adresse_option("--dump", valeur.substr(0, deux_points),
                                      place::debut_dump, index, options, debut);
  if (erreur.empty())
    erreur = adresse_option("--dump", valeur.substr(deux_points + 1),
                            place::fin_dump, index, options, fin);
  if (!erreur.empty()) return erreur;
  // With a label, the order is checked once it has its value.
  if (options.symboliques.size() == symboliques && fin < debut)
    return "--dump : fin avant debut : \"" + valeur + "\"";
  options.dumps.push_back({debut, fin, valeur});
  return "";
}

std::string lit_pin(const std::string& valeur, options_run& options) {
  const auto egal = valeur.find('='), arobase = valeur.find('@');
  if (egal == std::string::npos || arobase == std::string::npos ||
      arobase < egal)
    return "--pin : BROCHE=0|1@CYCLE attendu : \"" + valeur + "\"";
  const std::string nom = valeur.substr(0, egal);
  const int broche = numero_broche(nom);
  if (broche < 0)
    return "--pin : broche inconnue ou qui n'est pas une entree : \"" + nom +
           "\" (IRQ, XIRQ, PA0-PA3, PA7, PC0-PC7, PD0-PD5, PE0-PE7)";
  const std::string niveau = valeur.substr(egal + 1, arobase - egal - 1);
  if (niveau != "0" && niveau != "1")
    return "--pin " + en_majuscules(nom) + " : niveau 0 ou 1 attendu : \"" +
           niveau + "\"";
  // A cycle the run reaches without its count overflowing.
  std::uint64_t cycle = 0;
  bool hors_limites = false;
  const std::string texte = valeur.substr(arobase + 1);
  if (!lit_nombre(texte, machine::cycle_max, cycle, hors_limites) &&
      hors_limites)
    return "--pin " + en_majuscules(nom) + " : cycle hors limites : " + texte +
           " (au plus " + std::to_string(machine::cycle_max) +
           ", que le compte de cycles atteint sans deborder)";
  const std::string erreur = nombre_option("--pin " + en_majuscules(nom), texte,
                                           machine::cycle_max, cycle);
  if (!erreur.empty()) return erreur;
  options.broches.push_back({static_cast<unsigned char>(broche),
                             static_cast<unsigned char>(niveau == "1"), cycle});
  return "";
}

std::string lit_model(const std::string& valeur, options_run& options) {
  if (valeur == "e9" || valeur == "flat") {
    options.modele_plat = valeur == "flat";
    return "";
  }
  return "--model : modele inconnu : \"" + valeur + "\" (e9 ou flat)";
}

// --watch ADR[:FIN][:r|:w|:rw][=CONDITION], labels too. The condition is
// checked once the program's labels are known.
std::string lit_watch(const std::string& texte, options_run& options) {
  options_run::acces_surveille mode;
  std::string valeur = texte;
  const auto egal = valeur.find('=');
  if (egal != std::string::npos) {
    mode.condition = valeur.substr(egal + 1);
    valeur.erase(egal);
    if (mode.condition.empty())
      return "--watch : condition vide apres '=' : \"" + texte + "\"";
  }
  const auto dernier = valeur.rfind(':');
  if (dernier != std::string::npos) {
    const std::string sorte = valeur.substr(dernier + 1);
    if (sorte == "r" || sorte == "w" || sorte == "rw") {
      mode.lecture = sorte != "w";
      mode.ecriture = sorte != "r";
      valeur.erase(dernier);
    }
  }
  options.modes_surveillance.push_back(mode);
  const auto deux_points = valeur.find(':');
  using place = adresse_symbolique::place;
  const std::size_t index = options.surveillances.size();
  const std::size_t symboliques = options.symboliques.size();
  unsigned debut = 0, fin = 0;
  std::string erreur =
      adresse_option("--watch", valeur.substr(0, deux_points),
                     place::debut_surveillance, index, options, debut);
  fin = debut;
  if (erreur.empty() && deux_points != std::string::npos)
    erreur = adresse_option("--watch", valeur.substr(deux_points + 1),
                            place::fin_surveillance, index, options, fin);
  if (!erreur.empty()) return erreur;
  // A single label watches one cell: its end follows its start.
  if (deux_points == std::string::npos &&
      options.symboliques.size() > symboliques) {
    adresse_symbolique fin_symbolique = options.symboliques.back();
    fin_symbolique.ou = place::fin_surveillance;
    options.symboliques.push_back(fin_symbolique);
  }
  if (options.symboliques.size() == symboliques && fin < debut)
    return "--watch : fin avant debut : \"" + valeur + "\"";
  options.surveillances.push_back({debut, fin, valeur});
  return "";
}

// ---- Serial line and analog inputs.

// --sci-in: the text with \r, \n, \t, \\ and \xNN.
std::string lit_sci_in(const std::string& texte, options_run& options) {
  std::string fautive;
  if (decode_echappements(texte, options.entree_sci, fautive)) return "";
  return "--sci-in : sequence inconnue : \"" + fautive +
         "\" (\\r, \\n, \\t, \\\\ ou \\xNN)";
}

// The file is read with a bound (text/lecture.h): no more than the SCI's
// queue still takes, a regular file only.
std::string lit_sci_in_file(const std::string& chemin, options_run& options) {
  const std::size_t place =
      max_entree_sci -
      std::min<std::size_t>(max_entree_sci, options.entree_sci.size());
  std::string lu, erreur;
  echec_lecture echec;
  if (!lit_fichier_borne(chemin, {place}, lu, erreur, &echec))
    return echec == echec_lecture::trop_grand
               ? "--sci-in-file : " + chemin +
                     " : trop d'octets, la file du SCI en contient au plus " +
                     std::to_string(max_entree_sci)
               : "--sci-in-file : fichier illisible : " + chemin + " : " +
                     erreur;
  options.entree_sci += lu;
  options.fichiers_sci.push_back(chemin);
  return "";
}

// AN0-AN7, VRH, VRL (either case): the entry of puce/can.h, or -1.
int entree_analogique(const std::string& texte) {
  const std::string nom = en_majuscules(texte);
  if (nom == "VRH") return can::entree_vrh;
  if (nom == "VRL") return can::entree_vrl;
  if (nom.size() == 3 && nom[0] == 'A' && nom[1] == 'N' && nom[2] >= '0' &&
      nom[2] <= '7')
    return nom[2] - '0';
  return -1;
}

std::string lit_analog(const std::string& valeur, options_run& options) {
  const auto egal = valeur.find('=');
  if (egal == std::string::npos)
    return "--analog : ENTREE=VOLTS attendu : \"" + valeur + "\"";
  const std::string nom = valeur.substr(0, egal),
                    volts = valeur.substr(egal + 1);
  const int entree = entree_analogique(nom);
  if (entree < 0)
    return "--analog : entree inconnue : \"" + nom + "\" (AN0-AN7, VRH ou VRL)";
  int64_t v = 0;
  const std::string option = "--analog " + en_majuscules(nom);
  if (!lit_tension(volts, v))
    return option + " : tension invalide : \"" + volts +
           "\" (volts : 2.5 ou 2,5)";
  if (v < 0 || v > can::vdd)
    return option + " : tension hors limites : " + texte_tension(v) +
           " V (de 0 a 5 V)";
  options.tensions.push_back({entree, static_cast<std::int32_t>(v)});
  return "";
}

// What the serial line and the analog inputs need once every option is
// read; empty when all is well.
std::string verifie_liaisons(const options_run& options) {
  if (options.modele_plat) {
    if (!options.entree_sci.empty())
      return "--sci-in : le modele flat n'a pas de SCI";
    if (!options.sortie_sci.empty())
      return "--sci-out : le modele flat n'a pas de SCI";
    if (!options.tensions.empty())
      return "--analog : le modele flat n'a pas de convertisseur";
    if (!options.script_sci.empty())
      return "--sci-script : le modele flat n'a pas de SCI";
    if (options.pty_sci) return "--sci-pty : le modele flat n'a pas de SCI";
  }
  if (options.pty_sci && !options.script_sci.empty())
    return "--sci-pty et --sci-script : un seul interlocuteur pour le SCI";
  if (options.json && options.sortie_sci == "-")
    return "--json et --sci-out - : la sortie standard ne prend que l'objet "
           "JSON (il contient deja ce que le SCI a envoye)";
  if (options.entree_sci.size() > max_entree_sci)
    return "--sci-in : " + std::to_string(options.entree_sci.size()) +
           " octets, la file du SCI en contient au plus " +
           std::to_string(max_entree_sci);
  std::int32_t vrh = can::vdd, vrl = 0;
  for (const reglage_tension& t : options.tensions) {
    if (t.entree == can::entree_vrh) vrh = t.microvolts;
    if (t.entree == can::entree_vrl) vrl = t.microvolts;
  }
  if (vrl >= vrh)
    return "--analog : VRL (" + texte_tension(vrl) +
           " V) doit etre inferieure a VRH (" + texte_tension(vrh) + " V)";
  return "";
}

std::string lit_mode(const std::string& valeur, options_run& options) {
  if (valeur == "single-chip" || valeur == "expanded") {
    options.monopuce = valeur == "single-chip";
    options.mode_donne = true;
    return "";
  }
  return "--mode : mode inconnu : \"" + valeur + "\" (single-chip ou expanded)";
}

// --appui NOM@CYCLE, --relache NOM@CYCLE: the name is checked against the
// board once it is read.
std::string lit_action(const std::string& option, const std::string& valeur,
                       options_run& options) {
  const auto arobase = valeur.rfind('@');
  if (arobase == std::string::npos || arobase == 0)
    return option + " : NOM@CYCLE attendu : \"" + valeur + "\"";
  std::uint64_t cycle = 0;
  const std::string erreur =
      nombre_option(option + " " + valeur.substr(0, arobase),
                    valeur.substr(arobase + 1), UINT64_MAX, cycle);
  if (!erreur.empty()) return erreur;
  options.actions.push_back(
      {valeur.substr(0, arobase), option == "--appui", cycle});
  return "";
}

bool prend_une_valeur(const std::string& nom) {
  return nom == "--pc" || nom == "--until" || nom == "--max-steps" ||
         nom == "--set" || nom == "--poke" || nom == "--dump" ||
         nom == "--model" || nom == "--pin" || nom == "--max-cycles" ||
         nom == "--watch" || nom == "--sci-in" || nom == "--sci-in-file" ||
         nom == "--sci-out" || nom == "--analog" || nom == "--mode" ||
         nom == "--carte" || nom == "--appui" || nom == "--relache" ||
         nom == "--sci-script" || nom == "--break-if";
}

// The value of one of the options that take one; empty on success.
std::string lit_option_valeur(const std::string& nom, const std::string& valeur,
                              options_run& options) {
  if (nom == "--set") return lit_set(valeur, options);
  if (nom == "--poke") return lit_poke(valeur, options);
  if (nom == "--dump") return lit_dump(valeur, options);
  if (nom == "--model") return lit_model(valeur, options);
  if (nom == "--watch") return lit_watch(valeur, options);
  if (nom == "--mode") return lit_mode(valeur, options);
  if (nom == "--pin") return lit_pin(valeur, options);
  if (nom == "--sci-in") return lit_sci_in(valeur, options);
  if (nom == "--break-if") {
    options.conditions.push_back(valeur);
    return valeur.empty() ? "--break-if : expression vide" : "";
  }
  if (nom == "--sci-in-file") return lit_sci_in_file(valeur, options);
  if (nom == "--analog") return lit_analog(valeur, options);
  if (nom == "--appui" || nom == "--relache")
    return lit_action(nom, valeur, options);
  if (nom == "--carte") {
    options.carte = valeur;
    return valeur.empty() ? "--carte : nom de fichier vide" : "";
  }
  if (nom == "--sci-script") {
    options.script_sci = valeur;
    return valeur.empty() ? "--sci-script : nom de fichier vide" : "";
  }
  if (nom == "--sci-out") {
    options.sortie_sci = valeur;
    return valeur.empty() ? "--sci-out : nom de fichier vide" : "";
  }
  if (nom == "--max-steps")
    return nombre_option(nom, valeur, UINT64_MAX, options.max_pas);
  if (nom == "--max-cycles")
    return nombre_option(nom, valeur, UINT64_MAX, options.max_cycles);
  using place = adresse_symbolique::place;
  unsigned adresse = 0;
  const bool pc = nom == "--pc";
  // --until ADR:N, the N-th arrival.
  std::string lieu = valeur;
  std::uint64_t passage = 1;
  const auto deux_points = valeur.rfind(':');
  if (!pc && deux_points != std::string::npos) {
    const std::string erreur =
        nombre_option("--until " + valeur.substr(0, deux_points),
                      valeur.substr(deux_points + 1), UINT64_MAX, passage);
    if (!erreur.empty()) return erreur;
    if (passage == 0)
      return "--until : passage 0 : \"" + valeur + "\" (1 ou plus)";
    lieu.erase(deux_points);
  }
  const std::string erreur = adresse_option(
      nom, lieu, pc ? place::registre : place::arret,
      pc ? options.registres.size() : options.arrets.size(), options, adresse);
  if (!erreur.empty()) return erreur;
  if (pc) {
    options.registres.push_back({"PC", adresse});
  } else {
    options.arrets.push_back(adresse);
    options.passages.push_back(passage);
  }
  return "";
}

bool lit_drapeau(const std::string& nom, options_run& options) {
  if (nom == "--binary") return options.binaire = true;
  if (nom == "--trace") return options.trace = true;
  if (nom == "--stats") return options.stats = true;
  if (nom == "--cop") return options.cop = true;
  if (nom == "--sci-pty") return options.pty_sci = true;
  if (nom == "--json") return options.json = true;
  if (nom == "--help" || nom == "-h") return options.aide = true;
  return false;
}

bool demande_aide(int argc, const char* const* argv) {
  for (int i = 1; i < argc; ++i) {
    const std::string mot = argv[i];
    if (mot == "--") return false;
    if (mot == "--help" || mot == "-h") return true;
  }
  return false;
}

bool demande_version(int argc, const char* const* argv) {
  for (int i = 1; i < argc; ++i) {
    const std::string mot = argv[i];
    if (mot == "--") return false;
    if (mot == "--version") return true;
  }
  return false;
}

std::string ajoute_programme(const std::string& mot, options_run& options) {
  if (!options.programme.empty())
    return "un seul programme attendu, en trop : \"" + mot + "\"";
  if (mot.empty()) return "nom de programme vide";
  options.programme = mot;
  return "";
}

// One option word at argv[i], with its value taken from "--x=v" or from
// the next argument (i then moves on).
std::string lit_option(int argc, const char* const* argv, int& i,
                       options_run& options) {
  std::string nom = argv[i];
  const auto egal = nom.find('=');
  const bool valeur_jointe = egal != std::string::npos;
  const std::string jointe = valeur_jointe ? nom.substr(egal + 1) : "";
  if (valeur_jointe) nom.erase(egal);
  if (!valeur_jointe && lit_drapeau(nom, options)) return "";
  if (!prend_une_valeur(nom))
    return "option inconnue : \"" + std::string(argv[i]) + "\"";
  if (!valeur_jointe && i + 1 >= argc) return nom + " : valeur manquante";
  return lit_option_valeur(nom, valeur_jointe ? jointe : argv[++i], options);
}

// The command line and the labels, read; their messages may quote an
// argument as typed, control characters included.
std::string lit_toutes_options(int argc, const char* const* argv,
                               options_run& options);
std::string resout_toutes_adresses(options_run& options,
                                   const infos_debogage& infos);

}  // namespace

int numero_broche(const std::string& texte) {
  const std::string nom = en_majuscules(texte);
  if (nom == "IRQ") return broche_irq;
  if (nom == "XIRQ") return broche_xirq;
  if (nom.size() != 3 || nom[0] != 'P' || nom[2] < '0' || nom[2] > '7')
    return -1;
  const int bit = nom[2] - '0';
  switch (nom[1]) {
    case 'A':
      return bit <= 3 || bit == 7 ? broche_pa0 + bit : -1;
    case 'C':
      return broche_pc0 + bit;
    case 'D':
      return bit <= 5 ? broche_pd0 + bit : -1;
    case 'E':
      return broche_pe0 + bit;
    default:
      return -1;
  }
}

bool lit_nombre(const std::string& texte, std::uint64_t maximum,
                std::uint64_t& valeur, bool& hors_limites) {
  hors_limites = false;
  int base = 10;
  std::size_t debut = 0;
  if (texte.size() > 0 && texte[0] == '$') {
    base = 16, debut = 1;
  } else if (texte.size() > 1 && texte[0] == '0' &&
             (texte[1] == 'x' || texte[1] == 'X')) {
    base = 16, debut = 2;
  }
  if (debut == texte.size()) return false;
  std::uint64_t v = 0;
  for (std::size_t i = debut; i < texte.size(); ++i) {
    const int chiffre = valeur_chiffre(texte[i], base);
    if (chiffre < 0) return false;
    if (v > (UINT64_MAX - static_cast<unsigned>(chiffre)) / base)
      hors_limites = true;
    else
      v = v * base + static_cast<unsigned>(chiffre);
  }
  if (hors_limites || v > maximum) {
    hors_limites = true;
    return false;
  }
  valeur = v;
  return true;
}

std::string sur_une_ligne(const std::string& texte) {
  std::string ligne;
  for (char c : texte) {
    const auto u = static_cast<unsigned char>(c);
    if (u >= 0x20 && u != 0x7F) {
      ligne += c;
      continue;
    }
    char echappe[8];
    std::snprintf(echappe, sizeof echappe, "\\x%02x", u);
    ligne += c == '\n'   ? "\\n"
             : c == '\r' ? "\\r"
             : c == '\t' ? "\\t"
                         : echappe;
  }
  return ligne;
}

std::string lit_options(int argc, const char* const* argv,
                        options_run& options) {
  return sur_une_ligne(lit_toutes_options(argc, argv, options));
}

std::string resout_adresses(options_run& options, const infos_debogage& infos) {
  return sur_une_ligne(resout_toutes_adresses(options, infos));
}

namespace {

std::string lit_toutes_options(int argc, const char* const* argv,
                               options_run& options) {
  if (demande_aide(argc, argv)) {
    options.aide = true;
    return "";
  }
  if (demande_version(argc, argv)) {
    options.version = true;
    return "";
  }
  bool fin_des_options = false;
  for (int i = 1; i < argc; ++i) {
    const std::string mot = argv[i];
    std::string erreur;
    if (fin_des_options || mot.empty() || mot[0] != '-' || mot == "-")
      erreur = ajoute_programme(mot, options);
    else if (mot == "--")
      fin_des_options = true;
    else
      erreur = lit_option(argc, argv, i, options);
    if (!erreur.empty()) return erreur;
  }
  if (options.programme.empty()) return "programme manquant (voir --help)";
  if (options.modele_plat && options.mode_donne)
    return "--mode : le modele flat n'a pas de modes de fonctionnement";
  if (options.modele_plat && options.cop)
    return "--cop : le modele flat n'a pas de COP";
  if (options.modele_plat && !options.carte.empty())
    return "--carte : le modele flat n'a pas de broches pour une carte";
  // Labels need a program with symbols: an ELF file or an assembly source.
  if (!options.symboliques.empty() &&
      (options.binaire || sorte_de(options.programme) == sorte_programme::s19))
    return options.symboliques.front().erreur_nombre;
  if (options.modele_plat)
    for (const reglage_broche& b : options.broches)
      if (b.broche == broche_irq || b.broche == broche_xirq)
        return std::string("--pin ") +
               (b.broche == broche_irq ? "IRQ" : "XIRQ") +
               " : le modele flat n'a pas de broches d'interruption";
  return verifie_liaisons(options);
}

std::string resout_toutes_adresses(options_run& options,
                                   const infos_debogage& infos) {
  using place = adresse_symbolique::place;
  for (const adresse_symbolique& s : options.symboliques) {
    unsigned short adresse = 0;
    std::string erreur;
    if (!infos.lit_adresse(s.texte, adresse, &erreur))
      return s.option + " : " + erreur;
    switch (s.ou) {
      case place::arret:
        options.arrets[s.index] = adresse;
        break;
      case place::registre:
        options.registres[s.index].valeur = adresse;
        break;
      case place::debut_dump:
        options.dumps[s.index].debut = adresse;
        break;
      case place::fin_dump:
        options.dumps[s.index].fin = adresse;
        break;
      case place::debut_surveillance:
        options.surveillances[s.index].debut = adresse;
        break;
      case place::fin_surveillance:
        options.surveillances[s.index].fin = adresse;
        break;
    }
  }
  for (const plage_dump& p : options.dumps)
    if (p.fin < p.debut)
      return "--dump : fin avant debut : \"" + p.texte + "\"";
  for (const plage_dump& p : options.surveillances)
    if (p.fin < p.debut)
      return "--watch : fin avant debut : \"" + p.texte + "\"";
  // Conditions, now that the labels are known.
  for (const std::string& texte : options.conditions) {
    expression e;
    std::string erreur;
    if (!e.compile(texte, &infos, erreur))
      return "--break-if : " + erreur + " : \"" + texte + "\"";
  }
  for (const auto& m : options.modes_surveillance) {
    expression e;
    std::string erreur;
    if (!m.condition.empty() && !e.compile(m.condition, &infos, erreur, true))
      return "--watch : " + erreur + " : \"" + m.condition + "\"";
  }
  return "";
}

}  // namespace

const char* texte_aide() {
  return R"(Usage : tamrix-run [options] PROGRAMME

Execute un programme 68HC11 sans interface graphique et affiche l'etat final.
PROGRAMME est un fichier S19, un fichier ELF lie par m68hc11-ld, ou un source
assembleur .s, assemble (m68hc11-as -g) et lie en $b600 avant le chargement
(paquet Debian binutils-m68hc1x), ou un source .asm ou .a11 dans la syntaxe
de Motorola, assemblé par l'assembleur de tamrix (comme tamrix-as), qui part
de l'adresse de son END ou de son premier ORG ; avec --binary, une image
binaire a en-tete de quatre octets (une image sans donnees est refusee ; une
autre met a $00 la memoire hors de ses octets). Seul un fichier ordinaire est
lu (ni tube ni peripherique), de taille bornee. La memoire part de $ff partout, le programme est charge
(tout ou rien), puis le CPU est remis a zero : PC part du vecteur de reset
($fffe-$ffff) ; quand ce vecteur vaut $ffff (efface) ou $0000, PC part du
point d'entree d'un ELF ou d'un source (_start), de $b600 pour un S19 ;
A=00 B=00 X=0000 Y=0000 SP=00ff CCR=11010000.

Nombres : decimal (182), $hex ($b6) ou 0xhex (0xb6). Les adresses de --pc,
--until et --dump prennent aussi, pour un ELF ou un source, une etiquette du
programme ou une expression (fin, resultat+1, table+$10) ; une etiquette
inconnue est refusee apres le chargement, avant toute execution. Une option a
valeur s'ecrit aussi --option=VALEUR ; "--" termine les options.

Modele :
  --model e9|flat          e9 (par defaut) : le MC68HC11E9, ses registres
                           en $1000, les interruptions, SWI, WAI, STOP et le
                           deroutement des opcodes illegaux ; flat : le CPU
                           seul sur 64 Ko de memoire simple (SWI, WAI et STOP
                           ecrivent "pas encore la" et passent)
  --mode expanded|single-chip  mode du modele e9, lu au reset comme les
                           broches MODA et MODB : expanded (par defaut, comme
                           les cartes d'evaluation) : ce qui n'est pas dans
                           la puce est de la memoire externe ; single-chip :
                           seules la RAM ($0000-$01ff), les registres
                           ($1000-$103f), l'EEPROM ($b600-$b7ff) et la ROM
                           ($d000-$ffff) existent, ailleurs on lit $ff et
                           on n'ecrit rien
  --cop                    met en marche le chien de garde COP du modele e9
                           (le bit NOCOP de CONFIG efface avant le reset) :
                           si $55 puis $aa ne sont pas ecrits dans COPRST
                           ($103a) a temps, il remet la puce a zero par le
                           vecteur $fffa ; OPTION ($1039) en regle le delai

Carte memoire du modele e9 : une ecriture en ROM, en EEPROM hors d'une
sequence de programmation (PPROG), ou hors de la carte, ne change rien, comme
sur la puce ; le chargeur et --poke ecrivent pourtant en EEPROM et en ROM,
comme un programmateur. Chaque adresse ainsi refusee est signalee une fois
sur la sortie d'erreur, apres l'execution (20 lignes au plus, puis leur
nombre), par exemple :
  tamrix-run: ecriture ignoree en EEPROM a $b701 (instruction a $b612)

Etat initial (applique dans l'ordre de la ligne de commande) :
  --pc ADRESSE             PC de depart
  --set REG=VALEUR         A, B, D, X, Y, SP, PC ou CCR (repetable)
  --poke ADR=OCTET[,OCTET...]  ecrit des octets a partir de ADR (repetable) ;
                           dans le modele e9, un octet ecrit dans PORTA,
                           PORTC, PORTD ou PORTE pose aussi ses bits
                           d'entree sur les broches
  --binary                 PROGRAMME est une image binaire
  --pin BROCHE=0|1@CYCLE   pose une broche d'entree a un niveau quand le
                           compte de cycles atteint CYCLE (repetable) :
                           IRQ, XIRQ (actives a 0), PA0-PA3, PA7, PC0-PC7,
                           PD0-PD5, PE0-PE7 ; par exemple --pin IRQ=0@5000 ;
                           CYCLE au plus 2^63 (9223372036854775808), que
                           le compte de cycles atteint sans deborder

Liaison serie et entrees analogiques (modele e9) :
  --sci-in TEXTE           caracteres envoyes au SCI par le terminal : il
                           attend que le recepteur soit en marche (RE), puis
                           les tape a la suite, au debit programme ; \r, \n,
                           \t, \\, \" et \xNN (deux chiffres hexadecimaux)
                           pour les autres octets (repetable) ; 1024 octets
                           au plus avec ceux de --sci-in-file
  --sci-in-file FICHIER    les octets d'un fichier ordinaire, a la suite
                           (repetable, dans l'ordre de la ligne de commande
                           avec --sci-in)
  --sci-out FICHIER|-      ecrit les octets emis par le SCI dans FICHIER ;
                           - : sur la sortie standard, apres l'execution,
                           avant les dumps et la derniere ligne (suivis d'un
                           saut de ligne s'ils n'en finissent pas par un) ;
                           jamais le programme, un --sci-in-file ni le
                           --sci-script (refuse : il serait efface)
  --sci-script FICHIER     joue un dialogue avec le programme, une etape par
                           ligne : attendre "texte" [max CYCLES] (le SCI a
                           envoye ce texte depuis la fin de l'etape
                           precedente ; 20000000 cycles au plus par defaut),
                           envoyer "texte" (tape des maintenant, au debit du
                           programme ; un caractere tape avant que le
                           recepteur soit en marche est perdu), pause CYCLES,
                           silence CYCLES (aucun octet pendant ce temps) ;
                           # commence un commentaire. Une etape qui echoue
                           arrete l'execution (stop=script, code 5) et une
                           ligne sur la sortie d'erreur dit laquelle, ce qui
                           etait attendu et les 80 derniers caracteres recus
  --sci-pty                relie le SCI a un pseudo-terminal, dont le chemin
                           est ecrit sur la sortie d'erreur avant
                           l'execution :
    tamrix-run: pseudo-terminal : /dev/pts/7
                           ce qu'un programme y ecrit (picocom, minicom,
                           pyserial) arrive au recepteur au debit programme,
                           ce que le SCI emet y sort ; le debit regle de
                           l'autre cote est sans effet. L'execution va au
                           rythme du composant (2 000 000 cycles par
                           seconde) jusqu'a la fin du programme, la
                           fermeture de l'autre cote (stop=hangup), les
                           limites, ou SIGINT/SIGTERM (stop=signal)
  --analog ENTREE=VOLTS    tension d'une entree analogique : AN0-AN7, VRH ou
                           VRL (repetable), de 0 a 5 V, point ou virgule ;
                           par defaut AN0-AN7 a 0 V, VRH 5 V, VRL 0 V ; VRL
                           doit rester sous VRH ; appliquees apres --poke

Carte autour de la puce (modele e9) :
  --carte FICHIER|NOM      la carte decrite par un fichier TOML, ou l'une
                           des cartes fournies par son nom (leds,
                           afficheurs, lcd, lcd_bus, evb) ; sans --carte,
                           PROGRAMME.carte.toml a cote du programme s'il
                           existe (prog.carte.toml pour prog.s19)
  --appui NOM@CYCLE        appuie sur un bouton, ferme un interrupteur ou
                           appuie sur une touche quand le compte de cycles
                           atteint CYCLE (repetable) : NOM est celui de la
                           carte (BP1), une touche s'ecrit clavier:5, un
                           interrupteur DIP dip:3 (bit 3) ou dip:PC3
  --relache NOM@CYCLE      relache le bouton ou la touche, ouvre
                           l'interrupteur
  Apres l'execution, avant la derniere ligne, une ligne par afficheur de la
  carte, ce qu'il montre :
    lcd: "Bonjour         " "                "
    7seg: "12.34"
    leds PB: 10100000
  Les LED et les chiffres sont ceux que l'oeil voit sur les 20 dernieres ms
  (40000 cycles) ; apres loop, until, wait ou illegal, les broches restent
  ou elles sont et l'afficheur montre leur etat.

Arret (le premier qui survient, dans cet ordre, apres chaque instruction) :
  - une instruction inexistante : dans le modele e9, avant son deroutement
    par $fff8, PC sur son premier octet ; dans le modele flat, apres son
    message "fonction inexistante!", PC juste apres son code (elle compte
    dans steps dans les deux cas)

  --max-cycles N           le compte de cycles atteint N

  --until ADRESSE          PC atteint ADRESSE, nombre ou etiquette (--until
                           fin) (repetable) ; verifie apres chaque
                           instruction, pas avant la premiere
  --until ADRESSE:N        la N-ieme arrivee en ADRESSE (--until boucle:10)

  --break-if EXPRESSION    l'expression est vraie apres une instruction
                           (stop=condition, repetable : l'une d'elles) :
                           registres A B D X Y SP PC CCR, drapeaux C V Z N
                           I H S, [adr] l'octet, [[adr]] le mot, etiquettes,
                           cycles, instructions, operateurs et priorites du
                           C (== != < <= > >= + - * / % << >> & ^ | && || !
                           ~), par exemple --break-if 'A == $ff && [$40] > 3'

  - une boucle sur place : PC revient a l'adresse de l'instruction (bra *),
    et rien ne peut plus l'en sortir (dans le modele e9, aucune interruption
    non masquee ne peut venir, ni le reset du COP)

  - une attente sans fin (modele e9) : WAI ou STOP et rien ne peut reveiller
    le CPU

  --max-steps N            N instructions executees (100000000 par defaut)

Finissez un programme par une boucle sur place.

Sorties :
  --trace                  une ligne par instruction executee, par exemple
    b600  86 12           LDAA #$12         PC=b602 A=12 B=00 X=0000 Y=0000 SP=00ff CCR=11010000 cycles=2
      adresse, octets de l'instruction, texte du desassembleur, puis les
      registres et le total des cycles apres son execution ; pour un ELF
      ou un source, la ligne finit par l'etiquette de l'adresse, s'il y en a
      une, et la ligne du source :
    b606  ab 00           ADDA $0,X         PC=b608 A=11 B=04 X=b629 Y=0000 SP=00ff CCR=11010000 cycles=11  somme: somme.s:10
      et une ligne par interruption prise, avec sa source et son vecteur :
    ----  interruption IRQ (fff2)           PC=b616 A=00 B=00 X=0000 Y=0000 SP=00f6 CCR=00010000 cycles=15
      et une par reset du COP (PC pris au vecteur $fffa, ou $b600 s'il est
      efface), par exemple avec --cop :
    ----  reset COP (fffa)                  PC=b600 A=30 B=00 X=0000 Y=0000 SP=00f6 CCR=11010100 cycles=65534
  --dump DEBUT:FIN         apres l'execution, la memoire de DEBUT a FIN
                           incluses, 8 octets par ligne (repetable) ; par
                           exemple --dump 0x40:0x47 ou --dump
                           resultat:resultat+1
  --watch ADR[:FIN]        chaque ecriture dans ces cellules pendant
                           l'execution, une ligne chacune avant la derniere
                           (repetable), par exemple
    watch 0000 ff -> 37  steps=33 cycles=74 PC=b607 STAA $00
      la cellule, sa valeur avant et apres, le nombre d'instructions et le
      total des cycles une fois l'instruction finie, son adresse et son
      texte (ou "interruption IRQ" pendant l'empilement d'une interruption)
  --watch ADR[:FIN]:r|:w|:rw[=CONDITION]
                           les lectures (r), les ecritures (w, par defaut)
                           ou les deux ; avec =CONDITION, seulement les
                           acces ou elle est vraie (valeur : l'octet ecrit
                           ou lu, avant : l'octet avant l'ecriture, adresse :
                           la cellule), par exemple --watch '$40:$4f:w=valeur>9'
    read  0040 37  steps=35 cycles=80 PC=b60a LDAB $40

  --json                   au lieu de la derniere ligne, un objet JSON sur
                           une ligne : registres, drapeaux, cycles, pas,
                           raison de l'arret et code de sortie, dumps, acces
                           refuses, ce que le SCI a envoye, resultat du
                           script (schema dans le README)
  --stats                  sur la sortie d'erreur : instructions executees,
                           duree, instructions simulees par seconde et acces
                           refuses par la carte memoire
  --help                   ce texte
  --version                la version de tamrix-run, son commit et le dossier
                           des exemples

Derniere ligne de la sortie standard, toujours :
  PC=b602 A=12 B=00 X=0000 Y=0000 SP=00ff CCR=11010000 cycles=1234 steps=56 stop=loop
  (CCR dans l'ordre SXHINZVC ; stop = loop, until, condition, max-steps,
  max-cycles, wait, illegal, script, hangup ou signal)

Code de sortie : 0 pour loop, until, condition, wait et hangup, 1 pour
max-steps, max-cycles et signal, 3 pour illegal, 5 pour script, 2 pour une
entree incorrecte (option, nombre, broche,
etiquette inconnue, programme illisible ou refuse ; rien n'est alors execute,
une ligne sur la sortie d'erreur dit pourquoi, apres les lignes de
l'assembleur pour un source qui ne s'assemble pas), 4 quand une sortie n'a
pas pu etre ecrite en entier (--sci-out, la sortie standard : disque plein,
/dev/full ; une ligne sur la sortie d'erreur dit laquelle, les resultats
manquent).
)";
}
