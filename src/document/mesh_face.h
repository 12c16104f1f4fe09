// One face of 2, 3 or 4 corners, and one edge. Both are plain bytes: copying is
// a bytewise copy.
#pragma once

#include <cstdint>

namespace brimvale {

inline constexpr uint8_t kFlagSelected = 0x01;
inline constexpr uint8_t kFlagShown = 0x02;

// Per-corner texture coordinates live beside the faces (CFaceArray::UVs), so
// the untextured faces of a derived mesh do not carry them.
struct CMeshFace {
  int m_Index[4] = {0, 0, 0, 0};
  int m_nMaterial = -1;  // -1 or outside the material list: no material
  // A byte beside the flags keeps a face at 24 bytes, not 28: a derived mesh
  // holds tens of millions of them. Never more than 4 outside a reader's scratch.
  int8_t m_nCorners = 3;
  uint8_t m_Flags = kFlagShown;

  bool IsSelected() const { return (m_Flags & kFlagSelected) != 0; }
  bool IsShown() const { return (m_Flags & kFlagShown) != 0; }
  void SetSelected(bool on) { m_Flags = on ? (m_Flags | kFlagSelected) : (m_Flags & ~kFlagSelected); }
  // Hiding a face also deselects it.
  void SetShown(bool on) { m_Flags = on ? (m_Flags | kFlagShown) : (m_Flags & ~(kFlagShown | kFlagSelected)); }
};

static_assert(sizeof(CMeshFace) == 24, "a face is what a derived mesh is made of: keep it small");

struct CMeshEdge {
  int m_v0 = 0;
  int m_v1 = 0;
  uint8_t m_Flags = 0;  // bit 0 selected

  void Swap() {
    const int t = m_v0;
    m_v0 = m_v1;
    m_v1 = t;
  }
};

}  // namespace brimvale
