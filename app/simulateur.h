// The simulator application: owns the windows, the target memory, the CPU
// and the five port panels; runs the command loop over the Forms object
// queue and keeps the register panel, the disassembly and the dump in step
// with the CPU.
#ifndef TAMRIX_APP_SIMULATEUR_H
#define TAMRIX_APP_SIMULATEUR_H

#include <memory>

#include "app/execution.h"
#include "cpu/interpreteur.h"
#include "memory/mem_64k.h"
#include "ports/portparallele.h"
#include "puce/machine.h"

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
class fenetres_travail;

// Eight '0'/'1' characters of `valeur`, bit 7 first, and a NUL.
void reg2bin8(unsigned char valeur, char* texte);

// The modal dialogs, with the signatures of their Forms calls. The program
// uses the real ones; a test may put observers in their place.
using fonction_alerte = void (*)(const char*, const char*, const char*, int);
using fonction_selecteur = const char* (*)(const char*, const char*,
                                           const char*, const char*);

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
  Fl_Widget* lignes_desa[12];
  Fl_Widget* lignes_dump[12];
  // A line of the main window (free space of the port frame) that says
  // what the user should know: a trap taken, a CPU that cannot wake up.
  Fl_Box* ligne_etat;
  // The simulated machine (E9 model at start-up) and, for the views, its
  // memory and CPU.
  machine simulation;
  mem_64k& memoire;
  interpreteur& processeur;
  portparallele port_A;
  portparallele port_B;
  portparallele port_C;
  portparallele port_D;
  portparallele port_E;
  unsigned short debut_desa;
  // Run, stop, breakpoints and the cycle counter.
  execution controle_execution;
  // The timing diagram, chip view, help, display preferences, saved
  // options and keyboard shortcuts (app/travail.h).
  std::unique_ptr<fenetres_travail> travail;

  // Shared by every simulator; set before construction to observe the
  // alert of a program named on the command line.
  static fonction_alerte alerte;
  static fonction_selecteur selecteur_fichier;

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
  // The item chosen in the "Fichier" menu: the About window, a program
  // file, or 1 for "Quitter".
  int interprete_menu_fichier(Fl_Widget* menu);
  // The item chosen in the "Options" menu: opens its window.
  void interprete_menu_options(Fl_Widget* menu);
  // Switches the model (the machine is reset) and redraws everything.
  void change_modele(modele_machine modele);
  // Reset of the machine, as the "@circle" button does it.
  void reinitialise();
  // Loads an S19 file: 1 on success (CPU reset, views redrawn), 0 after the
  // alert when the file is rejected.
  int charge_programme(const char* chemin);

  // After an executed instruction: registers, disassembly, ports, dump.
  void rafraichit_apres_instruction();
  // The port panels take the output bits from their data registers.
  void rafraichit_ports();
  void rafraichit_desassemble();
  void rafraichit_dump(int pas);
  void charge_registres();
  void sauve_registres();
  // The option windows that are shown: their contents again.
  void rafraichit_fenetres();
  // The state line of the main window: the CPU waiting, a trap taken...
  void affiche_etat(const char* texte);

 private:
  void construit_formes();
  void prepare_vues();
  void configure_ports();
  int traite_commande(Fl_Widget* objet);
  int traite_fenetres(Fl_Widget* objet);
  void apres_reset();
  void traite_navigation(Fl_Widget* objet);
  void remplit_memoire();
  void affiche_a_propos();
  void ouvre_fichier();
};

#endif
