// The simulator application: owns the windows, the target memory, the CPU
// and the five port panels; runs the command loop over the Forms object
// queue and keeps the register panel, the disassembly and the dump in step
// with the CPU.
#ifndef TAMRIX_APP_SIMULATEUR_H
#define TAMRIX_APP_SIMULATEUR_H

#include <memory>
#include <string>
#include <vector>

#include "app/debogage.h"
#include "app/execution.h"
#include "cpu/interpreteur.h"
#include "debogueur/points.h"
#include "memory/mem_64k.h"
#include "ports/portparallele.h"
#include "puce/historique.h"
#include "puce/machine.h"
#include "serie/dialogue.h"
#include "serie/pont_pty.h"
#include "serie/terminal_serie.h"

class Fl_Widget;
class Fl_Box;
class SIM_class;
class pref_affichage_class;
class aff_composant_class;
class form_about_class;
class aide_class;
class Chronogramme_class;
class Cycles_class;
class convert_class;
class interruptions_class;
class adresse_base_class;
class qui_a_change_class;
class Fl_Button;
class terminal_sci_class;
class points_arret_class;
class pile_appels_class;
class Fl_Menu_Button;
class fenetres_travail;

// Eight '0'/'1' characters of `valeur`, bit 7 first, and a NUL.
void reg2bin8(unsigned char valeur, char* texte);

// Shows an auxiliary window, titled: at the mouse the first time, raised
// when already shown. Never modal: the main window and every other window
// keep taking clicks and keys while it is open (a run can be stopped, a
// pin toggled). The Forms layer's FL_TRANSIENT border would make it modal.
class Fl_Window;
void montre_auxiliaire(Fl_Window* fenetre, const char* titre);

// The modal dialogs, with the signatures of their Forms calls. The program
// uses the real ones; a test may put observers in their place.
using fonction_alerte = void (*)(const char*, const char*, const char*, int);
using fonction_selecteur = const char* (*)(const char*, const char*,
                                           const char*, const char*);
// A question that must be answered before anything else (the only modal
// window besides the alerts and the file chooser): the question, the
// button that goes on; true when the user chose it.
using fonction_question = bool (*)(const char*, const char*);

