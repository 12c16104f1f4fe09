// Finding an installed program the way a shell does: the folders of PATH in
// order (the usual system folders when PATH is unset; an empty entry is the
// current folder).
#pragma once

#include <string>

namespace brimvale {

// Whether path names a regular file this process may execute.
bool IsExecutableFile(const std::string& path);

// The path of the first executable file called name in a folder of PATH, or
// an empty string when there is none.
std::string FindProgramOnPath(const std::string& name);

}  // namespace brimvale
