#include "debogueur/points.h"

#include <algorithm>
#include <cstdio>

#include "puce/interruptions.h"

namespace {

constexpr unsigned char op_rts = 0x39;
constexpr unsigned char op_rti = 0x3B;

std::string hexa(unsigned valeur, int chiffres) {
  char t[16];
  std::snprintf(t, sizeof t, "$%0*x", chiffres, valeur);
  return t;
}

std::string nom_broche(int b) {
  if (b == broche_irq) return "IRQ";
  if (b == broche_xirq) return "XIRQ";
  if (b < 0 || b >= nb_broches) return "?";
  return std::string("P") + static_cast<char>('A' + b / 8) +
         static_cast<char>('0' + b % 8);
}

std::string nom_vecteur(unsigned short v) {
  if (v == vecteur_illegal) return "opcode illégal";
  if (v == vecteur_cop) return "reset COP";
  if (v == vecteur_swi) return "SWI";
  for (int s = 0; s < nb_sources_it; ++s)
    if (vecteurs_it[s] == v) return noms_it[s];
  return hexa(v, 4);
}

}  // namespace

// ---------------------------------------------------------------- texts

std::string texte_trace(const std::string& message, const machine& m,
                        const infos_debogage* infos, const acces_observe* a) {
  std::string texte;
  std::size_t i = 0;
  while (i < message.size()) {
    const std::size_t ouvre = message.find('{', i);
    const std::size_t ferme =
        ouvre == std::string::npos ? ouvre : message.find('}', ouvre);
    if (ferme == std::string::npos) {
      texte += message.substr(i);
      break;
    }
    texte += message.substr(i, ouvre - i);
    expression e;
    std::string erreur;
    if (e.compile(message.substr(ouvre + 1, ferme - ouvre - 1), infos, erreur,
                  true)) {
      const int64_t v = e.evalue(m, a);
      texte += v < 0 ? std::to_string(v)
                     : hexa(static_cast<unsigned>(v), v > 0xFF ? 4 : 2);
    } else {
      texte += "{erreur : " + erreur + "}";
    }
    i = ferme + 1;
  }
  return texte;
}

bool verifie_message(const std::string& message, const infos_debogage* infos,
                     std::string& erreur) {
  std::size_t i = 0;
  for (;;) {
    const std::size_t ouvre = message.find('{', i);
    if (ouvre == std::string::npos) return true;
    const std::size_t ferme = message.find('}', ouvre);
    if (ferme == std::string::npos) {
      erreur = "colonne " + std::to_string(ouvre + 1) + " : « } » attendu";
      return false;
    }
    expression e;
    if (!e.compile(message.substr(ouvre + 1, ferme - ouvre - 1), infos, erreur,
                   true)) {
      erreur = "champ {" + message.substr(ouvre + 1, ferme - ouvre - 1) +
               "} : " + erreur;
      return false;
    }
    i = ferme + 1;
  }
}

const char* nom_evenement(point_debogage::evenement e) {
  static const char* const noms[] = {"interruption", "broche", "refus",
                                     "illegal",      "cop",    "cycle"};
  return noms[static_cast<int>(e)];
}

bool evenement_nomme(const std::string& nom, point_debogage::evenement& e) {
  for (int i = 0; i <= static_cast<int>(point_debogage::evenement::cycle); ++i)
    if (nom == nom_evenement(static_cast<point_debogage::evenement>(i))) {
      e = static_cast<point_debogage::evenement>(i);
      return true;
    }
  return false;
}

std::string description(const point_debogage& p) {
  using ev = point_debogage::evenement;
  switch (p.type) {
    case point_debogage::sorte::instruction:
      return p.lieu.empty() ? hexa(p.adresse, 4) : p.lieu;
    case point_debogage::sorte::surveillance: {
      std::string t = p.lecture && p.ecriture ? "accès "
                      : p.lecture             ? "lecture "
                                              : "écriture ";
      t += hexa(p.adresse, 4);
      if (p.fin != p.adresse) t += "-" + hexa(p.fin, 4);
      return t;
    }
    default:
      break;
  }
  switch (p.quoi) {
    case ev::interruption:
      return p.numero < 0
                 ? "interruption (toutes)"
                 : "interruption " +
                       nom_vecteur(static_cast<unsigned short>(p.numero));
    case ev::broche:
      return p.numero < 0 ? "broche (toutes)"
                          : "broche " + nom_broche(p.numero);
    case ev::refus:
      return "accès refusé";
    case ev::illegal:
      return "opcode illégal";
    case ev::cop:
      return "reset COP";
    default:
      return "cycle " + std::to_string(p.cycle);
  }
}

// ---------------------------------------------------------------- debugger

