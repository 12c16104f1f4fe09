// OpenGL objects the view keeps between frames for one context: the face
// buffer of each object's derived geometry and a texture object per material.
// A face buffer is built once per derived-geometry build (and again only when
// the shading mode or the material count changes); a texture is uploaded when
// its texels changed since the last upload (their stamp), never otherwise. Every call
// needs the owning context current, Release included.
#pragma once

#include <cstdint>
#include <map>
#include <vector>

#include "mesh/output_mesh_builder.h"
#include "view/face_batches.h"

namespace brimvale {

class CMaterial;
class CMeshObject;
class CQuorixDoc;

class CViewGlCache {
 public:
  struct CFaceBuffer {
    uint64_t derivedId = 0;  // the derived geometry it was made from
    bool smooth = false;
    int materialCount = 0;
    // The CFaceCorner array in GL buffer objects of consecutive corners:
    // part k holds corners [partStarts[k], partStarts[k + 1]). Software
    // drivers address a buffer with 32-bit offsets, so a very large mesh is
    // split (whole quads per part; every triangle corner in the first).
    // A mesh with corner colours keeps each part's colours after its corners.
    std::vector<unsigned> parts;
    bool coloured = false;
    std::vector<size_t> partStarts;  // one more than parts: the last is the corner count
    unsigned indices = 0;            // GL buffer object holding the index list
    std::vector<CFaceGroup> groups;
  };

  CViewGlCache() = default;
  ~CViewGlCache() = default;  // GL names are left to the context; call Release while it is current
  CViewGlCache(const CViewGlCache&) = delete;
  CViewGlCache& operator=(const CViewGlCache&) = delete;

  // Buffer objects need OpenGL 1.5; without them the view keeps to the
  // per-corner path.
  static bool BuffersSupported();

  // The face buffer for `owner`, made from the output mesh of its derived
  // geometry `derived` unless the one kept still matches.
  const CFaceBuffer& FaceBuffer(const CMeshObject& owner, const CMeshObject& derived, bool smooth,
                                const COutputMeshOptions& options);
  // Number of face buffers built since creation (for tests and benchmarks).
  int FaceBuildCount() const { return m_nFaceBuilds; }
  // Most corners in one buffer object (tests set a small one).
  static void SetCornersPerPart(size_t corners);

  // Binds the material's texture object, uploading its texels (full size,
  // mipmapped) only when they changed since the last upload. Returns whether
  // it uploaded. The material must be textured.
  bool BindTexture(const CMaterial& material);
  int TextureUploadCount() const { return m_nTextureUploads; }

  // Frees what belongs to objects and materials no longer in the document, or
  // to derived geometry that has been discarded.
  void CollectGarbage(const CQuorixDoc& doc);
  void Release();

 private:
  struct CTexture {
    unsigned name = 0;
    uint64_t stamp = 0;  // of the texels last uploaded; 0 before the first
  };

  std::map<uint64_t, CFaceBuffer> m_Faces;  // by owner object instance
  std::map<const CMaterial*, CTexture> m_Textures;
  CFaceBatches m_Scratch;
  int m_nFaceBuilds = 0;
  int m_nTextureUploads = 0;
};

}  // namespace brimvale
