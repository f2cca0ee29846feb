// The HD44780U's instructions, RAM and busy flag. See hd44780.h.
#include "platine/hd44780.h"

#include <algorithm>
#include <cstdio>

namespace hd44780 {

namespace {

// The DDRAM address after one step of the address counter, wrapping as
// the data sheet says: $4F -> $00 in 1-line mode; $27 -> $40 and
// $67 -> $00 in 2-line mode (and back the other way).
unsigned char pas_ddram(const etat_hd44780& e, unsigned char a, bool plus) {
  if (!e.deux_lignes)
    return static_cast<unsigned char>(plus ? (a + 1) % 80 : (a + 79) % 80);
  if (plus) {
    if (a == 0x27) return 0x40;
    if (a == 0x67) return 0x00;
    return static_cast<unsigned char>(a + 1);
  }
  if (a == 0x00) return 0x67;
  if (a == 0x40) return 0x27;
  return static_cast<unsigned char>(a - 1);
}

// An address of either memory brought within its range.
unsigned char adresse_valide(const etat_hd44780& e, unsigned char a) {
  if (e.vers_cgram) return a & 0x3F;
  if (!e.deux_lignes) return a < 80 ? a : 0;
  a &= 0x7F;
  if (a >= 0x28 && a < 0x40) return 0x40;
  if (a >= 0x68) return 0x00;
  return a;
}

void avance(etat_hd44780& e, bool plus) {
  if (e.vers_cgram)
    e.ac = static_cast<unsigned char>((e.ac + (plus ? 1 : 63)) & 0x3F);
  else
    e.ac = pas_ddram(e, e.ac, plus);
}

unsigned char& octet_a_ac(etat_hd44780& e) {
  if (e.vers_cgram) return e.cgram[e.ac & 0x3F];
  return e.ddram[cellule_ddram(e, e.ac)];
}

int longueur_ligne(const etat_hd44780& e) { return e.deux_lignes ? 40 : 80; }

void decale_affichage(etat_hd44780& e, bool gauche) {
  const int n = longueur_ligne(e);
  e.decalage =
      static_cast<unsigned char>((e.decalage + (gauche ? 1 : n - 1)) % n);
}

void instruction(etat_hd44780& e, unsigned char i) {
  if (i & 0x80) {  // set DDRAM address
    e.vers_cgram = false;
    e.ac = adresse_valide(e, i & 0x7F);
    e.dr = octet_a_ac(e);
  } else if (i & 0x40) {  // set CGRAM address
    e.vers_cgram = true;
    e.ac = i & 0x3F;
    e.dr = octet_a_ac(e);
  } else if (i & 0x20) {  // function set
    e.huit_bits = (i & 0x10) != 0;
    e.deux_lignes = (i & 0x08) != 0;
    e.grande_police = (i & 0x04) != 0;
    if (!e.vers_cgram) e.ac = adresse_valide(e, e.ac);
    e.decalage = static_cast<unsigned char>(e.decalage % longueur_ligne(e));
  } else if (i & 0x10) {  // cursor or display shift
    const bool droite = (i & 0x04) != 0;
    if (i & 0x08) {
      decale_affichage(e, !droite);
    } else {
      avance(e, droite);
      e.dr = octet_a_ac(e);
    }
  } else if (i & 0x08) {  // display on/off control
    e.affichage = (i & 0x04) != 0;
    e.curseur = (i & 0x02) != 0;
    e.clignote = (i & 0x01) != 0;
  } else if (i & 0x04) {  // entry mode set
    e.increment = (i & 0x02) != 0;
    e.decale_ecriture = (i & 0x01) != 0;
  } else if (i & 0x02) {  // return home
    e.vers_cgram = false;
    e.ac = 0;
    e.decalage = 0;
  } else if (i & 0x01) {  // clear display
    std::fill(std::begin(e.ddram), std::end(e.ddram), 0x20);
    e.vers_cgram = false;
    e.ac = 0;
    e.decalage = 0;
    e.increment = true;
  }
}

}  // namespace

void mise_sous_tension(etat_hd44780& e, uint64_t cycle) {
  e = etat_hd44780{};
  std::fill(std::begin(e.ddram), std::end(e.ddram), 0x20);
  e.increment = true;
  e.huit_bits = true;
  e.occupe_jusqua = cycle + duree_reset;
}

bool ecrit(etat_hd44780& e, bool rs, unsigned char octet, uint64_t cycle) {
  if (occupe(e, cycle)) {
    ++e.perdues;
    return false;
  }
  if (rs) {
    octet_a_ac(e) = octet;
    const bool decale = e.decale_ecriture && !e.vers_cgram;
    avance(e, e.increment);
    if (decale) decale_affichage(e, e.increment);
    e.dr = octet;
    e.occupe_jusqua = cycle + duree_courte;
    return true;
  }
  instruction(e, octet);
  e.occupe_jusqua =
      cycle +
      (octet == 0x01 || (octet & 0xFE) == 0x02 ? duree_longue : duree_courte);
  return true;
}

unsigned char lit(const etat_hd44780& e, bool rs, uint64_t cycle) {
  if (rs) return e.dr;
  return static_cast<unsigned char>((occupe(e, cycle) ? 0x80 : 0x00) |
                                    (e.ac & 0x7F));
}

void fin_lecture(etat_hd44780& e, bool rs, uint64_t cycle) {
  if (!rs) return;
  if (occupe(e, cycle)) {
    ++e.perdues;
    return;
  }
  avance(e, e.increment);
  e.dr = octet_a_ac(e);
  e.occupe_jusqua = cycle + duree_courte;
}

int cellule_ddram(const etat_hd44780& e, unsigned char a) {
  if (!e.deux_lignes) return a % 80;
  return (a & 0x40) ? 40 + (a & 0x3F) % 40 : (a & 0x3F) % 40;
}

int code_affiche(const etat_hd44780& e, int ligne, int colonne, int lignes,
                 int colonnes) {
  if (!e.affichage) return -1;
  if (!e.deux_lignes) {
    // One line driven: the first of the module, 80 characters around.
    if (ligne != 0) return -1;
    return e.ddram[(e.decalage + colonne) % 80];
  }
  // Lines 3 and 4 of a 4-line module continue lines 1 and 2.
  const int rangee = ligne % 2;
  const int debut = lignes == 4 && ligne >= 2 ? colonnes : 0;
  return e.ddram[rangee * 40 + (e.decalage + debut + colonne) % 40];
}

bool position_curseur(const etat_hd44780& e, int lignes, int colonnes,
                      int& ligne, int& colonne) {
  if (!e.affichage || !(e.curseur || e.clignote) || e.vers_cgram) return false;
  const int cellule = cellule_ddram(e, e.ac);
  for (int l = 0; l < lignes; ++l)
    for (int c = 0; c < colonnes; ++c) {
      if (code_affiche(e, l, c, lignes, colonnes) < 0) continue;
      const int rangee = l % 2;
      const int debut = lignes == 4 && l >= 2 ? colonnes : 0;
      const int ici = e.deux_lignes
                          ? rangee * 40 + (e.decalage + debut + c) % 40
                          : (e.decalage + c) % 80;
      if (ici == cellule) {
        ligne = l;
        colonne = c;
        return true;
      }
    }
  return false;
}

std::string texte_ligne(const etat_hd44780& e, int ligne, int lignes,
                        int colonnes) {
  std::string texte;
  for (int c = 0; c < colonnes; ++c) {
    const int code = code_affiche(e, ligne, c, lignes, colonnes);
    if (code < 0) {
      texte += ' ';
    } else if (code < 0x10) {
      texte += '\\';
      texte += static_cast<char>('0' + code % 8);
    } else if (code == '"') {
      texte += "\\\"";
    } else if (code == 0x5C) {
      texte += "\xC2\xA5";  // ¥
    } else if (code >= 0x20 && code <= 0x7D) {
      texte += static_cast<char>(code);
    } else {
      char hex[8];
      std::snprintf(hex, sizeof hex, "\\x%02x", code);
      texte += hex;
    }
  }
  return texte;
}

}  // namespace hd44780
