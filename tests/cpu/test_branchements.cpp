// Branches, jumps, subroutines, stack and control instructions, one step
// each. Expected values come from the MC68HC11 reference manual: branch
// tests (signed ones on N xor V), the stacking order of JSR/BSR and of an
// interrupt frame (CCR, B, A, X, Y, PC from the lowest address up), and the
// rule that the X bit can be cleared but never set by software.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "banc.h"

namespace {

// One conditional branch with offset 0x10 at 0xB600, taken (PC = B612) or
// not (PC = B602) for the given CCR.
struct CasCondition {
  const char* nom;
  const char* opcode;
  const char* ccr;
  bool prise;
};

void execute_conditions(const std::vector<CasCondition>& table) {
  for (const CasCondition& c : table) {
    const std::string nom = std::string(c.nom) + " CCR=" + c.ccr;
    const std::string code = std::string(c.opcode) + " 10";
    const std::string avant = std::string("CCR=") + c.ccr;
    const std::string apres = c.prise ? "PC=B612" : "PC=B602";
    execute_cas_sxi(
        {nom.c_str(), code.c_str(), avant.c_str(), apres.c_str(), 3});
  }
}

}  // namespace

TEST(Branchements, DeplacementsEtRepliement) {
  execute_table_sxi({
      {"BRA FE onto itself", "20 FE", "", "PC=B600", 3},
      {"BRA 02", "20 02", "", "PC=B604", 3},
      {"BRA 80 furthest back", "20 80", "", "PC=B582", 3},
      {"BRA 7F furthest on", "20 7F", "", "PC=B681", 3},
      {"BRA forward past FFFF", "20 05", "PC=FFFE", "PC=0005", 3},
      {"BRA backward past 0000", "20 F0", "PC=0000", "PC=FFF2", 3},
      {"BRA flags untouched", "20 00", "CCR=FF", "PC=B602", 3},
      {"BRN never", "21 80", "CCR=FF", "PC=B602", 3},
      {"BRN skips one byte at FFFE", "21 00", "PC=FFFE", "PC=0000", 3},
      {"BNE Z=0", "26 10", "", "PC=B612", 3},
      {"BNE Z=1", "26 10", "CCR=04", "PC=B602", 3},
  });
}

TEST(Branchements, ConditionsSimples) {
  execute_conditions({
      {"BHI", "22", "00", true},  {"BHI", "22", "01", false},
      {"BHI", "22", "04", false}, {"BHI", "22", "05", false},
      {"BHI", "22", "FA", true},  {"BLS", "23", "00", false},
      {"BLS", "23", "01", true},  {"BLS", "23", "04", true},
      {"BLS", "23", "05", true},  {"BLS", "23", "FA", false},
      {"BCC", "24", "00", true},  {"BCC", "24", "01", false},
      {"BCC", "24", "FE", true},  {"BCS", "25", "01", true},
      {"BCS", "25", "00", false}, {"BCS", "25", "FE", false},
      {"BNE", "26", "FB", true},  {"BEQ", "27", "04", true},
      {"BEQ", "27", "00", false}, {"BEQ", "27", "FB", false},
      {"BVC", "28", "00", true},  {"BVC", "28", "02", false},
      {"BVC", "28", "FD", true},  {"BVS", "29", "02", true},
      {"BVS", "29", "00", false}, {"BVS", "29", "FD", false},
      {"BPL", "2A", "00", true},  {"BPL", "2A", "08", false},
      {"BPL", "2A", "F7", true},  {"BMI", "2B", "08", true},
      {"BMI", "2B", "00", false}, {"BMI", "2B", "F7", false},
  });
}

