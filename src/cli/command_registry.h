// Subcommands of brimvale-cli register themselves here, one file each, so the
// front end stays a thin dispatcher.
#pragma once

#include <string>
#include <vector>

namespace brimvale::cli {

// Exit codes shared by every subcommand.
inline constexpr int kExitOk = 0;
inline constexpr int kExitNotMetasequoia = 1;  // also: bad usage of a subcommand's input
inline constexpr int kExitCannotOpen = 2;
inline constexpr int kExitUsage = 64;
inline constexpr int kExitFailure = 3;

struct CliCommand {
  const char* name;
  const char* summary;  // one line for the command list
  int (*run)(const std::vector<std::string>& args);  // args after the subcommand name
};

std::vector<CliCommand>& Commands();

struct CommandRegistration {
  explicit CommandRegistration(CliCommand command) { Commands().push_back(command); }
};

}  // namespace brimvale::cli
