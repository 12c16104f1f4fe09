// Where a material's four maps are for the export: the texture, alpha and bump
// names resolved as the view resolves them, the reflection name as written. A
// map is present when its file exists and has a known image type.
#pragma once

#include <string>
#include <vector>

namespace brimvale {

class CQuorixDoc;
class CMaterial;

// One map file as the export will name it: whether it is there, its image
// type code and its path.
struct CPovMapFile {
  bool present = false;
  int type = -1;
  std::string path;
};

struct CPovMaterialPaths {
  CPovMapFile texture;
  CPovMapFile alpha;
  CPovMapFile bump;
  CPovMapFile reflection;
};

// A name that is set but not present adds a line to warnings.
CPovMaterialPaths FindMaterialMaps(const CQuorixDoc& doc, const CMaterial& material,
                                   std::vector<std::string>& warnings);

}  // namespace brimvale
