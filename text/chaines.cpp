// General string helpers. Arithmetic on numbers is done on unsigned values so
// that it wraps instead of overflowing; characters are read as bytes 0 to 255.
#include "text/chaines.h"

#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iostream>

#include "text/conversions.h"

namespace {

using taille = std::string::size_type;
constexpr taille absent = std::string::npos;

unsigned code_de(char caractere) {
  return static_cast<unsigned char>(caractere);
}

bool est_chiffre(char caractere) {
  return caractere >= '0' && caractere <= '9';
}

bool est_lettre(char caractere) {
  return (caractere >= 'A' && caractere <= 'Z') ||
         (caractere >= 'a' && caractere <= 'z');
}

bool est_alphanumerique(char caractere) {
  return est_lettre(caractere) || est_chiffre(caractere);
}

bool est_hex(char caractere) {
  return est_chiffre(caractere) || (caractere >= 'a' && caractere <= 'f') ||
         (caractere >= 'A' && caractere <= 'F');
}

template <typename Predicat>
bool tous(const std::string& texte, Predicat predicat) {
  return std::all_of(texte.begin(), texte.end(), predicat);
}

// Two's complement reading of 32 or 64 bits, without implementation-defined
// conversions.
int32_t en_signe(uint32_t bits) {
  if (bits <= 0x7FFFFFFFu) return static_cast<int32_t>(bits);
  return -static_cast<int32_t>(~bits) - 1;
}

int64_t en_signe(uint64_t bits) {
  if (bits <= 0x7FFFFFFFFFFFFFFFu) return static_cast<int64_t>(bits);
  return -static_cast<int64_t>(~bits) - 1;
}

// 2^exposant modulo 2^32.
uint32_t puissance_de_deux(taille exposant) {
  return exposant >= 32 ? 0u : uint32_t{1} << exposant;
}

// The unaccented capital of the French accented letters that the case and
// token helpers know, 0 for any other byte.
char lettre_sans_accent(char caractere) {
  switch (code_de(caractere)) {
    case 0xE9:
    case 0xE8:
    case 0xEA:
      return 'E';
    case 0xE0:
    case 0xE2:
      return 'A';
    case 0xF4:
      return 'O';
    case 0xE7:
      return 'C';
    case 0x8C:
      return 'I';
    default:
      return 0;
  }
}

// Upper case of ASCII letters; bytes from 0x80 up are dropped, or lose their
// accent when `accents` is set and they are known accented letters.
std::string majuscules(const std::string& texte, bool accents) {
  std::string resultat;
  for (char caractere : texte) {
    if (code_de(caractere) >= 0x80) {
      const char sans_accent = accents ? lettre_sans_accent(caractere) : 0;
      if (sans_accent != 0) resultat += sans_accent;
    } else if (caractere >= 'a' && caractere <= 'z') {
      resultat += static_cast<char>(caractere - 'a' + 'A');
    } else {
      resultat += caractere;
    }
  }
  return resultat;
}

// Scans the non-overlapping occurrences of `cherche` from left to right and
// replaces those that `accepte(texte, debut, position)` accepts; `debut` is
// where the text after the previous occurrence starts. An empty search text
// has no occurrence.
template <typename Decision>
std::string remplace_occurrences(const std::string& texte,
                                 const std::string& cherche,
                                 const std::string& remplacement,
                                 Decision accepte) {
  if (cherche.empty()) return texte;
  std::string resultat;
  taille debut = 0;
  for (taille position = texte.find(cherche); position != absent;
       position = texte.find(cherche, debut)) {
    resultat.append(texte, debut, position - debut);
    resultat += accepte(texte, debut, position) ? remplacement : cherche;
    debut = position + cherche.size();
  }
  resultat.append(texte, debut, absent);
  return resultat;
}

// Splits `texte` at `position` (absent: no separator) into the returned
// record and `reste`, which may be `texte` itself.
std::string coupe(const std::string& texte, taille position,
                  std::string& reste) {
  if (position == absent) {
    std::string enregistrement = texte;
    reste.clear();
    return enregistrement;
  }
  std::string enregistrement = texte.substr(0, position);
  std::string suite = texte.substr(position + 1);
  reste = suite;
  return enregistrement;
}

std::string decimal_entier(double entier) {
  const int longueur = std::snprintf(nullptr, 0, "%.0f", entier);
  std::string texte(static_cast<taille>(longueur) + 1, '\0');
  std::snprintf(&texte[0], texte.size(), "%.0f", entier);
  texte.resize(static_cast<taille>(longueur));
  return texte;
}

// Beyond this many decimals a double carries no more digits; the further
// decimals are written as zeros.
constexpr int decimales_calculees_max = 17;

uint64_t puissance_de_dix(int exposant) {
  uint64_t puissance = 1;
  for (int i = 0; i < exposant; ++i) puissance *= 10;
  return puissance;
}

// Removes the leading components that both paths share, one pair at a
// time; stops when they differ or both paths are used up.
void retire_composantes_communes(std::string& cible, std::string& base) {
  while (!cible.empty() || !base.empty()) {
    std::string reste_cible, reste_base;
    if (next_record(cible, '/', reste_cible) !=
        next_record(base, '/', reste_base))
      return;
    cible = reste_cible;
    base = reste_base;
  }
}

// ".." for the first component of `base`, "../" more for every '/'.
std::string remontee(const std::string& base) {
  if (base.empty()) return "";
  std::string chemin = "..";
  for (int i = char_occurences(base, '/'); i > 0; --i) chemin = "../" + chemin;
  return chemin;
}

std::string chemin_relatif(const std::string& cible, const std::string& t,
                           const std::string& b) {
  if (t.empty() && b.empty()) return ".";
  if (t == cible && (cible.empty() || cible[0] != '/')) return cible;
  if (t.empty()) return remontee(b);
  if (b.empty()) return t;
  return remontee(b) + "/" + t;
}

}  // namespace

