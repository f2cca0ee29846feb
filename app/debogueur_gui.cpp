// The debugger in the window: step over ("@redo", F10), step out ("@8->|",
// Shift+F11), back to the call ("@4redo"), run to here (F4 over a
// disassembly line, or the context menu of the disassembly and of the
// source view), the "Débogage" menu, and the "Points d'arrêt" and "Pile
// d'appels" windows (ui/fenetres_debogueur.h). The points are kept with
// the program (debogueur/sauvegarde.h): saved at each change, read back
// when it is opened again, mapped through labels and lines by "Recharger".
#include <FL/Fl.H>
#include <FL/Fl_Box.H>
#include <FL/Fl_Browser.H>
#include <FL/Fl_Button.H>
#include <FL/Fl_Check_Button.H>
#include <FL/Fl_Choice.H>
#include <FL/Fl_Double_Window.H>
#include <FL/Fl_Hold_Browser.H>
#include <FL/Fl_Input.H>
#include <FL/Fl_Menu_Button.H>
#include <FL/Fl_Menu_Item.H>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "app/simulateur.h"
#include "debogueur/pile_appels.h"
#include "debogueur/sauvegarde.h"
#include "puce/interruptions.h"
#include "ui/fenetres_debogueur.h"
#include "ui/sim_class.h"

namespace {

// The "Débogage" menu's items, in order.
const char* const articles_menu[] = {
    "Pas à pas détaillé (F11)", "Pas à pas principal (F10)",
    "Pas de sortie (Maj+F11)",  "Retour au point d'appel",
    "Reculer par-dessus",       "Points d'arrêt...",
    "Pile d'appels..."};

// The kinds of the window's choice, in order.
enum sorte_fenetre {
  s_instruction,
  s_ecriture,
  s_lecture,
  s_acces,
  s_interruption,
  s_broche,
  s_refus,
  s_illegal,
  s_cop,
  s_cycle
};

int contextuel_fltk(const char* const* articles, int nombre) {
  std::vector<Fl_Menu_Item> menu(static_cast<std::size_t>(nombre) + 1);
  for (int i = 0; i < nombre; ++i)
    menu[static_cast<std::size_t>(i)] = {articles[i], 0, nullptr, nullptr, 0,
                                         0,           0, 14,      0};
  menu.back() = {nullptr, 0, nullptr, nullptr, 0, 0, 0, 0, 0};
  const Fl_Menu_Item* choisi =
      menu[0].popup(Fl::event_x(), Fl::event_y(), nullptr, nullptr, nullptr);
  return choisi ? static_cast<int>(choisi - menu.data()) : -1;
}

std::string hexa(unsigned v) {
  char t[8];
  std::snprintf(t, sizeof t, "$%04x", v);
  return t;
}

int sorte_de(const point_debogage& p) {
  using ev = point_debogage::evenement;
  if (p.type == point_debogage::sorte::instruction) return s_instruction;
  if (p.type == point_debogage::sorte::surveillance)
    return p.lecture && p.ecriture ? s_acces
           : p.lecture             ? s_lecture
                                   : s_ecriture;
  switch (p.quoi) {
    case ev::interruption:
      return s_interruption;
    case ev::broche:
      return s_broche;
    case ev::refus:
      return s_refus;
    case ev::illegal:
      return s_illegal;
    case ev::cop:
      return s_cop;
    default:
      return s_cycle;
  }
}

// A pin's number by its name (PA0 ... PE7, IRQ, XIRQ); -1 if none.
int broche_de(const std::string& nom) {
  std::string n;
  for (char c : nom)
    n += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  if (n == "IRQ") return broche_irq;
  if (n == "XIRQ") return broche_xirq;
  if (n.size() == 3 && n[0] == 'P' && n[1] >= 'A' && n[1] <= 'E' &&
      n[2] >= '0' && n[2] <= '7')
    return (n[1] - 'A') * 8 + (n[2] - '0');
  return -1;
}

// An interrupt's vector by its source's name (IRQ, TOF, RTI, SWI...) or a
// number; -1 if none.
int vecteur_de(const std::string& nom, const infos_debogage& infos) {
  std::string n;
  for (char c : nom)
    n += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  if (n == "SWI") return vecteur_swi;
  for (int s = 0; s < nb_sources_it; ++s)
    if (n == noms_it[s]) return vecteurs_it[s];
  unsigned short v = 0;
  return infos.lit_adresse(nom, v, nullptr) ? v : -1;
}

}  // namespace

simulateur::fonction_contextuel simulateur::menu_contextuel = contextuel_fltk;

