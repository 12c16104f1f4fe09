#include "document/settings_file.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>

namespace brimvale {

std::string DefaultSettingsPath() {
  const char* config = std::getenv("XDG_CONFIG_HOME");
  std::string base;
  if (config && *config) {
    base = config;
  } else {
    const char* home = std::getenv("HOME");
    if (!home || !*home) return std::string();
    base = std::string(home) + "/.config";
  }
  return base + "/brimvale/brimvale.ini";
}

std::string ReadSettingsFile(const std::string& path) {
  FILE* file = std::fopen(path.c_str(), "r");
  if (!file) return std::string();
  char line[1000];
  std::string folder;
  if (std::fgets(line, sizeof line, file)) folder = line;
  std::fclose(file);
  return folder;
}

void WriteSettingsFile(const std::string& path, const std::string& folder) {
  if (folder.empty() || path.empty()) return;
  std::error_code ignored;
  std::filesystem::create_directories(std::filesystem::path(path).parent_path(), ignored);
  FILE* file = std::fopen(path.c_str(), "w");
  if (!file) return;
  std::fwrite(folder.data(), 1, folder.size(), file);
  std::fclose(file);
}

}  // namespace brimvale
