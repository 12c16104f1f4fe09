// The document's materials as glTF metallic-roughness materials, followed
// where needed by the default material of faces without one.
//
// How a material maps (colours converted from sRGB to linear):
//   baseColorFactor   colour x diffuse, alpha as the fourth component
//   baseColorTexture  the texture, with the alpha map baked in
//   emissiveFactor    colour x emission (left out when emission is 0)
//   emissiveTexture   the same texture as the base colour, so a material lit
//                     by its emission shows its picture, as the view draws it
//   roughnessFactor   from the highlight exponent; metallicFactor 0
//   alphaMode         BLEND when alpha < 1 or a map is translucent
// Under a neutral white light of strength 1 this gives the brightness the view
// shows: diffuse-lit colour plus emission, both modulated by the texture.
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

// Adds the document's materials numbered in `materials`, in that order;
// textures that load are saved through textures (shared between materials
// naming the same maps). A named map that is missing, unreadable or not
// exported (bump maps) adds a line to warnings.
void AddGltfMaterials(CGltfDocument& document, const CQuorixDoc& doc, const std::vector<int>& materials,
                      CGltfTextureWriter& textures, std::vector<std::string>& warnings);

// The material of faces that name none: white, as the view draws them.
GltfJson DefaultGltfMaterial();

}  // namespace brimvale
