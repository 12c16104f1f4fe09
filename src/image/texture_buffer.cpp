#include "image/texture_buffer.h"

#include <atomic>
#include <cstring>
#include <new>

namespace brimvale {

namespace {
std::atomic<uint64_t> g_nNextStamp{1};
}  // namespace

CTextureBuffer::CTextureBuffer(const CTextureBuffer& other) { *this = other; }

CTextureBuffer& CTextureBuffer::operator=(const CTextureBuffer& other) {
  if (this == &other) return *this;
  if (!other.m_bAllocated) {
    Release();
  } else if (Ensure(other.m_nRows, other.m_nColumns)) {
    std::memcpy(m_pTexels.get(), other.m_pTexels.get(), Bytes());
    Touch();
  }
  return *this;
}

bool CTextureBuffer::Ensure(int rows, int columns) {
  if (m_bAllocated && rows == m_nRows && columns == m_nColumns) return true;
  if (rows < 1 || columns < 1 || rows > kMaxSide || columns > kMaxSide) return false;
  Release();
  m_pTexels.reset(new (std::nothrow) uint8_t[static_cast<size_t>(rows) * static_cast<size_t>(columns) * 4]);
  m_bAllocated = m_pTexels != nullptr;
  if (m_bAllocated) {
    m_nRows = rows;
    m_nColumns = columns;
    Touch();
  }
  return m_bAllocated;
}

void CTextureBuffer::Release() {
  m_pTexels.reset();
  m_bAllocated = false;
  m_nRows = 0;
  m_nColumns = 0;
}

void CTextureBuffer::Touch() { m_nStamp = g_nNextStamp.fetch_add(1, std::memory_order_relaxed); }

}  // namespace brimvale
