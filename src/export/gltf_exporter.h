// The glTF 2.0 export: every exported object as one node with one mesh, from
// the same output meshes the POV-Ray export writes (lathe, mirror, patch
// passes and deformers applied), the document's materials and textures, and
// its camera. Nodes nest as the objects do (vertices stay in document
// coordinates, so no node has a transform); an object without faces is kept
// only as the parent of something. Materials map as gltf_materials.h sets
// out: base colour = colour x diffuse, emissive = colour x emission lit through
// the base-colour texture; those no exported face uses are left out unless
// asked for. The container follows the file name: .glb is one binary file,
// .gltf a JSON file with its .bin and images beside it. Either every file is
// replaced or none is.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "export/gltf_document.h"

namespace brimvale {

class CQuorixDoc;
class CGltfTextureWriter;

struct CGltfExportOptions {
  float scale = 1.0f;           // file units times this (the modeller has no unit)
  bool includeHidden = false;   // hidden objects are left out unless set
  bool includeUnusedMaterials = false;  // materials no exported face uses are left out unless set
};

// True when the name ends in .glb or .gltf (any case).
bool IsGltfPath(const std::string& path);

class CGltfExporter {
 public:
  CGltfExporter(CQuorixDoc& doc, CGltfExportOptions options) : m_Doc(doc), m_Options(options) {}
  CGltfExporter(const CGltfExporter&) = delete;
  CGltfExporter& operator=(const CGltfExporter&) = delete;

  // Writes path (.glb, or else .gltf with its companions). On failure Error()
  // says which file and why; no file was changed and no temporary is left.
  bool Export(const std::string& path);
  const std::string& Error() const { return m_strError; }
  // Maps left out (missing, unreadable, bump maps), one line each.
  const std::vector<std::string>& Warnings() const { return m_Warnings; }
  // Triangles written by the last successful export.
  uint64_t TriangleCount() const { return m_nTriangles; }
  // Told after each object written and while one is being derived (done of
  // total); false cancels the export, which then fails with Error()
  // "cancelled" and writes nothing.
  void SetProgress(std::function<bool(size_t done, size_t total)> progress) { m_Progress = std::move(progress); }

 private:
  // The materials the meshes use (all with the option), renumbering the
  // meshes' references from document order to the written order.
  void AddMaterials(CGltfDocument& document, CGltfTextureWriter& textures);
  // Nodes for the exported objects, nested; returns the top-level nodes.
  GltfJson AddObjectNodes(CGltfDocument& document, const std::vector<int>& meshes, const std::vector<bool>& exported);

  CQuorixDoc& m_Doc;
  CGltfExportOptions m_Options;
  std::string m_strError;
  std::vector<std::string> m_Warnings;
  uint64_t m_nTriangles = 0;
  std::function<bool(size_t, size_t)> m_Progress;
};

}  // namespace brimvale
