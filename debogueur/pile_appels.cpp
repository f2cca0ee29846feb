#include "debogueur/pile_appels.h"

#include <cstdio>

#include "memory/symboles.h"
#include "puce/historique.h"
#include "puce/interruptions.h"

namespace {

std::string lieu(unsigned short adresse, const infos_debogage* infos,
                 bool ligne) {
  char t[8];
  std::snprintf(t, sizeof t, "$%04x", adresse);
  std::string texte = t;
  if (!infos) return texte;
  const std::string nom = infos->nom_a(adresse, true);
  if (!nom.empty()) texte = nom;
  if (const ligne_source* l = ligne ? infos->ligne_a(adresse) : nullptr) {
    const std::string& f = infos->fichiers()[l->fichier];
    texte += " (" + f.substr(f.find_last_of('/') + 1) + ":" +
             std::to_string(l->ligne) + ")";
  }
  return texte;
}

}  // namespace

observateur_machine pile_appels::observateur() {
  return {this, avant, apres, interruption};
}

void pile_appels::avant(void* objet, const machine& m) {
  pile_appels& p = *static_cast<pile_appels*>(objet);
  const unsigned short pc = m.cpu.PC;
  const unsigned char op = m.memoire.consulte(pc);
  p.pc_ = pc;
  p.sp_ = m.cpu.SP;
  p.compte_ = m.instructions;
  if (op == 0x8D || op == 0x9D || op == 0xAD || op == 0xBD ||
      (op == 0x18 &&
       m.memoire.consulte(static_cast<unsigned short>(pc + 1)) == 0xAD))
    p.sorte_ = sorte::appel;
  else if (op == 0x3F && m.e9())
    p.sorte_ = sorte::swi;
  else
    p.sorte_ = sorte::autre;
}

void pile_appels::depile(unsigned short sp) {
  while (!cadres.empty() &&
         sp >= cadres.back().sp + (cadres.back().interruption ? 9u : 2u))
    cadres.pop_back();
}

void pile_appels::apres(void* objet, const machine& m) {
  pile_appels& p = *static_cast<pile_appels*>(objet);
  const unsigned short sp = m.cpu.SP;
  if (p.sorte_ == sorte::appel &&
      sp == static_cast<unsigned short>(p.sp_ - 2)) {
    p.cadres.push_back({false, 0, p.pc_, m.cpu.PC, sp, p.compte_});
  } else if (p.sorte_ == sorte::swi &&
             sp == static_cast<unsigned short>(p.sp_ - 9)) {
    p.cadres.push_back({true, vecteur_swi, p.pc_, m.cpu.PC, sp, p.compte_});
  } else {
    p.depile(sp);
  }
  p.sorte_ = sorte::autre;
}

void pile_appels::interruption(void* objet, const machine& m,
                               unsigned short vecteur) {
  pile_appels& p = *static_cast<pile_appels*>(objet);
  if (vecteur == vecteur_cop) {
    p.cadres.clear();
    return;
  }
  const unsigned short sp = m.cpu.SP;
  // The stacked PC: the last two of the nine bytes.
  const unsigned short retour = static_cast<unsigned short>(
      m.memoire.consulte(static_cast<unsigned short>(sp + 8)) << 8 |
      m.memoire.consulte(static_cast<unsigned short>(sp + 9)));
  p.cadres.push_back({true, vecteur, retour, m.cpu.PC, sp, m.instructions});
}

bool pile_appels::reconstruit(historique& h, uint64_t budget) {
  cadres.clear();
  const observateur_machine o = observateur();
  return h.rejoue(o, budget, complet);
}

std::string pile_appels::texte(const cadre_appel& c,
                               const infos_debogage* infos) {
  if (!c.interruption)
    return lieu(c.appel, infos, false) + " -> " + lieu(c.entree, infos, true);
  std::string nom = "?";
  if (c.vecteur == vecteur_swi) nom = "SWI";
  if (c.vecteur == vecteur_illegal) nom = "opcode illégal";
  for (int s = 0; s < nb_sources_it; ++s)
    if (vecteurs_it[s] == c.vecteur) nom = noms_it[s];
  return "interruption " + nom + " en " + lieu(c.appel, infos, false) + " -> " +
         lieu(c.entree, infos, true);
}

bool retour_point_appel(historique& h) {
  pile_appels p;
  if (!p.reconstruit(h) || p.cadres.empty()) return false;
  return h.revient_a(p.cadres.back().instructions);
}

bool pas_arriere_par_dessus(historique& h) {
  pile_appels ici;
  ici.reconstruit(h);
  const std::size_t profondeur = ici.cadres.size();
  if (!h.pas_arriere()) return false;
  pile_appels avant;
  if (avant.reconstruit(h) && avant.cadres.size() > profondeur)
    return h.revient_a(avant.cadres[profondeur].instructions);
  return true;
}
