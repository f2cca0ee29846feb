// Whole programs for the arithmetic family, assembled by the GNU assembler
// for the 68HC11 (tools/assemble.sh) so that the instruction bytes come from
// a peer and not from our opcode map, loaded from their S19 image and run
// until they reach their closing "bra ." loop. Each checks a result that is
// known independently of the simulator (decimal sums, a product, digits).
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "tests/cpu/banc.h"

namespace {

const std::string dossier =
    std::string(TAMRIX_BINARY_DIR) + "/arith_programmes";

// Writes `source` to <nom>.s, assembles and links it at 0xB600 and loads
// the S19 image; false (with a test failure) when any step fails.
bool assemble_et_charge(Banc& b, const std::string& nom,
                        const std::string& source) {
  std::filesystem::create_directories(dossier);
  const std::string s = dossier + "/" + nom + ".s";
  const std::string s19 = dossier + "/" + nom + ".s19";
  std::remove(s19.c_str());
  std::ofstream(s) << source;
  const std::string commande = "bash '" + std::string(TAMRIX_SOURCE_DIR) +
                               "/tools/assemble.sh' '" + s + "' '" + s19 + "'";
  if (std::system(commande.c_str()) != 0) {
    ADD_FAILURE() << "assembling failed: " << commande;
    return false;
  }
  if (b.mem.load_s19(s19.c_str()) != 1) {
    ADD_FAILURE() << "loading failed: " << s19;
    return false;
  }
  return true;
}

// Steps until an instruction leaves PC where it was (the closing "bra .").
// Returns the number of instructions executed before that loop, or -1.
int execute_jusqu_a_la_fin(Banc& b, int limite = 100000) {
  for (int n = 0; n < limite; ++n) {
    const unsigned short avant = b.cpu.PC;
    b.cpu.step();
    if (b.cpu.PC == avant) return n;
  }
  return -1;
}

unsigned octet(Banc& b, unsigned adresse) {
  return b.mem.read_byte(static_cast<unsigned short>(adresse));
}

}  // namespace

