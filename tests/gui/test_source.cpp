// Source-level debugging in the window, on programs the GNU tools assemble
// here and on Motorola-syntax sources: opening .s, .asm and .elf files, the
// entry point, labels and branch targets in the disassembly, the source view,
// labels in the fields, the assembler's messages and Recharger.
#include <FL/Fl.H>
#include <FL/Fl_Box.H>
#include <FL/Fl_Browser.H>
#include <FL/Fl_Double_Window.H>
#include <FL/Fl_Input.H>
#include <FL/Fl_Menu_Button.H>
#include <sys/stat.h>

#include <cstdlib>
#include <fstream>
#include <sstream>

#include "tests/gui/banc_gui.h"
#include "ui/fenetres_source.h"

// After the test headers: X11 defines None.
#include <FL/x.H>

namespace {

// Lines 1 to 17; addresses worked out by hand from the data book's sizes.
const char* const programme_somme =
    "; Adds a table of four bytes, stores the sum through a subroutine.\n"
    "resultat = 0x40\n"
    "        .text\n"
    "        .globl _start\n"
    "_start: ldx   #table\n"       // 5  b600
    "        clra\n"               // 6  b603
    "        ldab  #4\n"           // 7  b604
    "ajoute: adda  0,x\n"          // 8  b606
    "        inx\n"                // 9  b608
    "        decb\n"               // 10 b609
    "        bne   ajoute\n"       // 11 b60a
    "        jsr   affiche\n"      // 12 b60c
    "fin:    bra   fin\n"          // 13 b60f
    "affiche:\n"                   // 14
    "        staa  *resultat\n"    // 15 b611
    "        rts\n"                // 16 b613
    "table:  .byte 1, 2, 3, 4\n";  // 17 b614

// Runs a shell command; the test fails when it does not succeed.
void commande(const std::string& texte) {
  ASSERT_EQ(std::system(texte.c_str()), 0) << texte;
}

// `source` written as gui_NOM.s, assembled with -g and linked as the
// window links a source: the .s path; the .elf and .s19 beside it.
std::string ecrit_programme(const std::string& nom, const std::string& source) {
  const std::string s = fichier_temporaire(nom + ".s", source);
  commande("m68hc11-as -g -o '" + s + ".o' '" + s +
           "' && m68hc11-ld -Ttext 0xb600 --section-start=.vecteurs=0xffd6 "
           "-e _start -o '" +
           s + ".elf' '" + s + ".o' && m68hc11-objcopy -O srec '" + s +
           ".elf' '" + s + ".s19'");
  return s;
}

// Chooses a "Fichier" item by its text, the chooser answering `chemin`.
int fichier(simulateur& sim, const char* article, const std::string& chemin) {
  fichier_choisi = chemin.c_str();
  Fl_Menu_Button* menu = sim.forme_sim->menu_fichier;
  menu->value(menu->find_index(article));
  return active(sim, menu);
}

fenetre_source_class& vue(simulateur& sim) { return *sim.debogueur.source; }

// Clicks a row of the source view.
void clique_ligne(simulateur& sim, int ligne) {
  vue(sim).lignes->select(ligne);
  active(sim, vue(sim).lignes);
}

std::vector<std::string> lignes_assemblage(simulateur& sim) {
  std::vector<std::string> lignes;
  Fl_Browser* b = sim.debogueur.assemblage->lignes;
  for (int i = 1; i <= b->size(); ++i) lignes.push_back(b->text(i));
  return lignes;
}

// The index of the first line holding `texte`; the size when none does.
std::size_t cherche(const std::vector<std::string>& lignes,
                    const std::string& texte) {
  std::size_t i = 0;
  while (i < lignes.size() && lignes[i].find(texte) == std::string::npos) ++i;
  return i;
}

// The disassembly line showing `adresse`; 12 when none does.
int ligne_desa(simulateur& sim, unsigned short adresse) {
  int i = 0;
  while (i < 12 && sim.controle_execution.adresse_ligne(i) != adresse) ++i;
  return i;
}

std::string hexa(unsigned v) {
  char t[8];
  std::snprintf(t, sizeof t, "%x", v);
  return t;
}

}  // namespace

