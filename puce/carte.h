// The memory map of the MC68HC11E9 in its two normal modes, laid onto the
// machine's 64 KiB of cells, and the accesses the chip refuses.
//
// What answers at an address, highest priority first:
//   registres  the 64-byte block, on the 4 KiB page INIT's REG3:0 give
//              ($1000 at reset)
//   ram        512 bytes from the page INIT's RAM3:0 give ($0000)
//   eeprom     512 bytes at $B600-$B7FF, when CONFIG's EEON is set
//   rom        12 KiB at $D000-$FFFF, when CONFIG's ROMON is set (always in
//              single-chip mode, where ROMON is forced to 1)
//   externe    everything else in expanded mode: memory outside the chip
//              (the evaluation boards' RAM), plain cells
//   absente    everything else in single-chip mode: nothing answers; a read
//              gives $FF (the technical data gives no value: tamrix's
//              choice) and a write changes nothing
// The mode (MODA/MODB) and CONFIG are sampled at reset; INIT may move the
// RAM and the block within the first 64 cycles; while PPROG's EELAT is set
// the EEPROM cannot be read (tamrix returns $FF).
//
// The cells carry the map as marks (memory/mem_64k.h): the block has both
// marks, EEPROM and ROM the write mark (a store there is refused, unless an
// EEPROM programming sequence takes it), the EEPROM the read mark too while
// EELAT is set, an absent address both. RAM and external memory, and the
// reads of EEPROM and ROM, are plain cells: no cost.
//
// The EEPROM and the ROM keep their contents in their cells; when CONFIG
// takes one out of the map, or the RAM covers part of the ROM, what the
// cells showed is swapped with a store kept here, so that neither the
// chip's memories nor the memory that takes their place is lost.
// Bootstrap and special test modes (their ROM, RBOOT, SMOD) and the
// security mode (NOSEC) are not modelled.
#ifndef TAMRIX_PUCE_CARTE_H
#define TAMRIX_PUCE_CARTE_H

#include <cstdint>
#include <string>
#include <vector>

class puce;
struct etat_puce;

enum zone_carte : unsigned char {
  zone_registres,
  zone_ram,
  zone_eeprom,
  zone_rom,
  zone_externe,
  zone_absente
};

namespace carte {

constexpr unsigned short debut_eeprom = 0xB600, taille_eeprom = 512;
constexpr unsigned short debut_rom = 0xD000;
constexpr unsigned taille_rom = 0x3000;
constexpr unsigned short taille_ram = 512, taille_registres = 64;
// CONFIG bits.
constexpr unsigned char NOSEC = 0x08, NOCOP = 0x04, ROMON = 0x02, EEON = 0x01;

}  // namespace carte

// The inputs of the map.
struct plan_carte {
  unsigned short base_registres;
  unsigned short base_ram;
  bool eeprom;  // EEON
  bool rom;     // ROMON, or single-chip mode
  bool etendu;  // expanded mode
  bool eelat;   // EEPROM being programmed: not readable
};

// What the machine's cells hold, as the chip last laid its map onto them,
// and the contents the map keeps off the cells: where the EEPROM or ROM is
// out of the map, what they hold; where they are in it, what the memory
// that answers without them holds.
struct cellules_carte {
  plan_carte plan;
  bool marquees;
  unsigned char eeprom[carte::taille_eeprom];
  unsigned char rom[carte::taille_rom];
};

// An access the chip refused or that did not do what the program meant.
enum nature_refus : unsigned char {
  refus_rom,             // store to the ROM
  refus_eeprom,          // store to the EEPROM outside a sequence
  refus_absente,         // store outside the map (single-chip mode)
  refus_config,          // store to CONFIG outside a sequence
  refus_trop_court,      // sequence ended before 10 ms: nothing changed
  refus_protege,         // programming or erasure of a block BPROT protects
  refus_lecture_eeprom,  // read of the EEPROM while EELAT is set
};

struct acces_refuse {
  unsigned short adresse;
  unsigned short pc;  // of the instruction that made the access
  nature_refus nature;
};

namespace carte {

plan_carte plan(const etat_puce& e);
// The zone that answers at `adresse`.
zone_carte zone(const plan_carte& p, unsigned short adresse);
// The zone of the cell under the register block.
zone_carte memoire(const plan_carte& p, unsigned short adresse);

// The map as runs of addresses, from $0000 to $FFFF: what a drawing of
// it shows.
struct plage_carte {
  unsigned short debut;
  unsigned short fin;  // included
  zone_carte zone;
};
std::vector<plage_carte> plages(const plan_carte& p);

// Lays the map of the chip's state onto the cells (at reset, after INIT),
// or only its EEPROM part (EELAT); takes it off, leaving plain cells that
// hold the chip's memories and the registers' last values.
void marque(puce& p);
void marque_eeprom(puce& p);
void demarque(puce& p);

// The CPU's accesses to marked cells, and a look without side effects.
unsigned char lit(puce& p, unsigned short adresse);
void ecrit(puce& p, unsigned short adresse, unsigned char valeur);
unsigned char consulte(puce& p, unsigned short adresse);
// Notes a refused access of the instruction under way.
void refuse(puce& p, nature_refus nature, unsigned short adresse);

// The EEPROM's content, in or out of the map: a cell, and the whole array
// back to erased ($FF).
unsigned char octet_eeprom(const puce& p, unsigned short adresse);
void ecrit_eeprom(puce& p, unsigned short adresse, unsigned char valeur);
void efface_eeprom(puce& p);
// What the map keeps off the cells (an EEPROM or ROM out of the map, the
// memory under them while in it) back to erased ($FF).
void efface_gardes(puce& p);

// "écriture ignorée en EEPROM à $b701 (instruction à $b612)"; without
// accents when `ascii`.
std::string texte_refus(const acces_refuse& a, bool ascii);

}  // namespace carte

#endif
