// Shifts, rotates and bit instructions, one step each. Expected values are
// worked out from the MC68HC11 reference manual's operation diagrams and
// condition-code columns (V = N xor C after a shift; LSR clears N; BSET and
// BCLR clear V and keep C; BRSET/BRCLR change no flag). CCR is written in
// SXHINZVC order: N = 08, Z = 04, V = 02, C = 01.
#include <gtest/gtest.h>

#include "banc.h"

TEST(Decalages, AccumulateurGaucheEtDroiteArithmetique) {
  execute_table_sxi({
      {"ASLA 40, C in ignored", "48", "A=40 CCR=01", "A=80 CCR=0A PC=B601", 2},
      {"ASLA 80 to zero", "48", "A=80", "A=00 CCR=07 PC=B601", 2},
      {"ASLA 00 clears N V C", "48", "A=00 CCR=0B", "CCR=04 PC=B601", 2},
      {"ASLA keeps S X H I", "48", "A=C1 CCR=F0", "A=82 CCR=F9 PC=B601", 2},
      {"ASLB 01, C in ignored", "58", "B=01 CCR=01", "B=02 CCR=00 PC=B601", 2},
      {"ASLB FF", "58", "B=FF", "B=FE CCR=09 PC=B601", 2},
      {"ASRA 81 keeps bit 7", "47", "A=81", "A=C0 CCR=09 PC=B601", 2},
      {"ASRA 02, C in ignored", "47", "A=02 CCR=01", "A=01 CCR=00 PC=B601", 2},
      {"ASRA 01 to zero", "47", "A=01", "A=00 CCR=07 PC=B601", 2},
      {"ASRA 7F", "47", "A=7F", "A=3F CCR=03 PC=B601", 2},
      {"ASRB 80", "57", "B=80", "B=C0 CCR=0A PC=B601", 2},
  });
}

TEST(Decalages, AccumulateurDroiteLogique) {
  execute_table_sxi({
      {"LSRA 01 to zero", "44", "A=01", "A=00 CCR=07 PC=B601", 2},
      {"LSRA 80", "44", "A=80", "A=40 CCR=00 PC=B601", 2},
      {"LSRA FF clears N", "44", "A=FF CCR=08", "A=7F CCR=03 PC=B601", 2},
      {"LSRA C in ignored", "44", "A=02 CCR=F1", "A=01 CCR=F0 PC=B601", 2},
      {"LSRB 03", "54", "B=03", "B=01 CCR=03 PC=B601", 2},
  });
}

TEST(Decalages, AccumulateurRotations) {
  execute_table_sxi({
      {"ROLA 80, C=0", "49", "A=80", "A=00 CCR=07 PC=B601", 2},
      {"ROLA C0, C=1", "49", "A=C0 CCR=01", "A=81 CCR=09 PC=B601", 2},
      {"ROLA 00, C=1", "49", "A=00 CCR=01", "A=01 CCR=00 PC=B601", 2},
      {"ROLB 7F", "59", "B=7F", "B=FE CCR=0A PC=B601", 2},
      {"RORA 01, C=1", "46", "A=01 CCR=01", "A=80 CCR=09 PC=B601", 2},
      {"RORA 02, C=0", "46", "A=02", "A=01 CCR=00 PC=B601", 2},
      {"RORB 00, C=0", "56", "B=00", "CCR=04 PC=B601", 2},
      {"RORB 01, C=0", "56", "B=01", "B=00 CCR=07 PC=B601", 2},
      {"RORB keeps S X H I", "56", "B=FE CCR=F1", "B=FF CCR=FA PC=B601", 2},
  });
}

TEST(Decalages, DoubleAccumulateur) {
  execute_table_sxi({
      {"LSLD 8001", "05", "D=8001", "D=0002 CCR=03 PC=B601", 3},
      {"LSLD 4000", "05", "D=4000", "D=8000 CCR=0A PC=B601", 3},
      {"LSLD 8000 to zero", "05", "D=8000", "D=0000 CCR=07 PC=B601", 3},
      {"LSLD carries B7 into A0", "05", "D=00FF CCR=01",
       "D=01FE CCR=00 PC=B601", 3},
      {"LSRD 0101 carries A0 into B7", "04", "D=0101", "D=0080 CCR=03 PC=B601",
       3},
      {"LSRD 0001 to zero", "04", "D=0001", "D=0000 CCR=07 PC=B601", 3},
      {"LSRD 8000 clears N", "04", "D=8000 CCR=08", "D=4000 CCR=00 PC=B601", 3},
      {"LSRD FFFE, C in ignored", "04", "D=FFFE CCR=F1",
       "D=7FFF CCR=F0 PC=B601", 3},
  });
}

