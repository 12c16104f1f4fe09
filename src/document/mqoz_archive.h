// .mqoz files: a zip archive that holds the .mqo (newer versions of the
// modeller write them). The model inside is read whole into memory.
#pragma once

#include <cstddef>
#include <functional>
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

// The same, handing the model over piece by piece as it is inflated: first
// `expect` with the size the archive declares (0 when it declares none), then
// `append` with each piece. False from either stops with `reason` "the model
// in the archive is too large".
bool InflateMqoFromZip(std::string_view archive, const std::string& archiveName,
                       const std::function<bool(size_t)>& expect,
                       const std::function<bool(const char*, size_t)>& append, std::string& reason);

}  // namespace brimvale
