#include "puce/ports.h"

#include "platine/platine.h"
#include "puce/machine.h"
#include "puce/puce.h"

namespace ports {

namespace {

// PACTL, where DDRA7 (bit 7) and DDRA3 (bit 3) choose the direction of
// PA7 and PA3. It belongs to the timer.
unsigned char pactl(const puce& p) { return p.etat.timer.pactl; }

unsigned char niveau(unsigned char sortie, unsigned char latch,
                     unsigned char entree) {
  return static_cast<unsigned char>((latch & sortie) | (entree & ~sortie));
}

// Port D pins the serial interfaces take: forced directions, and the
// levels they set.
struct liaisons_port_d {
  unsigned char sorties = 0, entrees = 0, pilotees = 0, niveaux = 0;
  explicit liaisons_port_d(const puce& p) {
    sci::broches(p, sorties, entrees, pilotees, niveaux);
    spi::broches(p, sorties, entrees, pilotees, niveaux);
  }
};

}  // namespace

unsigned char sorties(const puce& p, int port) {
  const etat_ports& e = p.etat.ports;
  switch (port) {
    case 0:
      return static_cast<unsigned char>(0x70 | (pactl(p) & 0x88));
    case 1:
      return 0xFF;
    case 2:
      return e.ddrc;
    case 3: {
      const liaisons_port_d l(p);
      return static_cast<unsigned char>((e.ddrd | l.sorties) & ~l.entrees &
                                        0x3F);
    }
    default:
      return 0x00;
  }
}

unsigned char niveaux(const puce& p, int port) {
  const unsigned char n = niveaux_puce(p, port);
  const platine* b = p.mach().platine_attachee();
  if (b == nullptr || b->calculees(port) == 0) return n;
  return b->niveaux(p, port, n, sorties(p, port));
}

unsigned char niveaux_puce(const puce& p, int port) {
  const etat_ports& e = p.etat.ports;
  const unsigned char s = sorties(p, port);
  switch (port) {
    case 0:
      return niveau(s, e.porta, e.entrees[0]);
    case 1:
      return e.portb;
    case 2:
      return niveau(s, e.portc, e.entrees[2]);
    case 3: {
      const liaisons_port_d l(p);
      const unsigned char n = niveau(s, e.portd, e.entrees[3]);
      return static_cast<unsigned char>(
          ((n & ~l.pilotees) | (l.niveaux & l.pilotees)) & 0x3F);
    }
    default:  // the analog inputs' levels
      return can::niveaux_port_e(p);
  }
}

void reset(puce& p) {
  etat_ports& e = p.etat.ports;
  e.porta = 0x00;
  e.pioc = 0x03;
  e.portc = 0x00;
  e.portb = 0x00;
  e.portcl = 0x00;
  e.ddrc = 0x00;
  e.portd = 0x00;
  e.ddrd = 0x00;
  for (int port = 0; port < 5; ++port) e.niveaux[port] = niveaux(p, port);
}

bool possede(unsigned char offset) {
  return offset <= PORTE && offset != 0x01 && offset != 0x06;
}

unsigned char lit(puce& p, unsigned char offset) {
  const etat_ports& e = p.etat.ports;
  switch (offset) {
    case PORTA:
      return niveaux(p, 0);
    case PIOC:
      return e.pioc;
    case PORTC:
      return niveaux(p, 2);
    case PORTB:
      return e.portb;
    case PORTCL:
      return e.portcl;
    case DDRC:
      return e.ddrc;
    case PORTD:
      return niveaux(p, 3);
    case DDRD:
      return e.ddrd;
    default:  // PORTE
      return niveaux(p, 4);
  }
}

void ecrit(puce& p, unsigned char offset, unsigned char valeur) {
  etat_ports& e = p.etat.ports;
  switch (offset) {
    case PORTA: {
      // The pins an output compare drives keep the timer's level.
      const unsigned char r = timer::broches_reservees(p);
      e.porta = static_cast<unsigned char>((valeur & ~r) | (e.porta & r));
      break;
    }
    case PIOC:  // STAF (bit 7) is read-only
      e.pioc = static_cast<unsigned char>((e.pioc & 0x80) | (valeur & 0x7F));
      break;
    case PORTC:
    case PORTCL:
      e.portc = valeur;
      break;
    case PORTB:
      e.portb = valeur;
      break;
    case DDRC:
      e.ddrc = valeur;
      break;
    case PORTD:
      e.portd = valeur & 0x3F;
      break;
    case DDRD:
      e.ddrd = valeur & 0x3F;
      spi::verifie_ss(p);
      break;
    default:  // PORTE: input only
      return;
  }
  actualise(p);
}

void pose_entree(puce& p, int port, int bit, bool haut) {
  // What the units do before this instant comes first (a compare's pin).
  p.rattrape(p.instant());
  unsigned char& entree = p.etat.ports.entrees[port];
  const auto masque = static_cast<unsigned char>(1u << bit);
  entree =
      static_cast<unsigned char>(haut ? entree | masque : entree & ~masque);
  // Port E's pins are the analog inputs: a digital level is 0 V or VDD.
  if (port == 4) can::pose_numerique(p, bit, haut);
  actualise(p);
  if (port == 3 && bit == 5) spi::verifie_ss(p);
}

void actualise(puce& p) {
  etat_ports& e = p.etat.ports;
  unsigned char avants[5], apres[5];
  bool suivies = false;
  platine* const b = p.mach().platine_attachee();
  for (int port = 0; port < 5; ++port) {
    const unsigned char n = niveaux(p, port);
    const unsigned char avant = e.niveaux[port];
    avants[port] = avant;
    apres[port] = n;
    const unsigned char change = n ^ avant;
    if (change == 0) continue;
    e.niveaux[port] = n;
    for (int bit = 0; bit < 8; ++bit)
      if ((change >> bit) & 1)
        p.mach().journal.note(p.instant(),
                              static_cast<unsigned char>(port * 8 + bit),
                              (n >> bit) & 1);
    // Captures and the pulse accumulator watch port A's pins.
    if (port == 0) timer::port_a(p, avant, n);
    if (b && (change & b->suivies(port))) suivies = true;
  }
  // The board follows some pins as they change (an LCD's E, a wire); what
  // it then drives is logged too.
  if (!suivies) return;
  bool recalcule = false;
  for (int port = 0; port < 5; ++port)
    if ((avants[port] ^ apres[port]) & b->suivies(port))
      recalcule |= b->change_port(port, avants[port], apres[port], p.instant());
  if (recalcule) actualise(p);
}

}  // namespace ports
