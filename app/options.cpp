// The "Options" menu: the model and the interrupt pins ("Interruptions..."),
// where the register block and the RAM lie, the memory map and the
// operating mode ("Adresse de  Base..."), the analog inputs ("Ports...") and
// the serial terminal ("Terminal SCI...", both in app/liaisons.cpp), the
// EEPROM erased ("Effacer l'EEPROM"); the state line of the main window
// and, beside it, the last access the map refused.
#include <FL/Fl.H>
#include <FL/Fl_Box.H>
#include <FL/Fl_Browser.H>
#include <FL/Fl_Button.H>
#include <FL/Fl_Check_Button.H>
#include <FL/Fl_Double_Window.H>
#include <FL/Fl_Round_Button.H>

#include <cstdio>
#include <string>

#include "app/forms_tamrix.h"
#include "app/simulateur.h"
#include "app/travail.h"
#include "puce/cop.h"
#include "puce/interruptions.h"
#include "puce/timer.h"
#include "ui/carte_memoire.h"
#include "ui/options_puce.h"
#include "ui/sim_class.h"

namespace {

enum {
  article_adresse_base = 1,
  article_interruptions = 2,
  article_ports = 3,
  article_terminal = 6,
  article_efface_eeprom = 7,
};

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

// The timer's lines of the Interruptions window: TCNT and the prescaler,
// the timer's enabled sources, its next event, the watchdog.
std::string texte_timer(puce& p) {
  p.rattrape(p.cycles());
  const uint64_t maintenant = p.cycles();
  char ligne[160];
  std::snprintf(ligne, sizeof ligne, "TCNT = $%04x  (E/%u)  PACNT = $%02x\n",
                timer::tcnt(p, maintenant), timer::division(p),
                p.etat.accumulateur.pacnt);
  std::string texte = ligne;
  const uint32_t sources = timer::autorisees(p) | accumulateur::autorisees(p);
  std::string noms;
  for (int s = 0; s < nb_sources_it; ++s)
    if ((sources >> s) & 1) noms += std::string(" ") + noms_it[s];
  texte += "Autorisées :" + (noms.empty() ? std::string(" aucune") : noms);
  const timer::evenement e = timer::suivant(p);
  std::snprintf(ligne, sizeof ligne,
                "\nProchain : %s au cycle %llu (dans %llu)\n", e.nom,
                static_cast<unsigned long long>(e.cycle),
                static_cast<unsigned long long>(e.cycle - maintenant));
  texte += ligne;
  if (cop::actif(p)) {
    const uint64_t echeance = cop::echeance(p);
    std::snprintf(ligne, sizeof ligne,
                  "COP : en marche, reset au cycle %llu\n"
                  "      sauf $55 puis $AA dans COPRST",
                  static_cast<unsigned long long>(echeance));
  } else {
    std::snprintf(ligne, sizeof ligne, "COP : arrêté (NOCOP = 1)");
  }
  return texte + ligne;
}

}  // namespace

void simulateur::interprete_menu_options(Fl_Widget* menu) {
  // "Affichage des Registres...", "Sauver les options", "Chronogramme..."
  // (app/travail.h).
  if (travail->menu_options(menu)) return;
  switch (fl_get_menu(menu)) {
    case article_adresse_base:
      montre_auxiliaire(forme_adresse_base->fenetre, "Adresse de base");
      break;
    case article_interruptions:
      montre_auxiliaire(forme_interruptions->fenetre, "Interruptions");
      break;
    case article_ports:
      montre_tensions();
      break;
    case article_terminal:
      montre_terminal();
      break;
    case article_efface_eeprom:
      // The program loaded lies there: erasing it is asked first.
      if (simulation.e9() && debogueur.dans_eeprom() &&
          !question("Le programme chargé est dans l'EEPROM "
                    "($b600-$b7ff) : l'effacer aussi ?",
                    "Effacer"))
        break;
      if (simulation.efface_eeprom()) {
        // An action of the user the history keeps, as a fill.
        entree_utilisateur();
        affiche_etat("EEPROM effacée : $b600-$b7ff à $ff.");
      } else {
        affiche_etat("Modèle plat : pas d'EEPROM.");
      }
      vues_perimees = true;
      break;
    default:
      return;
  }
  rafraichit_fenetres();
}

