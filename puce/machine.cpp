#include "puce/machine.h"

#include <algorithm>
#include <cstring>

#include "platine/platine.h"

namespace {

constexpr uint64_t jamais = puce::jamais;

// Port data and direction cells of the flat model (the register block's
// addresses at reset), and which bits are outputs without a DDR.
constexpr unsigned short cellule_port[5] = {0x1000, 0x1004, 0x1003, 0x1008,
                                            0x100A};
constexpr unsigned char entrees_possibles[5] = {0x8F, 0x00, 0xFF, 0x3F, 0xFF};

// Whether the row at `adresse` does not exist: its disassembly is "?????".
bool inexistante_a(interpreteur& cpu, unsigned short adresse) {
  char texte[32];
  cpu.desa_ins(adresse, texte);
  return std::strcmp(texte, "?????") == 0;
}

// BRSET or BRCLR at `adresse`: the byte it tests (-1: another
// instruction), its mask, and whether it branches on the mask's bits all
// set (BRSET) or all clear (BRCLR).
struct test_de_bits {
  long adresse = -1;
  unsigned char masque = 0;
  bool sur_uns = false;
  // Whether the instruction branches on `octet`.
  bool branche(unsigned char octet) const {
    return sur_uns ? (~octet & masque) == 0 : (octet & masque) == 0;
  }
};

test_de_bits bits_testes(const mem_64k& mem, const interpreteur& cpu,
                         unsigned short adresse) {
  unsigned char code = mem.consulte(adresse);
  const auto operande = [&](int i) {
    return mem.consulte(static_cast<unsigned short>(adresse + i));
  };
  test_de_bits t;
  if (code == 0x12 || code == 0x13) {  // direct
    t.adresse = operande(1);
    t.masque = operande(2);
  } else if (code == 0x1E || code == 0x1F) {
    t.adresse = static_cast<unsigned short>(cpu.X + operande(1));
    t.masque = operande(2);
  } else if (code == 0x18) {
    code = operande(1);
    if (code != 0x1E && code != 0x1F) return t;
    t.adresse = static_cast<unsigned short>(cpu.Y + operande(2));
    t.masque = operande(3);
  } else {
    return t;
  }
  t.sur_uns = (code & 1) == 0;  // BRSET $12, $1E; BRCLR $13, $1F
  return t;
}

}  // namespace

machine::machine(modele_machine modele)
    : cycles(0),
      instructions(0),
      modele_(modele_machine::plat),
      puce_(new puce(*this)),
      echeance(jamais),
      adresse_refusee_(0x10000, false),
      dernier_refus_{0, 0, refus_rom},
      nombre_refus_(0),
      niveaux_plats{} {
  cpu.learn_mem(&memoire);
  if (modele == modele_machine::e9) change_modele(modele);
}

void machine::change_modele(modele_machine modele) {
  if (modele == modele_) return reset();
  modele_ = modele;
  if (modele == modele_machine::e9) {
    cpu.avec_puce = true;
    puce_->attache();
    puce_->mise_sous_tension();
  } else {
    puce_->detache();
    cpu.avec_puce = false;
    cpu.etat = interpreteur::actif;
  }
  reset();
}

void machine::reset() {
  arret_demande_ = arret_machine::aucun;
  cycles = 0;
  instructions = 0;
  for (const acces_refuse& a : refus_) adresse_refusee_[a.adresse] = false;
  refus_.clear();
  nombre_refus_ = 0;
  ++resets_;
  envoi_ = envoi_sci{};
  trames_txd.clear();
  if (e9()) {
    reset_puce(vecteur_reset);
    sci::vide_ligne(*puce_);
  } else {
    cpu.init_registers();
  }
  if (e9() && platine_) platine_->mise_sous_tension(cycles);
  unsigned char niveaux[nb_broches];
  for (int b = 0; b < nb_broches; ++b)
    niveaux[b] = niveau_broche(static_cast<unsigned char>(b)) ? 1 : 0;
  journal.vide(niveaux);
  for (int port = 0; port < 5; ++port) niveaux_plats[port] = niveaux_port(port);
}

