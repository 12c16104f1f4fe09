// Whole-object edits: emptying, copying attributes and geometry, appending one
// object to another, reversing a face, counting a vertex's face references.
// Every edit that changes geometry or settings discards the derived cache.
#include "document/mesh_builder.h"
#include "geometry/corner_colour_math.h"
#include "geometry/corner_uvs.h"

namespace brimvale {

void CMeshBuilder::ClearGeometry() {
  if (!m_pTarget) return;
  CMeshObject& obj = *m_pTarget;
  obj.m_Vertices.Clear();
  CEdgeArray().swap(obj.m_Edges);
  obj.m_Faces.Clear(FaceList::Incoming);
  obj.m_Faces.Clear(FaceList::Lines);
  obj.m_Faces.Clear(FaceList::Triangles);
  obj.m_Faces.Clear(FaceList::Quads);
  obj.m_Faces.FreeNormals();
  obj.InvalidateTopology();
  obj.DiscardDerived();
}

void CMeshBuilder::CopyAttributesFrom(const CMeshObject& source) {
  if (!m_pTarget || m_pTarget == &source) return;
  CMeshObject& obj = *m_pTarget;
  obj.m_strName = source.m_strName;
  obj.m_Color = source.m_Color;
  obj.m_bCurrent = source.m_bCurrent;
  obj.m_bSecondFlag = source.m_bSecondFlag;
  obj.m_bVisible = source.m_bVisible;
  obj.m_bHideFaces = source.m_bHideFaces;
  obj.m_bNoShadow = source.m_bNoShadow;
  obj.m_bSmoothShading = source.m_bSmoothShading;
  obj.m_fFacetAngle = source.m_fFacetAngle;
  obj.m_nPatchType = source.m_nPatchType;
  obj.m_nPatchSegments = source.m_nPatchSegments;
  obj.m_nMirrorType = source.m_nMirrorType;
  obj.m_bMirrorDistanceLimit = source.m_bMirrorDistanceLimit;
  obj.m_bMirrorX = source.m_bMirrorX;
  obj.m_bMirrorY = source.m_bMirrorY;
  obj.m_bMirrorZ = source.m_bMirrorZ;
  obj.m_fMirrorDistance = source.m_fMirrorDistance;
  obj.m_bLathe = source.m_bLathe;
  obj.m_nLatheAxis = source.m_nLatheAxis;
  obj.m_nLatheSegments = source.m_nLatheSegments;
  // A copy bends as its original does, so a frozen or cloned copy is the mesh
  // the original shows.
  obj.m_Deformers.clear();
  for (const auto& deformer : source.m_Deformers) {
    if (deformer) obj.m_Deformers.push_back(deformer->Clone());
  }
  obj.DiscardDerived();
}

void CMeshBuilder::CopyGeometryFrom(CMeshObject& source) {
  if (!m_pTarget || m_pTarget == &source) return;
  if (!source.m_bEdgesBuilt) CMeshBuilder(&source).BuildEdges();
  ClearGeometry();
  CMeshObject& obj = *m_pTarget;
  obj.m_bEdgesBuilt = source.m_bEdgesBuilt;
  obj.m_Vertices.CopyFrom(source.m_Vertices);
  obj.m_Edges = source.m_Edges;
  obj.m_Faces.CopyFrom(FaceList::Lines, source.m_Faces);
  obj.m_Faces.CopyFrom(FaceList::Triangles, source.m_Faces);
  obj.m_Faces.CopyFrom(FaceList::Quads, source.m_Faces);
  if (obj.m_bEdgesBuilt) BuildVertexEdgeLinks();
  BuildVertexFaceLinks();
}

namespace {

void AppendShifted(std::vector<CMeshFace>& target, const std::vector<CMeshFace>& source, int shift) {
  target.reserve(target.size() + source.size());
  for (CMeshFace face : source) {
    for (int c = 0; c < face.m_nCorners && c < 4; ++c) face.m_Index[c] += shift;
    target.push_back(face);
  }
}

// Keeps a list's colours in step after `source`'s faces were appended behind
// `before` faces of the target: colours only where either side had them.
void AppendColours(CFaceArray& target, const CFaceArray& source, FaceList which, size_t before) {
  const auto* sourceColours = ListColours(source, which);
  auto& colours = target.Colours(which);
  if (colours.empty() && !sourceColours) return;
  colours.resize(before);
  if (sourceColours) colours.insert(colours.end(), sourceColours->begin(), sourceColours->end());
  colours.resize(target.List(which).size());
}

// The same for the UVs: new pairs for faces of the side that had none.
void AppendUVs(CFaceArray& target, const CFaceArray& source, FaceList which, size_t before) {
  const auto* sourceUVs = ListUVs(source, which);
  auto& uvs = target.UVs(which);
  if (uvs.empty() && !sourceUVs) return;
  uvs.resize(before);
  if (sourceUVs) uvs.insert(uvs.end(), sourceUVs->begin(), sourceUVs->end());
  uvs.resize(target.List(which).size());
}

}  // namespace

void CMeshBuilder::MergeFrom(CMeshObject& source, bool buildEdges, bool rebuildLinks) {
  if (!m_pTarget || m_pTarget == &source) return;
  CMeshObject& obj = *m_pTarget;
  if (obj.VertexCount() == 0) {
    CopyGeometryFrom(source);
    return;
  }
  obj.DiscardDerived();
  if (source.m_bEdgesBuilt || !buildEdges) {
    obj.m_Edges.clear();
    obj.m_bEdgesBuilt = 0;
  } else {
    CMeshBuilder(&source).BuildEdges();
    if (!obj.m_bEdgesBuilt) BuildEdges();
  }
  obj.m_bVertexEdgeLinksValid = 0;
  obj.m_bVertexFaceLinksValid = 0;
  const int n = obj.VertexCount();
  obj.m_Vertices.Append(source.m_Vertices);
  obj.m_Edges.reserve(obj.m_Edges.size() + source.m_Edges.size());
  for (CMeshEdge edge : source.m_Edges) {
    edge.m_v0 += n;
    edge.m_v1 += n;
    obj.m_Edges.push_back(edge);
  }
  for (const FaceList which : {FaceList::Lines, FaceList::Triangles, FaceList::Quads}) {
    const size_t before = obj.m_Faces.List(which).size();
    AppendShifted(obj.m_Faces.List(which), source.m_Faces.List(which), n);
    AppendColours(obj.m_Faces, source.m_Faces, which, before);
    AppendUVs(obj.m_Faces, source.m_Faces, which, before);
  }
  if (rebuildLinks) {
    if (obj.m_bEdgesBuilt) BuildVertexEdgeLinks();
    BuildVertexFaceLinks();
  }
}

void CMeshBuilder::InvertFace(CMeshFace& face) {
  const CMeshFace original = face;
  const int k = face.m_nCorners < 4 ? face.m_nCorners : 4;
  for (int i = 0; i < k; ++i) face.m_Index[i] = original.m_Index[k - 1 - i];
}

bool CMeshBuilder::InvertFace(FaceList which, int index) {
  if (!m_pTarget || which == FaceList::Incoming) return false;
  auto& list = m_pTarget->m_Faces.List(which);
  if (index < 0 || static_cast<size_t>(index) >= list.size()) return false;
  CMeshFace& face = list[static_cast<size_t>(index)];
  InvertFace(face);
  auto& colours = m_pTarget->m_Faces.Colours(which);
  if (colours.size() == list.size()) {
    CCornerColours& corners = colours[static_cast<size_t>(index)];
    const CCornerColours original = corners;
    const int k = face.m_nCorners < 4 ? face.m_nCorners : 4;
    for (int i = 0; i < k; ++i) corners.m_Color[i] = original.m_Color[k - 1 - i];
  }
  auto& uvs = m_pTarget->m_Faces.UVs(which);
  if (uvs.size() == list.size()) {
    CCornerUVs& corners = uvs[static_cast<size_t>(index)];
    const CCornerUVs original = corners;
    const int k = face.m_nCorners < 4 ? face.m_nCorners : 4;
    for (int i = 0; i < k; ++i) corners.m_UV[i] = original.m_UV[k - 1 - i];
  }
  // Corner order changed: the face links keep their entries, but cached
  // normals and derived geometry are stale.
  m_pTarget->DiscardDerived();
  return true;
}

int CMeshBuilder::VertexReferenceCount(int vertex) {
  if (!m_pTarget) return 0;
  if (!m_pTarget->m_bVertexFaceLinksValid) BuildVertexFaceLinks();
  if (vertex < 0 || vertex >= m_pTarget->VertexCount()) return 0;
  const CVertexLinks links = m_pTarget->m_Vertices.Links(vertex);
  return links.LineCount() + links.TriangleCount() + links.QuadCount();
}

}  // namespace brimvale
