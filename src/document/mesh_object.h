// One object of a document: geometry exactly as read plus its modelling
// attributes; the displayable mesh derived from them is cached in m_pDerived.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "document/color.h"
#include "document/deformer.h"
#include "document/face_array.h"
#include "document/vertex_array.h"

namespace brimvale {

using CEdgeArray = std::vector<CMeshEdge>;

class CMeshObject {
 public:
  CMeshObject() = default;
  ~CMeshObject();
  CMeshObject(const CMeshObject&) = delete;
  CMeshObject& operator=(const CMeshObject&) = delete;

  // Attribute block (copied by CopyAttributesFrom), in declared order.
  std::string m_strName;
  uint32_t m_Color = PackColor(255, 100, 255);  // wire and point colour
  int m_bCurrent = 0;
  int m_bSecondFlag = 1;
  int m_bVisible = 1;
  int m_bHideFaces = 0;
  int m_bNoShadow = 1;
  int m_bSmoothShading = 1;
  float m_fFacetAngle = 89.5f;
  int m_nPatchType = 0;      // 0 none, 1..3 subdivision on
  int m_nPatchSegments = 2;  // 2, 4, 8 or 16
  int m_nMirrorType = 0;     // 0 none, 1 halves separate, 2 halves joined
  int m_bMirrorDistanceLimit = 0;
  int m_bMirrorX = 1;
  int m_bMirrorY = 0;
  int m_bMirrorZ = 0;
  float m_fMirrorDistance = 100.0f;
  int m_bLathe = 0;
  int m_nLatheAxis = 1;  // 0 X, 1 Y, 2 Z
  int m_nLatheSegments = 12;

  // Nesting level in the object list: an object's parent is the nearest
  // earlier object of smaller depth (see object_hierarchy.h).
  int m_nDepth = 0;

  // Geometry.
  CVertexArray m_Vertices;
  CEdgeArray m_Edges;
  CFaceArray m_Faces;
  int m_bEdgesBuilt = 0;
  int m_bVertexEdgeLinksValid = 0;
  int m_bVertexFaceLinksValid = 0;

  // Deformers applied to this object, in order.
  std::vector<std::unique_ptr<CDeformer>> m_Deformers;

  // Cached derived (displayable) geometry; owned by this object.
  std::unique_ptr<CMeshObject> m_pDerived;

  // Distinct for every object made in this run, so a cache keyed on a derived
  // geometry tells a rebuilt one from the one it was made for, even at the
  // same address.
  const uint64_t m_nInstanceId = NextInstanceId();

  void DiscardDerived() { m_pDerived.reset(); }
  // Marks edges and links stale after a change of vertices or faces.
  void InvalidateTopology() {
    m_bEdgesBuilt = 0;
    m_bVertexEdgeLinksValid = 0;
    m_bVertexFaceLinksValid = 0;
  }

  int VertexCount() const { return m_Vertices.Count(); }
  int LineCount() const { return m_Faces.LineCount(); }
  int TriangleCount() const { return m_Faces.TriangleCount(); }
  int QuadCount() const { return m_Faces.QuadCount(); }
  int EdgeCount() const { return static_cast<int>(m_Edges.size()); }

 private:
  static uint64_t NextInstanceId();
};

}  // namespace brimvale