TEST(Decalages, MemoireTousLesModes) {
  execute_table_sxi({
      {"ASL ind,X", "68 05", "X=0100 / 0105=81", "PC=B602 CCR=03 / 0105=02", 6},
      {"ASL ext", "78 12 34", "/ 1234=40", "PC=B603 CCR=0A / 1234=80", 6},
      {"ASL ind,Y offset FF unsigned", "18 68 FF", "Y=1000 / 10FF=01",
       "PC=B603 CCR=00 / 10FF=02", 7},
      {"ASR ind,X", "67 00", "X=2000 / 2000=FE", "PC=B602 CCR=0A / 2000=FF", 6},
      {"ASR ext", "77 00 20", "/ 0020=01", "PC=B603 CCR=07 / 0020=00", 6},
      {"ASR ind,Y", "18 67 01", "Y=0020 / 0021=80", "PC=B603 CCR=0A / 0021=C0",
       7},
      {"LSR ind,X", "64 00", "X=0030 / 0030=81", "PC=B602 CCR=03 / 0030=40", 6},
      {"LSR ext", "74 C0 00", "CCR=09 / C000=00", "PC=B603 CCR=04", 6},
      {"LSR ind,Y wraps past FFFF", "18 64 02", "Y=FFFF / 0001=02",
       "PC=B603 CCR=00 / 0001=01", 7},
      {"ROL ind,X", "69 10", "CCR=01 / 0010=80", "PC=B602 CCR=03 / 0010=01", 6},
      {"ROL ext", "79 00 40", "/ 0040=55", "PC=B603 CCR=0A / 0040=AA", 6},
      {"ROL ind,Y", "18 69 00", "Y=0050 CCR=F1 / 0050=FF",
       "PC=B603 CCR=F9 / 0050=FF", 7},
      {"ROR ind,X wraps past FFFF", "66 01", "X=FFFF / 0000=01",
       "PC=B602 CCR=07 / 0000=00", 6},
      {"ROR ext at FFFF", "76 FF FF", "CCR=01 / FFFF=02",
       "PC=B603 CCR=0A / FFFF=81", 6},
      {"ROR ind,Y", "18 66 03", "Y=0100 CCR=01 / 0103=00",
       "PC=B603 CCR=0A / 0103=80", 7},
  });
}

TEST(Decalages, MiseAUnEtAZeroDeBits) {
  execute_table_sxi({
      {"BSET dir keeps C", "14 20 81", "CCR=01 / 0020=00",
       "PC=B603 CCR=09 / 0020=81", 6},
      {"BSET dir clears Z and V", "14 20 30", "CCR=06 / 0020=0F",
       "PC=B603 CCR=00 / 0020=3F", 6},
      {"BSET dir mask 00", "14 20 00", "CCR=F4 / 0020=7F", "PC=B603 CCR=F0", 6},
      {"BSET ind,X", "1C 05 01", "X=1000 / 1005=80", "PC=B603 CCR=08 / 1005=81",
       7},
      {"BSET ind,Y", "18 1C FF 02", "Y=1000 / 10FF=00",
       "PC=B604 CCR=00 / 10FF=02", 8},
      {"BCLR dir", "15 20 0F", "CCR=02 / 0020=FF", "PC=B603 CCR=08 / 0020=F0",
       6},
      {"BCLR ind,X to zero", "1D 05 FF", "X=1000 / 1005=AA",
       "PC=B603 CCR=04 / 1005=00", 7},
      {"BCLR ind,Y keeps C", "18 1D 00 80", "Y=2000 CCR=0B / 2000=80",
       "PC=B604 CCR=05 / 2000=00", 8},
  });
}

TEST(Decalages, BrancheSurBits) {
  execute_table_sxi({
      {"BRSET dir all set", "12 20 03 10", "CCR=AF / 0020=07", "PC=B614", 6},
      {"BRSET dir one clear", "12 20 03 10", "CCR=AF / 0020=05", "PC=B604", 6},
      {"BRSET dir mask 00", "12 20 00 10", "/ 0020=00", "PC=B614", 6},
      {"BRSET dir backwards", "12 20 01 FC", "/ 0020=01", "PC=B600", 6},
      {"BRSET ind,X", "1E 05 80 02", "X=1000 / 1005=80", "PC=B606", 7},
      {"BRSET ind,Y five bytes", "18 1E 05 C0 F0", "Y=1000 / 1005=C1",
       "PC=B5F5", 8},
      {"BRSET ind,Y not taken", "18 1E 05 C0 F0", "Y=1000 / 1005=41", "PC=B605",
       8},
      {"BRSET target wraps", "12 20 00 05", "PC=FFFC", "PC=0005", 6},
      {"BRCLR dir all clear", "13 20 03 FC", "/ 0020=04", "PC=B600", 6},
      {"BRCLR dir one set", "13 20 03 FC", "CCR=AF / 0020=01", "PC=B604", 6},
      {"BRCLR dir mask 00", "13 20 00 40", "/ 0020=FF", "PC=B644", 6},
      {"BRCLR ind,X", "1F 00 01 7F", "X=0040 / 0040=FE", "PC=B683", 7},
      {"BRCLR ind,Y not taken", "18 1F 00 01 80", "Y=0040 / 0040=FF", "PC=B605",
       8},
      {"BRCLR ind,Y taken", "18 1F 00 01 80", "Y=0040 CCR=FF / 0040=00",
       "PC=B585", 8},
  });
}
