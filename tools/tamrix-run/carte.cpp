// The board of tamrix-run. See carte.h.
#include "tools/tamrix-run/carte.h"

#include "puce/machine.h"

std::string prepare_carte(const options_run& options, machine& m,
                          std::unique_ptr<platine>& carte) {
  std::string source = options.carte;
  if (source.empty()) source = carte_du_programme(options.programme);
  if (source.empty()) {
    if (!options.actions.empty())
      return (options.actions.front().appui ? "--appui" : "--relache") +
             std::string(" : pas de carte (--carte FICHIER|NOM)");
    return "";
  }
  description_carte d;
  std::string erreur;
  if (!charge_carte(source, d, erreur)) return "--carte : " + erreur;
  if (!m.e9())
    return "--carte : le modele flat n'a pas de broches pour une carte";
  carte.reset(new platine(d));
  for (const action_carte& a : options.actions) {
    int composant = 0, element = 0;
    if (!carte->trouve(a.nom, composant, element))
      return std::string(a.appui ? "--appui" : "--relache") +
             " : rien a actionner de ce nom sur la carte : \"" + a.nom + "\"";
  }
  carte->attache(m);
  return "";
}

void planifie_actions(const options_run& options, platine& carte) {
  for (const action_carte& a : options.actions) {
    int composant = 0, element = 0;
    if (carte.trouve(a.nom, composant, element))
      carte.planifie(a.cycle, composant, element, a.appui);
  }
}

std::vector<std::string> lignes_carte(const platine& carte,
                                      raison_arret raison) {
  // Cut while running, the last frame; stopped for good, the pins held.
  const bool fige =
      raison != raison_arret::max_cycles && raison != raison_arret::max_pas;
  return carte.lignes(fige);
}
