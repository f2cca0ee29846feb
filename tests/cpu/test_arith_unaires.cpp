// One-operand instructions (INC, DEC, NEG, COM, CLR, TST on A, B and memory)
// and logic (AND, ORA, EOR, BIT on A and B) in every addressing mode. The
// memory forms write their result back to the operand cell and nowhere else.
#include "tests/cpu/banc.h"

TEST(Unaires, IncKeepsCarry) {
  execute_table_sxi({
      {"INC ext: 7F becomes 80, V and N", "7C 12 34 / 1234=7F", "CCR=00000001",
       "CCR=00001011 PC=B603 / 1234=80", 6},
      {"INC indx: FF wraps to 00", "6C 05 / 1005=FF", "X=1000",
       "CCR=00000100 PC=B602 / 1005=00", 6},
      {"INC indy: flags cleared", "18 6C 00 / 2000=10", "Y=2000 CCR=00001110",
       "CCR=00000000 PC=B603 / 2000=11", 7},
      {"INCA: 7F overflows", "4C", "A=7F", "A=80 CCR=00001010 PC=B601", 2},
      {"INCB: FF gives zero, C kept", "5C", "B=FF CCR=00000011",
       "B=00 CCR=00000101 PC=B601", 2},
  });
}

TEST(Unaires, DecKeepsCarry) {
  execute_table_sxi({
      {"DEC ext: 80 becomes 7F, V", "7A 40 00 / 4000=80", "CCR=00001001",
       "CCR=00000011 PC=B603 / 4000=7F", 6},
      {"DEC indx: 01 to 00", "6A 00 / 1000=01", "X=1000",
       "CCR=00000100 PC=B602 / 1000=00", 6},
      {"DEC indy: 00 to FF without carry", "18 6A 01 / 2001=00", "Y=2000",
       "CCR=00001000 PC=B603 / 2001=FF", 7},
      {"DECA: 80 overflows", "4A", "A=80", "A=7F CCR=00000010 PC=B601", 2},
      {"DECB: 00 to FF, C kept", "5A", "B=00 CCR=00000001",
       "B=FF CCR=00001001 PC=B601", 2},
  });
}

TEST(Unaires, NegOverflowsOnlyOn80AndCarriesUnlessZero) {
  execute_table_sxi({
      {"NEGA: 80 stays 80 with V and C", "40", "A=80",
       "A=80 CCR=00001011 PC=B601", 2},
      {"NEGA: 00 gives Z, no carry", "40", "A=00 CCR=00001011",
       "A=00 CCR=00000100 PC=B601", 2},
      {"NEGB: 01 gives FF", "50", "B=01", "B=FF CCR=00001001 PC=B601", 2},
      {"NEGB: FF gives 01", "50", "B=FF", "B=01 CCR=00000001 PC=B601", 2},
      {"NEGB: 7F gives 81 without overflow", "50", "B=7F CCR=00000010",
       "B=81 CCR=00001001 PC=B601", 2},
      {"NEG ext: 7F gives 81", "70 12 34 / 1234=7F", "",
       "CCR=00001001 PC=B603 / 1234=81", 6},
      {"NEG indx: 80", "60 00 / 1000=80", "X=1000", "CCR=00001011 PC=B602", 6},
      {"NEG indy: 00", "18 60 00 / 2000=00", "Y=2000 CCR=00001011",
       "CCR=00000100 PC=B603", 7},
  });
}

TEST(Unaires, ComSetsCarryClearsOverflow) {
  execute_table_sxi({
      {"COMA", "43", "A=55 CCR=00000110", "A=AA CCR=00001001 PC=B601", 2},
      {"COMB: FF gives 00", "53", "B=FF", "B=00 CCR=00000101 PC=B601", 2},
      {"COM ext", "73 12 34 / 1234=0F", "", "CCR=00001001 PC=B603 / 1234=F0",
       6},
      {"COM indx", "63 01 / 1001=80", "X=1000 CCR=00000010",
       "CCR=00000001 PC=B602 / 1001=7F", 6},
      {"COM indy", "18 63 00 / 2000=00", "Y=2000",
       "CCR=00001001 PC=B603 / 2000=FF", 7},
  });
}

