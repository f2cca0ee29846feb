// The "Carte" window. See fenetre_platine.h.
#include "ui/fenetre_platine.h"

#include <FL/Fl.H>
#include <FL/Fl_Box.H>
#include <FL/Fl_Button.H>
#include <FL/Fl_Choice.H>
#include <FL/Fl_Double_Window.H>
#include <FL/fl_draw.H>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <string>

#include "platine/clavier.h"
#include "platine/platine.h"
#include "puce/machine.h"
#include "ui/auxiliaires_outils.h"

namespace {

using sorte = sorte_composant;

// The HD44780U's character ROM (A00), codes $20-$7F: seven rows of five
// dots, bit 4 the leftmost; the eighth row is the cursor's.
const unsigned char police[96][7] = {
    {0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00},  // $20
    {0x04, 0x04, 0x04, 0x04, 0x00, 0x00, 0x04},  // $21 !
    {0x0a, 0x0a, 0x0a, 0x00, 0x00, 0x00, 0x00},  // $22 "
    {0x0a, 0x0a, 0x1f, 0x0a, 0x1f, 0x0a, 0x0a},  // $23 #
    {0x04, 0x0f, 0x14, 0x0e, 0x05, 0x1e, 0x04},  // $24 $
    {0x18, 0x19, 0x02, 0x04, 0x08, 0x13, 0x03},  // $25 %
    {0x0c, 0x12, 0x14, 0x08, 0x15, 0x12, 0x0d},  // $26 &
    {0x0c, 0x04, 0x08, 0x00, 0x00, 0x00, 0x00},  // $27 '
    {0x02, 0x04, 0x08, 0x08, 0x08, 0x04, 0x02},  // $28 (
    {0x08, 0x04, 0x02, 0x02, 0x02, 0x04, 0x08},  // $29 )
    {0x00, 0x04, 0x15, 0x0e, 0x15, 0x04, 0x00},  // $2a *
    {0x00, 0x04, 0x04, 0x1f, 0x04, 0x04, 0x00},  // $2b +
    {0x00, 0x00, 0x00, 0x00, 0x0c, 0x04, 0x08},  // $2c ,
    {0x00, 0x00, 0x00, 0x1f, 0x00, 0x00, 0x00},  // $2d -
    {0x00, 0x00, 0x00, 0x00, 0x00, 0x0c, 0x0c},  // $2e .
    {0x00, 0x01, 0x02, 0x04, 0x08, 0x10, 0x00},  // $2f /
    {0x0e, 0x11, 0x13, 0x15, 0x19, 0x11, 0x0e},  // $30 0
    {0x04, 0x0c, 0x04, 0x04, 0x04, 0x04, 0x0e},  // $31 1
    {0x0e, 0x11, 0x01, 0x02, 0x04, 0x08, 0x1f},  // $32 2
    {0x1f, 0x02, 0x04, 0x02, 0x01, 0x11, 0x0e},  // $33 3
    {0x02, 0x06, 0x0a, 0x12, 0x1f, 0x02, 0x02},  // $34 4
    {0x1f, 0x10, 0x1e, 0x01, 0x01, 0x11, 0x0e},  // $35 5
    {0x06, 0x08, 0x10, 0x1e, 0x11, 0x11, 0x0e},  // $36 6
    {0x1f, 0x01, 0x02, 0x04, 0x08, 0x08, 0x08},  // $37 7
    {0x0e, 0x11, 0x11, 0x0e, 0x11, 0x11, 0x0e},  // $38 8
    {0x0e, 0x11, 0x11, 0x0f, 0x01, 0x02, 0x0c},  // $39 9
    {0x00, 0x0c, 0x0c, 0x00, 0x0c, 0x0c, 0x00},  // $3a :
    {0x00, 0x0c, 0x0c, 0x00, 0x0c, 0x04, 0x08},  // $3b ;
    {0x02, 0x04, 0x08, 0x10, 0x08, 0x04, 0x02},  // $3c <
    {0x00, 0x00, 0x1f, 0x00, 0x1f, 0x00, 0x00},  // $3d =
    {0x08, 0x04, 0x02, 0x01, 0x02, 0x04, 0x08},  // $3e >
    {0x0e, 0x11, 0x01, 0x02, 0x04, 0x00, 0x04},  // $3f ?
    {0x0e, 0x11, 0x01, 0x0d, 0x15, 0x15, 0x0e},  // $40 @
    {0x0e, 0x11, 0x11, 0x11, 0x1f, 0x11, 0x11},  // $41 A
    {0x1e, 0x11, 0x11, 0x1e, 0x11, 0x11, 0x1e},  // $42 B
    {0x0e, 0x11, 0x10, 0x10, 0x10, 0x11, 0x0e},  // $43 C
    {0x1c, 0x12, 0x11, 0x11, 0x11, 0x12, 0x1c},  // $44 D
    {0x1f, 0x10, 0x10, 0x1e, 0x10, 0x10, 0x1f},  // $45 E
    {0x1f, 0x10, 0x10, 0x1e, 0x10, 0x10, 0x10},  // $46 F
    {0x0e, 0x11, 0x10, 0x17, 0x11, 0x11, 0x0f},  // $47 G
    {0x11, 0x11, 0x11, 0x1f, 0x11, 0x11, 0x11},  // $48 H
    {0x0e, 0x04, 0x04, 0x04, 0x04, 0x04, 0x0e},  // $49 I
    {0x07, 0x02, 0x02, 0x02, 0x02, 0x12, 0x0c},  // $4a J
    {0x11, 0x12, 0x14, 0x18, 0x14, 0x12, 0x11},  // $4b K
    {0x10, 0x10, 0x10, 0x10, 0x10, 0x10, 0x1f},  // $4c L
    {0x11, 0x1b, 0x15, 0x15, 0x11, 0x11, 0x11},  // $4d M
    {0x11, 0x11, 0x19, 0x15, 0x13, 0x11, 0x11},  // $4e N
    {0x0e, 0x11, 0x11, 0x11, 0x11, 0x11, 0x0e},  // $4f O
    {0x1e, 0x11, 0x11, 0x1e, 0x10, 0x10, 0x10},  // $50 P
    {0x0e, 0x11, 0x11, 0x11, 0x15, 0x12, 0x0d},  // $51 Q
    {0x1e, 0x11, 0x11, 0x1e, 0x14, 0x12, 0x11},  // $52 R
    {0x0f, 0x10, 0x10, 0x0e, 0x01, 0x01, 0x1e},  // $53 S
    {0x1f, 0x04, 0x04, 0x04, 0x04, 0x04, 0x04},  // $54 T
    {0x11, 0x11, 0x11, 0x11, 0x11, 0x11, 0x0e},  // $55 U
    {0x11, 0x11, 0x11, 0x11, 0x11, 0x0a, 0x04},  // $56 V
    {0x11, 0x11, 0x11, 0x15, 0x15, 0x15, 0x0a},  // $57 W
    {0x11, 0x11, 0x0a, 0x04, 0x0a, 0x11, 0x11},  // $58 X
    {0x11, 0x11, 0x11, 0x0a, 0x04, 0x04, 0x04},  // $59 Y
    {0x1f, 0x01, 0x02, 0x04, 0x08, 0x10, 0x1f},  // $5a Z
    {0x0e, 0x08, 0x08, 0x08, 0x08, 0x08, 0x0e},  // $5b [
    {0x11, 0x0a, 0x1f, 0x04, 0x1f, 0x04, 0x04},  // $5c ¥
    {0x0e, 0x02, 0x02, 0x02, 0x02, 0x02, 0x0e},  // $5d ]
    {0x04, 0x0a, 0x11, 0x00, 0x00, 0x00, 0x00},  // $5e ^
    {0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x1f},  // $5f _
    {0x08, 0x04, 0x02, 0x00, 0x00, 0x00, 0x00},  // $60 `
    {0x00, 0x00, 0x0e, 0x01, 0x0f, 0x11, 0x0f},  // $61 a
    {0x10, 0x10, 0x16, 0x19, 0x11, 0x11, 0x1e},  // $62 b
    {0x00, 0x00, 0x0e, 0x10, 0x10, 0x11, 0x0e},  // $63 c
    {0x01, 0x01, 0x0d, 0x13, 0x11, 0x11, 0x0f},  // $64 d
    {0x00, 0x00, 0x0e, 0x11, 0x1f, 0x10, 0x0e},  // $65 e
    {0x06, 0x09, 0x08, 0x1c, 0x08, 0x08, 0x08},  // $66 f
    {0x00, 0x0f, 0x11, 0x11, 0x0f, 0x01, 0x0e},  // $67 g
    {0x10, 0x10, 0x16, 0x19, 0x11, 0x11, 0x11},  // $68 h
    {0x04, 0x00, 0x0c, 0x04, 0x04, 0x04, 0x0e},  // $69 i
    {0x02, 0x00, 0x06, 0x02, 0x02, 0x12, 0x0c},  // $6a j
    {0x10, 0x10, 0x12, 0x14, 0x18, 0x14, 0x12},  // $6b k
    {0x0c, 0x04, 0x04, 0x04, 0x04, 0x04, 0x0e},  // $6c l
    {0x00, 0x00, 0x1a, 0x15, 0x15, 0x11, 0x11},  // $6d m
    {0x00, 0x00, 0x16, 0x19, 0x11, 0x11, 0x11},  // $6e n
    {0x00, 0x00, 0x0e, 0x11, 0x11, 0x11, 0x0e},  // $6f o
    {0x00, 0x00, 0x1e, 0x11, 0x1e, 0x10, 0x10},  // $70 p
    {0x00, 0x00, 0x0d, 0x13, 0x0f, 0x01, 0x01},  // $71 q
    {0x00, 0x00, 0x16, 0x19, 0x10, 0x10, 0x10},  // $72 r
    {0x00, 0x00, 0x0e, 0x10, 0x0e, 0x01, 0x1e},  // $73 s
    {0x08, 0x08, 0x1c, 0x08, 0x08, 0x09, 0x06},  // $74 t
    {0x00, 0x00, 0x11, 0x11, 0x11, 0x13, 0x0d},  // $75 u
    {0x00, 0x00, 0x11, 0x11, 0x11, 0x0a, 0x04},  // $76 v
    {0x00, 0x00, 0x11, 0x11, 0x15, 0x15, 0x0a},  // $77 w
    {0x00, 0x00, 0x11, 0x0a, 0x04, 0x0a, 0x11},  // $78 x
    {0x00, 0x00, 0x11, 0x11, 0x0f, 0x01, 0x0e},  // $79 y
    {0x00, 0x00, 0x1f, 0x02, 0x04, 0x08, 0x1f},  // $7a z
    {0x02, 0x04, 0x04, 0x08, 0x04, 0x04, 0x02},  // $7b {
    {0x04, 0x04, 0x04, 0x04, 0x04, 0x04, 0x04},  // $7c |
    {0x08, 0x04, 0x04, 0x02, 0x04, 0x04, 0x08},  // $7d }
    {0x00, 0x04, 0x02, 0x1f, 0x02, 0x04, 0x00},  // $7e →
    {0x00, 0x04, 0x08, 0x1f, 0x08, 0x04, 0x00},  // $7f ←
};

constexpr int marge = 10;
constexpr int largeur_dessin = 740;
constexpr int pas_led = 26;
constexpr int pas_dip = 22;
constexpr int pas_chiffre = 46;
constexpr int pas_touche = 40;
constexpr int point_lcd = 3;  // the LCD's dot pitch, in pixels
constexpr int largeur_pot = 200;

const Fl_Color fond = fl_rgb_color(22, 92, 52);  // the board's green
const Fl_Color texte = fl_rgb_color(235, 235, 220);

struct taille {
  int w, h;
};

taille taille_de(const composant_decrit& c) {
  const int n = static_cast<int>(c.broches.size());
  switch (c.sorte) {
    case sorte::led:
      return {70, 70};
    case sorte::barre:
      return {std::max(90, n * pas_led + 2 * marge), 74};
    case sorte::bouton:
    case sorte::interrupteur:
      return {90, 86};
    case sorte::dip:
      return {std::max(90, n * pas_dip + 2 * marge), 86};
    case sorte::potentiometre:
      return {largeur_pot + 2 * marge, 74};
    case sorte::afficheur:
      return {static_cast<int>(std::max<std::size_t>(1, c.autres.size())) *
                      pas_chiffre +
                  2 * marge,
              106};
    case sorte::lcd:
      return {c.colonnes * 6 * point_lcd + 4 * marge,
              c.lignes * 9 * point_lcd + 4 * marge + 10};
    case sorte::clavier:
      return {static_cast<int>(c.autres.size()) * pas_touche + 2 * marge,
              static_cast<int>(c.broches.size()) * pas_touche + 30};
    case sorte::fil:
      return {160, 56};
  }
  return {60, 60};
}

// The clickable area of an element, relative to the component's place.
bool zone_relative(const composant_decrit& c, int element, int& x, int& y,
                   int& w, int& h) {
  switch (c.sorte) {
    case sorte::bouton:
    case sorte::interrupteur:
      if (element != 0) return false;
      x = 25, y = 22, w = 40, h = 44;
      return true;
    case sorte::dip:
      if (element < 0 || element >= static_cast<int>(c.broches.size()))
        return false;
      x = marge + element * pas_dip, y = 22, w = pas_dip - 4, h = 40;
      return true;
    case sorte::clavier: {
      const int nc = static_cast<int>(c.autres.size());
      if (element < 0 || element >= nc * static_cast<int>(c.broches.size()))
        return false;
      x = marge + (element % nc) * pas_touche;
      y = 22 + (element / nc) * pas_touche;
      w = h = pas_touche - 4;
      return true;
    }
    case sorte::potentiometre:
      x = marge, y = 30, w = largeur_pot, h = 18;
      return element == 0;
    default:
      return false;
  }
}

Fl_Color melange(Fl_Color eteint, Fl_Color allume, double part) {
  part = std::clamp(part, 0.0, 1.0);
  return fl_color_average(allume, eteint, static_cast<float>(part));
}

Fl_Color couleur_led(const std::string& nom) {
  if (nom == "verte") return fl_rgb_color(40, 235, 70);
  if (nom == "jaune") return fl_rgb_color(255, 225, 0);
  if (nom == "orange") return fl_rgb_color(255, 140, 0);
  if (nom == "bleue") return fl_rgb_color(70, 130, 255);
  if (nom == "blanche") return fl_rgb_color(250, 250, 245);
  return fl_rgb_color(255, 40, 30);
}

void ecrit(const std::string& t, int x, int y, int taille_police = 12,
           Fl_Color c = texte) {
  fl_color(c);
  fl_font(FL_HELVETICA, taille_police);
  fl_draw(t.c_str(), x, y);
}

void dessine_led(int cx, int cy, Fl_Color couleur, double part) {
  const Fl_Color eteinte = fl_color_average(couleur, FL_BLACK, 0.25f);
  fl_color(melange(eteinte, couleur, part));
  fl_pie(cx - 8, cy - 8, 16, 16, 0, 360);
  fl_color(FL_BLACK);
  fl_arc(cx - 8, cy - 8, 16, 16, 0, 360);
}

// A segment between (x0, y0) and (x1, y1), horizontal or vertical, as a
// hexagon `e` pixels thick.
void segment(int x0, int y0, int x1, int y1, int e) {
  const int d = e / 2;
  fl_begin_complex_polygon();
  if (y0 == y1) {
    fl_vertex(x0, y0);
    fl_vertex(x0 + d, y0 - d);
    fl_vertex(x1 - d, y0 - d);
    fl_vertex(x1, y0);
    fl_vertex(x1 - d, y0 + d);
    fl_vertex(x0 + d, y0 + d);
  } else {
    fl_vertex(x0, y0);
    fl_vertex(x0 + d, y0 + d);
    fl_vertex(x0 + d, y1 - d);
    fl_vertex(x0, y1);
    fl_vertex(x0 - d, y1 - d);
    fl_vertex(x0 - d, y0 + d);
  }
  fl_end_complex_polygon();
}

void dessine_chiffre(int x, int y, const std::vector<double>& s) {
  fl_color(fl_rgb_color(25, 20, 20));
  fl_rectf(x, y, pas_chiffre - 6, 70);
  const Fl_Color allume = fl_rgb_color(255, 30, 20);
  const Fl_Color eteint = fl_rgb_color(60, 30, 28);
  const int g = x + 8, dr = x + 30, h = y + 8, m = y + 35, b = y + 62;
  const int coins[7][4] = {{g, h, dr, h}, {dr, h, dr, m}, {dr, m, dr, b},
                           {g, b, dr, b}, {g, m, g, b},   {g, h, g, m},
                           {g, m, dr, m}};
  for (int k = 0; k < 7; ++k) {
    fl_color(melange(eteint, allume, s[k]));
    segment(coins[k][0], coins[k][1], coins[k][2], coins[k][3], 6);
  }
  fl_color(melange(eteint, allume, s[7]));
  fl_pie(dr + 4, b - 2, 5, 5, 0, 360);
}

void dessine_lcd(const composant_decrit& c, const etat_hd44780& e, int x, int y,
                 uint64_t cycles) {
  const bool bleu = c.couleur == "bleu";
  const int lw = c.colonnes * 6 * point_lcd + 2 * marge;
  const int lh = c.lignes * 9 * point_lcd + 2 * marge;
  fl_color(fl_rgb_color(30, 30, 30));
  fl_rectf(x, y, lw + 2 * marge, lh + 2 * marge);
  const Fl_Color verre =
      bleu ? fl_rgb_color(40, 70, 230) : fl_rgb_color(150, 200, 40);
  const Fl_Color eteint =
      bleu ? fl_rgb_color(55, 90, 240) : fl_rgb_color(140, 188, 38);
  const Fl_Color allume =
      bleu ? fl_rgb_color(240, 245, 255) : fl_rgb_color(20, 40, 10);
  fl_color(verre);
  fl_rectf(x + marge, y + marge, lw, lh);
  int ligne_curseur = -1, colonne_curseur = -1;
  hd44780::position_curseur(e, c.lignes, c.colonnes, ligne_curseur,
                            colonne_curseur);
  // The blink alternates about every 0.4 s of chip time.
  const bool phase = (cycles / 800000) % 2 == 0;
  for (int l = 0; l < c.lignes; ++l)
    for (int k = 0; k < c.colonnes; ++k) {
      const int code = hd44780::code_affiche(e, l, k, c.lignes, c.colonnes);
      const bool ici = l == ligne_curseur && k == colonne_curseur;
      for (int r = 0; r < 8; ++r) {
        unsigned rangee = 0;
        if (code >= 0 && code < 0x10)
          rangee = e.cgram[(code & 7) * 8 + r] & 0x1F;
        else if (code >= 0x20 && code < 0x80 && r < 7)
          rangee = police[code - 0x20][r];
        else if (code >= 0x80)
          rangee = r == 0 || r == 6 ? 0x1F : r < 6 ? 0x11 : 0;
        if (ici && e.curseur && r == 7) rangee = 0x1F;
        if (ici && e.clignote && phase) rangee = 0x1F;
        for (int p = 0; p < 5; ++p) {
          fl_color((rangee >> (4 - p)) & 1 ? allume : eteint);
          fl_rectf(x + 2 * marge + (k * 6 + p) * point_lcd,
                   y + 2 * marge + (l * 9 + r) * point_lcd, point_lcd - 1,
                   point_lcd - 1);
        }
      }
    }
}

std::string texte_tension(int32_t microvolts) {
  char t[32];
  std::snprintf(t, sizeof t, "%.2f V", microvolts / 1e6);
  for (char& ch : t)
    if (ch == '.') ch = ',';
  return t;
}

}  // namespace

