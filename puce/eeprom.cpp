// EEPROM programming through PPROG, BPROT's protection, CONFIG's EEPROM
// byte. See eeprom.h.
#include "puce/eeprom.h"

#include "puce/carte.h"
#include "puce/puce.h"

namespace eeprom {

namespace {

// First address of each block BPRT0..BPRT3, and the end of the array.
constexpr unsigned short debuts_blocs[5] = {0xB600, 0xB620, 0xB660, 0xB6E0,
                                            0xB800};
constexpr unsigned short taille_rangee = 16;

unsigned short adresse_config(const puce& p) {
  return static_cast<unsigned short>(p.etat.base_registres + CONFIG);
}

void latche(puce& p, bool config, unsigned short adresse,
            unsigned char valeur) {
  etat_eeprom& e = p.etat.eeprom;
  e.latche = true;
  e.cible_config = config;
  e.adresse = adresse;
  e.donnee = valeur;
}

bool sequence_ouverte(const etat_eeprom& e) {
  return (e.pprog & EELAT) && !(e.pprog & EPGM);
}

void programme_config(puce& p) {
  const etat_eeprom& e = p.etat.eeprom;
  unsigned char& config = p.etat.systeme.config_eeprom;
  if (e.bprot & PTCON) {
    carte::refuse(p, refus_protege, adresse_config(p));
    return;
  }
  config = (e.pprog & ERASE)
               ? 0x0F
               : static_cast<unsigned char>(config & e.donnee & 0x0F);
}

// Erases (to $FF) or programs (AND) the cells from `debut` to `fin`
// included that no block protects; true when one was protected.
bool applique(puce& p, unsigned short debut, unsigned short fin) {
  const etat_eeprom& e = p.etat.eeprom;
  bool protege = false;
  for (unsigned a = debut; a <= fin; ++a) {
    const auto adresse = static_cast<unsigned short>(a);
    if (protegee(p, adresse)) {
      protege = true;
      continue;
    }
    const unsigned char avant = carte::octet_eeprom(p, adresse);
    carte::ecrit_eeprom(p, adresse,
                        (e.pprog & ERASE)
                            ? 0xFF
                            : static_cast<unsigned char>(avant & e.donnee));
  }
  return protege;
}

// EPGM is cleared at `fin`: the operation, if it lasted long enough.
void termine(puce& p, uint64_t fin) {
  const etat_eeprom& e = p.etat.eeprom;
  if (!e.latche) return;
  const unsigned short cible = e.cible_config ? adresse_config(p) : e.adresse;
  if (fin - e.debut_epgm < cycles_programmation) {
    carte::refuse(p, refus_trop_court, cible);
    return;
  }
  if (e.cible_config) return programme_config(p);
  unsigned short debut = e.adresse, dernier = e.adresse;
  if ((e.pprog & ERASE) && !(e.pprog & BYTE)) {
    if (e.pprog & ROW) {
      debut = static_cast<unsigned short>(e.adresse & ~(taille_rangee - 1));
      dernier = static_cast<unsigned short>(debut + taille_rangee - 1);
    } else {
      debut = carte::debut_eeprom;
      dernier = carte::debut_eeprom + carte::taille_eeprom - 1;
    }
  }
  if (applique(p, debut, dernier)) carte::refuse(p, refus_protege, cible);
}

}  // namespace

bool protegee(const puce& p, unsigned short adresse) {
  for (int b = 0; b < 4; ++b)
    if (adresse >= debuts_blocs[b] && adresse < debuts_blocs[b + 1])
      return (p.etat.eeprom.bprot >> b) & 1;
  return false;
}

void reset(puce& p) {
  p.etat.eeprom = etat_eeprom{};
  p.etat.eeprom.bprot = 0x1F;
}

bool possede(unsigned char offset) {
  return offset == BPROT || offset == PPROG || offset == CONFIG;
}

unsigned char lit(puce& p, unsigned char offset) {
  switch (offset) {
    case BPROT:
      return p.etat.eeprom.bprot;
    case PPROG:
      return p.etat.eeprom.pprog;
    default:
      return p.etat.systeme.config;
  }
}

void ecrit(puce& p, unsigned char offset, unsigned char valeur) {
  etat_eeprom& e = p.etat.eeprom;
  if (offset == BPROT) {
    valeur &= 0x1F;
    e.bprot = systeme::bits_proteges_libres(p)
                  ? valeur
                  : static_cast<unsigned char>(e.bprot | valeur);
    return;
  }
  if (offset == CONFIG) {
    if (sequence_ouverte(e))
      latche(p, true, adresse_config(p), valeur);
    else
      carte::refuse(p, refus_config, adresse_config(p));
    return;
  }
  // PPROG.
  const bool eelat_avant = (e.pprog & EELAT) != 0;
  unsigned char v = valeur & static_cast<unsigned char>(~0x20);
  if (e.pprog & EPGM) {
    // The voltage is on: only clearing EPGM or EELAT ends it.
    if ((v & EPGM) && (v & EELAT)) return;
    termine(p, p.instant());
    v &= static_cast<unsigned char>(~EPGM);
  } else if (!eelat_avant || !(v & EELAT)) {
    v &= static_cast<unsigned char>(~EPGM);
  }
  if ((v & EPGM) && !(e.pprog & EPGM)) e.debut_epgm = p.instant();
  e.pprog = v;
  if (!(v & EELAT)) e.latche = false;
  if (eelat_avant != ((v & EELAT) != 0)) carte::marque_eeprom(p);
}

void ecrit_cellule(puce& p, unsigned short adresse, unsigned char valeur) {
  if (sequence_ouverte(p.etat.eeprom))
    latche(p, false, adresse, valeur);
  else
    carte::refuse(p, refus_eeprom, adresse);
}

}  // namespace eeprom