void simulateur::installe_debogueur() {
  Fl_Double_Window* fenetre = forme_sim->fenetre;
  Fl_Group* avant = Fl_Group::current();
  fenetre->begin();
  bouton_par_dessus = new Fl_Button(238, 399, 24, 20, "@redo");
  bouton_par_dessus->tooltip("Pas à pas principal : un appel d'un coup (F10)");
  bouton_sortie = new Fl_Button(263, 399, 24, 20, "@8->|");
  bouton_sortie->tooltip(
      "Pas de sortie : jusqu'au retour de la routine ou "
      "de l'interruption (Maj+F11)");
  bouton_retour_appel = new Fl_Button(288, 399, 24, 20, "@4redo");
  bouton_retour_appel->tooltip(
      "Retour au point d'appel : en arrière, jusqu'à l'appel de la routine");
  for (Fl_Button* b : {bouton_par_dessus, bouton_sortie, bouton_retour_appel})
    b->labelsize(11);
  bouton_jusqua = new Fl_Button(0, 0, 1, 1);
  bouton_jusqua->hide();
  menu_debogage = new Fl_Menu_Button(440, 10, 100, 20, "Débogage");
  for (const char* article : articles_menu) {
    // '/' would make a submenu.
    menu_debogage->add(article, 0, nullptr, nullptr, 0);
  }
  menu_debogage->callback(Fl_Widget::default_callback);
  fenetre->end();
  Fl_Group::current(avant);
  // The labels of tracepoint messages: the loaded program's.
  outils_debogage.infos = &debogueur.infos();
  forme_points = new points_arret_class;
  forme_pile = new pile_appels_class;
}

// ------------------------------------------------------------ steps

void simulateur::pas_par_dessus() {
  controle_execution.arrete();
  if (!outils_debogage.prepare_par_dessus(simulation)) {
    // Not a call: a plain step.
    traite_commande(forme_sim->bouton_pas);
    return;
  }
  controle_execution.demarre();
}

void simulateur::pas_sortie() {
  controle_execution.arrete();
  outils_debogage.prepare_sortie(simulation);
  controle_execution.demarre();
}

void simulateur::execute_jusqua(unsigned short adresse) {
  controle_execution.arrete();
  outils_debogage.prepare_jusqua(adresse);
  controle_execution.demarre();
}

void simulateur::retour_appel() {
  controle_execution.arrete();
  if (!retour_point_appel(histoire)) {
    affiche_etat(
        "Retour au point d'appel : aucun appel en cours que "
        "l'historique atteint");
    return;
  }
  apres_retour();
}

bool simulateur::ligne_desa_sous(int x, int y, unsigned short& adresse) const {
  for (int i = 0; i < execution::nb_lignes; ++i) {
    const Fl_Widget* w = lignes_desa[i];
    if (w && x >= w->x() && x < w->x() + w->w() && y >= w->y() &&
        y < w->y() + w->h()) {
      adresse = controle_execution.adresse_ligne(i);
      return true;
    }
  }
  return false;
}

void simulateur::menu_adresse(unsigned short adresse) {
  const bool pose = controle_execution.point_arret(adresse);
  const char* articles[] = {
      "Exécuter jusqu'ici",
      pose ? "Retirer le point d'arrêt" : "Point d'arrêt ici",
      "Point d'arrêt conditionnel...", "Pile d'appels..."};
  switch (menu_contextuel(articles, 4)) {
    case 0:
      execute_jusqua(adresse);
      break;
    case 1:
      controle_execution.bascule_point_arret(adresse);
      sauve_points_programme();
      rafraichit_desassemble();
      break;
    case 2: {
      montre_points();
      points_arret_class& f = *forme_points;
      f.sorte->value(s_instruction);
      const std::string nom = debogueur.infos().nom_a(adresse, true);
      f.lieu->value((nom.empty() ? hexa(adresse) : nom).c_str());
      f.condition->value("");
      f.condition->take_focus();
      verifie_condition();
      break;
    }
    case 3:
      montre_pile();
      break;
    default:
      break;
  }
}

// ------------------------------------------------------------ windows

void simulateur::montre_points() {
  montre_auxiliaire(forme_points->fenetre, "Points d'arrêt");
  rafraichit_debogueur();
}

void simulateur::montre_pile() {
  montre_auxiliaire(forme_pile->fenetre, "Pile d'appels");
  rafraichit_debogueur();
}

