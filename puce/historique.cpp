#include "puce/historique.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <iostream>
#include <sstream>
#include <unordered_map>

#include "puce/interruptions.h"

namespace {

constexpr std::size_t aucun = static_cast<std::size_t>(-1);
constexpr unsigned short marques_debogueur =
    mem_64k::marque_surveillance | mem_64k::marque_lecture_surveillee;
// The last 16 intervals keep every snapshot: stepping back there replays at
// most one interval.
constexpr uint64_t intervalles_proches = 16;
// How many instructions "Qui a change ceci ?" may replay.
constexpr uint64_t budget_recherche = 64ull << 20;

// Points of a run, ordered by instruction count, then cycle.
bool avant_ou_egal(uint64_t i1, uint64_t c1, uint64_t i2, uint64_t c2) {
  return i1 < i2 || (i1 == i2 && c1 <= c2);
}

// A replay goes through the illegal-opcode trap, and lets a waiting CPU's
// time run as the window's run did (pins left to the user).
conditions_arret conditions_rejeu() {
  conditions_arret c;
  c.sur_illegal = conditions_arret::illegal::continue_;
  c.broches_libres = true;
  return c;
}

// The CPU's diagnostic lines would come out again during a replay.
struct silence_diagnostics {
  std::ostringstream ailleurs;
  std::streambuf* avant;
  silence_diagnostics() : avant(std::cerr.rdbuf(ailleurs.rdbuf())) {}
  ~silence_diagnostics() { std::cerr.rdbuf(avant); }
};

}  // namespace

historique::historique(machine& mach)
    : m(mach),
      octets_(0),
      borne_(borne_defaut),
      intervalle_(intervalle_defaut),
      courant(aucun),
      journal_vu(0) {}

historique::image historique::prend_image(const machine& m) {
  image i;
  m.sauve(i.etat);
  i.cellules.assign(std::begin(m.memoire.cellules),
                    std::end(m.memoire.cellules));
  return i;
}

namespace {

// The first difference of a field, named: "A 12 / 13".
template <typename T>
bool differe(std::string& ecart, const char* nom, const T& a, const T& b) {
  if (a == b) return false;
  std::ostringstream t;
  t << nom << " " << +a << " / " << +b;
  ecart = t.str();
  return true;
}

}  // namespace

std::string historique::ecart(const machine& a, const machine& b,
                              bool journal) {
  std::string e;
  const interpreteur &x = a.cpu, &y = b.cpu;
  if (differe(e, "modele", a.e9(), b.e9()) ||
      differe(e, "instructions", a.instructions, b.instructions) ||
      differe(e, "cycles", a.cycles, b.cycles) ||
      differe(e, "PC", x.PC, y.PC) || differe(e, "SP", x.SP, y.SP) ||
      differe(e, "X", x.X, y.X) || differe(e, "Y", x.Y, y.Y) ||
      differe(e, "A", x.A, y.A) || differe(e, "B", x.B, y.B) ||
      differe(e, "CCR", x.CCR, y.CCR) ||
      differe(e, "etat du CPU", x.etat, y.etat))
    return e;
  for (unsigned c = 0; c < 0x10000; ++c)
    if (a.memoire.cellules[c] != b.memoire.cellules[c] &&
        differe(e, ("cellule " + std::to_string(c)).c_str(),
                a.memoire.cellules[c], b.memoire.cellules[c]))
      return e;
  if (const puce* p = a.systeme()) {
    const puce& q = *b.systeme();
    const unsigned base = p->etat.base_registres;
    if (differe(e, "bloc", base, static_cast<unsigned>(q.etat.base_registres)))
      return e;
    for (unsigned r = 0; r < 64; ++r) {
      const auto adresse = static_cast<unsigned short>(base + r);
      char nom[24];
      std::snprintf(nom, sizeof nom, "registre $%04x", adresse);
      if (differe(e, nom, a.memoire.consulte(adresse),
                  b.memoire.consulte(adresse)))
        return e;
    }
    if (differe(e, "demandes", p->etat.demandes, q.etat.demandes) ||
        differe(e, "prochain", p->etat.prochain, q.etat.prochain))
      return e;
  }
  for (unsigned char n = 0; n < nb_broches; ++n)
    if (a.niveau_broche(n) != b.niveau_broche(n) &&
        differe(e, ("broche " + std::to_string(n)).c_str(), a.niveau_broche(n),
                b.niveau_broche(n)))
      return e;
  const auto &pa = a.broches_a_venir(), &pb = b.broches_a_venir();
  if (differe(e, "broches a venir", pa.size(), pb.size())) return e;
  for (std::size_t i = 0; i < pa.size(); ++i)
    if (differe(e, "broche a venir", pa[i].cycle, pb[i].cycle) ||
        differe(e, "broche a venir", pa[i].broche, pb[i].broche) ||
        differe(e, "broche a venir", pa[i].niveau, pb[i].niveau))
      return e;
  int32_t ta[can::nb_entrees], tb[can::nb_entrees];
  a.tensions(ta);
  b.tensions(tb);
  for (int i = 0; i < can::nb_entrees; ++i)
    if (differe(e, "tension", ta[i], tb[i])) return e;
  if (differe(e, "file du SCI", a.file_sci(), b.file_sci()) ||
      differe(e, "perdus du SCI", a.perdus_sci(), b.perdus_sci()))
    return e;
  if (!journal) return "";
  const journal_broches &ja = a.journal, &jb = b.journal;
  if (differe(e, "journal", ja.total(), jb.total())) return e;
  for (std::size_t i = std::min(ja.taille(), jb.taille()); i > 0; --i) {
    const changement_broche &ca = ja[ja.taille() - i],
                            &cb = jb[jb.taille() - i];
    if (differe(e, "journal, cycle", ca.cycle, cb.cycle) ||
        differe(e, "journal, broche", ca.broche, cb.broche) ||
        differe(e, "journal, niveau", ca.niveau, cb.niveau))
      return e;
  }
  return "";
}

