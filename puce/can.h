// The analog-to-digital converter of the MC68HC11E9 and the analog inputs
// of port E (AN0-AN7) with its reference voltages VRH and VRL.
//
// Registers (offsets in the register block, reset values):
//   $30 ADCTL  $00: CCF - SCAN MULT CD CC CB CA. CCF is read-only; a write
//              clears it and starts a new sequence (stopping the one under
//              way).
//   $31-$34 ADR1-ADR4  $00, read-only: the results.
// OPTION's ADPU (registres.cpp) powers the converter: while it is clear a
// write to ADCTL starts nothing and a sequence under way stops. CSEL
// (the RC clock) changes nothing here: conversions take 32 E cycles.
//
// A sequence started by a write in cycle w converts four times, 32 E
// cycles each: conversion k (0, 1, ...) samples its input during its first
// 12 cycles and its result is in ADR(k mod 4 + 1) from cycle w + 32(k + 1)
// + 1 on; CCF is set with the fourth. MULT = 0 converts the channel
// CD:CC:CB:CA four times, MULT = 1 the four channels of group CD:CC. SCAN =
// 1 goes on forever. Channels 1100, 1101 and 1110 convert VRH, VRL and
// VRH / 2; the reserved 10xx and 1111 give $00.
// Result = round(255 x (Vin - VRL) / (VRH - VRL)), $00 at VRL and below,
// $FF at VRH and above.
//
// The analog levels are inputs (kept across resets; at power-up every AN
// at 0 V, VRH 5 V, VRL 0 V), in microvolts, set through the machine. They
// change only from outside, so a continuous scan is computed only as far
// as its results can differ: a few conversions after each change, then
// nothing until the next. PORTE's digital reads follow them: a pin reads 1
// at 0.7 x VDD (3.5 V) and above.
//
// Left out: the 100 us the charge pump needs after ADPU is set (results
// are right at once), the RC clock's own rate, conversion errors and
// leakage. Reference: M68HC11 Reference Manual, section 12 (A/D);
// MC68HC11E family data sheet, section 3 (A/D converter).
#ifndef TAMRIX_PUCE_CAN_H
#define TAMRIX_PUCE_CAN_H

#include <cstdint>

class puce;

struct etat_can {
  unsigned char adctl;  // CCF and the control bits written
  unsigned char adr[4];
  bool en_cours;    // a sequence runs
  uint64_t debut;   // cycle of the ADCTL write that started it
  uint64_t faites;  // conversions done (or skipped: same results)
  uint64_t limite;  // conversions to compute; beyond, nothing changes
  // The result of the conversion under way when its input changed after
  // it was sampled.
  bool fige;
  unsigned char valeur_figee;
  // Inputs: AN0-AN7, VRH, VRL in microvolts.
  int32_t tensions[10];
};

namespace can {

constexpr unsigned char ADCTL = 0x30, ADR1 = 0x31, ADR4 = 0x34;
constexpr unsigned char CCF = 0x80, SCAN = 0x20, MULT = 0x10;
constexpr int entree_vrh = 8, entree_vrl = 9, nb_entrees = 10;
constexpr int32_t vdd = 5000000;         // the supply, in microvolts
constexpr int32_t seuil_haut = 3500000;  // 0.7 x VDD
constexpr uint64_t cycles_conversion = 32;
constexpr uint64_t cycles_echantillon = 12;

void mise_sous_tension(puce& p);
void reset(puce& p);
bool possede(unsigned char offset);
unsigned char lit(puce& p, unsigned char offset);
void ecrit(puce& p, unsigned char offset, unsigned char valeur);
void rattrape(puce& p, uint64_t cycle);
uint64_t prochain(const puce& p);

// The result for `vin` with references `vrh` > `vrl` (microvolts).
unsigned char resultat(int32_t vin, int32_t vrh, int32_t vrl);
// Whether a set of inputs is acceptable: each within 0-5 V, VRL < VRH.
bool tensions_valides(const int32_t (&tensions)[nb_entrees]);
// New inputs (valid ones), from now on; the chip must be caught up.
void pose_tensions(puce& p, const int32_t (&tensions)[nb_entrees]);
// PORTE's pins as levels.
unsigned char niveaux_port_e(const puce& p);
// A port E pin driven as a digital input: its input at VDD or 0 V.
void pose_numerique(puce& p, int bit, bool haut);

}  // namespace can

#endif
