// Placeholder until the loaders are written: nothing loads.
#include "memory/mem_64k.h"

int mem_64k::load_s19(const char*) { return 0; }
int mem_64k::load_binaire(const char*) { return 0; }
unsigned char mem_64k::asc2hex(char c) { return static_cast<unsigned char>(c - 48); }
std::string mem_64k::specific_byte_name(unsigned short) { return "$??"; }
std::string mem_64k::specific_word_name(unsigned short) { return "$????"; }
