// Assembling a program with tamrix's assembler and with the GNU path
// (m68hc11-as and m68hc11-ld, as the window runs them for a .s file), side
// by side on the same program written in each syntax. Programs: the
// largest example (examples/eeprom), and every instruction of the opcode
// map in each of its modes repeated ten times (about 3 300 lines, the
// generator of the differential test), and the monitor ROM of
// examples/moniteur.asm (about 3 700 lines), translated for the GNU tools by
// bench/motorola_vers_gnu.py (the GNU path links it at $b600 instead of
// $d000: the same work).
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "assembleur/assembleur.h"
#include "memory/assembleur.h"
#include "tests/assembleur/jeu_complet.h"

namespace {

struct programme {
  std::string motorola, gnu;
};

const programme& programme_de(int numero) {
  static const programme exemple = {
      std::string(TAMRIX_SOURCE_DIR) + "/examples/eeprom.asm",
      std::string(TAMRIX_SOURCE_DIR) + "/examples/eeprom.s"};
  static const programme jeu = [] {
    const auto d =
        std::filesystem::temp_directory_path() / "tamrix_bench_assembleur";
    std::filesystem::create_directories(d);
    const deux_syntaxes j = jeu_complet(10);
    programme p{(d / "jeu.asm").string(), (d / "jeu.s").string()};
    std::ofstream(p.motorola) << j.motorola;
    std::ofstream(p.gnu) << j.gnu;
    return p;
  }();
  static const programme moniteur = [] {
    const auto d =
        std::filesystem::temp_directory_path() / "tamrix_bench_assembleur";
    std::filesystem::create_directories(d);
    const std::string racine = TAMRIX_SOURCE_DIR;
    programme p{racine + "/examples/moniteur.asm", (d / "moniteur.s").string()};
    const std::string commande = "python3 '" + racine +
                                 "/bench/motorola_vers_gnu.py' '" + p.motorola +
                                 "' > '" + p.gnu + "'";
    if (std::system(commande.c_str()) != 0) p.gnu.clear();
    return p;
  }();
  return numero == 0 ? exemple : numero == 1 ? jeu : moniteur;
}

void BM_assembleur_tamrix(benchmark::State& etat) {
  const programme& p = programme_de(static_cast<int>(etat.range(0)));
  std::size_t octets = 0;
  for (auto _ : etat) {
    const resultat_asm r = assemble_motorola(p.motorola);
    if (!r.reussi()) etat.SkipWithError("tamrix refuse le programme");
    octets = 0;
    for (const bloc_octets& b : r.blocs) octets += b.octets.size();
    benchmark::DoNotOptimize(octets);
  }
  etat.counters["octets"] = static_cast<double>(octets);
}
BENCHMARK(BM_assembleur_tamrix)
    ->Arg(0)
    ->Arg(1)
    ->Arg(2)
    ->Unit(benchmark::kMillisecond);

void BM_assembleur_gnu(benchmark::State& etat) {
  const programme& p = programme_de(static_cast<int>(etat.range(0)));
  if (p.gnu.empty()) etat.SkipWithError("traduction impossible");
  for (auto _ : etat) {
    bool lie = false;
    const resultat_assemblage r =
        assemble_source(p.gnu, [&](const std::string&) { lie = true; });
    if (!r.reussi || !lie) etat.SkipWithError("les outils GNU refusent");
  }
}
BENCHMARK(BM_assembleur_gnu)
    ->Arg(0)
    ->Arg(1)
    ->Arg(2)
    ->Unit(benchmark::kMillisecond);

}  // namespace
