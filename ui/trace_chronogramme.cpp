#include "ui/trace_chronogramme.h"

#include <FL/Fl.H>
#include <FL/fl_draw.H>

#include <algorithm>
#include <cstdio>

#include "text/durees.h"

namespace {

const Fl_Color fond = FL_BLACK;
const Fl_Color grille = fl_rgb_color(50, 50, 50);
const Fl_Color trait = FL_GREEN;
const Fl_Color agite = fl_rgb_color(0, 110, 0);
const Fl_Color inconnu = fl_rgb_color(90, 90, 90);
const Fl_Color marque_clic = FL_YELLOW;
const Fl_Color marque_precedent = FL_CYAN;

// The step of the axis in cycles: 1, 2 or 5 times a power of ten of the
// unit (a cycle, or a microsecond: two cycles of the 2 MHz E clock; half a
// microsecond at the finest), with about `voulues` steps over `etendue`.
uint64_t pas_graduation(uint64_t etendue, bool microsecondes, int voulues) {
  const uint64_t cible =
      std::max<uint64_t>(1, etendue / static_cast<uint64_t>(voulues));
  if (microsecondes && cible <= 1) return 1;
  const uint64_t unite = microsecondes ? 2 : 1;
  for (uint64_t puissance = unite;; puissance *= 10)
    for (uint64_t m : {1, 2, 5})
      if (m * puissance >= cible) return m * puissance;
}

// A label of the axis: the cycle count, or its time in microseconds (a
// cycle of the 2 MHz E clock is half of one).
std::string texte_graduation(uint64_t cycle, bool microsecondes) {
  char texte[48];
  if (microsecondes)
    std::snprintf(texte, sizeof texte, "%llu%s",
                  static_cast<unsigned long long>(cycle / 2),
                  cycle % 2 ? ",5" : "");
  else
    std::snprintf(texte, sizeof texte, "%llu",
                  static_cast<unsigned long long>(cycle));
  return texte;
}

}  // namespace

std::string texte_duree(uint64_t cycles, bool microsecondes) {
  return microsecondes ? texte_duree_e(cycles)
                       : texte_graduation(cycles, false) + " cycles";
}

trace_chronogramme::trace_chronogramme(int x, int y, int w, int h)
    : Fl_Widget(x, y, w, h) {
  box(FL_FLAT_BOX);
  color(fond);
}

uint64_t trace_chronogramme::cycle_sous(int colonne) const {
  colonne = std::clamp(colonne, 0, std::max(0, vue.colonnes - 1));
  const uint64_t etendue = vue.fin - vue.debut;
  return vue.debut + static_cast<uint64_t>(
                         static_cast<unsigned __int128>(colonne) * etendue /
                         static_cast<unsigned>(std::max(1, vue.colonnes)));
}

std::vector<std::pair<int, std::string>> trace_chronogramme::graduations()
    const {
  std::vector<std::pair<int, std::string>> liste;
  if (vue.fin <= vue.debut || vue.colonnes <= 0) return liste;
  // About 90 pixels a label: room for large numbers.
  const int voulues = std::max(2, vue.colonnes / 90);
  const uint64_t pas =
      pas_graduation(vue.fin - vue.debut, microsecondes, voulues);
  for (uint64_t cycle = (vue.debut + pas - 1) / pas * pas; cycle < vue.fin;
       cycle += pas)
    liste.emplace_back(static_cast<int>(vue.colonne(cycle)),
                       texte_graduation(cycle, microsecondes));
  return liste;
}

