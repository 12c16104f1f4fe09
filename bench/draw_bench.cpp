// Frames per second of the view for a generated model of 1,000,000 triangles
// (a torus of 1000 x 500 quads, each split in two), 800 x 600, smooth shading,
// offscreen on whatever OpenGL the EGL context gets (Mesa llvmpipe here):
// the shipped path (faces in a buffer object built once per derived-geometry
// build) next to the reference path (client vertex array, per-corner
// glNormal / glTexCoord and glArrayElement). Before timing, both paths draw
// the same frame and the pictures are compared pixel by pixel.
//
//   build/bin/draw_bench --benchmark_counters_tabular=true
#include <benchmark/benchmark.h>

#include <array>
#include <cmath>
#include <cstdio>
#include <memory>

#include "document/quorix_doc.h"
#include "scene/derived_geometry.h"
#include "view/offscreen_render.h"

namespace brimvale {
namespace {

constexpr int kWidth = 800;
constexpr int kHeight = 600;
constexpr int kRings = 1000;
constexpr int kSegments = 500;

void MakeTriangleTorus(CMeshObject& obj) {
  obj.m_Vertices.SetSize(kRings * kSegments);
  for (int i = 0; i < kRings; ++i) {
    const double u = 6.283185307 * i / kRings;
    for (int j = 0; j < kSegments; ++j) {
      const double v = 6.283185307 * j / kSegments;
      const double r = 100.0 + 40.0 * std::cos(v);
      obj.m_Vertices.Position(i * kSegments + j) = CVector3(static_cast<float>(r * std::cos(u)),
                                                            static_cast<float>(40.0 * std::sin(v)),
                                                            static_cast<float>(r * std::sin(u)));
    }
  }
  auto& tris = obj.m_Faces.Triangles();
  tris.reserve(static_cast<size_t>(2) * kRings * kSegments);
  for (int i = 0; i < kRings; ++i) {
    for (int j = 0; j < kSegments; ++j) {
      const int a = i * kSegments + j, b = i * kSegments + (j + 1) % kSegments;
      const int c = ((i + 1) % kRings) * kSegments + (j + 1) % kSegments, d = ((i + 1) % kRings) * kSegments + j;
      for (const auto& corners : {std::array<int, 3>{a, c, d}, std::array<int, 3>{a, b, c}}) {
        CMeshFace f;
        f.m_nCorners = 3;
        CCornerUVs uvs;
        for (int k = 0; k < 3; ++k) {
          f.m_Index[k] = corners[static_cast<size_t>(k)];
          uvs.m_UV[k] = CVector2{static_cast<float>(j) / kSegments, static_cast<float>(i) / kRings};
        }
        tris.push_back(f);
        obj.m_Faces.UVs(FaceList::Triangles).push_back(uvs);
      }
    }
  }
}

struct BenchScene {
  CQuorixDoc doc;
  COffscreenView view;
  bool ready = false;
  bool identical = false;
  int faceBuilds = 0;
};

BenchScene& Scene() {
  static BenchScene* scene = [] {
    auto* s = new BenchScene;
    if (!s->view.Open(kWidth, kHeight)) {
      std::fprintf(stderr, "draw_bench: no offscreen OpenGL: %s\n", s->view.Error().c_str());
      return s;
    }
    MakeTriangleTorus(*s->doc.AddObject());
    s->doc.m_Scene.m_vPosition = CVector3(0.0f, 250.0f, -330.0f);
    EnsureDerivedGeometry(s->doc, *s->doc.Object(0));
    s->view.Renderer().SetUseBuffers(false);
    const CRgbPicture plain = s->view.Render(s->doc);
    s->view.Renderer().SetUseBuffers(true);
    const CRgbPicture shipped = s->view.Render(s->doc);
    s->identical = plain.pixels == shipped.pixels;
    s->ready = true;
    return s;
  }();
  return *scene;
}

void RunFrames(benchmark::State& state, bool buffers) {
  BenchScene& s = Scene();
  if (!s.ready) {
    state.SkipWithError("no offscreen OpenGL");
    return;
  }
  s.view.Renderer().SetUseBuffers(buffers);
  const int buildsBefore = s.view.Renderer().Cache().FaceBuildCount();
  for (auto _ : state) s.view.Draw(s.doc);
  state.counters["fps"] = benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
  state.counters["triangles"] = static_cast<double>(s.doc.Object(0)->TriangleCount());
  state.counters["identical"] = s.identical ? 1.0 : 0.0;
  state.counters["buffer_builds"] = s.view.Renderer().Cache().FaceBuildCount() - buildsBefore;
  state.SetLabel(s.view.Context().Description());
}

void BM_DrawFrameShipped(benchmark::State& state) { RunFrames(state, true); }
void BM_DrawFramePlain(benchmark::State& state) { RunFrames(state, false); }

BENCHMARK(BM_DrawFramePlain)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(3.0);
BENCHMARK(BM_DrawFrameShipped)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(3.0);

}  // namespace
}  // namespace brimvale

BENCHMARK_MAIN();