void machine::reset_interne(unsigned short vecteur) {
  if (e9()) reset_puce(vecteur);
}

void machine::reset_puce(unsigned short vecteur) {
  puce::hors_instruction hors(*puce_);
  puce_->reset();
  cpu.etat = interpreteur::actif;
  cpu.CCR = static_cast<unsigned char>(cpu.CCR | CCR_S | CCR_X | CCR_I);
  // No vector, erased ($ffff) or cleared ($0000, a binary image): the
  // program starts where the examples and students' programs are linked.
  const unsigned short v = static_cast<unsigned short>(
      memoire.consulte(vecteur) << 8 |
      memoire.consulte(static_cast<unsigned short>(vecteur + 1)));
  cpu.PC = v == 0xFFFF || v == 0x0000 ? 0xB600 : v;
}

void machine::sauve(etat_machine& e) const {
  e.PC = cpu.PC;
  e.SP = cpu.SP;
  e.X = cpu.X;
  e.Y = cpu.Y;
  e.A = cpu.A;
  e.B = cpu.B;
  e.CCR = cpu.CCR;
  e.etat_cpu = cpu.etat;
  e.cycles = cycles;
  e.instructions = instructions;
  e.puce = puce_->etat;
  e.a_venir = a_venir;
  e.journal_total = journal.total();
  if (platine_)
    platine_->sauve(e.platine);
  else
    e.platine = etat_platine{};
  e.envoi = envoi_;
}

void machine::restaure(const etat_machine& e) {
  cpu.PC = e.PC;
  cpu.SP = e.SP;
  cpu.X = e.X;
  cpu.Y = e.Y;
  cpu.A = e.A;
  cpu.B = e.B;
  cpu.CCR = e.CCR;
  cpu.etat = e.etat_cpu;
  cycles = e.cycles;
  instructions = e.instructions;
  a_venir = e.a_venir;
  envoi_ = e.envoi;
  journal.tronque_total(e.journal_total);
  echeance = 0;  // the next run recomputes it
  if (e9()) puce_->restaure(e.puce);
  if (platine_) platine_->restaure(e.platine);
}

uint32_t machine::demandes() const { return e9() ? puce_->etat.demandes : 0; }

// The requests the CCR lets through: indexed by I (bit 0) and X (bit 1).
uint32_t machine::masque_ccr() const {
  static constexpr uint32_t masques[4] = {bit_it(it_xirq) | masque_it_i,
                                          bit_it(it_xirq), masque_it_i, 0};
  return masques[((cpu.CCR >> 4) & 1) | ((cpu.CCR >> 5) & 2)];
}

// ---------------------------------------------------------------- map

void machine::ecrit_octet(unsigned short adresse, unsigned char valeur) {
  if (e9() && carte::zone(puce_->cellules.plan, adresse) == zone_registres) {
    puce::hors_instruction hors(*puce_);
    memoire.write_byte(adresse, valeur);
  } else if (e9()) {
    memoire.ecrit_brut(adresse, valeur);
  } else {
    memoire.write_byte(adresse, valeur);
  }
}

bool machine::choisit_mode(bool etendu) {
  if (!e9()) return false;
  puce_->etat.systeme.mode_etendu_demande = etendu;
  return true;
}

bool machine::efface_eeprom() {
  if (!e9()) return false;
  carte::efface_eeprom(*puce_);
  return true;
}

void machine::efface_memoire() {
  for (unsigned a = 0; a < 0x10000; ++a)
    memoire.ecrit_brut(static_cast<unsigned short>(a), 0xFF);
  if (e9()) carte::efface_gardes(*puce_);
}

void machine::note_refus(const acces_refuse& a) {
  ++nombre_refus_;
  dernier_refus_ = a;
  if (arret_sur_refus) demande_arret(arret_machine::evenement);
  if (adresse_refusee_[a.adresse]) return;
  adresse_refusee_[a.adresse] = true;
  refus_.push_back(a);
}

// ---------------------------------------------------------------- pins

