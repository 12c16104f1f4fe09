// The reader on well-formed documents: header, scene, materials, object
// attributes, vertex sections and face lines.
#include "document/mqo_reader.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>

#include "mqo_test_support.h"

namespace brimvale {
namespace {

using test::Mqo;
using test::ReadDoc;

std::string Cube(std::string_view attributes) {
  std::string text = "Object \"cube\" {\n";
  text += attributes;
  text +=
      "\tvertex 4 {\n\t\t0 0 0\n\t\t1 0 0\n\t\t1 1 0\n\t\t0 1 5\n\t}\n"
      "\tface 1 {\n\t\t4 V(0 1 2 3)\n\t}\n}\nEof\n";
  return Mqo(text);
}

TEST(MqoReader, EmptyDocumentIsTitledWithTheFileName) {
  const auto path = std::filesystem::temp_directory_path() / "brimvale_empty_doc.mqo";
  std::ofstream(path, std::ios::binary) << "Metasequoia Document\r\nEof\r\n";
  test::RecordingUserInterface ui;
  CQuorixDoc doc;
  doc.SetUserInterface(&ui);
  MqoReadStatus status;
  EXPECT_TRUE(ReadMqoFile(doc, path.string(), &status));
  EXPECT_EQ(status.result, MqoReadResult::Ok);
  EXPECT_EQ(doc.m_strTitle, "brimvale_empty_doc.mqo");
  EXPECT_EQ(doc.m_strPathName, path.string());
  EXPECT_EQ(doc.ObjectCount(), 0);
  EXPECT_TRUE(ui.messages.empty());
  std::filesystem::remove(path);
}

TEST(MqoReader, OtherFilesAreReportedNotShownAndResetTheDocument) {
  const auto path = std::filesystem::temp_directory_path() / "brimvale_not_mqo.txt";
  std::ofstream(path, std::ios::binary) << "Metasequoia2 Document\r\nObject \"a\" {\r\n}\r\n";
  test::RecordingUserInterface ui;
  CQuorixDoc doc;
  doc.SetUserInterface(&ui);
  doc.AddObject();
  MqoReadStatus status;
  EXPECT_FALSE(ReadMqoFile(doc, path.string(), &status));
  EXPECT_EQ(status.result, MqoReadResult::NotMetasequoia);
  EXPECT_TRUE(ui.messages.empty());  // the front end words the report
  EXPECT_EQ(doc.ObjectCount(), 0);
  EXPECT_EQ(doc.m_strTitle, "Untitled");
  EXPECT_EQ(doc.m_strPathName, path.string());  // the rejected path stays
  std::filesystem::remove(path);

  ReadDoc empty("");
  EXPECT_EQ(empty.status.result, MqoReadResult::NotMetasequoia);
}

TEST(MqoReader, MissingFileAndFolderCannotBeOpened) {
  CQuorixDoc doc;
  MqoReadStatus status;
  EXPECT_FALSE(ReadMqoFile(doc, "/nonexistent/brimvale/model.mqo", &status));
  EXPECT_EQ(status.result, MqoReadResult::CannotOpen);
  EXPECT_EQ(status.reason, std::strerror(ENOENT));
  EXPECT_FALSE(ReadMqoFile(doc, std::filesystem::temp_directory_path().string(), &status));
  EXPECT_EQ(status.result, MqoReadResult::CannotOpen);
  EXPECT_EQ(doc.m_strTitle, "Untitled");
}

TEST(MqoReader, ReadOnlyFileIsReadAndLeftUntouched) {
  const auto path = std::filesystem::temp_directory_path() / "brimvale_read_only.mqo";
  std::filesystem::remove(path);
  const std::string text = Cube("");
  std::ofstream(path, std::ios::binary) << text;
  std::filesystem::permissions(path, std::filesystem::perms::owner_read | std::filesystem::perms::group_read);
  const auto before = std::filesystem::last_write_time(path);
  CQuorixDoc doc;
  EXPECT_TRUE(ReadMqoFile(doc, path.string()));
  ASSERT_EQ(doc.ObjectCount(), 1);
  EXPECT_EQ(doc.Object(0)->QuadCount(), 1);
  EXPECT_EQ(std::filesystem::last_write_time(path), before);
  std::ifstream in(path, std::ios::binary);
  EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), text);
  std::filesystem::remove(path);
}

