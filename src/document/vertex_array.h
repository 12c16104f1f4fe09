// An object's vertices: positions, per-vertex attributes and the incident
// edge/line/triangle/quad lists. The link lists of all vertices share one
// compact table (offsets + one index pool per kind), so a million-vertex model
// costs a handful of allocations, not one per vertex.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "foundation/vector3.h"

namespace brimvale {

struct CVertexAttr {
  static constexpr uint8_t kSelected = 0x01;
  static constexpr uint8_t kShown = 0x02;
  static constexpr uint8_t kLockX = 0x04;
  static constexpr uint8_t kLockY = 0x08;
  static constexpr uint8_t kLockZ = 0x10;

  uint8_t m_Flags = kShown;
  float m_fWeight = 1.0f;

  void SetShown(bool on) { m_Flags = on ? (m_Flags | kShown) : (m_Flags & ~(kShown | kSelected)); }
};

enum class LinkKind { Edge = 0, Line = 1, Triangle = 2, Quad = 3 };

// Per-vertex link lists of every vertex, in compressed-row form: one offset
// per vertex and one index pool per kind (4 bytes a vertex plus 4 an entry).
// A kind with no entries at all holds no arrays.
class CVertexLinkTable {
 public:
  void Clear(LinkKind kind);
  void ClearAll();
  // Sets the list of every vertex of one kind from per-vertex counts; entries
  // are then filled in order with Append, exactly as many as counted. Counts
  // and lists are read once every list of the kind is filled. The rvalue form
  // reuses the counts' storage for the offsets.
  void Shape(LinkKind kind, const std::vector<int>& counts);
  void Shape(LinkKind kind, std::vector<int>&& counts);
  void Append(LinkKind kind, int vertex, int index) {
    const int k = static_cast<int>(kind);
    int& cursor = m_Offsets[k][static_cast<size_t>(vertex)];
    m_Pool[k][static_cast<size_t>(cursor++)] = index;
  }

  int Count(LinkKind kind, int vertex) const {
    const auto& offsets = m_Offsets[static_cast<int>(kind)];
    if (vertex < 0 || static_cast<size_t>(vertex) >= offsets.size()) return 0;
    const auto v = static_cast<size_t>(vertex);
    return offsets[v] - (v ? offsets[v - 1] : 0);
  }
  std::span<const int> List(LinkKind kind, int vertex) const {
    const int k = static_cast<int>(kind);
    const auto& offsets = m_Offsets[k];
    if (vertex < 0 || static_cast<size_t>(vertex) >= offsets.size()) return {};
    const auto v = static_cast<size_t>(vertex);
    const int first = v ? offsets[v - 1] : 0;
    return std::span<const int>(m_Pool[k].data() + first, static_cast<size_t>(offsets[v] - first));
  }
  bool HasKind(LinkKind kind) const { return !m_Offsets[static_cast<int>(kind)].empty(); }
  size_t MemoryBytes() const;

 private:
  // Per vertex: while filling, the next free slot of its list; once filled,
  // the end of its list (so the list starts at the previous vertex's end).
  std::vector<int> m_Offsets[4];
  std::vector<int> m_Pool[4];
};

// The per-vertex view of the table: counts and lists of incident elements.
class CVertexLinks {
 public:
  CVertexLinks(const CVertexLinkTable& table, int vertex) : m_Table(table), m_nVertex(vertex) {}
  int EdgeCount() const { return m_Table.Count(LinkKind::Edge, m_nVertex); }
  int LineCount() const { return m_Table.Count(LinkKind::Line, m_nVertex); }
  int TriangleCount() const { return m_Table.Count(LinkKind::Triangle, m_nVertex); }
  int QuadCount() const { return m_Table.Count(LinkKind::Quad, m_nVertex); }
  std::span<const int> Edges() const { return m_Table.List(LinkKind::Edge, m_nVertex); }
  std::span<const int> Lines() const { return m_Table.List(LinkKind::Line, m_nVertex); }
  std::span<const int> Triangles() const { return m_Table.List(LinkKind::Triangle, m_nVertex); }
  std::span<const int> Quads() const { return m_Table.List(LinkKind::Quad, m_nVertex); }

 private:
  const CVertexLinkTable& m_Table;
  int m_nVertex;
};

class CVertexArray {
 public:
  int Count() const { return static_cast<int>(m_Positions.size()); }
  bool Empty() const { return m_Positions.empty(); }

  // Fresh size: every entry default (position zero, default attributes, no links).
  void SetSize(int count);
  // Keeps existing positions and attributes; links are emptied.
  void Resize(int count, bool exactReallocation = false);
  void Clear();
  void Append(const CVertexArray& other);
  void CopyFrom(const CVertexArray& other);
  void CopyRange(const CVertexArray& other, int first, int count);
  void Swap(CVertexArray& other) noexcept;
  void Reserve(int count);
  int Add(const CVector3& position);  // appends one default vertex, returns its index

  CVector3& Position(int i) { return m_Positions[static_cast<size_t>(i)]; }
  const CVector3& Position(int i) const { return m_Positions[static_cast<size_t>(i)]; }
  // Attributes are stored only once one differs from the default: models are
  // read and derived with default ones, and a derived mesh of millions of
  // vertices would carry them for nothing. Writing through Attr stores them all.
  CVertexAttr& Attr(int i) {
    if (m_Attrs.size() != m_Positions.size()) m_Attrs.resize(m_Positions.size());
    return m_Attrs[static_cast<size_t>(i)];
  }
  const CVertexAttr& Attr(int i) const { return m_Attrs.empty() ? kDefaultAttr : m_Attrs[static_cast<size_t>(i)]; }
  bool HasStoredAttrs() const { return !m_Attrs.empty(); }
  // Every vertex back to the default attributes (after positions are set whole).
  void ResetAttrs() { std::vector<CVertexAttr>().swap(m_Attrs); }
  // Position update that leaves locked axes unchanged.
  void SetPositionRespectingLocks(int i, const CVector3& position);

  CVertexLinks Links(int i) const { return CVertexLinks(m_Links, i); }
  CVertexLinkTable& LinkTable() { return m_Links; }
  const CVertexLinkTable& LinkTable() const { return m_Links; }

  std::vector<CVector3>& Positions() { return m_Positions; }
  const std::vector<CVector3>& Positions() const { return m_Positions; }

 private:
  static constexpr CVertexAttr kDefaultAttr{};
  // Empty (every vertex default) or one per position.

  std::vector<CVector3> m_Positions;
  std::vector<CVertexAttr> m_Attrs;
  CVertexLinkTable m_Links;
};

}  // namespace brimvale
