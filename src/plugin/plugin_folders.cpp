#include "plugin/plugin_folders.h"

#include <algorithm>
#include <set>
#include <system_error>

namespace brimvale {

namespace fs = std::filesystem;

namespace {

// Sorted by name so that the menus keep one order from one run to the next
// (directory order is arbitrary here).
std::vector<fs::path> SharedObjectsIn(const fs::path& folder) {
  std::vector<fs::path> files;
  std::error_code error;
  for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
    std::error_code statError;
    if (it->path().extension() == ".so" && !it->is_directory(statError)) files.push_back(it->path());
  }
  std::sort(files.begin(), files.end());
  return files;
}

}  // namespace

std::vector<fs::path> PlugInFilesOfKind(const std::vector<std::string>& roots, const std::string& kindFolder) {
  std::vector<std::vector<fs::path>> perRoot;
  for (const std::string& root : roots) perRoot.push_back(SharedObjectsIn(fs::path(root) / kindFolder));

  std::vector<fs::path> files;
  std::set<fs::path> takenLater;
  for (size_t r = perRoot.size(); r-- > 0;) {
    std::vector<fs::path> kept;
    for (const fs::path& file : perRoot[r]) {
      if (takenLater.insert(file.filename()).second) kept.push_back(file);
    }
    files.insert(files.begin(), kept.begin(), kept.end());
  }
  return files;
}

}  // namespace brimvale
