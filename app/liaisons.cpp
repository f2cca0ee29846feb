// The serial line and the analog inputs in the window: the "Terminal SCI"
// window (what the program sends, the keys typed for it, the SPI's bytes
// and the peripheral's answer) and the analog inputs of port E ("Ports...",
// convert_class). The machine keeps the inputs and the outputs
// (puce/machine.h); this file moves them between it and the widgets.
#include <FL/Fl.H>
#include <FL/Fl_Box.H>
#include <FL/Fl_Button.H>
#include <FL/Fl_Double_Window.H>
#include <FL/Fl_Input.H>
#include <FL/Fl_Tabs.H>
#include <FL/Fl_Text_Buffer.H>

#include <cstdio>
#include <string>

#include "app/forms_tamrix.h"
#include "app/simulateur.h"
#include "text/tensions.h"
#include "ui/auxiliaires.h"
#include "ui/terminal_sci.h"

namespace {

// Past this many characters the terminal forgets its oldest lines.
constexpr int taille_max_texte = 100000;

const char* const noms_entrees[can::nb_entrees] = {
    "AN0", "AN1", "AN2", "AN3", "AN4", "AN5", "AN6", "AN7", "VRH", "VRL"};

// Volts as the window writes them: a decimal comma ("2,5").
std::string tension_affichee(int64_t microvolts) {
  std::string texte = texte_tension(microvolts);
  for (char& c : texte)
    if (c == '.') c = ',';
  return texte;
}

Fl_Input* champ(convert_class& c, int entree) {
  if (entree < 8) return c.saisies_AN[entree];
  return entree == can::entree_vrh ? c.saisie_VRH : c.saisie_VRL;
}

// The terminal's text for bytes the program sent: printable ASCII as it
// is, CR, LF and CR LF as one line break, any other byte as <xx>.
std::string texte_terminal(const std::vector<unsigned char>& octets,
                           bool& apres_cr) {
  std::string texte;
  for (unsigned char o : octets) {
    const bool cr = apres_cr;
    apres_cr = o == '\r';
    if (o == '\r' || (o == '\n' && !cr)) {
      texte += '\n';
    } else if (o >= 0x20 && o < 0x7F) {
      texte += static_cast<char>(o);
    } else if (o != '\n') {
      char hex[8];
      std::snprintf(hex, sizeof hex, "<%02x>", o);
      texte += hex;
    }
  }
  return texte;
}

// Adds text at the end of a display, which follows it; the oldest lines
// go past taille_max_texte.
void ajoute(Fl_Text_Display* ecran, Fl_Text_Buffer* tampon,
            const std::string& texte) {
  tampon->append(texte.c_str());
  if (tampon->length() > taille_max_texte) {
    const int coupe = tampon->line_end(tampon->length() - taille_max_texte / 2);
    tampon->remove(0, coupe + 1);
  }
  ecran->insert_position(tampon->length());
  ecran->show_insert_position();
}

// The SPI's bytes in hexadecimal, sixteen a line.
void ajoute_spi(terminal_sci_class& t,
                const std::vector<unsigned char>& octets) {
  std::string texte;
  int colonne =
      t.texte_spi->length() - t.texte_spi->line_start(t.texte_spi->length());
  for (unsigned char o : octets) {
    char hex[4];
    std::snprintf(hex, sizeof hex, "%02x", o);
    if (colonne >= 16 * 3 - 1) {
      texte += '\n';
      colonne = 0;
    } else if (colonne > 0) {
      texte += ' ';
      ++colonne;
    }
    texte += hex;
    colonne += 2;
  }
  ajoute(t.ecran_spi, t.texte_spi, texte);
}

// The line under the terminal: the SCI's settings, its queue, its losses.
void affiche_etat_terminal(simulateur& sim) {
  terminal_sci_class& t = *sim.forme_terminal;
  char texte[256];
  if (const puce* p = sim.simulation.systeme()) {
    const etat_sci& s = p->etat.sci;
    const unsigned bauds =
        (2000000 + sci::duree_bit(s.baud) / 2) / sci::duree_bit(s.baud);
    std::snprintf(
        texte, sizeof texte,
        "%u bauds (BAUD = $%02x), %d bits de données. Émetteur %s, "
        "récepteur %s.\nEn attente d'envoi au SCI : %u. Perdus (OR) : %u.%s",
        bauds, s.baud, s.sccr1 & sci::M ? 9 : 8,
        s.sccr2 & sci::TE ? "en marche" : "arrêté (TE = 0)",
        s.sccr2 & sci::RE ? "en marche" : "arrêté (RE = 0)",
        sim.simulation.file_sci(), sim.simulation.perdus_sci(),
        sim.liaisons.refuses ? " Touches ignorées (file pleine)." : "");
  } else {
    std::snprintf(texte, sizeof texte,
                  "Modèle plat : pas de SCI. Choisissez le modèle E9 dans "
                  "Options, Interruptions...%s",
                  sim.liaisons.refuses ? " Touches ignorées." : "");
  }
  t.etat->copy_label(texte);
  t.etat->redraw();
}

void remplit_tensions(simulateur& sim) {
  convert_class& c = *sim.forme_convert;
  sim.simulation.tensions(sim.liaisons.tensions);
  for (int i = 0; i < can::nb_entrees; ++i)
    champ(c, i)->value(tension_affichee(sim.liaisons.tensions[i]).c_str());
}

// "Valider": every field read and checked; on the first wrong one, the
// alert says which and why, and nothing changes.
void valide_tensions(simulateur& sim) {
  const char* garde = "Les tensions précédentes sont gardées.";
  if (!sim.simulation.e9()) {
    simulateur::alerte("Modèle plat : pas de convertisseur analogique.",
                       "Choisissez le modèle E9 dans Options, "
                       "Interruptions...",
                       garde, 0);
    return;
  }
  convert_class& c = *sim.forme_convert;
  int32_t tensions[can::nb_entrees];
  for (int i = 0; i < can::nb_entrees; ++i) {
    const std::string texte = champ(c, i)->value();
    const std::string nom = noms_entrees[i];
    int64_t v = 0;
    if (!lit_tension(texte, v)) {
      simulateur::alerte(
          ("Tension invalide pour " + nom + " : \"" + texte + "\"").c_str(),
          "Entrez des volts, avec un point ou une virgule (par exemple 2,5).",
          garde, 0);
      return;
    }
    if (v < 0 || v > can::vdd) {
      simulateur::alerte(("Tension hors limites pour " + nom + " : " +
                          tension_affichee(v) + " V")
                             .c_str(),
                         "Chaque tension doit être comprise entre 0 et 5 V.",
                         garde, 0);
      return;
    }
    tensions[i] = static_cast<int32_t>(v);
  }
  if (!sim.simulation.pose_tensions(tensions)) {
    simulateur::alerte(("VRL (" + tension_affichee(tensions[can::entree_vrl]) +
                        " V) doit être inférieure à VRH (" +
                        tension_affichee(tensions[can::entree_vrh]) + " V).")
                           .c_str(),
                       "VRL et VRH sont les bornes du convertisseur.", garde,
                       0);
    return;
  }
  sim.entree_utilisateur();
  remplit_tensions(sim);
  sim.rafraichit_ports();
  sim.rafraichit_dump(0);
}

// "Appliquer": the peripheral's answer, in hexadecimal.
void applique_miso(simulateur& sim) {
  const std::string texte = sim.forme_terminal->saisie_miso->value();
  std::size_t debut = 0;
  if (texte.rfind("$", 0) == 0) debut = 1;
  if (texte.rfind("0x", 0) == 0 || texte.rfind("0X", 0) == 0) debut = 2;
  const std::string chiffres = texte.substr(debut);
  const bool bon =
      !chiffres.empty() && chiffres.size() <= 2 &&
      chiffres.find_first_not_of("0123456789abcdefABCDEF") == std::string::npos;
  if (!bon || !sim.simulation.pose_miso(static_cast<unsigned char>(
                  std::stoul(chiffres, nullptr, 16)))) {
    simulateur::alerte(
        bon ? "Modèle plat : pas de SPI."
            : ("Octet MISO invalide : \"" + texte + "\"").c_str(),
        "Entrez un octet en hexadécimal, de 00 à FF.", "", 0);
    return;
  }
  sim.entree_utilisateur();
}

}  // namespace

