// Progress reports of the image readers: (fraction from 0 up to but excluding
// 1, the caller's user value), answering true to go on. Null means no reports.
#pragma once

#include <cstdint>

namespace brimvale {

using ProgressCallback = bool (*)(float fraction, uint32_t userValue);

}  // namespace brimvale
