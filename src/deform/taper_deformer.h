// Scales x and/or z of each point by a factor that grows with its height,
// measured against the object's extent along the primary axis.
#pragma once

#include "document/deformer.h"

namespace brimvale {

class CTaperDeformer : public CDeformer {
 public:
  std::unique_ptr<CDeformer> CreateNew() const override { return std::make_unique<CTaperDeformer>(); }
  std::unique_ptr<CDeformer> Clone() const override { return std::make_unique<CTaperDeformer>(*this); }
  const char* TypeName() const override { return "Taper"; }
  void Prepare(const CMeshObject& mesh) override;
  void Deform(CVector3& point) const override;

  int m_nPrimaryAxis = 1;       // 0 X, 1 Y, 2 Z
  int m_nEffect = 2;            // 0 X, 1 Z, 2 X and Z
  float m_fAmountInUse = 0.0f;  // copied from m_fAmount by Prepare
  float m_fCurveInUse = 0.0f;   // copied from m_fCurve by Prepare
  float m_fLowerLimit = 0.0f;
  float m_fUpperLimit = 0.0f;
  int m_bLimit = 0;   // 1: the height is clamped to [lower, upper]
  int m_bScaleX = 0;  // set by Prepare from the effect
  int m_bScaleZ = 0;
  int m_bSymmetry = 0;  // 1: heights below the centre taper like those above
  float m_fAmount = 0.0f;
  float m_fCurve = 0.0f;
};

}  // namespace brimvale