void historique::demarre() {
  instantanes.clear();
  octets_ = 0;
  courant = aucun;
  prend(false);
}

void historique::prend(bool entree) {
  instantane i;
  m.sauve(i.etat);
  i.entree = entree;
  const journal_broches& j = m.journal;
  i.journal_avant = j.total();
  if (entree) {
    // The records the action added (those still held).
    const uint64_t premier = j.total() - j.taille();
    i.journal_avant = std::max(std::min(journal_vu, j.total()), premier);
    for (uint64_t n = i.journal_avant; n < j.total(); ++n)
      i.changements.push_back(j[static_cast<std::size_t>(n - premier)]);
  }
  i.octets = sizeof(instantane) +
             i.etat.a_venir.size() * sizeof(evenement_broche) +
             i.changements.size() * sizeof(changement_broche);
  const instantane* precedent =
      instantanes.empty() ? nullptr : &instantanes.back();
  for (int p = 0; p < 256; ++p) {
    // The debugger's watch marks are not the machine's state.
    unsigned short cellules[256];
    for (int c = 0; c < 256; ++c)
      cellules[c] = static_cast<unsigned short>(
          m.memoire.cellules[p * 256 + c] & ~marques_debogueur);
    if (precedent != nullptr &&
        std::memcmp(precedent->pages[p]->data(), cellules,
                    256 * sizeof(unsigned short)) == 0) {
      i.pages[p] = precedent->pages[p];
      continue;
    }
    i.pages[p] = std::make_shared<const page>(cellules, cellules + 256);
    i.octets += 256 * sizeof(unsigned short) + 64;
  }
  octets_ += i.octets;
  instantanes.push_back(std::move(i));
  courant = instantanes.size() - 1;
  journal_vu = j.total();
  respecte_borne();
}

void historique::restaure(const instantane& i) {
  m.restaure(i.etat);
  // The cells come back; the debugger's watch marks stay as they are.
  for (int p = 0; p < 256; ++p) {
    unsigned short* cellules = m.memoire.cellules + p * 256;
    const unsigned short* copie = i.pages[p]->data();
    for (int c = 0; c < 256; ++c)
      cellules[c] = static_cast<unsigned short>(
          copie[c] | (cellules[c] & marques_debogueur));
  }
  m.synchronise_ports_plat();
  journal_vu = m.journal.total();
}

// Snapshots after the machine's point.
void historique::oublie_futur() {
  while (!instantanes.empty()) {
    const etat_machine& e = instantanes.back().etat;
    if (avant_ou_egal(e.instructions, e.cycles, m.instructions, m.cycles))
      break;
    octets_ -= std::min(octets_, instantanes.back().octets);
    instantanes.pop_back();
  }
  courant = instantanes.empty() ? aucun : instantanes.size() - 1;
}

