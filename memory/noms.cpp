// Texts of operand addresses: the operand bytes in hexadecimal behind "$".
// No symbolic names, not even for the register block.
#include "memory/mem_64k.h"
#include "text/conversions.h"

std::string mem_64k::specific_byte_name(unsigned short adresse) {
  return "$" + hex2toS(consulte(adresse));
}

// Read as read_word does (without side effects): an operand at 0xFFFF takes its
// low byte from 0x0000, as the CPU does when it executes the instruction.
std::string mem_64k::specific_word_name(unsigned short adresse) {
  return "$" + hex4toS(consulte(adresse) << 8 |
                       consulte(static_cast<unsigned short>(adresse + 1)));
}
