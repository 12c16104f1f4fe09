#include "cli/povray_runner.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <filesystem>
#include <fstream>
#include <vector>

#include "foundation/program_search.h"

namespace brimvale::cli {
namespace {

}  // namespace

std::string FindPovray() {
  if (const char* chosen = std::getenv("BRIMVALE_POVRAY"); chosen != nullptr && *chosen != '\0') {
    return IsExecutableFile(chosen) ? std::string(chosen) : std::string();
  }
  return FindProgramOnPath("povray");
}

std::string PovrayLogPath(const std::string& pngPath) {
  std::filesystem::path log(pngPath);
  if (log.extension() == ".log") return pngPath + ".log";
  return log.replace_extension(".log").string();
}

std::string PovrayMessages(const std::string& logPath, size_t maxLines) {
  std::ifstream in(logPath, std::ios::binary);
  std::deque<std::string> lines;
  std::string line;
  auto keep = [&]() {
    // Progress comes as "Rendered N of M pixels (P%)", often ended by a bare CR.
    const bool progress = line.rfind("Rendered ", 0) == 0 && line.find(" pixels") != std::string::npos;
    if (!progress && line.find_first_not_of(" \t") != std::string::npos) lines.push_back(line);
    if (lines.size() > maxLines) lines.pop_front();
    line.clear();
  };
  for (char c; in.get(c);) {
    if (c == '\n' || c == '\r') keep();
    else line += c;
  }
  keep();
  std::string text;
  for (const std::string& each : lines) text += each + "\n";
  return text;
}

PovrayRun RunPovray(const std::string& scenePath, const std::string& pngPath, int width, int height,
                    const std::string& logPath) {
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
  const std::string parent = std::filesystem::path(scenePath).parent_path().string();
  const std::string folder = parent.empty() ? std::string(".") : parent;
  const int log = ::open(logPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  if (log < 0) {
    run.message = "cannot write the log " + logPath + ": " + std::strerror(errno);
    return run;
  }

  const pid_t child = ::fork();
  if (child < 0) {
    run.message = std::string("cannot start povray: ") + std::strerror(errno);
    ::close(log);
    return run;
  }
  if (child == 0) {
    // povray reads no input; everything it prints goes to the log.
    if (::dup2(log, STDOUT_FILENO) < 0 || ::dup2(log, STDERR_FILENO) < 0) ::_exit(125);
    if (::chdir(folder.c_str()) != 0) ::_exit(126);
    ::execv(povray.c_str(), argv.data());
    ::_exit(127);
  }
  ::close(log);
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
    if (run.exitStatus == 125) run.message = "cannot send povray's output to " + logPath;
    else if (run.exitStatus == 127) run.message = "povray could not be started";
    else if (run.exitStatus == 126) run.message = "cannot enter the folder " + folder;
    else if (run.exitStatus != 0) run.message = "povray failed with exit status " + std::to_string(run.exitStatus);
  } else {
    run.message = std::string("povray was stopped by signal ") + std::to_string(WTERMSIG(status));
  }
  return run;
}

}  // namespace brimvale::cli
