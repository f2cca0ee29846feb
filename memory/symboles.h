// infos_debogage: what a linked program tells about its own source, for the
// views and the command line: its symbols (labels and constants with their
// values) and its line table (which source line produced the bytes at an
// address). Filled by the ELF loader (memory/elf.cpp) from the symbol table
// and the DWARF line table; an S19 program gives an empty one.
//
// Symbols kept are those a student wrote: labels ("boucle:") and constants
// ("PORTB = 0x1004"). Left out: section and file symbols, names holding a
// control character (GNU as's internal labels such as "L0\001"), names
// starting with "__" and the other symbols the GNU linker's script defines
// (_etext, _edata, _end, _stack, _vectors_addr, etext, edata), undefined
// and common symbols, and values past 0xFFFF. No types, sizes or scopes.
//
// lit_adresse reads the address expressions that the register and dump
// fields and tamrix-run take: numbers, labels, and sums of them.
#ifndef TAMRIX_SYMBOLES_H
#define TAMRIX_SYMBOLES_H

#include <cstddef>
#include <string>
#include <vector>

struct symbole {
  std::string nom;
  unsigned short valeur = 0;
  // A label of a section (code or data), as opposed to an absolute constant
  // ("PORTB = 0x1004"); names for addresses prefer labels.
  bool etiquette = true;
};

// One row of the line table: from `adresse` on, the bytes come from line
// `ligne` of fichiers()[fichier], up to the next row's address. A row with
// `fin_de_sequence` only marks the first address past a sequence of code
// (its file and line mean nothing). Addresses are 32-bit: a sequence that
// ends at 0xFFFF has its end row at 0x10000.
struct ligne_source {
  unsigned adresse = 0;
  std::size_t fichier = 0;
  unsigned ligne = 0;
  bool fin_de_sequence = false;
};

class infos_debogage {
 public:
  // --- Filling (the ELF loader). Call termine() once everything is added.
  void ajoute_symbole(const symbole& s);
  // The index of `chemin` in fichiers(), added when new.
  std::size_t ajoute_fichier(const std::string& chemin);
  void ajoute_ligne(const ligne_source& l);
  // Sorts the tables for the lookups below.
  void termine();
  // True when the name is one that the filter above keeps.
  static bool nom_garde(const std::string& nom);

  // --- Symbols.
  const std::vector<symbole>& symboles() const { return par_valeur_; }
  // The symbol named exactly `nom`; failing that the only one whose name
  // matches ignoring case ("resultat" for RESULTAT); else nullptr (also when
  // several names differ only by case).
  const symbole* cherche(const std::string& nom) const;
  // Every name whose value is `adresse`, labels first, then in the order of
  // the file's symbol table.
  std::vector<std::string> noms_a(unsigned short adresse) const;
  // The first of noms_a(adresse), "" when there is none. With
  // `etiquettes_seulement`, constants are not used (a branch target is a
  // label, never "PORTA = 0").
  std::string nom_a(unsigned short adresse,
                    bool etiquettes_seulement = false) const;

  // --- Source lines.
  // Source file paths as the line table names them, made absolute with the
  // compilation directory when they were relative.
  const std::vector<std::string>& fichiers() const { return fichiers_; }
  // Every row, sorted by address (end rows before the others at one
  // address).
  const std::vector<ligne_source>& lignes() const { return lignes_; }
  // The row that covers `adresse` (the last row at or before it, when it is
  // not an end row); nullptr when no code of the program is there.
  const ligne_source* ligne_a(unsigned short adresse) const;
  // The lowest address of the rows for line `ligne` of `fichier`; false when
  // that line produced no code. `fichier` is a path of fichiers() or, when
  // only one of them has it, a final part of one ("somme.s").
  bool adresse_de(const std::string& fichier, unsigned ligne,
                  unsigned short& adresse) const;

  bool vide() const { return par_valeur_.empty() && lignes_.empty(); }

  // --- Address expressions.
  // Reads `texte` as an address: terms joined by '+' or '-', each a number
  // (decimal "46592", "$b600" or "0xb600") or a symbol name as cherche()
  // finds it ("resultat+1", "fin - 2", "table+$10"); blanks around terms are
  // allowed. False when a name is unknown, the text is malformed or the
  // value falls outside 0..0xFFFF; `erreur`, when given, then gets one
  // French line ("etiquette inconnue : fni"). With `hexa_nu`, as in the
  // register fields, a bare number is hexadecimal ("b600"), and a term made
  // only of hex digits ("add") is a number unless a symbol has exactly that
  // name.
  bool lit_adresse(const std::string& texte, unsigned short& adresse,
                   std::string* erreur = nullptr, bool hexa_nu = false) const;

 private:
  std::vector<symbole> par_valeur_;   // by value, labels first, file order
  std::vector<std::size_t> par_nom_;  // indices of par_valeur_ by name
  std::vector<std::string> fichiers_;
  std::vector<ligne_source> lignes_;
  // (file, line, address) of every row but end rows, for adresse_de.
  struct ligne_adresse {
    std::size_t fichier;
    unsigned ligne;
    unsigned adresse;
  };
  std::vector<ligne_adresse> par_ligne_;
};

#endif
