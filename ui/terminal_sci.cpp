// The "Terminal SCI" window. See terminal_sci.h.
#include "ui/terminal_sci.h"

#include <FL/Fl.H>
#include <FL/Fl_Box.H>
#include <FL/Fl_Button.H>
#include <FL/Fl_Double_Window.H>
#include <FL/Fl_Group.H>
#include <FL/Fl_Input.H>
#include <FL/Fl_Tabs.H>
#include <FL/Fl_Text_Buffer.H>

#include "ui/auxiliaires_outils.h"

namespace {

// The bytes a key sends: its text, or the control character of the keys
// that have none.
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
  d->textsize(13);
  return d;
}

}  // namespace

ecran_terminal::ecran_terminal(int x, int y, int w, int h)
    : Fl_Text_Display(x, y, w, h) {}

int ecran_terminal::handle(int evenement) {
  switch (evenement) {
    case FL_FOCUS:
    case FL_UNFOCUS:
      redraw();
      return 1;
    case FL_PUSH:
      take_focus();
      break;
    case FL_KEYBOARD: {
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
  fenetre = fenetre_auxiliaire(this, 600, 420, "Terminal SCI");
  onglets = new Fl_Tabs(10, 10, 580, 340);
  onglet_sci = new Fl_Group(10, 35, 580, 315, "SCI");
  texte_sci = new Fl_Text_Buffer;
  ecran = new ecran_terminal(20, 45, 560, 260);
  ecran->buffer(texte_sci);
  ecran->textfont(FL_COURIER);
  ecran->textsize(13);
  ecran->tooltip("Cliquer ici puis taper : les touches vont au SCI (RxD)");
  etat = new Fl_Box(FL_NO_BOX, 20, 310, 560, 35, "");
  etat->align(FL_ALIGN_LEFT | FL_ALIGN_INSIDE | FL_ALIGN_WRAP);
  etat->labelsize(12);
  onglet_sci->end();
  onglet_spi = new Fl_Group(10, 35, 580, 315, "SPI");
  texte_spi = new Fl_Text_Buffer;
  ecran_spi = affichage(20, 45, 560, 230, texte_spi);
  Fl_Box* aide = new Fl_Box(FL_NO_BOX, 20, 280, 560, 20,
                            "Octets envoyés sur MOSI, en hexadécimal.");
  aide->align(FL_ALIGN_LEFT | FL_ALIGN_INSIDE);
  aide->labelsize(12);
  saisie_miso =
      new Fl_Input(300, 310, 60, 28, "Octet renvoyé sur MISO (hex) :");
  saisie_miso->value("FF");
  bouton_miso = new Fl_Button(370, 310, 100, 28, "Appliquer");
  onglet_spi->end();
  onglets->end();
  bouton_effacer = new Fl_Button(180, 375, 100, 30, "Effacer");
  bouton_fermer = new Fl_Button(320, 375, 100, 30, "Fermer");
  fenetre->end();
}
