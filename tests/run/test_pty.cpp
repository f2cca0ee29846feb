// tamrix-run --sci-pty against real clients: pyserial (Debian's
// python3-serial, run by the system's Python) and picocom open the
// pseudo-terminal whose path tamrix-run prints, type, and read what the
// program sends back.
#include <gtest/gtest.h>
#include <signal.h>

#include <chrono>
#include <string>
#include <vector>

#include "tests/run/processus.h"

namespace {

// Starts `mots` (looked up in PATH) with its standard output into the file
// `sortie` and the actions `a` adds; its pid, or -1.
pid_t demarre(std::vector<std::string> mots, const std::string& sortie,
              posix_spawn_file_actions_t& a) {
  std::vector<char*> argv;
  for (std::string& m : mots) argv.push_back(&m[0]);
  argv.push_back(nullptr);
  posix_spawn_file_actions_addopen(&a, 1, sortie.c_str(),
                                   O_WRONLY | O_CREAT | O_TRUNC, 0600);
  pid_t pid = -1;
  if (posix_spawnp(&pid, argv[0], &a, nullptr, argv.data(), environ) != 0)
    pid = -1;
  posix_spawn_file_actions_destroy(&a);
  return pid;
}

// tamrix-run started with its standard error on a pipe, to read the path.
struct session_pty {
  pid_t pid = -1;
  std::string chemin;
  dossier_temporaire dossier;

  explicit session_pty(const std::vector<std::string>& arguments) {
    int tube[2];
    if (pipe(tube) != 0) return;
    std::vector<std::string> mots{TAMRIX_RUN_PROGRAMME, "--sci-pty"};
    mots.insert(mots.end(), arguments.begin(), arguments.end());
    posix_spawn_file_actions_t a;
    posix_spawn_file_actions_init(&a);
    posix_spawn_file_actions_adddup2(&a, tube[1], 2);
    posix_spawn_file_actions_addclose(&a, tube[0]);
    pid = demarre(mots, dossier.fichier("out"), a);
    close(tube[1]);
    // "tamrix-run: pseudo-terminal : /dev/pts/N"
    std::string ligne;
    char c;
    while (read(tube[0], &c, 1) == 1 && c != '\n') ligne += c;
    close(tube[0]);
    const auto deux_points = ligne.rfind(" : ");
    if (deux_points != std::string::npos)
      chemin = ligne.substr(deux_points + 3);
  }
  // Waits for its end: its exit status and final line.
  int fin(std::string& derniere) {
    int etat = 0;
    waitpid(pid, &etat, 0);
    sortie_run r;
    r.sortie = lit_tout(dossier.fichier("out"));
    derniere = r.derniere_ligne();
    return WIFEXITED(etat) ? WEXITSTATUS(etat) : -1;
  }
};

// A client: what it printed (the bytes it read), its exit status.
sortie_run client(const std::vector<std::string>& commande) {
  dossier_temporaire d;
  posix_spawn_file_actions_t a;
  posix_spawn_file_actions_init(&a);
  posix_spawn_file_actions_addopen(&a, 0, "/dev/null", O_RDONLY, 0);
  sortie_run r;
  const pid_t pid = demarre(commande, d.fichier("out"), a);
  int etat = 0;
  if (pid > 0 && waitpid(pid, &etat, 0) == pid && WIFEXITED(etat))
    r.statut = WEXITSTATUS(etat);
  r.sortie = lit_tout(d.fichier("out"));
  return r;
}

// pyserial: opens the device, writes `envoi`, reads `attendus` bytes (2 s
// at most), prints them, closes the device.
sortie_run pyserial(const std::string& chemin, const std::string& envoi,
                    int attendus) {
  const std::string programme =
      "import serial, sys\n"
      "s = serial.Serial(sys.argv[1], 9600, timeout=2)\n"
      "s.write(sys.argv[2].encode())\n"
      "sys.stdout.write(s.read(int(sys.argv[3])).decode())\n"
      "s.close()\n";
  return client({"/usr/bin/python3", "-c", programme, chemin, envoi,
                 std::to_string(attendus)});
}

TEST(Pty, PyserialTypesAndReadsTheEchoThenClosingEndsTheRun) {
  session_pty s({"--dump", "0:0", exemple("echo.s19")});
  ASSERT_EQ(0u, s.chemin.rfind("/dev/pts/", 0)) << s.chemin;
  const sortie_run c = pyserial(s.chemin, "Salut\r", 6);
  EXPECT_EQ(0, c.statut);
  EXPECT_EQ("Salut\r", c.sortie);
  std::string derniere;
  EXPECT_EQ(0, s.fin(derniere));
  EXPECT_NE(std::string::npos, derniere.find("stop=hangup")) << derniere;
  EXPECT_EQ("   0  6\n", lit_tout(s.dossier.fichier("out")).substr(0, 8));
}

TEST(Pty, PicocomReadsTheMenuAndAnswers) {
  session_pty s({exemple("menu.s19")});
  ASSERT_FALSE(s.chemin.empty());
  // picocom types what comes on its standard input, prints what it
  // receives, and leaves after 1.5 s of silence.
  dossier_temporaire d;
  const std::string entree = d.ecrit("entree", "1");
  const sortie_run c =
      client({"sh", "-c", "picocom -q -b 9600 -x 1500 \"$0\" < \"$1\"",
              s.chemin, entree});
  EXPECT_EQ(0, c.statut);
  EXPECT_NE(std::string::npos, c.sortie.find("3) Quitter\r\nChoix ? "))
      << c.sortie;
  EXPECT_NE(std::string::npos, c.sortie.find("1\r\nBonjour !\r\n")) << c.sortie;
  std::string derniere;
  EXPECT_EQ(0, s.fin(derniere));
  EXPECT_NE(std::string::npos, derniere.find("stop=hangup")) << derniere;
}

TEST(Pty, EndsWithTheProgramALimitOrASignal) {
  {
    // The program ends: the run ends, the client has read its message.
    session_pty s({exemple("bonjour.s19")});
    const sortie_run c = pyserial(s.chemin, "", 9);
    EXPECT_EQ("Bonjour\r\n", c.sortie);
    std::string derniere;
    EXPECT_EQ(0, s.fin(derniere));
    EXPECT_NE(std::string::npos, derniere.find("stop=loop")) << derniere;
  }
  {
    // At the chip's pace: 400 000 cycles take at least 0.2 s.
    const auto debut = std::chrono::steady_clock::now();
    session_pty s({"--max-cycles", "400000", exemple("echo.s19")});
    std::string derniere;
    EXPECT_EQ(1, s.fin(derniere));
    EXPECT_GE(
        std::chrono::duration<double>(std::chrono::steady_clock::now() - debut)
            .count(),
        0.19);
    EXPECT_NE(std::string::npos, derniere.find("cycles=400000 ")) << derniere;
    EXPECT_NE(std::string::npos, derniere.find("stop=max-cycles"));
  }
  {
    session_pty s({exemple("echo.s19")});
    ASSERT_FALSE(s.chemin.empty());
    kill(s.pid, SIGTERM);
    std::string derniere;
    EXPECT_EQ(1, s.fin(derniere));
    EXPECT_NE(std::string::npos, derniere.find("stop=signal")) << derniere;
  }
}

}  // namespace