bool machine::pose_broche(unsigned char broche, bool niveau) {
  if (broche == broche_irq || broche == broche_xirq) {
    if (!e9()) return false;
    puce::hors_instruction hors(*puce_);
    if (broche == broche_irq)
      systeme::pose_irq(*puce_, niveau);
    else
      systeme::pose_xirq(*puce_, niveau);
    return true;
  }
  if (broche >= broche_irq) return false;
  const int port = broche / 8, bit = broche % 8;
  if (!((entrees_possibles[port] >> bit) & 1)) return false;
  if (e9()) {
    puce::hors_instruction hors(*puce_);
    ports::pose_entree(*puce_, port, bit, niveau);
    puce_->maj_demandes();
    return true;
  }
  const unsigned short a = cellule_port[port];
  const auto masque = static_cast<unsigned char>(1u << bit);
  const unsigned char v = memoire.octet_brut(a);
  memoire.ecrit_brut(
      a, static_cast<unsigned char>(niveau ? v | masque : v & ~masque));
  return true;
}

bool machine::planifie_broche(const evenement_broche& e) {
  if ((e.broche >= nb_broches && !(platine_ && e.broche >= broche_platine)) ||
      e.cycle > cycle_max)
    return false;
  const auto place = std::upper_bound(
      a_venir.begin(), a_venir.end(), e,
      [](const evenement_broche& a, const evenement_broche& b) {
        return a.cycle < b.cycle;
      });
  a_venir.insert(place, e);
  return true;
}

// By value: a board's event may schedule others into the queue it is in.
void machine::applique(evenement_broche e) {
  if (e9()) puce_->debut_evenement(e.cycle);
  if (e.broche >= broche_platine) {
    if (platine_) platine_->evenement(e);
  } else {
    pose_broche(e.broche, e.niveau != 0);
  }
  if (e9()) puce_->fin_evenement();
}

void machine::actualise_broches() {
  if (!e9()) return;
  puce::hors_instruction hors(*puce_);
  puce_->rattrape(puce_->instant());
  ports::actualise(*puce_);
  puce_->maj_demandes();
}

// One at a time, off the queue first: a board's event may add others.
void machine::applique_broches() {
  while (!a_venir.empty() && a_venir.front().cycle <= cycles) {
    const evenement_broche e = a_venir.front();
    a_venir.erase(a_venir.begin());
    applique(e);
  }
}

bool machine::niveau_broche(unsigned char broche) const {
  if (broche == broche_irq)
    return e9() ? puce_->etat.systeme.niveau_irq != 0 : true;
  if (broche == broche_xirq)
    return e9() ? puce_->etat.systeme.niveau_xirq != 0 : true;
  if (broche >= nb_broches) return false;
  return (niveaux_port(broche / 8) >> (broche % 8)) & 1;
}

unsigned char machine::niveaux_port(int port) const {
  if (e9()) return ports::niveaux(*puce_, port);
  return memoire.octet_brut(cellule_port[port]);
}

unsigned char machine::sorties_port(int port) const {
  if (e9()) return ports::sorties(*puce_, port);
  switch (port) {
    case 0:
      return 0x70;
    case 1:
      return 0xFF;
    case 2:
      return memoire.octet_brut(0x1007);
    case 3:
      return memoire.octet_brut(0x1009) & 0x3F;
    default:
      return 0x00;
  }
}

// ------------------------------------ serial interfaces, analog inputs

void machine::emet_sci(unsigned char octet) {
  sortie_sci.push_back(octet);
  ++emis_sci_;
  // A run that stops on a byte sent looks at it after this instruction.
  abaisse_echeance(cycles);
}

