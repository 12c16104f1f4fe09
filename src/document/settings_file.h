// brimvale.ini: one line, the Metasequoia folder, kept between runs in the
// per-user configuration folder.
#pragma once

#include <string>

namespace brimvale {

// $XDG_CONFIG_HOME/brimvale/brimvale.ini (default ~/.config/brimvale/brimvale.ini).
std::string DefaultSettingsPath();

// At most 999 characters of the first line, its line end included when it lies
// within them; empty when the file is missing or empty.
std::string ReadSettingsFile(const std::string& path);

// Writes folder without a line end, only when folder is not empty (creating the
// configuration folder if needed). Failures are ignored, as for a missing file.
void WriteSettingsFile(const std::string& path, const std::string& folder);

}  // namespace brimvale
