// The "Options" menu: the model and the interrupt pins ("Interruptions..."),
// where the register block and the RAM lie ("Adresse de  Base..."), and the
// state line of the main window.
#include <FL/Fl.H>
#include <FL/Fl_Box.H>
#include <FL/Fl_Browser.H>
#include <FL/Fl_Button.H>
#include <FL/Fl_Double_Window.H>
#include <FL/Fl_Round_Button.H>

#include <cstdio>
#include <string>

#include "app/forms_tamrix.h"
#include "app/simulateur.h"
#include "app/travail.h"
#include "puce/interruptions.h"
#include "ui/options_puce.h"
#include "ui/sim_class.h"

namespace {

enum {
  article_adresse_base = 1,
  article_interruptions = 2,
};

void montre(Fl_Double_Window* fenetre, const char* titre) {
  fl_show_form(fenetre, FL_PLACE_MOUSE, FL_TRANSIENT, titre);
}

// "IRQ = 1" (released) or "IRQ = 0 : active", red while active.
void montre_broche(Fl_Button* bouton, const char* nom, bool niveau,
                   bool presente) {
  char texte[48];
  if (!presente)
    std::snprintf(texte, sizeof texte, "%s : modèle plat", nom);
  else
    std::snprintf(texte, sizeof texte, "%s = %d%s", nom, niveau ? 1 : 0,
                  niveau ? "" : " : active");
  bouton->copy_label(texte);
  bouton->color(presente && !niveau ? FL_RED : FL_BACKGROUND_COLOR);
  presente ? bouton->activate() : bouton->deactivate();
  bouton->redraw();
}

}  // namespace

void simulateur::interprete_menu_options(Fl_Widget* menu) {
  // "Affichage des Registres...", "Sauver les options", "Chronogramme..."
  // (app/travail.h).
  if (travail->menu_options(menu)) return;
  switch (fl_get_menu(menu)) {
    case article_adresse_base:
      montre(forme_adresse_base->fenetre, "Adresse de base");
      break;
    case article_interruptions:
      montre(forme_interruptions->fenetre, "Interruptions");
      break;
    default:
      return;
  }
  rafraichit_fenetres();
}

void simulateur::change_modele(modele_machine modele) {
  controle_execution.arrete();
  simulation.change_modele(modele);
  controle_execution.remet_compteur();
  // Each model's own pace: the chip's in the E9 model, full speed in the
  // flat one.
  controle_execution.choisit_vitesse(
      modele == modele_machine::e9 ? vitesse::temps_reel : vitesse::maximum);
  affiche_etat("");
  // The flat model's panels start from the cells as the chip left them.
  for (portparallele* p : {&port_A, &port_B, &port_C, &port_D, &port_E})
    p->valeur = simulation.niveaux_port(p->numero);
  sauve_registres();
  debut_desa = processeur.PC_value();
  rafraichit_desassemble();
  rafraichit_ports();
  rafraichit_dump(0);
  rafraichit_fenetres();
}

int simulateur::traite_fenetres(Fl_Widget* objet) {
  interruptions_class& it = *forme_interruptions;
  adresse_base_class& base = *forme_adresse_base;
  if (objet == it.bouton_fermer || objet == it.fenetre) {
    fl_hide_form(it.fenetre);
  } else if (objet == base.bouton_fermer || objet == base.fenetre) {
    fl_hide_form(base.fenetre);
  } else if (objet == it.modele_e9 || objet == it.modele_plat) {
    const modele_machine voulu =
        it.modele_e9->value() ? modele_machine::e9 : modele_machine::plat;
    if (voulu != simulation.modele()) change_modele(voulu);
  } else if (objet == it.bouton_irq || objet == it.bouton_xirq) {
    const unsigned char broche =
        objet == it.bouton_irq ? broche_irq : broche_xirq;
    simulation.pose_broche(broche, !simulation.niveau_broche(broche));
    rafraichit_fenetres();
    controle_execution.affiche_compteur();
  } else {
    return 0;
  }
  return 1;
}

