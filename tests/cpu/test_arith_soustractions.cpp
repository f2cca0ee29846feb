// Subtractions and comparisons: SUBA, SUBB, SBCA, SBCB, SBA, SUBD, CMPA,
// CMPB, CBA, CPD, CPX, CPY in every addressing mode and page. Expected flags
// follow the MC68HC11 reference manual: V = A7.!M7.!R7 + !A7.M7.R7 (bit 15
// for the 16-bit forms), C = the unsigned borrow; H is never changed.
#include "tests/cpu/banc.h"

TEST(Soustractions, SubaSubbEveryMode) {
  execute_table_sxi({
      {"SUBA imm: 80-01 overflows", "80 01", "A=80",
       "A=7F CCR=00000010 PC=B602", 2},
      {"SUBA dir: 01-02 borrows", "90 20 / 0020=02", "A=01",
       "A=FF CCR=00001001 PC=B602", 3},
      {"SUBA ext: 00-80 overflows and borrows", "B0 12 34 / 1234=80", "A=00",
       "A=80 CCR=00001011 PC=B603", 4},
      {"SUBA indx: FF-80 no overflow, H kept", "A0 00 / 1000=80",
       "A=FF X=1000 CCR=00101111", "A=7F CCR=00100000 PC=B602", 4},
      {"SUBA indy: equal gives zero", "18 A0 01 / 2001=55", "A=55 Y=2000",
       "A=00 CCR=00000100 PC=B603", 5},
      {"SUBB imm: 00-80", "C0 80", "B=00", "B=80 CCR=00001011 PC=B602", 2},
      {"SUBB dir: 00-01", "D0 30 / 0030=01", "B=00",
       "B=FF CCR=00001001 PC=B602", 3},
      {"SUBB ext: 80-7F overflows", "F0 20 00 / 2000=7F", "B=80",
       "B=01 CCR=00000010 PC=B603", 4},
      {"SUBB indx", "E0 01 / 0001=10", "B=30", "B=20 PC=B602", 4},
      {"SUBB indy: 01-81 overflows and borrows", "18 E0 00 / 0040=81",
       "B=01 Y=0040", "B=80 CCR=00001011 PC=B603", 5},
  });
}

TEST(Soustractions, SbcaSbcbBorrowInTakesPartInEveryFlag) {
  execute_table_sxi({
      {"SBCA imm: 05-01-1", "82 01", "A=05 CCR=00000001",
       "A=03 CCR=00000000 PC=B602", 2},
      {"SBCA dir: 00-00-1 borrows", "92 20 / 0020=00", "A=00 CCR=00000001",
       "A=FF CCR=00001001 PC=B602", 3},
      {"SBCA ext: 80-7F-1 overflows to zero", "B2 40 00 / 4000=7F",
       "A=80 CCR=00000001", "A=00 CCR=00000110 PC=B603", 4},
      {"SBCA indx: FF-FF-1 borrows", "A2 00 / 1000=FF",
       "A=FF X=1000 CCR=00000001", "A=FF CCR=00001001 PC=B602", 4},
      {"SBCA indy: no borrow-in", "18 A2 00 / 1000=01", "A=01 Y=1000",
       "A=00 CCR=00000100 PC=B603", 5},
      {"SBCB imm: 7F-80 overflows", "C2 80", "B=7F",
       "B=FF CCR=00001011 PC=B602", 2},
      {"SBCB dir: 10-10-1 borrows", "D2 00 / 0000=10", "B=10 CCR=00000001",
       "B=FF CCR=00001001 PC=B602", 3},
      {"SBCB ext: 03-01-1", "F2 01 02 / 0102=01", "B=03 CCR=00000001",
       "B=01 CCR=00000000 PC=B603", 4},
      {"SBCB indx: 80-00-1 overflows", "E2 04 / 0004=00", "B=80 CCR=00000001",
       "B=7F CCR=00000010 PC=B602", 4},
      {"SBCB indy: unsigned offset", "18 E2 FF / 00FF=01", "B=01",
       "B=00 CCR=00000100 PC=B603", 5},
  });
}

TEST(Soustractions, Sba) {
  execute_table_sxi({
      {"SBA: 01-02 borrows", "10", "A=01 B=02", "A=FF CCR=00001001 PC=B601", 2},
      {"SBA: 00-80 overflows", "10", "A=00 B=80", "A=80 CCR=00001011 PC=B601",
       2},
      {"SBA: 80-01 overflows", "10", "A=80 B=01", "A=7F CCR=00000010 PC=B601",
       2},
      {"SBA: FF-80 no overflow", "10", "A=FF B=80 CCR=00001111",
       "A=7F CCR=00000000 PC=B601", 2},
  });
}

TEST(Soustractions, SubdEveryMode) {
  execute_table_sxi({
      {"SUBD imm: 0000-0001 borrows", "83 00 01", "D=0000",
       "D=FFFF CCR=00001001 PC=B603", 4},
      {"SUBD dir: 8000-0001 overflows", "93 20 / 0020=00 0021=01", "D=8000",
       "D=7FFF CCR=00000010 PC=B602", 5},
      {"SUBD ext: 0000-8000 overflows and borrows",
       "B3 12 34 / 1234=80 1235=00", "D=0000", "D=8000 CCR=00001011 PC=B603",
       6},
      {"SUBD indx: FFFF-8000 no overflow, H kept", "A3 00 / 1000=80 1001=00",
       "D=FFFF X=1000 CCR=00101111", "D=7FFF CCR=00100000 PC=B602", 6},
      {"SUBD indy: borrow from A", "18 A3 00 / 2000=00 2001=01",
       "D=0100 Y=2000", "D=00FF PC=B603", 7},
      {"SUBD: 1234-1234 is zero", "83 12 34", "D=1234 CCR=00001011",
       "D=0000 CCR=00000100 PC=B603", 4},
  });
}

