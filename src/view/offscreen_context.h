// An OpenGL context without a window, for the command line, the tests and the
// benchmarks: EGL on Mesa's surfaceless platform with a pbuffer of the picture
// size, desktop OpenGL in the compatibility profile (the view draws with the
// fixed-function pipeline), RGBA 8 bits a channel and a 24-bit depth buffer
// (32 bits only where 24 is not offered: on Mesa's software rasteriser a
// 32-bit depth buffer leaves polygon offset without effect, and edges drawn
// over faces disappear).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace brimvale {

class COffscreenContext {
 public:
  COffscreenContext() = default;
  ~COffscreenContext();
  COffscreenContext(const COffscreenContext&) = delete;
  COffscreenContext& operator=(const COffscreenContext&) = delete;

  // Creates the context with a width x height drawing surface and makes it
  // current on this thread. False, with Error() saying why, when no display,
  // configuration, context or surface can be had or a side is not 1..16384.
  bool Create(int width, int height);
  // Replaces the drawing surface by one of the new size; the context (and its
  // textures and buffers) stays. Leaves the context current.
  bool Resize(int width, int height);
  bool MakeCurrent();
  void Release();

  int Width() const { return m_nWidth; }
  int Height() const { return m_nHeight; }
  const std::string& Error() const { return m_strError; }
  // "renderer | version" of the context, for messages and benchmark labels.
  std::string Description() const;

  // Finishes drawing and reads the surface as RGB bytes, rows from the top.
  std::vector<uint8_t> ReadPixelsRgb() const;

 private:
  bool Fail(const std::string& message);

  void* m_pDisplay = nullptr;  // EGLDisplay
  void* m_pConfig = nullptr;   // EGLConfig
  void* m_pContext = nullptr;  // EGLContext
  void* m_pSurface = nullptr;  // EGLSurface
  int m_nWidth = 0;
  int m_nHeight = 0;
  std::string m_strError;
};

}  // namespace brimvale
