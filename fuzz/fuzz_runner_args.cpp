// The command line of tamrix-run (tools/tamrix-run/options.cpp): the input
// is a list of arguments separated by NUL bytes, with the labels of a small
// program to resolve. Oracles: a refusal is one non-empty line and nothing
// else is asked of the caller; an accepted line gives options within their
// ranges (addresses below $10000, ranges in order once resolved, pins at
// most machine::cycle_max, at most 1024 SCI bytes, a flat model without
// SCI or converter settings). Files named by --sci-in-file are read with
// their bounds: a device or a FIFO is refused at once.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "memory/symboles.h"
#include "puce/machine.h"
#include "tools/tamrix-run/options.h"

namespace {

void verifie(bool condition, const char* quoi) {
  if (condition) return;
  std::fprintf(stderr, "fuzz_runner_args: %s\n", quoi);
  std::abort();
}

bool une_ligne(const std::string& message) {
  return !message.empty() && message.find('\n') == std::string::npos;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* octets, size_t taille) {
  std::vector<std::string> mots{"tamrix-run"};
  std::string mot;
  for (size_t i = 0; i < taille; ++i) {
    if (octets[i] == 0) {
      mots.push_back(mot);
      mot.clear();
    } else {
      mot += static_cast<char>(octets[i]);
    }
  }
  if (!mot.empty()) mots.push_back(mot);
  std::vector<const char*> argv;
  for (const std::string& m : mots) argv.push_back(m.c_str());
  options_run options;
  std::string erreur =
      lit_options(static_cast<int>(argv.size()), argv.data(), options);
  if (!erreur.empty()) {
    verifie(une_ligne(erreur), "refus vide ou sur plusieurs lignes");
    return 0;
  }
  if (options.aide || options.version) return 0;
  infos_debogage infos;
  infos.ajoute_symbole({"debut", 0xB600, true});
  infos.ajoute_symbole({"fin", 0xB62A, true});
  infos.ajoute_symbole({"table", 0x0040, false});
  infos.termine();
  erreur = resout_adresses(options, infos);
  if (!erreur.empty()) {
    verifie(une_ligne(erreur), "refus des etiquettes vide ou multiple");
    return 0;
  }
  for (const plage_dump& p : options.dumps)
    verifie(p.debut <= p.fin && p.fin <= 0xFFFF, "dump hors limites");
  for (const plage_dump& p : options.surveillances)
    verifie(p.debut <= p.fin && p.fin <= 0xFFFF, "watch hors limites");
  for (const depot_memoire& d : options.depots)
    verifie(d.adresse + d.octets.size() <= 0x10000, "poke hors limites");
  for (unsigned a : options.arrets) verifie(a <= 0xFFFF, "until hors limites");
  for (const reglage_broche& b : options.broches)
    verifie(
        b.cycle <= machine::cycle_max && b.broche < nb_broches && b.niveau <= 1,
        "pin hors limites");
  verifie(options.entree_sci.size() <= max_entree_sci, "SCI trop long");
  if (options.modele_plat)
    verifie(options.entree_sci.empty() && options.sortie_sci.empty() &&
                options.tensions.empty() && options.script_sci.empty() &&
                !options.pty_sci,
            "modele flat avec SCI ou convertisseur");
  return 0;
}
