#include "export/gltf_exporter.h"

#include <filesystem>
#include <memory>

#include "document/quorix_doc.h"
#include "export/gltf_camera.h"
#include "export/gltf_container.h"
#include "export/gltf_materials.h"
#include "export/gltf_mesh_writer.h"
#include "foundation/text_decoding.h"
#include "foundation/text_utils.h"
#include "geometry/frozen_mesh.h"

namespace brimvale {
namespace {

bool EndsWith(const std::string& text, const char* suffix) {
  const std::string tail(suffix);
  return text.size() > tail.size() && AsciiLower(text.substr(text.size() - tail.size())) == tail;
}

}  // namespace

bool IsGltfPath(const std::string& path) { return EndsWith(path, ".glb") || EndsWith(path, ".gltf"); }

bool CGltfExporter::Export(const std::string& path) {
  m_strError.clear();
  m_Warnings.clear();
  m_nTriangles = 0;
  const bool binary = !EndsWith(path, ".gltf");
  const std::string base = path.substr(0, path.rfind('.'));
  const std::string binPath = base + ".bin";

  CExportTransaction transaction;
  CGltfDocument document;
  {
    CGltfBinaryStream bin(transaction, binary ? path : binPath);
    CGltfBinaryStream indices(transaction, binary ? path : binPath);
    CGltfTextureWriter textures(document, transaction, bin, binary, base);
    AddGltfMaterials(document, m_Doc, textures, m_Warnings);

    const int materialCount = m_Doc.MaterialCount();
    CGltfMeshOptions meshOptions{m_Options.scale, materialCount, materialCount};
    bool defaultUsed = false;
    GltfJson sceneNodes = GltfJson::array();
    for (const auto& object : m_Doc.m_Objects) {
      if (transaction.Failed() || bin.Failed() || indices.Failed()) break;
      if (!object->m_bVisible && !m_Options.includeHidden) continue;
      const std::string name = DecodeName(object->m_strName, m_Doc.m_bUtf8);
      // The mesh the view draws: the object's own, or its frozen derivation.
      const std::unique_ptr<CMeshObject> frozen = FrozenCopy(*object);
      const CGltfMeshResult written =
          WriteGltfMesh(document, bin, indices, frozen ? *frozen : *object, name, meshOptions);
      if (written.tooLarge) transaction.Fail(path, "cannot write " + path + ": object " + name + " has too many faces");
      defaultUsed = defaultUsed || written.usesDefaultMaterial;
      m_nTriangles += written.triangles;
      GltfJson node = {{"name", name}};
      if (written.mesh >= 0) node["mesh"] = written.mesh;
      sceneNodes.push_back(document.Add("nodes", std::move(node)));
    }
    if (defaultUsed) document.Add("materials", DefaultGltfMaterial());
    sceneNodes.push_back(AddGltfCamera(document, m_Doc.m_Scene, m_Options.scale));
    document.Add("scenes", {{"nodes", std::move(sceneNodes)}});

    bin.Align(4);
    if (!transaction.Failed() && !bin.Failed()) {
      if (binary) {
        WriteGlbFile(transaction, path, document.Text(bin.Size(), std::string()), bin);
      } else if (bin.Size() == 0 || bin.Complete()) {
        // A model without faces has no buffer and so no .bin.
        WriteGltfTextFile(transaction, path, document.Text(bin.Size(), GltfUriOf(std::filesystem::path(binPath).filename().string())));
      }
    }
  }
  const bool ok = transaction.Commit();
  if (!ok) {
    m_strError = transaction.Error();
    m_nTriangles = 0;
  }
  return ok;
}

}  // namespace brimvale
