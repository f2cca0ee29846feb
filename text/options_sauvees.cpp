// The saved options' file: its text, its reading and its atomic writing.
#include "text/options_sauvees.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <charconv>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>

#include "text/lecture.h"

namespace {

const char* const noms_registres[7] = {"A", "B", "CCR", "X", "Y", "PC", "SP"};
const char* const noms_ports[5] = {"A", "B", "C", "D", "E"};
const char* const modeles[] = {"e9", "plat"};
const char* const vitesses[] = {"temps_reel", "dixieme", "centieme",
                                "pas_animes", "maximum"};
const char* const signaux[] = {
    "PA7", "PA6", "PA5", "PA4", "PA3", "PA2", "PA1", "PA0", "PB7", "PB6",
    "PB5", "PB4", "PB3", "PB2", "PB1", "PB0", "PC7", "PC6", "PC5", "PC4",
    "PC3", "PC2", "PC1", "PC0", "PD5", "PD4", "PD3", "PD2", "PD1", "PD0",
    "PE7", "PE6", "PE5", "PE4", "PE3", "PE2", "PE1", "PE0", "IRQ", "XIRQ"};

// A file larger than this is not one of ours.
constexpr std::size_t taille_max = 64 * 1024;

template <std::size_t n>
bool parmi(const std::string& valeur, const char* const (&liste)[n]) {
  for (const char* v : liste)
    if (valeur == v) return true;
  return false;
}

bool lit_booleen(const std::string& v, bool& b) {
  if (v != "0" && v != "1") return false;
  b = v == "1";
  return true;
}

bool lit_entier(const std::string& v, int min, int max, int& n) {
  int lu = 0;
  const char* fin = v.data() + v.size();
  const auto r = std::from_chars(v.data(), fin, lu);
  if (v.empty() || r.ec != std::errc() || r.ptr != fin || lu < min || lu > max)
    return false;
  n = lu;
  return true;
}

// Volts, 0 to 5, with a dot: from_chars does not depend on the locale.
bool lit_tension(const std::string& v, double& t) {
  double lu = 0;
  const char* fin = v.data() + v.size();
  const auto r = std::from_chars(v.data(), fin, lu, std::chars_format::fixed);
  if (v.empty() || r.ec != std::errc() || r.ptr != fin || !(lu >= 0) || lu > 5)
    return false;
  t = lu;
  return true;
}

std::string texte_tension(double t) {
  char tampon[32];
  const auto r = std::to_chars(tampon, tampon + sizeof tampon, t);
  return std::string(tampon, r.ptr);
}

bool lit_selection(const std::string& v) {
  std::size_t debut = 0;
  while (debut <= v.size() && !v.empty()) {
    std::size_t virgule = v.find(',', debut);
    if (virgule == std::string::npos) virgule = v.size();
    if (!parmi(v.substr(debut, virgule - debut), signaux)) return false;
    debut = virgule + 1;
  }
  return true;
}

// One key=value pair into `o`: false when the key is known and the value
// is not one it takes. Unknown keys are left alone.
bool applique(const std::string& cle, const std::string& valeur,
              options_sauvees& o) {
  if (cle == "modele") {
    if (!parmi(valeur, modeles)) return false;
    o.modele = valeur;
    return true;
  }
  for (int i = 0; i < 7; ++i)
    if (cle == std::string("registre.") + noms_registres[i])
      return lit_booleen(valeur, o.registres[i]);
  for (int i = 0; i < 5; ++i)
    if (cle == std::string("port.") + noms_ports[i])
      return lit_booleen(valeur, o.ports[i]);
  if (cle == "trace_temps_reel") return lit_booleen(valeur, o.trace_temps_reel);
  if (cle == "registres_configuration")
    return lit_booleen(valeur, o.registres_configuration);
  if (cle == "vitesse") {
    if (!parmi(valeur, vitesses)) return false;
    o.vitesse = valeur;
    return true;
  }
  if (cle == "pas_par_seconde")
    return lit_entier(valeur, 1, 50, o.pas_par_seconde);
  if (cle == "historique_mo")
    return lit_entier(valeur, 16, 4096, o.historique_mo);
  for (int i = 0; i < 8; ++i)
    if (cle == "analogique.AN" + std::to_string(i))
      return lit_tension(valeur, o.analogiques[i]);
  if (cle == "analogique.VRH") return lit_tension(valeur, o.vrh);
  if (cle == "analogique.VRL") return lit_tension(valeur, o.vrl);
  if (cle == "chronogramme.selection") {
    if (!lit_selection(valeur)) return false;
    o.selection_chronogramme = valeur;
    return true;
  }
  if (cle == "dernier_fichier") {
    o.dernier_fichier = valeur;
    return true;
  }
  return true;
}

// The folders of `chemin` made where missing (as mkdir -p).
bool cree_dossiers(const std::string& chemin, std::string& erreur) {
  for (std::size_t barre = chemin.find('/', 1); barre != std::string::npos;
       barre = chemin.find('/', barre + 1)) {
    const std::string dossier = chemin.substr(0, barre);
    if (::mkdir(dossier.c_str(), 0755) != 0 && errno != EEXIST) {
      erreur = dossier + " : " + std::strerror(errno);
      return false;
    }
  }
  return true;
}

}  // namespace

std::string chemin_options() {
  const char* xdg = std::getenv("XDG_CONFIG_HOME");
  if (xdg && xdg[0] == '/') return std::string(xdg) + "/tamrix/options";
  const char* maison = std::getenv("HOME");
  if (maison && maison[0] != '\0')
    return std::string(maison) + "/.config/tamrix/options";
  return "";
}

