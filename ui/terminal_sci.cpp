// The "Terminal SCI" window. See terminal_sci.h.
#include "ui/terminal_sci.h"

#include <FL/Fl.H>
#include <FL/Fl_Box.H>
#include <FL/Fl_Button.H>
#include <FL/Fl_Check_Button.H>
#include <FL/Fl_Choice.H>
#include <FL/Fl_Double_Window.H>
#include <FL/Fl_Group.H>
#include <FL/Fl_Input.H>
#include <FL/Fl_Menu_Bar.H>
#include <FL/Fl_Progress.H>
#include <FL/Fl_Tabs.H>
#include <FL/Fl_Text_Buffer.H>
#include <FL/fl_draw.H>

#include <cstdlib>
#include <cstring>

#include "ui/auxiliaires_outils.h"

const char* const terminal_sci_class::textes_articles[nb_articles] = {
    "Copier",
    "Coller",
    "Effacer l'écran",
    "Enregistrer le texte...",
    "Envoyer un fichier...",
    "Rejouer un script...",
    "Relier à un pseudo-terminal",
    "Fermer"};

const unsigned terminal_sci_class::bauds[] = {300,  1200,  2400,  4800,
                                              9600, 19200, 38400, 115200};
const int terminal_sci_class::nb_bauds =
    sizeof(terminal_sci_class::bauds) / sizeof(terminal_sci_class::bauds[0]);

namespace {

constexpr int taille_texte = 13;
constexpr double duree_clignotement = 0.15;

// The bytes a key sends: its text, or the control character of the keys
// that have none; Ctrl+letter its control code.
std::string octets_touche() {
  if (Fl::event_length() > 0)
    return std::string(Fl::event_text(), Fl::event_length());
  switch (Fl::event_key()) {
    case FL_Enter:
    case FL_KP_Enter:
      return "\r";
    case FL_BackSpace:
      return "\b";
    case FL_Tab:
      return "\t";
    case FL_Escape:
      return "\x1b";
    case FL_Delete:
      return "\x7f";
    default:
      return "";
  }
}

Fl_Text_Display* affichage(int x, int y, int w, int h, Fl_Text_Buffer* texte) {
  Fl_Text_Display* d = new Fl_Text_Display(x, y, w, h);
  d->buffer(texte);
  d->textfont(FL_COURIER);
  d->textsize(taille_texte);
  return d;
}

// A row of widgets that keeps their sizes when the window grows: an
// invisible box at its right end takes the extra width.
Fl_Group* rangee(int x, int y, int w, int h) {
  Fl_Group* g = new Fl_Group(x, y, w, h);
  Fl_Box* vide = new Fl_Box(x + w - 1, y, 1, h);
  g->resizable(vide);
  return g;
}

}  // namespace

ecran_terminal::ecran_terminal(int x, int y, int w, int h)
    : Fl_Text_Display(x, y, w, h) {}

int ecran_terminal::colonnes_visibles() {
  fl_font(textfont(), textsize());
  const double largeur = fl_width("M");
  const int utile = w() - Fl::box_dx(box()) * 2 - scrollbar_width() - 8;
  return largeur > 0 ? static_cast<int>(utile / largeur) : 80;
}

void ecran_terminal::garde_colonne_gauche() {
  if (mHorizOffset != 0) scroll(mTopLineNum, 0);
}

bool ecran_terminal::copie_selection() {
  if (!buffer() || !buffer()->selected()) return false;
  char* texte = buffer()->selection_text();
  Fl::copy(texte, static_cast<int>(std::strlen(texte)), 1);
  std::free(texte);
  return true;
}

int ecran_terminal::handle(int evenement) {
  switch (evenement) {
    case FL_FOCUS:
    case FL_UNFOCUS:
      redraw();
      return 1;
    case FL_PUSH:
      take_focus();
      if (Fl::event_button() == FL_MIDDLE_MOUSE) {
        Fl::paste(*this, 0);
        return 1;
      }
      break;
    case FL_PASTE:
      touches.append(Fl::event_text(), Fl::event_length());
      do_callback();
      return 1;
    case FL_KEYBOARD: {
      const bool ctrl_maj =
          (Fl::event_state() & (FL_CTRL | FL_SHIFT)) == (FL_CTRL | FL_SHIFT);
      if (ctrl_maj && (Fl::event_key() == 'c' || Fl::event_key() == 'C')) {
        copie_selection();
        return 1;
      }
      if (ctrl_maj && (Fl::event_key() == 'v' || Fl::event_key() == 'V')) {
        Fl::paste(*this, 1);
        return 1;
      }
      const std::string octets = octets_touche();
      if (octets.empty()) break;
      touches += octets;
      do_callback();
      return 1;
    }
    default:
      break;
  }
  return Fl_Text_Display::handle(evenement);
}

