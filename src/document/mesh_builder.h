// A short-lived operator bound to one target object that runs every geometry
// operation on it. It owns nothing; an unbound builder does nothing.
//
// The topology operations (edges, links) live in document/; the whole-object
// edits, the geometry stages (lathe, mirror, patch, normals) and the
// derivation chain built from them live in geometry/. Every operation that
// changes the target's geometry or attributes discards its derived geometry.
#pragma once

#include "document/mesh_object.h"

namespace brimvale {

struct CDisplaySettings;

class CMeshBuilder {
 public:
  CMeshBuilder() = default;
  explicit CMeshBuilder(CMeshObject* target) : m_pTarget(target) {}

  void Bind(CMeshObject* target) { m_pTarget = target; }
  CMeshObject* Target() const { return m_pTarget; }

  // Topology (document/).
  void BuildEdges();
  void BuildVertexLinks();    // both steps
  void BuildVertexEdgeLinks();
  void BuildVertexFaceLinks();

  // Whole-object editing (geometry/).
  void ClearGeometry();
  void CopyAttributesFrom(const CMeshObject& source);
  void CopyGeometryFrom(CMeshObject& source);
  void MergeFrom(CMeshObject& source, bool buildEdges, bool rebuildLinks);
  // Reverses the corner indices only; the overload below also turns the
  // list's colours and UVs with them.
  static void InvertFace(CMeshFace& face);
  // Inverts one face of the target's line, triangle or quad list and discards
  // the target's derived geometry; false when the index is out of range.
  bool InvertFace(FaceList which, int index);
  int VertexReferenceCount(int vertex);
  void FreezeModifiers();
  // Runs the chain for display and caches the result with its normals.
  // Without keepUVs the derived faces carry no texture coordinates: for
  // callers that read none (counts, untextured output), whose peak they would
  // otherwise raise by a third.
  void BuildDerivedGeometry(const CDisplaySettings* display, bool keepUVs = true);

  // Geometry stages (geometry/). Each empties the target first and builds the
  // edges and links it needs on the source, so the source is not const.
  void BuildLathe(CMeshObject& source);
  void BuildMirror(CMeshObject& source, int axis);
  void BuildPatch(CMeshObject& source);
  void ComputeFaceNormals();
  void ComputeSmoothNormals();

 private:
  CMeshObject* m_pTarget = nullptr;
};

}  // namespace brimvale
