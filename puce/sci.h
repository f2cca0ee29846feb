// The serial communications interface (SCI) of the MC68HC11E9: an
// asynchronous receiver and transmitter on PD0 (RxD) and PD1 (TxD), and the
// terminal at the other end of the line.
//
// Registers (offsets in the register block, reset values):
//   $2B BAUD   $00: TCLR - SCP1 SCP0 RCKB SCR2 SCR1 SCR0. The bit time is
//              16 x PD x BD E cycles, PD = 1, 3, 4 or 13 (SCP1:SCP0), BD =
//              2^SCR; at 2 MHz BAUD = $30 gives 9615 baud, 208 cycles a
//              bit. TCLR and RCKB act only in test modes: they read 0.
//   $2C SCCR1  $00: R8 T8 - M WAKE - - -. M: 9 data bits (frames of 11 bit
//              times instead of 10); R8 takes bit 8 of a received
//              character and is read-only; T8 goes out as bit 8.
//   $2D SCCR2  $00: TIE TCIE RIE ILIE TE RE RWU SBK.
//   $2E SCSR   $C0: TDRE TC RDRF IDLE OR NF FE -, read-only.
//   $2F SCDR   reads RDR, writes TDR.
// Flags are cleared by a read of SCSR that sees them set followed by an
// access to SCDR: a write clears TDRE and TC, a read RDRF, IDLE, OR, NF and
// FE. A write alone clears nothing.
//
// Time, all from the cycle count: the bit clock runs from reset or from the
// last write of BAUD, and a frame starts on one of its edges. A character
// written while the transmitter is idle moves to the shift register in
// the next cycle (TDRE set again) and starts on the next edge; written
// while a frame goes out, it waits in TDR and moves in the middle of that
// frame's stop bit (TDRE set the cycle after), then follows it at once. TC
// is set when a frame ends with nothing after it. TE going from 0 to 1
// queues a preamble (a frame of ones), SBK break frames (zeros, then one
// bit of ones); clearing TE lets the frame under way and the one waiting
// in TDR go out. A frame's byte reaches the machine's output
// (machine::sortie_sci) when its stop bit ends.
//
// The receiver listens to RxD, a line (ligne_sci.h) on which the
// terminal at the other end puts its characters: typed, they go on the
// line one after the other at the terminal's rate and format, from the
// moment they are typed, whether or not the receiver listens (a character
// that starts while RE is clear is lost and counted). The terminal follows
// the program's BAUD and M unless given a rate and format of its own
// (reglage_terminal); then the receiver reads the frames bit by bit as
// the reference manual's data recovery does, and a terminal at the wrong
// rate gives framing errors (FE), noise (NF) and garbled characters, as on
// the bench. The characters not yet on the line wait in the machine
// (machine::envoie_sci), outside the chip. RDRF (or OR, when RDRF is still
// set: the character is lost and counted) rises with NF and FE one RT
// period after the stop bit's RT10 sample, (bits - 1) x 16 + 10 RT periods
// after the start edge when the rates match; IDLE a whole frame time after
// the end of the last frame, once per stretch of activity. RWU: WAKE = 0
// ignores characters until the line has been idle a frame time; WAKE = 1
// until one has its last data bit set, which is received. Clearing RE
// loses a character being received.
//
// Left out: the levels of each bit on the TxD and RxD pins (the port shows
// TxD and RxD idle at 1), a change of BAUD or M while a frame is under way
// (the frame keeps the timing it started with), the test modes.
// Reference: M68HC11 Reference Manual, section 9 (SCI); MC68HC11E family
// data sheet, section 7.
#ifndef TAMRIX_PUCE_SCI_H
#define TAMRIX_PUCE_SCI_H

#include <cstdint>

#include "puce/ligne_sci.h"

class puce;

// A frame of the transmitter: what it carries and when.
struct trame_sci {
  unsigned char type;  // sci::aucune, donnee, preambule, pause
  unsigned char bits;  // 10 or 11
  uint16_t donnee;     // data bits, bit 8 included
  uint32_t bit;        // bit time in E cycles
  uint64_t debut;      // cycle of the start edge
  bool milieu_fait;    // the middle of the stop bit is passed
};

// The terminal at the other end of the line: its rate and format, or the
// program's (bauds = 0: BAUD and M as they are at each frame's start).
struct reglage_terminal {
  uint32_t bauds;
  format_ligne format;
  bool operator==(const reglage_terminal& r) const {
    return bauds == r.bauds && (bauds == 0 || format == r.format);
  }
};

struct etat_sci {
  unsigned char baud;
  unsigned char sccr1;
  unsigned char sccr2;
  unsigned char scsr;
  unsigned char rdr;
  unsigned char tdr;
  bool tdr_plein;     // a character waits in TDR
  unsigned char lus;  // flags seen set by the last read of SCSR
  uint64_t origine;   // an edge of the bit clock
  // Transmitter: the frame in the shift register and the one after it.
  trame_sci emise;
  trame_sci suivante;
  bool preambule;        // queued by TE going from 0 to 1
  uint64_t montee_tdre;  // cycle in which TDRE is set (puce::jamais: none)
  // Receiver: the line RxD, when its next frame may start, the data
  // recovery.
  ligne_serie rxd;
  uint64_t libre;  // earliest start of the next frame on RxD
  bool attend_re;  // the terminal waits for the receiver (--sci-in)
  reglage_terminal terminal;
  etat_recepteur recepteur;
  uint64_t re_depuis;  // cycle RE was last set
  uint64_t idle_a;     // cycle the line will have been idle a frame time
  bool actif;          // a character came since IDLE was last set
  uint32_t perdus;     // characters lost: overruns, cut by RE, RE clear
};

namespace sci {

constexpr unsigned char BAUD = 0x2B, SCCR1 = 0x2C, SCCR2 = 0x2D, SCSR = 0x2E,
                        SCDR = 0x2F;
// SCCR1, SCCR2 and SCSR bits.
constexpr unsigned char R8 = 0x80, T8 = 0x40, M = 0x10, WAKE = 0x08;
constexpr unsigned char TIE = 0x80, TCIE = 0x40, RIE = 0x20, ILIE = 0x10,
                        TE = 0x08, RE = 0x04, RWU = 0x02, SBK = 0x01;
constexpr unsigned char TDRE = 0x80, TC = 0x40, RDRF = 0x20, IDLE = 0x10,
                        OR = 0x08, NF = 0x04, FE = 0x02;
// Frame types.
constexpr unsigned char aucune = 0, donnee = 1, preambule = 2, pause = 3;

void reset(puce& p);
bool possede(unsigned char offset);
unsigned char lit(puce& p, unsigned char offset);
void ecrit(puce& p, unsigned char offset, unsigned char valeur);
void rattrape(puce& p, uint64_t cycle);
uint64_t prochain(const puce& p);
uint32_t demandes(const puce& p);
uint32_t autorisees(const puce& p);

// Bit time in E cycles for a BAUD value.
uint32_t duree_bit(unsigned char baud);
// The machine has characters waiting for the line again (the line was
// empty): the first may start now.
void nouvel_envoi(puce& p);
// The line emptied (a reset from outside, a load): nothing on RxD, the
// terminal's characters forgotten.
void vide_ligne(puce& p);
// The terminal's settings; the characters already on the line keep theirs.
void regle_terminal(puce& p, const reglage_terminal& r);
// Port D pins the SCI takes: which are outputs, which inputs whatever
// DDRD says, which levels it sets (and those levels).
void broches(const puce& p, unsigned char& sorties, unsigned char& entrees,
             unsigned char& pilotees, unsigned char& niveaux);

}  // namespace sci

#endif