dessin_platine::dessin_platine(int x, int y, int w, int h)
    : Fl_Widget(x, y, w, h) {}

void dessin_platine::montre(const platine* carte, bool fige) {
  if (carte != carte_) {
    touches_.clear();
    tenu_composant_ = glisse_ = -1;
  }
  carte_ = carte;
  fige_ = fige;
  places_.clear();
  int px = marge, py = marge, rangee = 0;
  if (carte_)
    for (const composant_decrit& c : carte_->description().composants) {
      const taille t = taille_de(c);
      if (px > marge && px + t.w > w() - marge) {
        px = marge;
        py += rangee + marge;
        rangee = 0;
      }
      places_.push_back({px, py, t.w, t.h});
      px += t.w + marge;
      rangee = std::max(rangee, t.h);
    }
  hauteur_ = carte_ ? py + rangee + marge : 60;
  redraw();
}

bool dessin_platine::zone(int composant, int element, int& zx, int& zy, int& zw,
                          int& zh) const {
  if (!carte_ || composant < 0 || composant >= static_cast<int>(places_.size()))
    return false;
  if (!zone_relative(carte_->description().composants[composant], element, zx,
                     zy, zw, zh))
    return false;
  zx += x() + places_[composant].x;
  zy += y() + places_[composant].y;
  return true;
}

