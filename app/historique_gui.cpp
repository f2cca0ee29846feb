// Going back in the main window: step back ("@4->|", Shift+F10), back to
// the previous breakpoint ("@<<"), and "Qui a change ceci ?" on a right
// click over a register, a flag of CCR, a dump cell or a port bit.
#include <FL/Fl.H>
#include <FL/Fl_Box.H>
#include <FL/Fl_Button.H>
#include <FL/Fl_Double_Window.H>
#include <FL/Fl_Hold_Browser.H>
#include <FL/Fl_Input.H>
#include <FL/fl_draw.H>

#include <cstdio>
#include <string>

#include "app/forms_tamrix.h"
#include "app/simulateur.h"
#include "ui/qui_a_change.h"
#include "ui/sim_class.h"

int simulateur::x_clic_droit = 0;
int simulateur::y_clic_droit = 0;

namespace {

bool dans(const Fl_Widget* w, int x, int y) {
  return w != nullptr && x >= w->x() && x < w->x() + w->w() && y >= w->y() &&
         y < w->y() + w->h();
}

// The character under x in a box showing `texte` left-aligned in a fixed
// font, or -1.
int caractere_sous(const Fl_Widget* w, int x) {
  fl_font(w->labelfont(), w->labelsize());
  const double largeur = fl_width('0');
  // FLTK insets a label inside its box by 3 pixels.
  const int i = static_cast<int>((x - w->x() - 3) / largeur);
  return i < 0 ? -1 : i;
}

}  // namespace

void simulateur::installe_historique() {
  Fl_Double_Window* fenetre = forme_sim->fenetre;
  Fl_Group* avant = Fl_Group::current();
  fenetre->begin();
  bouton_pas_arriere = new Fl_Button(181, 360, 36, 40, "@4->|");
  bouton_pas_arriere->labelcolor(62);
  bouton_pas_arriere->tooltip("Reculer d'une instruction (Maj+F10)");
  bouton_retour_arriere = new Fl_Button(218, 360, 36, 40, "@<<");
  bouton_retour_arriere->labelcolor(70);
  bouton_retour_arriere->tooltip(
      "Revenir au point d'arrêt précédent, ou au début de l'historique");
  demande_qui = new Fl_Button(0, 0, 1, 1);
  demande_qui->hide();
  fenetre->end();
  Fl_Group::current(avant);
  forme_qui = new qui_a_change_class;
}

void simulateur::entree_utilisateur() {
  histoire.note_entree();
  vues_perimees = true;
}

// Everything as it was at the point the machine came back to.
void simulateur::apres_retour() {
  // A script being replayed does not go back with the machine: given up
  // (what it typed is replayed with the rest of the kept future).
  if (liaisons.dialogue && !liaisons.dialogue->fini()) {
    liaisons.dialogue.reset();
    liaisons.message_script =
        "Script abandonné : retour en arrière dans l'historique.";
  }
  controle_execution.synchronise();
  debut_desa = processeur.PC_value();
  rafraichit_apres_instruction();  // no run goes on: everything is drawn
  char texte[160];
  std::snprintf(texte, sizeof texte,
                "Historique : instruction %llu ; il remonte jusqu'à "
                "l'instruction %llu (%.1f Mo)",
                static_cast<unsigned long long>(simulation.instructions),
                static_cast<unsigned long long>(histoire.debut()),
                histoire.octets() / 1048576.0);
  affiche_etat(texte);
  rafraichit_debogueur();
}

void simulateur::pas_arriere() {
  controle_execution.arrete();
  if (!histoire.pas_arriere()) {
    affiche_etat("Historique : rien avant ce point");
    return;
  }
  apres_retour();
}

void simulateur::retour_arriere() {
  controle_execution.arrete();
  if (!histoire.retour_point_arret(controle_execution.points_arret())) return;
  apres_retour();
}

void simulateur::revient_avant_changement(int i) {
  if (i < 0 || i >= static_cast<int>(changements_vus.size())) return;
  controle_execution.arrete();
  const changement& c = changements_vus[static_cast<std::size_t>(i)];
  // The instruction that made it is the one counted last: just before it.
  const uint64_t avant = c.instructions > 0 ? c.instructions - 1 : 0;
  if (histoire.revient_a(avant)) apres_retour();
}

