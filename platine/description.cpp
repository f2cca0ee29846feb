// Reading a board file with toml++: the keys of each kind, the pins and
// their uses checked, every error with its line. See description.h.
#include "platine/description.h"

#include <dirent.h>
#include <sys/stat.h>
#include <toml++/toml.h>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <set>

#include "puce/can.h"
#include "puce/journal.h"
#include "text/installation.h"
#include "text/lecture.h"

namespace {

const char* const noms_sortes[] = {
    "led",           "barre",     "bouton", "interrupteur", "dip",
    "potentiometre", "afficheur", "lcd",    "clavier",      "fil"};

// The keys each kind takes besides "type" and "nom".
const std::vector<std::string>& cles_de(sorte_composant s) {
  static const std::vector<std::string> cles[] = {
      {"broche", "actif", "couleur"},
      {"port", "broches", "actif", "couleur"},
      {"broche", "actif", "rebond", "graine", "touche"},
      {"broche", "etat", "actif", "rebond", "graine", "touche"},
      {"port", "broches", "etat", "actif"},
      {"broche", "tension"},
      {"segments", "chiffres", "commun", "segments_actifs", "selection_active"},
      {"colonnes", "lignes", "rs", "rw", "e", "donnees", "adresse",
       "retroeclairage"},
      {"lignes", "colonnes", "touches"},
      {"de", "vers"},
  };
  return cles[static_cast<int>(s)];
}

const char* const couleurs_led[] = {"rouge",  "verte", "jaune",
                                    "orange", "bleue", "blanche"};
const char* const retroeclairages[] = {"vert", "bleu"};

// An error of the file: its line, what is wrong. Thrown inside the
// reader only, caught at its top.
struct faute {
  int ligne;
  std::string message;
};

[[noreturn]] void echoue(const toml::node& n, const std::string& message) {
  throw faute{static_cast<int>(n.source().begin.line), message};
}

std::string guillemets(const std::string& texte) { return "« " + texte + " »"; }

std::string majuscules(std::string t) {
  for (char& c : t) c = static_cast<char>(std::toupper(c));
  return t;
}

std::string texte_de(const toml::node& n, const std::string& cle) {
  if (!n.is_string()) echoue(n, cle + " : texte attendu");
  return n.as_string()->get();
}

int64_t entier_de(const toml::node& n, const std::string& cle) {
  if (!n.is_integer()) echoue(n, cle + " : nombre entier attendu");
  return n.as_integer()->get();
}

double nombre_de(const toml::node& n, const std::string& cle) {
  if (n.is_integer()) return static_cast<double>(n.as_integer()->get());
  if (n.is_floating_point()) return n.as_floating_point()->get();
  echoue(n, cle + " : nombre attendu");
}

unsigned char broche_lue(const toml::node& n, const std::string& cle) {
  const std::string nom = texte_de(n, cle);
  const int b = broche_de_nom(nom);
  if (b < 0) echoue(n, "broche inconnue " + guillemets(nom));
  return static_cast<unsigned char>(b);
}

std::vector<unsigned char> broches_lues(const toml::node& n,
                                        const std::string& cle) {
  const toml::array* a = n.as_array();
  if (!a) echoue(n, cle + " : liste de broches attendue");
  std::vector<unsigned char> broches;
  for (const toml::node& b : *a) broches.push_back(broche_lue(b, cle));
  return broches;
}

// "PB" (the port's eight pins, bit 7 first), or a list of pins.
std::vector<unsigned char> port_ou_broches(const toml::node& n,
                                           const std::string& cle) {
  if (!n.is_string()) return broches_lues(n, cle);
  const std::string nom = majuscules(texte_de(n, cle));
  if (nom.size() != 2 || nom[0] != 'P' || nom[1] < 'A' || nom[1] > 'E')
    echoue(n, "port inconnu " + guillemets(texte_de(n, cle)));
  const int port = nom[1] - 'A';
  std::vector<unsigned char> broches;
  for (int bit = port == 3 ? 5 : 7; bit >= 0; --bit)
    broches.push_back(static_cast<unsigned char>(port * 8 + bit));
  return broches;
}

bool haut_ou_bas(const toml::node& n, const std::string& cle) {
  const std::string t = texte_de(n, cle);
  if (t == "haut") return true;
  if (t == "bas") return false;
  echoue(n, cle + " : \"haut\" ou \"bas\" attendu, pas " + guillemets(t));
}

template <std::size_t N>
std::string parmi(const toml::node& n, const std::string& cle,
                  const char* const (&choix)[N]) {
  const std::string t = texte_de(n, cle);
  std::string liste;
  for (const char* c : choix) {
    if (t == c) return t;
    liste += std::string(liste.empty() ? "" : ", ") + c;
  }
  echoue(n, cle + " inconnu " + guillemets(t) + " (" + liste + ")");
}

// The uses of the pins over the whole board: a pin the board drives (a
// button, the LCD's data lines, a wire's end...) is one component's only.
struct usages {
  std::vector<std::string> pilote_par = std::vector<std::string>(nb_broches);

