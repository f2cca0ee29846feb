// One pass of the command loop: the actions of the main window's widgets,
// the memory fill and the File menu.
#include <FL/Fl.H>
#include <FL/Fl_Double_Window.H>
#include <FL/Fl_Menu_Button.H>

#include <algorithm>
#include <iostream>
#include <string>

#include "app/forms_tamrix.h"
#include "app/saisies.h"
#include "app/simulateur.h"
#include "app/travail.h"
#include "ui/form_about.h"
#include "ui/sim_class.h"

namespace {

// The items of the "Fichier" menu, told apart by their text: an item added
// to the menu moves no other.
constexpr const char* article_a_propos = "A propos de...";
constexpr const char* article_ouvrir = "Ouvrir fichier s19";
constexpr const char* article_recharger = "Recharger";
constexpr const char* article_source = "Voir le source";
constexpr const char* article_quitter = "Quitter";

// The text of the chosen item; "" when none is chosen.
std::string article_choisi(Fl_Widget* menu) {
  const auto* m = static_cast<Fl_Menu_Button*>(menu);
  const int i = m->value();
  if (i < 0 || i >= m->size() - 1) return "";
  const char* texte = m->text(i);
  return texte ? texte : "";
}

}  // namespace

int simulateur::traite_objet(Fl_Widget* objet) {
  // A running program's registers move: the fields are not read back.
  if (!controle_execution.en_marche()) charge_registres();
  const int fin = controle_execution.reagit(objet) ? 0 : traite_commande(objet);
  if (fin) controle_execution.arrete();
  // The program keeps running inside the dialogs a command may show (an
  // alert, the About window, the file chooser): the output bits it wrote
  // up to now reach the panels just before the port step writes them back.
  if (controle_execution.en_marche()) rafraichit_ports();
  // Breakpoints set in the disassembly show in the source view too.
  debogueur.rafraichit_source();
  portparallele* ports[5] = {&port_A, &port_B, &port_C, &port_D, &port_E};
  for (portparallele* p : ports) {
    if (p->react_in(objet)) {
      entree_utilisateur();
      rafraichit_dump(0);
      break;
    }
  }
  // The flat model's ports into the pin log; the windows that show pins.
  travail->apres_objet();
  return fin;
}

int simulateur::traite_commande(Fl_Widget* objet) {
  SIM_class& f = *forme_sim;
  if (objet == f.fenetre) return 1;
  if (objet == f.menu_fichier) return interprete_menu_fichier(objet);
  if (traite_historique(objet)) {
    // step back, run back, "Qui a change ceci ?"
  } else if (objet == f.menu_options) {
    interprete_menu_options(objet);
  } else if (objet == f.bouton_init) {
    reinitialise();
  } else if (objet == f.bouton_pas) {
    controle_execution.arrete();
    affiche_etat("");
    conditions_arret c;
    c.sur_illegal = conditions_arret::illegal::apres;
    const unsigned long long cycles = simulation.cycles,
                             instructions = simulation.instructions;
    histoire.rejoue_entrees();
    simulation.pas(c);
    histoire.rejoue_entrees();
    histoire.apres_execution();
    controle_execution.ajoute(simulation.cycles - cycles,
                              simulation.instructions - instructions);
    rafraichit_apres_instruction();
  } else if (objet == f.bouton_remplir) {
    remplit_memoire();
    entree_utilisateur();
    rafraichit_dump(0);
    rafraichit_desassemble();
  } else if (!traite_fenetres(objet) && !debogueur.reagit(objet) &&
             !travail->reagit(objet)) {
    traite_navigation(objet);
  }
  return 0;
}

void simulateur::reinitialise() {
  controle_execution.arrete();
  debogueur.reset();
  histoire.demarre();
  controle_execution.remet_compteur();
  affiche_etat("");
  sauve_registres();
  rafraichit_desassemble();
  apres_reset();
}

// The chip's pins and registers moved with the reset; the flat model's
// memory did not (its port panels write their inputs into it when they
// redraw).
void simulateur::apres_reset() {
  if (simulation.e9()) {
    rafraichit_ports();
    rafraichit_dump(0);
  }
  rafraichit_fenetres();
}