void simulateur::rafraichit_debogueur() {
  if (forme_points && forme_points->fenetre->shown()) {
    points_arret_class& f = *forme_points;
    const int choisi = f.liste->value();
    f.liste->clear();
    for (std::size_t i = 0; i < outils_debogage.points.size(); ++i) {
      const point_debogage& p = outils_debogage.points[i];
      std::string ligne = std::to_string(i + 1) + "\t" +
                          (p.actif ? "oui" : "non") + "\t" + description(p);
      if (p.type == point_debogage::sorte::instruction &&
          p.lieu.empty() == false && p.lieu != hexa(p.adresse))
        ligne += " " + hexa(p.adresse);
      ligne += "\t" + (p.trace ? "trace " + p.message : p.condition.texte());
      ligne += "\t" + std::to_string(p.coups);
      if (p.a_partir_de > 1) ligne += "/" + std::to_string(p.a_partir_de);
      f.liste->add(ligne.c_str());
    }
    // The plain breakpoints (a click on a line) follow, without a number.
    const unsigned char* simples = controle_execution.points_arret();
    const infos_debogage& infos = debogueur.infos();
    for (unsigned a = 0; a < 0x10000; ++a) {
      if (!simples[a]) continue;
      const std::string nom = infos.nom_a(static_cast<unsigned short>(a), true);
      const std::string ligne = "-\toui\t" + hexa(a) +
                                (nom.empty() ? "" : " " + nom) +
                                "\t(clic sur la ligne)\t";
      f.liste->add(ligne.c_str(),
                   reinterpret_cast<void*>(static_cast<std::uintptr_t>(a) + 1));
    }
    if (choisi > 0 && choisi <= f.liste->size()) f.liste->value(choisi);
    f.journal->clear();
    for (const std::string& t : outils_debogage.traces)
      f.journal->add(t.c_str());
    if (f.journal->size() > 0) f.journal->bottomline(f.journal->size());
    if (outils_debogage.cellule >= 0)
      f.bouton_qui->activate();
    else
      f.bouton_qui->deactivate();
  }
  if (forme_pile && forme_pile->fenetre->shown()) {
    pile_appels_class& f = *forme_pile;
    pile_appels pile;
    const bool exacte = pile.reconstruit(histoire);
    f.liste->clear();
    const infos_debogage* infos = &debogueur.infos();
    for (std::size_t i = pile.cadres.size(); i > 0; --i) {
      const cadre_appel& c = pile.cadres[i - 1];
      f.liste->add(
          pile_appels::texte(c, infos).c_str(),
          reinterpret_cast<void*>(static_cast<std::uintptr_t>(c.entree)));
    }
    if (pile.cadres.empty()) f.liste->add("(aucun appel en cours)");
    std::string note = std::to_string(pile.cadres.size()) +
                       " appel(s) ou interruption(s) en cours.";
    if (!pile.complet)
      note +=
          " L'historique ne remonte pas au reset : les appels plus "
          "anciens manquent.";
    if (!exacte) note += " Rejeu inexact : la pile peut être fausse.";
    f.note->copy_label(note.c_str());
  }
}

void simulateur::sauve_points_programme() {
  if (debogueur.chemin().empty()) return;
  outils_debogage.simples.clear();
  const unsigned char* simples = controle_execution.points_arret();
  for (unsigned a = 0; a < 0x10000; ++a)
    if (simples[a])
      outils_debogage.simples.push_back(static_cast<unsigned short>(a));
  std::string erreur;
  if (!sauve_points(debogueur.chemin(), outils_debogage, &debogueur.infos(),
                    erreur))
    affiche_etat(("Points d'arrêt non enregistrés : " + erreur).c_str());
}

