// Cycle counts of every opcode of the four pages against the MC68HC11
// reference manual's instruction table (E-clock cycles), transcribed here
// by mnemonic and addressing mode. Every opcode the table does not list
// must be refused ("fonction inexistante!", 0 cycles); the manual's TEST
// (page 0, 0x00, factory test mode only) is not an instruction of this CPU.
#include <map>
#include <string>
#include <vector>

#include "test_manuel_commun.h"

namespace {

using manuel::hex2;
using manuel::Machine;
using manuel::Registres;

// One opcode: prebyte (0 for page 0), opcode byte, cycles.
struct Code {
  uint8_t prebyte;
  uint8_t opcode;
  int cycles;
};

struct Instruction {
  const char* mnemonique;
  std::vector<Code> codes;
};

// Operand forms in the manual's column order: IMM, DIR, EXT, IND,X, IND,Y
// (or only those that exist); inherent and relative forms alone.
const Instruction kTable[] = {
    {"ABA", {{0, 0x1B, 2}}},
    {"ABX", {{0, 0x3A, 3}}},
    {"ABY", {{0x18, 0x3A, 4}}},
    {"ADCA",
     {{0, 0x89, 2}, {0, 0x99, 3}, {0, 0xB9, 4}, {0, 0xA9, 4}, {0x18, 0xA9, 5}}},
    {"ADCB",
     {{0, 0xC9, 2}, {0, 0xD9, 3}, {0, 0xF9, 4}, {0, 0xE9, 4}, {0x18, 0xE9, 5}}},
    {"ADDA",
     {{0, 0x8B, 2}, {0, 0x9B, 3}, {0, 0xBB, 4}, {0, 0xAB, 4}, {0x18, 0xAB, 5}}},
    {"ADDB",
     {{0, 0xCB, 2}, {0, 0xDB, 3}, {0, 0xFB, 4}, {0, 0xEB, 4}, {0x18, 0xEB, 5}}},
    {"ADDD",
     {{0, 0xC3, 4}, {0, 0xD3, 5}, {0, 0xF3, 6}, {0, 0xE3, 6}, {0x18, 0xE3, 7}}},
    {"ANDA",
     {{0, 0x84, 2}, {0, 0x94, 3}, {0, 0xB4, 4}, {0, 0xA4, 4}, {0x18, 0xA4, 5}}},
    {"ANDB",
     {{0, 0xC4, 2}, {0, 0xD4, 3}, {0, 0xF4, 4}, {0, 0xE4, 4}, {0x18, 0xE4, 5}}},
    {"ASL", {{0, 0x78, 6}, {0, 0x68, 6}, {0x18, 0x68, 7}}},
    {"ASLA", {{0, 0x48, 2}}},
    {"ASLB", {{0, 0x58, 2}}},
    {"ASLD", {{0, 0x05, 3}}},
    {"ASR", {{0, 0x77, 6}, {0, 0x67, 6}, {0x18, 0x67, 7}}},
    {"ASRA", {{0, 0x47, 2}}},
    {"ASRB", {{0, 0x57, 2}}},
    {"BCC", {{0, 0x24, 3}}},
    {"BCLR", {{0, 0x15, 6}, {0, 0x1D, 7}, {0x18, 0x1D, 8}}},
    {"BCS", {{0, 0x25, 3}}},
    {"BEQ", {{0, 0x27, 3}}},
    {"BGE", {{0, 0x2C, 3}}},
    {"BGT", {{0, 0x2E, 3}}},
    {"BHI", {{0, 0x22, 3}}},
    {"BITA",
     {{0, 0x85, 2}, {0, 0x95, 3}, {0, 0xB5, 4}, {0, 0xA5, 4}, {0x18, 0xA5, 5}}},
    {"BITB",
     {{0, 0xC5, 2}, {0, 0xD5, 3}, {0, 0xF5, 4}, {0, 0xE5, 4}, {0x18, 0xE5, 5}}},
    {"BLE", {{0, 0x2F, 3}}},
    {"BLS", {{0, 0x23, 3}}},
    {"BLT", {{0, 0x2D, 3}}},
    {"BMI", {{0, 0x2B, 3}}},
    {"BNE", {{0, 0x26, 3}}},
    {"BPL", {{0, 0x2A, 3}}},
    {"BRA", {{0, 0x20, 3}}},
    {"BRCLR", {{0, 0x13, 6}, {0, 0x1F, 7}, {0x18, 0x1F, 8}}},
    {"BRN", {{0, 0x21, 3}}},
    {"BRSET", {{0, 0x12, 6}, {0, 0x1E, 7}, {0x18, 0x1E, 8}}},
    {"BSET", {{0, 0x14, 6}, {0, 0x1C, 7}, {0x18, 0x1C, 8}}},
    {"BSR", {{0, 0x8D, 6}}},
    {"BVC", {{0, 0x28, 3}}},
    {"BVS", {{0, 0x29, 3}}},
    {"CBA", {{0, 0x11, 2}}},
    {"CLC", {{0, 0x0C, 2}}},
    {"CLI", {{0, 0x0E, 2}}},
    {"CLR", {{0, 0x7F, 6}, {0, 0x6F, 6}, {0x18, 0x6F, 7}}},
    {"CLRA", {{0, 0x4F, 2}}},
    {"CLRB", {{0, 0x5F, 2}}},
    {"CLV", {{0, 0x0A, 2}}},
    {"CMPA",
     {{0, 0x81, 2}, {0, 0x91, 3}, {0, 0xB1, 4}, {0, 0xA1, 4}, {0x18, 0xA1, 5}}},
    {"CMPB",
     {{0, 0xC1, 2}, {0, 0xD1, 3}, {0, 0xF1, 4}, {0, 0xE1, 4}, {0x18, 0xE1, 5}}},
    {"COM", {{0, 0x73, 6}, {0, 0x63, 6}, {0x18, 0x63, 7}}},
    {"COMA", {{0, 0x43, 2}}},
    {"COMB", {{0, 0x53, 2}}},
    {"CPD",
     {{0x1A, 0x83, 5},
      {0x1A, 0x93, 6},
      {0x1A, 0xB3, 7},
      {0x1A, 0xA3, 7},
      {0xCD, 0xA3, 7}}},
    {"CPX",
     {{0, 0x8C, 4}, {0, 0x9C, 5}, {0, 0xBC, 6}, {0, 0xAC, 6}, {0xCD, 0xAC, 7}}},
    {"CPY",
     {{0x18, 0x8C, 5},
      {0x18, 0x9C, 6},
      {0x18, 0xBC, 7},
      {0x1A, 0xAC, 7},
      {0x18, 0xAC, 7}}},
    {"DAA", {{0, 0x19, 2}}},
    {"DEC", {{0, 0x7A, 6}, {0, 0x6A, 6}, {0x18, 0x6A, 7}}},
    {"DECA", {{0, 0x4A, 2}}},
    {"DECB", {{0, 0x5A, 2}}},
    {"DES", {{0, 0x34, 3}}},
    {"DEX", {{0, 0x09, 3}}},
    {"DEY", {{0x18, 0x09, 4}}},
    {"EORA",
     {{0, 0x88, 2}, {0, 0x98, 3}, {0, 0xB8, 4}, {0, 0xA8, 4}, {0x18, 0xA8, 5}}},
    {"EORB",
     {{0, 0xC8, 2}, {0, 0xD8, 3}, {0, 0xF8, 4}, {0, 0xE8, 4}, {0x18, 0xE8, 5}}},
    {"FDIV", {{0, 0x03, 41}}},
    {"IDIV", {{0, 0x02, 41}}},
    {"INC", {{0, 0x7C, 6}, {0, 0x6C, 6}, {0x18, 0x6C, 7}}},
    {"INCA", {{0, 0x4C, 2}}},
    {"INCB", {{0, 0x5C, 2}}},
    {"INS", {{0, 0x31, 3}}},
    {"INX", {{0, 0x08, 3}}},
    {"INY", {{0x18, 0x08, 4}}},
    {"JMP", {{0, 0x7E, 3}, {0, 0x6E, 3}, {0x18, 0x6E, 4}}},
    {"JSR", {{0, 0x9D, 5}, {0, 0xBD, 6}, {0, 0xAD, 6}, {0x18, 0xAD, 7}}},
    {"LDAA",
     {{0, 0x86, 2}, {0, 0x96, 3}, {0, 0xB6, 4}, {0, 0xA6, 4}, {0x18, 0xA6, 5}}},
    {"LDAB",
     {{0, 0xC6, 2}, {0, 0xD6, 3}, {0, 0xF6, 4}, {0, 0xE6, 4}, {0x18, 0xE6, 5}}},
    {"LDD",
     {{0, 0xCC, 3}, {0, 0xDC, 4}, {0, 0xFC, 5}, {0, 0xEC, 5}, {0x18, 0xEC, 6}}},
    {"LDS",
     {{0, 0x8E, 3}, {0, 0x9E, 4}, {0, 0xBE, 5}, {0, 0xAE, 5}, {0x18, 0xAE, 6}}},
    {"LDX",
     {{0, 0xCE, 3}, {0, 0xDE, 4}, {0, 0xFE, 5}, {0, 0xEE, 5}, {0xCD, 0xEE, 6}}},
    {"LDY",
     {{0x18, 0xCE, 4},
      {0x18, 0xDE, 5},
      {0x18, 0xFE, 6},
      {0x1A, 0xEE, 6},
      {0x18, 0xEE, 6}}},
    {"LSR", {{0, 0x74, 6}, {0, 0x64, 6}, {0x18, 0x64, 7}}},
    {"LSRA", {{0, 0x44, 2}}},
    {"LSRB", {{0, 0x54, 2}}},
    {"LSRD", {{0, 0x04, 3}}},
    {"MUL", {{0, 0x3D, 10}}},
    {"NEG", {{0, 0x70, 6}, {0, 0x60, 6}, {0x18, 0x60, 7}}},
    {"NEGA", {{0, 0x40, 2}}},
    {"NEGB", {{0, 0x50, 2}}},
    {"NOP", {{0, 0x01, 2}}},
    {"ORAA",
     {{0, 0x8A, 2}, {0, 0x9A, 3}, {0, 0xBA, 4}, {0, 0xAA, 4}, {0x18, 0xAA, 5}}},
    {"ORAB",
     {{0, 0xCA, 2}, {0, 0xDA, 3}, {0, 0xFA, 4}, {0, 0xEA, 4}, {0x18, 0xEA, 5}}},
    {"PSHA", {{0, 0x36, 3}}},
    {"PSHB", {{0, 0x37, 3}}},
    {"PSHX", {{0, 0x3C, 4}}},
    {"PSHY", {{0x18, 0x3C, 5}}},
    {"PULA", {{0, 0x32, 4}}},
    {"PULB", {{0, 0x33, 4}}},
    {"PULX", {{0, 0x38, 5}}},
    {"PULY", {{0x18, 0x38, 6}}},
    {"ROL", {{0, 0x79, 6}, {0, 0x69, 6}, {0x18, 0x69, 7}}},
    {"ROLA", {{0, 0x49, 2}}},
    {"ROLB", {{0, 0x59, 2}}},
    {"ROR", {{0, 0x76, 6}, {0, 0x66, 6}, {0x18, 0x66, 7}}},
    {"RORA", {{0, 0x46, 2}}},
    {"RORB", {{0, 0x56, 2}}},
    {"RTI", {{0, 0x3B, 12}}},
    {"RTS", {{0, 0x39, 5}}},
    {"SBA", {{0, 0x10, 2}}},
    {"SBCA",
     {{0, 0x82, 2}, {0, 0x92, 3}, {0, 0xB2, 4}, {0, 0xA2, 4}, {0x18, 0xA2, 5}}},
    {"SBCB",
     {{0, 0xC2, 2}, {0, 0xD2, 3}, {0, 0xF2, 4}, {0, 0xE2, 4}, {0x18, 0xE2, 5}}},
    {"SEC", {{0, 0x0D, 2}}},
    {"SEI", {{0, 0x0F, 2}}},
    {"SEV", {{0, 0x0B, 2}}},
    {"STAA", {{0, 0x97, 3}, {0, 0xB7, 4}, {0, 0xA7, 4}, {0x18, 0xA7, 5}}},
    {"STAB", {{0, 0xD7, 3}, {0, 0xF7, 4}, {0, 0xE7, 4}, {0x18, 0xE7, 5}}},
    {"STD", {{0, 0xDD, 4}, {0, 0xFD, 5}, {0, 0xED, 5}, {0x18, 0xED, 6}}},
    {"STOP", {{0, 0xCF, 2}}},
    {"STS", {{0, 0x9F, 4}, {0, 0xBF, 5}, {0, 0xAF, 5}, {0x18, 0xAF, 6}}},
    {"STX", {{0, 0xDF, 4}, {0, 0xFF, 5}, {0, 0xEF, 5}, {0xCD, 0xEF, 6}}},
    {"STY",
     {{0x18, 0xDF, 5}, {0x18, 0xFF, 6}, {0x1A, 0xEF, 6}, {0x18, 0xEF, 6}}},
    {"SUBA",
     {{0, 0x80, 2}, {0, 0x90, 3}, {0, 0xB0, 4}, {0, 0xA0, 4}, {0x18, 0xA0, 5}}},
    {"SUBB",
     {{0, 0xC0, 2}, {0, 0xD0, 3}, {0, 0xF0, 4}, {0, 0xE0, 4}, {0x18, 0xE0, 5}}},
    {"SUBD",
     {{0, 0x83, 4}, {0, 0x93, 5}, {0, 0xB3, 6}, {0, 0xA3, 6}, {0x18, 0xA3, 7}}},
    {"SWI", {{0, 0x3F, 14}}},
    {"TAB", {{0, 0x16, 2}}},
    {"TAP", {{0, 0x06, 2}}},
    {"TBA", {{0, 0x17, 2}}},
    {"TPA", {{0, 0x07, 2}}},
    {"TST", {{0, 0x7D, 6}, {0, 0x6D, 6}, {0x18, 0x6D, 7}}},
    {"TSTA", {{0, 0x4D, 2}}},
    {"TSTB", {{0, 0x5D, 2}}},
    {"TSX", {{0, 0x30, 3}}},
    {"TSY", {{0x18, 0x30, 4}}},
    {"TXS", {{0, 0x35, 3}}},
    {"TYS", {{0x18, 0x35, 4}}},
    {"WAI", {{0, 0x3E, 14}}},
    {"XGDX", {{0, 0x8F, 3}}},
    {"XGDY", {{0x18, 0x8F, 4}}},
};

// Key of an opcode: prebyte × 256 + opcode byte.
using Carte = std::map<unsigned, std::pair<const char*, int>>;

Carte carte_du_manuel() {
  Carte carte;
  for (const Instruction& i : kTable)
    for (const Code& c : i.codes) {
      const unsigned cle = c.prebyte * 256u + c.opcode;
      EXPECT_EQ(0u, carte.count(cle)) << i.mnemonique << " listed twice";
      carte[cle] = {i.mnemonique, c.cycles};
    }
  return carte;
}

std::string nom_code(unsigned prebyte, unsigned opcode) {
  return prebyte ? hex2(prebyte) + " " + hex2(opcode) : hex2(opcode);
}

// Runs one opcode with zero operand bytes and sane registers; returns the
// cycles and whether the CPU refused it as non-existent.
int execute_code(Machine& m, unsigned prebyte, unsigned opcode, bool& refuse) {
  uint16_t pc = manuel::kDebut;
  if (prebyte) m.mem().write_byte(pc++, static_cast<uint8_t>(prebyte));
  m.mem().write_byte(pc++, static_cast<uint8_t>(opcode));
  for (int i = 0; i < 3; ++i) m.mem().write_byte(pc++, 0x00);
  Registres r;
  r.X = 0x2000;
  r.Y = 0x3000;
  r.SP = 0x0100;
  r.A = 0x12;
  ::testing::internal::CaptureStderr();
  const int cycles = m.execute(r);
  refuse = ::testing::internal::GetCapturedStderr().find(
               "fonction inexistante!") != std::string::npos;
  return cycles;
}

// The page-0 bytes that select a page instead of naming an instruction.
bool prebyte(unsigned octet) {
  return octet == 0x18 || octet == 0x1A || octet == 0xCD;
}

TEST(ManuelCycles, TheTableTranscribedHereHasTheManualsOpcodeCount) {
  const Carte carte = carte_du_manuel();
  unsigned par_page[4] = {0, 0, 0, 0};
  for (const auto& e : carte)
    ++par_page[e.first < 256          ? 0
               : e.first >> 8 == 0x18 ? 1
               : e.first >> 8 == 0x1A ? 2
                                      : 3];
  // 233 page-0 rows of the manual's map less TEST; 64, 7 and 4 opcodes
  // in the prebyte pages.
  EXPECT_EQ(232u, par_page[0]);
  EXPECT_EQ(64u, par_page[1]);
  EXPECT_EQ(7u, par_page[2]);
  EXPECT_EQ(4u, par_page[3]);
}

TEST(ManuelCycles, EveryOpcodeOfTheFourPagesTakesTheManualsCycles) {
  const Carte carte = carte_du_manuel();
  Machine m;
  std::string ecarts;
  int nombre = 0, essais = 0;
  for (unsigned page : {0x00u, 0x18u, 0x1Au, 0xCDu})
    for (unsigned opcode = 0; opcode < 256; ++opcode) {
      if (page == 0 && prebyte(opcode)) continue;
      bool refuse = false;
      const int cycles = execute_code(m, page, opcode, refuse);
      ++essais;
      const auto it = carte.find(page * 256u + opcode);
      const bool existe = it != carte.end();
      const int attendu = existe ? it->second.second : 0;
      if (cycles == attendu && refuse == !existe) continue;
      ++nombre;
      ecarts += "\n  " + nom_code(page, opcode) + " " +
                (existe ? it->second.first : "(none)") + ": manual " +
                std::to_string(attendu) + " cycles" +
                (existe ? "" : ", refused") + "; step() " +
                std::to_string(cycles) + (refuse ? ", refused" : "");
    }
  EXPECT_EQ(1021, essais);
  EXPECT_EQ(0, nombre) << nombre
                       << " opcodes differ from the manual:" << ecarts;
}

}  // namespace
