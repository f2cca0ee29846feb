// Runs the GNU assembler and linker on a source file: fork, the limits
// (setrlimit) and execv of the tool found in PATH, with an argument vector
// (no shell), standard input from /dev/null, standard output and error into
// a file of the temporary folder, read back as lines with bounds. The tool
// runs in a process group of its own, killed whole when it is cancelled or
// runs out of time.
#include "memory/assembleur.h"

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <filesystem>

#include "text/lecture.h"

namespace {

namespace fs = std::filesystem;

// The temporary folder, removed with everything in it when this goes.
class dossier_temporaire {
 public:
  dossier_temporaire() {
    std::error_code erreur;
    fs::path base = fs::temp_directory_path(erreur);
    if (erreur) base = "/tmp";
    std::string modele = (base / "tamrix-XXXXXX").string();
    if (mkdtemp(modele.data()) != nullptr) chemin_ = modele;
  }
  ~dossier_temporaire() {
    std::error_code erreur;
    if (!chemin_.empty()) fs::remove_all(chemin_, erreur);
  }
  dossier_temporaire(const dossier_temporaire&) = delete;
  dossier_temporaire& operator=(const dossier_temporaire&) = delete;
  const std::string& chemin() const { return chemin_; }

 private:
  std::string chemin_;
};

// The tools' lines, read back with bounds (text/lecture.h).
std::vector<std::string> lignes_de(const std::string& chemin,
                                   std::size_t taille_max) {
  std::vector<std::string> lignes;
  std::string texte, erreur, ligne;
  lit_fichier_borne(chemin, {taille_max}, texte, erreur);
  lignes_bornees lecteur(texte, 4096);
  while (lecteur.suivante(ligne))
    if (!ligne.empty()) lignes.push_back(ligne);
  return lignes;
}

// The tool's file in PATH, found here: between fork and exec the child
// calls nothing that allocates. Empty when there is none.
std::string cherche_outil(const std::string& nom) {
  if (nom.find('/') != std::string::npos) return nom;
  const char* chemins = std::getenv("PATH");
  std::string liste = chemins ? chemins : "/usr/bin:/bin";
  std::size_t debut = 0;
  for (;;) {
    const std::size_t fin = liste.find(':', debut);
    std::string dossier = liste.substr(debut, fin - debut);
    if (dossier.empty()) dossier = ".";
    const std::string candidat = dossier + "/" + nom;
    if (::access(candidat.c_str(), X_OK) == 0) return candidat;
    if (fin == std::string::npos) return "";
    debut = fin + 1;
  }
}

std::string megaoctets(std::size_t octets) {
  return std::to_string(octets >> 20) + " Mo";
}

// The child: limits, streams, then the tool. Only async-signal-safe calls.
[[noreturn]] void dans_l_enfant(const char* outil, char* const* argv,
                                int sortie, const limites_outils& l) {
  ::setpgid(0, 0);
  const struct {
    int ressource;
    rlim_t valeur;
  } bornes[] = {{RLIMIT_CPU, l.secondes_calcul},
                {RLIMIT_AS, l.memoire},
                {RLIMIT_FSIZE, l.taille_fichier},
                {RLIMIT_CORE, 0}};
  for (const auto& b : bornes) {
    // CPU: SIGXCPU at the limit, SIGKILL a second later.
    const rlimit r{b.valeur,
                   b.ressource == RLIMIT_CPU ? b.valeur + 1 : b.valeur};
    ::setrlimit(b.ressource, &r);
  }
  const int nul = ::open("/dev/null", O_RDONLY);
  if (nul < 0 || ::dup2(nul, 0) < 0 || ::dup2(sortie, 1) < 0 ||
      ::dup2(sortie, 2) < 0)
    ::_exit(127);
  ::execv(outil, argv);
  ::_exit(127);
}

// Runs `arguments` (the first names the tool, looked up in PATH) with both
// output streams into `sortie`, under the limits. The exit status, -1 when
// the tool could not be started (the reason in `messages`) or was stopped
// (the limit in `messages`).
int lance(const std::vector<std::string>& arguments, const std::string& sortie,
          std::vector<std::string>& messages, const suivi_outils& suivi,
          const limites_outils& limites) {
  const std::string& nom = arguments[0];
  const std::string outil = cherche_outil(nom);
  if (outil.empty()) {
    messages.push_back(nom + " introuvable : installez le paquet " + "Debian " +
                       paquet_outils_gnu);
    return -1;
  }
  std::vector<char*> argv;
  for (const std::string& a : arguments)
    argv.push_back(const_cast<char*>(a.c_str()));
  argv.push_back(nullptr);
  const int fd =
      ::open(sortie.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
  if (fd < 0) {
    messages.push_back(nom +
                       " ne peut pas etre lance : " + std::strerror(errno));
    return -1;
  }
  const pid_t pid = ::fork();
  if (pid == 0) dans_l_enfant(outil.c_str(), argv.data(), fd, limites);
  const int cause = errno;
  ::close(fd);
  if (pid < 0) {
    messages.push_back(nom +
                       " ne peut pas etre lance : " + std::strerror(cause));
    return -1;
  }
  const auto debut = std::chrono::steady_clock::now();
  int etat = 0;
  std::string arret;
  for (;;) {
    const pid_t fini = ::waitpid(pid, &etat, WNOHANG);
    if (fini == pid) break;
    if (fini < 0 && errno != EINTR) return -1;
    const double secondes =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - debut)
            .count();
    const bool continuer = suivi ? suivi(nom, secondes) : true;
    if (!suivi) ::usleep(5000);
    if (!continuer || secondes > limites.duree) {
      arret = continuer ? "durée dépassée (" +
                              std::to_string(static_cast<int>(limites.duree)) +
                              " s au plus)"
                        : "";
      ::kill(-pid, SIGKILL);
      ::kill(pid, SIGKILL);
      while (::waitpid(pid, &etat, 0) < 0 && errno == EINTR) {
      }
      messages.push_back(continuer ? nom + " arrêté : " + arret
                                   : "assemblage annulé");
      return -1;
    }
  }
  if (WIFEXITED(etat)) {
    if (WEXITSTATUS(etat) == 127 && ::access(outil.c_str(), X_OK) != 0) {
      messages.push_back(nom + " ne peut pas etre lance");
      return -1;
    }
    return WEXITSTATUS(etat);
  }
  const int signal = WTERMSIG(etat);
  if (signal == SIGXCPU || signal == SIGKILL)
    arret = "temps de calcul dépassé (" +
            std::to_string(limites.secondes_calcul) + " s au plus)";
  else if (signal == SIGXFSZ)
    arret = "fichier produit trop grand (" +
            megaoctets(limites.taille_fichier) + " au plus)";
  else
    arret = "arrêté par le signal " + std::to_string(signal);
  messages.push_back(nom + " arrêté : " + arret);
  return -1;
}

// A tool that stopped for want of memory says so in its own words.
void signale_memoire(const std::vector<std::string>& lignes, int etat,
                     const std::string& nom, const limites_outils& limites,
                     std::vector<std::string>& messages) {
  if (etat == 0) return;
  for (const std::string& l : lignes)
    if (l.find("out of memory") != std::string::npos ||
        l.find("memory exhausted") != std::string::npos) {
      messages.push_back(nom + " arrêté : mémoire dépassée (" +
                         megaoctets(limites.memoire) + " au plus)");
      return;
    }
}

bool avertissement_entree(const std::string& ligne) {
  return ligne.find("cannot find entry symbol _start") != std::string::npos;
}

}  // namespace

