// The desktop program's command line: an optional Metasequoia file to open,
// --help, --version and --lang. Qt's own options (-platform, -style, ...) are
// taken out by QApplication before these are read.
#pragma once

#include <string>
#include <vector>

namespace brimvale {

struct CShellArguments {
  bool help = false;
  bool version = false;
  bool resetSettings = false;  // forget the remembered window layout and recent files
  std::string file;   // empty: start with an empty document
  std::string lang;   // "ja" or "en"; empty: the system's language decides
  std::string error;  // not empty: the command line is wrong (exit status 64)
};

CShellArguments ParseShellArguments(const std::vector<std::string>& args);  // args after the program name
const char* ShellUsage();
const char* ShellVersion();

}  // namespace brimvale
