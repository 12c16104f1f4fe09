// brimvale-cli bench FILE: the benchmark, offscreen: 15 frames while the model
// turns 10 degrees a frame, and the figures the window's message shows.
#include <cstdio>
#include <string>
#include <vector>

#include "cli/command_registry.h"
#include "cli/english_reports.h"
#include "cli/read_model.h"
#include "cli/size_argument.h"
#include "document/quorix_doc.h"
#include "view/frame_benchmark.h"
#include "view/offscreen_render.h"

namespace brimvale::cli {
namespace {

int Run(const std::vector<std::string>& args) {
  if (args.size() == 1 && (args[0] == "--help" || args[0] == "-h")) {
    std::printf(
        "Usage: brimvale-cli bench FILE [--size WxH]\n"
        "Draws 15 frames of FILE (.mqo or .mqoz) offscreen while the model turns 10 degrees\n"
        "a frame, and prints frames per second, seconds per frame and seconds.\n"
        "The picture is 800x600 unless --size says otherwise.\n");
    return kExitOk;
  }
  std::string input;
  int width = 800, height = 600;
  for (size_t i = 0; i < args.size(); ++i) {
    if (args[i] == "--size" && i + 1 < args.size()) {
      if (!ParseSize(args[++i], width, height)) {
        std::fprintf(stderr, "brimvale-cli bench: --size needs WxH, 1 to 16384 each\n");
        return kExitUsage;
      }
    } else if (args[i].empty() || args[i][0] == '-' || !input.empty()) {
      std::fprintf(stderr, "Usage: brimvale-cli bench FILE [--size WxH]\n");
      return kExitUsage;
    } else {
      input = args[i];
    }
  }
  if (input.empty()) {
    std::fprintf(stderr, "Usage: brimvale-cli bench FILE [--size WxH]\n");
    return kExitUsage;
  }
  CQuorixDoc doc;
  if (const int read = ReadModel(doc, "bench", input); read != kExitOk) return read;
  COffscreenView view;
  if (!view.Open(width, height)) {
    std::fprintf(stderr, "brimvale-cli bench: no offscreen OpenGL: %s\n", view.Error().c_str());
    return kExitFailure;
  }
  // The window has shown the model before its benchmark runs; so here too the
  // first frame, which builds the derived geometry, comes before the timing.
  view.Draw(doc);
  const double seconds = RunFrameBenchmark(doc, [&] { view.Draw(doc); });
  std::printf("%s\n", FrameBenchmarkReport(seconds).c_str());
  return kExitOk;
}

const CommandRegistration kRegistration({"bench", "time 15 frames of a turning model offscreen", &Run});

}  // namespace
}  // namespace brimvale::cli
