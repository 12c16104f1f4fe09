// Scaling a pixel image. Each destination column and row takes a source index
// and two smoothstep weights from a sample table; palette depths pick the
// nearest source pixel, true colour blends the 2 x 2 neighbourhood. Indices
// are clamped to the source, so a one-pixel-wide or -high source gives its
// single column or row.
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "image/pixel_image.h"

namespace brimvale {
namespace {

struct SampleEntry {
  int32_t index;
  uint16_t w0;
  uint16_t w1;
};

// One entry per destination position over a source of sourceCount positions.
std::vector<SampleEntry> BuildSampleTable(int sourceCount, int targetCount) {
  std::vector<SampleEntry> table(static_cast<size_t>(targetCount));
  const double step =
      targetCount > 1 ? static_cast<double>(sourceCount - 1) / static_cast<double>(targetCount - 1) : 0.0;
  double position = 0.0;
  for (SampleEntry& entry : table) {
    double whole = 0.0;
    const double f = std::modf(position, &whole);
    const auto w1 = static_cast<int>((3.0 * f * f - 2.0 * f * f * f) * 256.0);
    entry.index = static_cast<int32_t>(whole);
    entry.w1 = static_cast<uint16_t>(w1);
    entry.w0 = static_cast<uint16_t>(256 - w1);
    position += step;
  }
  // The last destination position takes exactly the last source position.
  table.back() = SampleEntry{sourceCount - 2, 0, 256};
  return table;
}

int Clamp(int value, int count) { return value < 0 ? 0 : value >= count ? count - 1 : value; }

int Nearest(const SampleEntry& entry, int count) {
  return Clamp(entry.w0 < 128 ? entry.index + 1 : entry.index, count);
}

int ReadPackedIndex(const uint8_t* row, int x, int bits) {
  if (bits == 1) return (row[x >> 3] >> (7 - (x & 7))) & 1;
  return (x & 1) ? (row[x >> 1] & 0x0F) : (row[x >> 1] >> 4);
}

void WritePackedIndex(uint8_t* row, int x, int bits, int value) {
  if (bits == 1) {
    if (value & 1) row[x >> 3] = static_cast<uint8_t>(row[x >> 3] | (0x80 >> (x & 7)));
  } else if (x & 1) {
    row[x >> 1] = static_cast<uint8_t>(row[x >> 1] | (value & 0x0F));
  } else {
    row[x >> 1] = static_cast<uint8_t>(row[x >> 1] | ((value & 0x0F) << 4));
  }
}

}  // namespace

bool CPixelImage::Resize(int width, int height) {
  if (IsEmpty()) return false;
  const int sourceWidth = Width();
  const int sourceHeight = Height();
  const int bits = BitCount();
  if (sourceWidth <= 0 || sourceHeight <= 0) return false;
  if (height == INT32_MIN) return false;
  const int absHeight = height < 0 ? -height : height;
  BITMAPINFOHEADER header;
  if (!BuildDibHeader(width, IsBottomUp() ? absHeight : -absHeight, bits, header)) return false;
  // The colour table stays as it is, so the new header must not describe
  // more entries than the block holds.
  header.biClrUsed = m_pHeader->biClrUsed;

  const std::vector<SampleEntry> columns = BuildSampleTable(sourceWidth, width);
  const std::vector<SampleEntry> rows = BuildSampleTable(sourceHeight, absHeight);
  const size_t sourceStride = static_cast<size_t>(Stride());
  const size_t stride = static_cast<size_t>(DibStride(width, bits));
  auto* target = static_cast<uint8_t*>(std::malloc(header.biSizeImage));
  if (target == nullptr) return false;

  for (int r = 0; r < absHeight; ++r) {
    uint8_t* out = target + static_cast<size_t>(r) * stride;
    const SampleEntry& rowEntry = rows[static_cast<size_t>(r)];
    if (bits == 1 || bits == 4 || bits == 8 || bits == 16) {
      const uint8_t* in = m_pBits + static_cast<size_t>(Nearest(rowEntry, sourceHeight)) * sourceStride;
      if (bits <= 4) std::memset(out, 0, stride);
      for (int x = 0; x < width; ++x) {
        const int sx = Nearest(columns[static_cast<size_t>(x)], sourceWidth);
        if (bits <= 4) {
          WritePackedIndex(out, x, bits, ReadPackedIndex(in, sx, bits));
        } else {
          const size_t bytes = static_cast<size_t>(bits / 8);
          std::memcpy(out + bytes * static_cast<size_t>(x), in + bytes * static_cast<size_t>(sx), bytes);
        }
      }
      continue;
    }
    const size_t channels = static_cast<size_t>(bits / 8);
    const int j0 = Clamp(rowEntry.index, sourceHeight);
    const int j1 = Clamp(rowEntry.index + 1, sourceHeight);
    const uint8_t* upper = m_pBits + static_cast<size_t>(j0) * sourceStride;
    const uint8_t* lower = m_pBits + static_cast<size_t>(j1) * sourceStride;
    for (int x = 0; x < width; ++x) {
      const SampleEntry& col = columns[static_cast<size_t>(x)];
      const size_t i0 = static_cast<size_t>(Clamp(col.index, sourceWidth)) * channels;
      const size_t i1 = static_cast<size_t>(Clamp(col.index + 1, sourceWidth)) * channels;
      for (size_t c = 0; c < channels; ++c) {
        const uint32_t top = upper[i0 + c] * uint32_t{col.w0} + upper[i1 + c] * uint32_t{col.w1};
        const uint32_t bottom = lower[i0 + c] * uint32_t{col.w0} + lower[i1 + c] * uint32_t{col.w1};
        out[static_cast<size_t>(x) * channels + c] =
            static_cast<uint8_t>((top * rowEntry.w0 + bottom * rowEntry.w1) >> 16);
      }
    }
  }

  std::memcpy(m_pHeader, &header, sizeof header);
  ReleaseBlock(m_pBits, m_BitsKind);
  m_pBits = target;
  m_BitsKind = MemoryKind::GlobalFixed;
  return true;
}

}  // namespace brimvale
