#ifndef TAMRIX_UI_AUXILIAIRES_OUTILS_H
#define TAMRIX_UI_AUXILIAIRES_OUTILS_H

// Builders shared by the auxiliary windows (internal to ui/).

#include "ui/auxiliaires.h"

// A hidden window of w x h with no box, the form as user data, and the
// raised background box that covers it.
Fl_Double_Window* fenetre_auxiliaire(void* forme, int w, int h,
                                     const char* titre);

// An engraved black frame titled above its top-left corner, in Times.
Fl_Box* cadre_titre(int x, int y, int w, int h, const char* titre);

// The package body, pin numbers, pin marks, leads and pin-1 dot.
void construit_boitier(aff_composant_class& forme);

#endif
