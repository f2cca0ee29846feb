// The binary loader and the operand address texts.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "memory/mem_64k.h"
#include "outils.h"

namespace {

std::string octets(std::initializer_list<unsigned char> liste) {
  return std::string(liste.begin(), liste.end());
}

TEST(load_binaire, charge_et_efface_le_reste) {
  const std::string chemin = outils::ecrit_fichier(
      "prog.bin", octets({0x00, 0x08, 0xB6, 0x00, 0x11, 0x22, 0x33, 0x44}));
  mem_64k mem;
  testing::internal::CaptureStderr();
  EXPECT_EQ(mem.load_binaire(chemin.c_str()), 1);
  EXPECT_EQ(testing::internal::GetCapturedStderr(),
            "c'est parti ..\nlecture de \"" + chemin +
                "\"\nadresse de base 46592 taille 8\n");
  std::vector<unsigned short> attendu(0x10000, 0);
  attendu[0xB600] = 0x11;
  attendu[0xB601] = 0x22;
  attendu[0xB602] = 0x33;
  attendu[0xB603] = 0x44;
  EXPECT_TRUE(outils::copie(mem) == attendu);
}

TEST(load_binaire, jusqu_a_ffff_et_octets_en_trop_ignores) {
  const std::string chemin = outils::ecrit_fichier(
      "haut.bin", octets({0x00, 0x06, 0xFF, 0xFE, 0xAB, 0xCD, 0xEF}));
  mem_64k mem;
  testing::internal::CaptureStderr();
  EXPECT_EQ(mem.load_binaire(chemin.c_str()), 1);
  testing::internal::GetCapturedStderr();
  EXPECT_EQ(mem.read_word(0xFFFE), 0xABCD);
  EXPECT_EQ(mem.read_byte(0x0000), 0x00);  // the extra byte is not stored
}

struct binaire_sans_donnees {
  const char* nom;
  std::string contenu;
  const char* ligne_taille;
};

class binaires_sans_donnees
    : public testing::TestWithParam<binaire_sans_donnees> {};

// A size field of 4 or less (negative included) carries no data: memory is
// cleared and nothing else is stored.
TEST_P(binaires_sans_donnees, effacent_seulement) {
  const std::string chemin =
      outils::ecrit_fichier(GetParam().nom, GetParam().contenu);
  mem_64k mem;
  testing::internal::CaptureStderr();
  EXPECT_EQ(mem.load_binaire(chemin.c_str()), 1);
  const std::string sortie = testing::internal::GetCapturedStderr();
  EXPECT_NE(sortie.find(GetParam().ligne_taille), std::string::npos) << sortie;
  EXPECT_TRUE(outils::copie(mem) == std::vector<unsigned short>(0x10000, 0));
}

INSTANTIATE_TEST_SUITE_P(
    load_binaire, binaires_sans_donnees,
    testing::Values(
        binaire_sans_donnees{"taille_4.bin", octets({0, 4, 0xB6, 0}),
                             "adresse de base 46592 taille 4\n"},
        binaire_sans_donnees{"taille_2.bin", octets({0, 2, 0xB6, 0, 1, 2}),
                             "adresse de base 46592 taille 2\n"},
        binaire_sans_donnees{"taille_negative.bin",
                             octets({0x80, 0x00, 0x00, 0x10, 1, 2, 3}),
                             "adresse de base 16 taille -32768\n"}));

struct binaire_casse {
  const char* nom;
  std::string contenu;
  const char* message;  // the last line written
};

class binaires_casses : public testing::TestWithParam<binaire_casse> {};

TEST_P(binaires_casses, refuses_sans_toucher_la_memoire) {
  const std::string chemin =
      outils::ecrit_fichier(GetParam().nom, GetParam().contenu);
  mem_64k mem;
  outils::remplit_motif(mem);
  const std::vector<unsigned short> avant = outils::copie(mem);
  testing::internal::CaptureStderr();
  EXPECT_EQ(mem.load_binaire(chemin.c_str()), 0);
  const std::string sortie = testing::internal::GetCapturedStderr();
  const std::string fin = std::string(GetParam().message) + "\n";
  ASSERT_GE(sortie.size(), fin.size());
  EXPECT_EQ(sortie.substr(sortie.size() - fin.size()), fin) << sortie;
  EXPECT_EQ(sortie.rfind("c'est parti ..\n", 0), 0u) << sortie;
  EXPECT_TRUE(outils::copie(mem) == avant);
}

INSTANTIATE_TEST_SUITE_P(
    load_binaire, binaires_casses,
    testing::Values(
        binaire_casse{"vide.bin", "", "erreur sur fichier : en-tete incomplet"},
        binaire_casse{"trois.bin", octets({0, 8, 0xB6}),
                      "erreur sur fichier : en-tete incomplet"},
        binaire_casse{"court.bin", octets({0, 9, 0xB6, 0, 1, 2, 3, 4}),
                      "erreur sur fichier : fichier plus court que sa taille"},
        binaire_casse{"passe_ffff.bin", octets({0, 7, 0xFF, 0xFE, 1, 2, 3}),
                      "erreur sur fichier : donnees au-dela de $ffff"},
        binaire_casse{
            "loin.bin",
            octets({0x7F, 0xFF, 0xC0, 0x00}) + std::string(0x7FFB, '\x5A'),
            "erreur sur fichier : donnees au-dela de $ffff"}));

TEST(load_binaire, fichiers_illisibles) {
  mem_64k mem;
  outils::remplit_motif(mem);
  const std::vector<unsigned short> avant = outils::copie(mem);
  for (const std::string& chemin :
       {outils::dossier_essais() + "/absent.bin", outils::dossier_essais()}) {
    testing::internal::CaptureStderr();
    EXPECT_EQ(mem.load_binaire(chemin.c_str()), 0);
    EXPECT_EQ(
        testing::internal::GetCapturedStderr(),
        "c'est parti ..\nlecture de \"" + chemin + "\"\nerreur sur fichier \n");
  }
  EXPECT_TRUE(outils::copie(mem) == avant);
}

struct cas_nom {
  unsigned short adresse;
  std::vector<unsigned char> octets;  // placed from `adresse`, wrapping
  const char* octet;
  const char* mot;
};

class noms_d_operandes : public testing::TestWithParam<cas_nom> {};

TEST_P(noms_d_operandes, en_hexadecimal_derriere_un_dollar) {
  const cas_nom& cas = GetParam();
  mem_64k mem;
  unsigned short a = cas.adresse;
  for (unsigned char o : cas.octets) mem.write_byte(a++, o);
  EXPECT_EQ(mem.specific_byte_name(cas.adresse), cas.octet);
  EXPECT_EQ(mem.specific_word_name(cas.adresse), cas.mot);
}

INSTANTIATE_TEST_SUITE_P(
    noms, noms_d_operandes,
    testing::Values(cas_nom{0xB601, {0x0A, 0x00}, "$0a", "$0a00"},
                    cas_nom{0x0000, {0x00, 0x00}, "$00", "$0000"},
                    cas_nom{0x1234, {0x10, 0x00}, "$10", "$1000"},
                    cas_nom{0x4000, {0xB6, 0x00}, "$b6", "$b600"},
                    cas_nom{0x4000, {0x00, 0xFF}, "$00", "$00ff"},
                    cas_nom{0x2000, {}, "$ff", "$ffff"},
                    // the low byte of a word at 0xFFFF is cell 0x0000
                    cas_nom{0xFFFF, {0x12, 0x34}, "$12", "$1234"},
                    cas_nom{0xFFFE, {0xAB, 0xCD}, "$ab", "$abcd"}));

}  // namespace
