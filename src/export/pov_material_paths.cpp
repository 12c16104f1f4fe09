#include "export/pov_material_paths.h"

#include "document/quorix_doc.h"
#include "image/texture_lookup.h"

namespace brimvale {
namespace {

void Classify(const std::string& materialName, const char* what, const std::string& name,
              const std::string& path, CPovMapFile& map, std::vector<std::string>& warnings) {
  map.path = path;
  map.present = IsUsableTextureFile(path);
  map.type = map.present ? ImageTypeFromExtension(path) : -1;
  if (map.present || name.empty()) return;
  const bool known = ImageTypeFromExtension(path.empty() ? name : path) != kImageUnknown;
  warnings.push_back("material " + materialName + ": " + what + " " + (path.empty() ? name : path) +
                     (known ? " not found; left out" : " is not an image type the export knows; left out"));
}

}  // namespace

CPovMaterialPaths FindMaterialMaps(const CQuorixDoc& doc, const CMaterial& material,
                                   std::vector<std::string>& warnings) {
  const TextureSearch search{doc.m_strPathName, doc.MetaseqFolder, doc.m_bUtf8};
  CPovMaterialPaths paths;
  const std::string& name = material.m_strName;
  Classify(name, "texture", material.m_strTexture, ResolveTexturePath(material.m_strTexture, search),
           paths.texture, warnings);
  Classify(name, "alpha map", material.m_strAlphaMap, ResolveAlphaPath(material.m_strAlphaMap, search),
           paths.alpha, warnings);
  Classify(name, "bump map", material.m_strBump, ResolveBumpPath(material.m_strBump, search), paths.bump,
           warnings);
  // The reflection name is taken as written, only mapped to a local path.
  std::string reflection;
  if (!material.m_strFourthMap.empty()) {
    reflection = LocalPathFromName(material.m_strFourthMap, doc.m_bUtf8);
    const std::string existing = FindExistingPath(reflection);
    if (!existing.empty()) reflection = existing;
  }
  Classify(name, "reflection map", material.m_strFourthMap, reflection, paths.reflection, warnings);
  return paths;
}

}  // namespace brimvale
