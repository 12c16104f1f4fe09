#include "geometry/time_measurement.h"

#include <chrono>
#include <cstdio>
#include <vector>

#include "document/mesh_builder.h"
#include "document/quorix_doc.h"

namespace brimvale {

namespace {

using Clock = std::chrono::steady_clock;

double MillisecondsSince(Clock::time_point start) {
  return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

std::string Figure(double value) {
  char text[64];
  std::snprintf(text, sizeof text, "%0.4f", value);
  return text;
}

}  // namespace

CGeometryTimes MeasureGeometryTimes(const CQuorixDoc& doc) {
  double freezeMs = 0.0, normalsMs = 0.0, smoothMs = 0.0;
  CMeshObject scratch;
  CMeshBuilder builder(&scratch);
  for (int repetition = 0; repetition < kTimeRepetitions; ++repetition) {
    for (const auto& object : doc.m_Objects) {
      if (!object) continue;
      builder.CopyAttributesFrom(*object);
      builder.CopyGeometryFrom(*object);

      auto start = Clock::now();
      builder.FreezeModifiers();
      freezeMs += MillisecondsSince(start);

      start = Clock::now();
      builder.ComputeFaceNormals();
      normalsMs += MillisecondsSince(start);

      std::vector<CVector3>().swap(scratch.m_Faces.m_TriangleCornerNormals);
      std::vector<CVector3>().swap(scratch.m_Faces.m_QuadCornerNormals);
      start = Clock::now();
      builder.ComputeSmoothNormals();
      smoothMs += MillisecondsSince(start);

      scratch.m_Faces.FreeNormals();
      builder.ClearGeometry();
    }
  }
  CGeometryTimes times;
  times.freezeSeconds = freezeMs / 1000.0;
  times.normalsSeconds = normalsMs / 1000.0;
  times.smoothSeconds = smoothMs / 1000.0;
  return times;
}

std::string FormatGeometryTimes(const CGeometryTimes& t) {
  const double n = kTimeRepetitions;
  const double total = t.TotalSeconds();
  return "フリーズ\t" + Figure(t.freezeSeconds) + " 秒\t" + Figure(t.freezeSeconds / n) + "\n\n" +
         "法線\t" + Figure(t.normalsSeconds) + " 秒\t" + Figure(t.normalsSeconds / n) + "\n\n" +
         "スムース法線 " + Figure(t.smoothSeconds) + " 秒\t" + Figure(t.smoothSeconds / n) + "\n\n" +
         "トータル\t" + Figure(total) + " 秒\t" + Figure(total / n);
}

}  // namespace brimvale
