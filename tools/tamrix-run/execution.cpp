// The run loop of tamrix-run is the machine's (puce/machine.h); this file
// turns the command line's stops into its conditions, writes the trace
// through its observer, and the texts of the results.
#include "tools/tamrix-run/execution.h"

#include <cstring>
#include <memory>
#include <string>

#include "debogueur/points.h"
#include "memory/symboles.h"
#include "puce/interruptions.h"

namespace {

struct etat_trace {
  std::FILE* fichier;  // the trace; null with --watch alone
  unsigned short adresse;
  unsigned short suivante;
  char texte[64];
  std::FILE* surveillance;  // where the watched writes go
  const machine* m;
  uint64_t debut_instruction;  // its cycle count when it began
  // The program's symbols and lines (null or empty: none), and the last
  // part of each source file's path.
  const infos_debogage* infos;
  std::vector<std::string> noms_fichiers;
  // The --watch ranges, their accesses and conditions.
  struct plage {
    unsigned debut, fin;
    bool lecture, ecriture;
    expression condition;
  };
  std::vector<plage> plages;
  // Whether a range of that kind that covers `adresse` takes the access.
  bool retient(unsigned short adresse, bool lecture, unsigned avant,
               unsigned valeur) const {
    const acces_observe a{valeur, avant, adresse};
    for (const plage& p : plages)
      if (adresse >= p.debut && adresse <= p.fin &&
          (lecture ? p.lecture : p.ecriture) &&
          (p.condition.vide() || p.condition.vraie(*m, &a)))
        return true;
    return false;
  }
};

// "  ajoute: somme.s:9", "  somme.s:10", or "" when the address has
// neither a label nor a source line.
std::string reperes(const etat_trace& t) {
  std::string texte;
  const std::string etiquette = t.infos->nom_a(t.adresse, true);
  if (!etiquette.empty()) texte = "  " + etiquette + ":";
  if (const ligne_source* l = t.infos->ligne_a(t.adresse))
    texte += (texte.empty() ? "  " : " ") + t.noms_fichiers[l->fichier] + ":" +
             std::to_string(l->ligne);
  return texte;
}

void avant_instruction(void* objet, const machine& m) {
  etat_trace& t = *static_cast<etat_trace*>(objet);
  t.adresse = m.cpu.PC;
  t.debut_instruction = m.cycles;
  t.suivante = const_cast<interpreteur&>(m.cpu).desa_ins(t.adresse, t.texte);
}

const char* nom_vecteur(unsigned short vecteur) {
  if (vecteur == vecteur_illegal) return "opcode illegal";
  for (int s = 0; s < nb_sources_it; ++s)
    if (vecteurs_it[s] == vecteur) return noms_it[s];
  return "?";
}

// "watch 0000 ff -> 37  steps=34 cycles=78 PC=b607 STAA $00": the cell,
// before and after; the instruction count once the writing instruction is
// counted, the cycle count when it began, its address and text; or the
// interrupt whose stacking wrote the cell.
void ecriture_surveillee(void* objet, unsigned short adresse,
                         unsigned char avant, unsigned char apres) {
  const etat_trace& t = *static_cast<const etat_trace*>(objet);
  const machine& m = *t.m;
  if (!t.retient(adresse, false, avant, apres)) return;
  const unsigned short vecteur = m.vecteur_en_cours();
  if (vecteur != 0) {
    std::fprintf(
        t.surveillance,
        "watch %04x %02x -> %02x  steps=%llu cycles=%llu "
        "interruption %s\n",
        adresse, avant, apres, static_cast<unsigned long long>(m.instructions),
        static_cast<unsigned long long>(m.cycles), nom_vecteur(vecteur));
    return;
  }
  std::string texte = t.texte;
  while (!texte.empty() && texte.back() == ' ') texte.pop_back();
  std::fprintf(t.surveillance,
               "watch %04x %02x -> %02x  steps=%llu cycles=%llu PC=%04x %s\n",
               adresse, avant, apres,
               static_cast<unsigned long long>(m.instructions + 1),
               static_cast<unsigned long long>(t.debut_instruction), t.adresse,
               texte.c_str());
}

// "read  0040 37  steps=35 cycles=80 PC=b60a LDAB $40": as a write's line,
// the byte read; or the interrupt whose entry fetched it (its vector).
void lecture_surveillee(void* objet, unsigned short adresse,
                        unsigned char valeur) {
  const etat_trace& t = *static_cast<const etat_trace*>(objet);
  if (!t.retient(adresse, true, valeur, valeur)) return;
  const machine& m = *t.m;
  // The vector fetched by an interrupt entry.
  if (const unsigned short vecteur = m.vecteur_en_cours()) {
    std::fprintf(
        t.surveillance,
        "read  %04x %02x  steps=%llu cycles=%llu interruption %s\n", adresse,
        valeur, static_cast<unsigned long long>(m.instructions),
        static_cast<unsigned long long>(m.cycles), nom_vecteur(vecteur));
    return;
  }
  std::string texte = t.texte;
  while (!texte.empty() && texte.back() == ' ') texte.pop_back();
  std::fprintf(t.surveillance,
               "read  %04x %02x  steps=%llu cycles=%llu PC=%04x %s\n", adresse,
               valeur, static_cast<unsigned long long>(m.instructions + 1),
               static_cast<unsigned long long>(t.debut_instruction), t.adresse,
               texte.c_str());
}

void apres_instruction(void* objet, const machine& m) {
  const etat_trace& t = *static_cast<etat_trace*>(objet);
  if (t.fichier == nullptr) return;
  // At most five bytes: prebyte, opcode and three operand bytes.
  char octets[3 * 5] = "";
  int place = 0;
  unsigned short a = t.adresse;
  for (int n = 0; n < 5 && a != t.suivante; ++n, ++a)
    place += std::snprintf(octets + place, sizeof octets - place, "%s%02x",
                           n ? " " : "", m.memoire.consulte(a));
  std::fprintf(t.fichier, "%04x  %-14s  %-16s  %s cycles=%llu%s\n", t.adresse,
               octets, t.texte, texte_registres(m.cpu).c_str(),
               static_cast<unsigned long long>(m.cycles),
               t.infos ? reperes(t).c_str() : "");
}

// "----  interruption OC2 (ffe6)  PC=... cycles=N": the source, its vector,
// the state at the first instruction of the handler; "----  reset COP
// (fffa)" for the watchdog's reset.
void interruption(void* objet, const machine& m, unsigned short vecteur) {
  const etat_trace& t = *static_cast<const etat_trace*>(objet);
  if (t.fichier == nullptr) return;
  const char* nom = nom_vecteur(vecteur);
  char source[48];
  if (vecteur == vecteur_cop)
    std::snprintf(source, sizeof source, "reset COP (%04x)", vecteur);
  else
    std::snprintf(source, sizeof source, "interruption %s (%04x)", nom,
                  vecteur);
  std::fprintf(t.fichier, "----  %-32s  %s cycles=%llu\n", source,
               texte_registres(m.cpu).c_str(),
               static_cast<unsigned long long>(m.cycles));
}

}  // namespace

