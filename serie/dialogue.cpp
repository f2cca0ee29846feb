// Scripted dialogues on the SCI. See dialogue.h.
#include "serie/dialogue.h"

#include <algorithm>
#include <cctype>
#include <utility>

#include "serie/echappements.h"
#include "text/lecture.h"

namespace {

constexpr std::size_t longueur_fin_recue = 80;

const char* nom_sorte(etape_dialogue::sorte s) {
  switch (s) {
    case etape_dialogue::sorte::attendre:
      return "attendre";
    case etape_dialogue::sorte::envoyer:
      return "envoyer";
    case etape_dialogue::sorte::pause:
      return "pause";
    default:
      return "silence";
  }
}

// A count of cycles: decimal, $hex or 0xhex, at least 1.
bool lit_cycles(const std::string& mot, uint64_t& valeur) {
  std::size_t debut = 0;
  int base = 10;
  if (mot.rfind("$", 0) == 0) debut = 1, base = 16;
  if (mot.rfind("0x", 0) == 0 || mot.rfind("0X", 0) == 0) debut = 2, base = 16;
  if (debut == mot.size() || mot.size() - debut > (base == 16 ? 15 : 18))
    return false;
  valeur = 0;
  for (std::size_t i = debut; i < mot.size(); ++i) {
    const char c = static_cast<char>(std::tolower(mot[i]));
    const int chiffre = std::isdigit(static_cast<unsigned char>(c)) ? c - '0'
                        : base == 16 && c >= 'a' && c <= 'f' ? c - 'a' + 10
                                                             : -1;
    if (chiffre < 0) return false;
    valeur = valeur * base + static_cast<unsigned>(chiffre);
  }
  return valeur > 0;
}

// The words of a line: bare words, and strings between double quotes
// (kept with their quotes, escapes undone later). False on a string left
// open.
bool decoupe(const std::string& ligne, std::vector<std::string>& mots) {
  std::size_t i = 0;
  while (i < ligne.size()) {
    if (std::isspace(static_cast<unsigned char>(ligne[i]))) {
      ++i;
      continue;
    }
    std::size_t j = i;
    if (ligne[i] == '"') {
      for (j = i + 1; j < ligne.size() && ligne[j] != '"'; ++j)
        if (ligne[j] == '\\') ++j;
      if (j >= ligne.size()) return false;
      ++j;
    } else {
      while (j < ligne.size() &&
             !std::isspace(static_cast<unsigned char>(ligne[j])))
        ++j;
    }
    mots.push_back(ligne.substr(i, j - i));
    i = j;
  }
  return true;
}

// One line of a script into a step; empty on success.
std::string lit_etape(const std::vector<std::string>& mots, etape_dialogue& e) {
  const std::string& nom = mots[0];
  const bool texte = nom == "attendre" || nom == "envoyer";
  if (texte) {
    e.type = nom == "attendre" ? etape_dialogue::sorte::attendre
                               : etape_dialogue::sorte::envoyer;
    if (mots.size() < 2 || mots[1].size() < 2 || mots[1][0] != '"')
      return nom + " : texte entre guillemets attendu";
    std::string fautive;
    if (!decode_echappements(mots[1].substr(1, mots[1].size() - 2), e.texte,
                             fautive))
      return "sequence inconnue : \"" + fautive +
             "\" (\\r, \\n, \\t, \\\\, \\\" ou \\xNN)";
    if (e.texte.empty()) return nom + " : texte vide";
    e.cycles = dialogue_sci::attente_defaut;
    if (e.type == etape_dialogue::sorte::envoyer) {
      if (mots.size() > 2) return "envoyer : en trop : " + mots[2];
      return "";
    }
    if (mots.size() == 2) return "";
    if (mots.size() != 4 || mots[2] != "max")
      return "attendre : \"texte\" [max CYCLES] attendu";
    if (!lit_cycles(mots[3], e.cycles))
      return "attendre : nombre de cycles invalide : " + mots[3];
    return "";
  }
  if (nom == "pause" || nom == "silence") {
    e.type = nom == "pause" ? etape_dialogue::sorte::pause
                            : etape_dialogue::sorte::silence;
    if (mots.size() != 2) return nom + " : CYCLES attendu";
    if (!lit_cycles(mots[1], e.cycles))
      return nom + " : nombre de cycles invalide : " + mots[1];
    return "";
  }
  return "etape inconnue : " + nom + " (attendre, envoyer, pause ou silence)";
}

}  // namespace

std::string lit_dialogue(const std::string& texte,
                         std::vector<etape_dialogue>& etapes) {
  std::size_t debut = 0;
  for (unsigned numero = 1; debut < texte.size(); ++numero) {
    std::size_t fin = texte.find('\n', debut);
    if (fin == std::string::npos) fin = texte.size();
    std::string ligne = texte.substr(debut, fin - debut);
    debut = fin + 1;
    if (!ligne.empty() && ligne.back() == '\r') ligne.pop_back();
    std::vector<std::string> mots;
    if (!decoupe(ligne, mots))
      return "ligne " + std::to_string(numero) + " : guillemet non ferme";
    if (mots.empty() || mots[0][0] == '#') continue;
    etape_dialogue e{etape_dialogue::sorte::pause, "", 0, numero};
    const std::string erreur = lit_etape(mots, e);
    if (!erreur.empty())
      return "ligne " + std::to_string(numero) + " : " + erreur;
    etapes.push_back(std::move(e));
  }
  return "";
}