  void pilote(const toml::node& n, const composant_decrit& c, unsigned char b) {
    if (!broche_entree(b))
      echoue(n, "la broche " + nom_broche(b) + " de " + guillemets(c.nom) +
                    " n'est pas une entrée de la puce");
    std::string& deja = pilote_par[b];
    if (!deja.empty())
      echoue(n, "la broche " + nom_broche(b) + " est déjà prise par " +
                    guillemets(deja));
    deja = c.nom;
  }
};

void exige_sorties(const toml::node& n, const composant_decrit& c,
                   const std::vector<unsigned char>& broches) {
  for (unsigned char b : broches)
    if (!broche_sortie(b))
      echoue(n, "la broche " + nom_broche(b) + " de " + guillemets(c.nom) +
                    " n'est pas une sortie de la puce");
}

const toml::node& requis(const toml::table& t, const std::string& cle,
                         const composant_decrit& c) {
  const toml::node* n = t.get(cle);
  if (!n) throw faute{c.ligne, guillemets(c.nom) + " : « " + cle + " » manque"};
  return *n;
}

// The keys common to several kinds.
void lit_actif(const toml::table& t, composant_decrit& c) {
  if (const toml::node* n = t.get("actif"))
    c.actif_haut = haut_ou_bas(*n, "actif");
}

void lit_rebond(const toml::table& t, composant_decrit& c) {
  if (const toml::node* n = t.get("rebond")) {
    const double ms = nombre_de(*n, "rebond");
    if (!(ms >= 0 && ms <= 50)) echoue(*n, "rebond : de 0 à 50 ms");
    c.rebond = static_cast<uint64_t>(std::llround(ms * 2000));
  }
  if (const toml::node* n = t.get("graine")) {
    const int64_t g = entier_de(*n, "graine");
    if (g < 0 || g > 0xFFFFFFFF) echoue(*n, "graine : de 0 à 4294967295");
    c.graine = static_cast<uint32_t>(g);
  }
  if (const toml::node* n = t.get("touche")) {
    c.touche = texte_de(*n, "touche");
    if (c.touche.size() != 1 ||
        !std::isgraph(static_cast<unsigned char>(c.touche[0])))
      echoue(*n,
             "touche : un seul caractère attendu, pas " + guillemets(c.touche));
  }
}

void lit_led(const toml::table& t, composant_decrit& c, usages&) {
  const toml::node& n = c.sorte == sorte_composant::led
                            ? requis(t, "broche", c)
                            : *t.get(t.get("port") ? "port" : "broches");
  if (c.sorte == sorte_composant::led)
    c.broches = {broche_lue(n, "broche")};
  else
    c.broches = port_ou_broches(n, t.get("port") ? "port" : "broches");
  exige_sorties(n, c, c.broches);
  lit_actif(t, c);
  c.couleur = "rouge";
  if (const toml::node* k = t.get("couleur"))
    c.couleur = parmi(*k, "couleur", couleurs_led);
}

void lit_contacts(const toml::table& t, composant_decrit& c, usages& u) {
  const bool un = c.sorte != sorte_composant::dip;
  if (un) {
    const toml::node& n = requis(t, "broche", c);
    c.broches = {broche_lue(n, "broche")};
    u.pilote(n, c, c.broches[0]);
  } else {
    const toml::node& n = *t.get(t.get("port") ? "port" : "broches");
    c.broches = port_ou_broches(n, t.get("port") ? "port" : "broches");
    for (unsigned char b : c.broches) u.pilote(n, c, b);
  }
  // A button is pressed to 0 unless told otherwise; a switch is on at 1.
  c.actif_haut = c.sorte != sorte_composant::bouton;
  lit_actif(t, c);
  lit_rebond(t, c);
  if (const toml::node* n = t.get("etat")) {
    const int64_t e = entier_de(*n, "etat");
    const int64_t max = un ? 1 : (int64_t(1) << c.broches.size()) - 1;
    if (e < 0 || e > max) echoue(*n, "etat : de 0 à " + std::to_string(max));
    c.etat = static_cast<uint32_t>(e);
  }
}

void lit_potentiometre(const toml::table& t, composant_decrit& c, usages& u) {
  const toml::node& n = requis(t, "broche", c);
  c.broches = {broche_lue(n, "broche")};
  if (c.broches[0] < broche_pe0 || c.broches[0] >= broche_pe0 + 8)
    echoue(n, "un potentiomètre va sur une entrée analogique (AN0-AN7)");
  u.pilote(n, c, c.broches[0]);
  c.microvolts = can::vdd / 2;
  if (const toml::node* v = t.get("tension")) {
    const double volts = nombre_de(*v, "tension");
    if (!(volts >= 0 && volts <= 5)) echoue(*v, "tension : de 0 à 5 V");
    c.microvolts = static_cast<int32_t>(std::llround(volts * 1e6));
  }
}

void lit_afficheur(const toml::table& t, composant_decrit& c, usages&) {
  const toml::node& s = requis(t, "segments", c);
  c.broches = port_ou_broches(s, "segments");
  // A port is given bit 7 first: segment a is bit 0.
  if (s.is_string()) std::reverse(c.broches.begin(), c.broches.end());
  if (c.broches.size() != 7 && c.broches.size() != 8)
    echoue(s, "segments : 7 broches (a à g) ou 8 (et le point)");
  exige_sorties(s, c, c.broches);
  if (const toml::node* n = t.get("chiffres")) {
    c.autres = broches_lues(*n, "chiffres");
    if (c.autres.empty() || c.autres.size() > 8)
      echoue(*n, "chiffres : de 1 à 8 broches de sélection");
    exige_sorties(*n, c, c.autres);
  }
  bool anode = false;
  if (const toml::node* n = t.get("commun")) {
    static const char* const communs[] = {"cathode", "anode"};
    anode = parmi(*n, "commun", communs) == "anode";
  }
  // Driven directly: a segment lights when its line and the digit's
  // common differ in the LED's forward direction.
  c.actif_haut = !anode;
  c.selection_haute = anode;
  if (const toml::node* n = t.get("segments_actifs"))
    c.actif_haut = haut_ou_bas(*n, "segments_actifs");
  if (const toml::node* n = t.get("selection_active"))
    c.selection_haute = haut_ou_bas(*n, "selection_active");
}

void lit_lcd(const toml::table& t, composant_decrit& c, usages& u) {
  if (const toml::node* n = t.get("colonnes")) {
    const int64_t v = entier_de(*n, "colonnes");
    if (v < 8 || v > 40) echoue(*n, "colonnes : de 8 à 40");
    c.colonnes = static_cast<int>(v);
  }
  if (const toml::node* n = t.get("lignes")) {
    const int64_t v = entier_de(*n, "lignes");
    if (v != 1 && v != 2 && v != 4) echoue(*n, "lignes : 1, 2 ou 4");
    c.lignes = static_cast<int>(v);
  }
  if (c.lignes == 4 && c.colonnes > 20)
    throw faute{c.ligne, guillemets(c.nom) +
                             " : un afficheur de 4 lignes a au plus 20 "
                             "colonnes"};
  c.couleur = "vert";
  if (const toml::node* n = t.get("retroeclairage"))
    c.couleur = parmi(*n, "retroeclairage", retroeclairages);
  if (const toml::node* a = t.get("adresse")) {
    for (const char* cle : {"rs", "rw", "e", "donnees"})
      if (const toml::node* n = t.get(cle))
        echoue(*n, std::string(cle) +
                       " : un afficheur sur le bus n'a pas de broches");
    const int64_t v = entier_de(*a, "adresse");
    if (v < 0 || v > 0xFFFE) echoue(*a, "adresse : de 0 à $fffe");
    c.sur_bus = true;
    c.adresse = static_cast<unsigned short>(v);
    return;
  }
  const toml::node& rs = requis(t, "rs", c);
  const toml::node& e = requis(t, "e", c);
  const toml::node& d = requis(t, "donnees", c);
  c.rs = broche_lue(rs, "rs");
  c.e = broche_lue(e, "e");
  exige_sorties(rs, c, {static_cast<unsigned char>(c.rs)});
  exige_sorties(e, c, {static_cast<unsigned char>(c.e)});
  if (const toml::node* rw = t.get("rw")) {
    c.rw = broche_lue(*rw, "rw");
    exige_sorties(*rw, c, {static_cast<unsigned char>(c.rw)});
  }
  c.broches = broches_lues(d, "donnees");
  if (c.broches.size() != 4 && c.broches.size() != 8)
    echoue(d, "donnees : 8 broches (D0 à D7) ou 4 (D4 à D7)");
  exige_sorties(d, c, c.broches);
  // With R/W the controller drives them when read.
  if (c.rw >= 0)
    for (unsigned char b : c.broches) u.pilote(d, c, b);
  std::set<unsigned char> vues;
  for (unsigned char b : c.broches)
    if (!vues.insert(b).second || b == c.rs || b == c.e || b == c.rw)
      echoue(d, "la broche " + nom_broche(b) + " sert deux fois");
  if (c.rs == c.e || c.rs == c.rw || c.e == c.rw)
    throw faute{c.ligne, guillemets(c.nom) +
                             " : RS, R/W et E sur des broches "
                             "différentes"};
}

void lit_clavier(const toml::table& t, composant_decrit& c, usages& u) {
  const toml::node& l = requis(t, "lignes", c);
  const toml::node& k = requis(t, "colonnes", c);
  c.broches = broches_lues(l, "lignes");
  c.autres = broches_lues(k, "colonnes");
  if (c.broches.empty() || c.broches.size() > 8)
    echoue(l, "lignes : de 1 à 8 broches");
  if (c.autres.empty() || c.autres.size() > 8)
    echoue(k, "colonnes : de 1 à 8 broches");
  const auto toutes = [](const std::vector<unsigned char>& v,
                         bool (*f)(unsigned char)) {
    return std::all_of(v.begin(), v.end(), f);
  };
  // One side is driven by the program, the other read.
  if (!((toutes(c.broches, broche_sortie) && toutes(c.autres, broche_entree)) ||
        (toutes(c.autres, broche_sortie) && toutes(c.broches, broche_entree))))
    throw faute{c.ligne, guillemets(c.nom) +
                             " : les lignes ou les colonnes doivent être des "
                             "sorties, les autres des entrées"};
  for (unsigned char b : c.broches) u.pilote(l, c, b);
  for (unsigned char b : c.autres) u.pilote(k, c, b);
  const std::size_t nl = c.broches.size(), nc = c.autres.size();
  if (const toml::node* n = t.get("touches")) {
    const toml::array* a = n->as_array();
    if (!a) echoue(*n, "touches : une liste de textes attendue");
    for (const toml::node& r : *a) c.touches.push_back(texte_de(r, "touches"));
  } else if (nl == 4 && nc == 4) {
    c.touches = {"123A", "456B", "789C", "*0#D"};
  } else if (nl == 4 && nc == 3) {
    c.touches = {"123", "456", "789", "*0#"};
  } else {
    for (std::size_t i = 0; i < nl; ++i) {
      std::string r;
      for (std::size_t j = 0; j < nc; ++j)
        r += static_cast<char>(i * nc + j < 10 ? '0' + i * nc + j
                                               : 'A' + i * nc + j - 10);
      c.touches.push_back(r);
    }
  }
  bool bon = c.touches.size() == nl;
  for (const std::string& r : c.touches) bon = bon && r.size() == nc;
  if (!bon)
    throw faute{c.ligne, guillemets(c.nom) + " : touches : " +
                             std::to_string(nl) + " textes de " +
                             std::to_string(nc) + " caractères attendus"};
}

void lit_fil(const toml::table& t, composant_decrit& c, usages& u) {
  const toml::node& de = requis(t, "de", c);
  const toml::node& vers = requis(t, "vers", c);
  c.broches = {broche_lue(de, "de")};
  c.autres = {broche_lue(vers, "vers")};
  exige_sorties(de, c, c.broches);
  u.pilote(vers, c, c.autres[0]);
  if (c.broches[0] == c.autres[0]) echoue(vers, "un fil relie deux broches");
}

composant_decrit lit_composant(const toml::table& t, usages& u,
                               const std::set<std::string>& noms) {
  composant_decrit c;
  c.ligne = static_cast<int>(t.source().begin.line);
  const toml::node* type = t.get("type");
  if (!type) throw faute{c.ligne, "composant sans « type »"};
  const std::string sorte = texte_de(*type, "type");
  int s = 0;
  while (s < static_cast<int>(std::size(noms_sortes)) &&
         sorte != noms_sortes[s])
    ++s;
  if (s == static_cast<int>(std::size(noms_sortes)))
    echoue(*type, "type inconnu " + guillemets(sorte));
  c.sorte = static_cast<sorte_composant>(s);
  const toml::node* nom = t.get("nom");
  if (!nom) throw faute{c.ligne, "composant « " + sorte + " » sans « nom »"};
  c.nom = texte_de(*nom, "nom");
  if (c.nom.empty() || c.nom.find_first_of(":@") != std::string::npos)
    echoue(*nom, "nom vide ou qui contient « : » ou « @ »");
  if (noms.count(c.nom)) echoue(*nom, "nom déjà pris " + guillemets(c.nom));
  const std::vector<std::string>& cles = cles_de(c.sorte);
  for (auto&& [cle, valeur] : t) {
    const std::string k(cle.str());
    if (k != "type" && k != "nom" &&
        std::find(cles.begin(), cles.end(), k) == cles.end())
      echoue(valeur, "clé inconnue " + guillemets(k) + " pour un composant " +
                         guillemets(sorte));
  }
  const bool liste =
      c.sorte == sorte_composant::barre || c.sorte == sorte_composant::dip;
  if (liste && (t.get("port") != nullptr) == (t.get("broches") != nullptr))
    throw faute{c.ligne, guillemets(c.nom) +
                             " : « port » ou « broches », l'un des deux"};
  switch (c.sorte) {
    case sorte_composant::led:
    case sorte_composant::barre:
      lit_led(t, c, u);
      break;
    case sorte_composant::bouton:
    case sorte_composant::interrupteur:
    case sorte_composant::dip:
      lit_contacts(t, c, u);
      break;
    case sorte_composant::potentiometre:
      lit_potentiometre(t, c, u);
      break;
    case sorte_composant::afficheur:
      lit_afficheur(t, c, u);
      break;
    case sorte_composant::lcd:
      lit_lcd(t, c, u);
      break;
    case sorte_composant::clavier:
      lit_clavier(t, c, u);
      break;
    case sorte_composant::fil:
      lit_fil(t, c, u);
      break;
  }
  return c;
}

void lit_table(const toml::table& racine, description_carte& d) {
  for (auto&& [cle, valeur] : racine) {
    const std::string k(cle.str());
    if (k == "titre") {
      d.titre = texte_de(valeur, "titre");
    } else if (k != "composant") {
      echoue(valeur,
             "clé inconnue " + guillemets(k) + " (titre, [[composant]])");
    }
  }
  const toml::node* liste = racine.get("composant");
  if (!liste) return;
  const toml::array* a = liste->as_array();
  if (!a) echoue(*liste, "composant : [[composant]] attendu");
  usages u;
  std::set<std::string> noms;
  std::vector<unsigned short> adresses;
  for (const toml::node& n : *a) {
    const toml::table* t = n.as_table();
    if (!t) echoue(n, "composant : une table attendue");
    composant_decrit c = lit_composant(*t, u, noms);
    if (c.sur_bus) {
      for (unsigned short a2 : adresses)
        if (c.adresse + 1 >= a2 && c.adresse <= a2 + 1)
          echoue(*t->get("adresse"), "adresse déjà prise");
      adresses.push_back(c.adresse);
    }
    noms.insert(c.nom);
    d.composants.push_back(std::move(c));
    // The machine's queue numbers a board's events by component.
    if (d.composants.size() > 100)
      echoue(n, "plus de 100 composants sur la carte");
  }
}

// A board file is a few kilobytes; 100 components fit in far less.
constexpr std::size_t taille_fichier_max = std::size_t(1) << 20;

bool existe(const std::string& chemin) {
  struct stat e;
  return ::stat(chemin.c_str(), &e) == 0 && S_ISREG(e.st_mode);
}

}  // namespace

