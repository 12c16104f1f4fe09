#include "cli/english_reports.h"

#include <cstdio>

#include "foundation/text_utils.h"
#include "geometry/time_measurement.h"
#include "view/frame_benchmark.h"

namespace brimvale::cli {

namespace {

std::string Figure(double value) {
  char text[64];
  std::snprintf(text, sizeof text, "%0.4f", value);
  return text;
}

std::string TimesLine(const char* name, double seconds) {
  return std::string(name) + "\t" + Figure(seconds) + " s\t" + Figure(seconds / kTimeRepetitions);
}

}  // namespace

std::string GeometryTimesReport(const CGeometryTimes& times) {
  return TimesLine("Freeze", times.freezeSeconds) + "\n" + TimesLine("Normals", times.normalsSeconds) + "\n" +
         TimesLine("Smooth normals", times.smoothSeconds) + "\n" + TimesLine("Total", times.TotalSeconds());
}

std::string FrameBenchmarkReport(double seconds) {
  // Single precision, as the window computes them, so both show the same digits.
  const auto s = static_cast<float>(seconds);
  const auto frames = static_cast<float>(kBenchmarkFrames);
  return FormatFixed(frames / s, 4) + " frames/second\n" + FormatFixed(s / frames, 4) + " seconds/frame\n" +
         FormatFixed(s, 4) + " seconds";
}

}  // namespace brimvale::cli