class simulateur {
 public:
  SIM_class* forme_sim;
  pref_affichage_class* forme_pref_affichage;
  aff_composant_class* forme_aff_composant;
  form_about_class* forme_about;
  aide_class* forme_aide;
  Chronogramme_class* forme_chronogramme;
  Cycles_class* forme_cycles;
  convert_class* forme_convert;
  interruptions_class* forme_interruptions;
  adresse_base_class* forme_adresse_base;
  // The serial line and the analog inputs (app/liaisons.cpp): the
  // "Terminal SCI" window and what it keeps between refreshes.
  terminal_sci_class* forme_terminal;
  struct etat_liaisons {
    bool ouvert_depuis_reset = false;  // the terminal opened since a reset
    uint64_t resets_vus = 0;           // the machine's resets last seen
    unsigned refuses = 0;              // keys dropped (queue full, flat)
    int32_t tensions[10] = {};         // analog inputs the fields show
    // The terminal (its screen and settings), kept when the window closes;
    // a linked pseudo-terminal; a script being replayed and what the
    // window says of it; a file being sent (its bytes and those before).
    terminal_serie terminal;
    pont_pty pty;
    std::unique_ptr<dialogue_sci> dialogue;
    std::string message_script;
    std::size_t envoi_total = 0;
    unsigned sonneries_vues = 0;
  } liaisons;
  Fl_Widget* lignes_desa[12];
  Fl_Widget* lignes_dump[12];
  // A line of the main window (free space of the port frame) that says
  // what the user should know: a trap taken, a CPU that cannot wake up.
  Fl_Box* ligne_etat;
  // Below the cycle counter: the last access the memory map refused.
  Fl_Box* ligne_refus;
  // The simulated machine (E9 model at start-up) and, for the views, its
  // memory and CPU.
  machine simulation;
  mem_64k& memoire;
  interpreteur& processeur;
  // Going back: snapshots of the machine, the user's actions kept.
  historique histoire;
  // Step back ("@4->|", Shift+F10), back to the previous breakpoint
  // ("@<<"), and the window of "Qui a change ceci ?" (right click).
  Fl_Button* bouton_pas_arriere;
  Fl_Button* bouton_retour_arriere;
  Fl_Button* demande_qui;  // hidden: what a right click puts on the queue
  qui_a_change_class* forme_qui;
  std::vector<changement> changements_vus;
  portparallele port_A;
  portparallele port_B;
  portparallele port_C;
  portparallele port_D;
  portparallele port_E;
  unsigned short debut_desa;
  // Run, stop, breakpoints and the cycle counter.
  execution controle_execution;
  // The program loaded, its symbols and source lines, the source view.
  debogage debogueur;
  // The debugger's points, steps by intent and windows
  // (app/debogueur_gui.cpp): step over ("@redo", F10), step out ("@8->|",
  // Shift+F11), back to the call ("@4redo"), run to here (F4, the
  // disassembly's and the source view's context menu), the "Débogage"
  // menu, the "Points d'arrêt" and "Pile d'appels" windows.
  ::debogueur outils_debogage;
  Fl_Button* bouton_par_dessus = nullptr;
  Fl_Button* bouton_sortie = nullptr;
  Fl_Button* bouton_retour_appel = nullptr;
  Fl_Button* bouton_jusqua = nullptr;  // hidden: what F4 puts on the queue
  Fl_Menu_Button* menu_debogage = nullptr;
  points_arret_class* forme_points = nullptr;
  pile_appels_class* forme_pile = nullptr;
  // The context menu at the mouse: the index of the item chosen, -1 for
  // none. A test may put its own in its place.
  using fonction_contextuel = int (*)(const char* const* articles, int nombre);
  static fonction_contextuel menu_contextuel;
  void pas_par_dessus();
  void pas_sortie();
  void execute_jusqua(unsigned short adresse);
  void retour_appel();
  // The context menu of an address (a disassembly or source line).
  void menu_adresse(unsigned short adresse);
  // The address of the disassembly line under (x, y); false when none.
  bool ligne_desa_sous(int x, int y, unsigned short& adresse) const;
  void montre_points();
  void montre_pile();
  // The two windows' contents again (when shown); after a stop.
  void rafraichit_debogueur();
  // The points into the file kept with the program (debogueur/sauvegarde.h).
  void sauve_points_programme();
  int traite_debogueur(Fl_Widget* objet);
  // The timing diagram, chip view, help, display preferences, saved
  // options and keyboard shortcuts (app/travail.h).
  std::unique_ptr<fenetres_travail> travail;

  // Shared by every simulator; set before construction to observe the
  // alert of a program named on the command line.
  static fonction_alerte alerte;
  static fonction_selecteur selecteur_fichier;
  static fonction_question question;

  // Start-up: windows, menus, views, port panels; shows the main window.
  // An argument left after the toolkit's options names a program file,
  // loaded as "Ouvrir fichier s19" would load it.
  simulateur(int argc, char** argv);
  ~simulateur();

  // The command loop: waits for activations and dispatches them until
  // "Quitter" or the main window is closed.
  void interprete_commandes();
  // One pass for a widget taken off the object queue: register fields into
  // the CPU, the widget's action, the port panels. 1 when the program ends.
  int traite_objet(Fl_Widget* objet);
  // Next activated widget, or null when none is waiting.
  Fl_Widget* objet_suivant();
  // The item chosen in the "Fichier" menu, told by its text: the About
  // window, a program file, Recharger, the source view, or 1 for
  // "Quitter".
  int interprete_menu_fichier(Fl_Widget* menu);
  // The item chosen in the "Options" menu: opens its window.
  void interprete_menu_options(Fl_Widget* menu);
  // Switches the model (the machine is reset) and redraws everything.
  void change_modele(modele_machine modele);
  // Reset of the machine, as the "@circle" button does it.
  void reinitialise();
  // Loads a program (S19, ELF or assembly source, app/debogage.h) as
  // tamrix-run starts it: memory erased, the program, a reset. 1 on
  // success (PC at the program's entry point, views redrawn, the window
  // titled with the file's name, its absolute path kept), 0 after the
  // alert or the assembler's messages when it is rejected.
  int charge_programme(const char* chemin);

