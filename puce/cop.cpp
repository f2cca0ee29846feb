// The COP watchdog: its time-out computed from the last clearing, seen
// when the machine reaches it.
#include "puce/cop.h"

#include "puce/puce.h"
#include "puce/timer.h"

namespace cop {

namespace {

constexpr uint64_t periode_tap = uint64_t(1) << 15;

}  // namespace

bool actif(const puce& p) { return !(p.etat.systeme.config & NOCOP); }

uint64_t echeance(const puce& p) {
  if (!actif(p)) return puce::jamais;
  // CR1:CR0: 1, 4, 16 or 64 periods of the tap.
  const uint64_t n = uint64_t(1) << (2 * (p.etat.systeme.option & 0x03));
  const uint64_t premier = (p.etat.cop.efface / periode_tap + 1) * periode_tap;
  return timer::cycle_de_chaine(p, premier + n * periode_tap);
}

bool echu(const puce& p) { return p.etat.cop.echu; }

void reset(puce& p) { p.etat.cop = etat_cop{}; }

bool possede(unsigned char offset) { return offset == COPRST; }

unsigned char lit(puce&, unsigned char) { return 0x00; }

void ecrit(puce& p, unsigned char, unsigned char valeur) {
  etat_cop& e = p.etat.cop;
  if (valeur == 0x55) {
    e.arme = true;
  } else if (valeur == 0xAA && e.arme) {
    e.arme = false;
    e.efface = timer::chaine(p, p.instant());
  }
}

void rattrape(puce& p, uint64_t cycle) {
  if (!p.etat.cop.echu && echeance(p) <= cycle) p.etat.cop.echu = true;
}

uint64_t prochain(const puce& p) { return echeance(p); }

uint32_t possibles(const puce& p) { return actif(p) ? puce::bit_reset : 0; }

}  // namespace cop