bool dessin_platine::sous(int ex, int ey, int& composant, int& element) const {
  if (!carte_) return false;
  for (std::size_t i = 0; i < places_.size(); ++i) {
    const composant_decrit& c = carte_->description().composants[i];
    const int n = c.sorte == sorte::clavier
                      ? static_cast<int>(c.broches.size() * c.autres.size())
                      : std::max<int>(1, static_cast<int>(c.broches.size()));
    for (int e = 0; e < n; ++e) {
      int zx, zy, zw, zh;
      if (zone(static_cast<int>(i), e, zx, zy, zw, zh) && ex >= zx &&
          ex < zx + zw && ey >= zy && ey < zy + zh) {
        composant = static_cast<int>(i);
        element = e;
        return true;
      }
    }
  }
  return false;
}

void dessin_platine::ajoute(int composant, int element, bool actif) {
  actions.push_back({composant, element, actif, false, 0});
  do_callback();
}

void dessin_platine::glisse(int composant, int ex) {
  int zx, zy, zw, zh;
  if (!zone(composant, 0, zx, zy, zw, zh)) return;
  const double part = std::clamp((ex - zx) / static_cast<double>(zw), 0.0, 1.0);
  // To the hundredth of a volt.
  const auto microvolts = static_cast<int32_t>(std::lround(part * 500) * 10000);
  actions.push_back({composant, 0, false, true, microvolts});
  do_callback();
}

