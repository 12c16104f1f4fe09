#include "geometry/time_measurement.h"

#include <chrono>
#include <vector>

#include "document/mesh_builder.h"
#include "document/quorix_doc.h"
#include "geometry/parallel_derivation.h"

namespace brimvale {

namespace {

using Clock = std::chrono::steady_clock;

double MillisecondsSince(Clock::time_point start) {
  return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

}  // namespace

CGeometryTimes MeasureGeometryTimes(const CQuorixDoc& doc) {
  double freezeMs = 0.0, normalsMs = 0.0, smoothMs = 0.0;
  // Each step runs on every object at once, one object per derivation thread;
  // a step's time is the time until its last object is done.
  std::vector<CMeshObject*> sources;
  for (const auto& object : doc.m_Objects)
    if (object) sources.push_back(object.get());
  if (sources.empty()) return CGeometryTimes{};  // nothing to time: zeros, not the clock's own cost
  const std::vector<size_t> order = CostliestFirst(sources);
  const int threads = DerivationThreads();
  std::vector<CMeshObject> scratch(sources.size());
  auto timed = [&](double& milliseconds, void (*step)(CMeshObject&)) {
    const auto start = Clock::now();
    RunInParallel(scratch.size(), threads, [&](size_t i) { step(scratch[i]); }, nullptr, &order);
    milliseconds += MillisecondsSince(start);
  };
  for (int repetition = 0; repetition < kTimeRepetitions; ++repetition) {
    for (size_t i = 0; i < sources.size(); ++i) {
      CMeshBuilder builder(&scratch[i]);
      builder.CopyAttributesFrom(*sources[i]);
      builder.CopyGeometryFrom(*sources[i]);
    }
    timed(freezeMs, [](CMeshObject& object) { CMeshBuilder(&object).FreezeModifiers(); });
    timed(normalsMs, [](CMeshObject& object) { CMeshBuilder(&object).ComputeFaceNormals(); });
    for (CMeshObject& object : scratch) {
      object.m_Faces.m_TriangleCornerNormals.Clear();
      object.m_Faces.m_QuadCornerNormals.Clear();
    }
    timed(smoothMs, [](CMeshObject& object) { CMeshBuilder(&object).ComputeSmoothNormals(); });
    for (CMeshObject& object : scratch) {
      object.m_Faces.FreeNormals();
      CMeshBuilder(&object).ClearGeometry();
    }
  }
  CGeometryTimes times;
  times.freezeSeconds = freezeMs / 1000.0;
  times.normalsSeconds = normalsMs / 1000.0;
  times.smoothSeconds = smoothMs / 1000.0;
  return times;
}

}  // namespace brimvale
