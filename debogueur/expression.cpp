#include "debogueur/expression.h"

#include <cctype>
#include <cstdio>
#include <cstring>

#include "memory/symboles.h"
#include "puce/machine.h"

namespace {

// The deepest stack an expression may need while it is evaluated.
constexpr int pile_max = 256;

bool egal_sans_casse(const std::string& a, const char* b) {
  if (a.size() != std::strlen(b)) return false;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (std::toupper(static_cast<unsigned char>(a[i])) != b[i]) return false;
  return true;
}

// Bits of the CCR by their letter.
int bit_drapeau(const std::string& nom, bool x_permis) {
  static const char lettres[] = "CVZNIHXS";
  if (nom.size() != 1) return -1;
  const char c =
      static_cast<char>(std::toupper(static_cast<unsigned char>(nom[0])));
  if (c == 'X' && !x_permis) return -1;
  const char* p = std::strchr(lettres, c);
  return p && *p ? static_cast<int>(p - lettres) : -1;
}

// The parser: recursive descent over C's levels, writing the compact form.
class analyseur {
 public:
  analyseur(const std::string& t, const infos_debogage* infos, bool acces,
            std::vector<expression::operation>& code)
      : t_(t), infos_(infos), acces_(acces), code_(code) {}

  bool analyse(std::string& erreur) {
    blancs();
    if (i_ == t_.size()) return echoue(i_, "expression vide", erreur);
    if (!ou(erreur)) return false;
    blancs();
    if (i_ != t_.size())
      return echoue(i_, "opérateur attendu avant « " + caractere() + " »",
                    erreur);
    return true;
  }
  int pile() const { return pile_max_; }

 private:
  using op = expression::op;
  const std::string& t_;
  const infos_debogage* infos_;
  bool acces_;
  std::vector<expression::operation>& code_;
  std::size_t i_ = 0;
  int imbrication_ = 0;
  int pile_ = 0, pile_max_ = 0;

  static bool echoue(std::size_t colonne, const std::string& quoi,
                     std::string& erreur) {
    erreur = "colonne " + std::to_string(colonne + 1) + " : " + quoi;
    return false;
  }
  // The character at i_ as a message quotes it: a control character
  // written out (the message stays on one line), a UTF-8 sequence whole.
  std::string caractere() const {
    const unsigned char c = static_cast<unsigned char>(t_[i_]);
    if (c < 0x20 || c == 0x7F) {
      char texte[8];
      std::snprintf(texte, sizeof texte, "\\x%02x", c);
      return texte;
    }
    std::size_t n = 1;
    if (c >= 0x80)
      while (i_ + n < t_.size() && n < 4 &&
             (static_cast<unsigned char>(t_[i_ + n]) & 0xC0) == 0x80)
        ++n;
    return t_.substr(i_, n);
  }
  void blancs() {
    while (i_ < t_.size() && (t_[i_] == ' ' || t_[i_] == '\t')) ++i_;
  }
  bool voit(const char* s) {
    blancs();
    return t_.compare(i_, std::strlen(s), s) == 0;
  }
  void emet(op o, int64_t v, int effet) {
    code_.push_back({o, v});
    pile_ += effet;
    if (pile_ > pile_max_) pile_max_ = pile_;
  }

  // One level of binary operators, left to right.
  struct niveau {
    const char* texte;
    op code;
  };
  template <std::size_t n>
  bool binaire(const niveau (&ops)[n], bool (analyseur::*suivant)(std::string&),
               std::string& erreur) {
    if (!(this->*suivant)(erreur)) return false;
    for (;;) {
      blancs();
      const niveau* trouve = nullptr;
      for (const niveau& o : ops) {
        const std::size_t l = std::strlen(o.texte);
        if (t_.compare(i_, l, o.texte) != 0) continue;
        // "&" is not "&&", "|" not "||", "<" not "<<" nor "<=".
        const char apres = i_ + l < t_.size() ? t_[i_ + l] : '\0';
        const char c = o.texte[0];
        if (l == 1 && std::strchr("&|<>", c) &&
            (apres == c || (apres == '=' && (c == '<' || c == '>'))))
          continue;
        trouve = &o;
        break;
      }
      if (!trouve) return true;
      i_ += std::strlen(trouve->texte);
      if (!(this->*suivant)(erreur)) return false;
      emet(trouve->code, 0, -1);
    }
  }