bool dessin_platine::touche(int code, bool enfoncee) {
  if (!carte_) return false;
  if (!enfoncee) {
    const auto t = touches_.find(code);
    if (t == touches_.end()) return false;
    const composant_decrit& c =
        carte_->description().composants[t->second.first];
    // A switch moved on the key's press only.
    if (c.sorte != sorte::interrupteur)
      ajoute(t->second.first, t->second.second, false);
    touches_.erase(t);
    return true;
  }
  if (touches_.count(code)) return true;  // the key repeating
  if (code <= 0 || code > 0xFF || !std::isprint(code)) return false;
  const auto ch = static_cast<char>(code);
  const std::vector<composant_decrit>& cs = carte_->description().composants;
  for (std::size_t i = 0; i < cs.size(); ++i) {
    const composant_decrit& c = cs[i];
    int element = -1;
    if (c.sorte == sorte::clavier)
      element = clavier::touche_de(c, ch);
    else if ((c.sorte == sorte::bouton || c.sorte == sorte::interrupteur) &&
             !c.touche.empty() &&
             std::tolower(static_cast<unsigned char>(c.touche[0])) ==
                 std::tolower(static_cast<unsigned char>(ch)))
      element = 0;
    if (element < 0) continue;
    const int n = static_cast<int>(i);
    touches_[code] = {n, element};
    ajoute(n, element,
           c.sorte == sorte::interrupteur ? !carte_->actif(n, 0) : true);
    return true;
  }
  return false;
}