bool simulateur::cible_sous(int x, int y, cible_historique& cible,
                            std::string& nom) {
  using sorte = cible_historique::sorte;
  SIM_class& f = *forme_sim;
  const struct {
    Fl_Widget* saisie;
    Fl_Widget* affichage;
    unsigned numero;
    const char* nom;
  } registres[] = {
      {f.saisie_A, f.aff_A, 0, "A"},    {f.saisie_B, f.aff_B, 1, "B"},
      {f.saisie_X, f.aff_X, 2, "X"},    {f.saisie_Y, f.aff_Y, 3, "Y"},
      {f.saisie_SP, f.aff_SP, 4, "SP"}, {f.saisie_PC, f.aff_PC, 5, "PC"}};
  for (const auto& r : registres)
    if (dans(r.saisie, x, y) || dans(r.affichage, x, y)) {
      cible = {sorte::registre, r.numero};
      nom = std::string("le registre ") + r.nom;
      return true;
    }
  if (dans(f.aff_CCR, x, y)) {
    const int i = caractere_sous(f.aff_CCR, x);
    if (i < 0 || i > 7) return false;
    static const char* const bits = "SXHINZVC";
    cible = {sorte::bit_ccr, static_cast<unsigned>(7 - i)};
    nom = std::string("le bit ") + bits[i] + " de CCR";
    return true;
  }
  for (Fl_Widget* ligne : lignes_dump) {
    if (!dans(ligne, x, y)) continue;
    // "%4x %2x %2x ...": the address, then three characters a cell.
    const int i = caractere_sous(ligne, x);
    const int cellule = (i - 5) / 3;
    unsigned debut = 0;
    if (i < 5 || cellule > 7 || std::sscanf(ligne->label(), "%x", &debut) != 1)
      return false;
    const unsigned adresse = (debut + static_cast<unsigned>(cellule)) & 0xFFFF;
    cible = {sorte::cellule, adresse};
    char texte[32];
    std::snprintf(texte, sizeof texte, "la cellule $%04x", adresse);
    nom = texte;
    return true;
  }
  const portparallele* ports[5] = {&port_A, &port_B, &port_C, &port_D, &port_E};
  for (int p = 0; p < 5; ++p)
    for (int bit = 0; bit < 8; ++bit)
      if (dans(ports[p]->boutons[bit], x, y)) {
        cible = {sorte::broche, static_cast<unsigned>(p * 8 + bit)};
        char texte[32];
        std::snprintf(texte, sizeof texte, "la broche P%c%d", 'A' + p, bit);
        nom = texte;
        return true;
      }
  return false;
}

void simulateur::montre_qui_a_change(const cible_historique& cible,
                                     const std::string& nom) {
  controle_execution.arrete();
  bool complet = false;
  changements_vus = histoire.qui_a_change(cible, 20, &complet);
  qui_a_change_class& q = *forme_qui;
  const std::string titre = "Qui a changé " + nom + " ?";
  q.titre->copy_label(titre.c_str());
  q.liste->clear();
  const bool octet =
      cible.type == cible_historique::sorte::cellule ||
      (cible.type == cible_historique::sorte::registre && cible.numero < 2);
  const bool bit = cible.type == cible_historique::sorte::bit_ccr ||
                   cible.type == cible_historique::sorte::broche;
  for (const changement& c : changements_vus) {
    char valeurs[32];
    if (bit)
      std::snprintf(valeurs, sizeof valeurs, "%u -> %u", c.avant, c.apres);
    else if (octet)
      std::snprintf(valeurs, sizeof valeurs, "$%02x -> $%02x", c.avant,
                    c.apres);
    else
      std::snprintf(valeurs, sizeof valeurs, "$%04x -> $%04x", c.avant,
                    c.apres);
    char ligne[160];
    std::snprintf(ligne, sizeof ligne, "%9llu %10llu  %04x  %-16s %s",
                  static_cast<unsigned long long>(c.instructions),
                  static_cast<unsigned long long>(c.cycles), c.adresse,
                  c.texte.c_str(), valeurs);
    q.liste->add(ligne);
  }
  char note[200];
  if (changements_vus.empty())
    std::snprintf(note, sizeof note,
                  "Aucun changement depuis l'instruction %llu, début de "
                  "l'historique.",
                  static_cast<unsigned long long>(histoire.debut()));
  else
    std::snprintf(note, sizeof note,
                  "Colonnes : instruction, cycle, adresse, instruction, "
                  "avant -> après.%s",
                  complet ? ""
                          : " Recherche limitée aux dernières "
                            "instructions.");
  q.note->copy_label(note);
  montre_auxiliaire(q.fenetre, "Qui a changé ceci ?");
  q.fenetre->redraw();
}

int simulateur::traite_historique(Fl_Widget* objet) {
  qui_a_change_class& q = *forme_qui;
  if (objet == bouton_pas_arriere) {
    pas_arriere();
  } else if (objet == bouton_retour_arriere) {
    retour_arriere();
  } else if (objet == demande_qui) {
    cible_historique cible{};
    std::string nom;
    unsigned short adresse = 0;
    if (cible_sous(x_clic_droit, y_clic_droit, cible, nom))
      montre_qui_a_change(cible, nom);
    else if (ligne_desa_sous(x_clic_droit, y_clic_droit, adresse))
      menu_adresse(adresse);
  } else if (objet == q.bouton_fermer || objet == q.fenetre) {
    fl_hide_form(q.fenetre);
  } else if (objet == q.liste) {
    if (Fl::event_clicks() > 0) revient_avant_changement(q.liste->value() - 1);
  } else {
    return 0;
  }
  return 1;
}