TEST(Comparaisons, CmpaCmpbEveryModeLeaveTheAccumulator) {
  execute_table_sxi({
      {"CMPA imm: 00 vs 80 sets N, V, C", "81 80", "A=00",
       "CCR=00001011 PC=B602", 2},
      {"CMPA dir: equal", "91 20 / 0020=42", "A=42 CCR=00001011",
       "CCR=00000100 PC=B602", 3},
      {"CMPA ext: FF vs 80", "B1 12 34 / 1234=80", "A=FF CCR=00001111",
       "CCR=00000000 PC=B603", 4},
      {"CMPA indx: 7F vs FF", "A1 00 / 1000=FF", "A=7F X=1000",
       "CCR=00001011 PC=B602", 4},
      {"CMPA indy", "18 A1 00 / 2000=01", "A=10 Y=2000 CCR=00001111",
       "CCR=00000000 PC=B603", 5},
      {"CMPB imm: 80 vs 01 overflows", "C1 01", "B=80", "CCR=00000010 PC=B602",
       2},
      {"CMPB dir: 01 vs 02 borrows", "D1 20 / 0020=02", "B=01",
       "CCR=00001001 PC=B602", 3},
      {"CMPB ext: equal", "F1 12 34 / 1234=80", "B=80", "CCR=00000100 PC=B603",
       4},
      {"CMPB indx: 00 vs 80", "E1 00 / 1000=80", "B=00 X=1000",
       "CCR=00001011 PC=B602", 4},
      {"CMPB indy: H kept", "18 E1 05 / 2005=00", "B=00 Y=2000 CCR=00101011",
       "CCR=00100100 PC=B603", 5},
  });
}

TEST(Comparaisons, CbaCarryIsTheUnsignedBorrow) {
  execute_table_sxi({
      {"CBA: 01 vs FF borrows", "11", "A=01 B=FF", "CCR=00000001 PC=B601", 2},
      {"CBA: FF vs 01 no borrow", "11", "A=FF B=01", "CCR=00001000 PC=B601", 2},
      {"CBA: 00 vs 80", "11", "A=00 B=80", "CCR=00001011 PC=B601", 2},
      {"CBA: 80 vs 80 equal", "11", "A=80 B=80 CCR=00001011",
       "CCR=00000100 PC=B601", 2},
      {"CBA: 80 vs 7F overflows", "11", "A=80 B=7F", "CCR=00000010 PC=B601", 2},
  });
}

TEST(Comparaisons, CpdOnPages1AAndCD) {
  execute_table_sxi({
      {"CPD imm (1A 83): equal", "1A 83 12 34", "D=1234",
       "CCR=00000100 PC=B604", 5},
      {"CPD dir (1A 93): 0000 vs 8000", "1A 93 20 / 0020=80 0021=00", "D=0000",
       "CCR=00001011 PC=B603", 6},
      {"CPD ext (1A B3): 8000 vs 0001 overflows",
       "1A B3 40 00 / 4000=00 4001=01", "D=8000", "CCR=00000010 PC=B604", 7},
      {"CPD indx (1A A3): 0001 vs FFFF borrows", "1A A3 02 / 1002=FF 1003=FF",
       "D=0001 X=1000", "CCR=00000001 PC=B603", 7},
      {"CPD indy (CD A3): FFFF vs 8000", "CD A3 00 / 2000=80 2001=00",
       "D=FFFF Y=2000 CCR=00001111", "CCR=00000000 PC=B603", 7},
  });
}

TEST(Comparaisons, CpxOnPages0AndCD) {
  execute_table_sxi({
      {"CPX imm: equal", "8C 12 34", "X=1234", "CCR=00000100 PC=B603", 4},
      {"CPX dir: 0000 vs 0001 borrows", "9C 20 / 0020=00 0021=01", "X=0000",
       "CCR=00001001 PC=B602", 5},
      {"CPX ext: 0000 vs 8000", "BC 12 34 / 1234=80 1235=00", "X=0000",
       "CCR=00001011 PC=B603", 6},
      {"CPX indx: X against the word at X", "AC 00 / 1000=10 1001=00", "X=1000",
       "CCR=00000100 PC=B602", 6},
      {"CPX indy (CD AC): 8000 vs 7FFF overflows", "CD AC 00 / 2000=7F 2001=FF",
       "X=8000 Y=2000", "CCR=00000010 PC=B603", 7},
      {"CPX ext: operand word at FFFF wraps to cell 0000",
       "BC FF FF / FFFF=12 0000=34", "X=1234", "CCR=00000100 PC=B603", 6},
  });
}

TEST(Comparaisons, CpyOnPages18And1A) {
  execute_table_sxi({
      {"CPY imm (18 8C)", "18 8C 00 01", "Y=0002 CCR=00001111",
       "CCR=00000000 PC=B604", 5},
      {"CPY dir (18 9C): equal", "18 9C 20 / 0020=80 0021=00", "Y=8000",
       "CCR=00000100 PC=B603", 6},
      {"CPY ext (18 BC): 0000 vs 0001", "18 BC 12 34 / 1234=00 1235=01",
       "Y=0000", "CCR=00001001 PC=B604", 7},
      {"CPY indx (1A AC): 7FFF vs 8000", "1A AC 00 / 1000=80 1001=00",
       "X=1000 Y=7FFF", "CCR=00001011 PC=B603", 7},
      {"CPY indy (18 AC): equal", "18 AC 02 / 2002=20 2003=00", "Y=2000",
       "CCR=00000100 PC=B603", 7},
  });
}
