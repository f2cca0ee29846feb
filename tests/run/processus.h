// Starts tamrix-run as a child process and collects what it wrote on its
// standard output and error streams and its exit status.
#ifndef TAMRIX_TESTS_RUN_PROCESSUS_H
#define TAMRIX_TESTS_RUN_PROCESSUS_H

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

struct sortie_run {
  std::string sortie;   // standard output
  std::string erreurs;  // standard error
  int statut = -1;      // exit status; -1 when it did not exit normally

  // The last line of standard output, without its end of line.
  std::string derniere_ligne() const {
    std::string texte = sortie;
    if (!texte.empty() && texte.back() == '\n') texte.pop_back();
    const auto fin = texte.rfind('\n');
    return fin == std::string::npos ? texte : texte.substr(fin + 1);
  }
  // Every line of standard output, the last one included.
  std::vector<std::string> lignes() const {
    std::vector<std::string> resultat;
    std::istringstream flux(sortie);
    std::string ligne;
    while (std::getline(flux, ligne)) resultat.push_back(ligne);
    return resultat;
  }
};

// A fresh directory for the files of one test, removed at its end.
class dossier_temporaire {
 public:
  dossier_temporaire() {
    char modele[] = "/tmp/tamrix_run_XXXXXX";
    if (::mkdtemp(modele) != nullptr) chemin_ = modele;
  }
  ~dossier_temporaire() {
    if (!chemin_.empty()) std::system(("rm -rf '" + chemin_ + "'").c_str());
  }
  const std::string& chemin() const { return chemin_; }
  std::string fichier(const std::string& nom) const {
    return chemin_ + "/" + nom;
  }
  // Writes `contenu` into the file `nom` and returns its path.
  std::string ecrit(const std::string& nom, const std::string& contenu) const {
    const std::string p = fichier(nom);
    std::ofstream(p, std::ios::binary) << contenu;
    return p;
  }

 private:
  std::string chemin_;
};

inline std::string lit_tout(const std::string& chemin) {
  std::ifstream fichier(chemin, std::ios::binary);
  std::ostringstream contenu;
  contenu << fichier.rdbuf();
  return contenu.str();
}

// Runs `programme` with `arguments`; its streams go to files of a fresh
// directory, read back once it has ended (standard output to `sortie`
// instead when given: /dev/full...).
inline sortie_run lance_programme(const std::string& programme,
                                  const std::vector<std::string>& arguments,
                                  const std::string& sortie = "") {
  dossier_temporaire dossier;
  const std::string out = dossier.fichier("out"), err = dossier.fichier("err");
  std::vector<std::string> mots{programme};
  mots.insert(mots.end(), arguments.begin(), arguments.end());
  std::vector<char*> argv;
  for (std::string& m : mots) argv.push_back(&m[0]);
  argv.push_back(nullptr);

  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(
      &actions, 1, sortie.empty() ? out.c_str() : sortie.c_str(),
      O_WRONLY | O_CREAT | O_TRUNC, 0600);
  posix_spawn_file_actions_addopen(&actions, 2, err.c_str(),
                                   O_WRONLY | O_CREAT | O_TRUNC, 0600);
  sortie_run resultat;
  pid_t pid = 0;
  if (posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ) ==
      0) {
    int etat = 0;
    if (waitpid(pid, &etat, 0) == pid && WIFEXITED(etat))
      resultat.statut = WEXITSTATUS(etat);
  }
  posix_spawn_file_actions_destroy(&actions);
  resultat.sortie = lit_tout(out);
  resultat.erreurs = lit_tout(err);
  return resultat;
}

// Runs tamrix-run with `arguments`.
inline sortie_run lance_run(const std::vector<std::string>& arguments,
                            const std::string& sortie = "") {
  return lance_programme(TAMRIX_RUN_PROGRAMME, arguments, sortie);
}

// Path of a program of tests/run/programmes or of examples/.
inline std::string programme_test(const std::string& nom) {
  return std::string(TAMRIX_SOURCE_DIR) + "/tests/run/programmes/" + nom;
}
inline std::string exemple(const std::string& nom) {
  return std::string(TAMRIX_SOURCE_DIR) + "/examples/" + nom;
}

#endif
