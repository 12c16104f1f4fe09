#include "deform/twist_deformer.h"

#include "deform/deformer_bounds.h"

namespace brimvale {

void CTwistDeformer::Prepare(const CMeshObject& mesh) {
  MeasureBounds(*this, mesh);
}

void CTwistDeformer::Deform(CVector3& point) const {
  const float height = m_vMax.y - m_vMin.y;
  if (height == 0.0f) return;
  const float degrees = (point.y - m_vMin.y) / height * m_fAngle;
  CMatrix4 turn;
  turn.RotateY(degrees);
  point.Transform(turn);
}

}  // namespace brimvale
