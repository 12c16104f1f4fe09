#include "deform/taper_deformer.h"

#include "deform/deformer_bounds.h"

namespace brimvale {

void CTaperDeformer::Prepare(const CMeshObject& mesh) {
  MeasureBounds(*this, mesh);
  m_bScaleX = m_nEffect != 1 ? 1 : 0;
  m_bScaleZ = m_nEffect != 0 ? 1 : 0;
  m_fAmountInUse = m_fAmount;
  m_fCurveInUse = m_fCurve;
  SetCenterMatrices(*this);
}

void CTaperDeformer::Deform(CVector3& point) const {
  const float extent = AxisComponent(m_vMax, m_nPrimaryAxis) - AxisComponent(m_vMin, m_nPrimaryAxis);
  if (extent == 0.0f) return;
  CVector3 p = point;
  p.Transform(m_mToCenter);
  float t = p.y;
  if (m_bLimit) {
    if (t < m_fLowerLimit) {
      t = m_fLowerLimit;
    } else if (t > m_fUpperLimit) {
      t = m_fUpperLimit;
    }
  }
  float b = t / extent;
  if (m_bSymmetry && b < 0.0f) b = -b;
  const float scale = b * m_fAmountInUse + 1.0f + b * m_fCurveInUse * (1.0f - b);
  if (m_bScaleX) p.x *= scale;
  if (m_bScaleZ) p.z *= scale;
  p.Transform(m_mFromCenter);
  point = p;
}

}  // namespace brimvale