raison_arret raison_de(arret_machine a) {
  switch (a) {
    case arret_machine::boucle:
      return raison_arret::boucle;
    case arret_machine::point_arret:
      return raison_arret::adresse;
    case arret_machine::illegal:
      return raison_arret::inexistante;
    case arret_machine::attente:
    case arret_machine::suspendu:
      return raison_arret::attente;
    case arret_machine::max_cycles:
      return raison_arret::max_cycles;
    case arret_machine::condition:
      return raison_arret::condition;
    default:
      return raison_arret::max_pas;
  }
}

bilan_run execute(machine& m, const conditions_run& conditions,
                  std::FILE* trace, const infos_debogage* infos,
                  const pilote_run& pilote) {
  std::unique_ptr<unsigned char[]> arrets;
  conditions_arret c;
  // --until ADR:N and --break-if go through the debugger; a plain --until
  // is a byte of the table.
  debogueur d;
  d.infos = infos;
  for (std::size_t i = 0; i < conditions.arrets.size(); ++i) {
    const uint64_t n =
        i < conditions.passages.size() ? conditions.passages[i] : 1;
    if (n <= 1) {
      if (!arrets) arrets.reset(new unsigned char[0x10000]());
      arrets[conditions.arrets[i] & 0xFFFF] = 1;
      continue;
    }
    point_debogage p;
    p.adresse = static_cast<unsigned short>(conditions.arrets[i]);
    p.a_partir_de = n;
    d.points.push_back(std::move(p));
  }
  c.points_arret = arrets.get();
  if (!conditions.conditions.empty()) {
    std::string texte, erreur;
    for (const std::string& e : conditions.conditions)
      texte += (texte.empty() ? "(" : " || (") + e + ")";
    if (!d.condition_globale.compile(texte, infos, erreur))
      std::fprintf(stderr, "tamrix-run: --break-if : %s\n", erreur.c_str());
  }
  c.max_pas = m.instructions + conditions.max_pas;
  c.max_cycles = conditions.max_cycles;
  etat_trace t{trace, 0, 0, "", stdout, &m, 0, nullptr, {}, {}};
  if (infos != nullptr && !infos->vide()) {
    t.infos = infos;
    for (const std::string& chemin : infos->fichiers())
      t.noms_fichiers.push_back(chemin.substr(chemin.find_last_of('/') + 1));
  }
  const observateur_machine observateur{&t, avant_instruction,
                                        apres_instruction, interruption};
  // Watched cells carry a mark: only their writes reach the watcher, and
  // a run without --watch pays nothing.
  const surveillant_memoire surveillant{&t, ecriture_surveillee,
                                        lecture_surveillee};
  for (std::size_t i = 0; i < conditions.surveillances.size(); ++i) {
    const auto& s = conditions.surveillances[i];
    const conditions_run::acces mode = i < conditions.acces_surveilles.size()
                                           ? conditions.acces_surveilles[i]
                                           : conditions_run::acces{};
    t.plages.push_back({s.first, s.second, mode.lecture, mode.ecriture, {}});
    std::string erreur;
    if (!mode.condition.empty())
      t.plages.back().condition.compile(mode.condition, infos, erreur, true);
    const unsigned short marque = static_cast<unsigned short>(
        (mode.ecriture ? mem_64k::marque_surveillance : 0) |
        (mode.lecture ? mem_64k::marque_lecture_surveillee : 0));
    for (unsigned a = s.first; a <= s.second && a <= 0xFFFF; ++a)
      m.memoire.cellules[a] |= marque;
  }
  if (!conditions.surveillances.empty()) m.memoire.surveillant = &surveillant;
  if (trace != nullptr || !conditions.surveillances.empty())
    c.observateur = &observateur;
  const uint64_t cycles = m.cycles, pas = m.instructions;
  raison_arret r;
  {
    // A script's or a pseudo-terminal's slices keep the debugger's points.
    session_debogage session(d, m, c);
    r = pilote ? pilote(m, c) : raison_de(session.conclut(m.execute(c)));
  }
  m.memoire.surveillant = nullptr;
  return {m.cycles - cycles, m.instructions - pas, r};
}

