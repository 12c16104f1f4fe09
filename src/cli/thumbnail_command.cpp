// brimvale-cli thumbnail: the picture a file manager shows for a model, framed
// whole. It runs under its own CPU and memory limits, draws models too big to
// derive in simple display, and leaves no file behind when anything fails.
#include <stdlib.h>
#include <unistd.h>

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <filesystem>
#include <new>
#include <string>
#include <vector>

#include "cli/command_registry.h"
#include "cli/read_model.h"
#include "cli/thumbnail_guard.h"
#include "document/quorix_doc.h"
#include "scene/camera.h"
#include "scene/camera_fit.h"
#include "view/offscreen_render.h"

namespace brimvale::cli {
namespace {

constexpr int kMaxThumbnailSize = 2048;

constexpr const char* kHelp =
    "Usage: brimvale-cli thumbnail [-s SIZE] FILE OUT.png\n"
    "Draws the whole of FILE (.mqo or .mqoz) offscreen into a PNG SIZE pixels wide\n"
    "(default 256, at most 2048) and three quarters of that high, the shape the export\n"
    "renders, for file managers (the freedesktop thumbnailer runs it).\n"
    "It limits itself to a few seconds of CPU time and 1 GiB of memory, draws models\n"
    "with very many derived faces in simple display, and writes OUT.png only when the\n"
    "whole picture is done.\n\n"
    "Exit status: 0 written, 1 not a Metasequoia file, 2 FILE could not be opened,\n"
    "3 the drawing failed or ran out of time or memory, 64 bad usage.\n";

struct ThumbnailOptions {
  std::string input, output;
  int size = 256;
};

int Usage(const std::string& message) {
  std::fprintf(stderr, "brimvale-cli thumbnail: %s\nRun 'brimvale-cli thumbnail --help' for the options.\n",
               message.c_str());
  return kExitUsage;
}

// Returns -1 when parsed, else the exit status.
int ParseArguments(const std::vector<std::string>& args, ThumbnailOptions& o) {
  std::vector<std::string> files;
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    if (a == "--help" || a == "-h") {
      std::fputs(kHelp, stdout);
      return kExitOk;
    } else if (a == "-s" || a == "--size") {
      const std::string text = i + 1 < args.size() ? args[++i] : std::string();
      const auto result = std::from_chars(text.data(), text.data() + text.size(), o.size);
      if (text.empty() || result.ec != std::errc() || result.ptr != text.data() + text.size() || o.size < 1 ||
          o.size > kMaxThumbnailSize)
        return Usage("-s needs a size in pixels from 1 to 2048");
    } else if (a.size() > 1 && a[0] == '-') {
      return Usage("unknown option " + a);
    } else {
      files.push_back(a);
    }
  }
  if (files.size() != 2) return Usage("give one model and one output picture");
  o.input = files[0];
  o.output = files[1];
  return -1;
}

// A file beside the output that the picture is written to first, so that the
// output appears whole or not at all. Empty when none can be made.
std::string MakePartialFile(const std::string& output) {
  std::filesystem::path folder = std::filesystem::path(output).parent_path();
  if (folder.empty()) folder = ".";
  std::string pattern = (folder / ".brimvale-thumbnail-XXXXXX").string();
  const int fd = ::mkstemp(pattern.data());
  if (fd < 0) return std::string();
  ::close(fd);
  return pattern;
}

int Draw(const ThumbnailOptions& o) {
  CQuorixDoc doc;
  if (const int read = ReadModel(doc, "thumbnail", o.input); read != kExitOk) return read;
  doc.Display.ShowGrid = false;
  doc.Display.ShowAxes = false;
  if (EstimatedDerivedFaces(doc) > kThumbnailDerivedFaceLimit) {
    doc.Display.SimpleDisplay = true;
    std::fprintf(stderr, "brimvale-cli thumbnail: %s: too many faces to derive, drawn in simple display\n",
                 o.input.c_str());
  }
  // The whole model, whatever the file's camera shows.
  ApplyOpeningFraming(doc, FramingMode::Fit);

  COffscreenView view;
  // 4:3, the picture the export renders, so the view draws no bands beside it.
  if (!view.Open(o.size, std::max(1, o.size * kFrameHeightUnits / kFrameWidthUnits))) {
    std::fprintf(stderr, "brimvale-cli thumbnail: no offscreen OpenGL: %s\n", view.Error().c_str());
    return kExitFailure;
  }
  const CRgbPicture picture = view.Render(doc);

  const std::string partial = MakePartialFile(o.output);
  if (partial.empty()) {
    std::fprintf(stderr, "brimvale-cli thumbnail: %s: cannot write in that folder\n", o.output.c_str());
    return kExitFailure;
  }
  WatchPartialFile(partial);
  const bool written = SavePicturePng(partial, picture) && std::rename(partial.c_str(), o.output.c_str()) == 0;
  WatchPartialFile(std::string());
  if (!written) {
    std::remove(partial.c_str());
    std::fprintf(stderr, "brimvale-cli thumbnail: %s: cannot write the picture\n", o.output.c_str());
    return kExitFailure;
  }
  return kExitOk;
}

int Run(const std::vector<std::string>& args) {
  ThumbnailOptions o;
  const int parsed = ParseArguments(args, o);
  if (parsed >= 0) return parsed;
  LimitThumbnailResources();
  try {
    return Draw(o);
  } catch (const std::bad_alloc&) {
    std::fprintf(stderr, "brimvale-cli thumbnail: %s: out of memory\n", o.input.c_str());
    return kExitFailure;
  }
}

const CommandRegistration kRegistration({"thumbnail", "draw a model into a small PNG for file managers", &Run});

}  // namespace
}  // namespace brimvale::cli
