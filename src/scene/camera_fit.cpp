#include "scene/camera_fit.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "document/quorix_doc.h"
#include "scene/camera.h"
#include "scene/depth_range.h"
#include "scene/drawn_bounds.h"

namespace brimvale {
namespace {

// The model fills at most this share of the frame's half-width and half-height.
constexpr double kMargin = 0.9;
// Used when the model is a single point and the camera has no distance either.
constexpr double kFallbackDistance = 316.227766;

}  // namespace

bool FitCameraToDocument(CQuorixDoc& doc) {
  const CDrawnBox box = DrawnBox(doc);
  if (box.empty) return false;
  CScene& camera = doc.m_Scene;
  const CCameraAxes axes = CameraAxes(camera);
  const bool perspective = camera.m_bPerspective != 0;
  const double c[3] = {box.Centre(0), box.Centre(1), box.Centre(2)};
  const double radius = box.Radius();
  const double tx = HalfFrameTangent(camera) * kMargin;
  const double ty = tx * kFrameHeightUnits / kFrameWidthUnits;

  // With the look-at at c and the eye at c - forward * D, a point at depth z
  // past the look-at and (x, y) across the view lies in the frame when
  // |x| <= (D + z) tx and |y| <= (D + z) ty (perspective) or |x| <= D tx and
  // |y| <= D ty (orthographic, whose frame is the one at the look-at).
  double distance = 0.0;
  double frontmost = std::numeric_limits<double>::infinity();
  ForEachDrawnPoint(doc, [&](const CVector3& p) {
    const double d[3] = {static_cast<double>(p.x) - c[0], static_cast<double>(p.y) - c[1],
                         static_cast<double>(p.z) - c[2]};
    const double x = d[0] * axes.right[0] + d[1] * axes.right[1] + d[2] * axes.right[2];
    const double y = d[0] * axes.up[0] + d[1] * axes.up[1] + d[2] * axes.up[2];
    const double z = d[0] * axes.forward[0] + d[1] * axes.forward[1] + d[2] * axes.forward[2];
    const double across = std::max(std::abs(x) / tx, std::abs(y) / ty);
    distance = std::max(distance, perspective ? across - z : across);
    frontmost = std::min(frontmost, z);
  });

  if (!(radius > 0.0)) {
    // A single point: keep the distance the camera had.
    const double had = static_cast<double>(CameraDistance(camera));
    distance = had > 0.0 && std::isfinite(had) ? had : kFallbackDistance;
  } else {
    // A model seen edge-on or end-on fits at any distance: stand off by a share of its size.
    distance = std::max(distance, radius * 0.5);
    // Nothing of it may come up to the eye.
    if (perspective) distance = std::max(distance, 0.1 * radius - frontmost);
  }
  // Far enough from the look-at for single precision to tell the two apart.
  const double scale = std::max({1.0, std::abs(c[0]), std::abs(c[1]), std::abs(c[2])});
  distance = std::max(distance, scale * 1e-5);
  if (!std::isfinite(distance)) return false;

  camera.m_vLookAt = CVector3(static_cast<float>(c[0]), static_cast<float>(c[1]), static_cast<float>(c[2]));
  camera.m_vPosition = CVector3(static_cast<float>(c[0] - axes.forward[0] * distance),
                                static_cast<float>(c[1] - axes.forward[1] * distance),
                                static_cast<float>(c[2] - axes.forward[2] * distance));
  return true;
}

bool CameraShowsModelWell(CQuorixDoc& doc) {
  const CScene& camera = doc.m_Scene;
  const CCameraAxes axes = CameraAxes(camera);
  const bool perspective = camera.m_bPerspective != 0;
  const double tx = HalfFrameTangent(camera);
  const double ty = tx * kFrameHeightUnits / kFrameWidthUnits;
  const double orthoDepth = static_cast<double>(CameraDistance(camera));
  bool any = false, inside = true;
  double lo[2] = {0.0, 0.0}, hi[2] = {0.0, 0.0};
  double nearest = 0.0, farthest = 0.0;
  ForEachDrawnPoint(doc, [&](const CVector3& p) {
    if (!inside) return;
    const double depth = axes.Depth(p);
    const double scale = perspective ? depth : orthoDepth;
    if (!(scale > 0.0)) {
      inside = false;
      return;
    }
    // Frame coordinates: -1..1 across the width and the height.
    const double f[2] = {axes.Right(p) / (scale * tx), axes.Up(p) / (scale * ty)};
    if (std::abs(f[0]) > 1.0 || std::abs(f[1]) > 1.0) inside = false;
    for (int i = 0; i < 2; ++i) {
      lo[i] = any ? std::min(lo[i], f[i]) : f[i];
      hi[i] = any ? std::max(hi[i], f[i]) : f[i];
    }
    nearest = any ? std::min(nearest, depth) : depth;
    farthest = any ? std::max(farthest, depth) : depth;
    any = true;
  });
  if (!inside) return false;
  if (!any) return true;
  // A perspective frame cannot keep a model whose near part is closer than its
  // depth range allows.
  if (perspective && nearest * kMaxDepthRatio < farthest) return false;
  const double third = 2.0 / 3.0;  // a third of the width 2
  return hi[0] - lo[0] >= third || hi[1] - lo[1] >= third;
}

void ApplyOpeningFraming(CQuorixDoc& doc, FramingMode mode) {
  switch (mode) {
    case FramingMode::FileCamera: return;
    case FramingMode::Fit: FitCameraToDocument(doc); return;
    case FramingMode::Auto:
      if (!CameraShowsModelWell(doc)) FitCameraToDocument(doc);
      return;
  }
}

}  // namespace brimvale
