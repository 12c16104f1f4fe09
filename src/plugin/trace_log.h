// The plug-in API's trace: one line per call, appended to
// $XDG_STATE_HOME/brimvale/debug.txt (default ~/.local/state/brimvale/).
#pragma once

#include <string>
#include <string_view>

namespace brimvale {

// Where the next line goes; empty when neither XDG_STATE_HOME nor a home
// folder is known.
std::string TraceLogPath();

// Opens the log for appending, writes the text and a newline, closes it again,
// so a plug-in that crashes the program leaves a complete trace. The folder is
// created when missing; a log that cannot be written is passed over.
void TraceLine(std::string_view text);

}  // namespace brimvale
