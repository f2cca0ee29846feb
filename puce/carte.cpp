// The memory map on the cells, the bus of the marked cells, the refused
// accesses. See carte.h.
#include "puce/carte.h"

#include <algorithm>
#include <cstdio>
#include <utility>

#include "puce/eeprom.h"
#include "puce/machine.h"
#include "puce/puce.h"

namespace carte {

namespace {

constexpr unsigned short marque_lecture = mem_64k::marque_lecture;
constexpr unsigned short marque_ecriture = mem_64k::marque_ecriture;

// The cells of a machine without the chip hold the EEPROM and the ROM.
constexpr plan_carte plan_plat = {0x1000, 0x0000, true, true, true, false};

const plan_carte& plan_des_cellules(const puce& p) {
  return p.cellules.marquees ? p.cellules.plan : plan_plat;
}

unsigned short marques(const plan_carte& p, unsigned short adresse) {
  switch (zone(p, adresse)) {
    case zone_registres:
    case zone_absente:
      return marque_lecture | marque_ecriture;
    case zone_eeprom:
      return p.eelat ? marque_lecture | marque_ecriture : marque_ecriture;
    case zone_rom:
      return marque_ecriture;
    default:
      return 0;
  }
}

// The map's marks of a cell; other marks (a watch) stay as they are.
constexpr unsigned short marques_carte = marque_lecture | marque_ecriture;

void marque_plage(puce& p, unsigned debut, unsigned fin) {
  unsigned short* const cellules = p.mach().memoire.cellules;
  const plan_carte& plan = p.cellules.plan;
  for (unsigned a = debut; a <= fin; ++a) {
    const auto adresse = static_cast<unsigned short>(a);
    cellules[a] = static_cast<unsigned short>((cellules[a] & ~marques_carte) |
                                              marques(plan, adresse));
  }
}

// Where a chip memory enters or leaves the cells between two plans, the
// cell's byte and the kept one change places.
void echange(puce& p, const plan_carte& avant, const plan_carte& apres) {
  unsigned short* const cellules = p.mach().memoire.cellules;
  const struct {
    zone_carte zone;
    unsigned debut, taille;
    unsigned char* gardes;
  } memoires[2] = {
      {zone_eeprom, debut_eeprom, taille_eeprom, p.cellules.eeprom},
      {zone_rom, debut_rom, taille_rom, p.cellules.rom}};
  for (const auto& m : memoires)
    for (unsigned i = 0; i < m.taille; ++i) {
      const auto a = static_cast<unsigned short>(m.debut + i);
      if ((memoire(avant, a) == m.zone) == (memoire(apres, a) == m.zone))
        continue;
      const auto cellule = static_cast<unsigned char>(cellules[a]);
      cellules[a] =
          static_cast<unsigned short>((cellules[a] & 0xFF00) | m.gardes[i]);
      m.gardes[i] = cellule;
    }
}

std::string sans_accents(const std::string& texte) {
  std::string s;
  for (std::size_t i = 0; i < texte.size(); ++i) {
    const unsigned char c = static_cast<unsigned char>(texte[i]);
    if (c == 0xC3 && i + 1 < texte.size()) {
      const unsigned char d = static_cast<unsigned char>(texte[++i]);
      s += d == 0xA0 || d == 0xA2 ? 'a' : d == 0xAE ? 'i' : 'e';
    } else {
      s += texte[i];
    }
  }
  return s;
}

}  // namespace

plan_carte plan(const etat_puce& e) {
  const unsigned char config = e.systeme.config;
  const bool etendu = e.systeme.mode_etendu;
  return {e.base_registres,
          e.base_ram,
          (config & EEON) != 0,
          (config & ROMON) != 0 || !etendu,
          etendu,
          (e.eeprom.pprog & eeprom::EELAT) != 0};
}

zone_carte memoire(const plan_carte& p, unsigned short adresse) {
  const unsigned a = adresse;
  if (a - p.base_ram < taille_ram) return zone_ram;
  if (p.eeprom && a - debut_eeprom < taille_eeprom) return zone_eeprom;
  if (p.rom && a >= debut_rom) return zone_rom;
  return p.etendu ? zone_externe : zone_absente;
}

zone_carte zone(const plan_carte& p, unsigned short adresse) {
  if (static_cast<unsigned>(adresse) - p.base_registres < taille_registres)
    return zone_registres;
  return memoire(p, adresse);
}

std::vector<plage_carte> plages(const plan_carte& p) {
  std::vector<plage_carte> resultat;
  for (unsigned a = 0; a < 0x10000; ++a) {
    const zone_carte z = zone(p, static_cast<unsigned short>(a));
    if (!resultat.empty() && resultat.back().zone == z)
      resultat.back().fin = static_cast<unsigned short>(a);
    else
      resultat.push_back(
          {static_cast<unsigned short>(a), static_cast<unsigned short>(a), z});
  }
  return resultat;
}

void marque(puce& p) {
  const plan_carte nouveau = plan(p.etat);
  echange(p, plan_des_cellules(p), nouveau);
  p.cellules.plan = nouveau;
  p.cellules.marquees = true;
  marque_plage(p, 0, 0xFFFF);
}

void marque_eeprom(puce& p) {
  if (!p.cellules.marquees) return;
  p.cellules.plan.eelat = (p.etat.eeprom.pprog & eeprom::EELAT) != 0;
  marque_plage(p, debut_eeprom, debut_eeprom + taille_eeprom - 1);
}

void demarque(puce& p) {
  if (!p.cellules.marquees) return;
  mem_64k& mem = p.mach().memoire;
  unsigned char registres[taille_registres];
  for (unsigned i = 0; i < taille_registres; ++i)
    registres[i] = p.consulte(static_cast<unsigned char>(i));
  echange(p, p.cellules.plan, plan_plat);
  const unsigned short base = p.cellules.plan.base_registres;
  p.cellules.marquees = false;
  for (unsigned short& cellule : mem.cellules)
    cellule &= static_cast<unsigned short>(~marques_carte);
  // The block's last values become the cells' plain bytes.
  for (unsigned i = 0; i < taille_registres; ++i)
    mem.ecrit_brut(static_cast<unsigned short>(base + i), registres[i]);
}

unsigned char lit(puce& p, unsigned short adresse) {
  const plan_carte& plan = p.cellules.plan;
  switch (zone(plan, adresse)) {
    case zone_registres:
      return p.lit(static_cast<unsigned char>(adresse - plan.base_registres));
    case zone_eeprom:
      if (!plan.eelat) break;
      refuse(p, refus_lecture_eeprom, adresse);
      return 0xFF;
    case zone_absente:
      return 0xFF;
    default:
      break;
  }
  return p.mach().memoire.octet_brut(adresse);
}

void ecrit(puce& p, unsigned short adresse, unsigned char valeur) {
  const plan_carte& plan = p.cellules.plan;
  switch (zone(plan, adresse)) {
    case zone_registres:
      p.ecrit(static_cast<unsigned char>(adresse - plan.base_registres),
              valeur);
      return;
    case zone_eeprom:
      eeprom::ecrit_cellule(p, adresse, valeur);
      return;
    case zone_rom:
      refuse(p, refus_rom, adresse);
      return;
    case zone_absente:
      refuse(p, refus_absente, adresse);
      return;
    default:
      p.mach().memoire.ecrit_brut(adresse, valeur);
  }
}

unsigned char consulte(puce& p, unsigned short adresse) {
  const plan_carte& plan = p.cellules.plan;
  switch (zone(plan, adresse)) {
    case zone_registres:
      return p.consulte(
          static_cast<unsigned char>(adresse - plan.base_registres));
    case zone_eeprom:
      if (plan.eelat) return 0xFF;
      break;
    case zone_absente:
      return 0xFF;
    default:
      break;
  }
  return p.mach().memoire.octet_brut(adresse);
}

void refuse(puce& p, nature_refus nature, unsigned short adresse) {
  machine& m = p.mach();
  const unsigned short pc = p.instruction.hors ? m.cpu.PC : p.instruction.pc;
  m.note_refus({adresse, pc, nature});
}

unsigned char octet_eeprom(const puce& p, unsigned short adresse) {
  if (memoire(plan_des_cellules(p), adresse) == zone_eeprom)
    return p.mach().memoire.octet_brut(adresse);
  return p.cellules.eeprom[adresse - debut_eeprom];
}

void ecrit_eeprom(puce& p, unsigned short adresse, unsigned char valeur) {
  if (memoire(plan_des_cellules(p), adresse) == zone_eeprom)
    p.mach().memoire.ecrit_brut(adresse, valeur);
  else
    p.cellules.eeprom[adresse - debut_eeprom] = valeur;
}

void efface_eeprom(puce& p) {
  for (unsigned i = 0; i < taille_eeprom; ++i)
    ecrit_eeprom(p, static_cast<unsigned short>(debut_eeprom + i), 0xFF);
}

void efface_gardes(puce& p) {
  std::fill(std::begin(p.cellules.eeprom), std::end(p.cellules.eeprom), 0xFF);
  std::fill(std::begin(p.cellules.rom), std::end(p.cellules.rom), 0xFF);
}

std::string texte_refus(const acces_refuse& a, bool ascii) {
  static const char* const textes[] = {
      "écriture ignorée en ROM",
      "écriture ignorée en EEPROM",
      "écriture ignorée hors de la carte mémoire",
      "écriture ignorée dans CONFIG",
      "programmation EEPROM de moins de 10 ms, sans effet,",
      "programmation EEPROM refusée par BPROT",
      "lecture de l'EEPROM pendant sa programmation (EELAT)",
  };
  char texte[160];
  std::snprintf(texte, sizeof texte, "%s à $%04x (instruction à $%04x)",
                textes[a.nature], a.adresse, a.pc);
  return ascii ? sans_accents(texte) : texte;
}

}  // namespace carte
