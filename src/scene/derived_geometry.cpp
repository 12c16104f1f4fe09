#include "scene/derived_geometry.h"

#include <vector>

#include "document/mesh_builder.h"
#include "document/quorix_doc.h"

namespace brimvale {

void EnsureDerivedGeometry(CQuorixDoc& doc, CMeshObject& object) {
  if (object.m_pDerived) return;
  CMeshBuilder(&object).BuildDerivedGeometry(&doc.Display);
}

void EnsureDerivedGeometryForFrame(CQuorixDoc& doc, const DerivationProgress& progress) {
  if (!doc.Display.ShowFaces) return;
  std::vector<CMeshObject*> drawn;
  for (const auto& object : doc.m_Objects) {
    if (object && object->m_bVisible && object->VertexCount() > 0 && !object->m_bHideFaces && !object->m_pDerived)
      drawn.push_back(object.get());
  }
  if (!drawn.empty()) BuildDerivedGeometryInParallel(drawn, &doc.Display, 0, progress);
}

}  // namespace brimvale
