// A material's texture as the view uploads it: 256 x 256 texels of red, green,
// blue and alpha, 1024 bytes a row. Allocated on first use, kept until
// released; copies are deep.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>

namespace brimvale {

class CTextureBuffer {
 public:
  static constexpr int kSize = 256;
  static constexpr size_t kRowBytes = 1024;
  static constexpr size_t kBytes = 262144;

  CTextureBuffer() = default;
  CTextureBuffer(const CTextureBuffer& other);
  CTextureBuffer& operator=(const CTextureBuffer& other);
  CTextureBuffer(CTextureBuffer&&) noexcept = default;
  CTextureBuffer& operator=(CTextureBuffer&&) noexcept = default;
  ~CTextureBuffer() = default;

  // Allocates the texels once (not cleared); true when they exist.
  bool Ensure();
  void Release();
  bool IsAllocated() const { return m_bAllocated; }
  uint8_t* Texels() const { return m_pTexels.get(); }
  // Texel (row i, column j); the buffer must exist.
  uint8_t* Texel(int i, int j) const {
    return m_pTexels.get() + static_cast<size_t>(i) * kRowBytes + static_cast<size_t>(j) * 4;
  }

 private:
  std::unique_ptr<uint8_t[]> m_pTexels;
  bool m_bAllocated = false;
};

}  // namespace brimvale
