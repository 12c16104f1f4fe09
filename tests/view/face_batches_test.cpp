#include <gtest/gtest.h>

#include <algorithm>

#include "view/face_batches.h"

namespace brimvale {
namespace {

// Four vertices along x; faces are added with the texture coordinate
// (v, u) = (c / 10, c) at corner c.
struct Mesh {
  COutputMesh mesh;
  Mesh() {
    for (int i = 0; i < 4; ++i) mesh.positions.push_back(CVector3(static_cast<float>(i), 0.0f, 0.0f));
  }
  void Add(COutputFaces& faces, std::initializer_list<uint32_t> corners, uint32_t slot, const CVector3& normal) {
    uint32_t c = 0;
    for (const uint32_t vertex : corners) {
      faces.corners.push_back(vertex);
      faces.uvs.push_back(CVector2{static_cast<float>(c) / 10.0f, static_cast<float>(c)});
      faces.cornerNormals.push_back(CVector3(static_cast<float>(c++), 9, 9));
    }
    faces.faceSlots.push_back(slot);
    faces.faceNormals.push_back(normal);
  }
};

// The batches with every quad corner filled in after the triangle corners.
void BuildWhole(const COutputMesh& mesh, bool smooth, CFaceBatches& out) {
  BuildFaceBatches(mesh, smooth, out);
  const size_t base = out.corners.size();
  out.corners.resize(base + out.quadCorners);
  FillQuadCorners(mesh, smooth, 0, out.quadCorners, out.corners.data() + base);
}

TEST(FaceBatches, PassesFollowTheSlotsWithRangesBackToBack) {
  Mesh m;
  m.mesh.slotMaterials = {-1, 0, 2};
  m.Add(m.mesh.triangles, {0, 1, 2}, 2, {});
  m.Add(m.mesh.triangles, {1, 2, 3}, 0, {});
  m.Add(m.mesh.triangles, {0, 2, 3}, 0, {});
  m.Add(m.mesh.triangles, {0, 1, 3}, 1, {});
  m.Add(m.mesh.quads, {0, 1, 2, 3}, 2, {});
  m.Add(m.mesh.quads, {3, 2, 1, 0}, 0, {});
  CFaceBatches out;
  BuildWhole(m.mesh, true, out);
  ASSERT_EQ(out.groups.size(), 3u);
  EXPECT_EQ(out.groups[0].material, -1);
  EXPECT_EQ(out.groups[0].triangleCorners, 6);
  EXPECT_EQ(out.groups[0].quadCorners, 4);
  EXPECT_EQ(out.groups[1].material, 0);
  EXPECT_EQ(out.groups[2].material, 2);
  EXPECT_EQ(out.groups[2].triangleCorners, 3);
  EXPECT_EQ(out.groups[2].quadCorners, 4);
  EXPECT_EQ(out.indices.size(), 4u * 3);
  // Ranges follow each other without gaps; quads come after the triangle corners.
  EXPECT_EQ(out.groups[1].firstTriangleCorner, out.groups[0].firstTriangleCorner + 6);
  EXPECT_EQ(out.groups[2].firstQuadCorner, out.groups[0].firstQuadCorner + 4);
  EXPECT_EQ(static_cast<size_t>(out.groups[2].firstQuadCorner + 4), out.corners.size());
  // The material-2 triangle (the first one) is drawn in the last group, and
  // so is the first quad, after the second.
  EXPECT_EQ(out.corners[out.indices[static_cast<size_t>(out.groups[2].firstTriangleCorner)]].position[0], 2.0f);
  EXPECT_EQ(out.corners[static_cast<size_t>(out.groups[0].firstQuadCorner)].position[0], 0.0f);  // quad 3,2,1,0 reversed
  EXPECT_EQ(out.corners[static_cast<size_t>(out.groups[2].firstQuadCorner)].position[0], 3.0f);
  // Filled a piece at a time across the slot boundary, the corners are the same.
  const size_t base = out.corners.size() - out.quadCorners;
  for (size_t first = 0; first < out.quadCorners; first += 3) {
    const size_t n = std::min<size_t>(3, out.quadCorners - first);
    CFaceCorner piece[3];
    FillQuadCorners(m.mesh, true, first, n, piece);
    for (size_t i = 0; i < n; ++i) EXPECT_EQ(piece[i].position[0], out.corners[base + first + i].position[0]) << first + i;
  }
}

TEST(FaceBatches, CornersAreReversedWithTheirOwnNormalsAndTextureCoordinates) {
  Mesh m;
  m.Add(m.mesh.triangles, {0, 1, 2}, 0, CVector3(0, 0, 1));
  m.Add(m.mesh.quads, {0, 1, 2, 3}, 0, CVector3(0, 1, 0));
  CFaceBatches smooth, flat;
  BuildWhole(m.mesh, true, smooth);
  BuildWhole(m.mesh, false, flat);
  ASSERT_EQ(smooth.indices.size(), 3u);
  // Triangle corners through the index list, quad corners in place.
  auto corner = [](const CFaceBatches& b, int k) -> const CFaceCorner& {
    return k < 3 ? b.corners[b.indices[static_cast<size_t>(k)]]
                 : b.corners[static_cast<size_t>(b.groups[0].firstQuadCorner + k - 3)];
  };
  for (int k = 0; k < 3; ++k) {
    const CFaceCorner& c = corner(smooth, k);
    EXPECT_EQ(c.position[0], static_cast<float>(2 - k));  // corners 2, 1, 0
    EXPECT_EQ(c.normal[0], static_cast<float>(2 - k));
    EXPECT_EQ(c.texCoord[0], static_cast<float>(2 - k) / 10.0f);  // s = v
    EXPECT_EQ(c.texCoord[1], static_cast<float>(2 - k));          // t = u
    EXPECT_EQ(corner(flat, k).normal[2], 1.0f);
  }
  for (int k = 0; k < 4; ++k) {
    EXPECT_EQ(corner(smooth, 3 + k).position[0], static_cast<float>(3 - k));
    EXPECT_EQ(corner(smooth, 3 + k).normal[0], static_cast<float>(3 - k));
    EXPECT_EQ(corner(flat, 3 + k).normal[1], 1.0f);
  }
}

TEST(FaceBatches, CornersAgreeingInEverythingAreStoredOnce) {
  Mesh m;
  // Two triangles sharing the edge 0-2 with equal texture coordinates there.
  m.Add(m.mesh.triangles, {0, 1, 2}, 0, CVector3(0, 0, 1));
  m.Add(m.mesh.triangles, {0, 2, 3}, 0, CVector3(0, 0, 1));
  m.mesh.triangles.uvs[4] = m.mesh.triangles.uvs[2];
  CFaceBatches flat;
  BuildFaceBatches(m.mesh, false, flat);
  EXPECT_EQ(flat.indices.size(), 6u);
  EXPECT_EQ(flat.corners.size(), 4u);
  m.mesh.triangles.faceNormals[1] = CVector3(0, 1, 0);  // a crease: the shared corners split
  BuildFaceBatches(m.mesh, false, flat);
  EXPECT_EQ(flat.corners.size(), 6u);
}

}  // namespace
}  // namespace brimvale