// Snapshots from `i` on.
void historique::oublie_apres(std::size_t i) {
  while (instantanes.size() > i) {
    octets_ -= std::min(octets_, instantanes.back().octets);
    instantanes.pop_back();
  }
  courant = instantanes.empty() ? aucun : instantanes.size() - 1;
}

void historique::note_entree() {
  // The flat model's pins the action changed, before its snapshot.
  m.note_ports_plat();
  oublie_futur();
  prend(true);
}

void historique::apres_execution() {
  m.note_ports_plat();
  journal_vu = m.journal.total();
  // Moving forward through a kept future: its snapshots are passed.
  while (courant != aucun && courant + 1 < instantanes.size()) {
    const instantane& suivant = instantanes[courant + 1];
    if (suivant.entree ||
        !avant_ou_egal(suivant.etat.instructions, suivant.etat.cycles,
                       m.instructions, m.cycles))
      return;
    ++courant;
  }
  if (courant == aucun) return prend(false);
  if (m.instructions >= instantanes[courant].etat.instructions + intervalle_)
    prend(false);
}

bool historique::prochaine_entree(uint64_t& instructions,
                                  uint64_t& cycles) const {
  if (courant == aucun) return false;
  for (std::size_t i = courant + 1; i < instantanes.size(); ++i)
    if (instantanes[i].entree) {
      instructions = instantanes[i].etat.instructions;
      cycles = instantanes[i].etat.cycles;
      return true;
    }
  return false;
}

bool historique::rejoue_entrees() {
  bool rejoue = false;
  m.note_ports_plat();
  while (courant != aucun && courant + 1 < instantanes.size()) {
    const instantane& suivant = instantanes[courant + 1];
    const etat_machine& e = suivant.etat;
    if (e.instructions != m.instructions || e.cycles != m.cycles) {
      if (!avant_ou_egal(e.instructions, e.cycles, m.instructions, m.cycles))
        break;  // still ahead
      // A periodic snapshot a slice went through is only passed; an action
      // passed without meeting it: this future is not the machine's.
      if (suivant.entree) {
        oublie_apres(courant + 1);
        break;
      }
      ++courant;
      continue;
    }
    if (suivant.entree) {
      // The log as the action left it: what the replay noted up to here,
      // then the action's own changes.
      const std::vector<changement_broche>& changements = suivant.changements;
      m.journal.tronque_total(suivant.journal_avant);
      restaure(suivant);
      for (const changement_broche& c : changements)
        m.journal.note(c.cycle, c.broche, c.niveau);
      rejoue = true;
    }
    ++courant;
  }
  journal_vu = m.journal.total();
  return rejoue;
}

arret_machine historique::pas(const conditions_arret& c) {
  rejoue_entrees();
  conditions_arret un = c;
  // A CPU waiting lets its time run: not past an action kept there.
  uint64_t entree_i = 0, entree_c = 0;
  if (prochaine_entree(entree_i, entree_c) && entree_i == m.instructions)
    un.max_cycles = std::min(un.max_cycles, entree_c);
  const arret_machine r = m.pas(un);
  rejoue_entrees();
  apres_execution();
  return r;
}

arret_machine historique::execute(conditions_arret c,
                                  const moteur_tranche& moteur) {
  rejoue_entrees();
  // Up to the next kept action's instruction count; there, up to its cycle
  // (the interrupts entered, the waiting before it). Not the cycle before:
  // instructions of no cycle (the flat model's missing opcodes) may lie
  // between.
  uint64_t entree_i = 0, entree_c = 0;
  if (prochaine_entree(entree_i, entree_c) && entree_i <= c.max_pas) {
    c.max_pas = entree_i;
    if (entree_i == m.instructions) {
      c.max_cycles = std::min(c.max_cycles, entree_c);
      c.jusqua_cycles = true;
    }
  }
  const arret_machine r = moteur ? moteur(c) : m.execute(c);
  rejoue_entrees();
  apres_execution();
  return r;
}

std::size_t historique::dernier_avant(uint64_t instructions) const {
  if (instantanes.empty() || instructions < debut()) return aucun;
  std::size_t trouve = 0;
  for (std::size_t i = 0; i < instantanes.size(); ++i)
    if (instantanes[i].etat.instructions < instructions) trouve = i;
  return trouve;
}

