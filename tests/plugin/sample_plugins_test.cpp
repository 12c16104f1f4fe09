// The sample plug-ins that ship in Plugins/ beside the program.
#include <gtest/gtest.h>

#include <algorithm>

#include "plugin/plugin_manager.h"
#include "plugin_test_support.h"

namespace brimvale {
namespace {

using testing_support::PlugInTest;
using testing_support::SamplePlugInFolder;

class RecordingUserInterface : public CUserInterface {
 public:
  void MessageBox(const std::string& text, const std::string& caption) override {
    boxes.push_back(text + "|" + caption);
  }
  void RedrawActiveView() override { ++redraws; }
  std::vector<std::string> boxes;
  int redraws = 0;
};

int IdOf(const CPlugInManager& manager, PlugInKind kind, const std::string& text) {
  for (const CPlugInMenuItem& item : manager.BuildMenu(kind)) {
    if (item.text == text) return item.id;
  }
  return -1;
}

TEST_F(PlugInTest, SampleCreateAddsACubeWithEdgesAndLinksBuilt) {
  CPlugInManager manager(SamplePlugInFolder());
  EXPECT_TRUE(manager.SkipReports().empty());
  const int cube = IdOf(manager, PlugInKind::Create, "Cube");
  ASSERT_EQ(cube, 200);
  RecordingUserInterface ui;
  m_Doc.SetUserInterface(&ui);
  ClearLog();
  ASSERT_TRUE(manager.OnPlugInCommand(cube));
  m_Doc.SetUserInterface(nullptr);
  EXPECT_EQ(ui.redraws, 1);

  ASSERT_EQ(m_Doc.ObjectCount(), 1);
  const CMeshObject& obj = *m_Doc.Object(0);
  EXPECT_EQ(obj.m_strName, "cube");
  ASSERT_EQ(obj.VertexCount(), 8);
  EXPECT_EQ(obj.m_Vertices.Position(0), CVector3(-50, -50, -50));
  EXPECT_EQ(obj.m_Vertices.Position(7), CVector3(50, 50, 50));
  ASSERT_EQ(obj.QuadCount(), 6);
  EXPECT_EQ(obj.TriangleCount(), 0);
  const int first[4] = {1, 3, 7, 5};
  for (int c = 0; c < 4; ++c) EXPECT_EQ(obj.m_Faces.Quads()[0].m_Index[c], first[c]);
  // Rebuilt after the command: 12 edges, three of them and three quads at each corner.
  EXPECT_TRUE(obj.m_bEdgesBuilt);
  EXPECT_TRUE(obj.m_bVertexEdgeLinksValid);
  EXPECT_TRUE(obj.m_bVertexFaceLinksValid);
  EXPECT_EQ(obj.EdgeCount(), 12);
  for (int v = 0; v < 8; ++v) {
    EXPECT_EQ(obj.m_Vertices.Links(v).EdgeCount(), 3);
    EXPECT_EQ(obj.m_Vertices.Links(v).QuadCount(), 3);
  }

  std::vector<std::string> expected = {"", "", "", "CreateObject", "SetName"};
  for (int i = 0; i < 8; ++i) expected.push_back("AddVertex");
  const char* quads[] = {"\t4\t1\t3\t7\t5", "\t4\t0\t4\t6\t2", "\t4\t2\t6\t7\t3",
                         "\t4\t0\t1\t5\t4", "\t4\t4\t5\t7\t6", "\t4\t0\t2\t3\t1"};
  for (int q = 0; q < 6; ++q) {
    expected.insert(expected.end(), {"AddFace", quads[q], "\t0\t0\t" + std::to_string(q)});
  }
  expected.insert(expected.end(), {"DocAddObj", "DocAddObjEnd", "DoEnd", "DoEnd2"});
  EXPECT_EQ(LogLines(), expected);
}

TEST_F(PlugInTest, SampleCylinderThenInvertAndSelectionReport) {
  CPlugInManager manager(SamplePlugInFolder());
  ASSERT_TRUE(manager.OnPlugInCommand(IdOf(manager, PlugInKind::Create, "Cylinder")));
  ASSERT_EQ(m_Doc.ObjectCount(), 1);
  CMeshObject& cylinder = *m_Doc.Object(0);
  EXPECT_EQ(cylinder.m_strName, "cylinder");
  EXPECT_EQ(cylinder.VertexCount(), 34);
  EXPECT_EQ(cylinder.QuadCount(), 16);
  EXPECT_EQ(cylinder.TriangleCount(), 32);
  EXPECT_EQ(cylinder.EdgeCount(), 16 * 5);  // rings, sides and spokes
  const CMeshFace before = cylinder.m_Faces.Quads()[3];
  const CMeshFace beforeTri = cylinder.m_Faces.Triangles()[5];

  ASSERT_TRUE(manager.OnPlugInCommand(IdOf(manager, PlugInKind::Object, "Invert all faces")));
  const CMeshFace& after = cylinder.m_Faces.Quads()[3];
  for (int c = 0; c < 4; ++c) EXPECT_EQ(after.m_Index[c], before.m_Index[3 - c]);
  for (int c = 0; c < 3; ++c) EXPECT_EQ(cylinder.m_Faces.Triangles()[5].m_Index[c], beforeTri.m_Index[2 - c]);
  EXPECT_TRUE(cylinder.m_bEdgesBuilt);
  EXPECT_EQ(cylinder.EdgeCount(), 16 * 5);

  cylinder.m_Vertices.Attr(0).m_Flags |= CVertexAttr::kSelected;
  cylinder.m_Vertices.Attr(33).m_Flags |= CVertexAttr::kSelected;
  RecordingUserInterface ui;
  m_Doc.SetUserInterface(&ui);
  ASSERT_TRUE(manager.OnPlugInCommand(IdOf(manager, PlugInKind::Select, "Count selected vertices")));
  m_Doc.SetUserInterface(nullptr);
  EXPECT_EQ(ui.boxes, std::vector<std::string>{"ShowFileDialog|2 selected vertices"});
}

}  // namespace
}  // namespace brimvale
