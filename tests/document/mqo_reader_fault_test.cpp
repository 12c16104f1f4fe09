// Real files that trip a reader written naively: attributes it does not know,
// polygons of many corners, bad indices, odd spacing, long tokens and numbers.
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "mqo_test_support.h"

namespace brimvale {
namespace {

using test::Mqo;
using test::ReadDoc;

const char kSquare[] = "\tvertex 4 {\n\t\t0 0 0\n\t\t1 0 0\n\t\t1 1 0\n\t\t0 1 0\n\t}\n";

std::string WithFaces(const std::string& faces, int count) {
  return Mqo("Object \"o\" {\n" + std::string(kSquare) + "\tface " + std::to_string(count) + " {\n" + faces +
             "\t}\n}\nEof\n");
}

TEST(MqoReaderFaults, UnknownMaterialAttributesAreSkippedWhole) {
  ReadDoc r(
      Mqo("Material 2 {\n"
          "\t\"a\" shader(3) vcol(1) dbls(0) col(0.2 0.4 0.6 0.8) dif(0.5) reflect(0.5) refract(1.3)"
          " tex(\"t.png\") proj_type(1) proj_pos(0 0 0) emi_col(1 1 1) spc(0.3) uid(3)\n"
          "\t\"b\" future_thing(\"x)y\") col(1 0 0 1)\n}\nEof\n"));
  ASSERT_EQ(r.doc.MaterialCount(), 2);
  EXPECT_EQ(r.Material(0).m_Color, PackColor(51, 102, 153));
  EXPECT_EQ(r.Material(0).m_fAlpha, 0.8f);
  EXPECT_EQ(r.Material(0).m_fDiffuse, 0.5f);
  EXPECT_EQ(r.Material(0).m_fSpecular, 0.3f);
  EXPECT_EQ(r.Material(0).m_strTexture, "t.png");
  EXPECT_EQ(r.Material(1).m_Color, PackColor(255, 0, 0));
}

TEST(MqoReaderFaults, OnlyVertexMaterialAndUVGroupsOfAFaceAreRead) {
  ReadDoc r(
      WithFaces("\t\t4 V(0 1 2 3) M(0) UID(42) COL(4294967295 1 2 3) CRS(1 2 3 4)"
                " N(2 2 2 2 0 0 1 0 0 1 0 0 1 0 0 1) UV(0.1 0.2 0.3 0.4 0.5 0.6 0.7 0.8)\n",
                1));
  ASSERT_EQ(r.Object(0).QuadCount(), 1);
  const CMeshFace& f = r.Object(0).m_Faces.Quads()[0];
  EXPECT_EQ(f.m_nMaterial, 0);
  const CCornerUVs* uvs = r.Object(0).m_Faces.FaceUVs(FaceList::Quads, 0);
  ASSERT_NE(uvs, nullptr);
  EXPECT_EQ(uvs->m_UV[0].u, 0.1f);
  EXPECT_EQ(uvs->m_UV[0].v, 0.2f);
  EXPECT_EQ(uvs->m_UV[3].u, 0.7f);
  EXPECT_EQ(uvs->m_UV[3].v, 0.8f);
}

TEST(MqoReaderFaults, PolygonsOfMoreThanFourCornersBecomeTriangles) {
  // An L shape: concave at corner 3, so a fan from corner 0 would leave it.
  ReadDoc r(
      Mqo("Object \"L\" {\n\tvertex 6 {\n\t\t0 0 0\n\t\t2 0 0\n\t\t2 1 0\n\t\t1 1 0\n\t\t1 2 0\n"
          "\t\t0 2 0\n\t}\n\tface 2 {\n\t\t6 V(0 1 2 3 4 5) M(1) UV(0 0 1 0 1 0.5 0.5 0.5 0.5 1 0 1)\n"
          "\t\t3 V(0 1 2)\n\t}\n}\nEof\n"));
  const CMeshObject& o = r.Object(0);
  ASSERT_EQ(o.TriangleCount(), 5);
  EXPECT_EQ(r.doc.m_nDroppedFaces, 0);
  double area = 0.0;
  for (int t = 0; t < 4; ++t) {
    const CMeshFace& f = o.m_Faces.Triangles()[static_cast<size_t>(t)];
    EXPECT_EQ(f.m_nMaterial, 1);
    const CVector3& a = o.m_Vertices.Position(f.m_Index[0]);
    const CVector3& b = o.m_Vertices.Position(f.m_Index[1]);
    const CVector3& c = o.m_Vertices.Position(f.m_Index[2]);
    const double cross = static_cast<double>((b.x - a.x) * (c.y - a.y) - (b.y - a.y) * (c.x - a.x));
    EXPECT_GT(cross, 0.0) << "triangle " << t << " keeps the polygon's winding";
    area += cross / 2.0;
    const CCornerUVs* uvs = o.m_Faces.FaceUVs(FaceList::Triangles, static_cast<size_t>(t));
    ASSERT_NE(uvs, nullptr);
    for (int c2 = 0; c2 < 3; ++c2) {  // each corner keeps its own UV
      const int v = f.m_Index[c2];
      const float u = v == 1 || v == 2 ? 1.0f : (v == 3 || v == 4 ? 0.5f : 0.0f);
      EXPECT_EQ(uvs->m_UV[c2].u, u) << "vertex " << v;
    }
  }
  EXPECT_DOUBLE_EQ(area, 3.0);                          // covers the L exactly, no overlap
  EXPECT_EQ(o.m_Faces.Triangles()[4].m_nMaterial, -1);  // the file's next face follows
}

TEST(MqoReaderFaults, BadFacesAreDroppedAndCounted) {
  ReadDoc r(
      WithFaces("\t\t3 V(0 1 4)\n\t\t3 V(0 -1 2)\n\t\t1 V(0)\n\t\t2 V(1 1)\n\t\t3 V(2 2 2)\n"
                "\t\t0 V()\n\t\t-3 V(0 1 2)\n\t\t4 V(0 1 2)\n\t\t3 V(0 1 2)\n\t\t3 V(0 0 1)\n"
                "\t\t5 V(0 1 2 3 99) UV(0 0 0 0 0 0 0 0 0 0)\n",
                11));
  EXPECT_EQ(r.doc.m_nDroppedFaces, 9);
  EXPECT_EQ(r.Object(0).TriangleCount(), 2);  // a repeated corner is kept while two differ
  test::ExpectConsistent(r.doc);
}

TEST(MqoReaderFaults, ObjectWithoutVerticesEndsAtItsOwnBrace) {
  ReadDoc r(
      Mqo("Object \"empty\" {\n\tvisible 15\n\tshading 1\n}\n"
          "Object \"full\" {\n\tpatch 2\n" +
          std::string(kSquare) + "}\nEof\n"));
  ASSERT_EQ(r.doc.ObjectCount(), 2);
  EXPECT_EQ(r.Object(0).VertexCount(), 0);
  EXPECT_EQ(r.Object(0).m_nPatchType, 0);
  EXPECT_EQ(r.Object(1).m_strName, "full");
  EXPECT_EQ(r.Object(1).m_nPatchType, 2);
  EXPECT_EQ(r.Object(1).VertexCount(), 4);
}

TEST(MqoReaderFaults, VertexAttributeChunksWithNestedChunksAreSkipped) {
  ReadDoc r(Mqo("Object \"o\" {\n" + std::string(kSquare) +
                "\tvertexattr {\n\t\tuid {\n\t\t\t1\n\t\t\t2\n\t\t}\n\t\tweit {\n\t\t\t0 1.0\n\t\t}\n"
                "\t\tcolor {\n\t\t\t0 4294967295\n\t\t}\n\t}\n\tface 1 {\n\t\t4 V(0 1 2 3)\n\t}\n}\n"
                "Object \"next\" {\n}\nEof\n"));
  ASSERT_EQ(r.doc.ObjectCount(), 2);
  EXPECT_EQ(r.Object(0).QuadCount(), 1);
  EXPECT_EQ(r.Object(0).m_Color, PackColor(255, 100, 255));  // "color" inside vertexattr is not the object's
}

TEST(MqoReaderFaults, LineEndsTabsAndAttachedBraces) {
  const std::string lf =
      "Metasequoia Document\nFormat Text Ver 1.0\nObject \"o\"{\n\tvertex 3{\n"
      "\t\t0 0 0\n\t\t1\t0\t0\n  0 1 0\n\t}\n\tface 1{\n\t\t3 V(0 1 2) M(0)\n\t}\n}\nEof\n";
  ReadDoc r(lf);
  ASSERT_EQ(r.doc.ObjectCount(), 1);
  EXPECT_EQ(r.Object(0).m_strName, "o");
  EXPECT_EQ(r.Object(0).VertexCount(), 3);
  EXPECT_EQ(r.Object(0).TriangleCount(), 1);
  EXPECT_EQ(r.Object(0).m_Faces.Triangles()[0].m_nMaterial, 0);
  std::string crlf;
  for (char c : lf) crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
  ReadDoc r2(crlf);
  EXPECT_EQ(r2.Object(0).TriangleCount(), 1);
  EXPECT_EQ(r2.Object(0).m_Vertices.Position(1), r.Object(0).m_Vertices.Position(1));
}

TEST(MqoReaderFaults, LongTokensAreCutAndTheReadGoesOn) {
  const std::string longName(10000, 'n');
  ReadDoc r(Mqo("Material 1 {\n\t\"" + longName + "\" col(1 0 0 1)\n}\nObject \"" + longName + "\" {\n" +
                std::string(kSquare) + "}\nEof\n"));
  ASSERT_EQ(r.doc.ObjectCount(), 1);
  EXPECT_EQ(r.Object(0).m_strName.size(), 4094u);  // 4096 bytes less the two quote places
  EXPECT_EQ(r.Object(0).VertexCount(), 4);
  ASSERT_EQ(r.doc.MaterialCount(), 1);
  EXPECT_EQ(r.Material(0).m_Color, PackColor(255, 0, 0));
}

TEST(MqoReaderFaults, NumbersInEveryWrittenForm) {
  ReadDoc r(
      Mqo("Object \"o\" {\n\tfacet 60\n\tvertex 4 {\n\t\t2.28881845e-06 -1E+2 5\n\t\t.5 -.25 +3\n"
          "\t\tabc 1.5 x7\n\t\t1e999 -1e-999 2\n\t}\n}\nEof\n"));
  const CMeshObject& o = r.Object(0);
  EXPECT_EQ(o.m_fFacetAngle, 60.0f);
  ASSERT_EQ(o.VertexCount(), 4);
  EXPECT_EQ(o.m_Vertices.Position(0), CVector3(2.28881845e-06f, -100.0f, -5.0f));
  EXPECT_EQ(o.m_Vertices.Position(1), CVector3(0.5f, -0.25f, -3.0f));
  EXPECT_EQ(o.m_Vertices.Position(2), CVector3(0.0f, 1.5f, -0.0f));  // unreadable numbers read as 0
  EXPECT_TRUE(std::isinf(o.m_Vertices.Position(3).x));               // as strtof gives
  EXPECT_EQ(o.m_Vertices.Position(3).y, -0.0f);
}

TEST(MqoReaderFaults, OnlyTheFirstVertexSectionCounts) {
  ReadDoc r(Mqo("Object \"o\" {\n" + std::string(kSquare) +
                "\tface 1 {\n\t\t4 V(0 1 2 3)\n\t}\n"
                "\tvertex 1 {\n\t\t9 9 9\n\t}\n}\nEof\n"));
  EXPECT_EQ(r.Object(0).VertexCount(), 4);
  test::ExpectConsistent(r.doc);
}

TEST(MqoReaderFaults, AFileCutInsideAChunkIsNotedAndAWholeOneWithoutEofIsNot) {
  const std::string whole = Mqo("Material 1 {\n\t\"m\" col(1 1 1 1)\n}\nObject \"a\" {\n" + std::string(kSquare) +
                                "\tface 1 {\n\t\t4 V(0 1 2 3)\n\t}\n}\nObject \"b\" {\n" + std::string(kSquare) +
                                "\tface 1 {\n\t\t4 V(0 1 2 3)\n\t}\n}\n");
  EXPECT_FALSE(ReadDoc(whole).status.endsEarly);
  EXPECT_FALSE(ReadDoc(whole + "Eof\n").status.endsEarly);
  // Cut in the second object's vertices, its faces, before its closing brace, and in the materials.
  const size_t second = whole.find("Object \"b\"");
  for (const std::string& mark : {std::string("1 0 0"), std::string("4 V("), std::string("\t}\r\n}")}) {
    const size_t at = whole.find(mark, second);
    ASSERT_NE(at, std::string::npos) << mark;
    ReadDoc cut(whole.substr(0, at + 2));
    EXPECT_TRUE(cut.status.endsEarly) << mark;
    EXPECT_EQ(cut.doc.ObjectCount(), 2) << mark;
  }
  EXPECT_TRUE(ReadDoc(whole.substr(0, whole.find("col("))).status.endsEarly);
  EXPECT_TRUE(ReadDoc(whole.substr(0, second) + "Thumbnail 2 2 24 bmp {\n00").status.endsEarly);
}

}  // namespace
}  // namespace brimvale