bool simulateur::lit_point_edite(point_debogage& p, std::string& erreur) {
  points_arret_class& f = *forme_points;
  const infos_debogage& infos = debogueur.infos();
  const int sorte = f.sorte->value();
  const std::string lieu = f.lieu->value();
  p = point_debogage();
  using ev = point_debogage::evenement;
  switch (sorte) {
    case s_instruction: {
      p.lieu = lieu;
      const std::size_t deux_points = lieu.rfind(':');
      if (deux_points != std::string::npos &&
          infos.adresse_de(
              lieu.substr(0, deux_points),
              static_cast<unsigned>(std::atoi(lieu.c_str() + deux_points + 1)),
              p.adresse))
        break;
      if (!infos.lit_adresse(lieu, p.adresse, &erreur, true)) {
        erreur = "Lieu : " + (erreur.empty() ? "adresse invalide" : erreur);
        return false;
      }
      break;
    }
    case s_ecriture:
    case s_lecture:
    case s_acces: {
      p.type = point_debogage::sorte::surveillance;
      p.lecture = sorte != s_ecriture;
      p.ecriture = sorte != s_lecture;
      const std::size_t tiret = lieu.find('-', 1);
      const std::string debut = lieu.substr(0, tiret);
      const std::string fin =
          tiret == std::string::npos ? debut : lieu.substr(tiret + 1);
      if (!infos.lit_adresse(debut, p.adresse, &erreur, true) ||
          !infos.lit_adresse(fin, p.fin, &erreur, true)) {
        erreur = "Lieu : " + (erreur.empty() ? "adresse invalide" : erreur);
        return false;
      }
      if (p.fin < p.adresse) {
        erreur = "Lieu : fin avant début";
        return false;
      }
      break;
    }
    case s_cycle: {
      p.type = point_debogage::sorte::evenement;
      p.quoi = ev::cycle;
      char* fin = nullptr;
      p.cycle = std::strtoull(lieu.c_str(), &fin, 10);
      if (lieu.empty() || *fin != '\0') {
        erreur = "Lieu : un nombre de cycles";
        return false;
      }
      break;
    }
    default: {
      p.type = point_debogage::sorte::evenement;
      const ev quoi[] = {ev::interruption, ev::broche, ev::refus, ev::illegal,
                         ev::cop};
      p.quoi = quoi[sorte - s_interruption];
      if (!lieu.empty() && sorte == s_interruption)
        p.numero = vecteur_de(lieu, infos);
      else if (!lieu.empty() && sorte == s_broche)
        p.numero = broche_de(lieu);
      if (!lieu.empty() && p.numero < 0 &&
          (sorte == s_interruption || sorte == s_broche)) {
        erreur = sorte == s_broche
                     ? "Lieu : broche inconnue (PA0...PE7, IRQ, XIRQ)"
                     : "Lieu : interruption inconnue (IRQ, TOF, SWI...)";
        return false;
      }
    }
  }
  const std::string condition = f.condition->value();
  if (!condition.empty() &&
      !p.condition.compile(condition, &infos, erreur, sorte != s_instruction)) {
    erreur = "Condition : " + erreur;
    return false;
  }
  const std::string passage = f.passage->value();
  char* fin = nullptr;
  p.a_partir_de =
      passage.empty() ? 0 : std::strtoull(passage.c_str(), &fin, 10);
  if (!passage.empty() && *fin != '\0') {
    erreur = "Arrêt au passage : un nombre";
    return false;
  }
  p.actif = f.actif->value() != 0;
  p.trace = f.trace->value() != 0;
  p.message = f.message->value();
  if (p.trace && !verifie_message(p.message, &infos, erreur)) {
    erreur = "Message : " + erreur;
    return false;
  }
  return true;
}

void simulateur::verifie_condition() {
  point_debogage p;
  std::string erreur;
  lit_point_edite(p, erreur);
  forme_points->erreur->copy_label(erreur.c_str());
  forme_points->erreur->redraw();
}

void simulateur::montre_point(int i) {
  if (i < 0 || i >= static_cast<int>(outils_debogage.points.size())) return;
  point_choisi_ = i;
  const point_debogage& p = outils_debogage.points[static_cast<std::size_t>(i)];
  points_arret_class& f = *forme_points;
  f.sorte->value(sorte_de(p));
  std::string lieu;
  if (p.type == point_debogage::sorte::instruction)
    lieu = p.lieu.empty() ? hexa(p.adresse) : p.lieu;
  else if (p.type == point_debogage::sorte::surveillance)
    lieu = hexa(p.adresse) + (p.fin != p.adresse ? "-" + hexa(p.fin) : "");
  else if (p.quoi == point_debogage::evenement::cycle)
    lieu = std::to_string(p.cycle);
  else if (p.numero >= 0)
    lieu = p.quoi == point_debogage::evenement::broche
               ? description(p).substr(std::string("broche ").size())
               : hexa(static_cast<unsigned>(p.numero));
  f.lieu->value(lieu.c_str());
  f.condition->value(p.condition.texte().c_str());
  f.passage->value(p.a_partir_de ? std::to_string(p.a_partir_de).c_str() : "");
  f.actif->value(p.actif);
  f.trace->value(p.trace);
  f.message->value(p.message.c_str());
  verifie_condition();
}

