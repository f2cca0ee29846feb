// The built-in assembler for the dialect of Motorola's freeware 8-bit cross
// assemblers (M68FCASS/AD1, the 68HC11 one): sources as courses, textbooks
// and Motorola's own manuals write them ("PORTB EQU $1004", "BOUCLE INC
// PORTB", "* comment"). One call assembles a file in two passes and gives
// the bytes, the start address, the symbols and line table of tamrix's
// views, the listing and every message at once (errors are data, never
// exceptions).
//
// The files of this folder, one job each:
//   lexique      a line into label, operation and the rest, by columns
//   expression   constants, symbols, '*', the operators left to right
//   codage       mnemonic and addressing mode to bytes, read from the CPU's
//                own opcode map (cpu/opcodes.cpp)
//   directives   ORG, EQU, FCB, FCC, RMB... (a table: name to handler)
//   passes       the two passes, INCLUDE, symbols, the limits
//   listage      the listing as Motorola's assembler prints it
//   sortie       the S19 text, the memory image, tamrix's debug information
//
// What the dialect is, and the extensions accepted, is in README.md
// ("Motorola-syntax sources"). Left out: macros, conditional assembly,
// relocatable output, the other processors of the freeware family.
#ifndef TAMRIX_ASSEMBLEUR_ASSEMBLEUR_H
#define TAMRIX_ASSEMBLEUR_ASSEMBLEUR_H

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

#include "memory/symboles.h"

class mem_64k;

// One error or warning: where (the file as opened, its line from 1, the
// column from 1 or 0) and what, in French.
struct message_asm {
  std::string fichier;
  unsigned ligne = 0;
  unsigned colonne = 0;
  bool erreur = true;
  std::string texte;
  // The source line it names, as written ("" when none).
  std::string source;
  // "prog.asm:12: symbole inconnu « BOUCEL »"; a warning reads
  // "prog.asm:12: avertissement : ...".
  std::string en_ligne() const;
  // "   12 |         BRA   BOUCEL": the cited line, tabs expanded; "" when
  // the message names no line.
  std::string citation() const;
};

// Bytes written from `adresse` on, in the order of the source.
struct bloc_octets {
  unsigned short adresse = 0;
  std::vector<unsigned char> octets;
};

// One line of the listing.
struct ligne_listee {
  std::size_t fichier = 0;  // index in resultat_asm::fichiers
  unsigned ligne = 0;       // in that file
  bool avec_adresse = false;
  unsigned short adresse = 0;          // the PC, or an EQU's value
  std::vector<unsigned char> octets;   // at most octets_listes_max
  int cycles = 0;                      // 0: none (data, directives)
  bool listee = true;                  // OPT NOL hides it
  int sauts = 0;                       // blank lines after (SPC)
  bool nouvelle_page = false;          // PAGE before the next line
  std::vector<std::string> remarques;  // its errors and warnings
};

struct symbole_asm {
  std::string nom;
  unsigned short valeur = 0;
  bool etiquette = true;  // a label, not an EQU or SET constant
  // Listing line numbers (from 1) that use it, for OPT CRE.
  std::vector<unsigned> references;
};

struct resultat_asm {
  std::vector<message_asm> messages;  // in the source's order
  unsigned nb_erreurs = 0;            // also those not kept in messages
  unsigned nb_avertissements = 0;
  std::vector<bloc_octets> blocs;
  // The S9 address: END's operand, else the first ORG, else 0.
  unsigned short depart = 0;
  // Files read, the main one first, as opened (paths).
  std::vector<std::string> fichiers;
  // Every source line of every file read, for the listing.
  std::vector<std::vector<std::string>> textes;
  std::vector<ligne_listee> listage;
  std::vector<symbole_asm> symboles;  // sorted by name
  std::string titre;                  // TTL / NAM
  bool cycles = false;                // OPT C
  bool references = false;            // OPT CRE
  // Symbols and line table for the views (file paths made absolute).
  infos_debogage infos;

  bool reussi() const { return nb_erreurs == 0; }
  // What the messages say, one line each, every message followed by its
  // citation line: what the window and standard error show.
  std::vector<std::string> lignes_messages() const;
};

// Reads a file into `contenu`; false with a French reason in `erreur`.
using lecteur_source = std::function<bool(
    const std::string& chemin, std::string& contenu, std::string& erreur)>;

// The reader of real files: at most taille_fichier_max bytes.
bool lit_fichier_source(const std::string& chemin, std::string& contenu,
                        std::string& erreur);

// Assembles `chemin` (INCLUDE names are found beside the including file).
// `lecteur` reads the files; the default reads them from disk.
resultat_asm assemble_motorola(const std::string& chemin,
                               const lecteur_source& lecteur = nullptr);

// Writes the bytes into `mem` as the S19 loader does (the cells' marks
// stay). Call only when reussi().
void charge_en_memoire(const resultat_asm& r, mem_64k& mem);

// The S19 text: S1 records of 32 bytes at most, then S9 with `depart`.
std::string texte_s19(const resultat_asm& r);

// The listing: one line per source line (line number, address, bytes,
// source), the symbol table at the end.
std::string texte_listage(const resultat_asm& r);

#endif
