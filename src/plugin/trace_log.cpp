#include "plugin/trace_log.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <system_error>

#include "foundation/program_folders.h"

namespace brimvale {

std::string TraceLogPath() {
  // A relative XDG_STATE_HOME is invalid and must be ignored.
  const char* state = std::getenv("XDG_STATE_HOME");
  std::string folder;
  if (state && state[0] == '/') {
    folder = state;
  } else {
    const std::string home = HomeFolder();
    if (home.empty()) return std::string();
    folder = home + "/.local/state";
  }
  return folder + "/brimvale/debug.txt";
}

void TraceLine(std::string_view text) {
  const std::string path = TraceLogPath();
  if (path.empty()) return;
  std::FILE* file = std::fopen(path.c_str(), "a");
  if (!file) {
    std::error_code ignored;
    std::filesystem::create_directories(std::filesystem::path(path).parent_path(), ignored);
    file = std::fopen(path.c_str(), "a");
    if (!file) return;
  }
  std::fprintf(file, "%.*s\n", static_cast<int>(text.size()), text.data());
  std::fclose(file);
}

}  // namespace brimvale