const char* nom_raison(raison_arret raison) {
  switch (raison) {
    case raison_arret::boucle:
      return "loop";
    case raison_arret::adresse:
      return "until";
    case raison_arret::inexistante:
      return "illegal";
    case raison_arret::attente:
      return "wait";
    case raison_arret::max_cycles:
      return "max-cycles";
    case raison_arret::script:
      return "script";
    case raison_arret::raccroche:
      return "hangup";
    case raison_arret::signal:
      return "signal";
    case raison_arret::condition:
      return "condition";
    default:
      return "max-steps";
  }
}

int statut_sortie(raison_arret raison) {
  switch (raison) {
    case raison_arret::boucle:
    case raison_arret::adresse:
    case raison_arret::attente:
    case raison_arret::raccroche:
    case raison_arret::condition:
      return 0;
    case raison_arret::inexistante:
      return 3;
    case raison_arret::script:
      return 5;
    default:
      return 1;
  }
}

std::string texte_registres(const interpreteur& cpu) {
  char ccr[9];
  for (int bit = 0; bit < 8; ++bit)
    ccr[bit] = (cpu.CCR >> (7 - bit)) & 1 ? '1' : '0';
  ccr[8] = '\0';
  char texte[96];
  std::snprintf(texte, sizeof texte,
                "PC=%04x A=%02x B=%02x X=%04x Y=%04x SP=%04x CCR=%s", cpu.PC,
                cpu.A, cpu.B, cpu.X, cpu.Y, cpu.SP, ccr);
  return texte;
}

std::string ligne_finale(const interpreteur& cpu, const bilan_run& bilan) {
  char compte[96];
  std::snprintf(compte, sizeof compte, " cycles=%llu steps=%llu stop=%s",
                static_cast<unsigned long long>(bilan.cycles),
                static_cast<unsigned long long>(bilan.pas),
                nom_raison(bilan.raison));
  return texte_registres(cpu) + compte;
}

std::string texte_dump(const mem_64k& mem, unsigned debut, unsigned fin) {
  std::string texte;
  char morceau[8];
  for (unsigned ligne = debut; ligne <= fin; ligne += 8) {
    std::snprintf(morceau, sizeof morceau, "%4x", ligne);
    texte += morceau;
    for (unsigned a = ligne; a < ligne + 8 && a <= fin; ++a) {
      std::snprintf(morceau, sizeof morceau, " %2x",
                    mem.consulte(static_cast<unsigned short>(a)));
      texte += morceau;
    }
    texte += '\n';
  }
  return texte;
}
