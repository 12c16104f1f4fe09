// The time measurement: 15 repetitions of freeze, face normals and smooth
// normals on a scratch copy of every object, timed with a monotonic clock.
#pragma once

namespace brimvale {

class CQuorixDoc;

struct CGeometryTimes {
  double freezeSeconds = 0.0;   // all repetitions
  double normalsSeconds = 0.0;
  double smoothSeconds = 0.0;   // includes its own face-normal pass
  double TotalSeconds() const { return freezeSeconds + smoothSeconds; }
};

inline constexpr int kTimeRepetitions = 15;

// Runs the measurement on the document's objects, leaving them untouched.
CGeometryTimes MeasureGeometryTimes(const CQuorixDoc& doc);

}  // namespace brimvale