TEST(MqoReader, SceneCameraAndAngles) {
  ReadDoc r(
      Mqo("Scene {\n\tpos 1 2 3\n\tlookat 0 0 10\n\thead 0.5\n\tpich -0.25\n\tbank 1\n"
          "\tortho 1\n\tzoom2 5.5\n\tamb 0.25 0.5 0.75\n}\nEof\n"));
  const CScene& s = r.doc.m_Scene;
  EXPECT_EQ(s.m_vFilePosition, CVector3(1, 2, -3));
  EXPECT_EQ(s.m_vFileLookAt, CVector3(0, 0, -10));
  EXPECT_EQ(s.m_vLookAt, CVector3(0, 0, -10));  // applied at the closing brace
  EXPECT_FLOAT_EQ(s.m_fHead, -0.5f / 3.1415927f * 180.0f);
  EXPECT_FLOAT_EQ(s.m_fPitch, 0.25f / 3.1415927f * 180.0f);
  EXPECT_FLOAT_EQ(s.m_fBank, 1.0f / 3.1415927f * 180.0f);
  EXPECT_EQ(s.m_bPerspective, 0);
  EXPECT_EQ(s.m_fZoom, 5.5f);
  EXPECT_EQ(s.m_vAmbient, CVector3(0.25f, 0.5f, 0.75f));
  EXPECT_TRUE(s.m_bPositionRead && s.m_bLookAtRead && s.m_bAnglesRead && s.m_bZoomRead && s.m_bAmbientRead);

  // A quarter turn of each angle alone moves the default eye (0, 100, -300).
  const struct {
    const char* angle;
    CVector3 eye;
  } turns[] = {{"head", {-300, 100, 0}}, {"pich", {0, 300, 100}}, {"bank", {100, 0, -300}}};
  for (const auto& turn : turns) {
    ReadDoc one(Mqo(std::string("Scene {\n\t") + turn.angle + " 1.5707963\n}\nEof\n"));
    const CVector3& eye = one.doc.m_Scene.m_vPosition;
    EXPECT_NEAR(eye.x, turn.eye.x, 1e-3f) << turn.angle;
    EXPECT_NEAR(eye.y, turn.eye.y, 1e-3f) << turn.angle;
    EXPECT_NEAR(eye.z, turn.eye.z, 1e-3f) << turn.angle;
  }

  ReadDoc perspective(Mqo("Scene {\n\tortho 0\n}\nEof\n"));
  EXPECT_EQ(perspective.doc.m_Scene.m_bPerspective, 1);
  EXPECT_EQ(perspective.doc.m_Scene.m_vPosition, CVector3(0, 100, -300));  // nothing to turn by
}

TEST(MqoReader, NestedSceneChunksDoNotEndTheScene) {
  ReadDoc r(
      Mqo("Scene {\n\tdirlights 1 {\n\t\tlight {\n\t\t\tdir 0 0 1\n\t\t\tcolor 1 1 1\n\t\t}\n\t}\n"
          "\tortho 1\n\tzoom2 3\n}\nObject \"a\" {\n}\nEof\n"));
  EXPECT_EQ(r.doc.m_Scene.m_bPerspective, 0);
  EXPECT_EQ(r.doc.m_Scene.m_fZoom, 3.0f);
  EXPECT_EQ(r.doc.ObjectCount(), 1);
}

