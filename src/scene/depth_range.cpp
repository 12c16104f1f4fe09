#include "scene/depth_range.h"

#include <algorithm>
#include <cmath>

#include "scene/camera.h"

namespace brimvale {

void BoxDepths(const CScene& camera, const CDrawnBox& box, bool turntable, double& nearest,
               double& farthest) {
  double lo[3] = {box.lo[0], box.lo[1], box.lo[2]};
  double hi[3] = {box.hi[0], box.hi[1], box.hi[2]};
  if (turntable) {
    double r = 0.0;
    for (double x : {lo[0], hi[0]})
      for (double z : {lo[2], hi[2]}) r = std::max(r, std::sqrt(x * x + z * z));
    lo[0] = lo[2] = -r;
    hi[0] = hi[2] = r;
  }
  const CCameraAxes axes = CameraAxes(camera);
  nearest = farthest = 0.0;
  for (int corner = 0; corner < 8; ++corner) {
    const double p[3] = {(corner & 1) ? hi[0] : lo[0], (corner & 2) ? hi[1] : lo[1],
                         (corner & 4) ? hi[2] : lo[2]};
    double depth = 0.0;
    for (int i = 0; i < 3; ++i) depth += (p[i] - axes.eye[i]) * axes.forward[i];
    nearest = corner == 0 ? depth : std::min(nearest, depth);
    farthest = corner == 0 ? depth : std::max(farthest, depth);
  }
}

CDepthRange DepthRangeFor(const CScene& camera, const CDrawnBox& box, bool turntable) {
  CDepthRange range;
  if (box.empty) return range;
  double nearest = 0.0, farthest = 0.0;
  BoxDepths(camera, box, turntable, nearest, farthest);
  if (!std::isfinite(nearest) || !std::isfinite(farthest)) return range;
  if (nearest >= kDefaultNear && farthest <= kDefaultFar) return range;
  // A little room on both sides, also for a model flat across the view.
  const double pad = std::max({(farthest - nearest) * 0.02, std::abs(farthest) * 1e-4, 1e-6});
  if (camera.m_bPerspective == 0) {
    // Depth is linear here: the planes may even lie behind the eye.
    range.zNear = std::min(kDefaultNear, nearest - pad);
    range.zFar = std::max(kDefaultFar, farthest + pad);
    // A huge span around a small model would waste the depth buffer on nothing.
    if (range.zFar - range.zNear > kMaxDepthRatio * (farthest - nearest + 2.0 * pad)) {
      range.zNear = nearest - pad;
      range.zFar = farthest + pad;
    }
    return range;
  }
  if (farthest <= 0.0) return range;  // all of it behind the eye: nothing to show
  // Widen the usual planes to take the model in where the ratio allows; else
  // hug the model, giving up its nearest part only when the eye is in it.
  const double zFar = farthest + pad;
  const double zNear = nearest - pad;
  range.zFar = std::max(kDefaultFar, zFar);
  range.zNear = std::min(kDefaultNear, zNear);
  if (range.zNear > 0.0 && range.zFar / range.zNear <= kMaxDepthRatio) return range;
  range.zFar = zFar;
  range.zNear = std::max(zNear, zFar / kMaxDepthRatio);
  return range;
}

}  // namespace brimvale
