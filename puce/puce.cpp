// The chip as a whole: the bus over the register block, the dispatch of
// its 64 offsets to the units, time and requests.
#include "puce/puce.h"

#include <algorithm>
#include <iterator>

#include "cpu/acces.h"
#include "puce/machine.h"

namespace {

// The units of the chip. Each offset of the register block belongs to the
// first unit that claims it; `systeme` comes last and keeps, as plain
// bytes, the registers of units not modelled. A unit leaves null what it
// does not have (no events, no requests).
struct unite {
  void (*reset)(puce& p);
  bool (*possede)(unsigned char offset);
  unsigned char (*lit)(puce& p, unsigned char offset);
  void (*ecrit)(puce& p, unsigned char offset, unsigned char valeur);
  void (*rattrape)(puce& p, uint64_t cycle);
  uint64_t (*prochain)(const puce& p);
  uint32_t (*demandes)(const puce& p);
  uint32_t (*autorisees)(const puce& p);
  // Enabled sources that time alone will raise (puce::bit_reset: a reset
  // to come). Null: any event ahead (`prochain`) counts as activity.
  uint32_t (*possibles)(const puce& p);
  // Enabled sources that an edge on an input pin raises.
  uint32_t (*sur_broches)(const puce& p);
  // Whether one of its registers changes without the CPU. Null: while the
  // chip has an event ahead.
  bool (*mobile)(const puce& p, unsigned char offset);
};

bool tout(unsigned char) { return true; }

const unite unites[] = {
    {timer::reset, timer::possede, timer::lit, timer::ecrit, timer::rattrape,
     timer::prochain, timer::demandes, timer::autorisees, timer::possibles,
     timer::sur_broches, timer::mobile},
    {accumulateur::reset, accumulateur::possede, accumulateur::lit,
     accumulateur::ecrit, accumulateur::rattrape, accumulateur::prochain,
     accumulateur::demandes, accumulateur::autorisees, accumulateur::possibles,
     accumulateur::sur_broches, accumulateur::mobile},
    {cop::reset, cop::possede, cop::lit, cop::ecrit, cop::rattrape,
     cop::prochain, nullptr, nullptr, cop::possibles, nullptr, nullptr},
    // Reset after the timer: the pins' directions come from its PACTL.
    {ports::reset, ports::possede, ports::lit, ports::ecrit, nullptr, nullptr,
     nullptr, nullptr, nullptr, nullptr, nullptr},
    // Serial interfaces and A/D converter.
    {spi::reset, spi::possede, spi::lit, spi::ecrit, spi::rattrape,
     spi::prochain, spi::demandes, spi::autorisees, nullptr, nullptr, nullptr},
    {sci::reset, sci::possede, sci::lit, sci::ecrit, sci::rattrape,
     sci::prochain, sci::demandes, sci::autorisees, nullptr, nullptr, nullptr},
    {can::reset, can::possede, can::lit, can::ecrit, can::rattrape,
     can::prochain, nullptr, nullptr, nullptr, nullptr, nullptr},
    {eeprom::reset, eeprom::possede, eeprom::lit, eeprom::ecrit, nullptr,
     nullptr, nullptr, nullptr, nullptr, nullptr, nullptr},
    {nullptr, tout, systeme::lit, systeme::ecrit, nullptr, nullptr,
     systeme::demandes, systeme::autorisees, nullptr, nullptr, nullptr},
};

// Offset -> index in unites[].
struct repartition {
  unsigned char unite_de[64];
  repartition() {
    for (unsigned o = 0; o < 64; ++o) {
      unsigned char u = 0;
      while (!unites[u].possede(static_cast<unsigned char>(o))) ++u;
      unite_de[o] = u;
    }
  }
};

const unite& unite_de(unsigned char offset) {
  static const repartition r;
  return unites[r.unite_de[offset & 63]];
}

// The requests the CCR lets through.
uint32_t non_masquees(unsigned char ccr) {
  return (ccr & CCR_X ? 0 : bit_it(it_xirq)) | (ccr & CCR_I ? 0 : masque_it_i);
}

}  // namespace

puce::puce(machine& mach)
    : etat{},
      cellules{},
      instruction{0, false, 0, 0, 0},
      m(mach),
      bus{this, lit_bus, ecrit_bus, consulte_bus},
      instant_acces(0),
      instant_evenement(0),
      evenement(false) {
  // What the map will keep off the cells: erased, as the cells start.
  std::fill(std::begin(cellules.eeprom), std::end(cellules.eeprom), 0xFF);
  std::fill(std::begin(cellules.rom), std::end(cellules.rom), 0xFF);
}

void puce::attache() {
  m.memoire.bus = &bus;
  marque_carte();
}

void puce::detache() {
  carte::demarque(*this);
  m.memoire.bus = nullptr;
}

void puce::marque_carte() { carte::marque(*this); }

void puce::restaure(const etat_puce& e) {
  etat = e;
  // The marks came back with the memory: they are the plan of that state.
  cellules.plan = carte::plan(etat);
  cellules.marquees = true;
  instruction = {0, false, 0, 0, 0};
  evenement = false;
}

void puce::mise_sous_tension() {
  etat = etat_puce{};
  etat.systeme.niveau_irq = 1;
  etat.systeme.niveau_xirq = 1;
  // A delivered part: no security, COP off, ROM and EEPROM on; the
  // evaluation boards' expanded mode.
  etat.systeme.config_eeprom = 0x0F;
  etat.systeme.mode_etendu_demande = true;
  // Inputs outside the chip: the SPI peripheral's answer, analog levels.
  spi::mise_sous_tension(*this);
  can::mise_sous_tension(*this);
  reset();
}

