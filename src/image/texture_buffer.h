// A material's texture as the view uploads it: rows x columns texels of red,
// green, blue and alpha. Pictures up to 256 on a side fill 256 x 256, larger
// ones keep their own size up to a limit. Allocated on first use, kept until
// released; copies are deep. Every change of the texels gets a new stamp, so
// the view re-uploads exactly when they changed.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>

namespace brimvale {

class CTextureBuffer {
 public:
  // The least size of each side: smaller pictures are scaled up to it.
  static constexpr int kSize = 256;
  // The most texels a side may hold, whatever the picture's size.
  static constexpr int kMaxSide = 8192;

  CTextureBuffer() = default;
  CTextureBuffer(const CTextureBuffer& other);
  CTextureBuffer& operator=(const CTextureBuffer& other);
  CTextureBuffer(CTextureBuffer&&) noexcept = default;
  CTextureBuffer& operator=(CTextureBuffer&&) noexcept = default;
  ~CTextureBuffer() = default;

  // Allocates rows x columns texels (not cleared) unless that size is
  // already there; true when they exist. Sides outside [1, kMaxSide] fail.
  bool Ensure(int rows = kSize, int columns = kSize);
  void Release();
  bool IsAllocated() const { return m_bAllocated; }
  uint8_t* Texels() const { return m_pTexels.get(); }
  int Rows() const { return m_nRows; }
  int Columns() const { return m_nColumns; }
  size_t RowBytes() const { return static_cast<size_t>(m_nColumns) * 4; }
  size_t Bytes() const { return static_cast<size_t>(m_nRows) * RowBytes(); }
  // Texel (row i, column j); the buffer must exist.
  uint8_t* Texel(int i, int j) const {
    return m_pTexels.get() + static_cast<size_t>(i) * RowBytes() + static_cast<size_t>(j) * 4;
  }

  // Distinct for every content the texels have had in this run: whoever
  // writes through Texels() or Texel() calls Touch afterwards.
  uint64_t Stamp() const { return m_nStamp; }
  void Touch();

 private:
  std::unique_ptr<uint8_t[]> m_pTexels;
  bool m_bAllocated = false;
  int m_nRows = 0;
  int m_nColumns = 0;
  uint64_t m_nStamp = 0;
};

}  // namespace brimvale
