// The S-record loader on files made by the GNU assembler and linker, by
// srec_cat, and by hand for every error it must refuse.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <string>
#include <vector>

#include "memory/mem_64k.h"
#include "outils.h"

namespace {

const std::string prog = outils::donnees("prog.s19");

// The program's bytes as GNU objcopy reads them out of its own S19 file.
std::vector<unsigned char> octets_du_programme() {
  const std::string bin = outils::dossier_essais() + "/prog.bin";
  outils::execute("m68hc11-objcopy -I srec -O binary '" + prog + "' '" + bin +
                  "'");
  const std::string contenu = outils::lit_fichier(bin);
  return std::vector<unsigned char>(contenu.begin(), contenu.end());
}

// Loads `chemin` into a patterned image and checks that exactly the
// program's bytes changed, placed from `base`.
void verifie_chargement(const std::string& chemin, unsigned base) {
  const std::vector<unsigned char> programme = octets_du_programme();
  ASSERT_FALSE(programme.empty());
  mem_64k mem;
  outils::remplit_motif(mem);
  std::vector<unsigned short> attendu = outils::copie(mem);
  for (std::size_t i = 0; i < programme.size(); ++i)
    attendu.at(base + i) = programme[i];
  testing::internal::CaptureStderr();
  EXPECT_EQ(mem.load_s19(chemin.c_str()), 1) << chemin;
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
  EXPECT_TRUE(outils::copie(mem) == attendu) << chemin;
}

TEST(load_s19, fichier_de_objcopy) {
  verifie_chargement(prog, 0xB600);
  mem_64k mem;
  ASSERT_EQ(mem.load_s19(prog.c_str()), 1);
  EXPECT_EQ(mem.read_word(0xB600), 0x8E00);  // lds #0x00ff
  EXPECT_EQ(mem.read_byte(0x0000), 0xFF);    // the S0 header is not stored
}

struct variante {
  const char* nom;
  const char* commande;  // P is the committed S19, F the file to write
  unsigned base;
};

class variantes_srec_cat : public testing::TestWithParam<variante> {};

TEST_P(variantes_srec_cat, chargent_le_meme_programme) {
  const variante& v = GetParam();
  const std::string fichier = outils::dossier_essais() + "/" + v.nom + ".s19";
  outils::execute("P='" + prog + "'; F='" + fichier + "'; " + v.commande);
  verifie_chargement(fichier, v.base);
}

INSTANTIATE_TEST_SUITE_P(
    load_s19, variantes_srec_cat,
    testing::Values(
        variante{"crlf_s5", "srec_cat $P -o $F -CRLF -enable=data-count",
                 0xB600},
        variante{"s2", "srec_cat $P -o $F -Address_Length=3", 0xB600},
        variante{"s3_lignes_courtes",
                 "srec_cat $P -o $F -Address_Length=4 -Line_Length=30 "
                 "-HEAder essai",
                 0xB600},
        variante{"minuscules",
                 "srec_cat $P -o - -CRLF | sed 's/[A-F]/\\L&/g' > $F", 0xB600},
        variante{"blancs_autour",
                 "srec_cat $P -o - | awk '{print \"  \" $0 \"\\t\"; print "
                 "\"\"}' > $F",
                 0xB600},
        variante{"sans_fin",
                 "srec_cat $P -o $F -disable=exec-start-address "
                 "-disable=footer -disable=header",
                 0xB600},
        variante{"sans_fin_de_ligne",
                 "srec_cat $P -o - -disable=exec-start-address | tr -d '\\n' "
                 "| sed 's/S/\\nS/g' > $F",
                 0xB600},
        variante{"jusqu_a_ffff", "srec_cat $P -offset 0x49E0 -o $F", 0xFFE0}),
    [](const testing::TestParamInfo<variante>& info) {
      return std::string(info.param.nom);
    });

TEST(load_s19, superpose_sans_effacer) {
  mem_64k mem;
  mem.write_byte(0x0100, 0x42);
  const std::string f1 =
      outils::ecrit_fichier("premier.s19", "S106B600861201AA\nS903B60046\n");
  const std::string f2 =
      outils::ecrit_fichier("second.s19", "S104B610AA8B\nS903B60046\n");
  ASSERT_EQ(mem.load_s19(f1.c_str()), 1);
  ASSERT_EQ(mem.load_s19(f2.c_str()), 1);
  EXPECT_EQ(mem.read_byte(0x0100), 0x42);
  EXPECT_EQ(mem.read_byte(0xB600), 0x86);
  EXPECT_EQ(mem.read_byte(0xB602), 0x01);
  EXPECT_EQ(mem.read_byte(0xB603), 0xFF);
  EXPECT_EQ(mem.read_byte(0xB610), 0xAA);
}

TEST(load_s19, ce_qui_suit_la_fin_est_ignore) {
  mem_64k mem;
  const std::string f = outils::ecrit_fichier(
      "apres_fin.s19",
      "S106B600861201AA\nS903B60046\nS104B610AA8B\nn'importe quoi\n");
  testing::internal::CaptureStderr();
  EXPECT_EQ(mem.load_s19(f.c_str()), 1);
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
  EXPECT_EQ(mem.read_byte(0xB610), 0xFF);
}

TEST(load_s19, s2_et_s3_sous_10000) {
  mem_64k mem;
  const std::string f = outils::ecrit_fichier(
      "s2_s3.s19",
      "S00600004844521B\nS20500C0005AE0\nS3060000C001A593\n"
      "S20600FFFE0102F9\nS5030003F9\nS9030000FC\n");
  ASSERT_EQ(mem.load_s19(f.c_str()), 1);
  EXPECT_EQ(mem.read_byte(0xC000), 0x5A);
  EXPECT_EQ(mem.read_byte(0xC001), 0xA5);
  EXPECT_EQ(mem.read_word(0xFFFE), 0x0102);
  EXPECT_EQ(mem.read_byte(0x0000), 0xFF);
}

struct fichier_casse {
  const char* nom;
  const char* contenu;
  const char* message;
};

class fichiers_casses : public testing::TestWithParam<fichier_casse> {};

// A refused file leaves every cell as it was and says why in one line.
TEST_P(fichiers_casses, refuses_sans_toucher_la_memoire) {
  const fichier_casse& cas = GetParam();
  const std::string chemin =
      outils::ecrit_fichier(std::string(cas.nom) + ".s19", cas.contenu);
  mem_64k mem;
  outils::remplit_motif(mem);
  const std::vector<unsigned short> avant = outils::copie(mem);
  testing::internal::CaptureStderr();
  EXPECT_EQ(mem.load_s19(chemin.c_str()), 0);
  EXPECT_EQ(testing::internal::GetCapturedStderr(),
            std::string(cas.message) + "\n");
  EXPECT_TRUE(outils::copie(mem) == avant);
}

const std::string bon = "S106B600861201AA\n";

INSTANTIATE_TEST_SUITE_P(
    load_s19, fichiers_casses,
    testing::Values(
        fichier_casse{"pas_de_S", "S106B600861201AA\nX104B610AA8B\n",
                      "ligne 2 : erreur: caractère 'S' attendu ..."},
        fichier_casse{"s_minuscule", "s106B600861201AA\n",
                      "ligne 1 : erreur: caractère 'S' attendu ..."},
        fichier_casse{"texte_entre", "S106B600861201AA\n; note\nS9030000FC\n",
                      "ligne 2 : erreur: caractère 'S' attendu ..."},
        fichier_casse{"type_4", "S104B610AA8B\nS404B610AA8B\n",
                      "ligne 2 : type d'enregistrement inconnu"},
        fichier_casse{"s_seul", "S106B600861201AA\n\nS\n",
                      "ligne 3 : type d'enregistrement inconnu"},
        fichier_casse{"caractere_G", "S106B600861G01AA\n",
                      "ligne 1 : caractère non hexadécimal"},
        fichier_casse{"blanc_interieur", "S106B600 861201AA\n",
                      "ligne 1 : caractère non hexadécimal"},
        fichier_casse{"chiffre_impair", "S106B600861201AA0\n",
                      "ligne 1 : longueur incorrecte"},
        fichier_casse{"compte_trop_grand", "S107B600861201AA\n",
                      "ligne 1 : longueur incorrecte"},
        fichier_casse{"compte_trop_petit", "S105B600861201AA\n",
                      "ligne 1 : longueur incorrecte"},
        fichier_casse{"sans_compte", "S1\n", "ligne 1 : longueur incorrecte"},
        fichier_casse{"s1_trop_court", "S102B647\n",
                      "ligne 1 : longueur trop courte"},
        fichier_casse{"s2_trop_court", "S203B6004\n",
                      "ligne 1 : longueur incorrecte"},
        fichier_casse{"s2_compte_3", "S20300B649\n",
                      "ligne 1 : longueur trop courte"},
        fichier_casse{"s3_compte_4", "S3040000B645\n",
                      "ligne 1 : longueur trop courte"},
        fichier_casse{"somme_fausse",
                      "S00600004844521B\nS106B600861201AA\nS104B610AA8C\n",
                      "ligne 3 : somme de contrôle incorrecte"},
        fichier_casse{"somme_fausse_en_tete",
                      "S00600004844521C\nS104B610AA8B\n",
                      "ligne 1 : somme de contrôle incorrecte"},
        fichier_casse{"somme_fausse_fin", "S104B610AA8B\nS903B60047\n",
                      "ligne 2 : somme de contrôle incorrecte"},
        fichier_casse{"s1_passe_ffff", "S104B610AA8B\nS105FFFF0102F9\n",
                      "ligne 2 : données au-delà de $ffff"},
        fichier_casse{"s2_au_dela", "S20501000001F8\n",
                      "ligne 1 : données au-delà de $ffff"},
        fichier_casse{"s2_passe_ffff", "S20600FFFF0102F8\n",
                      "ligne 1 : données au-delà de $ffff"},
        fichier_casse{"s3_passe_ffff", "S3070000FFFF0102F7\n",
                      "ligne 1 : données au-delà de $ffff"},
        fichier_casse{"vide", "", "ligne 1 : aucun enregistrement de données"},
        fichier_casse{"blancs_seuls", "\r\n  \n\t\n",
                      "ligne 3 : aucun enregistrement de données"},
        fichier_casse{"en_tete_et_fin", "S00600004844521B\r\nS903B60046\r\n",
                      "ligne 2 : aucun enregistrement de données"},
        fichier_casse{"s1_sans_donnees", "S1030000FC\nS5030001FB\n",
                      "ligne 2 : aucun enregistrement de données"},
        fichier_casse{"fin_d_abord", "S903B60046\nS106B600861201AA\n",
                      "ligne 1 : aucun enregistrement de données"}),
    [](const testing::TestParamInfo<fichier_casse>& info) {
      return std::string(info.param.nom);
    });

TEST(load_s19, octet_nul_dans_un_enregistrement) {
  const std::string chemin =
      outils::ecrit_fichier("octet_nul.s19", std::string("S106B600\0"
                                                         "61201AA\n",
                                                         17));
  mem_64k mem;
  testing::internal::CaptureStderr();
  EXPECT_EQ(mem.load_s19(chemin.c_str()), 0);
  EXPECT_EQ(testing::internal::GetCapturedStderr(),
            "ligne 1 : caractère non hexadécimal\n");
  EXPECT_EQ(mem.read_byte(0xB600), 0xFF);
}

TEST(load_s19, ligne_trop_longue) {
  const std::string chemin = outils::ecrit_fichier(
      "longue.s19", bon + std::string(2000, ' ') + "S104B610AA8B\n");
  mem_64k mem;
  testing::internal::CaptureStderr();
  EXPECT_EQ(mem.load_s19(chemin.c_str()), 0);
  EXPECT_EQ(testing::internal::GetCapturedStderr(),
            "ligne 2 : ligne trop longue\n");
  EXPECT_EQ(mem.read_byte(0xB600), 0xFF);
}

TEST(load_s19, plus_long_enregistrement_accepte) {
  // 252 data bytes: count 0xFF, 514 characters (srec_cat accepts it).
  const std::string chemin = outils::ecrit_fichier(
      "plein.s19",
      "   S1FF1000" + std::string(252 * 2, 'A').replace(0, 2, "5A") + "E8\r\n");
  mem_64k mem;
  testing::internal::CaptureStderr();
  const int resultat = mem.load_s19(chemin.c_str());
  const std::string erreurs = testing::internal::GetCapturedStderr();
  EXPECT_EQ(resultat, 1) << erreurs;
  EXPECT_EQ(mem.read_byte(0x1000), 0x5A);
  EXPECT_EQ(mem.read_byte(0x10FB), 0xAA);
  EXPECT_EQ(mem.read_byte(0x10FC), 0xFF);
}

TEST(load_s19, fichiers_illisibles) {
  mem_64k mem;
  outils::remplit_motif(mem);
  const std::vector<unsigned short> avant = outils::copie(mem);
  for (const std::string& chemin :
       {outils::dossier_essais() + "/absent.s19", outils::dossier_essais()}) {
    testing::internal::CaptureStderr();
    EXPECT_EQ(mem.load_s19(chemin.c_str()), 0) << chemin;
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "erreur de chargement fichier\n");
  }
  EXPECT_TRUE(outils::copie(mem) == avant);
}