void simulateur::rafraichit_fenetres() {
  const bool e9 = simulation.e9();
  interruptions_class& it = *forme_interruptions;
  if (it.fenetre->shown()) {
    it.modele_e9->value(e9);
    it.modele_plat->value(!e9);
    montre_broche(it.bouton_irq, "IRQ", simulation.niveau_broche(broche_irq),
                  e9);
    montre_broche(it.bouton_xirq, "XIRQ", simulation.niveau_broche(broche_xirq),
                  e9);
    const unsigned char ccr = processeur.CCR;
    const char* etat = "exécute le programme";
    if (simulation.etat_cpu() == interpreteur::attente)
      etat = "attend une interruption (WAI)";
    else if (simulation.etat_cpu() == interpreteur::arrete)
      etat = "arrêté, horloges coupées (STOP)";
    char texte[160];
    std::snprintf(texte, sizeof texte, "CPU : %s.\nI = %d%s, X = %d%s", etat,
                  ccr & CCR_I ? 1 : 0,
                  ccr & CCR_I ? " (IRQ et internes masquées)" : "",
                  ccr & CCR_X ? 1 : 0, ccr & CCR_X ? " (XIRQ masquée)" : "");
    it.etat_cpu->copy_label(e9 ? texte : "Modèle plat : pas d'interruptions.");
    it.etat_cpu->redraw();
    it.liste_sources->clear();
    const puce* p = simulation.systeme();
    const uint32_t demandes = simulation.demandes();
    const uint32_t autorisees = p ? p->sources_autorisees() : 0;
    for (int s = 0; s < nb_sources_it; ++s) {
      char ligne[96];
      std::snprintf(ligne, sizeof ligne, "%-6s $%04x  %-10s %s", noms_it[s],
                    vecteurs_it[s], (autorisees >> s) & 1 ? "autorisée" : "",
                    (demandes >> s) & 1 ? "DEMANDÉE" : "");
      it.liste_sources->add(ligne);
    }
  }
  adresse_base_class& base = *forme_adresse_base;
  if (base.fenetre->shown()) {
    char texte[96];
    if (const puce* p = simulation.systeme()) {
      std::snprintf(texte, sizeof texte,
                    "Registres : $%04x-$%04x  (INIT = $%02x)",
                    p->etat.base_registres, p->etat.base_registres + 63,
                    p->etat.systeme.init);
      base.registres->copy_label(texte);
      std::snprintf(texte, sizeof texte, "RAM : $%04x-$%04x (512 octets)",
                    p->etat.base_ram, p->etat.base_ram + 511);
      base.ram->copy_label(texte);
      base.explication->label(
          "INIT ($103D au reset) place la RAM (bits 7-4) et les registres "
          "(bits 3-0) sur une page de 4 Ko : $01 met la RAM en $0000 et les "
          "registres en $1000. Le programme ne peut l'écrire qu'une fois, "
          "dans les 64 premiers cycles après le reset ; là où registres et "
          "RAM se recouvrent, les registres l'emportent. Le reste de "
          "l'espace est de la mémoire externe (mode étendu).");
    } else {
      base.registres->label("Modèle plat : pas de bloc de registres.");
      base.ram->label("Les 64 Ko sont de la mémoire simple.");
      base.explication->label(
          "Les cellules $1000-$103F sont de la mémoire comme les autres ; "
          "les panneaux des ports lisent et écrivent PORTA ($1000), PORTC "
          "($1003), PORTB ($1004), DDRC ($1007), PORTD ($1008), DDRD "
          "($1009) et PORTE ($100A).");
    }
    base.fenetre->redraw();
  }
  // The timing diagram, chip view and configuration registers.
  travail->rafraichit();
}

void simulateur::affiche_etat(const char* texte) {
  if (ligne_etat == nullptr) return;
  ligne_etat->copy_label(texte);
  ligne_etat->redraw();
}
