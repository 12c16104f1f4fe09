#include "document/face_array.h"

#include <cstddef>
#include <utility>

namespace brimvale {

namespace {
std::size_t ToSize(int count) { return count > 0 ? static_cast<std::size_t>(count) : 0; }

// Per-corner data beside a list (colours, UVs) follows the same rules: empty
// while no face has any, else one entry per face, defaults for the rest.
template <class T>
void Free(std::vector<T>& side) {
  std::vector<T>().swap(side);
}

template <class T>
void Pad(std::vector<T>& side, std::size_t faces) {
  if (!side.empty()) side.resize(faces);
}

// `side` belonged to the first `before` faces; the source's faces followed.
template <class T>
void AppendSide(std::vector<T>& side, std::size_t before, std::size_t after, const std::vector<T>& source,
                std::size_t sourceFaces) {
  if (side.empty() && source.empty()) return;
  side.resize(before);
  if (source.size() == sourceFaces) {
    side.insert(side.end(), source.begin(), source.end());
  } else {
    side.resize(after);
  }
}

template <class T>
void CopySideRange(std::vector<T>& side, const std::vector<T>& source, std::size_t sourceFaces, int first,
                   int count) {
  if (source.size() == sourceFaces) {
    side.assign(source.begin() + first, source.begin() + first + count);
  } else {
    Free(side);
  }
}
}  // namespace

void CFaceArray::SetSize(FaceList which, int count) {
  std::vector<CMeshFace>(ToSize(count)).swap(List(which));
  Free(Colours(which));
  Free(UVs(which));
}

void CFaceArray::Clear(FaceList which) {
  std::vector<CMeshFace>().swap(List(which));
  Free(Colours(which));
  Free(UVs(which));
}

void CFaceArray::PadCornerData(FaceList which) {
  Pad(Colours(which), List(which).size());
  Pad(UVs(which), List(which).size());
}

void CFaceArray::Resize(FaceList which, int count, bool exactReallocation) {
  auto& list = List(which);
  list.resize(ToSize(count));
  if (exactReallocation) list.shrink_to_fit();
  PadCornerData(which);
}

void CFaceArray::Append(FaceList which, const CFaceArray& other) {
  const auto& source = other.List(which);
  const std::size_t before = List(which).size();
  List(which).insert(List(which).end(), source.begin(), source.end());
  const std::size_t after = List(which).size();
  AppendSide(Colours(which), before, after, other.Colours(which), source.size());
  AppendSide(UVs(which), before, after, other.UVs(which), source.size());
}

void CFaceArray::CopyFrom(FaceList which, const CFaceArray& other) {
  List(which) = other.List(which);
  Colours(which) = other.Colours(which);
  UVs(which) = other.UVs(which);
}

void CFaceArray::CopyRange(FaceList which, const CFaceArray& other, int first, int count) {
  const auto& source = other.List(which);
  const int size = static_cast<int>(source.size());
  if (first < 0 || count < 0 || first > size || count > size - first) return;
  List(which).assign(source.begin() + first, source.begin() + first + count);
  CopySideRange(Colours(which), other.Colours(which), source.size(), first, count);
  CopySideRange(UVs(which), other.UVs(which), source.size(), first, count);
}

void CFaceArray::Swap(FaceList which, CFaceArray& other) noexcept {
  List(which).swap(other.List(which));
  Colours(which).swap(other.Colours(which));
  UVs(which).swap(other.UVs(which));
}

void CFaceArray::SplitFacesByCorners() {
  Clear(FaceList::Lines);
  Clear(FaceList::Triangles);
  Clear(FaceList::Quads);
  std::size_t counts[5] = {0, 0, 0, 0, 0};
  for (const CMeshFace& face : Incoming()) {
    if (face.m_nCorners >= 2 && face.m_nCorners <= 4) ++counts[face.m_nCorners];
  }
  Lines().reserve(counts[2]);
  Triangles().reserve(counts[3]);
  Quads().reserve(counts[4]);
  const auto& incomingColours = Colours(FaceList::Incoming);
  const bool coloured = !incomingColours.empty() && incomingColours.size() == Incoming().size();
  const auto& incomingUVs = UVs(FaceList::Incoming);
  const bool mapped = !incomingUVs.empty() && incomingUVs.size() == Incoming().size();
  for (int corners = 2; corners <= 4; ++corners) {
    const auto list = static_cast<FaceList>(corners - 1);
    if (coloured) Colours(list).reserve(counts[corners]);
    if (mapped) UVs(list).reserve(counts[corners]);
  }
  for (std::size_t f = 0; f < Incoming().size(); ++f) {
    const CMeshFace& face = Incoming()[f];
    if (face.m_nCorners < 2 || face.m_nCorners > 4) continue;
    const auto list = static_cast<FaceList>(face.m_nCorners - 1);
    List(list).push_back(face);
    if (coloured) Colours(list).push_back(incomingColours[f]);
    if (mapped) UVs(list).push_back(incomingUVs[f]);
  }
  Clear(FaceList::Incoming);
}

void CFaceArray::SizeNormalsUnfilled() {
  const std::size_t triangles = Triangles().size();
  const std::size_t quads = Quads().size();
  // Arrays of another size go first, so the new ones are not added to them.
  const auto size = [](CNormalArray& normals, std::size_t count) {
    if (normals.size() != count) CNormalArray().swap(normals);
    normals.resize(count);
  };
  size(m_TriangleNormals, triangles);
  size(m_QuadNormals, quads);
  m_bNormalsAllocated = true;
}

void CFaceArray::FreeNormals() {
  CNormalArray().swap(m_TriangleNormals);
  CNormalArray().swap(m_QuadNormals);
  m_TriangleCornerNormals.Clear();
  m_QuadCornerNormals.Clear();
  m_bNormalsAllocated = false;
}

void CFaceArray::SwapNormals(CFaceArray& other) noexcept {
  m_TriangleNormals.swap(other.m_TriangleNormals);
  m_QuadNormals.swap(other.m_QuadNormals);
  m_TriangleCornerNormals.swap(other.m_TriangleCornerNormals);
  m_QuadCornerNormals.swap(other.m_QuadCornerNormals);
  std::swap(m_bNormalsAllocated, other.m_bNormalsAllocated);
}

}  // namespace brimvale
