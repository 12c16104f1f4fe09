// Camera operations on the document's scene: the angles of view for a client
// area, the world size of a pixel span, the up direction, and the six tests
// that tell whether an orthographic camera looks straight along an axis.
// Pure maths, no OpenGL; the frame, the grid and the navigation share them.
#pragma once

#include "document/scene.h"
#include "foundation/vector3.h"

namespace brimvale {

// The frame the view marks and the exports picture is 4 units wide by 3 high.
inline constexpr int kFrameWidthUnits = 4;
inline constexpr int kFrameHeightUnits = 3;

// Whether a w x h picture is wider than the frame.
constexpr bool WiderThanFrame(float w, float h) { return w * kFrameHeightUnits > h * kFrameWidthUnits; }

// The vertical angle of view, in radians, of the frame whose horizontal angle
// is `horizontalDegrees` (in double precision, for the exports).
double FrameVerticalRadians(double horizontalDegrees);

// Pitch and heading, in degrees, of the direction from the position to the look-at.
float CameraPitch(const CScene& camera);
float CameraHead(const CScene& camera);

// Distance from the position to the look-at.
float CameraDistance(const CScene& camera);

// Vertical angle of view, in degrees, for a client area of w x h pixels. The
// stored angle spans the width of the 4:3 frame the view marks: a window wider
// than 4:3 gets the vertical angle of a 4:3 picture, a narrower one an angle
// that spans its width. A zero distance, width or height returns the angle as stored.
float VerticalAngle(const CScene& camera, int w, int h);

// World-space size (x, y, 0) of a span of a by b pixels on a plane at distance
// D in front of the camera, for a client area of w x h. (0, 0, 0) when w, h or D is 0.
CVector3 ViewPlaneSize(const CScene& camera, float a, float b, int w, int h, float D);

// The camera's up direction: (0, 1, 0) turned by bank, pitch and heading.
CVector3 UpVector(const CScene& camera);

// The camera's frame in double precision: the eye, the unit direction of view,
// and unit up and right directions across it (bank included). A camera whose
// position is its look-at looks along +z.
struct CCameraAxes {
  double eye[3];
  double forward[3];
  double up[3];
  double right[3];

  // Coordinates of p relative to the eye: across (right, up) and along the view.
  double Right(const CVector3& p) const;
  double Up(const CVector3& p) const;
  double Depth(const CVector3& p) const;
};
CCameraAxes CameraAxes(const CScene& camera);

// tan of half the horizontal angle of the 4:3 frame, with the angle held to 1..150
// degrees (40 when it is not a number).
double HalfFrameTangent(const CScene& camera);

// Exact axis-view tests; all false for a perspective camera.
bool IsViewFromAbove(const CScene& camera);
bool IsViewFromBelow(const CScene& camera);
bool IsViewFromFront(const CScene& camera);
bool IsViewFromBehind(const CScene& camera);
bool IsViewFromRight(const CScene& camera);
bool IsViewFromLeft(const CScene& camera);

}  // namespace brimvale
