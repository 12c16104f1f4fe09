// brimvale-cli: the headless front end (inspect, export, render, benchmark).
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "cli/command_registry.h"
#include "deform/document_deformers.h"
#include "foundation/version.h"
#include "geometry/parallel_derivation.h"

namespace brimvale::cli {

std::vector<CliCommand>& Commands() {
  static std::vector<CliCommand> commands;
  return commands;
}

namespace {

void PrintUsage(FILE* out) {
  std::fprintf(out,
               "Usage: brimvale-cli COMMAND [OPTIONS] FILE...\n"
               "Headless tools for Metasequoia models (.mqo, .mqoz).\n\n"
               "Commands:\n");
  auto commands = Commands();
  std::sort(commands.begin(), commands.end(),
            [](const CliCommand& a, const CliCommand& b) { return std::strcmp(a.name, b.name) < 0; });
  for (const CliCommand& command : commands) std::fprintf(out, "  %-8s %s\n", command.name, command.summary);
  std::fprintf(out,
               "\nEvery command that derives geometry (info --derived, export, render, time, bench)\n"
               "takes --threads N: derive objects on N threads (default: all cores).\n"
               "\nRun 'brimvale-cli COMMAND --help' for the options of a command,\n"
               "'brimvale-cli --version' for the version.\n"
               "BRIMVALE_POVRAY names the POV-Ray program that 'export --render' runs\n"
               "(default: povray on PATH).\n"
               "Exit status: 0 success, 1 not a Metasequoia file, 2 a file could not be opened,\n"
               "3 the work failed, 64 bad usage.\n");
}

// Takes "--threads N" or "--threads=N" out of the arguments (before any "--")
// and sets the derivation's thread count; false on a bad count.
bool TakeThreadsOption(std::vector<std::string>& args) {
  for (size_t i = 0; i < args.size(); ++i) {
    if (args[i] == "--") break;
    std::string value;
    size_t taken = 1;
    if (args[i] == "--threads") {
      if (i + 1 >= args.size()) return false;
      value = args[i + 1];
      taken = 2;
    } else if (args[i].rfind("--threads=", 0) == 0) {
      value = args[i].substr(10);
    } else {
      continue;
    }
    char* end = nullptr;
    const long threads = std::strtol(value.c_str(), &end, 10);
    if (value.empty() || *end != '\0' || threads < 1 || threads > 1024) return false;
    brimvale::SetDerivationThreads(static_cast<int>(threads));
    args.erase(args.begin() + static_cast<std::ptrdiff_t>(i), args.begin() + static_cast<std::ptrdiff_t>(i + taken));
    --i;
  }
  return true;
}

}  // namespace
}  // namespace brimvale::cli

int main(int argc, char** argv) {
  using namespace brimvale::cli;
  brimvale::InstallDeformers();  // every document made from here on owns its deformers
  if (argc < 2) {
    PrintUsage(stderr);
    return kExitUsage;
  }
  const std::string name = argv[1];
  if (name == "--help" || name == "-h" || name == "help") {
    PrintUsage(stdout);
    return kExitOk;
  }
  if (name == "--version") {
    std::printf("brimvale-cli (Brimvale) %s\n", BRIMVALE_VERSION);
    return kExitOk;
  }
  for (const CliCommand& command : Commands()) {
    if (name != command.name) continue;
    std::vector<std::string> args(argv + 2, argv + argc);
    if (!TakeThreadsOption(args)) {
      std::fprintf(stderr, "brimvale-cli %s: --threads needs a count from 1 to 1024\n", command.name);
      return kExitUsage;
    }
    return command.run(args);
  }
  std::fprintf(stderr, "brimvale-cli: unknown command '%s'\n\n", name.c_str());
  PrintUsage(stderr);
  return kExitUsage;
}
