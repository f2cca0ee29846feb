// The run loop of tamrix-run. Its per-instruction work is step() and the
// stop checks: a test of the cycle count (0 only for a row without an
// instruction, then confirmed by the row's disassembly), one bit of a 64 KiB
// breakpoint map when --until is given, a comparison with the previous PC and
// the step count.
#include "tools/tamrix-run/execution.h"

#include <cstring>
#include <memory>

namespace {

// Whether the instruction at `adresse` does not exist: the disassembler
// gives such a row the whole text "?????", as it shows it in the GUI. Off
// the hot path: never inlined into the run loop.
__attribute__((noinline, cold)) bool inexistante_a(interpreteur& cpu,
                                                   unsigned short adresse) {
  char texte[32];
  cpu.desa_ins(adresse, texte);
  return std::strcmp(texte, "?????") == 0;
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
  const std::unique_ptr<const carte_arrets> carte(
      new carte_arrets(conditions.arrets));
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
    if (__builtin_expect(duree == 0, 0) && inexistante_a(cpu, adresse)) {
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
