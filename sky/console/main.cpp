// lumira-sky: runs commands against a fresh sky-chart engine in its
// default state and prints each reply on a line of its own.
//
//   lumira-sky "Time = UT(2006,1,1,5,0,0)" "? JST(Time)"
//   echo "? Time.jd" | lumira-sky
//
// Commands come from the arguments or, when there are none, from standard
// input one line at a time.  "HR n" in a position query looks in the
// Bright Star Catalogue of the xplanet package ($LUMIRA_XPLANET_DIR
// overrides where it is).  The exit status is 1 when any command was
// answered with an error, else 0.
#include <cstdio>
#include <cstring>
#include <iostream>
#include <memory>
#include <string>

#include "sky/engine.h"
#include "sky/sky_files.h"

#ifndef LUMIRA_VERSION
#define LUMIRA_VERSION "unknown"
#endif

namespace {

constexpr const char* kUsage =
    "Usage: lumira-sky [COMMAND]...\n"
    "Runs commands of the host command language against a fresh sky-chart engine\n"
    "and prints each reply on a line of its own.\n"
    "\n"
    "Commands come from the arguments or, when there are none, from standard\n"
    "input one line at a time.\n"
    "\n"
    "Options:\n"
    "  -h, --help     Show this help and exit.\n"
    "  -v, --version  Show the version and exit.\n";

// Help and version, when asked for alone: no command begins with "-".
bool AnswerOption(const char* argument) {
  if (!std::strcmp(argument, "-h") || !std::strcmp(argument, "--help")) {
    std::fputs(kUsage, stdout);
    return true;
  }
  if (!std::strcmp(argument, "-v") || !std::strcmp(argument, "--version")) {
    std::printf("lumira-sky %s\n", LUMIRA_VERSION);
    return true;
  }
  return false;
}

bool RunOne(CSkyEngine& engine, std::string_view command) {
  const std::string reply = engine.Execute(command);
  std::fwrite(reply.data(), 1, reply.size(), stdout);
  std::fputc('\n', stdout);
  std::fflush(stdout);
  return reply.rfind("ERROR:", 0) != 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 2 && AnswerOption(argv[1])) return 0;
  CSkyEngine engine;
  auto files = sky::LoadSkyFiles(sky::SkyDataDirectory());
  engine.SetStarCatalogue(std::make_shared<const sky::StarCatalogue>(std::move(files.catalogue)));
  bool allGood = true;
  if (argc > 1) {
    for (int i = 1; i < argc; ++i) allGood = RunOne(engine, argv[i]) && allGood;
    return allGood ? 0 : 1;
  }
  std::string line;
  while (std::getline(std::cin, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    allGood = RunOne(engine, line) && allGood;
  }
  return allGood ? 0 : 1;
}