TEST(MqoReader, MaterialLine) {
  ReadDoc r(
      Mqo("Material 2 {\n"
          "\t\"skin\" shader(3) col(1.000 0.500 0.250 0.750) dif(0.8) amb(0.6) emi(0.1) spc(0.2) power(5.5)"
          " tex(\"skin.png\") aplane(\"mask.bmp\") bump(\"bump.tga\")\n"
          "\t\"two words\" alpha(\"a (1).png\")\n}\nEof\n"));
  ASSERT_EQ(r.doc.MaterialCount(), 2);
  const CMaterial& m = r.Material(0);
  EXPECT_EQ(m.m_strName, "skin");
  EXPECT_EQ(m.m_Color, PackColor(255, 127, 63));
  EXPECT_EQ(m.m_fAlpha, 0.75f);
  EXPECT_EQ(m.m_fDiffuse, 0.8f);
  EXPECT_EQ(m.m_fAmbient, 0.6f);
  EXPECT_EQ(m.m_fEmission, 0.1f);
  EXPECT_EQ(m.m_fSpecular, 0.2f);
  EXPECT_EQ(m.m_fPower, 5.5f);
  EXPECT_EQ(m.m_strTexture, "skin.png");
  EXPECT_EQ(m.m_strAlphaMap, "mask.bmp");
  EXPECT_EQ(m.m_strBump, "bump.tga");
  EXPECT_EQ(r.Material(1).m_strName, "two words");
  EXPECT_EQ(r.Material(1).m_strAlphaMap, "a (1).png");
  EXPECT_EQ(r.Material(1).m_Color, PackColor(255, 255, 255));  // default kept
}

TEST(MqoReader, ObjectAttributes) {
  ReadDoc r(
      Cube("\tpatch 3\n\tsegment 3\n\tvisible 15\n\tlocking 1\n\tshading 1\n\tfacet 30.5\n"
           "\tcolor 1 0 0.5\n\tmirror 2\n\tmirror_axis 6\n\tmirror_dis 2.5\n"
           "\tlathe 1\n\tlathe_axis 2\n\tlathe_seg 24\n"));
  const CMeshObject& o = r.Object(0);
  EXPECT_EQ(o.m_strName, "cube");
  EXPECT_EQ(o.m_nPatchType, 3);
  EXPECT_EQ(o.m_nPatchSegments, 8);
  EXPECT_EQ(o.m_bVisible, 1);
  EXPECT_EQ(o.m_bSmoothShading, 1);
  EXPECT_EQ(o.m_fFacetAngle, 30.5f);
  EXPECT_EQ(o.m_Color, PackColor(255, 0, 127));
  EXPECT_EQ(o.m_nMirrorType, 2);
  EXPECT_EQ(o.m_bMirrorX, 0);
  EXPECT_EQ(o.m_bMirrorY, 1);
  EXPECT_EQ(o.m_bMirrorZ, 1);
  EXPECT_EQ(o.m_fMirrorDistance, 2.5f);
  EXPECT_EQ(o.m_bMirrorDistanceLimit, 1);
  EXPECT_EQ(o.m_bLathe, 1);
  EXPECT_EQ(o.m_nLatheAxis, 2);
  EXPECT_EQ(o.m_nLatheSegments, 24);

  EXPECT_EQ(ReadDoc(Cube("\tpatch 1\n\tsegment 3\n")).Object(0).m_nPatchSegments, 3);
  EXPECT_EQ(ReadDoc(Cube("\tpatch -2\n")).Object(0).m_nPatchType, 0);
  EXPECT_EQ(ReadDoc(Cube("\tpatch 7\n")).Object(0).m_nPatchType, 3);
  EXPECT_EQ(ReadDoc(Cube("\tlathe_seg 2\n")).Object(0).m_nLatheSegments, 3);
  EXPECT_EQ(ReadDoc(Cube("\tlathe 0\n")).Object(0).m_bLathe, 0);
  EXPECT_EQ(ReadDoc(Cube("\tvisible 0\n")).Object(0).m_bVisible, 0);
  // Flat shading for "shading 0"; any other value keeps it smooth.
  EXPECT_EQ(ReadDoc(Cube("\tshading 0\n")).Object(0).m_bSmoothShading, 0);
  EXPECT_EQ(ReadDoc(Cube("\tshading 2\n")).Object(0).m_bSmoothShading, 1);
  EXPECT_EQ(ReadDoc(Cube("")).Object(0).m_nMirrorType, 0);
}