const char* nom_sorte(sorte_composant sorte) {
  return noms_sortes[static_cast<int>(sorte)];
}

int description_carte::cherche(const std::string& nom) const {
  for (std::size_t i = 0; i < composants.size(); ++i)
    if (composants[i].nom == nom) return static_cast<int>(i);
  return -1;
}

int broche_de_nom(const std::string& texte) {
  const std::string nom = majuscules(texte);
  if (nom == "IRQ") return broche_irq;
  if (nom == "XIRQ") return broche_xirq;
  if (nom.size() == 3 && nom[0] == 'A' && nom[1] == 'N' && nom[2] >= '0' &&
      nom[2] <= '7')
    return broche_pe0 + (nom[2] - '0');
  if (nom.size() != 3 || nom[0] != 'P' || nom[1] < 'A' || nom[1] > 'E' ||
      nom[2] < '0' || nom[2] > '7')
    return -1;
  const int port = nom[1] - 'A', bit = nom[2] - '0';
  if (port == 3 && bit > 5) return -1;  // port D has six pins
  return port * 8 + bit;
}

std::string nom_broche(unsigned char broche) {
  if (broche == broche_irq) return "IRQ";
  if (broche == broche_xirq) return "XIRQ";
  return std::string("P") + static_cast<char>('A' + broche / 8) +
         static_cast<char>('0' + broche % 8);
}

