// brimvale-cli time FILE: the time measurement on a model's objects.
#include <cstdio>
#include <string>
#include <vector>

#include "cli/command_registry.h"
#include "cli/english_reports.h"
#include "cli/read_model.h"
#include "document/quorix_doc.h"
#include "geometry/time_measurement.h"

namespace brimvale::cli {

namespace {

int Run(const std::vector<std::string>& args) {
  if (args.size() == 1 && (args[0] == "--help" || args[0] == "-h")) {
    std::printf(
        "Usage: brimvale-cli time FILE\n"
        "Times the geometry work on every object of FILE (.mqo or .mqoz): 15 repetitions of\n"
        "freeze, face normals and smooth normals on a scratch copy, and prints the seconds\n"
        "for all repetitions and for one.\n");
    return kExitOk;
  }
  if (args.size() != 1 || args[0].empty() || args[0][0] == '-') {
    std::fprintf(stderr, "Usage: brimvale-cli time FILE\n");
    return kExitUsage;
  }
  CQuorixDoc doc;
  if (const int read = ReadModel(doc, "time", args[0]); read != kExitOk) return read;
  const std::string report = GeometryTimesReport(MeasureGeometryTimes(doc));
  std::printf("%s\n", report.c_str());
  return kExitOk;
}

const CommandRegistration kRegistration({"time", "time freeze, normals and smooth normals on a model", &Run});

}  // namespace
}  // namespace brimvale::cli
