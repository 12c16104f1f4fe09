#include "document/color.h"

#include <cmath>

namespace brimvale {

uint32_t ChannelFromFloat(float value) {
  const double scaled = static_cast<double>(value) * 255.0;
  if (!(std::fabs(scaled) < 2147483647.0)) return 0;
  const auto truncated = static_cast<int>(scaled);
  return static_cast<uint32_t>(truncated) & 0xFFu;
}

uint32_t PackColorFromFloats(float r, float g, float b) {
  return PackColor(ChannelFromFloat(r), ChannelFromFloat(g), ChannelFromFloat(b));
}

}  // namespace brimvale
