#include "foundation/program_folders.h"

#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>

#include "foundation/text_utils.h"

#ifndef BRIMVALE_LIBRARY_FROM_BIN
#define BRIMVALE_LIBRARY_FROM_BIN "../lib/brimvale"
#endif

namespace brimvale {

namespace {

bool IsFolder(const std::string& path) {
  struct stat info;
  return ::stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

}  // namespace

std::string HomeFolder() {
  const char* home = std::getenv("HOME");
  if (home && *home) return home;
  const passwd* entry = ::getpwuid(::getuid());
  return entry && entry->pw_dir ? entry->pw_dir : std::string();
}

std::string ProgramLibraryFolderFor(const std::string& exeFolder) {
  if (exeFolder.empty()) return std::string();
  const std::string installed = exeFolder + BRIMVALE_LIBRARY_FROM_BIN "/";
  return IsFolder(installed) ? installed : exeFolder;
}

std::string ProgramLibraryFolder() { return ProgramLibraryFolderFor(ModuleFolder()); }

std::string UserDataFolder() {
  // A relative XDG_DATA_HOME is invalid and must be ignored.
  const char* data = std::getenv("XDG_DATA_HOME");
  if (data && data[0] == '/') return std::string(data) + "/brimvale/";
  const std::string home = HomeFolder();
  return home.empty() ? std::string() : home + "/.local/share/brimvale/";
}

std::vector<std::string> PlugInRoots() {
  std::vector<std::string> roots;
  if (const std::string program = ProgramLibraryFolder(); !program.empty()) roots.push_back(program + "Plugins");
  if (const std::string user = UserDataFolder(); !user.empty()) roots.push_back(user + "Plugins");
  return roots;
}

}  // namespace brimvale
