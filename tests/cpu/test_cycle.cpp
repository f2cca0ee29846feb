// The instruction cycle: fetch across the top of memory, page selection by
// prebyte, non-existent opcodes, the cycles step() returns, operand access by
// get_adr in every mode, reset and register access.
#include <cstring>
#include <string>
#include <vector>

#include "banc.h"

namespace {

using testing::internal::CaptureStderr;
using testing::internal::GetCapturedStderr;

const std::string inexistante = "fonction inexistante!\n";

TEST(Cycle, FetchEtPrebytesEnHautDeMemoire) {
  execute_table({
      {"opcode at FFFF", "01", "PC=FFFF", "PC=0000", 2},
      {"prebyte at FFFF, opcode at 0000", "18 08", "PC=FFFF", "Y=0001 PC=0001",
       4},
      {"page 1A across FFFF", "1A EE 00 / 0010=12 0011=34", "PC=FFFE X=0010",
       "Y=1234 PC=0001", 6},
  });
}

// Each prebyte page returns its own cycle count, not the page-0 one.
TEST(Cycle, CyclesDesPagesPrebyte) {
  execute_table({
      {"page 0 LDAA ind,x", "A6 00 / 0000=01", "", "A=01 PC=B602", 4},
      {"page 18 LDAA ind,y", "18 A6 00 / 0000=01", "", "A=01 PC=B603", 5},
      {"page 18 INY", "18 08", "", "Y=0001 PC=B602", 4},
      {"page 18 TSY", "18 30", "SP=0010", "Y=0011 PC=B602", 4},
      {"page 1A LDY ind,x", "1A EE 00 / 0000=00 0001=01", "", "Y=0001 PC=B603",
       6},
      {"page CD LDX ind,y", "CD EE 00 / 0000=00 0001=02", "", "X=0002 PC=B603",
       6},
      {"page CD STX ind,y", "CD EF 00", "X=0102", "PC=B603 / 0000=01 0001=02",
       6},
  });
}

struct CasInexistant {
  const char* nom;
  std::vector<uint8_t> octets;
  uint16_t pc_apres;
  unsigned char mode;
};

// A non-existent opcode costs its opcode byte (and prebyte), one line on the
// standard error stream, 0 cycles, and nothing else.
TEST(Cycle, OpcodesInexistants) {
  const std::vector<CasInexistant> table = {
      {"page 0 00", {0x00}, 0xB601, interpreteur::INH},
      {"page 0 87", {0x87}, 0xB601, interpreteur::NOS},
      {"page 0 41", {0x41}, 0xB601, interpreteur::NOS},
      {"18 18", {0x18, 0x18}, 0xB602, interpreteur::NOS},
      {"18 00", {0x18, 0x00}, 0xB602, interpreteur::NOS},
      {"1A 1A", {0x1A, 0x1A}, 0xB602, interpreteur::NOS},
      {"1A 86", {0x1A, 0x86}, 0xB602, interpreteur::NOS},
      {"CD 00", {0xCD, 0x00}, 0xB602, interpreteur::NOS},
      {"CD CD", {0xCD, 0xCD}, 0xB602, interpreteur::NOS},
      {"CD A6", {0xCD, 0xA6}, 0xB602, interpreteur::NOS},
  };
  for (const CasInexistant& c : table) {
    SCOPED_TRACE(c.nom);
    Banc b;
    b.cpu.A = 0x12;
    b.cpu.CCR = 0xC5;
    b.pose(0xB600, c.octets);
    const mem_64k avant = b.mem;
    CaptureStderr();
    EXPECT_EQ(0, b.cpu.step());
    EXPECT_EQ(inexistante, GetCapturedStderr());
    EXPECT_EQ(c.pc_apres, b.cpu.PC);
    EXPECT_EQ(c.mode, b.cpu.mode_adr);
    EXPECT_EQ(0x12, b.cpu.A);
    EXPECT_EQ(0xC5, b.cpu.CCR);
    EXPECT_EQ(0x00FF, b.cpu.SP);
    EXPECT_EQ(
        0, std::memcmp(avant.cellules, b.mem.cellules, sizeof avant.cellules));
  }
}

// 18 18 01: the second 0x18 is the opcode of page 18, not a new prebyte, so
// the next step runs the NOP after it.
TEST(Cycle, LeDeuxiemePrebyteNEstPasRelu) {
  Banc b;
  b.pose(0xB600, {0x18, 0x18, 0x08});
  CaptureStderr();
  b.cpu.step();
  EXPECT_EQ(inexistante, GetCapturedStderr());
  EXPECT_EQ(3, b.cpu.step());  // INX of page 0
  EXPECT_EQ(1, b.cpu.X);
  EXPECT_EQ(0, b.cpu.Y);
  EXPECT_EQ(0xB603, b.cpu.PC);
}

TEST(Cycle, MemoireAZeroUnMessageParPas) {
  Banc b;
  for (uint16_t a = 0xB600; a < 0xB610; ++a) b.mem.write_byte(a, 0x00);
  CaptureStderr();
  for (int pas = 1; pas <= 16; ++pas) {
    EXPECT_EQ(0, b.cpu.step());
    EXPECT_EQ(0xB600 + pas, b.cpu.PC);
  }
  std::string attendu;
  for (int pas = 0; pas < 16; ++pas) attendu += inexistante;
  EXPECT_EQ(attendu, GetCapturedStderr());
}

// The mode of the row is stored before the handler runs.
TEST(Cycle, ModeDeLaLigneAvantLeHandler) {
  struct Cas {
    std::vector<uint8_t> octets;
    unsigned char mode;
  } table[] = {
      {{0x86, 0x00}, interpreteur::IMM},
      {{0x96, 0x00}, interpreteur::DIR},
      {{0xB6, 0x00, 0x00}, interpreteur::EXT},
      {{0xA6, 0x00}, interpreteur::INDX},
      {{0x18, 0xA6, 0x00}, interpreteur::INDY},
      {{0x01}, interpreteur::INH},
      {{0x1A, 0xEE, 0x00}, interpreteur::INDX},
      {{0xCD, 0xEE, 0x00}, interpreteur::INDY},
  };
  for (const Cas& c : table) {
    Banc b;
    b.cpu.mode_adr = 0xEE;
    b.pose(0xB600, c.octets);
    b.cpu.step();
    EXPECT_EQ(c.mode, b.cpu.mode_adr) << int(c.octets[0]);
    EXPECT_EQ(0xB600 + c.octets.size(), b.cpu.PC);
  }
}

struct CasAdresse {
  const char* nom;
  unsigned char mode;
  unsigned char taille;
  uint16_t pc;
  std::vector<uint8_t> octets;  // at pc
  uint16_t x, y;
  uint16_t resultat;
  uint16_t pc_apres;
};

TEST(Cycle, GetAdrDansChaqueMode) {
  const std::vector<CasAdresse> table = {
      {"IMM size 2", interpreteur::IMM, 2, 0x8000, {}, 0, 0, 0x8000, 0x8002},
      {"IMM size 1", interpreteur::IMM, 1, 0x8000, {}, 0, 0, 0x8000, 0x8001},
      {"IMM wraps", interpreteur::IMM, 2, 0xFFFF, {}, 0, 0, 0xFFFF, 0x0001},
      {"DIR FF", interpreteur::DIR, 1, 0x8000, {0xFF}, 0, 0, 0x00FF, 0x8001},
      {"EXT", interpreteur::EXT, 1, 0x8000, {0x12, 0x34}, 0, 0, 0x1234, 0x8002},
      {"EXT at FFFE",
       interpreteur::EXT,
       2,
       0xFFFE,
       {0xAB, 0xCD},
       0,
       0,
       0xABCD,
       0x0000},
      {"EXT at FFFF",
       interpreteur::EXT,
       2,
       0xFFFF,
       {0xAB, 0xCD},
       0,
       0,
       0xABCD,
       0x0001},
      {"INDX wraps",
       interpreteur::INDX,
       1,
       0x8000,
       {0x02},
       0xFFFF,
       0,
       0x0001,
       0x8001},
      {"INDX unsigned",
       interpreteur::INDX,
       1,
       0x8000,
       {0x80},
       0x1000,
       0x5000,
       0x1080,
       0x8001},
      {"INDY unsigned",
       interpreteur::INDY,
       1,
       0x8000,
       {0xFF},
       0x5000,
       0x1000,
       0x10FF,
       0x8001},
      {"REL", interpreteur::REL, 1, 0x1000, {0x80}, 0, 0, 0x1000, 0x1001},
      {"INH", interpreteur::INH, 1, 0x8000, {}, 0, 0, 0, 0x8000},
      {"PRB", interpreteur::PRB, 1, 0x8000, {}, 0, 0, 0, 0x8000},
      {"unknown code", 9, 2, 0x8000, {}, 0, 0, 0, 0x8000},
  };
  for (const CasAdresse& c : table) {
    SCOPED_TRACE(c.nom);
    Banc b;
    b.pose(c.pc, c.octets);
    b.cpu.PC = c.pc;
    b.cpu.X = c.x;
    b.cpu.Y = c.y;
    b.cpu.mode_adr = c.mode;
    CaptureStderr();
    EXPECT_EQ(c.resultat, b.cpu.get_adr(c.taille));
    EXPECT_EQ("", GetCapturedStderr());
    EXPECT_EQ(c.pc_apres, b.cpu.PC);
  }
}

TEST(Cycle, GetAdrNOS) {
  Banc b;
  b.cpu.PC = 0x4000;
  b.cpu.mode_adr = interpreteur::NOS;
  CaptureStderr();
  EXPECT_EQ(0, b.cpu.get_adr(2));
  EXPECT_EQ("adressage NOS\nMode d'adressage non autorise!!\n",
            GetCapturedStderr());
  EXPECT_EQ(0x4000, b.cpu.PC);
}

TEST(Cycle, InitRegistersNeChangeQuePC) {
  Banc b;
  b.cpu.PC = 0x1234;
  b.cpu.A = 0x11;
  b.cpu.B = 0x22;
  b.cpu.CCR = 0x5A;
  b.cpu.SP = 0x0345;
  b.cpu.X = 0x6789;
  b.cpu.Y = 0xABCD;
  b.cpu.init_registers();
  EXPECT_EQ(0xB600, b.cpu.PC_value());
  EXPECT_EQ(0x11, b.cpu.A_value());
  EXPECT_EQ(0x22, b.cpu.B_value());
  EXPECT_EQ(0x5A, b.cpu.CCR_value());
  EXPECT_EQ(0x0345, b.cpu.SP_value());
  EXPECT_EQ(0x6789, b.cpu.X_value());
  EXPECT_EQ(0xABCD, b.cpu.Y_value());
}

TEST(Cycle, AccesAuxRegistres) {
  interpreteur cpu;
  EXPECT_EQ(nullptr, cpu.mem);
  cpu.set_D_value(0x1234);
  EXPECT_EQ(0x12, cpu.A);
  EXPECT_EQ(0x34, cpu.B);
  EXPECT_EQ(0x1234, cpu.D_value());
  cpu.set_CCR_value(0xFF);
  EXPECT_EQ(0xFF, cpu.CCR_value());
  cpu.set_CCR_value(0x00);
  EXPECT_EQ(0x00, cpu.CCR);
}

// A word at 0xFFFF takes its low byte from 0x0000, for reads and writes.
TEST(Cycle, MotsEnFFFF) {
  mem_64k m;
  EXPECT_EQ(0xFFFF, m.read_word(0xFFFF));
  m.write_word(0xFFFF, 0x1234);
  EXPECT_EQ(0x12, m.read_byte(0xFFFF));
  EXPECT_EQ(0x34, m.read_byte(0x0000));
  EXPECT_EQ(0x1234, m.read_word(0xFFFF));
  m.write_word(0xFFFE, 0xABCD);
  EXPECT_EQ(0xAB, m.read_byte(0xFFFE));
  EXPECT_EQ(0xCD, m.read_byte(0xFFFF));
  EXPECT_EQ(0x34, m.read_byte(0x0000));
}

}  // namespace

// The mode codes are reachable unqualified as well as through the class.
static_assert(INH == interpreteur::INH && IMM == 1 && DIR == 2 && EXT == 3 &&
                  INDX == 4 && INDY == 5 && REL == 6 && PRB == 7 && NOS == 8,
              "addressing-mode codes");
