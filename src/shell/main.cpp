// brimvale: the desktop program.
#include <cstdio>
#include <string>
#include <vector>

#include "document/settings_file.h"
#include "shell/command_line.h"
#include "shell/quorix_app.h"
#include "shell/translation.h"

namespace {
constexpr int kExitOk = 0;
constexpr int kExitFailure = 3;
constexpr int kExitUsage = 64;
}  // namespace

int main(int argc, char** argv) {
  using namespace brimvale;
  // --help and --version work without a display, so they are answered first.
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg == "--") break;
    if (arg == "--help" || arg == "-h") {
      std::fputs(ShellUsage(), stdout);
      return kExitOk;
    }
    if (arg == "--version") {
      std::fputs(ShellVersion(), stdout);
      return kExitOk;
    }
  }

  CQuorixApp app(argc, argv);  // takes Qt's own options out of argv
  std::vector<std::string> args;
  for (int i = 1; i < argc; ++i) args.emplace_back(argv[i]);
  const CShellArguments parsed = ParseShellArguments(args);
  if (!parsed.error.empty()) {
    std::fprintf(stderr, "brimvale: %s\n%s", parsed.error.c_str(), ShellUsage());
    return kExitUsage;
  }
  // A missing translation leaves the texts as they are, which still works.
  if (!InstallTranslations(ChooseUiLanguage(parsed.lang))) {
    std::fputs("brimvale: the translation could not be loaded\n", stderr);
  }
  if (!app.InitInstance(DefaultSettingsPath(), parsed.file, parsed.resetSettings)) return kExitFailure;
  return CQuorixApp::exec();
}
