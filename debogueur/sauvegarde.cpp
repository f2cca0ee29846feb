#include "debogueur/sauvegarde.h"

#include <cstdio>
#include <functional>
#include <sstream>

#include "memory/symboles.h"
#include "text/lecture.h"
#include "text/options_sauvees.h"

namespace {

std::string propre(std::string t) {
  for (char& c : t)
    if (c == '\t' || c == '\n' || c == '\r') c = ' ';
  return t;
}

std::string hexa(unsigned v) {
  char t[16];
  std::snprintf(t, sizeof t, "%04x", v);
  return t;
}

std::vector<std::string> champs(const std::string& ligne) {
  std::vector<std::string> c;
  std::size_t debut = 0;
  for (;;) {
    const std::size_t tab = ligne.find('\t', debut);
    c.push_back(ligne.substr(debut, tab - debut));
    if (tab == std::string::npos) return c;
    debut = tab + 1;
  }
}

bool hexa_de(const std::string& t, unsigned long& v) {
  if (t.empty() || t.size() > 8) return false;
  char* fin = nullptr;
  v = std::strtoul(t.c_str(), &fin, 16);
  return *fin == '\0';
}

bool decimal_de(const std::string& t, unsigned long long& v) {
  if (t.empty() || t.size() > 20 || t[0] == '-') return false;
  char* fin = nullptr;
  v = std::strtoull(t.c_str(), &fin, 10);
  return *fin == '\0';
}

// "somme.s:12" of an address, "" without a line.
std::string ligne_de(unsigned short adresse, const infos_debogage* infos) {
  const ligne_source* l = infos ? infos->ligne_a(adresse) : nullptr;
  if (!l) return "";
  const std::string& f = infos->fichiers()[l->fichier];
  return f.substr(f.find_last_of('/') + 1) + ":" + std::to_string(l->ligne);
}

}  // namespace

std::string chemin_points(const std::string& programme) {
  const std::string options = chemin_options();
  if (options.empty() || programme.empty()) return "";
  char nom[32];
  std::snprintf(nom, sizeof nom, "%016zx", std::hash<std::string>{}(programme));
  return options.substr(0, options.find_last_of('/')) + "/points/" + nom;
}

std::string texte_points(const std::string& programme, const debogueur& d,
                         const infos_debogage* infos) {
  std::ostringstream t;
  t << "programme=" << propre(programme) << "\n";
  for (const point_debogage& p : d.points) {
    using sorte = point_debogage::sorte;
    if (p.type == sorte::instruction)
      t << "instruction\t" << p.actif << "\t" << hexa(p.adresse) << "\t"
        << propre(p.lieu) << "\t" << ligne_de(p.adresse, infos);
    else if (p.type == sorte::surveillance)
      t << "surveillance\t" << p.actif << "\t" << hexa(p.adresse) << "\t"
        << hexa(p.fin) << "\t"
        << (p.lecture && p.ecriture ? "rw"
            : p.lecture             ? "r"
                                    : "w");
    else
      t << "evenement\t" << p.actif << "\t" << nom_evenement(p.quoi) << "\t"
        << (p.numero < 0 ? std::string("-1")
                         : hexa(static_cast<unsigned>(p.numero)))
        << "\t" << p.cycle;
    t << "\t" << p.a_partir_de << "\t" << p.trace << "\t"
      << propre(p.condition.texte()) << "\t" << propre(p.message) << "\n";
  }
  for (unsigned short a : d.simples)
    t << "simple\t1\t" << hexa(a) << "\t"
      << (infos ? propre(infos->nom_a(a, true)) : "") << "\t"
      << ligne_de(a, infos) << "\t0\t0\t\t\n";
  return t.str();
}