TEST(Unaires, ClrSetsZeroOnly) {
  execute_table_sxi({
      {"CLRA: H kept", "4F", "A=AA CCR=00101011", "A=00 CCR=00100100 PC=B601",
       2},
      {"CLRB", "5F", "B=01", "B=00 CCR=00000100 PC=B601", 2},
      {"CLR ext", "7F 12 34 / 1234=AA", "CCR=00001011",
       "CCR=00000100 PC=B603 / 1234=00", 6},
      {"CLR indx", "6F 00 / 1000=01", "X=1000",
       "CCR=00000100 PC=B602 / 1000=00", 6},
      {"CLR indy", "18 6F FF / 20FF=80", "Y=2000",
       "CCR=00000100 PC=B603 / 20FF=00", 7},
  });
}

TEST(Unaires, TstReadsOnly) {
  execute_table_sxi({
      {"TSTA: 80", "4D", "A=80 CCR=00000011", "CCR=00001000 PC=B601", 2},
      {"TSTB: 00", "5D", "B=00 CCR=00001011", "CCR=00000100 PC=B601", 2},
      {"TST ext: 01", "7D 12 34 / 1234=01", "CCR=00001111",
       "CCR=00000000 PC=B603", 6},
      {"TST indx: FF", "6D 00 / 1000=FF", "X=1000", "CCR=00001000 PC=B602", 6},
      {"TST indy: 00", "18 6D 00 / 2000=00", "Y=2000 CCR=00000011",
       "CCR=00000100 PC=B603", 7},
  });
}

TEST(Logique, AndClearsOverflowKeepsCarry) {
  execute_table_sxi({
      {"ANDA imm", "84 0F", "A=F3 CCR=00001011", "A=03 CCR=00000001 PC=B602",
       2},
      {"ANDA dir: zero", "94 20 / 0020=F0", "A=0F", "A=00 CCR=00000100 PC=B602",
       3},
      {"ANDA ext: negative", "B4 12 34 / 1234=80", "A=C0",
       "A=80 CCR=00001000 PC=B603", 4},
      {"ANDA indx", "A4 00 / 1000=AA", "A=FF X=1000 CCR=00000010",
       "A=AA CCR=00001000 PC=B602", 4},
      {"ANDA indy", "18 A4 00 / 2000=01", "A=01 Y=2000 CCR=00000100",
       "A=01 CCR=00000000 PC=B603", 5},
      {"ANDB imm", "C4 F0", "B=3C", "B=30 PC=B602", 2},
      {"ANDB dir: zero, C kept", "D4 20 / 0020=00", "B=FF CCR=00000011",
       "B=00 CCR=00000101 PC=B602", 3},
      {"ANDB ext", "F4 12 34 / 1234=81", "B=FF", "B=81 CCR=00001000 PC=B603",
       4},
      {"ANDB indx", "E4 00 / 1000=0F", "B=F0 X=1000",
       "B=00 CCR=00000100 PC=B602", 4},
      {"ANDB indy", "18 E4 00 / 2000=7F", "B=FF Y=2000 CCR=00001010",
       "B=7F CCR=00000000 PC=B603", 5},
  });
}

