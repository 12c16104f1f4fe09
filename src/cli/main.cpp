// brimvale-cli: the headless front end (inspect, export, render, benchmark).
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "cli/command_registry.h"
#include "deform/document_deformers.h"

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
               "\nRun 'brimvale-cli COMMAND --help' for the options of a command.\n"
               "BRIMVALE_POVRAY names the POV-Ray program that 'export --render' runs\n"
               "(default: povray on PATH).\n"
               "Exit status: 0 success, 1 not a Metasequoia file, 2 a file could not be opened,\n"
               "3 the work failed, 64 bad usage.\n");
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
  for (const CliCommand& command : Commands()) {
    if (name == command.name) return command.run(std::vector<std::string>(argv + 2, argv + argc));
  }
  std::fprintf(stderr, "brimvale-cli: unknown command '%s'\n\n", name.c_str());
  PrintUsage(stderr);
  return kExitUsage;
}
