#include <gtest/gtest.h>

#include <vector>

#include "document/quorix_doc.h"
#include "view/frame_benchmark.h"

namespace brimvale {
namespace {

TEST(FrameBenchmark, TurnsTenDegreesAFrameAndEndsAtTheStartingOrientation) {
  CQuorixDoc doc;
  doc.TurntableAngle = 33.0f;
  std::vector<float> angles;
  float reportedAt = -1.0f;
  size_t framesBeforeReport = 0;
  const double seconds = RunFrameBenchmark(
      doc, [&] { angles.push_back(doc.TurntableAngle); },
      [&](double) {
        reportedAt = doc.TurntableAngle;
        framesBeforeReport = angles.size();
      });
  // The result is reported over the last frame, before the turn back.
  EXPECT_EQ(reportedAt, 150.0f);
  EXPECT_EQ(framesBeforeReport, 15u);
  ASSERT_EQ(angles.size(), 16u);
  for (int i = 0; i < 15; ++i) EXPECT_EQ(angles[static_cast<size_t>(i)], 10.0f * static_cast<float>(i + 1));
  EXPECT_EQ(angles.back(), 0.0f);
  EXPECT_EQ(doc.TurntableAngle, 0.0f);
  EXPECT_GE(seconds, 0.001);  // never zero, so the frame rate is finite
}

}  // namespace
}  // namespace brimvale
