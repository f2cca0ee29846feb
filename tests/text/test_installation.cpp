// Data files found beside an installed program or in the source tree, and
// the --version text.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "text/installation.h"

namespace {

namespace fs = std::filesystem;

// A tree with an installed program and a source tree:
//   usr/bin/prog, usr/share/tamrix/examples/a.s19, src/examples/a.s19,
//   src/aide.txt, autre/bin/prog
class arbre_installation : public testing::Test {
 protected:
  void SetUp() override {
    char modele[] = "/tmp/tamrix_installation_XXXXXX";
    ASSERT_NE(::mkdtemp(modele), nullptr);
    racine = modele;
    for (const char* f :
         {"usr/bin/prog", "usr/share/tamrix/examples/a.s19",
          "src/examples/a.s19", "src/aide.txt", "autre/bin/prog"}) {
      fs::create_directories(fs::path(racine + "/" + f).parent_path());
      std::ofstream(racine + "/" + f) << f;
    }
  }
  void TearDown() override { fs::remove_all(racine); }
  std::string racine;
};

TEST_F(arbre_installation, cherche_d_abord_l_installation_puis_les_sources) {
  const std::string r = racine;
  const struct {
    std::string relatif, executable, sources, attendu;
  } cas[] = {
      {"examples/a.s19", r + "/usr/bin/prog", r + "/src",
       r + "/usr/share/tamrix/examples/a.s19"},
      {"examples", r + "/usr/bin/prog", "", r + "/usr/share/tamrix/examples"},
      {"aide.txt", r + "/usr/bin/prog", r + "/src", r + "/src/aide.txt"},
      {"aide.txt", r + "/usr/bin/prog", "", ""},
      {"examples/a.s19", r + "/autre/bin/prog", r + "/src",
       r + "/src/examples/a.s19"},
      {"examples/a.s19", "", r + "/src", r + "/src/examples/a.s19"},
      {"examples/b.s19", r + "/usr/bin/prog", r + "/src", ""},
      {"examples/a.s19", r + "/autre/bin/prog", "", ""},
  };
  for (const auto& c : cas)
    EXPECT_EQ(cherche_donnee(c.relatif, c.executable, c.sources), c.attendu)
        << c.relatif << " for " << c.executable << ", sources " << c.sources;
}

TEST(installation, le_programme_de_test_se_trouve_et_trouve_les_sources) {
  char* dossier = ::realpath(TAMRIX_BINARY_DIR, nullptr);
  ASSERT_NE(dossier, nullptr);
  EXPECT_EQ(chemin_executable(), std::string(dossier) + "/test_text");
  ::free(dossier);
  EXPECT_EQ(chemin_donnee("examples/somme.s19"),
            TAMRIX_SOURCE_DIR "/examples/somme.s19");
  EXPECT_EQ(chemin_donnee("examples/absent.s19"), "");
}

TEST(installation, texte_version_avec_et_sans_commit) {
  const std::string suite =
      "Copyright (c) 2026 les auteurs de tamrix ; licence MIT.\n"
      "Exemples : " TAMRIX_SOURCE_DIR "/examples\n";
  EXPECT_EQ(texte_version("tamrix-run", "1.2.3", "0123456789ab"),
            "tamrix-run 1.2.3 (commit 0123456789ab)\n" + suite);
  EXPECT_EQ(texte_version("tamrix", "0.4.0", ""), "tamrix 0.4.0\n" + suite);
}

}  // namespace
