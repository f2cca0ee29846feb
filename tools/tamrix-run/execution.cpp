// The run loop of tamrix-run. Its per-instruction work is step() and the
// stop checks: a test of the cycle count (0 only for a row without an
// instruction, then confirmed from the row), one bit of a 64 KiB breakpoint
// map when --until is given, a comparison with the previous PC and the step
// count.
#include "tools/tamrix-run/execution.h"

#include <cstring>
#include <memory>

namespace {

// Kind of an opcode row, by the first byte; prebyte rows need the second.
enum : unsigned char { instruction = 0, inexistante = 1, prefixe = 2 };

bool ligne_vide(const char (&mnemo)[6]) {
  return std::strcmp(mnemo, "?????") == 0;
}

// Built once from the mnemonic tables of the opcode map: a row without an
// instruction reads "?????".
struct sortes_lignes {
  unsigned char page_0[256];
  bool vide_18[256], vide_1A[256], vide_CD[256];

  sortes_lignes() {
    for (int code = 0; code < 256; ++code) {
      page_0[code] =
          ligne_vide(interpreteur::tab_mnemo[code]) ? inexistante : instruction;
      vide_18[code] = ligne_vide(interpreteur::tab_mnemo_18[code]);
      vide_1A[code] = ligne_vide(interpreteur::tab_mnemo_1A[code]);
      vide_CD[code] = ligne_vide(interpreteur::tab_mnemo_CD[code]);
    }
    page_0[0x18] = page_0[0x1A] = page_0[0xCD] = prefixe;
  }

  bool vide_apres_prefixe(unsigned char prebyte, unsigned char code) const {
    if (prebyte == 0x18) return vide_18[code];
    if (prebyte == 0x1A) return vide_1A[code];
    return vide_CD[code];
  }

  // Whether the instruction at `adresse` does not exist.
  bool inexistante_a(const mem_64k& mem, unsigned short adresse) const {
    const unsigned char premier = mem.read_byte(adresse);
    const unsigned char sorte = page_0[premier];
    if (sorte != prefixe) return sorte == inexistante;
    return vide_apres_prefixe(
        premier, mem.read_byte(static_cast<unsigned short>(adresse + 1)));
  }
};

const sortes_lignes& sortes() {
  static const sortes_lignes table;
  return table;
}

// One bit per address.
struct carte_arrets {
  std::uint64_t bits[0x10000 / 64] = {};
  explicit carte_arrets(const std::vector<unsigned>& adresses) {
    for (unsigned a : adresses) bits[(a & 0xFFFF) >> 6] |= 1ull << (a & 63);
  }
  bool contient(unsigned short a) const {
    return (bits[a >> 6] >> (a & 63)) & 1;
  }
};

void ecrit_trace(std::FILE* trace, const interpreteur& cpu,
                 unsigned short adresse, const char* texte,
                 unsigned short suivante, std::uint64_t cycles) {
  // At most five bytes: prebyte, opcode and three operand bytes.
  char octets[3 * 5] = "";
  int place = 0;
  unsigned short a = adresse;
  for (int n = 0; n < 5 && a != suivante; ++n, ++a)
    place += std::snprintf(octets + place, sizeof octets - place, "%s%02x",
                           n ? " " : "", cpu.mem->read_byte(a));
  std::fprintf(trace, "%04x  %-14s  %-16s  %s cycles=%llu\n", adresse, octets,
               texte, texte_registres(cpu).c_str(),
               static_cast<unsigned long long>(cycles));
}

// The loop, compiled three times: with the trace, without it, and without
// it nor --until addresses. Its counters are locals, so that they may stay
// in registers across the calls of step().
template <bool avec_trace, bool avec_arrets>
bilan_run boucle(interpreteur& cpu, const conditions_arret& conditions,
                 std::FILE* trace) {
  const sortes_lignes& table = sortes();
  const std::unique_ptr<const carte_arrets> carte(
      new carte_arrets(conditions.arrets));
  const mem_64k& mem = *cpu.mem;
  const std::uint64_t max_pas = conditions.max_pas;
  std::uint64_t cycles = 0, pas = 0;
  raison_arret raison = raison_arret::max_pas;
  char texte[64] = "";
  unsigned short suivante = 0;
  while (pas < max_pas) {
    const unsigned short adresse = cpu.PC;
    if (avec_trace) suivante = cpu.desa_ins(adresse, texte);
    const int duree = cpu.step();
    cycles += static_cast<unsigned>(duree);
    ++pas;
    if (avec_trace) ecrit_trace(trace, cpu, adresse, texte, suivante, cycles);
    // Only rows without an instruction take 0 cycles; such a row changes
    // nothing but PC, so its bytes are still there to be looked up.
    if (__builtin_expect(duree == 0, 0) && table.inexistante_a(mem, adresse)) {
      raison = raison_arret::inexistante;
      break;
    }
    const unsigned short pc = cpu.PC;
    if (avec_arrets && __builtin_expect(carte->contient(pc), 0)) {
      raison = raison_arret::adresse;
      break;
    }
    if (__builtin_expect(pc == adresse, 0)) {
      raison = raison_arret::boucle;
      break;
    }
  }
  return {cycles, pas, raison};
}

// The loop without the trace, with step() inlined into it where the build
// allows (link-time optimisation), as a bare loop over step() has it.
__attribute__((flatten)) bilan_run boucle_rapide(
    interpreteur& cpu, const conditions_arret& conditions) {
  if (conditions.arrets.empty())
    return boucle<false, false>(cpu, conditions, nullptr);
  return boucle<false, true>(cpu, conditions, nullptr);
}

}  // namespace

