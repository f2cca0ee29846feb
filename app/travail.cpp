// The auxiliary windows' share of the command loop: which window a widget
// belongs to, the "Options" items, "AIDE..." and "Composant", and the
// redraws after an instruction or a pass of the loop.
#include "app/travail.h"

#include <FL/Fl.H>
#include <FL/Fl_Button.H>
#include <FL/Fl_Double_Window.H>
#include <FL/Fl_Menu_Button.H>

#include <cstring>

#include "app/forms_tamrix.h"
#include "app/simulateur.h"
#include "ui/auxiliaires.h"
#include "ui/sim_class.h"

namespace {

const char* const article_chronogramme = "Chronogramme...";
const char* const article_carte = "Carte...";
const char* const article_affichage = "Affichage des Registres...";
const char* const article_sauver = "Sauver les options";

}  // namespace

fenetres_travail::fenetres_travail(simulateur& s)
    : chronogramme(s),
      composant(s),
      preferences(s),
      carte(s),
      sim(s),
      aide_remplie(false) {}

void fenetres_travail::installe() {
  chronogramme.installe();
  composant.installe();
  preferences.installe();
  carte.installe();
  SIM_class& f = *sim.forme_sim;
  fl_addto_menu(f.menu_options, article_chronogramme);
  fl_addto_menu(f.menu_options, article_carte);
  // The shortcuts (app/raccourcis.cpp), shown where the user looks.
  f.bouton_pas->tooltip("Exécuter une instruction (F11 ou Espace)");
  f.bouton_fleche->tooltip("Exécuter en continu (F5)");
  f.bouton_carre->tooltip("Arrêter l'exécution (Échap)");
  f.bouton_init->tooltip("Reset du CPU (Ctrl+R)");
  f.menu_fichier->tooltip("Ouvrir un programme : Ctrl+O");
  const int ouvrir = f.menu_fichier->find_index("Ouvrir fichier s19");
  if (ouvrir >= 0) f.menu_fichier->shortcut(ouvrir, FL_CTRL + 'o');
  f.bouton_aide->tooltip(
      "Aide : chargement, exécution, fenêtres, raccourcis, "
      "jeu d'instructions");
  f.bouton_composant->tooltip("Le boîtier et ses broches");
  inscrit_raccourcis(&sim);
}

bool fenetres_travail::reagit(Fl_Widget* objet) {
  SIM_class& f = *sim.forme_sim;
  if (objet == f.bouton_aide) {
    ouvre_aide();
    return true;
  }
  if (objet == f.bouton_composant) {
    composant.ouvre();
    return true;
  }
  aide_class& a = *sim.forme_aide;
  if (objet == a.bouton_fermer || objet == a.fenetre) {
    fl_hide_form(a.fenetre);
    return true;
  }
  if (objet == a.texte_aide) return true;
  return chronogramme.reagit(objet) || composant.reagit(objet) ||
         preferences.reagit(objet) || carte.reagit(objet);
}

bool fenetres_travail::menu_options(Fl_Widget* menu) {
  const Fl_Menu_Item* choisi = static_cast<Fl_Menu_Button*>(menu)->mvalue();
  const char* article = choisi ? choisi->label() : nullptr;
  if (!article) return false;
  if (std::strcmp(article, article_chronogramme) == 0) {
    chronogramme.ouvre();
  } else if (std::strcmp(article, article_carte) == 0) {
    carte.ouvre();
  } else if (std::strcmp(article, article_affichage) == 0) {
    preferences.ouvre();
  } else if (std::strcmp(article, article_sauver) == 0) {
    sauve_options();
  } else {
    return false;
  }
  return true;
}

void fenetres_travail::rafraichit() {
  sim.simulation.note_ports_plat();
  chronogramme.rafraichit();
  composant.rafraichit();
  preferences.rafraichit();
  carte.rafraichit();
}

void fenetres_travail::apres_objet() { rafraichit(); }
