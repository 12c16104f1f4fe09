// Texture conversion for the export: the baked pigment (colour texture times
// material colour, opacity in the fourth byte), the JPEG bump map and the grey
// reflection map, each saved as PNG through the export's transaction.
#include "export/pov_image_conversion.h"

#include <unistd.h>

#include <algorithm>
#include <memory>

#include "document/quorix_doc.h"
#include "export/pov_material_paths.h"
#include "image/codec_bridge.h"
#include "image/image_file_reader.h"
#include "image/pixel_image.h"

namespace brimvale {
namespace {

std::unique_ptr<CPixelImage> ReadTrueColour(const std::string& path) {
  auto image = std::make_unique<CPixelImage>();
  if (!ReadImageFile(path, *image) || image->IsEmpty() || !ConvertToTrueColour(*image)) return nullptr;
  return image;
}

// Saves the image as target through the transaction. False (recorded) when the
// PNG cannot be written.
bool SaveThrough(const CPixelImage& image, const std::string& target, CExportTransaction& transaction) {
  std::string temporary;
  const int fd = transaction.CreateTemporary(target, temporary);
  if (fd < 0) return false;
  ::close(fd);
  if (!SavePng(temporary, image, nullptr, 0)) {
    transaction.Discard(temporary);
    transaction.Fail(target, "cannot write " + target + ": the PNG library could not save it");
    return false;
  }
  return transaction.Complete(temporary, target);
}

uint8_t ClampToByte(float value) {
  if (!(value > 0.0f)) return 0;
  return value >= 255.0f ? 255 : static_cast<uint8_t>(value);
}

// Texture times material colour, opacity from the alpha map (or alpha alone).
std::unique_ptr<CPixelImage> Bake(const CMaterial& material, CPixelImage* texture, CPixelImage* alphaMap) {
  const CPixelImage& sizeSource = texture ? *texture : *alphaMap;
  const int width = sizeSource.Width();
  const int height = sizeSource.Height();
  auto baked = std::make_unique<CPixelImage>();
  if (!baked->Create(width, height, 32)) return nullptr;
  if (texture && !texture->Resize(width, height)) return nullptr;
  if (alphaMap && !alphaMap->Resize(width, height)) return nullptr;
  const uint32_t colour[3] = {ColorBlue(material.m_Color), ColorGreen(material.m_Color),
                              ColorRed(material.m_Color)};
  const float alpha = material.m_fAlpha;
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      uint8_t* out = baked->PixelAddress(x, y);
      for (int c = 0; c < 3; ++c) {
        out[c] = texture ? static_cast<uint8_t>(texture->PixelAddress(x, y)[c] * colour[c] / 255u)
                         : static_cast<uint8_t>(colour[c]);
      }
      if (alphaMap) {
        const uint8_t* a = alphaMap->PixelAddress(x, y);
        out[3] = ClampToByte(static_cast<float>(a[0] + a[1] + a[2]) * alpha / 3.0f);
      } else {
        out[3] = ClampToByte(alpha * 255.0f);
      }
    }
  }
  return baked;
}

std::unique_ptr<CPixelImage> GreyCopy(const CPixelImage& source) {
  auto grey = std::make_unique<CPixelImage>();
  const int width = source.Width();
  const int height = source.Height();
  if (!grey->Create(width, height, 24)) return nullptr;
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const uint8_t* p = source.PixelAddress(x, y);
      const uint8_t level = static_cast<uint8_t>((p[0] + p[1] + p[2]) / 3);
      uint8_t* out = grey->PixelAddress(x, y);
      out[0] = out[1] = out[2] = level;
    }
  }
  return grey;
}

}  // namespace

bool ConvertJpegToPng(const std::string& source, const std::string& target, CExportTransaction& transaction) {
  auto image = std::make_unique<CPixelImage>();
  // A grey JPEG comes as an 8-bit image; the PNG writer takes 24 or 32 bits.
  if (!LoadJpeg(source, *image, nullptr, 0) || image->IsEmpty() || !ConvertToTrueColour(*image)) return false;
  return SaveThrough(*image, target, transaction);
}

CPovMaterialMaps PrepareMaterialMaps(CQuorixDoc& doc, const CMaterial& material, int index,
                                     const std::string& base, CExportTransaction& transaction,
                                     std::vector<std::string>& warnings) {
  const CPovMaterialPaths paths = FindMaterialMaps(doc, material, warnings);
  CPovMaterialMaps maps;
  maps.texture = paths.texture;
  maps.bump = paths.bump;
  const std::string number = std::to_string(index);
  const std::string& name = material.m_strName;

  const bool bake = (doc.m_bMegaPov && paths.texture.present && paths.texture.type == 8) ||
                    paths.alpha.present || material.m_fAlpha != 1.0f ||
                    material.m_Color != PackColor(255, 255, 255);
  if (bake) {
    std::unique_ptr<CPixelImage> texture =
        paths.texture.present ? ReadTrueColour(paths.texture.path) : nullptr;
    std::unique_ptr<CPixelImage> alphaMap = paths.alpha.present ? ReadTrueColour(paths.alpha.path) : nullptr;
    if (paths.texture.present && !texture)
      warnings.push_back("material " + name + ": cannot read texture " + paths.texture.path);
    if (paths.alpha.present && !alphaMap)
      warnings.push_back("material " + name + ": cannot read alpha map " + paths.alpha.path);
    // An unreadable texture leaves the plain colour rather than a reference
    // the renderer cannot load.
    maps.texture.present = false;
    if (texture || alphaMap) {
      std::unique_ptr<CPixelImage> baked = Bake(material, texture.get(), alphaMap.get());
      const std::string target = base + "_pig" + number + ".png";
      if (!baked) {
        warnings.push_back("material " + name + ": the texture could not be baked");
      } else if (SaveThrough(*baked, target, transaction)) {
        maps.texture = CPovMapFile{true, 3, target};
      }
    }
  }

  if (doc.m_bMegaPov && paths.bump.present && paths.bump.type == 8) {
    maps.bump.present = false;
    const std::string target = base + "_bump" + number + ".png";
    if (ConvertJpegToPng(paths.bump.path, target, transaction)) {
      maps.bump = CPovMapFile{true, 3, target};
    } else if (!transaction.Failed()) {
      warnings.push_back("material " + name + ": cannot read bump map " + paths.bump.path);
    }
  }

  if (paths.reflection.present) {
    std::unique_ptr<CPixelImage> source = ReadTrueColour(paths.reflection.path);
    std::unique_ptr<CPixelImage> grey = source ? GreyCopy(*source) : nullptr;
    const std::string target = base + "_spec" + number + ".png";
    if (!grey) {
      warnings.push_back("material " + name + ": cannot read reflection map " + paths.reflection.path);
    } else if (SaveThrough(*grey, target, transaction)) {
      maps.reflection = CPovMapFile{true, 3, target};
    }
  }
  return maps;
}

}  // namespace brimvale