bool broche_entree(unsigned char b) {
  static constexpr unsigned char entrees[5] = {0x8F, 0x00, 0xFF, 0x3F, 0xFF};
  if (b == broche_irq || b == broche_xirq) return true;
  return b < broche_irq && ((entrees[b / 8] >> (b % 8)) & 1);
}

bool broche_sortie(unsigned char b) {
  static constexpr unsigned char sorties[5] = {0xF8, 0xFF, 0xFF, 0x3F, 0x00};
  return b < broche_irq && ((sorties[b / 8] >> (b % 8)) & 1);
}

bool lit_description(const std::string& texte, const std::string& fichier,
                     description_carte& d, std::string& erreur) {
  description_carte nouvelle;
  nouvelle.fichier = fichier;
  try {
    const toml::table racine = toml::parse(texte, fichier);
    lit_table(racine, nouvelle);
  } catch (const toml::parse_error& e) {
    erreur = fichier + ":" + std::to_string(e.source().begin.line) +
             ": fichier TOML invalide : " + std::string(e.description());
    return false;
  } catch (const faute& f) {
    erreur = fichier + ":" + std::to_string(f.ligne) + ": " + f.message;
    return false;
  }
  d = std::move(nouvelle);
  return true;
}

bool charge_description(const std::string& chemin, description_carte& d,
                        std::string& erreur) {
  // Read with its bound (text/lecture.h): a FIFO or a device in its place
  // is not waited for, a huge file not held.
  std::string texte, raison;
  if (!lit_fichier_borne(chemin, {taille_fichier_max}, texte, raison)) {
    erreur = chemin + ": " + raison;
    return false;
  }
  return lit_description(texte, chemin, d, erreur);
}