bool debogueur::prepare_par_dessus(const machine& m) {
  const unsigned short pc = m.cpu.PC;
  const unsigned char op = m.memoire.consulte(pc);
  int longueur = 0;
  if (op == 0x8D || op == 0x9D || op == 0xAD)  // BSR, JSR dir, JSR ,X
    longueur = 2;
  else if (op == 0xBD)  // JSR ext
    longueur = 3;
  else if (op == 0x18 &&
           m.memoire.consulte(static_cast<unsigned short>(pc + 1)) == 0xAD)
    longueur = 3;                 // JSR ,Y
  else if (op == 0x3F && m.e9())  // SWI: its handler returns after it
    longueur = 1;
  if (longueur == 0) return false;
  but = intention::par_dessus;
  retour_ = static_cast<unsigned short>(pc + longueur);
  sp_ = m.cpu.SP;
  return true;
}

void debogueur::prepare_sortie(const machine& m) {
  but = intention::sortie;
  sp_ = m.cpu.SP;
}

void debogueur::prepare_jusqua(unsigned short adresse) {
  but = intention::jusqua;
  cible_ = adresse;
}

bool debogueur::actif() const {
  if (but != intention::aucune || !condition_globale.vide()) return true;
  for (const point_debogage& p : points)
    if (p.actif) return true;
  return false;
}

void debogueur::remet_compteurs() {
  for (point_debogage& p : points) p.coups = 0;
  traces.clear();
  traces_perdues = 0;
}

void debogueur::note_trace(std::string ligne) {
  if (traces.size() >= traces_max) {
    traces.erase(traces.begin(), traces.begin() + traces_max / 10);
    traces_perdues += traces_max / 10;
  }
  traces.push_back(std::move(ligne));
}

// ---------------------------------------------------------------- session

session_debogage::session_debogage(debogueur& d, machine& m,
                                   conditions_arret& c)
    : d_(d), m_(m) {
  d.dernier_point = -1;
  d.raison.clear();
  d.cellule = -1;
  if (!d.actif()) return;
  using sorte = point_debogage::sorte;
  using ev = point_debogage::evenement;
  arrets_.reset(new unsigned char[0x10000]());
  bool marques = false;
  if (c.points_arret) {
    for (unsigned a = 0; a < 0x10000; ++a) arrets_[a] = c.points_arret[a] & 1;
    marques = true;
  }
  bool interruptions = false, surveille = false;
  for (std::size_t i = 0; i < d.points.size(); ++i) {
    const point_debogage& p = d.points[i];
    if (!p.actif) continue;
    if (p.type == sorte::instruction) {
      arrets_[p.adresse] |= 2;
      par_adresse_.push_back(static_cast<int>(i));
      marques = true;
    } else if (p.type == sorte::surveillance) {
      const unsigned short marque = static_cast<unsigned short>(
          (p.ecriture ? mem_64k::marque_surveillance : 0) |
          (p.lecture ? mem_64k::marque_lecture_surveillee : 0));
      for (unsigned a = p.adresse; a <= p.fin && a <= 0xFFFF; ++a) {
        unsigned short& cellule = m.memoire.cellules[a];
        if ((cellule & marque) == marque) continue;
        if (!(cellule & (mem_64k::marque_surveillance |
                         mem_64k::marque_lecture_surveillee)))
          marquees_.push_back(static_cast<unsigned short>(a));
        cellule = static_cast<unsigned short>(cellule | marque);
      }
      surveille = true;
    } else if (p.quoi == ev::interruption || p.quoi == ev::illegal ||
               p.quoi == ev::cop) {
      interruptions = true;
      if (p.quoi == ev::interruption && m.e9() &&
          (p.numero < 0 || p.numero == vecteur_swi))
        veut_swi_ = true;
    } else if (p.quoi == ev::broche) {
      veut_broches_ = true;
    } else if (p.quoi == ev::refus) {
      if (!refus_pose_) refus_avant_ = m.arret_sur_refus;
      refus_pose_ = true;
      m.arret_sur_refus = true;
    } else if (p.quoi == ev::cycle && p.cycle > m.cycles) {
      cycle_evenement_ = std::min(cycle_evenement_, p.cycle);
    }
  }
  if (d.but == debogueur::intention::jusqua) {
    arrets_[d.cible_] |= 1;
    marques = true;
  }
  if (marques) c.points_arret = arrets_.get();
  c.max_cycles = std::min(c.max_cycles, cycle_evenement_);
  journal_vu_ = m.journal.total();
  controle_.objet = this;
  if (!par_adresse_.empty()) controle_.point = point;
  const bool intention = d.but == debogueur::intention::par_dessus ||
                         d.but == debogueur::intention::sortie;
  if (veut_broches_ || veut_swi_ || intention)
    controle_.apres = apres;
  else if (!d.condition_globale.vide())
    controle_.apres = apres_condition;  // the common case, kept short
  if (interruptions) controle_.interruption = interruption;
  c.controle = &controle_;
  if (surveille) {
    surveillant_ = {this, ecriture, lecture};
    surveillant_avant_ = m.memoire.surveillant;
    m.memoire.surveillant = &surveillant_;
  }
}

