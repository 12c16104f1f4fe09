// One material of a document. Its position in the document's material list is
// the index that faces store.
#pragma once

#include <cstdint>
#include <string>

#include "document/color.h"
#include "image/texture_buffer.h"

namespace brimvale {

class CMaterial {
 public:
  std::string m_strName;
  uint32_t m_Color = PackColor(255, 255, 255);
  // Texture preparation state (whether the maps are loaded, and their bindings);
  // the last three words are the textured, has-colour-texture and has-alpha flags.
  int m_TextureState[7] = {0, 0, -1, 0, 0, 0, 0};
  float m_fAlpha = 1.0f;
  float m_fDiffuse = 0.6f;
  float m_fAmbient = 0.25f;
  float m_fEmission = 0.0f;
  float m_fSpecular = 0.0f;
  float m_fPower = 0.0f;
  int m_bVertexColour = 0;     // vcol(1): the faces' corner colours are drawn
  std::string m_strTexture;    // colour map file name, as read
  std::string m_strBump;       // bump map file name
  std::string m_strAlphaMap;   // transparency map file name
  std::string m_strFourthMap;  // set by the side panel, read by the export
  int m_bCurrent = 0;

  // Where the texture lookup found the three maps (empty when unnamed) and
  // whether the alpha map was read.
  std::string m_strTexturePath;
  std::string m_strAlphaPath;
  std::string m_strBumpPath;
  bool m_bAlphaMapLoaded = false;

  bool IsTextured() const { return m_TextureState[4] != 0; }
  bool HasColourTexture() const { return m_TextureState[5] != 0; }
  bool HasAlpha() const { return m_TextureState[6] != 0; }
  // The 256 x 256 RGBA texels the view uploads (allocated while textured).
  CTextureBuffer m_TextureBuffer;
};

}  // namespace brimvale
