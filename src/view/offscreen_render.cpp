#include "view/offscreen_render.h"

#include <cstring>

#include "image/codec_bridge.h"
#include "image/image_file_reader.h"
#include "image/pixel_image.h"
#include "view/gl_api.h"

namespace brimvale {

COffscreenView::~COffscreenView() {
  if (m_Context.MakeCurrent()) m_Renderer.ReleaseGl();
}

bool COffscreenView::Open(int width, int height) { return m_Context.Create(width, height); }

void COffscreenView::Draw(CQuorixDoc& doc) {
  m_Renderer.DrawFrame(doc, m_Context.Width(), m_Context.Height());
  glFinish();
}

CRgbPicture COffscreenView::Render(CQuorixDoc& doc) {
  m_Renderer.DrawFrame(doc, m_Context.Width(), m_Context.Height());
  CRgbPicture picture;
  picture.width = m_Context.Width();
  picture.height = m_Context.Height();
  picture.pixels = m_Context.ReadPixelsRgb();
  return picture;
}

bool SavePicturePng(const std::string& path, const CRgbPicture& picture) {
  if (picture.width <= 0 || picture.height <= 0 ||
      picture.pixels.size() != static_cast<size_t>(picture.width) * static_cast<size_t>(picture.height) * 3)
    return false;
  CPixelImage image;
  if (!image.Create(picture.width, -picture.height, 24)) return false;
  for (int y = 0; y < picture.height; ++y) {
    const uint8_t* src = picture.pixels.data() + static_cast<size_t>(y) * static_cast<size_t>(picture.width) * 3;
    uint8_t* dst = image.Row(y);
    for (int x = 0; x < picture.width; ++x, src += 3, dst += 3) dst[0] = src[2], dst[1] = src[1], dst[2] = src[0];
  }
  return SavePng(path, image, nullptr, 0);
}

bool LoadPicture(const std::string& path, CRgbPicture& picture) {
  CPixelImage image;
  if (!ReadImageFile(path, image) || image.IsEmpty() || !ConvertToTrueColour(image)) return false;
  picture.width = image.Width();
  picture.height = image.Height();
  picture.pixels.resize(static_cast<size_t>(picture.width) * static_cast<size_t>(picture.height) * 3);
  const int step = image.BitCount() / 8;
  for (int y = 0; y < picture.height; ++y) {
    const uint8_t* src = image.Row(y);
    uint8_t* dst = picture.pixels.data() + static_cast<size_t>(y) * static_cast<size_t>(picture.width) * 3;
    for (int x = 0; x < picture.width; ++x, src += step, dst += 3) dst[0] = src[2], dst[1] = src[1], dst[2] = src[0];
  }
  return true;
}

}  // namespace brimvale
