// Start-up, tear-down and the command loop of the simulator.
#include "app/simulateur.h"

#include <FL/Fl.H>
#include <FL/Fl_Box.H>
#include <FL/Fl_Double_Window.H>
#include <FL/Fl_Slider.H>
#include <FL/Fl_Text_Buffer.H>
#include <FL/fl_ask.H>

#include <algorithm>
#include <deque>
#include <vector>

#include "app/forms_tamrix.h"
// The file chooser's header reads <dirent.h> too (app/forms_tamrix.h).
#define DIR dirent_DIR
#include <FL/Fl_File_Chooser.H>
#undef DIR
#include "app/travail.h"
#include "ui/auxiliaires.h"
#include "ui/fenetres_source.h"
#include "ui/form_about.h"
#include "ui/options_puce.h"
#include "ui/qui_a_change.h"
#include "ui/registres_config.h"
#include "ui/sim_class.h"
#include "ui/terminal_sci.h"

namespace {

// Activated widgets taken off FLTK's object queue. That queue holds only a
// few entries and drops the oldest when full, so it is emptied here after
// every event, before a burst could overflow it.
std::deque<Fl_Widget*> file_objets;

void recueille_file_fltk() {
  while (Fl_Widget* w = Fl::readqueue()) file_objets.push_back(w);
}

// What a right click in a main window puts on the queue ("Qui a change
// ceci ?"), where it was kept in simulateur::x_clic_droit, y_clic_droit;
// one per simulator.
std::vector<Fl_Widget*> demandes_clic_droit;

int aiguille_evenement(int evenement, Fl_Window* fenetre) {
  // Keyboard shortcuts (app/raccourcis.cpp) before any widget.
  if (raccourci_clavier(evenement)) {
    recueille_file_fltk();
    return 1;
  }
  if (evenement == FL_PUSH && Fl::event_button() == FL_RIGHT_MOUSE)
    for (Fl_Widget* demande : demandes_clic_droit)
      if (fenetre == demande->window()) {
        simulateur::x_clic_droit = Fl::event_x();
        simulateur::y_clic_droit = Fl::event_y();
        file_objets.push_back(demande);
        return 1;
      }
  const int traite = Fl::handle_(evenement, fenetre);
  recueille_file_fltk();
  return traite;
}

// A window closed through the window manager goes on the object queue like
// any widget; the Escape key, which FLTK takes for a close, does nothing.
void fermeture_fenetre(Fl_Widget* fenetre, void*) {
  if (Fl::event() == FL_SHORTCUT && Fl::event_key() == FL_Escape) return;
  Fl_Widget::default_callback(fenetre, nullptr);
}

// The toolkit's own texts in French: the alerts' button ("Fermer"), the
// questions' answers, the file chooser's labels.
void textes_fltk_en_francais() {
  fl_close = "Fermer";
  fl_ok = "OK";
  fl_cancel = "Annuler";
  fl_yes = "Oui";
  fl_no = "Non";
  Fl_File_Chooser::add_favorites_label = "Ajouter aux favoris";
  Fl_File_Chooser::all_files_label = "Tous les fichiers (*)";
  Fl_File_Chooser::custom_filter_label = "Filtre personnalisé";
  Fl_File_Chooser::existing_file_label =
      "Ce fichier existe déjà. Le remplacer ?";
  Fl_File_Chooser::favorites_label = "Favoris";
  Fl_File_Chooser::filename_label = "Nom du fichier :";
  Fl_File_Chooser::filesystems_label = "Systèmes de fichiers";
  Fl_File_Chooser::manage_favorites_label = "Gérer les favoris";
  Fl_File_Chooser::new_directory_label = "Nom du nouveau dossier ?";
  Fl_File_Chooser::new_directory_tooltip = "Créer un dossier";
  Fl_File_Chooser::preview_label = "Aperçu";
  Fl_File_Chooser::save_label = "Enregistrer";
  Fl_File_Chooser::show_label = "Afficher :";
  Fl_File_Chooser::hidden_label = "Fichiers cachés";
}

const char* selecteur_forms(const char* message, const char* dossier,
                            const char* motif, const char* nom) {
  return fl_show_file_selector(message, dossier, motif, nom);
}

struct config_port {
  portparallele simulateur::*port;
  int numero;
  int x;
  const char* nom;
  unsigned short donnee;
  int x_ddr, y_ddr;
  const char* nom_ddr;
  unsigned short ddr;
  unsigned char sortie, entree;
};

const config_port configs_ports[5] = {
    {&simulateur::port_A, 0, 60, "Port A", 0x1000, 0, 0, "", 0, 0x70, 0x07},
    {&simulateur::port_B, 1, 170, "Port B", 0x1004, 0, 0, "", 0, 0xFF, 0x00},
    {&simulateur::port_C, 2, 280, "Port C", 0x1003, 280, 270, "DDRC", 0x1007,
     0x00, 0x00},
    {&simulateur::port_D, 3, 390, "Port D", 0x1008, 390, 270, "DDRD", 0x1009,
     0x00, 0x00},
    {&simulateur::port_E, 4, 500, "Port E", 0x100A, 0, 0, "", 0, 0x00, 0xFF},
};

}  // namespace

