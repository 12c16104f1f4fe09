#include "image/pixel_image.h"

#include <cstdlib>
#include <cstring>
#include <utility>

namespace brimvale {

uint64_t DibStride(int64_t width, int bitCount) {
  if (width <= 0 || bitCount <= 0) return 0;
  const uint64_t bits = static_cast<uint64_t>(width) * static_cast<uint64_t>(bitCount);
  return ((bits + 31) & ~uint64_t{31}) / 8;
}

void ReleaseBlock(void* block, MemoryKind kind) {
  if (block != nullptr && kind != MemoryKind::None) std::free(block);
}

int DibColourCount(const BITMAPINFOHEADER& header) {
  if (header.biClrUsed != 0) return static_cast<int>(header.biClrUsed);
  if (header.biBitCount <= 8) return 1 << header.biBitCount;
  return 0;
}

bool BuildDibHeader(int width, int height, int bitCount, BITMAPINFOHEADER& header) {
  if (bitCount < 1 || bitCount > 32) return false;
  if (bitCount != 1 && bitCount != 4 && bitCount != 8 && bitCount != 16 && bitCount != 24 &&
      bitCount != 32) {
    return false;
  }
  if (width <= 0 || height == 0) return false;
  const uint64_t rows = height < 0 ? uint64_t{0} - static_cast<uint64_t>(static_cast<int64_t>(height))
                                   : static_cast<uint64_t>(height);
  if (static_cast<uint64_t>(width) * rows > kMaxImagePixels) return false;
  const uint64_t stride = DibStride(width, bitCount);
  header.biSize = 40;
  header.biWidth = width;
  header.biHeight = height;
  header.biPlanes = 1;
  header.biBitCount = static_cast<uint16_t>(bitCount);
  header.biCompression = 0;
  header.biSizeImage = static_cast<uint32_t>(stride * rows);
  header.biXPelsPerMeter = 0;
  header.biYPelsPerMeter = 0;
  header.biClrUsed = bitCount == 1 ? 2u : bitCount == 4 ? 16u : bitCount == 8 ? 256u : 0u;
  header.biClrImportant = 0;
  return true;
}

CPixelImage::~CPixelImage() { Clear(); }

bool CPixelImage::Create(int width, int height, int bitCount) {
  Clear();
  BITMAPINFOHEADER header;
  if (!BuildDibHeader(width, height, bitCount, header)) return false;
  const size_t headerBytes = 40 + 4 * static_cast<size_t>(DibColourCount(header));
  auto* headerBlock = static_cast<uint8_t*>(std::malloc(headerBytes));
  if (headerBlock == nullptr) return false;
  std::memcpy(headerBlock, &header, sizeof header);
  const size_t pixelBytes = header.biSizeImage;
  void* bits = pixelBytes == 0 ? nullptr : std::malloc(pixelBytes);
  if (bits == nullptr) {
    std::free(headerBlock);
    return false;
  }
  m_pHeader = reinterpret_cast<BITMAPINFOHEADER*>(headerBlock);
  m_HeaderKind = MemoryKind::GlobalFixed;
  m_pBits = static_cast<uint8_t*>(bits);
  m_BitsKind = MemoryKind::GlobalFixed;
  if (bitCount == 1 || bitCount == 8) SetGreyPalette();
  return true;
}

bool CPixelImage::Attach(void* header, MemoryKind headerKind, void* bits, MemoryKind bitsKind) {
  if (header == nullptr || bits == nullptr) return false;
  Clear();
  m_pHeader = static_cast<BITMAPINFOHEADER*>(header);
  m_HeaderKind = headerKind;
  m_pBits = static_cast<uint8_t*>(bits);
  m_BitsKind = bitsKind;
  return true;
}

void CPixelImage::Clear() {
  ReleaseBlock(m_pHeader, m_HeaderKind);
  m_pHeader = nullptr;
  m_HeaderKind = MemoryKind::None;
  ReleaseBlock(m_pBits, m_BitsKind);
  m_pBits = nullptr;
  m_BitsKind = MemoryKind::None;
}

void CPixelImage::Swap(CPixelImage& other) noexcept {
  std::swap(m_pHeader, other.m_pHeader);
  std::swap(m_pBits, other.m_pBits);
  std::swap(m_HeaderKind, other.m_HeaderKind);
  std::swap(m_BitsKind, other.m_BitsKind);
}

uint8_t* CPixelImage::ColourTable() const {
  return reinterpret_cast<uint8_t*>(m_pHeader) + m_pHeader->biSize;
}

int CPixelImage::Height() const {
  const int64_t h = m_pHeader->biHeight;
  return static_cast<int>(h < 0 ? -h : h);
}

int CPixelImage::Stride() const {
  return static_cast<int>(DibStride(m_pHeader->biWidth, m_pHeader->biBitCount));
}

uint32_t CPixelImage::ImageSize() const {
  if (m_pHeader->biSizeImage != 0) return m_pHeader->biSizeImage;
  return static_cast<uint32_t>(static_cast<uint64_t>(Stride()) * static_cast<uint64_t>(Height()));
}

int CPixelImage::ColourCount() const { return DibColourCount(*m_pHeader); }

uint8_t* CPixelImage::Row(int y) const {
  const size_t stride = static_cast<size_t>(Stride());
  const int storedRow = IsTopDown() ? y : Height() - 1 - y;
  return m_pBits + static_cast<ptrdiff_t>(storedRow) * static_cast<ptrdiff_t>(stride);
}

uint8_t* CPixelImage::PixelAddress(int x, int y) const {
  const size_t column = static_cast<size_t>(x);
  switch (BitCount()) {
    case 1: return Row(y) + (column >> 3);
    case 4: return Row(y) + (column >> 1);
    case 8: return Row(y) + column;
    case 16: return Row(y) + 2 * column;
    case 24: return Row(y) + 3 * column;
    case 32: return Row(y) + 4 * column;
    default: return nullptr;
  }
}

void CPixelImage::SetGreyPalette() {
  int entries = 0;
  int step = 0;
  switch (BitCount()) {
    case 1: entries = 2; step = 255; break;
    case 4: entries = 16; step = 17; break;
    case 8: entries = 256; step = 1; break;
    default: return;
  }
  // Never past the table the header block holds (a file may declare fewer).
  if (ColourCount() < entries) entries = ColourCount();
  uint8_t* table = ColourTable();
  for (int i = 0; i < entries; ++i) {
    const auto level = static_cast<uint8_t>(i * step);
    table[4 * i + 0] = level;
    table[4 * i + 1] = level;
    table[4 * i + 2] = level;
    table[4 * i + 3] = 0;
  }
}

}  // namespace brimvale
