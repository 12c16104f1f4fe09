#include "view/material_apply.h"

#include "document/material.h"
#include "view/gl_api.h"
#include "view/gl_cache.h"
#include "view/texture_upload.h"

namespace brimvale {

void ApplyMaterial(const CMaterial& material, CViewGlCache* cache) {
  const float r = static_cast<float>(ColorRed(material.m_Color)) / 255.0f;
  const float g = static_cast<float>(ColorGreen(material.m_Color)) / 255.0f;
  const float b = static_cast<float>(ColorBlue(material.m_Color)) / 255.0f;
  glColor3f(r, g, b);
  const float a = material.m_fAlpha;
  const GLfloat ambient[4] = {r * material.m_fAmbient, g * material.m_fAmbient, b * material.m_fAmbient, a};
  const GLfloat diffuse[4] = {r * material.m_fDiffuse, g * material.m_fDiffuse, b * material.m_fDiffuse, a};
  const GLfloat specular[4] = {material.m_fSpecular, material.m_fSpecular, material.m_fSpecular, 1.0f};
  // Emission adds to the lit colour before the texture modulates it, so a
  // material lit only by its emission still shows its picture.
  const float e = material.m_fEmission;
  const GLfloat emission[4] = {r * e, g * e, b * e, 1.0f};
  glMaterialfv(GL_FRONT_AND_BACK, GL_AMBIENT, ambient);
  glMaterialfv(GL_FRONT_AND_BACK, GL_DIFFUSE, diffuse);
  glMaterialfv(GL_FRONT_AND_BACK, GL_SPECULAR, specular);
  glMaterialfv(GL_FRONT_AND_BACK, GL_EMISSION, emission);
  // OpenGL refuses exponents above 128; such a material keeps its previous one otherwise.
  glMaterialf(GL_FRONT_AND_BACK, GL_SHININESS, material.m_fPower < 0.0f    ? 0.0f
                                               : material.m_fPower > 128.0f ? 128.0f
                                                                            : material.m_fPower);

  const uint8_t* texels = material.IsTextured() ? material.m_TextureBuffer.Texels() : nullptr;
  if (texels == nullptr) {
    glDisable(GL_TEXTURE_2D);
    return;
  }
  glEnable(GL_TEXTURE_2D);
  if (cache != nullptr) {
    cache->BindTexture(material);
  } else {
    UploadTexture(material.m_TextureBuffer);
  }
}

}  // namespace brimvale
