// Base of the Bend, Taper and Twist deformers. Declared with the document
// because the document and its objects own deformers; the concrete deformers
// live in the deform layer. The base itself is the document's fourth, neutral
// deformer: it measures nothing and moves no point.
#pragma once

#include <memory>

#include "foundation/matrix4.h"
#include "foundation/vector3.h"

namespace brimvale {

class CMeshObject;

class CDeformer {
 public:
  CDeformer() = default;
  CDeformer(const CDeformer&) = default;
  CDeformer& operator=(const CDeformer&) = default;
  virtual ~CDeformer() = default;

  virtual void Begin() {}
  // Measures the mesh the deformer will act on (bounding box and derived values).
  virtual void Prepare(const CMeshObject& /*mesh*/) {}
  // A new deformer of the same kind with default settings (none for the base).
  virtual std::unique_ptr<CDeformer> CreateNew() const { return nullptr; }
  // Moves one point; call after Prepare for the mesh the point belongs to.
  virtual void Deform(CVector3& /*point*/) const {}
  virtual const char* TypeName() const { return "Deformer(Untitled)"; }
  // A copy with the same settings, so an object can keep its own.
  virtual std::unique_ptr<CDeformer> Clone() const { return std::make_unique<CDeformer>(*this); }

  CVector3 m_vReserved{0.0f, 0.0f, 0.0f};
  CVector3 m_vCenter{0.0f, 0.0f, 0.0f};
  CVector3 m_vMax{0.0f, 0.0f, 0.0f};  // bounding box, filled by Prepare
  CVector3 m_vMin{0.0f, 0.0f, 0.0f};
  CMatrix4 m_mToCenter;    // translation by -centre
  CMatrix4 m_mFromCenter;  // translation by +centre
  int m_nReserved[3] = {0, 0, 0};
};

}  // namespace brimvale
