// The shipped face path (buffers built once per derived geometry, textures
// uploaded once per change) against the per-corner reference path.
#include <gtest/gtest.h>

#include "model_texts.h"
#include "render_fixture.h"
#include "view/gl_api.h"

namespace brimvale::test {
namespace {

constexpr int kW = 160;
constexpr int kH = 120;

void Quadrants(const std::string& path) {
  CRgbPicture picture;
  picture.width = picture.height = 32;
  picture.pixels.resize(32 * 32 * 3);
  for (size_t i = 0; i < picture.pixels.size(); ++i) picture.pixels[i] = static_cast<uint8_t>((i * 37) % 251);
  ASSERT_TRUE(WritePng(path, picture));
}

class DrawPathTest : public RenderTest {
 protected:
  CRgbPicture RenderWith(CQuorixDoc& doc, bool buffers) {
    m_View->Renderer().SetUseBuffers(buffers);
    return Render(doc, kW, kH);
  }
  void ExpectSamePictures(CQuorixDoc& doc, const char* what) {
    const CRgbPicture reference = RenderWith(doc, false);
    const CRgbPicture shipped = RenderWith(doc, true);
    EXPECT_EQ(reference.pixels, shipped.pixels) << what;
  }
};

TEST_F(DrawPathTest, BothPathsGivePixelIdenticalPictures) {
  const std::string folder = ScratchFolder("draw_paths");
  Quadrants(folder + "/noise.png");
  CQuorixDoc textured, cylinder, triangles;
  ASSERT_TRUE(LoadModelText(textured, folder, "square", TexturedSquareText("noise.png")));
  ASSERT_TRUE(LoadModelText(cylinder, folder, "cylinder", HalfCylinderText(2)));
  ASSERT_TRUE(LoadModelText(triangles, folder, "triangles", HalfCylinderText(2, true)));
  for (CQuorixDoc* doc : {&textured, &cylinder, &triangles}) {
    doc->m_Scene.m_vPosition = CVector3(-80.0f, 60.0f, -250.0f);
    doc->Display.CullBackFaces = false;
  }
  ExpectSamePictures(textured, "textured, smooth");
  ExpectSamePictures(cylinder, "default material, smooth");
  ExpectSamePictures(triangles, "triangles, smooth");
  triangles.Display.SmoothShading = false;
  ExpectSamePictures(triangles, "triangles, flat");
  cylinder.Display.SmoothShading = false;
  ExpectSamePictures(cylinder, "default material, flat");
  cylinder.TurntableAngle = 40.0f;
  cylinder.Display.ShowEdges = cylinder.Display.ShowVertices = true;
  ExpectSamePictures(cylinder, "turned, with points and edges");
  // Corners spread over buffers of a few quads each, as a huge mesh's are.
  CViewGlCache::SetCornersPerPart(12);
  for (CQuorixDoc* doc : {&cylinder, &triangles}) {
    for (auto& object : doc->m_Objects) object->DiscardDerived();
  }
  ExpectSamePictures(cylinder, "quads in parts of three");
  ExpectSamePictures(triangles, "triangles in the first part");
  CViewGlCache::SetCornersPerPart(size_t{1} << 24);
}

TEST_F(DrawPathTest, BuffersAreBuiltOncePerDerivedGeometryAndTexturesOncePerChange) {
  const std::string folder = ScratchFolder("draw_cache");
  Quadrants(folder + "/noise.png");
  CQuorixDoc doc;
  ASSERT_TRUE(LoadModelText(doc, folder, "square", TexturedSquareText("noise.png")));
  const CViewGlCache& cache = m_View->Renderer().Cache();
  for (int i = 0; i < 3; ++i) Render(doc, kW, kH);
  EXPECT_EQ(cache.FaceBuildCount(), 1);
  EXPECT_EQ(cache.TextureUploadCount(), 1);

  doc.Object(0)->DiscardDerived();  // a rebuilt derived geometry gets a new buffer
  Render(doc, kW, kH);
  Render(doc, kW, kH);
  EXPECT_EQ(cache.FaceBuildCount(), 2);
  doc.Display.SmoothShading = false;  // other normals: another buffer
  Render(doc, kW, kH);
  EXPECT_EQ(cache.FaceBuildCount(), 3);

  const CRgbPicture before = Render(doc, kW, kH);
  CTextureBuffer& buffer = doc.Material(0)->m_TextureBuffer;
  for (size_t i = 0; i < buffer.Bytes(); i += 4) buffer.Texels()[i] = 255;  // full red
  buffer.Touch();
  const CRgbPicture after = Render(doc, kW, kH);
  EXPECT_EQ(cache.TextureUploadCount(), 2);
  EXPECT_NE(before.pixels, after.pixels);
  Render(doc, kW, kH);
  EXPECT_EQ(cache.TextureUploadCount(), 2);
}

TEST_F(DrawPathTest, DeferredBuffersComeInPiecesAndShowTheSamePicture) {
  CQuorixDoc doc;
  ASSERT_TRUE(LoadModelText(doc, ScratchFolder("deferred"), "cylinder", HalfCylinderText(2)));
  doc.m_Scene.m_vPosition = CVector3(-80.0f, 60.0f, -250.0f);
  doc.Display.ShowGrid = doc.Display.ShowAxes = false;
  const CRgbPicture empty = [&] {
    CQuorixDoc none;
    none.Display = doc.Display;
    none.m_Scene = doc.m_Scene;
    return Render(none, kW, kH);
  }();
  const CRgbPicture whole = Render(doc, kW, kH);
  ASSERT_NE(whole.pixels, empty.pixels);

  CViewGlCache& cache = m_View->Renderer().Cache();
  cache.Release();
  cache.SetDeferred(true);
  cache.SetDeferredFaces(0);
  EXPECT_EQ(Render(doc, kW, kH).pixels, empty.pixels);  // nothing before the buffer is complete
  std::vector<CViewGlCache::CFaceRequest> requests = cache.TakeRequests();
  ASSERT_EQ(requests.size(), 1u);
  EXPECT_TRUE(cache.TakeRequests().empty());
  Render(doc, kW, kH);
  EXPECT_TRUE(cache.TakeRequests().empty()) << "asked again while the first is under way";
  const CViewGlCache::CFaceRequest& request = requests[0];
  cache.BeginUpload(request.ownerId, PrepareFaces(*request.owner, *request.derived, request.smooth, request.options, 8));
  int turns = 1;
  while (!cache.UploadSome(5)) ++turns;
  EXPECT_GT(turns, 3);
  EXPECT_EQ(Render(doc, kW, kH).pixels, whole.pixels);

  // Derived again (as after an edit): the kept buffer is drawn until the new one is complete.
  doc.Object(0)->DiscardDerived();
  EXPECT_EQ(Render(doc, kW, kH).pixels, whole.pixels);
  ASSERT_EQ(cache.TakeRequests().size(), 1u);
  cache.SetDeferred(false);
}

TEST_F(DrawPathTest, ASingleFrameTakesTheDerivedMeshOverWithTheSamePicture) {
  CQuorixDoc doc;
  ASSERT_TRUE(LoadModelText(doc, ScratchFolder("taken"), "cylinder", HalfCylinderText(2)));
  doc.m_Scene.m_vPosition = CVector3(-80.0f, 60.0f, -250.0f);
  const CRgbPicture kept = Render(doc, kW, kH);
  m_View->Renderer().Cache().Release();
  m_View->Renderer().Cache().SetTakeDerived(true);
  EXPECT_EQ(Render(doc, kW, kH).pixels, kept.pixels);
  EXPECT_EQ(doc.Object(0)->m_pDerived, nullptr);
}

TEST_F(DrawPathTest, AZeroSizedClientAreaDrawsNothing) {
  CQuorixDoc doc;
  Render(doc, kW, kH);
  const std::vector<uint8_t> first = m_View->Context().ReadPixelsRgb();
  doc.m_crBackground = PackColor(10, 200, 10);
  m_View->Renderer().DrawFrame(doc, 0, kH);
  m_View->Renderer().DrawFrame(doc, kW, 0);
  EXPECT_EQ(m_View->Context().ReadPixelsRgb(), first);
  m_View->Renderer().DrawFrame(doc, kW, kH);
  EXPECT_NE(m_View->Context().ReadPixelsRgb(), first);
}

TEST_F(DrawPathTest, ObjectsWithoutFacesOrHiddenDrawOnlyWhatTheyMay) {
  CQuorixDoc doc;
  doc.Display.ShowGrid = false;
  doc.Display.ShowAxes = false;
  const CRgbPicture empty = Render(doc, kW, kH);
  CMeshObject* object = doc.AddObject();
  object->m_Vertices.SetSize(2);
  object->m_Vertices.Position(0) = CVector3(-50.0f, 0.0f, 0.0f);
  object->m_Vertices.Position(1) = CVector3(50.0f, 0.0f, 0.0f);
  EXPECT_EQ(Render(doc, kW, kH).pixels, empty.pixels);  // no faces, no toggles: nothing
  doc.Display.ShowVertices = true;
  EXPECT_NE(Render(doc, kW, kH).pixels, empty.pixels);
  object->m_bVisible = 0;
  EXPECT_EQ(Render(doc, kW, kH).pixels, empty.pixels);
}

}  // namespace
}  // namespace brimvale::test
