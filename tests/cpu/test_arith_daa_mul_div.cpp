// Decimal adjust, multiply and the two divisions. The DAA cases walk the
// reference manual's correction table row by row; MUL, IDIV and FDIV cover
// the zero, overflow and rounding corners.
#include "tests/cpu/banc.h"

TEST(DecimalAdjust, EveryRowOfTheTable) {
  execute_table_sxi({
      {"row 1: 45, nothing added, V kept", "19", "A=45 CCR=00000010",
       "CCR=00000010 PC=B601", 2},
      {"row 1: 00 sets Z", "19", "A=00", "CCR=00000100 PC=B601", 2},
      {"row 2: 8A + 06", "19", "A=8A", "A=90 CCR=00001000 PC=B601", 2},
      {"row 3: 09 + 08 = 11 with H gives 17", "19", "A=11 CCR=00100000",
       "A=17 CCR=00100000 PC=B601", 2},
      {"row 3: 93 with H gives 99", "19", "A=93 CCR=00100000",
       "A=99 CCR=00101000 PC=B601", 2},
      {"row 4: A5 + 60 carries", "19", "A=A5", "A=05 CCR=00000001 PC=B601", 2},
      {"row 5: 9A + 66 gives 00 with carry", "19", "A=9A",
       "A=00 CCR=00000101 PC=B601", 2},
      {"row 6: B2 with H + 66", "19", "A=B2 CCR=00100000",
       "A=18 CCR=00100001 PC=B601", 2},
      {"row 7: 15 with C + 60", "19", "A=15 CCR=00000001",
       "A=75 CCR=00000001 PC=B601", 2},
      {"row 8: 2B with C + 66", "19", "A=2B CCR=00000001",
       "A=91 CCR=00001001 PC=B601", 2},
      {"row 9: 33 with C and H + 66", "19", "A=33 CCR=00100001",
       "A=99 CCR=00101001 PC=B601", 2},
      {"no row: 8C with H keeps A and C", "19", "A=8C CCR=00100000",
       "CCR=00101000 PC=B601", 2},
      {"no row: 45 with C keeps A and C", "19", "A=45 CCR=00000101",
       "CCR=00000001 PC=B601", 2},
  });
}

TEST(Multiplication, CarryIsBit7OfB) {
  execute_table_sxi({
      {"MUL 0F x 0F = 00E1, C", "3D", "A=0F B=0F",
       "D=00E1 CCR=00000001 PC=B601", 10},
      {"MUL 80 x 02 = 0100, C cleared", "3D", "A=80 B=02 CCR=00000001",
       "D=0100 CCR=00000000 PC=B601", 10},
      {"MUL FF x FF = FE01, N Z V kept", "3D", "A=FF B=FF CCR=00001110",
       "D=FE01 CCR=00001110 PC=B601", 10},
      {"MUL 00 x 55 = 0, Z not touched", "3D", "A=00 B=55 CCR=00000001",
       "D=0000 CCR=00000000 PC=B601", 10},
      {"MUL 10 x 08 = 0080, C", "3D", "A=10 B=08",
       "D=0080 CCR=00000001 PC=B601", 10},
  });
}

TEST(Division, Idiv) {
  execute_table_sxi({
      {"IDIV 7 / 2", "02", "D=0007 X=0002 CCR=00000011",
       "X=0003 D=0001 CCR=00000000 PC=B601", 41},
      {"IDIV by zero: X=FFFF, D kept, C", "02", "D=0007 X=0000 CCR=00000110",
       "X=FFFF CCR=00000001 PC=B601", 41},
      {"IDIV quotient 0 sets Z", "02", "D=0001 X=0002",
       "X=0000 D=0001 CCR=00000100 PC=B601", 41},
      {"IDIV FFFF / 1, N kept", "02", "D=FFFF X=0001 CCR=00001000",
       "X=FFFF D=0000 CCR=00001000 PC=B601", 41},
      {"IDIV 0 by zero", "02", "D=0000 X=0000", "X=FFFF CCR=00000001 PC=B601",
       41},
      {"IDIV FFFF / FFFF", "02", "D=FFFF X=FFFF",
       "X=0001 D=0000 CCR=00000000 PC=B601", 41},
  });
}

TEST(Division, Fdiv) {
  execute_table_sxi({
      {"FDIV 4000 / 8000 = 0.5", "03", "D=4000 X=8000 CCR=00000011",
       "X=8000 D=0000 CCR=00000000 PC=B601", 41},
      {"FDIV D = X overflows: V set, C cleared", "03",
       "D=1234 X=1234 CCR=00000001", "X=FFFF CCR=00000010 PC=B601", 41},
      {"FDIV D > X overflows", "03", "D=8000 X=0001",
       "X=FFFF CCR=00000010 PC=B601", 41},
      {"FDIV by zero: V and C", "03", "D=0000 X=0000",
       "X=FFFF CCR=00000011 PC=B601", 41},
      {"FDIV 1 / 3 with remainder", "03", "D=0001 X=0003",
       "X=5555 D=0001 CCR=00000000 PC=B601", 41},
      {"FDIV 0 / 1 sets Z", "03", "D=0000 X=0001 CCR=00000010",
       "X=0000 D=0000 CCR=00000100 PC=B601", 41},
      {"FDIV FFFE / FFFF, N and H kept", "03", "D=FFFE X=FFFF CCR=00101000",
       "X=FFFE D=FFFE CCR=00101000 PC=B601", 41},
  });
}