TEST(Logique, OraClearsOverflowKeepsCarry) {
  execute_table_sxi({
      {"ORAA imm", "8A 80", "A=01 CCR=00000010", "A=81 CCR=00001000 PC=B602",
       2},
      {"ORAA dir: zero", "9A 20 / 0020=00", "A=00", "A=00 CCR=00000100 PC=B602",
       3},
      {"ORAA ext: C kept", "BA 12 34 / 1234=0F", "A=F0 CCR=00000001",
       "A=FF CCR=00001001 PC=B603", 4},
      {"ORAA indx", "AA 00 / 1000=10", "A=01 X=1000 CCR=00001100",
       "A=11 CCR=00000000 PC=B602", 4},
      {"ORAA indy", "18 AA 00 / 2000=40", "A=40 Y=2000", "A=40 PC=B603", 5},
      {"ORAB imm", "CA 01", "B=FE", "B=FF CCR=00001000 PC=B602", 2},
      {"ORAB dir: zero", "DA 20 / 0020=00", "B=00 CCR=00000010",
       "CCR=00000100 PC=B602", 3},
      {"ORAB ext", "FA 12 34 / 1234=22", "B=11", "B=33 PC=B603", 4},
      {"ORAB indx", "EA 00 / 1000=80", "B=00 X=1000",
       "B=80 CCR=00001000 PC=B602", 4},
      {"ORAB indy: C kept", "18 EA 00 / 2000=07", "B=70 Y=2000 CCR=00000101",
       "B=77 CCR=00000001 PC=B603", 5},
  });
}

TEST(Logique, EorClearsOverflowKeepsCarry) {
  execute_table_sxi({
      {"EORA imm", "88 FF", "A=0F", "A=F0 CCR=00001000 PC=B602", 2},
      {"EORA dir: zero", "98 20 / 0020=5A", "A=5A CCR=00000010",
       "A=00 CCR=00000100 PC=B602", 3},
      {"EORA ext: C kept", "B8 12 34 / 1234=80", "A=80 CCR=00001001",
       "A=00 CCR=00000101 PC=B603", 4},
      {"EORA indx", "A8 00 / 1000=01", "A=81 X=1000",
       "A=80 CCR=00001000 PC=B602", 4},
      {"EORA indy", "18 A8 00 / 2000=33", "A=0F Y=2000", "A=3C PC=B603", 5},
      {"EORB imm: zero", "C8 01", "B=01 CCR=00001010",
       "B=00 CCR=00000100 PC=B602", 2},
      {"EORB dir", "D8 20 / 0020=FF", "B=00", "B=FF CCR=00001000 PC=B602", 3},
      {"EORB ext", "F8 12 34 / 1234=AA", "B=55", "B=FF CCR=00001000 PC=B603",
       4},
      {"EORB indx: C kept", "E8 00 / 1000=F0", "B=FF X=1000 CCR=00001001",
       "B=0F CCR=00000001 PC=B602", 4},
      {"EORB indy", "18 E8 00 / 2000=80", "B=00 Y=2000",
       "B=80 CCR=00001000 PC=B603", 5},
  });
}

TEST(Logique, BitLeavesTheAccumulator) {
  execute_table_sxi({
      {"BITA imm", "85 80", "A=80", "CCR=00001000 PC=B602", 2},
      {"BITA dir: zero, C kept", "95 20 / 0020=0F", "A=F0 CCR=00000011",
       "CCR=00000101 PC=B602", 3},
      {"BITA ext", "B5 12 34 / 1234=01", "A=03 CCR=00001100",
       "CCR=00000000 PC=B603", 4},
      {"BITA indx", "A5 00 / 1000=FF", "A=81 X=1000", "CCR=00001000 PC=B602",
       4},
      {"BITA indy: zero", "18 A5 00 / 2000=00", "A=FF Y=2000",
       "CCR=00000100 PC=B603", 5},
      {"BITB imm: zero", "C5 01", "B=FE", "CCR=00000100 PC=B602", 2},
      {"BITB dir", "D5 20 / 0020=C0", "B=80 CCR=00000010",
       "CCR=00001000 PC=B602", 3},
      {"BITB ext", "F5 12 34 / 1234=0F", "B=0F", "PC=B603", 4},
      {"BITB indx: zero", "E5 00 / 1000=55", "B=AA X=1000",
       "CCR=00000100 PC=B602", 4},
      {"BITB indy: C kept", "18 E5 00 / 2000=40", "B=40 Y=2000 CCR=00000111",
       "CCR=00000001 PC=B603", 5},
  });
}
