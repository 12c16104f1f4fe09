// Every model of the shared corpus, when it is present, renders without a
// crash and shows something, seen by a camera fitted to the model.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "corpus_models.h"
#include "document/mqo_reader.h"
#include "render_fixture.h"

namespace brimvale::test {
namespace {

// Looks at the middle of the model's vertices from the front-left, far enough
// to see all of it.
bool FitCamera(CQuorixDoc& doc) {
  bool any = false;
  CVector3 lo(0, 0, 0), hi(0, 0, 0);
  for (const auto& object : doc.m_Objects) {
    for (const CVector3& p : object->m_Vertices.Positions()) {
      lo = any ? Min(lo, p) : p;
      hi = any ? Max(hi, p) : p;
      any = true;
    }
  }
  if (!any) return false;
  CVector3 centre((lo.x + hi.x) / 2, (lo.y + hi.y) / 2, (lo.z + hi.z) / 2);
  const float radius = std::max(Subtract(hi, lo).Length() / 2.0f, 1.0f);
  // Scaling the model to a radius of 100 instead of moving the camera keeps
  // it between the fixed near and far planes, however small or large it is.
  const float scale = 100.0f / radius;
  for (const auto& object : doc.m_Objects) {
    for (CVector3& p : object->m_Vertices.Positions()) p = CVector3((p.x - centre.x) * scale, (p.y - centre.y) * scale, (p.z - centre.z) * scale);
    object->DiscardDerived();
  }
  const float distance = radius * scale * 3.0f;
  doc.m_Scene.m_vLookAt = CVector3(0, 0, 0);
  doc.m_Scene.m_vPosition = CVector3(-distance * 0.4f, distance * 0.3f, -distance * 0.86f);
  return true;
}

TEST_F(RenderTest, EveryCorpusModelRendersAndShowsSomething) {
  const CorpusListing corpus = ListCorpus();
  if (!corpus.present) GTEST_SKIP() << "no corpus at " << corpus.root;
  ASSERT_EQ(corpus.error, "");
  CQuorixDoc empty;
  empty.Display.ShowGrid = false;
  empty.Display.ShowAxes = false;
  const CRgbPicture nothing = Render(empty, 160, 120);
  int rendered = 0;
  for (const std::filesystem::path& model : corpus.models) {
    const std::string path = model.string();
    CQuorixDoc doc;
    if (!ReadMqoFile(doc, path)) continue;  // the reader's own tests judge unreadable files
    Render(doc, 160, 120);                  // with the file's own camera
    if (!FitCamera(doc)) continue;
    doc.Display.ShowGrid = false;
    doc.Display.ShowAxes = false;
    doc.Display.CullBackFaces = false;
    doc.Display.ShowVertices = true;  // models of lines or points only show too
    const CRgbPicture picture = Render(doc, 160, 120);
    size_t differing = 0;
    for (size_t i = 0; i < picture.pixels.size(); ++i) differing += picture.pixels[i] != nothing.pixels[i] ? 1 : 0;
    EXPECT_GT(differing, 50u) << path;
    ++rendered;
  }
  EXPECT_GT(rendered, 0);
}

}  // namespace
}  // namespace brimvale::test
