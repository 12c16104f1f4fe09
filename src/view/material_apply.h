// Applying a material for drawing: current colour, front-and-back material
// from its colour and factors, and its texture when it has one.
#pragma once

namespace brimvale {

class CMaterial;
class CViewGlCache;

// Sets glColor, the material's ambient, diffuse, specular, emission (colour x
// emission) and shininess, and turns texturing on with the material's texels
// bound (full size, mipmapped), or off when it has none. With a cache the
// texels are uploaded into the material's texture object only when they
// changed; without one they are uploaded into the default texture at every
// call.
void ApplyMaterial(const CMaterial& material, CViewGlCache* cache);

}  // namespace brimvale
