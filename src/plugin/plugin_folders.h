// Which plug-in files of one kind are loaded, and in what order, when several
// roots hold <Kind>/ folders (the program's own, then the user's).
#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace brimvale {

// The shared objects (*.so) in root/kindFolder/ for each root: each root's in
// name order, one root after the other. A file name that a later root also has
// is taken from the later root only, so a user's copy replaces the program's.
// Missing or unreadable folders give nothing.
std::vector<std::filesystem::path> PlugInFilesOfKind(const std::vector<std::string>& roots,
                                                     const std::string& kindFolder);

}  // namespace brimvale