session_debogage::~session_debogage() {
  if (!arrets_) return;
  for (unsigned short a : marquees_)
    m_.memoire.cellules[a] = static_cast<unsigned short>(
        m_.memoire.cellules[a] &
        ~(mem_64k::marque_surveillance | mem_64k::marque_lecture_surveillee));
  if (surveillant_.objet) m_.memoire.surveillant = surveillant_avant_;
  if (refus_pose_) m_.arret_sur_refus = refus_avant_;
}

arret_machine session_debogage::conclut(arret_machine r) {
  if (!arrets_) return r;
  if (r == arret_machine::condition && evenement_) r = arret_machine::evenement;
  if (r == arret_machine::max_cycles && m_.cycles >= cycle_evenement_) {
    r = arret_machine::evenement;
    d_.raison = "cycle " + std::to_string(m_.cycles) + " atteint";
    for (std::size_t i = 0; i < d_.points.size(); ++i) {
      const point_debogage& p = d_.points[i];
      if (p.actif && p.type == point_debogage::sorte::evenement &&
          p.quoi == point_debogage::evenement::cycle &&
          p.cycle == cycle_evenement_)
        d_.dernier_point = static_cast<int>(i);
    }
  }
  if (r == arret_machine::evenement && d_.raison.empty() &&
      m_.dernier_refus()) {
    const acces_refuse& a = *m_.dernier_refus();
    d_.raison = "accès refusé à " + hexa(a.adresse, 4) +
                " par l'instruction en " + hexa(a.pc, 4);
    for (std::size_t i = 0; i < d_.points.size(); ++i)
      if (d_.points[i].actif &&
          d_.points[i].type == point_debogage::sorte::evenement &&
          d_.points[i].quoi == point_debogage::evenement::refus) {
        ++d_.points[i].coups;
        d_.dernier_point = static_cast<int>(i);
        break;
      }
  }
  if (r == arret_machine::point_arret && d_.dernier_point < 0 &&
      d_.but == debogueur::intention::jusqua && m_.cpu.PC == d_.cible_)
    d_.raison = "exécution jusqu'à " + hexa(d_.cible_, 4);
  // A slice's bounds (the window runs in slices) keep the intent.
  if (r != arret_machine::max_pas &&
      !(r == arret_machine::max_cycles && m_.cycles < cycle_evenement_))
    d_.but = debogueur::intention::aucune;
  return r;
}

bool session_debogage::touche(int i, const acces_observe* a) {
  point_debogage& p = d_.points[static_cast<std::size_t>(i)];
  if (!p.condition.vide() && !p.condition.vraie(m_, a)) return false;
  ++p.coups;
  if (p.coups < p.a_partir_de) return false;
  if (p.trace) {
    d_.note_trace(texte_trace(p.message, m_, d_.infos, a));
    return false;
  }
  d_.dernier_point = i;
  return true;
}

bool session_debogage::point(void* objet, const machine& m) {
  session_debogage& s = *static_cast<session_debogage*>(objet);
  bool arret = false;
  for (int i : s.par_adresse_)
    if (s.d_.points[static_cast<std::size_t>(i)].adresse == m.cpu.PC &&
        s.touche(i, nullptr) && !arret) {
      arret = true;
      const point_debogage& p = s.d_.points[static_cast<std::size_t>(i)];
      s.d_.raison =
          "point d'arrêt " + std::to_string(i + 1) + " : " + description(p);
      if (!p.condition.vide()) s.d_.raison += " si " + p.condition.texte();
      if (p.a_partir_de > 1)
        s.d_.raison += " (passage " + std::to_string(p.coups) + ")";
    }
  return arret;
}

bool session_debogage::apres_condition(void* objet, const machine& m,
                                       unsigned short) {
  debogueur& d = static_cast<session_debogage*>(objet)->d_;
  if (!d.condition_globale.vraie(m)) return false;
  d.raison = "condition vraie : " + d.condition_globale.texte();
  return true;
}

