// The monitor ROM of examples/moniteur.asm, assembled by tamrix's own
// assembler and driven through its SCI by tamrix-run: the banner, each
// command, a program made by the GNU tools loaded with LOAD T and run, a
// breakpoint, and two differential tests: the monitor's DASM against
// tamrix's disassembler over every opcode, its trace (T) against
// tamrix-run --trace.
#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "cpu/interpreteur.h"
#include "memory/mem_64k.h"
#include "tests/run/processus.h"
#include "text/conversions.h"

namespace {

const std::string moniteur = exemple("moniteur.asm");

const std::string banniere =
    "\r\nMoniteur tamrix 1.0 -- MC68HC711E9, 9600 bauds\r\n"
    "Tapez ? pour la liste des commandes.\r\n>";

// A session at the terminal. The lines typed (each ended by Enter) reach
// the SCI through --sci-in, all at once: the monitor keeps what comes early
// in its receive queue and echoes each character when it reads it, so the
// transcript is the one of a user who waits for each prompt (a scripted
// dialogue, "wait for >, then send the line", gives the same one: tape()
// is the one place to change for it).
struct seance {
  std::string transcription;  // what the monitor sent
  sortie_run run;
};

std::string echappe(const std::string& texte) {
  std::string sortie;
  for (unsigned char c : texte) {
    if (c == '\\') {
      sortie += "\\\\";
    } else if (c >= 0x20 && c < 0x7F) {
      sortie += static_cast<char>(c);
    } else {
      char hex[8];
      std::snprintf(hex, sizeof hex, "\\x%02x", c);
      sortie += hex;
    }
  }
  return sortie;
}

// Each element of `tape` is a line typed then Enter, or, starting with '@',
// the path of a file sent as it is.
seance tape(const std::vector<std::string>& tape,
            std::vector<std::string> options = {}) {
  dossier_temporaire d;
  const std::string sortie = d.fichier("sci");
  options.insert(options.begin(), {"--sci-out", sortie});
  for (const std::string& t : tape) {
    if (!t.empty() && t[0] == '@')
      options.insert(options.end(), {"--sci-in-file", t.substr(1)});
    else
      options.insert(options.end(), {"--sci-in", echappe(t + "\r")});
  }
  options.push_back(moniteur);
  seance s;
  s.run = lance_run(options);
  s.transcription = lit_tout(sortie);
  return s;
}

TEST(Moniteur, BannerThenPromptThenWaitsForAKey) {
  const seance s = tape({});
  EXPECT_EQ(s.transcription, banniere);
  // The monitor sleeps in WAI on an empty queue: nothing can wake it.
  EXPECT_NE(s.run.derniere_ligne().find(" stop=wait"), std::string::npos)
      << s.run.derniere_ligne();
  EXPECT_EQ(s.run.statut, 0) << s.run.erreurs;
}

// One command (or a few) a line: what is typed, the data poked beforehand,
// and a piece of the transcript that must appear as it is (the echo of the
// line included).
struct cas_commande {
  const char* nom;
  std::vector<std::string> lignes;
  std::vector<std::string> options;
  std::string attendu;
};

const std::string octets_2000 = "0x2000=0x41,0x42,0x00,0x7e,0x80,0x20";

TEST(Moniteur, EachCommand) {
  const cas_commande cas[] = {
      {"HELP lists the commands",
       {"?"},
       {},
       ">?\r\nCommandes (nombres en hexadecimal) :\r\n"
       "  MD adr [fin]         affiche la memoire\r\n"},
      {"MD: 16 bytes a line, their characters",
       {"md 2003 2005"},
       {"--poke", octets_2000},
       ">md 2003 2005\r\n2000  41 42 00 7e 80 20 ff ff ff ff ff ff ff ff ff "
       "ff  AB.~. ..........\r\n>"},
      {"MD without an end: 128 bytes, 8 lines",
       {"MD FF80"},
       {},
       "\r\nfff0  cc 27 cc 2a cc 2d"},
      {"backspace and DEL edit the line",
       {"MD 2000 201\b\x7f"
        "005"},
       {"--poke", octets_2000},
       ">MD 2000 201\b \b\b \b005\r\n2000  41 42 00 7e"},
      {"MM: a value, Enter, ^, then .",
       {"MM 2000", "12", "^", "", "34", "."},
       {},
       ">MM 2000\r\n2000 ff 12\r\n2001 ff ^\r\n2000 12 \r\n2001 ff 34\r\n"
       "2002 ff .\r\n>"},
      {"MM then MD: the bytes are in RAM",
       {"MM 2000", "12", "34", ".", "MD 2000 2001"},
       {},
       "\r\n2000  12 34 ff"},
      {"MM programs the EEPROM (erase, then program)",
       {"MM B600", "5A", "A5", ".", "MM B600", "0F", ".", "MD B600 B601"},
       {"--poke", "0xb600=0x00"},
       ">MD B600 B601\r\nb600  0f a5 ff"},
      {"MM refuses the ROM",
       {"MM D000", "12", "."},
       {},
       "d000 5f 12\r\nEcriture impossible en d000 : ROM\r\nd000 5f ."},
      {"MM refuses the monitor's RAM",
       {"MM CE00", "12", "."},
       {},
       "Ecriture impossible en ce00 : RAM du moniteur"},
      {"MM: a value must be a byte",
       {"MM 2000", "123", "zz", "."},
       {},
       "2000 ff 123\r\nLa valeur doit tenir sur un octet (00 a ff)\r\n"
       "2000 ff zz\r\nNombre hexadecimal invalide\r\n2000 ff ."},
      {"BF fills, MOVE copies upward over itself",
       {"BF 2000 2003 AA", "MOVE 2000 2005 2002", "MD 2000 2007"},
       {"--poke", octets_2000},
       ">MD 2000 2007\r\n2000  aa aa aa aa aa aa 80 20 ff"},
      {"MOVE copies downward over itself",
       {"MOVE 2002 2005 2000", "MD 2000 2005"},
       {"--poke", octets_2000},
       ">MD 2000 2005\r\n2000  00 7e 80 20 80 20 ff"},
      {"BF stops at the first refused byte",
       {"BF FFFE FFFF 0"},
       {},
       ">BF FFFE FFFF 0\r\nEcriture impossible en fffe : ROM\r\n>"},
      {"RM shows the registers after reset",
       {"RM", "."},
       {},
       ">RM\r\nPC=b600 A=00 B=00 X=0000 Y=0000 SP=01ff CCR=11010000\r\n"
       "P=b600 .\r\n"},
      {"RM: each register in turn",
       {"RM", "C000", "1234", "", "5", "", "c0", ""},
       {},
       "S=01ff \r\nPC=c000 A=05 B=00 X=0000 Y=1234 SP=01ff "
       "CCR=11000000\r\n>"},
      {"RM reg value",
       {"RM x 99", "rm SP 1F0", "RM CCR 100"},
       {},
       "X=0099 Y=0000 SP=01f0 CCR=11010000\r\n>RM CCR 100\r\n"
       "La valeur doit tenir sur un octet (00 a ff)\r\n>"},
      {"BR adds, lists, refuses the ROM, clears",
       {"BR 2000 $2010", "BR 2000", "BR E000", "BR -"},
       {},
       ">BR 2000 $2010\r\nPoints d'arret : 2000 2010\r\n>BR 2000\r\n"
       "Points d'arret : 2000 2010\r\n>BR E000\r\n"
       "Pas de point d'arret possible en e000\r\n>BR -\r\n"
       "Points d'arret : aucun\r\n>"},
      {"BR: six at most",
       {"BR 1 2 3 4 5 6 7"},
       {},
       "Pas plus de 6 points d'arret"},
      {"DASM: bytes, text, where a branch goes",
       {"DASM 2000 3"},
       {"--poke", "0x2000=0x86,0x05,0x26,0xfc,0x18,0xce,0x12,0x34"},
       ">DASM 2000 3\r\n2000  86 05           LDAA #$5\r\n"
       "2002  26 fc           BNE  $fc  -> 2000\r\n"
       "2004  18 ce 12 34     LDY  #$1234\r\n>"},
      {"G runs to a SWI, CALL comes back on RTS",
       {"G 2000", "CALL 2010"},
       {"--poke", "0x2000=0x86,0x05,0x3f", "--poke", "0x2010=0x4c,0x39"},
       ">G 2000\r\nSWI en 2002\r\n"
       "PC=2003 A=05 B=00 X=0000 Y=0000 SP=01ff CCR=11010000\r\n"
       ">CALL 2010\r\nRetour du sous-programme\r\n"
       "PC=2003 A=06 B=00 X=0000 Y=0000 SP=01ff CCR=11010000\r\n>"},
      {"G refuses a stack outside RAM",
       {"RM S D000", "G 2000"},
       {},
       ">G 2000\r\nPile du programme hors RAM : SP=d000\r\n>"},
      {"an interrupt without a handler stops the program",
       {"G 2000"},
       {"--poke", "0x2000=0x86,0x40,0xb7,0x10,0x24,0x0e,0x20,0xfe"},
       ">G 2000\r\nInterruption RTI sans programme (pseudo-vecteur cc27) : "
       "autorisations du timer et du SPI coupees\r\n"
       "PC=2006 A=40 B=00 X=0000 Y=0000 SP=01ff CCR=11000000\r\n>"},
      {"T stops on a jump to itself",
       {"T"},
       {"--poke", "0xb600=0x20,0xfe"},
       ">T\r\nSaut sur lui-meme, trace arretee en b600\r\n>"},
      {"LOAD T: records counted, errors, refused bytes",
       {"LOAD T",
        "S10520001234"
        "94",
        "S10520001234"
        "00",
        "S2080001001234"
        "FF",
        "S105D000AABB"
        "C5",
        "S9032000DC", "MD 2000 2001"},
       {},
       "Enregistrements : 2, erreurs : 2, octets refuses : 2\r\n"
       "Depart du programme : 2000\r\n>MD 2000 2001\r\n2000  12 34"},
      {"single-chip mode: no RAM for the monitor, it says so",
       {},
       {"--mode", "single-chip"},
       "\r\nMoniteur tamrix : pas de RAM externe en $C800-$CFFF\r\n"
       "(mode monopuce ?) : arret.\r\n"},
      {"unknown command, bad number, extra argument, end before start",
       {"XYZ", "MD 2G", "MD 1 2 3", "MD 10 5", "MD 12345"},
       {},
       ">XYZ\r\nCommande inconnue (? pour l'aide)\r\n>MD 2G\r\n"
       "Nombre hexadecimal invalide\r\n>MD 1 2 3\r\nArgument en trop\r\n"
       ">MD 10 5\r\nLa fin est avant le debut\r\n>MD 12345\r\n"
       "Nombre hexadecimal invalide\r\n>"},
  };
  for (const cas_commande& c : cas) {
    SCOPED_TRACE(c.nom);
    const seance s = tape(c.lignes, c.options);
    EXPECT_NE(s.transcription.find(c.attendu), std::string::npos)
        << s.transcription;
    EXPECT_EQ(s.run.statut, 0) << s.run.derniere_ligne() << s.run.erreurs;
  }
}

TEST(Moniteur, LoadTOfAGnuProgramThenGo) {
  // moniteur_rti.s19, made by m68hc11-as and m68hc11-ld at $c000: it takes
  // the real-time interrupt through the monitor's pseudo-vector, counts
  // three of them at $0000 and comes back by SWI.
  const seance s =
      tape({"LOAD T", "@" + programme_test("moniteur_rti.s19"), "G"},
           {"--dump", "0:0"});
  EXPECT_NE(s.transcription.find(
                "Enregistrements : 3, erreurs : 0, octets refuses : 0\r\n"
                "Depart du programme : c000\r\n>G\r\nSWI en c022\r\n"
                "PC=c023 A=03 B=00 X=c023 Y=0000 SP=01ff CCR=11010100\r\n>"),
            std::string::npos)
      << s.transcription;
  EXPECT_EQ(s.run.lignes().front(), "   0  3");
  EXPECT_EQ(s.run.statut, 0) << s.run.erreurs;
}

TEST(Moniteur, BreakpointInTheEepromStopsThenTheProgramEnds) {
  // somme.s19 (GNU tools, $b600) goes into the EEPROM: a breakpoint there
  // is programmed, stops the loop twice, and goes; the sum is then made.
  const seance s = tape(
      {"LOAD T", "@" + exemple("somme.s19"), "BR B603", "G", "G", "BR -", "G"},
      {"--dump", "0:0"});
  EXPECT_NE(s.transcription.find(
                ">G\r\nPoint d'arret en b603\r\n"
                "PC=b603 A=00 B=0a X=0000 Y=0000 SP=01ff CCR=11010000\r\n"
                ">G\r\nPoint d'arret en b603\r\n"
                "PC=b603 A=0a B=09 X=0000 Y=0000 SP=01ff CCR=11010000\r\n"),
            std::string::npos)
      << s.transcription;
  // The last G ends on the program's own loop (bra fin): 55 at $0000, and
  // the EEPROM holds the program again, not a SWI.
  EXPECT_EQ(s.run.lignes().front(), "   0 37");
  EXPECT_NE(s.run.derniere_ligne().find("PC=b609 A=37"), std::string::npos)
      << s.run.derniere_ligne();
  EXPECT_NE(s.run.derniere_ligne().find("stop=loop"), std::string::npos);
}

// The monitor's trace of flux.s19 (every kind of branch, jump, call and
// return) and tamrix-run's, line for line: address, bytes, text and
// registers (tamrix-run adds the cycle count).
TEST(Moniteur, TraceLinesAreTamrixRunsTraceLines) {
  const std::string flux = programme_test("flux.s19");
  const seance s = tape({"LOAD T", "@" + flux, "T 34"});
  const sortie_run r =
      lance_run({"--trace", "--pc", "0xc000", "--max-steps", "52", flux});
  std::vector<std::string> attendues, vues;
  for (const std::string& l : r.lignes())
    if (l.find(" cycles=") != std::string::npos && l.find("  ") == 4)
      attendues.push_back(l.substr(0, l.find(" cycles=")));
  std::istringstream t(s.transcription);
  std::string l;
  while (std::getline(t, l))
    if (l.size() > 6 && l.find("  ") == 4)
      vues.push_back(l.substr(0, l.size() - 1));
  ASSERT_EQ(attendues.size(), 52u);
  EXPECT_EQ(vues, attendues);
}

// The monitor's DASM over every opcode of the four pages, each with its
// operand bytes, against cpu/desassembleur's text for the same bytes: one
// row a line.
TEST(Moniteur, DasmOfEveryOpcodeIsTamrixsDisassembly) {
  auto mem = std::make_unique<mem_64k>();
  interpreteur cpu;
  cpu.learn_mem(mem.get());
  std::mt19937 hasard(11);
  const unsigned debut = 0x2000;
  unsigned a = debut, n = 0;
  for (unsigned page : {0x00u, 0x18u, 0x1Au, 0xCDu})
    for (unsigned code = 0; code < 256; ++code) {
      if (page == 0 && (code == 0x18 || code == 0x1A || code == 0xCD)) continue;
      const unsigned premier = a;
      if (page != 0) mem->write_byte(a++, static_cast<unsigned char>(page));
      mem->write_byte(a++, static_cast<unsigned char>(code));
      for (int i = 0; i < 3; ++i)  // operands (the next opcode overwrites)
        mem->write_byte(a + i, static_cast<unsigned char>(hasard()));
      a = cpu.desa_num(static_cast<unsigned short>(premier));
      ++n;
    }
  std::string octets = "0x2000=";
  for (unsigned i = debut; i < a; ++i)
    octets += (i > debut ? ",0x" : "0x") + hex2toS(mem->consulte(i));

  char commande[32];
  std::snprintf(commande, sizeof commande, "DASM 2000 %x", n);
  const seance s = tape({commande}, {"--poke", octets});
  std::istringstream lignes(s.transcription);
  std::string ligne;
  std::getline(lignes, ligne);  // up to the echo of the command
  while (std::getline(lignes, ligne) &&
         ligne.find(commande) == std::string::npos) {
  }
  for (unsigned p = debut; p < a;) {
    char texte[64];
    const unsigned short suivante =
        cpu.desa_ins(static_cast<unsigned short>(p), texte);
    std::string attendu = hex4toS(p) + "  ";
    std::string bytes;
    for (unsigned i = p; i < suivante; ++i)
      bytes += (i > p ? " " : "") + hex2toS(mem->consulte(i));
    attendu += bytes + std::string(14 - bytes.size(), ' ') + "  " + texte;
    // Relative branches, BRSET and BRCLR: the offset is the last byte.
    const std::string mnemonique(texte, 5);
    if ((mnemonique[0] == 'B' && mnemonique != "BSET " &&
         mnemonique != "BCLR " && mnemonique.substr(0, 3) != "BIT")) {
      const auto decalage =
          static_cast<signed char>(mem->consulte(suivante - 1));
      attendu += "  -> " + hex4toS((suivante + decalage) & 0xFFFF);
    }
    ASSERT_TRUE(std::getline(lignes, ligne)) << attendu;
    EXPECT_EQ(ligne, attendu + "\r");
    p = suivante;
  }
  EXPECT_EQ(s.run.statut, 0);
}

}  // namespace