TEST(MqoReader, ValuesThatWouldBreakTheGeometryStagesAreKeptInRange) {
  EXPECT_EQ(ReadDoc(Cube("\tmirror 3\n")).Object(0).m_nMirrorType, 0);
  EXPECT_EQ(ReadDoc(Cube("\tmirror -1\n")).Object(0).m_nMirrorType, 0);
  EXPECT_EQ(ReadDoc(Cube("\tpatch 3\n\tsegment 40\n")).Object(0).m_nPatchSegments, 16);
  EXPECT_EQ(ReadDoc(Cube("\tpatch 1\n\tsegment 100000\n")).Object(0).m_nPatchSegments, 16);
  EXPECT_EQ(ReadDoc(Cube("\tpatch 1\n\tsegment -5\n")).Object(0).m_nPatchSegments, 1);
  EXPECT_EQ(ReadDoc(Cube("\tlathe_seg 2000000000\n")).Object(0).m_nLatheSegments, 4096);
  EXPECT_EQ(ReadDoc(Cube("\tlathe_axis 7\n")).Object(0).m_nLatheAxis, 1);
}

TEST(MqoReader, EmptyNameGetsTheDefaultName) {
  ReadDoc r(Mqo("Object \"\" {\n}\nEof\n"));
  ASSERT_EQ(r.doc.ObjectCount(), 1);
  EXPECT_EQ(r.Object(0).m_strName, "metaseq_obj_01");
}

TEST(MqoReader, VerticesAreStoredWithZNegatedAndTopologyIsBuilt) {
  ReadDoc r(Cube(""));
  const CMeshObject& o = r.Object(0);
  ASSERT_EQ(o.VertexCount(), 4);
  EXPECT_EQ(o.m_Vertices.Position(3), CVector3(0, 1, -5));
  EXPECT_EQ(o.QuadCount(), 1);
  EXPECT_EQ(o.EdgeCount(), 4);
  EXPECT_EQ(o.m_bVertexEdgeLinksValid, 1);
  EXPECT_EQ(o.m_bVertexFaceLinksValid, 1);
  EXPECT_EQ(o.m_Vertices.Links(2).QuadCount(), 1);
  EXPECT_EQ(o.m_Vertices.Links(2).EdgeCount(), 2);
}

TEST(MqoReader, FaceLineCornersMaterialAndTextureCoordinates) {
  ReadDoc r(
      Mqo("Object \"o\" {\n\tvertex 4 {\n\t\t0 0 0\n\t\t1 0 0\n\t\t1 1 0\n\t\t0 1 0\n\t}\n"
          "\tface 4 {\n\t\t4 V(0 1 2 3) UV(0 0 1 0 1 1 0 1)\n"
          "\t\t3 V(0 1 2) M(1)\n\t\t3 V(0 2 3) UV(0.5 0.25 0 0 1 1) M(2)\n\t\t2 V(1 3)\n\t}\n}\nEof\n"));
  const CMeshObject& o = r.Object(0);
  ASSERT_EQ(o.QuadCount(), 1);
  ASSERT_EQ(o.TriangleCount(), 2);
  ASSERT_EQ(o.LineCount(), 1);
  const CMeshFace& quad = o.m_Faces.Quads()[0];
  ASSERT_NE(o.m_Faces.FaceUVs(FaceList::Quads, 0), nullptr);
  EXPECT_EQ(o.m_Faces.FaceUVs(FaceList::Quads, 0)->m_UV[1].u, 1.0f);
  EXPECT_EQ(o.m_Faces.FaceUVs(FaceList::Quads, 0)->m_UV[1].v, 0.0f);
  EXPECT_EQ(quad.m_nMaterial, -1);
  const CMeshFace& plain = o.m_Faces.Triangles()[0];
  EXPECT_EQ(plain.m_nMaterial, 1);
  ASSERT_EQ(o.m_Faces.UVs(FaceList::Triangles).size(), 2u);
  EXPECT_EQ(o.m_Faces.FaceUVs(FaceList::Triangles, 0)->m_UV[0], CVector2());  // u 0, v 1
  const CMeshFace& mapped = o.m_Faces.Triangles()[1];
  EXPECT_EQ(mapped.m_nMaterial, 2);
  EXPECT_EQ(o.m_Faces.FaceUVs(FaceList::Triangles, 1)->m_UV[0].u, 0.5f);
  EXPECT_EQ(o.m_Faces.FaceUVs(FaceList::Triangles, 1)->m_UV[0].v, 0.25f);
  EXPECT_EQ(mapped.m_Index[2], 3);
  EXPECT_EQ(o.m_Faces.Lines()[0].m_Index[1], 3);
}

