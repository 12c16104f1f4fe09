// The object and document functions that do real work, their trace lines,
// and the calls that name something that is not there.
#include <gtest/gtest.h>

#include "brimvale/mq_plugin.h"
#include "document/mesh_builder.h"
#include "plugin_test_support.h"

namespace brimvale {
namespace {

using testing_support::PlugInTest;

// A handle a plug-in might pass that is not the token: must not matter.
MQObject StrayHandle() { return reinterpret_cast<MQObject>(static_cast<intptr_t>(0x10)); }

class ApiTest : public PlugInTest {
 protected:
  // Object with `vertices` vertices at (i, 2i, 3i), in the document.
  CMeshObject* AddDocObject(const char* name, int vertices) {
    CMeshObject* obj = m_Doc.AddObject();
    obj->m_strName = name;
    for (int i = 0; i < vertices; ++i) obj->m_Vertices.Add(CVector3(float(i), float(2 * i), float(3 * i)));
    return obj;
  }
  static void AddFace(CMeshObject* obj, std::initializer_list<int> corners) {
    CMeshFace face;
    face.m_nCorners = static_cast<int>(corners.size());
    int c = 0;
    for (int v : corners) face.m_Index[c++] = v;
    const FaceList list = corners.size() == 2 ? FaceList::Lines : corners.size() == 3 ? FaceList::Triangles : FaceList::Quads;
    obj->m_Faces.List(list).push_back(face);
  }
};

TEST_F(ApiTest, GetObjectMakesItCurrentWhateverHandleIsPassedLater) {
  AddDocObject("a", 1);
  AddDocObject("b", 2);
  AddDocObject("c", 5);
  MQObject token = MQDoc_GetObject(nullptr, 2);
  ASSERT_NE(token, nullptr);
  EXPECT_EQ(MQObj_GetVertexCount(StrayHandle()), 5);
  EXPECT_EQ(MQObj_GetVertexCount(nullptr), 5);
  // Every object gets the same token.
  EXPECT_EQ(MQDoc_GetObject(nullptr, 0), token);
  EXPECT_EQ(MQObj_GetVertexCount(token), 1);
  EXPECT_EQ(MQDoc_GetObjectIndex(nullptr, nullptr), 0);
  MQDoc_GetObject(nullptr, 1);
  EXPECT_EQ(MQDoc_GetObjectIndex(nullptr, nullptr), 1);
  EXPECT_EQ(MQDoc_GetObjectCount(nullptr), 3);
  EXPECT_EQ(LogLines(), (std::vector<std::string>{"GetObj", "GetVertexCount", "\t5", "GetVertexCount", "\t5", "GetObj",
                                                 "GetVertexCount", "\t1", "GetObjectIndex", "GetObj", "GetObjectIndex",
                                                 "GetObjCount"}));
}

TEST_F(ApiTest, CreatedObjectJoinsTheDocumentWithItsVertices) {
  AddDocObject("existing", 0);
  MQObject obj = MQ_CreateObject();
  MQPoint a{1, 2, 3}, b{4, 5, 6};
  EXPECT_EQ(MQObj_AddVertex(obj, &a), 0);
  EXPECT_EQ(MQObj_AddVertex(obj, &b), 1);
  EXPECT_EQ(MQDoc_GetObjectIndex(nullptr, obj), 0);  // not in the list yet
  EXPECT_EQ(m_Doc.ObjectCount(), 1);
  EXPECT_EQ(MQDoc_AddObject(nullptr, obj), 1);
  ASSERT_EQ(m_Doc.ObjectCount(), 2);
  EXPECT_EQ(m_Doc.Object(1)->VertexCount(), 2);
  EXPECT_EQ(m_Doc.Object(1)->m_Vertices.Position(1), CVector3(4, 5, 6));
  EXPECT_EQ(MQDoc_GetObjectIndex(nullptr, obj), 1);
  // Once the document owns it, it cannot be added a second time.
  EXPECT_EQ(MQDoc_AddObject(nullptr, obj), -1);
  EXPECT_EQ(m_Doc.ObjectCount(), 2);
  const auto lines = LogLines();
  EXPECT_EQ(std::vector<std::string>(lines.begin(), lines.begin() + 6),
            (std::vector<std::string>{"CreateObject", "AddVertex", "AddVertex", "GetObjectIndex", "DocAddObj",
                                      "DocAddObjEnd"}));
}

TEST_F(ApiTest, AddFaceTracesCornersAndCountsAndFilesByCornerCount) {
  MQObject obj = MQ_CreateObject();
  for (int i = 0; i < 4; ++i) {
    MQPoint p{float(i), 0, 0};
    MQObj_AddVertex(obj, &p);
  }
  ClearLog();
  const int tri[3] = {0, 1, 2};
  const int quad[4] = {0, 1, 2, 3};
  const int line[2] = {3, 0};
  EXPECT_EQ(MQObj_AddFace(obj, 3, tri), 0);
  EXPECT_EQ(MQObj_AddFace(obj, 4, quad), 0);
  // Triangles that carry colours and UVs: the next one gets white and new pairs.
  CMeshObject* current = plugin_api::CurrentObject();
  current->m_Faces.Colours(FaceList::Triangles).assign(1, CCornerColours{{1u, 2u, 3u, 4u}});
  current->m_Faces.UVs(FaceList::Triangles).assign(1, CCornerUVs{{{0.5f, 0.25f}, {}, {}, {}}});
  EXPECT_EQ(MQObj_AddFace(obj, 3, tri), 1);
  ASSERT_NE(current->m_Faces.FaceColours(FaceList::Triangles, 1), nullptr);
  EXPECT_EQ(current->m_Faces.FaceColours(FaceList::Triangles, 0)->m_Color[0], 1u);
  EXPECT_EQ(current->m_Faces.FaceColours(FaceList::Triangles, 1)->m_Color[0], CCornerColours::kWhite);
  ASSERT_NE(current->m_Faces.FaceUVs(FaceList::Triangles, 1), nullptr);
  EXPECT_EQ(current->m_Faces.FaceUVs(FaceList::Triangles, 0)->m_UV[0], (CVector2{0.5f, 0.25f}));
  EXPECT_EQ(current->m_Faces.FaceUVs(FaceList::Triangles, 1)->m_UV[0], CVector2());
  EXPECT_EQ(MQObj_AddFace(obj, 2, line), 0);
  const int five[5] = {0, 1, 2, 3, 0};
  EXPECT_EQ(MQObj_AddFace(obj, 5, five), 0);
  EXPECT_EQ(MQObj_AddFace(obj, 3, nullptr), 0);
  EXPECT_EQ(LogLines(), (std::vector<std::string>{"AddFace", "\t3\t0\t1\t2", "\t0\t0\t0",  //
                                                 "AddFace", "\t4\t0\t1\t2\t3", "\t0\t1\t0",  //
                                                 "AddFace", "\t3\t0\t1\t2", "\t0\t1\t1",  //
                                                 "AddFace", "\t2\t3\t0", "\t0\t2\t1",  //
                                                 "AddFace", "\t error", "\t1\t2\t1",  //
                                                 "AddFace", "\t error", "\t1\t2\t1"}));
  const CMeshObject* o = plugin_api::CurrentObject();
  EXPECT_EQ(o->LineCount(), 1);
  EXPECT_EQ(o->TriangleCount(), 2);
  EXPECT_EQ(o->QuadCount(), 1);
  EXPECT_EQ(o->m_Faces.Quads()[0].m_nCorners, 4);
  EXPECT_EQ(o->m_Faces.Lines()[0].m_Index[0], 3);
  // Texture coordinates and material stay at their defaults: no UVs kept.
  EXPECT_EQ(o->m_Faces.Quads()[0].m_nMaterial, -1);
  EXPECT_TRUE(o->m_Faces.UVs(FaceList::Quads).empty());
  EXPECT_FALSE(o->m_bEdgesBuilt);
}

TEST_F(ApiTest, AddFaceRefusesCornersThatNameNoVertex) {
  MQObject obj = MQ_CreateObject();
  MQPoint p{0, 0, 0};
  MQObj_AddVertex(obj, &p);
  MQObj_AddVertex(obj, &p);
  const int past[3] = {0, 1, 2};
  const int negative[2] = {-1, 0};
  EXPECT_EQ(MQObj_AddFace(obj, 3, past), 0);
  EXPECT_EQ(MQObj_AddFace(obj, 2, negative), 0);
  EXPECT_EQ(MQObj_GetFaceCount(obj), 0);
}

TEST_F(ApiTest, FaceNumbersRunThroughLinesTrianglesQuads) {
  CMeshObject* obj = AddDocObject("faces", 5);
  AddFace(obj, {0, 1});
  AddFace(obj, {0, 1, 2});
  AddFace(obj, {2, 3, 4});
  MQDoc_GetObject(nullptr, 0);
  ClearLog();
  EXPECT_EQ(MQObj_GetFaceCount(nullptr), 3);
  EXPECT_EQ(MQObj_GetFacePointCount(nullptr, 0), 2);
  EXPECT_EQ(MQObj_GetFacePointCount(nullptr, 1), 3);
  EXPECT_EQ(MQObj_GetFacePointCount(nullptr, 2), 3);
  EXPECT_EQ(MQObj_GetFacePointCount(nullptr, 3), 2);  // past the last face
  EXPECT_EQ(MQObj_GetFacePointCount(nullptr, -1), 0);
  int corners[4] = {-7, -7, -7, -7};
  MQObj_GetFacePointArray(nullptr, 2, corners);
  EXPECT_EQ(corners[0], 2);
  EXPECT_EQ(corners[2], 4);
  EXPECT_EQ(corners[3], -7);
  EXPECT_EQ(LogLines(), (std::vector<std::string>{"GetFaceCount", "\t3", "GetFacePointCount", "\t2",
                                                 "GetFacePointCount", "\t3", "GetFacePointCount", "\t3",
                                                 "GetFacePointCount", "\t2", "GetFacePointCount", "\t0",
                                                 "GetFacePointArray", "\t2\t3\t4"}));
  int untouched[4] = {-7, -7, -7, -7};
  MQObj_GetFacePointArray(nullptr, 3, untouched);
  MQObj_GetFacePointArray(nullptr, -1, untouched);
  MQObj_GetFacePointArray(nullptr, 0, nullptr);
  EXPECT_EQ(untouched[0], -7);
}

TEST_F(ApiTest, VertexAccessStaysInsideTheArray) {
  CMeshObject* obj = AddDocObject("v", 3);
  MQDoc_GetObject(nullptr, 0);
  MQPoint p{-1, -1, -1};
  MQObj_GetVertex(nullptr, 2, &p);
  EXPECT_EQ(p.y, 4.0f);
  MQPoint untouched{-1, -1, -1};
  MQObj_GetVertex(nullptr, 3, &untouched);
  MQObj_GetVertex(nullptr, -1, &untouched);
  EXPECT_EQ(untouched.x, -1.0f);
  const MQPoint moved{7, 8, 9};
  MQObj_SetVertex(nullptr, 1, &moved);
  MQObj_SetVertex(nullptr, 3, &moved);
  MQObj_SetVertex(nullptr, -5, &moved);
  MQObj_SetVertex(nullptr, 0, nullptr);
  EXPECT_EQ(obj->m_Vertices.Position(1), CVector3(7, 8, 9));
  EXPECT_EQ(obj->m_Vertices.Position(0), CVector3(0, 0, 0));
  MQPoint all[4] = {{-1, -1, -1}, {-1, -1, -1}, {-1, -1, -1}, {-1, -1, -1}};
  MQObj_GetVertexArray(nullptr, all);
  EXPECT_EQ(all[1].z, 9.0f);
  EXPECT_EQ(all[2].z, 6.0f);
  EXPECT_EQ(all[3].z, -1.0f);
  EXPECT_EQ(MQObj_DeleteVertex(nullptr, 2), 1);
  EXPECT_EQ(MQObj_DeleteVertex(nullptr, 3), 0);
  EXPECT_EQ(obj->VertexCount(), 3);  // deleting keeps the vertex
  EXPECT_EQ(MQObj_AddVertex(nullptr, nullptr), -1);
}

TEST_F(ApiTest, ReferenceCountsInversionAndSmoothing) {
  CMeshObject* obj = AddDocObject("r", 4);
  AddFace(obj, {0, 1, 2});
  AddFace(obj, {0, 2, 3});
  AddFace(obj, {0, 1, 2, 3});
  MQDoc_GetObject(nullptr, 0);
  EXPECT_EQ(MQObj_GetVertexRefCount(nullptr, 0), 3);
  EXPECT_EQ(MQObj_GetVertexRefCount(nullptr, 1), 2);
  EXPECT_EQ(MQObj_GetVertexRefCount(nullptr, 4), 0);
  EXPECT_EQ(MQObj_GetVertexRefCount(nullptr, -1), 0);
  EXPECT_EQ(MQObj_InvertFace(nullptr, 0), 1);
  EXPECT_EQ(MQObj_InvertFace(nullptr, 2), 1);
  EXPECT_EQ(MQObj_InvertFace(nullptr, 3), 0);
  EXPECT_EQ(MQObj_InvertFace(nullptr, -1), 0);
  const CMeshFace& tri = obj->m_Faces.Triangles()[0];
  EXPECT_EQ(tri.m_Index[0], 2);
  EXPECT_EQ(tri.m_Index[2], 0);
  EXPECT_EQ(obj->m_Faces.Quads()[0].m_Index[0], 3);
  EXPECT_EQ(obj->m_Faces.Triangles()[1].m_Index[0], 0);  // untouched
  EXPECT_FLOAT_EQ(MQObj_GetSmoothAngle(nullptr), 89.5f);
  MQObj_SetSmoothAngle(nullptr, 30.0f);
  EXPECT_FLOAT_EQ(obj->m_fFacetAngle, 30.0f);
  MQObj_SetName(nullptr, "renamed");
  MQObj_SetName(nullptr, nullptr);
  EXPECT_EQ(obj->m_strName, "renamed");
}

TEST_F(ApiTest, CloneAndFreezeWorkOnTheCurrentObject) {
  CMeshObject* obj = AddDocObject("original", 3);
  AddFace(obj, {0, 1, 2});
  obj->m_nMirrorType = 1;
  obj->m_fMirrorDistance = 55.0f;
  MQDoc_GetObject(nullptr, 0);
  ASSERT_NE(MQObj_Clone(nullptr), nullptr);
  EXPECT_EQ(MQObj_GetVertexCount(nullptr), 3);
  EXPECT_EQ(MQDoc_AddObject(nullptr, nullptr), 1);
  const CMeshObject* copy = m_Doc.Object(1);
  EXPECT_EQ(copy->m_strName, "original");
  EXPECT_EQ(copy->m_fMirrorDistance, 55.0f);
  EXPECT_EQ(copy->TriangleCount(), 1);
  EXPECT_EQ(copy->m_Vertices.Position(2), CVector3(2, 4, 6));
  // Freezing the copy bakes its mirror (across X) into its own geometry.
  MQObj_Freeze(nullptr);
  EXPECT_EQ(copy->m_nMirrorType, 0);
  EXPECT_EQ(copy->TriangleCount(), 2);
  EXPECT_EQ(obj->TriangleCount(), 1);
}

TEST_F(ApiTest, DeleteAndMergeThroughTheTokenDoNothing) {
  AddDocObject("a", 2);
  AddDocObject("b", 3);
  MQObject a = MQDoc_GetObject(nullptr, 0);
  MQObject b = MQDoc_GetObject(nullptr, 1);
  MQObj_Merge(a, b);
  MQObj_Delete(a);
  EXPECT_EQ(m_Doc.ObjectCount(), 2);
  EXPECT_EQ(m_Doc.Object(0)->VertexCount(), 2);
  EXPECT_EQ(m_Doc.Object(1)->VertexCount(), 3);
  EXPECT_EQ(MQObj_GetVertexCount(nullptr), 3);
  EXPECT_EQ(LogLines(), (std::vector<std::string>{"GetObj", "GetObj", "Merge", "OBJDelete", "GetVertexCount", "\t3"}));
}

TEST_F(ApiTest, DeletingTheCurrentObjectClearsIt) {
  AddDocObject("a", 2);
  CMeshObject* b = AddDocObject("b", 3);
  AddDocObject("c", 4);
  m_Doc.SetCurrentObject(b);
  MQDoc_GetObject(nullptr, 1);
  MQDoc_DeleteObject(nullptr, 1);
  ASSERT_EQ(m_Doc.ObjectCount(), 2);
  EXPECT_EQ(m_Doc.Object(1)->m_strName, "c");
  EXPECT_EQ(m_Doc.CurrentObject(), nullptr);
  // Nothing is current: the object functions have nothing to act on.
  MQPoint p{1, 1, 1};
  const int line[2] = {0, 1};
  EXPECT_EQ(MQObj_GetVertexCount(nullptr), 0);
  EXPECT_EQ(MQObj_AddVertex(nullptr, &p), -1);
  EXPECT_EQ(MQObj_AddFace(nullptr, 2, line), 0);
  EXPECT_EQ(MQObj_GetFaceCount(nullptr), 0);
  EXPECT_EQ(MQObj_GetFacePointCount(nullptr, 0), 0);
  EXPECT_EQ(MQObj_Clone(nullptr), nullptr);
  MQObj_Freeze(nullptr);
  MQObj_SetName(nullptr, "x");
  EXPECT_EQ(MQDoc_AddObject(nullptr, nullptr), -1);
  // Positions outside the list change nothing.
  MQDoc_DeleteObject(nullptr, 2);
  MQDoc_DeleteObject(nullptr, -1);
  EXPECT_EQ(m_Doc.ObjectCount(), 2);
  EXPECT_EQ(MQDoc_GetObject(nullptr, 2), nullptr);
  EXPECT_EQ(MQDoc_GetObject(nullptr, -1), nullptr);
  EXPECT_EQ(MQObj_GetVertexCount(nullptr), 0);
}

TEST_F(ApiTest, WhatAPlugInMakesStaysItsOwnUntilAddedOrTheDocumentIsReset) {
  MQObject obj = MQ_CreateObject();
  MQPoint p{1, 1, 1};
  MQObj_AddVertex(obj, &p);
  MQMaterial mat = MQ_CreateMaterial();
  // Made in one command, added in the next: still whole, still current.
  BeginPlugInCommand();
  EXPECT_EQ(MQObj_GetVertexCount(obj), 1);
  EXPECT_EQ(MQDoc_AddObject(nullptr, obj), 0);
  EXPECT_EQ(MQDoc_AddMaterial(nullptr, mat), 0);
  EXPECT_EQ(m_Doc.Object(0)->VertexCount(), 1);
  // A current object in the document stays current.
  BeginPlugInCommand();
  EXPECT_EQ(MQObj_GetVertexCount(obj), 1);
  // A reset of the document frees what was never added and clears it as current.
  MQ_CreateObject();
  MQ_CreateMaterial();
  m_Doc.Reset();
  EXPECT_EQ(plugin_api::CurrentObject(), nullptr);
  EXPECT_EQ(MQDoc_AddObject(nullptr, obj), -1);
  EXPECT_EQ(m_Doc.ObjectCount(), 0);
  MQ_CreateObject();
  const CMeshObject* spare = plugin_api::CurrentObject();
  SetActiveDocument(nullptr);  // closing the document does too
  EXPECT_EQ(plugin_api::ReleaseNewObject(spare), nullptr);
}

TEST_F(ApiTest, SelectionAndMaterialsOfTheDocument) {
  CMeshObject* obj = AddDocObject("s", 3);
  obj->m_Vertices.Attr(1).m_Flags |= CVertexAttr::kSelected;
  EXPECT_EQ(MQDoc_IsSelectVertex(nullptr, 0, 1), 1);
  EXPECT_EQ(MQDoc_IsSelectVertex(nullptr, 0, 0), 0);
  EXPECT_EQ(MQDoc_IsSelectVertex(nullptr, 0, 3), 0);
  EXPECT_EQ(MQDoc_IsSelectVertex(nullptr, 1, 1), 0);
  EXPECT_EQ(MQDoc_IsSelectVertex(nullptr, -1, 1), 0);

  CMaterial* existing = m_Doc.AddMaterial();
  EXPECT_EQ(MQDoc_GetMaterialCount(nullptr), 1);
  EXPECT_EQ(MQDoc_GetMaterial(nullptr, 0), reinterpret_cast<MQMaterial>(existing));
  EXPECT_EQ(MQDoc_GetMaterial(nullptr, 1), nullptr);
  EXPECT_EQ(MQDoc_GetMaterial(nullptr, -1), nullptr);
  MQMaterial made = MQ_CreateMaterial();
  ASSERT_NE(made, nullptr);
  EXPECT_EQ(MQDoc_AddMaterial(nullptr, made), 1);
  EXPECT_EQ(MQDoc_AddMaterial(nullptr, made), -1);  // already the document's
  EXPECT_EQ(MQDoc_AddMaterial(nullptr, nullptr), -1);
  // The document's materials are not deleted through a handle: faces refer to them by index.
  MQMat_Delete(made);
  EXPECT_EQ(m_Doc.MaterialCount(), 2);
  EXPECT_EQ(m_Doc.Material(1), reinterpret_cast<CMaterial*>(made));
  // One the plug-in still owns is.
  MQMaterial spare = MQ_CreateMaterial();
  MQMat_Delete(spare);
  EXPECT_EQ(MQDoc_AddMaterial(nullptr, spare), -1);
  EXPECT_EQ(m_Doc.MaterialCount(), 2);
}

TEST_F(ApiTest, WithoutADocumentNothingIsTouched) {
  SetActiveDocument(nullptr);
  EXPECT_EQ(MQDoc_GetObjectCount(nullptr), 0);
  EXPECT_EQ(MQDoc_GetObject(nullptr, 0), nullptr);
  EXPECT_EQ(MQDoc_GetMaterialCount(nullptr), 0);
  EXPECT_EQ(MQDoc_GetMaterial(nullptr, 0), nullptr);
  MQ_CreateObject();
  EXPECT_EQ(MQDoc_AddObject(nullptr, nullptr), -1);
  EXPECT_EQ(MQDoc_AddMaterial(nullptr, MQ_CreateMaterial()), -1);
  MQDoc_DeleteObject(nullptr, 0);
  EXPECT_EQ(MQDoc_IsSelectVertex(nullptr, 0, 0), 0);
  EXPECT_EQ(MQDoc_GetObjectIndex(nullptr, nullptr), 0);
}

}  // namespace
}  // namespace brimvale
