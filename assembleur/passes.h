// The two passes. Pass 1 reads the files (INCLUDE pulls one in where it
// stands), records every line in one sequence and, for each line, what
// only pass 1 may decide: an instruction's addressing mode (direct only
// when its operand is known at that point of pass 1 and lies in $00-$FF,
// as Motorola's assembler chooses) and the values of ORG, RMB, BSZ, FILL,
// EQU and SET, which may not use a symbol defined further on. Pass 2 walks
// the same sequence with every symbol known, makes the bytes, the listing
// and the messages. The sizes cannot differ between the passes: each is
// fixed by what pass 1 recorded.
//
// Limits, each refused with a line that says so: a file of at most
// taille_fichier_max bytes, lines of at most longueur_ligne_max
// characters, lignes_max lines in all, INCLUDE nested at most
// inclusions_max deep (a file that includes itself, directly or not, is
// refused), errors and warnings kept up to messages_max each (the others
// only counted), the location counter never past $FFFF.
#ifndef TAMRIX_ASSEMBLEUR_PASSES_H
#define TAMRIX_ASSEMBLEUR_PASSES_H

#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "assembleur/assembleur.h"
#include "assembleur/codage.h"
#include "assembleur/expression.h"
#include "assembleur/lexique.h"

namespace asm11 {

constexpr std::size_t taille_fichier_max = 8u << 20;
constexpr std::size_t longueur_ligne_max = 4096;
constexpr std::size_t lignes_max = 100000;
constexpr int inclusions_max = 16;
constexpr unsigned messages_max = 100;
constexpr std::size_t octets_listes_max = 64;

// One line of the sequence and what pass 1 decided for it.
struct ligne_seq {
  unsigned fichier = 0;
  unsigned numero = 0;
  unsigned char mode = 0;         // an instruction's mode (mode_asm)
  bool directe_en_avant = false;  // extended only for lack of a value
  bool connue[2] = {true, true};  // the directive's operands were known
  int valeurs[2] = {0, 0};        // and their values
};

struct symbole_interne {
  int valeur = 0;
  bool defini = false;
  bool etiquette = true;
  bool variable = false;      // SET
  std::size_t ligne_def = 0;  // index in the sequence
  std::vector<unsigned> references;
};

class passe_asm {
 public:
  passe_asm(resultat_asm& r, const lecteur_source& lecteur);
  void assemble(const std::string& chemin);

  // --- For the directives (directives.cpp).
  resultat_asm& r;
  int passe = 1;
  unsigned pc = 0;                    // may reach 0x10000 (an error then)
  std::vector<unsigned char> octets;  // the current line's bytes
  unsigned reserve = 0;               // bytes skipped (RMB)
  bool liste_active = true;
  bool fin = false;  // END seen
  bool org_vu = false;
  bool end_adresse = false;
  std::vector<ligne_seq> sequence;
  std::size_t courante = 0;
  ligne_listee ligne;  // the current line's listing row

  ligne_seq& seq() { return sequence[courante]; }
  void erreur(std::size_t colonne, const std::string& texte);
  void avertissement(std::size_t colonne, const std::string& texte);
  valeur_expression evalue(std::string_view t, std::size_t i);
  // Reports an unknown symbol or a malformed expression of pass 2; true
  // when the value can be used.
  bool valeur_sure(const valeur_expression& v, std::size_t colonne);
  // For operands that pass 1 must know (ORG, RMB, EQU...): evaluated in
  // pass 1 into seq().valeurs[rang]; pass 2 reads it back and reports why
  // it was not known. True when the value can be used.
  bool valeur_passe1(std::string_view t, std::size_t i, std::size_t colonne,
                     int rang, const char* directive, std::size_t* fin);
  void definit(std::string_view nom, int valeur, bool etiquette, bool variable,
               std::size_t colonne);
  // Reads the file at `chemin` and assembles its lines (pass 1).
  void inclut(const std::string& chemin, std::size_t colonne);
  const std::string& texte_courant() const;
  // Appends the low byte of `v`, with a warning when it does not fit.
  void operande_octet(int v, std::size_t colonne);
  // An error when anything but blanks or a comment follows t[i].
  void verifie_fin(std::string_view t, std::size_t i, std::size_t colonne);
  // Appends the offset from the end of an instruction of `taille` bytes
  // to `cible`; an error when it passes -128..127.
  void deplacement(const valeur_expression& cible, unsigned taille,
                   std::size_t colonne);

 private:
  void lit_fichier(const std::string& chemin);
  void traite_ligne();
  void instruction(const instruction_asm& ins, const champs& c);
  void instruction_bits(const instruction_asm& ins, const champs& c);
  bool registre_index(std::string_view t, std::size_t& i, mode_asm& mode);
  void ecrit_octets();
  void termine();
  void ajoute_message(std::size_t colonne, bool erreur,
                      const std::string& texte);

  lecteur_source lecteur_;
  cherche_symbole cherche_;
  std::unordered_map<std::string, symbole_interne> symboles_;
  // The symbol pass 1 did not know, for the lines where that is an error.
  std::unordered_map<std::size_t, std::string> inconnus_;
  std::vector<std::string> pile_;  // files being read, for recursion
  bool trop_de_lignes_ = false;
  std::vector<std::size_t> rang_message_;  // sequence index per message
  std::vector<unsigned char> ecrit_;       // cells written (pass 2)
  struct ligne_code {
    unsigned short adresse;
    unsigned taille;
    std::size_t fichier;
    unsigned numero;
  };
  std::vector<ligne_code> code_;
};

// The directive of that name (capitals), as a handler; nullptr when none.
struct directive {
  const char* nom;
  void (*traite)(passe_asm& p, const champs& c);
  // The line's label gets the PC (false: the handler defines it).
  bool etiquette_pc;
};
const directive* cherche_directive(std::string_view nom);

}  // namespace asm11

#endif