TEST_F(GuiTest, DisassemblyShowsLabelsAndBranchTargets) {
  const std::string s = ecrit_programme("annote", programme_somme);
  const struct {
    const char* forme;
    unsigned short adresse;
    const char* etiquette;  // on the line
    const char* cible;      // after the instruction, "" for none
  } cas[] = {
      {".s", 0xB600, "_start", ""},  {".s", 0xB603, "", ""},
      {".s", 0xB606, "ajoute", ""},  {".s", 0xB60A, "", "ajoute"},
      {".s", 0xB60C, "", "affiche"}, {".s", 0xB60F, "fin", "fin"},
      {".s", 0xB611, "affiche", ""}, {".s.elf", 0xB60A, "", "ajoute"},
      {".s.s19", 0xB606, "", ""},    {".s.s19", 0xB60A, "", "b606"},
      {".s.s19", 0xB60C, "", ""},    {".s.s19", 0xB60F, "", "b60f"},
  };
  std::string charge;
  for (const auto& c : cas) {
    SCOPED_TRACE(std::string(c.forme) + " " + hexa(c.adresse));
    if (charge != c.forme) {
      ASSERT_EQ(fichier(*sim, "Ouvrir fichier s19",
                        s.substr(0, s.size() - 2) + c.forme),
                0);
      ASSERT_TRUE(alertes_vues.empty());
      charge = c.forme;
    }
    ASSERT_EQ(sim->processeur.PC_value(), 0xB600);
    const int i = ligne_desa(*sim, c.adresse);
    ASSERT_LT(i, 12);
    std::string attendu =
        (c.adresse == 0xB600 ? "-> " : "   ") + hexa(c.adresse) + " " +
        (*c.etiquette ? std::string(c.etiquette) + ": " : "") +
        instruction(*sim, c.adresse) +
        (*c.cible ? std::string("  -> ") + c.cible : "");
    EXPECT_EQ(texte(sim->lignes_desa[i]), attendu);
  }
}

TEST_F(GuiTest, OpenedProgramStartsAtItsEntryUnlessAResetVectorIsLoaded) {
  // _start after two bytes of data; the second also fills the reset vector.
  const std::string debut = ecrit_programme(
      "entree",
      "        .text\ntable:  .byte 1, 2\n        .globl _start\n"
      "_start: ldaa  #1\n        bra   _start\n");
  std::string vecteurs = "        .section .vecteurs,\"a\"\n";
  for (int i = 0; i < 20; ++i) vecteurs += "        .word 0xffff\n";
  const std::string avec_vecteur =
      ecrit_programme("vecteur",
                      "        .text\n        .globl _start\n_start: ldaa #1\n"
                      "autre:  ldab #2\n        bra autre\n" +
                          vecteurs + "        .word autre\n");
  const struct {
    std::string chemin;
    modele_machine modele;
    unsigned short pc;
  } cas[] = {
      {debut, modele_machine::plat, 0xB602},
      {debut + ".elf", modele_machine::plat, 0xB602},
      {debut, modele_machine::e9, 0xB602},
      {debut + ".s19", modele_machine::e9, 0xB600},  // no entry point
      {avec_vecteur, modele_machine::e9, 0xB602},    // autre, from $fffe
      {avec_vecteur, modele_machine::plat, 0xB600},  // no vectors: _start
  };
  for (const auto& c : cas) {
    SCOPED_TRACE(c.chemin + (c.modele == modele_machine::e9 ? " e9" : " plat"));
    sim->debogueur.oublie();
    sim->change_modele(c.modele);
    sim->memoire.ecrit_brut(0xFFFE, 0xFF);
    sim->memoire.ecrit_brut(0xFFFF, 0xFF);
    ASSERT_EQ(fichier(*sim, "Ouvrir fichier s19", c.chemin), 0);
    EXPECT_TRUE(alertes_vues.empty());
    EXPECT_EQ(sim->processeur.PC_value(), c.pc);
    // The reset button restarts it at the same place.
    sim->processeur.set_PC_value(0x1234);
    sim->sauve_registres();
    active(*sim, f().bouton_init);
    EXPECT_EQ(sim->processeur.PC_value(), c.pc);
  }
}

