#include "deform/deformer_bounds.h"

#include "document/mesh_object.h"

namespace brimvale {

void MeasureBounds(CDeformer& deformer, const CMeshObject& mesh) {
  const std::vector<CVector3>& positions = mesh.m_Vertices.Positions();
  if (positions.empty()) {
    deformer.m_vMin.Zero();
    deformer.m_vMax.Zero();
    return;
  }
  CVector3 low = positions.front();
  CVector3 high = positions.front();
  for (const CVector3& p : positions) {
    low = Min(low, p);
    high = Max(high, p);
  }
  deformer.m_vMin = low;
  deformer.m_vMax = high;
}

void SetCenterMatrices(CDeformer& deformer) {
  const CVector3& c = deformer.m_vCenter;
  deformer.m_mToCenter.Identity();
  deformer.m_mToCenter.Translate(-c.x, -c.y, -c.z);
  deformer.m_mFromCenter.Identity();
  deformer.m_mFromCenter.Translate(c.x, c.y, c.z);
}

float AxisComponent(const CVector3& v, int axis) {
  switch (axis) {
    case 0: return v.x;
    case 2: return v.z;
    default: return v.y;
  }
}

}  // namespace brimvale
