// Patch subdivision of a closed all-quad torus of 100,000 quads, 1 to 4 passes,
// as the derivation chain runs it (each spent pass released before the next
// pass's links are built). Meant to run cold: one benchmark per process
// (see run_geometry_bench.sh), one iteration each, so the memory figure is the
// process's peak over the subdivision alone.
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdint>
#include <memory>
#include <vector>

#include "bench_memory.h"
#include "document/mesh_builder.h"
#include "geometry/patch_subdivision.h"

namespace brimvale {
namespace {

// A torus grid of rings x segments quads: closed, every vertex of valence 4.
void MakeTorus(CMeshObject& obj, int rings, int segments) {
  obj.m_Vertices.SetSize(rings * segments);
  for (int i = 0; i < rings; ++i) {
    const float u = 6.2831853f * static_cast<float>(i) / static_cast<float>(rings);
    for (int j = 0; j < segments; ++j) {
      const float v = 6.2831853f * static_cast<float>(j) / static_cast<float>(segments);
      const float r = 3.0f + std::cos(v);
      obj.m_Vertices.Position(i * segments + j) = CVector3(r * std::cos(u), std::sin(v), r * std::sin(u));
    }
  }
  auto& quads = obj.m_Faces.Quads();
  quads.reserve(static_cast<size_t>(rings) * static_cast<size_t>(segments));
  for (int i = 0; i < rings; ++i) {
    for (int j = 0; j < segments; ++j) {
      CMeshFace f;
      f.m_nCorners = 4;
      f.m_Index[0] = i * segments + j;
      f.m_Index[1] = i * segments + (j + 1) % segments;
      f.m_Index[2] = ((i + 1) % rings) * segments + (j + 1) % segments;
      f.m_Index[3] = ((i + 1) % rings) * segments + j;
      quads.push_back(f);
    }
  }
  CMeshBuilder builder(&obj);
  builder.BuildVertexLinks();  // as the reader leaves an object
}

// Gives every corner of the torus a colour of its own, as a model whose faces
// carry COL does.
void ColourCorners(CMeshObject& obj) {
  auto& colours = obj.m_Faces.Colours(FaceList::Quads);
  colours.resize(obj.m_Faces.Quads().size());
  for (size_t f = 0; f < colours.size(); ++f) {
    for (int c = 0; c < 4; ++c) colours[f].m_Color[c] = 0xFF000000u | static_cast<uint32_t>(f * 4 + static_cast<size_t>(c));
  }
}

void Subdivide(benchmark::State& state, bool coloured) {
  const int passes = static_cast<int>(state.range(0));
  CMeshObject base;
  MakeTorus(base, 400, 250);
  if (coloured) ColourCorners(base);
  const size_t baseline = bench::ResidentBytes();
  double outputQuads = 0.0;
  for (auto _ : state) {
    std::unique_ptr<CMeshObject> current;
    CMeshObject* source = &base;
    for (int pass = 0; pass < passes; ++pass) {
      auto next = std::make_unique<CMeshObject>();
      SubdivideOnce(*source, *next, pass + 1 < passes);  // the view's last pass keeps no edges
      current = std::move(next);  // releases the spent pass
      source = current.get();
    }
    // The next consumer (normals, freezing) builds the links of the result.
    CMeshBuilder(current.get()).BuildVertexFaceLinks();
    outputQuads = current->QuadCount();
    benchmark::DoNotOptimize(current->m_Vertices.Positions().data());
    state.PauseTiming();
    current.reset();
    state.ResumeTiming();
  }
  const double peak = static_cast<double>(bench::PeakResidentBytes() - baseline);
  state.counters["output_quads"] = outputQuads;
  state.counters["quads_per_s"] = benchmark::Counter(outputQuads * static_cast<double>(state.iterations()),
                                                     benchmark::Counter::kIsRate);
  state.counters["peak_bytes_per_quad"] = peak / outputQuads;
}

void BM_Subdivide(benchmark::State& state) { Subdivide(state, false); }
BENCHMARK(BM_Subdivide)->DenseRange(1, 4)->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime();

// Corner colours ride along: 16 more bytes per output quad, blended per pass.
void BM_SubdivideColoured(benchmark::State& state) { Subdivide(state, true); }
BENCHMARK(BM_SubdivideColoured)->DenseRange(1, 4)->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime();

// The floor no subdivision can beat: allocating and writing just the output's
// positions and corner indices, through the same operator new. The closed
// torus keeps as many vertices as quads at every pass.
void BM_TouchFloor(benchmark::State& state) {
  const size_t quads = size_t{100000} << (2 * state.range(0));
  const size_t baseline = bench::ResidentBytes();
  for (auto _ : state) {
    std::vector<CVector3> positions(quads);
    std::vector<int32_t> corners(4 * quads);
    for (size_t i = 0; i < quads; ++i) positions[i] = CVector3(static_cast<float>(i), 0.0f, 1.0f);
    for (size_t i = 0; i < corners.size(); ++i) corners[i] = static_cast<int32_t>(i);
    benchmark::DoNotOptimize(positions.data());
    benchmark::DoNotOptimize(corners.data());
    state.PauseTiming();
    positions = {};
    corners = {};
    state.ResumeTiming();
  }
  const double peak = static_cast<double>(bench::PeakResidentBytes() - baseline);
  state.counters["output_quads"] = static_cast<double>(quads);
  state.counters["quads_per_s"] = benchmark::Counter(static_cast<double>(quads) * static_cast<double>(state.iterations()),
                                                     benchmark::Counter::kIsRate);
  state.counters["peak_bytes_per_quad"] = peak / static_cast<double>(quads);
}
BENCHMARK(BM_TouchFloor)->DenseRange(1, 4)->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime();

// The same through FreezeModifiers: the chain plus baking the result into the
// object with its edge and face links, as the exporter and the time command do.
void BM_FreezePatch(benchmark::State& state) {
  const int passes = static_cast<int>(state.range(0));
  CMeshObject base;
  MakeTorus(base, 400, 250);
  const size_t baseline = bench::ResidentBytes();
  double outputQuads = 0.0;
  for (auto _ : state) {
    state.PauseTiming();
    auto object = std::make_unique<CMeshObject>();
    CMeshBuilder builder(object.get());
    builder.CopyGeometryFrom(base);
    object->m_nPatchType = 1;
    object->m_nPatchSegments = 2 << (passes - 1);
    state.ResumeTiming();
    builder.FreezeModifiers();
    outputQuads = object->QuadCount();
    state.PauseTiming();
    object.reset();
    state.ResumeTiming();
  }
  const double peak = static_cast<double>(bench::PeakResidentBytes() - baseline);
  state.counters["output_quads"] = outputQuads;
  state.counters["quads_per_s"] = benchmark::Counter(outputQuads * static_cast<double>(state.iterations()),
                                                     benchmark::Counter::kIsRate);
  state.counters["peak_bytes_per_quad"] = peak / outputQuads;
}
BENCHMARK(BM_FreezePatch)->DenseRange(1, 4)->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
}  // namespace brimvale

BENCHMARK_MAIN();
