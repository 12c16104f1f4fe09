#include "document/mesh_object.h"

namespace brimvale {

// Released in the specified order: derived geometry, deformers, then geometry.
CMeshObject::~CMeshObject() {
  m_pDerived.reset();
  m_Deformers.clear();
}

}  // namespace brimvale