bilan_run execute(interpreteur& cpu, const conditions_arret& conditions,
                  std::FILE* trace) {
  if (trace != nullptr) return boucle<true, true>(cpu, conditions, trace);
  return boucle_rapide(cpu, conditions);
}

const char* nom_raison(raison_arret raison) {
  switch (raison) {
    case raison_arret::boucle:
      return "loop";
    case raison_arret::adresse:
      return "until";
    case raison_arret::inexistante:
      return "illegal";
    default:
      return "max-steps";
  }
}

int statut_sortie(raison_arret raison) {
  switch (raison) {
    case raison_arret::boucle:
    case raison_arret::adresse:
      return 0;
    case raison_arret::inexistante:
      return 3;
    default:
      return 1;
  }
}

std::string texte_registres(const interpreteur& cpu) {
  char ccr[9];
  for (int bit = 0; bit < 8; ++bit)
    ccr[bit] = (cpu.CCR >> (7 - bit)) & 1 ? '1' : '0';
  ccr[8] = '\0';
  char texte[96];
  std::snprintf(texte, sizeof texte,
                "PC=%04x A=%02x B=%02x X=%04x Y=%04x SP=%04x CCR=%s", cpu.PC,
                cpu.A, cpu.B, cpu.X, cpu.Y, cpu.SP, ccr);
  return texte;
}

std::string ligne_finale(const interpreteur& cpu, const bilan_run& bilan) {
  char compte[96];
  std::snprintf(compte, sizeof compte, " cycles=%llu steps=%llu stop=%s",
                static_cast<unsigned long long>(bilan.cycles),
                static_cast<unsigned long long>(bilan.pas),
                nom_raison(bilan.raison));
  return texte_registres(cpu) + compte;
}

std::string texte_dump(const mem_64k& mem, unsigned debut, unsigned fin) {
  std::string texte;
  char morceau[8];
  for (unsigned ligne = debut; ligne <= fin; ligne += 8) {
    std::snprintf(morceau, sizeof morceau, "%4x", ligne);
    texte += morceau;
    for (unsigned a = ligne; a < ligne + 8 && a <= fin; ++a) {
      std::snprintf(morceau, sizeof morceau, " %2x",
                    mem.read_byte(static_cast<unsigned short>(a)));
      texte += morceau;
    }
    texte += '\n';
  }
  return texte;
}
