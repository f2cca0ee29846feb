// The description of a board: which components sit around the chip, on
// which pins (or, memory-mapped, at which address) and with which options,
// read from a TOML file (toml++). One file describes one board:
//
//   titre = "Huit LED et deux boutons"        # optional
//   [[composant]]
//   type = "barre"                            # the kind, see below
//   nom = "leds PB"                           # unique; --appui names it
//   port = "PB"
//
// Kinds and their keys (pins are PA0-PA7, PB0-PB7, PC0-PC7, PD0-PD5,
// PE0-PE7, AN0-AN7 for PE0-PE7 as analog inputs, IRQ, XIRQ; ports PA-PE):
//   led            broche, actif ("haut"/"bas"), couleur
//   barre          port or broches (left to right), actif, couleur
//   bouton         broche, actif ("bas": pressed = 0, the default, with its
//                  pull-up), rebond (ms), graine, touche (a keyboard key)
//   interrupteur   broche, etat (0/1), actif ("haut": on = 1), rebond,
//                  graine, touche
//   dip            port or broches, etat (a byte, bit 7 left), actif
//   potentiometre  broche (AN0-AN7), tension (volts)
//   afficheur      segments (port, or a..g[, dp]), chiffres (digit
//                  selects, left first; none: one digit always on), commun
//                  ("cathode"/"anode"), segments_actifs, selection_active
//   lcd            colonnes, lignes, rs, rw (none: tied low), e, donnees
//                  (D0-D7 or D4-D7), or adresse (instruction; data at the
//                  next one) in expanded mode; retroeclairage
//   clavier        lignes, colonnes, touches (one string per row)
//   fil            de (an output), vers (an input)
//
// A file is taken whole or refused: the first error found gives the file,
// the line and what is wrong, in French ("carte.toml:14: broche inconnue
// « PB9 »"), and the description passed in is left as it was.
// Presets are ordinary board files in the data folder "cartes"
// (text/installation.h), chosen by their name.
#ifndef TAMRIX_PLATINE_DESCRIPTION_H
#define TAMRIX_PLATINE_DESCRIPTION_H

#include <cstdint>
#include <string>
#include <vector>

enum class sorte_composant : unsigned char {
  led,
  barre,
  bouton,
  interrupteur,
  dip,
  potentiometre,
  afficheur,
  lcd,
  clavier,
  fil
};

// The key "type" of each kind.
const char* nom_sorte(sorte_composant sorte);

// One component as the file gives it. What `broches` and `autres` hold
// depends on the kind (pins: enum broche of puce/journal.h):
//   led, bouton, interrupteur, potentiometre  broches[0]
//   barre, dip        broches, left to right (a port: bit 7 first)
//   afficheur         broches: segments a..g[, dp]; autres: digit selects
//   lcd               broches: data lines, lowest first (D0-D7 or D4-D7)
//   clavier           broches: rows; autres: columns
//   fil               broches[0] the source, autres[0] the destination
struct composant_decrit {
  sorte_composant sorte = sorte_composant::led;
  std::string nom;
  int ligne = 0;  // of its table in the file
  std::vector<unsigned char> broches;
  std::vector<unsigned char> autres;
  // led, barre: lit at 1; bouton: pressed gives 1; interrupteur, dip: on
  // gives 1; afficheur: a segment is on at 1.
  bool actif_haut = true;
  bool selection_haute = false;  // afficheur: a digit is selected at 1
  std::string couleur;           // led, barre; lcd: its backlight
  uint32_t etat = 0;             // interrupteur, dip: the initial position
  uint64_t rebond = 0;           // contact bounce, in E cycles (0: none)
  uint32_t graine = 1;           // of the bounce's random transitions
  std::string touche;            // bouton, interrupteur: a keyboard key
  int32_t microvolts = 0;        // potentiometre
  // lcd
  int colonnes = 16, lignes = 2;
  int rs = -1, rw = -1, e = -1;  // pins; rw -1: R/W tied low
  bool sur_bus = false;
  unsigned short adresse = 0;  // instruction register; data at + 1
  // clavier: the label of each key, row by row
  std::vector<std::string> touches;
};

struct description_carte {
  std::string fichier;  // as named when read
  std::string titre;
  std::vector<composant_decrit> composants;
  // The component named `nom`, or -1.
  int cherche(const std::string& nom) const;
};

// Reads a board from the text of a file named `fichier`. On success the
// description is replaced; on error `erreur` says where and why and the
// description is left as it was.
bool lit_description(const std::string& texte, const std::string& fichier,
                     description_carte& d, std::string& erreur);
// The same from the file itself.
bool charge_description(const std::string& chemin, description_carte& d,
                        std::string& erreur);

// A pin's name (PA0, an3, xirq...): its number (enum broche), or -1.
int broche_de_nom(const std::string& nom);
// "PB3", "IRQ".
std::string nom_broche(unsigned char broche);
// Whether the chip can read the pin as an input, or drive it as an output.
bool broche_entree(unsigned char broche);
bool broche_sortie(unsigned char broche);

// The presets shipped with tamrix: their names, sorted ("afficheurs",
// "evb", "lcd"...), and the path of one ("" when there is none).
std::vector<std::string> noms_presets();
std::string chemin_preset(const std::string& nom);
// `--carte FICHIER|NOM`: a file when one exists at that path (or the text
// holds a '/' or ends in ".toml"), else a preset's name.
bool charge_carte(const std::string& fichier_ou_nom, description_carte& d,
                  std::string& erreur);
// The user's own board beside a program: "prog.carte.toml" for
// "prog.s19" (or prog.s, prog.elf...), when that file exists; "" else.
std::string carte_du_programme(const std::string& programme);

#endif
