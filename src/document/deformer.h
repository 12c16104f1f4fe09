// Abstract base of the Bend, Taper and Twist deformers. Declared with the
// document because the document and its objects own deformers; the concrete
// deformers live in the deform layer.
#pragma once

#include "foundation/vector3.h"

namespace brimvale {

class CMeshObject;

class CDeformer {
 public:
  virtual ~CDeformer() = default;
  // Measures the mesh the deformer will act on (extent along its axis).
  virtual void Prepare(const CMeshObject& mesh) = 0;
  // Moves one point.
  virtual void Deform(CVector3& point) const = 0;
};

}  // namespace brimvale
