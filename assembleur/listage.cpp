// The listing, as Motorola's freeware assemblers print it: for each line
// its number, the address (or an EQU's value), up to six bytes, the cycle
// count with OPT C, and the source line; the other bytes of a long line
// (64 at most) on the lines below without an address; the line's errors
// and warnings under it; the symbol table at the end (with OPT CRE, the
// lines that use each symbol, the defining one marked with '*').
#include <cstdio>
#include <string>

#include "assembleur/assembleur.h"

namespace {

constexpr std::size_t octets_par_ligne = 6;

void octets_de(std::string& sortie, const std::vector<unsigned char>& o,
               std::size_t debut) {
  char t[4];
  for (std::size_t k = debut; k < debut + octets_par_ligne; ++k) {
    if (k < o.size())
      std::snprintf(t, sizeof t, "%02x ", o[k]);
    else
      std::snprintf(t, sizeof t, "   ");
    sortie += t;
  }
}

}  // namespace

std::string texte_listage(const resultat_asm& r) {
  std::string s;
  if (!r.titre.empty()) s += r.titre + "\n\n";
  char t[32];
  for (std::size_t k = 0; k < r.listage.size(); ++k) {
    const ligne_listee& l = r.listage[k];
    if (l.nouvelle_page)
      s += r.titre.empty() ? "\f\n" : "\f" + r.titre + "\n\n";
    if (!l.listee) {
      s.append(static_cast<std::size_t>(l.sauts), '\n');
      continue;
    }
    std::snprintf(t, sizeof t, "%04u ", static_cast<unsigned>(k + 1));
    s += t;
    if (l.avec_adresse) {
      std::snprintf(t, sizeof t, "%04x ", l.adresse);
      s += t;
    } else {
      s += "     ";
    }
    octets_de(s, l.octets, 0);
    if (r.cycles) {
      if (l.cycles > 0)
        std::snprintf(t, sizeof t, "[%2d] ", l.cycles);
      else
        std::snprintf(t, sizeof t, "     ");
      s += t;
    }
    if (l.fichier < r.textes.size() && l.ligne >= 1 &&
        l.ligne <= r.textes[l.fichier].size())
      s += r.textes[l.fichier][l.ligne - 1];
    s += '\n';
    for (std::size_t d = octets_par_ligne; d < l.octets.size();
         d += octets_par_ligne) {
      s += "          ";
      octets_de(s, l.octets, d);
      while (!s.empty() && s.back() == ' ') s.pop_back();
      s += '\n';
    }
    for (const std::string& m : l.remarques) s += "***** " + m + '\n';
  }
  s += "\nSymboles\n\n";
  for (const symbole_asm& sym : r.symboles) {
    std::snprintf(t, sizeof t, " %04x", sym.valeur);
    std::string ligne = sym.nom;
    if (ligne.size() < 16) ligne.append(16 - ligne.size(), ' ');
    ligne += t;
    if (r.references)
      for (std::size_t k = 0; k < sym.references.size(); ++k)
        ligne += (k == 0 ? " *" : " ") + std::to_string(sym.references[k]);
    s += ligne + '\n';
  }
  return s;
}
