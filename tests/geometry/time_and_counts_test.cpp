#include <gtest/gtest.h>

#include <string>

#include "document/quorix_doc.h"
#include "geometry/derived_counts.h"
#include "geometry/time_measurement.h"
#include "mesh_fixtures.h"

namespace brimvale {
namespace {

using testing::MakeCube;

TEST(TimeMeasurement, NoObjectsGivesZerosAndObjectsAreLeftUntouched) {
  CQuorixDoc empty;
  const CGeometryTimes none = MeasureGeometryTimes(empty);
  EXPECT_EQ(none.freezeSeconds, 0.0);
  EXPECT_EQ(none.normalsSeconds, 0.0);
  EXPECT_EQ(none.smoothSeconds, 0.0);

  CQuorixDoc doc;
  CMeshObject* cube = doc.AddObject();
  MakeCube(*cube);
  cube->m_nPatchType = 1;
  cube->m_nMirrorType = 1;
  const CGeometryTimes times = MeasureGeometryTimes(doc);
  EXPECT_GE(times.freezeSeconds, 0.0);
  EXPECT_GE(times.smoothSeconds, 0.0);
  EXPECT_EQ(cube->VertexCount(), 8);
  EXPECT_EQ(cube->QuadCount(), 6);
  EXPECT_EQ(cube->m_nPatchType, 1);  // only the scratch copy was frozen
}

TEST(DerivedCounts, OwnMeshWithoutStagesAndTheChainsResultOtherwise) {
  CMeshObject plain;
  MakeCube(plain);
  const CDerivedCounts own = DerivedCounts(plain);
  EXPECT_EQ(own.vertices, 8);
  EXPECT_EQ(own.quads, 6);
  EXPECT_EQ(own.triangles, 0);

  CMeshObject curved;
  MakeCube(curved);
  curved.m_nPatchType = 1;
  curved.m_nPatchSegments = 4;
  curved.m_nMirrorType = 1;
  const CDerivedCounts derived = DerivedCounts(curved);
  EXPECT_EQ(derived.quads, 2 * 96);
  EXPECT_EQ(derived.vertices, 2 * (26 + 48 + 24));
  CDisplaySettings simple;
  simple.SimpleDisplay = true;
  curved.DiscardDerived();
  EXPECT_EQ(DerivedCounts(curved, &simple).quads, 6);
}

}  // namespace
}  // namespace brimvale
