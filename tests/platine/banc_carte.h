// Test bench of the board: a machine of the E9 model with a board read from
// a text or a preset, writes to its ports as a program makes them, time
// passing, and programs assembled by the GNU tools.
#ifndef TAMRIX_TESTS_PLATINE_BANC_CARTE_H
#define TAMRIX_TESTS_PLATINE_BANC_CARTE_H

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <memory>
#include <string>

#include "memory/programme.h"
#include "platine/platine.h"
#include "puce/lancement.h"
#include "puce/machine.h"

struct banc_carte {
  machine m{modele_machine::e9};
  std::unique_ptr<platine> carte;

  // `source`: a preset's name, or the text of a board file.
  explicit banc_carte(const std::string& source) {
    description_carte d;
    std::string erreur;
    const bool lu = source.find('[') == std::string::npos
                        ? charge_carte(source, d, erreur)
                        : lit_description(source, "banc.toml", d, erreur);
    EXPECT_TRUE(lu) << erreur;
    carte.reset(new platine(d));
    EXPECT_TRUE(carte->attache(m));
    m.reset();
  }
  ~banc_carte() { carte.reset(); }

  // A byte written by the CPU into the register block, now.
  void ecrit(unsigned short adresse, unsigned char valeur) {
    m.ecrit_octet(adresse, valeur);
  }
  // A CPU access outside the block (the bus), now.
  void ecrit_bus(unsigned short adresse, unsigned char valeur) {
    puce::hors_instruction hors(*m.systeme());
    m.memoire.write_byte(adresse, valeur);
  }
  unsigned char lit(unsigned short adresse) {
    puce::hors_instruction hors(*m.systeme());
    return m.memoire.read_byte(adresse);
  }
  // Time passing with nothing else happening.
  void attend(uint64_t cycles) { m.cycles += cycles; }
  // A run of the program in memory for `cycles` more cycles.
  arret_machine execute(uint64_t cycles) {
    conditions_arret c;
    c.max_cycles = m.cycles + cycles;
    return m.execute(c);
  }
  // Assembles and loads `source` (GNU syntax, _start), then resets.
  void charge(const std::string& nom, const std::string& source) {
    const std::string chemin =
        std::string(TAMRIX_BINARY_DIR) + "/platine_" + nom + ".s";
    std::ofstream(chemin) << source;
    const programme_ouvert p = ouvre_programme(chemin, m.memoire);
    ASSERT_TRUE(p.reussi) << (p.messages.empty() ? "" : p.messages.back());
    reset_programme(m, p.entree);
  }
  // The board's display lines, pins held.
  std::string ligne(std::size_t i) { return carte->lignes(true).at(i); }
};

#endif
