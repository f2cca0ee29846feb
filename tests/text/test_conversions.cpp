#include <gtest/gtest.h>

#include <string>

#include "text/conversions.h"

namespace {

struct cas_lecture {
  const char* texte;
  int32_t attendu;
};

class lecture_stol : public testing::TestWithParam<cas_lecture> {};

TEST_P(lecture_stol, lit_chaque_caractere_comme_chiffre) {
  EXPECT_EQ(Stol(GetParam().texte), GetParam().attendu) << GetParam().texte;
}

INSTANTIATE_TEST_SUITE_P(
    conversions, lecture_stol,
    testing::Values(cas_lecture{"", 0}, cas_lecture{"12", 12},
                    cas_lecture{"-5", -5}, cas_lecture{"-", 0},
                    cas_lecture{"12a", 169}, cas_lecture{"+5", -45},
                    cas_lecture{" 5", -155}, cas_lecture{"1F", 32},
                    cas_lecture{"0", 0},
                    // wraps modulo 2^32 instead of overflowing
                    cas_lecture{"2147483647", 2147483647},
                    cas_lecture{"2147483648", INT32_MIN},
                    cas_lecture{"-2147483648", INT32_MIN},
                    cas_lecture{"4294967295", -1}, cas_lecture{"4294967296", 0},
                    cas_lecture{"99999999999999999999", 1661992959},
                    cas_lecture{"-4294967297", -1}));

TEST(conversions, stol_lit_les_octets_hauts_sans_signe) {
  // 0xE9 ('é' in Latin-1) counts 233 - 48, not a negative code.
  EXPECT_EQ(Stol(std::string("\xE9")), 185);
  EXPECT_EQ(Stol(std::string("1\xE9")), 10 + 185);
}

class lecture_hexa : public testing::TestWithParam<cas_lecture> {};

TEST_P(lecture_hexa, prefixe_dollar) {
  EXPECT_EQ(Stoloruhex("$", GetParam().texte), GetParam().attendu)
      << GetParam().texte;
}

INSTANTIATE_TEST_SUITE_P(
    conversions, lecture_hexa,
    testing::Values(cas_lecture{"$1F", 31}, cas_lecture{"ab$10", 16},
                    cas_lecture{"$", 0}, cas_lecture{"$FFFFFFFF", -1},
                    cas_lecture{"$80000000", INT32_MIN},
                    cas_lecture{"$7fffffff", INT32_MAX},
                    cas_lecture{"4096", 4096}, cas_lecture{"$1000", 4096},
                    cas_lecture{"0x1000", 721000}, cas_lecture{"", 0},
                    cas_lecture{"-12", -12},
                    // only the first prefix counts, the second is a 0 digit
                    cas_lecture{"1$2$3", 0x203}, cas_lecture{"$1 2", 0x102}));

TEST(conversions, stoloruhex_prefixe_de_plusieurs_caracteres) {
  EXPECT_EQ(Stoloruhex("0x", "0x1f"), 0x1f);  // 0 and x both count 0
  EXPECT_EQ(Stoloruhex("0x", "7 0x10"), 0x10);
  EXPECT_EQ(Stoloruhex("0x", "0X10"), Stol("0X10"));  // case matters
}

TEST(conversions, stouhex_garde_les_huit_derniers_chiffres) {
  EXPECT_EQ(Stouhex("123456789"), Stouhex("23456789"));
  EXPECT_EQ(Stouhex("123456789"), 0x23456789u);
  EXPECT_EQ(Stouhex("aBcDeF"), 0xABCDEFu);
  EXPECT_EQ(Stouhex("1 2"), 0x102u);
  EXPECT_EQ(Stouhex("12 "), 0x120u);
  EXPECT_EQ(Stouhex("g12"), 0x12u);
  EXPECT_EQ(Stouhex("FFFFFFFFF"), 0xFFFFFFFFu);
  EXPECT_EQ(Stouhex(""), 0u);
}

TEST(conversions, my_after_et_my_before_aux_bornes) {
  const std::string texte = "abcdef";
  EXPECT_EQ(my_after(texte, 0), "abcdef");
  EXPECT_EQ(my_after(texte, 2), "cdef");
  EXPECT_EQ(my_after(texte, 5), "f");
  EXPECT_EQ(my_after(texte, 6), "");
  EXPECT_EQ(my_after(texte, 1000), "");
  EXPECT_EQ(my_after(texte, -3), "abcdef");
  EXPECT_EQ(my_after("", 0), "");
  EXPECT_EQ(my_before(texte, 0), "");
  EXPECT_EQ(my_before(texte, -1), "");
  EXPECT_EQ(my_before(texte, 2), "ab");
  EXPECT_EQ(my_before(texte, 6), "abcdef");
  EXPECT_EQ(my_before(texte, 99), "abcdef");
  EXPECT_EQ(my_before("", 4), "");
}

struct cas_texte {
  int valeur;
  const char* bin8;
  const char* hex2;
  const char* hex4;
};

class textes_de_nombres : public testing::TestWithParam<cas_texte> {};

TEST_P(textes_de_nombres, garde_les_bits_bas) {
  const cas_texte& cas = GetParam();
  EXPECT_EQ(bin8toS(cas.valeur), cas.bin8) << cas.valeur;
  EXPECT_EQ(hex2toS(cas.valeur), cas.hex2) << cas.valeur;
  EXPECT_EQ(hex4toS(cas.valeur), cas.hex4) << cas.valeur;
}

INSTANTIATE_TEST_SUITE_P(
    conversions, textes_de_nombres,
    testing::Values(cas_texte{0, "00000000", "00", "0000"},
                    cas_texte{5, "00000101", "05", "0005"},
                    cas_texte{10, "00001010", "0a", "000a"},
                    cas_texte{0x1A, "00011010", "1a", "001a"},
                    cas_texte{0x1AB, "10101011", "ab", "01ab"},
                    cas_texte{0x1FF, "11111111", "ff", "01ff"},
                    cas_texte{0xB600, "00000000", "00", "b600"},
                    cas_texte{0x12345, "01000101", "45", "2345"},
                    cas_texte{0xFFFF, "11111111", "ff", "ffff"},
                    // negative values give their two's complement low bits
                    cas_texte{-1, "11111111", "ff", "ffff"},
                    cas_texte{-16, "11110000", "f0", "fff0"},
                    cas_texte{INT32_MIN, "00000000", "00", "0000"},
                    cas_texte{INT32_MAX, "11111111", "ff", "ffff"}));

TEST(conversions, hex1tos_chaque_chiffre_en_minuscule) {
  const std::string chiffres = "0123456789abcdef";
  for (int valeur = 0; valeur < 16; ++valeur) {
    EXPECT_EQ(hex1toS(valeur), std::string(1, chiffres[valeur]));
    EXPECT_EQ(hex1toS(valeur + 16 * 7), std::string(1, chiffres[valeur]));
    EXPECT_EQ(hex1toS(valeur - 16), std::string(1, chiffres[valeur]));
  }
}

}  // namespace
