// One pass of the command loop: the actions of the main window's widgets,
// the memory fill and the File menu.
#include <FL/Fl.H>
#include <FL/Fl_Double_Window.H>
#include <FL/Fl_Menu_Button.H>

#include <algorithm>
#include <filesystem>
#include <iostream>
#include <string>

#include "app/forms_tamrix.h"
#include "app/saisies.h"
#include "app/simulateur.h"
#include "app/travail.h"
#include "debogueur/sauvegarde.h"
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
  // A refused register field: the state line says why, whatever the
  // command showed there.
  if (!refus_registres.empty()) {
    affiche_etat(refus_registres.c_str());
    refus_registres.clear();
  }
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
      break;
    }
  }
  // Whatever the user changed (a fill, a register, a pin...): every view
  // shows it now, not at the next step.
  if (vues_perimees) {
    vues_perimees = false;
    rafraichit_vues();
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
    histoire.pas(c);
    controle_execution.ajoute(simulation.cycles - cycles,
                              simulation.instructions - instructions);
    rafraichit_apres_instruction();
    rafraichit_debogueur();
  } else if (objet == f.bouton_remplir || objet == f.saisie_adresse ||
             objet == f.saisie_valeur || objet == f.saisie_nombre) {
    if (remplit_memoire()) entree_utilisateur();
  } else if (traite_debogueur(objet)) {
    // step over and out, the debugger's windows
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
  debut_desa = processeur.PC_value();
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
    montre_desassemblage(processeur.desa_num(debut_desa));
  } else if (objet == f.desa_pc) {
    montre_desassemblage(processeur.PC_value());
  } else if (objet == f.desa_precedent) {
    montre_desassemblage(processeur.desa_num_pre(debut_desa));
  } else if (objet == f.ascenseur_dump) {
    rafraichit_dump(0);
  } else if (objet == f.dump_haut) {
    rafraichit_dump(-8);
  } else if (objet == f.dump_bas) {
    rafraichit_dump(8);
  }
}

void simulateur::rafraichit_apres_instruction() {
  // "Tracage Temps Reel" off: the views wait for the end of the run; the
  // board's window does not.
  if (!travail->trace_temps_reel() && controle_execution.en_marche())
    return travail->carte.rafraichit();
  montre_pc();
  rafraichit_vues();
}

void simulateur::rafraichit_vues() {
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

// Reads the three fill fields; on the first one that holds no number, or
// a number out of its range, the alert names it with the text typed and
// why, and nothing is written. The address: 0 to $ffff (or a label); the
// value: a byte, -128 to 255; the count: 1 to 65 536 (from the top of
// memory the cells go on at $0000).
bool simulateur::remplit_memoire() {
  struct champ {
    Fl_Input* saisie;
    const char* erreur;
    int32_t minimum, maximum;
    const char* bornes;
    int32_t nombre;
  } champs[3] = {{forme_sim->saisie_adresse, "Adresse invalide", 0, 0xFFFF,
                  "L'adresse va de 0 à 65535 ($0000 à $ffff).", 0},
                 {forme_sim->saisie_valeur, "Valeur invalide", -128, 255,
                  "La valeur est un octet : de -128 à 255 ($00 à $ff).", 0},
                 {forme_sim->saisie_nombre, "Nombre invalide", 1, 0x10000,
                  "Le nombre d'octets va de 1 à 65536.", 0}};
  for (champ& c : champs) {
    const char* texte = fl_get_input(c.saisie);
    // The address may be a label of the program ("table+2").
    std::string pourquoi;
    const bool lu =
        &c == champs ? debogueur.lit_adresse_saisie(texte, &c.nombre, pourquoi)
                     : lit_nombre_saisi(texte, &c.nombre);
    if (lu && c.nombre >= c.minimum && c.nombre <= c.maximum) continue;
    if (lu) pourquoi = c.bornes;
    alerte(c.erreur, texte, pourquoi.c_str(), 0);
    return false;
  }
  const int32_t adresse = champs[0].nombre;
  const auto octet = static_cast<unsigned char>(champs[1].nombre & 0xFF);
  for (int32_t i = 0; i < champs[2].nombre; ++i)
    simulation.ecrit_octet(static_cast<unsigned short>((adresse + i) & 0xFFFF),
                           octet);
  return true;
}

int simulateur::interprete_menu_fichier(Fl_Widget* menu) {
  const std::string article = article_choisi(menu);
  if (article == article_a_propos) affiche_a_propos();
  if (article == article_ouvrir) ouvre_fichier();
  if (article == article_recharger) debogueur.recharge();
  if (article == article_source) debogueur.montre_source();
  return article == article_quitter ? 1 : 0;
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
  // Kept absolute: "Recharger" and the saved options find the file from
  // any folder.
  std::error_code erreur;
  std::filesystem::path absolu = std::filesystem::absolute(chemin, erreur);
  const std::string fichier =
      erreur ? std::string(chemin) : absolu.lexically_normal().string();
  // "Recharger": the points follow the labels and lines of the new code;
  // another program: its own points, kept beside the options.
  const bool meme = fichier == debogueur.chemin();
  outils_debogage.simples.clear();  // "Recharger" keeps its own (debogage.h)
  const std::string points =
      meme ? texte_points(fichier, outils_debogage, &debogueur.infos()) : "";
  // Erased memory, the program, a reset: as tamrix-run starts.
  if (!debogueur.ouvre(fichier)) return 0;
  outils_debogage.points.clear();
  outils_debogage.remet_compteurs();
  std::vector<std::string> avis;
  if (meme)
    lit_points(points, &debogueur.infos(), outils_debogage, avis);
  else if (charge_points(fichier, &debogueur.infos(), outils_debogage, avis))
    // The plain breakpoints it had, beside those already set.
    for (unsigned short a : outils_debogage.simples)
      if (!controle_execution.point_arret(a))
        controle_execution.bascule_point_arret(a);
  for (const std::string& a : avis) std::cerr << "tamrix: " << a << std::endl;
  debogueur.reset();
  histoire.demarre();
  controle_execution.remet_compteur();
  affiche_etat("");
  debut_desa = processeur.PC_value();
  rafraichit_vues();
  travail->programme_charge(fichier);
  if (!avis.empty()) affiche_etat(avis.front().c_str());
  rafraichit_debogueur();
  const std::string titre =
      "tamrix — " + std::filesystem::path(fichier).filename().string();
  forme_sim->fenetre->copy_label(titre.c_str());
  return 1;
}
