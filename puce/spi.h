// The serial peripheral interface (SPI) of the MC68HC11E9 as a master, on
// PD2 (MISO), PD3 (MOSI), PD4 (SCK) and PD5 (SS), with one peripheral at
// the other end that answers each byte with a byte the user sets.
//
// Registers (offsets in the register block, reset values):
//   $28 SPCR  $04: SPIE SPE DWOM MSTR CPOL CPHA SPR1 SPR0. SCK is E / 2,
//             4, 16 or 32 (SPR1:SPR0).
//   $29 SPSR  $00: SPIF WCOL - MODF - - - -, read-only.
//   $2A SPDR  writes the shift register (a transfer when SPE and MSTR are
//             set), reads the byte last received.
// A write to SPDR in cycle w starts a transfer that sets SPIF in cycle
// w + 8 x (SCK period). SPIF and WCOL are cleared by a read of SPSR that
// sees them set followed by an access to SPDR; while SPIF is set and SPSR
// has not been read with it, writes to SPDR are ignored. A write during a
// transfer sets WCOL and is ignored. MODF: SS (PD5, an input while DDRD5
// is clear) low while SPE and MSTR are set; MSTR and DDRD5-2 are cleared,
// and a transfer under way stops. MODF is cleared by a read of SPSR that
// sees it set followed by a write to SPCR.
//
// Pins: while SPE is set, the SPI's outputs are outputs only where DDRD
// says so (MOSI, SCK for a master), its inputs are inputs whatever DDRD
// says (MISO for a master; SCK, MOSI, SS for a slave). SCK rests at CPOL;
// MOSI keeps the last bit shifted out. The byte sent reaches the machine's
// output (machine::sortie_spi) when SCK and MOSI are outputs; the byte
// received is the peripheral's (`miso`, $FF at power-up) when SCK is an
// output, else MISO's level in all eight bits.
//
// Left out: slave mode (no master at the other end: a write in slave mode
// waits in the shift register), the levels of each bit during a transfer,
// the delay before the first SCK edge (a transfer is taken to start on the
// write), DWOM, CPHA and CPOL's effect on the data. Reference: M68HC11
// Reference Manual, section 8 (SPI); MC68HC11E family data sheet,
// section 8.
#ifndef TAMRIX_PUCE_SPI_H
#define TAMRIX_PUCE_SPI_H

#include <cstdint>

class puce;

struct etat_spi {
  unsigned char spcr;
  unsigned char spsr;
  unsigned char recu;   // SPDR read: the byte last received
  unsigned char envoi;  // the byte in the shift register
  unsigned char lus;    // flags seen set by the last read of SPSR
  uint64_t fin;         // cycle in which SPIF is set (puce::jamais: none)
  unsigned char mosi;   // level MOSI keeps between transfers
  // The peripheral: what it answers (an input, kept across resets).
  unsigned char miso;
};

namespace spi {

constexpr unsigned char SPCR = 0x28, SPSR = 0x29, SPDR = 0x2A;
constexpr unsigned char SPIE = 0x80, SPE = 0x40, DWOM = 0x20, MSTR = 0x10,
                        CPOL = 0x08, CPHA = 0x04;
constexpr unsigned char SPIF = 0x80, WCOL = 0x40, MODF = 0x10;

void mise_sous_tension(puce& p);
void reset(puce& p);
bool possede(unsigned char offset);
unsigned char lit(puce& p, unsigned char offset);
void ecrit(puce& p, unsigned char offset, unsigned char valeur);
void rattrape(puce& p, uint64_t cycle);
uint64_t prochain(const puce& p);
uint32_t demandes(const puce& p);
uint32_t autorisees(const puce& p);

// E cycles of one SCK period for an SPCR value.
uint32_t periode(unsigned char spcr);
// SS or DDRD changed: the mode-fault check.
void verifie_ss(puce& p);
// Port D pins the SPI takes (as sci::broches).
void broches(const puce& p, unsigned char& sorties, unsigned char& entrees,
             unsigned char& pilotees, unsigned char& niveaux);

}  // namespace spi

#endif
