// The main window right after start-up, and its layout.
#include <FL/Fl_Double_Window.H>
#include <FL/Fl_Menu_Button.H>
#include <FL/Fl_Slider.H>

#include "tests/gui/banc_gui.h"

TEST_F(GuiTest, StartupShowsTitledWindowWithViewsAtTheirOrigin) {
  EXPECT_TRUE(f().fenetre->shown());
  EXPECT_STREQ(f().fenetre->label(), "tamrix");
  EXPECT_EQ(f().fenetre->w(), 645);
  EXPECT_EQ(f().fenetre->h(), 695);
  EXPECT_EQ(fl_get_slider_value(f().ascenseur_dump), 0);
  EXPECT_EQ(texte(sim->lignes_dump[0]), "   0 ff ff ff ff ff ff ff ff");
  EXPECT_EQ(texte(sim->lignes_dump[11]), "  58 ff ff ff ff ff ff ff ff");
  EXPECT_EQ(texte(sim->lignes_desa[0]).rfind("-> b600 ", 0), 0u);
  EXPECT_EQ(sim->lignes_desa[0]->color(), 174u);
}

TEST(Demarrage, FreshSimulatorIsTheChipWithItsPortsAtReset) {
  simulateur* s = nouveau_simulateur({"tamrix"});
  EXPECT_TRUE(s->simulation.e9());
  // Data and direction registers at their reset values, inputs low.
  for (unsigned short a :
       {0x1000, 0x1003, 0x1004, 0x1007, 0x1008, 0x1009, 0x100A})
    EXPECT_EQ(s->memoire.consulte(a), 0) << std::hex << a;
  EXPECT_EQ(s->memoire.consulte(0x1039), 0x10);  // OPTION
  for (portparallele* p :
       {&s->port_A, &s->port_B, &s->port_C, &s->port_D, &s->port_E}) {
    EXPECT_EQ(p->valeur, 0);
    EXPECT_EQ(texte(p->aff_valeur), "00000000");
  }
  EXPECT_EQ(texte(s->forme_sim->aff_PC), "46592");
  EXPECT_STREQ(fl_get_input(s->forme_sim->saisie_PC), "   b600");
  delete s;
}

TEST_F(GuiTest, MenusHoldTheirItemsVerbatim) {
  const struct {
    Fl_Menu_Button* menu;
    std::vector<std::string> articles;
  } cas[] = {
      {f().menu_fichier,
       {"A propos de...", "Ouvrir fichier s19", "Recharger", "Voir le source",
        "Quitter"}},
      {f().menu_options,
       {"Adresse de  Base...", "Interruptions...", "Ports...",
        "Affichage des Registres...", "Sauver les options", "Terminal SCI...",
        "Effacer l'EEPROM", "Chronogramme..."}},
  };
  for (const auto& c : cas) {
    ASSERT_EQ(c.menu->size(), static_cast<int>(c.articles.size()) + 1);
    for (size_t i = 0; i < c.articles.size(); ++i)
      EXPECT_EQ(c.menu->text(static_cast<int>(i)), c.articles[i]);
  }
}

TEST_F(GuiTest, PortPanelsLandWhereTheyArePlaced) {
  const struct {
    portparallele* port;
    int x;
    bool ddr;
  } cas[] = {{&sim->port_A, 60, false},
             {&sim->port_B, 170, false},
             {&sim->port_C, 280, true},
             {&sim->port_D, 390, true},
             {&sim->port_E, 500, false}};
  for (const auto& c : cas) {
    EXPECT_EQ(c.port->aff_valeur->x(), c.x);
    EXPECT_EQ(c.port->aff_valeur->y(), 220);
    EXPECT_EQ(c.port->aff_valeur->parent(), f().fenetre);
    for (int i = 0; i < 8; ++i) {
      EXPECT_EQ(c.port->boutons[i]->x(), c.x + 91 - 13 * i);
      EXPECT_EQ(c.port->boutons[i]->y(), 240);
      EXPECT_EQ(c.port->boutons[i]->w(), 12);
      EXPECT_EQ(c.port->boutons[i]->box(), FL_EMBOSSED_BOX);
    }
    if (c.ddr) {
      EXPECT_EQ(c.port->aff_ddr->x(), c.x);
      EXPECT_EQ(c.port->aff_ddr->y(), 290);
    }
    EXPECT_EQ(c.port->aff_ddr != nullptr, c.ddr);
  }
  // The form's own widgets were not moved by the panels' fl_end_form.
  EXPECT_EQ(f().bouton_pas->y(), 360);
  EXPECT_EQ(f().ligne_dump_11->y(), 650);
}

TEST_F(GuiTest, InertWidgetsOnlyReloadRegistersAndPorts) {
  tape(f().saisie_A, "3c");
  sim->memoire.write_byte(0x100A, 0x99);
  for (Fl_Widget* w : {static_cast<Fl_Widget*>(f().menu_options),
                       static_cast<Fl_Widget*>(f().bouton_aide),
                       static_cast<Fl_Widget*>(f().bouton_carre),
                       static_cast<Fl_Widget*>(f().bouton_fleche)}) {
    EXPECT_EQ(active(*sim, w), 0);
  }
  EXPECT_EQ(sim->processeur.A_value(), 0x3C);
  // The edited register shows at once in its display.
  EXPECT_EQ(texte(f().aff_A), "00111100");
  EXPECT_EQ(sim->memoire.read_byte(0x100A), 0);
}