std::size_t historique::dernier_au_plus(uint64_t instructions,
                                        uint64_t cycles) const {
  std::size_t trouve = aucun;
  for (std::size_t i = 0; i < instantanes.size(); ++i) {
    const etat_machine& e = instantanes[i].etat;
    if (avant_ou_egal(e.instructions, e.cycles, instructions, cycles))
      trouve = i;
  }
  return trouve;
}

uint64_t historique::debut() const {
  return instantanes.empty() ? 0 : instantanes.front().etat.instructions;
}

void historique::avance_jusqua(uint64_t instructions, uint64_t cycles,
                               bool exact) {
  silence_diagnostics silence;
  conditions_arret c = conditions_rejeu();
  c.max_pas = instructions;
  if (exact) {
    c.max_cycles = cycles;
    c.jusqua_cycles = true;
  }
  for (int essais = 0; essais < 1000000; ++essais) {
    if (m.instructions == instructions && (!exact || m.cycles >= cycles))
      return;
    const uint64_t avant_i = m.instructions, avant_c = m.cycles;
    const arret_machine r = m.execute(c);
    if (r == arret_machine::attente || r == arret_machine::suspendu) return;
    if (m.instructions == avant_i && m.cycles == avant_c &&
        r != arret_machine::illegal)
      return;
  }
}

bool historique::rejoue(const observateur_machine& o, uint64_t budget,
                        bool& complet) {
  complet = false;
  if (instantanes.empty()) return false;
  const uint64_t ici_i = m.instructions, ici_c = m.cycles;
  const std::size_t dernier = dernier_au_plus(ici_i, ici_c);
  if (dernier == aucun) return false;
  // From the first snapshot the budget allows.
  std::size_t premier = 0;
  while (premier < dernier &&
         ici_i - instantanes[premier].etat.instructions > budget)
    ++premier;
  complet = premier == 0 && instantanes[0].etat.instructions == 0;
  silence_diagnostics silence;
  conditions_arret c = conditions_rejeu();
  c.observateur = &o;
  c.jusqua_cycles = true;
  for (std::size_t i = premier; i <= dernier; ++i) {
    // The user's actions are in their snapshots: restored where met.
    if (i != premier && !instantanes[i].entree) continue;
    restaure(instantanes[i]);
    std::size_t j = i + 1;
    while (j <= dernier && !instantanes[j].entree) ++j;
    const etat_machine& fin =
        j <= dernier ? instantanes[j].etat : etat_machine{};
    c.max_pas = j <= dernier ? fin.instructions : ici_i;
    c.max_cycles = j <= dernier ? fin.cycles : ici_c;
    for (int essais = 0; essais < 1000000; ++essais) {
      if (m.instructions >= c.max_pas && m.cycles >= c.max_cycles) break;
      const uint64_t avant_i = m.instructions, avant_c = m.cycles;
      const arret_machine r = m.execute(c);
      if (r == arret_machine::attente || r == arret_machine::suspendu) break;
      if (m.instructions == avant_i && m.cycles == avant_c &&
          r != arret_machine::illegal)
        break;
    }
  }
  courant = dernier;
  return m.instructions == ici_i && m.cycles == ici_c;
}

bool historique::revient_a(uint64_t instructions) {
  const std::size_t i = dernier_avant(instructions);
  if (i == aucun) return false;
  restaure(instantanes[i]);
  courant = i;
  if (m.instructions < instructions) avance_jusqua(instructions, 0, false);
  return m.instructions == instructions;
}

bool historique::pas_arriere() {
  if (instantanes.empty()) return false;
  if (m.instructions == 0 || m.instructions - 1 < debut()) {
    const etat_machine& e = instantanes.front().etat;
    if (e.instructions == m.instructions && e.cycles == m.cycles) return false;
    restaure(instantanes.front());
    courant = 0;
    return true;
  }
  return revient_a(m.instructions - 1);
}

namespace {

// Notes the boundaries of a replay where PC is on a breakpoint.
struct chercheur_arrets {
  const unsigned char* points;
  uint64_t limite;
  uint64_t trouve;
  bool a_trouve;
};

void avant_arret(void* objet, const machine& m) {
  chercheur_arrets& c = *static_cast<chercheur_arrets*>(objet);
  if (m.instructions < c.limite && c.points[m.cpu.PC]) {
    c.trouve = m.instructions;
    c.a_trouve = true;
  }
}

}  // namespace