  bool ou(std::string& erreur) { return logique(true, erreur); }
  bool et(std::string& erreur) { return logique(false, erreur); }
  // || and &&: the right operand is skipped when the left one decides.
  bool logique(bool est_ou, std::string& erreur) {
    if (!(est_ou ? et(erreur) : ou_bits(erreur))) return false;
    for (;;) {
      if (!voit(est_ou ? "||" : "&&")) return true;
      i_ += 2;
      const std::size_t saut = code_.size();
      emet(est_ou ? op::saut_si_vrai : op::saut_si_faux, 0, -1);
      if (!(est_ou ? et(erreur) : ou_bits(erreur))) return false;
      emet(op::booleen, 0, 0);
      code_[saut].valeur = static_cast<int64_t>(code_.size());
    }
  }
  bool ou_bits(std::string& e) {
    static const niveau ops[] = {{"|", op::ou_bits}};
    return binaire(ops, &analyseur::ou_exclusif, e);
  }
  bool ou_exclusif(std::string& e) {
    static const niveau ops[] = {{"^", op::ou_exclusif}};
    return binaire(ops, &analyseur::et_bits, e);
  }
  bool et_bits(std::string& e) {
    static const niveau ops[] = {{"&", op::et_bits}};
    return binaire(ops, &analyseur::egalite, e);
  }
  bool egalite(std::string& e) {
    static const niveau ops[] = {{"==", op::egal}, {"!=", op::different}};
    return binaire(ops, &analyseur::relation, e);
  }
  bool relation(std::string& e) {
    static const niveau ops[] = {{"<=", op::inferieur_egal},
                                 {">=", op::superieur_egal},
                                 {"<", op::inferieur},
                                 {">", op::superieur}};
    return binaire(ops, &analyseur::decalage, e);
  }
  bool decalage(std::string& e) {
    static const niveau ops[] = {{"<<", op::gauche}, {">>", op::droite}};
    return binaire(ops, &analyseur::somme, e);
  }
  bool somme(std::string& e) {
    static const niveau ops[] = {{"+", op::plus}, {"-", op::moins}};
    return binaire(ops, &analyseur::produit, e);
  }
  bool produit(std::string& e) {
    static const niveau ops[] = {
        {"*", op::fois}, {"/", op::divise}, {"%", op::reste}};
    return binaire(ops, &analyseur::unaire, e);
  }

  bool entre(std::string& erreur) {
    if (++imbrication_ > expression::imbrication_max)
      return echoue(i_, "expression trop imbriquée", erreur);
    return true;
  }

  bool unaire(std::string& erreur) {
    blancs();
    op o;
    if (voit("!") && t_.compare(i_, 2, "!=") != 0)
      o = op::negation;
    else if (voit("~"))
      o = op::complement;
    else if (voit("-"))
      o = op::oppose;
    else
      return primaire(erreur);
    ++i_;
    if (!entre(erreur) || !unaire(erreur)) return false;
    --imbrication_;
    emet(o, 0, 0);
    return true;
  }

  bool nombre(std::string& erreur) {
    const std::size_t debut = i_;
    int base = 10;
    if (t_[i_] == '$') {
      base = 16;
      ++i_;
    } else if (t_[i_] == '%') {
      base = 2;
      ++i_;
    } else if (t_[i_] == '0' && i_ + 1 < t_.size() &&
               (t_[i_ + 1] == 'x' || t_[i_ + 1] == 'X')) {
      base = 16;
      i_ += 2;
    }
    uint64_t v = 0;
    std::size_t chiffres = 0;
    while (i_ < t_.size() && std::isalnum(static_cast<unsigned char>(t_[i_]))) {
      const char c =
          static_cast<char>(std::tolower(static_cast<unsigned char>(t_[i_])));
      const int d = std::isdigit(static_cast<unsigned char>(c)) ? c - '0'
                    : c >= 'a' && c <= 'f'                      ? c - 'a' + 10
                                                                : 99;
      if (d >= base) return echoue(i_, "nombre mal formé", erreur);
      if (v > (uint64_t(INT64_MAX) - static_cast<uint64_t>(d)) /
                  static_cast<uint64_t>(base))
        return echoue(debut, "nombre trop grand", erreur);
      v = v * static_cast<uint64_t>(base) + static_cast<uint64_t>(d);
      ++i_;
      ++chiffres;
    }
    if (chiffres == 0) return echoue(debut, "nombre mal formé", erreur);
    emet(op::constante, static_cast<int64_t>(v), 1);
    return true;
  }

