// The SPI master: registers, transfers as events of the cycle count, the
// mode fault. See spi.h.
#include "puce/spi.h"

#include "puce/machine.h"
#include "puce/puce.h"

namespace spi {

namespace {

constexpr uint64_t jamais = puce::jamais;

bool maitre(const etat_spi& s) {
  return (s.spcr & (SPE | MSTR)) == (SPE | MSTR);
}

}  // namespace

uint32_t periode(unsigned char spcr) {
  static constexpr uint32_t diviseurs[4] = {2, 4, 16, 32};
  return diviseurs[spcr & 3];
}

void mise_sous_tension(puce& p) { p.etat.spi.miso = 0xFF; }

void reset(puce& p) {
  etat_spi& s = p.etat.spi;
  const unsigned char miso = s.miso;
  s = etat_spi{};
  s.spcr = CPHA;
  s.fin = jamais;
  s.miso = miso;
}

bool possede(unsigned char offset) { return offset >= SPCR && offset <= SPDR; }

unsigned char lit(puce& p, unsigned char offset) {
  etat_spi& s = p.etat.spi;
  switch (offset) {
    case SPCR:
      return s.spcr;
    case SPSR:
      s.lus = s.spsr;
      return s.spsr;
    default: {  // SPDR
      const unsigned char efface = s.lus & (SPIF | WCOL);
      s.spsr &= static_cast<unsigned char>(~efface);
      s.lus &= static_cast<unsigned char>(~efface);
      return s.recu;
    }
  }
}

void ecrit(puce& p, unsigned char offset, unsigned char valeur) {
  etat_spi& s = p.etat.spi;
  switch (offset) {
    case SPCR:
      if (s.lus & MODF) {
        s.spsr &= static_cast<unsigned char>(~MODF);
        s.lus &= static_cast<unsigned char>(~MODF);
      }
      s.spcr = valeur;
      if (!maitre(s)) s.fin = jamais;
      verifie_ss(p);
      return;
    case SPSR:
      return;
    default: {  // SPDR
      if ((s.spsr & SPIF) && !(s.lus & SPIF)) return;
      const unsigned char efface = s.lus & (SPIF | WCOL);
      s.spsr &= static_cast<unsigned char>(~efface);
      s.lus &= static_cast<unsigned char>(~efface);
      if (s.fin != jamais) {
        s.spsr |= WCOL;
        return;
      }
      s.envoi = valeur;
      if (maitre(s)) s.fin = p.instant() + 8u * periode(s.spcr);
      return;
    }
  }
}

void rattrape(puce& p, uint64_t cycle) {
  etat_spi& s = p.etat.spi;
  if (s.fin == jamais || s.fin >= cycle) return;
  const unsigned char ddrd = p.etat.ports.ddrd;
  const bool horloge = ddrd & 0x10;  // SCK is an output
  if (horloge) {
    s.recu = s.miso;
    if (ddrd & 0x08) p.mach().sortie_spi.push_back(s.envoi);
  } else {
    s.recu = (ports::niveaux(p, 3) & 0x04) ? 0xFF : 0x00;
  }
  s.spsr |= SPIF;
  s.mosi = s.envoi & 1;
  p.debut_evenement(s.fin);
  s.fin = jamais;
  ports::actualise(p);
  p.fin_evenement();
}

uint64_t prochain(const puce& p) {
  const uint64_t fin = p.etat.spi.fin;
  return fin == jamais ? jamais : fin + 1;
}

uint32_t demandes(const puce& p) {
  const etat_spi& s = p.etat.spi;
  return (s.spcr & SPIE) && (s.spsr & (SPIF | MODF)) ? bit_it(it_spi) : 0;
}

uint32_t autorisees(const puce& p) {
  return p.etat.spi.spcr & SPIE ? bit_it(it_spi) : 0;
}

void verifie_ss(puce& p) {
  etat_spi& s = p.etat.spi;
  if (!maitre(s) || (p.etat.ports.ddrd & 0x20)) return;
  if (ports::niveaux(p, 3) & 0x20) return;
  s.spsr |= MODF;
  s.spcr &= static_cast<unsigned char>(~MSTR);
  // A transfer still under way stops; one already over is left to the
  // next catch-up.
  if (s.fin != jamais && s.fin >= p.instant()) s.fin = jamais;
  p.etat.ports.ddrd &= static_cast<unsigned char>(~0x3C);
  ports::actualise(p);
}

void broches(const puce& p, unsigned char& sorties, unsigned char& entrees,
             unsigned char& pilotees, unsigned char& niveaux) {
  const etat_spi& s = p.etat.spi;
  if (!(s.spcr & SPE)) return;
  (void)sorties;
  if (!(s.spcr & MSTR)) {
    entrees |= 0x38;  // SCK, MOSI, SS
    return;
  }
  entrees |= 0x04;  // MISO
  const unsigned char ddrd = p.etat.ports.ddrd;
  pilotees |= ddrd & 0x18;
  niveaux |= static_cast<unsigned char>((s.spcr & CPOL ? 0x10 : 0) |
                                        (s.mosi ? 0x08 : 0));
}

}  // namespace spi
