// Preparing a material's texture buffer from its colour texture and alpha map
// (paths already resolved). Each loader reads its own temporary image, brings
// it to true colour, scales it to the buffer's size (256 x 256 for pictures no
// larger, else the picture's own size within the limits below) and transfers
// it transposed: texel (row i, column j) takes the picture's pixel at column
// i, row j.
#pragma once

#include <cstddef>
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

// No budget: only the side limit applies.
inline constexpr size_t kNoTextureBudget = ~size_t{0};

// The buffer size for a width x height picture: rows = width and columns =
// height, each at least 256; both halved together while a side exceeds
// CTextureBuffer::kMaxSide or the texels exceed budgetBytes, never below 256.
void TextureSize(int width, int height, size_t budgetBytes, int& rows, int& columns);

// Loads the colour texture at its size (TextureSize); false (buffer untouched)
// when the file is not usable or its reader fails. translucent tells whether
// any texel of a 32-bit texture is less than opaque.
bool LoadColourTexture(const std::string& path, CTextureBuffer& buffer, bool& translucent,
                       size_t budgetBytes = kNoTextureBudget);

// Loads the alpha map: texel alpha = mean of the pixel's three colour bytes,
// the map scaled to the colour texture's size when there is one. Without a
// colour texture the texels first take the material colour (red in the
// lowest byte).
bool LoadAlphaMap(const std::string& path, uint32_t materialColour, bool hasColourTexture, CTextureBuffer& buffer,
                  size_t budgetBytes = kNoTextureBudget);

// Both steps; a buffer that ends up with nothing loaded is released.
TextureFlags LoadTextures(const std::string& texturePath, const std::string& alphaPath, uint32_t materialColour,
                          CTextureBuffer& buffer, size_t budgetBytes = kNoTextureBudget);

}  // namespace brimvale
