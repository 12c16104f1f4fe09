// brimvale-cli bench FILE: the benchmark, offscreen: 15 frames while the model
// turns 10 degrees a frame, and the message the program shows.
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "cli/command_registry.h"
#include "document/mqo_reader.h"
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
      char* end = nullptr;
      const std::string& text = args[++i];
      const long w = std::strtol(text.c_str(), &end, 10);
      const char* second = (*end == 'x' || *end == 'X') ? end + 1 : nullptr;
      const long h = second ? std::strtol(second, &end, 10) : 0;
      if (second == nullptr || *end != '\0' || w < 1 || h < 1 || w > 16384 || h > 16384) {
        std::fprintf(stderr, "brimvale-cli bench: --size needs WxH, 1 to 16384 each\n");
        return kExitUsage;
      }
      width = static_cast<int>(w), height = static_cast<int>(h);
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
  MqoReadStatus status;
  if (!ReadMqoFile(doc, input, &status)) {
    if (status.result == MqoReadResult::NotMetasequoia) {
      std::fprintf(stderr, "brimvale-cli bench: %s: not a Metasequoia file\n", input.c_str());
      return kExitNotMetasequoia;
    }
    std::fprintf(stderr, "brimvale-cli bench: %s: %s\n", input.c_str(),
                 status.reason.empty() ? "cannot open" : status.reason.c_str());
    return kExitCannotOpen;
  }
  COffscreenView view;
  if (!view.Open(width, height)) {
    std::fprintf(stderr, "brimvale-cli bench: no offscreen OpenGL: %s\n", view.Error().c_str());
    return kExitFailure;
  }
  // The window has shown the model before its benchmark runs; so here too the
  // first frame, which builds the derived geometry, comes before the timing.
  view.Draw(doc);
  const double seconds = RunFrameBenchmark(doc, [&] { view.Draw(doc); });
  std::printf("%s\n", FormatFrameBenchmark(seconds).c_str());
  return kExitOk;
}

const CommandRegistration kRegistration({"bench", "time 15 frames of a turning model offscreen", &Run});

}  // namespace
}  // namespace brimvale::cli
