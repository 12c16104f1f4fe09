#include "document/vertex_array.h"

#include <utility>

namespace brimvale {

void CVertexLinkTable::Clear(LinkKind kind) {
  const int k = static_cast<int>(kind);
  std::vector<int>().swap(m_Offsets[k]);
  std::vector<int>().swap(m_Pool[k]);
}

void CVertexLinkTable::ClearAll() {
  for (int k = 0; k < 4; ++k) Clear(static_cast<LinkKind>(k));
}

void CVertexLinkTable::Shape(LinkKind kind, const std::vector<int>& counts) {
  Shape(kind, std::vector<int>(counts));
}

void CVertexLinkTable::Shape(LinkKind kind, std::vector<int>&& counts) {
  const int k = static_cast<int>(kind);
  Clear(kind);
  // Counts become start offsets in place; Append advances them to the ends.
  size_t total = 0;
  for (int& entry : counts) {
    const int count = entry;
    entry = static_cast<int>(total);
    total += static_cast<size_t>(count);
  }
  if (total == 0) return;
  m_Pool[k].assign(total, 0);
  m_Offsets[k] = std::move(counts);
}

size_t CVertexLinkTable::MemoryBytes() const {
  size_t bytes = 0;
  for (int k = 0; k < 4; ++k) bytes += (m_Offsets[k].capacity() + m_Pool[k].capacity()) * sizeof(int);
  return bytes;
}

void CVertexArray::SetSize(int count) {
  const size_t n = count > 0 ? static_cast<size_t>(count) : 0;
  std::vector<CVector3>(n, CVector3(0.0f, 0.0f, 0.0f)).swap(m_Positions);
  std::vector<CVertexAttr>().swap(m_Attrs);
  m_Links.ClearAll();
}

void CVertexArray::Resize(int count, bool exactReallocation) {
  const size_t n = count > 0 ? static_cast<size_t>(count) : 0;
  m_Positions.resize(n, CVector3(0.0f, 0.0f, 0.0f));
  if (!m_Attrs.empty()) m_Attrs.resize(n);
  if (exactReallocation) {
    m_Positions.shrink_to_fit();
    m_Attrs.shrink_to_fit();
  }
  m_Links.ClearAll();
}

void CVertexArray::Clear() {
  std::vector<CVector3>().swap(m_Positions);
  std::vector<CVertexAttr>().swap(m_Attrs);
  m_Links.ClearAll();
}

void CVertexArray::Append(const CVertexArray& other) {
  if (!m_Attrs.empty() || !other.m_Attrs.empty()) {
    m_Attrs.resize(m_Positions.size());
    if (other.m_Attrs.empty())
      m_Attrs.resize(m_Positions.size() + other.m_Positions.size());
    else
      m_Attrs.insert(m_Attrs.end(), other.m_Attrs.begin(), other.m_Attrs.end());
  }
  m_Positions.insert(m_Positions.end(), other.m_Positions.begin(), other.m_Positions.end());
  m_Links.ClearAll();
}

void CVertexArray::CopyFrom(const CVertexArray& other) {
  m_Positions = other.m_Positions;
  m_Attrs = other.m_Attrs;
  m_Links.ClearAll();
}

void CVertexArray::CopyRange(const CVertexArray& other, int first, int count) {
  if (first < 0 || count < 0 || first > other.Count() || count > other.Count() - first) return;
  m_Positions.assign(other.m_Positions.begin() + first, other.m_Positions.begin() + first + count);
  if (other.m_Attrs.empty())
    std::vector<CVertexAttr>().swap(m_Attrs);
  else
    m_Attrs.assign(other.m_Attrs.begin() + first, other.m_Attrs.begin() + first + count);
  m_Links.ClearAll();
}

void CVertexArray::Swap(CVertexArray& other) noexcept {
  m_Positions.swap(other.m_Positions);
  m_Attrs.swap(other.m_Attrs);
  std::swap(m_Links, other.m_Links);
}

void CVertexArray::Reserve(int count) {
  if (count <= 0) return;
  m_Positions.reserve(static_cast<size_t>(count));
  if (!m_Attrs.empty()) m_Attrs.reserve(static_cast<size_t>(count));
}

int CVertexArray::Add(const CVector3& position) {
  m_Positions.push_back(position);
  if (!m_Attrs.empty()) m_Attrs.emplace_back();
  return Count() - 1;
}

void CVertexArray::SetPositionRespectingLocks(int i, const CVector3& position) {
  CVector3& p = Position(i);
  const uint8_t flags = std::as_const(*this).Attr(i).m_Flags;
  if (!(flags & CVertexAttr::kLockX)) p.x = position.x;
  if (!(flags & CVertexAttr::kLockY)) p.y = position.y;
  if (!(flags & CVertexAttr::kLockZ)) p.z = position.z;
}

}  // namespace brimvale
