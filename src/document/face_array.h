// An object's faces: the incoming list as read, the line, triangle and quad
// lists that SplitFacesByCorners fills, the normal arrays of the normals
// pass, and per-corner colours and texture coordinates for the lists whose
// faces carry them. A face's index is its position in its own list.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "document/corner_normals.h"
#include "document/mesh_face.h"
#include "document/vector2.h"
#include "foundation/vector3.h"

namespace brimvale {

enum class FaceList { Incoming = 0, Lines = 1, Triangles = 2, Quads = 3 };

// The colours of one face's corners: 32-bit words as a model writes them, red
// in the lowest byte, then green, blue and alpha. Corners without a colour of
// their own are white.
struct CCornerColours {
  static constexpr uint32_t kWhite = 0xFFFFFFFFu;
  uint32_t m_Color[4] = {kWhite, kWhite, kWhite, kWhite};
};

// The texture coordinates of one face's corners; a new
// pair where a model gives none.
struct CCornerUVs {
  CVector2 m_UV[4];
};

class CFaceArray {
 public:
  std::vector<CMeshFace>& List(FaceList which) { return m_Lists[static_cast<int>(which)]; }
  const std::vector<CMeshFace>& List(FaceList which) const { return m_Lists[static_cast<int>(which)]; }

  std::vector<CMeshFace>& Incoming() { return List(FaceList::Incoming); }
  std::vector<CMeshFace>& Lines() { return List(FaceList::Lines); }
  std::vector<CMeshFace>& Triangles() { return List(FaceList::Triangles); }
  std::vector<CMeshFace>& Quads() { return List(FaceList::Quads); }
  const std::vector<CMeshFace>& Incoming() const { return List(FaceList::Incoming); }
  const std::vector<CMeshFace>& Lines() const { return List(FaceList::Lines); }
  const std::vector<CMeshFace>& Triangles() const { return List(FaceList::Triangles); }
  const std::vector<CMeshFace>& Quads() const { return List(FaceList::Quads); }

  int LineCount() const { return static_cast<int>(Lines().size()); }
  int TriangleCount() const { return static_cast<int>(Triangles().size()); }
  int QuadCount() const { return static_cast<int>(Quads().size()); }

  // Per list: fresh size (default faces), clear, resize keeping contents,
  // append another array's list, copy another's list (whole or range), swap.
  // Colours and UVs go with their faces; faces added beside coloured ones are
  // white, beside ones with UVs new pairs.
  void SetSize(FaceList which, int count);
  void Clear(FaceList which);
  void Resize(FaceList which, int count, bool exactReallocation = false);
  void Append(FaceList which, const CFaceArray& other);
  void CopyFrom(FaceList which, const CFaceArray& other);
  void CopyRange(FaceList which, const CFaceArray& other, int first, int count);
  void Swap(FaceList which, CFaceArray& other) noexcept;

  // Moves every incoming face to the list for its corner count (file order kept);
  // faces of any other corner count are dropped. Empties the incoming list.
  void SplitFacesByCorners();

  // Colours of a list's faces, one entry per face; empty for a list whose
  // faces carry none, so objects without colours pay nothing. A reader fills
  // them for the incoming list.
  std::vector<CCornerColours>& Colours(FaceList which) { return m_Colours[static_cast<int>(which)]; }
  const std::vector<CCornerColours>& Colours(FaceList which) const { return m_Colours[static_cast<int>(which)]; }
  // The colours of face `face` of a list, or null when the list has none.
  const CCornerColours* FaceColours(FaceList which, std::size_t face) const {
    const auto& colours = Colours(which);
    return face < colours.size() && colours.size() == List(which).size() ? &colours[face] : nullptr;
  }
  bool HasColours() const {
    for (const auto& colours : m_Colours)
      if (!colours.empty()) return true;
    return false;
  }

  // Texture coordinates of a list's faces, kept exactly like the colours:
  // empty for a list whose faces carry none, whose faces then read as new pairs.
  std::vector<CCornerUVs>& UVs(FaceList which) { return m_UVs[static_cast<int>(which)]; }
  const std::vector<CCornerUVs>& UVs(FaceList which) const { return m_UVs[static_cast<int>(which)]; }
  // The UVs of face `face` of a list, or null when the list has none.
  const CCornerUVs* FaceUVs(FaceList which, std::size_t face) const {
    const auto& uvs = UVs(which);
    return face < uvs.size() && uvs.size() == List(which).size() ? &uvs[face] : nullptr;
  }
  bool HasUVs() const {
    for (const auto& uvs : m_UVs)
      if (!uvs.empty()) return true;
    return false;
  }
  void FreeUVs() {
    for (auto& uvs : m_UVs) std::vector<CCornerUVs>().swap(uvs);
  }
  // Brings a list's colours and UVs, where it has any, to its face count:
  // for whoever added faces to List() directly.
  void PadCornerData(FaceList which);

  // The face normals, sized to the current triangle and quad counts but not
  // zeroed (the caller writes every entry); the corner normals are left to the caller.
  void SizeNormalsUnfilled();
  void FreeNormals();
  bool HasNormals() const { return m_bNormalsAllocated; }
  void SwapNormals(CFaceArray& other) noexcept;

  CNormalArray m_TriangleNormals;
  CNormalArray m_QuadNormals;
  CCornerNormals m_TriangleCornerNormals;  // three per triangle
  CCornerNormals m_QuadCornerNormals;      // four per quad

 private:
  std::vector<CMeshFace> m_Lists[4];
  std::vector<CCornerColours> m_Colours[4];
  std::vector<CCornerUVs> m_UVs[4];
  bool m_bNormalsAllocated = false;
};

}  // namespace brimvale
