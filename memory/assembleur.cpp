// Runs the GNU assembler and linker on a source file: posix_spawnp with an
// argument vector (no shell), standard input from /dev/null, standard output
// and error into a file of the temporary folder, read back as lines.
#include "memory/assembleur.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>

extern char** environ;

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

std::vector<std::string> lignes_de(const std::string& chemin) {
  std::vector<std::string> lignes;
  std::ifstream fichier(chemin);
  std::string ligne;
  while (std::getline(fichier, ligne))
    if (!ligne.empty()) lignes.push_back(ligne);
  return lignes;
}

// Runs `arguments` (the first names the tool, looked up in PATH) with both
// output streams into `sortie`. Returns the exit status; -1 when the tool
// could not be started, with the reason in `messages`.
int lance(const std::vector<std::string>& arguments, const std::string& sortie,
          std::vector<std::string>& messages) {
  std::vector<char*> argv;
  for (const std::string& a : arguments)
    argv.push_back(const_cast<char*>(a.c_str()));
  argv.push_back(nullptr);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
  posix_spawn_file_actions_addopen(&actions, 2, sortie.c_str(),
                                   O_WRONLY | O_CREAT | O_TRUNC, 0600);
  posix_spawn_file_actions_adddup2(&actions, 2, 1);
  pid_t pid = 0;
  const int erreur =
      posix_spawnp(&pid, argv[0], &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  if (erreur == ENOENT) {
    messages.push_back(arguments[0] + " introuvable : installez le paquet " +
                       "Debian " + paquet_outils_gnu);
    return -1;
  }
  if (erreur != 0) {
    messages.push_back(arguments[0] +
                       " ne peut pas etre lance : " + std::strerror(erreur));
    return -1;
  }
  int etat = 0;
  while (waitpid(pid, &etat, 0) < 0)
    if (errno != EINTR) return -1;
  return WIFEXITED(etat) ? WEXITSTATUS(etat) : 128 + WTERMSIG(etat);
}

bool avertissement_entree(const std::string& ligne) {
  return ligne.find("cannot find entry symbol _start") != std::string::npos;
}

}  // namespace

resultat_assemblage assemble_source(
    const std::string& source,
    const std::function<void(const std::string& elf)>& utilise) {
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
  const int etat_as =
      lance({"m68hc11-as", "-g", "-o", objet, nom}, sortie, resultat.messages);
  if (etat_as < 0) return resultat;
  for (const std::string& l : lignes_de(sortie)) resultat.messages.push_back(l);
  if (etat_as != 0) return resultat;
  const int etat_ld = lance(
      {"m68hc11-ld", "-Ttext", "0xb600", "--section-start=.vecteurs=0xffd6",
       "-e", "_start", "-o", elf, objet},
      sortie, resultat.messages);
  if (etat_ld < 0) return resultat;
  for (const std::string& l : lignes_de(sortie))
    if (!avertissement_entree(l)) resultat.messages.push_back(l);
  if (etat_ld != 0) return resultat;
  resultat.reussi = true;
  utilise(elf);
  return resultat;
}
