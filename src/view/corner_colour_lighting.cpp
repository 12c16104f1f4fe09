#include "view/corner_colour_lighting.h"

#include "document/material.h"
#include "view/gl_api.h"

namespace brimvale {
namespace {

void Scaled(const float in[4], const float by[3], float out[4]) {
  for (int i = 0; i < 3; ++i) out[i] = in[i] * by[i];
  out[3] = in[3];
}

}  // namespace

CCornerColourLighting::CCornerColourLighting(const CMaterial& material) {
  const float colour[3] = {static_cast<float>(ColorRed(material.m_Color)) / 255.0f,
                           static_cast<float>(ColorGreen(material.m_Color)) / 255.0f,
                           static_cast<float>(ColorBlue(material.m_Color)) / 255.0f};
  float ambient[3], diffuse[3];
  for (int i = 0; i < 3; ++i) {
    ambient[i] = colour[i] * material.m_fAmbient;
    diffuse[i] = colour[i] * material.m_fDiffuse;
  }
  float scaled[4];
  for (int i = 0; i < kLights; ++i) {
    const auto light = static_cast<GLenum>(GL_LIGHT0 + i);
    glGetLightfv(light, GL_AMBIENT, m_Ambient[i]);
    glGetLightfv(light, GL_DIFFUSE, m_Diffuse[i]);
    Scaled(m_Ambient[i], ambient, scaled);
    glLightfv(light, GL_AMBIENT, scaled);
    Scaled(m_Diffuse[i], diffuse, scaled);
    glLightfv(light, GL_DIFFUSE, scaled);
  }
  // The emission (colour x emission) is tinted too: it joins the scene
  // ambient, which the tracked ambient multiplies, and the material's own is
  // cleared (the next material sets it again).
  glGetFloatv(GL_LIGHT_MODEL_AMBIENT, m_SceneAmbient);
  Scaled(m_SceneAmbient, ambient, scaled);
  for (int i = 0; i < 3; ++i) scaled[i] += colour[i] * material.m_fEmission;
  glLightModelfv(GL_LIGHT_MODEL_AMBIENT, scaled);
  const GLfloat noEmission[4] = {0.0f, 0.0f, 0.0f, 1.0f};
  glMaterialfv(GL_FRONT_AND_BACK, GL_EMISSION, noEmission);
  glColorMaterial(GL_FRONT_AND_BACK, GL_AMBIENT_AND_DIFFUSE);
  glEnable(GL_COLOR_MATERIAL);
}

CCornerColourLighting::~CCornerColourLighting() {
  glDisable(GL_COLOR_MATERIAL);
  for (int i = 0; i < kLights; ++i) {
    const auto light = static_cast<GLenum>(GL_LIGHT0 + i);
    glLightfv(light, GL_AMBIENT, m_Ambient[i]);
    glLightfv(light, GL_DIFFUSE, m_Diffuse[i]);
  }
  glLightModelfv(GL_LIGHT_MODEL_AMBIENT, m_SceneAmbient);
}

}  // namespace brimvale
