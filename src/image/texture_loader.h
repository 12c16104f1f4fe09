// Preparing a material's texture buffer from its colour texture and alpha map
// (paths already resolved). Each loader reads its own temporary image, brings
// it to true colour, scales it to 256 x 256 and transfers it transposed: texel
// (row i, column j) takes the picture's pixel at column i, row j.
#pragma once

#include <cstdint>
#include <string>

#include "image/texture_buffer.h"

namespace brimvale {

struct TextureFlags {
  bool textured = false;          // the buffer holds something to draw
  bool hasColourTexture = false;  // the colour texture was loaded
  bool hasAlpha = false;          // an alpha map was loaded, or the colour texture is not opaque
  bool alphaMapLoaded = false;
};

// Loads the colour texture; false (buffer untouched) when the file is not
// usable or its reader fails. translucent tells whether any texel of a 32-bit
// texture is less than opaque.
bool LoadColourTexture(const std::string& path, CTextureBuffer& buffer, bool& translucent);

// Loads the alpha map: texel alpha = mean of the pixel's three colour bytes.
// Without a colour texture the texels first take the material colour (red in
// the lowest byte).
bool LoadAlphaMap(const std::string& path, uint32_t materialColour, bool hasColourTexture, CTextureBuffer& buffer);

// Both steps; a buffer that ends up with nothing loaded is released.
TextureFlags LoadTextures(const std::string& texturePath, const std::string& alphaPath, uint32_t materialColour,
                          CTextureBuffer& buffer);

}  // namespace brimvale
