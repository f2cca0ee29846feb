// The SCI: registers, the transmitter's frames and the receiver's line as
// events of the cycle count. See sci.h.
#include "puce/sci.h"

#include <algorithm>
#include <cstring>

#include "puce/machine.h"
#include "puce/puce.h"

namespace sci {

namespace {

constexpr uint64_t jamais = puce::jamais;
constexpr unsigned char drapeaux_reception = RDRF | IDLE | OR | NF | FE;

uint64_t fin(const trame_sci& t) { return t.debut + uint64_t(t.bits) * t.bit; }
uint64_t milieu_stop(const trame_sci& t) { return fin(t) - t.bit / 2; }
uint8_t bits_trame(const etat_sci& s) { return s.sccr1 & M ? 11 : 10; }

trame_sci trame(const etat_sci& s, unsigned char type, uint16_t valeur) {
  return {type,   static_cast<unsigned char>(s.sccr1 & M ? 11 : 10),
          valeur, duree_bit(s.baud),
          0,      false};
}

// The first edge of the bit clock at or after `cycle`.
uint64_t front(const etat_sci& s, uint64_t cycle) {
  if (cycle <= s.origine) return s.origine;
  const uint64_t bit = duree_bit(s.baud);
  return s.origine + (cycle - s.origine + bit - 1) / bit * bit;
}

// What the transmitter sends next, taken off its queue: the preamble, a
// break, the character in TDR. Once TE is cleared, that character still
// goes if it follows a frame going out (`a_la_suite`).
trame_sci a_emettre(etat_sci& s, bool a_la_suite) {
  const bool te = s.sccr2 & TE;
  if (te && s.preambule) {
    s.preambule = false;
    return trame(s, preambule, 0x1FF);
  }
  if (te && (s.sccr2 & SBK)) return trame(s, pause, 0);
  if (s.tdr_plein && (te || a_la_suite)) {
    s.tdr_plein = false;
    return trame(s, donnee,
                 static_cast<uint16_t>(s.tdr | (s.sccr1 & T8 ? 0x100 : 0)));
  }
  return trame_sci{};
}

bool a_enchainer(const etat_sci& s) {
  return s.suivante.type == aucune &&
         (s.tdr_plein || ((s.sccr2 & TE) && (s.preambule || (s.sccr2 & SBK))));
}

// A frame goes into the shift register: TxD as the terminal will read it.
void sur_txd(puce& p, const trame_sci& t) {
  machine& m = p.mach();
  if (!m.garde_trames_txd || t.type == aucune || t.type == preambule) return;
  m.trames_txd.push_back(
      t.type == pause ? ligne_sci::pause(t.debut, t.bit, 1, t.bits)
                      : ligne_sci::trame(t.debut, t.bit, 1,
                                         t.bits == 11 ? format_ligne::f9
                                                      : format_ligne::f8n1,
                                         t.donnee));
}

// The transfer into the shift register in `cycle`, behind the frame going
// out (a break is followed by one bit of ones).
void enchaine(etat_sci& s, uint64_t cycle) {
  trame_sci t = a_emettre(s, true);
  if (t.type == aucune) return;
  const uint64_t apres =
      fin(s.emise) +
      (s.emise.type == pause && t.type != pause ? s.emise.bit : 0);
  t.debut = std::max(apres, front(s, cycle + 1));
  if (t.type == donnee) s.montee_tdre = cycle + 1;
  s.suivante = t;
}

// Something was queued in `cycle`: an idle transmitter starts it on the next
// edge; a busy one takes it at once if the middle of its stop bit is past.
void lance(puce& p, uint64_t cycle) {
  etat_sci& s = p.etat.sci;
  if (s.emise.type == aucune) {
    trame_sci t = a_emettre(s, false);
    if (t.type == aucune) return;
    t.debut = front(s, cycle + 1);
    if (t.type == donnee) s.montee_tdre = cycle + 1;
    s.emise = t;
    sur_txd(p, t);
  } else if (s.suivante.type == aucune && cycle >= milieu_stop(s.emise)) {
    s.emise.milieu_fait = true;
    enchaine(s, cycle);
  }
}

enum genre_evenement {
  aucun,
  montee_tdre,
  milieu_emission,
  fin_emission,
  debut_ligne,
  reception,
  ligne_inactive
};

struct evenement {
  uint64_t cycle;
  genre_evenement genre;
};

// The earliest event ahead; on a tie, the first listed.
evenement suivant(const puce& p) {
  const etat_sci& s = p.etat.sci;
  evenement e{jamais, aucun};
  const auto prend = [&e](uint64_t cycle, genre_evenement genre) {
    if (cycle < e.cycle) e = {cycle, genre};
  };
  if (s.montee_tdre != jamais) prend(s.montee_tdre, montee_tdre);
  if (s.emise.type != aucune) {
    if (!s.emise.milieu_fait && a_enchainer(s))
      prend(milieu_stop(s.emise), milieu_emission);
    prend(fin(s.emise), fin_emission);
  }
  // A frame starts on RxD before the receiver decides at the same cycle.
  if (!s.attend_re && p.mach().file_sci() != 0) prend(s.libre, debut_ligne);
  if (s.sccr2 & RE) {
    prend(recepteur::prochain(s.recepteur), reception);
    if (s.idle_a != jamais) prend(s.idle_a, ligne_inactive);
  }
  return e;
}

// The receiver reads frames at the program's rate and format.
void regle_recepteur(etat_sci& s) {
  recepteur::regle(s.recepteur, s.rxd, duree_bit(s.baud), 1, bits_trame(s));
}

// The next character typed goes on RxD at `cycle`, at the terminal's rate
// and format (the program's when it follows them).
void debut_trame(puce& p, uint64_t cycle) {
  etat_sci& s = p.etat.sci;
  const uint16_t c = p.mach().prend_sci();
  const reglage_terminal& r = s.terminal;
  const trame_ligne t =
      r.bauds == 0 ? ligne_sci::trame(
                         cycle, duree_bit(s.baud), 1,
                         s.sccr1 & M ? format_ligne::f9 : format_ligne::f8n1, c)
                   : ligne_sci::trame(cycle, frequence_e, r.bauds, r.format, c);
  s.libre = ligne_sci::fin(t);
  // Nobody listens: the character is lost.
  if (!(s.sccr2 & RE)) ++s.perdus;
  recepteur::ajoute(s.rxd, t, &s.recepteur);
}

void recoit_caractere(etat_sci& s, const caractere_recu& c) {
  // The line will have been idle a frame time after this one's end.
  s.idle_a = c.fin + (c.fin - s.recepteur.t1);
  const uint16_t dernier = s.sccr1 & M ? 0x100 : 0x80;
  if (s.sccr2 & RWU) {
    if (!(s.sccr1 & WAKE) || !(c.donnees & dernier)) return;
    s.sccr2 &= static_cast<unsigned char>(~RWU);
  }
  s.actif = true;
  if (s.scsr & RDRF) {
    s.scsr |= OR;
    ++s.perdus;
    return;
  }
  s.rdr = static_cast<unsigned char>(c.donnees);
  if (s.sccr1 & M)
    s.sccr1 = static_cast<unsigned char>((s.sccr1 & ~R8) |
                                         (c.donnees & 0x100 ? R8 : 0));
  s.scsr |= RDRF;
  if (c.bruit) s.scsr |= NF;
  if (c.erreur_trame) s.scsr |= FE;
}

void traite(puce& p, const evenement& e) {
  etat_sci& s = p.etat.sci;
  switch (e.genre) {
    case montee_tdre:
      s.scsr |= TDRE;
      s.montee_tdre = jamais;
      break;
    case milieu_emission:
      s.emise.milieu_fait = true;
      enchaine(s, e.cycle);
      break;
    case fin_emission:
      if (s.emise.type == donnee)
        p.mach().emet_sci(static_cast<unsigned char>(s.emise.donnee));
      s.emise = s.suivante;
      s.suivante = trame_sci{};
      sur_txd(p, s.emise);
      if (s.emise.type == aucune) {
        s.scsr |= TC;
        if (!(s.sccr2 & TE)) {
          // TxD goes back to port D.
          p.debut_evenement(e.cycle);
          ports::actualise(p);
          p.fin_evenement();
        }
      }
      break;
    case debut_ligne:
      debut_trame(p, e.cycle);
      break;
    case reception: {
      caractere_recu c;
      if (recepteur::traite(s.recepteur, s.rxd, c)) {
        recoit_caractere(s, c);
        regle_recepteur(s);
      }
      break;
    }
    case ligne_inactive:
      s.idle_a = jamais;
      // A start bit came meanwhile: the line was not idle.
      if (s.recepteur.phase != etat_recepteur::cherche) break;
      if (s.sccr2 & RWU) {
        if (!(s.sccr1 & WAKE)) s.sccr2 &= static_cast<unsigned char>(~RWU);
      } else if (s.actif) {
        s.scsr |= IDLE;
        s.actif = false;
      }
      break;
    default:
      break;
  }
}

}  // namespace

uint32_t duree_bit(unsigned char baud) {
  static constexpr uint32_t prediviseur[4] = {1, 3, 4, 13};
  return 16u * prediviseur[(baud >> 4) & 3] * (1u << (baud & 7));
}

void reset(puce& p) {
  etat_sci& s = p.etat.sci;
  // The line and the terminal are outside the chip; a character being
  // received is lost.
  const ligne_serie rxd = s.rxd;
  const uint64_t libre = s.libre;
  const bool attend_re = s.attend_re;
  const reglage_terminal terminal = s.terminal;
  const uint32_t perdus =
      s.perdus + (recepteur::arrete(s.recepteur) && (s.sccr2 & RE) ? 1 : 0);
  s = etat_sci{};
  s.rxd = rxd;
  s.libre = libre;
  s.attend_re = attend_re;
  s.terminal = terminal;
  s.perdus = perdus;
  s.scsr = TDRE | TC;
  s.origine = s.re_depuis = p.cycles();
  s.montee_tdre = s.idle_a = jamais;
  s.recepteur.phase = etat_recepteur::arrete;
  s.recepteur.candidat = jamais;
}

void vide_ligne(puce& p) {
  etat_sci& s = p.etat.sci;
  s.rxd = ligne_serie{};
  s.libre = p.cycles();
  s.attend_re = false;
  if (s.sccr2 & RE)
    recepteur::demarre(s.recepteur, s.rxd, p.cycles(), duree_bit(s.baud), 1,
                       bits_trame(s));
}

void nouvel_envoi(puce& p) {
  etat_sci& s = p.etat.sci;
  s.libre = std::max(s.libre, p.instant());
}

void regle_terminal(puce& p, const reglage_terminal& r) {
  p.etat.sci.terminal = r;
}

bool possede(unsigned char offset) { return offset >= BAUD && offset <= SCDR; }

unsigned char lit(puce& p, unsigned char offset) {
  etat_sci& s = p.etat.sci;
  switch (offset) {
    case BAUD:
      return s.baud;
    case SCCR1:
      return s.sccr1 & (R8 | T8 | M | WAKE);
    case SCCR2:
      return s.sccr2;
    case SCSR:
      s.lus = s.scsr;
      return s.scsr;
    default: {  // SCDR: RDR
      const unsigned char efface = s.lus & drapeaux_reception;
      s.scsr &= static_cast<unsigned char>(~efface);
      s.lus &= static_cast<unsigned char>(~efface);
      return s.rdr;
    }
  }
}

void ecrit(puce& p, unsigned char offset, unsigned char valeur) {
  etat_sci& s = p.etat.sci;
  const uint64_t maintenant = p.instant();
  switch (offset) {
    case BAUD:
      s.baud = valeur & 0x37;
      s.origine = maintenant;
      regle_recepteur(s);
      break;
    case SCCR1:
      s.sccr1 = static_cast<unsigned char>((s.sccr1 & R8) |
                                           (valeur & (T8 | M | WAKE)));
      regle_recepteur(s);
      break;
    case SCCR2: {
      const unsigned char avant = s.sccr2;
      s.sccr2 = valeur;
      if ((avant & RE) && !(valeur & RE)) {
        if (recepteur::arrete(s.recepteur)) ++s.perdus;
        s.idle_a = jamais;
      }
      if (!(avant & RE) && (valeur & RE)) {
        s.re_depuis = maintenant;
        s.actif = false;
        s.idle_a = jamais;
        recepteur::demarre(s.recepteur, s.rxd, maintenant, duree_bit(s.baud), 1,
                           bits_trame(s));
        // The terminal that waited for the receiver starts now.
        if (s.attend_re) {
          s.attend_re = false;
          s.libre = std::max(s.libre, maintenant);
        }
      }
      if (!(avant & TE) && (valeur & TE)) s.preambule = true;
      lance(p, maintenant);
      break;
    }
    case SCSR:
      break;
    default: {  // SCDR: TDR
      s.tdr = valeur;
      s.tdr_plein = true;
      const unsigned char efface = s.lus & (TDRE | TC);
      s.scsr &= static_cast<unsigned char>(~efface);
      s.lus &= static_cast<unsigned char>(~efface);
      lance(p, maintenant);
      break;
    }
  }
}

void rattrape(puce& p, uint64_t cycle) {
  for (;;) {
    const evenement e = suivant(p);
    if (e.cycle >= cycle) return;
    traite(p, e);
  }
}

uint64_t prochain(const puce& p) {
  const uint64_t e = suivant(p).cycle;
  return e == jamais ? jamais : e + 1;
}

uint32_t demandes(const puce& p) {
  const etat_sci& s = p.etat.sci;
  const bool d = ((s.sccr2 & TIE) && (s.scsr & TDRE)) ||
                 ((s.sccr2 & TCIE) && (s.scsr & TC)) ||
                 ((s.sccr2 & RIE) && (s.scsr & (RDRF | OR))) ||
                 ((s.sccr2 & ILIE) && (s.scsr & IDLE));
  return d ? bit_it(it_sci) : 0;
}

uint32_t autorisees(const puce& p) {
  return p.etat.sci.sccr2 & (TIE | TCIE | RIE | ILIE) ? bit_it(it_sci) : 0;
}

void broches(const puce& p, unsigned char& sorties, unsigned char& entrees,
             unsigned char& pilotees, unsigned char& niveaux) {
  const etat_sci& s = p.etat.sci;
  if ((s.sccr2 & TE) || s.emise.type != aucune) {
    sorties |= 0x02;
    pilotees |= 0x02;
    niveaux |= 0x02;
  }
  if (s.sccr2 & RE) {
    entrees |= 0x01;
    pilotees |= 0x01;
    niveaux |= 0x01;
  }
}

}  // namespace sci
