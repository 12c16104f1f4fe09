// A short-lived operator bound to one target object that runs every geometry
// operation on it. It owns nothing; an unbound builder does nothing.
//
// The topology operations (edges, links) and the whole-object edits live in
// document/; the geometry stages (lathe, mirror, patch, normals) and the
// derivation chain built from them live in geometry/.
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
  static void InvertFace(CMeshFace& face);
  int VertexReferenceCount(int vertex);
  void FreezeModifiers();
  // Runs the chain for display and caches the result with its normals.
  void BuildDerivedGeometry(const CDisplaySettings* display);

  // Geometry stages (geometry/).
  void BuildLathe(const CMeshObject& source);
  void BuildMirror(const CMeshObject& source, int axis);
  void BuildPatch(const CMeshObject& source);
  void ComputeFaceNormals();
  void ComputeSmoothNormals();

 private:
  CMeshObject* m_pTarget = nullptr;
};

}  // namespace brimvale