resultat_assemblage assemble_source(
    const std::string& source,
    const std::function<void(const std::string& elf)>& utilise,
    const suivi_outils& suivi, const limites_outils& limites) {
  resultat_assemblage resultat;
  dossier_temporaire dossier;
  if (dossier.chemin().empty()) {
    resultat.messages.push_back(
        "impossible de creer un dossier temporaire pour l'assemblage");
    return resultat;
  }
  // A name starting with '-' would read as an option.
  const std::string nom =
      !source.empty() && source[0] == '-' ? "./" + source : source;
  const std::string objet = dossier.chemin() + "/programme.o";
  const std::string elf = dossier.chemin() + "/programme.elf";
  const std::string sortie = dossier.chemin() + "/messages.txt";
  std::vector<std::string> arrets;
  const int etat_as = lance({"m68hc11-as", "-g", "-o", objet, nom}, sortie,
                            arrets, suivi, limites);
  std::vector<std::string> lignes = lignes_de(sortie, limites.taille_fichier);
  resultat.messages.insert(resultat.messages.end(), lignes.begin(),
                           lignes.end());
  signale_memoire(lignes, etat_as, "m68hc11-as", limites, resultat.messages);
  resultat.messages.insert(resultat.messages.end(), arrets.begin(),
                           arrets.end());
  if (etat_as != 0) return resultat;
  const int etat_ld = lance(
      {"m68hc11-ld", "-Ttext", "0xb600", "--section-start=.vecteurs=0xffd6",
       "-e", "_start", "-o", elf, objet},
      sortie, arrets, suivi, limites);
  lignes = lignes_de(sortie, limites.taille_fichier);
  for (const std::string& l : lignes)
    if (!avertissement_entree(l)) resultat.messages.push_back(l);
  signale_memoire(lignes, etat_ld, "m68hc11-ld", limites, resultat.messages);
  resultat.messages.insert(resultat.messages.end(), arrets.begin(),
                           arrets.end());
  if (etat_ld != 0) return resultat;
  resultat.reussi = true;
  utilise(elf);
  return resultat;
}
