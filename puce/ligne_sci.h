// A serial line and the data recovery of a receiver listening to it: the
// frames a sender puts on the wire, as levels in time, and what a receiver
// sampling that wire at its own rate makes of them. The SCI's receiver
// (sci.h) reads RxD through it, whatever rate and format the terminal at
// the other end uses; the terminal (serie/) reads TxD through it when its
// settings differ from the program's.
//
// A frame is a start bit (0), the data bits, low bit first (and a parity
// bit for 7E1), and a stop bit (1). Its bit time is a fraction num/den of
// an E cycle, so that a terminal at 9600 baud (208 1/3 cycles at 2 MHz)
// sends against a program at 9615 baud (208 cycles) as on the bench: bit k
// starts ceil(k x num / den) cycles after the start edge. Between frames
// the line is idle (1).
//
// The receiver follows the M68HC11 Reference Manual's data recovery
// (section 9, SCI receiver): an RT clock at 16 times its bit rate; the
// start bit is a 0 sample preceded by three 1 samples (the qualifiers),
// the 0 sample being RT1; verification samples at RT3, RT5 and RT7, two of
// them at 1 and the low is taken for noise and the search starts again;
// each bit, start and stop included, is the majority of its samples at
// RT8, RT9 and RT10, and any sample that disagrees with the others (or any
// of the start bit's seven samples at 1) sets noise; a stop bit read as 0
// is a framing error. After a framing error that is not a break (the
// whole frame read 0), the start qualifiers are forced as the E-family
// data sheet says: the next start may be taken with the line still low,
// but no earlier than a whole frame after the last start. The character
// is complete one RT period after the stop bit's RT10 sample (the cycle
// RDRF rises).
//
// Simplifications: the search is continuous (an RT tick falls on each
// falling edge), so the RT clock's phase comes from the edge itself; with
// matched settings a frame is received (bits - 1) x 16 + 10 RT periods
// after its start edge. A line keeps its last `capacite` frames: a
// receiver far slower than its sender (more than `capacite` frames within
// three RT periods) reads the qualifier samples older than those frames as
// idle. Reference: M68HC11 Reference Manual, 9.3 and 9.4; MC68HC11E
// family data sheet, 7.4 (receive operation).
#ifndef TAMRIX_PUCE_LIGNE_SCI_H
#define TAMRIX_PUCE_LIGNE_SCI_H

#include <cstdint>

// The E clock every time on a line is counted in: 2 MHz.
constexpr uint32_t frequence_e = 2000000;

// Data formats of a frame.
enum class format_ligne : unsigned char {
  f8n1,  // 8 data bits, no parity, 1 stop bit: 10 bits
  f9,    // 8 data bits and a ninth (the SCI's M = 1): 11 bits
  f7e1   // 7 data bits, even parity, 1 stop bit: 10 bits
};

struct trame_ligne {
  uint64_t debut;  // cycle of the start edge
  uint32_t num;    // bit time: num / den E cycles
  uint32_t den;
  uint16_t motif;  // level of bit k in bit k, the start bit first
  uint8_t bits;    // start and stop included
};

namespace ligne_sci {

constexpr uint64_t jamais = ~uint64_t(0);

// Cycle at which bit k of `t` starts (k = bits: the frame's end).
uint64_t bord(const trame_ligne& t, unsigned k);
inline uint64_t fin(const trame_ligne& t) { return bord(t, t.bits); }
// A character in a format: its frame (bit 8 of `caractere` is the ninth
// bit of f9).
trame_ligne trame(uint64_t debut, uint32_t num, uint32_t den,
                  format_ligne format, uint16_t caractere);
// A break (all zeros) and a preamble (all ones) of `bits` bits.
trame_ligne pause(uint64_t debut, uint32_t num, uint32_t den, uint8_t bits);
trame_ligne preambule(uint64_t debut, uint32_t num, uint32_t den, uint8_t bits);
inline uint8_t bits_format(format_ligne f) {
  return f == format_ligne::f9 ? 11 : 10;
}

}  // namespace ligne_sci

// The frames of a line that a receiver may still sample, oldest first.
struct ligne_serie {
  static constexpr int capacite = 8;
  trame_ligne trames[capacite];
  uint8_t premiere;
  uint8_t nombre;

  // Level at `cycle`: that of the frame over it, else idle (1).
  int niveau(uint64_t cycle) const;
  const trame_ligne& trame(int i) const {
    return trames[(premiere + i) % capacite];
  }
  const trame_ligne* derniere() const {
    return nombre ? &trame(nombre - 1) : nullptr;
  }
};

// What a receiver made of a frame.
struct caractere_recu {
  uint16_t donnees;   // the bits between start and stop, first bit low
  bool bruit;         // a sample disagreed (NF)
  bool erreur_trame;  // stop bit read 0 (FE)
  bool pause;         // every bit read 0: a break
  uint64_t cycle;     // when it was complete
  uint64_t fin;       // end of the frame as the receiver counts it
};

// A receiver's state: a plain value (part of the chip's).
struct etat_recepteur {
  enum phase_t : unsigned char { arrete, cherche, verifie, recoit };
  // Where the three qualifier samples of a start bit may be taken: from
  // `depuis` on only (a search after a frame or a false start); before it
  // too, as the line was (the receiver just enabled: the line was there
  // before); before it taken as ones (after a framing error).
  enum qualification_t : unsigned char { apres, ligne, forcee };
  unsigned char phase;
  unsigned char qualification;
  uint8_t bits;  // of the frame it reads
  uint32_t num, den;
  uint64_t depuis;    // cherche: no start bit before this cycle
  uint64_t candidat;  // cherche: the start edge found ahead, or jamais
  uint64_t t1;        // RT1 of the frame being read
  // Samples taken so far: index (3 verification samples, then 3 a bit),
  // ones among the verification samples, among the current bit's, and
  // the bits found.
  uint8_t pris;
  uint8_t uns_verification;
  uint8_t uns_bit;
  bool bruit;
  uint16_t lus;
};

namespace recepteur {

// Starts the search for a start bit from `depuis` on (the receiver
// enabled then), at a bit time of num/den cycles for frames of `bits`
// bits.
void demarre(etat_recepteur& r, const ligne_serie& l, uint64_t depuis,
             uint32_t num, uint32_t den, uint8_t bits);
// New settings for the frames it will look for: the frame being read, if
// any, keeps its own.
void regle(etat_recepteur& r, const ligne_serie& l, uint32_t num, uint32_t den,
           uint8_t bits);
// Stops it (the receiver disabled). True when a frame was being read.
bool arrete(etat_recepteur& r);
// Cycle of its next decision (a start found, its verification, a
// character complete), or ligne_sci::jamais.
uint64_t prochain(const etat_recepteur& r);
// The decision due at prochain(r). True, with `c` filled, when a
// character is complete; the search then goes on with the same settings
// unless the caller starts it again with others.
bool traite(etat_recepteur& r, const ligne_serie& l, caractere_recu& c);
// A frame goes on the line: before the oldest is forgotten, the receiver
// takes its samples there. The caller has processed every decision due
// before the frame's start.
void ajoute(ligne_serie& l, const trame_ligne& t, etat_recepteur* r);

}  // namespace recepteur

#endif
