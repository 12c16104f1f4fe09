// Reading a list's per-corner texture coordinates in stages that make new
// faces from old ones: a list without them reads as new
// pairs everywhere.
#pragma once

#include <cstddef>
#include <vector>

#include "document/face_array.h"

namespace brimvale {

// The UVs of a list's faces when it carries them in step, else null.
inline const std::vector<CCornerUVs>* ListUVs(const CFaceArray& faces, FaceList which) {
  const auto& uvs = faces.UVs(which);
  return !uvs.empty() && uvs.size() == faces.List(which).size() ? &uvs : nullptr;
}

// UVs of face `index` of a list, new pairs when the list carries none.
inline CCornerUVs UVsOrZero(const std::vector<CCornerUVs>* uvs, std::size_t index) {
  return uvs && index < uvs->size() ? (*uvs)[index] : CCornerUVs();
}

}  // namespace brimvale
