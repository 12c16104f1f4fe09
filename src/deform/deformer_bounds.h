// Measuring shared by the deformers: the bounding box of the mesh they act on
// and the pair of matrices that move points to the centre and back.
#pragma once

#include "document/deformer.h"
#include "foundation/vector3.h"

namespace brimvale {

// Fills deformer.m_vMin/m_vMax with the componentwise box over every vertex of
// mesh; both are (0,0,0) for a mesh without vertices.
void MeasureBounds(CDeformer& deformer, const CMeshObject& mesh);

// Sets m_mToCenter to a translation by -centre and m_mFromCenter by +centre.
void SetCenterMatrices(CDeformer& deformer);

// The component of v along axis 0 (X), 1 (Y) or 2 (Z); any other axis reads Y,
// the default axis, so a bad value from outside cannot index past the vector.
float AxisComponent(const CVector3& v, int axis);

}  // namespace brimvale