namespace {

// tamrix-as writes the same image and listing at every run; the image is
// the one the GNU tools make of the same program, translated to their
// syntax by bench/motorola_vers_gnu.py (linked at $d000, vectors at $ffd6).
TEST(Moniteur, TamrixAsIsStableAndTheGnuToolsAgree) {
  dossier_temporaire d;
  const std::string source = d.ecrit("moniteur.asm", lit_tout(moniteur));
  std::string images[2], listages[2];
  for (int i = 0; i < 2; ++i) {
    const sortie_run r = lance_programme(TAMRIX_AS_PROGRAMME, {"-l", source});
    ASSERT_EQ(r.statut, 0) << r.erreurs;
    EXPECT_EQ(r.erreurs, "");
    images[i] = lit_tout(d.fichier("moniteur.s19"));
    listages[i] = lit_tout(d.fichier("moniteur.lst"));
  }
  EXPECT_EQ(images[0], images[1]);
  EXPECT_EQ(listages[0], listages[1]);

  const std::string racine = TAMRIX_SOURCE_DIR;
  const std::string gnu_s = d.fichier("moniteur.s");
  const std::string commande =
      "python3 '" + racine + "/bench/motorola_vers_gnu.py' '" + moniteur +
      "' > '" + gnu_s + "' && bash '" + racine + "/tools/assemble.sh' '" +
      gnu_s + "' '" + d.fichier("gnu.s19") + "' 0xd000";
  ASSERT_EQ(std::system(commande.c_str()), 0) << commande;
  auto notre = std::make_unique<mem_64k>();
  auto gnu = std::make_unique<mem_64k>();
  ASSERT_EQ(notre->load_s19(d.fichier("moniteur.s19").c_str()), 1);
  ASSERT_EQ(gnu->load_s19(d.fichier("gnu.s19").c_str()), 1);
  unsigned differences = 0;
  for (unsigned a = 0; a < 0x10000; ++a)
    if (notre->cellules[a] != gnu->cellules[a]) ++differences;
  EXPECT_EQ(differences, 0u);
  EXPECT_EQ(notre->consulte(0xFFFE) << 8 | notre->consulte(0xFFFF), 0xD000);
}

}  // namespace
