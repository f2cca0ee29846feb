// Test bench of the E9 model: a machine, a program written as bytes, pins
// scheduled at cycles, a run to a PC or for a number of steps, and the
// state checked afterwards (the texts of tests/cpu/banc.h).
#ifndef TAMRIX_TESTS_PUCE_BANC_PUCE_H
#define TAMRIX_TESTS_PUCE_BANC_PUCE_H

#include <gtest/gtest.h>

#include <memory>
#include <sstream>
#include <string>

#include "puce/machine.h"
#include "tests/cpu/banc.h"

struct CasPuce {
  const char* nom;
  const char* code;     // bytes at $b600, then "/ addr=byte" cells
  const char* avant;    // registers after reset
  const char* broches;  // "IRQ=0@100 XIRQ=1@250"
  const char* jusqu_a;  // "pc=c000" or "pas=3"
  const char* apres;    // registers and cells expected
  unsigned long long cycles;
};

inline unsigned char broche_nommee(const std::string& nom) {
  if (nom == "IRQ") return broche_irq;
  if (nom == "XIRQ") return broche_xirq;
  const int port = nom[1] - 'A', bit = nom[2] - '0';
  return static_cast<unsigned char>(port * 8 + bit);
}

// Builds the machine of a case and runs it; the machine is returned for
// further checks. `avant`, when given, acts on the machine just before the
// run (inputs from outside: a terminal's characters...). The code and cells
// are written as a programmer writes them (machine::ecrit_octet): EEPROM
// and ROM included.
inline std::unique_ptr<machine> execute_puce(
    const CasPuce& c, void (*avant)(machine&) = nullptr) {
  std::unique_ptr<machine> m(new machine(modele_machine::e9));
  banc::Etat cellules;
  const std::vector<uint8_t> code = banc::lit_code(c.code, cellules);
  uint16_t a = 0xB600;
  for (uint8_t o : code) m->ecrit_octet(a++, o);
  for (const auto& cell : cellules.cellules)
    m->ecrit_octet(cell.first, cell.second);
  for (const auto& r : banc::lit_etat(c.avant).registres)
    banc::ecrit_registre(m->cpu, r.first, r.second);
  std::istringstream broches(c.broches);
  std::string mot;
  while (broches >> mot) {
    const auto egal = mot.find('='), arobase = mot.find('@');
    m->planifie_broche({std::stoull(mot.substr(arobase + 1)),
                        broche_nommee(mot.substr(0, egal)),
                        static_cast<unsigned char>(mot[egal + 1] == '1')});
  }
  conditions_arret conditions;
  conditions.sur_illegal = conditions_arret::illegal::continue_;
  static unsigned char arrets[0x10000];
  std::fill(std::begin(arrets), std::end(arrets), 0);
  const std::string fin = c.jusqu_a;
  const unsigned long valeur =
      std::stoul(fin.substr(fin.find('=') + 1), nullptr,
                 fin[0] == 'p' && fin[1] == 'c' ? 16 : 10);
  if (fin.rfind("pc=", 0) == 0) {
    arrets[valeur] = 1;
    conditions.points_arret = arrets;
    conditions.max_pas = 100000;
  } else {
    conditions.max_pas = valeur;
  }
  if (avant) avant(*m);
  m->execute(conditions);
  return m;
}

inline void verifie_puce(const CasPuce& c, void (*avant)(machine&) = nullptr) {
  SCOPED_TRACE(c.nom);
  const std::unique_ptr<machine> m = execute_puce(c, avant);
  const banc::Etat attendu = banc::lit_etat(c.apres);
  const auto lus = banc::registres(m->cpu);
  for (const auto& r : attendu.registres) {
    if (r.first == "D") {
      EXPECT_EQ(banc::hex(r.second), banc::hex(m->cpu.D_value()));
      continue;
    }
    EXPECT_EQ(banc::hex(r.second), banc::hex(lus.at(r.first)))
        << "register " << r.first;
  }
  for (const auto& cell : attendu.cellules)
    EXPECT_EQ(banc::hex(cell.second),
              banc::hex(m->memoire.consulte(cell.first)))
        << "cell " << banc::hex(cell.first);
  EXPECT_EQ(c.cycles, m->cycles) << "cycles";
}

#endif