void montre_auxiliaire(Fl_Window* fenetre, const char* titre) {
  fenetre->clear_modal_states();
  if (fenetre->shown()) {
    fenetre->copy_label(titre);
    fenetre->show();
    return;
  }
  fl_show_form(fenetre, FL_PLACE_MOUSE, FL_FULLBORDER, titre);
}

namespace {

bool question_fltk(const char* texte, const char* oui) {
  return fl_choice("%s", fl_cancel, oui, nullptr, texte) == 1;
}

}  // namespace

fonction_alerte simulateur::alerte = fl_show_alert;
fonction_question simulateur::question = question_fltk;
fonction_selecteur simulateur::selecteur_fichier = selecteur_forms;

simulateur::simulateur(int argc, char** argv)
    : forme_sim(nullptr),
      forme_pref_affichage(nullptr),
      forme_aff_composant(nullptr),
      forme_about(nullptr),
      forme_aide(nullptr),
      forme_chronogramme(nullptr),
      forme_cycles(nullptr),
      forme_convert(nullptr),
      forme_interruptions(nullptr),
      forme_adresse_base(nullptr),
      forme_terminal(nullptr),
      lignes_desa{},
      lignes_dump{},
      ligne_etat(nullptr),
      ligne_refus(nullptr),
      simulation(modele_machine::e9),
      memoire(simulation.memoire),
      processeur(simulation.cpu),
      histoire(simulation),
      bouton_pas_arriere(nullptr),
      bouton_retour_arriere(nullptr),
      demande_qui(nullptr),
      forme_qui(nullptr),
      debut_desa(0),
      controle_execution(*this),
      debogueur(*this),
      travail(new fenetres_travail(*this)) {
  textes_fltk_en_francais();
  fl_initialize(&argc, argv, nullptr, nullptr, 0);
  construit_formes();
  prepare_vues();
  simulation.reset();
  sauve_registres();
  debut_desa = processeur.PC_value();
  rafraichit_desassemble();
  rafraichit_dump(0);
  configure_ports();
  rafraichit_ports();
  controle_execution.installe();
  debogueur.installe();
  installe_historique();
  installe_debogueur();
  demandes_clic_droit.push_back(demande_qui);
  controle_execution.choisit_vitesse(vitesse::temps_reel);
  travail->installe();
  file_objets.clear();
  Fl::event_dispatch(aiguille_evenement);
  // Smaller, the widgets would overlap.
  forme_sim->fenetre->size_range(forme_sim->fenetre->w(),
                                 forme_sim->fenetre->h());
  fl_show_form(forme_sim->fenetre, FL_PLACE_CENTER | FL_FREE_SIZE,
               FL_FULLBORDER, "tamrix");
  // The saved options; the last program when none is named here.
  travail->lit_options_sauvees(argc <= 1);
  if (argc > 1) charge_programme(argv[1]);
  // What the options set (analog inputs...) is where the history starts.
  histoire.demarre();
}

namespace {

// A form built once: its window (which deletes its widgets) and itself.
template <typename F>
void libere(F*& forme) {
  if (forme == nullptr) return;
  delete forme->fenetre;
  delete forme;
  forme = nullptr;
}

}  // namespace

simulateur::~simulateur() {
  demandes_clic_droit.erase(std::remove(demandes_clic_droit.begin(),
                                        demandes_clic_droit.end(), demande_qui),
                            demandes_clic_droit.end());
  desinscrit_raccourcis(this);
  delie_pty();
  fl_hide_form(forme_sim->fenetre);
  // No run left to call back into the windows; then every window, shown or
  // not, freed while the display is still open: a normal exit leaves
  // nothing allocated behind it (an ASan build checks for leaks).
  controle_execution.arrete();
  libere(travail->preferences.forme_config);
  libere(debogueur.source);
  libere(debogueur.assemblage);
  libere(debogueur.progres);
  libere(forme_qui);
  libere(forme_pref_affichage);
  libere(forme_aff_composant);
  libere(forme_about);
  libere(forme_aide);
  libere(forme_chronogramme);
  libere(forme_cycles);
  libere(forme_convert);
  libere(forme_interruptions);
  libere(forme_adresse_base);
  // The terminal's text buffers are not their displays' (FLTK 1.3).
  Fl_Text_Buffer* tampons[] = {forme_terminal->texte_sci,
                               forme_terminal->texte_spi};
  libere(forme_terminal);
  for (Fl_Text_Buffer* t : tampons) delete t;
  libere(forme_sim);
  fl_finish();
  // The event hook stays: it only moves activations to the shared queue.
}

