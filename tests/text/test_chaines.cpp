#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <climits>
#include <cmath>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "text/chaines.h"

namespace {

using testing::internal::CaptureStderr;
using testing::internal::GetCapturedStderr;

// ---------------------------------------------------------------- numbers

TEST(chaines_nombres, stoa_copie_jusqu_au_zero_final) {
  const std::vector<std::string> textes = {"", "a", "tamrix 68HC11",
                                           std::string(5000, 'x'),
                                           std::string("a\0b\xE9", 4)};
  for (const std::string& texte : textes) {
    char* copie = Stoa(texte);
    EXPECT_EQ(std::memcmp(copie, texte.data(), texte.size()), 0);
    EXPECT_EQ(copie[texte.size()], '\0');
    delete[] copie;
  }
}

TEST(chaines_nombres, textes_decimaux_et_octaux) {
  EXPECT_EQ(ctoS('x'), "x");
  EXPECT_EQ(ctoS('\xE9'), std::string(1, '\xE9'));
  EXPECT_EQ(unslong2S(0), "0");
  EXPECT_EQ(unslong2S(4294967295u), "4294967295");
  EXPECT_EQ(long2S(0), "0");
  EXPECT_EQ(long2S(-7), "-7");
  EXPECT_EQ(long2S(INT32_MIN), "-2147483648");
  EXPECT_EQ(long2S(INT32_MAX), "2147483647");
  EXPECT_EQ(unslongbyS(0), "A");
  EXPECT_EQ(unslongbyS(7), "H");
  EXPECT_EQ(unslongbyS(8), "BA");
  EXPECT_EQ(unslongbyS(0777), "HHH");
  EXPECT_EQ(unslongbyS(4294967295u), "DHHHHHHHHHH");  // 37777777777
  EXPECT_EQ(hex8toS(0), "00000000");
  EXPECT_EQ(hex8toS(0x1A), "0000001a");
  EXPECT_EQ(hex8toS(0xDEADBEEF), "deadbeef");
  EXPECT_EQ(hex8toS(0x00010000), "00010000");
}

struct cas_dtos {
  double valeur;
  int decimales;
  const char* attendu;
};

TEST(chaines_nombres, dtos_arrondit_la_moitie_vers_le_bas) {
  const cas_dtos cas[] = {
      {3.14159, 2, "3.14"},
      {0.126, 2, "0.13"},
      {0.125, 2, "0.12"},  // exact half: down
      {0.375, 2, "0.37"},  // exact half: down
      {-0.25, 1, "-0.2"},  // exact half, negative
      {0.05, 2, "0.05"},   // leading zero of the decimals kept
      {0.001, 2, "0.00"},
      {-1.5, 1, "-1.5"},
      {-0.001, 2, "-0.00"},
      {7.0, 0, "7."},
      {0.5, 0, "0."},
      {123.0, 3, "123.000"},
      {0.999, 2, "1.00"},  // rounding carries into the integer part
      {-0.999, 2, "-1.00"},
      {9.96, 1, "10.0"},
      {2.7, 0, "2."},   // no decimals: the integer part, not rounded
      {-2.7, 0, "-2."},
      {3.2, -1, "3."},  // a negative count means no decimals
      {1e20, 2, "100000000000000000000.00"},
      {4294967296.5, 1, "4294967296.5"}};
  for (const cas_dtos& c : cas)
    EXPECT_EQ(dtoS(c.valeur, c.decimales), c.attendu)
        << c.valeur << " with " << c.decimales;
}

TEST(chaines_nombres, dtos_nombres_extremes) {
  // Beyond the precision of a double the decimals are zeros, never garbage.
  EXPECT_EQ(dtoS(0.5, 25), "0.5" + std::string(24, '0'));
  EXPECT_EQ(dtoS(1e308, 0).size(), 310u);
  EXPECT_EQ(dtoS(NAN, 2), "nan");
  EXPECT_EQ(dtoS(INFINITY, 2), "inf");
  EXPECT_EQ(dtoS(-INFINITY, 2), "-inf");
}

struct cas_entier {
  const char* texte;
  int64_t attendu;
};

TEST(chaines_lecture, stoi_stoll_sans_controle_et_sans_debordement) {
  const cas_entier cas_stoi[] = {
      {"", 0},
      {"-5", -5},
      {"+5", -45},
      {"\xE9", 185},
      {"2147483648", INT32_MIN},
      {"4294967295", -1},
  };
  for (const cas_entier& c : cas_stoi)
    EXPECT_EQ(Stoi(c.texte), c.attendu) << c.texte;
  const cas_entier cas_stoll[] = {
      {"", 0},
      {"-12", -12},
      {"12a", 169},
      {" 5", -155},
      {"4294967296", 4294967296LL},  // no wrap at 32 bits
      {"9223372036854775807", INT64_MAX},
      {"9223372036854775808", INT64_MIN},
      {"-9223372036854775808", INT64_MIN},
      {"18446744073709551615", -1},
      {"18446744073709551616", 0}};
  for (const cas_entier& c : cas_stoll)
    EXPECT_EQ(Stoll(c.texte), c.attendu) << c.texte;
}

struct cas_stod {
  const char* texte;
  char separateur;
  double attendu;
};

TEST(chaines_lecture, stod_compte_les_decimales_depuis_le_dernier_separateur) {
  const cas_stod cas[] = {
      {"3.14", '.', 3.14}, {"  -2.5", '.', -2.5}, {"1.2.3", '.', 12.3},
      {"12", '.', 12.0},   {"1,5", ',', 1.5},     {"1,5", '.', 1.0},
      {"", '.', 0.0},      {"   ", '.', 0.0},     {"-", '.', 0.0},
      {"5.", '.', 5.0},    {".5", '.', 0.5},      {"1 5", '.', 1.0},
      {"\t5", '.', 0.0},  // a tab is not a blank
      {"- 5", '.', 0.0},   {"7.25xyz", '.', 7.25}};
  for (const cas_stod& c : cas)
    EXPECT_DOUBLE_EQ(Stod(c.texte, c.separateur), c.attendu) << c.texte;
}

TEST(chaines_lecture, stod_beaucoup_de_chiffres) {
  // More digits than any integer holds.
  EXPECT_DOUBLE_EQ(Stod("1" + std::string(30, '0') + ".5", '.'), 1e30);
  EXPECT_DOUBLE_EQ(Stod("0." + std::string(300, '0') + "1", '.'), 1e-301);
  EXPECT_DOUBLE_EQ(Stod(std::string(400, '0') + "42", '.'), 42.0);
}

TEST(chaines_lecture, stohex_avec_ou_sans_marqueur) {
  struct cas {
    const char* texte;
    int32_t attendu;
    const char* diagnostic;
  };
  const cas table[] = {{"1Fh", 31, ""},
                       {"ffh", 255, ""},
                       {"FFFFFFFFh", -1, ""},
                       {"h", 0, ""},
                       {"1h2h", 1, ""},
                       {"12", 12, "Decimal Conversion 12\n"},
                       {"-5", -5, "Decimal Conversion -5\n"},
                       {"", 0, "Decimal Conversion 0\n"}};
  for (const cas& c : table) {
    CaptureStderr();
    EXPECT_EQ(Stohex(c.texte, 'h'), c.attendu) << c.texte;
    EXPECT_EQ(GetCapturedStderr(), c.diagnostic) << c.texte;
  }
}

struct cas_signe {
  std::string texte;
  int32_t attendu;
};

TEST(chaines_lecture, stoshex_complement_a_deux_sur_la_longueur) {
  const cas_signe cas[] = {
      {"", 0},
      {"7", 7},
      {"8", -8},
      {"F", -1},
      {"a", -6},
      {"7F", 127},
      {"80", -128},
      {"ff", -1},
      {"0ff", 255},
      {"\xE9", -16},  // a high byte is above '7' and counts as 0
      {"7FFFFFFF", INT32_MAX},
      {"80000000", INT32_MIN},
      {"FFFFFFFF", -1},
      // nine digits and more: the last eight in two's complement
      {"123456789", 0x23456789},
      {"F00000001", 1},
      {"0FFFFFFFF", -1}};
  for (const cas_signe& c : cas)
    EXPECT_EQ(Stoshex(c.texte), c.attendu) << c.texte;
}

TEST(chaines_lecture, binaire_non_signe_et_signe) {
  struct cas {
    std::string texte;
    uint32_t non_signe;
    int32_t signe;
  };
  const cas table[] = {
      {"", 0, 0},
      {"0", 0, 0},
      {"1", 1, -1},
      {"10", 2, -2},
      {"0101", 5, 5},
      {"1011", 11, -5},
      {"2", 2, 0},  // a digit position counts its code minus '0'
      {"0" + std::string(31, '1'), 0x7FFFFFFFu, INT32_MAX},
      {"1" + std::string(31, '0'), 0x80000000u, INT32_MIN},
      {std::string(32, '1'), 0xFFFFFFFFu, -1},
      {std::string(33, '1'), 0xFFFFFFFFu, -1},
      {"1" + std::string(40, '0'), 0, 0}};
  for (const cas& c : table) {
    EXPECT_EQ(Stoubin(c.texte), c.non_signe) << c.texte;
    EXPECT_EQ(Stosbin(c.texte), c.signe) << c.texte;
  }
}

// ------------------------------------------------------------------ checks

TEST(chaines_formes, controles_de_forme) {
  struct cas {
    const char* texte;
    bool uint, int_, hex, hexintel, bin, varname, varname_souligne;
  };
  const cas table[] = {
      {"", false, false, true, false, true, false, false},
      {"0", true, true, true, false, true, false, false},
      {"9", true, true, true, false, false, false, false},
      {"0101", true, true, true, false, true, false, false},
      {"-12", false, true, false, false, false, false, false},
      {"-", false, false, false, false, false, false, false},
      {"--1", false, false, false, false, false, false, false},
      {"+1", false, false, false, false, false, false, false},
      {"12 ", false, false, false, false, false, false, false},
      {"1a", false, false, true, false, false, false, false},
      {"aBcDeF", false, false, true, false, false, true, true},
      {"g", false, false, false, false, false, true, true},
      {"h", false, false, false, true, false, true, true},
      {"1Fh", false, false, false, true, false, false, false},
      {"ABCh", false, false, false, true, false, true, true},
      {"1FH", false, false, false, false, false, false, false},
      {"xh", false, false, false, false, false, true, true},
      {"a", false, false, true, false, false, true, true},
      {"Z9", false, false, false, false, false, true, true},
      {"x_1", false, false, false, false, false, true, true},
      {"x_", false, false, false, false, false, false, false},
      {"_x", false, false, false, false, false, false, true},
      {"_", false, false, false, false, false, false, false},
      {"__9", false, false, false, false, false, false, true},
      {"a-b", false, false, false, false, false, false, false},
      {"x@y", false, false, false, false, false, false, false},
      {"\xE9t\xE9", false, false, false, false, false, false, false}};
  for (const cas& c : table) {
    SCOPED_TRACE(c.texte);
    EXPECT_EQ(checkuint(c.texte), c.uint);
    EXPECT_EQ(checkint(c.texte), c.int_);
    EXPECT_EQ(checkhex(c.texte), c.hex);
    EXPECT_EQ(checkhexintel(c.texte), c.hexintel);
    EXPECT_EQ(checkbin(c.texte), c.bin);
    EXPECT_EQ(checkvarname(c.texte), c.varname);
    EXPECT_EQ(checkvarname_with_pre_underscore(c.texte), c.varname_souligne);
  }
}

TEST(chaines_formes, checkdouble_accepte_tout_et_le_dit) {
  for (const char* texte : {"", "1.5", "abc"}) {
    CaptureStderr();
    EXPECT_TRUE(checkdouble(texte));
    EXPECT_EQ(GetCapturedStderr(), "checkdouble() a ecrire\n");
  }
}

TEST(chaines_formes, caracteres_d_identificateur) {
  const std::string oui = "09AZaz_@";
  const std::string non = std::string("/:[`{- \x7F\xE9\xFF", 11) + '\0';
  for (char c : oui) EXPECT_TRUE(est_lc(c)) << int(c);
  for (char c : non) EXPECT_FALSE(est_lc(c)) << int(c);
}

TEST(chaines_formes, lettres_iso_8859_1) {
  const unsigned oui[] = {'A',  'Z',  'a',  'z',  0xB5, 0xC0, 0xD6,
                          0xD9, 0xDF, 0xE9, 0xF6, 0xF9, 0xFD, 0xFF};
  const unsigned non[] = {'@',  '[',  '`',  '{',  '0',  0x80, 0xAA,
                          0xBF, 0xD7, 0xD8, 0xF7, 0xF8, 0xFE, 0x00};
  for (unsigned c : oui)
    EXPECT_TRUE(check_ISO_8859_1_alphabetical_letter(static_cast<char>(c)))
        << c;
  for (unsigned c : non)
    EXPECT_FALSE(check_ISO_8859_1_alphabetical_letter(static_cast<char>(c)))
        << c;
  int lettres = 0;
  for (int c = 0; c < 256; ++c)
    lettres += check_ISO_8859_1_alphabetical_letter(static_cast<char>(c));
  EXPECT_EQ(lettres, 52 + 1 + 23 + 30 + 5 + 1);
}

// -------------------------------------------------------------------- case

TEST(chaines_casse, minuscules_et_majuscules) {
  EXPECT_EQ(downcase("AbZ-09@[`\xC9"), "abz-09@[`\xC9");
  EXPECT_EQ(downcase(""), "");
  EXPECT_EQ(upcase("abz-09@{`"), "ABZ-09@{`");
  EXPECT_EQ(upcase("\xE9t\xE9 \x80x\xFF"), "T X");
  EXPECT_EQ(upcase(""), "");
  EXPECT_EQ(upcase_accent("\xE9t\xE9 \xE0 la f\xEAte"), "ETE A LA FETE");
  EXPECT_EQ(upcase_accent("\xE8\xE2\xF4\xE7\x8C"), "EAOCI");
  EXPECT_EQ(upcase_accent("\xC9\xFFz\xF9"), "Z");  // other high bytes dropped
}

// ------------------------------------------------------------ substitution

struct cas_substitution {
  const char* texte;
  const char* cherche;
  const char* remplacement;
  const char* attendu;
};

TEST(chaines_substitution, substitute_string_sans_chevauchement) {
  const cas_substitution cas[] = {
      {"aaa", "aa", "b", "ba"},
      {"abcabc", "bc", "X", "aXaX"},
      {"aaa", "a", "aa", "aaaaaa"},  // the replacement is not rescanned
      {"xyz", "xyz", "", ""},
      {"abc", "", "X", "abc"},  // an empty search text has no occurrence
      {"", "", "X", ""},
      {"", "a", "b", ""},
      {"abc", "abcd", "X", "abc"}};
  for (const cas_substitution& c : cas)
    EXPECT_EQ(substitute_string(c.texte, c.cherche, c.remplacement), c.attendu)
        << c.texte << " / " << c.cherche;
}

TEST(chaines_substitution, substitute_token_identificateurs_entiers) {
  const cas_substitution cas[] = {
      {"a ab a", "a", "X", "X ab X"},
      {"foo(bar)", "bar", "baz", "foo(baz)"},
      {"foo@bar", "bar", "X", "foo@bar"},
      {"bar_2 bar", "bar", "X", "bar_2 X"},
      {"x.x", "x", "y", "y.y"},
      // the character before an occurrence that follows the previous one
      // directly is not looked at
      {"xx", "x", "y", "xy"},
      {"ab_a a", "a", "X", "ab_a X"},
      {"abc", "", "X", "abc"},
      {"", "x", "y", ""}};
  for (const cas_substitution& c : cas)
    EXPECT_EQ(substitute_token(c.texte, c.cherche, c.remplacement), c.attendu)
        << c.texte << " / " << c.cherche;
}

TEST(chaines_substitution, caracteres_et_blancs) {
  EXPECT_EQ(substitute_char("a-b-c", '-', '+'), "a+b+c");
  EXPECT_EQ(substitute_char("a-b", '-', std::string("--")), "a--b");
  EXPECT_EQ(substitute_char("-a-", '-', std::string()), "a");
  EXPECT_EQ(latex_String_filter("a_b__c"), "a\\_b\\_\\_c");
  EXPECT_EQ(latex_String_filter("_"), "\\_");
  const std::pair<const char*, const char*> bords[] = {
      {"  a b  ", "a b"}, {"   ", ""}, {"", ""}, {"x", "x"}, {"\ta ", "\ta"}};
  for (const auto& [texte, attendu] : bords)
    EXPECT_EQ(cancel_begin_end_spaces(texte), attendu) << texte;
  EXPECT_EQ(clever_substitute_space("  a b  c ", '_'), "a_b__c");
  EXPECT_EQ(clever_substitute_space("   ", '_'), "");
  const std::pair<const char*, const char*> sans_bords[] = {
      {"", ""}, {"a", ""}, {"ab", ""}, {"abc", "b"}, {"(x y)", "x y"}};
  for (const auto& [texte, attendu] : sans_bords)
    EXPECT_EQ(bdelete(texte), attendu) << texte;
}

// ------------------------------------------------------------------ search

TEST(chaines_recherche, find_contains_my_at) {
  EXPECT_EQ(find("abcabc", "ca"), 2);
  EXPECT_EQ(find("abc", "d"), -1);
  EXPECT_EQ(find("abc", ""), 0);
  EXPECT_EQ(find("", "a"), -1);
  EXPECT_TRUE(contains("abc", ""));
  EXPECT_TRUE(contains("", ""));
  EXPECT_TRUE(contains("abc", "bc"));
  EXPECT_FALSE(contains("abc", "abcd"));
  EXPECT_EQ(char_occurences("a,b,,c,", ','), 4);
  EXPECT_EQ(char_occurences("", 'a'), 0);
  EXPECT_EQ(char_occurences("\xE9x\xE9", '\xE9'), 2);
  struct cas {
    int debut, fin;
    const char* attendu;
  };
  const cas table[] = {
      {1, 3, "bc"}, {3, 3, ""},    {4, 2, ""},   {4, 100, "ef"},
      {6, 8, ""},   {-2, 2, "ab"}, {-5, -2, ""}, {0, INT_MAX, "abcdef"}};
  for (const cas& c : table)
    EXPECT_EQ(my_at("abcdef", c.debut, c.fin), c.attendu)
        << c.debut << ".." << c.fin;
  EXPECT_EQ(my_at("", 0, 1), "");
}

TEST(chaines_recherche, contains_token_regarde_la_premiere_occurrence) {
  struct cas {
    const char* texte;
    const char* cherche;
    bool attendu;
  };
  const cas table[] = {
      {"x = foo;", "foo", true},
      {"foo", "foo", true},  // ends the text
      {"foobar", "foo", false},
      {"foo1 foo", "foo", false},  // only the first occurrence counts
      {"foo_", "foo", true},       // '_' does not continue a word here
      {"afoo ", "foo", true},      // the character before is not examined
      {"foo\xE9", "foo", false},
      {"foo\x8C", "foo", false},
      {"foo\xC9", "foo", true},
      {"abc", "x", false},
      {"", "", true},
      {"a", "", false}};
  for (const cas& c : table)
    EXPECT_EQ(contains_token(c.texte, c.cherche), c.attendu)
        << c.texte << " / " << c.cherche;
}

// ------------------------------------------------------- records and tokens

struct cas_enregistrement {
  const char* texte;
  const char* enregistrement;
  const char* reste;
};

TEST(chaines_enregistrements, premier_et_dernier_separateur) {
  const cas_enregistrement premiers[] = {
      {"a,b,c", "a", "b,c"}, {"abc", "abc", ""}, {",a", "", "a"},
      {"a,", "a", ""},       {"", "", ""},       {",", "", ""}};
  for (const cas_enregistrement& c : premiers) {
    std::string reste = "ancien";
    EXPECT_EQ(next_record(c.texte, ',', reste), c.enregistrement) << c.texte;
    EXPECT_EQ(reste, c.reste) << c.texte;
  }
  const cas_enregistrement derniers[] = {{"a,b,c", "a,b", "c"},
                                         {"abc", "abc", ""},
                                         {",a", "", "a"},
                                         {"a,", "a", ""},
                                         {"", "", ""}};
  for (const cas_enregistrement& c : derniers) {
    std::string reste = "ancien";
    EXPECT_EQ(last_record(c.texte, ',', reste), c.enregistrement) << c.texte;
    EXPECT_EQ(reste, c.reste) << c.texte;
  }
}

TEST(chaines_enregistrements, le_reste_peut_etre_le_texte_lui_meme) {
  std::string texte = "x,y,,z";
  std::vector<std::string> champs;
  while (!texte.empty()) champs.push_back(next_record(texte, ',', texte));
  EXPECT_EQ(champs, (std::vector<std::string>{"x", "y", "", "z"}));
  texte = "p/q/r";
  EXPECT_EQ(last_record(texte, '/', texte), "p/q");
  EXPECT_EQ(texte, "r");
}

TEST(chaines_enregistrements, jetons) {
  const cas_enregistrement cas[] = {
      {"  foo bar", "foo", " bar"},
      {"foo+bar", "foo", "+bar"},
      {"+bar", "+", "bar"},
      {"", "", ""},
      {"   ", " ", ""},  // separators only: the last one
      {"x", "x", ""},
      {"  a@b_c9!", "a@b_c9", "!"},
      {"\xE9t\xE9", "\xE9", "t\xE9"}};
  for (const cas_enregistrement& c : cas) {
    std::string reste = "ancien";
    EXPECT_EQ(next_Stringtoken(c.texte, ' ', reste), c.enregistrement)
        << c.texte;
    EXPECT_EQ(reste, c.reste) << c.texte;
  }
  std::string reste;
  EXPECT_EQ(next_Stringtoken(",,a,b", ',', reste), "a");
  EXPECT_EQ(reste, ",b");
  std::string texte = "ab + c1 ";
  std::vector<std::string> jetons;
  while (!texte.empty()) jetons.push_back(next_Stringtoken(texte, ' ', texte));
  EXPECT_EQ(jetons, (std::vector<std::string>{"ab", "+", "c1", " "}));
}

// ------------------------------------------------------------------- paths

TEST(chaines_chemins, suppression_de_l_extension) {
  const std::pair<const char*, const char*> cas[] = {
      {"file.txt", "file"},
      {"dir/file.txt", "dir/file"},
      {"/x/y.tar.gz", "/x/y.tar"},
      {"dir.d/file", "dir.d/file"},
      {"file", "file"},
      {"", ""},
      {"dir/", "dir/"},
      {"file.", "file"},
      {".", ""},
      {"..", "."},
      {"dir/..", "dir/."},
      {".bashrc", ""},
      {"dir/.bashrc", "dir/"},
      {"a..b", "a..b"},
      {"a.b\\c", "a"},
      {"a.\\c", "a.\\c"},
      {"./file", "./file"}};
  for (const auto& [chemin, attendu] : cas)
    EXPECT_EQ(supress_filename_extension(chemin), attendu) << chemin;
}

// Changes the current directory for one test and restores it.
class repertoire_temporaire : public testing::Test {
 protected:
  void SetUp() override {
    ancien_ = std::filesystem::current_path();
    racine_ = std::filesystem::temp_directory_path() /
              ("tamrix_chaines_" + std::to_string(getpid()));
    std::filesystem::create_directories(racine_);
  }
  void TearDown() override {
    std::filesystem::current_path(ancien_);
    std::filesystem::remove_all(racine_);
  }
  std::filesystem::path ancien_, racine_;
};

TEST_F(repertoire_temporaire, repertoire_courant) {
  std::filesystem::current_path(racine_);
  EXPECT_EQ(my_current_directory(), racine_.string());
  const std::filesystem::path oblique = racine_ / "a\\b";
  std::filesystem::create_directory(oblique);
  std::filesystem::current_path(oblique);
  EXPECT_EQ(my_current_directory(), racine_.string() + "/a/b");
}

TEST_F(repertoire_temporaire, repertoire_courant_trop_long) {
  std::filesystem::current_path(racine_);
  const std::string nom(200, 'r');
  for (int niveau = 0; niveau < 6; ++niveau) {
    ASSERT_EQ(mkdir(nom.c_str(), 0700), 0);
    ASSERT_EQ(chdir(nom.c_str()), 0);
  }
  EXPECT_EQ(my_current_directory(), "");
}

TEST(chaines_chemins, chemin_relatif) {
  struct cas {
    const char* cible;
    const char* base;
    const char* attendu;
  };
  const cas table[] = {
      {"/home/u/proj", "/home/u/proj", "."},
      {"/home/u/proj/src", "/home/u/proj", "src"},
      {"/home/u/a", "/home/u/b/c", "../../a"},
      {"/home/u", "/home/u/b", ".."},
      {"/home/u", "/home/u/b/c", "../.."},
      {"/x/y", "/a/b", "../../x/y"},
      {"/", "/a", ".."},
      {"rel/x", "/abs", "rel/x"},
      {"a/b", "a/c", "../b"},
      {"/a/../b", "/a", "../b"},
      {"/a/./b", "/a", "./b"},
      // both run out of components without being equal: same directory
      {"/a/b", "/a/b/", "."},
      {"/a/b/", "/a/b", "."},
      {"/a//", "/a/", "."},
      {"/a/b/c", "/a/b/", "c"},
      {"/a/b/", "/a/b/c", ".."}};
  for (const cas& c : table) {
    CaptureStderr();
    EXPECT_EQ(relative_directory_path(c.cible, c.base), c.attendu)
        << c.cible << " from " << c.base;
    GetCapturedStderr();
  }
}

TEST(chaines_chemins, chemin_relatif_diagnostics) {
  CaptureStderr();
  relative_directory_path("/a/b", "/a/c");
  EXPECT_EQ(GetCapturedStderr(),
            "demarrage /a/b|/a/c\nintermediaire: b|c\n--> ../b\n");
  CaptureStderr();
  relative_directory_path("/x", "/x");
  EXPECT_EQ(GetCapturedStderr(), "demarrage /x|/x\n--> .\n");
}

TEST_F(repertoire_temporaire, chemin_relatif_depuis_le_repertoire_courant) {
  std::filesystem::current_path(racine_);
  const std::string courant = my_current_directory();
  CaptureStderr();
  EXPECT_EQ(relative_directory_path(courant + "/sous/rep", ""), "sous/rep");
  EXPECT_EQ(relative_directory_path(courant, ""), ".");
  const std::string diagnostics = GetCapturedStderr();
  EXPECT_NE(diagnostics.find("demarrage " + courant + "/sous/rep|" + courant),
            std::string::npos);
}

}  // namespace
