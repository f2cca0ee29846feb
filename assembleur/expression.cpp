// A recursive-descent reader of one expression: terme (operator terme)*,
// applied left to right.
#include "assembleur/expression.h"

#include <cstdint>

#include "assembleur/lexique.h"

namespace asm11 {

namespace {

int en_16_bits(long v) {
  return static_cast<int16_t>(static_cast<uint16_t>(v));
}

bool est_operateur(char c) {
  return c == '+' || c == '-' || c == '*' || c == '/' || c == '%' || c == '&' ||
         c == '|' || c == '^';
}

class lecteur {
 public:
  lecteur(std::string_view t, int compteur, const cherche_symbole& s,
          valeur_expression& r)
      : t_(t), compteur_(compteur), symbole_(s), r_(r) {}

  // expression := terme (op terme)*
  int expression(std::size_t& i, int profondeur) {
    int acc = terme(i, profondeur);
    while (r_.erreur.empty() && i < t_.size() && est_operateur(t_[i])) {
      const char op = t_[i++];
      const int droite = terme(i, profondeur);
      if (!r_.erreur.empty()) break;
      acc = applique(acc, op, droite);
    }
    return acc;
  }

 private:
  int applique(int a, char op, int b) {
    switch (op) {
      case '+':
        return en_16_bits(long{a} + b);
      case '-':
        return en_16_bits(long{a} - b);
      case '*':
        return en_16_bits(long{a} * b);
      case '/':
      case '%':
        if (b == 0) {
          if (r_.connue) r_.erreur = "division par zéro";
          return 0;
        }
        return en_16_bits(op == '/' ? long{a} / b : long{a} % b);
      case '&':
        return en_16_bits(a & b);
      case '|':
        return en_16_bits(a | b);
      default:
        return en_16_bits(a ^ b);
    }
  }

  void erreur(const std::string& e) {
    if (r_.erreur.empty()) r_.erreur = e;
  }

  // Digits of base `base` from i; false when there is none or the value
  // passes $FFFF.
  int nombre(std::size_t& i, int base, const char* nom) {
    const std::size_t debut = i;
    long v = 0;
    bool trop = false;
    while (i < t_.size()) {
      const char c = t_[i];
      int d = -1;
      if (chiffre(c)) d = c - '0';
      if (c >= 'a' && c <= 'f') d = c - 'a' + 10;
      if (c >= 'A' && c <= 'F') d = c - 'A' + 10;
      if (d < 0 || d >= base) break;
      v = v * base + d;
      if (v > 0xFFFF) trop = true, v = 0xFFFF;
      ++i;
    }
    if (i == debut) {
      erreur(std::string("constante ") + nom + " sans chiffre");
      return 0;
    }
    if (i < t_.size() && suite_symbole(t_[i])) {
      erreur(std::string("chiffre incorrect dans une constante ") + nom +
             " : « " + std::string(t_.substr(debut, i + 1 - debut)) + " »");
      return 0;
    }
    if (trop) erreur(std::string("constante ") + nom + " au-delà de 65535");
    return en_16_bits(v);
  }

  int terme(std::size_t& i, int profondeur) {
    if (i >= t_.size()) {
      erreur("terme manquant en fin d'expression");
      return 0;
    }
    const char c = t_[i];
    if (c == '-') {
      if (profondeur >= profondeur_max) {
        erreur("expression trop imbriquée");
        return 0;
      }
      ++i;
      return en_16_bits(-long{terme(i, profondeur + 1)});
    }
    if (c == '(') {
      if (profondeur >= profondeur_max) {
        erreur("parenthèses trop imbriquées");
        return 0;
      }
      ++i;
      const int v = expression(i, profondeur + 1);
      if (!r_.erreur.empty()) return 0;
      if (i >= t_.size() || t_[i] != ')') {
        erreur("parenthèse fermante manquante");
        return 0;
      }
      ++i;
      return v;
    }
    if (c == '*') {
      ++i;
      return en_16_bits(compteur_);
    }
    if (c == '$') return ++i, nombre(i, 16, "hexadécimale");
    if (c == '%') return ++i, nombre(i, 2, "binaire");
    if (c == '@') return ++i, nombre(i, 8, "octale");
    if (chiffre(c)) return nombre(i, 10, "décimale");
    if (c == '\'') {
      if (i + 1 >= t_.size()) {
        erreur("caractère manquant après '");
        return 0;
      }
      const unsigned char car = static_cast<unsigned char>(t_[i + 1]);
      i += 2;
      if (i < t_.size() && t_[i] == '\'') ++i;
      return car;
    }
    if (debut_symbole(c)) {
      const std::size_t debut = i;
      while (i < t_.size() && suite_symbole(t_[i])) ++i;
      const std::string_view nom = t_.substr(debut, i - debut);
      int v = 0;
      if (symbole_ && symbole_(nom, v)) return en_16_bits(v);
      if (r_.connue) r_.inconnu = std::string(nom);
      r_.connue = false;
      return 0;
    }
    erreur(std::string("caractère inattendu dans une expression : « ") + c +
           " »");
    return 0;
  }

  std::string_view t_;
  int compteur_;
  const cherche_symbole& symbole_;
  valeur_expression& r_;
};

}  // namespace

valeur_expression evalue(std::string_view texte, std::size_t debut,
                         int compteur, const cherche_symbole& symbole) {
  valeur_expression r;
  std::size_t i = debut;
  if (i >= texte.size() || blanc(texte[i]) || texte[i] == ',' ||
      texte[i] == ';') {
    r.vide = true;
    r.fin = i;
    return r;
  }
  lecteur l(texte, compteur, symbole, r);
  r.valeur = l.expression(i, 0);
  r.fin = i;
  if (!r.erreur.empty()) r.valeur = 0;
  return r;
}

}  // namespace asm11
