// The symbol and line tables of a loaded program and the address expression
// reader. The tables are plain vectors sorted once by termine(); every
// lookup is a binary search, except the case-blind name search, which scans.
#include "memory/symboles.h"

#include <algorithm>
#include <cctype>
#include <tuple>

namespace {

// Symbols the GNU linker's default script for the 68HC11 defines besides
// those starting with "__".
const char* const noms_de_l_editeur_de_liens[] = {
    "_etext", "_edata", "_end", "_stack", "_vectors_addr", "etext", "edata"};

bool meme_nom_sans_casse(const std::string& a, const std::string& b) {
  return a.size() == b.size() &&
         std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return std::tolower(static_cast<unsigned char>(x)) ==
                  std::tolower(static_cast<unsigned char>(y));
         });
}

bool finit_par(const std::string& chemin, const std::string& fin) {
  if (fin.empty() || fin.size() > chemin.size()) return false;
  if (chemin.compare(chemin.size() - fin.size(), fin.size(), fin) != 0)
    return false;
  return fin.size() == chemin.size() || fin[0] == '/' ||
         chemin[chemin.size() - fin.size() - 1] == '/';
}

bool debut_de_nom(char c) {
  return std::isalpha(static_cast<unsigned char>(c)) || c == '_' || c == '.';
}

bool suite_de_nom(char c) {
  return debut_de_nom(c) || std::isdigit(static_cast<unsigned char>(c)) ||
         c == '$';
}

int chiffre(char c, int base) {
  int v = 99;
  if (c >= '0' && c <= '9') v = c - '0';
  if (c >= 'a' && c <= 'f') v = c - 'a' + 10;
  if (c >= 'A' && c <= 'F') v = c - 'A' + 10;
  return v < base ? v : -1;
}

// Reads the address expression of infos_debogage::lit_adresse.
class lecteur_expression {
 public:
  lecteur_expression(const infos_debogage& infos, const std::string& texte,
                     bool hexa_nu)
      : infos_(infos), texte_(texte), hexa_nu_(hexa_nu) {}

  // The value, or false with the message in `erreur`.
  bool lit(long long& valeur, std::string& erreur) {
    saute_blancs();
    if (pos_ == texte_.size()) {
      erreur = "adresse vide";
      return false;
    }
    if (!terme(valeur, erreur)) return false;
    for (saute_blancs(); pos_ < texte_.size(); saute_blancs()) {
      const char operation = texte_[pos_];
      if (operation != '+' && operation != '-') return mal_forme(erreur);
      ++pos_;
      saute_blancs();
      long long suivant = 0;
      if (!terme(suivant, erreur)) return false;
      valeur += operation == '+' ? suivant : -suivant;
    }
    return true;
  }

 private:
  void saute_blancs() {
    while (pos_ < texte_.size() &&
           (texte_[pos_] == ' ' || texte_[pos_] == '\t'))
      ++pos_;
  }

  bool mal_forme(std::string& erreur) const {
    erreur = "adresse invalide : \"" + texte_ +
             "\" (nombre, etiquette ou etiquette+nombre)";
    return false;
  }

  // One number or name: the longest run of name characters, after a '$'.
  bool terme(long long& valeur, std::string& erreur) {
    std::size_t fin = pos_;
    if (fin < texte_.size() && texte_[fin] == '$') ++fin;
    while (fin < texte_.size() && suite_de_nom(texte_[fin])) ++fin;
    const std::string mot = texte_.substr(pos_, fin - pos_);
    pos_ = fin;
    if (mot.empty()) return mal_forme(erreur);
    const symbole* s = infos_.cherche(mot);
    const bool hexa = std::all_of(mot.begin(), mot.end(), [](char c) {
      return std::isxdigit(static_cast<unsigned char>(c));
    });
    if (debut_de_nom(mot[0]) &&
        !(hexa_nu_ && hexa && (s == nullptr || s->nom != mot))) {
      if (s == nullptr) {
        erreur = "etiquette inconnue : " + mot;
        return false;
      }
      valeur = s->valeur;
      return true;
    }
    int base = hexa_nu_ ? 16 : 10;
    std::size_t debut = 0;
    if (mot[0] == '$') {
      base = 16, debut = 1;
    } else if (mot.size() > 1 && mot[0] == '0' &&
               (mot[1] == 'x' || mot[1] == 'X')) {
      base = 16, debut = 2;
    }
    if (debut == mot.size()) return mal_forme(erreur);
    valeur = 0;
    for (std::size_t i = debut; i < mot.size(); ++i) {
      const int v = chiffre(mot[i], base);
      if (v < 0) return mal_forme(erreur);
      valeur = valeur * base + v;
      if (valeur > 0xFFFFFFFFLL) return hors_limites(erreur);
    }
    return true;
  }

  bool hors_limites(std::string& erreur) const {
    erreur = "adresse hors limites : \"" + texte_ + "\" (0 a $ffff)";
    return false;
  }

  const infos_debogage& infos_;
  const std::string& texte_;
  const bool hexa_nu_;
  std::size_t pos_ = 0;
};

}  // namespace

bool infos_debogage::nom_garde(const std::string& nom) {
  if (nom.empty() || nom.compare(0, 2, "__") == 0) return false;
  for (char c : nom)
    if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) return false;
  return std::none_of(std::begin(noms_de_l_editeur_de_liens),
                      std::end(noms_de_l_editeur_de_liens),
                      [&nom](const char* interne) { return nom == interne; });
}

void infos_debogage::ajoute_symbole(const symbole& s) {
  par_valeur_.push_back(s);
}