// Every combination of N, Z and V (C set in some rows to show it plays no
// part). With N = V = 1 the signed result is "not less".
TEST(Branchements, ConditionsSignees) {
  execute_conditions({
      {"BGE", "2C", "00", true},  {"BGE", "2C", "02", false},
      {"BGE", "2C", "08", false}, {"BGE", "2C", "0A", true},
      {"BGE", "2C", "04", true},  {"BGE", "2C", "06", false},
      {"BGE", "2C", "0D", false}, {"BGE", "2C", "0F", true},
      {"BLT", "2D", "00", false}, {"BLT", "2D", "02", true},
      {"BLT", "2D", "08", true},  {"BLT", "2D", "0A", false},
      {"BLT", "2D", "04", false}, {"BLT", "2D", "06", true},
      {"BLT", "2D", "0D", true},  {"BLT", "2D", "0F", false},
      {"BGT", "2E", "00", true},  {"BGT", "2E", "02", false},
      {"BGT", "2E", "08", false}, {"BGT", "2E", "0A", true},
      {"BGT", "2E", "04", false}, {"BGT", "2E", "06", false},
      {"BGT", "2E", "0C", false}, {"BGT", "2E", "0E", false},
      {"BGT", "2E", "0B", true},  {"BLE", "2F", "00", false},
      {"BLE", "2F", "02", true},  {"BLE", "2F", "08", true},
      {"BLE", "2F", "0A", false}, {"BLE", "2F", "04", true},
      {"BLE", "2F", "06", true},  {"BLE", "2F", "0C", true},
      {"BLE", "2F", "0E", true},  {"BLE", "2F", "0B", false},
  });
}

TEST(Branchements, SousProgrammes) {
  execute_table_sxi({
      {"BSR forward", "8D 10", "", "PC=B612 SP=00FD / 00FE=B6 00FF=02", 6},
      {"BSR backward", "8D F0", "", "PC=B5F2 SP=00FD / 00FE=B6 00FF=02", 6},
      {"BSR SP=0000 wraps", "8D 10", "SP=0000",
       "PC=B612 SP=FFFE / FFFF=B6 0000=02", 6},
      {"JSR ext", "BD C0 00", "CCR=FF", "PC=C000 SP=00FD / 00FE=B6 00FF=03", 6},
      {"JSR dir", "9D 40", "", "PC=0040 SP=00FD / 00FE=B6 00FF=02", 5},
      {"JSR ind,X", "AD 05", "X=1000", "PC=1005 SP=00FD / 00FE=B6 00FF=02", 6},
      {"JSR ind,X target wraps", "AD FF", "X=FF80",
       "PC=007F SP=00FD / 00FE=B6 00FF=02", 6},
      {"JSR ind,Y", "18 AD 05", "Y=1000", "PC=1005 SP=00FD / 00FE=B6 00FF=03",
       7},
      {"JSR SP=0000 wraps", "BD C0 00", "SP=0000",
       "PC=C000 SP=FFFE / FFFF=B6 0000=03", 6},
      {"JSR SP=FFFE", "9D 40", "SP=FFFE", "PC=0040 SP=FFFC / FFFD=B6 FFFE=02",
       5},
      {"RTS", "39 / 00FE=C1 00FF=23", "SP=00FD", "PC=C123 SP=00FF", 5},
      {"RTS SP=FFFE wraps", "39 / FFFF=12 0000=34", "SP=FFFE",
       "PC=1234 SP=0000", 5},
      {"JMP ind,X", "6E 00", "X=C000", "PC=C000", 3},
      {"JMP ext", "7E B6 00", "CCR=FF", "PC=B600", 3},
      {"JMP ind,Y", "18 6E 10", "Y=2000", "PC=2010", 4},
  });
}

