#include "export/gltf_exporter.h"

#include <filesystem>
#include <memory>

#include "document/object_hierarchy.h"
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

}  // namespace

void CGltfExporter::AddMaterials(CGltfDocument& document, CGltfTextureWriter& textures) {
  const int count = m_Doc.MaterialCount();
  // Slot `count` is the default material of faces naming none.
  std::vector<bool> used(static_cast<size_t>(count) + 1, false);
  const bool anyMesh = document.Count("meshes") > 0;
  if (anyMesh)
    for (const auto& mesh : document.Entries("meshes"))
      for (const auto& primitive : mesh["primitives"]) used[primitive["material"].get<size_t>()] = true;
  std::vector<int> written;
  std::vector<int> renumbered(static_cast<size_t>(count) + 1, -1);
  for (int m = 0; m < count; ++m) {
    if (!used[static_cast<size_t>(m)] && !m_Options.includeUnusedMaterials) continue;
    renumbered[static_cast<size_t>(m)] = static_cast<int>(written.size());
    written.push_back(m);
  }
  AddGltfMaterials(document, m_Doc, written, textures, m_Warnings);
  if (used[static_cast<size_t>(count)]) {
    renumbered[static_cast<size_t>(count)] = document.Add("materials", DefaultGltfMaterial());
  }
  // Fetched again: adding the materials' array may have moved the others.
  if (anyMesh)
    for (auto& mesh : document.Entries("meshes"))
      for (auto& primitive : mesh["primitives"])
        primitive["material"] = renumbered[primitive["material"].get<size_t>()];
}

GltfJson CGltfExporter::AddObjectNodes(CGltfDocument& document, const std::vector<int>& meshes,
                                       const std::vector<bool>& exported) {
  const std::vector<int> parents = ObjectParents(m_Doc.m_Objects);
  const size_t count = parents.size();
  // A left-out object hands its children to its nearest exported ancestor.
  std::vector<int> parent(count, -1);
  for (size_t i = 0; i < count; ++i) {
    int p = parents[i];
    while (p >= 0 && !exported[static_cast<size_t>(p)]) p = parents[static_cast<size_t>(p)];
    parent[i] = p;
  }
  // Children come after their parent, so one backward pass finds which
  // faceless objects hold something and are kept as empty nodes.
  std::vector<bool> kept(count, false), holds(count, false);
  for (size_t i = count; i-- > 0;) {
    kept[i] = exported[i] && (meshes[i] >= 0 || holds[i]);
    if (kept[i] && parent[i] >= 0) holds[static_cast<size_t>(parent[i])] = true;
  }
  std::vector<int> nodes(count, -1);
  GltfJson roots = GltfJson::array();
  for (size_t i = 0; i < count; ++i) {
    if (!kept[i]) continue;
    GltfJson node = {{"name", DecodeName(m_Doc.m_Objects[i]->m_strName, m_Doc.m_bUtf8)}};
    if (meshes[i] >= 0) node["mesh"] = meshes[i];
    nodes[i] = document.Add("nodes", std::move(node));
    if (parent[i] < 0) {
      roots.push_back(nodes[i]);
    } else {
      GltfJson& above = document.Entries("nodes")[static_cast<size_t>(nodes[static_cast<size_t>(parent[i])])];
      above["children"].push_back(nodes[i]);
    }
  }
  return roots;
}

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

    const int materialCount = m_Doc.MaterialCount();
    // Faces without a material name slot `materialCount`; AddMaterials renumbers.
    const CGltfMeshOptions meshOptions{m_Options.scale, materialCount};
    const size_t objectCount = m_Doc.m_Objects.size();
    std::vector<int> meshes(objectCount, -1);
    std::vector<bool> exported(objectCount, false);
    std::vector<const CMeshObject*> objects;
    std::vector<size_t> objectIndex;
    for (size_t i = 0; i < objectCount; ++i) {
      const CMeshObject& object = *m_Doc.m_Objects[i];
      if (!object.m_bVisible && !m_Options.includeHidden) continue;
      exported[i] = true;
      objects.push_back(&object);
      objectIndex.push_back(i);
    }
    // The file writes texture coordinates for every face, textured or not.
    const COutputMeshOptions options = OutputMeshOptionsFor(m_Doc, nullptr, true);
    bool cancelled = false;
    DerivationProgress progress;
    if (m_Progress) progress = [&](size_t done, size_t total) { return !(cancelled = !m_Progress(done, total)); };
    ForEachOutputMesh(
        objects, options,
        [&](size_t i, const COutputMesh& mesh) {
          if (transaction.Failed() || bin.Failed() || indices.Failed()) return false;
          const CMeshObject& object = *objects[i];
          const std::string name = DecodeName(object.m_strName, m_Doc.m_bUtf8);
          const CGltfMeshResult written =
              WriteGltfMesh(document, bin, indices, mesh, object.m_bSmoothShading != 0, name, meshOptions);
          if (written.tooLarge)
            transaction.Fail(path, "cannot write " + path + ": object " + name + " has too many faces");
          m_nTriangles += written.triangles;
          meshes[objectIndex[i]] = written.mesh;
          return true;
        },
        progress);
    if (cancelled) transaction.Fail(path, "cancelled");
    AddMaterials(document, textures);
    GltfJson sceneNodes = AddObjectNodes(document, meshes, exported);
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
