#include "export/gltf_exporter.h"

#include <memory>

#include "document/quorix_doc.h"
#include "export/gltf_camera.h"
#include "export/gltf_container.h"
#include "export/gltf_materials.h"
#include "export/gltf_mesh_writer.h"
#include "foundation/text_decoding.h"
#include "foundation/text_utils.h"
#include "mesh/output_mesh_builder.h"

namespace brimvale {
namespace {

bool EndsWith(const std::string& text, const char* suffix) {
  const std::string tail(suffix);
  return text.size() > tail.size() && AsciiLower(text.substr(text.size() - tail.size())) == tail;
}

std::string FileNameOf(const std::string& path) {
  const size_t slash = path.rfind('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
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
    const CGltfMeshOptions meshOptions{m_Options.scale, materialCount};
    bool defaultUsed = false;
    GltfJson sceneNodes = GltfJson::array();
    std::vector<const CMeshObject*> exported;
    for (const auto& object : m_Doc.m_Objects)
      if (object->m_bVisible || m_Options.includeHidden) exported.push_back(object.get());
    // The file writes texture coordinates for every face, textured or not.
    const COutputMeshOptions options = OutputMeshOptionsFor(m_Doc, nullptr, true);
    bool cancelled = false;
    DerivationProgress progress;
    if (m_Progress) progress = [&](size_t done, size_t total) { return !(cancelled = !m_Progress(done, total)); };
    ForEachOutputMesh(
        exported, options,
        [&](size_t i, const COutputMesh& mesh) {
          if (transaction.Failed() || bin.Failed() || indices.Failed()) return false;
          const CMeshObject& object = *exported[i];
          const std::string name = DecodeName(object.m_strName, m_Doc.m_bUtf8);
          const CGltfMeshResult written =
              WriteGltfMesh(document, bin, indices, mesh, object.m_bSmoothShading != 0, name, meshOptions);
          if (written.tooLarge)
            transaction.Fail(path, "cannot write " + path + ": object " + name + " has too many faces");
          defaultUsed = defaultUsed || written.usesDefaultMaterial;
          m_nTriangles += written.triangles;
          GltfJson node = {{"name", name}};
          if (written.mesh >= 0) node["mesh"] = written.mesh;
          sceneNodes.push_back(document.Add("nodes", std::move(node)));
          return true;
        },
        progress);
    if (cancelled) transaction.Fail(path, "cancelled");
    if (defaultUsed) document.Add("materials", DefaultGltfMaterial());
    sceneNodes.push_back(AddGltfCamera(document, m_Doc.m_Scene, m_Options.scale));
    document.Add("scenes", {{"nodes", std::move(sceneNodes)}});

    bin.Align(4);
    if (!transaction.Failed() && !bin.Failed()) {
      if (binary) {
        WriteGlbFile(transaction, path, document.Text(bin.Size(), std::string()), bin);
      } else if (bin.Size() == 0 || bin.Complete()) {
        // A model without faces has no buffer and so no .bin.
        WriteGltfTextFile(transaction, path, document.Text(bin.Size(), GltfUriOf(FileNameOf(binPath))));
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
