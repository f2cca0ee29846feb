// The main window as the X server sees it: closing through the window
// manager, keys, a burst of activations, the screenshot, the real program.
#include "tests/gui/banc_gui.h"

// Xlib's macros come after GoogleTest, whose names they would clash with.
#include <FL/Fl.H>
#include <FL/Fl_Double_Window.H>
#include <FL/Fl_Slider.H>
#include <FL/x.H>
#include <X11/keysym.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>

namespace {

// What a window manager sends when the user closes a window.
void envoie_fermeture(Display* d, Window fenetre) {
  XEvent e{};
  e.xclient.type = ClientMessage;
  e.xclient.window = fenetre;
  e.xclient.message_type = XInternAtom(d, "WM_PROTOCOLS", False);
  e.xclient.format = 32;
  e.xclient.data.l[0] =
      static_cast<long>(XInternAtom(d, "WM_DELETE_WINDOW", False));
  e.xclient.data.l[1] = CurrentTime;
  XSendEvent(d, fenetre, False, NoEventMask, &e);
  XFlush(d);
}

void envoie_touche(Window fenetre, KeySym touche) {
  XEvent e{};
  e.xkey.type = KeyPress;
  e.xkey.display = fl_display;
  e.xkey.window = fenetre;
  e.xkey.root = RootWindow(fl_display, fl_screen);
  e.xkey.same_screen = True;
  e.xkey.keycode = XKeysymToKeycode(fl_display, touche);
  XSendEvent(fl_display, fenetre, True, KeyPressMask, &e);
}

// Lets FLTK read what the X server has for it.
void traite_evenements_x() {
  XSync(fl_display, False);
  for (int i = 0; i < 20; ++i) Fl::wait(0.01);
}

std::vector<Fl_Widget*> vide_file(simulateur& sim) {
  std::vector<Fl_Widget*> objets;
  while (Fl_Widget* o = sim.objet_suivant()) objets.push_back(o);
  return objets;
}

}  // namespace

TEST_F(GuiTest, WindowManagerCloseEndsTheLoopLikeQuit) {
  traite_evenements_x();
  envoie_fermeture(fl_display, fl_xid(f().fenetre));
  traite_evenements_x();
  EXPECT_TRUE(f().fenetre->shown());
  const std::vector<Fl_Widget*> objets = vide_file(*sim);
  ASSERT_EQ(objets.size(), 1u);
  EXPECT_EQ(objets[0], f().fenetre);
  EXPECT_EQ(sim->traite_objet(objets[0]), 1);
}

TEST_F(GuiTest, EscapeKeyDoesNotCloseTheWindow) {
  f().fenetre->take_focus();
  traite_evenements_x();
  envoie_touche(fl_xid(f().fenetre), XK_Escape);
  traite_evenements_x();
  EXPECT_TRUE(f().fenetre->shown());
  EXPECT_TRUE(vide_file(*sim).empty());
}

TEST_F(GuiTest, BurstOfEnterPressesLosesNoFill) {
  tape(f().saisie_adresse, "0");
  tape(f().saisie_valeur, "1");
  tape(f().saisie_nombre, "1");
  f().saisie_nombre->take_focus();
  traite_evenements_x();
  const int nombre = 45;  // more than FLTK's object queue holds
  for (int i = 0; i < nombre; ++i)
    envoie_touche(fl_xid(f().fenetre), XK_Return);
  traite_evenements_x();
  const std::vector<Fl_Widget*> objets = vide_file(*sim);
  EXPECT_EQ(objets.size(), static_cast<size_t>(nombre));
  EXPECT_EQ(std::count(objets.begin(), objets.end(), f().saisie_nombre),
            nombre);
}

TEST_F(GuiTest, ScreenshotAfterLoadingTheLightChaser) {
  fichier_choisi = TAMRIX_SOURCE_DIR "/examples/chenillard.s19";
  f().menu_fichier->value(1);
  ASSERT_EQ(active(*sim, f().menu_fichier), 0);
  ASSERT_TRUE(alertes_vues.empty());
  for (int i = 0; i < 6; ++i) active(*sim, f().bouton_pas);
  active(*sim, sim->port_E.boutons[1]);
  fl_set_slider_value(f().ascenseur_dump, 0xB600);
  active(*sim, f().ascenseur_dump);
  f().fenetre->redraw();
  traite_evenements_x();
  // The picture goes to the build tree; TAMRIX_CAPTURE_DOCS=1 makes it the
  // README's picture, docs/tamrix.png.
  const char* docs = std::getenv("TAMRIX_CAPTURE_DOCS");
  const std::string png = docs && std::string(docs) == "1"
                              ? TAMRIX_SOURCE_DIR "/docs/tamrix.png"
                              : TAMRIX_BINARY_DIR "/tamrix.png";
  std::ostringstream commande;
  commande << "import -window 0x" << std::hex << fl_xid(f().fenetre) << " "
           << png;
  ASSERT_EQ(std::system(commande.str().c_str()), 0);
  std::ifstream image(png, std::ios::binary);
  char signature[4] = {};
  image.read(signature, 4);
  EXPECT_EQ(std::string(signature + 1, 3), "PNG");
}

