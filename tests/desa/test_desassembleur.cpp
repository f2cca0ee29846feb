// The disassembler: texts, instruction lengths (against GNU objdump) and
// the backward step.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <map>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "cpu/interpreteur.h"
#include "memory/mem_64k.h"

namespace {

struct Desa {
  mem_64k mem;
  interpreteur cpu;
  Desa() { cpu.learn_mem(&mem); }
  void pose(unsigned short adresse, const std::vector<unsigned char>& octets) {
    for (unsigned char o : octets) mem.write_byte(adresse++, o);
  }
};

struct cas_texte {
  std::vector<unsigned char> octets;
  const char* texte;
  unsigned longueur;
};

class textes : public testing::TestWithParam<cas_texte> {};

TEST_P(textes, une_ligne_par_instruction) {
  const cas_texte& cas = GetParam();
  for (unsigned short a : {0xB600, 0x0000, 0x7FFF}) {
    Desa d;
    d.pose(a, cas.octets);
    char texte[64];
    EXPECT_EQ(d.cpu.desa_ins(a, texte),
              static_cast<unsigned short>(a + cas.longueur));
    EXPECT_STREQ(texte, cas.texte);
    EXPECT_EQ(d.cpu.desa_num(a), static_cast<unsigned short>(a + cas.longueur));
  }
}

INSTANTIATE_TEST_SUITE_P(
    desa, textes,
    testing::Values(
        cas_texte{{0x01}, "NOP  ", 1}, cas_texte{{0x86, 0x12}, "LDAA #$12", 2},
        cas_texte{{0x86, 0x05}, "LDAA #$5", 2},
        cas_texte{{0xCC, 0x00, 0x12}, "LDD  #$12", 3},
        cas_texte{{0xCE, 0xB6, 0x00}, "LDX  #$b600", 3},
        cas_texte{{0x96, 0x0A}, "LDAA $0a", 2},
        cas_texte{{0xB6, 0x10, 0x00}, "LDAA $1000", 3},
        cas_texte{{0xB6, 0x00, 0xFF}, "LDAA $00ff", 3},
        cas_texte{{0xA6, 0x05}, "LDAA $5,X", 2},
        cas_texte{{0x18, 0xA6, 0x05}, "LDAA $5,Y", 3},
        cas_texte{{0x20, 0xFE}, "BRA  $fe", 2},
        cas_texte{{0x14, 0x20, 0x81}, "BSET $20$81", 3},
        cas_texte{{0x12, 0x20, 0x03, 0x10}, "BRSET$20$3$10", 4},
        cas_texte{{0x1E, 0x05, 0x03, 0x10}, "BRSET$5,X$3$10", 4},
        cas_texte{{0x1E, 0xFF, 0xFF, 0xFF}, "BRSET$ff,X$ff$ff", 4},
        cas_texte{{0x18, 0x1F, 0xFF, 0xFF, 0xFF}, "BRCLR$ff,Y$ff$ff", 5},
        cas_texte{{0x18, 0x1C, 0x05, 0x81}, "BSET $5,Y$81", 4},
        cas_texte{{0x00}, "?????", 1}, cas_texte{{0x41}, "?????", 1},
        cas_texte{{0x18, 0x18}, "?????", 2},
        cas_texte{{0x1A, 0x01}, "?????", 2},
        cas_texte{{0xCD, 0x86}, "?????", 2}, cas_texte{{0xCF}, "STOP ", 1},
        cas_texte{{0x3F}, "SWI  ", 1}, cas_texte{{0x3E}, "WAI  ", 1},
        // page 18
        cas_texte{{0x18, 0xCE, 0x12, 0x34}, "LDY  #$1234", 4},
        cas_texte{{0x18, 0x08}, "INY  ", 2},
        // page 1A: immediate, direct, indexed X, extended
        cas_texte{{0x1A, 0x83, 0x00, 0x00}, "CPD  #$0", 4},
        cas_texte{{0x1A, 0x93, 0x07}, "CPD  $07", 3},
        cas_texte{{0x1A, 0xEE, 0x10}, "LDY  $10,X", 3},
        cas_texte{{0x1A, 0xB3, 0xC0, 0x00}, "CPD  $c000", 4},
        // page CD: indexed Y
        cas_texte{{0xCD, 0xEE, 0x00}, "LDX  $0,Y", 3},
        cas_texte{{0xCD, 0xAC, 0x80}, "CPX  $80,Y", 3}));

TEST(desa, operandes_au_sommet_de_la_memoire) {
  Desa d;
  char texte[64];
  // LDAA extended at 0xFFFE: its address bytes are 0xFFFF and 0x0000.
  d.pose(0xFFFE, {0xB6, 0x12});
  d.mem.write_byte(0x0000, 0x34);
  EXPECT_EQ(d.cpu.desa_ins(0xFFFE, texte), 0x0001);
  EXPECT_STREQ(texte, "LDAA $1234");
  // LDX immediate at 0xFFFE reads its word the same way.
  d.mem.write_byte(0xFFFE, 0xCE);
  EXPECT_EQ(d.cpu.desa_ins(0xFFFE, texte), 0x0001);
  EXPECT_STREQ(texte, "LDX  #$1234");
  // A prebyte at 0xFFFF takes its opcode from 0x0000.
  d.pose(0xFFFF, {0x18, 0x08});
  EXPECT_EQ(d.cpu.desa_ins(0xFFFF, texte), 0x0001);
  EXPECT_STREQ(texte, "INY  ");
}

// desa_ins and desa_num agree, and the text fits in 16 characters and a
// NUL, for every first byte and every byte after each prebyte, with random
// operand bytes.
TEST(desa, desa_ins_et_desa_num_d_accord_partout) {
  std::mt19937 hasard(1234);
  Desa d;
  for (unsigned page : {0x00u, 0x18u, 0x1Au, 0xCDu}) {
    for (unsigned code = 0; code < 256; ++code) {
      for (int essai = 0; essai < 8; ++essai) {
        const unsigned short a = static_cast<unsigned short>(hasard());
        std::vector<unsigned char> octets;
        if (page != 0) octets.push_back(static_cast<unsigned char>(page));
        octets.push_back(static_cast<unsigned char>(code));
        for (int i = 0; i < 4; ++i)
          octets.push_back(static_cast<unsigned char>(hasard()));
        d.pose(a, octets);
        char texte[64];
        std::memset(texte, '#', sizeof texte);
        const unsigned short suivante = d.cpu.desa_ins(a, texte);
        EXPECT_EQ(suivante, d.cpu.desa_num(a)) << page << " " << code;
        EXPECT_LE(std::strlen(texte), 16u) << texte;
        EXPECT_EQ(texte[17], '#');
        const unsigned longueur = static_cast<unsigned short>(suivante - a);
        // A prebyte as first byte of page 0 opens the page of the random
        // byte after it.
        const bool prebyte =
            octets[0] == 0x18 || octets[0] == 0x1A || octets[0] == 0xCD;
        EXPECT_GE(longueur, prebyte ? 2u : 1u);
        EXPECT_LE(longueur, prebyte ? 5u : 4u);
        if (std::strcmp(texte, "?????") == 0) {
          EXPECT_EQ(longueur, prebyte ? 2u : 1u);
        }
      }
    }
  }
}

// What GNU objdump makes of each opcode: its length, and whether it is an
// instruction at all (".byte" when it is not).
struct vu_par_objdump {
  unsigned longueur = 0;
  bool instruction = false;
};

constexpr unsigned pas = 8;  // each opcode starts its own 8-byte slot

// Lays every opcode of a page out in slots padded with NOP and reads
// objdump's listing of the file back, slot by slot.
std::map<unsigned, vu_par_objdump> objdump_de_page(unsigned page) {
  std::string image;
  for (unsigned code = 0; code < 256; ++code) {
    std::string emplacement(pas, '\x01');
    if (page != 0) emplacement[0] = static_cast<char>(page);
    emplacement[page != 0 ? 1 : 0] = static_cast<char>(code);
    image += emplacement;
  }
  const std::string base =
      std::string(TAMRIX_BINARY_DIR) + "/desa_page_" + std::to_string(page);
  std::ofstream(base + ".bin", std::ios::binary) << image;
  const std::string commande = "m68hc11-objdump -D -b binary -m m68hc11 '" +
                               base + ".bin' > '" + base + ".txt'";
  EXPECT_EQ(std::system(commande.c_str()), 0) << commande;
  std::map<unsigned, vu_par_objdump> vus;
  std::ifstream listing(base + ".txt");
  std::string ligne;
  while (std::getline(listing, ligne)) {
    unsigned decalage = 0;
    char deux_points = 0;
    std::istringstream champs(ligne);
    if (!(champs >> std::hex >> decalage >> deux_points) || deux_points != ':')
      continue;
    const std::size_t tab1 = ligne.find('\t');
    const std::size_t tab2 = ligne.find('\t', tab1 + 1);
    std::istringstream octets(ligne.substr(tab1 + 1, tab2 - tab1 - 1));
    unsigned nb_octets = 0;
    std::string octet;
    while (octets >> octet) ++nb_octets;
    // objdump shows at most four bytes a line: the rest of a longer
    // instruction follows on a line of its own, without a mnemonic.
    if (tab2 == std::string::npos) {
      vus[decalage / pas].longueur += nb_octets;
      continue;
    }
    if (decalage % pas != 0) continue;
    vu_par_objdump& vu = vus[decalage / pas];
    vu.longueur = nb_octets;
    vu.instruction = ligne.find(".byte", tab2) == std::string::npos;
  }
  return vus;
}

TEST(desa, longueurs_comme_objdump) {
  for (unsigned page : {0x00u, 0x18u, 0x1Au, 0xCDu}) {
    const std::map<unsigned, vu_par_objdump> vus = objdump_de_page(page);
    ASSERT_EQ(vus.size(), 256u) << "page " << page;
    for (unsigned code = 0; code < 256; ++code) {
      if (page == 0 && (code == 0x18 || code == 0x1A || code == 0xCD))
        continue;  // prebytes: their pages are checked on their own
      Desa d;
      const unsigned short a = 0xB600;
      std::vector<unsigned char> octets(pas, 0x01);
      if (page != 0) octets[0] = static_cast<unsigned char>(page);
      octets[page != 0 ? 1 : 0] = static_cast<unsigned char>(code);
      d.pose(a, octets);
      char texte[64];
      const unsigned longueur =
          static_cast<unsigned short>(d.cpu.desa_ins(a, texte) - a);
      const vu_par_objdump& vu = vus.at(code);
      EXPECT_EQ(longueur, vu.longueur) << "page " << page << " code " << code;
      // objdump knows 0x00 as the 68HC12's BGND; the 68HC11 has no such
      // instruction.
      if (page == 0 && code == 0x00) continue;
      EXPECT_EQ(std::strcmp(texte, "?????") != 0, vu.instruction)
          << "page " << page << " code " << code << " " << texte;
    }
  }
}

// A program laid out from 0xB600: LDAA #$12 (2), NOP (1), LDX #$1000 (3),
// BRSET $20 #$3 $10 (4), 18 LDY #$1234 (4), 1A CPD $5,X (3), RTS (1).
const std::vector<unsigned char> programme = {
    0x86, 0x12, 0x01, 0xCE, 0x10, 0x00, 0x12, 0x20, 0x03,
    0x10, 0x18, 0xCE, 0x12, 0x34, 0x1A, 0xA3, 0x05, 0x39};
const std::vector<unsigned short> debuts = {0xB600, 0xB602, 0xB603, 0xB606,
                                            0xB60A, 0xB60E, 0xB611, 0xB612};

TEST(desa_num_pre, suit_le_programme_depuis_b600) {
  Desa d;
  d.pose(0xB600, programme);
  for (std::size_t i = 1; i < debuts.size(); ++i)
    EXPECT_EQ(d.cpu.desa_num_pre(debuts[i]), debuts[i - 1]) << debuts[i];
}

TEST(desa_num_pre, exemples_courts) {
  Desa d;
  d.pose(0xB600, {0x86, 0x12, 0x01});
  EXPECT_EQ(d.cpu.desa_num_pre(0xB603), 0xB602);
  EXPECT_EQ(d.cpu.desa_num_pre(0xB602), 0xB600);
  // 0xB601 lies inside LDAA #$12: the walk steps over it and the probe
  // finds the 0xFF at 0xB5FE, a three-byte STX that ends there.
  EXPECT_EQ(d.cpu.desa_num_pre(0xB601), 0xB5FE);
}

TEST(desa_num_pre, sous_b600_par_sondage) {
  Desa d;  // every cell 0xFF: STX extended, three bytes
  EXPECT_EQ(d.cpu.desa_num_pre(0xB600), 0xB5FD);
  d.pose(0x4000, {0x01, 0x01, 0x86, 0x12, 0xB6, 0x10, 0x00});
  EXPECT_EQ(d.cpu.desa_num_pre(0x4001), 0x4000);
  EXPECT_EQ(d.cpu.desa_num_pre(0x4002), 0x4001);
  EXPECT_EQ(d.cpu.desa_num_pre(0x4004), 0x4002);
  // Nearest first: the one-byte row 0x00 at 0x4006 also ends at 0x4007.
  EXPECT_EQ(d.cpu.desa_num_pre(0x4007), 0x4006);
  // Nothing ends at 0x3000 among 0x2FFC..0x2FFF: the answer is 5 below.
  d.pose(0x2FFC, {0x01, 0x01, 0x01, 0xB6});
  EXPECT_EQ(d.cpu.desa_num_pre(0x3000), 0x2FFB);
}

TEST(desa_num_pre, bas_de_la_memoire_sans_passer_sous_zero) {
  Desa d;
  for (unsigned short a = 0; a < 8; ++a) d.mem.write_byte(a, 0xB6);
  // Nothing starts at 0..t-1 and ends at t: the answer is 0x0000, never an
  // address wrapped to the top of memory.
  for (unsigned short t = 0; t < 3; ++t)
    EXPECT_EQ(d.cpu.desa_num_pre(t), 0x0000) << t;
  EXPECT_EQ(d.cpu.desa_num_pre(3), 0x0000);  // B6 at 0 ends at 3
  EXPECT_EQ(d.cpu.desa_num_pre(4), 0x0001);
  d.pose(0x0000, {0x01, 0x01});
  EXPECT_EQ(d.cpu.desa_num_pre(1), 0x0000);
  EXPECT_EQ(d.cpu.desa_num_pre(2), 0x0001);
}

TEST(desa_num_pre, haut_de_la_memoire_sans_boucler) {
  Desa d;
  // Every cell 0xFF: three-byte steps from 0xB600 land on 0xFFFE; the next
  // step would wrap to 0x0001, so the walk stops and the probe answers.
  EXPECT_EQ(d.cpu.desa_num_pre(0xFFFE), 0xFFFB);
  EXPECT_EQ(d.cpu.desa_num_pre(0xFFFF), 0xFFFC);
  // NOPs from 0xB600 to the top: the walk lands on each target.
  for (unsigned a = 0xB600; a < 0x10000; ++a)
    d.mem.write_byte(static_cast<unsigned short>(a), 0x01);
  EXPECT_EQ(d.cpu.desa_num_pre(0xFFFF), 0xFFFE);
  EXPECT_EQ(d.cpu.desa_num_pre(0xB601), 0xB600);
  // An extended LDAA at 0xFFFE wraps and nothing else ends at 0xFFFF.
  d.pose(0xFFFE, {0xB6, 0x00});
  EXPECT_EQ(d.cpu.desa_num_pre(0xFFFF), 0xFFFA);
}

}  // namespace
