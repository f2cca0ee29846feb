// The About window ("A propos de..."): shown like every auxiliary window,
// never modal, with the version `tamrix --version` prints in its last
// credit line; "OK" or the window's close button hides it.
#include <FL/Fl_Box.H>
#include <FL/Fl_Button.H>
#include <FL/Fl_Double_Window.H>

#include <string>

#include "app/simulateur.h"
#include "tamrix_version.h"
#include "text/installation.h"
#include "ui/form_about.h"

void simulateur::affiche_a_propos() {
  const std::string version =
      texte_version("tamrix", TAMRIX_VERSION, TAMRIX_COMMIT);
  forme_about->ligne_version->copy_label(
      version.substr(0, version.find('\n')).c_str());
  montre_auxiliaire(forme_about->fenetre, "Informations");
}

int simulateur::traite_a_propos(Fl_Widget* objet) {
  if (objet != forme_about->fenetre && objet != forme_about->bouton_ok)
    return 0;
  forme_about->fenetre->hide();
  return 1;
}