TEST(ProgrammesArithmetiques, AdditionDecimaleSurQuatreOctets) {
  // 12345678 + 87654329 = 1 00000007, two BCD digits per byte, with
  // ADCA and DAA; the final carry is kept at 0x3F.
  Banc b;
  ASSERT_TRUE(assemble_et_charge(b, "bcd", R"(
        .text
        .globl _start
_start: ldd   #0x1234
        std   *0x40
        ldd   #0x5678
        std   *0x42
        ldd   #0x8765
        std   *0x44
        ldd   #0x4329
        std   *0x46
        ldx   #0x43
        ldy   #0x47
        ldab  #4
        clc
boucle: ldaa  0,x
        adca  0,y
        daa
        staa  0,x
        dex
        dey
        decb
        bne   boucle
        ldaa  #0
        adca  #0
        staa  *0x3f
fin:    bra   fin
)"));
  ASSERT_GT(execute_jusqu_a_la_fin(b), 0);
  EXPECT_EQ(0x01u, octet(b, 0x3F));
  EXPECT_EQ(0x00u, octet(b, 0x40));
  EXPECT_EQ(0x00u, octet(b, 0x41));
  EXPECT_EQ(0x00u, octet(b, 0x42));
  EXPECT_EQ(0x07u, octet(b, 0x43));
}

TEST(ProgrammesArithmetiques, Produit16x16Par4Mul) {
  // 0xBEEF x 0xCAFE = 0x97660722 from four 8x8 products added with ADDD
  // and ADCA.
  Banc b;
  ASSERT_TRUE(assemble_et_charge(b, "produit", R"(
        .text
        .globl _start
_start: ldd   #0xBEEF
        std   *0x50
        ldd   #0xCAFE
        std   *0x52
        ldaa  *0x51
        ldab  *0x53
        mul
        std   *0x56
        ldaa  *0x50
        ldab  *0x52
        mul
        std   *0x54
        ldaa  *0x51
        ldab  *0x52
        mul
        addd  *0x55
        std   *0x55
        ldaa  *0x54
        adca  #0
        staa  *0x54
        ldaa  *0x50
        ldab  *0x53
        mul
        addd  *0x55
        std   *0x55
        ldaa  *0x54
        adca  #0
        staa  *0x54
fin:    bra   fin
)"));
  ASSERT_GT(execute_jusqu_a_la_fin(b), 0);
  EXPECT_EQ(0x97u, octet(b, 0x54));
  EXPECT_EQ(0x66u, octet(b, 0x55));
  EXPECT_EQ(0x07u, octet(b, 0x56));
  EXPECT_EQ(0x22u, octet(b, 0x57));
}

TEST(ProgrammesArithmetiques, ChiffresDecimauxParIdiv) {
  // 48879 (0xBEEF) written as ASCII digits at 0x61..0x65 by repeated IDIV
  // by 10.
  Banc b;
  ASSERT_TRUE(assemble_et_charge(b, "chiffres", R"(
        .text
        .globl _start
_start: ldd   #0xBEEF
        ldy   #0x65
boucle: ldx   #10
        idiv
        orab  #0x30
        stab  0,y
        xgdx
        dey
        cpy   #0x60
        bne   boucle
fin:    bra   fin
)"));
  ASSERT_GT(execute_jusqu_a_la_fin(b), 0);
  std::string texte;
  for (unsigned a = 0x61; a <= 0x65; ++a)
    texte += static_cast<char>(octet(b, a));
  EXPECT_EQ("48879", texte);
  EXPECT_EQ(0u, b.cpu.D_value()) << "the last quotient is 0";
}

TEST(ProgrammesArithmetiques, FractionUnSeptiemeParFdiv) {
  // 1/7 = 0x0.249249249... : three FDIVs, each on the previous remainder.
  Banc b;
  ASSERT_TRUE(assemble_et_charge(b, "septieme", R"(
        .text
        .globl _start
_start: ldd   #1
        ldy   #0x70
boucle: ldx   #7
        fdiv
        stx   0,y
        iny
        iny
        cpy   #0x76
        bne   boucle
fin:    bra   fin
)"));
  ASSERT_GT(execute_jusqu_a_la_fin(b), 0);
  const unsigned attendus[] = {0x24, 0x92, 0x49, 0x24, 0x92, 0x49};
  for (unsigned i = 0; i < 6; ++i)
    EXPECT_EQ(attendus[i], octet(b, 0x70 + i)) << "byte " << i;
  EXPECT_EQ(1u, b.cpu.D_value()) << "remainder of 4 * 65536 / 7";
}

TEST(ProgrammesArithmetiques, MaximumEtMinimumSignesParCmpa) {
  // Signed extremes of a table with CMPA and the signed branches: comparing
  // 0x7F with 0x80 needs the overflow of a 0x80 subtrahend.
  Banc b;
  ASSERT_TRUE(assemble_et_charge(b, "extremes", R"(
        .text
        .globl _start
_start: ldx   #table
        ldaa  0,x
        staa  *0x80
        staa  *0x81
        ldab  #6
suivant:
        inx
        decb
        beq   fin
        ldaa  0,x
        cmpa  *0x80
        blt   pas_max
        staa  *0x80
pas_max:
        cmpa  *0x81
        bge   suivant
        staa  *0x81
        bra   suivant
fin:    bra   fin
table:  .byte 0x05, 0x80, 0x7F, 0xFF, 0x81, 0x00
)"));
  ASSERT_GT(execute_jusqu_a_la_fin(b), 0);
  EXPECT_EQ(0x7Fu, octet(b, 0x80)) << "maximum";
  EXPECT_EQ(0x80u, octet(b, 0x81)) << "minimum";
}
