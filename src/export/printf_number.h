// Number text for the exported scene files, byte for byte what the C library's
// printf writes for "%0.<n>f" and "%d" in the "C" locale (-0.0000 included),
// but without parsing a format string for every number of a large mesh.
#pragma once

#include <cstddef>

namespace brimvale {

// Room that any of the writers below needs: the longest "%0.4f" of a double
// (309 integer digits, sign, point, decimals) with margin.
inline constexpr std::size_t kMaxNumberChars = 330;

// Writes what printf("%0.<decimals>f", (double)value) writes, decimals 0..9,
// into out (at least kMaxNumberChars bytes); returns the end of the text.
// Finite floats below 1e11 in magnitude take an exact fast path: a float times
// 10^decimals (decimals <= 4) is exact in a double, so rounding that product
// half-to-even rounds the float exactly as printf does.
char* WritePrintfFixed(char* out, float value, int decimals);

// The same for a double (used for the few numbers computed in double); always
// goes through snprintf.
char* WritePrintfFixed(char* out, double value, int decimals);

// What printf("%d", value) writes.
char* WritePrintfInt(char* out, int value);

}  // namespace brimvale