bool historique::retour_point_arret(const unsigned char* points_arret) {
  if (instantanes.empty()) return false;
  const uint64_t ici = m.instructions;
  uint64_t fin_segment = ici;
  for (std::size_t i = dernier_avant(ici); i != aucun;
       i = i == 0 ? aucun : i - 1) {
    chercheur_arrets chercheur{points_arret, ici, 0, false};
    const observateur_machine observateur{&chercheur, avant_arret, nullptr,
                                          nullptr};
    restaure(instantanes[i]);
    {
      silence_diagnostics silence;
      conditions_arret c = conditions_rejeu();
      c.max_pas = fin_segment;
      c.observateur = &observateur;
      while (m.instructions < fin_segment) {
        const uint64_t avant = m.instructions;
        const arret_machine r = m.execute(c);
        if (r == arret_machine::attente || r == arret_machine::suspendu ||
            (m.instructions == avant && r != arret_machine::illegal))
          break;
      }
    }
    if (chercheur.a_trouve) return revient_a(chercheur.trouve);
    fin_segment = instantanes[i].etat.instructions;
  }
  restaure(instantanes.front());
  courant = 0;
  return true;
}

namespace {

struct chercheur_changements {
  machine* m;
  cible_historique cible;
  unsigned derniere;
  unsigned short pc;
  std::vector<changement> trouves;
};

unsigned valeur_de(const machine& m, const cible_historique& c) {
  const interpreteur& cpu = m.cpu;
  switch (c.type) {
    case cible_historique::sorte::registre: {
      const unsigned valeurs[7] = {cpu.A,  cpu.B,  cpu.X,        cpu.Y,
                                   cpu.SP, cpu.PC, cpu.D_value()};
      return valeurs[c.numero % 7];
    }
    case cible_historique::sorte::bit_ccr:
      return (cpu.CCR >> (c.numero & 7)) & 1;
    case cible_historique::sorte::cellule:
      return m.memoire.consulte(static_cast<unsigned short>(c.numero));
    default:
      return m.niveau_broche(static_cast<unsigned char>(c.numero)) ? 1 : 0;
  }
}

void avant_changement(void* objet, const machine& m) {
  static_cast<chercheur_changements*>(objet)->pc = m.cpu.PC;
}

void note_si_change(chercheur_changements& c, std::string texte,
                    unsigned short adresse) {
  const unsigned v = valeur_de(*c.m, c.cible);
  if (v == c.derniere) return;
  c.trouves.push_back({c.m->instructions, c.m->cycles, adresse,
                       std::move(texte), c.derniere, v});
  c.derniere = v;
}

void apres_changement(void* objet, const machine&) {
  chercheur_changements& c = *static_cast<chercheur_changements*>(objet);
  const unsigned v = valeur_de(*c.m, c.cible);
  if (v == c.derniere) return;
  char texte[32] = "";
  c.m->cpu.desa_ins(c.pc, texte);
  std::string t = texte;
  while (!t.empty() && t.back() == ' ') t.pop_back();
  note_si_change(c, t, c.pc);
}

void interruption_changement(void* objet, const machine&,
                             unsigned short vecteur) {
  chercheur_changements& c = *static_cast<chercheur_changements*>(objet);
  std::string nom = vecteur == vecteur_illegal ? "opcode illegal" : "?";
  for (int s = 0; s < nb_sources_it; ++s)
    if (vecteurs_it[s] == vecteur) nom = noms_it[s];
  note_si_change(c, "interruption " + nom, c.m->cpu.PC);
}

}  // namespace

