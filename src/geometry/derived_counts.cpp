#include "geometry/derived_counts.h"

#include "document/mesh_builder.h"

namespace brimvale {

CDerivedCounts DerivedCounts(CMeshObject& object, const CDisplaySettings* display) {
  if (!object.m_pDerived) CMeshBuilder(&object).BuildDerivedGeometry(display);
  const CMeshObject* derived = object.m_pDerived.get();
  // A cache that holds only normals stands for the object's own mesh.
  const bool ownMesh = !derived || (derived->VertexCount() == 0 && derived->LineCount() == 0 &&
                                    derived->TriangleCount() == 0 && derived->QuadCount() == 0);
  const CMeshObject& mesh = ownMesh ? object : *derived;
  return CDerivedCounts{mesh.VertexCount(), mesh.LineCount(), mesh.TriangleCount(), mesh.QuadCount()};
}

}  // namespace brimvale
