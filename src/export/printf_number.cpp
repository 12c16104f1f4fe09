#include "export/printf_number.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>

namespace brimvale {
namespace {

constexpr double kPow10[] = {1.0, 10.0, 100.0, 1000.0, 10000.0};
constexpr uint64_t kPow10Int[] = {1, 10, 100, 1000, 10000};
constexpr int kMaxFastDecimals = 4;
// Below this the scaled value (at most 10^4 times larger) stays under 2^52, where adding and removing
// 2^52 rounds to an integer half-to-even.
constexpr float kFastLimit = 1e11f;

char* SlowFixed(char* out, double value, int decimals) {
  const int written = std::snprintf(out, kMaxNumberChars, "%0.*f", decimals, value);
  return written < 0 ? out : out + (written < static_cast<int>(kMaxNumberChars) ? written : 0);
}

// Rounds a non-negative exact double below 2^52 to the nearest integer, ties to
// even, under the default rounding mode (the one printf itself follows).
uint64_t RoundHalfEven(double scaled) {
  // Without -ffast-math the compiler keeps this sum as written.
  const double shifted = scaled + 4503599627370496.0;  // 2^52
  return static_cast<uint64_t>(shifted - 4503599627370496.0);
}

char* WriteUnsigned(char* out, uint64_t value) {
  char digits[24];
  char* p = digits + sizeof digits;
  do {
    *--p = static_cast<char>('0' + value % 10);
    value /= 10;
  } while (value != 0);
  const size_t n = static_cast<size_t>(digits + sizeof digits - p);
  std::memcpy(out, p, n);
  return out + n;
}

}  // namespace

char* WritePrintfFixed(char* out, float value, int decimals) {
  if (decimals < 0 || decimals > kMaxFastDecimals || !std::isfinite(value) || std::fabs(value) >= kFastLimit) {
    return SlowFixed(out, static_cast<double>(value), decimals < 0 ? 0 : (decimals > 9 ? 9 : decimals));
  }
  if (std::signbit(value)) *out++ = '-';
  const double scaled = std::fabs(static_cast<double>(value)) * kPow10[decimals];
  const uint64_t rounded = RoundHalfEven(scaled);
  const uint64_t unit = kPow10Int[decimals];
  out = WriteUnsigned(out, rounded / unit);
  if (decimals == 0) return out;
  *out++ = '.';
  uint64_t fraction = rounded % unit;
  for (int i = decimals - 1; i >= 0; --i) {
    out[i] = static_cast<char>('0' + fraction % 10);
    fraction /= 10;
  }
  return out + decimals;
}

char* WritePrintfFixed(char* out, double value, int decimals) {
  return SlowFixed(out, value, decimals < 0 ? 0 : (decimals > 9 ? 9 : decimals));
}

char* WritePrintfInt(char* out, int value) {
  return std::to_chars(out, out + 16, value).ptr;
}

}  // namespace brimvale
