// The register panel, the disassembly and the memory dump.
#include <FL/Fl.H>
#include <FL/Fl_Box.H>
#include <FL/Fl_Input.H>
#include <FL/Fl_Slider.H>

#include <cstdio>
#include <cstring>
#include <string>

#include "app/forms_tamrix.h"
#include "app/saisies.h"
#include "app/simulateur.h"
#include "ui/sim_class.h"

namespace {

constexpr Fl_Color couleur_ligne_pc = 174;
constexpr Fl_Color couleur_selection = 50;
constexpr int premiere_adresse_max = 65440;  // twelve lines end at 0xFFFF

void affiche(Fl_Widget* boite, const char* texte) {
  boite->copy_label(texte);
  boite->redraw();
}

void montre_octet(Fl_Input* saisie, Fl_Widget* affichage,
                  unsigned char valeur) {
  char texte[16];
  std::snprintf(texte, sizeof texte, "%2x", valeur);
  fl_set_input(saisie, texte);
  reg2bin8(valeur, texte);
  affiche(affichage, texte);
}

void montre_mot(Fl_Input* saisie, Fl_Widget* affichage, unsigned short valeur) {
  char texte[16];
  std::snprintf(texte, sizeof texte, "   %4x", valeur);
  fl_set_input(saisie, texte);
  std::snprintf(texte, sizeof texte, "%5d", valeur);
  affiche(affichage, texte);
}

// The register keeps its value when the field holds no number it can
// take (not hexadecimal, too large, an unknown label); the reason, naming
// the register, is added to `refus`.
template <typename T>
void lit_champ(simulateur& sim, Fl_Input* saisie, const char* nom,
               void (interpreteur::*ecrit)(T), std::string& refus) {
  uint32_t nombre;
  std::string erreur;
  if (sim.debogueur.lit_registre(fl_get_input(saisie), T(~T(0)), &nombre,
                                 erreur)) {
    (sim.processeur.*ecrit)(static_cast<T>(nombre));
    return;
  }
  refus += std::string(refus.empty() ? "" : "\n") + nom + " : " + erreur +
           " ; " + nom + " inchangé.";
}

}  // namespace

void reg2bin8(unsigned char valeur, char* texte) {
  for (int i = 0; i < 8; ++i) texte[i] = (valeur >> (7 - i)) & 1 ? '1' : '0';
  texte[8] = '\0';
}

void simulateur::sauve_registres() {
  SIM_class& f = *forme_sim;
  montre_octet(f.saisie_A, f.aff_A, processeur.A_value());
  montre_octet(f.saisie_B, f.aff_B, processeur.B_value());
  char bits[9];
  reg2bin8(processeur.CCR_value(), bits);
  affiche(f.aff_CCR, bits);
  montre_mot(f.saisie_X, f.aff_X, processeur.X_value());
  montre_mot(f.saisie_Y, f.aff_Y, processeur.Y_value());
  montre_mot(f.saisie_SP, f.aff_SP, processeur.SP_value());
  montre_mot(f.saisie_PC, f.aff_PC, processeur.PC_value());
}

void simulateur::charge_registres() {
  SIM_class& f = *forme_sim;
  const interpreteur avant = processeur;
  refus_registres.clear();
  lit_champ(*this, f.saisie_A, "A", &interpreteur::set_A_value,
            refus_registres);
  lit_champ(*this, f.saisie_B, "B", &interpreteur::set_B_value,
            refus_registres);
  lit_champ(*this, f.saisie_X, "X", &interpreteur::set_X_value,
            refus_registres);
  lit_champ(*this, f.saisie_Y, "Y", &interpreteur::set_Y_value,
            refus_registres);
  lit_champ(*this, f.saisie_SP, "SP", &interpreteur::set_SP_value,
            refus_registres);
  lit_champ(*this, f.saisie_PC, "PC", &interpreteur::set_PC_value,
            refus_registres);
  // A refused field shows its register's value again.
  if (!refus_registres.empty()) sauve_registres();
  // An edited register is an action of the user the history keeps.
  if (avant.A != processeur.A || avant.B != processeur.B ||
      avant.X != processeur.X || avant.Y != processeur.Y ||
      avant.SP != processeur.SP || avant.PC != processeur.PC)
    entree_utilisateur();
}

// When walking twelve instructions from debut_desa does not meet the PC,
// the view starts at the PC.
void simulateur::montre_pc() {
  const unsigned short pc = processeur.PC_value();
  unsigned short a = debut_desa;
  for (int i = 0; i < 12; ++i) {
    if (a == pc) return;
    a = processeur.desa_num(a);
  }
  debut_desa = pc;
}

void simulateur::montre_desassemblage(unsigned short adresse) {
  debut_desa = adresse;
  rafraichit_desassemble();
}

// Twelve instructions from debut_desa, wherever the PC is.
void simulateur::rafraichit_desassemble() {
  const unsigned short pc = processeur.PC_value();
  unsigned short a = debut_desa;
  unsigned short adresses[12];
  for (int i = 0; i < 12; ++i) {
    adresses[i] = a;
    char instruction[32] = "";
    const unsigned short suivante = processeur.desa_ins(a, instruction);
    if (std::strcmp(instruction, "?????") == 0)
      std::strcpy(instruction, "Fonction inexistante");
    // Labels and branch targets (app/debogage.h); a long line in a
    // smaller font, cut at the view's edge.
    const std::string texte =
        debogueur.texte_desassemble(a, suivante, a == pc, instruction);
    fl_set_object_color(lignes_desa[i], a == pc ? couleur_ligne_pc : FL_WHITE,
                        couleur_selection);
    debogueur.presente_ligne_desa(lignes_desa[i], texte);
    affiche(lignes_desa[i], texte.c_str());
    a = suivante;
  }
  controle_execution.marque_points_arret(adresses);
  debogueur.rafraichit_source();
}

void simulateur::rafraichit_dump(int pas) {
  Fl_Widget* ascenseur = forme_sim->ascenseur_dump;
  const int v = static_cast<int>(fl_get_slider_value(ascenseur));
  const int base = static_cast<unsigned short>(v & ~7);
  int debut = base + pas;
  if (debut < 0) debut = 0;
  if (debut > premiere_adresse_max) debut = premiere_adresse_max;
  fl_set_slider_value(ascenseur, debut);
  for (int i = 0; i < 12; ++i) {
    const auto a = static_cast<unsigned short>(debut + 8 * i);
    unsigned o[8];
    for (int k = 0; k < 8; ++k)
      o[k] = memoire.read_byte(static_cast<unsigned short>(a + k));
    char texte[64];
    std::snprintf(texte, sizeof texte, "%4x %2x %2x %2x %2x %2x %2x %2x %2x", a,
                  o[0], o[1], o[2], o[3], o[4], o[5], o[6], o[7]);
    fl_set_object_lsize(lignes_dump[i], 13);
    affiche(lignes_dump[i], texte);
  }
}
