// brimvale-cli export: writes the POV-Ray scene of a model (the .pov file, its
// _mat.inc and _obj.inc and the converted PNG images) and optionally renders
// it with the installed povray.
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "cli/command_registry.h"
#include "cli/gltf_export.h"
#include "cli/povray_runner.h"
#include "cli/read_model.h"
#include "cli/size_argument.h"
#include "document/mqo_reader.h"
#include "document/quorix_doc.h"
#include "export/gltf_exporter.h"
#include "export/pov_exporter.h"
#include "foundation/text_utils.h"
#include "scene/camera_fit.h"

namespace brimvale::cli {
namespace {

const char kHelp[] =
    "Usage: brimvale-cli export FILE.mqo [-o OUT.pov] [OPTIONS]\n"
    "Writes the POV-Ray scene of a Metasequoia model: OUT.pov, OUT_mat.inc, OUT_obj.inc\n"
    "and, where a material needs them, converted PNG images next to them. Every file\n"
    "replaces an existing one only when the whole export succeeded.\n\n"
    "Options:\n"
    "  -o, --output OUT.pov        the scene file (default: the model's name with .pov,\n"
    "                              in the current folder)\n"
    "  --target povray|megapov     syntax to write (default povray)\n"
    "  --pov-version X             number of the POV-Ray version line (default 3.5)\n"
    "  --megapov-version X         number of the MegaPOV version line (default 0.7)\n"
    "  --no-default-lights         leave out the three default lights\n"
    "  --light-objects             objects named Light_... become lights, not meshes\n"
    "  --include-hidden            export hidden objects too\n"
    "  --include FILE              add #include \"FILE\" at the end of the scene\n"
    "  --background RRGGBB         background colour (hex; default 969696)\n"
    "  --background-image FILE     picture on a plane behind the scene\n"
    "  --fit                       always fit the camera to the model (by default the\n"
    "                              model's camera is kept when it shows the whole model\n"
    "                              filling a third of the picture, as the window does)\n"
    "  --file-camera               always keep the model's camera\n"
    "  --camera-position X,Y,Z     camera position (applies after the framing)\n"
    "  --camera-lookat X,Y,Z       point the camera looks at\n"
    "  --camera-angle DEG          view angle in degrees, 1 to 150\n"
    "  --orthographic              no perspective\n"
    "  --render OUT.png            then render the scene with povray into OUT.png; povray's\n"
    "                              messages go to OUT.log (shown only when it fails)\n"
    "  --size WxH                  picture size for --render (default 640x480)\n"
    "  --help                      this text\n\n"
    "glTF 2.0: brimvale-cli export FILE.mqo --target gltf -o OUT.glb|OUT.gltf [--scale S]\n"
    "  [--include-hidden] [--include-unused-materials] [camera options]. An output ending\n"
    "  in .glb or .gltf selects glTF without --target. .glb is one file with the textures\n"
    "  inside; .gltf is a JSON file with OUT.bin and OUT_<picture name> beside it.\n"
    "  --include-unused-materials  also write the materials no exported face uses\n"
    "  --scale S                   multiply coordinates by S (default 1). Metasequoia has\n"
    "                              no unit: 0.01 gives metres for a model made in\n"
    "                              centimetres, 0.001 for one made in millimetres\n\n"
    "Environment:\n"
    "  BRIMVALE_POVRAY             the POV-Ray program --render runs (default: povray\n"
    "                              found on PATH)\n\n"
    "Exit status: 0 written (and rendered), 1 not a Metasequoia document, 2 the model\n"
    "could not be opened, 3 the export or the rendering failed, 64 bad usage.\n";

struct ExportOptions {
  std::string input;
  std::string output;
  bool gltf = false;
  bool unusedMaterials = false;
  float scale = 1.0f;
  std::string render;
  int width = 640;
  int height = 480;
  FramingMode framing = FramingMode::Auto;
  int framingOptions = 0;
};

bool ParseFloat(std::string_view text, float& value) {
  if (text.empty()) return false;
  const auto result = std::from_chars(text.data(), text.data() + text.size(), value);
  return result.ec == std::errc() && result.ptr == text.data() + text.size() && std::isfinite(value);
}

bool ParseVector(const std::string& text, CVector3& value) {
  const size_t first = text.find(',');
  const size_t second = first == std::string::npos ? first : text.find(',', first + 1);
  if (second == std::string::npos) return false;
  const std::string_view all(text);
  return ParseFloat(all.substr(0, first), value.x) && ParseFloat(all.substr(first + 1, second - first - 1), value.y) &&
         ParseFloat(all.substr(second + 1), value.z);
}

bool ParseColour(const std::string& text, uint32_t& colour) {
  std::string_view hex(text);
  if (!hex.empty() && hex.front() == '#') hex.remove_prefix(1);
  unsigned value = 0;
  if (hex.size() != 6) return false;
  const auto result = std::from_chars(hex.data(), hex.data() + hex.size(), value, 16);
  if (result.ec != std::errc() || result.ptr != hex.data() + hex.size()) return false;
  colour = PackColor((value >> 16) & 0xFF, (value >> 8) & 0xFF, value & 0xFF);
  return true;
}

int Usage(const std::string& why) {
  std::fprintf(stderr, "brimvale-cli export: %s\nRun 'brimvale-cli export --help' for the options.\n", why.c_str());
  return kExitUsage;
}

// Settings the command line changes are applied after the model is read, since
// reading resets the camera to the model's own.
struct PendingSettings {
  int megaPov = 0;
  float povVersion = -1.0f;
  float megaPovVersion = -1.0f;
  int defaultLights = -1;
  int lightObjects = -1;
  int skipHidden = -1;
  std::string include;
  bool hasBackground = false;
  uint32_t background = 0;
  std::string backgroundImage;
  bool hasPosition = false, hasLookAt = false;
  CVector3 position{0, 0, 0}, lookAt{0, 0, 0};
  float angle = -1.0f;
  bool orthographic = false;

