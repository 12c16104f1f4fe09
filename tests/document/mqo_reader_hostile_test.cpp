// Hostile and damaged files: every prefix of a valid file, counts far above
// the data present, huge and negative counts, indices out of range, a BVertex
// block that runs past the end. None may crash, hang or allocate without bound.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <fstream>
#include <string>

#include "mqo_test_support.h"

namespace brimvale {
namespace {

using test::Mqo;
using test::ReadDoc;

std::string ValidFile() {
  const float block[] = {0, 0, 0, 1, 0, 0, 1, 1, 0, 0, 1, 0};
  return Mqo("Scene {\n\tpos 0 0 1500\n\tlookat 0 0 0\n\thead 0.5\n}\n"
             "Material 2 {\n\t\"a\" vcol(1) col(1 0 0 1) tex(\"a.png\")\n\t\"b\" col(0 1 0 1)\n}\n"
             "Object \"text\" {\n\tmirror 1\n\tvertex 5 {\n\t\t0 0 0\n\t\t1 0 0\n\t\t1 1 0\n\t\t0 1 "
             "0\n\t\t0.5 2 0\n"
             "\t}\n\tvertexattr {\n\t\tuid {\n\t\t\t1\n\t\t}\n\t}\n\tface 3 {\n\t\t4 V(0 1 2 3) M(0) UV(0 0 "
             "1 0 1 1 0 1)\n"
             "\t\t5 V(0 1 2 4 3) M(1)\n\t\t2 V(0 2)\n\t}\n}\n"
             "Object \"binary\" {\n\tBVertex 4 {\n\t\tVector 4 [48]\n") +
         std::string(reinterpret_cast<const char*>(block), sizeof block) +
         "\r\n\t}\r\n\tface 1 {\r\n\t\t4 V(0 1 2 3)\r\n\t}\r\n}\r\nEof\r\n";
}

TEST(MqoReaderHostile, EveryPrefixOfAValidFileReadsCleanly) {
  const std::string full = ValidFile();
  ReadDoc whole(full);
  ASSERT_EQ(whole.doc.ObjectCount(), 2);
  EXPECT_EQ(whole.Object(0).QuadCount(), 1);
  EXPECT_EQ(whole.Object(0).TriangleCount(), 3);
  EXPECT_EQ(whole.Object(1).VertexCount(), 4);
  for (size_t length = 0; length <= full.size(); ++length) {
    ReadDoc r(std::string_view(full).substr(0, length));
    test::ExpectConsistent(r.doc);
    EXPECT_LE(r.doc.ObjectCount(), 2);
    EXPECT_LE(r.doc.MaterialCount(), 2);
    if (length < std::strlen("Metasequoia")) {
      EXPECT_EQ(r.status.result, MqoReadResult::NotMetasequoia);
    }
    if (HasFailure()) {
      ADD_FAILURE() << "prefix of " << length << " bytes";
      break;
    }
  }
  // One trailing byte more, and a zeroed header.
  ReadDoc extra(full + "x");
  EXPECT_EQ(extra.doc.ObjectCount(), 2);
  std::string zeroed = full;
  std::memset(zeroed.data(), 0, 20);
  EXPECT_EQ(ReadDoc(zeroed).status.result, MqoReadResult::NotMetasequoia);
}

TEST(MqoReaderHostile, CountsFarAboveTheDataPresent) {
  ReadDoc r(
      Mqo("Material 999999999 {\n\t\"only\" col(1 0 0 1)\n}\n"
          "Object \"o\" {\n\tvertex 2000000000 {\n\t\t0 0 0\n\t\t1 0 0\n\t\t0 1 0\n\t}\n"
          "\tface 2147483647 {\n\t\t3 V(0 1 2)\n\t}\n}\nObject \"next\" {\n}\nEof\n"));
  ASSERT_EQ(r.doc.MaterialCount(), 1);
  ASSERT_EQ(r.doc.ObjectCount(), 2);
  EXPECT_EQ(r.Object(0).VertexCount(), 3);
  EXPECT_EQ(r.Object(0).TriangleCount(), 1);
  EXPECT_LE(r.Object(0).m_Vertices.Positions().capacity(), 1000u);
  EXPECT_EQ(r.Object(1).m_strName, "next");
}

TEST(MqoReaderHostile, HugeAndNegativeCounts) {
  ReadDoc r(
      Mqo("Material -5 {\n}\nObject \"o\" {\n\tvertex -3 {\n\t}\n\tface 99999999999999999999 {\n\t}\n}\n"
          "Object \"b\" {\n\tBVertex 1 {\n\t\tVector -7 [12]\n\t}\n}\nEof\n"));
  EXPECT_EQ(r.doc.MaterialCount(), 0);
  ASSERT_EQ(r.doc.ObjectCount(), 2);
  EXPECT_EQ(r.Object(0).VertexCount(), 0);
  EXPECT_EQ(r.Object(1).VertexCount(), 0);
}

TEST(MqoReaderHostile, FewerMaterialLinesThanCountedAndMoreThanCounted) {
  ReadDoc fewer(Mqo("Material 5 {\n\t\"a\" col(1 0 0 1)\n}\nObject \"o\" {\n}\nEof\n"));
  EXPECT_EQ(fewer.doc.MaterialCount(), 1);
  EXPECT_EQ(fewer.doc.ObjectCount(), 1);
  ReadDoc more(
      Mqo("Material 1 {\n\t\"a\" col(1 0 0 1)\n\t\"Object\" col(0 0 0 1)\n}\nObject \"o\" {\n}\nEof\n"));
  EXPECT_EQ(more.doc.MaterialCount(), 1);
  ASSERT_EQ(more.doc.ObjectCount(), 1);
  EXPECT_EQ(more.Object(0).m_strName, "o");
}

TEST(MqoReaderHostile, BinaryVertexCountPastTheEndOfTheFile) {
  const float block[] = {1, 2, 3, 4, 5, 6, 7};  // two whole vertices and a bit
  const std::string text =
      "Metasequoia Document\r\nObject \"b\" {\r\n\tBVertex 1000000 {\r\n\t\tVector 1000000 [12000000]\r\n" +
      std::string(reinterpret_cast<const char*>(block), sizeof block);
  ReadDoc r(text);
  ASSERT_EQ(r.doc.ObjectCount(), 1);
  EXPECT_EQ(r.Object(0).VertexCount(), 2);
  EXPECT_EQ(r.Object(0).m_Vertices.Position(1), CVector3(4, 5, -6));
}

TEST(MqoReaderHostile, OutOfRangeAndNegativeIndicesNeverReachTheObject) {
  ReadDoc r(
      Mqo("Object \"o\" {\n\tvertex 3 {\n\t\t0 0 0\n\t\t1 0 0\n\t\t0 1 0\n\t}\n\tface 5 {\n"
          "\t\t3 V(0 1 3)\n\t\t3 V(-1 0 1)\n\t\t3 V(0 1 2147483647)\n\t\t3 V(0 1 99999999999)\n"
          "\t\t7 V(0 1 2 0 1 2 -2147483648)\n\t}\n}\nEof\n"));
  EXPECT_EQ(r.doc.m_nDroppedFaces, 5);
  EXPECT_EQ(r.Object(0).TriangleCount(), 0);
  test::ExpectConsistent(r.doc);
}

TEST(MqoReaderHostile, FacesBeforeAnyVerticesAreDropped) {
  ReadDoc r(
      Mqo("Object \"o\" {\n\tface 1 {\n\t\t3 V(0 1 2)\n\t}\n\tvertex 3 {\n\t\t0 0 0\n\t\t1 0 0\n\t\t0 1 "
          "0\n\t}\n}\nEof\n"));
  EXPECT_EQ(r.doc.m_nDroppedFaces, 1);
  EXPECT_EQ(r.Object(0).VertexCount(), 3);
  test::ExpectConsistent(r.doc);
}

TEST(MqoReaderHostile, HugePolygonsStayBounded) {
  // 20000 corners on a circle with every index repeated: the ear search is
  // budgeted, the result still covers the polygon with n - 2 triangles.
  std::string vertices, indices;
  const int n = 20000;
  for (int i = 0; i < n; ++i) {
    vertices += "\t\t" + std::to_string(std::cos(i * 6.2831853 / n)) + " " +
                std::to_string(std::sin(i * 6.2831853 / n)) + " 0\n";
    indices += std::to_string(i) + " ";
  }
  ReadDoc r(Mqo("Object \"o\" {\n\tvertex " + std::to_string(n) + " {\n" + vertices +
                "\t}\n\tface 1 {\n\t\t" + std::to_string(n) + " V(" + indices + ")\n\t}\n}\nEof\n"));
  EXPECT_EQ(r.Object(0).TriangleCount(), n - 2);
  test::ExpectConsistent(r.doc);
}

}  // namespace
}  // namespace brimvale