int dessin_platine::handle(int evenement) {
  switch (evenement) {
    case FL_FOCUS:
      return 1;
    case FL_UNFOCUS:
      // A key let go elsewhere is let go here too.
      while (!touches_.empty()) touche(touches_.begin()->first, false);
      return 1;
    case FL_PUSH: {
      take_focus();
      int c = -1, e = -1;
      if (!sous(Fl::event_x(), Fl::event_y(), c, e)) return 1;
      const sorte s = carte_->description().composants[c].sorte;
      if (s == sorte::potentiometre) {
        glisse_ = c;
        glisse(c, Fl::event_x());
      } else if (s == sorte::interrupteur || s == sorte::dip) {
        ajoute(c, e, !carte_->actif(c, e));
      } else {
        tenu_composant_ = c;
        tenu_element_ = e;
        ajoute(c, e, true);
      }
      return 1;
    }
    case FL_DRAG:
      if (glisse_ >= 0) glisse(glisse_, Fl::event_x());
      return 1;
    case FL_RELEASE:
      if (tenu_composant_ >= 0) ajoute(tenu_composant_, tenu_element_, false);
      tenu_composant_ = glisse_ = -1;
      return 1;
    case FL_KEYBOARD:
      return touche(Fl::event_key(), true) ? 1 : 0;
    case FL_KEYUP:
      return touche(Fl::event_key(), false) ? 1 : 0;
    default:
      return Fl_Widget::handle(evenement);
  }
}

