#ifndef TAMRIX_UI_TERMINAL_SCI_H
#define TAMRIX_UI_TERMINAL_SCI_H

// The "Terminal SCI" window: the terminal at the other end of the SCI's
// line, and the bytes of the SPI. Built hidden, resizable, at least 80
// columns wide; no widget has a callback of its own: their activations go
// to the object queue and the simulator (app/liaisons.cpp) fills and reads
// them. The screen only draws the terminal's screen model
// (serie/ecran_serie.h), copied into a text buffer; the menu "Terminal"
// holds the actions (copy, paste, save the text, send a file, replay a
// script, link a pseudo-terminal); the row above the screen the
// terminal's line settings and options.

#include <FL/Fl_Text_Display.H>

#include <string>

class Fl_Double_Window;
class Fl_Box;
class Fl_Button;
class Fl_Check_Button;
class Fl_Choice;
class Fl_Group;
class Fl_Input;
class Fl_Menu_Bar;
class Fl_Progress;
class Fl_Tabs;
class Fl_Text_Buffer;

// A text display that also takes the keyboard: each key's bytes are added
// to `touches` and the widget goes on the object queue; so does a paste
// (Ctrl+Shift+V, the middle button), its text in `touches` too.
// Ctrl+Shift+C copies the selection.
class ecran_terminal : public Fl_Text_Display {
 public:
  // Typed or pasted and not yet handed to the machine.
  std::string touches;

  ecran_terminal(int x, int y, int w, int h);
  int handle(int evenement) override;
  // Columns of text that fit in its width.
  int colonnes_visibles();
  // The selected text to the clipboard; false when nothing is selected.
  bool copie_selection();
  // Back to the first column if the view had scrolled sideways.
  void garde_colonne_gauche();
};

class terminal_sci_class {
 public:
  // The items of the "Terminal" menu, in order.
  enum article {
    copier,
    coller,
    effacer,
    enregistrer,
    envoyer_fichier,
    rejouer_script,
    relier_pty,  // a toggle: checked while a pseudo-terminal is linked
    fermer,
    nb_articles
  };
  static const char* const textes_articles[nb_articles];
  // The rates of the "Débit" choice after "Comme le programme".
  static const unsigned bauds[];
  static const int nb_bauds;

  Fl_Double_Window* fenetre;
  Fl_Menu_Bar* menu;
  Fl_Tabs* onglets;
  // First tab: the SCI.
  Fl_Group* onglet_sci;
  Fl_Choice* choix_debit;      // "Comme le programme", then bauds[]
  Fl_Choice* choix_format;     // 8N1, 7E1, 9 bits
  Fl_Check_Button* case_cr;    // "CR → CR LF"
  Fl_Check_Button* case_lf;    // "LF → CR LF"
  Fl_Check_Button* case_echo;  // "Écho local"
  ecran_terminal* ecran;
  Fl_Text_Buffer* texte_sci;
  Fl_Progress* progression;  // a file being sent
  Fl_Box* etat;              // rate, format, queue, losses, pty, script
  // Second tab: the SPI, bytes sent in hexadecimal and the peripheral's
  // answer.
  Fl_Group* onglet_spi;
  Fl_Text_Display* ecran_spi;
  Fl_Text_Buffer* texte_spi;
  Fl_Input* saisie_miso;
  Fl_Button* bouton_miso;
  Fl_Button* bouton_effacer;  // clears the tab shown
  Fl_Button* bouton_fermer;

  terminal_sci_class();
  // The item of the menu last chosen, or nb_articles.
  article article_choisi() const;
  // Chooses an item as a click would (its activation queued).
  void choisit(article a);
  // BEL: the screen flashes (inverted for a moment).
  void clignote();
  bool clignotant() const { return clignotant_; }

 private:
  bool clignotant_ = false;
  static void fin_clignotement(void* moi);
};

#endif
