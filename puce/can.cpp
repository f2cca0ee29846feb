// The A/D converter: sequences of conversions as events of the cycle
// count, the analog inputs, PORTE's levels. See can.h.
#include "puce/can.h"

#include <algorithm>

#include "puce/machine.h"
#include "puce/puce.h"

namespace can {

namespace {

constexpr uint64_t jamais = puce::jamais;

bool alimente(const puce& p) { return p.etat.systeme.option & systeme::ADPU; }

unsigned char canal(const etat_can& c, uint64_t k) {
  if (c.adctl & MULT)
    return static_cast<unsigned char>((c.adctl & 0x0C) | (k & 3));
  return c.adctl & 0x0F;
}

unsigned char convertit(const etat_can& c, unsigned char voie) {
  const int32_t vrh = c.tensions[entree_vrh], vrl = c.tensions[entree_vrl];
  switch (voie) {
    case 0x0C:
      return resultat(vrh, vrh, vrl);
    case 0x0D:
      return resultat(vrl, vrh, vrl);
    case 0x0E:
      return resultat(vrh / 2, vrh, vrl);
    default:
      return voie < 8 ? resultat(c.tensions[voie], vrh, vrl) : 0x00;
  }
}

// Conversions whose result is in by `cycle` (the last one in cycle
// debut + 32 k counts from the next cycle on).
uint64_t faites_avant(const etat_can& c, uint64_t cycle) {
  return cycle > c.debut ? (cycle - c.debut - 1) / cycles_conversion : 0;
}

}  // namespace

unsigned char resultat(int32_t vin, int32_t vrh, int32_t vrl) {
  if (vin <= vrl) return 0x00;
  if (vin >= vrh) return 0xFF;
  const int64_t num = 255 * int64_t(vin - vrl), den = int64_t(vrh) - vrl;
  return static_cast<unsigned char>((2 * num + den) / (2 * den));
}

bool tensions_valides(const int32_t (&t)[nb_entrees]) {
  for (int32_t v : t)
    if (v < 0 || v > vdd) return false;
  return t[entree_vrl] < t[entree_vrh];
}

void mise_sous_tension(puce& p) {
  etat_can& c = p.etat.can;
  for (int32_t& v : c.tensions) v = 0;
  c.tensions[entree_vrh] = vdd;
}

void reset(puce& p) {
  etat_can& c = p.etat.can;
  int32_t tensions[nb_entrees];
  std::copy(std::begin(c.tensions), std::end(c.tensions), tensions);
  c = etat_can{};
  std::copy(std::begin(tensions), std::end(tensions), c.tensions);
}

bool possede(unsigned char offset) { return offset >= ADCTL && offset <= ADR4; }

unsigned char lit(puce& p, unsigned char offset) {
  const etat_can& c = p.etat.can;
  return offset == ADCTL ? c.adctl : c.adr[offset - ADR1];
}

void ecrit(puce& p, unsigned char offset, unsigned char valeur) {
  if (offset != ADCTL) return;
  etat_can& c = p.etat.can;
  c.adctl = valeur & 0x3F;
  c.en_cours = alimente(p);
  c.debut = p.instant();
  c.faites = 0;
  c.limite = 4;
  c.fige = false;
}

void rattrape(puce& p, uint64_t cycle) {
  etat_can& c = p.etat.can;
  if (!c.en_cours) return;
  if (!alimente(p)) {
    c.en_cours = false;
    return;
  }
  const uint64_t jusqua = std::min(faites_avant(c, cycle), c.limite);
  for (; c.faites < jusqua; ++c.faites) {
    const uint64_t k = c.faites;
    c.adr[k % 4] = c.fige ? c.valeur_figee : convertit(c, canal(c, k));
    c.fige = false;
    if (k % 4 == 3) c.adctl |= CCF;
    if (k == 3 && !(c.adctl & SCAN)) {
      c.en_cours = false;
      c.faites = 4;
      return;
    }
  }
}

uint64_t prochain(const puce& p) {
  const etat_can& c = p.etat.can;
  if (!c.en_cours || c.faites >= c.limite || !alimente(p)) return jamais;
  return c.debut + cycles_conversion * (c.faites + 1) + 1;
}

void pose_tensions(puce& p, const int32_t (&tensions)[nb_entrees]) {
  etat_can& c = p.etat.can;
  if (c.en_cours && alimente(p)) {
    const uint64_t maintenant = p.instant();
    const bool scan = c.adctl & SCAN;
    // A continuous scan skips the conversions that gave the same results.
    if (scan) c.faites = std::max(c.faites, faites_avant(c, maintenant));
    const uint64_t k = c.faites;
    // Conversion k (frozen or not) and four more give every register the
    // new levels.
    if (scan) c.limite = std::max(c.limite, k + 5);
    const uint64_t echantillon =
        c.debut + cycles_conversion * k + cycles_echantillon;
    if (k < c.limite && !c.fige && maintenant > echantillon) {
      c.fige = true;
      c.valeur_figee = convertit(c, canal(c, k));
    }
  }
  std::copy(std::begin(tensions), std::end(tensions), c.tensions);
}

unsigned char niveaux_port_e(const puce& p) {
  unsigned char n = 0;
  for (int i = 0; i < 8; ++i)
    if (p.etat.can.tensions[i] >= seuil_haut)
      n = static_cast<unsigned char>(n | (1u << i));
  return n;
}

void pose_numerique(puce& p, int bit, bool haut) {
  // Only this unit needs catching up: a pin event may be under way.
  rattrape(p, p.instant());
  int32_t t[nb_entrees];
  std::copy(std::begin(p.etat.can.tensions), std::end(p.etat.can.tensions), t);
  t[bit] = haut ? vdd : 0;
  pose_tensions(p, t);
}

}  // namespace can