  void ApplyTo(CQuorixDoc& doc) const {
    doc.m_bMegaPov = megaPov;
    if (povVersion >= 0.0f) doc.m_fPovVersion = povVersion;
    if (megaPovVersion >= 0.0f) doc.m_fMegaPovVersion = megaPovVersion;
    if (defaultLights >= 0) doc.m_bDefaultLights = defaultLights;
    if (lightObjects >= 0) doc.m_bLightObjects = lightObjects;
    if (skipHidden >= 0) doc.m_bSkipHidden = skipHidden;
    if (!include.empty()) {
      doc.m_bUseInclude = 1;
      doc.m_strIncludeFile = include;
    }
    if (hasBackground) doc.m_crBackground = background;
    if (!backgroundImage.empty()) {
      doc.m_BackImage.m_bShow = 1;
      doc.m_BackImage.m_strFile = backgroundImage;
    }
    if (hasPosition) doc.m_Scene.m_vPosition = position;
    if (hasLookAt) doc.m_Scene.m_vLookAt = lookAt;
    if (angle > 0.0f) doc.m_Scene.m_fAngle = angle;
    if (orthographic) doc.m_Scene.m_bPerspective = 0;
  }
};

// Returns kExitOk, or the status to exit with (help printed: -1).
int ParseArguments(const std::vector<std::string>& args, ExportOptions& options, PendingSettings& settings) {
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    auto value = [&](std::string& out) {
      if (i + 1 >= args.size()) return false;
      out = args[++i];
      return true;
    };
    std::string text;
    if (arg == "--help" || arg == "-h") {
      std::fputs(kHelp, stdout);
      return -1;
    } else if (arg == "-o" || arg == "--output") {
      if (!value(options.output)) return Usage(arg + " needs a file name");
    } else if (arg == "--target") {
      if (!value(text) || (text != "povray" && text != "megapov" && text != "gltf"))
        return Usage("--target is povray, megapov or gltf");
      settings.megaPov = text == "megapov" ? 1 : 0;
      options.gltf = text == "gltf";
    } else if (arg == "--scale") {
      if (!value(text) || !ParseFloat(text, options.scale) || !(options.scale > 0.0f))
        return Usage("--scale needs a number above 0, e.g. 0.01");
    } else if (arg == "--pov-version" || arg == "--megapov-version") {
      float version = 0.0f;
      if (!value(text) || !ParseFloat(text, version) || version < 0.0f || version > 100.0f)
        return Usage(arg + " needs a version number such as 3.7");
      (arg == "--pov-version" ? settings.povVersion : settings.megaPovVersion) = version;
    } else if (arg == "--no-default-lights") {
      settings.defaultLights = 0;
    } else if (arg == "--light-objects") {
      settings.lightObjects = 1;
    } else if (arg == "--include-unused-materials") {
      options.unusedMaterials = true;
    } else if (arg == "--include-hidden") {
      settings.skipHidden = 0;
    } else if (arg == "--include") {
      if (!value(settings.include) || settings.include.empty()) return Usage("--include needs a file name");
    } else if (arg == "--background") {
      if (!value(text) || !ParseColour(text, settings.background))
        return Usage("--background needs a colour as RRGGBB (hex), e.g. 969696");
      settings.hasBackground = true;
    } else if (arg == "--background-image") {
      if (!value(settings.backgroundImage) || settings.backgroundImage.empty())
        return Usage("--background-image needs a file name");
    } else if (arg == "--camera-position" || arg == "--camera-lookat") {
      const bool position = arg == "--camera-position";
      if (!value(text) || !ParseVector(text, position ? settings.position : settings.lookAt))
        return Usage(arg + " needs X,Y,Z");
      (position ? settings.hasPosition : settings.hasLookAt) = true;
    } else if (arg == "--camera-angle") {
      if (!value(text) || !ParseFloat(text, settings.angle) || settings.angle < 1.0f || settings.angle > 150.0f)
        return Usage("--camera-angle needs degrees from 1 to 150");
    } else if (arg == "--fit" || arg == "--file-camera") {
      options.framing = arg == "--fit" ? FramingMode::Fit : FramingMode::FileCamera;
      ++options.framingOptions;
    } else if (arg == "--orthographic") {
      settings.orthographic = true;
    } else if (arg == "--render") {
      if (!value(options.render) || options.render.empty()) return Usage("--render needs a PNG file name");
    } else if (arg == "--size") {
      if (!value(text) || !ParseSize(text, options.width, options.height))
        return Usage("--size needs WIDTHxHEIGHT, e.g. 640x480");
    } else if (!arg.empty() && arg[0] == '-') {
      return Usage("unknown option " + arg);
    } else if (options.input.empty()) {
      options.input = arg;
    } else {
      return Usage("only one model at a time");
    }
  }
  if (options.input.empty()) return Usage("no model named");
  if (options.framingOptions > 1) return Usage("--fit and --file-camera exclude each other");
  if (options.gltf || IsGltfPath(options.output)) {
    options.gltf = true;
    if (options.output.empty()) options.output = std::filesystem::path(options.input).stem().string() + ".glb";
    if (!IsGltfPath(options.output)) return Usage("the glTF file must end in .glb or .gltf: " + options.output);
    if (!options.render.empty()) return Usage("--render works with the POV-Ray export only");
    return kExitOk;
  }
  if (options.output.empty()) options.output = std::filesystem::path(options.input).stem().string() + ".pov";
  if (options.output.size() <= 4 || AsciiLower(options.output.substr(options.output.size() - 4)) != ".pov")
    return Usage("the scene file must end in .pov: " + options.output);
  return kExitOk;
}

int Run(const std::vector<std::string>& args) {
  ExportOptions options;
  PendingSettings settings;
  const int parsed = ParseArguments(args, options, settings);
  if (parsed != kExitOk) return parsed < 0 ? kExitOk : parsed;

  // Full paths: the scene names its include files and textures by full path,
  // and povray runs in the scene's folder.
  const std::string input = std::filesystem::absolute(options.input).lexically_normal().string();
  const std::string output = std::filesystem::absolute(options.output).lexically_normal().string();

  // povray runs in the scene's folder: files named on the command line that
  // exist here are passed on by full path (a bare include name may still be
  // one of povray's own library files).
  for (std::string* named : {&settings.include, &settings.backgroundImage}) {
    std::error_code error;
    if (!named->empty() && std::filesystem::exists(*named, error))
      *named = std::filesystem::absolute(*named).lexically_normal().string();
  }

  CQuorixDoc doc;
  MqoReadStatus status;
  if (!ReadMqoFile(doc, input, &status)) {
    // Worded with the name as given, not the full path the reader was handed.
    std::fprintf(stderr, "%s\n", ReadFailureText("export", options.input, status).c_str());
    return ReadFailureExitCode(status);
  }
  // The scene shows what the window would show of the model.
  ApplyOpeningFraming(doc, options.framing);
  settings.ApplyTo(doc);
  if (options.gltf) return WriteGltfExport(doc, output, options.scale, options.unusedMaterials);

  CPovExporter exporter(doc);
  const bool written = exporter.Export(output);
  for (const std::string& warning : exporter.Warnings()) std::fprintf(stderr, "warning: %s\n", warning.c_str());
  if (!written) {
    std::fprintf(stderr, "brimvale-cli export: %s\nNo file was changed.\n", exporter.Error().c_str());
    return kExitFailure;
  }
  const std::string base = output.substr(0, output.size() - 4);
  std::printf("wrote %s\nwrote %s_mat.inc\nwrote %s_obj.inc\n", output.c_str(), base.c_str(), base.c_str());

  if (options.render.empty()) return kExitOk;
  const std::string png = std::filesystem::absolute(options.render).lexically_normal().string();
  std::fflush(stdout);
  const std::string log = PovrayLogPath(png);
  const PovrayRun run = RunPovray(output, png, options.width, options.height, log);
  if (!run.started || run.exitStatus != 0) {
    // povray's own words say what went wrong; its progress lines do not.
    if (run.started) std::fputs(PovrayMessages(log, 20).c_str(), stderr);
    std::fprintf(stderr, "brimvale-cli export: cannot render %s: %s\n", output.c_str(), run.message.c_str());
    if (run.started) std::fprintf(stderr, "povray's whole output is in %s\n", log.c_str());
    return kExitFailure;
  }
  std::printf("rendered %s (%dx%d); povray's messages are in %s\n", png.c_str(), options.width, options.height,
              log.c_str());
  return kExitOk;
}

const CommandRegistration kRegistration({"export", "write the POV-Ray scene (and render it) or a glTF file of a model", &Run});

}  // namespace
}  // namespace brimvale::cli