std::string lit_fichier_dialogue(const std::string& chemin,
                                 std::vector<etape_dialogue>& etapes) {
  std::string texte, erreur;
  if (!lit_fichier_borne(chemin, {taille_max_script}, texte, erreur))
    return erreur;
  return lit_dialogue(texte, etapes);
}

dialogue_sci::dialogue_sci(std::vector<etape_dialogue> etapes)
    : etapes_(std::move(etapes)) {}

void dialogue_sci::lit_sortie(const machine& m) {
  const uint64_t emis = m.octets_sci_emis();
  if (!vus_fixes_) {
    emis_vus_ = emis;
    vus_fixes_ = true;
  }
  const auto nouveaux = static_cast<std::size_t>(
      std::min<uint64_t>(emis - emis_vus_, m.sortie_sci.size()));
  recu_.append(m.sortie_sci.end() - static_cast<long>(nouveaux),
               m.sortie_sci.end());
  emis_vus_ = emis;
}

void dialogue_sci::termine_etape() {
  ++courante_;
  commencee_ = false;
}

void dialogue_sci::interrompt(const std::string& stop) {
  if (fini()) return;
  echoue(cause::interrompu);
  stop_ = stop;
}

void dialogue_sci::echoue(cause raison) {
  echoue_ = true;
  raison_ = raison;
}

arret_machine dialogue_sci::avance(machine& m, const conditions_arret& c) {
  lit_sortie(m);
  while (!fini()) {
    const etape_dialogue& e = etapes_[courante_];
    if (e.type == etape_dialogue::sorte::envoyer) {
      if (!m.envoie_sci(e.texte)) {
        echoue(cause::refuse);
        break;
      }
      if (apres_envoi) apres_envoi();
      termine_etape();
      continue;
    }
    if (!commencee_) {
      commencee_ = true;
      debut_ = m.cycles;
      depuis_ = recu_.size();
    }
    const bool attend = e.type == etape_dialogue::sorte::attendre;
    if (attend && recu_.find(e.texte, depuis_) != std::string::npos) {
      termine_etape();
      continue;
    }
    if (e.type == etape_dialogue::sorte::silence && recu_.size() > depuis_) {
      echoue(cause::silence_rompu);
      break;
    }
    const uint64_t echeance =
        debut_ + e.cycles < debut_ ? ~uint64_t(0) : debut_ + e.cycles;
    const bool fini = fin_programme_ != arret_machine::aucun;
    if (m.cycles >= echeance || fini) {
      if (!attend) {
        termine_etape();
        continue;
      }
      echoue(fini ? cause::programme_arrete : cause::delai);
      break;
    }
    conditions_arret tranche = c;
    tranche.ligne_sci_libre = true;
    tranche.arret_sortie_sci = e.type != etape_dialogue::sorte::pause;
    tranche.max_cycles = std::min(c.max_cycles, echeance);
    const arret_machine r = m.execute(tranche);
    lit_sortie(m);
    switch (r) {
      case arret_machine::sortie_sci:
        break;
      case arret_machine::max_cycles:
        if (m.cycles < echeance) return r;
        break;
      case arret_machine::boucle:
      case arret_machine::attente:
      case arret_machine::suspendu:
      case arret_machine::illegal:
        // Nothing more will happen: the wait fails, time passes for the
        // others. The caller is told why the machine stopped.
        fin_programme_ = r;
        if (attend && recu_.find(e.texte, depuis_) == std::string::npos) {
          echoue(cause::programme_arrete);
          return r;
        }
        break;
      default:
        return r;
    }
  }
  return arret_machine::aucun;
}

std::string dialogue_sci::message(bool ascii) const {
  if (!echoue_) return "";
  const etape_dialogue& e = etapes_[courante_];
  std::string attendu = nom_sorte(e.type);
  if (e.type == etape_dialogue::sorte::attendre ||
      e.type == etape_dialogue::sorte::envoyer)
    attendu += " \"" + ecrit_echappements(e.texte) + "\"";
  if (e.type != etape_dialogue::sorte::envoyer)
    attendu += " " + std::to_string(e.cycles);
  const std::string fin = recu_.size() > longueur_fin_recue
                              ? recu_.substr(recu_.size() - longueur_fin_recue)
                              : recu_;
  std::string raison;
  switch (raison_) {
    case cause::delai:
      raison = std::string(ascii ? "rien apres " : "rien après ") +
               std::to_string(e.cycles) + " cycles";
      break;
    case cause::silence_rompu:
      raison = ascii ? "octet recu pendant le silence"
                     : "octet reçu pendant le silence";
      break;
    case cause::programme_arrete:
      raison =
          ascii ? "le programme s'est arrete" : "le programme s'est arrêté";
      break;
    case cause::interrompu:
      raison = std::string(ascii ? "le run s'est arrete avant la fin du script"
                                 : "l'exécution s'est arrêtée avant la fin du "
                                   "script") +
               " (stop=" + stop_ + ")";
      break;
    default:
      raison = ascii ? "le SCI ne prend pas ces caracteres (file pleine ou "
                       "modele flat)"
                     : "le SCI ne prend pas ces caractères (file pleine ou "
                       "modèle plat)";
  }
  return std::string(ascii ? "etape " : "étape ") +
         std::to_string(courante_ + 1) + " (ligne " + std::to_string(e.ligne) +
         ") " + attendu + " : " + raison +
         (ascii ? " ; recus : \"" : " ; reçus : \"") + ecrit_echappements(fin) +
         "\"";
}
