// Loading a material's texture, alpha and bump maps from the folders the
// document knows (the document's own folder and the Metasequoia folder's
// Metaseq.ini). The reader calls it for every material it creates.
#pragma once

#include <string>
#include <vector>

namespace brimvale {

class CQuorixDoc;
class CMaterial;

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