TEST_F(GuiTest, SourceViewFollowsThePcAndSetsBreakpoints) {
  const std::string s = ecrit_programme("vue", programme_somme);
  ASSERT_EQ(fichier(*sim, "Ouvrir fichier s19", s), 0);
  fenetre_source_class& v = vue(*sim);
  ASSERT_TRUE(v.fenetre->shown()) << "opens by itself after a .s";
  EXPECT_EQ(std::string(v.fenetre->label()), "Source : gui_vue.s");
  EXPECT_EQ(v.lignes->size(), 17);
  // Steps: the PC's line, highlighted, and nothing else.
  const int lignes_pc[] = {5, 6, 7, 8, 9, 10, 11, 8};
  for (int n = 0; n < 8; ++n) {
    if (n > 0) active(*sim, f().bouton_pas);
    EXPECT_EQ(sim->debogueur.ligne_pc_source(), lignes_pc[n]) << n;
    for (int l = 1; l <= 17; ++l) {
      const std::string rangee = v.lignes->text(l);
      EXPECT_EQ(rangee.find("@B174") != std::string::npos, l == lignes_pc[n])
          << rangee;
    }
  }
  // Clicks: the first address of a line with code, nothing on the others.
  const struct {
    int ligne;
    int adresse;  // -1: no code
  } clics[] = {{12, 0xB60C}, {15, 0xB611}, {1, -1}, {14, -1}, {3, -1}};
  for (const auto& c : clics) {
    clique_ligne(*sim, c.ligne);
    if (c.adresse >= 0) {
      EXPECT_TRUE(sim->controle_execution.point_arret(c.adresse)) << c.ligne;
      EXPECT_NE(std::string(v.lignes->text(c.ligne)).find("@C1"),
                std::string::npos);
    } else {
      EXPECT_NE(std::string(v.etat->label()).find("pas de code"),
                std::string::npos);
    }
  }
  int marques = 0;
  for (unsigned a = 0; a < 0x10000; ++a)
    marques += sim->controle_execution.point_arret(a);
  EXPECT_EQ(marques, 2);
  // The disassembly shows the breakpoint set from the source.
  int i = ligne_desa(*sim, 0xB60C);
  ASSERT_LT(i, 12);
  EXPECT_EQ(sim->lignes_desa[i]->labelcolor(), FL_RED);
  // A run stops there and the view follows.
  active(*sim, f().bouton_fleche);
  sim->controle_execution.tranche(2.0);
  EXPECT_EQ(sim->controle_execution.derniere_raison(),
            raison_arret::point_arret);
  EXPECT_EQ(sim->debogueur.ligne_pc_source(), 12);
  // A second click clears it; a disassembly click shows in the source.
  clique_ligne(*sim, 12);
  EXPECT_FALSE(sim->controle_execution.point_arret(0xB60C));
  EXPECT_EQ(std::string(v.lignes->text(12)).find("@C1"), std::string::npos);
  i = ligne_desa(*sim, 0xB613);
  ASSERT_LT(i, 12);
  active(*sim, sim->controle_execution.zones_lignes[i]);
  EXPECT_NE(std::string(v.lignes->text(16)).find("@C1"), std::string::npos);
}

