#include "cli/povray_runner.h"

#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "foundation/program_search.h"

namespace brimvale::cli {
namespace {

std::string FolderOf(const std::string& path) {
  const size_t slash = path.rfind('/');
  return slash == std::string::npos ? std::string(".") : (slash == 0 ? std::string("/") : path.substr(0, slash));
}

}  // namespace

std::string FindPovray() {
  if (const char* chosen = std::getenv("BRIMVALE_POVRAY"); chosen != nullptr && *chosen != '\0') {
    return IsExecutableFile(chosen) ? std::string(chosen) : std::string();
  }
  return FindProgramOnPath("povray");
}

PovrayRun RunPovray(const std::string& scenePath, const std::string& pngPath, int width, int height) {
  PovrayRun run;
  const std::string povray = FindPovray();
  if (povray.empty()) {
    run.message = "povray is not installed (no 'povray' on PATH); install it, e.g. 'apt-get install povray'";
    return run;
  }
  std::vector<std::string> arguments = {povray,
                                        "+I" + scenePath,
                                        "+O" + pngPath,
                                        "+W" + std::to_string(width),
                                        "+H" + std::to_string(height),
                                        "-D",
                                        "+FN"};
  std::vector<char*> argv;
  for (std::string& argument : arguments) argv.push_back(argument.data());
  argv.push_back(nullptr);
  const std::string folder = FolderOf(scenePath);

  const pid_t child = ::fork();
  if (child < 0) {
    run.message = std::string("cannot start povray: ") + std::strerror(errno);
    return run;
  }
  if (child == 0) {
    // povray reads no input; its progress report goes to our stderr.
    if (::chdir(folder.c_str()) != 0) ::_exit(126);
    ::execv(povray.c_str(), argv.data());
    ::_exit(127);
  }
  int status = 0;
  while (::waitpid(child, &status, 0) < 0) {
    if (errno != EINTR) {
      run.message = std::string("lost track of povray: ") + std::strerror(errno);
      return run;
    }
  }
  run.started = true;
  if (WIFEXITED(status)) {
    run.exitStatus = WEXITSTATUS(status);
    if (run.exitStatus == 127) run.message = "povray could not be started";
    else if (run.exitStatus == 126) run.message = "cannot enter the folder " + folder;
    else if (run.exitStatus != 0) run.message = "povray failed with exit status " + std::to_string(run.exitStatus);
  } else {
    run.message = std::string("povray was stopped by signal ") + std::to_string(WTERMSIG(status));
  }
  return run;
}

}  // namespace brimvale::cli
