// The board wired to the machine: its hooks, the user's actions and what
// it shows. See platine.h.
#include "platine/platine.h"

#include <cctype>

#include "platine/afficheur.h"
#include "platine/bouton.h"
#include "platine/clavier.h"
#include "platine/fil.h"
#include "platine/lcd.h"
#include "platine/led.h"
#include "platine/potentiometre.h"
#include "puce/machine.h"

namespace {

using sorte = sorte_composant;

unsigned char masque(unsigned char broche) {
  return static_cast<unsigned char>(1u << (broche % 8));
}

bool est_port(unsigned char broche) { return broche < broche_irq; }

// A bounce's event: the number of the action it belongs to and a level.
constexpr unsigned char marque_rebond = 0x80;

}  // namespace

platine::platine(const description_carte& d) : d_(d) {
  etat.commandes.resize(d_.composants.size());
  for (std::size_t i = 0; i < d_.composants.size(); ++i) {
    const composant_decrit& c = d_.composants[i];
    etat.commandes[i].valeur = c.etat;
    rang_lcd_.push_back(
        c.sorte == sorte::lcd ? static_cast<int>(etat.lcd.size()) : -1);
    if (c.sorte == sorte::lcd) etat.lcd.push_back(etat_hd44780{});
    const auto suit = [&](int b) {
      if (b >= 0 && est_port(static_cast<unsigned char>(b)))
        suivies_[b / 8] |= masque(static_cast<unsigned char>(b));
    };
    const auto pilote = [&](unsigned char b, bool calcule) {
      if (!est_port(b)) return;
      pilotees_[b / 8] |= masque(b);
      if (calcule) calculees_[b / 8] |= masque(b);
    };
    // The ports whose levels the computed pins depend on.
    const auto lit = [&](int b) {
      if (b >= 0 && b < broche_irq) ports_lus_ |= 1u << (b / 8);
    };
    if (c.sorte == sorte::clavier) {
      for (unsigned char b : c.broches) lit(b);
      for (unsigned char b : c.autres) lit(b);
    } else if (c.sorte == sorte::lcd && !c.sur_bus && c.rw >= 0) {
      for (int b : {c.rs, c.rw, c.e}) lit(b);
    }
    switch (c.sorte) {
      case sorte::bouton:
      case sorte::interrupteur:
      case sorte::dip:
      case sorte::potentiometre:
        for (unsigned char b : c.broches) pilote(b, false);
        break;
      case sorte::clavier:
        for (unsigned char b : c.broches) pilote(b, true);
        for (unsigned char b : c.autres) pilote(b, true);
        break;
      case sorte::lcd:
        if (c.sur_bus) break;
        suit(c.e);
        if (c.rw >= 0)
          for (unsigned char b : c.broches) pilote(b, true);
        break;
      case sorte::fil:
        suit(fil::source(c));
        pilote(fil::destination(c), false);
        break;
      default:
        break;
    }
  }
}

platine::~platine() { detache(); }

bool platine::attache(machine& m) {
  if (!m.e9()) return false;
  detache();
  m_ = &m;
  m.attache_platine(this);
  // The inputs as they stand; the LCDs powered up now.
  for (std::size_t i = 0; i < d_.composants.size(); ++i) {
    const composant_decrit& c = d_.composants[i];
    const uint64_t v = etat.commandes[i].valeur;
    switch (c.sorte) {
      case sorte::bouton:
      case sorte::interrupteur:
        m.pose_broche(c.broches[0], contact::niveau(c, v & 1));
        break;
      case sorte::dip:
        for (std::size_t k = 0; k < c.broches.size(); ++k)
          m.pose_broche(
              c.broches[k],
              contact::niveau(c, (v >> (c.broches.size() - 1 - k)) & 1));
        break;
      case sorte::potentiometre:
        potentiometre::pose(m, c, c.microvolts);
        break;
      default:
        break;
    }
  }
  mise_sous_tension(m.cycles);
  m.systeme()->marque_carte();
  m.actualise_broches();
  return true;
}

void platine::detache() {
  if (!m_) return;
  machine& m = *m_;
  m_ = nullptr;
  if (m.platine_attachee() == this) {
    m.attache_platine(nullptr);
    if (puce* p = m.systeme()) p->marque_carte();
    m.actualise_broches();
  }
}

bool platine::niveau_broche_puce(unsigned char broche) const {
  const puce* p = m_->systeme();
  if (!est_port(broche)) return m_->niveau_broche(broche);
  return (ports::niveaux_puce(*p, broche / 8) >> (broche % 8)) & 1;
}

void platine::pose(unsigned char broche, bool niveau, uint64_t cycle) {
  puce::a_l_instant a(*m_->systeme(), cycle);
  m_->pose_broche(broche, niveau);
}

