// Where the program finds its own files and the user's. Nothing depends on the
// install prefix: the folders are found from the running executable, so a tree
// unpacked anywhere works as it does in the build folder.
#pragma once

#include <string>
#include <vector>

namespace brimvale {

// The folder of the codec libraries and of Plugins/: <exe>/../lib/brimvale/
// when it exists (an installed tree), else the executable's own folder (the
// build tree). Ends with '/'; empty when the executable is unknown.
std::string ProgramLibraryFolder();

// The library folder for an executable in exeFolder (ending with '/'), for the
// tests and for programs that find it another way.
std::string ProgramLibraryFolderFor(const std::string& exeFolder);

// $HOME, else the password database's home folder; empty when neither has one.
std::string HomeFolder();

// $XDG_DATA_HOME/brimvale/ (an absolute XDG_DATA_HOME only), else
// ~/.local/share/brimvale/. Empty when there is no home folder.
std::string UserDataFolder();

// The plug-in roots searched in order, each holding <Kind>/ folders: the
// program's own Plugins/, then the user's.
std::vector<std::string> PlugInRoots();

}  // namespace brimvale
