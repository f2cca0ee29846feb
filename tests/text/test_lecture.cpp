// Bounded reading: regular files within their bound, the bound checked
// while reading (a device without end stops), FIFOs and devices refused
// without waiting, lines cut past their bound.
#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <vector>

#include "text/lecture.h"

namespace {

TEST(LectureBornee, EachKindOfPath) {
  char modele[] = "/tmp/tamrix_lecture_XXXXXX";
  ASSERT_NE(::mkdtemp(modele), nullptr);
  const std::string d = modele;
  std::ofstream(d + "/dix") << "0123456789";
  ::mkfifo((d + "/tube").c_str(), 0600);
  const struct {
    std::string chemin;
    std::size_t borne;
    bool autres, debut;
    echec_lecture attendu;
    const char* contenu;
  } cas[] = {
      {d + "/dix", 10, false, false, echec_lecture::aucun, "0123456789"},
      {d + "/dix", 9, false, false, echec_lecture::trop_grand, ""},
      {d + "/dix", 4, false, true, echec_lecture::aucun, "0123"},
      {d + "/absent", 10, false, false, echec_lecture::ouverture, ""},
      {d, 10, true, false, echec_lecture::dossier, ""},
      // Refused before a byte is read: no writer is waited for.
      {d + "/tube", 10, false, false, echec_lecture::special, ""},
      {"/dev/zero", 10, false, false, echec_lecture::special, ""},
      // Allowed, a device without end stops one byte past the bound.
      {"/dev/zero", 100000, true, false, echec_lecture::trop_grand, ""},
      {"/dev/null", 10, true, false, echec_lecture::aucun, ""},
  };
  for (const auto& c : cas) {
    SCOPED_TRACE(c.chemin + " " + std::to_string(c.borne));
    lecture_bornee bornes{c.borne};
    bornes.autres_que_reguliers = c.autres;
    bornes.debut_seulement = c.debut;
    std::string contenu = "avant", erreur;
    echec_lecture echec = echec_lecture::lecture;
    EXPECT_EQ(c.attendu == echec_lecture::aucun,
              lit_fichier_borne(c.chemin, bornes, contenu, erreur, &echec));
    EXPECT_EQ(c.attendu, echec);
    EXPECT_EQ(c.contenu, contenu);
    EXPECT_EQ(c.attendu == echec_lecture::aucun, erreur.empty()) << erreur;
  }
  std::string erreur;
  EXPECT_TRUE(fichier_ordinaire(d + "/dix", erreur));
  EXPECT_FALSE(fichier_ordinaire(d + "/tube", erreur));
  EXPECT_TRUE(meme_fichier(
      d + "/dix",
      d + "/../" + std::filesystem::path(d).filename().string() + "/dix"));
  EXPECT_FALSE(meme_fichier(d + "/dix", d + "/tube"));
  std::filesystem::remove_all(d);
}

TEST(LectureBornee, LinesAndTheirBound) {
  const struct {
    std::string texte;
    std::vector<std::string> lignes;
  } cas[] = {
      {"", {}},
      {"a\nbc\r\n\nd", {"a", "bc", "", "d"}},
      {"abcdefgh\nxy\n", {"abcde", "xy"}},  // cut one past the bound of 4
      {"r\r", {"r\r"}},                     // a lone CR stays
  };
  for (const auto& c : cas) {
    lignes_bornees l(c.texte, 4);
    std::vector<std::string> lues;
    for (std::string ligne; l.suivante(ligne);) lues.push_back(ligne);
    EXPECT_EQ(c.lignes, lues) << c.texte;
  }
}

}  // namespace
