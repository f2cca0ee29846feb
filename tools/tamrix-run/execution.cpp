// The run loop of tamrix-run is the machine's (puce/machine.h); this file
// turns the command line's stops into its conditions, writes the trace
// through its observer, and the texts of the results.
#include "tools/tamrix-run/execution.h"

#include <cstring>
#include <memory>

#include "memory/symboles.h"
#include "puce/interruptions.h"

namespace {

struct etat_trace {
  std::FILE* fichier;
  unsigned short adresse;
  unsigned short suivante;
  char texte[64];
  // The program's symbols and lines (null or empty: none), and the last
  // part of each source file's path.
  const infos_debogage* infos;
  std::vector<std::string> noms_fichiers;
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
  t.suivante = const_cast<interpreteur&>(m.cpu).desa_ins(t.adresse, t.texte);
}

void apres_instruction(void* objet, const machine& m) {
  const etat_trace& t = *static_cast<etat_trace*>(objet);
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
// the state at the first instruction of the handler.
void interruption(void* objet, const machine& m, unsigned short vecteur) {
  const etat_trace& t = *static_cast<const etat_trace*>(objet);
  const char* nom = vecteur == vecteur_illegal ? "opcode illegal" : "?";
  for (int s = 0; s < nb_sources_it; ++s)
    if (vecteurs_it[s] == vecteur) nom = noms_it[s];
  char source[48];
  std::snprintf(source, sizeof source, "interruption %s (%04x)", nom, vecteur);
  std::fprintf(t.fichier, "----  %-32s  %s cycles=%llu\n", source,
               texte_registres(m.cpu).c_str(),
               static_cast<unsigned long long>(m.cycles));
}

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
    default:
      return raison_arret::max_pas;
  }
}

}  // namespace

bilan_run execute(machine& m, const conditions_run& conditions,
                  std::FILE* trace, const infos_debogage* infos) {
  std::unique_ptr<unsigned char[]> arrets;
  conditions_arret c;
  if (!conditions.arrets.empty()) {
    arrets.reset(new unsigned char[0x10000]());
    for (unsigned a : conditions.arrets) arrets[a & 0xFFFF] = 1;
    c.points_arret = arrets.get();
  }
  c.max_pas = m.instructions + conditions.max_pas;
  c.max_cycles = conditions.max_cycles;
  etat_trace t{trace, 0, 0, "", nullptr, {}};
  if (infos != nullptr && !infos->vide()) {
    t.infos = infos;
    for (const std::string& chemin : infos->fichiers())
      t.noms_fichiers.push_back(chemin.substr(chemin.find_last_of('/') + 1));
  }
  const observateur_machine observateur{&t, avant_instruction,
                                        apres_instruction, interruption};
  if (trace != nullptr) c.observateur = &observateur;
  const uint64_t cycles = m.cycles, pas = m.instructions;
  const arret_machine a = m.execute(c);
  return {m.cycles - cycles, m.instructions - pas, raison_de(a)};
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
    default:
      return "max-steps";
  }
}

int statut_sortie(raison_arret raison) {
  switch (raison) {
    case raison_arret::boucle:
    case raison_arret::adresse:
    case raison_arret::attente:
      return 0;
    case raison_arret::inexistante:
      return 3;
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
