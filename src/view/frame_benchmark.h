// The benchmark: 15 frames drawn while the model turns 10 degrees a frame,
// timed in milliseconds; the front ends word the result.
#pragma once

#include <functional>

namespace brimvale {

class CQuorixDoc;

inline constexpr int kBenchmarkFrames = 15;
inline constexpr float kBenchmarkStepDegrees = 10.0f;

// Runs the benchmark on the document: TurntableAngle goes 10, 20 ... 150
// degrees, `redraw` draws one complete frame (it must not return before the
// frame is finished); `report` then gets the seconds while the model still
// stands at its last angle (the window's message box), and only after it
// returns does the angle go back to 0 with `redraw` run once more.
// Returns the seconds the 15 frames took, at least one millisecond, so the
// frames-per-second figure never divides by zero.
double RunFrameBenchmark(CQuorixDoc& doc, const std::function<void()>& redraw,
                         const std::function<void(double seconds)>& report = {});

}  // namespace brimvale
