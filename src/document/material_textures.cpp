#include "document/material_textures.h"

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

}  // namespace brimvale