void platine::mise_sous_tension(uint64_t cycle) {
  for (etat_hd44780& e : etat.lcd) hd44780::mise_sous_tension(e, cycle);
  if (!m_) return;
  // A wire's input takes its output's level after the reset; while the
  // output pin is an input, the line is pulled up.
  for (const composant_decrit& c : d_.composants)
    if (c.sorte == sorte::fil) {
      if (broche_entree(fil::source(c))) m_->pose_broche(fil::source(c), true);
      m_->pose_broche(fil::destination(c), m_->niveau_broche(fil::source(c)));
    }
}

bool platine::change_port(int port, unsigned char avant, unsigned char apres,
                          uint64_t cycle) {
  bool recalcule = false;
  // The level of a pin just before the change (those of this port may
  // change with it: the hold time).
  const auto niveau = [&](int broche) {
    if (broche < 0) return false;
    if (broche / 8 == port) return ((avant >> (broche % 8)) & 1) != 0;
    return m_->niveau_broche(static_cast<unsigned char>(broche));
  };
  for (std::size_t i = 0; i < d_.composants.size(); ++i) {
    const composant_decrit& c = d_.composants[i];
    if (c.sorte == sorte::fil) {
      const unsigned char s = fil::source(c);
      if (s / 8 == port && ((avant ^ apres) & masque(s)))
        pose(fil::destination(c), (apres & masque(s)) != 0, cycle);
    } else if (c.sorte == sorte::lcd && !c.sur_bus && c.e / 8 == port &&
               ((avant ^ apres) & masque(static_cast<unsigned char>(c.e)))) {
      recalcule |= c.rw >= 0;
      if (apres & masque(static_cast<unsigned char>(c.e))) continue;
      unsigned donnees = 0;
      for (std::size_t k = 0; k < c.broches.size(); ++k)
        if (niveau(c.broches[k])) donnees |= 1u << k;
      lcd::front_e(etat.lcd[rang_lcd_[i]], c, niveau(c.rs), niveau(c.rw),
                   donnees, cycle);
    }
  }
  return recalcule;
}

unsigned char platine::niveaux(const puce& p, int port, unsigned char n,
                               unsigned char sorties) const {
  const unsigned char libres = calculees_[port] & ~sorties;
  if (!libres) return n;
  // The levels the chip drives on its own pins.
  // Read once per port: this runs at each port write of a scanning
  // program.
  unsigned char sorties_puce[5] = {}, niveaux_puce[5] = {};
  for (int k = 0; k < 5; ++k) {
    if (!((ports_lus_ >> k) & 1)) continue;
    sorties_puce[k] = k == port ? sorties : ports::sorties(p, k);
    niveaux_puce[k] = ports::niveaux_puce(p, k);
  }
  const auto pilotee = [&](unsigned char b) {
    return est_port(b) && ((sorties_puce[b / 8] >> (b % 8)) & 1);
  };
  const auto niveau_puce = [&](unsigned char b) {
    return b < broche_irq ? ((niveaux_puce[b / 8] >> (b % 8)) & 1) != 0
                          : m_->niveau_broche(b);
  };
  unsigned char r = n;
  const auto pose_bit = [&](unsigned char b, bool haut) {
    if (b / 8 != port || !(libres & masque(b))) return;
    r = static_cast<unsigned char>(haut ? r | masque(b) : r & ~masque(b));
  };
  for (std::size_t i = 0; i < d_.composants.size(); ++i) {
    const composant_decrit& c = d_.composants[i];
    if (c.sorte == sorte::clavier) {
      uint16_t pilotees = 0, niveaux_lignes = 0;
      const auto releve = [&](unsigned char b, int bit) {
        if (!pilotee(b)) return;
        pilotees = static_cast<uint16_t>(pilotees | 1u << bit);
        if (niveau_puce(b))
          niveaux_lignes = static_cast<uint16_t>(niveaux_lignes | 1u << bit);
      };
      for (std::size_t k = 0; k < c.broches.size(); ++k)
        releve(c.broches[k], static_cast<int>(k));
      for (std::size_t k = 0; k < c.autres.size(); ++k)
        releve(c.autres[k], 8 + static_cast<int>(k));
      const uint16_t lignes = clavier::niveaux(c, etat.commandes[i].valeur,
                                               pilotees, niveaux_lignes);
      for (std::size_t k = 0; k < c.broches.size(); ++k)
        pose_bit(c.broches[k], (lignes >> k) & 1);
      for (std::size_t k = 0; k < c.autres.size(); ++k)
        pose_bit(c.autres[k], (lignes >> (8 + k)) & 1);
    } else if (c.sorte == sorte::lcd && !c.sur_bus && c.rw >= 0) {
      const auto rs = static_cast<unsigned char>(c.rs);
      const auto rw = static_cast<unsigned char>(c.rw);
      const auto e = static_cast<unsigned char>(c.e);
      // Driven while E is high in a read; pulled up otherwise.
      unsigned bits = ~0u;
      if (niveau_puce(rw) && niveau_puce(e))
        bits = lcd::sortie(etat.lcd[rang_lcd_[i]], c, niveau_puce(rs),
                           p.instant());
      for (std::size_t k = 0; k < c.broches.size(); ++k)
        pose_bit(c.broches[k], (bits >> k) & 1);
    }
  }
  return r;
}