TEST(MqoReader, CornerColoursDepthAndVertexColourFlag) {
  ReadDoc r(Mqo(
      "Material 2 {\n\t\"a\" col(1 1 1 1) vcol(1) dif(0.5)\n\t\"b\" col(1 1 1 1)\n}\n"
      "Object \"plain\" {\n\tdepth 1\n\tvertex 3 {\n\t\t0 0 0\n\t\t1 0 0\n\t\t1 1 0\n\t}\n"
      "\tface 1 {\n\t\t3 V(0 1 2)\n\t}\n}\n"
      "Object \"painted\" {\n\tvertex 5 {\n\t\t0 0 0\n\t\t1 0 0\n\t\t1 1 0\n\t\t0 1 0\n\t\t2 2 0\n\t}\n"
      "\tface 4 {\n\t\t3 V(0 1 2) M(0) COL(4278190335 4278255360 4294901760)\n"
      "\t\t4 V(0 1 2 3) COL(1 2 3 4)\n"
      "\t\t3 V(1 2 3) COL(7 8) M(1)\n"  // fewer words than corners
      "\t\t5 V(0 1 4 2 3) COL(10 11 12 13 14)\n\t}\n}\nEof\n"));
  ASSERT_TRUE(r.ok);
  EXPECT_EQ(r.Material(0).m_bVertexColour, 1);
  EXPECT_EQ(r.Material(0).m_fDiffuse, 0.5f);  // groups after vcol still apply
  EXPECT_EQ(r.Material(1).m_bVertexColour, 0);
  EXPECT_EQ(r.Object(0).m_nDepth, 1);
  EXPECT_EQ(r.Object(1).m_nDepth, 0);
  EXPECT_FALSE(r.Object(0).m_Faces.HasColours());  // nothing held without COL

  const CFaceArray& faces = r.Object(1).m_Faces;
  ASSERT_EQ(faces.TriangleCount(), 5);  // the pentagon became three triangles
  ASSERT_EQ(faces.QuadCount(), 1);
  const CCornerColours* red = faces.FaceColours(FaceList::Triangles, 0);
  ASSERT_NE(red, nullptr);
  EXPECT_EQ(red->m_Color[0], 0xFF0000FFu);  // red in the lowest byte
  EXPECT_EQ(red->m_Color[2], 0xFFFF0000u);
  EXPECT_EQ(faces.FaceColours(FaceList::Quads, 0)->m_Color[3], 4u);
  // The short COL is skipped and counted; its face, material and the faces
  // after it are kept.
  EXPECT_EQ(r.doc.m_nSkippedFaceColours, 1);
  EXPECT_EQ(faces.Triangles()[1].m_nMaterial, 1);
  EXPECT_EQ(faces.FaceColours(FaceList::Triangles, 1)->m_Color[0], CCornerColours::kWhite);
  // Each triangle of the pentagon takes the colours of its own corners.
  for (int t = 2; t < 5; ++t) {
    const CMeshFace& face = faces.Triangles()[static_cast<size_t>(t)];
    const CCornerColours* colours = faces.FaceColours(FaceList::Triangles, static_cast<size_t>(t));
    const int fromVertex[5] = {10, 11, 13, 14, 12};  // vertex -> its word
    for (int c = 0; c < 3; ++c) EXPECT_EQ(colours->m_Color[c], static_cast<uint32_t>(fromVertex[face.m_Index[c]]));
  }
}

TEST(MqoReader, BinaryVertices) {
  const float data[] = {1.0f, 2.0f, 3.0f, -4.0f, 5.5f, 0.0f, 7.0f, 8.0f, 9.0f};
  std::string block(reinterpret_cast<const char*>(data), sizeof data);
  ReadDoc r(
      "Metasequoia Document\r\nFormat Text Ver 1.1\r\nObject \"b\" {\r\n\tBVertex 3 {\r\n\t\tVector 3 "
      "[36]\r\n" +
      block + "\r\n\t}\r\n\tface 1 {\r\n\t\t3 V(0 1 2)\r\n\t}\r\n}\r\nEof\r\n");
  ASSERT_EQ(r.doc.ObjectCount(), 1);
  const CMeshObject& o = r.Object(0);
  ASSERT_EQ(o.VertexCount(), 3);
  EXPECT_EQ(o.m_Vertices.Position(0), CVector3(1, 2, -3));
  EXPECT_EQ(o.m_Vertices.Position(1), CVector3(-4, 5.5f, -0.0f));
  EXPECT_EQ(o.TriangleCount(), 1);

  ReadDoc empty(Mqo("Object \"e\" {\n\tBVertex 0 {\n\t\tVector 0 [0]\n\t}\n}\nObject \"next\" {\n}\nEof\n"));
  ASSERT_EQ(empty.doc.ObjectCount(), 2);
  EXPECT_EQ(empty.Object(0).VertexCount(), 0);
  EXPECT_EQ(empty.Object(1).m_strName, "next");
}

