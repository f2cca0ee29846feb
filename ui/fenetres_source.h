// The windows of source-level debugging: the source view (the program's
// source file, a line per row, the PC's line highlighted, a click to set or
// clear a breakpoint) and the assembler's messages after a failed assembly.
// The classes only build the widgets, hidden and without callbacks of their
// own: every activation goes to the Forms object queue, as in the main
// window (app/debogage.cpp fills and reads them). Left out: editing, search,
// several files side by side.
#ifndef TAMRIX_UI_FENETRES_SOURCE_H
#define TAMRIX_UI_FENETRES_SOURCE_H

class Fl_Double_Window;
class Fl_Box;
class Fl_Browser;
class Fl_Button;

// "Source : somme.s": the path above, the lines in a fixed font (one row
// per source line: a marker column, the line number, the text), a line of
// help or state below. Resizable: the list takes the space.
class fenetre_source_class {
 public:
  Fl_Double_Window* fenetre;
  Fl_Box* chemin;
  Fl_Browser* lignes;  // an Fl_Select_Browser: a click reports its row
  Fl_Box* etat;

  fenetre_source_class();
};

// The assembler's lines (with, under each error, the source line it names)
// and a button to close it.
class fenetre_assemblage_class {
 public:
  Fl_Double_Window* fenetre;
  Fl_Box* titre;
  Fl_Browser* lignes;
  Fl_Button* bouton_fermer;

  fenetre_assemblage_class();
};

// While the assembler or the linker runs: the file, the tool and the time
// so far, and "Annuler". Modal, so that nothing else acts meanwhile; the
// button has a callback of its own (it must act inside the wait).
class fenetre_progres_class {
 public:
  Fl_Double_Window* fenetre;
  Fl_Box* ligne;
  Fl_Button* bouton_annuler;

  fenetre_progres_class();
};

#endif
