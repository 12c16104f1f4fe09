#include "cli/size_argument.h"

#include <charconv>

namespace brimvale::cli {

bool ParseSize(const std::string& text, int& width, int& height) {
  const size_t x = text.find_first_of("xX");
  if (x == std::string::npos) return false;
  const char* end = text.data() + text.size();
  int w = 0, h = 0;
  const auto first = std::from_chars(text.data(), text.data() + x, w);
  const auto second = std::from_chars(text.data() + x + 1, end, h);
  if (first.ec != std::errc() || first.ptr != text.data() + x || second.ec != std::errc() || second.ptr != end)
    return false;
  if (w < 1 || h < 1 || w > kMaxPictureSide || h > kMaxPictureSide) return false;
  width = w;
  height = h;
  return true;
}

}  // namespace brimvale::cli
