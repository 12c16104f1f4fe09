// Loading a material's texture, alpha and bump maps from the folders the
// document knows (the document's own folder and the Metasequoia folder's
// Metaseq.ini). The reader calls it for every material it creates.
//
// Textures keep their own size (see texture_loader.h) while all of a
// document's texture buffers together stay within kTextureBudgetBytes; a
// texture that would pass it is loaded at half size, and so on down to
// 256 x 256, which every texture may have. The view's copies in the graphics
// driver take about 4/3 of this again with their mipmaps.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace brimvale {

class CQuorixDoc;
class CMaterial;

inline constexpr size_t kTextureBudgetBytes = size_t{256} << 20;

// The budget left for this material's texture beside the others' buffers.
size_t TextureBudgetLeft(const CQuorixDoc& doc, const CMaterial& material);

void LoadMaterialTextures(CQuorixDoc& doc, CMaterial& material);

// A colour texture a material names that could not be loaded, and the paths
// tried for it (so a user can see where to put the file).
struct CMissingTexture {
  int material = 0;  // index in the document's list
  std::string name;  // as the file names it
  std::vector<std::string> triedPaths;
};

// The document's missing colour textures, in material order.
std::vector<CMissingTexture> MissingTextures(const CQuorixDoc& doc);
}  // namespace brimvale
