// The two passes over the sequence of lines, the symbols, the messages and
// the instructions' operands (the directives are in directives.cpp).
#include "assembleur/passes.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <numeric>
#include <utility>

#include "text/conversions.h"

namespace asm11 {

namespace {

std::string hexa(unsigned v, int chiffres) {
  return "$" + (chiffres == 2 ? hex2toS(static_cast<int>(v))
                              : hex4toS(static_cast<int>(v)));
}

bool registre(std::string_view t, std::size_t i, char nom) {
  return i < t.size() && (t[i] == nom || t[i] == nom - 'A' + 'a') &&
         (i + 1 >= t.size() || !suite_symbole(t[i + 1]));
}

}  // namespace

passe_asm::passe_asm(resultat_asm& res, const lecteur_source& lecteur)
    : r(res), lecteur_(lecteur ? lecteur : lecteur_source(lit_fichier_source)) {
  cherche_ = [this](std::string_view nom, int& v) {
    const auto s = symboles_.find(std::string(nom));
    if (s == symboles_.end() || !s->second.defini) return false;
    if (passe == 2 && s->second.references.size() < lignes_max)
      s->second.references.push_back(static_cast<unsigned>(courante + 1));
    v = s->second.valeur;
    return true;
  };
}

void passe_asm::assemble(const std::string& chemin) {
  passe = 1;
  lit_fichier(chemin);
  passe = 2;
  pc = 0;
  fin = false;
  org_vu = false;
  end_adresse = false;
  liste_active = true;
  ecrit_.assign(0x10000, 0);
  r.listage.reserve(sequence.size());
  for (courante = 0; courante < sequence.size(); ++courante) traite_ligne();
  termine();
}

const std::string& passe_asm::texte_courant() const {
  const ligne_seq& s = sequence[courante];
  return r.textes[s.fichier][s.numero - 1];
}

// ------------------------------------------------------------- messages

void passe_asm::ajoute_message(std::size_t colonne, bool est_erreur,
                               const std::string& texte) {
  unsigned& compte = est_erreur ? r.nb_erreurs : r.nb_avertissements;
  if (++compte > messages_max) return;
  message_asm m;
  m.erreur = est_erreur;
  m.texte = texte;
  if (courante < sequence.size()) {
    const ligne_seq& s = sequence[courante];
    m.fichier = r.fichiers[s.fichier];
    m.ligne = s.numero;
    m.colonne = colonne == std::string::npos ? 0 : unsigned(colonne + 1);
    m.source = texte_courant();
  } else {
    m.fichier = r.fichiers.empty() ? "" : r.fichiers[0];
  }
  if (passe == 2) ligne.remarques.push_back(m.en_ligne());
  r.messages.push_back(std::move(m));
  rang_message_.push_back(courante);
}

void passe_asm::erreur(std::size_t colonne, const std::string& texte) {
  if (passe == 2) ajoute_message(colonne, true, texte);
}

void passe_asm::avertissement(std::size_t colonne, const std::string& texte) {
  if (passe == 2) ajoute_message(colonne, false, texte);
}

// ------------------------------------------------------------ values

valeur_expression passe_asm::evalue(std::string_view t, std::size_t i) {
  return asm11::evalue(t, i, static_cast<int>(pc & 0xFFFF), cherche_);
}

bool passe_asm::valeur_sure(const valeur_expression& v, std::size_t colonne) {
  if (!v.erreur.empty()) {
    erreur(colonne, v.erreur);
    return false;
  }
  if (!v.connue) {
    erreur(colonne, "symbole inconnu « " + v.inconnu + " »");
    return false;
  }
  return true;
}

bool passe_asm::valeur_passe1(std::string_view t, std::size_t i,
                              std::size_t colonne, int rang,
                              const char* directive, std::size_t* fin_expr) {
  const valeur_expression v = evalue(t, i);
  if (fin_expr != nullptr) *fin_expr = v.fin;
  ligne_seq& s = seq();
  if (passe == 1) {
    s.connue[rang] = !v.vide && v.erreur.empty() && v.connue;
    s.valeurs[rang] = v.valeur;
    if (!v.connue) inconnus_.emplace(courante, v.inconnu);
    return s.connue[rang];
  }
  if (v.vide) {
    erreur(colonne, std::string(directive) + " : valeur manquante");
    return false;
  }
  if (!valeur_sure(v, colonne)) return false;
  if (!s.connue[rang]) {
    erreur(colonne, std::string(directive) + " : « " + inconnus_[courante] +
                        " » est défini plus loin (référence en avant "
                        "interdite ici)");
    return false;
  }
  return true;
}

void passe_asm::definit(std::string_view nom, int valeur, bool etiquette,
                        bool variable, std::size_t colonne) {
  bool correct = !nom.empty() && debut_symbole(nom[0]);
  for (char c : nom) correct = correct && suite_symbole(c);
  if (!correct) {
    erreur(colonne, "étiquette incorrecte « " + std::string(nom) + " »");
    return;
  }
  symbole_interne& s = symboles_[std::string(nom)];
  if (passe == 1) {
    if (!s.defini) {
      s.valeur = valeur;
      s.defini = true;
      s.etiquette = etiquette;
      s.variable = variable;
      s.ligne_def = courante;
    } else if (variable && s.variable) {
      s.valeur = valeur;
    }
    return;
  }
  if (s.ligne_def == courante || (variable && s.variable)) {
    if (variable) {
      s.valeur = valeur;
    } else if (s.valeur != valeur) {
      erreur(colonne, "erreur de phase : « " + std::string(nom) + " » valait " +
                          hexa(mot(s.valeur), 4) + " au premier passage");
    }
    return;
  }
  const ligne_seq& premiere = sequence[s.ligne_def];
  std::string ou = "ligne " + std::to_string(premiere.numero);
  if (premiere.fichier != seq().fichier)
    ou = r.fichiers[premiere.fichier] + ", " + ou;
  if (variable || s.variable)
    erreur(colonne, "« " + std::string(nom) + " » est déjà défini (" + ou +
                        ") : SET ne peut redéfinir qu'un symbole de SET");
  else
    avertissement(colonne, "étiquette « " + std::string(nom) +
                               " » déjà définie (" + ou +
                               ") : cette définition est ignorée");
}

// --------------------------------------------------------------- files

void passe_asm::inclut(const std::string& nom, std::size_t colonne) {
  namespace fs = std::filesystem;
  if (passe == 2) return;
  fs::path chemin(nom);
  if (chemin.is_relative() && !pile_.empty())
    chemin = fs::path(pile_.back()).parent_path() / chemin;
  const std::string normal = chemin.lexically_normal().string();
  if (pile_.size() > static_cast<std::size_t>(inclusions_max)) {
    ajoute_message(colonne, true,
                   "INCLUDE imbriqués trop profondément (plus de " +
                       std::to_string(inclusions_max) + " niveaux)");
    return;
  }
  if (std::find(pile_.begin(), pile_.end(), normal) != pile_.end()) {
    ajoute_message(colonne, true, "inclusion récursive de « " + nom + " »");
    return;
  }
  const std::size_t ici = courante;
  lit_fichier(normal);
  courante = ici;
  octets.clear();
  reserve = 0;
}

void passe_asm::lit_fichier(const std::string& chemin) {
  std::string contenu, raison;
  if (!lecteur_(chemin, contenu, raison)) {
    if (pile_.empty()) {
      r.fichiers.push_back(chemin);
      r.textes.emplace_back();
      ajoute_message(std::string::npos, true, raison);
    } else {
      ajoute_message(std::string::npos, true,
                     "INCLUDE « " + chemin + " » : " + raison);
    }
    return;
  }
  const unsigned fichier = static_cast<unsigned>(r.fichiers.size());
  r.fichiers.push_back(chemin);
  r.textes.emplace_back();
  pile_.push_back(std::filesystem::path(chemin).lexically_normal().string());
  unsigned numero = 0;
  for (std::size_t debut = 0; debut < contenu.size() && !fin;) {
    std::size_t bout = contenu.find('\n', debut);
    if (bout == std::string::npos) bout = contenu.size();
    std::size_t longueur = bout - debut;
    if (longueur > 0 && contenu[debut + longueur - 1] == '\r') --longueur;
    if (sequence.size() >= lignes_max) {
      if (!trop_de_lignes_)
        ajoute_message(std::string::npos, true,
                       "plus de " + std::to_string(lignes_max) +
                           " lignes en tout : assemblage arrêté");
      trop_de_lignes_ = true;
      fin = true;
      break;
    }
    r.textes[fichier].emplace_back(contenu, debut, longueur);
    sequence.push_back({});
    sequence.back().fichier = fichier;
    sequence.back().numero = ++numero;
    courante = sequence.size() - 1;
    traite_ligne();
    debut = bout + 1;
  }
  pile_.pop_back();
}

// --------------------------------------------------------------- lines

void passe_asm::traite_ligne() {
  const std::string texte = texte_courant();
  ligne = ligne_listee();
  ligne.fichier = seq().fichier;
  ligne.ligne = seq().numero;
  ligne.adresse = static_cast<unsigned short>(pc);
  octets.clear();
  reserve = 0;
  if (texte.size() > longueur_ligne_max) {
    erreur(std::string::npos, "ligne trop longue (plus de " +
                                  std::to_string(longueur_ligne_max) +
                                  " caractères)");
  } else {
    const champs c = decoupe(texte);
    if (!c.commentaire) {
      const std::string op = majuscules(c.operation);
      const directive* d = op.empty() ? nullptr : cherche_directive(op);
      const instruction_asm* ins =
          d != nullptr || op.empty() ? nullptr : cherche_instruction(op);
      if (!c.etiquette.empty() && (d == nullptr || d->etiquette_pc)) {
        definit(c.etiquette, static_cast<int>(pc & 0xFFFF), true, false, 0);
        ligne.avec_adresse = true;
      }
      if (d != nullptr) {
        d->traite(*this, c);
      } else if (ins != nullptr) {
        ligne.avec_adresse = true;
        instruction(*ins, c);
        if (passe == 2 && !octets.empty() && pc + octets.size() <= 0x10000)
          code_.push_back({static_cast<unsigned short>(pc),
                           static_cast<unsigned>(octets.size()), seq().fichier,
                           seq().numero});
      } else if (!op.empty()) {
        erreur(c.col_operation, "instruction ou directive inconnue « " +
                                    std::string(c.operation) + " »");
      }
    }
  }
  ecrit_octets();
  if (passe == 2) {
    ligne.listee = ligne.listee && liste_active;
    r.listage.push_back(std::move(ligne));
  }
}

void passe_asm::ecrit_octets() {
  const unsigned taille = static_cast<unsigned>(octets.size()) + reserve;
  if (taille == 0) return;
  if (pc + taille > 0x10000) {
    erreur(std::string::npos,
           "le compteur d'adresses dépasse $ffff : octets perdus");
    octets.resize(std::min<std::size_t>(octets.size(), 0x10000 - pc));
  }
  if (passe == 2 && !octets.empty()) {
    ligne.avec_adresse = true;
    ligne.octets.assign(
        octets.begin(),
        octets.begin() + std::min(octets.size(), octets_listes_max));
    bool deja = false;
    for (std::size_t k = 0; k < octets.size(); ++k)
      deja = std::exchange(ecrit_[pc + k], 1) || deja;
    if (deja)
      avertissement(std::string::npos, "octets déjà écrits à " + hexa(pc, 4) +
                                           " : ils sont remplacés");
    if (r.blocs.empty() ||
        r.blocs.back().adresse + r.blocs.back().octets.size() != pc) {
      r.blocs.emplace_back();
      r.blocs.back().adresse = static_cast<unsigned short>(pc);
    }
    std::vector<unsigned char>& bloc = r.blocs.back().octets;
    bloc.insert(bloc.end(), octets.begin(), octets.end());
  }
  pc = std::min(pc + taille, 0x10000u);
}

// -------------------------------------------------------- instructions

void passe_asm::verifie_fin(std::string_view t, std::size_t i,
                            std::size_t colonne) {
  if (!fin_de_champ(t, i))
    erreur(colonne + i, "caractère inattendu après l'opérande : « " +
                            std::string(1, t[i]) + " »");
}

void passe_asm::deplacement(const valeur_expression& cible, unsigned taille,
                            std::size_t colonne) {
  int d = 0;
  if (passe == 2 && cible.vide)
    erreur(colonne, "cible du branchement manquante");
  else if (passe == 2 && valeur_sure(cible, colonne)) {
    d = int{mot(cible.valeur)} - static_cast<int>(pc + taille);
    if (d < -128 || d > 127)
      erreur(colonne, "branchement hors de portée : la cible est à " +
                          std::to_string(d) + " octets (de -128 à 127)");
  }
  octets.push_back(static_cast<unsigned char>(d & 0xFF));
}

void passe_asm::operande_octet(int v, std::size_t colonne) {
  if (v < -128 || v > 255)
    avertissement(colonne, "valeur tronquée à 8 bits : " + hexa(mot(v), 4) +
                               " devient " + hexa(mot(v) & 0xFF, 2));
  octets.push_back(static_cast<unsigned char>(v & 0xFF));
}

bool passe_asm::registre_index(std::string_view t, std::size_t& i,
                               mode_asm& mode) {
  if (registre(t, i, 'X'))
    mode = indx;
  else if (registre(t, i, 'Y'))
    mode = indy;
  else
    return false;
  ++i;
  return true;
}

void passe_asm::instruction(const instruction_asm& ins, const champs& c) {
  const std::string_view t = c.reste;
  const std::size_t col = c.col_reste;
  bool seulement_inherent = ins.modes[inh].existe;
  for (int m = imm; m < nb_modes; ++m)
    seulement_inherent = seulement_inherent && !ins.modes[m].existe;
  if (seulement_inherent) {
    pose_code(ins.modes[inh], octets);
    ligne.cycles = ins.modes[inh].cycles;
    return;
  }
  if (ins.bits || ins.branche_bits) {
    instruction_bits(ins, c);
    return;
  }
  if (fin_de_champ(t, 0)) {
    erreur(c.col_operation, "opérande manquant pour " + ins.nom);
    return;
  }
  std::size_t fin_operande = 0;
  if (ins.modes[rel].existe) {
    const code_op& co = ins.modes[rel];
    const valeur_expression v = evalue(t, 0);
    fin_operande = v.fin;
    pose_code(co, octets);
    deplacement(v, co.taille(), col);
    ligne.cycles = co.cycles;
  } else if (t[0] == '#') {
    const code_op& co = ins.modes[imm];
    if (!co.existe) {
      erreur(col, ins.nom + " n'a pas d'adressage immédiat");
      return;
    }
    const valeur_expression v = evalue(t, 1);
    fin_operande = v.fin;
    if (v.vide) {
      erreur(col, "valeur manquante après #");
      return;
    }
    pose_code(co, octets);
    const int valeur = passe == 2 && valeur_sure(v, col + 1) ? v.valeur : 0;
    if (co.nb_operandes == 1) {
      operande_octet(valeur, col + 1);
    } else {
      octets.push_back(static_cast<unsigned char>(mot(valeur) >> 8));
      octets.push_back(static_cast<unsigned char>(valeur & 0xFF));
    }
    ligne.cycles = co.cycles;
  } else {
    const char force = t[0] == '<' || t[0] == '>' ? t[0] : 0;
    const valeur_expression v = evalue(t, force ? 1 : 0);
    std::size_t k = v.fin;
    if (k < t.size() && t[k] == ',') {
      std::size_t j = saute_blancs(t, k + 1);
      mode_asm m = indx;
      if (!registre_index(t, j, m)) {
        erreur(col + k + 1,
               "registre d'index attendu après la virgule (X ou Y)");
        return;
      }
      if (j - 1 > k + 1)
        avertissement(col + k + 1,
                      "blanc après la virgule : lu comme un adressage indexé");
      if (force)
        erreur(col, "« < » et « > » ne s'appliquent pas à l'adressage indexé");
      const code_op& co = ins.modes[m];
      if (!co.existe) {
        erreur(col, ins.nom + " n'a pas d'adressage indexé par " +
                        (m == indx ? "X" : "Y"));
        return;
      }
      pose_code(co, octets);
      int decalage = 0;
      if (!v.vide && passe == 2 && valeur_sure(v, col)) {
        decalage = v.valeur;
        if (decalage < 0 || decalage > 255)
          erreur(col, "décalage indexé hors de 0..255 : " +
                          std::to_string(decalage));
      }
      octets.push_back(static_cast<unsigned char>(decalage & 0xFF));
      ligne.cycles = co.cycles;
      fin_operande = j;
    } else {
      if (v.vide) {
        erreur(col, "opérande manquant ou incorrect pour " + ins.nom);
        return;
      }
      mode_asm m;
      if (passe == 1) {
        if (force == '<')
          m = dir;
        else if (force == '>')
          m = ext;
        else if (ins.modes[dir].existe && v.connue && v.erreur.empty() &&
                 mot(v.valeur) <= 0xFF)
          m = dir;
        else
          m = ins.modes[ext].existe ? ext : dir;
        seq().mode = static_cast<unsigned char>(m);
        seq().directe_en_avant = !force && !v.connue && ins.modes[dir].existe;
        if (!v.connue) inconnus_.emplace(courante, v.inconnu);
      } else {
        m = static_cast<mode_asm>(seq().mode);
      }
      const code_op& co = ins.modes[m];
      if (!co.existe) {
        erreur(col, ins.nom + (m == dir ? " n'a pas d'adressage direct"
                                        : " n'a pas d'adressage étendu"));
        return;
      }
      pose_code(co, octets);
      unsigned short a = 0;
      if (passe == 2 && valeur_sure(v, col)) {
        a = mot(v.valeur);
        if (m == dir && a > 0xFF)
          erreur(col,
                 "adresse hors de la page directe ($00-$ff) : " + hexa(a, 4));
        if (m == ext && seq().directe_en_avant && a <= 0xFF)
          avertissement(col, "« " + inconnus_[courante] +
                                 " » est défini plus "
                                 "loin : adressage étendu pour " +
                                 hexa(a, 2) + ", de la page directe");
      }
      if (m == ext) octets.push_back(static_cast<unsigned char>(a >> 8));
      octets.push_back(static_cast<unsigned char>(a & 0xFF));
      ligne.cycles = co.cycles;
      fin_operande = k;
    }
  }
  verifie_fin(t, fin_operande, col);
}

// BSET/BCLR addr mask, BRSET/BRCLR addr mask target: addr is direct or
// indexed ("0,X"); the operands are separated by commas or blanks.
void passe_asm::instruction_bits(const instruction_asm& ins, const champs& c) {
  const std::string_view t = c.reste;
  const std::size_t col = c.col_reste;
  if (fin_de_champ(t, 0)) {
    erreur(c.col_operation, "opérande manquant pour " + ins.nom);
    return;
  }
  const valeur_expression adresse = evalue(t, 0);
  std::size_t k = adresse.fin;
  mode_asm m = dir;
  if (k < t.size() && t[k] == ',') {
    std::size_t j = saute_blancs(t, k + 1);
    if (registre_index(t, j, m)) {
      if (j - 1 > k + 1)
        avertissement(col + k + 1,
                      "blanc après la virgule : lu comme un adressage indexé");
      k = j;
    }
  }
  // The separator: a comma, blanks, or both.
  auto separe = [&](const char* quoi) {
    const std::size_t avant = k;
    if (k < t.size() && t[k] == ',') ++k;
    k = saute_blancs(t, k);
    if (k == avant || k >= t.size() || t[k] == ';') {
      erreur(col + std::min(k, t.size()),
             std::string(quoi) + " manquant pour " + ins.nom);
      return false;
    }
    return true;
  };
  const code_op& co = ins.modes[m];
  if (!co.existe || adresse.vide) {
    erreur(col, adresse.vide ? "adresse manquante pour " + ins.nom
                             : ins.nom + " n'a pas ce mode d'adressage");
    return;
  }
  if (!separe("masque")) return;
  if (t[k] == '#') ++k;
  const std::size_t col_masque = col + k;
  const valeur_expression masque = evalue(t, k);
  k = masque.fin;
  valeur_expression cible;
  std::size_t col_cible = col;
  if (ins.branche_bits) {
    if (!separe("cible du branchement")) return;
    col_cible = col + k;
    cible = evalue(t, k);
    k = cible.fin;
  }
  pose_code(co, octets);
  int a = 0;
  if (passe == 2 && valeur_sure(adresse, col)) {
    a = adresse.valeur;
    if (m == dir && (a < 0 || a > 0xFF))
      erreur(col,
             "adresse hors de la page directe ($00-$ff) : " + hexa(mot(a), 4));
    else if (m != dir && (a < 0 || a > 255))
      erreur(col, "décalage indexé hors de 0..255 : " + std::to_string(a));
  }
  octets.push_back(static_cast<unsigned char>(a & 0xFF));
  if (masque.vide) {
    erreur(col_masque, "masque manquant pour " + ins.nom);
    octets.push_back(0);
  } else {
    operande_octet(
        passe == 2 && valeur_sure(masque, col_masque) ? masque.valeur : 0,
        col_masque);
  }
  if (ins.branche_bits) deplacement(cible, co.taille(), col_cible);
  ligne.cycles = co.cycles;
  verifie_fin(t, k, col);
}

// ------------------------------------------------------------ the end

void passe_asm::termine() {
  // Messages in the order of the lines (pass 1 reported the files').
  std::vector<std::size_t> ordre(r.messages.size());
  std::iota(ordre.begin(), ordre.end(), 0);
  std::stable_sort(ordre.begin(), ordre.end(),
                   [&](std::size_t a, std::size_t b) {
                     return rang_message_[a] < rang_message_[b];
                   });
  std::vector<message_asm> tries;
  for (std::size_t k : ordre) tries.push_back(std::move(r.messages[k]));
  r.messages = std::move(tries);
  courante = sequence.size();
  for (int e = 0; e < 2; ++e) {
    const unsigned n = e == 0 ? r.nb_erreurs : r.nb_avertissements;
    if (n <= messages_max) continue;
    message_asm m;
    m.fichier = r.fichiers.empty() ? "" : r.fichiers[0];
    m.erreur = e == 0;
    m.texte = std::to_string(n) + (e == 0 ? " erreurs" : " avertissements") +
              " en tout : seuls les " + std::to_string(messages_max) +
              " premiers sont montrés";
    r.messages.push_back(m);
  }

  // Symbols, sorted by name, and the views' information.
  std::vector<std::size_t> fichier_infos;
  for (const std::string& f : r.fichiers) {
    std::error_code e;
    const std::filesystem::path absolu = std::filesystem::absolute(f, e);
    fichier_infos.push_back(
        r.infos.ajoute_fichier(e ? f : absolu.lexically_normal().string()));
  }
  for (auto& [nom, s] : symboles_) {
    if (!s.defini) continue;
    symbole_asm sa;
    sa.nom = nom;
    sa.valeur = mot(s.valeur);
    sa.etiquette = s.etiquette;
    sa.references = std::move(s.references);
    sa.references.insert(sa.references.begin(),
                         static_cast<unsigned>(s.ligne_def + 1));
    r.symboles.push_back(std::move(sa));
  }
  std::sort(
      r.symboles.begin(), r.symboles.end(),
      [](const symbole_asm& a, const symbole_asm& b) { return a.nom < b.nom; });
  for (const symbole_asm& s : r.symboles)
    if (infos_debogage::nom_garde(s.nom))
      r.infos.ajoute_symbole({s.nom, s.valeur, s.etiquette});
  std::sort(code_.begin(), code_.end(),
            [](const ligne_code& a, const ligne_code& b) {
              return a.adresse < b.adresse;
            });
  for (std::size_t k = 0; k < code_.size(); ++k) {
    const ligne_code& l = code_[k];
    ligne_source ls;
    ls.adresse = l.adresse;
    ls.fichier = fichier_infos[l.fichier];
    ls.ligne = l.numero;
    r.infos.ajoute_ligne(ls);
    const unsigned bout = l.adresse + l.taille;
    if (k + 1 == code_.size() || code_[k + 1].adresse != bout) {
      ligne_source fin_seq;
      fin_seq.adresse = bout;
      fin_seq.fin_de_sequence = true;
      r.infos.ajoute_ligne(fin_seq);
    }
  }
  r.infos.termine();
}

}  // namespace asm11

resultat_asm assemble_motorola(const std::string& chemin,
                               const lecteur_source& lecteur) {
  resultat_asm r;
  asm11::passe_asm p(r, lecteur);
  p.assemble(chemin);
  return r;
}
