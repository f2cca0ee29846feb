// acces: when, inside one instruction, the CPU reads and writes data (not
// program bytes), counted in E cycles from the start of the instruction.
//
// Cycle 1 is the fetch of the first byte of the instruction: the prebyte on
// the pages 0x18, 0x1A and 0xCD, the opcode on page 0. `lecture` is the cycle
// in which the first data byte is read, `ecriture` the cycle in which the
// first data byte is written, 0 when there is none; octets_donnees() gives
// how many bytes follow, one per cycle, from that cycle on. Data means the
// operand at the effective address and the stack: pulls, RTS and RTI read
// the stack, pushes, JSR/BSR (return address, low byte first) and SWI/WAI
// (the nine bytes of the interrupt frame) write it.
//
// The bus pattern the table follows, one family of instructions at a time
// (p = 1 on a prebyte page, else 0; n = the instruction's cycle count):
//   - the effective address is known after the last address byte (direct:
//     cycle p+2) or after one internal cycle that adds the offset to X or Y
//     (indexed: cycle p+3); extended needs its two address bytes (p+3). The
//     operand is read or written in the next cycle: p+3 for direct, p+4 for
//     extended and indexed. Two-byte operands take that cycle and the next.
//     Where an instruction has more cycles than that (ADDD, CPD, CPX, CPY,
//     SUBD) the rest are internal.
//   - read-modify-write (ASL ASR CLR COM DEC INC LSR NEG ROL ROR) and BSET/
//     BCLR read there and write back in their last cycle; TST only reads.
//   - BRSET/BRCLR read the operand as soon as its address is known, before
//     the mask and offset bytes are fetched.
//   - pulls, RTS and RTI read the stack in their last cycles (after the
//     opcode, one dummy fetch and one dummy stack read); pushes write it in
//     their last cycles; JSR and BSR write the return address in their last
//     two cycles; SWI and WAI write the nine-byte frame from cycle p+3 on,
//     before their internal cycle and the vector fetch (not counted as data).
//   - everything else (inherent register operations, immediate operands,
//     branches, JMP, MUL, IDIV, FDIV, STOP, TEST and unused codes) has no
//     data access.
// Left out: the dummy reads of $FFFF and of the next opcode, and the vector
// fetches of SWI/WAI. The families and cycle counts are the data book's; the
// place of each access inside the instruction follows the rules above and
// has not been checked against a cycle-by-cycle bus listing.
#ifndef TAMRIX_ACCES_H
#define TAMRIX_ACCES_H

struct acces_bus {
  unsigned char lecture;
  unsigned char ecriture;
};

// Number of data bytes read and written from the cycles above.
struct acces_octets {
  unsigned char lus;
  unsigned char ecrits;
};

// page: 0 (no prebyte), 0x18, 0x1A or 0xCD; code: the opcode byte after the
// prebyte. Any other page, and every code without an instruction, gives 0.
acces_bus acces_donnees(unsigned char page, unsigned char code);
acces_octets octets_donnees(unsigned char page, unsigned char code);

#endif