bool platine::au_bus(unsigned short adresse) const {
  for (const composant_decrit& c : d_.composants)
    if (c.sur_bus && (adresse == c.adresse || adresse == c.adresse + 1))
      return true;
  return false;
}

unsigned char platine::lit_bus(unsigned short adresse, uint64_t cycle) {
  for (std::size_t i = 0; i < d_.composants.size(); ++i) {
    const composant_decrit& c = d_.composants[i];
    if (c.sur_bus && (adresse == c.adresse || adresse == c.adresse + 1))
      return lcd::lit_bus(etat.lcd[rang_lcd_[i]], c, adresse != c.adresse,
                          cycle);
  }
  return 0xFF;
}

void platine::ecrit_bus(unsigned short adresse, unsigned char valeur,
                        uint64_t cycle) {
  for (std::size_t i = 0; i < d_.composants.size(); ++i) {
    const composant_decrit& c = d_.composants[i];
    if (c.sur_bus && (adresse == c.adresse || adresse == c.adresse + 1))
      lcd::ecrit_bus(etat.lcd[rang_lcd_[i]], c, adresse != c.adresse, valeur,
                     cycle);
  }
}

unsigned char platine::consulte_bus(unsigned short adresse,
                                    uint64_t cycle) const {
  for (std::size_t i = 0; i < d_.composants.size(); ++i) {
    const composant_decrit& c = d_.composants[i];
    if (c.sur_bus && (adresse == c.adresse || adresse == c.adresse + 1))
      return lcd::consulte_bus(etat.lcd[rang_lcd_[i]], c, adresse != c.adresse,
                               cycle);
  }
  return 0xFF;
}

void platine::restaure(const etat_platine& e) {
  // A state of this board only (the window starts a new history when the
  // board changes).
  if (e.commandes.size() == etat.commandes.size() &&
      e.lcd.size() == etat.lcd.size())
    etat = e;
}

unsigned char platine::code_action(int element, bool actif) {
  return static_cast<unsigned char>(element * 2 + (actif ? 1 : 0));
}

void platine::evenement(const evenement_broche& e) {
  if (!m_) return;
  const int i = e.broche - machine::broche_platine;
  if (i < 0 || i >= static_cast<int>(d_.composants.size())) return;
  if (e.niveau & marque_rebond) {
    // A bounce of the contact's last action only.
    const etat_commande& s = etat.commandes[i];
    if (((e.niveau >> 1) & 0x3F) == (s.action & 0x3F))
      pose(d_.composants[i].broches[0], e.niveau & 1, e.cycle);
    return;
  }
  applique(i, e.niveau >> 1, e.niveau & 1, e.cycle);
}

void platine::applique(int i, int element, bool actif, uint64_t cycle) {
  const composant_decrit& c = d_.composants[i];
  etat_commande& s = etat.commandes[i];
  uint64_t bit = uint64_t(1) << element;
  if (c.sorte == sorte::dip)
    bit = uint64_t(1) << (c.broches.size() - 1 - element);
  s.valeur = actif ? s.valeur | bit : s.valeur & ~bit;
  switch (c.sorte) {
    case sorte::bouton:
    case sorte::interrupteur: {
      ++s.action;
      const auto t =
          contact::transitions(c, i, contact::niveau(c, actif), cycle);
      pose(c.broches[0], t.front().second, cycle);
      for (std::size_t k = 1; k < t.size(); ++k)
        m_->planifie_broche(
            {t[k].first,
             static_cast<unsigned char>(machine::broche_platine + i),
             static_cast<unsigned char>(marque_rebond | (s.action & 0x3F) << 1 |
                                        (t[k].second ? 1 : 0))});
      break;
    }
    case sorte::dip:
      pose(c.broches[element], contact::niveau(c, actif), cycle);
      break;
    case sorte::clavier: {
      puce::a_l_instant a(*m_->systeme(), cycle);
      m_->actualise_broches();
      break;
    }
    default:
      break;
  }
}

namespace {

int nombre_elements(const composant_decrit& c) {
  switch (c.sorte) {
    case sorte::bouton:
    case sorte::interrupteur:
      return 1;
    case sorte::dip:
      return static_cast<int>(c.broches.size());
    case sorte::clavier:
      return static_cast<int>(c.broches.size() * c.autres.size());
    default:
      return 0;
  }
}

}  // namespace

