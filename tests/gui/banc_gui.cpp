#include "tests/gui/banc_gui.h"

#include <FL/Fl.H>
#include <FL/Fl_Double_Window.H>
#include <FL/Fl_Input.H>
#include <FL/Fl_Slider.H>
#include <FL/fl_draw.H>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>

std::vector<std::string> alertes_vues;
const char* fichier_choisi = nullptr;
std::string motif_selecteur;
std::vector<std::string> questions_vues;
bool reponse_question = false;

namespace {

bool question_observee(const char* texte, const char* oui) {
  questions_vues.push_back(std::string(texte) + "|" + oui);
  return reponse_question;
}

void alerte_observee(const char* l1, const char* l2, const char* l3, int) {
  alertes_vues.push_back(std::string(l1) + "|" + l2 + "|" + l3);
}

const char* selecteur_observe(const char*, const char*, const char* motif,
                              const char*) {
  motif_selecteur = motif ? motif : "";
  return fichier_choisi;
}

// The tests of the panels and views are written for the flat model, where
// the ports are memory; the tests of the chip switch to the E9 model.
void remet_a_zero(simulateur& sim) {
  sim.debogueur.oublie();
  sim.change_modele(modele_machine::plat);
  sim.controle_execution.arrete();
  sim.controle_execution.efface_points_arret();
  // The points kept per program by earlier tests are not this test's.
  std::error_code ignoree;
  std::filesystem::remove_all(TAMRIX_BINARY_DIR "/gui_config/tamrix/points",
                              ignoree);
  sim.outils_debogage = ::debogueur();
  sim.outils_debogage.infos = &sim.debogueur.infos();
  sim.controle_execution.remet_compteur();
  while (sim.objet_suivant()) {
  }
  for (auto& cellule : sim.memoire.cellules) cellule = 0xFF;
  sim.memoire.write_byte(0x1007, 0);
  sim.memoire.write_byte(0x1009, 0);
  sim.processeur = interpreteur();
  sim.processeur.learn_mem(&sim.memoire);
  portparallele* ports[] = {&sim.port_A, &sim.port_B, &sim.port_C, &sim.port_D,
                            &sim.port_E};
  for (portparallele* p : ports) {
    p->valeur = 0;
    p->maj_etat_boutons();
    p->aff_valeur->copy_label("00");
  }
  SIM_class& f = *sim.forme_sim;
  for (Fl_Input* e : {f.saisie_adresse, f.saisie_valeur, f.saisie_nombre})
    e->value("");
  sim.sauve_registres();
  sim.debut_desa = sim.processeur.PC_value();
  sim.rafraichit_desassemble();
  fl_set_slider_value(f.ascenseur_dump, 0);
  sim.rafraichit_dump(0);
  alertes_vues.clear();
  fichier_choisi = nullptr;
  questions_vues.clear();
  reponse_question = false;
  f.bouton_pas->take_focus();  // no text field keeps the focus
  sim.affiche_etat("");
}

}  // namespace

void observe_dialogues() {
  simulateur::alerte = alerte_observee;
  simulateur::selecteur_fichier = selecteur_observe;
  simulateur::question = question_observee;
}

simulateur* nouveau_simulateur(std::vector<std::string> arguments) {
  observe_dialogues();
  // The saved options of the simulators under test live in the build
  // tree, never in the user's folder; a test may point elsewhere.
  static const bool dossier_options = [] {
    setenv("XDG_CONFIG_HOME", TAMRIX_BINARY_DIR "/gui_config", 1);
    std::remove(TAMRIX_BINARY_DIR "/gui_config/tamrix/options");
    return true;
  }();
  (void)dossier_options;
  // fl_initialize keeps pointers into the vector: it lives on.
  auto* textes = new std::vector<std::string>(std::move(arguments));
  auto* argv = new std::vector<char*>;
  for (std::string& a : *textes) argv->push_back(a.data());
  argv->push_back(nullptr);
  return new simulateur(static_cast<int>(textes->size()), argv->data());
}

simulateur& simulateur_propre() {
  static simulateur* commun = nouveau_simulateur({"tamrix"});
  observe_dialogues();
  remet_a_zero(*commun);
  return *commun;
}

int active(simulateur& sim, Fl_Widget* objet) {
  objet->do_callback();
  Fl_Widget* pris = sim.objet_suivant();
  EXPECT_EQ(pris, objet);
  return pris ? sim.traite_objet(pris) : -1;
}

void tape(Fl_Widget* saisie, const char* texte) {
  static_cast<Fl_Input*>(saisie)->value(texte);
}

void clique(Fl_Widget* objet) {
  Fl_Window* fenetre = objet->window();
  Fl::e_x = objet->x() + objet->w() / 2;
  Fl::e_y = objet->y() + objet->h() / 2;
  Fl::e_x_root = fenetre->x() + Fl::e_x;
  Fl::e_y_root = fenetre->y() + Fl::e_y;
  Fl::e_keysym = FL_Button + FL_LEFT_MOUSE;
  Fl::e_state = FL_BUTTON1;
  Fl::handle(FL_PUSH, fenetre);
  Fl::e_state = 0;
  Fl::handle(FL_RELEASE, fenetre);
}

void appuie_entree(Fl_Widget* saisie) {
  saisie->take_focus();
  Fl::e_keysym = FL_Enter;
  Fl::e_text = const_cast<char*>("\r");
  Fl::e_length = 1;
  Fl::handle(FL_KEYBOARD, saisie->window());
}

void traite_file(simulateur& sim) {
  while (Fl_Widget* objet = sim.objet_suivant()) sim.traite_objet(objet);
}

std::string texte(const Fl_Widget* w) { return w->label() ? w->label() : ""; }

double largeur_chiffre(const Fl_Widget* w) {
  fl_font(w->labelfont(), w->labelsize());
  return fl_width('0');
}

std::string instruction(simulateur& sim, unsigned short adresse) {
  char texte[32] = "";
  sim.processeur.desa_ins(adresse, texte);
  return texte;
}

std::string fichier_temporaire(const std::string& nom,
                               const std::string& contenu) {
  const std::string chemin = std::string(TAMRIX_BINARY_DIR) + "/gui_" + nom;
  std::ofstream(chemin) << contenu;
  return chemin;
}

std::string assemble(const std::string& nom, const std::string& source) {
  const std::string s = fichier_temporaire(nom + ".s", source);
  const std::string s19 =
      std::string(TAMRIX_BINARY_DIR) + "/gui_" + nom + ".s19";
  const std::string commande = "cd " TAMRIX_SOURCE_DIR
                               " && bash tools/assemble.sh " +
                               s + " " + s19 + " >/dev/null";
  EXPECT_EQ(std::system(commande.c_str()), 0) << commande;
  return s19;
}
