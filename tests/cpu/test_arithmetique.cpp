// Additions: ADDA, ADDB, ADCA, ADCB, ABA, ADDD, ABX, ABY in every addressing
// mode. Expected flags follow the MC68HC11 reference manual's boolean
// formulas (H = carry out of bit 3, V = two's-complement overflow,
// C = carry out of bit 7 or 15); CCR is written SXHINZVC.
#include "tests/cpu/banc.h"

TEST(Additions, AddaEveryMode) {
  execute_table_sxi({
      {"ADDA imm: 7F+01 overflows, half carry", "8B 01", "A=7F",
       "A=80 CCR=00101010 PC=B602", 2},
      {"ADDA dir: 80+80 carry, zero, overflow", "9B 20 / 0020=80", "A=80",
       "A=00 CCR=00000111 PC=B602", 3},
      {"ADDA ext: FF+01 carry and half carry, no overflow",
       "BB 12 34 / 1234=01", "A=FF", "A=00 CCR=00100101 PC=B603", 4},
      {"ADDA indx: unsigned offset, flags cleared", "AB FF / 10FF=05",
       "A=10 X=1000 CCR=00101111", "A=15 CCR=00000000 PC=B602", 4},
      {"ADDA indx: X+offset wraps to 0001", "AB 02 / 0001=01", "A=01 X=FFFF",
       "A=02 PC=B602", 4},
      {"ADDA indy: F0+F0 negative with carry", "18 AB 02 / 2002=F0",
       "A=F0 Y=2000", "A=E0 CCR=00001001 PC=B603", 5},
  });
}

TEST(Additions, AddbEveryMode) {
  execute_table_sxi({
      {"ADDB imm: 40+40 overflows", "CB 40", "B=40",
       "B=80 CCR=00001010 PC=B602", 2},
      {"ADDB dir: 01+0F half carry", "DB 10 / 0010=0F", "B=01",
       "B=10 CCR=00100000 PC=B602", 3},
      {"ADDB ext: 81+81 negative overflow with carry", "FB 80 00 / 8000=81",
       "B=81", "B=02 CCR=00000011 PC=B603", 4},
      {"ADDB indx", "EB 00 / 0300=01", "B=FE X=0300",
       "B=FF CCR=00001000 PC=B602", 4},
      {"ADDB indy: 80+80, N cleared", "18 EB 01 / 0301=80",
       "B=80 Y=0300 CCR=00001000", "B=00 CCR=00000111 PC=B603", 5},
  });
}

TEST(Additions, AdcaCarryInTakesPartInEveryFlag) {
  execute_table_sxi({
      {"ADCA imm: 00+0F+1 half carry from the carry-in", "89 0F",
       "A=00 CCR=00000001", "A=10 CCR=00100000 PC=B602", 2},
      {"ADCA dir: 7F+00+1 overflows", "99 20 / 0020=00", "A=7F CCR=00000001",
       "A=80 CCR=00101010 PC=B602", 3},
      {"ADCA ext: 01+7F+1 overflows (V of the full sum)", "B9 40 00 / 4000=7F",
       "A=01 CCR=00000001", "A=81 CCR=00101010 PC=B603", 4},
      {"ADCA indx: FF+FF+1 carry, H, no overflow", "A9 05 / 1005=FF",
       "A=FF X=1000 CCR=00000001", "A=FF CCR=00101001 PC=B602", 4},
      {"ADCA indy: no carry-in", "18 A9 00 / 2000=01", "A=01 Y=2000",
       "A=02 PC=B603", 5},
  });
}

TEST(Additions, AdcbCarryInTakesPartInEveryFlag) {
  execute_table_sxi({
      {"ADCB imm: 80+7F+1 gives 0 with carry and H, no overflow", "C9 7F",
       "B=80 CCR=00000001", "B=00 CCR=00100101 PC=B602", 2},
      {"ADCB dir: 0E+01+1 half carry", "D9 FF / 00FF=01", "B=0E CCR=00000001",
       "B=10 CCR=00100000 PC=B602", 3},
      {"ADCB ext: no carry-in", "F9 01 00 / 0100=10", "B=20", "B=30 PC=B603",
       4},
      {"ADCB indx: 7F+01+1 overflows", "E9 10 / 0010=01", "B=7F CCR=00000001",
       "B=81 CCR=00101010 PC=B602", 4},
      {"ADCB indy: FF+00+1 wraps to 0", "18 E9 00 / 0000=00",
       "B=FF CCR=00000001", "B=00 CCR=00100101 PC=B603", 5},
  });
}

TEST(Additions, Aba) {
  execute_table_sxi({
      {"ABA: 80+80 carry, zero, overflow", "1B", "A=80 B=80",
       "A=00 CCR=00000111 PC=B601", 2},
      {"ABA: 09+08 half carry", "1B", "A=09 B=08", "A=11 CCR=00100000 PC=B601",
       2},
      {"ABA: B is left alone, flags cleared", "1B", "A=10 B=01 CCR=00101111",
       "A=11 CCR=00000000 PC=B601", 2},
  });
}

TEST(Additions, AdddEveryModeAndWrap) {
  execute_table_sxi({
      {"ADDD imm: 7FFF+0001 overflows", "C3 00 01", "D=7FFF",
       "D=8000 CCR=00001010 PC=B603", 4},
      {"ADDD dir: 8000+8000 carry, zero, overflow, H kept",
       "D3 20 / 0020=80 0021=00", "D=8000 CCR=00100000",
       "D=0000 CCR=00100111 PC=B602", 5},
      {"ADDD ext: 0001+0001 clears N Z V C", "F3 C0 00 / C000=00 C001=01",
       "D=0001 CCR=00001111", "D=0002 CCR=00000000 PC=B603", 6},
      {"ADDD indx: carry from B into A", "E3 02 / 1002=00 1003=FF",
       "D=00FF X=1000", "D=01FE PC=B602", 6},
      {"ADDD indy: FFFF+FFFF", "18 E3 00 / 3000=FF 3001=FF", "D=FFFF Y=3000",
       "D=FFFE CCR=00001001 PC=B603", 7},
      {"ADDD ext: operand word at FFFF wraps to cell 0000",
       "F3 FF FF / FFFF=12 0000=34", "D=0000", "D=1234 PC=B603", 6},
      {"ADDD imm at FFFD: PC wraps to 0000", "C3 12 34", "PC=FFFD D=0001",
       "D=1235 PC=0000", 4},
  });
}

TEST(Additions, AbxAbyTakeBUnsignedAndTouchNoFlag) {
  execute_table_sxi({
      {"ABX: B=FF is 255", "3A", "B=FF X=1000 CCR=00101111", "X=10FF PC=B601",
       3},
      {"ABX wraps", "3A", "B=02 X=FFFF", "X=0001 PC=B601", 3},
      {"ABY: B=80 is 128", "18 3A", "B=80 Y=7FFF CCR=00001111",
       "Y=807F PC=B602", 4},
      {"ABY wraps to 0 without Z", "18 3A", "B=FF Y=FF01", "Y=0000 PC=B602", 4},
  });
}
