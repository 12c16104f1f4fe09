// Running the installed POV-Ray renderer on an exported scene.
#pragma once

#include <string>

namespace brimvale::cli {

struct PovrayRun {
  bool started = false;  // false: povray is not installed (message says so)
  int exitStatus = -1;   // povray's own exit status when it ran
  std::string message;   // why it did not run or did not finish
};

// The povray program found on PATH (BRIMVALE_POVRAY overrides), or empty.
std::string FindPovray();

// Renders scenePath into the PNG pngPath at width x height, display off, with
// everything povray prints (thousands of progress lines among its messages)
// going to the file logPath, which is replaced. povray runs in the scene's
// folder so that its file-access rules allow the files written beside it.
PovrayRun RunPovray(const std::string& scenePath, const std::string& pngPath, int width, int height,
                    const std::string& logPath);

// The log beside the picture: its name with .log for its extension.
std::string PovrayLogPath(const std::string& pngPath);

// povray's messages in the log without its per-pixel progress lines, at most
// the last maxLines of them, each ending with a line feed.
std::string PovrayMessages(const std::string& logPath, size_t maxLines);

}  // namespace brimvale::cli
