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
// povray's progress going to this process's stderr. povray runs in the scene's
// folder so that its file-access rules allow the files written beside it.
PovrayRun RunPovray(const std::string& scenePath, const std::string& pngPath, int width, int height);

}  // namespace brimvale::cli
