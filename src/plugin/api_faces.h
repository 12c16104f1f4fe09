// Face numbers of the plug-in API: an object's lines first, then its
// triangles, then its quadrilaterals.
#pragma once

#include "document/mesh_object.h"

namespace brimvale::plugin_api {

struct FaceRef {
  FaceList list = FaceList::Lines;
  int index = -1;  // -1: the number names no face
};

inline FaceRef FindFace(const CMeshObject& object, int number) {
  if (number < 0) return {};
  const int lines = object.LineCount();
  const int triangles = object.TriangleCount();
  if (number < lines) return {FaceList::Lines, number};
  number -= lines;
  if (number < triangles) return {FaceList::Triangles, number};
  number -= triangles;
  if (number < object.QuadCount()) return {FaceList::Quads, number};
  return {};
}

inline CMeshFace* FaceAt(CMeshObject& object, const FaceRef& ref) {
  if (ref.index < 0) return nullptr;
  return &object.m_Faces.List(ref.list)[static_cast<size_t>(ref.index)];
}

}  // namespace brimvale::plugin_api
