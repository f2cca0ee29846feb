// The saved options' file: its text read back, damaged texts refused whole,
// the file missing, unreadable or damaged, and the atomic writing.
#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "text/options_sauvees.h"

namespace {

namespace fs = std::filesystem;

std::string contenu(const std::string& chemin) {
  std::ifstream f(chemin, std::ios::binary);
  std::ostringstream t;
  t << f.rdbuf();
  return t.str();
}

class dossier_options : public testing::Test {
 protected:
  void SetUp() override {
    char modele[] = "/tmp/tamrix_options_XXXXXX";
    ASSERT_NE(::mkdtemp(modele), nullptr);
    racine = modele;
  }
  void TearDown() override { fs::remove_all(racine); }
  std::string racine;
};

TEST(TexteOptions, CeQuiEstEcritSeRelitALIdentique) {
  options_sauvees o;
  o.modele = "plat";
  o.registres[2] = false;
  o.ports[4] = false;
  o.trace_temps_reel = false;
  o.registres_configuration = true;
  o.vitesse = "pas_animes";
  o.pas_par_seconde = 17;
  o.historique_mo = 64;
  o.analogiques[3] = 2.5;
  o.vrh = 4.75;
  o.selection_chronogramme = "PA0,IRQ";
  o.dernier_fichier = "/home/eleve/tp 1/prog.s19";
  options_sauvees relues;
  std::string erreur;
  ASSERT_TRUE(lit_texte_options(texte_options(o), relues, erreur)) << erreur;
  EXPECT_EQ(texte_options(o), texte_options(relues));
  EXPECT_NE(texte_options(options_sauvees{}), texte_options(relues));
}

TEST(TexteOptions, UnTexteAbimeEstRefuseEnEntier) {
  const struct {
    const char* texte;
    bool accepte;
  } cas[] = {
      {"modele=plat\n", true},
      {"# commentaire\n\nmodele=plat\r\n", true},
      {"cle_future=42\nmodele=plat\n", true},
      {"chronogramme.selection=\n", true},
      {"analogique.AN7=5\n", true},
      {"modele=plat\nn'importe quoi\n", false},
      {"modele=z80\n", false},
      {"=plat\n", false},
      {"registre.A=oui\n", false},
      {"pas_par_seconde=0\n", false},
      {"historique_mo=15\n", false},
      {"historique_mo=4096\n", true},
      {"pas_par_seconde=51\n", false},
      {"pas_par_seconde=5x\n", false},
      {"vitesse=vite\n", false},
      {"analogique.VRH=5.5\n", false},
      {"analogique.AN0=2,5\n", false},
      {"chronogramme.selection=PB7,PZ9\n", false},
      {"chronogramme.selection=PB7,\n", false},
      {"modele=plat\n\x7f\x45LF\x01\x02\n", false},
  };
  for (const auto& c : cas) {
    SCOPED_TRACE(c.texte);
    options_sauvees o;
    std::string erreur;
    EXPECT_EQ(c.accepte, lit_texte_options(c.texte, o, erreur)) << erreur;
    // A damaged text leaves every option as it was.
    const bool plat =
        std::string(c.texte).find("modele=plat") != std::string::npos;
    EXPECT_EQ(c.accepte && plat ? "plat" : "e9", o.modele);
    EXPECT_EQ(c.accepte, erreur.empty());
  }
}

TEST(CheminOptions, XdgPuisHome) {
  const struct {
    const char* xdg;
    const char* home;
    const char* attendu;
  } cas[] = {
      {"/tmp/conf", "/home/u", "/tmp/conf/tamrix/options"},
      {nullptr, "/home/u", "/home/u/.config/tamrix/options"},
      {"relatif", "/home/u", "/home/u/.config/tamrix/options"},
      {"", "/home/u", "/home/u/.config/tamrix/options"},
      {nullptr, nullptr, ""},
  };
  const char* xdg_avant = std::getenv("XDG_CONFIG_HOME");
  const char* home_avant = std::getenv("HOME");
  const std::string xdg_garde = xdg_avant ? xdg_avant : "",
                    home_garde = home_avant ? home_avant : "";
  for (const auto& c : cas) {
    SCOPED_TRACE(c.attendu);
    c.xdg ? ::setenv("XDG_CONFIG_HOME", c.xdg, 1)
          : ::unsetenv("XDG_CONFIG_HOME");
    c.home ? ::setenv("HOME", c.home, 1) : ::unsetenv("HOME");
    EXPECT_EQ(c.attendu, chemin_options());
  }
  xdg_avant ? ::setenv("XDG_CONFIG_HOME", xdg_garde.c_str(), 1)
            : ::unsetenv("XDG_CONFIG_HOME");
  home_avant ? ::setenv("HOME", home_garde.c_str(), 1) : ::unsetenv("HOME");
}

TEST_F(dossier_options, EcritDansUnDossierNeufPuisRelit) {
  const std::string chemin = racine + "/a/b/tamrix/options";
  options_sauvees o;
  o.vitesse = "maximum";
  std::string erreur;
  ASSERT_TRUE(ecrit_options(chemin, o, erreur)) << erreur;
  options_sauvees relues;
  EXPECT_EQ(etat_options::lu, lit_options(chemin, relues).etat);
  EXPECT_EQ("maximum", relues.vitesse);
  // Nothing left beside it: the temporary file was renamed.
  EXPECT_EQ(1, std::distance(fs::directory_iterator(racine + "/a/b/tamrix"),
                             fs::directory_iterator{}));
}

TEST_F(dossier_options, AbsentAbimeOuIllisibleDonnentLesDefauts) {
  const std::string chemin = racine + "/options";
  const struct {
    const char* contenu;  // null: no file; "/": a folder in its place
    etat_options attendu;
  } cas[] = {
      {nullptr, etat_options::absent},
      {"modele=plat\n", etat_options::lu},
      {"modele=plat\nPK\x03\x04 garbage\n", etat_options::abime},
      {"/", etat_options::illisible},
  };
  for (const auto& c : cas) {
    SCOPED_TRACE(c.contenu ? c.contenu : "(none)");
    fs::remove_all(chemin);
    if (c.contenu && std::string(c.contenu) == "/")
      fs::create_directory(chemin);
    else if (c.contenu)
      std::ofstream(chemin, std::ios::binary) << c.contenu;
    options_sauvees o;
    const lecture_options r = lit_options(chemin, o);
    EXPECT_EQ(c.attendu, r.etat);
    EXPECT_EQ(c.attendu == etat_options::lu ? "plat" : "e9", o.modele);
    // One line for the standard error stream, naming the file.
    const bool plainte = c.attendu == etat_options::abime ||
                         c.attendu == etat_options::illisible;
    EXPECT_EQ(plainte, r.message.find(chemin) != std::string::npos)
        << r.message;
    EXPECT_EQ(std::string::npos, r.message.find('\n'));
  }
  // A damaged file is read, never rewritten.
  fs::remove_all(chemin);
  std::ofstream(chemin) << "abime\n";
  options_sauvees o;
  lit_options(chemin, o);
  EXPECT_EQ("abime\n", contenu(chemin));
}

TEST_F(dossier_options, UnEchecDEcritureLaisseLAncienFichier) {
  // A name so long that the temporary file's cannot be made beside it.
  const std::string chemin = racine + "/" + std::string(250, 'o');
  std::ofstream(chemin) << "modele=plat\n";
  options_sauvees autre;
  std::string erreur;
  EXPECT_FALSE(ecrit_options(chemin, autre, erreur));
  EXPECT_NE(std::string::npos, erreur.find(racine)) << erreur;
  EXPECT_EQ("modele=plat\n", contenu(chemin));
  EXPECT_EQ(1, std::distance(fs::directory_iterator(racine),
                             fs::directory_iterator{}));
}

}  // namespace