void dessin_platine::draw() {
  fl_push_clip(x(), y(), w(), h());
  fl_color(fond);
  fl_rectf(x(), y(), w(), h());
  if (!carte_) {
    ecrit("Pas de carte : choisissez-en une ci-dessus.", x() + marge, y() + 30,
          14);
    fl_pop_clip();
    return;
  }
  const machine* m = carte_->reliee();
  const std::vector<composant_decrit>& cs = carte_->description().composants;
  for (std::size_t i = 0; i < cs.size() && i < places_.size(); ++i) {
    const composant_decrit& c = cs[i];
    const int n = static_cast<int>(i);
    const int px = x() + places_[i].x, py = y() + places_[i].y;
    ecrit(c.nom, px, py + 12);
    switch (c.sorte) {
      case sorte::led:
      case sorte::barre: {
        const std::vector<double> parts = carte_->leds(n, fige_);
        for (std::size_t k = 0; k < parts.size(); ++k) {
          const int cx =
              px + marge + pas_led / 2 + static_cast<int>(k) * pas_led;
          dessine_led(cx, py + 34, couleur_led(c.couleur), parts[k]);
          ecrit(nom_broche(c.broches[k]).substr(1), cx - 9, py + 62, 10);
        }
        break;
      }
      case sorte::bouton: {
        const bool appuye = carte_->actif(n, 0);
        fl_color(fl_rgb_color(40, 40, 40));
        fl_rectf(px + 25, py + 22, 40, 40);
        const int d = appuye ? 2 : 0;
        fl_color(appuye ? fl_rgb_color(140, 20, 20)
                        : fl_rgb_color(220, 40, 40));
        fl_pie(px + 31 + d, py + 28 + d, 28, 28, 0, 360);
        if (!c.touche.empty())
          ecrit("touche " + c.touche, px + 20, py + 80, 10);
        break;
      }
      case sorte::interrupteur: {
        const bool ferme = carte_->actif(n, 0);
        fl_color(fl_rgb_color(40, 40, 40));
        fl_rectf(px + 33, py + 22, 24, 44);
        fl_color(fl_rgb_color(220, 220, 210));
        fl_rectf(px + 36, ferme ? py + 25 : py + 45, 18, 18);
        ecrit(ferme ? "1" : "0", px + 62, py + 48, 12);
        if (!c.touche.empty())
          ecrit("touche " + c.touche, px + 20, py + 80, 10);
        break;
      }
      case sorte::dip: {
        fl_color(fl_rgb_color(200, 30, 30));
        fl_rectf(px + marge - 2, py + 18,
                 static_cast<int>(c.broches.size()) * pas_dip, 48);
        for (std::size_t k = 0; k < c.broches.size(); ++k) {
          const int sx = px + marge + static_cast<int>(k) * pas_dip;
          const bool on = carte_->actif(n, static_cast<int>(k));
          fl_color(fl_rgb_color(240, 240, 240));
          fl_rectf(sx + 2, py + 22, pas_dip - 8, 40);
          fl_color(fl_rgb_color(60, 60, 60));
          fl_rectf(sx + 2, on ? py + 22 : py + 44, pas_dip - 8, 18);
          ecrit(nom_broche(c.broches[k]).substr(1), sx, py + 80, 10);
        }
        ecrit("ON", px + marge, py + 17, 9);
        break;
      }
      case sorte::potentiometre: {
        const int32_t v = carte_->tension(n);
        fl_color(fl_rgb_color(30, 30, 30));
        fl_rectf(px + marge, py + 36, largeur_pot, 6);
        const int kx =
            px + marge +
            static_cast<int>(static_cast<double>(v) / 5e6 * (largeur_pot - 12));
        fl_color(fl_rgb_color(200, 200, 190));
        fl_rectf(kx, py + 28, 12, 22);
        ecrit(texte_tension(v) + " sur " + nom_broche(c.broches[0]) + " (AN" +
                  std::to_string(c.broches[0] - broche_pe0) + ")",
              px + marge, py + 68, 11);
        break;
      }
      case sorte::afficheur: {
        const auto s = carte_->segments(n, fige_);
        for (std::size_t d = 0; d < s.size(); ++d)
          dessine_chiffre(px + marge + static_cast<int>(d) * pas_chiffre,
                          py + 22, s[d]);
        break;
      }
      case sorte::lcd:
        if (const etat_hd44780* e = carte_->lcd(n))
          dessine_lcd(c, *e, px, py + 18, m ? m->cycles : 0);
        break;
      case sorte::clavier: {
        const int nc = static_cast<int>(c.autres.size());
        for (int k = 0; k < nc * static_cast<int>(c.broches.size()); ++k) {
          int zx, zy, zw, zh;
          zone(n, k, zx, zy, zw, zh);
          const bool appuyee = carte_->actif(n, k);
          fl_draw_box(appuyee ? FL_DOWN_BOX : FL_UP_BOX, zx, zy, zw, zh,
                      appuyee ? fl_rgb_color(120, 120, 120)
                              : fl_rgb_color(225, 225, 215));
          const char etiquette[2] = {clavier::etiquette(c, k), 0};
          ecrit(etiquette, zx + zw / 2 - 4, zy + zh / 2 + 6, 16, FL_BLACK);
        }
        break;
      }
      case sorte::fil: {
        const bool haut = m && m->niveau_broche(c.broches[0]);
        ecrit(nom_broche(c.broches[0]), px, py + 38, 11);
        ecrit(nom_broche(c.autres[0]), px + 120, py + 38, 11);
        fl_color(haut ? fl_rgb_color(255, 60, 40) : fl_rgb_color(90, 20, 15));
        fl_line_style(FL_SOLID, 3);
        fl_line(px + 36, py + 34, px + 114, py + 34);
        fl_line_style(0);
        break;
      }
    }
  }
  fl_pop_clip();
}