TEST(Branchements, RetourDInterruption) {
  const char* trame =
      "3B / 00F7=C0 00F8=22 00F9=11 00FA=12 00FB=34 "
      "00FC=56 00FD=78 00FE=B6 00FF=00";
  const char* tout = "A=11 B=22 X=1234 Y=5678 PC=B600 SP=00FF";
  const std::string x_garde = std::string(tout) + " CCR=C0";
  const std::string x_refuse = std::string(tout) + " CCR=80";
  execute_table({
      {"RTI with X set loads the frame's CCR", trame, "SP=00F6 CCR=40",
       x_garde.c_str(), 12},
      {"RTI with X clear cannot set X", trame, "SP=00F6", x_refuse.c_str(), 12},
      {"RTI clears X", "3B / 00F7=0F", "SP=00F6 CCR=5F",
       "CCR=0F A=FF B=FF X=FFFF Y=FFFF PC=FFFF SP=00FF", 12},
      {"RTI with X clear, frame FF", "3B / 00F7=FF", "SP=00F6",
       "CCR=BF A=FF B=FF X=FFFF Y=FFFF PC=FFFF SP=00FF", 12},
      {"RTI frame wraps past FFFF",
       "3B / FFF8=D5 FFF9=01 FFFA=02 FFFB=03 FFFC=04 FFFD=05 FFFE=06 "
       "FFFF=07 0000=08",
       "SP=FFF7 CCR=40", "CCR=D5 B=01 A=02 X=0304 Y=0506 PC=0708 SP=0000", 12},
  });
}

TEST(Branchements, PileEmpileDepile) {
  execute_table_sxi({
      {"PSHA", "36", "A=5A CCR=FF", "PC=B601 SP=00FE / 00FF=5A", 3},
      {"PSHB", "37", "B=A5", "PC=B601 SP=00FE / 00FF=A5", 3},
      {"PSHA SP=0000 wraps", "36", "A=5A SP=0000", "PC=B601 SP=FFFF / 0000=5A",
       3},
      {"PSHX", "3C", "X=1234", "PC=B601 SP=00FD / 00FE=12 00FF=34", 4},
      {"PSHX SP=0000 wraps", "3C", "X=1234 SP=0000",
       "PC=B601 SP=FFFE / FFFF=12 0000=34", 4},
      {"PSHY", "18 3C", "Y=ABCD CCR=FF", "PC=B602 SP=00FD / 00FE=AB 00FF=CD",
       5},
      {"PULA", "32 / 00FF=77", "SP=00FE", "PC=B601 A=77 SP=00FF", 4},
      {"PULB", "33 / 00FF=88", "SP=00FE CCR=FF", "PC=B601 B=88 SP=00FF", 4},
      {"PULA SP=FFFF wraps", "32 / 0000=99", "SP=FFFF", "PC=B601 A=99 SP=0000",
       4},
      {"PULX", "38 / 00FE=12 00FF=34", "SP=00FD", "PC=B601 X=1234 SP=00FF", 5},
      {"PULX SP=FFFE wraps", "38 / FFFF=12 0000=34", "SP=FFFE",
       "PC=B601 X=1234 SP=0000", 5},
      {"PULY", "18 38 / 00FE=56 00FF=78", "SP=00FD", "PC=B602 Y=5678 SP=00FF",
       6},
      {"PULY SP=FFFE wraps", "18 38 / FFFF=9A 0000=BC", "SP=FFFE",
       "PC=B602 Y=9ABC SP=0000", 6},
  });
}

TEST(Branchements, SousProgrammeAllerRetour) {
  Banc b;
  b.pose(0xB600, {0x8D, 0x10});  // bsr B612
  b.pose(0xB612, {0x39});        // rts
  EXPECT_EQ(6, b.cpu.step());
  EXPECT_EQ(0xB612, b.cpu.PC);
  EXPECT_EQ(0x00FD, b.cpu.SP);
  EXPECT_EQ(5, b.cpu.step());
  EXPECT_EQ(0xB602, b.cpu.PC);
  EXPECT_EQ(0x00FF, b.cpu.SP);
}

TEST(Branchements, ControleNonExecute) {
  const std::vector<CasPas> table = {
      {"SWI", "3F", "CCR=C0", "PC=B601", 14},
      {"WAI", "3E", "", "PC=B601", 14},
      {"STOP", "CF", "A=12 B=34 X=5678 Y=9ABC", "PC=B601", 2},
  };
  for (const CasPas& cas : table) {
    testing::internal::CaptureStderr();
    execute_cas(cas);
    EXPECT_EQ("pas encore la\n", testing::internal::GetCapturedStderr())
        << cas.nom;
  }
}
