#include "shell/command_line.h"

#include "foundation/version.h"

namespace brimvale {

CShellArguments ParseShellArguments(const std::vector<std::string>& args) {
  CShellArguments parsed;
  bool optionsEnded = false;
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (!optionsEnded && (arg == "--lang" || arg.rfind("--lang=", 0) == 0)) {
      const bool joined = arg != "--lang";
      if (!joined && i + 1 == args.size()) {
        parsed.error = "--lang needs ja or en";
        return parsed;
      }
      parsed.lang = joined ? arg.substr(7) : args[++i];
      if (parsed.lang != "ja" && parsed.lang != "en") {
        parsed.error = "--lang takes ja or en, not: " + parsed.lang;
        return parsed;
      }
    } else if (!optionsEnded && arg == "--") {
      optionsEnded = true;
    } else if (!optionsEnded && (arg == "--help" || arg == "-h")) {
      parsed.help = true;
    } else if (!optionsEnded && arg == "--version") {
      parsed.version = true;
    } else if (!optionsEnded && arg == "--reset-settings") {
      parsed.resetSettings = true;
    } else if (!optionsEnded && arg.size() > 1 && arg[0] == '-') {
      parsed.error = "unknown option: " + arg;
      return parsed;
    } else if (parsed.file.empty()) {
      parsed.file = arg;
    } else {
      parsed.error = "only one file can be opened: " + arg;
      return parsed;
    }
  }
  return parsed;
}

const char* ShellUsage() {
  return "Usage: brimvale [--lang ja|en] [--reset-settings] [FILE.mqo]\n"
         "\n"
         "Opens the Metasequoia model FILE (.mqo or .mqoz) in the Brimvale window,\n"
         "or starts with an empty document. Models can also be dropped on the window.\n"
         "\n"
         "Options:\n"
         "  -h, --help     show this text and exit\n"
         "      --version  show the version and exit\n"
         "      --lang L   the window's language: ja (Japanese) or en (English);\n"
         "                 by default Japanese when the system's first language is\n"
         "                 Japanese, English otherwise\n"
         "      --reset-settings  forget the window's size and layout, the display\n"
         "                 settings and the recent files, and start with the defaults\n"
         "\n"
         "Qt's own options (-platform NAME, -style NAME, ...) are accepted as well.\n"
         "For work without a display, see brimvale-cli --help.\n";
}

const char* ShellVersion() { return "Brimvale Version " BRIMVALE_VERSION "\n"; }

}  // namespace brimvale
