// Files the serial link reads (a script, a text to send): regular files
// only, read with a size bound.
#ifndef TAMRIX_SERIE_FICHIERS_H
#define TAMRIX_SERIE_FICHIERS_H

#include <cstddef>
#include <string>

// The whole file into `contenu`. False, with the reason in `erreur`
// ("fichier illisible : ...", "pas un fichier ordinaire", "fichier trop
// grand (plus de N octets)"), when it cannot be read or is larger than
// `taille_max`.
bool lit_texte_borne(const std::string& chemin, std::size_t taille_max,
                     std::string& contenu, std::string& erreur);

#endif
