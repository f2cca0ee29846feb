// The disassembler: instruction texts and instruction boundaries, read from
// the operand-count, mode and mnemonic tables of the opcode map.
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>

#include "cpu/interpreteur.h"
#include "memory/mem_64k.h"

namespace {

// Where the walk of desa_num_pre starts: the program start address.
constexpr unsigned short debut_programme = 0xB600;
// The longest text: BRSET indexed with offset, mask and branch offset 0xff.
constexpr std::size_t longueur_texte_max = 16;

// One row of the opcode map, and where its operand bytes start.
struct rangee {
  unsigned char nb_operandes;
  unsigned char mode;
  const char* mnemonique;
  unsigned short premier_operande;
};

rangee rangee_de_page(const unsigned char* nb, const unsigned char* modes,
                      const char (*mnemos)[6], unsigned char code,
                      unsigned short premier_operande) {
  return {nb[code], modes[code], mnemos[code], premier_operande};
}

// The row of the instruction at `a`: after a prebyte, the row of the next
// byte in that prebyte's page.
rangee cherche_rangee(const mem_64k& mem, unsigned short a) {
  using I = interpreteur;
  const unsigned char premier = mem.consulte(a);
  const unsigned char second = mem.consulte(static_cast<unsigned short>(a + 1));
  const auto apres = static_cast<unsigned short>(a + 2);
  switch (premier) {
    case 0x18:
      return rangee_de_page(I::nb_operand_18, I::t_prb_18, I::tab_mnemo_18,
                            second, apres);
    case 0x1A:
      return rangee_de_page(I::nb_operand_1A, I::t_prb_1A, I::tab_mnemo_1A,
                            second, apres);
    case 0xCD:
      return rangee_de_page(I::nb_operand_CD, I::t_prb_CD, I::tab_mnemo_CD,
                            second, apres);
    default:
      return rangee_de_page(I::nb_operand, I::t_adr, I::tab_mnemo, premier,
                            static_cast<unsigned short>(a + 1));
  }
}

unsigned short fin_de(const rangee& r) {
  return static_cast<unsigned short>(r.premier_operande + r.nb_operandes);
}

std::string en_hexa(const char* format, unsigned valeur) {
  char texte[16];
  std::snprintf(texte, sizeof texte, format, valeur);
  return texte;
}

// The text of the first operand and how many bytes it takes.
std::string premier_operande(mem_64k& mem, const rangee& r, unsigned& lus) {
  const unsigned short p = r.premier_operande;
  lus = 1;
  switch (r.mode) {
    case interpreteur::IMM:
      if (r.nb_operandes < 2) return en_hexa("#$%x", mem.consulte(p));
      lus = 2;
      return en_hexa("#$%x",
                     mem.consulte(p) << 8 |
                         mem.consulte(static_cast<unsigned short>(p + 1)));
    case interpreteur::DIR:
      return mem.specific_byte_name(p);
    case interpreteur::EXT:
      lus = 2;
      return mem.specific_word_name(p);
    case interpreteur::INDX:
      return en_hexa("$%x,X", mem.consulte(p));
    case interpreteur::INDY:
      return en_hexa("$%x,Y", mem.consulte(p));
    case interpreteur::REL:
      return en_hexa("$%x", mem.consulte(p));
    default:  // INH, PRB, NOS: no operand text
      lus = 0;
      return "";
  }
}

// Every operand byte after the first operand: masks and branch offsets.
std::string operandes(mem_64k& mem, const rangee& r) {
  if (r.nb_operandes == 0) return "";
  unsigned lus = 0;
  std::string texte = premier_operande(mem, r, lus);
  if (lus == 0) return texte;
  for (unsigned i = lus; i < r.nb_operandes; ++i)
    texte += en_hexa(
        "$%x",
        mem.consulte(static_cast<unsigned short>(r.premier_operande + i)));
  return texte;
}

}  // namespace

unsigned short interpreteur::desa_ins(unsigned short adresse, char* texte) {
  const rangee r = cherche_rangee(*mem, adresse);
  const std::string ligne =
      std::string(r.mnemonique, strnlen(r.mnemonique, 5)) + operandes(*mem, r);
  const std::size_t longueur = std::min(ligne.size(), longueur_texte_max);
  std::memcpy(texte, ligne.data(), longueur);
  texte[longueur] = '\0';
  return fin_de(r);
}

unsigned short interpreteur::desa_num(unsigned short adresse) {
  return fin_de(cherche_rangee(*mem, adresse));
}

// Walks from the program start while the walk stays below `adresse`; a step
// that would wrap past 0xFFFF stops the walk. When the walk does not land on
// `adresse`, the four addresses below it are probed, nearest first, never
// below 0x0000. With no match the answer is `adresse` - 5, or 0x0000 when
// that would be below it.
unsigned short interpreteur::desa_num_pre(unsigned short adresse) {
  unsigned short precedente = debut_programme;
  unsigned short q = debut_programme;
  do {
    precedente = q;
    q = desa_num(q);
  } while (q > precedente && q < adresse);
  if (q > precedente && q == adresse) return precedente;
  for (unsigned recul = 1; recul <= 4 && recul <= adresse; ++recul) {
    const auto candidate = static_cast<unsigned short>(adresse - recul);
    if (desa_num(candidate) == adresse) return candidate;
  }
  return adresse >= 5 ? static_cast<unsigned short>(adresse - 5) : 0;
}
