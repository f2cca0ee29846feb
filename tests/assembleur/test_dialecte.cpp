// The dialect, one line a case: the addressing mode chosen, forward
// references, expressions left to right, FCC's delimiters, gaps of RMB and
// ORG, the S9 start address, the listing's columns.
#include <gtest/gtest.h>

#include <string>

#include "tests/assembleur/banc_asm.h"

namespace {

TEST(Dialecte, OneLineCases) {
  // 'o': the bytes of the source after " ORG $B600"; 's': the S9 record;
  // 'l': a line of the listing.
  const struct {
    const char* source;
    char quoi;
    const char* attendu;
    unsigned avertissements;
  } cas[] = {
      {"V EQU $20\n LDAA V", 'o', "b600:96 20", 0},
      {"V EQU $120\n LDAA V", 'o', "b600:b6 01 20", 0},
      {" LDAA V\nV EQU $20", 'o', "b600:b6 00 20", 1},
      {" JSR SP\nSP NOP", 'o', "b600:bd b6 03 01", 0},
      {" LDAA <V\nV EQU $20", 'o', "b600:96 20", 0},
      {" STAA >$20", 'o', "b600:b7 00 20", 0},
      {" JMP $20", 'o', "b600:7e 00 20", 0},
      {" JSR $20", 'o', "b600:9d 20", 0},
      {" ORG $40\nVAR RMB 1\n ORG $B600\n CLR VAR\n LDAA VAR", 'o',
       "b600:7f 00 40 96 40", 0},
      {" FCB 2+3*4", 'o', "b600:14", 0},
      {" FDB 10-2*3", 'o', "b600:00 18", 0},
      {" FCB 7/2*2", 'o', "b600:06", 0},
      {" FDB $FFFF/2", 'o', "b600:00 00", 0},
      {" FCB 2+(3*4)", 'o', "b600:0e", 0},
      {" FCB $F0&$3C|1^3", 'o', "b600:32", 0},
      {" FCB %101%3", 'o', "b600:02", 0},
      {" FCB @17,-1", 'o', "b600:0f ff", 0},
      {" FCB 'A,'B',''+1", 'o', "b600:41 42 28", 0},
      {" NOP\n FDB *,**2", 'o', "b600:01 b6 01 6c 02", 0},
      {" FCC /AB/\n FCC ,A;B,\n FCC \"x y\"", 'o',
       "b600:41 42 41 3b 42 78 20 79", 0},
      {" FCB 1,,2", 'o', "b600:01 00 02", 0},
      {" FCB 1\n RMB 3\n FCB 2", 'o', "b600:01 b604:02", 0},
      {" FCB 1\n ORG $B610\n FCB 2", 'o', "b600:01 b610:02", 0},
      {" BSZ 2\n ZMB 1\n FILL $AA,2", 'o', "b600:00 00 00 aa aa", 0},
      {" DB 1\n DW 2\n DS 1\n DB 3", 'o', "b600:01 00 02 b604:03", 0},
      {" BSET $20,$80\n BSET 5,Y,#$01", 'o', "b600:14 20 80 18 1c 05 01", 0},
      {"ICI BRCLR 0,X $01 ICI", 'o', "b600:1f 00 01 fc", 0},
      {" LDAA ,X\n LDAA 0, Y", 'o', "b600:a6 00 18 a6 00", 1},
      {" ldaa #1\n LdAb #2\n ldx 0,x", 'o', "b600:86 01 c6 02 ee 00", 0},
      {"* c\n; c\n   * c\n ORG $B600\n NOP un mot\n NOP ; c\nICI: BRA ICI", 'o',
       "b600:01 01 20 fe", 0},
      {" LSLA\n BHS *\n BLO *\n ASLD", 'o', "b600:48 24 fe 25 fe 05", 0},
      {"V SET 1\n FCB V\nV SET 2\n FCB V", 'o', "b600:01 02", 0},
      {" LDAA #$1FF", 'o', "b600:86 ff", 1},
      {"A FCB 1\nA FCB 2\n FDB A", 'o', "b600:01 02 b6 00", 1},
      {" NOP\n END\n NOP", 'o', "b600:01", 0},
      {" ORG $B600\n NOP\nICI NOP\n END ICI", 's', "S903B60145", 0},
      {" ORG $B600\n NOP\n ORG $C000\n NOP", 's', "S903B60046", 0},
      {" NOP", 's', "S9030000FC", 0},
      {" ORG $B600\nDEBUT LDAA #1 charge", 'l',
       "0002 b600 86 01             DEBUT LDAA #1 charge", 0},
      {"PORTB EQU $1004", 'l', "0001 1004                   PORTB EQU $1004",
       0},
      {" ORG $B600\n FCC /ABCDEFGH/", 'l', "          47 48", 0},
      {"PORTB EQU $1004", 'l', "PORTB            1004", 0},
      {" OPT C\n ORG $B600\n LDAA #1", 'l',
       "0003 b600 86 01             [ 2]  LDAA #1", 0},
      {" LDAA #$1FF", 'l',
       "***** essai.asm:1: avertissement : valeur tronquée à 8 bits : $01ff "
       "devient $ff",
       1},
  };
  for (const auto& c : cas) {
    SCOPED_TRACE(c.source);
    const resultat_asm r = assemble_texte(
        (c.quoi == 'o' ? " ORG $B600\n" : "") + std::string(c.source));
    ASSERT_TRUE(r.reussi()) << r.lignes_messages().front();
    EXPECT_EQ(r.nb_avertissements, c.avertissements);
    if (c.quoi == 'o') {
      EXPECT_EQ(image(r), c.attendu);
    }
    if (c.quoi == 's') {
      const std::string s19 = texte_s19(r);
      EXPECT_EQ(s19.substr(s19.rfind("S9")), std::string(c.attendu) + "\n");
    }
    if (c.quoi == 'l') {
      const std::string l = "\n" + texte_listage(r);
      EXPECT_NE(l.find("\n" + std::string(c.attendu) + "\n"), std::string::npos)
          << l;
    }
  }
}

}  // namespace
