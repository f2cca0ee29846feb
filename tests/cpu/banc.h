// Test bench for the CPU: a memory image and a CPU wired together, and a
// runner for table-driven single-step cases written as short texts.
//
// A case gives the instruction bytes (placed at PC, 0xB600 unless the
// initial state sets PC), the registers and memory cells that differ from
// the default state, the expected changes after one step() and the cycles:
//
//   {"ADDA imm: 7F+01 overflows", "8B 01", "A=7F", "A=80 CCR=2A PC=B602", 2},
//   {"STAA dir", "97 20 / 0020=00", "A=55", "PC=B602 CCR=00 / 0020=55", 3},
//
// Register keys: A B D X Y SP PC CCR, values in hex; CCR may also be written
// as eight binary digits in SXHINZVC order (CCR=00101010). A "/" in the code
// or state texts starts memory cells, "addr=byte" in hex. Registers and
// cells that the expected text does not name must keep their initial values,
// so a stray write is caught. The default state: every register 0 except
// SP = 00FF and PC = B600, every memory cell FF.
#ifndef TAMRIX_TESTS_BANC_H
#define TAMRIX_TESTS_BANC_H

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "cpu/interpreteur.h"
#include "memory/mem_64k.h"

struct Banc {
  mem_64k mem;
  interpreteur cpu;
  Banc() {
    cpu.learn_mem(&mem);
    cpu.A = cpu.B = 0;
    cpu.X = cpu.Y = 0;
    cpu.SP = 0x00FF;
    cpu.CCR = 0;
    cpu.PC = 0xB600;
  }
  // Writes bytes from `adresse` on, wrapping at 0xFFFF.
  void pose(uint16_t adresse, const std::vector<uint8_t>& octets) {
    for (uint8_t o : octets) mem.write_byte(adresse++, o);
  }
};

struct CasPas {
  const char* nom;
  const char* code;     // "8B 01" or "8B 01 / 0020=00"
  const char* avant;    // "A=7F CCR=01 / 1005=81"
  const char* apres;    // "A=80 PC=B602 / 1005=02"
  int cycles;
};

namespace banc {

struct Etat {
  std::map<std::string, unsigned> registres;
  std::map<uint16_t, uint8_t> cellules;
};

inline unsigned valeur_registre(const std::string& cle, const std::string& v) {
  if (cle == "CCR" && v.size() == 8 &&
      v.find_first_not_of("01") == std::string::npos)
    return static_cast<unsigned>(std::strtoul(v.c_str(), nullptr, 2));
  return static_cast<unsigned>(std::strtoul(v.c_str(), nullptr, 16));
}

inline Etat lit_etat(const std::string& texte) {
  Etat e;
  std::istringstream mots(texte);
  std::string mot;
  bool memoire = false;
  while (mots >> mot) {
    if (mot == "/") {
      memoire = true;
      continue;
    }
    const auto egal = mot.find('=');
    if (egal == std::string::npos) {
      ADD_FAILURE() << "bad state word '" << mot << "' in '" << texte << "'";
      continue;
    }
    const std::string cle = mot.substr(0, egal), v = mot.substr(egal + 1);
    if (memoire)
      e.cellules[static_cast<uint16_t>(std::strtoul(cle.c_str(), nullptr, 16))] =
          static_cast<uint8_t>(std::strtoul(v.c_str(), nullptr, 16));
    else
      e.registres[cle] = valeur_registre(cle, v);
  }
  return e;
}

// "8B 01 / 0020=00": the bytes, then optional memory cells.
inline std::vector<uint8_t> lit_code(const std::string& texte, Etat& cellules) {
  std::vector<uint8_t> octets;
  const auto barre = texte.find('/');
  std::istringstream mots(texte.substr(0, barre));
  std::string mot;
  while (mots >> mot)
    octets.push_back(static_cast<uint8_t>(std::strtoul(mot.c_str(), nullptr, 16)));
  if (barre != std::string::npos) {
    Etat e = lit_etat("/ " + texte.substr(barre + 1));
    cellules.cellules.insert(e.cellules.begin(), e.cellules.end());
  }
  return octets;
}

inline void ecrit_registre(interpreteur& cpu, const std::string& cle, unsigned v) {
  if (cle == "A") cpu.A = static_cast<uint8_t>(v);
  else if (cle == "B") cpu.B = static_cast<uint8_t>(v);
  else if (cle == "D") cpu.set_D_value(static_cast<uint16_t>(v));
  else if (cle == "X") cpu.X = static_cast<uint16_t>(v);
  else if (cle == "Y") cpu.Y = static_cast<uint16_t>(v);
  else if (cle == "SP") cpu.SP = static_cast<uint16_t>(v);
  else if (cle == "PC") cpu.PC = static_cast<uint16_t>(v);
  else if (cle == "CCR") cpu.CCR = static_cast<uint8_t>(v);
  else ADD_FAILURE() << "unknown register " << cle;
}

inline std::map<std::string, unsigned> registres(const interpreteur& cpu) {
  return {{"A", cpu.A},   {"B", cpu.B},   {"X", cpu.X},    {"Y", cpu.Y},
          {"SP", cpu.SP}, {"PC", cpu.PC}, {"CCR", cpu.CCR}};
}

inline std::string hex(unsigned v) {
  std::ostringstream o;
  o << std::hex << std::uppercase << v;
  return o.str();
}

}  // namespace banc

