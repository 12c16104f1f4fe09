#include "view/offscreen_context.h"

#include <EGL/egl.h>
#include <EGL/eglext.h>

#include <cstring>

#include "view/gl_api.h"

namespace brimvale {
namespace {

constexpr int kMaxSide = 16384;

EGLDisplay OpenDisplay() {
  // The surfaceless platform needs no window system at all; the default
  // display is the fallback for drivers without it.
  const char* extensions = eglQueryString(EGL_NO_DISPLAY, EGL_EXTENSIONS);
  if (extensions != nullptr && std::strstr(extensions, "EGL_MESA_platform_surfaceless") != nullptr) {
    auto getPlatformDisplay =
        reinterpret_cast<PFNEGLGETPLATFORMDISPLAYEXTPROC>(eglGetProcAddress("eglGetPlatformDisplayEXT"));
    if (getPlatformDisplay != nullptr) {
      EGLDisplay display = getPlatformDisplay(EGL_PLATFORM_SURFACELESS_MESA, EGL_DEFAULT_DISPLAY, nullptr);
      EGLint major = 0, minor = 0;
      if (display != EGL_NO_DISPLAY && eglInitialize(display, &major, &minor)) return display;
    }
  }
  EGLDisplay display = eglGetDisplay(EGL_DEFAULT_DISPLAY);
  EGLint major = 0, minor = 0;
  if (display != EGL_NO_DISPLAY && eglInitialize(display, &major, &minor)) return display;
  return EGL_NO_DISPLAY;
}

bool ChooseConfig(EGLDisplay display, EGLConfig& config) {
  for (EGLint depth : {24, 32}) {
    const EGLint attributes[] = {EGL_SURFACE_TYPE, EGL_PBUFFER_BIT, EGL_RENDERABLE_TYPE, EGL_OPENGL_BIT,
                                 EGL_RED_SIZE, 8, EGL_GREEN_SIZE, 8, EGL_BLUE_SIZE, 8, EGL_ALPHA_SIZE, 8,
                                 EGL_DEPTH_SIZE, depth, EGL_NONE};
    EGLint count = 0;
    if (eglChooseConfig(display, attributes, &config, 1, &count) && count > 0) return true;
  }
  return false;
}

bool ValidSize(int width, int height) { return width >= 1 && height >= 1 && width <= kMaxSide && height <= kMaxSide; }

}  // namespace

COffscreenContext::~COffscreenContext() { Release(); }

bool COffscreenContext::Fail(const std::string& message) {
  m_strError = message;
  Release();
  return false;
}

bool COffscreenContext::Create(int width, int height) {
  Release();
  if (!ValidSize(width, height)) return Fail("picture size must be 1 to 16384 pixels a side");
  EGLDisplay display = OpenDisplay();
  if (display == EGL_NO_DISPLAY) return Fail("no EGL display is available");
  m_pDisplay = display;
  if (!eglBindAPI(EGL_OPENGL_API)) return Fail("EGL offers no desktop OpenGL");
  EGLConfig config = nullptr;
  if (!ChooseConfig(display, config)) return Fail("no EGL configuration with RGBA and depth for pbuffers");
  m_pConfig = config;
  const EGLint contextAttributes[] = {EGL_CONTEXT_OPENGL_PROFILE_MASK, EGL_CONTEXT_OPENGL_COMPATIBILITY_PROFILE_BIT,
                                     EGL_NONE};
  EGLContext context = eglCreateContext(display, config, EGL_NO_CONTEXT, contextAttributes);
  if (context == EGL_NO_CONTEXT) return Fail("cannot create an OpenGL compatibility context");
  m_pContext = context;
  return Resize(width, height);
}

bool COffscreenContext::Resize(int width, int height) {
  if (m_pContext == nullptr) return Create(width, height);
  if (!ValidSize(width, height)) {
    m_strError = "picture size must be 1 to 16384 pixels a side";
    return false;
  }
  EGLDisplay display = static_cast<EGLDisplay>(m_pDisplay);
  const EGLint surfaceAttributes[] = {EGL_WIDTH, width, EGL_HEIGHT, height, EGL_NONE};
  EGLSurface surface = eglCreatePbufferSurface(display, static_cast<EGLConfig>(m_pConfig), surfaceAttributes);
  if (surface == EGL_NO_SURFACE) {
    m_strError = "cannot create a drawing surface of that size";
    return false;
  }
  if (!eglMakeCurrent(display, surface, surface, static_cast<EGLContext>(m_pContext))) {
    eglDestroySurface(display, surface);
    m_strError = "cannot make the OpenGL context current";
    return false;
  }
  if (m_pSurface != nullptr) eglDestroySurface(display, static_cast<EGLSurface>(m_pSurface));
  m_pSurface = surface;
  m_nWidth = width;
  m_nHeight = height;
  return true;
}

bool COffscreenContext::MakeCurrent() {
  if (m_pContext == nullptr) return false;
  return eglMakeCurrent(static_cast<EGLDisplay>(m_pDisplay), static_cast<EGLSurface>(m_pSurface),
                        static_cast<EGLSurface>(m_pSurface), static_cast<EGLContext>(m_pContext)) == EGL_TRUE;
}

void COffscreenContext::Release() {
  if (m_pDisplay == nullptr) return;
  EGLDisplay display = static_cast<EGLDisplay>(m_pDisplay);
  eglMakeCurrent(display, EGL_NO_SURFACE, EGL_NO_SURFACE, EGL_NO_CONTEXT);
  if (m_pSurface != nullptr) eglDestroySurface(display, static_cast<EGLSurface>(m_pSurface));
  if (m_pContext != nullptr) eglDestroyContext(display, static_cast<EGLContext>(m_pContext));
  // The display stays initialised: other contexts of this process may share it.
  m_pSurface = m_pContext = m_pConfig = m_pDisplay = nullptr;
  m_nWidth = m_nHeight = 0;
}

std::string COffscreenContext::Description() const {
  if (m_pContext == nullptr) return std::string();
  const auto* renderer = reinterpret_cast<const char*>(glGetString(GL_RENDERER));
  const auto* version = reinterpret_cast<const char*>(glGetString(GL_VERSION));
  return std::string(renderer ? renderer : "?") + " | " + (version ? version : "?");
}

std::vector<uint8_t> COffscreenContext::ReadPixelsRgb() const {
  std::vector<uint8_t> pixels;
  if (m_pContext == nullptr) return pixels;
  const size_t rowBytes = static_cast<size_t>(m_nWidth) * 3;
  pixels.resize(rowBytes * static_cast<size_t>(m_nHeight));
  glFinish();
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glReadPixels(0, 0, m_nWidth, m_nHeight, GL_RGB, GL_UNSIGNED_BYTE, pixels.data());
  // OpenGL's rows run from the bottom; pictures are stored from the top.
  std::vector<uint8_t> row(rowBytes);
  for (int y = 0; y < m_nHeight / 2; ++y) {
    uint8_t* a = pixels.data() + static_cast<size_t>(y) * rowBytes;
    uint8_t* b = pixels.data() + static_cast<size_t>(m_nHeight - 1 - y) * rowBytes;
    std::memcpy(row.data(), a, rowBytes);
    std::memcpy(a, b, rowBytes);
    std::memcpy(b, row.data(), rowBytes);
  }
  return pixels;
}

}  // namespace brimvale
