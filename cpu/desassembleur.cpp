// Placeholder until the disassembler is written.
#include <cstring>

#include "cpu/interpreteur.h"

unsigned short interpreteur::desa_ins(unsigned short adresse, char* texte) {
  std::strcpy(texte, "?????");
  return static_cast<unsigned short>(adresse + 1);
}
unsigned short interpreteur::desa_num(unsigned short adresse) {
  return static_cast<unsigned short>(adresse + 1);
}
unsigned short interpreteur::desa_num_pre(unsigned short adresse) {
  return static_cast<unsigned short>(adresse - 1);
}