void simulateur::montre_terminal() {
  montre_auxiliaire(forme_terminal->fenetre, "Terminal SCI");
  liaisons.ouvert_depuis_reset = true;
  forme_terminal->ecran->take_focus();
  affiche_etat_terminal(*this);
}

void simulateur::montre_tensions() {
  remplit_tensions(*this);
  montre_auxiliaire(forme_convert->fenetre, "Entrées analogiques");
}

int simulateur::traite_liaisons(Fl_Widget* objet) {
  terminal_sci_class& t = *forme_terminal;
  convert_class& c = *forme_convert;
  if (objet == t.fenetre || objet == t.bouton_fermer) {
    fl_hide_form(t.fenetre);
  } else if (objet == t.ecran) {
    for (char o : t.ecran->touches)
      if (!simulation.recoit_sci(static_cast<unsigned char>(o)))
        ++liaisons.refuses;
    // Typed characters are the user's doing: the history keeps them.
    if (!t.ecran->touches.empty()) entree_utilisateur();
    t.ecran->touches.clear();
    affiche_etat_terminal(*this);
  } else if (objet == t.bouton_effacer) {
    if (t.onglets->value() == t.onglet_spi) {
      t.texte_spi->text("");
    } else {
      t.texte_sci->text("");
      liaisons.apres_cr = false;
      liaisons.refuses = 0;
      affiche_etat_terminal(*this);
    }
  } else if (objet == t.bouton_miso) {
    applique_miso(*this);
  } else if (objet == c.bouton_valider) {
    valide_tensions(*this);
  } else if (objet == c.fenetre) {
    fl_hide_form(c.fenetre);
  } else if (objet == t.onglets || objet == t.saisie_miso ||
             objet == t.ecran_spi) {
    // Nothing to do: the tabs switch by themselves, the fields are read
    // on their buttons.
  } else {
    for (int i = 0; i < can::nb_entrees; ++i)
      if (objet == champ(c, i)) return 1;
    return 0;
  }
  return 1;
}

