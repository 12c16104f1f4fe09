// Drawing faces whose material shows corner colours: each corner's colour
// multiplies the material's ambient, diffuse and emitted colours. The corner
// colour becomes the ambient and diffuse material (colour tracking) while the
// lights' ambient and diffuse, and the scene ambient, are scaled by the
// material's (the emission joins the scene ambient), so the lit result is
// their product; highlights stay the material's. The corner's alpha is the
// face's.
#pragma once

namespace brimvale {

class CMaterial;

class CCornerColourLighting {
 public:
  // Call after the material is applied; the corner colours come from the
  // colour array or glColor.
  explicit CCornerColourLighting(const CMaterial& material);
  ~CCornerColourLighting();  // puts the lights back and stops tracking
  CCornerColourLighting(const CCornerColourLighting&) = delete;
  CCornerColourLighting& operator=(const CCornerColourLighting&) = delete;

 private:
  static constexpr int kLights = 3;
  float m_Ambient[kLights][4];
  float m_Diffuse[kLights][4];
  float m_SceneAmbient[4];
};

}  // namespace brimvale
