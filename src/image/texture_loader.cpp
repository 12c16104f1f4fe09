#include "image/texture_loader.h"

#include "image/image_file_reader.h"
#include "image/pixel_image.h"
#include "image/texture_lookup.h"

namespace brimvale {
namespace {

// Reads and widens to true colour.
bool ReadPicture(const std::string& path, CPixelImage& image) {
  if (!IsUsableTextureFile(path)) return false;
  if (!ReadImageFile(path, image) || image.IsEmpty()) return false;
  return ConvertToTrueColour(image);
}

// Reads the picture and scales it to the buffer's size, allocating the buffer
// for the picture first unless keepSize says the buffer's size stands. The
// image may keep another size only when scaling failed.
bool PrepareImage(const std::string& path, CPixelImage& image, CTextureBuffer& buffer, bool keepSize,
                  size_t budgetBytes) {
  if (!ReadPicture(path, image)) return false;
  if (!keepSize || !buffer.IsAllocated()) {
    int rows = 0, columns = 0;
    TextureSize(image.Width(), image.Height(), budgetBytes, rows, columns);
    if (!buffer.Ensure(rows, columns)) return false;
  }
  image.Resize(buffer.Rows(), buffer.Columns());
  return true;
}

bool Inside(const CPixelImage& image, int x, int y) { return x < image.Width() && y < image.Height(); }

}  // namespace

void TextureSize(int width, int height, size_t budgetBytes, int& rows, int& columns) {
  constexpr int kLeast = CTextureBuffer::kSize;
  rows = width > kLeast ? width : kLeast;
  columns = height > kLeast ? height : kLeast;
  const auto over = [&] {
    return rows > CTextureBuffer::kMaxSide || columns > CTextureBuffer::kMaxSide ||
           static_cast<size_t>(rows) * static_cast<size_t>(columns) * 4 > budgetBytes;
  };
  while (over() && (rows > kLeast || columns > kLeast)) {
    rows = rows / 2 > kLeast ? rows / 2 : kLeast;
    columns = columns / 2 > kLeast ? columns / 2 : kLeast;
  }
}

bool LoadColourTexture(const std::string& path, CTextureBuffer& buffer, bool& translucent, size_t budgetBytes) {
  translucent = false;
  CPixelImage image;
  if (!PrepareImage(path, image, buffer, false, budgetBytes)) return false;
  const bool withAlpha = image.BitCount() == 32;
  for (int i = 0; i < buffer.Rows(); ++i) {
    for (int j = 0; j < buffer.Columns(); ++j) {
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
  buffer.Touch();
  return true;
}

bool LoadAlphaMap(const std::string& path, uint32_t materialColour, bool hasColourTexture, CTextureBuffer& buffer,
                  size_t budgetBytes) {
  CPixelImage image;
  // Over a colour texture the map takes the texture's size.
  if (!PrepareImage(path, image, buffer, hasColourTexture, budgetBytes)) return false;
  if (!hasColourTexture) {
    for (int i = 0; i < buffer.Rows(); ++i) {
      for (int j = 0; j < buffer.Columns(); ++j) {
        uint8_t* texel = buffer.Texel(i, j);
        texel[0] = static_cast<uint8_t>(materialColour & 0xFF);
        texel[1] = static_cast<uint8_t>((materialColour >> 8) & 0xFF);
        texel[2] = static_cast<uint8_t>((materialColour >> 16) & 0xFF);
      }
    }
  }
  for (int i = 0; i < buffer.Rows(); ++i) {
    for (int j = 0; j < buffer.Columns(); ++j) {
      uint8_t* texel = buffer.Texel(i, j);
      if (!Inside(image, i, j)) {
        texel[3] = 255;
        continue;
      }
      const uint8_t* pixel = image.PixelAddress(i, j);
      texel[3] = static_cast<uint8_t>((pixel[0] + pixel[1] + pixel[2]) / 3);
    }
  }
  buffer.Touch();
  return true;
}

TextureFlags LoadTextures(const std::string& texturePath, const std::string& alphaPath, uint32_t materialColour,
                          CTextureBuffer& buffer, size_t budgetBytes) {
  TextureFlags flags;
  bool translucent = false;
  if (LoadColourTexture(texturePath, buffer, translucent, budgetBytes)) {
    flags.textured = true;
    flags.hasColourTexture = true;
  }
  if (LoadAlphaMap(alphaPath, materialColour, flags.hasColourTexture, buffer, budgetBytes)) {
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
