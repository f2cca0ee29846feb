// The screen of a serial terminal. See ecran_serie.h.
#include "serie/ecran_serie.h"

#include <algorithm>
#include <cstdlib>

ecran_serie::ecran_serie(std::size_t max_lignes)
    : lignes_(1), max_lignes_(std::max<std::size_t>(max_lignes, hauteur)) {}

void ecran_serie::efface() {
  retirees_ += lignes_.size();
  lignes_.assign(1, std::string());
  ligne_ = 0;
  colonne_ = 0;
  retour_en_attente_ = false;
  echappement_ = 0;
  premiere_changee_ = 0;
}

void ecran_serie::fixe_colonnes(int n) {
  colonnes_ = std::max(n, colonnes_min);
  colonne_ = std::min(colonne_, colonnes_ - 1);
}

void ecran_serie::change(std::size_t ligne) {
  premiere_changee_ = std::min(premiere_changee_, ligne);
}

ecran_serie::changements ecran_serie::prend_changements() {
  const changements c{retirees_, premiere_changee_};
  retirees_ = 0;
  premiere_changee_ = lignes_.size();
  return c;
}

// One line down; a new line at the bottom, the oldest going past the
// bound.
void ecran_serie::descend() {
  retour_en_attente_ = false;
  ++ligne_;
  if (ligne_ == lignes_.size()) {
    // The line before now ends with a line break: a change for a copy.
    lignes_.emplace_back();
    change(ligne_ - 1);
  }
  if (lignes_.size() > max_lignes_) {
    const std::size_t n = lignes_.size() - max_lignes_;
    lignes_.erase(lignes_.begin(), lignes_.begin() + static_cast<long>(n));
    ligne_ -= n;
    retirees_ += n;
    premiere_changee_ = premiere_changee_ > n ? premiere_changee_ - n : 0;
  }
}

std::size_t ecran_serie::haut_ecran() {
  while (lignes_.size() < static_cast<std::size_t>(hauteur)) {
    change(lignes_.size() - 1);
    lignes_.emplace_back();
  }
  return lignes_.size() - hauteur;
}

void ecran_serie::ecrit(unsigned char octet) {
  if (retour_en_attente_) {
    descend();
    colonne_ = 0;
  }
  std::string& l = lignes_[ligne_];
  if (l.size() <= static_cast<std::size_t>(colonne_))
    l.resize(static_cast<std::size_t>(colonne_) + 1, ' ');
  l[static_cast<std::size_t>(colonne_)] = static_cast<char>(octet);
  change(ligne_);
  if (colonne_ + 1 >= colonnes_)
    retour_en_attente_ = true;
  else
    ++colonne_;
}

