// The chip as a whole: the bus over the register block, the dispatch of
// its 64 offsets to the units, time and requests.
#include "puce/puce.h"

#include "cpu/acces.h"
#include "puce/machine.h"

puce::puce(machine& mach)
    : etat{},
      instruction{0, false, 0, 0, 0},
      m(mach),
      bus{this, lit_bus, ecrit_bus, consulte_bus},
      instant_acces(0),
      instant_evenement(0),
      evenement(false),
      base_marquee(0),
      marquee(false) {}

void puce::attache() {
  m.memoire.bus = &bus;
  marque_carte();
}

void puce::detache() {
  // The block's last values become the cells' plain bytes.
  if (marquee) {
    for (unsigned i = 0; i < 64; ++i) {
      const auto a = static_cast<unsigned short>(base_marquee + i);
      m.memoire.cellules[a] = consulte(static_cast<unsigned char>(i));
    }
  }
  demarque();
  m.memoire.bus = nullptr;
}

void puce::demarque() {
  if (!marquee) return;
  for (unsigned i = 0; i < 64; ++i) {
    const auto a = static_cast<unsigned short>(base_marquee + i);
    m.memoire.cellules[a] &= 0xFF;
  }
  marquee = false;
}

void puce::marque_carte() {
  demarque();
  base_marquee = etat.base_registres;
  for (unsigned i = 0; i < 64; ++i) {
    const auto a = static_cast<unsigned short>(base_marquee + i);
    m.memoire.cellules[a] |= mem_64k::marque_lecture | mem_64k::marque_ecriture;
  }
  marquee = true;
}

void puce::mise_sous_tension() {
  etat = etat_puce{};
  etat.systeme.niveau_irq = 1;
  etat.systeme.niveau_xirq = 1;
  reset();
}

void puce::reset() {
  const bool etendu = true;
  const unsigned char config = 0x0F;
  systeme::reset(*this, etendu, config);
  ports::reset(*this);
  etat.prochain = jamais;
  etat.base_registres = 0x1000;
  etat.base_ram = 0x0000;
  etat.cycle_reset = m.cycles;
  instruction = {0, false, 0, 0, 0};
  marque_carte();
  maj_demandes();
}

uint64_t puce::cycles() const { return m.cycles; }

uint64_t puce::instant() const {
  if (evenement) return instant_evenement;
  return instruction.hors ? m.cycles : instant_acces;
}

void puce::debut_evenement(uint64_t cycle) {
  const journal_broches& j = m.journal;
  const uint64_t dernier = j.taille() ? j[j.taille() - 1].cycle : 0;
  instant_evenement = cycle > dernier ? cycle : dernier;
  evenement = true;
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
  (void)cycle;
  // No unit of this chip has events of its own yet; the requests may
  // still have changed (pins).
  etat.prochain = jamais;
  maj_demandes();
}

void puce::maj_demandes() { etat.demandes = systeme::demandes(*this); }

uint32_t puce::sources_autorisees() const {
  return bit_it(it_xirq) | bit_it(it_irq);
}

bool puce::activite_possible(unsigned char ccr) const {
  const uint32_t autorisees =
      (ccr & CCR_X ? 0 : bit_it(it_xirq)) | (ccr & CCR_I ? 0 : masque_it_i);
  return (etat.demandes & autorisees) != 0 || etat.prochain != jamais;
}

unsigned char puce::lit(unsigned char offset) {
  instant_acces = cycle_acces(false);
  rattrape(instant_acces);
  unsigned char v;
  if (ports::possede(offset))
    v = ports::lit(*this, offset);
  else
    v = systeme::lit(*this, offset);
  maj_demandes();
  return v;
}

void puce::ecrit(unsigned char offset, unsigned char valeur) {
  instant_acces = cycle_acces(true);
  rattrape(instant_acces);
  if (ports::possede(offset))
    ports::ecrit(*this, offset, valeur);
  else
    systeme::ecrit(*this, offset, valeur);
  // A register of another unit may drive pins (PACTL's DDRA7 and DDRA3).
  ports::actualise(*this);
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
  unsigned char v;
  if (ports::possede(offset))
    v = ports::lit(*this, offset);
  else
    v = systeme::lit(*this, offset);
  etat = sauve;
  instruction = en_cours;
  return v;
}

unsigned char puce::lit_bus(void* objet, unsigned short adresse) {
  puce& p = *static_cast<puce*>(objet);
  return p.lit(static_cast<unsigned char>(adresse - p.base_marquee));
}

void puce::ecrit_bus(void* objet, unsigned short adresse,
                     unsigned char valeur) {
  puce& p = *static_cast<puce*>(objet);
  p.ecrit(static_cast<unsigned char>(adresse - p.base_marquee), valeur);
}

unsigned char puce::consulte_bus(void* objet, unsigned short adresse) {
  puce& p = *static_cast<puce*>(objet);
  return p.consulte(static_cast<unsigned char>(adresse - p.base_marquee));
}
