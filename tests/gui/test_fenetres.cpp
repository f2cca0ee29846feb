// The About window and the six auxiliary windows, built for real (and shown
// under Xvfb where a display is needed).

#include <FL/Fl.H>
#include <FL/Fl_Box.H>
#include <FL/Fl_Browser.H>
#include <FL/Fl_Button.H>
#include <FL/Fl_Check_Button.H>
#include <FL/Fl_Double_Window.H>
#include <FL/Fl_Input.H>
#include <FL/Fl_Menu_Button.H>
#include <gtest/gtest.h>
// Xlib's macros come after GoogleTest, whose names they would clash with.
#include <FL/fl_draw.H>

#include <algorithm>
#include <cstring>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "ui/auxiliaires.h"
#include "ui/form_about.h"
#include "ui/sim_class.h"

namespace {

std::vector<Fl_Widget*> enfants(Fl_Double_Window* w) {
  std::vector<Fl_Widget*> liste;
  for (int i = 0; i < w->children(); ++i) liste.push_back(w->child(i));
  return liste;
}

std::string texte(const Fl_Widget* w) { return w->label() ? w->label() : ""; }

struct rectangle {
  int x, y, w, h;
  bool operator==(const rectangle& o) const {
    return x == o.x && y == o.y && w == o.w && h == o.h;
  }
};

rectangle cadre(const Fl_Widget* w) { return {w->x(), w->y(), w->w(), w->h()}; }

std::ostream& operator<<(std::ostream& os, const rectangle& r) {
  return os << r.x << "," << r.y << "," << r.w << "x" << r.h;
}

bool se_chevauchent(const rectangle& a, const rectangle& b) {
  return a.x < b.x + b.w && b.x < a.x + a.w && a.y < b.y + b.h &&
         b.y < a.y + a.h;
}

bool contient(const rectangle& ext, const rectangle& in) {
  return in.x >= ext.x && in.y >= ext.y && in.x + in.w <= ext.x + ext.w &&
         in.y + in.h <= ext.y + ext.h;
}

// The first child whose label is the text given, or null.
Fl_Widget* par_texte(Fl_Double_Window* w, const std::string& t) {
  for (Fl_Widget* e : enfants(w))
    if (texte(e) == t) return e;
  return nullptr;
}

struct fenetre_attendue {
  const char* titre;
  int w, h, nb_widgets;
  std::function<std::pair<Fl_Double_Window*, void*>()> construit;
};

template <class F>
std::pair<Fl_Double_Window*, void*> construit() {
  F* f = new F;
  return {f->fenetre, f};
}

// Counts worked out from the window layouts: e.g. the timing diagram has a
// background, 40 names, 60 direction marks, 37 selection buttons, the area,
// five buttons, two titles and two inputs.
const fenetre_attendue fenetres[] = {
    {"form_about", 435, 380, 16, construit<form_about_class>},
    {"pref_affichage", 500, 370, 19, construit<pref_affichage_class>},
    {"aff_composant", 710, 465, 162, construit<aff_composant_class>},
    {"aide", 610, 480, 3, construit<aide_class>},
    {"Chronogramme", 850, 600, 148, construit<Chronogramme_class>},
    {"Cycles", 380, 150, 4, construit<Cycles_class>},
    {"convert", 500, 190, 14, construit<convert_class>},
};

TEST(Fenetres, TitreTailleFondEtNombreDeWidgets) {
  for (const fenetre_attendue& attendu : fenetres) {
    SCOPED_TRACE(attendu.titre);
    auto [fenetre, forme] = attendu.construit();
    ASSERT_NE(fenetre, nullptr);
    EXPECT_STREQ(fenetre->label(), attendu.titre);
    EXPECT_EQ(fenetre->w(), attendu.w);
    EXPECT_EQ(fenetre->h(), attendu.h);
    EXPECT_EQ(fenetre->box(), FL_NO_BOX);
    EXPECT_EQ(fenetre->user_data(), forme);
    EXPECT_EQ(fenetre->children(), attendu.nb_widgets);
    EXPECT_FALSE(fenetre->shown());
    EXPECT_NE(Fl_Group::current(), fenetre) << "group left open";
    // The raised background comes first and covers the whole window.
    Fl_Widget* fond = fenetre->child(0);
    EXPECT_EQ(fond->box(), FL_UP_BOX);
    EXPECT_GE(fond->w(), attendu.w);
    EXPECT_GE(fond->h(), attendu.h);
    EXPECT_EQ(fond->x(), 0);
    EXPECT_EQ(fond->y(), 0);
  }
}

TEST(Fenetres, ChacuneSAfficheEtSeCacheSousX) {
  for (const fenetre_attendue& attendu : fenetres) {
    SCOPED_TRACE(attendu.titre);
    Fl_Double_Window* fenetre = attendu.construit().first;
    fenetre->show();
    for (int i = 0; i < 5; ++i) Fl::check();
    EXPECT_TRUE(fenetre->shown());
    EXPECT_TRUE(fenetre->visible());
    EXPECT_EQ(fenetre->w(), attendu.w);
    EXPECT_EQ(fenetre->h(), attendu.h);
    fenetre->hide();
    Fl::check();
    EXPECT_FALSE(fenetre->visible());
  }
}

// ---- About window ----

struct ligne_about {
  int index;
  rectangle r;
  Fl_Align alignement;
  const char* attendu;  // null for a credit line checked separately
};

TEST(FenetreAbout, TitreDescriptionEtBouton) {
  form_about_class about;
  auto w = enfants(about.fenetre);
  EXPECT_EQ(cadre(w[0]), (rectangle{0, 0, 438, 384}));
  EXPECT_EQ(w[1]->box(), FL_ENGRAVED_FRAME);
  EXPECT_EQ(cadre(w[1]), (rectangle{21, 21, 399, 348}));
  EXPECT_EQ(texte(w[2]), "tamrix");
  EXPECT_EQ(w[2]->labelfont(), FL_TIMES_BOLD);
  EXPECT_EQ(w[2]->labelsize(), 20);
  EXPECT_EQ(cadre(w[2]), (rectangle{21, 30, 399, 21}));
  EXPECT_EQ(texte(w[3]), "Simulateur de microcontroleur 68HC711E9");
  EXPECT_EQ(cadre(w[3]), (rectangle{40, 60, 340, 20}));
  EXPECT_EQ(w[3]->labelfont(), FL_TIMES);
  Fl_Button* ok = dynamic_cast<Fl_Button*>(w[7]);
  ASSERT_NE(ok, nullptr);
  EXPECT_EQ(texte(ok), "OK");
  EXPECT_EQ(cadre(ok), (rectangle{183, 333, 72, 24}));
  EXPECT_EQ(ok->labelfont(), FL_TIMES);
  EXPECT_EQ(ok->callback(), Fl_Widget::default_callback);
}

TEST(FenetreAbout, OnzeLignesDeCreditAuxBonnesPlaces) {
  form_about_class about;
  auto w = enfants(about.fenetre);
  // Widget index -> credit line shown there (line 3 is created before 2).
  const std::pair<int, int> places[] = {{4, 1},  {5, 3},   {6, 2},  {8, 4},
                                        {9, 5},  {10, 6},  {11, 7}, {12, 8},
                                        {13, 9}, {14, 10}, {15, 11}};
  const int y_ligne[12] = {0,   90,  110, 130, 150, 170,
                           190, 210, 230, 250, 270, 291};
  for (auto [index, ligne] : places) {
    SCOPED_TRACE(ligne);
    Fl_Widget* boite = w[index];
    EXPECT_EQ(texte(boite), lignes_credit[ligne - 1]);
    EXPECT_EQ(boite->y(), y_ligne[ligne]);
    EXPECT_EQ(boite->x(), 30);
    EXPECT_EQ(boite->h(), 20);
    EXPECT_EQ(boite->w(), ligne == 1 ? 385 : 380);
    EXPECT_EQ(boite->box(), FL_FLAT_BOX);
    EXPECT_EQ(boite->labelfont(), FL_TIMES);
    EXPECT_EQ(boite->selection_color(), 50u);
    EXPECT_EQ(boite->align(),
              ligne == 1 ? FL_ALIGN_LEFT | FL_ALIGN_INSIDE : FL_ALIGN_INSIDE);
  }
}

TEST(FenetreAbout, LesCreditsNommentLeProjetSonButSaLicenceEtSonAnnee) {
  std::string tout;
  for (const char* ligne : lignes_credit) {
    ASSERT_NE(ligne, nullptr);
    EXPECT_GT(std::strlen(ligne), 0u);
    tout += ligne;
    tout += '\n';
  }
  for (const char* mot : {"tamrix", "MC68HC11", "enseignement", "MIT", "2026"})
    EXPECT_NE(tout.find(mot), std::string::npos) << mot;
}

TEST(FenetreAbout, LesCreditsTiennentDansLeCadre) {
  form_about_class about;
  about.fenetre->show();
  Fl::check();
  about.fenetre->make_current();
  for (int i = 4; i < 16; ++i) {
    Fl_Widget* boite = about.fenetre->child(i);
    int lw = 0, lh = 0;
    boite->measure_label(lw, lh);
    EXPECT_LE(lw, 399) << texte(boite);  // the engraved frame's width
  }
  about.fenetre->hide();
}

TEST(FenetreAbout, DeuxInstancesDistinctesAuMemeContenu) {
  form_about_class premiere, seconde;
  ASSERT_NE(premiere.fenetre, seconde.fenetre);
  auto a = enfants(premiere.fenetre), b = enfants(seconde.fenetre);
  ASSERT_EQ(a.size(), b.size());
  for (size_t i = 0; i < a.size(); ++i) {
    EXPECT_NE(a[i], b[i]);
    EXPECT_EQ(texte(a[i]), texte(b[i]));
    EXPECT_EQ(cadre(a[i]), cadre(b[i]));
  }
  EXPECT_EQ(premiere.fenetre->user_data(), &premiere);
  EXPECT_EQ(seconde.fenetre->user_data(), &seconde);
}

// ---- Display preferences ----

TEST(FenetrePreferences, CasesACocherEnDeuxColonnes) {
  pref_affichage_class pref;
  const char* gauche[7] = {"A", "B", "CCR", "X", "Y", "PC", "SP"};
  const char* droite[7] = {"Afficher le port A",        "Afficher le port B",
                           "Afficher le port C",        "Afficher le port D",
                           "Afficher le port E",        "Tracage Temps Reel",
                           "Registres de configuration"};
  for (int i = 0; i < 7; ++i) {
    SCOPED_TRACE(i);
    Fl_Check_Button* g = pref.cases_registres[i];
    Fl_Check_Button* d = pref.cases_options[i];
    EXPECT_EQ(texte(g), std::string("Afficher le registre ") + gauche[i]);
    EXPECT_EQ(texte(d), droite[i]);
    EXPECT_EQ(cadre(g), (rectangle{30, 30 + 30 * i, 30, 30}));
    EXPECT_EQ(cadre(d), (rectangle{250, 30 + 30 * i, 30, 30}));
    for (Fl_Check_Button* c : {g, d}) {
      EXPECT_EQ(c->align(), FL_ALIGN_RIGHT);
      EXPECT_EQ(c->labelfont(), FL_TIMES);
      EXPECT_EQ(c->down_box(), FL_DOWN_BOX);
      EXPECT_EQ(c->selection_color(), FL_YELLOW);
      EXPECT_EQ(c->parent(), pref.fenetre);
    }
  }
  // Registers first, then the right column with port E created last.
  EXPECT_EQ(pref.fenetre->find(pref.cases_registres[0]), 3);
  EXPECT_EQ(pref.fenetre->find(pref.cases_options[4]), 16);
  EXPECT_EQ(pref.fenetre->find(pref.cases_options[6]), 15);
}

TEST(FenetrePreferences, CadreTitreNoteEtOK) {
  pref_affichage_class pref;
  Fl_Widget* titre = par_texte(pref.fenetre, "Preferences d'affichage");
  ASSERT_NE(titre, nullptr);
  EXPECT_EQ(cadre(titre), (rectangle{40, 10, 150, 20}));
  EXPECT_EQ(titre->align(), FL_ALIGN_LEFT | FL_ALIGN_INSIDE);
  EXPECT_EQ(pref.fenetre->child(1)->box(), FL_ENGRAVED_FRAME);
  EXPECT_EQ(cadre(pref.fenetre->child(1)), (rectangle{20, 20, 460, 290}));
  Fl_Widget* note = par_texte(
      pref.fenetre,
      "Le nombre de registres affiches conditionne la vitesse de l'emulation.");
  ASSERT_NE(note, nullptr);
  EXPECT_EQ(cadre(note), (rectangle{30, 250, 440, 50}));
  EXPECT_EQ(texte(pref.bouton_ok), "OK");
  EXPECT_EQ(cadre(pref.bouton_ok), (rectangle{200, 325, 60, 30}));
  EXPECT_EQ(pref.fenetre->child(pref.fenetre->children() - 1), pref.bouton_ok);
}

// ---- Package drawing ----

// Pin numbers on one edge, in reading order (left to right, top to bottom).
std::vector<std::string> lecture_bord(const aff_composant_class& c, bool ligne,
                                      int position) {
  std::vector<Fl_Box*> bord;
  for (Fl_Box* n : c.numeros)
    if ((ligne ? n->y() : n->x()) == position) bord.push_back(n);
  std::sort(bord.begin(), bord.end(), [ligne](Fl_Box* a, Fl_Box* b) {
    return ligne ? a->x() < b->x() : a->y() < b->y();
  });
  std::vector<std::string> textes;
  for (Fl_Box* n : bord) textes.push_back(texte(n));
  return textes;
}

std::vector<std::string> suite(std::initializer_list<int> broches) {
  std::vector<std::string> t;
  for (int b : broches) t.push_back(std::to_string(b));
  return t;
}

TEST(FenetreComposant, NumerosDesBrochesLeLongDesQuatreBords) {
  aff_composant_class c;
  EXPECT_EQ(lecture_bord(c, true, 60),
            suite({7, 6, 5, 4, 3, 2, 1, 52, 51, 50, 49, 48, 47}));
  EXPECT_EQ(lecture_bord(c, false, 51),
            suite({8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 20}));
  EXPECT_EQ(lecture_bord(c, true, 333),
            suite({21, 22, 23, 24, 25, 26, 27, 28, 29, 30, 31, 32, 33}));
  EXPECT_EQ(lecture_bord(c, false, 327),
            suite({46, 45, 44, 43, 42, 41, 40, 39, 38, 37, 36, 35, 34}));
  for (int b = 0; b < 52; ++b) {
    Fl_Box* n = c.numeros[b];
    EXPECT_EQ(texte(n), std::to_string(b + 1));
    EXPECT_TRUE(contient(cadre(c.boitier), cadre(n))) << b + 1;
    EXPECT_EQ(n->box(), FL_FLAT_BOX);
    EXPECT_EQ(n->color(), FL_INACTIVE_COLOR);
    EXPECT_EQ(n->labelsize(), 8);
    EXPECT_EQ(n->labelcolor(), FL_WHITE);
    EXPECT_EQ(n->align(), FL_ALIGN_INSIDE);
  }
}

TEST(FenetreComposant, BoitierCadreListeEtBouton) {
  aff_composant_class c;
  EXPECT_EQ(cadre(c.boitier), (rectangle{45, 48, 303, 306}));
  EXPECT_EQ(texte(c.boitier), "MC68HC11E9");
  EXPECT_EQ(c.boitier->box(), FL_UP_BOX);
  EXPECT_EQ(c.boitier->color(), FL_INACTIVE_COLOR);
  EXPECT_EQ(c.boitier->labelsize(), 32);
  Fl_Widget* fond = c.fenetre->child(0);
  EXPECT_EQ(cadre(fond), (rectangle{0, 0, 714, 468}));
  EXPECT_EQ(fond->color(), FL_LIGHT1);
  Fl_Widget* pins = par_texte(c.fenetre, "Broches");
  ASSERT_NE(pins, nullptr);
  EXPECT_EQ(cadre(pins), (rectangle{450, 20, 250, 390}));
  EXPECT_EQ(pins->box(), FL_ENGRAVED_FRAME);
  EXPECT_EQ(pins->color(), FL_BLACK);
  EXPECT_EQ(pins->align(), FL_ALIGN_TOP_LEFT);
  EXPECT_EQ(cadre(c.liste_broches), (rectangle{459, 30, 230, 370}));
  EXPECT_EQ(c.liste_broches->size(), 0);
  EXPECT_EQ(c.liste_broches->color(), FL_WHITE);
  EXPECT_EQ(c.liste_broches->selection_color(), FL_YELLOW);
  EXPECT_EQ(c.liste_broches->textfont(), FL_TIMES);
  EXPECT_EQ(texte(c.bouton_fermer), "Fermer");
  EXPECT_EQ(cadre(c.bouton_fermer), (rectangle{530, 420, 80, 40}));
  int points = 0;
  for (Fl_Widget* e : enfants(c.fenetre))
    if (e->box() == FL_ROUND_UP_BOX) {
      ++points;
      EXPECT_EQ(cadre(e), (rectangle{190, 80, 10, 10}));
    }
  EXPECT_EQ(points, 1);
}

TEST(FenetreComposant, MarquesEntreLeBoitierEtLesPattes) {
  aff_composant_class c;
  const rectangle boitier = cadre(c.boitier);
  int boutons = 0;
  for (int b = 0; b < 52; ++b) {
    SCOPED_TRACE(b + 1);
    rectangle m = cadre(c.marques[b]), p = cadre(c.pattes[b]);
    EXPECT_TRUE(m.w == m.h && (m.w == 9 || m.w == 10)) << m;
    EXPECT_FALSE(se_chevauchent(m, boitier));
    EXPECT_FALSE(se_chevauchent(m, p));
    // The mark sits between the body and its own lead, on their line.
    bool lateral = p.x == 15 || p.x == 369;
    if (lateral) {
      EXPECT_TRUE(m.x > std::min(p.x, boitier.x) &&
                  m.x < std::max(p.x, boitier.x + boitier.w));
      EXPECT_LT(std::abs((m.y + m.h / 2) - (p.y + p.h / 2)), 3);
    } else {
      EXPECT_TRUE(m.y > std::min(p.y, boitier.y) &&
                  m.y < std::max(p.y, boitier.y + boitier.h));
      EXPECT_LT(std::abs((m.x + m.w / 2) - (p.x + p.w / 2)), 3);
    }
    if (dynamic_cast<Fl_Button*>(c.marques[b]))
      ++boutons;
    else
      EXPECT_EQ(c.marques[b]->box(), FL_UP_BOX);
    for (int autre = 0; autre < b; ++autre) {
      EXPECT_FALSE(se_chevauchent(m, cadre(c.marques[autre])));
      EXPECT_FALSE(se_chevauchent(p, cadre(c.pattes[autre])));
      EXPECT_FALSE(
          se_chevauchent(cadre(c.numeros[b]), cadre(c.numeros[autre])));
    }
  }
  EXPECT_EQ(boutons, 13);
}

TEST(FenetreComposant, PattesEtFlechesDuBasEtDeDroite) {
  aff_composant_class c;
  std::map<std::string, int> fleches_en_bas;
  for (int b = 0; b < 52; ++b) {
    SCOPED_TRACE(b + 1);
    Fl_Box* p = c.pattes[b];
    rectangle r = cadre(p);
    bool lateral = r.x == 15 || r.x == 369;
    if (lateral)
      EXPECT_TRUE(r.w == 19 && (r.h == 9 || r.h == 10)) << r;
    else
      EXPECT_TRUE(r.w == 20 && r.h == 30 && (r.y == 5 || r.y == 372)) << r;
    EXPECT_EQ(p->box(), FL_FLAT_BOX);
    EXPECT_EQ(p->color(), FL_LIGHT1);
    EXPECT_EQ(p->labelsize(), 8);
    if (!texte(p).empty()) {
      if (r.y == 372)
        ++fleches_en_bas[texte(p)];
      else
        EXPECT_EQ(texte(p), "<");
    }
  }
  EXPECT_EQ(fleches_en_bas, (std::map<std::string, int>{{"v", 3}, {"^", 2}}));
  // "<" is on the lowest lead of the right edge, and only there.
  Fl_Box* plus_bas = nullptr;
  for (Fl_Box* p : c.pattes)
    if (p->x() == 369 && (!plus_bas || p->y() > plus_bas->y())) plus_bas = p;
  ASSERT_NE(plus_bas, nullptr);
  EXPECT_EQ(texte(plus_bas), "<");
}

// ---- Help, cycles and analog inputs ----

TEST(FenetreAide, NavigateurVideEtFermer) {
  aide_class aide;
  EXPECT_EQ(cadre(aide.texte_aide), (rectangle{10, 10, 590, 420}));
  EXPECT_EQ(aide.texte_aide->box(), FL_DOWN_BOX);
  EXPECT_EQ(aide.texte_aide->color(), FL_WHITE);
  EXPECT_EQ(aide.texte_aide->selection_color(), FL_YELLOW);
  EXPECT_EQ(aide.texte_aide->size(), 0);
  EXPECT_EQ(texte(aide.bouton_fermer), "Fermer");
  EXPECT_EQ(cadre(aide.bouton_fermer), (rectangle{260, 440, 80, 30}));
}

TEST(FenetreCycles, DeuxSaisiesEtValidation) {
  Cycles_class cycles;
  struct {
    Fl_Widget* w;
    rectangle r;
    const char* t;
  } attendus[] = {
      {cycles.saisie_debut, {260, 10, 100, 30}, "Debut du Changement d'Etat"},
      {cycles.saisie_fin, {260, 50, 100, 30}, "Fin du Changement d'Etat"},
      {cycles.bouton_validation, {260, 110, 100, 30}, "Validation"}};
  for (auto& a : attendus) {
    SCOPED_TRACE(a.t);
    EXPECT_EQ(cadre(a.w), a.r);
    EXPECT_EQ(texte(a.w), a.t);
    EXPECT_EQ(a.w->labelsize(), a.w == cycles.bouton_validation ? 24 : 16);
    EXPECT_EQ(a.w->labelcolor(), FL_BLUE);
  }
  EXPECT_EQ(cycles.saisie_debut->color(), FL_BACKGROUND_COLOR);
  EXPECT_EQ(cycles.saisie_fin->align(), FL_ALIGN_LEFT);
}

TEST(FenetreConvert, HuitEntreesAnalogiquesEtTensionsBornes) {
  convert_class conv;
  for (int canal = 0; canal < 8; ++canal) {
    SCOPED_TRACE(canal);
    Fl_Input* s = conv.saisies_AN[canal];
    EXPECT_EQ(texte(s), "AN" + std::to_string(canal));
    EXPECT_EQ(cadre(s), (rectangle{35 + 40 * (7 - canal), 85, 30, 30}));
    EXPECT_EQ(s->color(), FL_WHITE);
    EXPECT_EQ(s->align(), FL_ALIGN_TOP);
  }
  EXPECT_EQ(cadre(conv.saisie_VRH), (rectangle{390, 85, 30, 30}));
  EXPECT_EQ(cadre(conv.saisie_VRL), (rectangle{435, 85, 30, 30}));
  EXPECT_EQ(texte(conv.saisie_VRL), "VRL");
  EXPECT_EQ(conv.fenetre->child(1), conv.bouton_valider);
  EXPECT_EQ(cadre(conv.bouton_valider), (rectangle{220, 145, 80, 30}));
  Fl_Widget* port_e = par_texte(conv.fenetre, "Entrées Analogiques du port E");
  Fl_Widget* bornes = par_texte(conv.fenetre, "Tension Bornes");
  ASSERT_TRUE(port_e && bornes);
  EXPECT_EQ(cadre(port_e), (rectangle{20, 40, 340, 90}));
  EXPECT_EQ(cadre(bornes), (rectangle{370, 40, 110, 90}));
  for (Fl_Widget* f : {port_e, bornes}) {
    EXPECT_EQ(f->box(), FL_ENGRAVED_FRAME);
    EXPECT_EQ(f->color(), FL_BLACK);
    EXPECT_EQ(f->labelfont(), FL_TIMES);
    EXPECT_EQ(f->align(), FL_ALIGN_TOP_LEFT);
  }
}

// ---- Timing diagram ----

std::string marques_de_la_ligne(const Chronogramme_class& c, int y) {
  std::string vues;
  for (Fl_Widget* e : enfants(c.fenetre))
    if (e->y() == y && e->w() == 10 && e->h() == 10)
      vues += texte(e) + std::to_string(e->x());
  return vues;
}

TEST(FenetreChronogramme, SignauxEtMarquesDeDirection) {
  Chronogramme_class c;
  struct {
    int index;
    const char* nom;
    int y;
    const char* marques;
  } lignes[] = {{0, "PA7", 10, "E70S80E80"}, {1, "PA6", 20, "S80E80"},
                {2, "PA5", 30, "S80"},       {4, "PA3", 50, "E70S80"},
                {7, "PA0", 80, "E70"},       {8, "PB7", 100, "S80E80"},
                {15, "PB0", 170, "S80"},     {16, "PC7", 190, "E70S80E80"},
                {23, "PC0", 260, "E70S80"},  {24, "PD5", 300, "E70S80"},
                {29, "PD0", 350, "E70S80"},  {30, "PE7", 370, "E70"},
                {37, "PE0", 440, "E70"},     {38, "IRQ", 460, "E70"},
                {39, "XIRQ", 470, "E70"}};
  for (auto& l : lignes) {
    SCOPED_TRACE(l.nom);
    Fl_Box* nom = c.noms_signaux[l.index];
    EXPECT_EQ(texte(nom), l.nom);
    EXPECT_EQ(cadre(nom), (rectangle{10, l.y, 50, 10}));
    EXPECT_EQ(nom->box(), FL_EMBOSSED_BOX);
    EXPECT_EQ(nom->labelcolor(), FL_GREEN);
    EXPECT_EQ(marques_de_la_ligne(c, l.y), l.marques);
  }
  for (Fl_Widget* e : enfants(c.fenetre)) {
    if (texte(e) == "E") {
      EXPECT_EQ(e->labelcolor(), FL_GREEN);
    } else if (texte(e) == "S") {
      EXPECT_EQ(e->labelcolor(), FL_RED);
    }
  }
}

TEST(FenetreChronogramme, BoutonsDeSelectionSaufPA6aPA4) {
  Chronogramme_class c;
  int nb = 0;
  for (int i = 0; i < Chronogramme_class::nb_signaux; ++i) {
    SCOPED_TRACE(i);
    Fl_Button* s = c.selections[i];
    if (i >= 1 && i <= 3) {
      EXPECT_EQ(s, nullptr);
      continue;
    }
    ASSERT_NE(s, nullptr);
    ++nb;
    EXPECT_EQ(texte(s), "Sel " + texte(c.noms_signaux[i]));
    EXPECT_EQ(cadre(s), (rectangle{100, c.noms_signaux[i]->y(), 40, 10}));
    EXPECT_EQ(s->labelcolor(), FL_BLUE);
    EXPECT_EQ(s->box(), FL_EMBOSSED_BOX);
  }
  EXPECT_EQ(nb, 37);
}

TEST(FenetreChronogramme, ZoneEtLigneDeCommandes) {
  Chronogramme_class c;
  EXPECT_EQ(cadre(c.zone_trace), (rectangle{140, 10, 670, 470}));
  EXPECT_EQ(c.zone_trace->box(), FL_NO_BOX);
  EXPECT_EQ(c.zone_trace->selection_color(), FL_BLACK);
  struct {
    Fl_Widget* w;
    rectangle r;
    const char* t;
    Fl_Color couleur;
  } boutons[] = {
      {c.bouton_unite, {15, 560, 90, 30}, "us<-->Cycles", FL_MAGENTA},
      {c.bouton_simulation,
       {130, 560, 80, 30},
       "Simulation",
       FL_FOREGROUND_COLOR},
      {c.bouton_niveaux, {300, 560, 80, 30}, "0<-->1", FL_BLUE},
      {c.bouton_zoom, {515, 560, 70, 30}, "ZOOM ", FL_YELLOW},
      {c.bouton_quitter, {720, 560, 80, 30}, "Quitter", FL_FOREGROUND_COLOR}};
  for (auto& b : boutons) {
    SCOPED_TRACE(b.t);
    EXPECT_EQ(cadre(b.w), b.r);
    EXPECT_EQ(texte(b.w), b.t);
    EXPECT_EQ(b.w->labelcolor(), b.couleur);
  }
  EXPECT_EQ(cadre(c.saisie_debut), (rectangle{430, 560, 80, 30}));
  EXPECT_EQ(cadre(c.saisie_fin), (rectangle{590, 560, 80, 30}));
  EXPECT_EQ(c.saisie_fin->color(), FL_BACKGROUND_COLOR);
  Fl_Widget* debut = par_texte(c.fenetre, "Début (cycles)");
  Fl_Widget* fin = par_texte(c.fenetre, "Fin (cycles)");
  ASSERT_TRUE(debut && fin);
  EXPECT_EQ(cadre(debut), (rectangle{430, 540, 80, 20}));
  EXPECT_EQ(cadre(fin), (rectangle{600, 540, 70, 20}));
}

TEST(Fenetres, AucunWidgetNAUnRappelPropre) {
  for (const fenetre_attendue& attendu : fenetres) {
    SCOPED_TRACE(attendu.titre);
    Fl_Double_Window* f = attendu.construit().first;
    for (Fl_Widget* e : enfants(f))
      EXPECT_EQ(e->callback(), Fl_Widget::default_callback);
  }
}

}  // namespace
