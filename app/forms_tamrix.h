// FLTK's Forms layer for the files that also see the CPU. <FL/forms.H>
// brings in <dirent.h>, whose DIR type would clash with the CPU's direct
// addressing-mode code DIR; the directory type is renamed while it is read.
#ifndef TAMRIX_APP_FORMS_TAMRIX_H
#define TAMRIX_APP_FORMS_TAMRIX_H

#define DIR dirent_DIR
#include <FL/forms.H>
#undef DIR

#endif
