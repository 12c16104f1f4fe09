// The Scene chunk: camera position, look-at point and angles as the modeller
// saved them. Nested chunks (dirlights { light { ... } }) are skipped whole.
#include "document/mqo_reader_internal.h"
#include "document/scene.h"
#include "foundation/float_math.h"

namespace brimvale {

namespace {

CVector3 ReadPosition(CMqoCursor& cursor) {
  const float x = cursor.ReadFloat();
  const float y = cursor.ReadFloat();
  const float z = cursor.ReadFloat();
  return CVector3(x, y, -z);
}

}  // namespace

void ReadSceneChunk(CMqoCursor& cursor, CScene& scene) {
  std::string_view token;
  if (!cursor.NextToken(token)) return;  // the opening brace
  int64_t depth = 0;
  while (cursor.NextToken(token)) {
    if (depth == 0) {
      if (token == "}") {
        scene.ApplyFileOrientation();
        return;
      }
      if (token == "pos") {
        scene.m_vFilePosition = ReadPosition(cursor);
        scene.m_bPositionRead = 1;
        continue;
      }
      if (token == "lookat") {
        scene.m_vFileLookAt = ReadPosition(cursor);
        scene.m_bLookAtRead = 1;
        continue;
      }
      if (token == "head") {
        scene.m_fHead = -RadToDeg(cursor.ReadFloat());
        scene.m_bAnglesRead = 1;
        continue;
      }
      if (token == "pich") {
        scene.m_fPitch = -RadToDeg(cursor.ReadFloat());
        scene.m_bAnglesRead = 1;
        continue;
      }
      if (token == "bank") {
        scene.m_fBank = RadToDeg(cursor.ReadFloat());
        scene.m_bAnglesRead = 1;
        continue;
      }
      if (token == "ortho") {
        scene.m_bPerspective = cursor.ReadInt() == 0 ? 1 : 0;
        continue;
      }
      if (token == "zoom2") {
        scene.m_fZoom = cursor.ReadFloat();
        scene.m_bZoomRead = 1;
        continue;
      }
      if (token == "amb") {
        const float r = cursor.ReadFloat();
        const float g = cursor.ReadFloat();
        const float b = cursor.ReadFloat();
        scene.m_vAmbient = CVector3(r, g, b);
        scene.m_bAmbientRead = 1;
        continue;
      }
    }
    depth += BraceDelta(token);
    if (depth < 0) {  // "}}" and the like: the scene ends here too
      scene.ApplyFileOrientation();
      return;
    }
  }
}

}  // namespace brimvale
