#include <gtest/gtest.h>

#include "view/face_batches.h"

namespace brimvale {
namespace {

CMeshFace Face(std::initializer_list<int> corners, int material) {
  CMeshFace face;
  face.m_nCorners = static_cast<int>(corners.size());
  int c = 0;
  for (int index : corners) {
    face.m_UV[c] = CVector2{static_cast<float>(c) / 10.0f, static_cast<float>(c)};
    face.m_Index[c++] = index;
  }
  face.m_nMaterial = material;
  return face;
}

struct Mesh {
  CVertexArray vertices;
  CFaceArray faces;
  Mesh() {
    vertices.SetSize(4);
    for (int i = 0; i < 4; ++i) vertices.Position(i) = CVector3(static_cast<float>(i), 0.0f, 0.0f);
  }
};

TEST(FaceBatches, PassesRunDefaultFirstThenUsedMaterialsUpwards) {
  Mesh m;
  m.faces.Triangles() = {Face({0, 1, 2}, 2), Face({1, 2, 3}, -1), Face({0, 2, 3}, 3), Face({0, 1, 3}, 0)};
  m.faces.Quads() = {Face({0, 1, 2, 3}, 2), Face({3, 2, 1, 0}, 7)};
  CFaceBatches out;
  BuildFaceBatches(m.faces, m.vertices, m.faces, true, 3, out);
  // Index 3 equals the material count and 7 is beyond it: both go to the default pass.
  ASSERT_EQ(out.groups.size(), 3u);
  EXPECT_EQ(out.groups[0].material, -1);
  EXPECT_EQ(out.groups[0].triangleCorners, 6);
  EXPECT_EQ(out.groups[0].quadCorners, 4);
  EXPECT_EQ(out.groups[1].material, 0);
  EXPECT_EQ(out.groups[2].material, 2);  // material 1 is used by no face: no pass
  EXPECT_EQ(out.groups[2].triangleCorners, 3);
  EXPECT_EQ(out.groups[2].quadCorners, 4);
  EXPECT_EQ(out.indices.size(), 4u * 3);
  // Ranges follow each other without gaps; quads come after the triangle corners.
  EXPECT_EQ(out.groups[1].firstTriangleCorner, out.groups[0].firstTriangleCorner + 6);
  EXPECT_EQ(out.groups[2].firstQuadCorner, out.groups[0].firstQuadCorner + 4);
  EXPECT_EQ(static_cast<size_t>(out.groups[2].firstQuadCorner + 4), out.corners.size());
}

TEST(FaceBatches, CornersAreReversedWithTheirOwnNormalsAndTextureCoordinates) {
  Mesh m;
  m.faces.Triangles() = {Face({0, 1, 2}, -1)};
  m.faces.Quads() = {Face({0, 1, 2, 3}, -1)};
  CFaceArray normals;
  normals.m_TriangleNormals = {CVector3(0, 0, 1)};
  normals.m_QuadNormals = {CVector3(0, 1, 0)};
  for (int i = 0; i < 3; ++i) normals.m_TriangleCornerNormals.push_back(CVector3(static_cast<float>(i), 9, 9));
  for (int i = 0; i < 4; ++i) normals.m_QuadCornerNormals.push_back(CVector3(static_cast<float>(i), 8, 8));
  CFaceBatches smooth, flat;
  BuildFaceBatches(m.faces, m.vertices, normals, true, 0, smooth);
  BuildFaceBatches(m.faces, m.vertices, normals, false, 0, flat);
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
  CMeshFace a = Face({0, 1, 2}, -1), b = Face({0, 2, 3}, -1);
  b.m_UV[0] = a.m_UV[0];
  b.m_UV[1] = a.m_UV[2];
  m.faces.Triangles() = {a, b};
  CFaceArray normals;
  normals.m_TriangleNormals = {CVector3(0, 0, 1), CVector3(0, 0, 1)};
  CFaceBatches flat;
  BuildFaceBatches(m.faces, m.vertices, normals, false, 0, flat);
  EXPECT_EQ(flat.indices.size(), 6u);
  EXPECT_EQ(flat.corners.size(), 4u);
  normals.m_TriangleNormals[1] = CVector3(0, 1, 0);  // a crease: the shared corners split
  BuildFaceBatches(m.faces, m.vertices, normals, false, 0, flat);
  EXPECT_EQ(flat.corners.size(), 6u);
}

TEST(FaceBatches, BadIndicesAreLeftOutAndMissingNormalsCountAsZero) {
  Mesh m;
  m.faces.Triangles() = {Face({0, 1, 4}, -1), Face({0, -1, 2}, -1), Face({0, 1, 2}, -1)};
  CFaceArray noNormals;
  CFaceBatches out;
  BuildFaceBatches(m.faces, m.vertices, noNormals, true, 0, out);
  ASSERT_EQ(out.indices.size(), 3u);
  EXPECT_EQ(out.corners[0].normal[0], 0.0f);
  EXPECT_EQ(out.corners[0].normal[1], 0.0f);
  EXPECT_EQ(out.corners[0].normal[2], 0.0f);
  ASSERT_EQ(out.groups.size(), 1u);  // the default pass runs even when empty-handed
}

}  // namespace
}  // namespace brimvale
