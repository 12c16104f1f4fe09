// The whole derivation chain (lathe, mirrors, four patch passes, smooth
// normals) on the largest corpus model, every object with patch subdivision
// turned on at 16 segments, caching each result as the view does, objects
// derived on 1 and on 2 threads. Reports the time and the peak memory above the
// loaded document. BM_OutputMeshes does the same through the output mesh
// builder as the exports call it (a batch of objects at a time, each laid out
// and dropped). BRIMVALE_CHAIN_MODEL names another model.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "bench_memory.h"
#include "document/mesh_builder.h"
#include "document/mqo_reader.h"
#include "document/quorix_doc.h"
#include "geometry/parallel_derivation.h"
#include "mesh/output_mesh_builder.h"

namespace brimvale {
namespace {

std::string ModelPath() {
  if (const char* path = std::getenv("BRIMVALE_CHAIN_MODEL")) return path;
  const std::filesystem::path here = std::filesystem::path(__FILE__).parent_path();
  return (here / "../../shared/corpus/mqo/rtm-unofficial/src/main/resources/assets/minecraft/models/n2100_mc.mqoz")
      .lexically_normal()
      .string();
}

// The model with patch subdivision at 16 segments on every object.
bool ReadPatchedModel(CQuorixDoc& doc, benchmark::State& state) {
  const std::string path = ModelPath();
  if (!ReadMqoFile(doc, path)) {
    state.SkipWithError(("cannot read " + path).c_str());
    return false;
  }
  for (const auto& object : doc.m_Objects) {
    object->m_nPatchType = 1;
    object->m_nPatchSegments = 16;
  }
  return true;
}

void BM_DerivationChain(benchmark::State& state) {
  const int threads = static_cast<int>(state.range(0));
  CQuorixDoc doc;
  if (!ReadPatchedModel(doc, state)) return;
  const size_t baseline = bench::ResidentBytes();
  double quads = 0.0, sourceFaces = 0.0;
  for (auto _ : state) {
    std::vector<CMeshObject*> objects;
    for (const auto& object : doc.m_Objects) objects.push_back(object.get());
    BuildDerivedGeometryInParallel(objects, &doc.Display, threads);
    state.PauseTiming();
    quads = sourceFaces = 0.0;
    for (const auto& object : doc.m_Objects) {
      quads += object->m_pDerived->QuadCount();
      sourceFaces += object->TriangleCount() + object->QuadCount();
    }
    doc.DiscardAllDerived();
    state.ResumeTiming();
  }
  state.counters["objects"] = doc.ObjectCount();
  state.counters["source_faces"] = sourceFaces;
  state.counters["derived_quads"] = quads;
  state.counters["peak_MB"] = static_cast<double>(bench::PeakResidentBytes() - baseline) / 1048576.0;
}
BENCHMARK(BM_DerivationChain)->Arg(1)->Arg(2)->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_OutputMeshes(benchmark::State& state) {
  SetDerivationThreads(static_cast<int>(state.range(0)));
  CQuorixDoc doc;
  if (!ReadPatchedModel(doc, state)) return;
  std::vector<const CMeshObject*> objects;
  for (const auto& object : doc.m_Objects) objects.push_back(object.get());
  const COutputMeshOptions options = OutputMeshOptionsFor(doc, nullptr, true);
  const size_t baseline = bench::ResidentBytes();
  double quads = 0.0;
  for (auto _ : state) {
    quads = 0.0;
    ForEachOutputMesh(objects, options, [&quads](size_t, const COutputMesh& mesh) {
      quads += static_cast<double>(mesh.QuadCount());
      return true;
    });
  }
  SetDerivationThreads(0);
  state.counters["objects"] = doc.ObjectCount();
  state.counters["derived_quads"] = quads;
  state.counters["peak_MB"] = static_cast<double>(bench::PeakResidentBytes() - baseline) / 1048576.0;
}
BENCHMARK(BM_OutputMeshes)->Arg(1)->Arg(2)->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
}  // namespace brimvale

BENCHMARK_MAIN();
