// Test bench of the main window: one simulator shared by the tests, put
// back in its start-up state before each test, with observers in place of
// the modal dialogs.
#ifndef TAMRIX_TESTS_GUI_BANC_GUI_H
#define TAMRIX_TESTS_GUI_BANC_GUI_H

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/forms_tamrix.h"
#include "app/simulateur.h"
#include "ui/sim_class.h"

// What the alert observer saw, one entry per alert, lines joined by '|'.
extern std::vector<std::string> alertes_vues;
// What the file chooser observer returns (null: cancelled), and the
// pattern it was last given.
extern const char* fichier_choisi;
extern std::string motif_selecteur;
// The questions asked, and the answer the observer gives (false: cancel).
extern std::vector<std::string> questions_vues;
extern bool reponse_question;
void observe_dialogues();

// A simulator built with these arguments (the program name first), with
// the observers in place.
simulateur* nouveau_simulateur(std::vector<std::string> arguments);

// The shared simulator, reset to its start-up state.
simulateur& simulateur_propre();

// Activates a widget the way a click does (its default callback queues it),
// takes it off the queue and runs one pass of the command loop.
int active(simulateur& sim, Fl_Widget* objet);

// Types a text into an input field.
void tape(Fl_Widget* saisie, const char* texte);

// A click on a widget of a shown window, by the toolkit's own event path
// (press and release at its centre): what the user's mouse does, modal
// windows included.
void clique(Fl_Widget* objet);
// Enter pressed while `saisie` has the focus, by the same path.
void appuie_entree(Fl_Widget* saisie);
// Takes every activation off the queue and runs a pass for each.
void traite_file(simulateur& sim);

std::string texte(const Fl_Widget* w);
// Width of a digit in a widget's label font.
double largeur_chiffre(const Fl_Widget* w);

// The disassembler's own text of the instruction at `adresse`.
std::string instruction(simulateur& sim, unsigned short adresse);

// Path of a file written for a test in the build tree.
std::string fichier_temporaire(const std::string& nom,
                               const std::string& contenu);
// Assembles a GNU as source with the project's script; the S19 path.
std::string assemble(const std::string& nom, const std::string& source);

class GuiTest : public ::testing::Test {
 protected:
  void SetUp() override { sim = &simulateur_propre(); }
  simulateur* sim = nullptr;
  SIM_class& f() { return *sim->forme_sim; }
};

#endif