bool machine::envoie_sci(const std::vector<uint16_t>& caracteres,
                         bool au_recepteur) {
  if (!e9() || envoi_.restants() + caracteres.size() > capacite_sci)
    return false;
  if (caracteres.empty()) return true;
  puce::hors_instruction hors(*puce_);
  puce_->rattrape(cycles);
  const bool vide = envoi_.restants() == 0;
  // A new text: what is still waiting, then the new characters.
  auto texte = std::make_shared<std::vector<uint16_t>>();
  texte->reserve(envoi_.restants() + caracteres.size());
  if (!vide)
    texte->assign(envoi_.octets->begin() + static_cast<long>(envoi_.lus),
                  envoi_.octets->end());
  for (uint16_t c : caracteres) texte->push_back(c & 0x1FF);
  envoi_.octets = std::move(texte);
  envoi_.lus = 0;
  if (au_recepteur && !(puce_->etat.sci.sccr2 & sci::RE))
    puce_->etat.sci.attend_re = true;
  if (vide) sci::nouvel_envoi(*puce_);
  puce_->planifie();
  return true;
}

bool machine::envoie_sci(const std::string& octets, bool au_recepteur) {
  std::vector<uint16_t> caracteres;
  caracteres.reserve(octets.size());
  for (char c : octets)
    caracteres.push_back(static_cast<uint16_t>(static_cast<unsigned char>(c)) |
                         0x100);
  return envoie_sci(caracteres, au_recepteur);
}

bool machine::recoit_sci(unsigned char octet, bool neuvieme) {
  return envoie_sci(std::vector<uint16_t>{
      static_cast<uint16_t>(octet | (neuvieme ? 0x100 : 0))});
}

uint16_t machine::prend_sci() {
  if (envoi_.restants() == 0) return 0x1FF;
  const uint16_t c = (*envoi_.octets)[envoi_.lus++];
  if (envoi_.restants() == 0) envoi_ = envoi_sci{};
  return c;
}

unsigned machine::file_sci() const {
  return static_cast<unsigned>(envoi_.restants());
}

unsigned machine::perdus_sci() const {
  return e9() ? puce_->etat.sci.perdus : 0;
}

void machine::regle_terminal_sci(const reglage_terminal& r) {
  if (!e9()) return;
  puce::hors_instruction hors(*puce_);
  puce_->rattrape(cycles);
  sci::regle_terminal(*puce_, r);
  puce_->planifie();
}

reglage_terminal machine::terminal_sci() const {
  return e9() ? puce_->etat.sci.terminal : reglage_terminal{};
}

bool machine::pose_miso(unsigned char octet) {
  if (!e9()) return false;
  // Transfers ended before now keep the byte they had.
  puce::hors_instruction hors(*puce_);
  puce_->rattrape(cycles);
  puce_->etat.spi.miso = octet;
  return true;
}

bool machine::pose_tensions(const int32_t (&t)[can::nb_entrees]) {
  if (!e9() || !can::tensions_valides(t)) return false;
  puce::hors_instruction hors(*puce_);
  puce_->rattrape(cycles);
  can::pose_tensions(*puce_, t);
  ports::actualise(*puce_);
  puce_->planifie();
  puce_->maj_demandes();
  return true;
}

void machine::tensions(int32_t (&t)[can::nb_entrees]) const {
  for (int i = 0; i < can::nb_entrees; ++i)
    t[i] = e9() ? puce_->etat.can.tensions[i] : 0;
}

void machine::synchronise_ports_plat() {
  for (int port = 0; port < 5; ++port) niveaux_plats[port] = niveaux_port(port);
}

void machine::note_ports_plat() {
  if (e9()) return;
  for (int port = 0; port < 5; ++port) {
    const unsigned char n = niveaux_port(port);
    // Port D has six pins: its cell's bits 7-6 are not pins.
    const unsigned char pins = port == 3 ? 0x3F : 0xFF;
    const unsigned char change = (n ^ niveaux_plats[port]) & pins;
    niveaux_plats[port] = n;
    for (int bit = 0; change >> bit; ++bit)
      if ((change >> bit) & 1)
        journal.note(cycles, static_cast<unsigned char>(port * 8 + bit),
                     (n >> bit) & 1);
  }
}

// ---------------------------------------------------------------- runs

