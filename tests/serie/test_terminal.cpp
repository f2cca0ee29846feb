// The terminal at the other end of the SCI: what it shows of a program's
// byte at its own line settings, read bit by bit with the reference
// manual's data recovery (worked out by hand in the comments), and what
// it types.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <string>

#include "puce/machine.h"
#include "serie/pont_pty.h"
#include "serie/terminal_serie.h"

namespace {

// At $b600: BAUD = `baud`, TE, SCDR = $55, then about 12 000 cycles of
// delay loop and BRA *.
void programme_u(machine& m, unsigned char baud) {
  const unsigned char code[] = {0x86, baud, 0xB7, 0x10, 0x2B,  // BAUD
                                0x86, 0x08, 0xB7, 0x10, 0x2D,  // TE
                                0x86, 0x55, 0xB7, 0x10, 0x2F,  // 'U'
                                0xCE, 0x07, 0xD0,              // LDX #2000
                                0x09, 0x26, 0xFD,              // DEX, BNE
                                0x20, 0xFE};
  unsigned short a = 0xB600;
  for (unsigned char o : code) m.ecrit_octet(a++, o);
  m.reset();
}

struct cas_terminal {
  const char* nom;
  unsigned char baud;  // the program's
  reglage_terminal reglage;
  std::string ecran;  // what the terminal shows (UTF-8)
};

TEST(Terminal, WhatATerminalAtItsOwnSettingsShows) {
  const cas_terminal cas[] = {
      {"following the program", 0x30, {0, format_ligne::f8n1}, "U"},
      {"9600 against 9615: the same", 0x30, {9600, format_ligne::f8n1}, "U"},
      {"7E1: seven bits shown", 0x30, {9600, format_ligne::f7e1}, "U"},
      // $55 at 64 cycles a bit read at 9600 (RT period 13 1/48): bit 1's
      // samples fall in the sender's bits 4-5, bit 2's in bits 7-8 (0,
      // noise), the others on the idle line after the frame.
      {"31250 baud read at 9600: $FC",
       0x20,
       {9600, format_ligne::f8n1},
       "\xc3\xbc"},
      // $55 at 208 cycles read at 19200 (RT period 6.51): $66 with a
      // framing error (the stop bit's samples in bit 4), then a start on
      // bit 6's falling edge at 1248: $E6.
      {"9615 baud read at 19200: two characters",
       0x30,
       {19200, format_ligne::f8n1},
       "f\xc3\xa6"},
  };
  for (const cas_terminal& c : cas) {
    SCOPED_TRACE(c.nom);
    machine m(modele_machine::e9);
    programme_u(m, c.baud);
    terminal_serie t;
    t.regle(m, c.reglage);
    conditions_arret arret;
    arret.max_cycles = 30000;
    m.execute(arret);
    t.lit(m, true);
    EXPECT_EQ(c.ecran, t.ecran.texte());
  }
}

// Typed characters go on RxD at the terminal's rate; the local echo puts
// them on the screen too; the flat model has no SCI.
TEST(Terminal, TypingAndTheLocalEcho) {
  machine m(modele_machine::e9);
  terminal_serie t;
  EXPECT_TRUE(t.tape(m, "ab"));
  EXPECT_EQ(2u, m.file_sci());
  EXPECT_EQ("", t.ecran.texte());
  t.echo_local = true;
  EXPECT_TRUE(t.tape(m, "cd"));
  EXPECT_EQ("cd", t.ecran.texte());
  EXPECT_EQ(4u, m.file_sci());
  m.reset();
  EXPECT_EQ(0u, m.file_sci());
  machine plat(modele_machine::plat);
  EXPECT_FALSE(t.tape(plat, "x"));
}

// The bridge reads no more than the line's queue has room for: the rest
// waits in the device, in order.
TEST(Terminal, ThePtyBridgeReadsNoMoreThanAsked) {
  pont_pty p;
  std::string erreur;
  ASSERT_TRUE(p.ouvre(erreur)) << erreur;
  const int autre = open(p.chemin().c_str(), O_RDWR | O_NOCTTY);
  ASSERT_GE(autre, 0);
  ASSERT_EQ(10, write(autre, "0123456789", 10));
  std::string lu;
  for (int i = 0; i < 100 && lu.empty(); ++i) {
    lu = p.lit(4);
    usleep(1000);
  }
  EXPECT_EQ("0123", lu);
  EXPECT_EQ("", p.lit(0));
  EXPECT_EQ("456789", p.lit());
  close(autre);
}

}  // namespace
