// The near and far planes of the frame. They stay at 20 and 10000 while the
// model lies between them, so a well-framed model looks as it always did;
// otherwise they take in the whole model, with the far-to-near ratio held
// where a depth buffer still tells surfaces apart.
#pragma once

#include "document/scene.h"
#include "scene/drawn_bounds.h"

namespace brimvale {

inline constexpr double kDefaultNear = 20.0;
inline constexpr double kDefaultFar = 10000.0;
// Largest far-to-near ratio of a perspective frame.
inline constexpr double kMaxDepthRatio = 10000.0;

struct CDepthRange {
  double zNear = kDefaultNear;
  double zFar = kDefaultFar;
};

// Distances along the view of the nearest and farthest corners of the box,
// turned about the vertical axis as the turntable turns the scene (any angle:
// the box is widened to the cylinder it sweeps).
void BoxDepths(const CScene& camera, const CDrawnBox& box, bool turntable, double& nearest, double& farthest);

// The planes for this camera and the box of what is drawn (an empty box, or a
// model behind a perspective camera, keeps 20 and 10000).
CDepthRange DepthRangeFor(const CScene& camera, const CDrawnBox& box, bool turntable);

}  // namespace brimvale
