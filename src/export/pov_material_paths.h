// Where a material's four maps are for the export: the texture, alpha and bump
// names resolved as the view resolves them, the reflection name as written. A
// map is present when its file exists and has a known image type.
#pragma once

#include <string>
#include <vector>

namespace brimvale {

class CQuorixDoc;
class CMaterial;

struct CPovMaterialPaths {
  bool hasTexture = false;
  int textureType = -1;
  std::string texturePath;
  bool hasAlpha = false;
  int alphaType = -1;
  std::string alphaPath;
  bool hasBump = false;
  int bumpType = -1;
  std::string bumpPath;
  bool hasReflection = false;
  int reflectionType = -1;
  std::string reflectionPath;
};

// A name that is set but not present adds a line to warnings.
CPovMaterialPaths FindMaterialMaps(const CQuorixDoc& doc, const CMaterial& material,
                                   std::vector<std::string>& warnings);

}  // namespace brimvale