  bool nom(std::string& erreur) {
    const std::size_t debut = i_;
    while (i_ < t_.size() &&
           (std::isalnum(static_cast<unsigned char>(t_[i_])) || t_[i_] == '_' ||
            t_[i_] == '.'))
      ++i_;
    const std::string n = t_.substr(debut, i_ - debut);
    static const struct {
      const char* nom;
      op code;
    } registres[] = {{"A", op::reg_a},   {"B", op::reg_b},
                     {"D", op::reg_d},   {"X", op::reg_x},
                     {"Y", op::reg_y},   {"SP", op::reg_sp},
                     {"PC", op::reg_pc}, {"CCR", op::reg_ccr}};
    for (const auto& r : registres)
      if (egal_sans_casse(n, r.nom)) return emet(r.code, 0, 1), true;
    int bit = bit_drapeau(n, false);
    if (bit < 0 && n.size() == 5 && egal_sans_casse(n.substr(0, 4), "CCR."))
      bit = bit_drapeau(n.substr(4), true);
    if (bit >= 0) return emet(op::drapeau, bit, 1), true;
    if (egal_sans_casse(n, "CYCLES")) return emet(op::nb_cycles, 0, 1), true;
    if (egal_sans_casse(n, "INSTRUCTIONS"))
      return emet(op::nb_instructions, 0, 1), true;
    static const struct {
      const char* nom;
      op code;
    } acces[] = {{"VALEUR", op::acces_valeur},
                 {"AVANT", op::acces_avant},
                 {"ADRESSE", op::acces_adresse}};
    for (const auto& a : acces)
      if (egal_sans_casse(n, a.nom)) {
        if (!acces_)
          return echoue(debut,
                        "« " + n +
                            " » ne vaut que dans la condition d'un point "
                            "d'observation ou d'un événement",
                        erreur);
        return emet(a.code, 0, 1), true;
      }
    const symbole* s = infos_ ? infos_->cherche(n) : nullptr;
    if (!s) return echoue(debut, "nom inconnu : " + n, erreur);
    emet(op::constante, static_cast<int64_t>(s->valeur), 1);
    return true;
  }

  bool primaire(std::string& erreur) {
    blancs();
    if (i_ == t_.size()) return echoue(i_, "opérande attendu", erreur);
    const char c = t_[i_];
    if (c == '(' || c == '[') {
      const bool mot = c == '[' && i_ + 1 < t_.size() && t_[i_ + 1] == '[';
      const char* fin = c == '(' ? ")" : mot ? "]]" : "]";
      i_ += mot ? 2 : 1;
      if (!entre(erreur) || !ou(erreur)) return false;
      --imbrication_;
      blancs();
      if (t_.compare(i_, std::strlen(fin), fin) != 0)
        return echoue(i_, std::string("« ") + fin + " » attendu", erreur);
      i_ += std::strlen(fin);
      if (c == '[') emet(mot ? op::mot : op::octet, 0, 0);
      return true;
    }
    if (c == '\'') {
      if (i_ + 2 >= t_.size() || t_[i_ + 2] != '\'')
        return echoue(i_, "caractère mal formé ('A')", erreur);
      emet(op::constante, static_cast<unsigned char>(t_[i_ + 1]), 1);
      i_ += 3;
      return true;
    }
    if (std::isdigit(static_cast<unsigned char>(c)) || c == '$' || c == '%')
      return nombre(erreur);
    if (std::isalpha(static_cast<unsigned char>(c)) || c == '_' || c == '.')
      return nom(erreur);
    return echoue(i_, "opérande attendu avant « " + caractere() + " »", erreur);
  }
};

int64_t applique(expression::op o, int64_t a, int64_t b) {
  using op = expression::op;
  const uint64_t ua = static_cast<uint64_t>(a), ub = static_cast<uint64_t>(b);
  switch (o) {
    case op::fois:
      return static_cast<int64_t>(ua * ub);
    case op::divise:
      if (b == 0) return 0;
      if (b == -1) return static_cast<int64_t>(0 - ua);
      return a / b;
    case op::reste:
      if (b == 0 || b == -1) return 0;
      return a % b;
    case op::plus:
      return static_cast<int64_t>(ua + ub);
    case op::moins:
      return static_cast<int64_t>(ua - ub);
    case op::gauche:
      return b < 0 || b >= 64 ? 0 : static_cast<int64_t>(ua << b);
    case op::droite:
      return b < 0 || b >= 64 ? (a < 0 && b >= 64 ? -1 : 0) : a >> b;
    case op::inferieur:
      return a < b;
    case op::inferieur_egal:
      return a <= b;
    case op::superieur:
      return a > b;
    case op::superieur_egal:
      return a >= b;
    case op::egal:
      return a == b;
    case op::different:
      return a != b;
    case op::et_bits:
      return a & b;
    case op::ou_exclusif:
      return a ^ b;
    case op::ou_bits:
      return a | b;
    default:
      return 0;
  }
}

int64_t octet_a(const machine& m, int64_t adresse) {
  return m.memoire.consulte(static_cast<unsigned short>(adresse));
}

}  // namespace