void puce::reset() {
  systeme::reset(*this);
  for (const unite& u : unites)
    if (u.reset) u.reset(*this);
  etat.prochain = jamais;
  etat.base_registres = 0x1000;
  etat.base_ram = 0x0000;
  etat.cycle_reset = m.cycles;
  instruction = {0, false, 0, 0, 0};
  marque_carte();
  planifie();
  maj_demandes();
}

uint64_t puce::cycles() const { return m.cycles; }

uint64_t puce::instant() const {
  if (evenement) return instant_evenement;
  return instruction.hors ? m.cycles : instant_acces;
}

void puce::debut_evenement(uint64_t cycle) {
  instant_evenement = cycle;
  evenement = true;
}

puce::a_l_instant::a_l_instant(puce& p, uint64_t cycle)
    : p_(p), evenement_(p.evenement), instant_(p.instant_evenement) {
  p.debut_evenement(cycle);
}

puce::a_l_instant::~a_l_instant() {
  p_.evenement = evenement_;
  p_.instant_evenement = instant_;
}

uint64_t puce::cycle_acces(bool ecriture) {
  if (instruction.hors) return m.cycles;
  if (instruction.numero != m.instructions) {
    instruction.numero = m.instructions;
    instruction.lectures = instruction.ecritures = 0;
  }
  // The instruction's opcode, after its prebyte if any.
  unsigned short pc = instruction.pc;
  unsigned char page = m.memoire.consulte(pc);
  unsigned char code = page;
  if (page == 0x18 || page == 0x1A || page == 0xCD) {
    code = m.memoire.consulte(static_cast<unsigned short>(pc + 1));
  } else {
    page = 0;
  }
  const acces_bus a = acces_donnees(page, code);
  unsigned rang = ecriture ? instruction.ecritures++ : instruction.lectures++;
  unsigned cycle = ecriture ? a.ecriture : a.lecture;
  // An access the table does not list (an opcode fetched from the block,
  // say) is taken at the instruction's first cycle.
  if (cycle == 0) {
    cycle = 1;
    rang = 0;
  }
  return m.cycles + cycle - 1 + rang;
}

void puce::rattrape(uint64_t cycle) {
  for (const unite& u : unites)
    if (u.rattrape) u.rattrape(*this, cycle);
  planifie();
  maj_demandes();
}

void puce::planifie() {
  uint64_t prochain = jamais;
  for (const unite& u : unites)
    if (u.prochain) {
      const uint64_t c = u.prochain(*this);
      if (c < prochain) prochain = c;
    }
  etat.prochain = prochain;
  m.abaisse_echeance(prochain);
}

void puce::maj_demandes() {
  uint32_t d = 0;
  for (const unite& u : unites)
    if (u.demandes) d |= u.demandes(*this);
  etat.demandes = d;
}

uint32_t puce::sources_autorisees() const {
  uint32_t a = 0;
  for (const unite& u : unites)
    if (u.autorisees) a |= u.autorisees(*this);
  return a;
}

bool puce::activite_possible(unsigned char ccr) const {
  const uint32_t masque = non_masquees(ccr);
  if ((etat.demandes & masque) != 0) return true;
  for (const unite& u : unites) {
    if (u.possibles) {
      if ((u.possibles(*this) & (masque | bit_reset)) != 0) return true;
    } else if (u.prochain && u.prochain(*this) != jamais) {
      return true;
    }
  }
  return false;
}

uint32_t puce::sources_broches() const {
  uint32_t s = 0;
  for (const unite& u : unites)
    if (u.sur_broches) s |= u.sur_broches(*this);
  return s;
}

bool puce::octet_mobile(unsigned char offset) const {
  const unite& u = unite_de(offset);
  if (u.mobile) return u.mobile(*this, offset & 63);
  return etat.prochain != jamais;
}

unsigned char puce::lit(unsigned char offset) {
  instant_acces = cycle_acces(false);
  rattrape(instant_acces);
  const unsigned char v = unite_de(offset).lit(*this, offset);
  planifie();
  maj_demandes();
  return v;
}

void puce::ecrit(unsigned char offset, unsigned char valeur) {
  instant_acces = cycle_acces(true);
  rattrape(instant_acces);
  unite_de(offset).ecrit(*this, offset, valeur);
  // A register of another unit may drive pins (PACTL's DDRA7 and DDRA3).
  ports::actualise(*this);
  planifie();
  maj_demandes();
}

// The same value as `lit` gives now, read from a copy of the state, so that
// no flag is cleared nor latch taken. Bringing the units up to date is no
// side effect: it is what any later access would do first.
unsigned char puce::consulte(unsigned char offset) {
  rattrape(m.cycles);
  const etat_puce sauve = etat;
  const instruction_en_cours en_cours = instruction;
  instruction.hors = true;
  const unsigned char v = unite_de(offset).lit(*this, offset);
  etat = sauve;
  instruction = en_cours;
  return v;
}

unsigned char puce::lit_bus(void* objet, unsigned short adresse) {
  return carte::lit(*static_cast<puce*>(objet), adresse);
}

void puce::ecrit_bus(void* objet, unsigned short adresse,
                     unsigned char valeur) {
  carte::ecrit(*static_cast<puce*>(objet), adresse, valeur);
}

unsigned char puce::consulte_bus(void* objet, unsigned short adresse) {
  return carte::consulte(*static_cast<puce*>(objet), adresse);
}
