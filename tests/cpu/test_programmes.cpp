// Whole programs assembled with the GNU assembler (tests/programmes/*.s,
// images *.s19 beside them): each is loaded with the S19 loader, run until it
// reaches its final self-loop (bra *), and its final registers, every memory
// cell and the total cycle count are checked.
//
// The expected values were worked out by hand from the algorithm of each
// program and the data book's cycle counts, as noted per case: setup cycles
// + turns x cycles per turn (+ cycles of the taken paths) + closing cycles.
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "banc.h"

namespace {

struct CasProgramme {
  const char* nom;    // file name in tests/programmes, without ".s19"
  const char* avant;  // registers and cells set after loading
  const char* apres;  // registers and cells changed at the end
  long cycles;        // total of the step() results up to the self-loop
};

constexpr int pas_max = 100000;

std::string image(const char* nom) {
  return std::string(TAMRIX_SOURCE_DIR) + "/tests/programmes/" + nom + ".s19";
}

bool sur_boucle_finale(const Banc& b) {
  return b.mem.read_byte(b.cpu.PC) == 0x20 &&
         b.mem.read_byte(static_cast<uint16_t>(b.cpu.PC + 1)) == 0xFE;
}

// Steps until the self-loop; the cycle total, or -1 past pas_max steps.
long execute_jusqu_a_la_fin(Banc& b) {
  long cycles = 0;
  for (int pas = 0; pas < pas_max; ++pas) {
    if (sur_boucle_finale(b)) return cycles;
    cycles += b.cpu.step();
  }
  return -1;
}

void verifie_memoire(const mem_64k& avant, const mem_64k& apres,
                     const banc::Etat& attendu) {
  for (unsigned a = 0; a < 0x10000; ++a) {
    const uint16_t adresse = static_cast<uint16_t>(a);
    const auto it = attendu.cellules.find(adresse);
    const unsigned voulu =
        it != attendu.cellules.end() ? it->second : avant.read_byte(adresse);
    if (voulu != apres.read_byte(adresse))
      ADD_FAILURE() << "memory at " << banc::hex(a) << ": expected "
                    << banc::hex(voulu) << ", got "
                    << banc::hex(apres.read_byte(adresse));
  }
}

void execute_programme(const CasProgramme& cas) {
  SCOPED_TRACE(cas.nom);
  Banc b;
  ASSERT_EQ(1, b.mem.load_s19(image(cas.nom).c_str()));
  const banc::Etat avant = banc::lit_etat(cas.avant);
  for (const auto& r : avant.registres)
    banc::ecrit_registre(b.cpu, r.first, r.second);
  for (const auto& c : avant.cellules) b.mem.write_byte(c.first, c.second);
  const mem_64k memoire_avant = b.mem;
  std::map<std::string, unsigned> attendus = banc::registres(b.cpu);
  const banc::Etat apres = banc::lit_etat(cas.apres);
  for (const auto& r : apres.registres) attendus[r.first] = r.second;

  EXPECT_EQ(cas.cycles, execute_jusqu_a_la_fin(b)) << "cycles";
  for (const auto& r : banc::registres(b.cpu))
    EXPECT_EQ(banc::hex(attendus[r.first]), banc::hex(r.second))
        << "register " << r.first;
  verifie_memoire(memoire_avant, b.mem, apres);
}

}  // namespace

TEST(Programmes, CalculsComplets) {
  const std::vector<CasProgramme> table = {
      // 0xBEEF x 0x1234 = 0x0D93968C. 21 + 16 x 30 + 5 ones x 6 + 4.
      {"multiplication", "",
       "A=0D B=93 X=0000 CCR=00 PC=B625 / 0000=BE 0001=EF 0004=0D 0005=93 "
       "0006=96 0007=8C",
       535},
      // Signed ascending sort; 10 inversions, so 10 swaps. The last swap
      // (F0 over 80, in the fourth pass) left F0 in the stack cell 00FF.
      // 8 + 5 passes x 14 + 25 compares x 19 + 10 swaps x 19.
      {"tri", "",
       "A=12 B=00 X=B607 CCR=05 PC=B628 / B602=80 B603=F0 B604=07 B605=12 "
       "B606=12 B607=35 0010=00 00FF=F0",
       743},
      // 12345678 + 87659945 = 1 00005623. 10 + 4 x 22 + 7.
      {"bcd", "",
       "A=01 B=00 X=B601 CCR=00 PC=B624 / B60A=00 B60B=00 B60C=56 B60D=23 "
       "0020=01",
       105},
      // 5! = 120. 14 + 4 levels x 41 + 12 for 1!. The stack keeps each
      // level's n and return address (B616 inside fact, B607 in the main).
      {"factorielle", "",
       "A=00 B=78 X=01FD SP=01FF CCR=00 PC=B609 / 0030=78 01FE=B6 01FF=07 "
       "01FD=05 01FB=B6 01FC=16 01FA=04 01F8=B6 01F9=16 01F7=03 01F5=B6 "
       "01F6=16 01F4=02 01F2=B6 01F3=16",
       190},
      // Port E B4 reversed is 2D; C 0F -> FF -> FC; D gets 01 (bit 7 of
      // port B is 0) and 20 but not 02 (bit 6 is 0); A 55 -> 50 since E has
      // bits 7 and 2. 15 + 8 x 13 + 7 x 6 + 4 + 8 x 2.
      {"ports", "/ 1000=55 1003=0F 1008=00 100A=B4",
       "A=00 B=00 X=1000 Y=1000 CCR=00 PC=B636 / 1000=50 1003=FC 1004=2D "
       "1008=21",
       181},
      // Sum 034D, exclusive OR AB, two's complement FCB3.
      // 23 + 8 x 40 + 16.
      {"somme_controle", "",
       "A=FC B=B3 Y=B60A CCR=08 PC=B637 / 0040=03 0041=4D 0042=AB 0043=00 "
       "0044=FC 0045=B3",
       359},
  };
  for (const CasProgramme& cas : table) execute_programme(cas);
}