void machine::recalcule_echeance(const conditions_arret& c) {
  uint64_t e = c.max_cycles;
  if (e9()) e = std::min(e, puce_->etat.prochain);
  if (!a_venir.empty()) e = std::min(e, a_venir.front().cycle);
  echeance = e;
}

arret_machine machine::atteint_echeance(const conditions_arret& c) {
  if (e9() && cycles >= puce_->etat.prochain) puce_->rattrape(cycles);
  if (e9() && cop::echu(*puce_)) {
    // The watchdog was not serviced in time.
    reset_interne(vecteur_cop);
    if (c.observateur && c.observateur->interruption)
      c.observateur->interruption(c.observateur->objet, *this, vecteur_cop);
    arret_interruption(c, vecteur_cop);
  }
  if (!a_venir.empty() && a_venir.front().cycle <= cycles) applique_broches();
  recalcule_echeance(c);
  if (__builtin_expect(arret_demande_ != arret_machine::aucun, 0)) {
    const arret_machine r = arret_demande_;
    arret_demande_ = arret_machine::aucun;
    return r;
  }
  if (cycles >= c.max_cycles) return arret_machine::max_cycles;
  if (c.arret_sortie_sci && emis_sci_ != emis_vus_) {
    emis_vus_ = emis_sci_;
    return arret_machine::sortie_sci;
  }
  return arret_machine::aucun;
}

// Whether an interrupt may still come that the CCR lets through, from a
// unit or from a pin. In STOP no clock runs: only IRQ and XIRQ wake it.
bool machine::reveil_possible(const conditions_arret& c) const {
  if (!e9()) return false;
  const unsigned char ccr = cpu.CCR;
  const bool arrete = cpu.etat == interpreteur::arrete;
  if (!arrete && puce_->activite_possible(ccr)) return true;
  bool broches = c.broches_libres, ports = c.broches_libres;
  for (const evenement_broche& e : a_venir) {
    // A board's action may drive any pin, IRQ and XIRQ too.
    if (e.broche >= broche_platine) broches = true;
    if (e.broche == broche_irq || e.broche == broche_xirq)
      broches = true;
    else
      ports = true;
  }
  // An edge on a port pin: a capture, the pulse accumulator.
  if (!arrete && ports && (puce_->sources_broches() & masque_ccr()) != 0)
    return true;
  // A character from outside, its interrupt enabled and unmasked.
  const unsigned char sccr2 = puce_->etat.sci.sccr2;
  if (!arrete && c.ligne_sci_libre && (sccr2 & sci::RE) && (sccr2 & sci::RIE) &&
      (masque_ccr() & bit_it(it_sci)))
    return true;
  if (!broches) return false;
  // STOP also ends on XIRQ with X set (it then goes on after STOP).
  if (arrete) return true;
  return !(ccr & CCR_X) || !(ccr & CCR_I);
}

bool machine::boucle_sans_fin(unsigned short pc,
                              const conditions_arret& c) const {
  // The user watches: while the chip still has something to do (a timer
  // driving a pin, a frame going out), the run goes on.
  if (c.broches_libres && e9() && puce_->etat.prochain != jamais) return false;
  const test_de_bits t = bits_testes(memoire, cpu, pc);
  if (t.adresse >= 0) {
    if (c.attente_bit_libre) return false;
    if (e9()) {
      // A bit of the register block can change by itself (a flag, a pin).
      const unsigned short base = puce_->etat.base_registres;
      const bool bloc = t.adresse >= base && t.adresse < base + 64;
      const auto offset = static_cast<unsigned char>(t.adresse - base);
      if (bloc && (puce_->octet_mobile(offset) || !a_venir.empty()))
        return false;
      // A character may still come from outside.
      if (bloc && c.ligne_sci_libre && sci::possede(offset) &&
          (puce_->etat.sci.sccr2 & sci::RE))
        return false;
      // It may have changed already: a flag that rose in the instruction's
      // last cycles, after its read. The byte as the same test would read
      // it now (without side effects) tells whether the loop goes on.
      if (!t.branche(memoire.consulte(static_cast<unsigned short>(t.adresse))))
        return false;
    }
  }
  return !reveil_possible(c);
}

