// .mqoz files: a zip archive that holds the .mqo (newer versions of the
// modeller write them). The model inside is read whole into memory.
#pragma once

#include <string>
#include <string_view>

namespace brimvale {

// Whether the bytes start as a zip archive does ("PK\3\4", or "PK\5\6" empty).
bool LooksLikeZip(std::string_view bytes);

// The .mqo inside the archive held in `archive`: the entry named like the
// archive (`archiveName` without folders and extension) when there is one,
// else the first entry ending in ".mqo". False with a reason otherwise.
bool ExtractMqoFromZip(std::string_view archive, const std::string& archiveName, std::string& model,
                       std::string& reason);

}  // namespace brimvale