// Number texts.

char* Stoa(const std::string& texte) {
  char* copie = new char[texte.size() + 1];
  std::memcpy(copie, texte.data(), texte.size());
  copie[texte.size()] = '\0';
  return copie;
}

std::string ctoS(char caractere) { return std::string(1, caractere); }

std::string unslong2S(uint32_t nombre) { return std::to_string(nombre); }

std::string long2S(int32_t nombre) { return std::to_string(nombre); }

std::string unslongbyS(uint32_t nombre) {
  std::string texte;
  do {
    texte.insert(texte.begin(), static_cast<char>('A' + nombre % 8));
    nombre /= 8;
  } while (nombre != 0);
  return texte;
}

std::string hex8toS(uint32_t nombre) {
  return hex4toS(static_cast<int>(nombre >> 16)) +
         hex4toS(static_cast<int>(nombre & 0xFFFFu));
}

// The decimals are (fraction + 1) * 10^d, truncated, plus one when the
// dropped part is above one half; the leading 1 is dropped, which keeps the
// leading zeros. A leading 2 means the decimals rounded up to a whole unit.
std::string dtoS(double valeur, int decimales) {
  if (std::isnan(valeur)) return "nan";
  if (std::isinf(valeur)) return valeur < 0 ? "-inf" : "inf";
  const int voulues = std::max(decimales, 0);
  const int calculees = std::min(voulues, decimales_calculees_max);
  double entier = std::floor(std::fabs(valeur));
  const uint64_t unite = puissance_de_dix(calculees);
  const double decale =
      (std::fabs(valeur) - entier + 1.0) * static_cast<double>(unite);
  const double tronque = std::floor(decale);
  uint64_t chiffres = static_cast<uint64_t>(tronque);
  if (decale - tronque > 0.5) ++chiffres;
  // Rounded decimals that reach a whole unit carry into the integer part;
  // without decimals the text is the integer part alone, never rounded.
  if (voulues > 0 && chiffres >= 2 * unite) {
    entier += 1.0;
    chiffres -= unite;
  }
  std::string texte = valeur < 0 ? "-" : "";
  texte += decimal_entier(entier) + ".";
  texte += std::to_string(chiffres).substr(1);
  texte.append(static_cast<taille>(voulues - calculees), '0');
  return texte;
}

// Number parsing.

int32_t Stoi(const std::string& texte) { return Stol(texte); }

int64_t Stoll(const std::string& texte) {
  const bool negatif = !texte.empty() && texte[0] == '-';
  uint64_t nombre = 0;
  for (taille i = negatif ? 1 : 0; i < texte.size(); ++i)
    nombre = nombre * 10u + (uint64_t{code_de(texte[i])} - 48u);
  return en_signe(negatif ? 0u - nombre : nombre);
}

// The digits and the count of decimals are handed to strtod as a mantissa
// and an exponent, which divides exactly, whatever the number of digits.
double Stod(const std::string& texte, char separateur) {
  taille i = texte.find_first_not_of(' ');
  if (i == absent) return 0.0;
  const bool negatif = texte[i] == '-';
  if (negatif) ++i;
  std::string chiffres;
  taille decimales = 0;
  bool apres_separateur = false;
  for (; i < texte.size(); ++i) {
    if (texte[i] == separateur) {
      apres_separateur = true;
      decimales = 0;
    } else if (est_chiffre(texte[i])) {
      chiffres += texte[i];
      if (apres_separateur) ++decimales;
    } else {
      break;
    }
  }
  if (chiffres.empty()) return negatif ? -0.0 : 0.0;
  const std::string ecrit = chiffres + "e-" + std::to_string(decimales);
  const double valeur = std::strtod(ecrit.c_str(), nullptr);
  return negatif ? -valeur : valeur;
}