void trace_chronogramme::dessine_ligne(const ligne& l, int y0, int h) {
  const int x0 = x() + marge_noms;
  fl_color(FL_YELLOW);
  fl_font(FL_HELVETICA, std::min(12, std::max(8, h - 2)));
  fl_draw(l.nom, x() + 2, y0, marge_noms - 4, h, FL_ALIGN_LEFT);
  fl_color(grille);
  fl_line(x0, y0 + h - 1, x() + w() - 1, y0 + h - 1);
  if (!traces) return;
  const int marge = std::max(1, h / 6);
  const int haut = y0 + marge, bas = y0 + h - 1 - marge;
  const std::vector<morceau_trace>& morceaux = traces->par_broche[l.broche];
  etat_trace avant = etat_trace::inconnu;
  for (const morceau_trace& m : morceaux) {
    const int xa = x0 + m.debut, xb = x0 + m.fin;
    switch (m.etat) {
      case etat_trace::bas:
      case etat_trace::haut: {
        const int yl = m.etat == etat_trace::haut ? haut : bas;
        fl_color(trait);
        // Thick enough to be seen on a projector.
        fl_line_style(FL_SOLID, h >= 20 ? 2 : 1);
        if (avant == etat_trace::bas || avant == etat_trace::haut)
          if (avant != m.etat) fl_line(xa, haut, xa, bas);
        fl_line(xa, yl, xb - 1, yl);
        fl_line_style(0);
        if (chiffres && xb - xa >= 12) {
          fl_color(FL_WHITE);
          fl_font(FL_COURIER_BOLD, std::min(14, std::max(8, bas - haut)));
          fl_draw(m.etat == etat_trace::haut ? "1" : "0", xa, haut, xb - xa,
                  bas - haut + 1, FL_ALIGN_CENTER);
        }
        break;
      }
      case etat_trace::agite:
        fl_color(agite);
        fl_rectf(xa, haut, xb - xa, bas - haut + 1);
        fl_color(trait);
        fl_line(xa, haut, xb - 1, haut);
        fl_line(xa, bas, xb - 1, bas);
        break;
      case etat_trace::inconnu:
        fl_color(inconnu);
        for (int x = xa - (xa % 6); x < xb; x += 6)
          if (x >= xa) fl_line(x, bas, std::min(xb - 1, x + 4), haut);
        break;
    }
    avant = m.etat;
  }
}

void trace_chronogramme::draw() {
  draw_box();
  fl_push_clip(x(), y(), w(), h());
  const int x0 = x() + marge_noms;
  const int zone = h() - hauteur_axe;
  if (lignes.empty()) {
    fl_color(FL_GRAY);
    fl_font(FL_HELVETICA, 14);
    fl_draw("Choisissez les signaux avec les boutons \xC2\xAB Sel \xC2\xBB",
            x(), y(), w(), zone, FL_ALIGN_CENTER);
  }
  const auto graduations = this->graduations();
  for (const auto& g : graduations) {
    fl_color(grille);
    fl_line(x0 + g.first, y(), x0 + g.first, y() + zone);
  }
  const int n = static_cast<int>(lignes.size());
  const int hauteur = n ? std::min(60, zone / n) : 0;
  for (int i = 0; i < n; ++i)
    dessine_ligne(lignes[i], y() + i * hauteur, hauteur);
  // The axis.
  fl_color(FL_GRAY);
  fl_line(x0, y() + zone, x() + w() - 1, y() + zone);
  fl_font(FL_HELVETICA, 10);
  // The unit at the right end; the labels that would run into it are left
  // out.
  const char* unite = texte_unite();
  const int gauche_unite = x() + w() - static_cast<int>(fl_width(unite)) - 4;
  fl_draw(unite, gauche_unite, y() + zone + 4, x() + w() - gauche_unite - 2,
          hauteur_axe - 4, FL_ALIGN_RIGHT | FL_ALIGN_INSIDE);
  for (const auto& g : graduations) {
    fl_line(x0 + g.first, y() + zone, x0 + g.first, y() + zone + 4);
    const int xt = x0 + g.first + 2;
    if (xt + fl_width(g.second.c_str()) + 6 > gauche_unite) continue;
    fl_draw(g.second.c_str(), xt, y() + zone + 4, 0, hauteur_axe - 4,
            FL_ALIGN_LEFT | FL_ALIGN_INSIDE);
  }
  // The clicks.
  for (auto [cycle, couleur] :
       {std::pair<int64_t, Fl_Color>{clic_precedent, marque_precedent},
        std::pair<int64_t, Fl_Color>{clic, marque_clic}}) {
    if (cycle < 0) continue;
    const long c = vue.colonne(static_cast<uint64_t>(cycle));
    if (c < 0 || c >= vue.colonnes) continue;
    fl_color(couleur);
    fl_line(x0 + static_cast<int>(c), y(), x0 + static_cast<int>(c),
            y() + zone);
  }
  fl_pop_clip();
}

int trace_chronogramme::handle(int evenement) {
  const int colonne = Fl::event_x() - x() - marge_noms;
  switch (evenement) {
    case FL_PUSH:
      if (colonne < 0) return 1;
      actions.push_back(
          {Fl::event_button() == FL_RIGHT_MOUSE ? geste::bornes : geste::clic,
           cycle_sous(colonne)});
      do_callback();
      return 1;
    case FL_MOUSEWHEEL:
      if (Fl::event_dy() == 0) return 0;
      actions.push_back(
          {Fl::event_dy() < 0 ? geste::zoom_avant : geste::zoom_arriere,
           cycle_sous(colonne)});
      do_callback();
      return 1;
    case FL_ENTER:
    case FL_LEAVE:
    case FL_MOVE:
      return 1;
    default:
      return Fl_Widget::handle(evenement);
  }
}
