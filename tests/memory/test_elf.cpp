// The ELF loader, the debug information and the opening of programs, on
// files the GNU tools make here from the example programs: the same memory
// as the program's S19 file, the symbols and lines that m68hc11-objdump
// reads, refused files that leave everything unchanged, and sources that the
// assembler rejects.
#include <gtest/gtest.h>

#include <cctype>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <set>
#include <sstream>
#include <tuple>

#include "memory/assembleur.h"
#include "memory/programme.h"
#include "outils.h"

namespace {

namespace fs = std::filesystem;
using ligne_table = std::tuple<std::string, unsigned, unsigned>;

const std::string racine = TAMRIX_SOURCE_DIR;
const std::string somme_s = racine + "/examples/somme.s";

std::string base_de(const std::string& chemin) {
  return fs::path(chemin).filename().string();
}

// `source` assembled with -g and linked at 0xB600 as tools/assemble.sh
// does: the object (.o), the ELF file (.elf) and its S19 image (.s19).
std::string construit(const std::string& source) {
  const std::string b = outils::dossier_essais() + "/" + base_de(source);
  outils::execute("m68hc11-as -g -o '" + b + ".o' '" + source +
                  "' && m68hc11-ld -Ttext 0xb600 -e _start -o '" + b +
                  ".elf' '" + b + ".o' && m68hc11-objcopy -O srec '" + b +
                  ".elf' '" + b + ".s19'");
  return b;
}

std::vector<std::string> lignes_de(const std::string& texte) {
  std::vector<std::string> lignes;
  std::istringstream flux(texte);
  for (std::string l; std::getline(flux, l);) lignes.push_back(l);
  return lignes;
}

// Labels ("fin:") and constants ("PORTB = 0x1004") defined in the source.
std::set<std::string> noms_du_source(const std::string& source) {
  std::set<std::string> noms;
  for (const std::string& l : lignes_de(outils::lit_fichier(source))) {
    const std::size_t debut = l.find_first_not_of(" \t");
    if (debut == std::string::npos ||
        !(std::isalpha(l[debut]) || l[debut] == '_' || l[debut] == '.'))
      continue;
    std::size_t fin = debut;
    while (fin < l.size() && (std::isalnum(l[fin]) || l[fin] == '_' ||
                              l[fin] == '.' || l[fin] == '$'))
      ++fin;
    const std::size_t apres = l.find_first_not_of(" \t", fin);
    if (apres != std::string::npos && (l[apres] == ':' || l[apres] == '='))
      noms.insert(l.substr(debut, fin - debut));
  }
  return noms;
}

// "0000b603 l       .text\t00000000 ajoute": value and name.
std::multimap<std::string, unsigned> symboles_objdump(const std::string& elf) {
  std::multimap<std::string, unsigned> symboles;
  for (const std::string& l :
       lignes_de(outils::sortie_de("m68hc11-objdump -t '" + elf + "'"))) {
    const std::size_t tab = l.find('\t');
    if (tab == std::string::npos || l.size() <= tab + 10 ||
        l.find_first_not_of("0123456789abcdef") != 8)
      continue;
    symboles.emplace(l.substr(tab + 10),
                     std::stoul(l.substr(0, 8), nullptr, 16));
  }
  return symboles;
}

// Rows of `objdump --dwarf=decodedline` ("somme.s  13  0xb600  x") but end
// rows, sorted.
std::vector<ligne_table> lignes_objdump(const std::string& elf) {
  std::vector<ligne_table> lignes;
  for (const std::string& l : lignes_de(outils::sortie_de(
           "m68hc11-objdump --dwarf=decodedline '" + elf + "'"))) {
    std::istringstream champs(l);
    std::string fichier, ligne, adresse;
    if (champs >> fichier >> ligne >> adresse &&
        ligne.find_first_not_of("0123456789") == std::string::npos &&
        adresse.compare(0, 2, "0x") == 0)
      lignes.emplace_back(fichier, std::stoul(ligne),
                          std::stoul(adresse, nullptr, 16));
  }
  std::sort(lignes.begin(), lignes.end());
  return lignes;
}

class programmes_gnu : public testing::TestWithParam<std::string> {};

TEST_P(programmes_gnu, comme_le_s19_et_objdump) {
  const std::string source = racine + "/" + GetParam();
  const std::string b = construit(source);
  auto par_s19 = std::make_unique<mem_64k>(),
       par_elf = std::make_unique<mem_64k>();
  outils::remplit_motif(*par_s19);
  outils::remplit_motif(*par_elf);
  ASSERT_EQ(par_s19->load_s19((b + ".s19").c_str()), 1);
  unsigned short entree = 0;
  infos_debogage infos;
  testing::internal::CaptureStderr();
  ASSERT_EQ(par_elf->load_elf((b + ".elf").c_str(), &entree, &infos), 1);
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
  EXPECT_TRUE(outils::copie(*par_elf) == outils::copie(*par_s19));
  char depart[32];
  std::snprintf(depart, sizeof depart, "start address 0x%08x", entree);
  EXPECT_NE(
      outils::sortie_de("m68hc11-objdump -f '" + b + ".elf'").find(depart),
      std::string::npos);

  const auto objdump = symboles_objdump(b + ".elf");
  std::set<std::string> noms;
  for (const symbole& s : infos.symboles()) {
    noms.insert(s.nom);
    const auto r = objdump.equal_range(s.nom);
    EXPECT_TRUE(std::any_of(r.first, r.second, [&](const auto& o) {
      return o.second == s.valeur;
    })) << s.nom;
    ASSERT_NE(infos.cherche(s.nom), nullptr);
    EXPECT_EQ(infos.cherche(s.nom)->valeur, s.valeur);
  }
  EXPECT_EQ(noms, noms_du_source(source));

  std::vector<ligne_table> lignes;
  for (const ligne_source& l : infos.lignes()) {
    if (l.fin_de_sequence) continue;
    const std::string fichier = base_de(infos.fichiers().at(l.fichier));
    lignes.emplace_back(fichier, l.ligne, l.adresse);
    const ligne_source* couvre = infos.ligne_a(l.adresse);
    EXPECT_TRUE(couvre != nullptr && couvre->adresse == l.adresse);
    unsigned short premiere = 0;
    EXPECT_TRUE(infos.adresse_de(fichier, l.ligne, premiere));
    EXPECT_LE(premiere, l.adresse);
  }
  std::sort(lignes.begin(), lignes.end());
  EXPECT_FALSE(lignes.empty());
  EXPECT_EQ(lignes, lignes_objdump(b + ".elf"));
  for (const std::string& f : infos.fichiers()) EXPECT_TRUE(fs::exists(f)) << f;

  // The source itself, assembled by ouvre_programme, gives the same.
  auto par_source = std::make_unique<mem_64k>();
  outils::remplit_motif(*par_source);
  const programme_ouvert o = ouvre_programme(source, *par_source);
  EXPECT_TRUE(o.reussi && o.messages.empty() && o.entree == entree);
  EXPECT_TRUE(outils::copie(*par_source) == outils::copie(*par_s19));
  EXPECT_EQ(o.infos.lignes().size(), infos.lignes().size());
}

INSTANTIATE_TEST_SUITE_P(
    load_elf, programmes_gnu,
    testing::Values("examples/somme.s", "examples/chenillard.s",
                    "examples/entrees_port_e.s", "tests/memory/donnees/prog.s",
                    "tests/programmes/bcd.s", "tests/programmes/factorielle.s",
                    "tests/programmes/multiplication.s",
                    "tests/programmes/ports.s",
                    "tests/programmes/somme_controle.s",
                    "tests/programmes/tri.s", "bench/boucle.s"),
    [](const testing::TestParamInfo<std::string>& info) {
      return base_de(info.param).substr(0, base_de(info.param).find('.'));
    });

struct fichier_refuse {
  const char* nom;
  const char* commande;  // B: somme built (B.elf, B.o), S: its source, F: out
  const char* message;
};

class fichiers_refuses : public testing::TestWithParam<fichier_refuse> {};

const char* const tronque = "fichier tronque ou endommage";
const char* const pas_elf = "pas un fichier ELF";

// A refused file leaves memory, entry point and debug information as they
// were, and says why in one line.
TEST_P(fichiers_refuses, ne_changent_rien) {
  const fichier_refuse& cas = GetParam();
  const std::string b = construit(somme_s);
  const std::string f = outils::dossier_essais() + "/refuse_" + cas.nom;
  outils::execute("B='" + b + "'; S='" + somme_s + "'; F='" + f + "'; " +
                  cas.commande);
  auto mem = std::make_unique<mem_64k>();
  unsigned short entree = 0;
  infos_debogage infos;
  ASSERT_EQ(mem->load_elf((b + ".elf").c_str(), &entree, &infos), 1);
  outils::remplit_motif(*mem);
  const std::vector<unsigned short> avant = outils::copie(*mem);
  const std::size_t symboles = infos.symboles().size();
  testing::internal::CaptureStderr();
  EXPECT_EQ(mem->load_elf(f.c_str(), &entree, &infos), 0);
  EXPECT_EQ(testing::internal::GetCapturedStderr(),
            "fichier ELF refuse : " + std::string(cas.message) + "\n");
  EXPECT_TRUE(outils::copie(*mem) == avant);
  EXPECT_EQ(entree, 0xB600);
  EXPECT_EQ(infos.symboles().size(), symboles);
}

INSTANTIATE_TEST_SUITE_P(
    load_elf, fichiers_refuses,
    testing::Values(
        fichier_refuse{"tronque_en_tete", "head -c 30 $B.elf > $F", tronque},
        fichier_refuse{"tronque_au_milieu",
                       "head -c $(($(stat -c %s $B.elf) / 2)) $B.elf > $F",
                       tronque},
        fichier_refuse{"tronque_d_un_octet", "head -c -1 $B.elf > $F", tronque},
        fichier_refuse{"vide", ": > $F", pas_elf},
        fichier_refuse{"octets_aleatoires",
                       "LC_ALL=C awk 'BEGIN { srand(7); for (i = 0; i < 4096; "
                       "i++) printf \"%c\", int(rand() * 256) }' > $F",
                       pas_elf},
        fichier_refuse{"pe_coff", "objcopy -O pei-x86-64 /bin/true $F",
                       pas_elf},
        fichier_refuse{"s19", "m68hc11-objcopy -O srec $B.elf $F", pas_elf},
        fichier_refuse{"elf_64_bits", "cp /bin/true $F",
                       "ELF 64 bits (ELF32 attendu)"},
        fichier_refuse{"petit_boutiste",
                       "objcopy -I binary -O elf32-i386 $S $F",
                       "ELF petit-boutiste (gros-boutiste attendu)"},
        fichier_refuse{"machine_68hc12",
                       "m68hc11-as -m68hc12 -o $F.o $S && m68hc11-ld -m "
                       "m68hc12elf -Ttext 0xb600 -e _start -o $F $F.o",
                       "programme pour une autre machine (numero 53, 68HC11 "
                       "= 70)"},
        fichier_refuse{"segment_au_dela_de_ffff",
                       "m68hc11-objcopy --change-addresses 0x49f8 $B.elf $F "
                       "2>/dev/null",
                       "segment au-dela de $ffff ($f000 + 4099 octets)"},
        fichier_refuse{"objet_non_lie", "cp $B.o $F",
                       "aucun segment chargeable (fichier objet non lie ?)"}),
    [](const testing::TestParamInfo<fichier_refuse>& info) {
      return std::string(info.param.nom);
    });

struct source_cas {
  const char* nom;
  const char* texte;
  bool reussi;
  const char* extrait;  // found in one of the messages ("" for none)
};

class sources : public testing::TestWithParam<source_cas> {};

// The assembler's own lines come first and unchanged, the temporary folder
// is gone, and memory changes only on success.
TEST_P(sources, assemblees_par_les_outils_gnu) {
  const source_cas& cas = GetParam();
  const std::string dossier = outils::dossier_essais() + "/dossier de l'essai";
  const std::string temporaire = outils::dossier_essais() + "/tmp_" + cas.nom;
  fs::create_directories(dossier);
  fs::create_directories(temporaire);
  const std::string chemin = dossier + "/" + cas.nom + " ('1').s";
  std::ofstream(chemin) << cas.texte;
  const std::vector<std::string> par_as = lignes_de(
      outils::sortie_de("m68hc11-as -o /dev/null \"" + chemin + "\" 2>&1"));
  auto mem = std::make_unique<mem_64k>();
  outils::remplit_motif(*mem);
  const std::vector<unsigned short> avant = outils::copie(*mem);
  setenv("TMPDIR", temporaire.c_str(), 1);
  testing::internal::CaptureStderr();
  const programme_ouvert o = ouvre_programme(chemin, *mem);
  const std::string erreurs = testing::internal::GetCapturedStderr();
  unsetenv("TMPDIR");
  EXPECT_EQ(o.reussi, cas.reussi);
  EXPECT_TRUE(fs::is_empty(temporaire));
  ASSERT_GE(o.messages.size(), par_as.size());
  EXPECT_TRUE(std::equal(par_as.begin(), par_as.end(), o.messages.begin()));
  std::string attendu;
  for (const std::string& m : o.messages) attendu += m + "\n";
  EXPECT_EQ(erreurs, attendu);
  EXPECT_TRUE(*cas.extrait ? attendu.find(cas.extrait) != std::string::npos
                           : attendu.empty())
      << attendu;
  EXPECT_EQ(outils::copie(*mem) == avant, !cas.reussi);
  EXPECT_EQ(o.entree.value_or(0), cas.reussi ? 0xB600 : 0);
}

INSTANTIATE_TEST_SUITE_P(
    ouvre_programme, sources,
    testing::Values(
        source_cas{"erreur_de_syntaxe", "debut:\tldaa #0x12\n\tldaa ,,x\n",
                   false, "('1').s:2: Error: "},
        source_cas{"etiquette_inconnue", "_start:\tbra ailleurs\n", false,
                   "undefined reference to `ailleurs'"},
        source_cas{"sans_start", "\tnop\nfin:\tbra fin\n", true, ""},
        source_cas{"avertissement", "_start:\tbra _start\n\t.byte 300\n", true,
                   "('1').s:2: Warning: "}),
    [](const testing::TestParamInfo<source_cas>& info) {
      return std::string(info.param.nom);
    });

TEST(assemble_source, outils_absents) {
  const std::string chemin = std::getenv("PATH");
  setenv("PATH", outils::dossier_essais().c_str(), 1);
  bool appele = false;
  const resultat_assemblage r =
      assemble_source(somme_s, [&](const std::string&) { appele = true; });
  setenv("PATH", chemin.c_str(), 1);
  EXPECT_FALSE(r.reussi || appele);
  EXPECT_EQ(r.messages,
            std::vector<std::string>{"m68hc11-as introuvable : installez le "
                                     "paquet Debian binutils-m68hc1x"});
}

// A source that asks too much, or tools that never end: stopped at their
// limit, refused with the line that says which; nothing loaded. The CPU
// and wall-clock cases use stand-ins for the assembler (a loop, a sleep)
// found first in PATH.
TEST(assemble_source, limites) {
  const std::string dossier = outils::dossier_essais() + "/outils_lents";
  outils::execute("mkdir -p '" + dossier + "'");
  const struct {
    const char* outil;  // the stand-in's script, or null: the real tool
    const char* source;
    limites_outils limites;
    bool annule;  // "Annuler" after a moment
    const char* message;
  } cas[] = {
      {nullptr, "\t.space 4000000\n", {20, 512u << 20, 1u << 20, 60}, false,
       "m68hc11-as arrêté : fichier produit trop grand (1 Mo au plus)"},
      {nullptr, ".rept 100000000\n\tnop\n.endr\n", {20, 64u << 20, 16u << 20, 60},
       false, "m68hc11-as arrêté : mémoire dépassée (64 Mo au plus)"},
      {"while :; do :; done", "", {1, 512u << 20, 16u << 20, 60}, false,
       "m68hc11-as arrêté : temps de calcul dépassé (1 s au plus)"},
      {"exec /bin/sleep 30", "", {20, 512u << 20, 16u << 20, 1}, false,
       "m68hc11-as arrêté : durée dépassée (1 s au plus)"},
      {"exec /bin/sleep 30", "", {}, true, "assemblage annulé"},
  };
  const std::string chemin = std::getenv("PATH");
  for (const auto& c : cas) {
    SCOPED_TRACE(c.message);
    if (c.outil) {
      std::ofstream(dossier + "/m68hc11-as") << "#!/bin/sh\n" << c.outil << "\n";
      outils::execute("chmod +x '" + dossier + "/m68hc11-as'");
      setenv("PATH", (dossier + ":" + chemin).c_str(), 1);
    }
    const std::string source = outils::ecrit_fichier("limite.s", c.source);
    bool appele = false;
    const resultat_assemblage r = assemble_source(
        source, [&](const std::string&) { appele = true; },
        [&](const std::string& outil, double secondes) {
          EXPECT_EQ("m68hc11-as", outil);
          return !(c.annule && secondes > 0.3);
        },
        c.limites);
    setenv("PATH", chemin.c_str(), 1);
    EXPECT_FALSE(r.reussi || appele);
    ASSERT_FALSE(r.messages.empty());
    EXPECT_EQ(c.message, r.messages.back());
  }
}

TEST(ouvre_programme, sorte_par_contenu_puis_nom) {
  const std::string b = construit(somme_s);
  const struct {
    const char* nom;
    const char* copie_de;
    sorte_programme sorte;
  } cas[] = {{"p.s19", ".s19", sorte_programme::s19},
             {"p.srec", ".s19", sorte_programme::s19},
             {"p.s.d/p", ".s19", sorte_programme::s19},
             {"p.S", ".s19", sorte_programme::source},
             {"p.asm", ".s19", sorte_programme::motorola},
             {"p.A11", ".s19", sorte_programme::motorola},
             {"elf.asm", ".elf", sorte_programme::elf},
             {"p.ELF", ".s19", sorte_programme::elf},
             {"a.out", ".elf", sorte_programme::elf},
             {"elf.s19", ".elf", sorte_programme::elf},
             {"elf.s", ".elf", sorte_programme::elf}};
  for (const auto& c : cas) {
    const std::string f = outils::dossier_essais() + "/sorte/" + c.nom;
    fs::create_directories(fs::path(f).parent_path());
    fs::copy_file(b + c.copie_de, f, fs::copy_options::overwrite_existing);
    EXPECT_EQ(sorte_de(f), c.sorte) << c.nom;
  }
  auto mem = std::make_unique<mem_64k>();
  const programme_ouvert o =
      ouvre_programme(outils::dossier_essais() + "/sorte/elf.s19", *mem);
  EXPECT_TRUE(o.reussi && o.entree == 0xB600 && !o.infos.vide());
  const programme_ouvert s =
      ouvre_programme(outils::dossier_essais() + "/sorte/p.s19", *mem);
  EXPECT_TRUE(s.reussi && !s.entree && s.infos.vide());
}

TEST(infos_debogage, adresses_et_noms) {
  auto mem = std::make_unique<mem_64k>();
  const programme_ouvert o = ouvre_programme(somme_s, *mem);
  ASSERT_TRUE(o.reussi);
  const struct {
    const char* texte;
    bool hexa_nu;
    int valeur;  // -1: refused with `erreur`
    const char* erreur;
  } cas[] = {
      {"RESULTAT", false, 0, ""},
      {"resultat+1", false, 1, ""},
      {"fin - 2", false, 0xB607, ""},
      {"_start+$10-0x1", false, 0xB60F, ""},
      {" $b600\t", false, 0xB600, ""},
      {"0XB600", false, 0xB600, ""},
      {"65535", false, 0xFFFF, ""},
      {"b600", true, 0xB600, ""},
      {"fin+a", true, 0xB613, ""},
      {"12ab", true, 0x12AB, ""},
      {"finale", false, -1, "etiquette inconnue : finale"},
      {"b600", false, -1, "etiquette inconnue : b600"},
      {"RESULTAT-1", false, -1,
       "adresse hors limites : \"RESULTAT-1\" (0 a $ffff)"},
      {"0x10000", false, -1, "adresse hors limites : \"0x10000\" (0 a $ffff)"},
      {"", false, -1, "adresse vide"},
      {"fin+", false, -1,
       "adresse invalide : \"fin+\" (nombre, etiquette ou etiquette+nombre)"},
      {"12ab", false, -1,
       "adresse invalide : \"12ab\" (nombre, etiquette ou etiquette+nombre)"},
      {"$", false, -1,
       "adresse invalide : \"$\" (nombre, etiquette ou etiquette+nombre)"},
  };
  for (const auto& c : cas) {
    unsigned short adresse = 0x4242;
    std::string erreur;
    EXPECT_EQ(o.infos.lit_adresse(c.texte, adresse, &erreur, c.hexa_nu),
              c.valeur >= 0)
        << c.texte;
    EXPECT_EQ(adresse, c.valeur >= 0 ? c.valeur : 0x4242) << c.texte;
    EXPECT_EQ(erreur, c.erreur) << c.texte;
  }
  EXPECT_EQ(o.infos.nom_a(0x0000), "RESULTAT");
  EXPECT_EQ(o.infos.nom_a(0x0000, true), "");
  EXPECT_EQ(o.infos.nom_a(0xB603, true), "ajoute");
  EXPECT_EQ(o.infos.nom_a(0xB604), "");
  EXPECT_EQ(o.infos.ligne_a(0xB602)->ligne, 14u);  // ldab #10: two bytes
  EXPECT_EQ(o.infos.ligne_a(0xB60B), nullptr);     // past the end
  EXPECT_EQ(o.infos.ligne_a(0xB5FF), nullptr);
}

TEST(infos_debogage, noms_qui_different_par_la_casse) {
  const std::string f = outils::ecrit_fichier(
      "casse.s",
      "valeur = 1\nVALEUR = 2\nPORTB = 3\nadd = 5\n_start: bra _start\n");
  auto mem = std::make_unique<mem_64k>();
  const programme_ouvert o = ouvre_programme(f, *mem);
  ASSERT_TRUE(o.reussi);
  EXPECT_EQ(o.infos.cherche("VALEUR")->valeur, 2);
  EXPECT_EQ(o.infos.cherche("Valeur"), nullptr);
  EXPECT_EQ(o.infos.cherche("portb")->valeur, 3);
  EXPECT_EQ(o.infos.noms_a(0xB600), std::vector<std::string>{"_start"});
  unsigned short a = 0, b = 0;
  EXPECT_TRUE(o.infos.lit_adresse("add", a, nullptr, true) &&
              o.infos.lit_adresse("ADD", b, nullptr, true));
  EXPECT_EQ(a, 5);  // the label, named exactly so
  EXPECT_EQ(b, 0xADD);
}

}  // namespace
