// The WIDTHxHEIGHT argument of --size, 1 to 16384 pixels each way.
#pragma once

#include <string>

namespace brimvale::cli {

inline constexpr int kMaxPictureSide = 16384;

// Parses "640x480" (or "640X480"); false, leaving width and height alone, on
// anything else.
bool ParseSize(const std::string& text, int& width, int& height);

}  // namespace brimvale::cli
