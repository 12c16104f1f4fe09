// Smooth normals of one face list's corners. Most corners at a vertex share
// one normal, so a corner holds an index into a table instead of a normal of
// its own (4 bytes a corner instead of 12). Table entry 0 is the zero normal
// of corners no rule reached; entry 1 + v the first normal of vertex v's
// corners; the few further normals of vertices on a crease come after those.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "foundation/no_init_allocator.h"
#include "foundation/vector3.h"

namespace brimvale {

using CNormalArray = std::vector<CVector3, CNoInitAllocator<CVector3>>;
using CNormalIndexArray = std::vector<uint32_t, CNoInitAllocator<uint32_t>>;

class CCornerNormals {
 public:
  size_t size() const { return m_Index.size(); }
  bool empty() const { return m_Index.empty(); }
  const CVector3& operator[](size_t corner) const { return m_Table[m_Index[corner]]; }

  // `corners` corners of the zero normal.
  void Zeroed(size_t corners);
  // Appends a corner with a normal of its own.
  void push_back(const CVector3& normal);
  // Frees both arrays.
  void Clear();
  void swap(CCornerNormals& other) noexcept {
    m_Index.swap(other.m_Index);
    m_Table.swap(other.m_Table);
  }

  // Filled by the normals pass: one index per corner, the table they point into.
  CNormalIndexArray m_Index;
  CNormalArray m_Table;
};

}  // namespace brimvale