TEST_F(GuiTest, FieldsTakeLabelsAndExpressions) {
  const std::string s = ecrit_programme("champs", programme_somme);
  ASSERT_EQ(fichier(*sim, "Ouvrir fichier s19", s), 0);
  enum champ { pc, x, a, remplissage, debut_dump };
  const struct {
    champ ou;
    const char* texte;
    unsigned attendu;   // the register, the cell filled or the dump's
    const char* refus;  // the alert or the state line, "" for none
  } cas[] = {
      {pc, "affiche", 0xB611, ""},
      {x, "table+2", 0xB616, ""},
      {a, "resultat", 0x40, ""},
      {pc, "b600", 0xB600, ""},  // a bare number stays hexadecimal
      {pc, "affichee", 0xB600,
       "PC : etiquette inconnue : affichee ; PC inchangé."},
      {a, "table", 0,
       "A : table vaut b614, ne tient pas sur 8 bits ; A inchangé."},
      {remplissage, "resultat+1", 0x41, ""},
      {remplissage, "table", 0xB614, ""},
      {remplissage, "tabel", 0,
       "Adresse invalide|tabel|etiquette inconnue : tabel"},
      {debut_dump, "table", 0xB610, ""},
      {debut_dump, "0", 0x0000, ""},
      {debut_dump, "fin+$20", 0xB628, ""},
      {debut_dump, "fni", 0, "Adresse invalide|fni|etiquette inconnue : fni"},
  };
  for (const auto& c : cas) {
    SCOPED_TRACE(c.texte);
    alertes_vues.clear();
    sim->affiche_etat("");
    sim->processeur.set_PC_value(0xB600);
    sim->sauve_registres();
    Fl_Input* saisies[] = {f().saisie_PC, f().saisie_X, f().saisie_A,
                           f().saisie_adresse,
                           sim->debogueur.saisie_debut_dump};
    tape(saisies[c.ou], c.texte);
    if (c.ou == remplissage) {
      tape(f().saisie_valeur, "$5a");
      tape(f().saisie_nombre, "1");
      active(*sim, f().bouton_remplir);
    } else {
      active(*sim, c.ou == debut_dump ? static_cast<Fl_Widget*>(saisies[c.ou])
                                      : f().ascenseur_dump);
    }
    const std::string refus =
        alertes_vues.empty() ? texte(sim->ligne_etat) : alertes_vues[0];
    EXPECT_EQ(refus, c.refus);
    if (*c.refus && c.ou != pc) continue;
    switch (c.ou) {
      case pc:
        EXPECT_EQ(sim->processeur.PC_value(), c.attendu);
        break;
      case x:
        EXPECT_EQ(sim->processeur.X_value(), c.attendu);
        break;
      case a:
        EXPECT_EQ(sim->processeur.A_value(), c.attendu);
        break;
      case remplissage:
        EXPECT_EQ(sim->memoire.read_byte(c.attendu), 0x5A);
        break;
      case debut_dump:
        EXPECT_EQ(
            std::stoul(texte(sim->lignes_dump[0]).substr(0, 4), nullptr, 16),
            c.attendu);
        break;
    }
  }
}

