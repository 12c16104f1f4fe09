// The 8-bit run-length scheme of Windows bitmaps. Decoding stops at the end of
// the packed bytes (a count, value or escape that would need more ends it) and
// cuts every run, absolute run and delta at the row and picture edges.
#pragma once

#include <cstddef>
#include <cstdint>

namespace brimvale {

// Decodes into rows x stride bytes of pixels in storage order; bytes that no
// run reaches are left as they are.
void DecodeBmpRle8(const uint8_t* packed, size_t packedSize, uint8_t* pixels, size_t stride, size_t rows);

}  // namespace brimvale
