#include "view/back_image.h"

#include <algorithm>
#include <cctype>

#include "foundation/float_math.h"
#include "foundation/matrix4.h"
#include "image/image_file_reader.h"
#include "image/pixel_image.h"
#include "scene/camera.h"
#include "view/gl_api.h"

namespace brimvale {
namespace {

constexpr int kSide = CBackImage::kMaxSide;

std::string LowerTail(const std::string& path, size_t n) {
  std::string tail = path.substr(path.size() - n);
  for (char& c : tail) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return tail;
}

}  // namespace

int ImageTypeOf(const std::string& path) {
  if (path.size() < 4) return -1;
  const std::string three = LowerTail(path, 3);
  if (three == "bmp") return 1;
  if (three == "tga") return 2;
  if (three == "png") return 3;
  if (three == "ppm") return 4;
  if (three == "pgm") return 5;
  if (three == "jpg" || LowerTail(path, 4) == "jpeg") return 8;
  return -1;
}

bool LoadBackImage(CBackImage& back) {
  back.m_Pixels.clear();
  back.m_Pixels.shrink_to_fit();
  back.m_bLoaded = false;
  if (back.m_strFile.empty()) return false;
  const int type = ImageTypeOf(back.m_strFile);
  if (type < 0) return false;
  CPixelImage image;
  if (!ReadImageFile(back.m_strFile, image) || image.IsEmpty() || !ConvertToTrueColour(image)) return false;
  back.m_Pixels.assign(static_cast<size_t>(kSide) * kSide * 3, 255);
  back.m_bLoaded = true;
  back.m_nWidth = image.Width();
  back.m_nHeight = image.Height();
  image.Resize(kSide, kSide);  // on failure the cells beyond the picture stay white
  const int width = image.Width();
  const int height = image.Height();
  for (int i = 0; i < kSide && i < width; ++i) {
    for (int j = 0; j < kSide && j < height; ++j) {
      uint8_t* cell = &back.m_Pixels[(static_cast<size_t>(i) * kSide + static_cast<size_t>(j)) * 3];
      const uint8_t* p = image.PixelAddress(i, j);
      cell[0] = p[2], cell[1] = p[1], cell[2] = p[0];
    }
  }
  return true;
}

void DrawBackImage(const CBackImage& back, const CScene& camera) {
  if (!back.m_bShow || !back.m_bLoaded || back.m_Pixels.size() < static_cast<size_t>(kSide) * kSide * 3) return;
  glDisable(GL_LIGHTING);
  glEnable(GL_TEXTURE_2D);
  glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
  glBindTexture(GL_TEXTURE_2D, 0);
  // Sampling state as the objects' step sets it, so that the very first frame
  // of a fresh context (mipmapped minification by default) shows the picture too.
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
  glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
  glTexImage2D(GL_TEXTURE_2D, 0, GL_RGB, kSide, kSide, 0, GL_RGB, GL_UNSIGNED_BYTE, back.m_Pixels.data());

  const float D = back.m_fDistance;
  const float x = TanF(DegToRad(camera.m_fAngle / 2.0f)) * D;
  const float y = x * kFrameHeightUnits / kFrameWidthUnits;
  CMatrix4 placement;
  placement.Scale(x, y, 1.0f);
  placement.Translate(0.0f, 0.0f, D);
  placement.RotateX(CameraPitch(camera));
  placement.RotateY(CameraHead(camera));
  placement.Translate(camera.m_vPosition.x, camera.m_vPosition.y, camera.m_vPosition.z);
  const CVector3 corners[4] = {{-1.0f, -1.0f, 0.0f}, {-1.0f, 1.0f, 0.0f}, {1.0f, 1.0f, 0.0f}, {1.0f, -1.0f, 0.0f}};
  const GLfloat texCoords[4][2] = {{1.0f, 0.0f}, {0.0f, 0.0f}, {0.0f, 1.0f}, {1.0f, 1.0f}};
  glBegin(GL_QUADS);
  for (int k = 0; k < 4; ++k) {
    CVector3 p = corners[k];
    p.Transform(placement);
    glTexCoord2fv(texCoords[k]);
    glVertex3f(p.x, p.y, p.z);
  }
  glEnd();
  glDisable(GL_TEXTURE_2D);
}

}  // namespace brimvale
