// What a student reads when the source is wrong: each message as one line
// naming the file and line, every error of the file at once, nothing
// loaded; warnings that do not stop the load; the limits on the
// assembler's loops and outputs.
#include <gtest/gtest.h>

#include <fstream>
#include <memory>
#include <string>

#include "memory/mem_64k.h"
#include "memory/programme.h"
#include "tests/assembleur/banc_asm.h"

namespace {

TEST(Erreurs, EachMessage) {
  const struct {
    const char* source;
    unsigned ligne;  // of the first message
    bool erreur;
    const char* texte;
  } cas[] = {
      {" BRA BOUCEL", 1, true, "symbole inconnu « BOUCEL »"},
      {" LDAX #1", 1, true, "instruction ou directive inconnue « LDAX »"},
      {" ORG $B600\n BRA *+200", 2, true,
       "branchement hors de portée : la cible est à 198 octets (de -128 à "
       "127)"},
      {"ICI BRSET 0,X,1,ICI+200", 1, true,
       "branchement hors de portée : la cible est à 196 octets (de -128 à "
       "127)"},
      {" BRSET 0,X,1,,", 1, true, "cible du branchement manquante"},
      {" STAA #1", 1, true, "STAA n'a pas d'adressage immédiat"},
      {" JMP <$20", 1, true, "JMP n'a pas d'adressage direct"},
      {" LDAA <$120", 1, true,
       "adresse hors de la page directe ($00-$ff) : $0120"},
      {" BSET $120,1", 1, true,
       "adresse hors de la page directe ($00-$ff) : $0120"},
      {" LDAA 300,X", 1, true, "décalage indexé hors de 0..255 : 300"},
      {" LDAA 0,Z", 1, true,
       "registre d'index attendu après la virgule (X ou Y)"},
      {" LDAA", 1, true, "opérande manquant pour LDAA"},
      {" LDAA #1)", 1, true, "caractère inattendu après l'opérande : « ) »"},
      {" ORG FIN\nFIN NOP", 1, true,
       "ORG : « FIN » est défini plus loin (référence en avant interdite ici)"},
      {" RMB N\nN EQU 2", 1, true,
       "RMB : « N » est défini plus loin (référence en avant interdite ici)"},
      {" EQU 3", 1, true, "EQU sans étiquette"},
      {" FCC /abc", 1, true, "FCC : délimiteur final « / » manquant"},
      {" BSZ 0", 1, true, "BSZ : nombre d'octets nul"},
      {" FILL 300,2", 1, true, "FILL : valeur hors de 0..255 : 300"},
      {" FCB 1/0", 1, true, "division par zéro"},
      {" FCB $12G", 1, true,
       "chiffre incorrect dans une constante hexadécimale : « 12G »"},
      {" FDB 70000", 1, true, "constante décimale au-delà de 65535"},
      {" FCB (1+2", 1, true, "parenthèse fermante manquante"},
      {"1ABC NOP", 1, true, "étiquette incorrecte « 1ABC »"},
      {"A NOP\nA SET 1", 2, true,
       "« A » est déjà défini (ligne 1) : SET ne peut redéfinir qu'un symbole "
       "de SET"},
      {" ORG $FFFF\n FDB 1", 2, true,
       "le compteur d'adresses dépasse $ffff : octets perdus"},
      {" INCLUDE absent.asm", 1, true,
       "INCLUDE « absent.asm » : fichier illisible : No such file or "
       "directory"},
      {" FCB 300", 1, false, "valeur tronquée à 8 bits : $012c devient $2c"},
      {"A NOP\nA NOP", 2, false,
       "étiquette « A » déjà définie (ligne 1) : cette définition est ignorée"},
      {" OPT C,ZZ", 1, false, "OPT : option inconnue ignorée « ZZ »"},
      {" FCB 1, 2", 1, false,
       "blanc après la virgule : la suite de la ligne est un commentaire"},
      {" ORG $B600\n NOP\n ORG $B600\n NOP", 4, false,
       "octets déjà écrits à $b600 : ils sont remplacés"},
  };
  for (const auto& c : cas) {
    SCOPED_TRACE(c.source);
    const resultat_asm r = assemble_texte(c.source);
    ASSERT_FALSE(r.messages.empty());
    const message_asm& m = r.messages.front();
    EXPECT_EQ(m.texte, c.texte);
    EXPECT_EQ(m.ligne, c.ligne);
    EXPECT_EQ(m.erreur, c.erreur);
    // Warnings do not stop the assembly; errors do.
    EXPECT_EQ(r.reussi(), !c.erreur);
  }
}

TEST(Erreurs, AllAtOnceWithTheirLinesAndNothingLoaded) {
  const std::string chemin =
      std::string(TAMRIX_BINARY_DIR) + "/essais_assembleur_erreurs.asm";
  std::ofstream(chemin) << "* trois erreurs\n"
                           "        ORG   $B600\n"
                           "DEBUT   LDAA  #1\n"
                           "\tBRA   BOUCEL\n"
                           "        STAA  #2\n"
                           "        FCB   300\n"
                           "        LDAX  0,X\n";
  auto mem = std::make_unique<mem_64k>();
  for (unsigned a = 0; a < 0x10000; ++a)
    mem->cellules[a] = static_cast<unsigned short>(a * 7 & 0xFF);
  const auto avant = std::make_unique<mem_64k>(*mem);
  const programme_ouvert p = ouvre_programme(chemin, *mem);
  EXPECT_FALSE(p.reussi);
  EXPECT_EQ(p.sorte, sorte_programme::motorola);
  EXPECT_TRUE(p.infos.vide());
  const std::vector<std::string> attendu = {
      chemin + ":4: symbole inconnu « BOUCEL »",
      "     4 |         BRA   BOUCEL",
      chemin + ":5: STAA n'a pas d'adressage immédiat",
      "     5 |         STAA  #2",
      chemin +
          ":6: avertissement : valeur tronquée à 8 bits : $012c "
          "devient $2c",
      "     6 |         FCB   300",
      chemin + ":7: instruction ou directive inconnue « LDAX »",
      "     7 |         LDAX  0,X"};
  EXPECT_EQ(p.messages, attendu);
  for (unsigned a = 0; a < 0x10000; ++a)
    ASSERT_EQ(mem->cellules[a], avant->cellules[a]) << a;
}

TEST(Erreurs, LimitsOnLoopsAndOutputs) {
  // INCLUDE: beside the including file, each file named in the messages.
  std::map<std::string, std::string> fichiers = {
      {"a.asm", " NOP\n INCLUDE \"b.asm\""},
      {"b.asm", " INCLUDE 'a.asm'"},
  };
  for (int k = 0; k < 40; ++k)
    fichiers["n" + std::to_string(k) + ".asm"] =
        " INCLUDE n" + std::to_string(k + 1) + ".asm";
  const std::string longue(5000, 'A');
  std::string erreurs, lignes;
  for (int k = 0; k < 150; ++k) erreurs += " LDAX\n";
  lignes.assign(100001, '\n');
  const struct {
    std::string source;
    const char* dernier;  // the last message's text
    unsigned nb_erreurs;
  } cas[] = {
      {" INCLUDE a.asm", "inclusion récursive de « a.asm »", 1},
      {" INCLUDE n0.asm",
       "INCLUDE imbriqués trop profondément (plus de 16 "
       "niveaux)",
       1},
      {" NOP\n" + longue, "ligne trop longue (plus de 4096 caractères)", 1},
      {erreurs, "150 erreurs en tout : seuls les 100 premiers sont montrés",
       150},
      {lignes, "plus de 100000 lignes en tout : assemblage arrêté", 1},
  };
  for (const auto& c : cas) {
    const resultat_asm r = assemble_texte(c.source, fichiers);
    ASSERT_FALSE(r.messages.empty());
    EXPECT_EQ(r.messages.back().texte, c.dernier);
    EXPECT_EQ(r.nb_erreurs, c.nb_erreurs);
    EXPECT_LE(r.messages.size(), 101u);
  }
  EXPECT_EQ(assemble_texte(" INCLUDE a.asm", fichiers).messages.back().fichier,
            "b.asm");
  // A file over 8 MiB is refused before anything is read from it.
  const std::string gros = std::string(TAMRIX_BINARY_DIR) + "/gros.asm";
  std::ofstream(gros) << std::string((8u << 20) + 1, '*');
  const resultat_asm r = assemble_motorola(gros);
  ASSERT_EQ(r.messages.size(), 1u);
  EXPECT_EQ(r.messages[0].en_ligne(),
            gros + ": fichier trop gros (plus de 8 Mio)");
}

}  // namespace
