// tamrix-run: runs a 68HC11 program without the GUI, for scripts, grading
// and traces. See texte_aide() for the command line.
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <iostream>
#include <memory>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "cpu/interpreteur.h"
#include "memory/mem_64k.h"
#include "memory/programme.h"
#include "puce/lancement.h"
#include "puce/machine.h"
#include "tamrix_version.h"
#include "text/installation.h"
#include "tools/tamrix-run/execution.h"
#include "tools/tamrix-run/options.h"

namespace {

constexpr int statut_entree_incorrecte = 2;

int refuse(const std::string& message) {
  std::fprintf(stderr, "tamrix-run: %s\n", message.c_str());
  return statut_entree_incorrecte;
}

// The last non-empty line of a text, its end of line removed.
std::string derniere_ligne(const std::string& texte) {
  std::istringstream lignes(texte);
  std::string ligne, derniere;
  while (std::getline(lignes, ligne))
    if (!ligne.empty()) derniere = ligne;
  return derniere;
}

// Loads the program as the GUI does (memory/programme.h: S19, ELF or an
// assembly source), or the binary image. The loader's own lines on the
// standard error stream are kept: passed on after a success (the binary
// loader's progress lines, the assembler's warnings), folded into the
// one-line message after a failure; an assembler's error lines are passed
// on before it. Empty on success.
std::string charge(mem_64k& mem, const options_run& options,
                   programme_ouvert& programme) {
  const char* chemin = options.programme.c_str();
  std::FILE* essai = std::fopen(chemin, "rb");
  if (essai == nullptr)
    return "programme illisible : " + options.programme + " : " +
           std::strerror(errno);
  std::fclose(essai);
  std::ostringstream capture;
  std::streambuf* const ancien = std::cerr.rdbuf(capture.rdbuf());
  if (options.binaire)
    programme.reussi = mem.load_binaire(chemin) == 1;
  else
    programme = ouvre_programme(options.programme, mem);
  std::cerr.rdbuf(ancien);
  if (programme.reussi) {
    std::cerr << capture.str() << std::flush;
    return "";
  }
  const std::vector<std::string>& messages = programme.messages;
  if (programme.sorte == sorte_programme::source && messages.size() > 1) {
    for (const std::string& m : messages) std::cerr << m << '\n';
    std::cerr.flush();
    return "programme refuse : " + options.programme +
           " : erreurs d'assemblage (ci-dessus)";
  }
  return "programme refuse : " + options.programme + " : " +
         derniere_ligne(capture.str());
}

void regle_registre(interpreteur& cpu, const reglage_registre& r) {
  const auto octet = static_cast<unsigned char>(r.valeur);
  const auto mot = static_cast<unsigned short>(r.valeur);
  if (r.nom == "A") cpu.set_A_value(octet);
  if (r.nom == "B") cpu.set_B_value(octet);
  if (r.nom == "CCR") cpu.set_CCR_value(octet);
  if (r.nom == "D") cpu.set_D_value(mot);
  if (r.nom == "X") cpu.set_X_value(mot);
  if (r.nom == "Y") cpu.set_Y_value(mot);
  if (r.nom == "SP") cpu.set_SP_value(mot);
  if (r.nom == "PC") cpu.set_PC_value(mot);
}

// A byte poked into a port's data register of the E9's block also drives
// that port's input pins: what a grading script means by poking a port.
void pose_entrees_port(machine& m, unsigned short adresse,
                       unsigned char octet) {
  const puce* p = m.systeme();
  if (p == nullptr) return;
  static const struct {
    unsigned char offset;
    unsigned char premiere_broche;
  } ports_entree[] = {{0x00, broche_pa0},
                      {0x03, broche_pc0},
                      {0x08, broche_pd0},
                      {0x0A, broche_pe0}};
  for (const auto& port : ports_entree) {
    if (adresse != p->etat.base_registres + port.offset) continue;
    for (int bit = 0; bit < 8; ++bit)
      m.pose_broche(static_cast<unsigned char>(port.premiere_broche + bit),
                    (octet >> bit) & 1);
  }
}

// After the load: the reset (which reads the loaded reset vector; an ELF
// program's entry point when there is none, puce/lancement.h), the
// registers and pokes of the command line, the scheduled pins.
void prepare(machine& m, const options_run& options,
             const std::optional<unsigned short>& entree) {
  reset_programme(m, entree);
  for (const reglage_registre& r : options.registres) regle_registre(m.cpu, r);
  for (const depot_memoire& d : options.depots)
    for (std::size_t i = 0; i < d.octets.size(); ++i) {
      const auto adresse = static_cast<unsigned short>(d.adresse + i);
      m.ecrit_octet(adresse, d.octets[i]);
      pose_entrees_port(m, adresse, d.octets[i]);
    }
  for (const reglage_broche& b : options.broches)
    m.planifie_broche({b.cycle, b.broche, b.niveau});
}

void ecrit_stats(std::uint64_t pas, double secondes) {
  const double par_seconde = secondes > 0 ? pas / secondes : 0;
  std::fprintf(stderr,
               "tamrix-run: %llu instructions en %.6f s, %.0f instructions "
               "par seconde\n",
               static_cast<unsigned long long>(pas), secondes, par_seconde);
}

int lance(options_run& options) {
  const std::unique_ptr<machine> m(new machine(
      options.modele_plat ? modele_machine::plat : modele_machine::e9));
  programme_ouvert programme;
  std::string erreur = charge(m->memoire, options, programme);
  // Labels take their values from the program just loaded.
  if (erreur.empty()) erreur = resout_adresses(options, programme.infos);
  if (!erreur.empty()) return refuse(erreur);
  prepare(*m, options, programme.entree);
  static char tampon[1 << 16];
  std::setvbuf(stdout, tampon, _IOFBF, sizeof tampon);

  const auto debut = std::chrono::steady_clock::now();
  const bilan_run bilan =
      execute(*m, {options.arrets, options.max_pas, options.max_cycles},
              options.trace ? stdout : nullptr, &programme.infos);
  const std::chrono::duration<double> duree =
      std::chrono::steady_clock::now() - debut;

  for (const plage_dump& p : options.dumps)
    std::fputs(texte_dump(m->memoire, p.debut, p.fin).c_str(), stdout);
  std::printf("%s\n", ligne_finale(m->cpu, bilan).c_str());
  std::fflush(stdout);
  if (options.stats) ecrit_stats(bilan.pas, duree.count());
  return statut_sortie(bilan.raison);
}

}  // namespace

int main(int argc, char** argv) {
  options_run options;
  const std::string erreur = lit_options(argc, argv, options);
  if (!erreur.empty()) return refuse(erreur);
  if (options.aide) {
    std::fputs(texte_aide(), stdout);
    return 0;
  }
  if (options.version) {
    std::fputs(
        texte_version("tamrix-run", TAMRIX_VERSION, TAMRIX_COMMIT).c_str(),
        stdout);
    return 0;
  }
  return lance(options);
}
