// A serial line and a receiver's data recovery. See ligne_sci.h.
#include "puce/ligne_sci.h"

namespace ligne_sci {

uint64_t bord(const trame_ligne& t, unsigned k) {
  return t.debut + (uint64_t(k) * t.num + t.den - 1) / t.den;
}

trame_ligne trame(uint64_t debut, uint32_t num, uint32_t den,
                  format_ligne format, uint16_t caractere) {
  uint16_t motif = 0;
  switch (format) {
    case format_ligne::f8n1:
      motif = static_cast<uint16_t>((caractere & 0xFF) << 1 | 1 << 9);
      break;
    case format_ligne::f9:
      motif = static_cast<uint16_t>((caractere & 0x1FF) << 1 | 1 << 10);
      break;
    case format_ligne::f7e1: {
      const unsigned d = caractere & 0x7F;
      // Even parity: the parity bit makes the count of ones even.
      const unsigned parite = __builtin_popcount(d) & 1;
      motif = static_cast<uint16_t>(d << 1 | parite << 8 | 1 << 9);
      break;
    }
  }
  return {debut, num, den, motif, bits_format(format)};
}

trame_ligne pause(uint64_t debut, uint32_t num, uint32_t den, uint8_t bits) {
  return {debut, num, den, 0, bits};
}

trame_ligne preambule(uint64_t debut, uint32_t num, uint32_t den,
                      uint8_t bits) {
  return {debut, num, den, static_cast<uint16_t>((1u << bits) - 1), bits};
}

}  // namespace ligne_sci

int ligne_serie::niveau(uint64_t cycle) const {
  for (int i = nombre - 1; i >= 0; --i) {
    const trame_ligne& t = trame(i);
    if (cycle < t.debut) continue;
    if (cycle >= ligne_sci::fin(t)) return 1;
    const uint64_t k = (cycle - t.debut) * t.den / t.num;
    return (t.motif >> k) & 1;
  }
  return 1;
}

