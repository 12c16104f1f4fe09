// Windows bitmap files with a 40-byte information header: 1, 4, 8, 16, 24 and
// 32 bits, uncompressed or 8-bit run-length encoded, rows kept in file order.
#include <cstdlib>
#include <cstring>

#include "image/bmp_rle.h"
#include "image/image_file.h"
#include "image/pixel_image.h"

namespace brimvale {
namespace {

uint16_t Le16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | (p[1] << 8)); }
uint32_t Le32(const uint8_t* p) {
  return uint32_t{p[0]} | (uint32_t{p[1]} << 8) | (uint32_t{p[2]} << 16) | (uint32_t{p[3]} << 24);
}

bool DepthAllowed(int bitCount, int depthMask) {
  switch (bitCount) {
    case 1: return (depthMask & 1) != 0;
    case 4: return (depthMask & 2) != 0;
    case 8: return (depthMask & 4) != 0;
    case 16: return (depthMask & 8) != 0;
    case 24: return (depthMask & 16) != 0;
    case 32: return (depthMask & 32) != 0;
    default: return false;
  }
}

// The fourth byte of a 32-bit pixel means opacity in this program, but most
// writers of 32-bit bitmaps leave that reserved byte 0: a picture whose fourth
// bytes are all 0 is made opaque instead of invisible.
void MakeReservedAlphaOpaque(CPixelImage& image) {
  for (int y = 0; y < image.Height(); ++y) {
    const uint8_t* row = image.Row(y);
    for (int x = 0; x < image.Width(); ++x) {
      if (row[4 * x + 3] != 0) return;
    }
  }
  for (int y = 0; y < image.Height(); ++y) {
    uint8_t* row = image.Row(y);
    for (int x = 0; x < image.Width(); ++x) row[4 * x + 3] = 255;
  }
}

}  // namespace

bool CPixelImage::ReadBmp(const std::string& path, int depthMask) {
  Clear();
  CImageFile file(path);
  if (!file.IsOpen()) return false;

  uint8_t fileHeader[14];
  if (!file.ReadExact(fileHeader, sizeof fileHeader) || Le16(fileHeader) != 0x4D42) return false;
  const uint32_t offBits = Le32(fileHeader + 10);

  BITMAPINFOHEADER info;
  if (!file.ReadExact(&info, sizeof info) || info.biSize != 40) return false;
  if (info.biCompression != 0 && info.biCompression != 1) return false;
  if (!DepthAllowed(info.biBitCount, depthMask)) return false;
  // Sizes the picture cannot have, or beyond what any reader accepts.
  if (info.biWidth <= 0 || info.biHeight == 0 || info.biHeight == INT32_MIN) return false;
  const uint64_t rows = static_cast<uint64_t>(info.biHeight < 0 ? -int64_t{info.biHeight} : info.biHeight);
  if (static_cast<uint64_t>(info.biWidth) * rows > kMaxImagePixels) return false;

  // Palette depths take biClrUsed entries (at most 256), true colour none.
  uint32_t colourCount = 0;
  if (info.biBitCount <= 8) {
    colourCount = info.biClrUsed != 0 ? info.biClrUsed : (1u << info.biBitCount);
    if (colourCount > 256) return false;
  }
  info.biClrUsed = colourCount;
  const uint64_t pixelSize = DibStride(info.biWidth, info.biBitCount) * rows;
  const size_t tableBytes = 4 * size_t{colourCount};

  // What follows the headers must be able to hold what the header promises;
  // checking first keeps a short hostile file from costing a large allocation.
  const uint64_t dataNeeded = info.biCompression == 1 ? info.biSizeImage : pixelSize;
  const uint64_t dataStart = offBits != 0 ? offBits : 54 + tableBytes;
  if (dataStart + dataNeeded > 54 + file.Remaining()) return false;

  auto* headerBlock = static_cast<uint8_t*>(std::malloc(40 + tableBytes));
  // Run-length pictures start all zero; calloc gives that without touching
  // untouched pages of a large picture.
  void* bits = info.biCompression == 1 ? std::calloc(1, static_cast<size_t>(pixelSize))
                                       : std::malloc(static_cast<size_t>(pixelSize));
  if (headerBlock == nullptr || bits == nullptr) {
    std::free(headerBlock);
    std::free(bits);
    return false;
  }
  std::memcpy(headerBlock, &info, sizeof info);
  Attach(headerBlock, MemoryKind::GlobalFixed, bits, MemoryKind::GlobalFixed);

  bool ok = file.ReadExact(ColourTable(), tableBytes);
  if (ok && offBits != 0) ok = file.SeekTo(offBits);
  if (ok && info.biCompression == 0) {
    ok = file.ReadExact(m_pBits, static_cast<size_t>(pixelSize));
  } else if (ok) {
    auto* packed = static_cast<uint8_t*>(std::malloc(info.biSizeImage == 0 ? 1 : info.biSizeImage));
    ok = packed != nullptr && file.ReadExact(packed, info.biSizeImage);
    if (ok) {
      DecodeBmpRle8(packed, info.biSizeImage, m_pBits, static_cast<size_t>(Stride()),
                    static_cast<size_t>(rows));
      m_pHeader->biCompression = 0;
    }
    std::free(packed);
  }
  if (!ok) {
    Clear();
    return false;
  }
  if (info.biBitCount == 32 && info.biCompression == 0) MakeReservedAlphaOpaque(*this);
  return true;
}

}  // namespace brimvale
