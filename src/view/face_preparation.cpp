#include "view/face_preparation.h"

#include <algorithm>
#include <cstring>

#include "document/mesh_object.h"

namespace brimvale {
namespace {

// 512 MiB of corners a buffer part: far from any 32-bit offset.
size_t g_nCornersPerPart = size_t{1} << 24;

// Where the parts start: the first holds every triangle corner (the index
// list reaches all of them), and no quad is cut between two parts.
std::vector<size_t> PartStartsFor(size_t firstQuad, size_t quadCorners, size_t cornersPerPart) {
  const size_t total = firstQuad + quadCorners;
  const size_t perPart = std::max<size_t>(4, std::min(cornersPerPart, g_nCornersPerPart));
  std::vector<size_t> starts{0};
  for (size_t start = 0; start < total;) {
    size_t end = std::max(start + perPart, firstQuad);
    end = end >= total ? total : firstQuad + (end - firstQuad) / 4 * 4;
    if (end <= start) end = std::min(total, start + 4);
    starts.push_back(end);
    start = end;
  }
  if (starts.size() == 1) starts.push_back(0);  // no corners: one empty part
  return starts;
}

}  // namespace

CFaceKey FaceKeyFor(const CMeshObject& derived, bool smooth, const COutputMeshOptions& options) {
  CFaceKey key;
  key.derivedId = derived.m_nInstanceId;
  key.smooth = smooth;
  key.materialCount = options.materialCount;
  key.texturedMaterials = options.texturedMaterials;
  key.colouredMaterials = options.colouredMaterials;
  return key;
}

void CPreparedFaces::SetCornersPerPart(size_t corners) { g_nCornersPerPart = corners; }

CPreparedFaces::CPreparedFaces(std::unique_ptr<COutputMesh> mesh, bool smooth, CFaceKey key, size_t cornersPerPart)
    : m_pMesh(std::move(mesh)),
      m_Key(std::move(key)),
      m_bSmooth(smooth),
      m_bColoured(m_pMesh->HasColours()),
      m_bUVs(m_pMesh->triangles.HasUVs() || m_pMesh->quads.HasUVs()) {
  BuildFaceBatches(*m_pMesh, smooth, m_Batches);
  m_PartStarts = PartStartsFor(m_Batches.corners.size(), m_Batches.quadCorners, cornersPerPart);
  m_pQuads = std::make_unique<CQuadCornerCursor>(*m_pMesh);
}

bool CPreparedFaces::Next(size_t most, CPiece& piece) {
  const size_t total = CornerCount();
  while (m_nPart + 1 < m_PartStarts.size() && m_nAt >= m_PartStarts[m_nPart + 1]) ++m_nPart;
  if (m_nAt >= total) {
    // Everything is handed out: only the driver needs the corners now.
    m_pQuads.reset();
    m_pMesh.reset();
    m_Batches.corners = {};
    m_Batches.colours = {};
    m_Piece = {};
    m_ColourPiece = {};
    return false;
  }
  const size_t quadBase = m_Batches.corners.size();
  size_t n = std::min(std::max<size_t>(most, 1), m_PartStarts[m_nPart + 1] - m_nAt);
  piece.part = m_nPart;
  piece.offset = m_nAt - m_PartStarts[m_nPart];
  if (m_nAt < quadBase) {
    n = std::min(n, quadBase - m_nAt);
    piece.corners = m_Batches.corners.data() + m_nAt;
    piece.colours = m_bColoured ? m_Batches.colours.data() + m_nAt : nullptr;
    if (!m_bUVs) {
      m_Piece.assign(m_Batches.corners.begin() + static_cast<ptrdiff_t>(m_nAt),
                     m_Batches.corners.begin() + static_cast<ptrdiff_t>(m_nAt + n));
      piece.corners = m_Piece.data();
    }
  } else {
    m_Piece.resize(n);
    if (m_bColoured) m_ColourPiece.resize(n);
    m_pQuads->Fill(m_bSmooth, n, m_Piece.data(), m_bColoured ? m_ColourPiece.data() : nullptr);
    piece.corners = m_Piece.data();
    piece.colours = m_bColoured ? m_ColourPiece.data() : nullptr;
  }
  if (!m_bUVs) {
    // Packed in place, each corner without its texture coordinate.
    auto* bytes = reinterpret_cast<unsigned char*>(m_Piece.data());
    for (size_t i = 1; i < n; ++i) std::memmove(bytes + i * CornerBytes(), bytes + i * sizeof(CFaceCorner), CornerBytes());
  }
  piece.count = n;
  m_nAt += n;
  return true;
}

namespace {

COutputMeshOptions Shaded(const COutputMeshOptions& options, bool smooth) {
  COutputMeshOptions shaded = options;
  shaded.faceNormals = !smooth;
  shaded.cornerNormals = smooth;
  return shaded;
}

}  // namespace

std::unique_ptr<CPreparedFaces> PrepareFacesTakingDerived(const CMeshObject& owner,
                                                          std::unique_ptr<CMeshObject> derived, bool smooth,
                                                          const COutputMeshOptions& options) {
  CFaceKey key = FaceKeyFor(*derived, smooth, options);
  return std::make_unique<CPreparedFaces>(OutputMeshTakingDerived(owner, std::move(derived), Shaded(options, smooth)),
                                          smooth, std::move(key));
}

std::unique_ptr<CPreparedFaces> PrepareFaces(const CMeshObject& owner, const CMeshObject& derived, bool smooth,
                                             const COutputMeshOptions& options, size_t cornersPerPart) {
  return std::make_unique<CPreparedFaces>(OutputMeshFromDerived(owner, derived, Shaded(options, smooth)), smooth,
                                          FaceKeyFor(derived, smooth, options), cornersPerPart);
}

}  // namespace brimvale