void simulateur::change_modele(modele_machine modele) {
  controle_execution.arrete();
  simulation.change_modele(modele);
  if (debogueur.entree()) debogueur.reset();
  histoire.demarre();
  controle_execution.remet_compteur();
  // Each model's own pace: the chip's in the E9 model, full speed in the
  // flat one.
  controle_execution.choisit_vitesse(
      modele == modele_machine::e9 ? vitesse::temps_reel : vitesse::maximum);
  affiche_etat("");
  // The flat model's panels start from the cells as the chip left them.
  for (portparallele* p : {&port_A, &port_B, &port_C, &port_D, &port_E})
    p->valeur = simulation.niveaux_port(p->numero);
  debut_desa = processeur.PC_value();
  rafraichit_apres_instruction();
}

int simulateur::traite_fenetres(Fl_Widget* objet) {
  interruptions_class& it = *forme_interruptions;
  adresse_base_class& base = *forme_adresse_base;
  if (objet == it.bouton_fermer || objet == it.fenetre) {
    fl_hide_form(it.fenetre);
  } else if (objet == base.bouton_fermer || objet == base.fenetre) {
    fl_hide_form(base.fenetre);
  } else if (objet == base.mode_etendu || objet == base.mode_monopuce) {
    // Read at the next reset, which a kept future may hold.
    if (simulation.choisit_mode(base.mode_etendu->value() != 0))
      entree_utilisateur();
    rafraichit_fenetres();
  } else if (objet == it.modele_e9 || objet == it.modele_plat) {
    const modele_machine voulu =
        it.modele_e9->value() ? modele_machine::e9 : modele_machine::plat;
    if (voulu != simulation.modele()) change_modele(voulu);
  } else if (objet == it.cop_actif) {
    // CONFIG is an EEPROM byte: the new NOCOP counts from the next reset,
    // made at once.
    if (puce* p = simulation.systeme()) {
      unsigned char& config = p->etat.systeme.config_eeprom;
      config = static_cast<unsigned char>(
          it.cop_actif->value() ? config & ~cop::NOCOP : config | cop::NOCOP);
      reinitialise();
    }
  } else if (objet == it.bouton_irq || objet == it.bouton_xirq) {
    const unsigned char broche =
        objet == it.bouton_irq ? broche_irq : broche_xirq;
    simulation.pose_broche(broche, !simulation.niveau_broche(broche));
    entree_utilisateur();
    rafraichit_fenetres();
    controle_execution.affiche_compteur();
  } else if (!traite_liaisons(objet) && !traite_a_propos(objet)) {
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
    if (puce* chip = simulation.systeme()) {
      it.etat_timer->copy_label(texte_timer(*chip).c_str());
      it.cop_actif->value(!(chip->etat.systeme.config_eeprom & cop::NOCOP));
      it.cop_actif->activate();
    } else {
      it.etat_timer->label("Modèle plat : pas de timer.");
      it.cop_actif->value(0);
      it.cop_actif->deactivate();
    }
    it.etat_timer->redraw();
  }
  if (forme_adresse_base->fenetre->shown()) rafraichit_adresse_base();
  affiche_refus();
  rafraichit_liaisons();
  // The timing diagram, chip view and configuration registers.
  travail->rafraichit();
}

namespace {

bloc_carte bloc(const carte::plage_carte& p) {
  static const struct {
    Fl_Color couleur;
    const char* nom;
  } zones[] = {{FL_YELLOW, "registres"},
               {fl_rgb_color(160, 220, 160), "RAM"},
               {fl_rgb_color(250, 200, 120), "EEPROM"},
               {fl_rgb_color(170, 190, 240), "ROM"},
               {FL_WHITE, "mémoire externe"},
               {FL_GRAY, "rien : lit $ff"}};
  char texte[64];
  std::snprintf(texte, sizeof texte, "à $%04x : %s", p.fin, zones[p.zone].nom);
  return {p.debut, p.fin, zones[p.zone].couleur, texte};
}

}  // namespace

