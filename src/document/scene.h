// The scene camera, and what the file's Scene chunk said about it.
#pragma once

#include "foundation/vector3.h"

namespace brimvale {

class CScene {
 public:
  CVector3 m_vPosition{0.0f, 100.0f, -300.0f};
  CVector3 m_vLookAt{0.0f, 0.0f, 0.0f};
  float m_fAngle = 40.0f;  // view angle, degrees
  int m_bPerspective = 1;  // 0 orthographic
  CVector3 m_vFilePosition{0.0f, 0.0f, 0.0f};
  CVector3 m_vFileLookAt{0.0f, 0.0f, 0.0f};
  float m_fPitch = 0.0f;
  float m_fHead = 0.0f;
  float m_fBank = 0.0f;
  float m_fZoom = 0.0f;
  CVector3 m_vAmbient{0.0f, 0.0f, 0.0f};
  int m_bPositionRead = 0;
  int m_bLookAtRead = 0;
  int m_bAnglesRead = 0;
  int m_bZoomRead = 0;
  int m_bAmbientRead = 0;

  // Camera defaults back; the read flags cleared; the file fields kept.
  void Reset();
  // Turns the camera by the file's bank, pitch and head about the look-at point.
  void ApplyFileOrientation();
};

}  // namespace brimvale