TEST(MqoReader, CodePageAndNamesKeptAsBytes) {
  ReadDoc utf8(Mqo("CodePage utf8\nObject \"\xE8\x85\x95\" {\n}\nEof\n"));
  EXPECT_TRUE(utf8.doc.m_bUtf8);
  EXPECT_EQ(utf8.Object(0).m_strName, "\xE8\x85\x95");
  ReadDoc sjis(Mqo("CodePage 932\nObject \"\x98\x72\" {\n}\nEof\n"));
  EXPECT_FALSE(sjis.doc.m_bUtf8);
  EXPECT_EQ(sjis.Object(0).m_strName, "\x98\x72");
}

TEST(MqoReader, UnknownTopLevelChunksAreSkippedWhole) {
  ReadDoc r(
      Mqo("Thumbnail 2 2 24 rgb raw {\n\tObject Material Scene\n}\n"
          "IncludeXml \"x.xml\"\nMaterialEx2 1 {\n\tmaterial 0 {\n\t\tshadertype \"hlsl\"\n\t}\n}\n"
          "Object \"real\" {\n}\nEof\nObject \"after_eof\" {\n}\n"));
  ASSERT_EQ(r.doc.ObjectCount(), 1);
  EXPECT_EQ(r.Object(0).m_strName, "real");
  EXPECT_EQ(r.doc.MaterialCount(), 0);
}

}  // namespace
}  // namespace brimvale

namespace brimvale {
namespace {

TEST(MqoReaderArchive, ZippedModelReadsLikeThePlainOne) {
  const std::string zipped = BRIMVALE_SOURCE_DIR "/examples/zipped_cage.mqoz";
  CQuorixDoc fromZip;
  MqoReadStatus status;
  ASSERT_TRUE(ReadMqoFile(fromZip, zipped, &status)) << status.reason;
  EXPECT_EQ(fromZip.m_strPathName, zipped);  // textures are looked up beside the archive
  EXPECT_EQ(fromZip.m_strTitle, "zipped_cage.mqoz");
  CQuorixDoc plain;
  ASSERT_TRUE(ReadMqoFile(plain, BRIMVALE_SOURCE_DIR "/examples/patch_cage.mqo"));
  ASSERT_EQ(fromZip.ObjectCount(), plain.ObjectCount());
  for (int i = 0; i < plain.ObjectCount(); ++i) {
    EXPECT_EQ(fromZip.Object(i)->m_strName, plain.Object(i)->m_strName);
    EXPECT_EQ(fromZip.Object(i)->QuadCount(), plain.Object(i)->QuadCount());
    EXPECT_EQ(fromZip.Object(i)->m_Vertices.Positions(), plain.Object(i)->m_Vertices.Positions());
  }
}

TEST(MqoReaderArchive, ArchivesWithoutAModelCannotBeOpened) {
  const std::string emptyZip = std::string("PK\x05\x06", 4) + std::string(18, '\0');
  test::ReadDoc empty(emptyZip);
  EXPECT_EQ(empty.status.result, MqoReadResult::CannotOpen);
  EXPECT_EQ(empty.status.reason, "the archive holds no .mqo file");
  test::ReadDoc broken(std::string("PK\x03\x04", 4) + "garbage");
  EXPECT_EQ(broken.status.result, MqoReadResult::CannotOpen);
  EXPECT_FALSE(broken.status.reason.empty());
  EXPECT_TRUE(broken.ui.messages.empty());
}

}  // namespace
}  // namespace brimvale