void simulateur::construit_formes() {
  forme_sim = new SIM_class;
  forme_sim->fenetre->callback(fermeture_fenetre);
  // Dispatched by their text (commandes.cpp); "Quitter" stays last.
  fl_set_menu(forme_sim->menu_fichier,
              "A propos de...|Ouvrir fichier s19|Recharger|Voir le source|"
              "Quitter");
  fl_set_menu(forme_sim->menu_options,
              "Adresse de  Base...|Interruptions...|Ports...|"
              "Affichage des Registres...|Sauver les options|"
              "Terminal SCI...|Effacer l'EEPROM");
  forme_pref_affichage = new pref_affichage_class;
  forme_aff_composant = new aff_composant_class;
  forme_about = new form_about_class;
  forme_aide = new aide_class;
  forme_chronogramme = new Chronogramme_class;
  forme_cycles = new Cycles_class;
  forme_convert = new convert_class;
  forme_interruptions = new interruptions_class;
  forme_adresse_base = new adresse_base_class;
  forme_terminal = new terminal_sci_class;
}

void simulateur::prepare_vues() {
  SIM_class& f = *forme_sim;
  Fl_Widget* desa[12] = {f.ligne_desa_0, f.ligne_desa_1,  f.ligne_desa_2,
                         f.ligne_desa_3, f.ligne_desa_4,  f.ligne_desa_5,
                         f.ligne_desa_6, f.ligne_desa_7,  f.ligne_desa_8,
                         f.ligne_desa_9, f.ligne_desa_10, f.ligne_desa_11};
  for (int i = 0; i < 12; ++i) lignes_desa[i] = desa[i];
  fl_set_slider_bounds(f.ascenseur_dump, 0, 65440);
  fl_set_slider_step(f.ascenseur_dump, 1);
  fl_set_slider_value(f.ascenseur_dump, 0);
  Fl_Widget* dump[12] = {f.ligne_dump_0, f.ligne_dump_1,  f.ligne_dump_2,
                         f.ligne_dump_3, f.ligne_dump_4,  f.ligne_dump_5,
                         f.ligne_dump_6, f.ligne_dump_7,  f.ligne_dump_8,
                         f.ligne_dump_9, f.ligne_dump_10, f.ligne_dump_11};
  for (int i = 0; i < 12; ++i) lignes_dump[i] = dump[i];
  Fl_Group* avant = Fl_Group::current();
  f.fenetre->begin();
  ligne_etat = new Fl_Box(FL_NO_BOX, 40, 268, 230, 66, nullptr);
  ligne_etat->align(FL_ALIGN_LEFT | FL_ALIGN_TOP | FL_ALIGN_INSIDE |
                    FL_ALIGN_WRAP);
  ligne_etat->labelsize(12);
  ligne_etat->labelcolor(FL_DARK_RED);
  // Between the register frame and the port frame, right of the title.
  ligne_refus = new Fl_Box(FL_NO_BOX, 262, 163, 368, 20, nullptr);
  ligne_refus->align(FL_ALIGN_RIGHT | FL_ALIGN_INSIDE | FL_ALIGN_CLIP);
  ligne_refus->labelsize(12);
  ligne_refus->labelcolor(FL_DARK_RED);
  f.fenetre->end();
  Fl_Group::current(avant);
}

void simulateur::configure_ports() {
  for (const config_port& c : configs_ports) {
    portparallele& port = this->*c.port;
    port.machine_sim = &simulation;
    port.numero = c.numero;
    port.configure(forme_sim, c.x, 200, c.nom, c.donnee, c.x_ddr, c.y_ddr,
                   c.nom_ddr, c.ddr, c.sortie, c.entree, &memoire);
  }
}

Fl_Widget* simulateur::objet_suivant() {
  recueille_file_fltk();
  if (file_objets.empty()) return nullptr;
  Fl_Widget* objet = file_objets.front();
  file_objets.pop_front();
  return objet;
}

void simulateur::interprete_commandes() {
  for (;;) {
    Fl_Widget* objet = objet_suivant();
    if (!objet) {
      Fl::wait();
      continue;
    }
    if (traite_objet(objet)) return;
  }
}