int32_t Stohex(const std::string& texte, char marqueur) {
  const taille position = texte.find(marqueur);
  if (position != absent) return en_signe(Stouhex(texte.substr(0, position)));
  const int32_t valeur = Stol(texte);
  std::cerr << "Decimal Conversion " << valeur << std::endl;
  return valeur;
}

// Over eight digits or more the correction is a multiple of 2^32: the
// result is the last eight digits in two's complement.
int32_t Stoshex(const std::string& texte) {
  uint32_t valeur = Stouhex(texte);
  if (!texte.empty() && code_de(texte[0]) > '7')
    valeur -= puissance_de_deux(4 * texte.size());
  return en_signe(valeur);
}

uint32_t Stoubin(const std::string& texte) {
  uint32_t nombre = 0;
  for (char caractere : texte)
    nombre = nombre * 2u + (code_de(caractere) - 48u);
  return nombre;
}

// Over 32 bits or more the value wraps modulo 2^32.
int32_t Stosbin(const std::string& texte) {
  if (texte.empty()) return 0;
  if (texte[0] == '0') return en_signe(Stoubin(texte.substr(1)));
  return en_signe(Stoubin(texte) - puissance_de_deux(texte.size()));
}

// Checks of form.

bool checkuint(const std::string& texte) {
  return !texte.empty() && tous(texte, est_chiffre);
}

bool checkint(const std::string& texte) {
  if (checkuint(texte)) return true;
  return !texte.empty() && texte[0] == '-' && checkuint(texte.substr(1));
}

bool checkdouble(const std::string&) {
  std::cerr << "checkdouble() a ecrire" << std::endl;
  return true;
}

bool checkhex(const std::string& texte) { return tous(texte, est_hex); }

bool checkhexintel(const std::string& texte) {
  if (texte.empty() || texte.back() != 'h') return false;
  return std::all_of(texte.begin(), texte.end() - 1, est_hex);
}

bool checkbin(const std::string& texte) {
  return tous(texte, [](char c) { return c == '0' || c == '1'; });
}

namespace {

bool nom_valide(const std::string& texte, bool souligne_en_tete) {
  if (texte.empty()) return false;
  const char premier = texte.front();
  if (!est_lettre(premier) && !(souligne_en_tete && premier == '_'))
    return false;
  if (!est_alphanumerique(texte.back())) return false;
  return std::all_of(texte.begin() + 1, texte.end() - 1,
                     [](char c) { return est_alphanumerique(c) || c == '_'; });
}

}  // namespace

bool checkvarname(const std::string& texte) { return nom_valide(texte, false); }

bool checkvarname_with_pre_underscore(const std::string& texte) {
  return nom_valide(texte, true);
}

bool est_lc(char caractere) {
  return est_alphanumerique(caractere) || caractere == '_' || caractere == '@';
}

bool check_ISO_8859_1_alphabetical_letter(char caractere) {
  const unsigned code = code_de(caractere);
  return est_lettre(caractere) || code == 0xB5 ||
         (code >= 0xC0 && code <= 0xD6) || (code >= 0xD9 && code <= 0xF6) ||
         (code >= 0xF9 && code <= 0xFD) || code == 0xFF;
}

// Case.

std::string downcase(const std::string& texte) {
  std::string resultat = texte;
  for (char& caractere : resultat)
    if (caractere >= 'A' && caractere <= 'Z')
      caractere = static_cast<char>(caractere - 'A' + 'a');
  return resultat;
}

std::string upcase(const std::string& texte) {
  return majuscules(texte, false);
}

std::string upcase_accent(const std::string& texte) {
  return majuscules(texte, true);
}

// Substitution and trimming.

std::string substitute_char(const std::string& texte, char cherche,
                            char remplacant) {
  std::string resultat = texte;
  std::replace(resultat.begin(), resultat.end(), cherche, remplacant);
  return resultat;
}

std::string substitute_char(const std::string& texte, char cherche,
                            const std::string& remplacement) {
  return substitute_string(texte, ctoS(cherche), remplacement);
}

std::string substitute_string(const std::string& texte,
                              const std::string& cherche,
                              const std::string& remplacement) {
  return remplace_occurrences(
      texte, cherche, remplacement,
      [](const std::string&, taille, taille) { return true; });
}

