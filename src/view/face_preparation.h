// An object's face buffer laid out without OpenGL, so that the costly part
// (the output mesh and the batch layout) can be made on another thread and the
// upload, which needs the context, then taken a bounded piece at a time.
#pragma once

#include <cstddef>
#include <cstdint>
#include <limits>
#include <memory>
#include <vector>

#include "mesh/output_mesh_builder.h"
#include "view/face_batches.h"

namespace brimvale {

class CMeshObject;

// Everything a face buffer's layout depends on: the derived geometry it
// shows, the shading, and per material whether it is textured (its texture
// coordinates are laid out) and shows corner colours. A kept buffer is used
// only while its key still holds.
struct CFaceKey {
  uint64_t derivedId = 0;
  bool smooth = false;
  int materialCount = 0;
  std::vector<char> texturedMaterials;
  std::vector<char> colouredMaterials;
  bool operator==(const CFaceKey&) const = default;
};

CFaceKey FaceKeyFor(const CMeshObject& derived, bool smooth, const COutputMeshOptions& options);

class CPreparedFaces {
 public:
  // A run of corners to upload: `count` corners (and their colours, when the
  // buffer has them) at corner `offset` of buffer part `part`.
  struct CPiece {
    size_t part = 0;
    size_t offset = 0;
    size_t count = 0;
    const void* corners = nullptr;  // count corners of CornerBytes() each
    const uint32_t* colours = nullptr;
  };

  // At most cornersPerPart corners go in one buffer part (and never more than
  // SetCornersPerPart allows).
  CPreparedFaces(std::unique_ptr<COutputMesh> mesh, bool smooth, CFaceKey key, size_t cornersPerPart = std::numeric_limits<size_t>::max());
  CPreparedFaces(const CPreparedFaces&) = delete;
  CPreparedFaces& operator=(const CPreparedFaces&) = delete;

  const CFaceKey& Key() const { return m_Key; }
  const std::vector<CFaceGroup>& Groups() const { return m_Batches.groups; }
  const std::vector<uint32_t>& Indices() const { return m_Batches.indices; }
  bool Coloured() const { return m_bColoured; }
  // Whether the corners carry texture coordinates: a mesh without any stores
  // only a CFaceCorner's position and normal (24 bytes instead of 32).
  bool TextureCoordinates() const { return m_bUVs; }
  size_t CornerBytes() const { return m_bUVs ? sizeof(CFaceCorner) : offsetof(CFaceCorner, texCoord); }
  // Where the buffer parts start: part k holds corners [starts[k], starts[k + 1]).
  const std::vector<size_t>& PartStarts() const { return m_PartStarts; }
  size_t CornerCount() const { return m_PartStarts.back(); }
  size_t CornersDone() const { return m_nAt; }

  // The next at most `most` corners, never across a part; false when every
  // corner has been handed out (the mesh is freed then). A piece's arrays
  // stay valid until the next call.
  bool Next(size_t most, CPiece& piece);

  // Most corners in one buffer part (tests set a small one).
  static void SetCornersPerPart(size_t corners);

 private:
  std::unique_ptr<COutputMesh> m_pMesh;
  CFaceKey m_Key;
  bool m_bSmooth;
  bool m_bColoured;
  bool m_bUVs;
  CFaceBatches m_Batches;
  std::vector<size_t> m_PartStarts;
  std::unique_ptr<CQuadCornerCursor> m_pQuads;
  size_t m_nAt = 0;
  size_t m_nPart = 0;
  std::vector<CFaceCorner> m_Piece;
  std::vector<uint32_t> m_ColourPiece;
};

// Lays out the faces of `owner` from its derived geometry `derived` (both only
// read, from any thread, as long as neither changes meanwhile).
std::unique_ptr<CPreparedFaces> PrepareFaces(const CMeshObject& owner, const CMeshObject& derived, bool smooth,
                                             const COutputMeshOptions& options, size_t cornersPerPart = std::numeric_limits<size_t>::max());

// The same, taking the derived geometry over (see OutputMeshTakingDerived):
// for a single frame, which needs it no more once its faces are laid out.
std::unique_ptr<CPreparedFaces> PrepareFacesTakingDerived(const CMeshObject& owner,
                                                          std::unique_ptr<CMeshObject> derived, bool smooth,
                                                          const COutputMeshOptions& options);

}  // namespace brimvale
