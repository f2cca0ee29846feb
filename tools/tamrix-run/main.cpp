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
#include "serie/dialogue.h"
#include "serie/pont_pty.h"
#include "tamrix_version.h"
#include "text/installation.h"
#include "text/lecture.h"
#include "tools/tamrix-run/carte.h"
#include "tools/tamrix-run/execution.h"
#include "tools/tamrix-run/json.h"
#include "tools/tamrix-run/options.h"
#include "tools/tamrix-run/seances.h"

namespace {

constexpr int statut_entree_incorrecte = 2;
// An output could not be written whole (--sci-out, the standard output):
// the results are not there, whatever the run gave.
constexpr int statut_sortie_impossible = 4;

int refuse(const std::string& message, int statut = statut_entree_incorrecte) {
  std::fprintf(stderr, "tamrix-run: %s\n", sur_une_ligne(message).c_str());
  return statut;
}

// The size field of a binary image's header (signed, 16 bits), or a
// value above 4 when the header is missing (the loader then says so).
long taille_binaire(const std::string& chemin) {
  lecture_bornee en_tete{4};
  en_tete.debut_seulement = true;
  std::string octets, erreur;
  if (!lit_fichier_borne(chemin, en_tete, octets, erreur) || octets.size() < 4)
    return 5;
  const unsigned champ = static_cast<unsigned char>(octets[0]) * 256u +
                         static_cast<unsigned char>(octets[1]);
  return champ >= 0x8000 ? static_cast<long>(champ) - 0x10000 : champ;
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
// loader's progress lines, the assembler's warnings); after a failure the
// loader's line, which names the file (the window's alert shows the same),
// is the one-line message; an assembler's error lines are passed on
// before it. A FIFO or a device is refused before it is opened for
// reading (text/lecture.h), a binary image without data too. Empty on
// success.
std::string charge(mem_64k& mem, const options_run& options,
                   programme_ouvert& programme) {
  const char* chemin = options.programme.c_str();
  std::string raison;
  echec_lecture echec = echec_lecture::aucun;
  if (!fichier_ordinaire(chemin, raison, &echec) &&
      (echec == echec_lecture::special || options.binaire))
    return "programme illisible : " + options.programme + " : " + raison;
  if (options.binaire) {
    const long taille = taille_binaire(chemin);
    if (taille <= 4)
      return "programme refuse : " + options.programme +
             " : image binaire sans donnees (taille " + std::to_string(taille) +
             " dans l'en-tete)";
  }
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
  if ((programme.sorte == sorte_programme::source && messages.size() > 1) ||
      programme.sorte == sorte_programme::motorola) {
    for (const std::string& m : messages) std::cerr << m << '\n';
    std::cerr.flush();
    return "programme refuse : " + options.programme +
           " : erreurs d'assemblage (ci-dessus)";
  }
  if (options.binaire)
    return "programme refuse : " + options.programme + " : " +
           derniere_ligne(capture.str());
  return "programme refuse : " + derniere_ligne(capture.str());
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
  if (options.mode_donne) m.choisit_mode(!options.monopuce);
  reset_programme(m, entree);
  for (const reglage_registre& r : options.registres) regle_registre(m.cpu, r);
  for (const depot_memoire& d : options.depots)
    for (std::size_t i = 0; i < d.octets.size(); ++i) {
      const auto adresse = static_cast<unsigned short>(d.adresse + i);
      m.ecrit_octet(adresse, d.octets[i]);
      pose_entrees_port(m, adresse, d.octets[i]);
    }
  // Serial line and analog inputs (validated with the options).
  if (!options.tensions.empty()) {
    int32_t t[can::nb_entrees];
    m.tensions(t);
    for (const reglage_tension& r : options.tensions)
      t[r.entree] = r.microvolts;
    m.pose_tensions(t);
  }
  // --sci-in: the terminal waits for the receiver, then types at once.
  m.envoie_sci(options.entree_sci, true);
  for (const reglage_broche& b : options.broches)
    m.planifie_broche({b.cycle, b.broche, b.niveau});
}

// --sci-out: where the SCI's bytes go, opened before the run. Never one
// of the inputs (the same file by any name): opening it would empty it.
// Empty on success.
std::string ouvre_sortie_sci(const options_run& options, std::FILE*& f) {
  f = nullptr;
  if (options.sortie_sci.empty()) return "";
  if (options.sortie_sci == "-") {
    f = stdout;
    return "";
  }
  std::vector<std::string> entrees = options.fichiers_sci;
  entrees.push_back(options.programme);
  if (!options.script_sci.empty()) entrees.push_back(options.script_sci);
  for (const std::string& e : entrees)
    if (meme_fichier(options.sortie_sci, e))
      return "--sci-out : " + options.sortie_sci + " est aussi une entree (" +
             e + ") : il serait efface";
  f = std::fopen(options.sortie_sci.c_str(), "wb");
  if (f) return "";
  return "--sci-out : fichier impossible a ecrire : " + options.sortie_sci +
         " : " + std::strerror(errno);
}

// The bytes the SCI sent; on standard output, ended by a line feed so that
// the final line stays whole. A file is written and closed here: empty
// when all went well, else why.
std::string ecrit_sortie_sci(const machine& m, std::FILE* f,
                             const std::string& chemin) {
  if (!f) return "";
  const std::vector<unsigned char>& octets = m.sortie_sci;
  bool complet = octets.empty() || std::fwrite(octets.data(), 1, octets.size(),
                                               f) == octets.size();
  if (f == stdout) {
    if (!octets.empty() && octets.back() != '\n') std::fputc('\n', f);
    return "";  // checked with the rest of the standard output
  }
  int cause = complet ? 0 : errno;
  if (std::fclose(f) != 0 && complet) {
    complet = false;
    cause = errno;
  }
  if (complet) return "";
  return "--sci-out : ecriture impossible : " + chemin + " : " +
         std::strerror(cause ? cause : EIO);
}

// The standard output, flushed and closed: empty when every byte went out.
std::string ferme_sortie_standard() {
  const bool erreur = std::ferror(stdout) != 0;
  int cause = erreur ? errno : 0;
  bool complet = !erreur;
  if (std::fflush(stdout) != 0) complet = false, cause = errno;
  if (std::fclose(stdout) != 0 && complet) complet = false, cause = errno;
  if (complet) return "";
  return std::string("ecriture impossible sur la sortie standard : ") +
         std::strerror(cause ? cause : EIO);
}

void ecrit_stats(std::uint64_t pas, double secondes, std::uint64_t refus) {
  const double par_seconde = secondes > 0 ? pas / secondes : 0;
  std::fprintf(stderr,
               "tamrix-run: %llu instructions en %.6f s, %.0f instructions "
               "par seconde, %llu acces refuses\n",
               static_cast<unsigned long long>(pas), secondes, par_seconde,
               static_cast<unsigned long long>(refus));
}

// The accesses the chip's map refused (a store to the EEPROM or the ROM,
// outside the map...): one line per address, the first 20, then how many.
void ecrit_refus(const machine& m) {
  constexpr std::size_t max_lignes = 20;
  const std::vector<acces_refuse>& refus = m.acces_refuses();
  if (refus.empty()) return;
  for (std::size_t i = 0; i < refus.size() && i < max_lignes; ++i)
    std::fprintf(stderr, "tamrix-run: %s\n",
                 carte::texte_refus(refus[i], true).c_str());
  std::fprintf(
      stderr, "tamrix-run: %llu acces refuses, a %zu adresses%s\n",
      static_cast<unsigned long long>(m.nombre_refus()), refus.size(),
      refus.size() > max_lignes ? " (les 20 premieres ci-dessus)" : "");
}

conditions_run conditions_de(const options_run& options) {
  conditions_run c;
  c.arrets = options.arrets;
  c.max_pas = options.max_pas;
  c.max_cycles = options.max_cycles;
  for (const plage_dump& p : options.surveillances)
    c.surveillances.push_back({p.debut, p.fin});
  c.passages = options.passages;
  c.conditions = options.conditions;
  for (const auto& m : options.modes_surveillance)
    c.acces_surveilles.push_back({m.lecture, m.ecriture, m.condition});
  return c;
}

int lance(options_run& options) {
  const std::unique_ptr<machine> m(new machine(
      options.modele_plat ? modele_machine::plat : modele_machine::e9));
  programme_ouvert programme;
  std::string erreur = charge(m->memoire, options, programme);
  // Labels take their values from the program just loaded.
  if (erreur.empty()) erreur = resout_adresses(options, programme.infos);
  if (!erreur.empty()) return refuse(erreur);
  // The serial link's other side: a script (read before --sci-out is
  // opened, so that a refused script empties nothing), or a pseudo-terminal.
  std::unique_ptr<dialogue_sci> script;
  if (!options.script_sci.empty()) {
    std::vector<etape_dialogue> etapes;
    const std::string e = lit_fichier_dialogue(options.script_sci, etapes);
    if (!e.empty())
      return refuse("--sci-script : " + options.script_sci + " : " + e);
    script.reset(new dialogue_sci(std::move(etapes)));
  }
  std::FILE* sortie_sci = nullptr;
  erreur = ouvre_sortie_sci(options, sortie_sci);
  if (!erreur.empty()) return refuse(erreur);
  // The board, wired before the reset that powers it up with the chip.
  std::unique_ptr<platine> carte;
  erreur = prepare_carte(options, *m, carte);
  if (!erreur.empty()) return refuse(erreur);
  // CONFIG's EEPROM byte with NOCOP clear: the reset of prepare() latches it.
  if (options.cop) m->systeme()->etat.systeme.config_eeprom &= ~cop::NOCOP;
  pont_pty pont;
  std::unique_ptr<signaux_de_seance> signaux;
  if (options.pty_sci) {
    signaux.reset(new signaux_de_seance);
    std::string e;
    if (!pont.ouvre(e)) return refuse("--sci-pty : " + e);
    // The path first, alone on its line: what the other side opens.
    std::fprintf(stderr, "tamrix-run: pseudo-terminal : %s\n",
                 pont.chemin().c_str());
    std::fflush(stderr);
  }
  prepare(*m, options, programme.entree);
  if (carte) planifie_actions(options, *carte);
  static char tampon[1 << 16];
  std::setvbuf(stdout, tampon, _IOFBF, sizeof tampon);

  pilote_run pilote;
  if (script)
    pilote = [&script](machine& mach, const conditions_arret& c) {
      return seance_script(mach, c, *script);
    };
  if (options.pty_sci)
    pilote = [&pont](machine& mach, const conditions_arret& c) {
      return seance_pty(mach, c, pont);
    };
  const auto debut = std::chrono::steady_clock::now();
  const bilan_run bilan =
      execute(*m, conditions_de(options), options.trace ? stdout : nullptr,
              &programme.infos, pilote);
  const std::chrono::duration<double> duree =
      std::chrono::steady_clock::now() - debut;
  pont.ferme();

  if (script && script->echoue())
    std::fprintf(stderr, "tamrix-run: --sci-script : %s\n",
                 script->message(true).c_str());
  const std::string erreur_sci =
      ecrit_sortie_sci(*m, sortie_sci, options.sortie_sci);
  std::vector<std::string> lignes_platine;
  if (carte) lignes_platine = lignes_carte(*carte, bilan.raison);
  if (options.json) {
    std::printf("%s\n", texte_json(*m, bilan, options.dumps, script.get(),
                                   lignes_platine)
                            .c_str());
  } else {
    for (const plage_dump& p : options.dumps)
      std::fputs(texte_dump(m->memoire, p.debut, p.fin).c_str(), stdout);
    for (const std::string& l : lignes_platine) std::printf("%s\n", l.c_str());
    std::printf("%s\n", ligne_finale(m->cpu, bilan).c_str());
  }
  const std::string erreur_sortie = ferme_sortie_standard();
  ecrit_refus(*m);
  if (options.stats) ecrit_stats(bilan.pas, duree.count(), m->nombre_refus());
  // An output not written whole: the results are missing.
  if (!erreur_sci.empty()) return refuse(erreur_sci, statut_sortie_impossible);
  if (!erreur_sortie.empty())
    return refuse(erreur_sortie, statut_sortie_impossible);
  return statut_sortie(bilan.raison);
}

}  // namespace

int main(int argc, char** argv) {
  options_run options;
  const std::string erreur = lit_options(argc, argv, options);
  if (!erreur.empty()) return refuse(erreur);
  if (options.aide || options.version) {
    std::fputs(options.aide
                   ? texte_aide()
                   : texte_version("tamrix-run", TAMRIX_VERSION, TAMRIX_COMMIT)
                         .c_str(),
               stdout);
    const std::string erreur_sortie = ferme_sortie_standard();
    return erreur_sortie.empty()
               ? 0
               : refuse(erreur_sortie, statut_sortie_impossible);
  }
  return lance(options);
}
