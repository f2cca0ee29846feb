// The character LCD's controller, a Hitachi HD44780U (and the compatible
// parts every 16x2 and 20x4 module carries), as its data sheet describes
// it, with E cycles of the 68HC11 (2 MHz) as the time base.
//
// Registers and memories: the instruction register (RS = 0) and the data
// register DR (RS = 1); 80 bytes of DDRAM (1-line mode: addresses $00-$4F;
// 2-line mode: $00-$27 then $40-$67, line 2 starting at $40); 64 bytes of
// CGRAM (eight 5x8 characters, codes $00-$07 and again $08-$0F); the
// address counter AC, shared by both, which moves after each data write or
// read by the entry mode's I/D and wraps within the memory it points into.
//
// Instructions (data sheet table 6) and their execution times at
// fosc = 270 kHz, counted from E's falling edge:
//   $01 clear display: spaces ($20) everywhere, AC = 0, I/D = 1, no
//       shift                                             1.52 ms = 3040 E
//   $02 return home: AC = 0, no shift, DDRAM unchanged    1.52 ms = 3040 E
//   $04 entry mode set (I/D, S)                           37 us = 74 E
//   $08 display on/off (D, C, B)                          37 us
//   $10 cursor or display shift (S/C, R/L)                37 us
//   $20 function set (DL, N, F)                           37 us
//   $40 set CGRAM address, $80 set DDRAM address          37 us
//   data write, data read (RS = 1)                        37 us
//   busy flag and address read (RS = 0, R/W = 1)          0
// While an instruction executes the busy flag BF is 1 and, as the data
// sheet's note says, nothing but the busy flag/address read is taken: an
// instruction or data sent then is lost (counted in `perdues`), so a
// program that does not wait shows what the module would show.
// Data reads give DR, which holds the RAM byte at AC loaded by the last
// address set, cursor shift or read (the data sheet's rule that a read
// must follow one of those). With S = 1 a DDRAM write shifts the display
// (left with I/D = 1); reads and CGRAM accesses never do.
// Power-on (internal reset circuit): display clear, DL = 1 (8 bits), N =
// 0, F = 0, display, cursor and blink off, I/D = 1, S = 0, and busy for
// 10 ms; CGRAM holds 0.
// Left out: tADD (the address counter is updated when the instruction is
// taken, not 4 us after BF falls), the 5x10 font (F is kept, the 5x8 dots
// drawn), the driver's duty and contrast, execution times at other clock
// rates.
#ifndef TAMRIX_PLATINE_HD44780_H
#define TAMRIX_PLATINE_HD44780_H

#include <cstdint>
#include <string>

// A plain value: copied with the machine's state.
struct etat_hd44780 {
  unsigned char ddram[80];  // by physical cell, see cellule_ddram
  unsigned char cgram[64];
  unsigned char ac;        // address counter, 7 bits
  bool vers_cgram;         // AC points into the CGRAM
  unsigned char dr;        // data register, what a data read gives
  bool increment;          // I/D
  bool decale_ecriture;    // S
  bool affichage;          // D
  bool curseur;            // C
  bool clignote;           // B
  bool huit_bits;          // DL
  bool deux_lignes;        // N
  bool grande_police;      // F
  unsigned char decalage;  // display shift: DDRAM offset of the first column
  uint64_t occupe_jusqua;  // BF = 1 before this cycle
  uint64_t perdues;        // instructions and data lost while busy
  // The interface (4-bit mode): which nibble comes next, the high one
  // taken.
  bool second_quartet;
  unsigned char quartet_haut;
};

namespace hd44780 {

// Execution times in E cycles (2 MHz) and the busy time after power-on.
constexpr uint64_t duree_longue = 3040;  // 1.52 ms
constexpr uint64_t duree_courte = 74;    // 37 us
constexpr uint64_t duree_reset = 20000;  // 10 ms

void mise_sous_tension(etat_hd44780& e, uint64_t cycle);
inline bool occupe(const etat_hd44780& e, uint64_t cycle) {
  return cycle < e.occupe_jusqua;
}

// A write taken at E's falling edge at `cycle`: an instruction (rs false)
// or data (rs true). False when it was lost (busy).
bool ecrit(etat_hd44780& e, bool rs, unsigned char octet, uint64_t cycle);
// What a read at `cycle` puts on the bus: BF and AC (rs false), or DR.
unsigned char lit(const etat_hd44780& e, bool rs, uint64_t cycle);
// The end of a read at E's falling edge: a data read moves AC and loads
// DR with the next byte (37 us); nothing while busy.
void fin_lecture(etat_hd44780& e, bool rs, uint64_t cycle);

// The physical DDRAM cell of an address in the current line mode.
int cellule_ddram(const etat_hd44780& e, unsigned char adresse);
// The code shown at a position of a module of `lignes` x `colonnes`
// characters; -1 where nothing is shown (display off, or a line the
// 1-line mode does not drive).
int code_affiche(const etat_hd44780& e, int ligne, int colonne, int lignes,
                 int colonnes);
// The position of the cursor on the module, if shown there (C = 1 or B =
// 1, AC in the DDRAM and on screen): false otherwise.
bool position_curseur(const etat_hd44780& e, int lignes, int colonnes,
                      int& ligne, int& colonne);
// A line of the module as text: codes $20-$7D as ASCII ($5C is the ROM's
// yen sign, "¥"), the CGRAM's characters as \0-\7, a double quote as \",
// any other code as \xHH, blanks where nothing is shown.
std::string texte_ligne(const etat_hd44780& e, int ligne, int lignes,
                        int colonnes);

}  // namespace hd44780

#endif
