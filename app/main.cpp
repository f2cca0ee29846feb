// tamrix: a desktop simulator of the MC68HC11 microcontroller.
#include <FL/Fl_Window.H>

#include <cstdio>
#include <cstring>

#include "app/simulateur.h"
#include "tamrix_version.h"
#include "text/installation.h"

namespace {

const char* const texte_aide =
    R"(Usage : tamrix [OPTION FLTK...] [PROGRAMME]

Simulateur du microcontroleur MC68HC11 (68HC711E9) pour l'enseignement de
l'assembleur : execution pas a pas ou continue, points d'arret, registres et
drapeaux, desassemblage, dump de la memoire et ports paralleles A a E.
PROGRAMME, un fichier S19, un fichier ELF ou un source assembleur .s (assemble
par m68hc11-as du paquet binutils-m68hc1x), est charge au demarrage comme par
"Fichier" > "Ouvrir fichier s19" ; ses etiquettes et ses lignes de source
s'affichent dans le desassemblage et la vue du source.

Options :
  --help                ce texte
  --version             la version de tamrix, son commit et le dossier des
                        exemples, sans ouvrir de fenetre

Options de la boite a outils FLTK, avant PROGRAMME :
  -display HOTE:N.E     l'ecran X a utiliser
  -geometry LxH+X+Y     taille et position de la fenetre
  -iconic               demarrer en icone
  -scheme NOM           apparence : none, plastic, gtk+ ou gleam
  -bg COULEUR, -bg2 COULEUR, -fg COULEUR
                        couleurs du fond, des champs et du texte
  -name CLASSE, -title TITRE
                        classe et titre de la fenetre
  -tooltips, -notooltips, -kbd, -nokbd, -dnd, -nodnd
                        bulles d'aide, clavier, glisser-deposer

Pour executer un programme sans fenetre, dans un script : tamrix-run.
)";

}  // namespace

#if defined(__SANITIZE_ADDRESS__)
// A build with AddressSanitizer checks for leaks at exit. The simulator
// frees its windows (simulateur::~simulateur); what stays is fontconfig's
// cache of fonts, which it keeps for the life of the process (FLTK's Xft
// text asks for it) and which is no leak of ours.
extern "C" const char* __lsan_default_suppressions() {
  return "leak:libfontconfig.so\n";
}
#endif

int main(int argc, char** argv) {
  // --help and --version answer on the terminal, before any window.
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--help") == 0) {
      std::fputs(texte_aide, stdout);
      return 0;
    }
    if (std::strcmp(argv[i], "--version") == 0) {
      std::fputs(texte_version("tamrix", TAMRIX_VERSION, TAMRIX_COMMIT).c_str(),
                 stdout);
      return 0;
    }
  }
  // The desktop entry's StartupWMClass: the desktop shows its icon.
  Fl_Window::default_xclass("tamrix");
  simulateur sim(argc, argv);
  sim.interprete_commandes();
  return 0;
}