void simulateur::rafraichit_adresse_base() {
  adresse_base_class& base = *forme_adresse_base;
  char texte[160];
  const puce* p = simulation.systeme();
  if (p == nullptr) {
    base.registres->label("Modèle plat : pas de bloc de registres.");
    base.ram->label("Les 64 Ko sont de la mémoire simple.");
    base.mode->label("");
    base.config->label("");
    base.dessin->blocs({{0, 0xFFFF, FL_WHITE, "à $ffff : mémoire simple"}});
    base.explication->label(
        "Les cellules $1000-$103F sont de la mémoire comme les autres ; "
        "les panneaux des ports lisent et écrivent PORTA ($1000), PORTC "
        "($1003), PORTB ($1004), DDRC ($1007), PORTD ($1008), DDRD "
        "($1009) et PORTE ($100A).");
    base.mode_etendu->deactivate();
    base.mode_monopuce->deactivate();
    base.fenetre->redraw();
    return;
  }
  const etat_systeme& s = p->etat.systeme;
  std::snprintf(texte, sizeof texte, "Registres : $%04x-$%04x  (INIT = $%02x)",
                p->etat.base_registres, p->etat.base_registres + 63, s.init);
  base.registres->copy_label(texte);
  std::snprintf(texte, sizeof texte, "RAM : $%04x-$%04x (512 octets)",
                p->etat.base_ram, p->etat.base_ram + 511);
  base.ram->copy_label(texte);
  std::snprintf(texte, sizeof texte, "Mode : %s (HPRIO = $%02x)%s",
                s.mode_etendu ? "étendu" : "monopuce", s.hprio,
                s.mode_etendu == s.mode_etendu_demande ? ""
                : s.mode_etendu_demande ? " ; étendu au prochain reset"
                                        : " ; monopuce au prochain reset");
  base.mode->copy_label(texte);
  char suite[64] = "";
  if (s.config_eeprom != s.config)
    std::snprintf(suite, sizeof suite, " ; $%02x au prochain reset",
                  s.config_eeprom);
  std::snprintf(texte, sizeof texte,
                "CONFIG = $%02x : EEPROM %s, ROM %s, COP %s%s", s.config,
                s.config & carte::EEON ? "oui" : "non",
                s.config & carte::ROMON || !s.mode_etendu ? "oui" : "non",
                s.config & carte::NOCOP ? "arrêté" : "actif", suite);
  base.config->copy_label(texte);
  std::vector<bloc_carte> blocs;
  for (const carte::plage_carte& plage : carte::plages(carte::plan(p->etat)))
    blocs.push_back(bloc(plage));
  base.dessin->blocs(blocs);
  base.explication->label(
      "Le mode est lu au reset (broches MODA et MODB) : le choix ci-dessous "
      "prend effet au prochain reset. En mode étendu, ce qui n'est pas "
      "dans la puce est de la mémoire externe ; en mode monopuce, il n'y a "
      "rien (on lit $ff, une écriture ne fait rien).\n\n"
      "INIT ($103D) place la RAM (bits 7-4) et les registres (bits 3-0) "
      "sur une page de 4 Ko, une fois, dans les 64 premiers cycles ; les "
      "registres l'emportent sur la RAM, la RAM sur la ROM.\n\n"
      "Une écriture en EEPROM ou en ROM ne fait rien : elle est signalée "
      "à droite de \"Registre d'entrée sortie\". L'EEPROM se programme "
      "par PPROG ($103B) : EELAT, écriture, EPGM, 10 ms, PPROG à 0 (voir "
      "l'exemple eeprom.s). CONFIG ($103F) choisit ROM, EEPROM et COP au "
      "reset suivant.");
  base.mode_etendu->activate();
  base.mode_monopuce->activate();
  base.mode_etendu->value(s.mode_etendu_demande);
  base.mode_monopuce->value(!s.mode_etendu_demande);
  base.fenetre->redraw();
}

void simulateur::affiche_refus() {
  if (ligne_refus == nullptr) return;
  const acces_refuse* r = simulation.dernier_refus();
  const std::string texte = r ? carte::texte_refus(*r, false) : "";
  if (texte == (ligne_refus->label() ? ligne_refus->label() : "")) return;
  ligne_refus->copy_label(texte.c_str());
  ligne_refus->redraw();
}

void simulateur::affiche_etat(const char* texte) {
  if (ligne_etat == nullptr) return;
  ligne_etat->copy_label(texte);
  ligne_etat->redraw();
}