bool expression::compile(const std::string& texte, const infos_debogage* infos,
                         std::string& erreur, bool acces) {
  if (texte.size() > longueur_max) {
    erreur = "expression trop longue (" + std::to_string(longueur_max) +
             " caractères au plus)";
    return false;
  }
  std::vector<operation> code;
  analyseur a(texte, infos, acces, code);
  if (!a.analyse(erreur)) return false;
  if (a.pile() > pile_max) {
    erreur = "expression trop complexe";
    return false;
  }
  texte_ = texte;
  code_ = std::move(code);
  profondeur_ = a.pile();
  cherche_forme_simple();
  return true;
}

void expression::efface() {
  texte_.clear();
  code_.clear();
  simple_ = false;
  profondeur_ = 0;
}

// One operand that reads the machine (no stack): a register, a flag, a
// count, an access field, or a byte at a constant address.
static bool operande_lisible(const expression::operation& o) {
  return o.code >= expression::reg_a && o.code <= expression::acces_adresse;
}

void expression::cherche_forme_simple() {
  simple_ = false;
  const auto comparaison = [](op o) {
    return o >= inferieur && o <= different;
  };
  if (code_.size() == 3 && operande_lisible(code_[0]) &&
      code_[1].code == constante && comparaison(code_[2].code)) {
    operande_ = code_[0];
  } else if (code_.size() == 4 && code_[0].code == constante &&
             code_[1].code == octet && code_[2].code == constante &&
             comparaison(code_[3].code)) {
    operande_ = {octet, code_[0].valeur};
  } else {
    return;
  }
  constante_ = code_[code_.size() - 2].valeur;
  comparaison_ = code_.back().code;
  simple_ = true;
}

namespace {

inline int64_t lit(const expression::operation& o, const machine& m,
                   const acces_observe* a) {
  using op = expression::op;
  const interpreteur& c = m.cpu;
  switch (o.code) {
    case op::constante:
      return o.valeur;
    case op::reg_a:
      return c.A;
    case op::reg_b:
      return c.B;
    case op::reg_d:
      return c.A << 8 | c.B;
    case op::reg_x:
      return c.X;
    case op::reg_y:
      return c.Y;
    case op::reg_sp:
      return c.SP;
    case op::reg_pc:
      return c.PC;
    case op::reg_ccr:
      return c.CCR;
    case op::drapeau:
      return (c.CCR >> o.valeur) & 1;
    case op::nb_cycles:
      return static_cast<int64_t>(m.cycles);
    case op::nb_instructions:
      return static_cast<int64_t>(m.instructions);
    case op::acces_valeur:
      return a ? a->valeur : 0;
    case op::acces_avant:
      return a ? a->avant : 0;
    case op::acces_adresse:
      return a ? a->adresse : 0;
    case op::octet:  // the simple form's byte at a constant address
      return octet_a(m, o.valeur);
    default:
      return 0;
  }
}

}  // namespace

int64_t expression::evalue_pile(const machine& m,
                                const acces_observe* a) const {
  int64_t pile[pile_max + 1];
  int h = 0;  // entries on the stack
  const std::size_t n = code_.size();
  for (std::size_t i = 0; i < n; ++i) {
    const operation& o = code_[i];
    switch (o.code) {
      case octet:
        pile[h - 1] = octet_a(m, pile[h - 1]);
        break;
      case mot:
        pile[h - 1] =
            octet_a(m, pile[h - 1]) << 8 | octet_a(m, pile[h - 1] + 1);
        break;
      case negation:
        pile[h - 1] = !pile[h - 1];
        break;
      case complement:
        pile[h - 1] = ~pile[h - 1];
        break;
      case oppose:
        pile[h - 1] =
            static_cast<int64_t>(0 - static_cast<uint64_t>(pile[h - 1]));
        break;
      case booleen:
        pile[h - 1] = pile[h - 1] != 0;
        break;
      case saut_si_faux:
        if (pile[h - 1] == 0) {
          i = static_cast<std::size_t>(o.valeur) - 1;
        } else {
          --h;
        }
        break;
      case saut_si_vrai:
        if (pile[h - 1] != 0) {
          pile[h - 1] = 1;
          i = static_cast<std::size_t>(o.valeur) - 1;
        } else {
          --h;
        }
        break;
      default:
        if (o.code >= fois) {
          --h;
          pile[h - 1] = applique(o.code, pile[h - 1], pile[h]);
        } else {
          pile[h++] = lit(o, m, a);
        }
    }
  }
  return h ? pile[h - 1] : 0;
}
