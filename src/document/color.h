// Colours packed into one 32-bit word: red in bits 0-7, green 8-15, blue 16-23
// (the Windows RGB layout the file formats and settings use).
#pragma once

#include <cstdint>

namespace brimvale {

constexpr uint32_t PackColor(uint32_t r, uint32_t g, uint32_t b) {
  return (r & 0xFFu) | ((g & 0xFFu) << 8) | ((b & 0xFFu) << 16);
}
constexpr uint32_t ColorRed(uint32_t c) { return c & 0xFFu; }
constexpr uint32_t ColorGreen(uint32_t c) { return (c >> 8) & 0xFFu; }
constexpr uint32_t ColorBlue(uint32_t c) { return (c >> 16) & 0xFFu; }

// A float channel becomes (value x 255) truncated toward zero, kept modulo 256.
// Values outside what an int holds (NaN, huge) give 0 instead of undefined behaviour.
uint32_t ChannelFromFloat(float value);
uint32_t PackColorFromFloats(float r, float g, float b);

}  // namespace brimvale