platine_class::platine_class() {
  fenetre = fenetre_auxiliaire(this, largeur_dessin + 2 * marge, 200, "Carte");
  choix = new Fl_Choice(60, 10, 200, 25, "Carte");
  choix->tooltip(
      "Une carte fournie, ou un fichier de carte (.toml) ; "
      "prog.carte.toml à côté d'un programme est prise à son chargement");
  etat = new Fl_Box(FL_NO_BOX, 270, 10, largeur_dessin - 260, 25, nullptr);
  etat->align(FL_ALIGN_LEFT | FL_ALIGN_INSIDE | FL_ALIGN_CLIP);
  etat->labelsize(12);
  dessin = new dessin_platine(marge, 45, largeur_dessin, 100);
  dessin->tooltip(
      "Cliquer sur les boutons, interrupteurs et touches ; "
      "le clavier de l'ordinateur appuie sur les touches");
  bouton_fermer =
      new Fl_Button(largeur_dessin + marge - 90, 155, 90, 30, "Fermer");
  fenetre->end();
}

void platine_class::ajuste() {
  const int h = std::max(60, dessin->hauteur());
  dessin->size(dessin->w(), h);
  bouton_fermer->position(bouton_fermer->x(), dessin->y() + h + 10);
  fenetre->size(fenetre->w(), dessin->y() + h + 50);
  // The background box covers the whole window.
  fenetre->child(0)->size(fenetre->w() + 4, fenetre->h() + 3);
  fenetre->redraw();
}
