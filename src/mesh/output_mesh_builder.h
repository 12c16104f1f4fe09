// The one builder of output meshes: it derives a document object through the
// derivation chain (lathe, mirror, patch passes, deformers, smoothing) and
// lays the result out as an output mesh, checking every corner index once.
// The document's objects are never written to: the chain runs on a copy.
#pragma once

#include <cstddef>
#include <functional>
#include <memory>
#include <vector>

#include "geometry/parallel_derivation.h"
#include "mesh/output_mesh.h"

namespace brimvale {

class CMeshObject;
class CQuorixDoc;
struct CDisplaySettings;

struct COutputMeshOptions {
  // The view's settings (its simplified display drops stages), or null for
  // the whole chain as the exports write it.
  const CDisplaySettings* display = nullptr;
  int materialCount = 0;
  // Per material: whether it is texture-mapped, so that its faces' texture
  // coordinates are read. A face list carries texture coordinates when one of
  // its faces uses such a material, or always with everyUV (file formats that
  // write them for every face).
  std::vector<char> texturedMaterials;
  bool everyUV = false;
  // Per material: whether it shows its faces' corner colours. Corner colours
  // are laid out only for face lists that carry them and use such a material.
  std::vector<char> colouredMaterials;
  // Which normals to carry: one a face (flat shading), one a corner through
  // the shared table (smooth shading); neither for measuring the mesh.
  bool faceNormals = true;
  bool cornerNormals = true;
};

// The options for a document: its materials, which of them are textured.
COutputMeshOptions OutputMeshOptionsFor(const CQuorixDoc& doc, const CDisplaySettings* display, bool everyUV);

// The object derived and laid out; its own mesh when no stage applies.
std::unique_ptr<COutputMesh> BuildOutputMesh(const CMeshObject& object, const COutputMeshOptions& options);

// The output mesh of an object whose derived geometry the view has already
// built and cached (`derived`, its m_pDerived): the same result without
// deriving again. Both are only read.
std::unique_ptr<COutputMesh> OutputMeshFromDerived(const CMeshObject& object, const CMeshObject& derived,
                                                   const COutputMeshOptions& options);

// The same, taking the derived geometry over: its arrays move into the mesh
// rather than being copied, and the rest is freed before returning, so the
// two are never held whole at once.
std::unique_ptr<COutputMesh> OutputMeshTakingDerived(const CMeshObject& object, std::unique_ptr<CMeshObject> derived,
                                                     const COutputMeshOptions& options);

// Builds the output mesh of every listed object, a batch at a time on the
// derivation threads (costliest first), and hands them to consume(i, mesh) in
// list order on the calling thread; only one batch is held at once. progress
// hears (done, total) after each consumed object and meanwhile; false from it
// or from consume stops the work, and the call returns false.
bool ForEachOutputMesh(const std::vector<const CMeshObject*>& objects, const COutputMeshOptions& options,
                       const std::function<bool(size_t index, COutputMesh& mesh)>& consume,
                       const DerivationProgress& progress = nullptr);

}  // namespace brimvale