TEST_F(GuiTest, FailedAssemblyShowsTheAssemblersLinesAndLoadsNothing) {
  const std::string faux = fichier_temporaire(
      "faux.s",
      "        .text\n_start: ldaa #1\n        ldaa #0x12,,\n"
      "        bra _start\n");
  const std::string bon = ecrit_programme("bon", programme_somme);
  const struct {
    std::string chemin;
    const char* path;   // PATH while it is opened; null: unchanged
    const char* ligne;  // in the window and on the standard error stream
  } cas[] = {
      {faux, nullptr, "gui_faux.s:3: Error:"},
      {bon, "/nonexistent",
       "m68hc11-as introuvable : installez le paquet Debian binutils-m68hc1x"},
  };
  const std::string path = std::getenv("PATH");
  for (const auto& c : cas) {
    SCOPED_TRACE(c.ligne);
    sim->memoire.write_byte(0xB600, 0x01);
    if (c.path) setenv("PATH", c.path, 1);
    testing::internal::CaptureStderr();
    EXPECT_EQ(fichier(*sim, "Ouvrir fichier s19", c.chemin), 0);
    const std::string erreurs = testing::internal::GetCapturedStderr();
    setenv("PATH", path.c_str(), 1);
    EXPECT_NE(erreurs.find(c.ligne), std::string::npos) << erreurs;
    ASSERT_TRUE(sim->debogueur.assemblage->fenetre->shown());
    const std::vector<std::string> lignes = lignes_assemblage(*sim);
    EXPECT_LT(cherche(lignes, c.ligne), lignes.size());
    EXPECT_TRUE(alertes_vues.empty());
    EXPECT_EQ(sim->memoire.read_byte(0xB600), 0x01);
    EXPECT_TRUE(sim->debogueur.chemin().empty());
    active(*sim, sim->debogueur.assemblage->bouton_fermer);
    EXPECT_FALSE(sim->debogueur.assemblage->fenetre->shown());
  }
  // Under an error, the line of the source it names.
  fichier(*sim, "Ouvrir fichier s19", faux);
  const std::vector<std::string> lignes = lignes_assemblage(*sim);
  const std::size_t erreur = cherche(lignes, "gui_faux.s:3: Error:");
  ASSERT_LT(erreur + 1, lignes.size());
  EXPECT_NE(lignes[erreur + 1].find("     3 |         ldaa #0x12,,"),
            std::string::npos)
      << lignes[erreur + 1];
}

// The assembler waits on a FIFO it includes: the window's events go on,
// the progress window names the tool, "Annuler" stops it, nothing loads.
TEST_F(GuiTest, AssemblingKeepsTheWindowLiveAndCanBeCancelled) {
  const std::string tube = fichier_temporaire("tube_inclus", "");
  std::remove(tube.c_str());
  ASSERT_EQ(0, ::mkfifo(tube.c_str(), 0600));
  const std::string source = fichier_temporaire(
      "attend.s", "_start: bra _start\n.include \"" + tube + "\"\n");
  static std::string vu;
  vu.clear();
  Fl::add_timeout(
      0.5,
      [](void* d) {
        fenetre_progres_class& p = *static_cast<fenetre_progres_class*>(d);
        vu = p.fenetre->shown() ? texte(p.ligne) : "";
        p.bouton_annuler->do_callback();
      },
      sim->debogueur.progres);
  sim->memoire.write_byte(0xB600, 0x01);
  testing::internal::CaptureStderr();
  EXPECT_EQ(0, fichier(*sim, "Ouvrir fichier s19", source));
  testing::internal::GetCapturedStderr();
  EXPECT_NE(std::string::npos, vu.find("attend.s : m68hc11-as en cours")) << vu;
  EXPECT_FALSE(sim->debogueur.progres->fenetre->shown());
  const std::vector<std::string> lignes = lignes_assemblage(*sim);
  EXPECT_LT(cherche(lignes, "assemblage annulé"), lignes.size());
  EXPECT_EQ(0x01, sim->memoire.read_byte(0xB600));
  active(*sim, sim->debogueur.assemblage->bouton_fermer);
  std::remove(tube.c_str());
}

