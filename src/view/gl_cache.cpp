#include "view/gl_cache.h"

#include <algorithm>
#include <cstdio>
#include <set>

#include "document/quorix_doc.h"
#include "view/gl_api.h"
#include "view/texture_upload.h"

namespace brimvale {
namespace {

// Corners made and uploaded at once when a buffer is built inside a frame: 32 MiB.
constexpr size_t kCornersPerPiece = size_t{1} << 20;
// Deferred buffers come in parts of 64 MiB, each made in one turn of the event loop.
constexpr size_t kDeferredPart = size_t{1} << 21;

}  // namespace

void CViewGlCache::DeleteBuffers(CFaceBuffer& entry) {
  if (!entry.parts.empty()) glDeleteBuffers(static_cast<GLsizei>(entry.parts.size()), entry.parts.data());
  if (entry.indices != 0) glDeleteBuffers(1, &entry.indices);
  entry.parts.clear();
  entry.partStarts.clear();
  entry.indices = 0;
}

bool CViewGlCache::BuffersSupported() {
  const auto* version = reinterpret_cast<const char*>(glGetString(GL_VERSION));
  if (version == nullptr) return false;
  int major = 0, minor = 0;
  if (std::sscanf(version, "%d.%d", &major, &minor) != 2) return false;
  return major > 1 || (major == 1 && minor >= 5);
}

const CViewGlCache::CFaceBuffer* CViewGlCache::FaceBuffer(const CMeshObject& owner, const CMeshObject& derived,
                                                          bool smooth, const COutputMeshOptions& options) {
  CFaceKey key = FaceKeyFor(derived, smooth, options);
  const auto kept = m_Faces.find(owner.m_nInstanceId);
  if (kept != m_Faces.end() && kept->second.key == key) return &kept->second;
  // The faces drawn: the derived mesh's, or the object's own where no stage made any.
  const auto facesOf = [](const CMeshObject& o) {
    return static_cast<size_t>(o.TriangleCount()) + static_cast<size_t>(o.QuadCount());
  };
  const size_t faces = facesOf(derived) > 0 ? facesOf(derived) : facesOf(owner);
  // Deferred once this frame's builds would reach the limit: many middling
  // objects hold the window up as long as one large one.
  if (m_bDeferred && m_nFacesThisFrame + faces >= m_nDeferredFaces) {
    CFaceKey& asked = m_Asked[owner.m_nInstanceId];
    if (!(asked == key)) {
      asked = std::move(key);
      m_Requests[owner.m_nInstanceId] =
          CFaceRequest{owner.m_nInstanceId, &owner, &derived, derived.m_nInstanceId, smooth, options, kDeferredPart};
    }
    return kept != m_Faces.end() ? &kept->second : nullptr;
  }
  m_nFacesThisFrame += faces;
  return Build(owner.m_nInstanceId, PrepareFaces(owner, derived, smooth, options));
}

const CViewGlCache::CFaceBuffer* CViewGlCache::FaceBufferTakingDerived(CMeshObject& owner, bool smooth,
                                                                       const COutputMeshOptions& options) {
  const auto kept = m_Faces.find(owner.m_nInstanceId);
  if (kept != m_Faces.end() && kept->second.key == FaceKeyFor(*owner.m_pDerived, smooth, options)) return &kept->second;
  return Build(owner.m_nInstanceId, PrepareFacesTakingDerived(owner, std::move(owner.m_pDerived), smooth, options));
}

const CViewGlCache::CFaceBuffer* CViewGlCache::Build(uint64_t ownerId, std::unique_ptr<CPreparedFaces> faces) {
  if (m_pUpload && m_pUpload->ownerId == ownerId) {
    DeleteBuffers(m_pUpload->buffer);  // this build overtakes it
    m_pUpload.reset();
  }
  m_Asked.erase(ownerId);
  m_Requests.erase(ownerId);
  // Built here and now: the upload under way (if any) waits meanwhile.
  std::unique_ptr<CUpload> waiting = std::move(m_pUpload);
  BeginUpload(ownerId, std::move(faces));
  while (!UploadSome(kCornersPerPiece)) {
  }
  m_pUpload = std::move(waiting);
  return &m_Faces[ownerId];
}

std::vector<CViewGlCache::CFaceRequest> CViewGlCache::TakeRequests() {
  std::vector<CFaceRequest> taken;
  for (auto& [id, request] : m_Requests) taken.push_back(std::move(request));
  m_Requests.clear();
  return taken;
}

void CViewGlCache::BeginUpload(uint64_t ownerId, std::unique_ptr<CPreparedFaces> faces) {
  if (m_pUpload) DeleteBuffers(m_pUpload->buffer);
  m_pUpload = std::make_unique<CUpload>();
  CUpload& upload = *m_pUpload;
  upload.ownerId = ownerId;
  upload.faces = std::move(faces);
  CFaceBuffer& entry = upload.buffer;
  const CPreparedFaces& prepared = *upload.faces;
  entry.key = prepared.Key();
  entry.coloured = prepared.Coloured();
  entry.textureCoordinates = prepared.TextureCoordinates();
  entry.cornerBytes = prepared.CornerBytes();
  entry.groups = prepared.Groups();
  entry.partStarts = prepared.PartStarts();
  entry.parts.resize(entry.partStarts.size() - 1);
  // Each part's storage is made when its first piece comes: drivers fill it
  // in, which for a large mesh takes seconds all at once.
  glGenBuffers(static_cast<GLsizei>(entry.parts.size()), entry.parts.data());
  if (prepared.CornerCount() == 0) {
    glBindBuffer(GL_ARRAY_BUFFER, entry.parts[0]);
    glBufferData(GL_ARRAY_BUFFER, 0, nullptr, GL_STATIC_DRAW);
    glBindBuffer(GL_ARRAY_BUFFER, 0);
  }
  glGenBuffers(1, &entry.indices);
  glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, entry.indices);
  glBufferData(GL_ELEMENT_ARRAY_BUFFER, static_cast<GLsizeiptr>(prepared.Indices().size() * sizeof(uint32_t)),
               prepared.Indices().data(), GL_STATIC_DRAW);
  glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, 0);
}

