#include "foundation/text_utils.h"

#include <unistd.h>

#include <climits>
#include <cstdio>
#include <vector>

namespace brimvale {

std::string FormatFixed(float value, int decimals) {
  // "%0.*f" with precision n prints exactly what "%0.<n>f" prints.
  const int precision = decimals < 0 ? 0 : decimals;
  char small[64];
  const double widened = static_cast<double>(value);
  const int needed = std::snprintf(small, sizeof small, "%0.*f", precision, widened);
  if (needed < 0) return std::string();
  if (static_cast<size_t>(needed) < sizeof small) return std::string(small, static_cast<size_t>(needed));
  std::vector<char> large(static_cast<size_t>(needed) + 1);
  std::snprintf(large.data(), large.size(), "%0.*f", precision, widened);
  return std::string(large.data(), static_cast<size_t>(needed));
}

std::string IntToString(int value) { return std::to_string(value); }

std::string CutChars(std::string_view text, int count, bool fromStart) {
  if (count <= 0) return std::string(text);
  const size_t n = static_cast<size_t>(count);
  if (n >= text.size()) return std::string();
  return fromStart ? std::string(text.substr(n)) : std::string(text.substr(0, text.size() - n));
}

std::string ModuleFolder() {
  char path[PATH_MAX];
  const ssize_t length = ::readlink("/proc/self/exe", path, sizeof path - 1);
  if (length <= 0) return std::string();
  std::string full(path, static_cast<size_t>(length));
  const size_t slash = full.rfind('/');
  if (slash == std::string::npos) return std::string();
  return full.substr(0, slash + 1);
}

std::string AsciiLower(std::string_view text) {
  std::string lower(text);
  for (char& c : lower) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return lower;
}

}  // namespace brimvale