TEST_F(GuiTest, ReloadKeepsTheBreakpointsStillOnInstructions) {
  const std::string s = ecrit_programme("recharge", programme_somme);
  ASSERT_EQ(fichier(*sim, "Ouvrir fichier s19", s), 0);
  // One byte more in front: every instruction moves up by one.
  const struct {
    unsigned short adresse;
    bool garde;
  } cas[] = {
      {0xB600, true},   // ldx, then the new nop
      {0xB603, false},  // clra, then inside ldx
      {0xB604, true},   // ldab, then clra
      {0xB608, false},  // inx, then inside adda
      {0xB60A, true},   // bne, then decb
      {0xB614, true},   // table, then the last rts
  };
  for (const auto& c : cas)
    sim->controle_execution.bascule_point_arret(c.adresse);
  std::string modifie = programme_somme;
  modifie.insert(modifie.find("_start:") + 7, " nop\n       ");
  std::ofstream(s) << modifie;
  active(*sim, f().bouton_pas);
  ASSERT_EQ(fichier(*sim, "Recharger", ""), 0);
  EXPECT_TRUE(alertes_vues.empty());
  EXPECT_EQ(sim->processeur.PC_value(), 0xB600);
  EXPECT_EQ(sim->memoire.read_byte(0xB600), 0x01);  // the nop
  EXPECT_EQ(vue(*sim).lignes->size(), 18);
  for (const auto& c : cas)
    EXPECT_EQ(sim->controle_execution.point_arret(c.adresse), c.garde)
        << hexa(c.adresse);
  // A reload that fails keeps the program and its breakpoints.
  std::ofstream(s) << "        ldaa #0x12,,\n";
  EXPECT_EQ(fichier(*sim, "Recharger", ""), 0);
  EXPECT_TRUE(sim->debogueur.assemblage->fenetre->shown());
  EXPECT_EQ(sim->memoire.read_byte(0xB600), 0x01);
  EXPECT_TRUE(sim->controle_execution.point_arret(0xB604));
  EXPECT_NE(sim->debogueur.infos().cherche("ajoute"), nullptr);
}

TEST_F(GuiTest, MotorolaSourceOpensWithItsLinesAndMessages) {
  // Addresses by hand from the data book: CLR ext and INC ext 3 bytes each.
  const char* const compte =
      "* compte sur le port B\n"  // 1
      "PORTB   EQU   $1004\n"     // 2
      "        ORG   $B600\n"     // 3
      "DEBUT   CLR   PORTB\n"     // 4 b600
      "BOUCLE  INC   PORTB\n"     // 5 b603
      "        BRA   BOUCLE\n";   // 6 b606
  const std::string a = fichier_temporaire("compte.asm", compte);
  ASSERT_EQ(fichier(*sim, "Ouvrir fichier s19", a), 0);
  EXPECT_EQ(sim->processeur.PC_value(), 0xB600);
  EXPECT_EQ(sim->memoire.read_byte(0xB603), 0x7C);
  EXPECT_TRUE(vue(*sim).fenetre->shown());
  EXPECT_FALSE(sim->debogueur.assemblage->fenetre->shown());
  ASSERT_NE(sim->debogueur.infos().cherche("BOUCLE"), nullptr);
  EXPECT_EQ(sim->debogueur.infos().cherche("BOUCLE")->valeur, 0xB603);
  clique_ligne(*sim, 5);
  EXPECT_TRUE(sim->controle_execution.point_arret(0xB603));
  clique_ligne(*sim, 5);

  // An error: the lines in the window, nothing loaded.
  std::ofstream(a) << std::string(compte) + "        BRA   BOUCEL\n";
  EXPECT_EQ(fichier(*sim, "Recharger", ""), 0);
  EXPECT_TRUE(sim->debogueur.assemblage->fenetre->shown());
  EXPECT_EQ(
      lignes_assemblage(*sim),
      (std::vector<std::string>{"@." + a + ":7: symbole inconnu « BOUCEL »",
                                "@C136@.     7 |         BRA   BOUCEL"}));
  EXPECT_EQ(sim->memoire.read_byte(0xB608), 0xFF);
  // A warning: shown, the program loaded.
  std::ofstream(a) << std::string(compte) + "        LDAA  V\nV EQU $20\n";
  EXPECT_EQ(fichier(*sim, "Recharger", ""), 0);
  EXPECT_EQ(sim->memoire.read_byte(0xB608), 0xB6);
  EXPECT_TRUE(sim->debogueur.assemblage->fenetre->shown());
  EXPECT_EQ(std::string(sim->debogueur.assemblage->titre->label()),
            "gui_compte.asm : programme chargé, avec des avertissements");
}