void machine::entre_interruption(source_it source, const conditions_arret& c,
                                 bool deja_empile) {
  puce::hors_instruction hors(*puce_);
  const unsigned short vecteur = vecteurs_it[source];
  vecteur_entree = vecteur;
  if (!deja_empile) cpu.empile_registres();
  cpu.prend_vecteur(vecteur, source == it_xirq);
  vecteur_entree = 0;
  systeme::servie(*puce_, source);
  // After WAI only the vector fetch is left.
  cycles += deja_empile ? 2 : cycles_interruption;
  if (c.observateur && c.observateur->interruption)
    c.observateur->interruption(c.observateur->objet, *this, vecteur);
  arret_interruption(c, vecteur);
}

// The debugger's look at an interrupt entry: a stop it asks for ends the
// run before the handler's first instruction.
bool machine::arret_interruption(const conditions_arret& c,
                                 unsigned short vecteur) {
  if (!c.controle || !c.controle->interruption ||
      !c.controle->interruption(c.controle->objet, *this, vecteur))
    return false;
  demande_arret(arret_machine::evenement);
  return true;
}

// At a marked address: bit 0 stops, bit 1 asks the debugger (a hit is
// counted even when bit 0 stops anyway).
bool machine::arret_point(const conditions_arret& c) const {
  const unsigned char v = c.points_arret[cpu.PC];
  bool arret = (v & 1) != 0;
  if ((v & 2) && c.controle->point &&
      c.controle->point(c.controle->objet, *this))
    arret = true;
  return arret;
}

// The CPU waits, is stopped, or a request it does not mask is pending.
arret_machine machine::hors_instruction(const conditions_arret& c) {
  const source_it source =
      systeme::a_servir(*puce_, puce_->etat.demandes, cpu.CCR);
  switch (cpu.etat) {
    case interpreteur::actif:
      if (source != nb_sources_it) entre_interruption(source, c, false);
      break;
    case interpreteur::attente:
      if (source != nb_sources_it) {
        cpu.etat = interpreteur::actif;
        entre_interruption(source, c, true);
        break;
      }
      if (!reveil_possible(c)) return arret_machine::attente;
      // Nothing happens until the next event: time goes there at once.
      if (echeance == jamais) return arret_machine::attente;
      cycles = std::max(cycles, echeance);
      break;
    case interpreteur::arrete: {
      // Only the interrupt pins restart the clocks.
      const uint32_t broches =
          puce_->etat.demandes & (bit_it(it_irq) | bit_it(it_xirq));
      const bool xirq = (broches & bit_it(it_xirq)) != 0;
      if (systeme::a_servir(*puce_, broches, cpu.CCR) != nb_sources_it ||
          xirq) {
        // The clocks restart, after the oscillator's delay when DLY is set.
        cpu.etat = interpreteur::actif;
        if (puce_->etat.systeme.option & systeme::DLY)
          cycles += cycles_delai_stop;
        if (source != nb_sources_it) entre_interruption(source, c, false);
        break;
      }
      if (!reveil_possible(c)) return arret_machine::attente;
      // No clock runs, no cycle passes: the next scheduled pin comes now.
      if (a_venir.empty()) return arret_machine::suspendu;
      const evenement_broche e = a_venir.front();
      a_venir.erase(a_venir.begin());
      applique({cycles, e.broche, e.niveau});
      recalcule_echeance(c);
      return arret_machine::aucun;
    }
    default:
      break;
  }
  return cycles >= echeance ? atteint_echeance(c) : arret_machine::aucun;
}

