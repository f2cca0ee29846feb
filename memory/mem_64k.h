// mem_64k: the whole 16-bit address space of the simulated MC68HC11.
//
// One flat image of 65536 cells with no memory map: the on-chip register
// block at 0x1000, the program area at 0xB600 and every other address are
// plain read/write cells without side effects. Each cell is 16 bits wide and
// holds one target byte in its low 8 bits (the upper bits are always 0).
// Words are big-endian, and a word at 0xFFFF wraps: its low byte is cell
// 0x0000, as on the real part.
//
// An on-chip system (puce/) may take over some cells: it marks them in the
// upper bits of the cell (marque_lecture, marque_ecriture) and installs a
// bus, whose functions then serve the CPU's reads or writes of those cells
// (the register block, ROM and EEPROM write rules). A cell so marked keeps
// in its low 8 bits the byte that lies under it. Unmarked cells, and every
// cell of a memory without a bus, are plain as above: the only cost is a
// test of the cell's upper bits.
#ifndef TAMRIX_MEM_64K_H
#define TAMRIX_MEM_64K_H

#include <string>

// The functions an on-chip system serves marked cells with. `lit` and
// `ecrit` are the CPU's accesses, with their side effects; `consulte` is a
// look without any (views, disassembler, dumps).
struct bus_memoire {
  void* objet;
  unsigned char (*lit)(void* objet, unsigned short adresse);
  void (*ecrit)(void* objet, unsigned short adresse, unsigned char valeur);
  unsigned char (*consulte)(void* objet, unsigned short adresse);
};

class infos_debogage;

// Who is told of every write to a watched cell (marque_surveillance):
// the byte before and after, as a view would show them; and of every read
// by the CPU of a cell marked marque_lecture_surveillee (the byte read).
struct surveillant_memoire {
  void* objet;
  void (*ecriture)(void* objet, unsigned short adresse, unsigned char avant,
                   unsigned char apres);
  void (*lecture)(void* objet, unsigned short adresse,
                  unsigned char valeur) = nullptr;
};

class mem_64k {
 public:
  // Upper bits of a cell: its reads, or its writes, go to the bus; its
  // writes are told to the watcher.
  static constexpr unsigned short marque_lecture = 0x100;
  static constexpr unsigned short marque_ecriture = 0x200;
  static constexpr unsigned short marque_surveillance = 0x400;
  static constexpr unsigned short marque_lecture_surveillee = 0x800;
  // Any mark that sends a read off the plain path.
  static constexpr unsigned short marques_lecture =
      marque_lecture | marque_lecture_surveillee;

  unsigned short cellules[65536];
  // The bus of the marked cells; null when no system is attached.
  const bus_memoire* bus;
  // The watcher of the watched cells; null when nothing is watched.
  const surveillant_memoire* surveillant;

  // Every cell starts at 0xFF, unmarked; no bus.
  mem_64k();

  unsigned char read_byte(unsigned short adresse) const {
    const unsigned short c = cellules[adresse];
    if (__builtin_expect(c & marques_lecture, 0)) return lecture_bus(adresse);
    return static_cast<unsigned char>(c);
  }
  void write_byte(unsigned short adresse, unsigned char valeur) {
    if (__builtin_expect(
            cellules[adresse] & (marque_ecriture | marque_surveillance |
                                 marque_lecture_surveillee),
            0))
      ecriture_bus(adresse, valeur);
    else
      cellules[adresse] = valeur;
  }
  // cell[a] * 256 + cell[a + 1], the second address wrapping modulo 0x10000.
  unsigned short read_word(unsigned short adresse) const {
    const unsigned short suivante = static_cast<unsigned short>(adresse + 1);
    const unsigned short haut = cellules[adresse], bas = cellules[suivante];
    if (__builtin_expect((haut | bas) & marques_lecture, 0))
      return static_cast<unsigned short>(read_byte(adresse) << 8 |
                                         read_byte(suivante));
    return static_cast<unsigned short>((haut & 0xFF) << 8 | (bas & 0xFF));
  }
  void write_word(unsigned short adresse, unsigned short valeur) {
    write_byte(adresse, static_cast<unsigned char>(valeur >> 8));
    write_byte(static_cast<unsigned short>(adresse + 1),
               static_cast<unsigned char>(valeur & 0xFF));
  }

  // The byte a view shows at `adresse`: what a read would give, without its
  // side effects.
  unsigned char consulte(unsigned short adresse) const {
    const unsigned short c = cellules[adresse];
    if (__builtin_expect(c & marque_lecture, 0))
      return consultation_bus(adresse);
    return static_cast<unsigned char>(c);
  }
  // The cell's own byte, under any register the bus maps over it; and its
  // replacement, marks kept. What program loaders write.
  unsigned char octet_brut(unsigned short adresse) const {
    return static_cast<unsigned char>(cellules[adresse]);
  }
  void ecrit_brut(unsigned short adresse, unsigned char valeur) {
    cellules[adresse] =
        static_cast<unsigned short>((cellules[adresse] & 0xFF00) | valeur);
  }

  // Program loaders: 1 when loaded, 0 on failure (memory then unchanged,
  // one line on the standard error stream says why, with the line number).
  // load_s19 reads the file line by line and checks it whole before storing
  // anything: S0 is checked and skipped, S1 stored, S2/S3 accepted only below
  // 0x10000, S5/S6 skipped, S7/S8/S9 end the file; hex digits of either case;
  // a bad character, count or checksum, data past 0xFFFF or a file without
  // data is refused. load_binaire reads a four-byte header (size including
  // the header, base address) and replaces the whole image.
  int load_s19(const char* chemin);
  int load_binaire(const char* chemin);
  // load_elf reads a linked program (ELF32 big-endian for the 68HC11, as
  // GNU ld writes it; memory/elf.cpp says what is stored where) and, when
  // given, sets `entree` to its entry point and `infos` to its symbols and
  // source lines (memory/symboles.h). On failure all three are unchanged
  // and the line says why ("fichier ELF refuse : fichier tronque ou
  // endommage"). memory/programme.h opens any form of program by its name.
  int load_elf(const char* chemin, unsigned short* entree = nullptr,
               infos_debogage* infos = nullptr);
  // Value of one hexadecimal digit of either case; 0xFF for any other
  // character.
  unsigned char asc2hex(char caractere);

  // Texts of operand addresses for the disassembler: "$" and the byte at
  // `adresse` in two hex digits, or the word there in four.
  std::string specific_byte_name(unsigned short adresse);
  std::string specific_word_name(unsigned short adresse);

 private:
  unsigned char lecture_bus(unsigned short adresse) const;
  void ecriture_bus(unsigned short adresse, unsigned char valeur);
  unsigned char consultation_bus(unsigned short adresse) const;
};

#endif