bool platine::agit(int composant, int element, bool actif) {
  if (!m_ || composant < 0 ||
      composant >= static_cast<int>(d_.composants.size()) || element < 0 ||
      element >= nombre_elements(d_.composants[composant]))
    return false;
  applique(composant, element, actif, m_->cycles);
  return true;
}

bool platine::planifie(uint64_t cycle, int composant, int element, bool actif) {
  if (!m_ || composant < 0 ||
      composant >= static_cast<int>(d_.composants.size()) || element < 0 ||
      element >= nombre_elements(d_.composants[composant]))
    return false;
  return m_->planifie_broche(
      {cycle, static_cast<unsigned char>(machine::broche_platine + composant),
       code_action(element, actif)});
}

bool platine::tourne(int composant, int32_t microvolts) {
  if (!m_ || composant < 0 ||
      composant >= static_cast<int>(d_.composants.size()))
    return false;
  const composant_decrit& c = d_.composants[composant];
  return c.sorte == sorte::potentiometre &&
         potentiometre::pose(*m_, c, microvolts);
}

int32_t platine::tension(int composant) const {
  const composant_decrit& c = d_.composants[composant];
  if (!m_ || c.sorte != sorte::potentiometre) return c.microvolts;
  return potentiometre::tension(*m_, c);
}

bool platine::actif(int composant, int element) const {
  const composant_decrit& c = d_.composants[composant];
  const uint64_t v = etat.commandes[composant].valeur;
  if (c.sorte == sorte::dip) return (v >> (c.broches.size() - 1 - element)) & 1;
  return (v >> element) & 1;
}

bool platine::trouve(const std::string& nom, int& composant,
                     int& element) const {
  const auto deux_points = nom.rfind(':');
  composant = d_.cherche(nom.substr(0, deux_points));
  if (composant < 0) return false;
  const composant_decrit& c = d_.composants[composant];
  element = 0;
  if (deux_points == std::string::npos) return nombre_elements(c) == 1;
  const std::string e = nom.substr(deux_points + 1);
  if (c.sorte == sorte::clavier) {
    element = e.size() == 1 ? clavier::touche_de(c, e[0]) : -1;
    return element >= 0;
  }
  if (c.sorte != sorte::dip || e.empty()) return false;
  // A DIP switch by its pin ("PC3") or its bit number, right to left.
  const int n = static_cast<int>(c.broches.size());
  const int b = broche_de_nom(e);
  for (int k = 0; k < n; ++k)
    if (b >= 0 && c.broches[k] == b) {
      element = k;
      return true;
    }
  if (e.size() == 1 && e[0] >= '0' && e[0] < '0' + n) {
    element = n - 1 - (e[0] - '0');
    return true;
  }
  return false;
}

std::vector<double> platine::leds(int composant, bool fige) const {
  if (!m_) return std::vector<double>(d_.composants[composant].broches.size());
  return led::parts(d_.composants[composant], *m_, fige);
}

std::vector<std::vector<double>> platine::segments(int composant,
                                                   bool fige) const {
  const composant_decrit& c = d_.composants[composant];
  if (!m_)
    return std::vector<std::vector<double>>(
        c.autres.empty() ? 1 : c.autres.size(), std::vector<double>(8));
  return afficheur::segments(c, *m_, fige);
}

const etat_hd44780* platine::lcd(int composant) const {
  const int r = rang_lcd_[composant];
  return r < 0 ? nullptr : &etat.lcd[r];
}

std::vector<std::string> platine::lignes(bool fige) const {
  std::vector<std::string> l;
  for (std::size_t i = 0; i < d_.composants.size(); ++i) {
    const composant_decrit& c = d_.composants[i];
    const int n = static_cast<int>(i);
    switch (c.sorte) {
      case sorte::led:
      case sorte::barre:
        l.push_back(c.nom + ": " + led::texte(leds(n, fige)));
        break;
      case sorte::afficheur:
        l.push_back(c.nom + ": \"" + afficheur::texte(segments(n, fige)) +
                    "\"");
        break;
      case sorte::lcd:
        l.push_back(c.nom + ": " + lcd::texte(*lcd(n), c));
        break;
      default:
        break;
    }
  }
  return l;
}

std::string platine::sur_broche(unsigned char broche) const {
  std::string noms;
  for (const composant_decrit& c : d_.composants) {
    bool ici = c.rs == broche || c.rw == broche || c.e == broche;
    for (unsigned char b : c.broches) ici |= b == broche;
    for (unsigned char b : c.autres) ici |= b == broche;
    if (ici) noms += (noms.empty() ? "« " : ", « ") + c.nom + " »";
  }
  return noms;
}
