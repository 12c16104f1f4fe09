#include "image/texture_buffer.h"

#include <cstring>
#include <new>

namespace brimvale {

CTextureBuffer::CTextureBuffer(const CTextureBuffer& other) { *this = other; }

CTextureBuffer& CTextureBuffer::operator=(const CTextureBuffer& other) {
  if (this == &other) return *this;
  if (!other.m_bAllocated) {
    Release();
  } else if (Ensure()) {
    std::memcpy(m_pTexels.get(), other.m_pTexels.get(), kBytes);
  }
  return *this;
}

bool CTextureBuffer::Ensure() {
  if (m_bAllocated) return true;
  m_pTexels.reset(new (std::nothrow) uint8_t[kBytes]);
  m_bAllocated = m_pTexels != nullptr;
  return m_bAllocated;
}

void CTextureBuffer::Release() {
  m_pTexels.reset();
  m_bAllocated = false;
}

}  // namespace brimvale
