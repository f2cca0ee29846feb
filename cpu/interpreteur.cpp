// The instruction cycle and operand access of the CPU.
#include "cpu/interpreteur.h"

#include <iostream>

#include "memory/mem_64k.h"

// cpu/opcodes.cpp
extern const int cycle_18[256];
extern const int cycle_1A[256];

interpreteur::interpreteur()
    : mem(nullptr),
      PC(0xB600),
      A(0),
      B(0),
      CCR(CCR_S | CCR_X | CCR_I),
      SP(0x00FF),
      X(0),
      Y(0),
      mode_adr(INH),
      avec_puce(false),
      etat(actif) {}

void interpreteur::learn_mem(mem_64k* m) { mem = m; }

void interpreteur::init_registers() { PC = 0xB600; }

// Fetch, select the page by prebyte, store the row's mode, dispatch.
int interpreteur::step() {
  const unsigned char premier = mem->read_byte(PC++);
  switch (premier) {
    case 0x18: {
      const unsigned char code = mem->read_byte(PC++);
      mode_adr = t_prb_18[code];
      opcode_18[code](*this);
      return cycle_18[code];
    }
    case 0x1A: {
      const unsigned char code = mem->read_byte(PC++);
      mode_adr = t_prb_1A[code];
      opcode_1A[code](*this);
      return cycle_1A[code];
    }
    case 0xCD: {
      const unsigned char code = mem->read_byte(PC++);
      mode_adr = t_prb_CD[code];
      opcode_CD[code](*this);
      return cycle_CD[code];
    }
    default:
      mode_adr = t_adr[premier];
      opcode[premier](*this);
      return cycle[premier];
  }
}

unsigned short interpreteur::get_adr(unsigned char size) {
  unsigned short adresse;
  switch (mode_adr) {
    case IMM:
      adresse = PC;
      PC = static_cast<unsigned short>(PC + size);
      return adresse;
    case DIR:
      return mem->read_byte(PC++);
    case EXT:
      adresse = mem->read_word(PC);
      PC = static_cast<unsigned short>(PC + 2);
      return adresse;
    case INDX:
      return static_cast<unsigned short>(X + mem->read_byte(PC++));
    case INDY:
      return static_cast<unsigned short>(Y + mem->read_byte(PC++));
    case REL:
      return PC++;
    case NOS:
      std::cerr << "adressage NOS\n";
      std::cerr << "Mode d'adressage non autorise!!" << std::endl;
      return 0;
    default:
      return 0;
  }
}

void interpreteur::NIET() {
  if (avec_puce)
    etat = illegal;
  else
    std::cerr << "fonction inexistante!" << std::endl;
}
