// Placeholder until the number texts are written.
#include "text/conversions.h"

int32_t Stoloruhex(const std::string&, const std::string&) { return 0; }
uint32_t Stouhex(const std::string&) { return 0; }
int32_t Stol(const std::string&) { return 0; }
std::string my_after(const std::string&, int) { return ""; }
std::string my_before(const std::string&, int) { return ""; }
std::string bin8toS(int) { return "00000000"; }
std::string hex1toS(int) { return "0"; }
std::string hex2toS(int) { return "00"; }
std::string hex4toS(int) { return "0000"; }