bool session_debogage::apres(void* objet, const machine& m, unsigned short pc) {
  session_debogage& s = *static_cast<session_debogage*>(objet);
  debogueur& d = s.d_;
  if (!d.condition_globale.vide() && d.condition_globale.vraie(m)) {
    d.raison = "condition vraie : " + d.condition_globale.texte();
    return true;
  }
  if (d.but == debogueur::intention::par_dessus) {
    if (m.cpu.PC == d.retour_ && m.cpu.SP >= d.sp_) return true;
  } else if (d.but == debogueur::intention::sortie) {
    const unsigned char op = m.memoire.consulte(pc);
    if ((op == op_rts || op == op_rti) && m.cpu.SP > d.sp_) return true;
  }
  // SWI stacks and vectors as an instruction, not through the engine's
  // interrupt entry.
  if (s.veut_swi_ && m.memoire.consulte(pc) == 0x3F &&
      m.cpu.PC != static_cast<unsigned short>(pc + 1) &&
      interruption(objet, m, vecteur_swi)) {
    s.evenement_ = true;
    return true;
  }
  if (s.veut_broches_ && m.journal.total() != s.journal_vu_) {
    const uint64_t nouveaux = m.journal.total() - s.journal_vu_;
    s.journal_vu_ = m.journal.total();
    const std::size_t n = m.journal.taille();
    for (std::size_t k = n - std::min<uint64_t>(n, nouveaux); k < n; ++k) {
      const changement_broche& c = m.journal[k];
      for (std::size_t i = 0; i < d.points.size(); ++i) {
        const point_debogage& p = d.points[i];
        if (!p.actif || p.type != point_debogage::sorte::evenement ||
            p.quoi != point_debogage::evenement::broche ||
            (p.numero >= 0 && p.numero != c.broche))
          continue;
        const acces_observe a{c.niveau, 0, c.broche};
        if (s.touche(static_cast<int>(i), &a)) {
          d.raison = "broche " + nom_broche(c.broche) + " à " +
                     std::to_string(c.niveau) + " (cycle " +
                     std::to_string(c.cycle) + ")";
          s.evenement_ = true;
          return true;
        }
      }
    }
  }
  return false;
}

bool session_debogage::interruption(void* objet, const machine& m,
                                    unsigned short vecteur) {
  session_debogage& s = *static_cast<session_debogage*>(objet);
  using ev = point_debogage::evenement;
  for (std::size_t i = 0; i < s.d_.points.size(); ++i) {
    const point_debogage& p = s.d_.points[i];
    if (!p.actif || p.type != point_debogage::sorte::evenement) continue;
    const bool voulu = (p.quoi == ev::interruption && vecteur != vecteur_cop &&
                        (p.numero < 0 || p.numero == vecteur)) ||
                       (p.quoi == ev::illegal && vecteur == vecteur_illegal) ||
                       (p.quoi == ev::cop && vecteur == vecteur_cop);
    const acces_observe a{vecteur, 0, vecteur};
    if (voulu && s.touche(static_cast<int>(i), &a)) {
      s.d_.raison = (vecteur == vecteur_cop || vecteur == vecteur_illegal
                         ? nom_vecteur(vecteur)
                         : "interruption " + nom_vecteur(vecteur)) +
                    " (cycle " + std::to_string(m.cycles) + ")";
      return true;
    }
  }
  return false;
}

void session_debogage::ecriture(void* objet, unsigned short adresse,
                                unsigned char avant, unsigned char apres) {
  static_cast<session_debogage*>(objet)->acces(adresse, false, avant, apres);
}

void session_debogage::lecture(void* objet, unsigned short adresse,
                               unsigned char valeur) {
  static_cast<session_debogage*>(objet)->acces(adresse, true, valeur, valeur);
}

void session_debogage::acces(unsigned short adresse, bool est_lecture,
                             unsigned avant, unsigned valeur) {
  const acces_observe a{valeur, avant, adresse};
  for (std::size_t i = 0; i < d_.points.size(); ++i) {
    const point_debogage& p = d_.points[i];
    if (!p.actif || p.type != point_debogage::sorte::surveillance ||
        adresse < p.adresse || adresse > p.fin ||
        !(est_lecture ? p.lecture : p.ecriture))
      continue;
    if (!touche(static_cast<int>(i), &a)) continue;
    const unsigned short vecteur = m_.vecteur_en_cours();
    d_.raison =
        (est_lecture ? "lecture de " : "écriture de ") + hexa(adresse, 4) +
        " : " +
        (est_lecture ? hexa(valeur, 2)
                     : hexa(avant, 2) + " -> " + hexa(valeur, 2)) +
        (vecteur ? " par l'entrée en interruption " + nom_vecteur(vecteur)
                 : " par l'instruction en " + hexa(m_.pc_instruction(), 4));
    d_.cellule = adresse;
    m_.demande_arret(arret_machine::surveillance);
    return;
  }
}
