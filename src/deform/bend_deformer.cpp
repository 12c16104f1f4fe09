#include "deform/bend_deformer.h"

#include <cmath>

#include "deform/deformer_bounds.h"
#include "foundation/float_math.h"

namespace brimvale {

namespace {
// The bend's half turn is this float literal, not the float nearest to pi.
constexpr float kBendHalfTurn = 3.141592f;
// Angles smaller than this (radians) count as no bend.
constexpr float kSmallestBend = 0.0001f;
}  // namespace

void CBendDeformer::Prepare(const CMeshObject& mesh) {
  MeasureBounds(*this, mesh);
  const float angle = DegToRad(m_fAngle);
  const float extent = m_bLimit ? m_fUpperLimit - m_fLowerLimit
                                : AxisComponent(m_vMax, m_nAxis) - AxisComponent(m_vMin, m_nAxis);
  m_fRadius = std::fabs(angle) < kSmallestBend ? 0.0f : extent / angle;
  SetCenterMatrices(*this);
}

void CBendDeformer::Deform(CVector3& point) const {
  if (m_fRadius == 0.0f) return;
  CVector3 p = point;
  p.Transform(m_mToCenter);
  const float r = m_fRadius;
  const float theta = kBendHalfTurn - p.y / r;
  const float c = CosF(theta);
  const float s = SinF(theta);
  const float x = r + r * c - p.x * c;
  const float y = r * s - p.x * s;
  p.x = x;
  p.y = y;
  p.Transform(m_mFromCenter);
  point = p;
}

}  // namespace brimvale
