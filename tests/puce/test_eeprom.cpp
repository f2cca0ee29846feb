// The E9's memory map and its EEPROM, one case a line: programs written
// as bytes (at $C000, external RAM in expanded mode, unless the case says
// otherwise: a program in the EEPROM could not run while EELAT is set)
// run to their final `bra *`; the cells as a view reads them, the refused
// accesses, and CONFIG after a further reset are checked.
#include <random>

#include "tests/puce/banc_puce.h"

namespace {

// Fragments of programs.
#define BPROT_LIBRE "7F 10 35 "  // CLR BPROT, within the first 64 cycles
#define PPROG(v) "C6 " v " F7 10 3B "
#define STAA(h, l, v) "86 " v " B7 " h " " l " "
// LDY #n, DEY, BNE: with the CLR PPROG that follows, EPGM stays set for
// 7n + 10 cycles: 20002 for n = 2856, 19995 for n = 2855.
#define DELAI "18 CE 0B 28 18 09 26 FC "
#define DELAI_COURT "18 CE 0B 27 18 09 26 FC "
#define FIN "7F 10 3B 20 FE"
// A whole sequence: BPROT cleared, PPROG = a, the store, PPROG = b, 10 ms,
// PPROG = 0, bra *.
#define SEQ(a, h, l, v, b) BPROT_LIBRE PPROG(a) STAA(h, l, v) PPROG(b) DELAI FIN
#define PROGRAMME(h, l, v) SEQ("02", h, l, v, "03")

struct CasCarte {
  const char* nom;
  const char* mise;   // before the reset: "monopuce", "config=0d"
  const char* code;   // at $C000 ($0100 in single-chip mode), "/ addr=byte"
  const char* apres;  // registers, then "/" and cells
  const char* refus;  // "b700:court", in order of first refusal
  const char* apres_reset;  // cells after one more reset
};

const CasCarte cas_carte[] = {
    {"a byte programmed", "", PROGRAMME("B7", "00", "5A"), "/ B700=5A", "", ""},
    {"programming only clears bits", "",
     PROGRAMME("B7", "00", "5A") "/ B700=F0", "/ B700=50", "", ""},
    {"byte erase", "", SEQ("16", "B7", "00", "00", "17") "/ B700=00 B701=00",
     "/ B700=FF B701=00", "", ""},
    {"row erase", "",
     SEQ("0E", "B7", "15", "00", "0F") "/ B70F=0 B710=0 B71F=0",
     "/ B70F=00 B710=FF B71F=FF", "", ""},
    {"bulk erase", "",
     SEQ("06", "B6", "40", "0", "07") "/ B600=0 B7FF=0 B800=0",
     "/ B600=FF B7FF=FF B800=00", "", ""},
    {"EPGM for 20000 cycles is enough", "",
     BPROT_LIBRE PPROG("02") STAA("B7", "00", "5A") PPROG("03") DELAI_COURT
     "21 00 01 " FIN,
     "/ B700=5A", "", ""},
    {"EPGM for 19999 cycles changes nothing", "",
     BPROT_LIBRE PPROG("02") STAA("B7", "00", "5A") PPROG("03") DELAI_COURT
     "01 01 " FIN,
     "/ B700=FF", "b700:court", ""},
    {"EPGM without EELAT is not set", "",
     BPROT_LIBRE PPROG("01") "F6 10 3B " STAA("B7", "00", "5A") DELAI FIN,
     "B=00 / B700=FF", "b700:eeprom", ""},
    {"EELAT and EPGM in one write: EELAT alone", "",
     BPROT_LIBRE PPROG("03") "F6 10 3B " STAA("B7", "00", "5A") DELAI FIN,
     "B=02 / B700=FF", "", ""},
    {"the last store before EPGM is latched", "",
     BPROT_LIBRE PPROG("02") STAA("B7", "00", "11") STAA("B7", "01", "22")
         PPROG("03") DELAI FIN,
     "/ B700=FF B701=22", "", ""},
    {"a store while EPGM is set is refused", "",
     BPROT_LIBRE PPROG("02") STAA("B7", "00", "5A") PPROG("03")
         STAA("B7", "01", "33") DELAI FIN,
     "/ B700=5A B701=FF", "b701:eeprom", ""},
    {"while EPGM is set PPROG keeps its bits", "",
     BPROT_LIBRE PPROG("02") STAA("B7", "00", "5A") PPROG("03")
         PPROG("17") "B6 10 3B " DELAI FIN,
     "A=03 / B700=5A", "", ""},
    {"the EEPROM reads $FF while EELAT is set", "",
     PPROG("02") "B6 B7 00 " FIN "/ B700=12", "A=FF / B700=12", "b700:lecture",
     ""},
    {"BPROT protects every block after reset", "",
     PPROG("02") STAA("B7", "00", "5A") PPROG("03") DELAI FIN, "/ B700=FF",
     "b700:protege", ""},
    {"BPROT cleared after 64 cycles stays set", "",
     "C6 10 5A 26 FD " PROGRAMME("B7", "00", "5A"), "/ B700=FF", "b700:protege",
     ""},
    {"BPROT's bits can be set at any time", "",
     BPROT_LIBRE "C6 10 5A 26 FD 86 08 B7 10 35 " PROGRAMME("B7", "00", "5A"),
     "/ B700=FF 1035=08", "b700:protege", ""},
    {"a plain store to the EEPROM is ignored", "",
     STAA("B7", "01", "5A") "20 FE / B701=00", "/ B701=00", "b701:eeprom", ""},
    {"a store to the ROM is ignored", "",
     STAA("D0", "00", "5A") "20 FE / D000=12", "/ D000=12", "d000:rom", ""},
    {"single-chip: outside the map reads $FF", "monopuce",
     "B6 20 00 20 FE / 2000=12", "A=FF / 2000=FF", "", ""},
    {"single-chip: RAM and ROM answer", "monopuce",
     STAA("01", "FF", "5A") "B6 FF FF 20 FE / FFFF=34", "A=34 / 01FF=5A", "",
     ""},
    {"single-chip: the ROM is there whatever ROMON", "monopuce config=0d",
     "B6 D0 00 20 FE / D000=12", "A=12", "", ""},
    {"ROMON clear, expanded: external memory", "config=0d",
     STAA("D0", "00", "5A") "20 FE", "/ D000=5A", "", ""},
    {"EEON clear, expanded: external memory", "config=0e",
     STAA("B7", "00", "5A") "20 FE", "/ B700=5A", "", ""},
    {"EEON clear, single-chip: nothing", "monopuce config=0e", "B6 B7 00 20 FE",
     "A=FF", "", ""},
    {"INIT's RAM at $F000 covers the ROM", "",
     "86 F1 B7 10 3D " STAA("F0", "00", "5A") "20 FE", "/ F000=5A", "", ""},
    {"CONFIG programmed: the old value until reset", "",
     PROGRAMME("10", "3F", "0B"), "/ 103F=0F", "", "103F=0B"},
    // NOCOP stays set in these CONFIG values: a COP would reset the chip
    // during the programming delay.
    {"CONFIG erased", "config=07", SEQ("06", "10", "3F", "FF", "07"),
     "/ 103F=07", "", "103F=0F"},
    {"PTCON protects CONFIG", "",
     "86 10 B7 10 35 " PPROG("02") STAA("10", "3F", "0B") PPROG("03") DELAI FIN,
     "/ 103F=0F", "103f:protege", "103F=0F"},
    {"a plain store to CONFIG is ignored", "", STAA("10", "3F", "00") "20 FE",
     "/ 103F=0F", "103f:config", "103F=0F"},
    {"erasing the array leaves CONFIG", "config=07",
     SEQ("06", "B6", "00", "00", "07"), "/ B600=FF", "", "103F=07"},
};

const char* const noms_refus[] = {"rom",   "eeprom",  "absente", "config",
                                  "court", "protege", "lecture"};

// Builds the machine of a case, runs it to its final self-loop; returns
// it for the checks.
std::unique_ptr<machine> execute_carte(const CasCarte& c) {
  std::unique_ptr<machine> m(new machine(modele_machine::e9));
  const std::string mise = c.mise;
  const bool monopuce = mise.find("monopuce") != std::string::npos;
  m->choisit_mode(!monopuce);
  const auto config = mise.find("config=");
  if (config != std::string::npos)
    m->systeme()->etat.systeme.config_eeprom = static_cast<unsigned char>(
        std::stoul(mise.substr(config + 7, 2), nullptr, 16));
  m->reset();
  banc::Etat cellules;
  const std::vector<uint8_t> code = banc::lit_code(c.code, cellules);
  const uint16_t origine = monopuce ? 0x0100 : 0xC000;
  uint16_t a = origine;
  for (uint8_t o : code) m->ecrit_octet(a++, o);
  for (const auto& cell : cellules.cellules)
    m->ecrit_octet(cell.first, cell.second);
  m->cpu.PC = origine;
  conditions_arret conditions;
  conditions.max_pas = 100000;
  EXPECT_EQ(arret_machine::boucle, m->execute(conditions));
  return m;
}

std::string refus_de(const machine& m) {
  std::string texte;
  for (const acces_refuse& r : m.acces_refuses()) {
    char mot[32];
    std::snprintf(mot, sizeof mot, "%s%x:%s", texte.empty() ? "" : " ",
                  r.adresse, noms_refus[r.nature]);
    texte += mot;
  }
  return texte;
}

void verifie_cellules(const machine& m, const std::string& texte) {
  for (const auto& cell : banc::lit_etat(texte).cellules)
    EXPECT_EQ(banc::hex(cell.second), banc::hex(m.memoire.consulte(cell.first)))
        << "cell " << banc::hex(cell.first);
}

TEST(Carte, TableOfCases) {
  for (const CasCarte& c : cas_carte) {
    SCOPED_TRACE(c.nom);
    const std::unique_ptr<machine> m = execute_carte(c);
    const banc::Etat attendu = banc::lit_etat(c.apres);
    const auto lus = banc::registres(m->cpu);
    for (const auto& r : attendu.registres)
      EXPECT_EQ(banc::hex(r.second), banc::hex(lus.at(r.first)))
          << "register " << r.first;
    verifie_cellules(*m, c.apres);
    EXPECT_EQ(c.refus, refus_de(*m));
    m->reset();
    verifie_cellules(*m, std::string("/ ") + c.apres_reset);
  }
}

// BPROT's blocks: with one bit set, the first and last byte of its block
// are refused, the bytes just outside it programmed.
TEST(Carte, EachBlockOfBprot) {
  const struct {
    const char* bprot;
    unsigned short premier, dernier;
  } blocs[] = {{"01", 0xB600, 0xB61F},
               {"02", 0xB620, 0xB65F},
               {"04", 0xB660, 0xB6DF},
               {"08", 0xB6E0, 0xB7FF}};
  for (const auto& b : blocs)
    for (int ecart : {-1, 0, 1})
      for (unsigned short cible : {b.premier, b.dernier}) {
        const auto a = static_cast<unsigned short>(
            cible + (cible == b.premier ? ecart : -ecart));
        if (a < 0xB600 || a > 0xB7FF) continue;
        char h[3], l[3];
        std::snprintf(h, sizeof h, "%02X", a >> 8);
        std::snprintf(l, sizeof l, "%02X", a & 0xFF);
        const std::string code = std::string("86 ") + b.bprot +
                                 " B7 10 35 " PPROG("02") "86 5A B7 " + h +
                                 " " + l + " " PPROG("03") DELAI FIN;
        const bool dedans = ecart >= 0;
        SCOPED_TRACE(std::string("BPROT=") + b.bprot + " at " + h + l);
        const CasCarte c{"", "", code.c_str(), "", "", ""};
        const std::unique_ptr<machine> m = execute_carte(c);
        EXPECT_EQ(dedans ? 0xFF : 0x5A, m->memoire.consulte(a));
        EXPECT_EQ(dedans ? 1u : 0u, m->acces_refuses().size());
      }
}

// A chip memory taken out of the map keeps its content, and so does the
// memory that answers in its place.
TEST(Carte, MemoriesOutOfTheMapKeepTheirContents) {
  machine m(modele_machine::e9);
  m.ecrit_octet(0xB700, 0x11);
  m.ecrit_octet(0xD000, 0x22);
  puce& p = *m.systeme();
  p.etat.systeme.config_eeprom = 0x0C;  // ROMON and EEON clear
  m.reset();
  EXPECT_EQ(0xFF, m.memoire.consulte(0xB700));
  m.ecrit_octet(0xB700, 0x33);
  m.ecrit_octet(0xD000, 0x44);
  m.efface_eeprom();
  p.etat.systeme.config_eeprom = 0x0F;
  m.reset();
  EXPECT_EQ(0xFF, m.memoire.consulte(0xB700));  // erased while out
  EXPECT_EQ(0x22, m.memoire.consulte(0xD000));
  p.etat.systeme.config_eeprom = 0x0C;
  m.reset();
  EXPECT_EQ(0x33, m.memoire.consulte(0xB700));
  EXPECT_EQ(0x44, m.memoire.consulte(0xD000));
  // The flat model gets the chip's memories back in the cells.
  m.change_modele(modele_machine::plat);
  EXPECT_EQ(0xFF, m.memoire.read_byte(0xB700));
  EXPECT_EQ(0x22, m.memoire.read_byte(0xD000));
}

// Whatever a program writes to PPROG, BPROT, CONFIG and the EEPROM, and
// whenever, nothing changes outside the EEPROM and CONFIG.
TEST(Carte, HammeringTheEepromRegistersTouchesNothingElse) {
  std::mt19937 alea(1234);
  machine m(modele_machine::e9);
  for (unsigned a = 0; a < 0x10000; ++a)
    m.ecrit_octet(static_cast<unsigned short>(a),
                  static_cast<unsigned char>(a * 7));
  m.reset();
  m.ecrit_octet(0x1035, 0x00);  // BPROT cleared: erasures may happen
  std::vector<unsigned char> avant(0x10000);
  for (unsigned a = 0; a < 0x10000; ++a)
    avant[a] = m.memoire.octet_brut(static_cast<unsigned short>(a));
  puce& p = *m.systeme();
  // BPROT last: its garbage soon protects every block.
  const unsigned short cibles[] = {0x103B, 0x103F, 0xB600, 0xB6FF,
                                   0xB7FF, 0xD000, 0xFFFF, 0x1035};
  for (int i = 0; i < 20000; ++i) {
    const unsigned nb_cibles = i < 10000 ? 7 : 8;
    m.cycles += alea() % 9000;
    p.instruction.hors = true;
    m.memoire.write_byte(cibles[alea() % nb_cibles],
                         static_cast<unsigned char>(alea()));
    (void)m.memoire.read_byte(cibles[alea() % nb_cibles]);
  }
  int eeprom_changee = 0;
  for (unsigned a = 0; a < 0x10000; ++a) {
    const bool eeprom = a >= 0xB600 && a < 0xB800;
    if (eeprom)
      eeprom_changee +=
          avant[a] != m.memoire.octet_brut(static_cast<unsigned short>(a));
    if (eeprom || (a >= 0x1000 && a < 0x1040)) continue;
    ASSERT_EQ(avant[a], m.memoire.octet_brut(static_cast<unsigned short>(a)))
        << std::hex << a;
  }
  // The sequences did program and erase.
  EXPECT_GT(eeprom_changee, 0);
}

// tests/puce/programmes/carte.s, assembled by the GNU tools.
TEST(Carte, TheLoaderWritesTheEepromAndTheRom) {
  machine m(modele_machine::e9);
  const std::string image =
      TAMRIX_SOURCE_DIR "/tests/puce/programmes/carte.s19";
  ASSERT_EQ(1, m.memoire.load_s19(image.c_str()));
  m.reset();
  EXPECT_EQ(0xB600, m.cpu.PC);                  // the vector, from the ROM
  EXPECT_EQ(0xC6, m.memoire.consulte(0xB600));  // LDAB #
  conditions_arret c;
  c.max_pas = 100;
  EXPECT_EQ(arret_machine::boucle, m.execute(c));
  EXPECT_EQ(0x00, m.memoire.consulte(0xB611));
  EXPECT_EQ(0xFF, m.memoire.consulte(0xD000));
  EXPECT_EQ(0x5A, m.memoire.consulte(0x0010));
  // Each store twice: two addresses kept, four refusals counted.
  ASSERT_EQ(2u, m.acces_refuses().size());
  EXPECT_EQ(4u, m.nombre_refus());
  EXPECT_EQ(0xB611, m.acces_refuses()[0].adresse);
  EXPECT_EQ(0xB604, m.acces_refuses()[0].pc);
  EXPECT_EQ(refus_rom, m.acces_refuses()[1].nature);
}

}  // namespace
