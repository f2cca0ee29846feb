// The debugger's expression language (debogueur/expression.h) and the
// points' save format (debogueur/sauvegarde.h) on arbitrary texts.
// Oracles: a text refused leaves the expression as it was and says where
// ("colonne N : ...") or why it is too long or too deep; a text accepted
// evaluates (twice the same, on a machine with its memory set) and
// compiles again from its own text to the same code; a tracepoint message
// is always turned into a line; a save file accepted, written back and read
// again gives the same text.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "debogueur/expression.h"
#include "debogueur/sauvegarde.h"
#include "memory/symboles.h"
#include "puce/machine.h"

namespace {

void verifie(bool condition, const char* quoi) {
  if (condition) return;
  std::fprintf(stderr, "fuzz_expression: %s\n", quoi);
  std::abort();
}

machine* m = nullptr;
infos_debogage* infos = nullptr;

bool memes_codes(const expression& a, const expression& b) {
  if (a.code().size() != b.code().size()) return false;
  for (std::size_t i = 0; i < a.code().size(); ++i)
    if (a.code()[i].code != b.code()[i].code ||
        a.code()[i].valeur != b.code()[i].valeur)
      return false;
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  m = new machine(modele_machine::e9);
  for (unsigned a = 0; a < 0x10000; a += 7)
    m->ecrit_octet(static_cast<unsigned short>(a),
                   static_cast<unsigned char>(a * 13));
  m->cpu.A = 0x12;
  m->cpu.X = 0xfff0;
  infos = new infos_debogage;
  infos->ajoute_symbole({"boucle", 0xb610, true});
  infos->ajoute_symbole({"table", 0x0040, false});
  infos->termine();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* octets, size_t taille) {
  const std::string texte(reinterpret_cast<const char*>(octets), taille);
  expression e;
  std::string erreur;
  verifie(e.compile("A == 1", infos, erreur), "a plain expression refused");
  const bool acces = taille > 0 && (octets[0] & 1);
  const bool accepte = e.compile(texte, infos, erreur, acces);
  if (!accepte) {
    verifie(e.texte() == "A == 1", "a refused text changed the expression");
    verifie(erreur.rfind("colonne ", 0) == 0 ||
                erreur.rfind("expression trop", 0) == 0,
            "an error without its place");
    verifie(erreur.find('\n') == std::string::npos, "an error on two lines");
  } else {
    const acces_observe a{0x37, 0x12, 0x40};
    const int64_t v = e.evalue(*m, &a);
    verifie(v == e.evalue(*m, &a), "two evaluations differ");
    expression encore;
    verifie(encore.compile(e.texte(), infos, erreur, acces),
            "its own text refused");
    verifie(memes_codes(e, encore), "its own text compiles otherwise");
  }
  const std::string ligne = texte_trace(texte, *m, infos, nullptr);
  verifie(texte.find('{') != std::string::npos || ligne == texte,
          "a message without fields changed");
  // The save format.
  debogueur d;
  std::vector<std::string> avis;
  if (lit_points(texte, infos, d, avis)) {
    const std::string ecrit = texte_points("/p", d, infos);
    debogueur relu;
    verifie(lit_points(ecrit, infos, relu, avis), "a written file refused");
    verifie(texte_points("/p", relu, infos) == ecrit,
            "a written file reads otherwise");
  }
  return 0;
}
