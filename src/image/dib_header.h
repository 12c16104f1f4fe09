// The in-memory layout of a device-independent bitmap header: the 40-byte
// information header of the Windows bitmap format, followed by its colour
// table. Shared by the pixel image and the two codec libraries, so it is plain
// data with fixed-width fields (little-endian, as the files store it).
#pragma once

#include <stdint.h>

#ifdef __cplusplus
namespace brimvale {
#endif

#pragma pack(push, 1)
struct BITMAPINFOHEADER {
  uint32_t biSize;
  int32_t biWidth;
  int32_t biHeight;  // > 0: bottom-up rows, < 0: top-down rows
  uint16_t biPlanes;
  uint16_t biBitCount;
  uint32_t biCompression;
  uint32_t biSizeImage;
  int32_t biXPelsPerMeter;
  int32_t biYPelsPerMeter;
  uint32_t biClrUsed;
  uint32_t biClrImportant;
};
#pragma pack(pop)

#ifdef __cplusplus
static_assert(sizeof(BITMAPINFOHEADER) == 40, "the header is exactly 40 bytes");
}  // namespace brimvale
#endif
