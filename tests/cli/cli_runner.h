// Runs the built brimvale-cli with arguments and collects its output and exit
// status, as a user's shell would.
#pragma once

#include <sys/wait.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace brimvale::test {

struct CliResult {
  int status = -1;
  std::string out;
  std::string err;
};

inline std::string ShellQuote(const std::string& text) {
  std::string quoted = "'";
  for (char c : text) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return quoted + "'";
}

inline CliResult RunCli(const std::vector<std::string>& args) {
  const std::filesystem::path errPath =
      std::filesystem::temp_directory_path() / ("brimvale_cli_err_" + std::to_string(::getpid()));
  std::string command = ShellQuote(BRIMVALE_BINARY_DIR "/bin/brimvale-cli");
  // Appended piece by piece: g++ 12 at -O3 takes `" " + text` for an
  // overlapping copy (-Wrestrict).
  for (const std::string& arg : args) (command += ' ') += ShellQuote(arg);
  (command += " 2>") += ShellQuote(errPath.string());
  CliResult result;
  FILE* pipe = ::popen(command.c_str(), "r");
  if (!pipe) return result;
  char buffer[65536];
  size_t got;
  while ((got = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) result.out.append(buffer, got);
  const int raw = ::pclose(pipe);
  result.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
  std::ifstream err(errPath, std::ios::binary);
  result.err.assign(std::istreambuf_iterator<char>(err), {});
  std::filesystem::remove(errPath);
  return result;
}

}  // namespace brimvale::test
