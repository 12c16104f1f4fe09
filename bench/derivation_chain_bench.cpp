// The whole derivation chain (lathe, mirrors, four patch passes, smooth
// normals) on the largest corpus model, every object with patch subdivision
// turned on at 16 segments, caching each result as the view does. Reports the
// time and the peak memory above the loaded document. BRIMVALE_CHAIN_MODEL
// names another model.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "bench_memory.h"
#include "document/mesh_builder.h"
#include "document/mqo_reader.h"
#include "document/quorix_doc.h"

namespace brimvale {
namespace {

std::string ModelPath() {
  if (const char* path = std::getenv("BRIMVALE_CHAIN_MODEL")) return path;
  const std::filesystem::path here = std::filesystem::path(__FILE__).parent_path();
  return (here / "../../shared/corpus/mqo/rtm-unofficial/src/main/resources/assets/minecraft/models/n2100_mc.mqoz")
      .lexically_normal()
      .string();
}

void BM_DerivationChain(benchmark::State& state) {
  CQuorixDoc doc;
  const std::string path = ModelPath();
  if (!ReadMqoFile(doc, path)) {
    state.SkipWithError(("cannot read " + path).c_str());
    return;
  }
  for (const auto& object : doc.m_Objects) {
    object->m_nPatchType = 1;
    object->m_nPatchSegments = 16;
  }
  const size_t baseline = bench::ResidentBytes();
  double quads = 0.0, sourceFaces = 0.0;
  for (auto _ : state) {
    quads = sourceFaces = 0.0;
    for (const auto& object : doc.m_Objects) {
      CMeshBuilder(object.get()).BuildDerivedGeometry(&doc.Display);
      quads += object->m_pDerived->QuadCount();
      sourceFaces += object->TriangleCount() + object->QuadCount();
    }
    state.PauseTiming();
    doc.DiscardAllDerived();
    state.ResumeTiming();
  }
  state.counters["objects"] = doc.ObjectCount();
  state.counters["source_faces"] = sourceFaces;
  state.counters["derived_quads"] = quads;
  state.counters["peak_MB"] = static_cast<double>(bench::PeakResidentBytes() - baseline) / 1048576.0;
}
BENCHMARK(BM_DerivationChain)->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
}  // namespace brimvale

BENCHMARK_MAIN();