// Runs one case: one step(), then cycles, registers and memory are checked.
inline void execute_cas(const CasPas& cas) {
  SCOPED_TRACE(cas.nom);
  Banc b;
  banc::Etat avant = banc::lit_etat(cas.avant);
  banc::Etat cellules;
  const std::vector<uint8_t> code = banc::lit_code(cas.code, cellules);
  for (const auto& r : avant.registres) banc::ecrit_registre(b.cpu, r.first, r.second);
  b.pose(b.cpu.PC, code);
  for (const auto& c : cellules.cellules) b.mem.write_byte(c.first, c.second);
  for (const auto& c : avant.cellules) b.mem.write_byte(c.first, c.second);

  std::map<std::string, unsigned> attendus = banc::registres(b.cpu);
  mem_64k memoire_avant = b.mem;
  banc::Etat apres = banc::lit_etat(cas.apres);
  for (const auto& r : apres.registres) {
    if (r.first == "D") {
      attendus["A"] = (r.second >> 8) & 0xFF;
      attendus["B"] = r.second & 0xFF;
    } else {
      attendus[r.first] = r.second;
    }
  }

  EXPECT_EQ(cas.cycles, b.cpu.step()) << "cycles";
  for (const auto& r : banc::registres(b.cpu))
    EXPECT_EQ(banc::hex(attendus[r.first]), banc::hex(r.second)) << "register " << r.first;
  for (unsigned a = 0; a < 0x10000; ++a) {
    const auto it = apres.cellules.find(static_cast<uint16_t>(a));
    const unsigned attendu = it != apres.cellules.end()
                                 ? it->second
                                 : memoire_avant.read_byte(static_cast<uint16_t>(a));
    const unsigned lu = b.mem.read_byte(static_cast<uint16_t>(a));
    if (attendu != lu)
      ADD_FAILURE() << "memory at " << banc::hex(a) << ": expected "
                    << banc::hex(attendu) << ", got " << banc::hex(lu);
  }
}

inline void execute_table(const std::vector<CasPas>& table) {
  for (const CasPas& cas : table) execute_cas(cas);
}

namespace banc {

// The register words of a state text with CCR replaced by `ccr`; the
// memory cells after "/" are kept as they are.
inline std::string avec_ccr(const std::string& texte, unsigned ccr) {
  const auto barre = texte.find('/');
  std::string registres = texte.substr(0, barre);
  registres += " CCR=" + hex(ccr) + " ";
  return barre == std::string::npos ? registres
                                    : registres + texte.substr(barre);
}

}  // namespace banc

// Runs the case as written, then again with S, X and I set beforehand: an
// instruction that must leave those three bits alone keeps them set and
// changes the other bits exactly as in the first run.
inline void execute_cas_sxi(const CasPas& cas) {
  execute_cas(cas);
  constexpr unsigned sxi = CCR_S | CCR_X | CCR_I;
  const banc::Etat avant = banc::lit_etat(cas.avant);
  const banc::Etat apres = banc::lit_etat(cas.apres);
  const auto ccr_avant = avant.registres.find("CCR");
  const unsigned initial =
      ccr_avant == avant.registres.end() ? 0 : ccr_avant->second;
  const auto ccr_apres = apres.registres.find("CCR");
  const unsigned final_ =
      ccr_apres == apres.registres.end() ? initial : ccr_apres->second;
  const std::string nom = std::string(cas.nom) + " (S X I set)";
  const std::string texte_avant = banc::avec_ccr(cas.avant, initial | sxi);
  const std::string texte_apres = banc::avec_ccr(cas.apres, final_ | sxi);
  execute_cas({nom.c_str(), cas.code, texte_avant.c_str(), texte_apres.c_str(),
               cas.cycles});
}

inline void execute_table_sxi(const std::vector<CasPas>& table) {
  for (const CasPas& cas : table) execute_cas_sxi(cas);
}

#endif