void simulateur::traite_navigation(Fl_Widget* objet) {
  SIM_class& f = *forme_sim;
  if (objet == f.desa_suivant) {
    debut_desa = processeur.desa_num(debut_desa);
    rafraichit_desassemble();
  } else if (objet == f.desa_pc) {
    debut_desa = processeur.PC_value();
    rafraichit_desassemble();
  } else if (objet == f.desa_precedent) {
    debut_desa = processeur.desa_num_pre(debut_desa);
    rafraichit_desassemble();
  } else if (objet == f.ascenseur_dump) {
    rafraichit_dump(0);
  } else if (objet == f.dump_haut) {
    rafraichit_dump(-8);
  } else if (objet == f.dump_bas) {
    rafraichit_dump(8);
  }
}

void simulateur::rafraichit_apres_instruction() {
  // "Tracage Temps Reel" off: the views wait for the end of the run.
  if (!travail->trace_temps_reel() && controle_execution.en_marche()) return;
  sauve_registres();
  rafraichit_desassemble();
  rafraichit_ports();
  rafraichit_dump(0);
  rafraichit_fenetres();
}

void simulateur::rafraichit_ports() {
  for (portparallele* p : {&port_A, &port_B, &port_C, &port_D, &port_E})
    p->react_out();
}

// Reads the three fill fields; on the first one that holds no number the
// alert names it with the text typed and nothing is written.
void simulateur::remplit_memoire() {
  struct champ {
    Fl_Input* saisie;
    const char* erreur;
    int32_t nombre;
  } champs[3] = {{forme_sim->saisie_adresse, "Adresse invalide", 0},
                 {forme_sim->saisie_valeur, "Valeur invalide", 0},
                 {forme_sim->saisie_nombre, "Nombre invalide", 0}};
  for (champ& c : champs) {
    const char* texte = fl_get_input(c.saisie);
    // The address may be a label of the program ("table+2").
    std::string pourquoi;
    if (!(&c == champs
              ? debogueur.lit_adresse_saisie(texte, &c.nombre, pourquoi)
              : lit_nombre_saisi(texte, &c.nombre))) {
      alerte(c.erreur, texte, pourquoi.c_str(), 0);
      return;
    }
  }
  const int32_t adresse = champs[0].nombre;
  const auto octet = static_cast<unsigned char>(champs[1].nombre & 0xFF);
  // Past 65536 bytes the addresses wrap onto cells already holding the
  // value: a huge count need not keep the window frozen for seconds.
  const int32_t nombre = std::min<int32_t>(champs[2].nombre, 0x10000);
  for (int32_t i = 0; i < nombre; ++i)
    simulation.ecrit_octet(static_cast<unsigned short>(
                               (static_cast<uint32_t>(adresse) + i) & 0xFFFF),
                           octet);
}

int simulateur::interprete_menu_fichier(Fl_Widget* menu) {
  const std::string article = article_choisi(menu);
  if (article == article_a_propos) affiche_a_propos();
  if (article == article_ouvrir) ouvre_fichier();
  if (article == article_recharger) debogueur.recharge();
  if (article == article_source) debogueur.montre_source();
  return article == article_quitter ? 1 : 0;
}

// The About window stays until the next activation of any widget, which
// is dropped.
void simulateur::affiche_a_propos() {
  form_about_class* a_propos = new form_about_class;
  a_propos->fenetre->callback(Fl_Widget::default_callback);
  fl_show_form(a_propos->fenetre, FL_PLACE_MOUSE, FL_TRANSIENT, "Informations");
  while (!objet_suivant()) Fl::wait();
  fl_hide_form(a_propos->fenetre);
}

void simulateur::ouvre_fichier() {
  const char* chemin =
      selecteur_fichier("Choisissez un programme (S19, ELF ou source .s, .asm)",
                        "", "*.{s19,elf,s,asm,a11}", "");
  if (!chemin || !*chemin) {
    std::cerr << "chargement abandonne ..." << std::endl;
    return;
  }
  charge_programme(chemin);
}

int simulateur::charge_programme(const char* chemin) {
  controle_execution.arrete();
  if (!debogueur.ouvre(chemin)) return 0;
  debogueur.reset();
  histoire.demarre();
  controle_execution.remet_compteur();
  affiche_etat("");
  sauve_registres();
  debut_desa = processeur.PC_value();
  rafraichit_desassemble();
  apres_reset();
  travail->programme_charge(chemin);
  return 1;
}
