// No auxiliary window locks the main one: with each shown, clicks reach
// the main window by the toolkit's event path, so "@square" stops a run.
#include <FL/Fl.H>
#include <FL/Fl_Box.H>
#include <FL/Fl_Button.H>
#include <FL/Fl_Double_Window.H>
#include <FL/Fl_Menu_Button.H>

#include <cstdio>
#include <cstring>

#include "tests/gui/banc_gui.h"
#include "ui/auxiliaires.h"
#include "ui/form_about.h"
#include "ui/options_puce.h"
#include "ui/qui_a_change.h"
#include "ui/terminal_sci.h"

TEST_F(GuiTest, StopActsWhileEachAuxiliaryWindowIsShown) {
  sim->change_modele(modele_machine::e9);
  sim->controle_execution.choisit_vitesse(vitesse::maximum);
  const unsigned char boucle[] = {0x4C, 0x20, 0xFD};  // inca; bra $b600
  for (unsigned short i = 0; i < 3; ++i)
    sim->simulation.ecrit_octet(0xB600 + i, boucle[i]);
  Fl_Menu_Button *o = f().menu_options, *fichier = f().menu_fichier;
  const struct {
    Fl_Widget* objet;  // a menu with the item, a button, or none
    const char* article;
    Fl_Window* fenetre;
  } cas[] = {
      {o, "Terminal SCI...", sim->forme_terminal->fenetre},
      {o, "Interruptions...", sim->forme_interruptions->fenetre},
      {o, "Ports...", sim->forme_convert->fenetre},
      {o, "Adresse de  Base...", sim->forme_adresse_base->fenetre},
      {o, "Affichage des Registres...", sim->forme_pref_affichage->fenetre},
      {o, "Chronogramme...", sim->forme_chronogramme->fenetre},
      {fichier, "A propos de...", sim->forme_about->fenetre},
      {f().bouton_composant, "", sim->forme_aff_composant->fenetre},
      {f().bouton_aide, "", sim->forme_aide->fenetre},
      {nullptr, "", sim->forme_qui->fenetre}};
  for (const auto& c : cas) {
    sim->reinitialise();
    if (*c.article) o->value(o->find_index(c.article));
    if (*c.article) fichier->value(fichier->find_index(c.article));
    if (c.objet) active(*sim, c.objet);
    if (!c.objet)
      sim->montre_qui_a_change({cible_historique::sorte::registre, 0}, "A");
    ASSERT_TRUE(c.fenetre->shown()) << c.article;
    clique(f().bouton_fleche);
    traite_file(*sim);
    EXPECT_TRUE(sim->controle_execution.en_marche()) << c.article;
    clique(f().bouton_carre);
    traite_file(*sim);
    EXPECT_FALSE(sim->controle_execution.en_marche()) << c.article;
    c.fenetre->hide();
  }
  // The About window named the version `tamrix --version` prints.
  FILE* sortie = popen(TAMRIX_PROGRAMME " --version", "r");
  char ligne[256] = "";
  ASSERT_NE(fgets(ligne, sizeof ligne, sortie), nullptr);
  pclose(sortie);
  EXPECT_EQ(std::string(ligne, std::strlen(ligne) - 1),
            texte(sim->forme_about->ligne_version));
}
