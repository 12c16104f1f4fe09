#include "view/frame_benchmark.h"

#include <chrono>

#include "document/quorix_doc.h"

namespace brimvale {
namespace {

int64_t TickMilliseconds() {
  return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now().time_since_epoch())
      .count();
}

}  // namespace

double RunFrameBenchmark(CQuorixDoc& doc, const std::function<void()>& redraw,
                         const std::function<void(double seconds)>& report) {
  doc.TurntableAngle = 0.0f;
  const int64_t start = TickMilliseconds();
  for (int i = 1; i <= kBenchmarkFrames; ++i) {
    doc.TurntableAngle = static_cast<float>(i) * kBenchmarkStepDegrees;
    redraw();
  }
  int64_t elapsed = TickMilliseconds() - start;
  // A run inside one tick would make the frame rate a division by zero.
  if (elapsed < 1) elapsed = 1;
  const double seconds = static_cast<double>(elapsed) / 1000.0;
  if (report) report(seconds);
  doc.TurntableAngle = 0.0f;
  redraw();
  return seconds;
}

}  // namespace brimvale
