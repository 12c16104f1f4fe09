#include "scene/drawn_bounds.h"

#include <cmath>
#include <vector>

#include "document/quorix_doc.h"
#include "scene/derived_geometry.h"
#include "mesh/output_mesh_builder.h"

namespace brimvale {

void CDrawnBox::Add(const CVector3& p) {
  const double v[3] = {static_cast<double>(p.x), static_cast<double>(p.y), static_cast<double>(p.z)};
  for (int i = 0; i < 3; ++i) {
    lo[i] = empty || v[i] < lo[i] ? v[i] : lo[i];
    hi[i] = empty || v[i] > hi[i] ? v[i] : hi[i];
  }
  empty = false;
}

void CDrawnBox::Add(const CDrawnBox& other) {
  if (other.empty) return;
  for (int i = 0; i < 3; ++i) {
    lo[i] = empty || other.lo[i] < lo[i] ? other.lo[i] : lo[i];
    hi[i] = empty || other.hi[i] > hi[i] ? other.hi[i] : hi[i];
  }
  empty = false;
}

double CDrawnBox::Radius() const {
  if (empty) return 0.0;
  const double dx = hi[0] - lo[0], dy = hi[1] - lo[1], dz = hi[2] - lo[2];
  return std::sqrt(dx * dx + dy * dy + dz * dz) / 2.0;
}

namespace {

bool Finite(const CVector3& p) {
  return std::isfinite(p.x) && std::isfinite(p.y) && std::isfinite(p.z);
}

bool FacesDrawn(const CQuorixDoc& doc, const CMeshObject& object) {
  return doc.Display.ShowFaces && !object.m_bHideFaces;
}

bool CageDrawn(const CQuorixDoc& doc) {
  return doc.Display.ShowVertices || doc.Display.ShowEdges;
}

void MarkCorners(const COutputIndexArray& corners, std::vector<char>& used) {
  for (const uint32_t vertex : corners) used[vertex] = 1;
}

}  // namespace

namespace {

void VisitCage(const CMeshObject& object, const std::function<void(const CVector3&)>& visit) {
  for (const CVector3& p : object.m_Vertices.Positions())
    if (Finite(p)) visit(p);
}

void VisitFaceCorners(CQuorixDoc& doc, CMeshObject& object,
                      const std::function<void(const CVector3&)>& visit) {
  EnsureDerivedGeometry(doc, object);
  const CMeshObject* derived = object.m_pDerived.get();
  if (derived == nullptr) return;
  // The mesh the drawing draws, without what measuring does not read.
  COutputMeshOptions options = OutputMeshOptionsFor(doc, &doc.Display, false);
  options.texturedMaterials.clear();
  options.faceNormals = options.cornerNormals = false;
  const std::unique_ptr<COutputMesh> mesh = OutputMeshFromDerived(object, *derived, options);
  const auto& positions = mesh->positions;
  std::vector<char> used(positions.size(), 0);
  MarkCorners(mesh->triangles.corners, used);
  MarkCorners(mesh->quads.corners, used);
  for (size_t i = 0; i < positions.size(); ++i)
    if (used[i] && Finite(positions[i])) visit(positions[i]);
}

}  // namespace

void ForEachDrawnPoint(CQuorixDoc& doc, CMeshObject& object,
                       const std::function<void(const CVector3&)>& visit) {
  if (!object.m_bVisible || object.VertexCount() == 0) return;
  if (CageDrawn(doc)) VisitCage(object, visit);
  if (FacesDrawn(doc, object)) VisitFaceCorners(doc, object, visit);
}

void ForEachDrawnPoint(CQuorixDoc& doc, const std::function<void(const CVector3&)>& visit) {
  for (const auto& object : doc.m_Objects) ForEachDrawnPoint(doc, *object, visit);
}

CDrawnBox DrawnBox(CQuorixDoc& doc) {
  CDrawnBox box;
  ForEachDrawnPoint(doc, [&box](const CVector3& p) { box.Add(p); });
  return box;
}

CDrawnBox CDrawnBoxCache::Box(CQuorixDoc& doc) {
  std::map<uint64_t, CEntry> kept;
  CDrawnBox all;
  const bool cage = CageDrawn(doc);
  for (const auto& object : doc.m_Objects) {
    if (!object->m_bVisible || object->VertexCount() == 0) continue;
    // The own vertices are cheap to run through and may change without a
    // rebuild; the face corners are kept per derived geometry.
    if (cage) VisitCage(*object, [&all](const CVector3& p) { all.Add(p); });
    if (!FacesDrawn(doc, *object)) continue;
    EnsureDerivedGeometry(doc, *object);
    if (!object->m_pDerived) continue;
    const uint64_t derivedId = object->m_pDerived->m_nInstanceId;
    const auto found = m_Objects.find(object->m_nInstanceId);
    CEntry entry;
    if (found != m_Objects.end() && found->second.derivedId == derivedId) {
      entry = found->second;
    } else {
      entry.derivedId = derivedId;
      VisitFaceCorners(doc, *object, [&entry](const CVector3& p) { entry.box.Add(p); });
    }
    all.Add(entry.box);
    kept.emplace(object->m_nInstanceId, entry);
  }
  m_Objects.swap(kept);
  return all;
}

}  // namespace brimvale
