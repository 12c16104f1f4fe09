// The document's display toggles and the background picture record. The view
// reads them; the main window's toggles and the side panel change them.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace brimvale {

struct CDisplaySettings {
  bool ShowVertices = false;
  bool ShowEdges = false;
  bool ShowFaces = true;
  bool SimpleDisplay = false;
  bool SmoothShading = true;
  bool CullBackFaces = true;  // the toolbar's double-sided display is its inverse
  bool Transparency = true;
  bool ShowGrid = true;
  bool ShowAxes = true;
  float GridSpacing = 50.0f;
  float PointSize = 4.0f;
  float GridColor[3] = {130.0f / 255.0f, 130.0f / 255.0f, 130.0f / 255.0f};
};

struct CBackImage {
  static constexpr int kMaxSide = 512;

  std::string m_strFile;
  float m_fDistance = 9000.0f;
  int m_bShow = 0;
  int m_nWidth = 0;
  int m_nHeight = 0;
  std::vector<uint8_t> m_Pixels;  // red, green, blue bytes, row-major, up to 512 x 512
  bool m_bLoaded = false;
};

}  // namespace brimvale
