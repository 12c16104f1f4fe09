#include "document/vertex_array.h"

#include <utility>

namespace brimvale {

void CVertexLinkTable::Clear(LinkKind kind) {
  const int k = static_cast<int>(kind);
  std::vector<int>().swap(m_Offsets[k]);
  std::vector<int>().swap(m_Fill[k]);
  std::vector<int>().swap(m_Pool[k]);
}

void CVertexLinkTable::ClearAll() {
  for (int k = 0; k < 4; ++k) Clear(static_cast<LinkKind>(k));
}

void CVertexLinkTable::Shape(LinkKind kind, const std::vector<int>& counts) {
  const int k = static_cast<int>(kind);
  std::vector<int> offsets(counts.size() + 1);
  size_t total = 0;
  for (size_t v = 0; v < counts.size(); ++v) {
    offsets[v] = static_cast<int>(total);
    total += static_cast<size_t>(counts[v]);
  }
  offsets[counts.size()] = static_cast<int>(total);
  m_Fill[k].assign(counts.size(), 0);
  m_Pool[k].assign(total, 0);
  m_Offsets[k] = std::move(offsets);
}

void CVertexLinkTable::Append(LinkKind kind, int vertex, int index) {
  const int k = static_cast<int>(kind);
  const auto v = static_cast<size_t>(vertex);
  const int slot = m_Offsets[k][v] + m_Fill[k][v]++;
  m_Pool[k][static_cast<size_t>(slot)] = index;
}

int CVertexLinkTable::Count(LinkKind kind, int vertex) const {
  const int k = static_cast<int>(kind);
  if (vertex < 0 || static_cast<size_t>(vertex) + 1 >= m_Offsets[k].size()) return 0;
  return m_Fill[k][static_cast<size_t>(vertex)];
}

std::span<const int> CVertexLinkTable::List(LinkKind kind, int vertex) const {
  const int k = static_cast<int>(kind);
  if (vertex < 0 || static_cast<size_t>(vertex) + 1 >= m_Offsets[k].size()) return {};
  const auto v = static_cast<size_t>(vertex);
  return std::span<const int>(m_Pool[k].data() + m_Offsets[k][v], static_cast<size_t>(m_Fill[k][v]));
}

size_t CVertexLinkTable::MemoryBytes() const {
  size_t bytes = 0;
  for (int k = 0; k < 4; ++k) {
    bytes += (m_Offsets[k].capacity() + m_Fill[k].capacity() + m_Pool[k].capacity()) * sizeof(int);
  }
  return bytes;
}

void CVertexArray::SetSize(int count) {
  const size_t n = count > 0 ? static_cast<size_t>(count) : 0;
  std::vector<CVector3>(n, CVector3(0.0f, 0.0f, 0.0f)).swap(m_Positions);
  std::vector<CVertexAttr>(n).swap(m_Attrs);
  m_Links.ClearAll();
}

void CVertexArray::Resize(int count, bool exactReallocation) {
  const size_t n = count > 0 ? static_cast<size_t>(count) : 0;
  m_Positions.resize(n, CVector3(0.0f, 0.0f, 0.0f));
  m_Attrs.resize(n);
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
  m_Positions.insert(m_Positions.end(), other.m_Positions.begin(), other.m_Positions.end());
  m_Attrs.insert(m_Attrs.end(), other.m_Attrs.begin(), other.m_Attrs.end());
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
  m_Attrs.reserve(static_cast<size_t>(count));
}

int CVertexArray::Add(const CVector3& position) {
  m_Positions.push_back(position);
  m_Attrs.emplace_back();
  return Count() - 1;
}

void CVertexArray::SetPositionRespectingLocks(int i, const CVector3& position) {
  CVector3& p = Position(i);
  const uint8_t flags = Attr(i).m_Flags;
  if (!(flags & CVertexAttr::kLockX)) p.x = position.x;
  if (!(flags & CVertexAttr::kLockY)) p.y = position.y;
  if (!(flags & CVertexAttr::kLockZ)) p.z = position.z;
}

}  // namespace brimvale