std::string texte_options(const options_sauvees& o) {
  std::ostringstream t;
  t << "# tamrix : options enregistrees par \"Options\" > \"Sauver les "
       "options\"\n";
  t << "modele=" << o.modele << "\n";
  for (int i = 0; i < 7; ++i)
    t << "registre." << noms_registres[i] << "=" << o.registres[i] << "\n";
  for (int i = 0; i < 5; ++i)
    t << "port." << noms_ports[i] << "=" << o.ports[i] << "\n";
  t << "trace_temps_reel=" << o.trace_temps_reel << "\n";
  t << "registres_configuration=" << o.registres_configuration << "\n";
  t << "vitesse=" << o.vitesse << "\n";
  t << "pas_par_seconde=" << o.pas_par_seconde << "\n";
  t << "historique_mo=" << o.historique_mo << "\n";
  for (int i = 0; i < 8; ++i)
    t << "analogique.AN" << i << "=" << texte_tension(o.analogiques[i]) << "\n";
  t << "analogique.VRH=" << texte_tension(o.vrh) << "\n";
  t << "analogique.VRL=" << texte_tension(o.vrl) << "\n";
  t << "chronogramme.selection=" << o.selection_chronogramme << "\n";
  // A path with a line break would end its line early: it is not kept.
  const bool sur_une_ligne =
      o.dernier_fichier.find_first_of("\r\n") == std::string::npos;
  t << "dernier_fichier=" << (sur_une_ligne ? o.dernier_fichier : "") << "\n";
  return t.str();
}

bool lit_texte_options(const std::string& texte, options_sauvees& options,
                       std::string& erreur) {
  options_sauvees lues = options;
  std::istringstream lignes(texte);
  std::string ligne;
  for (int numero = 1; std::getline(lignes, ligne); ++numero) {
    if (!ligne.empty() && ligne.back() == '\r') ligne.pop_back();
    if (ligne.empty() || ligne[0] == '#') continue;
    const std::size_t egal = ligne.find('=');
    if (egal == std::string::npos || egal == 0 ||
        ligne.find('\0') != std::string::npos) {
      erreur =
          "ligne " + std::to_string(numero) + " : pas de la forme cle=valeur";
      return false;
    }
    const std::string cle = ligne.substr(0, egal);
    if (!applique(cle, ligne.substr(egal + 1), lues)) {
      erreur =
          "ligne " + std::to_string(numero) + " : valeur refusee pour " + cle;
      return false;
    }
  }
  options = lues;
  return true;
}

lecture_options lit_options(const std::string& chemin,
                            options_sauvees& options) {
  if (chemin.empty()) return {etat_options::absent, ""};
  struct stat etat;
  if (::stat(chemin.c_str(), &etat) != 0) {
    if (errno == ENOENT || errno == ENOTDIR) return {etat_options::absent, ""};
    return {etat_options::illisible, "options illisibles (" + chemin + " : " +
                                         std::strerror(errno) +
                                         ") : options par defaut"};
  }
  // Read with its bound (text/lecture.h): a FIFO or a device in its place
  // is not waited for.
  std::string texte, raison;
  echec_lecture echec;
  if (!lit_fichier_borne(chemin, {taille_max}, texte, raison, &echec) &&
      echec != echec_lecture::trop_grand)
    return {etat_options::illisible, "options illisibles (" + chemin + " : " +
                                         raison + ") : options par defaut"};
  std::string erreur;
  if (echec == echec_lecture::trop_grand) erreur = raison;
  if (erreur.empty() && lit_texte_options(texte, options, erreur))
    return {etat_options::lu, ""};
  return {etat_options::abime, "options abimees (" + chemin + ", " + erreur +
                                   ") : options par defaut, le fichier est "
                                   "garde tel quel"};
}

bool ecrit_options(const std::string& chemin, const options_sauvees& options,
                   std::string& erreur) {
  return ecrit_fichier_entier(chemin, texte_options(options), erreur);
}

bool ecrit_fichier_entier(const std::string& chemin, const std::string& texte,
                          std::string& erreur) {
  if (chemin.empty() || chemin[0] != '/') {
    erreur = "pas de dossier de configuration (ni XDG_CONFIG_HOME ni HOME)";
    return false;
  }
  if (!cree_dossiers(chemin, erreur)) return false;
  std::string modele = chemin + ".XXXXXX";
  const int fd = ::mkstemp(&modele[0]);
  if (fd < 0) {
    erreur = modele + " : " + std::strerror(errno);
    return false;
  }
  std::size_t ecrit = 0;
  while (ecrit < texte.size()) {
    const ssize_t n = ::write(fd, texte.data() + ecrit, texte.size() - ecrit);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) break;
    ecrit += static_cast<std::size_t>(n);
  }
  // mkstemp makes the file private; the options are not secret.
  bool complet =
      ecrit == texte.size() && ::fchmod(fd, 0644) == 0 && ::fsync(fd) == 0;
  int cause = complet ? 0 : errno;
  if (::close(fd) != 0 && complet) {
    complet = false;
    cause = errno;
  }
  if (complet && ::rename(modele.c_str(), chemin.c_str()) != 0) {
    complet = false;
    cause = errno;
  }
  if (!complet) {
    ::unlink(modele.c_str());
    erreur = chemin + " : " + std::strerror(cause ? cause : EIO);
  }
  return complet;
}
