// Drawing a document's view without a window, as the command line and the
// tests do: one offscreen context, one renderer, frames read back as RGB.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "view/offscreen_context.h"
#include "view/view_renderer.h"

namespace brimvale {

class CQuorixDoc;

// An RGB picture, rows from the top, 3 bytes a pixel.
struct CRgbPicture {
  int width = 0;
  int height = 0;
  std::vector<uint8_t> pixels;
};

class COffscreenView {
 public:
  COffscreenView() = default;
  ~COffscreenView();
  COffscreenView(const COffscreenView&) = delete;
  COffscreenView& operator=(const COffscreenView&) = delete;

  // Makes the context; false with Error() when there is no OpenGL to be had.
  bool Open(int width, int height);
  const std::string& Error() const { return m_Context.Error(); }
  bool Resize(int width, int height) { return m_Context.Resize(width, height); }

  // Draws one frame and waits until it is finished.
  void Draw(CQuorixDoc& doc);
  // Draws one frame and reads it back.
  CRgbPicture Render(CQuorixDoc& doc);

  CViewRenderer& Renderer() { return m_Renderer; }
  COffscreenContext& Context() { return m_Context; }

 private:
  COffscreenContext m_Context;
  CViewRenderer m_Renderer;
};

// Writes the picture as a 24-bit PNG through the image layer; nothing is left
// at path on failure.
bool SavePicturePng(const std::string& path, const CRgbPicture& picture);

// Reads a PNG (or any image the readers know) into an RGB picture.
bool LoadPicture(const std::string& path, CRgbPicture& picture);

}  // namespace brimvale
