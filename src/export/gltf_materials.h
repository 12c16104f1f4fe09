// The document's materials as glTF metallic-roughness materials, in the
// document's order (so a face's material index is the glTF index), followed
// where needed by the default material of faces without one.
#pragma once

#include <string>
#include <vector>

#include "export/gltf_document.h"
#include "export/gltf_textures.h"

namespace brimvale {

class CQuorixDoc;
class CMaterial;

// sRGB byte to linear intensity (the standard transfer curve).
float SrgbByteToLinear(unsigned byte);

// The highlight exponent as roughness: sqrt(2 / (power + 2)), the usual match
// of a Phong exponent to a microfacet roughness. Power 0 (or less) gives 1,
// 5 about 0.53, 100 about 0.14: a sharper highlight is a smoother surface.
float RoughnessFromPower(float power);

// One material without its texture (a texture index of -1 leaves it out).
// translucent says an alpha map or a translucent texture applies.
GltfJson GltfMaterialOf(const CMaterial& material, const std::string& name, int texture, bool translucent);

// Adds every material of the document; textures that load are saved through
// textures. A named map that is missing, unreadable or not exported (bump
// maps) adds a line to warnings.
void AddGltfMaterials(CGltfDocument& document, const CQuorixDoc& doc, CGltfTextureWriter& textures,
                      std::vector<std::string>& warnings);

// The material of faces that name none: white, as the view draws them.
GltfJson DefaultGltfMaterial();

}  // namespace brimvale
