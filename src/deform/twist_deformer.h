// Turns each point about the Y axis by an angle that grows from 0 at the
// bottom of the object to the full angle at its top.
#pragma once

#include "document/deformer.h"

namespace brimvale {

class CTwistDeformer : public CDeformer {
 public:
  std::unique_ptr<CDeformer> CreateNew() const override { return std::make_unique<CTwistDeformer>(); }
  std::unique_ptr<CDeformer> Clone() const override { return std::make_unique<CTwistDeformer>(*this); }
  const char* TypeName() const override { return "Twist"; }
  void Prepare(const CMeshObject& mesh) override;
  // An object without height has no defined twist and is left unchanged.
  void Deform(CVector3& point) const override;

  float m_fAngle = 0.0f;  // degrees at the top
};

}  // namespace brimvale
