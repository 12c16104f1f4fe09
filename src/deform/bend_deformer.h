// Bends an object in the x-y plane along y: the points are laid on a circle
// whose radius makes the object's extent along the chosen axis span the angle.
#pragma once

#include "document/deformer.h"

namespace brimvale {

class CBendDeformer : public CDeformer {
 public:
  std::unique_ptr<CDeformer> CreateNew() const override { return std::make_unique<CBendDeformer>(); }
  std::unique_ptr<CDeformer> Clone() const override { return std::make_unique<CBendDeformer>(*this); }
  const char* TypeName() const override { return "Bend"; }
  void Prepare(const CMeshObject& mesh) override;
  void Deform(CVector3& point) const override;

  int m_nAxis = 1;            // 0 X, 1 Y, 2 Z: whose extent sets the radius
  float m_fAngle = 0.0f;      // total bend, degrees
  float m_fDirection = 0.0f;  // kept and shown; does not change the shape
  float m_fRadius = 0.0f;     // computed by Prepare; 0 leaves points unchanged
  int m_bLimit = 0;           // 1: the extent is upper - lower
  float m_fLowerLimit = 0.0f;
  float m_fUpperLimit = 0.0f;
};

}  // namespace brimvale
