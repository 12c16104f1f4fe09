// One material of a document. Its position in the document's material list is
// the index that faces store.
#pragma once

#include <cstdint>
#include <string>

#include "document/color.h"

namespace brimvale {

class CMaterial {
 public:
  std::string m_strName;
  uint32_t m_Color = PackColor(255, 255, 255);
  // Texture preparation state (whether the maps are loaded, and their bindings).
  int m_TextureState[7] = {0, 0, -1, 0, 0, 0, 0};
  float m_fAlpha = 1.0f;
  float m_fDiffuse = 0.6f;
  float m_fAmbient = 0.25f;
  float m_fEmission = 0.0f;
  float m_fSpecular = 0.0f;
  float m_fPower = 0.0f;
  std::string m_strTexture;    // colour map file name, as read
  std::string m_strBump;       // bump map file name
  std::string m_strAlphaMap;   // transparency map file name
  std::string m_strFourthMap;  // set by the side panel, read by the export
  int m_bCurrent = 0;
};

}  // namespace brimvale
