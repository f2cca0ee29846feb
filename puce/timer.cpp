// The main timer: the counter computed from the cycle count, the compares
// found by arithmetic on it, the flags raised when an access or an event
// needs them, the pin actions applied in the order of their cycles.
#include "puce/timer.h"

#include <algorithm>

#include "puce/machine.h"
#include "puce/puce.h"

namespace timer {

namespace {

constexpr uint64_t jamais = puce::jamais;
// The chain's count in the first cycle of the first instruction.
constexpr uint64_t avance_chaine = 2;
// log2 of the real-time interrupt's shortest period.
constexpr unsigned log_rti = 13;

// TFLG1 and TMSK1 bit of compare i (0: OC1 ... 4: OC5).
constexpr unsigned char bit_oc(int i) {
  return static_cast<unsigned char>(0x80 >> i);
}

// The sources of TFLG1's bits, bit 0 first.
constexpr source_it sources_tflg1[8] = {it_ic3, it_ic2, it_ic1, it_i4o5,
                                        it_oc4, it_oc3, it_oc2, it_oc1};

uint32_t sources_de(unsigned char tflg1, unsigned char tflg2) {
  uint32_t s = 0;
  for (int b = 0; b < 8; ++b)
    if ((tflg1 >> b) & 1) s |= bit_it(sources_tflg1[b]);
  if (tflg2 & TOF) s |= bit_it(it_tof);
  if (tflg2 & RTIF) s |= bit_it(it_rti);
  return s;
}

// The captures: pin, TCTL2's EDGxB:EDGxA, flag; IC4 last.
struct capture {
  unsigned char broche;
  unsigned char decalage;
  unsigned char drapeau;
};
constexpr capture captures[4] = {
    {0x04, 4, 0x04}, {0x02, 2, 0x02}, {0x01, 0, 0x01}, {0x08, 6, 0x08}};

// The counter as a read in `cycle` gives it, not wrapped to 16 bits.
uint64_t compte(const etat_timer& e, uint64_t cycle) {
  const uint64_t t = cycle + avance_chaine - e.origine;
  return t < e.bascule ? t : e.bascule + (t - e.bascule) / e.division;
}

// The first cycle whose read gives `c` (not wrapped); `c` is at least the
// count of the first cycle after reset.
uint64_t debut(const etat_timer& e, uint64_t c) {
  const uint64_t t =
      c < e.bascule ? c : e.bascule + (c - e.bascule) * e.division;
  return t + e.origine - avance_chaine;
}

bool oc5(const etat_timer& e) { return !(e.pactl & I4O5); }
bool comparateur(const etat_timer& e, int i) { return i < 4 || oc5(e); }

// OMx:OLx of OC2-OC5 (i = 1..4).
unsigned action(const etat_timer& e, int i) {
  return (e.tctl1 >> (2 * (4 - i))) & 3;
}

bool agit_sur_broches(const etat_timer& e, int i) {
  if (!comparateur(e, i)) return false;
  return i == 0 ? (e.oc1m & 0xF8) != 0 : action(e, i) != 0;
}

// The next cycle compare i is found true, and the last cycle of that
// count (no other match before it ends).
struct egalite {
  uint64_t cycle;
  uint64_t fin;
};

egalite egalite_suivante(const etat_timer& e, int i) {
  const uint64_t c0 = compte(e, e.arme[i] - 1);
  const uint64_t c = c0 + ((e.toc[i] - c0) & 0xFFFF);
  return {std::max(e.arme[i], debut(e, c) + 1), debut(e, c + 1) - 1};
}

// The first cycle after `apres` that sees TOF rise.
uint64_t debordement_suivant(const etat_timer& e, uint64_t apres) {
  return debut(e, (compte(e, apres) | 0xFFFF) + 1);
}

// The first cycle after `apres` that sees RTIF rise.
uint64_t rti_suivante(const etat_timer& e, uint64_t apres) {
  const unsigned n = log_rti + (e.pactl & 3);
  const uint64_t t = apres + avance_chaine - e.origine;
  return (((t >> n) + 1) << n) + e.origine - avance_chaine;
}

// The flags no pin waits for, up to `u`: the overflow, the real-time
// interrupt, the compares without pin action (each at most once per count,
// however long the stretch).
void avance(etat_timer& e, uint64_t u) {
  if (u <= e.a_jour) return;
  if (debordement_suivant(e, e.a_jour) <= u) e.tflg2 |= TOF;
  if (rti_suivante(e, e.a_jour) <= u) e.tflg2 |= RTIF;
  for (int i = 0; i < 5; ++i) {
    if (!comparateur(e, i) || agit_sur_broches(e, i)) continue;
    if (egalite_suivante(e, i).cycle > u) continue;
    e.tflg1 |= bit_oc(i);
    // No other match while the counter stays at the last matching count.
    const uint64_t cu = compte(e, u - 1);
    const uint64_t dernier = cu - ((cu - e.toc[i]) & 0xFFFF);
    e.arme[i] = debut(e, dernier + 1) + 1;
  }
  e.a_jour = u;
}

// The next cycle a pin action (a compare that drives pins, a force) is due.
uint64_t action_suivante(const etat_timer& e) {
  uint64_t v = e.forces ? e.cycle_force : jamais;
  for (int i = 0; i < 5; ++i)
    if (agit_sur_broches(e, i)) v = std::min(v, egalite_suivante(e, i).cycle);
  return v;
}

unsigned char applique(unsigned char latch, int i, unsigned act) {
  const auto bit = static_cast<unsigned char>(0x80 >> i);  // PA6 for OC2...
  switch (act) {
    case 1:
      return static_cast<unsigned char>(latch ^ bit);
    case 2:
      return static_cast<unsigned char>(latch & ~bit);
    case 3:
      return static_cast<unsigned char>(latch | bit);
    default:
      return latch;
  }
}

// The pin actions due in cycle v: OC2-OC5, then OC1, which wins a pin both
// change. Their pins change at the end of v.
void agit(puce& p, uint64_t v) {
  etat_timer& e = p.etat.timer;
  const bool forcees = e.forces && e.cycle_force == v;
  bool fait[5];
  for (int i = 0; i < 5; ++i) {
    fait[i] = forcees && (e.forces & bit_oc(i)) && comparateur(e, i);
    if (!agit_sur_broches(e, i)) continue;
    const egalite g = egalite_suivante(e, i);
    if (g.cycle != v) continue;
    e.tflg1 |= bit_oc(i);
    e.arme[i] = g.fin + 2;
    fait[i] = true;
  }
  if (forcees) e.forces = 0;
  unsigned char latch = p.etat.ports.porta;
  for (int i = 1; i < 5; ++i)
    if (fait[i]) latch = applique(latch, i, action(e, i));
  if (fait[0]) {
    const auto m = static_cast<unsigned char>(e.oc1m & 0xF8);
    latch = static_cast<unsigned char>((latch & ~m) | (e.oc1d & m));
  }
  if (latch == p.etat.ports.porta) return;
  p.etat.ports.porta = latch;
  const puce::a_l_instant ici(p, v);
  e.en_evenement = true;
  ports::actualise(p);
  e.en_evenement = false;
}

void ecrit_octet(unsigned short& mot, bool haut, unsigned char valeur) {
  mot = haut ? static_cast<unsigned short>((mot & 0x00FF) | valeur << 8)
             : static_cast<unsigned short>((mot & 0xFF00) | valeur);
}

unsigned char octet(unsigned short mot, bool haut) {
  return static_cast<unsigned char>(haut ? mot >> 8 : mot & 0xFF);
}

void ecrit_tmsk2(puce& p, unsigned char valeur) {
  etat_timer& e = p.etat.timer;
  unsigned char pr = e.tmsk2 & 0x03;
  if (!e.tmsk2_ecrit && systeme::bits_proteges_libres(p)) {
    pr = valeur & 0x03;
    // The new rate starts at the next wrap of the 4-bit prescaler.
    static constexpr unsigned divisions[4] = {1, 4, 8, 16};
    e.division = divisions[pr];
    e.bascule = (chaine(p, p.instant()) | 15) + 1;
  }
  e.tmsk2_ecrit = true;
  e.tmsk2 = static_cast<unsigned char>((valeur & 0xF0) | pr);
}

}  // namespace

uint64_t chaine(const puce& p, uint64_t cycle) {
  return cycle + avance_chaine - p.etat.timer.origine;
}

uint64_t cycle_de_chaine(const puce& p, uint64_t compte) {
  return compte + p.etat.timer.origine - avance_chaine;
}

unsigned short tcnt(const puce& p, uint64_t cycle) {
  return static_cast<unsigned short>(compte(p.etat.timer, cycle) & 0xFFFF);
}

unsigned division(const puce& p) { return p.etat.timer.division; }

void reset(puce& p) {
  etat_timer& e = p.etat.timer;
  e = etat_timer{};
  for (unsigned short& t : e.toc) t = 0xFFFF;
  e.origine = p.cycles();
  e.bascule = 0;
  e.division = 1;
  e.a_jour = e.origine;
  for (uint64_t& a : e.arme) a = e.origine + 1;
}

bool possede(unsigned char offset) {
  return offset >= CFORC && offset <= PACTL;
}

unsigned char lit(puce& p, unsigned char offset) {
  etat_timer& e = p.etat.timer;
  const uint64_t k = p.instant();
  if (offset >= TIC1 && offset < TOC1) {
    const int i = (offset - TIC1) / 2;
    return octet(e.tic[i], !(offset & 1));
  }
  if (offset >= TOC1 && offset <= TI4O5 + 1) {
    const int i = (offset - TOC1) / 2;
    return octet(e.toc[i], !(offset & 1));
  }
  switch (offset) {
    case OC1M:
      return e.oc1m;
    case OC1D:
      return e.oc1d;
    case TCNT: {
      const unsigned short v = tcnt(p, k);
      e.verrou = true;
      e.cycle_verrou = k;
      e.verrou_bas = static_cast<unsigned char>(v & 0xFF);
      return static_cast<unsigned char>(v >> 8);
    }
    case TCNT + 1:
      if (e.verrou && k == e.cycle_verrou + 1) return e.verrou_bas;
      return static_cast<unsigned char>(tcnt(p, k) & 0xFF);
    case TCTL1:
      return e.tctl1;
    case TCTL2:
      return e.tctl2;
    case TMSK1:
      return e.tmsk1;
    case TFLG1:
      return e.tflg1;
    case TMSK2:
      return e.tmsk2;
    case TFLG2:
      return static_cast<unsigned char>((e.tflg2 & (TOF | RTIF)) |
                                        accumulateur::drapeaux(p));
    case PACTL:
      return e.pactl;
    default:  // CFORC
      return 0x00;
  }
}

void ecrit(puce& p, unsigned char offset, unsigned char valeur) {
  etat_timer& e = p.etat.timer;
  const uint64_t k = p.instant();
  if (offset >= TIC1 && offset < TOC1) return;  // read only
  if (offset >= TOC1 && offset <= TI4O5 + 1) {
    const int i = (offset - TOC1) / 2;
    ecrit_octet(e.toc[i], !(offset & 1), valeur);
    // No compare in the next cycle: the other byte may be on its way.
    e.arme[i] = k + 2;
    return;
  }
  switch (offset) {
    case CFORC:
      if (valeur & 0xF8) {
        if (!e.forces) e.cycle_force = debut(e, compte(e, k) + 1);
        e.forces |= valeur & 0xF8;
      }
      return;
    case OC1M:
      e.oc1m = valeur & 0xF8;
      return;
    case OC1D:
      e.oc1d = valeur & 0xF8;
      return;
    case TCTL1:
      e.tctl1 = valeur;
      return;
    case TCTL2:
      e.tctl2 = valeur;
      return;
    case TMSK1:
      e.tmsk1 = valeur;
      return;
    case TFLG1:
      e.tflg1 = static_cast<unsigned char>(e.tflg1 & ~valeur);
      return;
    case TMSK2:
      ecrit_tmsk2(p, valeur);
      return;
    case TFLG2:
      e.tflg2 = static_cast<unsigned char>(e.tflg2 & ~(valeur & (TOF | RTIF)));
      accumulateur::efface(p, valeur & (PAOVF | PAIF));
      return;
    case PACTL:
      // OC5 compares again from the next cycle on.
      if ((e.pactl & I4O5) && !(valeur & I4O5))
        e.arme[4] = std::max(e.arme[4], k + 1);
      e.pactl = valeur;
      return;
    default:  // TCNT: written in test mode only
      return;
  }
}

void rattrape(puce& p, uint64_t cycle) {
  etat_timer& e = p.etat.timer;
  if (cycle <= e.a_jour) return;
  for (;;) {
    const uint64_t v = action_suivante(e);
    if (v > cycle) break;
    avance(e, v);
    agit(p, v);
  }
  avance(e, cycle);
}

uint64_t prochain(const puce& p) {
  const etat_timer& e = p.etat.timer;
  uint64_t v = action_suivante(e);
  for (int i = 0; i < 5; ++i)
    if (comparateur(e, i) && (e.tmsk1 & ~e.tflg1 & bit_oc(i)))
      v = std::min(v, egalite_suivante(e, i).cycle);
  if (e.tmsk2 & ~e.tflg2 & TOF)
    v = std::min(v, debordement_suivant(e, e.a_jour));
  if (e.tmsk2 & ~e.tflg2 & RTIF) v = std::min(v, rti_suivante(e, e.a_jour));
  return v;
}

uint32_t demandes(const puce& p) {
  const etat_timer& e = p.etat.timer;
  return sources_de(e.tflg1 & e.tmsk1, e.tflg2 & e.tmsk2);
}

uint32_t autorisees(const puce& p) {
  const etat_timer& e = p.etat.timer;
  return sources_de(e.tmsk1, e.tmsk2);
}

uint32_t possibles(const puce& p) {
  const etat_timer& e = p.etat.timer;
  unsigned char compares = e.tmsk1 & 0xF0;
  if (oc5(e)) compares |= e.tmsk1 & 0x08;
  return sources_de(compares, e.tmsk2);
}

uint32_t sur_broches(const puce& p) {
  const etat_timer& e = p.etat.timer;
  unsigned char bits = 0;
  for (const capture& c : captures) {
    if (c.drapeau == 0x08 && oc5(e)) continue;
    if ((e.tctl2 >> c.decalage) & 3) bits |= c.drapeau;
  }
  return sources_de(bits & e.tmsk1, 0);
}

bool mobile(const puce&, unsigned char offset) {
  return offset == TCNT || offset == TCNT + 1 || offset == TFLG1 ||
         offset == TFLG2;
}

unsigned char broches_reservees(const puce& p) {
  const etat_timer& e = p.etat.timer;
  unsigned char r = 0;
  for (int i = 1; i < 5; ++i)
    if (comparateur(e, i) && action(e, i))
      r |= static_cast<unsigned char>(0x80 >> i);
  return r;
}

void port_a(puce& p, unsigned char avant, unsigned char apres) {
  etat_timer& e = p.etat.timer;
  const uint64_t k = p.instant();
  const auto change = static_cast<unsigned char>(avant ^ apres);
  for (const capture& c : captures) {
    if (!(change & c.broche)) continue;
    if (c.drapeau == 0x08 && oc5(e)) continue;
    const unsigned front = (e.tctl2 >> c.decalage) & 3;
    const bool monte = (apres & c.broche) != 0;
    if (front == 3 || (front == 1 && monte) || (front == 2 && !monte)) {
      const unsigned short v = tcnt(p, k);
      if (c.drapeau == 0x08)
        e.toc[4] = v;
      else
        e.tic[c.drapeau == 0x04 ? 0 : c.drapeau == 0x02 ? 1 : 2] = v;
      e.tflg1 |= c.drapeau;
    }
  }
  if (change & 0x80) accumulateur::pai(p, (apres & 0x80) != 0, k);
  if (!e.en_evenement) {
    p.planifie();
    p.maj_demandes();
  }
}

evenement suivant(const puce& p) {
  const etat_timer& e = p.etat.timer;
  static const char* const noms_oc[5] = {"OC1", "OC2", "OC3", "OC4", "OC5"};
  evenement s{"TOF", debordement_suivant(e, e.a_jour)};
  const uint64_t rti = rti_suivante(e, e.a_jour);
  if (rti < s.cycle) s = {"RTI", rti};
  for (int i = 0; i < 5; ++i) {
    if (!comparateur(e, i)) continue;
    const uint64_t c = egalite_suivante(e, i).cycle;
    if (c < s.cycle) s = {noms_oc[i], c};
  }
  return s;
}

}  // namespace timer