  // After an executed instruction: registers, disassembly, ports, dump
  // (not during a run whose views wait for its end).
  void rafraichit_apres_instruction();
  // Every view and shown window, now.
  void rafraichit_vues();
  // The port panels take the output bits from their data registers.
  void rafraichit_ports();
  // The disassembly: twelve instructions from debut_desa, which the user
  // moves freely ("@8>", "@2>", the address field above the view);
  // montre_pc brings the PC back into view (after a step, during a run,
  // at its stop, after a reset or a load); montre_desassemblage starts
  // the view at an address.
  void rafraichit_desassemble();
  void montre_pc();
  void montre_desassemblage(unsigned short adresse);
  void rafraichit_dump(int pas);
  // The register fields into the CPU; a field it cannot take leaves its
  // register unchanged and says why in refus_registres (shown on the state
  // line once the pass is done).
  void charge_registres();
  std::string refus_registres;
  void sauve_registres();
  // The option windows that are shown: their contents again.
  void rafraichit_fenetres();
  // The state line of the main window: the CPU waiting, a trap taken...
  void affiche_etat(const char* texte);
  // The "Terminal SCI" window and the analog inputs window ("Ports..."):
  // showing them, their widgets' actions (1 when `objet` was one of
  // theirs), their contents again (the terminal takes the bytes the
  // program sent, and opens by itself the first time after a reset).
  void montre_terminal();
  void montre_tensions();
  int traite_liaisons(Fl_Widget* objet);
  void rafraichit_liaisons();
  // "Relier à un pseudo-terminal": created, read every 10 ms, the run at
  // the chip's pace; and unlinked.
  void relie_pty();
  void delie_pty();
  // A slice of a run (app/execution.cpp): the machine's, characters being
  // able to come on the SCI's line at any time, or a script's being
  // replayed. arret_machine::aucun when the script failed: the run stops.
  arret_machine execute_liaisons(const conditions_arret& c);

  // History: the user changed the machine (a pin, a register, a fill):
  // kept, the future dropped; every view redrawn at the end of the pass. One
  // instruction back; back to the previous breakpoint; back to just before the
  // `i`-th change shown by "Qui a change ceci ?".
  void entree_utilisateur();
  void pas_arriere();
  void retour_arriere();
  void revient_avant_changement(int i);
  // What is under (x, y) in the main window for "Qui a change ceci ?":
  // false when nothing is.
  bool cible_sous(int x, int y, cible_historique& cible, std::string& nom);
  void montre_qui_a_change(const cible_historique& cible,
                           const std::string& nom);
  // Where the last right click in the main window was.
  static int x_clic_droit, y_clic_droit;
  // Below the cycle counter, the last access the memory map refused
  // ("écriture ignorée en EEPROM à $b701 (instruction à $b612)"), from
  // the machine's list; empty when there is none since the reset.
  void affiche_refus();

 private:
  // The user changed the machine during this pass of the command loop.
  bool vues_perimees = false;
  void construit_formes();
  void prepare_vues();
  void configure_ports();
  int traite_commande(Fl_Widget* objet);
  int traite_fenetres(Fl_Widget* objet);
  int traite_historique(Fl_Widget* objet);
  void installe_historique();
  void installe_debogueur();
  bool lit_point_edite(point_debogage& p, std::string& erreur);
  void montre_point(int i);
  void verifie_condition();
  int point_choisi_ = -1;
  void apres_retour();
  void rafraichit_adresse_base();
  void apres_reset();
  void traite_navigation(Fl_Widget* objet);
  bool remplit_memoire();
  void affiche_a_propos();
  int traite_a_propos(Fl_Widget* objet);
  void ouvre_fichier();
  static void lit_pty(void* moi);
};

#endif
