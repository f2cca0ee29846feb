// The directives of the freeware assemblers' manual, as a table of
// handlers: ORG, EQU, FCB, FCC, FDB, RMB, BSZ/ZMB, FILL, OPT, PAGE, END,
// plus SET, SPC, TTL/NAM and INCLUDE that Motorola's other assemblers
// have, and the spellings DB (FCB), DW (FDB) and DS (RMB).
//
// As the manual says: ORG, RMB, BSZ, FILL and EQU take no symbol defined
// further on (pass 1 must know their value); a null expression of FCB or
// FDB ("FCB 1,,2") stores zero; FCC's string lies between two identical
// delimiters, the first character of the operand; BSZ of zero bytes is an
// error; FILL's value lies in 0-255; PAGE is not printed. OPT knows c, noc,
// cre, s, l and nol; other options, as other listing directives' oddities,
// are ignored with a warning.
#include <algorithm>
#include <string>

#include "assembleur/passes.h"

namespace asm11 {

namespace {

void exige_etiquette(passe_asm& p, const champs& c, const char* nom) {
  if (c.etiquette.empty())
    p.erreur(c.col_operation, std::string(nom) + " sans étiquette");
}

// After the operand: only blanks or a comment.
void fin_operande(passe_asm& p, const champs& c, std::size_t i) {
  p.verifie_fin(c.reste, i, c.col_reste);
}

void org(passe_asm& p, const champs& c) {
  std::size_t fin = 0;
  if (p.valeur_passe1(c.reste, 0, c.col_reste, 0, "ORG", &fin)) {
    p.pc = mot(p.seq().valeurs[0]);
    if (p.passe == 2 && !p.org_vu && !p.end_adresse)
      p.r.depart = static_cast<unsigned short>(p.pc);
    p.org_vu = true;
  }
  fin_operande(p, c, fin);
  p.ligne.avec_adresse = true;
  p.ligne.adresse = static_cast<unsigned short>(p.pc);
  if (!c.etiquette.empty())
    p.definit(c.etiquette, static_cast<int>(p.pc), true, false, 0);
}

void equ_ou_set(passe_asm& p, const champs& c, bool variable) {
  const char* nom = variable ? "SET" : "EQU";
  exige_etiquette(p, c, nom);
  std::size_t fin = 0;
  if (p.valeur_passe1(c.reste, 0, c.col_reste, 0, nom, &fin)) {
    const int v = p.seq().valeurs[0];
    if (!c.etiquette.empty()) p.definit(c.etiquette, v, false, variable, 0);
    p.ligne.avec_adresse = true;
    p.ligne.adresse = mot(v);
  }
  fin_operande(p, c, fin);
}

void equ(passe_asm& p, const champs& c) { equ_ou_set(p, c, false); }
void set(passe_asm& p, const champs& c) { equ_ou_set(p, c, true); }

// FCB and FDB: expressions separated by commas, a null one storing zero.
void constantes(passe_asm& p, const champs& c, bool mots) {
  const std::string_view t = c.reste;
  if (fin_de_champ(t, 0)) {
    p.erreur(c.col_operation,
             std::string(mots ? "FDB" : "FCB") + " : valeur manquante");
    return;
  }
  for (std::size_t i = 0;;) {
    const valeur_expression v = p.evalue(t, i);
    const std::size_t colonne = c.col_reste + i;
    int valeur = 0;
    if (!v.vide && p.passe == 2 && p.valeur_sure(v, colonne)) valeur = v.valeur;
    if (mots) {
      p.octets.push_back(static_cast<unsigned char>(mot(valeur) >> 8));
      p.octets.push_back(static_cast<unsigned char>(valeur & 0xFF));
    } else if (p.passe == 2 && !v.vide) {
      p.operande_octet(valeur, colonne);
    } else {
      p.octets.push_back(static_cast<unsigned char>(valeur & 0xFF));
    }
    i = v.fin;
    if (i >= t.size() || t[i] != ',') {
      fin_operande(p, c, i);
      return;
    }
    ++i;
    if (i < t.size() && blanc(t[i]) && !fin_de_champ(t, saute_blancs(t, i)))
      p.avertissement(c.col_reste + i,
                      "blanc après la virgule : la suite de la ligne est un "
                      "commentaire");
  }
}

void fcb(passe_asm& p, const champs& c) { constantes(p, c, false); }
void fdb(passe_asm& p, const champs& c) { constantes(p, c, true); }

void fcc(passe_asm& p, const champs& c) {
  const std::string_view t = c.reste;
  if (t.empty()) {
    p.erreur(c.col_operation, "FCC : chaîne manquante");
    return;
  }
  const std::size_t fin = t.find(t[0], 1);
  if (fin == std::string_view::npos) {
    p.erreur(c.col_reste,
             std::string("FCC : délimiteur final « ") + t[0] + " » manquant");
    return;
  }
  p.octets.assign(t.begin() + 1, t.begin() + static_cast<long>(fin));
}

void rmb(passe_asm& p, const champs& c) {
  std::size_t fin = 0;
  if (p.valeur_passe1(c.reste, 0, c.col_reste, 0, "RMB", &fin))
    p.reserve = mot(p.seq().valeurs[0]);
  fin_operande(p, c, fin);
  p.ligne.avec_adresse = true;
}

void bsz(passe_asm& p, const champs& c) {
  std::size_t fin = 0;
  if (p.valeur_passe1(c.reste, 0, c.col_reste, 0, "BSZ", &fin)) {
    const unsigned n = mot(p.seq().valeurs[0]);
    if (n == 0) p.erreur(c.col_reste, "BSZ : nombre d'octets nul");
    p.octets.assign(n, 0);
  }
  fin_operande(p, c, fin);
}

void fill(passe_asm& p, const champs& c) {
  std::size_t fin = 0;
  const bool valeur = p.valeur_passe1(c.reste, 0, c.col_reste, 0, "FILL", &fin);
  if (fin >= c.reste.size() || c.reste[fin] != ',') {
    p.erreur(c.col_reste + fin,
             "FILL : nombre d'octets manquant après la "
             "valeur (FILL valeur,nombre)");
    return;
  }
  const std::size_t col_nombre = c.col_reste + fin + 1;
  const bool nombre =
      p.valeur_passe1(c.reste, fin + 1, col_nombre, 1, "FILL", &fin);
  fin_operande(p, c, fin);
  if (!valeur || !nombre) return;
  const int v = p.seq().valeurs[0];
  if (v < 0 || v > 255) {
    p.erreur(c.col_reste,
             "FILL : valeur hors de 0..255 : " + std::to_string(v));
    return;
  }
  p.octets.assign(mot(p.seq().valeurs[1]), static_cast<unsigned char>(v));
}

void opt(passe_asm& p, const champs& c) {
  if (p.passe != 2) return;
  const std::string_view t = c.reste;
  std::size_t i = 0;
  while (!fin_de_champ(t, i)) {
    std::size_t j = i;
    while (j < t.size() && t[j] != ',' && !blanc(t[j]) && t[j] != ';') ++j;
    const std::string option = majuscules(t.substr(i, j - i));
    if (option == "L")
      p.liste_active = true;
    else if (option == "NOL")
      p.liste_active = false;
    else if (option == "C")
      p.r.cycles = true;
    else if (option == "NOC")
      p.r.cycles = false;
    else if (option == "CRE")
      p.r.references = true;
    else if (option != "S")
      p.avertissement(c.col_reste + i, "OPT : option inconnue ignorée « " +
                                           std::string(t.substr(i, j - i)) +
                                           " »");
    i = j < t.size() && t[j] == ',' ? j + 1 : j;
  }
}

void page(passe_asm& p, const champs&) {
  p.ligne.listee = false;
  p.ligne.nouvelle_page = true;
}

void spc(passe_asm& p, const champs& c) {
  p.ligne.listee = false;
  p.ligne.sauts = 1;
  if (fin_de_champ(c.reste, 0) || p.passe != 2) return;
  const valeur_expression v = p.evalue(c.reste, 0);
  if (!p.valeur_sure(v, c.col_reste)) return;
  if (v.valeur < 0 || v.valeur > 66) {
    p.avertissement(c.col_reste, "SPC : de 0 à 66 lignes ; ignoré");
    return;
  }
  p.ligne.sauts = v.valeur;
}

void ttl(passe_asm& p, const champs& c) {
  std::string_view titre = c.reste;
  while (!titre.empty() && blanc(titre.back())) titre.remove_suffix(1);
  if (p.passe == 2) p.r.titre = std::string(titre.substr(0, 80));
}

void end(passe_asm& p, const champs& c) {
  p.fin = true;
  if (fin_de_champ(c.reste, 0) || p.passe != 2) return;
  const valeur_expression v = p.evalue(c.reste, 0);
  if (!p.valeur_sure(v, c.col_reste)) return;
  p.r.depart = mot(v.valeur);
  p.end_adresse = true;
  p.ligne.avec_adresse = true;
  p.ligne.adresse = mot(v.valeur);
}

void include(passe_asm& p, const champs& c) {
  const std::string_view t = c.reste;
  std::string nom;
  if (!t.empty() && (t[0] == '"' || t[0] == '\'')) {
    const std::size_t fin = t.find(t[0], 1);
    if (fin == std::string_view::npos) {
      p.erreur(c.col_reste, "INCLUDE : guillemet final manquant");
      return;
    }
    nom = std::string(t.substr(1, fin - 1));
  } else {
    std::size_t fin = 0;
    while (!fin_de_champ(t, fin)) ++fin;
    nom = std::string(t.substr(0, fin));
  }
  if (nom.empty()) {
    p.erreur(c.col_operation, "INCLUDE : nom de fichier manquant");
    return;
  }
  p.inclut(nom, c.col_reste);
}

const directive table[] = {
    {"ORG", org, false},  {"EQU", equ, false},       {"SET", set, false},
    {"FCB", fcb, true},   {"DB", fcb, true},         {"FDB", fdb, true},
    {"DW", fdb, true},    {"FCC", fcc, true},        {"RMB", rmb, true},
    {"DS", rmb, true},    {"BSZ", bsz, true},        {"ZMB", bsz, true},
    {"FILL", fill, true}, {"OPT", opt, true},        {"PAGE", page, true},
    {"SPC", spc, true},   {"TTL", ttl, true},        {"NAM", ttl, true},
    {"END", end, true},   {"INCLUDE", include, true}};

}  // namespace

const directive* cherche_directive(std::string_view nom) {
  for (const directive& d : table)
    if (nom == d.nom) return &d;
  return nullptr;
}

}  // namespace asm11
