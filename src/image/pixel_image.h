// The one raster image type of the program: a device-independent bitmap held as
// two blocks, a header block (BITMAPINFOHEADER and colour table) and a pixel
// block of 32-bit-aligned rows. Blocks made elsewhere (the PNG library) can be
// adopted as they are.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "image/dib_header.h"

namespace brimvale {

// How a block was obtained. Every kind this program makes is malloc-family
// (released with free); the other values keep their meaning for code that
// hands blocks over.
enum class MemoryKind : int32_t {
  None = 0,
  Heap = 1,
  LocalMoveable = 2,
  GlobalMoveable = 3,
  LocalFixed = 4,
  GlobalFixed = 5,
};

// Images larger than this many pixels are refused by every reader and by
// Create, so a hostile header becomes a refused allocation (a 2^28-pixel
// 32-bit image is already 1 GiB).
inline constexpr uint64_t kMaxImagePixels = uint64_t{1} << 28;

// Bytes of one stored row: width x bits rounded up to 32 bits. 0 for a
// non-positive width or an unsupported result.
uint64_t DibStride(int64_t width, int bitCount);

// Releases a block by its kind (malloc-family here); null is allowed.
void ReleaseBlock(void* block, MemoryKind kind);

class CPixelImage {
 public:
  CPixelImage() = default;
  virtual ~CPixelImage();
  CPixelImage(const CPixelImage&) = delete;
  CPixelImage& operator=(const CPixelImage&) = delete;

  // Builds a header for width x height x bitCount (a negative height makes a
  // top-down image) and allocates both blocks, uncleared. Depths 1, 4, 8, 16,
  // 24 and 32; a zero or negative width, a zero height or more than
  // kMaxImagePixels pixels fails and leaves the image empty.
  bool Create(int width, int height, int bitCount);
  // Takes ownership of two blocks; fails (image unchanged) when either is null.
  bool Attach(void* header, MemoryKind headerKind, void* bits, MemoryKind bitsKind);
  void Clear();
  // Exchanges the blocks of two images.
  void Swap(CPixelImage& other) noexcept;

  bool IsEmpty() const { return m_pBits == nullptr; }
  BITMAPINFOHEADER* Header() const { return m_pHeader; }
  uint8_t* Bits() const { return m_pBits; }
  uint8_t* ColourTable() const;  // blue, green, red, reserved per entry
  int Width() const { return m_pHeader->biWidth; }
  int Height() const;
  int BitCount() const { return m_pHeader->biBitCount; }
  int Stride() const;
  uint32_t ImageSize() const;
  int ColourCount() const;
  bool IsBottomUp() const { return m_pHeader->biHeight > 0; }
  bool IsTopDown() const { return m_pHeader->biHeight < 0; }
  MemoryKind HeaderKind() const { return m_HeaderKind; }
  MemoryKind BitsKind() const { return m_BitsKind; }

  // Picture row y counted from the top, whatever the storage order. No range check.
  uint8_t* Row(int y) const;
  // The byte holding pixel (x, y); null for an unknown bit count. No range check.
  uint8_t* PixelAddress(int x, int y) const;
  void SetGreyPalette();

  // Scales to width x height: nearest pixel for 1, 4, 8 and 16 bits (palette
  // indices never blend), smoothstep-weighted bilinear for 24 and 32 bits. The
  // storage order, bit count and colour table stay. Fails (image unchanged)
  // on an empty image or a size Create would refuse.
  bool Resize(int width, int height);

  // Reads a Windows bitmap with a 40-byte information header whose bit count
  // is allowed by depthMask (1: 1 bit, 2: 4, 4: 8, 8: 16, 16: 24, 32: 32 bits).
  // On failure the image is empty.
  bool ReadBmp(const std::string& path, int depthMask);

 private:
  BITMAPINFOHEADER* m_pHeader = nullptr;
  uint8_t* m_pBits = nullptr;
  MemoryKind m_HeaderKind = MemoryKind::None;
  MemoryKind m_BitsKind = MemoryKind::None;
};

// Fills a header for Create and Resize. False for an unsupported bit count, a
// non-positive width, a zero height or more than kMaxImagePixels pixels.
bool BuildDibHeader(int width, int height, int bitCount, BITMAPINFOHEADER& header);

// Colour entries a header describes: biClrUsed if non-zero, else 2^bits up to
// 8 bits, else 0.
int DibColourCount(const BITMAPINFOHEADER& header);

}  // namespace brimvale
