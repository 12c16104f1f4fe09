// Trace names and fixed results of the functions that do no work, and the
// export of every function by its plain name.
#include <dlfcn.h>
#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <map>
#include <set>
#include <string>

#include "brimvale/mq_plugin.h"
#include "plugin/api_table.h"
#include "plugin_test_support.h"

namespace brimvale {
namespace {

using testing_support::PlugInTest;

struct FixedCall {
  const char* trace;
  std::function<double()> call;  // the result, or 0 where there is none
  double expected;
};

MQObject Obj() { return nullptr; }
MQMaterial Mat() { return nullptr; }

TEST_F(PlugInTest, TraceOnlyFunctionsLogTheirNameAndGiveTheirFixedResult) {
  char buffer[16] = "unchanged";
  MQPoint point{0, 0, 0};
  MQCoordinate uv[4] = {};
  MQColor color{0, 0, 0};
  float matrix[16] = {};
  const FixedCall calls[] = {
      {"ImportAxis", [&] { MQ_ImportAxis(nullptr, &point, 1); return 0.0; }, 0},
      {"ExportAxis", [&] { MQ_ExportAxis(nullptr, &point, 1); return 0.0; }, 0},
      {"LoadImage", [] { return double(MQ_LoadImage("a.bmp", nullptr, nullptr, 0)); }, 0},
      {"GetSystemPath", [&] { return double(MQ_GetSystemPath(buffer, 0)); }, 0},
      {"GetCurrentObjIndex", [] { return double(MQDoc_GetCurrentObjectIndex(nullptr)); }, 0},
      {"SetCurrentObjIndex", [] { MQDoc_SetCurrentObjectIndex(nullptr, 3); return 0.0; }, 0},
      {"GetCurrentMaterialIndex", [] { return double(MQDoc_GetCurrentMaterialIndex(nullptr)); }, -1},
      {"SetCurrentMaterialIndex", [] { MQDoc_SetCurrentMaterialIndex(nullptr, 0); return 0.0; }, 0},
      {"DeleteMaterial", [] { MQDoc_DeleteMaterial(nullptr, 0); return 0.0; }, 0},
      {"FindMappingFile", [&] { return double(MQDoc_FindMappingFile(nullptr, buffer, "t.bmp", 0)); }, 0},
      {"DocCompact", [] { MQDoc_Compact(nullptr); return 0.0; }, 0},
      {"ClearSelect", [] { MQDoc_ClearSelect(nullptr, 7); return 0.0; }, 0},
      {"AddSelectVertex", [] { return double(MQDoc_AddSelectVertex(nullptr, 0, 0)); }, 0},
      {"DeleteSelectVertex", [] { return double(MQDoc_DeleteSelectVertex(nullptr, 0, 0)); }, 0},
      {"AddSelectLine", [] { return double(MQDoc_AddSelectLine(nullptr, 0, 0, 0)); }, 0},
      {"DeleteSelectLine", [] { return double(MQDoc_DeleteSelectLine(nullptr, 0, 0, 0)); }, 0},
      {"IsSelectLine", [] { return double(MQDoc_IsSelectLine(nullptr, 0, 0, 0)); }, 0},
      {"AddSelectFace", [] { return double(MQDoc_AddSelectFace(nullptr, 0, 0)); }, 0},
      {"DeleteSelectFace", [] { return double(MQDoc_DeleteSelectFace(nullptr, 0, 0)); }, 0},
      {"IsSelectFace", [] { return double(MQDoc_IsSelectFace(nullptr, 0, 0)); }, 0},
      {"GetScene", [] { return MQDoc_GetScene(nullptr, 0) ? 1.0 : 0.0; }, 0},
      {"SceneInitSize", [] { MQScene_InitSize(nullptr, 640, 480); return 0.0; }, 0},
      {"GetProjMatrix", [&] { MQScene_GetProjMatrix(nullptr, matrix); return 0.0; }, 0},
      {"GetViewMatrix", [&] { MQScene_GetViewMatrix(nullptr, matrix); return 0.0; }, 0},
      {"GetName", [&] { MQObj_GetName(Obj(), buffer, sizeof buffer); return 0.0; }, 0},
      {"GetFaceCoordinateArray", [&] { MQObj_GetFaceCoordinateArray(Obj(), 0, uv); return 0.0; }, 0},
      {"GetFaceMaterial", [] { return double(MQObj_GetFaceMaterial(Obj(), 0)); }, -1},
      {"GetVertexColor", [] { return double(MQObj_GetVertexColor(Obj(), 0)); }, 0},
      {"SetVertexColor", [] { MQObj_SetVertexColor(Obj(), 0, 0xffffff); return 0.0; }, 0},
      {"GetVertexWeight", [] { return double(MQObj_GetVertexWeight(Obj(), 0)); }, 0},
      {"SetVertexWeight", [] { MQObj_SetVertexWeight(Obj(), 0, 0.5f); return 0.0; }, 0},
      {"CopyVertexAttribute", [] { MQObj_CopyVertexAttribute(Obj(), 0, Obj(), 1); return 0.0; }, 0},
      {"Deleteface", [] { return double(MQObj_DeleteFace(Obj(), 0)); }, 0},
      {"SetFaceMaterial", [] { MQObj_SetFaceMaterial(Obj(), 0, 1); return 0.0; }, 0},
      {"SetfaceCoordinateArray", [&] { MQObj_SetFaceCoordinateArray(Obj(), 0, uv); return 0.0; }, 0},
      {"OptimizeVertex", [] { MQObj_OptimizeVertex(Obj(), 1.0f); return 0.0; }, 0},
      {"OBJCompact", [] { MQObj_Compact(Obj()); return 0.0; }, 0},
      {"GetVisible", [] { return double(MQObj_GetVisible(Obj())); }, 0},
      {"SetVisible", [] { MQObj_SetVisible(Obj(), 1); return 0.0; }, 0},
      {"GetPatchType", [] { return double(MQObj_GetPatchType(Obj())); }, 0},
      {"SetPatchType", [] { MQObj_SetPatchType(Obj(), 1); return 0.0; }, 0},
      {"GetPatchSegment", [] { return double(MQObj_GetPatchSegment(Obj())); }, 0},
      {"SetPatchSegment", [] { MQObj_SetPatchSegment(Obj(), 4); return 0.0; }, 0},
      {"GetShading", [] { return double(MQObj_GetShading(Obj())); }, 0},
      {"SetShading", [] { MQObj_SetShading(Obj(), 1); return 0.0; }, 0},
      {"GetMirrorType", [] { return double(MQObj_GetMirrorType(Obj())); }, 0},
      {"SetMirrorType", [] { MQObj_SetMirrorType(Obj(), 1); return 0.0; }, 0},
      {"GetMirrorAxis", [] { return double(MQObj_GetMirrorAxis(Obj())); }, 0},
      {"SetMirrorAxis", [] { MQObj_SetMirrorAxis(Obj(), 1); return 0.0; }, 0},
      {"GetMirrorDistance", [] { return double(MQObj_GetMirrorDistance(Obj())); }, 0},
      {"SetMirrorDistance", [] { MQObj_SetMirrorDistance(Obj(), 5.0f); return 0.0; }, 0},
      {"GetLatheType", [] { return double(MQObj_GetLatheType(Obj())); }, 0},
      {"SetLatheType", [] { MQObj_SetLatheType(Obj(), 1); return 0.0; }, 0},
      {"GetLatheAxis", [] { return double(MQObj_GetLatheAxis(Obj())); }, 0},
      {"SetLatheAxis", [] { MQObj_SetLatheAxis(Obj(), 2); return 0.0; }, 0},
      {"GetLatheSegment", [] { return double(MQObj_GetLatheSegment(Obj())); }, 0},
      {"SetLatheSegment", [] { MQObj_SetLatheSegment(Obj(), 8); return 0.0; }, 0},
      {"GetName", [&] { MQMat_GetName(Mat(), buffer, sizeof buffer); return 0.0; }, 0},
      {"GetColor", [&] { MQMat_GetColor(Mat(), &color); return 0.0; }, 0},
      {"GetAlpha", [] { return double(MQMat_GetAlpha(Mat())); }, 0},
      {"GetDiffuse", [] { return double(MQMat_GetDiffuse(Mat())); }, 0},
      {"GetAmbient", [] { return double(MQMat_GetAmbient(Mat())); }, 0},
      {"GetEmission", [] { return double(MQMat_GetEmission(Mat())); }, 0},
      {"GetSpecular", [] { return double(MQMat_GetSpecular(Mat())); }, 0},
      {"GetPower", [] { return double(MQMat_GetPower(Mat())); }, 0},
      {"GetTextureName", [&] { MQMat_GetTextureName(Mat(), buffer, sizeof buffer); return 0.0; }, 0},
      {"GetAlphaName", [&] { MQMat_GetAlphaName(Mat(), buffer, sizeof buffer); return 0.0; }, 0},
      {"GetBumpName", [&] { MQMat_GetBumpName(Mat(), buffer, sizeof buffer); return 0.0; }, 0},
      {"SetName", [] { MQMat_SetName(Mat(), "m"); return 0.0; }, 0},
      {"SetColor", [&] { MQMat_SetColor(Mat(), &color); return 0.0; }, 0},
      {"SetAlpha", [] { MQMat_SetAlpha(Mat(), 0.5f); return 0.0; }, 0},
      {"SetDiffuse", [] { MQMat_SetDiffuse(Mat(), 0.5f); return 0.0; }, 0},
      {"SetAmbient", [] { MQMat_SetAmbient(Mat(), 0.5f); return 0.0; }, 0},
      {"SetEmission", [] { MQMat_SetEmission(Mat(), 0.5f); return 0.0; }, 0},
      {"SetSpecular", [] { MQMat_SetSpecular(Mat(), 0.5f); return 0.0; }, 0},
      {"SetPower", [] { MQMat_SetPower(Mat(), 0.5f); return 0.0; }, 0},
      {"SetTextureName", [] { MQMat_SetTextureName(Mat(), "t.bmp"); return 0.0; }, 0},
      {"SetAlphaName", [] { MQMat_SetAlphaName(Mat(), "a.bmp"); return 0.0; }, 0},
      {"SetBumpName", [] { MQMat_SetBumpName(Mat(), "b.bmp"); return 0.0; }, 0},
      {"GetWindowHandle", [] { return MQ_GetWindowHandle() ? 1.0 : 0.0; }, 0},
      {"MatDelete", [] { MQMat_Delete(Mat()); return 0.0; }, 0},
  };
  std::vector<std::string> expected;
  for (const FixedCall& c : calls) {
    EXPECT_EQ(c.call(), c.expected) << c.trace;
    expected.push_back(c.trace);
  }
  EXPECT_EQ(LogLines(), expected);
}

TEST_F(PlugInTest, TextGettersWriteAnEmptyStringAndCaptionsAreDecoded) {
  for (auto getter : {+[](char* b, int n) { MQObj_GetName(Obj(), b, n); },
                      +[](char* b, int n) { MQMat_GetName(Mat(), b, n); },
                      +[](char* b, int n) { MQMat_GetTextureName(Mat(), b, n); },
                      +[](char* b, int n) { MQMat_GetAlphaName(Mat(), b, n); },
                      +[](char* b, int n) { MQMat_GetBumpName(Mat(), b, n); }}) {
    char buffer[4] = {'x', 'y', 'z', '\0'};
    getter(buffer, 0);
    EXPECT_STREQ(buffer, "xyz");
    getter(buffer, 1);
    EXPECT_STREQ(buffer, "");
    EXPECT_EQ(buffer[1], 'y');  // nothing past the string
    getter(nullptr, 8);
  }
  // A Shift-JIS caption shows as Japanese, as menu texts do.
  struct : CUserInterface {
    void MessageBox(const std::string& text, const std::string& caption) override { shown = text + "|" + caption; }
    std::string shown;
  } ui;
  m_Doc.SetUserInterface(&ui);
  EXPECT_EQ(MQ_ShowFileDialog("\x8a\x4a\x82\xad"), 1);  // 開く in CP932
  m_Doc.SetUserInterface(nullptr);
  EXPECT_EQ(ui.shown, "ShowFileDialog|\u958b\u304f");
}

// Plug-in authors learn from the header which functions do no work.
TEST(PlugInHeader, MarksEveryTraceOnlyFunctionAndTheRequiredEntryPoints) {
  std::ifstream in(BRIMVALE_SOURCE_DIR "/include/brimvale/mq_plugin.h");
  std::vector<std::string> lines;
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  const char* const traceOnly[] = {
      "MQ_ImportAxis", "MQ_ExportAxis", "MQ_LoadImage", "MQ_GetSystemPath", "MQDoc_GetCurrentObjectIndex",
      "MQDoc_SetCurrentObjectIndex", "MQDoc_GetCurrentMaterialIndex", "MQDoc_SetCurrentMaterialIndex",
      "MQDoc_DeleteMaterial", "MQDoc_FindMappingFile", "MQDoc_Compact", "MQDoc_ClearSelect",
      "MQDoc_AddSelectVertex", "MQDoc_DeleteSelectVertex", "MQDoc_AddSelectLine", "MQDoc_DeleteSelectLine",
      "MQDoc_IsSelectLine", "MQDoc_AddSelectFace", "MQDoc_DeleteSelectFace", "MQDoc_IsSelectFace",
      "MQDoc_GetScene", "MQScene_InitSize", "MQScene_GetProjMatrix", "MQScene_GetViewMatrix", "MQObj_Delete",
      "MQObj_Merge", "MQObj_GetName", "MQObj_GetFaceCoordinateArray", "MQObj_GetFaceMaterial",
      "MQObj_GetVertexColor", "MQObj_SetVertexColor", "MQObj_GetVertexWeight", "MQObj_SetVertexWeight",
      "MQObj_CopyVertexAttribute", "MQObj_DeleteFace", "MQObj_SetFaceMaterial", "MQObj_SetFaceCoordinateArray",
      "MQObj_OptimizeVertex", "MQObj_Compact", "MQObj_GetVisible", "MQObj_SetVisible", "MQObj_GetPatchType",
      "MQObj_SetPatchType", "MQObj_GetPatchSegment", "MQObj_SetPatchSegment", "MQObj_GetShading",
      "MQObj_SetShading", "MQObj_GetSmoothAngle", "MQObj_SetSmoothAngle", "MQObj_GetMirrorType",
      "MQObj_SetMirrorType", "MQObj_GetMirrorAxis", "MQObj_SetMirrorAxis", "MQObj_GetMirrorDistance",
      "MQObj_SetMirrorDistance", "MQObj_GetLatheType", "MQObj_SetLatheType", "MQObj_GetLatheAxis",
      "MQObj_SetLatheAxis", "MQObj_GetLatheSegment", "MQObj_SetLatheSegment", "MQMat_GetName", "MQMat_GetColor",
      "MQMat_GetAlpha", "MQMat_SetName", "MQMat_SetTextureName", "MQMat_GetBumpName", "MQMat_SetPower"};
  // Marked on its own line, or by the comment above the run of declarations it is in.
  auto marked = [&](const std::string& name) {
    for (size_t i = 0; i < lines.size(); ++i) {
      if (lines[i].find(" " + name + "(") == std::string::npos) continue;
      if (lines[i].find("trace only") != std::string::npos) return true;
      size_t k = i;
      while (k > 0 && lines[k - 1].find('(') != std::string::npos && lines[k - 1].find("/*") == std::string::npos) --k;
      for (; k > 0 && lines[k - 1].find("/*") == std::string::npos; --k) {
        if (lines[k - 1].empty() || lines[k - 1].find('(') != std::string::npos) return false;
      }
      return k > 0 && lines[k - 1].find("race only") != std::string::npos;
    }
    return false;
  };
  for (const char* name : traceOnly) EXPECT_TRUE(marked(name)) << name;
  EXPECT_FALSE(marked("MQObj_AddFace"));
  std::string all;
  for (const std::string& line : lines) all += line + " ";
  EXPECT_NE(all.find("must export MQEnumString"), std::string::npos);
}

TEST_F(PlugInTest, EveryLineIsAppendedAndTheFolderIsMadeWhenMissing) {
  EXPECT_EQ(TraceLogPath(), (m_Folder / "brimvale" / "debug.txt").string());
  std::filesystem::remove_all(m_Folder / "brimvale");
  TraceLine("first");
  TraceLine("\n\n");
  TraceLine("last");
  EXPECT_EQ(LogText(), "first\n\n\n\nlast\n");
  // Without XDG_STATE_HOME (or with a relative one) the log lives in the home folder.
  ::setenv("XDG_STATE_HOME", "relative/state", 1);
  const char* home = std::getenv("HOME");
  if (home && *home) {
    EXPECT_EQ(TraceLogPath(), std::string(home) + "/.local/state/brimvale/debug.txt");
  }
}

TEST(ExportedApi, HoldsEveryFunctionOnceAndTheProgramExportsThemByName) {
  const auto table = ExportedApi();
  EXPECT_EQ(table.size(), 112u);
  std::set<std::string> names;
  std::map<std::string, int> families;
  for (const CExportedFunction& f : table) {
    EXPECT_TRUE(names.insert(f.name).second) << f.name;
    const std::string name = f.name;
    families[name.substr(0, name.find('_'))]++;
    // A plug-in finds it by its undecorated name in this very program.
    void* found = ::dlsym(RTLD_DEFAULT, f.name);
    EXPECT_EQ(found, reinterpret_cast<void*>(f.address)) << f.name;
  }
  EXPECT_EQ(families, (std::map<std::string, int>{{"MQ", 8}, {"MQDoc", 26}, {"MQScene", 3}, {"MQObj", 52}, {"MQMat", 23}}));
}

}  // namespace
}  // namespace brimvale