void simulateur::rafraichit_liaisons() {
  if (forme_terminal == nullptr) return;
  terminal_sci_class& t = *forme_terminal;
  // The count went back: a reset; the terminal may open by itself again.
  if (simulation.cycles < liaisons.cycles_vus)
    liaisons.ouvert_depuis_reset = false;
  liaisons.cycles_vus = simulation.cycles;
  if (!simulation.sortie_sci.empty()) {
    ajoute(t.ecran, t.texte_sci,
           texte_terminal(simulation.sortie_sci, liaisons.apres_cr));
    simulation.sortie_sci.clear();
    if (!liaisons.ouvert_depuis_reset && !t.fenetre->shown()) montre_terminal();
  }
  if (!simulation.sortie_spi.empty()) {
    ajoute_spi(t, simulation.sortie_spi);
    simulation.sortie_spi.clear();
  }
  if (t.fenetre->shown()) affiche_etat_terminal(*this);
  // The analog fields follow inputs changed elsewhere (port E's buttons).
  if (forme_convert->fenetre->shown()) {
    int32_t tensions[can::nb_entrees];
    simulation.tensions(tensions);
    for (int i = 0; i < can::nb_entrees; ++i)
      if (tensions[i] != liaisons.tensions[i]) {
        remplit_tensions(*this);
        break;
      }
  }
}