TEST_F(GuiTest, ChooserShowsEveryFormAndRefusedElfSaysWhy) {
  const std::string faux = fichier_temporaire("faux.elf", "pas un ELF\n");
  EXPECT_EQ(fichier(*sim, "Ouvrir fichier s19", faux), 0);
  ASSERT_EQ(alertes_vues.size(), 1u);
  EXPECT_EQ(
      alertes_vues[0],
      "Erreur en lisant le fichier!|" + faux +
          " : fichier ELF refuse : pas un fichier ELF|Rien n'est chargé : "
          "la mémoire n'a pas changé.");
  const struct {
    const char* nom;
    bool montre;
  } noms[] = {{"a.s19", true},  {"b.elf", true}, {"c.s", true},
              {"d.txt", false}, {"e.o", false},  {"f.s.o", false},
              {"g.asm", true},  {"h.a11", true}, {"i.asm.o", false}};
  for (const auto& n : noms)
    EXPECT_EQ(fl_filename_match(n.nom, motif_selecteur.c_str()) != 0, n.montre)
        << n.nom;
}

TEST_F(GuiTest, FileMenuItemsAreFoundByTheirTextWhateverIsAdded) {
  const std::string s = ecrit_programme("menu", programme_somme);
  Fl_Menu_Button* menu = f().menu_fichier;
  menu->insert(0, "Article d'un autre", 0, nullptr);
  menu->insert(3, "Encore un", 0, nullptr);
  EXPECT_EQ(fichier(*sim, "Article d'un autre", ""), 0);
  EXPECT_EQ(fichier(*sim, "Ouvrir fichier s19", s), 0);
  EXPECT_EQ(sim->debogueur.chemin(), s);
  vue(*sim).fenetre->hide();
  EXPECT_EQ(fichier(*sim, "Voir le source", ""), 0);
  EXPECT_TRUE(vue(*sim).fenetre->shown());
  EXPECT_EQ(fichier(*sim, "Quitter", ""), 1);
  menu->remove(menu->find_index("Encore un"));
  menu->remove(menu->find_index("Article d'un autre"));
  EXPECT_EQ(std::string(menu->text(menu->size() - 2)), "Quitter");
}

TEST(LigneDeCommande, SourceNamedOnTheCommandLineIsAssembledAndShown) {
  const std::string s = ecrit_programme("commande", programme_somme);
  alertes_vues.clear();
  simulateur* autre = nouveau_simulateur({"tamrix", s});
  EXPECT_TRUE(alertes_vues.empty());
  EXPECT_EQ(texte(autre->lignes_desa[0]),
            "-> b600 _start: " + instruction(*autre, 0xB600));
  EXPECT_TRUE(autre->debogueur.source->fenetre->shown());
  autre->debogueur.oublie();
  delete autre;
}

TEST_F(GuiTest, ScreenshotOfTheSourceView) {
  const std::string s = ecrit_programme("capture", programme_somme);
  ASSERT_EQ(fichier(*sim, "Ouvrir fichier s19", s), 0);
  clique_ligne(*sim, 12);
  for (int i = 0; i < 5; ++i) active(*sim, f().bouton_pas);
  Fl_Double_Window* fenetre = vue(*sim).fenetre;
  fenetre->redraw();
  Fl::flush();
  XSync(fl_display, False);
  for (int i = 0; i < 20; ++i) Fl::wait(0.01);
  const std::string png = TAMRIX_BINARY_DIR "/source.png";
  std::ostringstream capture;
  capture << "import -window 0x" << std::hex << fl_xid(fenetre) << " " << png;
  ASSERT_EQ(std::system(capture.str().c_str()), 0);
  std::ifstream image(png, std::ios::binary);
  char signature[4] = {};
  image.read(signature, 4);
  EXPECT_EQ(std::string(signature + 1, 3), "PNG");
}
