// The "Carte" window at work: the board chosen (a preset, a file, the
// program's own prog.carte.toml), wired to the machine of the E9 model,
// redrawn with the views (and during a run at their pace even when the
// views wait for its end: the board is what the user watches), and the
// user's clicks and keys applied to it as actions the history keeps.
#include <FL/Fl.H>
#include <FL/Fl_Box.H>
#include <FL/Fl_Button.H>
#include <FL/Fl_Choice.H>
#include <FL/Fl_Double_Window.H>

#include <string>

#include "app/forms_tamrix.h"
#include "app/simulateur.h"
#include "app/travail.h"

namespace {

const char* const article_aucune = "Aucune";
const char* const article_fichier = "Fichier...";

}  // namespace

vue_carte::vue_carte(simulateur& s) : sim(s) {}

// The board leaves the machine before either goes.
vue_carte::~vue_carte() { carte_.reset(); }

void vue_carte::installe() {
  forme = new platine_class;
  remplit_choix();
}

void vue_carte::remplit_choix() {
  Fl_Choice& c = *forme->choix;
  c.clear();
  c.add(article_aucune);
  for (const std::string& nom : noms_presets()) c.add(nom.c_str());
  c.add(article_fichier);
  c.value(0);
  if (!carte_) return;
  const std::string& fichier = carte_->description().fichier;
  for (int i = 1; i < c.size() - 2; ++i)
    if (chemin_preset(c.text(i)) == fichier) return (void)c.value(i);
  // A file of the user's: its name, before "Fichier...".
  std::string nom = fichier.substr(fichier.rfind('/') + 1);
  for (char& ch : nom)
    if (ch == '&' || ch == '_' || ch == '\\') ch = ' ';
  c.value(c.insert(c.size() - 2, nom.c_str(), 0, nullptr));
}

void vue_carte::ouvre() {
  montre_auxiliaire(forme->fenetre, "Carte");
  forme->dessin->montre(carte_.get(), !sim.controle_execution.en_marche());
  forme->ajuste();
  // The computer's keys go to the keypad and the buttons.
  forme->dessin->take_focus();
  rafraichit();
}

bool vue_carte::choisit(const std::string& fichier_ou_nom) {
  description_carte d;
  std::string erreur;
  if (!charge_carte(fichier_ou_nom, d, erreur)) {
    simulateur::alerte("Carte refusée", erreur.c_str(),
                       "La carte précédente est gardée.", 0);
    remplit_choix();
    return false;
  }
  sim.controle_execution.arrete();
  carte_.reset();
  carte_.reset(new platine(d));
  if (sim.simulation.e9()) carte_->attache(sim.simulation);
  // The snapshots before know nothing of this board.
  sim.histoire.demarre();
  remplit_choix();
  forme->dessin->montre(carte_.get(), true);
  forme->ajuste();
  sim.rafraichit_apres_instruction();
  return true;
}

void vue_carte::retire() {
  sim.controle_execution.arrete();
  carte_.reset();
  sim.histoire.demarre();
  remplit_choix();
  forme->dessin->montre(nullptr, true);
  forme->ajuste();
  sim.rafraichit_apres_instruction();
}

void vue_carte::programme_charge(const std::string& chemin) {
  const std::string propre = carte_du_programme(chemin);
  if (!propre.empty()) choisit(propre);
}

void vue_carte::apres_modele() {
  if (!carte_) return;
  if (sim.simulation.e9() && !carte_->reliee())
    carte_->attache(sim.simulation);
  else if (!sim.simulation.e9())
    carte_->detache();
}

void vue_carte::applique(const dessin_platine::action& a) {
  if (!carte_) return;
  if (a.tension)
    carte_->tourne(a.composant, a.microvolts);
  else
    carte_->agit(a.composant, a.element, a.actif);
}

bool vue_carte::reagit(Fl_Widget* objet) {
  if (!forme) return false;
  platine_class& f = *forme;
  if (objet == f.fenetre || objet == f.bouton_fermer) {
    fl_hide_form(f.fenetre);
    return true;
  }
  if (objet == f.choix) {
    const Fl_Menu_Item* article = f.choix->mvalue();
    const std::string texte =
        article && article->label() ? article->label() : article_aucune;
    if (texte == article_aucune) {
      retire();
    } else if (texte == article_fichier) {
      const char* chemin = simulateur::selecteur_fichier(
          "Choisissez une carte (fichier .toml)", "", "*.toml", "");
      if (chemin && *chemin)
        choisit(chemin);
      else
        remplit_choix();
    } else {
      choisit(texte);
    }
    return true;
  }
  if (objet == f.dessin) {
    if (f.dessin->actions.empty()) return true;
    if (!carte_ || !carte_->reliee()) {
      f.dessin->actions.clear();
      return true;
    }
    for (const dessin_platine::action& a : f.dessin->actions) applique(a);
    f.dessin->actions.clear();
    // The user's doing: the history keeps it, as a pin toggled.
    sim.entree_utilisateur();
    sim.rafraichit_ports();
    sim.rafraichit_dump(0);
    sim.rafraichit_fenetres();
    sim.controle_execution.affiche_compteur();
    return true;
  }
  return false;
}

void vue_carte::rafraichit() {
  if (!forme || !forme->fenetre->shown()) return;
  const bool relie = carte_ && carte_->reliee();
  std::string etat;
  if (carte_ && !relie)
    etat =
        "Modèle plat : la carte n'est reliée qu'au modèle E9 (Options, "
        "Interruptions...).";
  else if (carte_)
    etat = carte_->description().titre;
  if (etat != (forme->etat->label() ? forme->etat->label() : "")) {
    forme->etat->copy_label(etat.c_str());
    forme->etat->redraw();
  }
  // Stopped, the pins hold: the board shows them as they are.
  forme->dessin->montre(relie ? carte_.get() : nullptr,
                        !sim.controle_execution.en_marche());
}
