// The pulse accumulator: edges counted as the ports unit reports them, E/64
// ticks counted from the timer's clock chain when needed.
#include "puce/accumulateur.h"

#include "puce/puce.h"
#include "puce/timer.h"

namespace accumulateur {

namespace {

constexpr uint64_t jamais = puce::jamais;
constexpr uint64_t periode_tic = 64;

unsigned char pactl(const puce& p) { return p.etat.timer.pactl; }
bool en_marche(const puce& p) { return (pactl(p) & timer::PAEN) != 0; }
bool temps(const puce& p) { return en_marche(p) && (pactl(p) & timer::PAMOD); }
// In gated mode, the level that lets the ticks through (high with PEDGE
// clear).
bool niveau_actif(const puce& p, unsigned char niveau) {
  return (niveau != 0) != ((pactl(p) & timer::PEDGE) != 0);
}
bool compte_le_temps(const puce& p) {
  return temps(p) && niveau_actif(p, p.etat.accumulateur.niveau);
}

// The E/64 ticks of cycles a+1 to b.
uint64_t tics(const puce& p, uint64_t a, uint64_t b) {
  return timer::chaine(p, b) / periode_tic - timer::chaine(p, a) / periode_tic;
}

void ajoute(etat_accumulateur& e, uint64_t n) {
  if (n == 0) return;
  if (e.pacnt + n > 0xFF) e.drapeaux |= timer::PAOVF;
  e.pacnt = static_cast<unsigned char>((e.pacnt + n) & 0xFF);
}

void avance(puce& p, uint64_t u) {
  etat_accumulateur& e = p.etat.accumulateur;
  if (u <= e.a_jour) return;
  if (compte_le_temps(p)) ajoute(e, tics(p, e.a_jour, u));
  e.a_jour = u;
}

}  // namespace

void reset(puce& p) {
  etat_accumulateur& e = p.etat.accumulateur;
  e = etat_accumulateur{};
  e.niveau = (ports::niveaux(p, 0) >> 7) & 1;
  e.a_jour = p.cycles();
}

bool possede(unsigned char offset) { return offset == PACNT; }

unsigned char lit(puce& p, unsigned char) { return p.etat.accumulateur.pacnt; }

void ecrit(puce& p, unsigned char, unsigned char valeur) {
  p.etat.accumulateur.pacnt = valeur;
}

void rattrape(puce& p, uint64_t cycle) { avance(p, cycle); }

uint64_t prochain(const puce& p) {
  const etat_accumulateur& e = p.etat.accumulateur;
  if (!(p.etat.timer.tmsk2 & ~e.drapeaux & timer::PAOVF) || !compte_le_temps(p))
    return jamais;
  // The tick that takes PACNT from $FF to $00.
  const uint64_t premier =
      (timer::chaine(p, e.a_jour) / periode_tic + 1) * periode_tic;
  return timer::cycle_de_chaine(p, premier + (0xFFu - e.pacnt) * periode_tic);
}

uint32_t demandes(const puce& p) {
  const unsigned char d = p.etat.accumulateur.drapeaux & p.etat.timer.tmsk2;
  return (d & timer::PAOVF ? bit_it(it_paovf) : 0) |
         (d & timer::PAIF ? bit_it(it_pai) : 0);
}

uint32_t autorisees(const puce& p) {
  const unsigned char m = p.etat.timer.tmsk2;
  return (m & timer::PAOVF ? bit_it(it_paovf) : 0) |
         (m & timer::PAIF ? bit_it(it_pai) : 0);
}

uint32_t possibles(const puce& p) {
  return compte_le_temps(p) ? autorisees(p) & bit_it(it_paovf) : 0;
}

uint32_t sur_broches(const puce& p) { return en_marche(p) ? autorisees(p) : 0; }

bool mobile(const puce& p, unsigned char) { return en_marche(p); }

unsigned char drapeaux(const puce& p) { return p.etat.accumulateur.drapeaux; }

void efface(puce& p, unsigned char bits) {
  p.etat.accumulateur.drapeaux &= static_cast<unsigned char>(~bits);
}

void pai(puce& p, bool haut, uint64_t cycle) {
  etat_accumulateur& e = p.etat.accumulateur;
  const unsigned char niveau = haut ? 1 : 0;
  if (niveau == e.niveau) return;
  if (cycle >= e.a_jour) {
    avance(p, cycle);
  } else if (temps(p)) {
    // The ticks after the edge were counted with the old level.
    const uint64_t n = tics(p, cycle, e.a_jour);
    if (niveau_actif(p, e.niveau))
      e.pacnt = static_cast<unsigned char>((e.pacnt - n) & 0xFF);
    if (niveau_actif(p, niveau)) ajoute(e, n);
  }
  e.niveau = niveau;
  if (!en_marche(p)) return;
  // The edge PEDGE selects: the one counted, or the end of a gate.
  if (haut == ((pactl(p) & timer::PEDGE) != 0)) {
    if (!(pactl(p) & timer::PAMOD)) ajoute(e, 1);
    e.drapeaux |= timer::PAIF;
  }
}

}  // namespace accumulateur
