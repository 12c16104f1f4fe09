// Colour arithmetic for stages that make new corners from old ones: blends
// average each of the four 8-bit channels on its own, rounding to nearest, so
// a blend of equal colours is that colour and channels never bleed.
#pragma once

#include <cstdint>
#include <vector>

#include "document/face_array.h"

namespace brimvale {

// Channel-wise mean of `count` (1 to 4) packed colours.
inline uint32_t MeanColour(const uint32_t* colours, int count) {
  uint32_t out = 0;
  for (int shift = 0; shift < 32; shift += 8) {
    uint32_t sum = 0;
    for (int i = 0; i < count; ++i) sum += (colours[i] >> shift) & 0xFFu;
    const uint32_t n = static_cast<uint32_t>(count);
    out |= ((sum + n / 2) / n) << shift;
  }
  return out;
}

inline uint32_t MeanColour(uint32_t a, uint32_t b) {
  const uint32_t pair[2] = {a, b};
  return MeanColour(pair, 2);
}

// The colours of a list's faces when it carries them in step, else null.
inline const std::vector<CCornerColours>* ListColours(const CFaceArray& faces, FaceList which) {
  const auto& colours = faces.Colours(which);
  return !colours.empty() && colours.size() == faces.List(which).size() ? &colours : nullptr;
}

// Colours of face `index` of a list, white when the list carries none.
inline CCornerColours ColoursOrWhite(const std::vector<CCornerColours>* colours, std::size_t index) {
  return colours && index < colours->size() ? (*colours)[index] : CCornerColours();
}

}  // namespace brimvale
