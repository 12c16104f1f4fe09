#include "view/view_renderer.h"

#include "document/quorix_doc.h"
#include "scene/camera.h"
#include "scene/depth_range.h"
#include "scene/derived_geometry.h"
#include "view/back_image.h"
#include "view/gl_api.h"
#include "view/grid_drawing.h"
#include "view/object_drawing.h"

namespace brimvale {
namespace {

const GLfloat kLightAmbient[4] = {0.4f, 0.4f, 0.4f, 1.0f};
const GLfloat kLightDiffuse[4] = {0.8f, 0.8f, 0.8f, 1.0f};
const GLfloat kLightSpecular[4] = {0.6f, 0.6f, 0.6f, 1.0f};
const GLfloat kObjectAmbientDiffuse[4] = {1.0f, 1.0f, 1.0f, 1.0f};
const GLfloat kObjectSpecular[4] = {0.4f, 0.4f, 0.4f, 1.0f};

void SetUpProjection(const CScene& camera, int w, int h, const CDepthRange& depth) {
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  if (camera.m_bPerspective) {
    gluPerspective(static_cast<double>(VerticalAngle(camera, w, h)),
                   static_cast<double>(w) / static_cast<double>(h), depth.zNear, depth.zFar);
  } else {
    const CVector3 size = ViewPlaneSize(camera, static_cast<float>(w), static_cast<float>(h), w, h,
                                        CameraDistance(camera));
    const double hx = static_cast<double>(size.x) / 2.0;
    const double hy = static_cast<double>(size.y) / 2.0;
    glOrtho(-hx, hx, -hy, hy, depth.zNear, depth.zFar);
  }
}

void SetUpCamera(const CScene& camera) {
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  const CVector3& p = camera.m_vPosition;
  const CVector3& t = camera.m_vLookAt;
  const CVector3 up = UpVector(camera);
  gluLookAt(static_cast<double>(p.x), static_cast<double>(p.y), static_cast<double>(-p.z),
            static_cast<double>(t.x), static_cast<double>(t.y), static_cast<double>(-t.z),
            static_cast<double>(up.x), static_cast<double>(up.y), static_cast<double>(-up.z));
  // Document coordinates are left-handed (z into the screen).
  glScalef(1.0f, 1.0f, -1.0f);
}

void SetUpLights(const CQuorixDoc& doc) {
  for (int i = 0; i < 3; ++i) {
    const GLenum light = static_cast<GLenum>(GL_LIGHT0 + i);
    const CVector3& d = doc.m_vDefaultLight[i];
    const GLfloat position[4] = {d.x, d.y, d.z, 0.0f};
    glLightfv(light, GL_AMBIENT, kLightAmbient);
    glLightfv(light, GL_DIFFUSE, kLightDiffuse);
    glLightfv(light, GL_SPECULAR, kLightSpecular);
    glLightfv(light, GL_POSITION, position);
    glEnable(light);
  }
  glEnable(GL_LIGHTING);
}

void SetBlending(bool on) {
  if (on) {
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
  } else {
    glDisable(GL_BLEND);
  }
}

// The Z axis lies on a grid line, whose depth differs from the axis's by
// rounding alone: a depth range drawn a hair nearer lets the axes win over
// the lines they coincide with, and over nothing a visible distance in front.
constexpr double kAxisDepthFar = 0.9999;

void DrawAxes() {
  glDisable(GL_LIGHTING);
  glDepthRange(0.0, kAxisDepthFar);
  glPushMatrix();
  glScalef(50.0f, 50.0f, 50.0f);
  glBegin(GL_LINES);
  glColor3f(1.0f, 0.0f, 0.0f);
  glVertex3f(0.0f, 0.0f, 0.0f);
  glVertex3f(1.0f, 0.0f, 0.0f);
  glColor3f(0.0f, 1.0f, 0.0f);
  glVertex3f(0.0f, 0.0f, 0.0f);
  glVertex3f(0.0f, 1.0f, 0.0f);
  glColor3f(0.0f, 0.0f, 1.0f);
  glVertex3f(0.0f, 0.0f, 0.0f);
  glVertex3f(0.0f, 0.0f, 1.0f);
  glEnd();
  glPopMatrix();
  glDepthRange(0.0, 1.0);
}

void SetUpObjectState() {
  glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_REPEAT);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_REPEAT);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
  glDisable(GL_TEXTURE_2D);
  glMaterialfv(GL_FRONT_AND_BACK, GL_AMBIENT_AND_DIFFUSE, kObjectAmbientDiffuse);
  glMaterialfv(GL_FRONT_AND_BACK, GL_SPECULAR, kObjectSpecular);
  glEnable(GL_NORMALIZE);
}

