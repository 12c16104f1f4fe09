// libFuzzer target: a model read from the bytes, then every object derived
// into its output mesh with the settings the file gives (lathe, mirror, patch
// passes, smoothing). Objects whose derivation would pass a bound on faces
// are skipped. Checked: every index in range, the counts the info command
// predicts, and no NaN coming out of finite input.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "document/mesh_object.h"
#include "document/mqo_reader.h"
#include "document/quorix_doc.h"
#include "geometry/derived_counts.h"
#include "geometry/parallel_derivation.h"
#include "mesh/output_mesh_builder.h"

namespace {

using brimvale::COutputFaces;
using brimvale::COutputMesh;
using brimvale::CVector3;

// Faces through the stages, as the derivation's cost estimate counts them.
constexpr double kMaxCost = 200000.0;
// Coordinates up to this cannot overflow a float through the stages.
constexpr float kModerate = 1e6f;

class SilentUserInterface : public brimvale::CUserInterface {
 public:
  void MessageBox(const std::string&, const std::string&) override {}
};

bool Moderate(const CVector3& p) {
  return std::fabs(p.x) <= kModerate && std::fabs(p.y) <= kModerate && std::fabs(p.z) <= kModerate;
}
bool Finite(const CVector3& p) { return std::isfinite(p.x) && std::isfinite(p.y) && std::isfinite(p.z); }

void CheckFaces(const COutputMesh& mesh, const COutputFaces& faces, size_t k, bool finite) {
  const size_t count = faces.faceSlots.size();
  if (faces.corners.size() != count * k || faces.cornerNormals.size() != count * k) __builtin_trap();
  if (faces.faceNormals.size() != count || (faces.HasUVs() && faces.uvs.size() != count * k)) __builtin_trap();
  for (const uint32_t vertex : faces.corners)
    if (vertex >= mesh.positions.size()) __builtin_trap();
  for (const uint32_t slot : faces.faceSlots)
    if (slot >= mesh.SlotCount()) __builtin_trap();
  for (const uint32_t entry : faces.cornerNormals.m_Index)
    if (entry >= faces.cornerNormals.m_Table.size()) __builtin_trap();
  if (!finite) return;
  for (const CVector3& n : faces.faceNormals)
    if (!Finite(n)) __builtin_trap();
  for (const CVector3& n : faces.cornerNormals.m_Table)
    if (!Finite(n)) __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static SilentUserInterface ui;
  static const bool oneThread = (brimvale::SetDerivationThreads(1), true);
  (void)oneThread;
  brimvale::CQuorixDoc doc;
  doc.SetUserInterface(&ui);
  brimvale::ReadMqoBuffer(doc, std::string_view(reinterpret_cast<const char*>(data), size));
  const brimvale::COutputMeshOptions options = brimvale::OutputMeshOptionsFor(doc, nullptr, true);
  for (const auto& object : doc.m_Objects) {
    if (brimvale::DerivationCost(*object) > kMaxCost) continue;
    bool finite = true;
    for (const CVector3& p : object->m_Vertices.Positions()) finite = finite && Moderate(p);
    const std::unique_ptr<COutputMesh> mesh = brimvale::BuildOutputMesh(*object, options);
    if (object->m_pDerived) __builtin_trap();  // the document is only read
    CheckFaces(*mesh, mesh->triangles, 3, finite);
    CheckFaces(*mesh, mesh->quads, 4, finite);
    if (finite)
      for (const CVector3& p : mesh->positions)
        if (!Finite(p)) __builtin_trap();
    const brimvale::CDerivedCounts counts = brimvale::DerivedCounts(*object, nullptr);
    if (mesh->positions.size() != static_cast<size_t>(counts.vertices) ||
        mesh->TriangleCount() != static_cast<size_t>(counts.triangles) ||
        mesh->QuadCount() != static_cast<size_t>(counts.quads))
      __builtin_trap();
  }
  return 0;
}
