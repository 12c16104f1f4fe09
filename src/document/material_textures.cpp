#include "document/material_textures.h"

namespace brimvale {

// Placeholder until the texture lookup lands: materials keep their names only.
void LoadMaterialTextures(CQuorixDoc&, CMaterial&) {}

}  // namespace brimvale
