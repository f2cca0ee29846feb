// The interrupt sources of the MC68HC11E9 and their vectors.
//
// The maskable sources are listed in their fixed priority order, highest
// first (reference manual, "Interrupt priorities"): XIRQ is masked by X,
// the others by I. HPRIO's PSEL3:0 can promote one I-masked source above
// the others (table `source_promue`). SWI, the illegal-opcode trap, the COP
// and the clock monitor are not requests: they act at once (their vectors
// are given below for the views).
#ifndef TAMRIX_PUCE_INTERRUPTIONS_H
#define TAMRIX_PUCE_INTERRUPTIONS_H

#include <cstdint>

enum source_it : unsigned char {
  it_xirq,
  it_irq,  // the IRQ pin, and the parallel I/O strobe (STAF with STAI)
  it_rti,  // real-time interrupt: RTIF with RTII
  it_ic1,  // input captures: ICxF with ICxI
  it_ic2,
  it_ic3,
  it_oc1,  // output compares: OCxF with OCxI
  it_oc2,
  it_oc3,
  it_oc4,
  it_i4o5,   // IC4 or OC5: I4/O5F with I4/O5I
  it_tof,    // timer overflow: TOF with TOI
  it_paovf,  // pulse accumulator overflow: PAOVF with PAOVI
  it_pai,    // pulse accumulator input edge: PAIF with PAII
  it_spi,    // SPIF or MODF with SPIE
  it_sci,    // TDRE, TC, RDRF, OR, IDLE with their enables
  nb_sources_it
};

constexpr uint32_t bit_it(source_it s) { return 1u << s; }
constexpr uint32_t masque_it_i = ((1u << nb_sources_it) - 1) & ~1u;

// Vector address of each source.
constexpr unsigned short vecteurs_it[nb_sources_it] = {
    0xFFF4, 0xFFF2, 0xFFF0, 0xFFEE, 0xFFEC, 0xFFEA, 0xFFE8, 0xFFE6,
    0xFFE4, 0xFFE2, 0xFFE0, 0xFFDE, 0xFFDC, 0xFFDA, 0xFFD8, 0xFFD6};

// Short names, as the data book writes them.
constexpr const char* noms_it[nb_sources_it] = {
    "XIRQ", "IRQ", "RTI",   "IC1", "IC2",   "IC3", "OC1", "OC2",
    "OC3",  "OC4", "I4/O5", "TOF", "PAOVF", "PAI", "SPI", "SCI"};

// Vectors that are not requests.
constexpr unsigned short vecteur_swi = 0xFFF6;
constexpr unsigned short vecteur_illegal = 0xFFF8;
constexpr unsigned short vecteur_cop = 0xFFFA;
constexpr unsigned short vecteur_moniteur = 0xFFFC;
constexpr unsigned short vecteur_reset = 0xFFFE;

// HPRIO's PSEL3:0 → the source it promotes. 0101 is reserved and leaves
// the order as it is (IRQ, the default, already comes first).
constexpr source_it source_promue[16] = {
    it_tof, it_paovf, it_pai, it_spi, it_sci, it_irq, it_irq, it_rti,
    it_ic1, it_ic2,   it_ic3, it_oc1, it_oc2, it_oc3, it_oc4, it_i4o5};

#endif
