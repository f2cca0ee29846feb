#ifndef TAMRIX_UI_FORM_ABOUT_H
#define TAMRIX_UI_FORM_ABOUT_H

class Fl_Double_Window;
class Fl_Button;
class Fl_Box;

// The About window: the program's name, a one-line description, eleven
// credit lines and an "OK" button. Built hidden; whoever shows it titles it
// and may put the program's version in the last credit line.
class form_about_class {
 public:
  Fl_Double_Window* fenetre;
  Fl_Button* bouton_ok;
  Fl_Box* ligne_version;

  form_about_class();
};

// Number of credit lines of the About window.
constexpr int nb_lignes_credit = 11;

// The credit lines, top to bottom.
extern const char* const lignes_credit[nb_lignes_credit];

#endif
