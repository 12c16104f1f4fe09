// Names and paths are kept as the bytes a file holds; these turn them into
// UTF-8 for display and for the file system. Files from the modeller are CP932
// (Shift-JIS) unless they say "CodePage utf8".
#pragma once

#include <string>
#include <string_view>

namespace brimvale {

bool IsValidUtf8(std::string_view bytes);

// UTF-8 for display: the bytes themselves when declaredUtf8 is set or they are
// already valid UTF-8, else decoded from CP932. Undecodable bytes become U+FFFD.
std::string DecodeName(std::string_view bytes, bool declaredUtf8);

}  // namespace brimvale
