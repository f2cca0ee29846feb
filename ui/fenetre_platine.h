// The "Carte" window: the board around the chip (platine/platine.h) drawn
// as it sits on the bench. LEDs glow with the share of the last frame they
// were lit, seven-segment digits show their segments as the eye sees a
// multiplexed scan, the LCD shows its 5x8 dots on a green or blue
// backlight with its cursor, buttons, switches and keys move when clicked,
// the potentiometer is a slider, a wire glows with its level.
//
// The drawing holds no simulation state: it draws what the board gives at
// each redraw, and turns clicks and keys into actions that it puts on the
// object queue (its default callback) for the simulator to apply, as every
// widget of the program does.
// Left out: free placement of the components (they are laid out in rows,
// in the file's order), the LCD ROM's characters above $7F (drawn as a
// box).
#ifndef TAMRIX_UI_FENETRE_PLATINE_H
#define TAMRIX_UI_FENETRE_PLATINE_H

#include <FL/Fl_Widget.H>

#include <cstdint>
#include <map>
#include <vector>

class Fl_Double_Window;
class Fl_Box;
class Fl_Button;
class Fl_Choice;
class platine;

class dessin_platine : public Fl_Widget {
 public:
  // What the user did: element `element` of component `composant` pressed
  // or switched on (`actif`) or released, or a potentiometer moved to
  // `microvolts`.
  struct action {
    int composant;
    int element;
    bool actif;
    bool tension;
    int32_t microvolts;
  };
  // Taken by the simulator at each activation.
  std::vector<action> actions;

  dessin_platine(int x, int y, int w, int h);

  // The board to draw (null: none), and whether its pins are held (no
  // run going on). Lays it out: the height it needs is hauteur().
  void montre(const platine* carte, bool fige);
  void fige(bool f) { fige_ = f; }
  int hauteur() const { return hauteur_; }
  // Where an element is drawn (the window's coordinates): false when it
  // is not.
  bool zone(int composant, int element, int& x, int& y, int& w, int& h) const;

  int handle(int evenement) override;

 protected:
  void draw() override;

 private:
  struct place {
    int x, y, w, h;
  };
  const platine* carte_ = nullptr;
  bool fige_ = true;
  std::vector<place> places_;  // by component
  int hauteur_ = 0;
  // Held by the mouse: a button or a key, released with it.
  int tenu_composant_ = -1, tenu_element_ = -1;
  int glisse_ = -1;  // the potentiometer being dragged
  // Keys of the keyboard held: key code -> component, element.
  std::map<int, std::pair<int, int>> touches_;

  bool sous(int x, int y, int& composant, int& element) const;
  void ajoute(int composant, int element, bool actif);
  void glisse(int composant, int x);
  bool touche(int code, bool enfoncee);
};

class platine_class {
 public:
  Fl_Double_Window* fenetre;
  // "Carte" : "Aucune", the presets, "Fichier..."
  Fl_Choice* choix;
  Fl_Box* etat;  // the board's title, or why nothing is drawn
  dessin_platine* dessin;
  Fl_Button* bouton_fermer;

  platine_class();
  // Sizes the window to the drawing's height.
  void ajuste();
};

#endif