TEST_F(GuiTest, TimeFromStepToViewsRedrawn) {
  fichier_choisi = TAMRIX_SOURCE_DIR "/examples/chenillard.s19";
  f().menu_fichier->value(1);
  active(*sim, f().menu_fichier);
  traite_evenements_x();
  std::vector<double> durees;
  for (int i = 0; i < 300; ++i) {
    const auto debut = std::chrono::steady_clock::now();
    f().bouton_pas->do_callback();
    sim->traite_objet(sim->objet_suivant());
    Fl::flush();
    XSync(fl_display, False);
    durees.push_back(std::chrono::duration<double, std::micro>(
                         std::chrono::steady_clock::now() - debut)
                         .count());
  }
  std::sort(durees.begin(), durees.end());
  std::printf(
      "[ mesure  ] step to views redrawn: median %.0f us, "
      "90th percentile %.0f us over %zu steps\n",
      durees[durees.size() / 2], durees[durees.size() * 9 / 10], durees.size());
  EXPECT_NE(sim->processeur.PC_value(), 0xB600);
}

#ifdef TAMRIX_PROGRAMME
namespace {

long temps_cpu(pid_t pid) {
  std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
  std::string champ;
  long utime = 0, stime = 0;
  for (int i = 1; i <= 15 && stat >> champ; ++i) {
    if (i == 14) utime = std::stol(champ);
    if (i == 15) stime = std::stol(champ);
  }
  return utime + stime;
}

std::vector<std::string> fenetres_nommees(const char* titre) {
  const std::string commande =
      std::string("xdotool search --name '^") + titre + "$' 2>/dev/null";
  std::vector<std::string> ids;
  if (FILE* sortie = popen(commande.c_str(), "r")) {
    char ligne[64];
    while (std::fgets(ligne, sizeof ligne, sortie)) ids.push_back(ligne);
    pclose(sortie);
  }
  return ids;
}

// A window with this title that is not among `connues`, waited for.
std::string nouvelle_fenetre(const char* titre,
                             const std::vector<std::string>& connues) {
  for (int essai = 0; essai < 200; ++essai) {
    for (const std::string& id : fenetres_nommees(titre))
      if (std::find(connues.begin(), connues.end(), id) == connues.end())
        return id;
    usleep(100000);
  }
  return "";
}

}  // namespace

TEST(Programme, StartsOnAFileIdlesAndEndsWhenClosed) {
  // The tests' own simulator may have a window of the same title; the
  // window is titled with the program it opened ("tamrix — ...", the dash
  // matched as any bytes).
  const char* const titre = "tamrix .* chenillard.s19";
  const std::vector<std::string> connues = fenetres_nommees(titre);
  const pid_t pid = fork();
  ASSERT_GE(pid, 0);
  if (pid == 0) {
    execl(TAMRIX_PROGRAMME, "tamrix",
          TAMRIX_SOURCE_DIR "/examples/chenillard.s19", nullptr);
    _exit(127);
  }
  const std::string fenetre = nouvelle_fenetre(titre, connues);
  if (fenetre.empty()) kill(pid, SIGKILL);
  ASSERT_FALSE(fenetre.empty());
  usleep(500000);
  const long avant = temps_cpu(pid);
  usleep(2000000);
  const long apres = temps_cpu(pid);
  std::printf("[ mesure  ] idle tamrix: %ld clock ticks of CPU in 2 s\n",
              apres - avant);
  Display* d = XOpenDisplay(nullptr);
  ASSERT_NE(d, nullptr);
  envoie_fermeture(d, std::stoul(fenetre));
  XCloseDisplay(d);
  int statut = -1;
  for (int i = 0; i < 100 && waitpid(pid, &statut, WNOHANG) == 0; ++i)
    usleep(100000);
  if (!WIFEXITED(statut)) kill(pid, SIGKILL);
  ASSERT_TRUE(WIFEXITED(statut));
  EXPECT_EQ(WEXITSTATUS(statut), 0);
}
#endif
