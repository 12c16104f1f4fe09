#include "document/scene.h"

#include "foundation/matrix4.h"

namespace brimvale {

void CScene::Reset() {
  m_vPosition = CVector3(0.0f, 100.0f, -300.0f);
  m_vLookAt = CVector3(0.0f, 0.0f, 0.0f);
  m_fAngle = 40.0f;
  m_bPerspective = 1;
  m_bPositionRead = 0;
  m_bLookAtRead = 0;
  m_bAnglesRead = 0;
  m_bZoomRead = 0;
  m_bAmbientRead = 0;
}

void CScene::ApplyFileOrientation() {
  if (m_bLookAtRead) m_vLookAt = m_vFileLookAt;
  CMatrix4 transform;
  transform.Translate(-m_vLookAt.x, -m_vLookAt.y, -m_vLookAt.z);
  if (m_bAnglesRead) {
    transform.RotateZ(-m_fBank);
    transform.RotateX(-m_fPitch);
    transform.RotateY(-m_fHead);
  }
  transform.Translate(m_vLookAt.x, m_vLookAt.y, m_vLookAt.z);
  m_vPosition.Transform(transform);
}

}  // namespace brimvale