namespace recepteur {

namespace {

using ligne_sci::jamais;

// Cycle of the sample at RT clock state j + 1 (j = 0: RT1).
uint64_t instant_rt(const etat_recepteur& r, unsigned j) {
  return r.t1 + uint64_t(j) * r.num / (16 * uint64_t(r.den));
}

// The RT state of the i-th sample: RT3, RT5, RT7 (verification), then
// RT8, RT9, RT10 of each bit, the start bit first.
unsigned rt_echantillon(unsigned i) {
  if (i < 3) return 2 + 2 * i;
  const unsigned bit = (i - 3) / 3;
  return 16 * bit + 7 + (i - 3) % 3;
}

unsigned nombre_echantillons(const etat_recepteur& r) { return 3 + 3 * r.bits; }

// The cycle the character is complete: one RT period after the stop
// bit's RT10 sample.
uint64_t instant_complet(const etat_recepteur& r) {
  return instant_rt(r, 16 * (r.bits - 1) + 10);
}

// Takes the samples due before `jusqua`.
void echantillonne(etat_recepteur& r, const ligne_serie& l, uint64_t jusqua) {
  while (r.pris < nombre_echantillons(r)) {
    const uint64_t t = instant_rt(r, rt_echantillon(r.pris));
    if (t >= jusqua) return;
    const int niveau = l.niveau(t);
    if (r.pris < 3) {
      r.uns_verification = static_cast<uint8_t>(r.uns_verification + niveau);
    } else {
      r.uns_bit = static_cast<uint8_t>(r.uns_bit + niveau);
      if ((r.pris - 3) % 3 == 2) {
        const unsigned bit = (r.pris - 3) / 3;
        // The start bit is always taken as 0: any 1 there is noise.
        if (bit == 0 ? r.uns_bit != 0 : r.uns_bit == 1 || r.uns_bit == 2)
          r.bruit = true;
        if (bit != 0 && r.uns_bit >= 2)
          r.lus = static_cast<uint16_t>(r.lus | 1u << bit);
        r.uns_bit = 0;
      }
    }
    ++r.pris;
  }
}

// The first start bit at or after r.depuis: a falling edge preceded by
// three one samples (the qualifiers, taken as r.qualification says); after
// a framing error a low line at r.depuis is a start bit too.
uint64_t cherche_depart(const etat_recepteur& r, const ligne_serie& l) {
  const bool forcee = r.qualification == etat_recepteur::forcee;
  if (forcee && l.niveau(r.depuis) == 0) return r.depuis;
  const auto qualifie = [&](uint64_t e) {
    if (e < r.depuis) return false;
    for (unsigned k = 1; k <= 3; ++k) {
      const uint64_t ecart = uint64_t(k) * r.num / (16 * uint64_t(r.den));
      // Before cycle 0 the line was idle.
      const bool avant_zero = e < ecart;
      const uint64_t t = avant_zero ? 0 : e - ecart;
      if (t < r.depuis || avant_zero) {
        if (r.qualification == etat_recepteur::apres) return false;
        if (forcee || avant_zero) continue;
      }
      if (l.niveau(t) == 0) return false;
    }
    return true;
  };
  for (int i = 0; i < l.nombre; ++i) {
    const trame_ligne& t = l.trame(i);
    if (ligne_sci::fin(t) <= r.depuis) continue;
    // The level just before the frame: the previous one's last bit when
    // it ends right there, else idle.
    int avant = 1;
    if (i > 0) {
      const trame_ligne& p = l.trame(i - 1);
      if (ligne_sci::fin(p) == t.debut) avant = (p.motif >> (p.bits - 1)) & 1;
    }
    for (unsigned k = 0; k < t.bits; ++k) {
      const int niveau = (t.motif >> k) & 1;
      if (avant == 1 && niveau == 0) {
        const uint64_t e = ligne_sci::bord(t, k);
        if (qualifie(e)) return e;
      }
      avant = niveau;
    }
  }
  return jamais;
}

void reprend_recherche(etat_recepteur& r, const ligne_serie& l, uint64_t depuis,
                       unsigned char qualification) {
  r.phase = etat_recepteur::cherche;
  r.depuis = depuis;
  r.qualification = qualification;
  r.candidat = cherche_depart(r, l);
}

}  // namespace

void demarre(etat_recepteur& r, const ligne_serie& l, uint64_t depuis,
             uint32_t num, uint32_t den, uint8_t bits) {
  r = etat_recepteur{};
  r.num = num;
  r.den = den;
  r.bits = bits;
  reprend_recherche(r, l, depuis, etat_recepteur::ligne);
}

void regle(etat_recepteur& r, const ligne_serie& l, uint32_t num, uint32_t den,
           uint8_t bits) {
  if (r.phase != etat_recepteur::cherche ||
      (r.num == num && r.den == den && r.bits == bits))
    return;
  r.num = num;
  r.den = den;
  r.bits = bits;
  r.candidat = cherche_depart(r, l);
}

bool arrete(etat_recepteur& r) {
  const bool en_cours =
      r.phase == etat_recepteur::verifie || r.phase == etat_recepteur::recoit;
  r.phase = etat_recepteur::arrete;
  r.candidat = jamais;
  return en_cours;
}

uint64_t prochain(const etat_recepteur& r) {
  switch (r.phase) {
    case etat_recepteur::cherche:
      return r.candidat;
    case etat_recepteur::verifie:
      return instant_rt(r, rt_echantillon(2));
    case etat_recepteur::recoit:
      return instant_complet(r);
    default:
      return jamais;
  }
}

bool traite(etat_recepteur& r, const ligne_serie& l, caractere_recu& c) {
  switch (r.phase) {
    case etat_recepteur::cherche:
      r.phase = etat_recepteur::verifie;
      r.t1 = r.candidat;
      r.candidat = jamais;
      r.pris = r.uns_verification = r.uns_bit = 0;
      r.bruit = false;
      r.lus = 0;
      return false;
    case etat_recepteur::verifie: {
      const uint64_t rt7 = instant_rt(r, rt_echantillon(2));
      echantillonne(r, l, rt7 + 1);
      if (r.uns_verification >= 2) {
        // The low at RT1 was noise: the search starts again.
        reprend_recherche(r, l, rt7 + 1, etat_recepteur::apres);
        return false;
      }
      if (r.uns_verification != 0) r.bruit = true;
      r.phase = etat_recepteur::recoit;
      return false;
    }
    case etat_recepteur::recoit: {
      const uint64_t complet = instant_complet(r);
      echantillonne(r, l, complet);
      const unsigned donnees = r.bits - 2u;
      c.donnees = static_cast<uint16_t>((r.lus >> 1) & ((1u << donnees) - 1));
      c.bruit = r.bruit;
      c.erreur_trame = ((r.lus >> (r.bits - 1)) & 1) == 0;
      c.pause = r.lus == 0;
      c.cycle = complet;
      c.fin = r.t1 + (uint64_t(r.bits) * r.num + r.den - 1) / r.den;
      // After a framing error (not a break) the qualifiers are forced: the
      // next start may come with the line low, a frame after this one's.
      if (c.erreur_trame && !c.pause)
        reprend_recherche(r, l, c.fin, etat_recepteur::forcee);
      else
        reprend_recherche(r, l, complet, etat_recepteur::apres);
      return true;
    }
    default:
      return false;
  }
}

void ajoute(ligne_serie& l, const trame_ligne& t, etat_recepteur* r) {
  if (l.nombre == ligne_serie::capacite) {
    const trame_ligne& ancienne = l.trame(0);
    if (r && (r->phase == etat_recepteur::verifie ||
              r->phase == etat_recepteur::recoit))
      echantillonne(*r, l, ligne_sci::fin(ancienne));
    l.premiere = static_cast<uint8_t>((l.premiere + 1) % ligne_serie::capacite);
    --l.nombre;
  }
  l.trames[(l.premiere + l.nombre) % ligne_serie::capacite] = t;
  ++l.nombre;
  if (r && r->phase == etat_recepteur::cherche && r->candidat == jamais)
    r->candidat = cherche_depart(*r, l);
}

}  // namespace recepteur