std::size_t infos_debogage::ajoute_fichier(const std::string& chemin) {
  const auto trouve = std::find(fichiers_.begin(), fichiers_.end(), chemin);
  if (trouve != fichiers_.end())
    return static_cast<std::size_t>(trouve - fichiers_.begin());
  fichiers_.push_back(chemin);
  return fichiers_.size() - 1;
}

void infos_debogage::ajoute_ligne(const ligne_source& l) {
  lignes_.push_back(l);
}

void infos_debogage::termine() {
  std::stable_sort(par_valeur_.begin(), par_valeur_.end(),
                   [](const symbole& a, const symbole& b) {
                     return std::make_tuple(a.valeur, !a.etiquette) <
                            std::make_tuple(b.valeur, !b.etiquette);
                   });
  par_nom_.resize(par_valeur_.size());
  for (std::size_t i = 0; i < par_nom_.size(); ++i) par_nom_[i] = i;
  std::stable_sort(par_nom_.begin(), par_nom_.end(),
                   [this](std::size_t a, std::size_t b) {
                     return par_valeur_[a].nom < par_valeur_[b].nom;
                   });
  std::stable_sort(lignes_.begin(), lignes_.end(),
                   [](const ligne_source& a, const ligne_source& b) {
                     return std::make_tuple(a.adresse, !a.fin_de_sequence) <
                            std::make_tuple(b.adresse, !b.fin_de_sequence);
                   });
  par_ligne_.clear();
  for (const ligne_source& l : lignes_)
    if (!l.fin_de_sequence)
      par_ligne_.push_back({l.fichier, l.ligne, l.adresse});
  std::sort(par_ligne_.begin(), par_ligne_.end(),
            [](const ligne_adresse& a, const ligne_adresse& b) {
              return std::tie(a.fichier, a.ligne, a.adresse) <
                     std::tie(b.fichier, b.ligne, b.adresse);
            });
}

const symbole* infos_debogage::cherche(const std::string& nom) const {
  const auto trouve =
      std::lower_bound(par_nom_.begin(), par_nom_.end(), nom,
                       [this](std::size_t i, const std::string& n) {
                         return par_valeur_[i].nom < n;
                       });
  if (trouve != par_nom_.end() && par_valeur_[*trouve].nom == nom)
    return &par_valeur_[*trouve];
  const symbole* seul = nullptr;
  for (const symbole& s : par_valeur_) {
    if (!meme_nom_sans_casse(s.nom, nom)) continue;
    if (seul != nullptr && seul->nom != s.nom) return nullptr;
    if (seul == nullptr) seul = &s;
  }
  return seul;
}

std::vector<std::string> infos_debogage::noms_a(unsigned short adresse) const {
  std::vector<std::string> noms;
  auto it = std::lower_bound(
      par_valeur_.begin(), par_valeur_.end(), adresse,
      [](const symbole& s, unsigned short a) { return s.valeur < a; });
  for (; it != par_valeur_.end() && it->valeur == adresse; ++it)
    noms.push_back(it->nom);
  return noms;
}

std::string infos_debogage::nom_a(unsigned short adresse,
                                  bool etiquettes_seulement) const {
  const auto it = std::lower_bound(
      par_valeur_.begin(), par_valeur_.end(), adresse,
      [](const symbole& s, unsigned short a) { return s.valeur < a; });
  if (it == par_valeur_.end() || it->valeur != adresse) return "";
  if (etiquettes_seulement && !it->etiquette) return "";
  return it->nom;
}

const ligne_source* infos_debogage::ligne_a(unsigned short adresse) const {
  const auto apres = std::upper_bound(
      lignes_.begin(), lignes_.end(), adresse,
      [](unsigned a, const ligne_source& l) { return a < l.adresse; });
  if (apres == lignes_.begin()) return nullptr;
  const ligne_source& l = *(apres - 1);
  return l.fin_de_sequence ? nullptr : &l;
}

bool infos_debogage::adresse_de(const std::string& fichier, unsigned ligne,
                                unsigned short& adresse) const {
  std::size_t index = static_cast<std::size_t>(
      std::find(fichiers_.begin(), fichiers_.end(), fichier) -
      fichiers_.begin());
  for (std::size_t i = 0; index == fichiers_.size() && i < fichiers_.size();
       ++i) {
    if (!finit_par(fichiers_[i], fichier)) continue;
    for (std::size_t j = i + 1; j < fichiers_.size(); ++j)
      if (finit_par(fichiers_[j], fichier)) return false;  // ambiguous
    index = i;
  }
  if (index == fichiers_.size()) return false;
  const ligne_adresse cle{index, ligne, 0};
  const auto it =
      std::lower_bound(par_ligne_.begin(), par_ligne_.end(), cle,
                       [](const ligne_adresse& a, const ligne_adresse& b) {
                         return std::tie(a.fichier, a.ligne, a.adresse) <
                                std::tie(b.fichier, b.ligne, b.adresse);
                       });
  if (it == par_ligne_.end() || it->fichier != index || it->ligne != ligne ||
      it->adresse > 0xFFFF)
    return false;
  adresse = static_cast<unsigned short>(it->adresse);
  return true;
}

bool infos_debogage::lit_adresse(const std::string& texte,
                                 unsigned short& adresse, std::string* erreur,
                                 bool hexa_nu) const {
  long long valeur = 0;
  std::string message;
  lecteur_expression lecteur(*this, texte, hexa_nu);
  if (lecteur.lit(valeur, message) && (valeur < 0 || valeur > 0xFFFF))
    message = "adresse hors limites : \"" + texte + "\" (0 a $ffff)";
  if (!message.empty()) {
    if (erreur != nullptr) *erreur = message;
    return false;
  }
  adresse = static_cast<unsigned short>(valeur);
  return true;
}