// A FIFO or a device is refused by every loader at once (neither waited
// for nor read without end), memory untouched.
TEST(chargeurs, tubes_et_peripheriques_refuses) {
  const std::string tube = outils::dossier_essais() + "/tube";
  std::remove(tube.c_str());
  ASSERT_EQ(0, ::mkfifo(tube.c_str(), 0600));
  mem_64k mem;
  outils::remplit_motif(mem);
  const std::vector<unsigned short> avant = outils::copie(mem);
  const std::string special =
      "pas un fichier ordinaire (tube, peripherique...)";
  for (const std::string& chemin : {tube, std::string("/dev/zero")}) {
    const struct {
      int (*charge)(mem_64k&, const char*);
      std::string derniere;  // the loader's last line
    } cas[] = {
        {[](mem_64k& m, const char* c) { return m.load_s19(c); },
         "erreur de chargement fichier : " + special},
        {[](mem_64k& m, const char* c) { return m.load_elf(c, nullptr); },
         "fichier ELF refuse : " + special},
        {[](mem_64k& m, const char* c) { return m.load_binaire(c); },
         "erreur sur fichier "},
    };
    for (const auto& c : cas) {
      SCOPED_TRACE(chemin + " " + c.derniere);
      testing::internal::CaptureStderr();
      EXPECT_EQ(0, c.charge(mem, chemin.c_str()));
      const std::string sortie = testing::internal::GetCapturedStderr();
      EXPECT_NE(std::string::npos, sortie.find(c.derniere + "\n")) << sortie;
    }
  }
  EXPECT_TRUE(outils::copie(mem) == avant);
}

TEST(asc2hex, chiffres_des_deux_casses) {
  mem_64k mem;
  const std::string chiffres = "0123456789abcdef";
  for (unsigned v = 0; v < 16; ++v) {
    EXPECT_EQ(mem.asc2hex(chiffres[v]), v);
    EXPECT_EQ(mem.asc2hex(static_cast<char>(std::toupper(chiffres[v]))), v);
  }
  for (char autre : {'g', 'G', ' ', '/', ':', '@', '`', '\0', '\xE9'})
    EXPECT_EQ(mem.asc2hex(autre), 0xFF) << static_cast<int>(autre);
}

}  // namespace
