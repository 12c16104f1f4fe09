#include "document/material_textures.h"

#include <algorithm>

#include "document/material.h"
#include "document/quorix_doc.h"
#include "image/texture_loader.h"
#include "image/texture_lookup.h"

namespace brimvale {

size_t TextureBudgetLeft(const CQuorixDoc& doc, const CMaterial& material) {
  size_t used = 0;
  for (const auto& other : doc.m_Materials)
    if (other.get() != &material) used += other->m_TextureBuffer.Bytes();
  return used < kTextureBudgetBytes ? kTextureBudgetBytes - used : 0;
}

void LoadMaterialTextures(CQuorixDoc& doc, CMaterial& material) {
  const TextureSearch search{doc.m_strPathName, doc.MetaseqFolder, doc.m_bUtf8};
  material.m_strTexturePath = ResolveTexturePath(material.m_strTexture, search);
  material.m_strAlphaPath = ResolveAlphaPath(material.m_strAlphaMap, search);
  material.m_strBumpPath = ResolveBumpPath(material.m_strBump, search);
  const TextureFlags flags =
      LoadTextures(material.m_strTexturePath, material.m_strAlphaPath, material.m_Color, material.m_TextureBuffer,
                   TextureBudgetLeft(doc, material));
  material.m_TextureState[4] = flags.textured ? 1 : 0;
  material.m_TextureState[5] = flags.hasColourTexture ? 1 : 0;
  material.m_TextureState[6] = flags.hasAlpha ? 1 : 0;
  material.m_bAlphaMapLoaded = flags.alphaMapLoaded;
}

std::vector<CMissingTexture> MissingTextures(const CQuorixDoc& doc) {
  std::vector<CMissingTexture> missing;
  const TextureSearch search{doc.m_strPathName, doc.MetaseqFolder, doc.m_bUtf8};
  for (int i = 0; i < doc.MaterialCount(); ++i) {
    const CMaterial& material = *doc.Material(i);
    if (material.m_strTexture.empty() || material.HasColourTexture()) continue;
    CMissingTexture entry{i, material.m_strTexture, {}};
    // The lookup's own order: the name as given, beside the model, then the
    // Metasequoia texture folder (the resolved path when nothing was found).
    const std::string local = LocalPathFromName(material.m_strTexture, doc.m_bUtf8);
    const std::string folder = DocumentFolder(doc.m_strPathName);
    // A relative resolved path means no texture folder was configured: nothing more was tried.
    const std::string& resolved = material.m_strTexturePath;
    for (const std::string& path : {local.starts_with('/') ? local : std::string(), folder + local,
                                    resolved.starts_with('/') ? resolved : std::string()}) {
      if (!path.empty() && std::find(entry.triedPaths.begin(), entry.triedPaths.end(), path) == entry.triedPaths.end())
        entry.triedPaths.push_back(path);
    }
    missing.push_back(std::move(entry));
  }
  return missing;
}

}  // namespace brimvale
