// OpenGL objects the view keeps between frames for one context: the face
// buffer of each object's derived geometry and a texture object per material.
// A face buffer is built once per derived-geometry build (and again only when
// its key changes: the shading or a material setting its layout reads); a
// texture is uploaded when its texels changed since the last upload (their
// stamp), never otherwise. Every call needs the owning context current,
// Release included, except the settings and TakeRequests.
//
// Deferred (a window): a large object's face buffer is not built inside a
// frame. The frame records a request and draws the object's previous buffer
// (or nothing); the host prepares the request elsewhere (PrepareFaces, on any
// thread) and uploads it a piece at a time between frames:
//
//   cache.SetDeferred(true);
//   // after a frame:
//   for (auto& request : cache.TakeRequests()) prepared = PrepareFaces(...);  // off the window's thread
//   cache.BeginUpload(request.ownerId, std::move(prepared));
//   while (!cache.UploadSome(corners)) { /* let the window breathe */ }
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <vector>

#include "mesh/output_mesh_builder.h"
#include "view/face_batches.h"
#include "view/face_preparation.h"

namespace brimvale {

class CMaterial;
class CMeshObject;
class CQuorixDoc;

class CViewGlCache {
 public:
  struct CFaceBuffer {
    CFaceKey key;  // what it was made from
    // The corner array (CFaceCorner, maybe cut short) in GL buffer objects of consecutive corners:
    // part k holds corners [partStarts[k], partStarts[k + 1]). Software
    // drivers address a buffer with 32-bit offsets, so a very large mesh is
    // split (whole quads per part; every triangle corner in the first).
    // A mesh with corner colours keeps each part's colours after its corners.
    std::vector<unsigned> parts;
    bool coloured = false;
    // Without texture coordinates a corner is stored without its texCoord.
    bool textureCoordinates = true;
    size_t cornerBytes = sizeof(CFaceCorner);
    std::vector<size_t> partStarts;  // one more than parts: the last is the corner count
    unsigned indices = 0;            // GL buffer object holding the index list
    std::vector<CFaceGroup> groups;
  };

  // A face buffer a deferred frame wanted. The two objects must stay alive
  // and unchanged while PrepareFaces reads them.
  struct CFaceRequest {
    uint64_t ownerId = 0;
    const CMeshObject* owner = nullptr;
    const CMeshObject* derived = nullptr;
    uint64_t derivedId = 0;
    bool smooth = false;
    COutputMeshOptions options;
    size_t cornersPerPart = 0;  // for PrepareFaces
  };

  CViewGlCache() = default;
  ~CViewGlCache() = default;  // GL names are left to the context; call Release while it is current
  CViewGlCache(const CViewGlCache&) = delete;
  CViewGlCache& operator=(const CViewGlCache&) = delete;

  // Buffer objects need OpenGL 1.5; without them the view keeps to the
  // per-corner path.
  static bool BuffersSupported();

  // The face buffer for `owner`, made from the output mesh of its derived
  // geometry `derived` unless the one kept still matches. Deferred, a mesh
  // past the frame's share (SetDeferredFaces) is not built here: the answer
  // is the previous buffer, or null.
  const CFaceBuffer* FaceBuffer(const CMeshObject& owner, const CMeshObject& derived, bool smooth,
                                const COutputMeshOptions& options);
  // For a single frame (the command line's render): a face buffer built
  // inside the frame takes the object's derived geometry over and frees it
  // before the upload, so that the derived mesh, the output mesh and the
  // driver's copy are never all held at once. The object derives again when
  // drawn again.
  void SetTakeDerived(bool on) { m_bTakeDerived = on; }
  bool TakesDerived() const { return m_bTakeDerived; }
  // FaceBuffer so, for an owner that has derived geometry.
  const CFaceBuffer* FaceBufferTakingDerived(CMeshObject& owner, bool smooth, const COutputMeshOptions& options);
  // Number of face buffers completed since creation (for tests and benchmarks).
  int FaceBuildCount() const { return m_nFaceBuilds; }
  // Most corners in one buffer object (tests set a small one).
  static void SetCornersPerPart(size_t corners) { CPreparedFaces::SetCornersPerPart(corners); }

  void SetDeferred(bool on) { m_bDeferred = on; }
  // Faces (triangles and quads) a frame builds at most itself: an object
  // that would take it to this many is deferred.
  void SetDeferredFaces(size_t faces) { m_nDeferredFaces = faces; }
  // A frame begins: it has built nothing yet.
  void BeginFrame() { m_nFacesThisFrame = 0; }
  // The requests recorded since the last call, one an object (the latest).
  std::vector<CFaceRequest> TakeRequests();
  // Starts uploading prepared faces for the object; the buffer replaces the
  // object's previous one once complete. An unfinished upload is dropped.
  void BeginUpload(uint64_t ownerId, std::unique_ptr<CPreparedFaces> faces);
  // Uploads about `corners` more corners; true when no upload is left.
  bool UploadSome(size_t corners);
  bool Uploading() const { return m_pUpload != nullptr; }
  // Corners uploaded and in all, of the upload under way.
  size_t UploadDone() const;
  size_t UploadTotal() const;

  // Binds the material's texture object, uploading its texels (full size,
  // mipmapped) only when they changed since the last upload. Returns whether
  // it uploaded. The material must be textured.
  bool BindTexture(const CMaterial& material);
  int TextureUploadCount() const { return m_nTextureUploads; }

  // Frees what belongs to objects and materials no longer in the document, or
  // to derived geometry that has been discarded (deferred: only once the
  // object is gone, as its buffer is drawn until a new one is complete).
  void CollectGarbage(const CQuorixDoc& doc);
  void Release();

 private:
  struct CTexture {
    unsigned name = 0;
    uint64_t stamp = 0;  // of the texels last uploaded; 0 before the first
  };
  struct CUpload {
    uint64_t ownerId = 0;
    std::unique_ptr<CPreparedFaces> faces;
    CFaceBuffer buffer;
  };

  static void DeleteBuffers(CFaceBuffer& entry);
  const CFaceBuffer* Build(uint64_t ownerId, std::unique_ptr<CPreparedFaces> faces);
  void Finish();

  std::map<uint64_t, CFaceBuffer> m_Faces;  // by owner object instance
  std::map<const CMaterial*, CTexture> m_Textures;
  bool m_bDeferred = false;
  bool m_bTakeDerived = false;
  size_t m_nDeferredFaces = 250000;
  size_t m_nFacesThisFrame = 0;
  std::map<uint64_t, CFaceRequest> m_Requests;  // by owner, not yet taken
  std::map<uint64_t, CFaceKey> m_Asked;         // by owner, the key last requested
  std::unique_ptr<CUpload> m_pUpload;
  int m_nFaceBuilds = 0;
  int m_nTextureUploads = 0;
};

}  // namespace brimvale