// After a step of 0 cycles, which only rows without an instruction take:
// the observer sees it (PC after it in the flat model, at it in the E9
// model, where the trap may follow).
arret_machine machine::apres_inexistante(unsigned short pc,
                                         const conditions_arret& c) {
  const bool trap = e9() && cpu.etat == interpreteur::illegal;
  if (trap) {
    cpu.etat = interpreteur::actif;
    // The stacked return address is the first byte of the illegal opcode.
    cpu.PC = pc;
  }
  if (c.observateur && c.observateur->apres)
    c.observateur->apres(c.observateur->objet, *this);
  if (!e9())
    return inexistante_a(cpu, pc) ? arret_machine::illegal
                                  : arret_machine::aucun;
  if (!trap) return arret_machine::aucun;
  if (c.sur_illegal == conditions_arret::illegal::avant)
    return arret_machine::illegal;
  {
    puce::hors_instruction hors(*puce_);
    vecteur_entree = vecteur_illegal;
    cpu.empile_registres();
    cpu.prend_vecteur(vecteur_illegal, false);
    vecteur_entree = 0;
  }
  cycles += cycles_illegal;
  if (c.observateur && c.observateur->interruption)
    c.observateur->interruption(c.observateur->objet, *this, vecteur_illegal);
  arret_interruption(c, vecteur_illegal);
  if (c.sur_illegal == conditions_arret::illegal::apres) {
    // What fell due during the entry happens before the stop, as in a run
    // that goes on through the trap (and in its replay by the history).
    if (cycles >= echeance) atteint_echeance(c);
    return arret_machine::illegal;
  }
  return cycles >= echeance ? atteint_echeance(c) : arret_machine::aucun;
}

// The hot loop, compiled for each model, with and without an observer,
// with and without the debugger's hooks. Stops are checked in this order
// after an instruction: a non-existent opcode, the cycle limit (and a stop
// the debugger asked for during the instruction), a breakpoint, the
// debugger's check, a self-loop; and the instruction limit before the
// next one.
template <bool e9, bool observe, int controle>
arret_machine machine::boucle(const conditions_arret& c) {
  const unsigned char* const arrets = c.points_arret;
  puce* const p = puce_.get();
  for (;;) {
    if (__builtin_expect(instructions >= c.max_pas, 0)) {
      if (!e9 || !c.jusqua_cycles || cycles >= c.max_cycles ||
          !(cpu.etat | (p->etat.demandes & masque_ccr())))
        return arret_machine::max_pas;
      const arret_machine r = hors_instruction(c);
      if (r != arret_machine::aucun) return r;
      continue;
    }
    // One test while nothing is pending; the CCR's masks only then.
    if (e9 && __builtin_expect(cpu.etat | p->etat.demandes, 0) &&
        (cpu.etat | (p->etat.demandes & masque_ccr()))) {
      const arret_machine r = hors_instruction(c);
      if (r != arret_machine::aucun) return r;
      if (arrets && arrets[cpu.PC] && (controle == 0 || arret_point(c)))
        return arret_machine::point_arret;
      continue;
    }
    const unsigned short pc = cpu.PC;
    if (observe && c.observateur->avant)
      c.observateur->avant(c.observateur->objet, *this);
    if (e9) p->instruction.pc = pc;
    if (controle != 0 && !e9) pc_instruction_ = pc;
    const int n = cpu.step();
    cycles += static_cast<unsigned>(n);
    ++instructions;
    // WAI's last 2 cycles, the vector fetch, come when it wakes up.
    if (e9 && __builtin_expect(cpu.etat == interpreteur::attente, 0))
      cycles -= 2;
    if (__builtin_expect(n == 0, 0)) {
      const arret_machine r = apres_inexistante(pc, c);
      if (r != arret_machine::aucun) return r;
    } else if (observe && c.observateur->apres) {
      c.observateur->apres(c.observateur->objet, *this);
    }
    if (__builtin_expect(cycles >= echeance, 0)) {
      const arret_machine r = atteint_echeance(c);
      if (r != arret_machine::aucun) return r;
    }
    if (arrets && __builtin_expect(arrets[cpu.PC] != 0, 0) &&
        (controle == 0 || arret_point(c)))
      return arret_machine::point_arret;
    if (controle == 2 && c.controle->apres(c.controle->objet, *this, pc))
      return arret_machine::condition;
    if (__builtin_expect(cpu.PC == pc, 0) && boucle_sans_fin(pc, c))
      return arret_machine::boucle;
  }
}