bool CViewGlCache::UploadSome(size_t corners) {
  if (!m_pUpload) return true;
  CFaceBuffer& entry = m_pUpload->buffer;
  CPreparedFaces& faces = *m_pUpload->faces;
  CPreparedFaces::CPiece piece;
  size_t sent = 0;
  bool more = true;
  while (sent < corners && (more = faces.Next(corners - sent, piece))) {
    glBindBuffer(GL_ARRAY_BUFFER, entry.parts[piece.part]);
    const size_t partCorners = entry.partStarts[piece.part + 1] - entry.partStarts[piece.part];
    if (piece.offset == 0) {
      const size_t colourBytes = entry.coloured ? partCorners * sizeof(uint32_t) : 0;
      glBufferData(GL_ARRAY_BUFFER, static_cast<GLsizeiptr>(partCorners * entry.cornerBytes + colourBytes), nullptr,
                   GL_STATIC_DRAW);
    }
    glBufferSubData(GL_ARRAY_BUFFER, static_cast<GLintptr>(piece.offset * entry.cornerBytes),
                    static_cast<GLsizeiptr>(piece.count * entry.cornerBytes), piece.corners);
    if (entry.coloured) {
      glBufferSubData(GL_ARRAY_BUFFER,
                      static_cast<GLintptr>(partCorners * entry.cornerBytes + piece.offset * sizeof(uint32_t)),
                      static_cast<GLsizeiptr>(piece.count * sizeof(uint32_t)), piece.colours);
    }
    sent += piece.count;
  }
  glBindBuffer(GL_ARRAY_BUFFER, 0);
  if (more && faces.CornersDone() < faces.CornerCount()) return false;
  Finish();
  return true;
}

void CViewGlCache::Finish() {
  CFaceBuffer& kept = m_Faces[m_pUpload->ownerId];
  DeleteBuffers(kept);
  kept = std::move(m_pUpload->buffer);
  m_pUpload.reset();
  ++m_nFaceBuilds;
}

size_t CViewGlCache::UploadDone() const { return m_pUpload ? m_pUpload->faces->CornersDone() : 0; }
size_t CViewGlCache::UploadTotal() const { return m_pUpload ? m_pUpload->faces->CornerCount() : 0; }

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
    const bool gone = live == liveDerived.end() || (!m_bDeferred && !m_bTakeDerived && live->second != it->second.key.derivedId);
    if (gone) {
      DeleteBuffers(it->second);
      it = m_Faces.erase(it);
    } else {
      ++it;
    }
  }
  if (m_pUpload && liveDerived.count(m_pUpload->ownerId) == 0) {
    DeleteBuffers(m_pUpload->buffer);
    m_pUpload.reset();
  }
  std::erase_if(m_Asked, [&](const auto& asked) { return liveDerived.count(asked.first) == 0; });
  std::erase_if(m_Requests, [&](const auto& request) { return liveDerived.count(request.first) == 0; });
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
  if (m_pUpload) DeleteBuffers(m_pUpload->buffer);
  m_pUpload.reset();
  m_Asked.clear();
  m_Requests.clear();
  m_Faces.clear();
  m_Textures.clear();
}

}  // namespace brimvale