std::vector<std::string> noms_presets() {
  std::vector<std::string> noms;
  const std::string dossier = chemin_donnee("cartes");
  if (dossier.empty()) return noms;
  if (DIR* d = ::opendir(dossier.c_str())) {
    while (const dirent* e = ::readdir(d)) {
      const std::string nom = e->d_name;
      const std::string fin = ".toml";
      if (nom.size() > fin.size() &&
          nom.compare(nom.size() - fin.size(), fin.size(), fin) == 0)
        noms.push_back(nom.substr(0, nom.size() - fin.size()));
    }
    ::closedir(d);
  }
  std::sort(noms.begin(), noms.end());
  return noms;
}

std::string chemin_preset(const std::string& nom) {
  if (nom.empty() || nom.find('/') != std::string::npos) return "";
  return chemin_donnee("cartes/" + nom + ".toml");
}

bool charge_carte(const std::string& fichier_ou_nom, description_carte& d,
                  std::string& erreur) {
  const std::string& t = fichier_ou_nom;
  const bool fichier =
      existe(t) || t.find('/') != std::string::npos ||
      (t.size() > 5 && t.compare(t.size() - 5, 5, ".toml") == 0);
  if (fichier) return charge_description(t, d, erreur);
  const std::string chemin = chemin_preset(t);
  if (chemin.empty()) {
    std::string liste;
    for (const std::string& n : noms_presets())
      liste += (liste.empty() ? "" : ", ") + n;
    erreur = "carte inconnue " + guillemets(t) +
             " (fichier introuvable ; "
             "cartes fournies : " +
             (liste.empty() ? "aucune" : liste) + ")";
    return false;
  }
  return charge_description(chemin, d, erreur);
}

std::string carte_du_programme(const std::string& programme) {
  const auto barre = programme.rfind('/');
  const auto point = programme.rfind('.');
  const std::string base = point != std::string::npos &&
                                   (barre == std::string::npos || point > barre)
                               ? programme.substr(0, point)
                               : programme;
  const std::string chemin = base + ".carte.toml";
  return existe(chemin) ? chemin : "";
}
