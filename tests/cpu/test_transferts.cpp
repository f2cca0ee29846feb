// Loads, stores, transfers, 16-bit increments and decrements and the CCR bit
// instructions, one step each, in every addressing mode of every row.
// Default state: registers 0 but SP = 00FF and PC = B600, memory FF.
// CCR bits: H 20, I 10, N 08, Z 04, V 02, C 01.
#include <vector>

#include "banc.h"

namespace {

TEST(Transferts, Chargements8Bits) {
  execute_table_sxi({
      // LDAA: N, Z from A, V cleared, H I C untouched.
      {"LDAA imm 00", "86 00", "A=55 CCR=33", "A=00 CCR=35 PC=B602", 2},
      {"LDAA imm 80", "86 80", "CCR=06", "A=80 CCR=08 PC=B602", 2},
      {"LDAA dir", "96 20 / 0020=7F", "CCR=0E", "A=7F CCR=00 PC=B602", 3},
      {"LDAA dir FF", "96 FF / 00FF=01", "", "A=01 PC=B602", 3},
      {"LDAA ext", "B6 12 34 / 1234=01", "CCR=04", "A=01 CCR=00 PC=B603", 4},
      {"LDAA ind,x", "A6 05 / 1005=81", "X=1000", "A=81 CCR=08 PC=B602", 4},
      {"LDAA ind,y", "18 A6 FF / 10FF=42", "Y=1000", "A=42 PC=B603", 5},
      // LDAB
      {"LDAB imm", "C6 00", "B=12 CCR=01", "B=00 CCR=05 PC=B602", 2},
      {"LDAB dir", "D6 30 / 0030=FE", "", "B=FE CCR=08 PC=B602", 3},
      {"LDAB ext", "F6 C0 00 / C000=3C", "CCR=02", "B=3C CCR=00 PC=B603", 4},
      {"LDAB ind,x", "E6 00 / 2000=00", "X=2000", "B=00 CCR=04 PC=B602", 4},
      {"LDAB ind,y", "18 E6 10 / 2010=99", "Y=2000", "B=99 CCR=08 PC=B603", 5},
  });
}

TEST(Transferts, Chargements16Bits) {
  execute_table_sxi({
      {"LDD imm", "CC 12 34", "CCR=0F", "D=1234 CCR=01 PC=B603", 3},
      {"LDD dir", "DC 40 / 0040=80 0041=00", "", "D=8000 CCR=08 PC=B602", 4},
      {"LDD ext", "FC 20 00 / 2000=00 2001=00", "D=FFFF",
       "D=0000 CCR=04 PC=B603", 5},
      {"LDD ind,x", "EC 01 / 3001=AB 3002=CD", "X=3000",
       "D=ABCD CCR=08 PC=B602", 5},
      {"LDD ind,y", "18 EC 02 / 3002=01 3003=02", "Y=3000", "D=0102 PC=B603",
       6},
      {"LDS imm", "8E 01 FF", "", "SP=01FF PC=B603", 3},
      {"LDS dir", "9E 50 / 0050=00 0051=00", "CCR=2B", "SP=0000 CCR=25 PC=B602",
       4},
      {"LDS ext", "BE 40 00 / 4000=C0 4001=00", "", "SP=C000 CCR=08 PC=B603",
       5},
      {"LDS ind,x", "AE 10 / 0110=12 0111=34", "X=0100", "SP=1234 PC=B602", 5},
      {"LDS ind,y", "18 AE 10 / 0110=00 0111=7F", "Y=0100", "SP=007F PC=B603",
       6},
      {"LDX imm 0000", "CE 00 00", "X=1111 CCR=0A", "X=0000 CCR=04 PC=B603", 3},
      {"LDX dir", "DE 60 / 0060=87 0061=65", "", "X=8765 CCR=08 PC=B602", 4},
      {"LDX ext", "FE 50 00 / 5000=10 5001=00", "", "X=1000 PC=B603", 5},
      {"LDX ind,x (old X)", "EE 02 / 1002=20 1003=00", "X=1000",
       "X=2000 PC=B602", 5},
      {"LDX ind,y (page CD)", "CD EE 04 / 1004=43 1005=21", "Y=1000",
       "X=4321 PC=B603", 6},
      {"LDY imm (page 18)", "18 CE 00 00", "Y=1 CCR=09",
       "Y=0000 CCR=05 PC=B604", 4},
      {"LDY dir (page 18)", "18 DE 70 / 0070=F0 0071=0F", "",
       "Y=F00F CCR=08 PC=B603", 5},
      {"LDY ext (page 18)", "18 FE 60 00 / 6000=01 6001=23", "",
       "Y=0123 PC=B604", 6},
      {"LDY ind,x (page 1A)", "1A EE 06 / 2006=55 2007=AA", "X=2000",
       "Y=55AA PC=B603", 6},
      {"LDY ind,y (page 18, old Y)", "18 EE 00 / 2000=00 2001=10", "Y=2000",
       "Y=0010 PC=B603", 6},
  });
}

TEST(Transferts, Rangements) {
  execute_table_sxi({
      // Stores: N, Z from the register, V cleared; C untouched.
      {"STAA dir", "97 20 / 0020=00", "A=80 CCR=07", "CCR=09 PC=B602 / 0020=80",
       3},
      {"STAA ext, port register", "B7 10 04", "A=5A", "PC=B603 / 1004=5A", 4},
      {"STAA ind,x", "A7 03", "A=00 X=1000", "CCR=04 PC=B602 / 1003=00", 4},
      {"STAA ind,y", "18 A7 03", "A=11 Y=1000", "PC=B603 / 1003=11", 5},
      {"STAB dir", "D7 21", "B=00 CCR=0A", "CCR=04 PC=B602 / 0021=00", 3},
      {"STAB ext", "F7 20 00", "B=C3", "CCR=08 PC=B603 / 2000=C3", 4},
      {"STAB ind,x", "E7 FF", "B=01 X=1000", "PC=B602 / 10FF=01", 4},
      {"STAB ind,y", "18 E7 00", "B=02 Y=1000", "PC=B603 / 1000=02", 5},
      {"STD dir", "DD 40", "D=1234", "PC=B602 / 0040=12 0041=34", 4},
      {"STD ext", "FD 20 00", "D=0000 CCR=21",
       "CCR=25 PC=B603 / 2000=00 2001=00", 5},
      {"STD ind,x", "ED 10", "D=8001 X=1000",
       "CCR=08 PC=B602 / 1010=80 1011=01", 5},
      {"STD ind,y", "18 ED 10", "D=0102 Y=1000", "PC=B603 / 1010=01 1011=02",
       6},
      {"STS dir", "9F 50", "SP=01FF", "PC=B602 / 0050=01 0051=FF", 4},
      {"STS ext", "BF 30 00", "SP=8000", "CCR=08 PC=B603 / 3000=80 3001=00", 5},
      {"STS ind,x", "AF 00", "SP=0000 X=3000",
       "CCR=04 PC=B602 / 3000=00 3001=00", 5},
      {"STS ind,y", "18 AF 02", "SP=ABCD Y=3000",
       "CCR=08 PC=B603 / 3002=AB 3003=CD", 6},
      {"STX dir", "DF 60", "X=1234 CCR=02", "CCR=00 PC=B602 / 0060=12 0061=34",
       4},
      {"STX ext", "FF 40 00", "X=FFFF", "CCR=08 PC=B603 / 4000=FF 4001=FF", 5},
      {"STX ind,x", "EF 00", "X=4000", "PC=B602 / 4000=40 4001=00", 5},
      {"STX ind,y (page CD)", "CD EF 01", "X=0000 Y=4000",
       "CCR=04 PC=B603 / 4001=00 4002=00", 6},
      {"STY dir (page 18)", "18 DF 70", "Y=0707", "PC=B603 / 0070=07 0071=07",
       5},
      {"STY ext (page 18)", "18 FF 50 00", "Y=9000",
       "CCR=08 PC=B604 / 5000=90 5001=00", 6},
      {"STY ind,x (page 1A)", "1A EF 08", "X=5000 Y=1357",
       "PC=B603 / 5008=13 5009=57", 6},
      {"STY ind,y (page 18)", "18 EF 00", "Y=5000", "PC=B603 / 5000=50 5001=00",
       6},
  });
}

// Operands, addresses and words at the top of memory wrap to 0x0000.
TEST(Transferts, BouclageEnHautDeMemoire) {
  execute_table_sxi({
      {"LDAA ext, operand at FFFE", "B6 20 00 / 2000=5A", "PC=FFFD",
       "A=5A PC=0000", 4},
      {"LDAA ext, operand at FFFF-0000", "B6 12 34 / 1234=66", "PC=FFFE",
       "A=66 PC=0001", 4},
      {"LDX imm, operand at FFFF-0000", "CE 12 34", "PC=FFFE", "X=1234 PC=0001",
       3},
      {"LDAA ind,x: FFFF + 02", "A6 02 / 0001=77", "X=FFFF", "A=77 PC=B602", 4},
      {"LDAA ind,y: FF80 + 90", "18 A6 90 / 0010=08", "Y=FF80", "A=08 PC=B603",
       5},
      {"LDD ext FFFF", "FC FF FF / FFFF=12 0000=34", "", "D=1234 PC=B603", 5},
      {"LDD ext FFFF, zero", "FC FF FF / FFFF=00 0000=00", "D=1111",
       "D=0000 CCR=04 PC=B603", 5},
      {"LDX ext FFFF", "FE FF FF / FFFF=AB 0000=CD", "",
       "X=ABCD CCR=08 PC=B603", 5},
      {"STD ext FFFF", "FD FF FF", "D=8001", "CCR=08 PC=B603 / FFFF=80 0000=01",
       5},
      {"STD ind,x FFFF", "ED 00", "D=0203 X=FFFF", "PC=B602 / FFFF=02 0000=03",
       5},
      {"STX ext FFFF", "FF FF FF", "X=1234", "PC=B603 / FFFF=12 0000=34", 5},
      {"STS ind,x FFFF", "AF FF", "SP=0000 X=FF00",
       "CCR=04 PC=B602 / FFFF=00 0000=00", 5},
      {"STY ext FFFF", "18 FF FF FF", "Y=C001",
       "CCR=08 PC=B604 / FFFF=C0 0000=01", 6},
  });
}

TEST(Transferts, EntreRegistres) {
  execute_table_sxi({
      {"TAB zero", "16", "A=00 B=55 CCR=0B", "B=00 CCR=05 PC=B601", 2},
      {"TAB keeps H I C", "16", "A=80 CCR=31", "B=80 CCR=39 PC=B601", 2},
      {"TBA", "17", "A=01 B=80 CCR=06", "A=80 CCR=08 PC=B601", 2},
      // The stack pointer addresses the next free byte.
      {"TSX", "30", "SP=01FF CCR=0F", "X=0200 PC=B601", 3},
      {"TSX wraps", "30", "SP=FFFF", "X=0000 PC=B601", 3},
      {"TSY", "18 30", "SP=00FF", "Y=0100 PC=B602", 4},
      {"TXS", "35", "X=0200 CCR=04", "SP=01FF PC=B601", 3},
      {"TXS wraps", "35", "X=0000", "SP=FFFF PC=B601", 3},
      {"TYS", "18 35", "Y=0100", "SP=00FF PC=B602", 4},
      {"XGDX", "8F", "A=12 B=34 X=ABCD CCR=0F", "D=ABCD X=1234 PC=B601", 3},
      {"XGDY", "18 8F", "D=0001 Y=FF00", "D=FF00 Y=0001 PC=B602", 4},
  });
}

// TPA and TAP move the whole CCR; the X bit can be cleared, never set.
TEST(Transferts, TransfertsDuCCR) {
  execute_table({
      {"TPA", "07", "A=00 CCR=D0", "A=D0 PC=B601", 2},
      {"TAP X clear, A=FF", "06", "A=FF CCR=00", "CCR=BF PC=B601", 2},
      {"TAP X set, A=00", "06", "A=00 CCR=40", "CCR=00 PC=B601", 2},
      {"TAP X set, A=FF", "06", "A=FF CCR=40", "CCR=FF PC=B601", 2},
      {"TAP X clear, A=40", "06", "A=40 CCR=00", "CCR=00 PC=B601", 2},
      {"TAP S and I from A", "06", "A=95 CCR=6A", "CCR=95 PC=B601", 2},
  });
}

TEST(Transferts, IncrementsEtDecrements16Bits) {
  execute_table_sxi({
      {"INS", "31", "SP=00FF CCR=04", "SP=0100 PC=B601", 3},
      {"INS wraps", "31", "SP=FFFF", "SP=0000 PC=B601", 3},
      {"DES wraps", "34", "SP=0000", "SP=FFFF PC=B601", 3},
      {"INX wraps, N V C kept", "08", "X=FFFF CCR=0B", "X=0000 CCR=0F PC=B601",
       3},
      {"INX clears Z", "08", "X=0010 CCR=04", "X=0011 CCR=00 PC=B601", 3},
      {"DEX to zero", "09", "X=0001 CCR=01", "X=0000 CCR=05 PC=B601", 3},
      {"DEX wraps", "09", "X=0000 CCR=0C", "X=FFFF CCR=08 PC=B601", 3},
      {"INY", "18 08", "Y=FFFF CCR=02", "Y=0000 CCR=06 PC=B602", 4},
      {"DEY", "18 09", "Y=0100 CCR=04", "Y=00FF CCR=00 PC=B602", 4},
  });
}

TEST(Transferts, BitsDuCCR) {
  execute_table({
      {"CLC", "0C", "CCR=FF", "CCR=FE PC=B601", 2},
      {"SEC", "0D", "CCR=00", "CCR=01 PC=B601", 2},
      {"CLV", "0A", "CCR=FF", "CCR=FD PC=B601", 2},
      {"SEV", "0B", "CCR=00", "CCR=02 PC=B601", 2},
      {"CLI", "0E", "CCR=FF", "CCR=EF PC=B601", 2},
      {"SEI", "0F", "CCR=00", "CCR=10 PC=B601", 2},
      {"NOP", "01", "A=12 B=34 X=5678 Y=9ABC CCR=FF", "PC=B601", 2},
  });
}

// A whole program assembled by the GNU assembler, run to its self-loop.
TEST(Transferts, ProgrammeAssembleJusquALaFin) {
  Banc b;
  ASSERT_EQ(1, b.mem.load_s19(TAMRIX_SOURCE_DIR
                              "/tests/cpu/transferts_programme.s19"));
  int pas = 0;
  for (unsigned short avant = 0; avant != b.cpu.PC && pas < 500; ++pas) {
    avant = b.cpu.PC;
    b.cpu.step();
  }
  ASSERT_LT(pas, 500) << "no self-loop reached";
  EXPECT_EQ(0xB63A, b.cpu.PC);
  EXPECT_EQ(0xABCD, b.cpu.D_value());
  EXPECT_EQ(0xFFFF, b.cpu.X);
  EXPECT_EQ(0x0300, b.cpu.Y);
  EXPECT_EQ(0x02FF, b.cpu.SP);
  EXPECT_EQ(0x09, b.cpu.CCR);
  for (int i = 0; i < 8; ++i) EXPECT_EQ(i + 1, b.mem.read_byte(0x0100 + i));
  const std::vector<uint8_t> page_zero = {0xB6, 0x44, 0x12, 0x34, 0x02,
                                          0x00, 0x02, 0xFF, 0x00, 0x07};
  for (size_t i = 0; i < page_zero.size(); ++i)
    EXPECT_EQ(page_zero[i], b.mem.read_byte(0x0020 + i)) << "cell " << 0x20 + i;
  EXPECT_EQ(0xAB, b.mem.read_byte(0xFFFF));
  EXPECT_EQ(0xCD, b.mem.read_byte(0x0000));
}

}  // namespace
