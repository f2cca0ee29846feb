// tamrix-run --version: the project's version and the commit it was built
// from, whatever else the command line holds.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "tests/run/processus.h"

namespace {

// The commit of the source tree as git names it, "" outside a checkout.
std::string commit_des_sources() {
  std::FILE* git = ::popen("git -C '" TAMRIX_SOURCE_DIR
                           "' rev-parse --short=12 HEAD 2>/dev/null",
                           "r");
  if (git == nullptr) return "";
  char ligne[64] = "";
  const bool lu = std::fgets(ligne, sizeof ligne, git) != nullptr;
  ::pclose(git);
  std::string commit = lu ? ligne : "";
  if (!commit.empty() && commit.back() == '\n') commit.pop_back();
  return commit;
}

TEST(Version, PrintsVersionCommitAndExamplesAndRunsNothing) {
  const std::string commit = commit_des_sources();
  const std::string debut = "tamrix-run " TAMRIX_VERSION_PROJET +
                            (commit.empty() ? "\n" : " (commit " + commit);
  for (const auto& arguments : std::vector<std::vector<std::string>>{
           {"--version"},
           {"--max-steps", "x", "--version", "a.s19", "b.s19"},
           {"--poke", "0x10000=1", "--version"},
       }) {
    const sortie_run r = lance_run(arguments);
    EXPECT_EQ(0, r.statut) << arguments[0];
    EXPECT_EQ(0u, r.sortie.find(debut)) << r.sortie;
    EXPECT_EQ(3u, r.lignes().size()) << r.sortie;
    EXPECT_NE(std::string::npos,
              r.sortie.find("\nExemples : " TAMRIX_SOURCE_DIR "/examples\n"));
    EXPECT_EQ("", r.erreurs);
  }
}

TEST(Version, AfterDoubleDashIsAProgramName) {
  const sortie_run r = lance_run({"--", "--version"});
  EXPECT_EQ(2, r.statut);
  EXPECT_EQ("", r.sortie);
}

}  // namespace
