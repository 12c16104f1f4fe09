// Facet-angle smooth normals on 1,000,000 triangles against a plain
// area-weighted vertex-normal pass over the same mesh, in the same run. The
// smooth pass starts without vertex-face links, as after any geometry stage.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cmath>
#include <vector>

#include "document/mesh_builder.h"

namespace brimvale {
namespace {

using Clock = std::chrono::steady_clock;

// A wavy height field of cols x rows quads, each split into two triangles.
void MakeTerrain(CMeshObject& obj, int cols, int rows) {
  const int stride = cols + 1;
  obj.m_Vertices.SetSize(stride * (rows + 1));
  for (int y = 0; y <= rows; ++y) {
    for (int x = 0; x <= cols; ++x) {
      const float h = std::sin(static_cast<float>(x) * 0.05f) * std::cos(static_cast<float>(y) * 0.07f) * 8.0f;
      obj.m_Vertices.Position(y * stride + x) = CVector3(static_cast<float>(x), h, static_cast<float>(y));
    }
  }
  auto& triangles = obj.m_Faces.Triangles();
  triangles.reserve(2 * static_cast<size_t>(cols) * static_cast<size_t>(rows));
  for (int y = 0; y < rows; ++y) {
    for (int x = 0; x < cols; ++x) {
      const int a = y * stride + x, b = a + 1, c = a + stride + 1, d = a + stride;
      CMeshFace t;
      t.m_nCorners = 3;
      t.m_Index[0] = a;
      t.m_Index[1] = b;
      t.m_Index[2] = c;
      triangles.push_back(t);
      t.m_Index[1] = c;
      t.m_Index[2] = d;
      triangles.push_back(t);
    }
  }
}

// The baseline: each vertex gets the normalised sum of the unnormalised cross
// products of its triangles (area weighting).
void AreaWeightedNormals(const CMeshObject& obj, std::vector<CVector3>& normals) {
  normals.assign(static_cast<size_t>(obj.VertexCount()), CVector3(0.0f, 0.0f, 0.0f));
  const auto& p = obj.m_Vertices.Positions();
  for (const CMeshFace& f : obj.m_Faces.Triangles()) {
    const CVector3& p0 = p[static_cast<size_t>(f.m_Index[0])];
    const CVector3& p1 = p[static_cast<size_t>(f.m_Index[1])];
    const CVector3& p2 = p[static_cast<size_t>(f.m_Index[2])];
    const float ax = p1.x - p2.x, ay = p1.y - p2.y, az = p1.z - p2.z;
    const float bx = p1.x - p0.x, by = p1.y - p0.y, bz = p1.z - p0.z;
    const CVector3 w(ay * bz - az * by, az * bx - ax * bz, ax * by - ay * bx);
    for (int c = 0; c < 3; ++c) normals[static_cast<size_t>(f.m_Index[c])].Add(w);
  }
  for (CVector3& n : normals) {
    const float length = std::sqrt(n.LengthSquared());
    if (length > 0.0f) n.Scale(1.0f / length);
  }
}

void BM_SmoothVsAreaWeighted(benchmark::State& state) {
  CMeshObject obj;
  MakeTerrain(obj, 1000, 500);  // 1,000,000 triangles
  std::vector<CVector3> plain;
  double plainSeconds = 0.0, smoothSeconds = 0.0;
  CMeshBuilder builder(&obj);
  for (auto _ : state) {
    auto start = Clock::now();
    AreaWeightedNormals(obj, plain);
    benchmark::DoNotOptimize(plain.data());
    plainSeconds += std::chrono::duration<double>(Clock::now() - start).count();

    obj.m_bVertexFaceLinksValid = 0;
    start = Clock::now();
    builder.ComputeSmoothNormals();
    benchmark::DoNotOptimize(obj.m_Faces.m_TriangleCornerNormals.m_Table.data());
    smoothSeconds += std::chrono::duration<double>(Clock::now() - start).count();
  }
  const double n = static_cast<double>(state.iterations());
  state.counters["triangles"] = obj.TriangleCount();
  state.counters["plain_ms"] = plainSeconds / n * 1000.0;
  state.counters["smooth_ms"] = smoothSeconds / n * 1000.0;
  state.counters["ratio"] = smoothSeconds / plainSeconds;
}
BENCHMARK(BM_SmoothVsAreaWeighted)->Iterations(5)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
}  // namespace brimvale

BENCHMARK_MAIN();
