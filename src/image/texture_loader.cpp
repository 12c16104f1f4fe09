#include "image/texture_loader.h"

#include "image/image_file_reader.h"
#include "image/pixel_image.h"
#include "image/texture_lookup.h"

namespace brimvale {
namespace {

// Reads, widens to true colour and scales to the buffer's size. The image may
// keep another size only when scaling failed.
bool PrepareImage(const std::string& path, CPixelImage& image) {
  if (!IsUsableTextureFile(path)) return false;
  if (!ReadImageFile(path, image) || image.IsEmpty()) return false;
  if (!ConvertToTrueColour(image)) return false;
  image.Resize(CTextureBuffer::kSize, CTextureBuffer::kSize);
  return true;
}

bool Inside(const CPixelImage& image, int x, int y) { return x < image.Width() && y < image.Height(); }

}  // namespace

bool LoadColourTexture(const std::string& path, CTextureBuffer& buffer, bool& translucent) {
  translucent = false;
  CPixelImage image;
  if (!PrepareImage(path, image) || !buffer.Ensure()) return false;
  const bool withAlpha = image.BitCount() == 32;
  for (int i = 0; i < CTextureBuffer::kSize; ++i) {
    for (int j = 0; j < CTextureBuffer::kSize; ++j) {
      uint8_t* texel = buffer.Texel(i, j);
      if (!Inside(image, i, j)) {
        texel[0] = texel[1] = texel[2] = texel[3] = 255;
        continue;
      }
      const uint8_t* pixel = image.PixelAddress(i, j);
      texel[0] = pixel[2];
      texel[1] = pixel[1];
      texel[2] = pixel[0];
      texel[3] = withAlpha ? pixel[3] : 255;
      if (texel[3] != 255) translucent = true;
    }
  }
  return true;
}

bool LoadAlphaMap(const std::string& path, uint32_t materialColour, bool hasColourTexture, CTextureBuffer& buffer) {
  CPixelImage image;
  if (!PrepareImage(path, image) || !buffer.Ensure()) return false;
  if (!hasColourTexture) {
    for (int i = 0; i < CTextureBuffer::kSize; ++i) {
      for (int j = 0; j < CTextureBuffer::kSize; ++j) {
        uint8_t* texel = buffer.Texel(i, j);
        texel[0] = static_cast<uint8_t>(materialColour & 0xFF);
        texel[1] = static_cast<uint8_t>((materialColour >> 8) & 0xFF);
        texel[2] = static_cast<uint8_t>((materialColour >> 16) & 0xFF);
      }
    }
  }
  for (int i = 0; i < CTextureBuffer::kSize; ++i) {
    for (int j = 0; j < CTextureBuffer::kSize; ++j) {
      uint8_t* texel = buffer.Texel(i, j);
      if (!Inside(image, i, j)) {
        texel[3] = 255;
        continue;
      }
      const uint8_t* pixel = image.PixelAddress(i, j);
      texel[3] = static_cast<uint8_t>((pixel[0] + pixel[1] + pixel[2]) / 3);
    }
  }
  return true;
}

TextureFlags LoadTextures(const std::string& texturePath, const std::string& alphaPath, uint32_t materialColour,
                          CTextureBuffer& buffer) {
  TextureFlags flags;
  bool translucent = false;
  if (LoadColourTexture(texturePath, buffer, translucent)) {
    flags.textured = true;
    flags.hasColourTexture = true;
  }
  if (LoadAlphaMap(alphaPath, materialColour, flags.hasColourTexture, buffer)) {
    flags.textured = true;
    flags.alphaMapLoaded = true;
  }
  // A colour texture with see-through texels needs blending as much as an
  // alpha map does.
  flags.hasAlpha = flags.alphaMapLoaded || translucent;
  if (!flags.textured) buffer.Release();
  return flags;
}

}  // namespace brimvale
