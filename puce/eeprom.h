// The EEPROM of the MC68HC11E9 and its programming: 512 bytes at
// $B600-$B7FF (cells of the machine's memory, which outlive resets) and the
// CONFIG byte, programmed and erased through PPROG.
//
// Registers (offsets in the block, reset values):
//   $35 BPROT   $1F: - - - PTCON BPRT3 BPRT2 BPRT1 BPRT0. A set bit
//               protects from programming and erasure: BPRT0 $B600-$B61F,
//               BPRT1 $B620-$B65F, BPRT2 $B660-$B6DF, BPRT3 $B6E0-$B7FF,
//               PTCON the CONFIG byte. Bits can be cleared only within the
//               first 64 E cycles after reset, set at any time.
//   $3B PPROG   $00: ODD EVEN - BYTE ROW ERASE EELAT EPGM. ODD and EVEN
//               act only in test mode (stored, no effect); bit 5 reads 0.
//   $3F CONFIG  reads the value latched at the last reset (registres.h);
//               a store takes part in a programming sequence.
//
// A sequence: set EELAT (with ERASE, BYTE, ROW for an erasure), store the
// data at the address (any address of the row, of the array for a bulk
// erase; CONFIG's address for CONFIG), set EPGM, wait, clear EPGM (and
// EELAT). EPGM can be set only while EELAT already is: a write that sets
// both sets EELAT alone. While EPGM is set a write to PPROG that keeps it
// set changes nothing; the write that clears it (or clears EELAT) ends the
// operation. The last store before EPGM is the one latched; a store while
// EPGM is set is refused. The operation happens when it ends, if EPGM was
// set for at least 20 000 E cycles (10 ms at E = 2 MHz): programming gives
// old AND new, an erasure $FF (byte, row of 16 bytes, or the whole array;
// CONFIG: $0F). Shorter, it changes nothing (a partly programmed byte is
// unpredictable on the chip) and is reported; so is a protected target.
// While EELAT is set the EEPROM reads $FF (carte.h).
//
// Left out: the charge pump's clock (CSEL) and E clocks other than 2 MHz,
// the test-mode rows (ODD, EVEN), wear. Reference manual, section 4
// (on-chip memory); E-family technical data, "EEPROM".
#ifndef TAMRIX_PUCE_EEPROM_H
#define TAMRIX_PUCE_EEPROM_H

#include <cstdint>

class puce;

struct etat_eeprom {
  unsigned char pprog;
  unsigned char bprot;
  // The store latched while EELAT is set: its address (or CONFIG) and data.
  bool latche;
  bool cible_config;
  unsigned short adresse;
  unsigned char donnee;
  // The cycle at which EPGM was set.
  uint64_t debut_epgm;
};

namespace eeprom {

constexpr unsigned char BPROT = 0x35, PPROG = 0x3B, CONFIG = 0x3F;
// PPROG bits.
constexpr unsigned char ODD = 0x80, EVEN = 0x40, BYTE = 0x10, ROW = 0x08,
                        ERASE = 0x04, EELAT = 0x02, EPGM = 0x01;
// BPROT bits.
constexpr unsigned char PTCON = 0x10;
// Programming and erase time at E = 2 MHz.
constexpr uint64_t cycles_programmation = 20000;

void reset(puce& p);
bool possede(unsigned char offset);
unsigned char lit(puce& p, unsigned char offset);
void ecrit(puce& p, unsigned char offset, unsigned char valeur);

// A CPU store to an EEPROM address: latched during a sequence, else
// refused.
void ecrit_cellule(puce& p, unsigned short adresse, unsigned char valeur);
// Whether BPROT protects the EEPROM cell at `adresse`.
bool protegee(const puce& p, unsigned short adresse);

}  // namespace eeprom

#endif