int simulateur::traite_debogueur(Fl_Widget* objet) {
  if (bouton_par_dessus == nullptr) return 0;
  if (objet == bouton_par_dessus) {
    pas_par_dessus();
    return 1;
  }
  if (objet == bouton_sortie) {
    pas_sortie();
    return 1;
  }
  if (objet == bouton_retour_appel) {
    retour_appel();
    return 1;
  }
  if (objet == bouton_jusqua) {
    unsigned short adresse = 0;
    if (ligne_desa_sous(x_clic_droit, y_clic_droit, adresse))
      execute_jusqua(adresse);
    else
      affiche_etat("F4 : placez la souris sur une ligne du désassemblage.");
    return 1;
  }
  if (objet == menu_debogage) {
    const Fl_Menu_Item* article = menu_debogage->mvalue();
    const int i =
        article ? static_cast<int>(article - menu_debogage->menu()) : -1;
    switch (i) {
      case 0:
        traite_commande(forme_sim->bouton_pas);
        break;
      case 1:
        pas_par_dessus();
        break;
      case 2:
        pas_sortie();
        break;
      case 3:
        retour_appel();
        break;
      case 4:
        controle_execution.arrete();
        if (pas_arriere_par_dessus(histoire))
          apres_retour();
        else
          affiche_etat("Historique : rien avant ce point");
        break;
      case 5:
        montre_points();
        break;
      case 6:
        montre_pile();
        break;
      default:
        break;
    }
    return 1;
  }
  points_arret_class& f = *forme_points;
  if (objet == f.fenetre || objet == f.bouton_fermer) {
    f.fenetre->hide();
  } else if (objet == f.liste) {
    const int n = f.liste->value();
    if (n > 0 && f.liste->data(n)) {
      // A plain breakpoint: its place in the fields, for a condition.
      point_choisi_ = -1;
      f.sorte->value(s_instruction);
      f.lieu->value(
          hexa(static_cast<unsigned>(
                   reinterpret_cast<std::uintptr_t>(f.liste->data(n)) - 1))
              .c_str());
      verifie_condition();
    } else {
      montre_point(n - 1);
    }
  } else if (objet == f.sorte || objet == f.lieu || objet == f.condition ||
             objet == f.message || objet == f.passage || objet == f.trace ||
             objet == f.actif) {
    verifie_condition();
  } else if (objet == f.bouton_ajouter || objet == f.bouton_modifier) {
    point_debogage p;
    std::string erreur;
    if (!lit_point_edite(p, erreur)) {
      f.erreur->copy_label(erreur.c_str());
      f.erreur->redraw();
      return 1;
    }
    auto& points = outils_debogage.points;
    if (objet == f.bouton_modifier && point_choisi_ >= 0 &&
        point_choisi_ < static_cast<int>(points.size())) {
      p.coups = points[static_cast<std::size_t>(point_choisi_)].coups;
      points[static_cast<std::size_t>(point_choisi_)] = std::move(p);
    } else {
      points.push_back(std::move(p));
      point_choisi_ = static_cast<int>(points.size()) - 1;
    }
    sauve_points_programme();
    rafraichit_debogueur();
    f.liste->value(point_choisi_ + 1);
    rafraichit_desassemble();
  } else if (objet == f.bouton_supprimer) {
    auto& points = outils_debogage.points;
    const int i = f.liste->value() - 1;
    if (i >= 0 && f.liste->data(i + 1)) {  // a plain breakpoint
      controle_execution.bascule_point_arret(static_cast<unsigned short>(
          reinterpret_cast<std::uintptr_t>(f.liste->data(i + 1)) - 1));
      sauve_points_programme();
      rafraichit_debogueur();
      rafraichit_desassemble();
      return 1;
    }
    if (i >= 0 && i < static_cast<int>(points.size())) {
      points.erase(points.begin() + i);
      point_choisi_ = -1;
      sauve_points_programme();
      rafraichit_debogueur();
      rafraichit_desassemble();
    }
  } else if (objet == f.bouton_compteurs) {
    outils_debogage.remet_compteurs();
    rafraichit_debogueur();
  } else if (objet == f.bouton_qui) {
    const int cellule = outils_debogage.cellule;
    if (cellule >= 0)
      montre_qui_a_change(
          {cible_historique::sorte::cellule, static_cast<unsigned>(cellule)},
          "la cellule " + hexa(static_cast<unsigned>(cellule)));
  } else if (objet == forme_pile->fenetre ||
             objet == forme_pile->bouton_fermer) {
    forme_pile->fenetre->hide();
  } else if (objet == forme_pile->liste) {
    const int n = forme_pile->liste->value();
    if (n > 0 && forme_pile->liste->data(n))
      montre_desassemblage(static_cast<unsigned short>(
          reinterpret_cast<std::uintptr_t>(forme_pile->liste->data(n))));
  } else if (objet == forme_pile->bouton_retour) {
    retour_appel();
  } else {
    return 0;
  }
  return 1;
}