arret_machine machine::boucle_plate(const conditions_arret& c) {
  const unsigned char* const arrets = c.points_arret;
  uint64_t n_cycles = cycles, n_instructions = instructions;
  const uint64_t max_pas = c.max_pas;
  // Flat: nothing moves the deadline during an instruction.
  uint64_t limite = echeance;
  arret_machine r = arret_machine::aucun;
  for (;;) {
    if (__builtin_expect(n_instructions >= max_pas, 0)) {
      r = arret_machine::max_pas;
      break;
    }
    const unsigned short pc = cpu.PC;
    const int n = cpu.step();
    n_cycles += static_cast<unsigned>(n);
    ++n_instructions;
    if (__builtin_expect(n == 0 || n_cycles >= limite, 0)) {
      cycles = n_cycles;
      instructions = n_instructions;
      if (n == 0) r = apres_inexistante(pc, c);
      if (r == arret_machine::aucun && cycles >= echeance)
        r = atteint_echeance(c);
      if (r != arret_machine::aucun) return r;
      limite = echeance;
    }
    if (arrets && __builtin_expect(arrets[cpu.PC] != 0, 0)) {
      r = arret_machine::point_arret;
      break;
    }
    if (__builtin_expect(cpu.PC == pc, 0)) {
      cycles = n_cycles;
      instructions = n_instructions;
      if (boucle_sans_fin(pc, c)) return arret_machine::boucle;
    }
  }
  cycles = n_cycles;
  instructions = n_instructions;
  return r;
}

arret_machine machine::execute(const conditions_arret& c) {
  emis_vus_ = emis_sci_;
  arret_demande_ = arret_machine::aucun;
  recalcule_echeance(c);
  // Pins due now act before the first instruction.
  if (cycles >= echeance && atteint_echeance(c) != arret_machine::aucun)
    return arret_machine::max_cycles;
  const bool observe = c.observateur != nullptr;
  // The variant is chosen once per run: hooks nobody set cost nothing.
  // 1: hooks met only at breakpoints, interrupts and watched accesses; 2:
  // also one call after each instruction.
  if (c.controle && c.controle->apres)
    return e9() ? (observe ? boucle<true, true, 2>(c)
                           : boucle<true, false, 2>(c))
                : (observe ? boucle<false, true, 2>(c)
                           : boucle<false, false, 2>(c));
  if (c.controle)
    return e9() ? (observe ? boucle<true, true, 1>(c)
                           : boucle<true, false, 1>(c))
                : (observe ? boucle<false, true, 1>(c)
                           : boucle<false, false, 1>(c));
  if (e9()) return observe ? boucle<true, true>(c) : boucle<true, false>(c);
  return observe ? boucle<false, true>(c) : boucle_plate(c);
}

arret_machine machine::pas(const conditions_arret& c) {
  conditions_arret un = c;
  un.points_arret = nullptr;
  un.max_pas = instructions + 1;
  un.attente_bit_libre = true;
  // One instruction, or everything before the next one (an interrupt
  // entry, a stretch of waiting).
  const uint64_t avant = instructions;
  recalcule_echeance(un);
  if (cycles >= echeance) atteint_echeance(un);
  if (e9() && (cpu.etat | (puce_->etat.demandes & masque_ccr()))) {
    // Waiting, then the interrupt that ends the wait, in one step.
    for (int fois = 0; fois < 2; ++fois) {
      const arret_machine r = hors_instruction(un);
      if (r != arret_machine::aucun || cpu.etat == interpreteur::actif)
        return r;
    }
    return arret_machine::aucun;
  }
  const arret_machine r =
      e9() ? (c.observateur ? boucle<true, true>(un) : boucle<true, false>(un))
           : (c.observateur ? boucle<false, true>(un)
                            : boucle<false, false>(un));
  if (r == arret_machine::max_pas && instructions == avant + 1)
    return arret_machine::aucun;
  return r == arret_machine::boucle ? arret_machine::aucun : r;
}

arret_machine machine::pas() { return pas(conditions_arret{}); }
