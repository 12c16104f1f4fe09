#include <gtest/gtest.h>

#include <cmath>

#include "mesh_fixtures.h"

namespace brimvale {
namespace {

using testing::AddFaces;
using testing::Face;
using testing::IndicesInRange;
using testing::Near;
using testing::SetPositions;

TEST(Lathe, SingleLineSweepsIntoACylinder) {
  CMeshObject profile, out;
  SetPositions(profile, {{1, 0, 0}, {1, 1, 0}});
  AddFaces(profile, {Face({0, 1})});
  profile.m_bLathe = 1;
  profile.m_nLatheAxis = 1;
  profile.m_nLatheSegments = 12;
  CMeshBuilder(&out).BuildLathe(profile);
  EXPECT_EQ(out.VertexCount(), 24);
  EXPECT_EQ(out.QuadCount(), 12);
  EXPECT_EQ(out.LineCount(), 0);
  EXPECT_EQ(out.EdgeCount(), 12 * 2 + 1 + 11);
  EXPECT_EQ(out.m_bEdgesBuilt, 1);
  EXPECT_TRUE(IndicesInRange(out));
  // Ring numbering: r(0, m) = 2 + (m - 1); step 3 is 90 degrees: (cos, y, -sin).
  EXPECT_TRUE(Near(out.m_Vertices.Position(2 + 2), CVector3(0, 0, -1)));
  EXPECT_TRUE(Near(out.m_Vertices.Position(13 + 2), CVector3(0, 1, -1)));
  // First quad (r(a,0), r(b,0), r(b,1), r(a,1)); the last closes on step 0.
  const CMeshFace& first = out.m_Faces.Quads()[0];
  EXPECT_EQ(first.m_Index[0], 0);
  EXPECT_EQ(first.m_Index[1], 1);
  EXPECT_EQ(first.m_Index[2], 13);
  EXPECT_EQ(first.m_Index[3], 2);
  EXPECT_EQ(first.m_nMaterial, -1);
  const CMeshFace& last = out.m_Faces.Quads()[11];
  EXPECT_EQ(last.m_Index[2], 1);
  EXPECT_EQ(last.m_Index[3], 0);
  // Edge order: the line's edge, ring edges of each profile vertex, cross edges.
  EXPECT_EQ(out.m_Edges[1].m_v0, 0);
  EXPECT_EQ(out.m_Edges[1].m_v1, 2);
  EXPECT_EQ(out.m_Edges[12].m_v0, 12);
  EXPECT_EQ(out.m_Edges[12].m_v1, 0);  // closing ring edge
  EXPECT_EQ(out.m_Edges[25].m_v0, 2);
  EXPECT_EQ(out.m_Edges[25].m_v1, 13);  // first cross edge
}

TEST(Lathe, ProfileIsFlattenedSharedAndAxisPointsCoincide) {
  CMeshObject profile, out;
  // Vertex 1 is shared by both lines; vertex 2 on the Z axis; vertex 3 unused.
  SetPositions(profile, {{0, 3, 1}, {0, 0, 2}, {0, 0, 5}, {7, 7, 7}});
  AddFaces(profile, {Face({0, 1}), Face({1, 2}), Face({0, 0, 1})});
  profile.m_bLathe = 1;
  profile.m_nLatheAxis = 2;
  profile.m_nLatheSegments = 4;
  CMeshBuilder(&out).BuildLathe(profile);
  EXPECT_EQ(out.VertexCount(), 4 + 3 * 3);
  EXPECT_EQ(out.QuadCount(), 8);
  EXPECT_EQ(out.TriangleCount(), 1);
  EXPECT_TRUE(IndicesInRange(out));
  // Flattened onto the XZ half-plane: (r, 0, z).
  EXPECT_TRUE(Near(out.m_Vertices.Position(0), CVector3(3, 0, 1)));
  EXPECT_EQ(out.m_Vertices.Position(3), CVector3(7, 7, 7));
  // The point on the axis gives coincident ring vertices (r = 0).
  for (int m = 1; m < 4; ++m) EXPECT_TRUE(Near(out.m_Vertices.Position(4 + 2 * 3 + m - 1), CVector3(0, 0, 5)));
}

TEST(Lathe, CopiesWhenOffOrWithoutLinesAndSkipsDegenerateLines) {
  CMeshObject off, out;
  SetPositions(off, {{1, 0, 0}, {1, 1, 0}});
  AddFaces(off, {Face({0, 1})});
  CMeshBuilder(&out).BuildLathe(off);
  EXPECT_EQ(out.VertexCount(), 2);
  EXPECT_EQ(out.LineCount(), 1);

  CMeshObject degenerate, swept;
  SetPositions(degenerate, {{1, 0, 0}});
  AddFaces(degenerate, {Face({0, 0})});
  degenerate.m_bLathe = 1;
  degenerate.m_nLatheSegments = 1;  // below the minimum: three are used
  CMeshBuilder(&swept).BuildLathe(degenerate);
  EXPECT_EQ(swept.VertexCount(), 3);
  EXPECT_EQ(swept.QuadCount(), 0);
  for (const CMeshEdge& e : swept.m_Edges) EXPECT_NE(e.m_v0, e.m_v1);

  CMeshObject huge, refused;
  SetPositions(huge, {{1, 0, 0}, {1, 1, 0}});
  AddFaces(huge, {Face({0, 1})});
  huge.m_bLathe = 1;
  huge.m_nLatheSegments = 2000000000;
  CMeshBuilder(&refused).BuildLathe(huge);
  EXPECT_EQ(refused.VertexCount(), 2);
}

}  // namespace
}  // namespace brimvale
