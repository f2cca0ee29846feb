#include "puce/registres.h"

#include "puce/machine.h"
#include "puce/puce.h"

namespace systeme {

// From the E-family technical data's register summary; where it says
// "undefined" (captures, data registers, PACNT...) the value is 0. Ports
// and pins are computed by the ports unit.
const unsigned char valeurs_reset[64] = {
    //  0     1     2     3     4     5     6     7
    0x00, 0x00, 0x03, 0x00, 0x00, 0x00, 0x00, 0x00,  // $00 PORTA..DDRC
    0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,  // $08 PORTD..TCNT
    0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0xFF, 0xFF,  // $10 TIC1..TOC1
    0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF,  // $18 TOC2..TI4O5
    0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,  // $20 TCTL1..PACNT
    0x04, 0x00, 0x00, 0x00, 0x00, 0x00, 0xC0, 0x00,  // $28 SPCR..SCDR
    0x00, 0x00, 0x00, 0x00, 0x00, 0x1F, 0x00, 0x00,  // $30 ADCTL..$37
    0x00, 0x10, 0x00, 0x00, 0x25, 0x01, 0x00, 0x0F,  // $38 ..CONFIG
};

namespace {

bool reserve(unsigned char offset) {
  return offset == 0x01 || offset == 0x06 || offset == 0x36 || offset == 0x37 ||
         offset == 0x38;
}

constexpr unsigned char option_proteges = IRQE | DLY | CR1 | CR0;

void ecrit_init(puce& p, unsigned char valeur) {
  etat_systeme& s = p.etat.systeme;
  if (s.init_ecrit || !bits_proteges_libres(p)) return;
  s.init_ecrit = true;
  s.init = valeur;
  p.etat.base_ram = static_cast<unsigned short>((valeur >> 4) << 12);
  p.etat.base_registres = static_cast<unsigned short>((valeur & 0x0F) << 12);
  p.marque_carte();
}

void note_broche(puce& p, unsigned char broche, unsigned char niveau) {
  p.mach().journal.note(p.instant(), broche, niveau);
}

}  // namespace

bool bits_proteges_libres(const puce& p) {
  return p.instant() - p.etat.cycle_reset < cycles_proteges;
}

void reset(puce& p) {
  etat_systeme& s = p.etat.systeme;
  const unsigned char irq = s.niveau_irq, xirq = s.niveau_xirq;
  const unsigned char config = s.config_eeprom;
  const bool mode_etendu = s.mode_etendu_demande;
  s = etat_systeme{};
  s.config_eeprom = config;
  s.mode_etendu_demande = mode_etendu;
  for (int i = 0; i < 64; ++i) s.bloc[i] = valeurs_reset[i];
  s.option = valeurs_reset[OPTION];
  s.hprio = mode_etendu ? 0x25 : 0x05;
  s.init = valeurs_reset[INIT];
  s.test1 = valeurs_reset[TEST1];
  s.config = config;
  s.mode_etendu = mode_etendu;
  // The pins keep what drives them.
  s.niveau_irq = irq;
  s.niveau_xirq = xirq;
}

unsigned char lit(puce& p, unsigned char offset) {
  const etat_systeme& s = p.etat.systeme;
  if (reserve(offset)) return 0x00;
  switch (offset) {
    case OPTION:
      return s.option;
    case HPRIO:
      return s.hprio;
    case INIT:
      return s.init;
    case TEST1:
      return s.test1;
    case CONFIG:
      return s.config;
    default:
      return s.bloc[offset & 63];
  }
}

void ecrit(puce& p, unsigned char offset, unsigned char valeur) {
  etat_systeme& s = p.etat.systeme;
  if (reserve(offset)) return;
  switch (offset) {
    case OPTION: {
      const unsigned char libres =
          bits_proteges_libres(p)
              ? 0xFF
              : static_cast<unsigned char>(~option_proteges);
      s.option = static_cast<unsigned char>(
          ((s.option & ~libres) | (valeur & libres)) & ~0x04);
      return;
    }
    case HPRIO:
      // PSEL only while I is set; the mode bits only in special modes.
      if (p.mach().cpu.CCR & CCR_I)
        s.hprio =
            static_cast<unsigned char>((s.hprio & 0xF0) | (valeur & 0x0F));
      return;
    case INIT:
      ecrit_init(p, valeur);
      return;
    case TEST1:
      s.test1 = valeur;
      return;
    case CONFIG:
      return;
    default:
      s.bloc[offset & 63] = valeur;
  }
}

void pose_irq(puce& p, bool niveau) {
  etat_systeme& s = p.etat.systeme;
  const unsigned char n = niveau ? 1 : 0;
  if (n == s.niveau_irq) return;
  if (n == 0) s.front_irq = true;
  s.niveau_irq = n;
  note_broche(p, broche_irq, n);
  p.maj_demandes();
}

void pose_xirq(puce& p, bool niveau) {
  etat_systeme& s = p.etat.systeme;
  const unsigned char n = niveau ? 1 : 0;
  if (n == s.niveau_xirq) return;
  s.niveau_xirq = n;
  note_broche(p, broche_xirq, n);
  p.maj_demandes();
}

uint32_t demandes(const puce& p) {
  const etat_systeme& s = p.etat.systeme;
  uint32_t d = 0;
  if (s.niveau_xirq == 0) d |= bit_it(it_xirq);
  const bool irq = (s.option & IRQE) ? s.front_irq : s.niveau_irq == 0;
  if (irq) d |= bit_it(it_irq);
  return d;
}

uint32_t autorisees(const puce&) { return bit_it(it_xirq) | bit_it(it_irq); }

source_it a_servir(const puce& p, uint32_t d, unsigned char ccr) {
  if (!(ccr & CCR_X) && (d & bit_it(it_xirq))) return it_xirq;
  if (ccr & CCR_I) return nb_sources_it;
  d &= masque_it_i;
  if (d == 0) return nb_sources_it;
  const source_it promue = source_promue[p.etat.systeme.hprio & 0x0F];
  if (d & bit_it(promue)) return promue;
  return static_cast<source_it>(__builtin_ctz(d));
}

void servie(puce& p, source_it source) {
  if (source == it_irq) p.etat.systeme.front_irq = false;
  p.maj_demandes();
}

}  // namespace systeme