// An occurrence is replaced when no identifier character follows it and,
// unless it starts the text after the previous occurrence, none precedes
// it.
std::string substitute_token(const std::string& texte,
                             const std::string& cherche,
                             const std::string& remplacement) {
  const taille longueur = cherche.size();
  return remplace_occurrences(
      texte, cherche, remplacement,
      [longueur](const std::string& t, taille debut, taille position) {
        const taille apres = position + longueur;
        if (apres < t.size() && est_lc(t[apres])) return false;
        return position == debut || !est_lc(t[position - 1]);
      });
}

std::string latex_String_filter(const std::string& texte) {
  return substitute_char(texte, '_', std::string("\\_"));
}

std::string cancel_begin_end_spaces(const std::string& texte) {
  const taille premier = texte.find_first_not_of(' ');
  if (premier == absent) return "";
  const taille dernier = texte.find_last_not_of(' ');
  return texte.substr(premier, dernier - premier + 1);
}

std::string clever_substitute_space(const std::string& texte, char remplacant) {
  return substitute_char(cancel_begin_end_spaces(texte), ' ', remplacant);
}

std::string bdelete(const std::string& texte) {
  if (texte.size() < 3) return "";
  return texte.substr(1, texte.size() - 2);
}

// Search.

int find(const std::string& texte, const std::string& cherche) {
  const taille position = texte.find(cherche);
  return position == absent ? -1 : static_cast<int>(position);
}

bool contains(const std::string& texte, const std::string& cherche) {
  return texte.find(cherche) != absent;
}

bool contains_token(const std::string& texte, const std::string& cherche) {
  const taille position = texte.find(cherche);
  if (position == absent) return false;
  const taille apres = position + cherche.size();
  if (apres == texte.size()) return true;
  const char suivant = texte[apres];
  return !est_alphanumerique(suivant) && lettre_sans_accent(suivant) == 0;
}

int char_occurences(const std::string& texte, char caractere) {
  return static_cast<int>(std::count(texte.begin(), texte.end(), caractere));
}

// A negative start counts from index 0.
std::string my_at(const std::string& texte, int debut, int fin) {
  debut = std::max(debut, 0);
  if (debut >= fin || static_cast<taille>(debut) >= texte.size()) return "";
  return texte.substr(static_cast<taille>(debut),
                      static_cast<taille>(fin - debut));
}

// Records and tokens.

std::string next_record(const std::string& texte, char separateur,
                        std::string& reste) {
  return coupe(texte, texte.find(separateur), reste);
}

std::string last_record(const std::string& texte, char separateur,
                        std::string& reste) {
  return coupe(texte, texte.rfind(separateur), reste);
}

std::string next_Stringtoken(const std::string& texte, char separateur,
                             std::string& reste) {
  if (texte.empty()) {
    reste.clear();
    return "";
  }
  const taille debut = texte.find_first_not_of(separateur);
  if (debut == absent) {
    reste.clear();
    return ctoS(separateur);
  }
  taille fin = debut + 1;
  if (est_lc(texte[debut]))
    while (fin < texte.size() && est_lc(texte[fin])) ++fin;
  std::string jeton = texte.substr(debut, fin - debut);
  std::string suite = texte.substr(fin);
  reste = suite;
  return jeton;
}

// Paths.

std::string supress_filename_extension(const std::string& chemin) {
  const taille barre = chemin.rfind('/');
  const taille point = chemin.rfind('.');
  if (point == absent || (barre != absent && point < barre)) return chemin;
  if (point + 1 == chemin.size()) return chemin.substr(0, point);
  const char suivant = chemin[point + 1];
  if (suivant == '\\' || suivant == '/') return chemin;
  if (point == 0) return "";
  if (chemin[point - 1] == '.') return chemin;
  return chemin.substr(0, point);
}

std::string my_current_directory() {
  char tampon[1025];
  if (getcwd(tampon, sizeof tampon) == nullptr) return "";
  return substitute_char(std::string(tampon), '\\', '/');
}

// Two paths that both run out of components without being equal (one with
// a trailing '/') name the same directory: the result is ".".
std::string relative_directory_path(const std::string& cible,
                                    const std::string& base) {
  const std::string depart = base.empty() ? my_current_directory() : base;
  std::cerr << "demarrage " << cible << "|" << depart << std::endl;
  std::string resultat = ".";
  if (cible != depart) {
    std::string t = cible, b = depart;
    retire_composantes_communes(t, b);
    std::cerr << "intermediaire: " << t << "|" << b << std::endl;
    resultat = chemin_relatif(cible, t, b);
  }
  std::cerr << "--> " << resultat << std::endl;
  return resultat;
}