std::vector<changement> historique::qui_a_change(const cible_historique& cible,
                                                 std::size_t nombre,
                                                 bool* complet) {
  std::vector<changement> resultat;
  if (complet) *complet = false;
  if (instantanes.empty()) return resultat;
  const image ici = prend_image(m);
  const journal_broches journal_ici = m.journal;
  const std::size_t courant_avant = courant;
  uint64_t fin_i = m.instructions, fin_c = m.cycles;
  uint64_t rejoue = 0;
  // The value at the start of the newer segment: a difference with the end
  // of the older one is the user's doing.
  bool valeur_suivante_connue = false;
  unsigned valeur_suivante = 0;
  uint64_t suivante_i = 0, suivante_c = 0;
  std::size_t i = dernier_au_plus(fin_i, fin_c);
  for (; i != aucun; i = i == 0 ? aucun : i - 1) {
    const instantane& depart = instantanes[i];
    restaure(depart);
    chercheur_changements chercheur{&m, cible, valeur_de(m, cible), 0, {}};
    const unsigned valeur_depart = chercheur.derniere;
    const observateur_machine observateur{&chercheur, avant_changement,
                                          apres_changement,
                                          interruption_changement};
    {
      silence_diagnostics silence;
      conditions_arret c = conditions_rejeu();
      c.max_pas = fin_i;
      c.max_cycles = fin_c;
      c.jusqua_cycles = true;
      c.observateur = &observateur;
      for (int essais = 0; essais < 1000000; ++essais) {
        if (m.instructions == fin_i && m.cycles >= fin_c) break;
        const uint64_t ai = m.instructions, ac = m.cycles;
        const arret_machine r = m.execute(c);
        if (r == arret_machine::attente || r == arret_machine::suspendu ||
            (m.instructions == ai && m.cycles == ac &&
             r != arret_machine::illegal))
          break;
      }
    }
    rejoue += fin_i - depart.etat.instructions;
    std::vector<changement> segment = std::move(chercheur.trouves);
    if (valeur_suivante_connue && chercheur.derniere != valeur_suivante)
      segment.push_back({suivante_i, suivante_c, 0,
                         "modification par l'utilisateur", chercheur.derniere,
                         valeur_suivante});
    for (auto it = segment.rbegin();
         it != segment.rend() && resultat.size() < nombre; ++it)
      resultat.push_back(*it);
    if (resultat.size() >= nombre || rejoue >= budget_recherche) break;
    valeur_suivante_connue = true;
    valeur_suivante = valeur_depart;
    suivante_i = fin_i = depart.etat.instructions;
    suivante_c = fin_c = depart.etat.cycles;
  }
  if (complet) *complet = i == aucun || (i == 0 && resultat.size() < nombre);
  m.restaure(ici.etat);
  std::copy(ici.cellules.begin(), ici.cellules.end(), m.memoire.cellules);
  m.synchronise_ports_plat();
  m.journal = journal_ici;
  journal_vu = m.journal.total();
  courant = courant_avant;
  return resultat;
}

void historique::fixe_borne(std::size_t octets) {
  borne_ = octets;
  respecte_borne();
}

void historique::respecte_borne() {
  if (octets_ <= borne_) return;
  // What is held, each page shared between snapshots counted once.
  std::unordered_map<const page*, unsigned> references;
  std::size_t total = 0;
  auto propre = [](const instantane& i) {
    return sizeof(instantane) +
           i.etat.a_venir.size() * sizeof(evenement_broche) +
           i.changements.size() * sizeof(changement_broche);
  };
  constexpr std::size_t taille_page = 256 * sizeof(unsigned short) + 64;
  for (const instantane& i : instantanes) {
    total += propre(i);
    for (const auto& p : i.pages)
      if (references[p.get()]++ == 0) total += taille_page;
  }
  octets_ = total;
  while (octets_ > borne_ && instantanes.size() > 1) {
    const uint64_t recent =
        m.instructions > intervalles_proches * intervalle_
            ? m.instructions - intervalles_proches * intervalle_
            : 0;
    // Thin first: the periodic snapshot of the densest stretch of the old
    // history; then drop the oldest.
    std::size_t choisi = aucun;
    uint64_t plus_petit = ~uint64_t(0);
    for (std::size_t j = 1; j + 1 < instantanes.size(); ++j) {
      if (instantanes[j].entree || j == courant ||
          instantanes[j].etat.instructions >= recent)
        continue;
      const uint64_t ecart = instantanes[j + 1].etat.instructions -
                             instantanes[j - 1].etat.instructions;
      if (ecart < plus_petit) {
        plus_petit = ecart;
        choisi = j;
      }
    }
    if (choisi == aucun) choisi = 0;
    if (choisi == courant) break;
    const instantane& parti = instantanes[choisi];
    octets_ -= std::min(octets_, propre(parti));
    for (const auto& p : parti.pages)
      if (--references[p.get()] == 0) octets_ -= std::min(octets_, taille_page);
    instantanes.erase(instantanes.begin() + static_cast<long>(choisi));
    if (courant != aucun && courant > choisi) --courant;
  }
}