bool lit_points(const std::string& texte, const infos_debogage* infos,
                debogueur& d, std::vector<std::string>& avis) {
  std::istringstream flux(texte);
  std::string ligne;
  if (!std::getline(flux, ligne) || ligne.rfind("programme=", 0) != 0)
    return false;
  std::vector<point_debogage> points;
  std::vector<unsigned short> simples;
  std::vector<std::string> notes;
  while (std::getline(flux, ligne)) {
    if (ligne.empty()) continue;
    const std::vector<std::string> c = champs(ligne);
    if (c.size() != 9 || (c[1] != "0" && c[1] != "1")) return false;
    point_debogage p;
    p.actif = c[1] == "1";
    unsigned long a = 0, b = 0;
    unsigned long long n = 0, trace = 0;
    if (!decimal_de(c[5], n) || !decimal_de(c[6], trace) || trace > 1)
      return false;
    p.a_partir_de = n;
    p.trace = trace == 1;
    p.message = c[8];
    if (c[0] == "instruction" || c[0] == "simple") {
      if (!hexa_de(c[2], a) || a > 0xFFFF) return false;
      p.adresse = static_cast<unsigned short>(a);
      p.lieu = c[3];
      // Through the label, else the source line, else the address.
      unsigned short nouvelle = 0;
      const symbole* s =
          infos && !p.lieu.empty() ? infos->cherche(p.lieu) : nullptr;
      const std::size_t deux_points = c[4].rfind(':');
      if (s) {
        p.adresse = s->valeur;
      } else if (infos && deux_points != std::string::npos &&
                 infos->adresse_de(c[4].substr(0, deux_points),
                                   static_cast<unsigned>(std::atoi(
                                       c[4].c_str() + deux_points + 1)),
                                   nouvelle)) {
        p.adresse = nouvelle;
      }
      if (c[0] == "simple") {
        simples.push_back(p.adresse);
        continue;
      }
    } else if (c[0] == "surveillance") {
      if (!hexa_de(c[2], a) || !hexa_de(c[3], b) || a > 0xFFFF || b > 0xFFFF ||
          b < a || (c[4] != "r" && c[4] != "w" && c[4] != "rw"))
        return false;
      p.type = point_debogage::sorte::surveillance;
      p.adresse = static_cast<unsigned short>(a);
      p.fin = static_cast<unsigned short>(b);
      p.lecture = c[4] != "w";
      p.ecriture = c[4] != "r";
    } else if (c[0] == "evenement") {
      p.type = point_debogage::sorte::evenement;
      if (!evenement_nomme(c[2], p.quoi)) return false;
      if (c[3] == "-1") {
        p.numero = -1;
      } else if (hexa_de(c[3], a) && a <= 0xFFFF) {
        p.numero = static_cast<int>(a);
      } else {
        return false;
      }
      if (!decimal_de(c[4], n)) return false;
      p.cycle = n;
    } else {
      return false;
    }
    std::string erreur;
    if (!c[7].empty() &&
        !p.condition.compile(c[7], infos, erreur,
                             p.type != point_debogage::sorte::instruction)) {
      p.actif = false;
      notes.push_back(description(p) + " : condition « " + c[7] +
                      " » abandonnée (" + erreur + "), point désactivé");
    }
    points.push_back(std::move(p));
  }
  d.points = std::move(points);
  d.simples = std::move(simples);
  avis.insert(avis.end(), notes.begin(), notes.end());
  return true;
}

bool sauve_points(const std::string& programme, const debogueur& d,
                  const infos_debogage* infos, std::string& erreur) {
  const std::string chemin = chemin_points(programme);
  if (chemin.empty()) {
    erreur = "pas de dossier de configuration (ni XDG_CONFIG_HOME ni HOME)";
    return false;
  }
  return ecrit_fichier_entier(chemin, texte_points(programme, d, infos),
                              erreur);
}

bool charge_points(const std::string& programme, const infos_debogage* infos,
                   debogueur& d, std::vector<std::string>& avis) {
  const std::string chemin = chemin_points(programme);
  std::string texte, raison;
  if (chemin.empty() ||
      !lit_fichier_borne(chemin, {std::size_t(1) << 20}, texte, raison))
    return false;
  // A file of another program (a hash shared) is not this one's.
  if (texte.rfind("programme=" + propre(programme) + "\n", 0) != 0)
    return false;
  return lit_points(texte, infos, d, avis);
}
