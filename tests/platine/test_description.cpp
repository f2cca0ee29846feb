// Board files: every error refused with its file, line and message, nothing
// changed; the shipped presets read through the same parser, their pins
// never shared.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "platine/description.h"
#include "puce/journal.h"

namespace {

struct cas_erreur {
  const char* texte;
  const char* erreur;
};

TEST(BoardFile, ErrorsGiveTheLineAndLeaveTheBoardAsItWas) {
  const cas_erreur cas[] = {
      {"[[composant]]\ntype = \"led\"\nnom = \"L\"\nbroche = \"PB9\"\n",
       "carte.toml:4: broche inconnue « PB9 »"},
      {"[[composant]]\ntype = \"ledd\"\nnom = \"L\"\n",
       "carte.toml:2: type inconnu « ledd »"},
      {"\n[[composant]]\ntype = \"led\"\nbroche = \"PB0\"\n",
       "carte.toml:2: composant « led » sans « nom »"},
      {"[[composant]]\ntype = \"led\"\nnom = \"L\"\n",
       "carte.toml:1: « L » : « broche » manque"},
      {"[[composant]]\ntype = \"led\"\nnom = \"L\"\nbroche = \"PB0\"\n"
       "coleur = \"rouge\"\n",
       "carte.toml:5: clé inconnue « coleur » pour un composant « led »"},
      {"[[composant]]\ntype = \"led\"\nnom = \"L\"\nbroche = \"PB0\"\n"
       "[[composant]]\ntype = \"led\"\nnom = \"L\"\nbroche = \"PB1\"\n",
       "carte.toml:7: nom déjà pris « L »"},
      {"[[composant]]\ntype = \"bouton\"\nnom = \"B1\"\nbroche = \"PA0\"\n"
       "[[composant]]\ntype = \"interrupteur\"\nnom = \"S\"\nbroche = "
       "\"PA0\"\n",
       "carte.toml:8: la broche PA0 est déjà prise par « B1 »"},
      {"[[composant]]\ntype = \"bouton\"\nnom = \"B\"\nbroche = \"PB0\"\n",
       "carte.toml:4: la broche PB0 de « B » n'est pas une entrée de la puce"},
      {"[[composant]]\ntype = \"led\"\nnom = \"L\"\nbroche = \"PE0\"\n",
       "carte.toml:4: la broche PE0 de « L » n'est pas une sortie de la puce"},
      {"[[composant]]\ntype = \"led\"\nnom = \"L\"\nbroche = \"PD6\"\n",
       "carte.toml:4: broche inconnue « PD6 »"},
      {"[[composant]]\ntype = \"led\"\nnom = \"L\"\nbroche = \"PB0\"\n"
       "actif = \"oui\"\n",
       "carte.toml:5: actif : \"haut\" ou \"bas\" attendu, pas « oui »"},
      {"[[composant]]\ntype = \"potentiometre\"\nnom = \"P\"\nbroche = "
       "\"PA0\"\n",
       "carte.toml:4: un potentiomètre va sur une entrée analogique "
       "(AN0-AN7)"},
      {"[[composant]]\ntype = \"potentiometre\"\nnom = \"P\"\nbroche = "
       "\"AN1\"\ntension = 6\n",
       "carte.toml:5: tension : de 0 à 5 V"},
      {"[[composant]]\ntype = \"afficheur\"\nnom = \"A\"\nsegments = "
       "[\"PB0\", \"PB1\"]\n",
       "carte.toml:4: segments : 7 broches (a à g) ou 8 (et le point)"},
      {"[[composant]]\ntype = \"lcd\"\nnom = \"lcd\"\nrs = \"PC0\"\ne = "
       "\"PC2\"\ndonnees = [\"PC4\", \"PC5\", \"PC6\"]\n",
       "carte.toml:6: donnees : 8 broches (D0 à D7) ou 4 (D4 à D7)"},
      {"[[composant]]\ntype = \"lcd\"\nnom = \"lcd\"\nadresse = 0xB5F0\n"
       "rs = \"PC0\"\n",
       "carte.toml:5: rs : un afficheur sur le bus n'a pas de broches"},
      {"[[composant]]\ntype = \"clavier\"\nnom = \"K\"\nlignes = [\"PE0\"]\n"
       "colonnes = [\"PE1\"]\n",
       "carte.toml:1: « K » : les lignes ou les colonnes doivent être des "
       "sorties, les autres des entrées"},
      {"[[composant]]\ntype = \"clavier\"\nnom = \"K\"\nlignes = [\"PC0\", "
       "\"PC1\"]\ncolonnes = [\"PE0\"]\ntouches = [\"12\"]\n",
       "carte.toml:1: « K » : touches : 2 textes de 1 caractères attendus"},
      {"[[composant]]\ntype = \"fil\"\nnom = \"F\"\nde = \"PA0\"\nvers = "
       "\"XIRQ\"\n",
       "carte.toml:4: la broche PA0 de « F » n'est pas une sortie de la puce"},
      {"[[composant]]\ntype = \"barre\"\nnom = \"B\"\n",
       "carte.toml:1: « B » : « port » ou « broches », l'un des deux"},
      {"[[composant]]\ntype = \"bouton\"\nnom = \"B\"\nbroche = \"PA0\"\n"
       "rebond = 80\n",
       "carte.toml:5: rebond : de 0 à 50 ms"},
      {"titre = \"x\"\n[[composant]\n", "carte.toml:2: fichier TOML invalide"},
  };
  for (const cas_erreur& c : cas) {
    SCOPED_TRACE(c.texte);
    description_carte d;
    d.titre = "avant";
    std::string erreur;
    EXPECT_FALSE(lit_description(c.texte, "carte.toml", d, erreur));
    // A syntax error's own words are toml++'s: the start is ours.
    EXPECT_EQ(c.erreur, erreur.substr(0, std::string(c.erreur).size()));
    EXPECT_EQ("avant", d.titre);
    EXPECT_TRUE(d.composants.empty());
  }
}

TEST(BoardFile, PinsOrderAndOptionsAsWritten) {
  description_carte d;
  std::string erreur;
  ASSERT_TRUE(lit_description(
      "titre = \"t\"\n"
      "[[composant]]\ntype = \"barre\"\nnom = \"b\"\nport = \"PD\"\n"
      "[[composant]]\ntype = \"afficheur\"\nnom = \"a\"\nsegments = \"PB\"\n"
      "commun = \"anode\"\n"
      "[[composant]]\ntype = \"bouton\"\nnom = \"k\"\nbroche = \"an3\"\n"
      "rebond = 2.5\ngraine = 7\n"
      "[[composant]]\ntype = \"clavier\"\nnom = \"c\"\nlignes = [\"PC0\", "
      "\"PC1\", \"PC2\", \"PC3\"]\ncolonnes = [\"PE0\", \"PE1\", \"PE2\"]\n",
      "x.toml", d, erreur))
      << erreur;
  ASSERT_EQ(4u, d.composants.size());
  // A port's bar reads left to right from its highest pin: PD5 ... PD0.
  EXPECT_EQ((std::vector<unsigned char>{29, 28, 27, 26, 25, 24}),
            d.composants[0].broches);
  // Segment a is bit 0; common anode: segments low, digit high.
  EXPECT_EQ(broche_pb0, d.composants[1].broches[0]);
  EXPECT_FALSE(d.composants[1].actif_haut);
  EXPECT_TRUE(d.composants[1].selection_haute);
  EXPECT_EQ(broche_pe0 + 3, d.composants[2].broches[0]);
  EXPECT_FALSE(d.composants[2].actif_haut);
  EXPECT_EQ(5000u, d.composants[2].rebond);
  EXPECT_EQ(7u, d.composants[2].graine);
  EXPECT_EQ((std::vector<std::string>{"123", "456", "789", "*0#"}),
            d.composants[3].touches);
}

TEST(BoardFile, PresetsReadAndNeverShareAPin) {
  const std::vector<std::string> noms = noms_presets();
  EXPECT_EQ(
      (std::vector<std::string>{"afficheurs", "evb", "lcd", "lcd_bus", "leds"}),
      noms);
  for (const std::string& nom : noms) {
    SCOPED_TRACE(nom);
    description_carte d;
    std::string erreur;
    ASSERT_TRUE(charge_carte(nom, d, erreur)) << erreur;
    EXPECT_FALSE(d.titre.empty());
    std::set<int> prises;
    for (const composant_decrit& c : d.composants) {
      std::vector<int> broches(c.broches.begin(), c.broches.end());
      broches.insert(broches.end(), c.autres.begin(), c.autres.end());
      for (int b : {c.rs, c.rw, c.e})
        if (b >= 0) broches.push_back(b);
      for (int b : broches)
        EXPECT_TRUE(prises.insert(b).second)
            << nom_broche(static_cast<unsigned char>(b)) << " of " << c.nom;
    }
  }
  description_carte d;
  std::string erreur;
  EXPECT_FALSE(charge_carte("inexistante", d, erreur));
  EXPECT_EQ(0u, erreur.find("carte inconnue « inexistante »")) << erreur;
}

}  // namespace