void ecran_serie::sequence(char finale) {
  // The parameters, 0 when absent.
  std::vector<int> p;
  std::size_t debut = 0;
  do {
    const std::size_t fin = parametres_.find(';', debut);
    p.push_back(std::atoi(parametres_.substr(debut, fin - debut).c_str()));
    debut = fin == std::string::npos ? fin : fin + 1;
  } while (debut != std::string::npos);
  const int n = std::max(p[0], 1);
  // The screen: its last `hauteur` lines (made when there are fewer), for
  // the sequences that place the cursor or erase it.
  const bool ecran =
      finale == 'A' || finale == 'H' || finale == 'f' || finale == 'J';
  const std::size_t haut = ecran ? haut_ecran() : 0;
  retour_en_attente_ = false;
  switch (finale) {
    case 'A':
      ligne_ = std::max(haut, ligne_ >= static_cast<std::size_t>(n)
                                  ? ligne_ - static_cast<std::size_t>(n)
                                  : 0);
      break;
    case 'B':
      ligne_ =
          std::min(lignes_.size() - 1, ligne_ + static_cast<std::size_t>(n));
      break;
    case 'C':
      colonne_ = std::min(colonnes_ - 1, colonne_ + n);
      break;
    case 'D':
      colonne_ = std::max(0, colonne_ - n);
      break;
    case 'H':
    case 'f': {
      const int rang = std::clamp(n, 1, static_cast<int>(hauteur));
      const int colonne = p.size() > 1 ? std::max(p[1], 1) : 1;
      ligne_ = haut + static_cast<std::size_t>(rang - 1);
      colonne_ = std::min(colonnes_ - 1, colonne - 1);
      break;
    }
    case 'J': {
      // 0: from the cursor to the end, 1: from the top to the cursor, 2:
      // the whole screen.
      const std::size_t de = p[0] == 0 ? ligne_ + 1 : haut;
      const std::size_t a = p[0] == 1 ? ligne_ : lignes_.size();
      for (std::size_t i = de; i < a; ++i) lignes_[i].clear();
      change(std::min(de, ligne_));
      if (p[0] == 2) break;
      [[fallthrough]];
    }
    case 'K': {
      std::string& l = lignes_[ligne_];
      const auto c = static_cast<std::size_t>(colonne_);
      // J's 0 and 1 end here with K's: the cursor's line up to or from it.
      const int mode = p[0];
      if (mode == 0 && l.size() > c) l.resize(c);
      if (mode == 1)
        std::fill(l.begin(), l.begin() + std::min(l.size(), c + 1), ' ');
      if (mode == 2) l.clear();
      change(ligne_);
      break;
    }
    default:
      break;
  }
}

void ecran_serie::recoit(unsigned char o) {
  if (echappement_ == 1) {
    echappement_ = o == '[' ? 2 : 0;
    parametres_.clear();
    return;
  }
  if (echappement_ == 2) {
    if (o >= 0x40 && o <= 0x7E) {
      echappement_ = 0;
      sequence(static_cast<char>(o));
    } else {
      parametres_ += static_cast<char>(o);
      // A sequence that never ends is given up.
      if (parametres_.size() > 32) echappement_ = 0;
    }
    return;
  }
  switch (o) {
    case 0x07:
      ++sonneries_;
      return;
    case 0x08:
      retour_en_attente_ = false;
      if (colonne_ > 0) --colonne_;
      return;
    case 0x09:
      retour_en_attente_ = false;
      colonne_ = std::min(colonnes_ - 1, (colonne_ / 8 + 1) * 8);
      return;
    case 0x0A:
    case 0x0B:
    case 0x0C:
      if (lf_crlf) colonne_ = 0;
      descend();
      return;
    case 0x0D:
      retour_en_attente_ = false;
      colonne_ = 0;
      if (cr_crlf) descend();
      return;
    case 0x1B:
      echappement_ = 1;
      return;
    default:
      break;
  }
  // NUL, DEL and the other control characters show nothing.
  if (o < 0x20 || o == 0x7F) return;
  ecrit(o);
}

void ecran_serie::recoit(const std::string& octets) {
  for (char c : octets) recoit(static_cast<unsigned char>(c));
}

std::string ecran_serie::ligne_utf8(std::size_t i) const {
  std::string texte;
  const std::string& l = lignes_[i];
  std::size_t n = l.size();
  while (n > 0 && l[n - 1] == ' ') --n;
  for (std::size_t k = 0; k < n; ++k) {
    const auto o = static_cast<unsigned char>(l[k]);
    if (o < 0x80) {
      texte += static_cast<char>(o);
    } else if (o < 0xA0) {
      texte += "\xEF\xBF\xBD";  // U+FFFD
    } else {
      texte += static_cast<char>(0xC0 | o >> 6);
      texte += static_cast<char>(0x80 | (o & 0x3F));
    }
  }
  return texte;
}

std::string ecran_serie::texte() const {
  std::string t;
  for (std::size_t i = 0; i < lignes_.size(); ++i) {
    if (i) t += '\n';
    t += ligne_utf8(i);
  }
  return t;
}
