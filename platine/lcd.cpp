// The LCD module's interface over pins or the bus. See lcd.h.
#include "platine/lcd.h"

namespace lcd {

namespace {

bool quatre_lignes(const composant_decrit& c) {
  return !c.sur_bus && c.broches.size() == 4;
}

}  // namespace

void front_e(etat_hd44780& e, const composant_decrit& c, bool rs, bool rw,
             unsigned donnees, uint64_t cycle) {
  // D7-D4 as a nibble, and the whole byte the lines give (D3-D0 at 0 on a
  // 4-line wiring).
  const bool quatre = quatre_lignes(c);
  const auto octet =
      static_cast<unsigned char>(quatre ? donnees << 4 : donnees);
  const unsigned char quartet = static_cast<unsigned char>(octet >> 4);
  if (e.huit_bits) {
    e.second_quartet = false;
    if (rw)
      hd44780::fin_lecture(e, rs, cycle);
    else
      hd44780::ecrit(e, rs, octet, cycle);
    return;
  }
  if (!e.second_quartet) {
    e.second_quartet = true;
    e.quartet_haut = quartet;
    return;
  }
  e.second_quartet = false;
  if (rw)
    hd44780::fin_lecture(e, rs, cycle);
  else
    hd44780::ecrit(e, rs,
                   static_cast<unsigned char>(e.quartet_haut << 4 | quartet),
                   cycle);
}

unsigned sortie(const etat_hd44780& e, const composant_decrit& c, bool rs,
                uint64_t cycle) {
  const unsigned char v = hd44780::lit(e, rs, cycle);
  unsigned char octet = v;
  if (!e.huit_bits)
    octet = static_cast<unsigned char>(e.second_quartet ? v << 4 : v & 0xF0);
  return quatre_lignes(c) ? octet >> 4 : octet;
}

void ecrit_bus(etat_hd44780& e, const composant_decrit& c, bool rs,
               unsigned char octet, uint64_t cycle) {
  front_e(e, c, rs, false, octet, cycle);
}

unsigned char lit_bus(etat_hd44780& e, const composant_decrit& c, bool rs,
                      uint64_t cycle) {
  const auto v = static_cast<unsigned char>(sortie(e, c, rs, cycle));
  front_e(e, c, rs, true, 0, cycle);
  return v;
}

unsigned char consulte_bus(const etat_hd44780& e, const composant_decrit& c,
                           bool rs, uint64_t cycle) {
  return static_cast<unsigned char>(sortie(e, c, rs, cycle));
}

std::string texte(const etat_hd44780& e, const composant_decrit& c) {
  std::string t;
  for (int l = 0; l < c.lignes; ++l)
    t += (l ? " \"" : "\"") + hd44780::texte_ligne(e, l, c.lignes, c.colonnes) +
         "\"";
  return t;
}

}  // namespace lcd
