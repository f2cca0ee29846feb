// Keyboard shortcuts: a key becomes the activation of the button (or menu
// item) it stands for, queued like a click, so the command loop handles
// both the same way. Looked at before any widget sees the key, from every
// window of the simulator, unless a modal dialog (an alert, the file
// chooser) is up.
#include <FL/Fl.H>
#include <FL/Fl_Button.H>
#include <FL/Fl_Double_Window.H>
#include <FL/Fl_Input_.H>
#include <FL/Fl_Menu_Button.H>

#include <algorithm>
#include <vector>

#include "app/simulateur.h"
#include "app/travail.h"
#include "ui/sim_class.h"

namespace {

// The simulators alive, the last built last: it takes the keys.
std::vector<simulateur*> inscrits;

// A key without Shift, Ctrl, Alt or Meta.
bool seule(int etat) {
  return (etat & (FL_SHIFT | FL_CTRL | FL_ALT | FL_META)) == 0;
}

// The widget a key stands for, or null.
Fl_Widget* widget_de_la_touche(simulateur& sim) {
  SIM_class& f = *sim.forme_sim;
  const int touche = Fl::event_key();
  const int etat = Fl::event_state();
  // As common debuggers: F11 a step into, F10 over a call, Shift+F11 out
  // of the routine, F4 to the disassembly line under the mouse.
  if (touche == FL_F + 11 && seule(etat)) return f.bouton_pas;
  if (touche == FL_F + 10 && seule(etat)) return sim.bouton_par_dessus;
  if (touche == FL_F + 11 && (etat & FL_SHIFT) &&
      !(etat & (FL_CTRL | FL_ALT | FL_META)))
    return sim.bouton_sortie;
  if (touche == FL_F + 4 && seule(etat)) {
    simulateur::x_clic_droit = Fl::event_x();
    simulateur::y_clic_droit = Fl::event_y();
    return sim.bouton_jusqua;
  }
  // Shift+F10: a step back.
  if (touche == FL_F + 10 && (etat & FL_SHIFT) &&
      !(etat & (FL_CTRL | FL_ALT | FL_META)))
    return sim.bouton_pas_arriere;
  if (touche == ' ' && seule(etat)) {
    // Typed into a text field, a space is a space.
    if (dynamic_cast<Fl_Input_*>(Fl::focus())) return nullptr;
    return f.bouton_pas;
  }
  if (touche == FL_F + 5 && seule(etat)) return f.bouton_fleche;
  if (touche == FL_F + 8 && seule(etat)) {
    const int article = f.menu_options->find_index("Carte...");
    if (article < 0) return nullptr;
    f.menu_options->value(article);
    return f.menu_options;
  }
  if (touche == FL_Escape && seule(etat))
    // Not running: FLTK's own handling (the main window ignores it).
    return sim.controle_execution.en_marche() ? f.bouton_carre : nullptr;
  if ((etat & FL_CTRL) && !(etat & (FL_ALT | FL_META))) {
    if (touche == 'r') return f.bouton_init;
    if (touche == 'o') {
      const int article = f.menu_fichier->find_index("Ouvrir fichier s19");
      if (article < 0) return nullptr;
      f.menu_fichier->value(article);
      return f.menu_fichier;
    }
  }
  return nullptr;
}

}  // namespace

void inscrit_raccourcis(simulateur* sim) { inscrits.push_back(sim); }

void desinscrit_raccourcis(simulateur* sim) {
  inscrits.erase(std::remove(inscrits.begin(), inscrits.end(), sim),
                 inscrits.end());
}

bool raccourci_clavier(int evenement) {
  if (evenement != FL_KEYBOARD || inscrits.empty() || Fl::modal()) return false;
  Fl_Widget* w = widget_de_la_touche(*inscrits.back());
  if (!w) return false;
  w->do_callback();
  return true;
}
