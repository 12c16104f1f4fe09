#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <map>
#include <tuple>

#include "geometry/frozen_mesh.h"
#include "geometry/patch_subdivision.h"
#include "mesh_fixtures.h"

namespace brimvale {
namespace {

using testing::AddFaces;
using testing::Face;
using testing::SetPositions;

// Open box spanning x0 .. x0 + 1 without its face at x = x0, every corner
// coloured after its vertex with a colour distinct in each channel.
void MakeColouredBox(CMeshObject& obj, float x0) {
  const float x1 = x0 + 1.0f;
  SetPositions(obj, {{x0, -1, -1}, {x1, -1, -1}, {x1, 1, -1}, {x0, 1, -1},
                     {x0, -1, 1}, {x1, -1, 1}, {x1, 1, 1}, {x0, 1, 1}});
  AddFaces(obj, {Face({3, 2, 1, 0}), Face({4, 5, 6, 7}), Face({1, 2, 6, 5}), Face({3, 7, 6, 2}),
                 Face({0, 1, 5, 4})});
  auto& colours = obj.m_Faces.Colours(FaceList::Quads);
  colours.resize(obj.m_Faces.Quads().size());
  for (size_t f = 0; f < colours.size(); ++f) {
    for (int c = 0; c < 4; ++c) {
      const auto v = static_cast<uint32_t>(obj.m_Faces.Quads()[f].m_Index[c]);
      colours[f].m_Color[c] = 0xFF000000u | (v * 30u + 5u) | ((200u - v * 20u) << 8) | ((v * 7u + 90u) << 16);
    }
  }
  CMeshBuilder(&obj).BuildVertexLinks();
}

// Every corner at a point, or at its mirror image across x = 0, must carry one
// colour: a mirrored face whose colours kept the source's corner order breaks
// this. Returns how many distinct points were seen.
size_t ExpectOneColourPerMirroredPoint(const CMeshObject& obj, std::map<std::tuple<long, long, long>, uint32_t>& seen) {
  for (const FaceList which : {FaceList::Triangles, FaceList::Quads}) {
    const auto& faces = obj.m_Faces.List(which);
    EXPECT_EQ(obj.m_Faces.Colours(which).size(), faces.size());
    for (size_t f = 0; f < faces.size(); ++f) {
      const CCornerColours* colours = obj.m_Faces.FaceColours(which, f);
      if (!colours) return seen.size();
      for (int c = 0; c < faces[f].m_nCorners; ++c) {
        const CVector3& p = obj.m_Vertices.Position(faces[f].m_Index[c]);
        const auto key = std::make_tuple(std::lround(std::fabs(p.x) * 1000), std::lround(p.y * 1000),
                                         std::lround(p.z * 1000));
        const auto [it, added] = seen.emplace(key, colours->m_Color[c]);
        EXPECT_EQ(it->second, colours->m_Color[c]) << "face " << f << " corner " << c;
      }
    }
  }
  return seen.size();
}

TEST(CornerColours, MirrorGivesEachCornerTheColourOfTheVertexItMirrors) {
  for (const int type : {1, 2}) {
    SCOPED_TRACE(type);
    CMeshObject half, whole;
    MakeColouredBox(half, 0.5f);
    half.m_nMirrorType = type;
    CMeshBuilder(&whole).BuildMirror(half, 0);
    // Type 2 bridges the gap with four quads coloured from the faces they close.
    ASSERT_EQ(whole.QuadCount(), type == 1 ? 10 : 14);
    std::map<std::tuple<long, long, long>, uint32_t> seen;
    ExpectOneColourPerMirroredPoint(half, seen);
    EXPECT_EQ(ExpectOneColourPerMirroredPoint(whole, seen), 8u);
  }
}

TEST(CornerColours, PatchBlendsColoursChannelByChannelLikeTextureCoordinates) {
  CMeshObject quad, out;
  SetPositions(quad, {{0, 0, 0}, {1, 0, 0}, {1, 1, 0}, {0, 1, 0}});
  AddFaces(quad, {Face({0, 1, 2, 3})});
  quad.m_Faces.Colours(FaceList::Quads) = {CCornerColours{{0xFF0000FFu, 0xFF00FF00u, 0xFFFF0000u, 0x00808080u}}};
  SubdivideOnce(quad, out);
  ASSERT_EQ(out.m_Faces.Colours(FaceList::Quads).size(), 4u);
  // The quad at corner 0: corner, edge point to 1, centre, edge point to 3.
  const uint32_t* first = out.m_Faces.FaceColours(FaceList::Quads, 0)->m_Color;
  EXPECT_EQ(first[0], 0xFF0000FFu);
  EXPECT_EQ(first[1], 0xFF008080u);
  EXPECT_EQ(first[2], 0xBF606060u);
  EXPECT_EQ(first[3], 0x804040C0u);
  const uint32_t* last = out.m_Faces.FaceColours(FaceList::Quads, 3)->m_Color;
  EXPECT_EQ(last[0], 0x00808080u);
  EXPECT_EQ(last[1], 0x804040C0u);
  EXPECT_EQ(last[3], 0x80C04040u);
}

TEST(CornerColours, FreezingCarriesThemThroughLatheMirrorAndPatchesAndAddsNoneWhereThereWereNone) {
  CMeshObject profile;
  SetPositions(profile, {{1, 0, 0}, {1, 1, 0}});
  AddFaces(profile, {Face({0, 1})});
  profile.m_Faces.Colours(FaceList::Lines) = {CCornerColours{{0xFF0000FFu, 0xFFFF0000u}}};
  profile.m_bLathe = 1;
  profile.m_nLatheAxis = 1;
  profile.m_nLatheSegments = 3;
  const auto lathed = FrozenCopy(profile);
  ASSERT_EQ(lathed->m_Faces.Colours(FaceList::Quads).size(), 3u);
  const uint32_t* swept = lathed->m_Faces.FaceColours(FaceList::Quads, 2)->m_Color;
  EXPECT_EQ(swept[0], 0xFF0000FFu);  // ring of the line's first end
  EXPECT_EQ(swept[1], 0xFFFF0000u);
  EXPECT_EQ(swept[2], 0xFFFF0000u);
  EXPECT_EQ(swept[3], 0xFF0000FFu);

  CMeshObject box;
  MakeColouredBox(box, 0.5f);
  box.m_nMirrorType = 2;
  box.m_bMirrorX = 1;
  box.m_nPatchType = 1;
  box.m_nPatchSegments = 4;
  const auto frozen = FrozenCopy(box);
  ASSERT_EQ(frozen->QuadCount(), 14 * 16);
  std::map<std::tuple<long, long, long>, uint32_t> seen;
  EXPECT_LT(ExpectOneColourPerMirroredPoint(*frozen, seen), static_cast<size_t>(frozen->VertexCount()));

  box.m_Faces.Colours(FaceList::Quads).clear();
  EXPECT_FALSE(FrozenCopy(box)->m_Faces.HasColours());
}

}  // namespace
}  // namespace brimvale
