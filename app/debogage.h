// Source-level debugging in the window: the program loaded (an S19 image,
// an ELF file or an assembly source, memory/programme.h) with its entry
// point and debug information, and what they give the views: labels and
// branch targets in the disassembly, labels and expressions in the fields
// that take addresses, the source view that follows the PC and sets
// breakpoints, the assembler's messages, and "Recharger".
//
// Left out: several source files side by side (the view shows the file of
// the PC's line), stepping by source line, symbols of data (no watch).
#ifndef TAMRIX_APP_DEBOGAGE_H
#define TAMRIX_APP_DEBOGAGE_H

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "memory/symboles.h"

class simulateur;
class mem_64k;
class Fl_Widget;
class Fl_Input;
class fenetre_source_class;
class fenetre_assemblage_class;
class fenetre_progres_class;
struct programme_ouvert;

// The address the instruction at `adresse` (the next one at `suivante`)
// branches or jumps to: relative branches (BRA to BLE, BSR), BRSET and
// BRCLR, JMP and JSR direct or extended. `relative` tells a branch (its
// operand is an offset) from a jump (its operand is the address). False for
// every other instruction, indexed jumps included (X or Y decides).
bool cible_instruction(const mem_64k& mem, unsigned short adresse,
                       unsigned short suivante, unsigned short& cible,
                       bool& relative);

class debogage {
 public:
  // Start of the dump and of the disassembly: an address field above
  // each view (a number, a label, an expression; then Enter).
  Fl_Input* saisie_debut_dump;
  Fl_Input* saisie_debut_desa;
  fenetre_source_class* source;
  fenetre_assemblage_class* assemblage;
  // While a source is assembled: the tool and the time so far, and
  // "Annuler" (the window's events go on meanwhile).
  fenetre_progres_class* progres;

  explicit debogage(simulateur& sim);
  ~debogage();
  debogage(const debogage&) = delete;
  debogage& operator=(const debogage&) = delete;

  // Adds the dump and disassembly start fields to the main window and
  // builds the two windows, hidden. Call once the main window is built.
  void installe();

  // --- The program.
  // Loads `chemin` by its form onto the machine's memory, erased first as
  // tamrix-run starts (puce/lancement.h). On failure nothing changes and
  // the user sees why: an alert with the loader's line, which names the
  // file (missing, a folder, the line and what is wrong there), or, for a
  // source file, the assembler's lines in the "Assemblage" window (they
  // are on the standard error stream too). While the GNU tools run, the
  // progress window shows them and "Annuler" stops them; they are refused
  // past their limits (memory/assembleur.h). On success the path, entry
  // point and debug information are kept, and the source view opens when
  // the program has
  // line information. The caller resets the machine (reset below).
  bool ouvre(const std::string& chemin);
  // The same file again (re-assembled when it is a source): the reset and
  // the views as after "Ouvrir", and the breakpoints that still fall on the
  // start of an instruction are kept, the others cleared. False when no
  // program was loaded or the file is refused (breakpoints then unchanged).
  bool recharge();
  // No program any more: no symbols, no entry point, views closed.
  void oublie();
  // The machine's reset, then PC at the program's entry point unless a
  // reset vector is in memory (puce/lancement.h).
  void reset();
  const infos_debogage& infos() const { return infos_; }
  const std::string& chemin() const { return chemin_; }
  std::optional<unsigned short> entree() const { return entree_; }
  // Whether the program loaded put bytes into the EEPROM ($b600-$b7ff).
  bool dans_eeprom() const { return dans_eeprom_; }

  // --- Views and fields.
  // A disassembly line: "-> " on the PC's line, the address, the label of
  // the address ("ajoute: "), the instruction, and the target of a branch
  // or jump ("  -> ajoute"; a branch without a label at its target shows
  // the address, "  -> b603").
  std::string texte_desassemble(unsigned short adresse, unsigned short suivante,
                                bool pc, const char* instruction) const;
  // The font size of a disassembly line for its text (smaller when long)
  // and, when even that is too wide, clipping at the view's edge.
  void presente_ligne_desa(Fl_Widget* ligne, const std::string& texte) const;
  // The fill's "adresse": a number as lit_nombre_saisi reads it, else a
  // label or expression of the program ("table+2"). False with the reason
  // in `erreur` (empty when the program has no symbols).
  bool lit_adresse_saisie(const char* texte, int32_t* nombre,
                          std::string& erreur) const;
  // A register field: hexadecimal as lit_registre_hex reads it; when the
  // program has symbols and the text names one, the expression it makes
  // ("affiche", "table+2"). The value must be at most `maximum` ($ff for
  // A and B). False with the reason in `erreur`.
  bool lit_registre(const char* texte, uint32_t maximum, uint32_t* nombre,
                    std::string& erreur) const;

  // Shows the source view ("Voir le source").
  void montre_source();
  // The source view follows the PC and the breakpoints; does nothing while
  // it is hidden. Called after every redraw of the disassembly.
  void rafraichit_source();
  // Clicks on source lines, the dump and disassembly start fields, the
  // windows' close actions. 1 when the widget was one of them.
  int reagit(Fl_Widget* objet);

  // The line the source view highlights (0: none).
  int ligne_pc_source() const { return ligne_pc_; }

 private:
  simulateur& sim;
  std::string chemin_;
  std::optional<unsigned short> entree_;
  infos_debogage infos_;
  bool a_des_lignes_ = false;
  bool dans_eeprom_ = false;
  // The source view: index of its file in infos_.fichiers() (none: past
  // the end), the file's lines (tabs expanded), the first address of each
  // line's code (-1: none), what each row shows (bit 0 the PC, bit 1 a
  // breakpoint), the PC's line.
  std::size_t fichier_vu_ = static_cast<std::size_t>(-1);
  std::vector<std::string> textes_;
  std::vector<int> adresses_;
  std::vector<unsigned char> etats_;
  int ligne_pc_ = 0;
  bool annule_ = false;  // "Annuler" pressed during this assembly

  bool suit_outils(const std::string& fichier, const std::string& outil,
                   double secondes);
  static void annule(Fl_Widget*, void* moi);
  void montre_echec(const programme_ouvert& p, const std::string& chemin);
  void montre_messages(const std::vector<std::string>& messages,
                       const std::string& chemin, const char* conclusion);
  void charge_fichier_source(std::size_t fichier);
  std::string texte_rangee(std::size_t i, unsigned char etat) const;
  unsigned char etat_ligne(std::size_t i) const;
  void clique_source();
  void choisit_debut(Fl_Input* saisie);
  std::vector<unsigned char> debuts_instructions() const;
};

#endif
