// FLTK's Forms layer, as the application files include it.
#ifndef TAMRIX_APP_FORMS_TAMRIX_H
#define TAMRIX_APP_FORMS_TAMRIX_H

#include <FL/forms.H>

#endif
