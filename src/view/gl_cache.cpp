#include "view/gl_cache.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <set>

#include "document/quorix_doc.h"
#include "view/gl_api.h"
#include "view/texture_upload.h"

namespace brimvale {
namespace {

// 512 MiB of corners a buffer: far from any 32-bit offset.
size_t g_nCornersPerPart = size_t{1} << 24;
// Corners made and uploaded at once: 32 MiB.
constexpr size_t kCornersPerPiece = size_t{1} << 20;

void DeleteBuffers(CViewGlCache::CFaceBuffer& entry) {
  if (!entry.parts.empty()) glDeleteBuffers(static_cast<GLsizei>(entry.parts.size()), entry.parts.data());
  if (entry.indices != 0) glDeleteBuffers(1, &entry.indices);
  entry.parts.clear();
  entry.partStarts.clear();
  entry.indices = 0;
}

// Where the parts start: the first holds every triangle corner (the index
// list reaches all of them), and no quad is cut between two parts.
std::vector<size_t> PartStarts(const CFaceBatches& batches) {
  const size_t firstQuad = batches.corners.size();
  const size_t total = firstQuad + batches.quadCorners;
  const size_t perPart = std::max<size_t>(4, g_nCornersPerPart);
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

bool CViewGlCache::BuffersSupported() {
  const auto* version = reinterpret_cast<const char*>(glGetString(GL_VERSION));
  if (version == nullptr) return false;
  int major = 0, minor = 0;
  if (std::sscanf(version, "%d.%d", &major, &minor) != 2) return false;
  return major > 1 || (major == 1 && minor >= 5);
}

const CViewGlCache::CFaceBuffer& CViewGlCache::FaceBuffer(const CMeshObject& owner, const CMeshObject& derived,
                                                          bool smooth, const COutputMeshOptions& options) {
  const int materialCount = options.materialCount;
  CFaceBuffer& entry = m_Faces[owner.m_nInstanceId];
  if (!entry.parts.empty() && entry.derivedId == derived.m_nInstanceId && entry.smooth == smooth &&
      entry.materialCount == materialCount)
    return entry;
  COutputMeshOptions shaded = options;
  shaded.faceNormals = !smooth;
  shaded.cornerNormals = smooth;
  const std::unique_ptr<COutputMesh> mesh = OutputMeshFromDerived(owner, derived, shaded);
  BuildFaceBatches(*mesh, smooth, m_Scratch);
  DeleteBuffers(entry);
  entry.partStarts = PartStarts(m_Scratch);
  entry.parts.resize(entry.partStarts.size() - 1);
  glGenBuffers(static_cast<GLsizei>(entry.parts.size()), entry.parts.data());
  glGenBuffers(1, &entry.indices);
  // The quad corners are made and uploaded a piece at a time, so only the
  // driver holds them whole.
  const size_t quadBase = m_Scratch.corners.size();
  const bool coloured = mesh->HasColours();
  std::vector<CFaceCorner> piece;
  std::vector<uint32_t> colourPiece;
  for (size_t k = 0; k < entry.parts.size(); ++k) {
    const size_t first = entry.partStarts[k], count = entry.partStarts[k + 1] - first;
    glBindBuffer(GL_ARRAY_BUFFER, entry.parts[k]);
    const size_t colourBytes = coloured ? count * sizeof(uint32_t) : 0;
    glBufferData(GL_ARRAY_BUFFER, static_cast<GLsizeiptr>(count * sizeof(CFaceCorner) + colourBytes), nullptr,
                 GL_STATIC_DRAW);
    for (size_t at = first; at < first + count;) {
      size_t n = std::min(first + count - at, kCornersPerPiece);
      const CFaceCorner* data = nullptr;
      if (at < quadBase) {
        n = std::min(n, quadBase - at);
        data = m_Scratch.corners.data() + at;
      } else {
        piece.resize(n);
        FillQuadCorners(*mesh, smooth, at - quadBase, n, piece.data());
        data = piece.data();
      }
      glBufferSubData(GL_ARRAY_BUFFER, static_cast<GLintptr>((at - first) * sizeof(CFaceCorner)),
                      static_cast<GLsizeiptr>(n * sizeof(CFaceCorner)), data);
      if (coloured) {
        const uint32_t* colours = nullptr;
        if (at < quadBase) {
          colours = m_Scratch.colours.data() + at;
        } else {
          colourPiece.resize(n);
          FillQuadColours(*mesh, at - quadBase, n, colourPiece.data());
          colours = colourPiece.data();
        }
        glBufferSubData(GL_ARRAY_BUFFER,
                        static_cast<GLintptr>(count * sizeof(CFaceCorner) + (at - first) * sizeof(uint32_t)),
                        static_cast<GLsizeiptr>(n * sizeof(uint32_t)), colours);
      }
      at += n;
    }
  }
  glBindBuffer(GL_ARRAY_BUFFER, 0);
  glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, entry.indices);
  glBufferData(GL_ELEMENT_ARRAY_BUFFER, static_cast<GLsizeiptr>(m_Scratch.indices.size() * sizeof(uint32_t)),
               m_Scratch.indices.data(), GL_STATIC_DRAW);
  glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, 0);
  entry.derivedId = derived.m_nInstanceId;
  entry.smooth = smooth;
  entry.coloured = coloured;
  entry.materialCount = materialCount;
  entry.groups = m_Scratch.groups;
  // The arrays can be large; keep no copy once they are uploaded.
  m_Scratch = CFaceBatches();
  ++m_nFaceBuilds;
  return entry;
}

void CViewGlCache::SetCornersPerPart(size_t corners) { g_nCornersPerPart = corners; }

bool CViewGlCache::BindTexture(const CMaterial& material) {
  const CTextureBuffer& buffer = material.m_TextureBuffer;
  CTexture& texture = m_Textures[&material];
  if (texture.name == 0) glGenTextures(1, &texture.name);
  glBindTexture(GL_TEXTURE_2D, texture.name);
  if (texture.stamp == buffer.Stamp()) return false;
  texture.stamp = buffer.Stamp();
  UploadTexture(buffer);
  ++m_nTextureUploads;
  return true;
}

void CViewGlCache::CollectGarbage(const CQuorixDoc& doc) {
  std::map<uint64_t, uint64_t> liveDerived;  // owner id -> derived id (0 without one)
  for (const auto& object : doc.m_Objects)
    liveDerived[object->m_nInstanceId] = object->m_pDerived ? object->m_pDerived->m_nInstanceId : 0;
  for (auto it = m_Faces.begin(); it != m_Faces.end();) {
    const auto live = liveDerived.find(it->first);
    if (live == liveDerived.end() || live->second != it->second.derivedId) {
      DeleteBuffers(it->second);
      it = m_Faces.erase(it);
    } else {
      ++it;
    }
  }
  std::set<const CMaterial*> liveMaterials;
  for (const auto& material : doc.m_Materials) liveMaterials.insert(material.get());
  for (auto it = m_Textures.begin(); it != m_Textures.end();) {
    if (liveMaterials.count(it->first) == 0) {
      glDeleteTextures(1, &it->second.name);
      it = m_Textures.erase(it);
    } else {
      ++it;
    }
  }
}

void CViewGlCache::Release() {
  for (auto& [id, entry] : m_Faces) DeleteBuffers(entry);
  for (auto& [material, texture] : m_Textures) glDeleteTextures(1, &texture.name);
  m_Faces.clear();
  m_Textures.clear();
}

}  // namespace brimvale
