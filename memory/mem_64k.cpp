#include "memory/mem_64k.h"

mem_64k::mem_64k() {
  for (unsigned short& cellule : cellules) cellule = 0xFF;
}
