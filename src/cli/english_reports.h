// The command line's English wording of the measurements the window shows in
// its own language: the same figures, four decimals each.
#pragma once

#include <string>

namespace brimvale {
struct CGeometryTimes;
}

namespace brimvale::cli {

// Freeze, normals, smooth normals and total: all repetitions, then one.
std::string GeometryTimesReport(const CGeometryTimes& times);

// Frames per second, seconds per frame and seconds for the benchmark's frames.
std::string FrameBenchmarkReport(double seconds);

}  // namespace brimvale::cli
