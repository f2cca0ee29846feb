// Time to load a large linked program with its debug information: a source
// of 10 000 instruction lines and 2 000 labels, written and assembled with
// `m68hc11-as -g` once before the measures (the GNU tools must be
// installed). BM_charge_elf is the ELF loader alone (memory, symbols, line
// table, sorted tables); BM_ouvre_source adds assembling and linking, which
// the tools' start-up dominates.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "memory/assembleur.h"
#include "memory/mem_64k.h"
#include "memory/programme.h"
#include "memory/symboles.h"

namespace {

constexpr int nombre_lignes = 10000;
constexpr int lignes_par_etiquette = 5;  // 2 000 labels, _start the first

std::string dossier() {
  static const std::string chemin = [] {
    const auto d = std::filesystem::temp_directory_path() / "tamrix_bench_elf";
    std::filesystem::create_directories(d);
    return d.string();
  }();
  return chemin;
}

// One label every five lines, then four one-byte instructions and a branch
// back to the label: 12 000 bytes from 0xB600.
std::string source_generee() {
  const std::string chemin = dossier() + "/grand.s";
  std::ofstream s(chemin);
  s << "\t.sect .text\n\t.globl _start\n";
  const char* const instructions[] = {"nop", "inca", "decb", "aba"};
  for (int i = 0; i < nombre_lignes; ++i) {
    const int groupe = i / lignes_par_etiquette;
    char nom[16];
    std::snprintf(nom, sizeof nom, groupe == 0 ? "_start" : "e%04d", groupe);
    if (i % lignes_par_etiquette == 0) s << nom << ":\n";
    if (i % lignes_par_etiquette == lignes_par_etiquette - 1)
      s << "\tbra " << nom << "\n";
    else
      s << '\t' << instructions[i % lignes_par_etiquette] << "\n";
  }
  return chemin;
}

// The ELF file of the generated source, kept beside it; "" on failure.
const std::string& elf_genere() {
  static const std::string chemin = [] {
    const std::string garde = dossier() + "/grand.elf";
    const resultat_assemblage r =
        assemble_source(source_generee(), [&](const std::string& elf) {
          std::filesystem::copy_file(
              elf, garde, std::filesystem::copy_options::overwrite_existing);
        });
    return r.reussi ? garde : std::string();
  }();
  return chemin;
}

void compte(benchmark::State& state, const infos_debogage& infos) {
  state.counters["symboles"] = static_cast<double>(infos.symboles().size());
  state.counters["lignes"] = static_cast<double>(infos.lignes().size());
  if (infos.symboles().size() < 2000 || infos.lignes().size() < nombre_lignes)
    state.SkipWithError("the generated program lacks symbols or lines");
}

void BM_charge_elf(benchmark::State& state) {
  static mem_64k mem;
  const std::string& elf = elf_genere();
  if (elf.empty()) {
    state.SkipWithError("cannot assemble the generated source");
    return;
  }
  infos_debogage infos;
  for (auto _ : state) {
    unsigned short entree = 0;
    if (!mem.load_elf(elf.c_str(), &entree, &infos)) {
      state.SkipWithError("load_elf failed");
      return;
    }
    benchmark::DoNotOptimize(entree);
  }
  compte(state, infos);
}

void BM_ouvre_source(benchmark::State& state) {
  static mem_64k mem;
  if (elf_genere().empty()) {
    state.SkipWithError("cannot assemble the generated source");
    return;
  }
  const std::string source = dossier() + "/grand.s";
  programme_ouvert o;
  for (auto _ : state) {
    o = ouvre_programme(source, mem);
    if (!o.reussi) {
      state.SkipWithError("ouvre_programme failed");
      return;
    }
  }
  compte(state, o.infos);
}

}  // namespace

BENCHMARK(BM_charge_elf)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ouvre_source)->Unit(benchmark::kMillisecond);