terminal_sci_class::terminal_sci_class() {
  const int W = 720, H = 560;
  fenetre = fenetre_auxiliaire(this, W, H, "Terminal SCI");
  menu = new Fl_Menu_Bar(0, 0, W, 25);
  for (int a = 0; a < nb_articles; ++a) {
    // A '/' in an item's text makes a submenu: none here.
    std::string texte = std::string("Terminal/") + textes_articles[a];
    int drapeaux = a == effacer || a == relier_pty ? FL_MENU_DIVIDER : 0;
    if (a == relier_pty) drapeaux |= FL_MENU_TOGGLE;
    menu->add(texte.c_str(), 0, nullptr, nullptr, drapeaux);
  }
  menu->box(FL_FLAT_BOX);
  onglets = new Fl_Tabs(10, 32, W - 20, H - 82);
  onglet_sci = new Fl_Group(10, 57, W - 20, H - 107, "SCI");
  Fl_Group* reglages = rangee(20, 64, W - 40, 26);
  choix_debit = new Fl_Choice(65, 64, 170, 26, "Débit");
  choix_debit->add("Comme le programme");
  for (int i = 0; i < nb_bauds; ++i)
    choix_debit->add(std::to_string(bauds[i]).c_str());
  choix_debit->value(0);
  choix_debit->tooltip(
      "Le débit du terminal. Différent de celui du programme (BAUD), les "
      "caractères arrivent brouillés, comme sur le banc.");
  choix_format = new Fl_Choice(295, 64, 75, 26, "Format");
  choix_format->add("8N1|7E1|9 bits");
  choix_format->value(0);
  case_cr = new Fl_Check_Button(385, 64, 105, 26, "CR → CR LF");
  case_lf = new Fl_Check_Button(495, 64, 105, 26, "LF → CR LF");
  case_echo = new Fl_Check_Button(605, 64, 95, 26, "Écho local");
  reglages->end();
  texte_sci = new Fl_Text_Buffer;
  ecran = new ecran_terminal(20, 96, W - 40, H - 250);
  ecran->buffer(texte_sci);
  ecran->textfont(FL_COURIER);
  ecran->textsize(taille_texte);
  ecran->show_cursor(1);
  ecran->cursor_style(Fl_Text_Display::BLOCK_CURSOR);
  // Only a vertical scroll bar: the screen wraps at its width.
  ecran->scrollbar_align(FL_ALIGN_RIGHT);
  ecran->tooltip("Cliquer ici puis taper : les touches vont au SCI (RxD)");
  progression = new Fl_Progress(20, H - 148, W - 40, 18);
  progression->minimum(0);
  progression->maximum(1);
  progression->selection_color(FL_DARK_GREEN);
  progression->hide();
  etat = new Fl_Box(FL_NO_BOX, 20, H - 126, W - 40, 70, "");
  etat->align(FL_ALIGN_LEFT | FL_ALIGN_TOP | FL_ALIGN_INSIDE | FL_ALIGN_WRAP);
  etat->labelsize(12);
  onglet_sci->resizable(ecran);
  onglet_sci->end();
  onglet_spi = new Fl_Group(10, 57, W - 20, H - 107, "SPI");
  texte_spi = new Fl_Text_Buffer;
  ecran_spi = affichage(20, 67, W - 40, H - 200, texte_spi);
  Fl_Group* bas_spi = rangee(20, H - 128, W - 40, 70);
  Fl_Box* aide = new Fl_Box(FL_NO_BOX, 20, H - 128, 560, 20,
                            "Octets envoyés sur MOSI, en hexadécimal.");
  aide->align(FL_ALIGN_LEFT | FL_ALIGN_INSIDE);
  aide->labelsize(12);
  saisie_miso =
      new Fl_Input(300, H - 98, 60, 28, "Octet renvoyé sur MISO (hex) :");
  saisie_miso->value("FF");
  bouton_miso = new Fl_Button(370, H - 98, 100, 28, "Appliquer");
  bas_spi->end();
  onglet_spi->resizable(ecran_spi);
  onglet_spi->end();
  onglets->resizable(onglet_sci);
  onglets->end();
  Fl_Group* boutons = rangee(10, H - 42, W - 20, 32);
  bouton_effacer = new Fl_Button(W / 2 - 130, H - 42, 100, 30, "Effacer");
  bouton_fermer = new Fl_Button(W / 2 + 30, H - 42, 100, 30, "Fermer");
  boutons->end();
  fenetre->resizable(onglets);
  fenetre->size_range(W, 420);
  fenetre->end();
}

terminal_sci_class::article terminal_sci_class::article_choisi() const {
  const Fl_Menu_Item* choisi = menu->mvalue();
  if (choisi == nullptr || choisi->label() == nullptr) return nb_articles;
  for (int a = 0; a < nb_articles; ++a)
    if (std::string(choisi->label()) == textes_articles[a])
      return static_cast<article>(a);
  return nb_articles;
}

void terminal_sci_class::choisit(article a) {
  const Fl_Menu_Item* item =
      menu->find_item((std::string("Terminal/") + textes_articles[a]).c_str());
  if (item == nullptr) return;
  menu->value(item);
  menu->do_callback();
}

void terminal_sci_class::clignote() {
  if (!clignotant_) {
    clignotant_ = true;
    ecran->color(FL_FOREGROUND_COLOR);
    ecran->textcolor(FL_BACKGROUND2_COLOR);
    ecran->redraw();
  }
  Fl::remove_timeout(fin_clignotement, this);
  Fl::add_timeout(duree_clignotement, fin_clignotement, this);
}

void terminal_sci_class::fin_clignotement(void* moi) {
  terminal_sci_class& t = *static_cast<terminal_sci_class*>(moi);
  t.clignotant_ = false;
  t.ecran->color(FL_BACKGROUND2_COLOR);
  t.ecran->textcolor(FL_FOREGROUND_COLOR);
  t.ecran->redraw();
}