// Translucent bands outside the 4:3 area that the export renders.
void DrawFrameMask(int w, int h) {
  // Unlit whatever was drawn before (with no objects, grid or axes the
  // lighting of the scene set-up would still be on).
  glDisable(GL_LIGHTING);
  glDisable(GL_TEXTURE_2D);
  glDisable(GL_DEPTH_TEST);
  SetBlending(true);
  glViewport(0, 0, w, h);
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  glOrtho(-w, w, -h, h, 5.0, 10000000.0);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  gluLookAt(0.0, 0.0, 40.0, 0.0, 0.0, 0.0, 0.0, 1.0, 0.0);
  glScalef(1.0f, 1.0f, -1.0f);
  if (w == 0 || h == 0) return;
  const float fw = static_cast<float>(w);
  const float fh = static_cast<float>(h);
  const float z = -40.0f + 5.0f + 0.3f;
  glColor4f(0.5f, 0.5f, 1.0f, 0.5f);
  glBegin(GL_QUADS);
  if (WiderThanFrame(fw, fh)) {
    const float x0 = fh * kFrameWidthUnits / kFrameHeightUnits;
    glVertex3f(-1.5f * fw, -1.5f * fh, z), glVertex3f(-x0, -1.5f * fh, z);
    glVertex3f(-x0, 1.5f * fh, z), glVertex3f(-1.5f * fw, 1.5f * fh, z);
    glVertex3f(x0, -1.5f * fh, z), glVertex3f(1.5f * fw, -1.5f * fh, z);
    glVertex3f(1.5f * fw, 1.5f * fh, z), glVertex3f(x0, 1.5f * fh, z);
  } else {
    const float y0 = fw * kFrameHeightUnits / kFrameWidthUnits;
    glVertex3f(-1.5f * fw, y0, z), glVertex3f(1.5f * fw, y0, z);
    glVertex3f(1.5f * fw, 1.5f * fh, z), glVertex3f(-1.5f * fw, 1.5f * fh, z);
    glVertex3f(-1.5f * fw, -1.5f * fh, z), glVertex3f(1.5f * fw, -1.5f * fh, z);
    glVertex3f(1.5f * fw, -y0, z), glVertex3f(-1.5f * fw, -y0, z);
  }
  glEnd();
  SetBlending(false);
  glEnable(GL_DEPTH_TEST);
}

}  // namespace

void CViewRenderer::DrawFrame(CQuorixDoc& doc, int width, int height) {
  if (width <= 0 || height <= 0) return;
  if (m_bUseBuffers && m_nBuffersChecked < 0) m_nBuffersChecked = CViewGlCache::BuffersSupported() ? 1 : 0;
  CViewGlCache* cache = m_bUseBuffers && m_nBuffersChecked == 1 ? &m_Cache : nullptr;
  const CScene& camera = doc.m_Scene;

  // Scene set-up.
  glClearColor(static_cast<float>(ColorRed(doc.m_crBackground)) / 255.0f,
               static_cast<float>(ColorGreen(doc.m_crBackground)) / 255.0f,
               static_cast<float>(ColorBlue(doc.m_crBackground)) / 255.0f, 0.0f);
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  glEnable(GL_DEPTH_TEST);
  glDepthFunc(GL_LEQUAL);
  SetBlending(doc.Display.Transparency);
  glViewport(0, 0, width, height);
  SetUpProjection(camera, width, height,
                  DepthRangeFor(camera, m_DrawnBox.Box(doc), doc.TurntableAngle != 0.0f));
  SetUpCamera(camera);
  SetUpLights(doc);
  glRotatef(-doc.TurntableAngle, 0.0f, 1.0f, 0.0f);

  // Background, grid and axes.
  DrawBackImage(doc.m_BackImage, camera);
  DrawGrid(camera, doc.Display, width, height);
  if (doc.Display.ShowAxes) DrawAxes();

  // Objects.
  if (cache != nullptr) cache->BeginFrame();
  EnsureDerivedGeometryForFrame(doc);
  SetUpObjectState();
  glPushMatrix();
  for (const auto& object : doc.m_Objects)
    if (object->VertexCount() > 0) DrawObject(doc, *object, cache);
  glPopMatrix();
  if (cache != nullptr) cache->CollectGarbage(doc);

  DrawFrameMask(width, height);
  glFlush();
}

}  // namespace brimvale
