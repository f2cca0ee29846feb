// Parallel ports of the MC68HC11E9: the pins of ports A to E, their data
// and direction registers, and what the pins show outside.
//
// Registers (offsets in the register block, reset values):
//   $00 PORTA   PA0-PA2 inputs, PA3 and PA7 inputs or outputs by PACTL's
//               DDRA3 and DDRA7 (the timer's), PA4-PA6 outputs (latch
//               reset to 0); reads give the pin levels. The output
//               compares write the latch too, and the bits OC2-OC5 drive
//               are not the program's to write (puce/timer.h)
//   $02 PIOC    $03 (STAF STAI CWOM HNDS OIN PLS EGA INVB); stored, the
//               STRA/STRB handshake is not modelled
//   $03 PORTC   latch; reads give the pins (latch where DDRC says output)
//   $04 PORTB   output latch, $00
//   $05 PORTCL  port C latched by STRA: without STRA it keeps its value
//   $07 DDRC    $00 (all inputs)
//   $08 PORTD   PD0-PD5 like port C; bits 7-6 read 0
//   $09 DDRD    $00; bits 7-6 read 0
//   $0A PORTE   input only: the pins (the A/D inputs read as levels)
// The serial interfaces take port D pins while enabled (sci.h, spi.h):
// TxD an output at 1, RxD an input at 1 (the idle line), MISO an input,
// MOSI and SCK outputs where DDRD says, SCK at CPOL. Port E's levels are
// the analog inputs' (can.h): 1 from 3.5 V up; driving a pin sets its input
// to 0 V or 5 V.
// A pin's level is the output latch where the pin is an output and the
// level the user (or a scheduled pin event) drives where it is an input.
// Every change of a level goes to the machine's pin log. Open-drain
// outputs (CWOM, DWOM) and the handshake are not modelled.
#ifndef TAMRIX_PUCE_PORTS_H
#define TAMRIX_PUCE_PORTS_H

class puce;

struct etat_ports {
  unsigned char porta;  // output latch of port A
  unsigned char pioc;
  unsigned char portc;  // output latch of port C
  unsigned char portb;
  unsigned char portcl;
  unsigned char ddrc;
  unsigned char portd;  // output latch of port D
  unsigned char ddrd;
  // Levels driven from outside on each port's input pins (A to E); a
  // pin left alone reads 1.
  unsigned char entrees[5];
  // Pin levels as last logged (A to E).
  unsigned char niveaux[5];
};

namespace ports {

constexpr unsigned char PORTA = 0x00, PIOC = 0x02, PORTC = 0x03, PORTB = 0x04,
                        PORTCL = 0x05, DDRC = 0x07, PORTD = 0x08, DDRD = 0x09,
                        PORTE = 0x0A;

// Reset state; the pins driven from outside keep their levels.
void reset(puce& p);
// Whether the register at `offset` is one of this unit's.
bool possede(unsigned char offset);
unsigned char lit(puce& p, unsigned char offset);
void ecrit(puce& p, unsigned char offset, unsigned char valeur);

// Port 0..4 (A..E): which pins are outputs, and the pin levels.
unsigned char sorties(const puce& p, int port);
unsigned char niveaux(const puce& p, int port);
// The same without the board around the chip (platine/platine.h): what
// the chip's own latches and the levels driven into it give.
unsigned char niveaux_puce(const puce& p, int port);
// Drives an input pin from outside (the user, a scheduled event), the chip
// first brought up to that instant.
void pose_entree(puce& p, int port, int bit, bool niveau);
// Logs the pins whose level changed since the last call, and tells the
// timer of port A's and the board of those it follows.
void actualise(puce& p);

}  // namespace ports

#endif
