// brimvale-cli render FILE -o OUT.png: one frame of the view, drawn offscreen
// exactly as the window draws it, written as a PNG.
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "cli/command_registry.h"
#include "cli/read_model.h"
#include "cli/size_argument.h"
#include "document/quorix_doc.h"
#include "scene/camera_fit.h"
#include "scene/navigation.h"
#include "view/back_image.h"
#include "view/offscreen_render.h"

namespace brimvale::cli {
namespace {

constexpr const char* kHelp =
    "Usage: brimvale-cli render FILE -o OUT.png [OPTIONS]\n"
    "Draws one frame of the view of FILE (.mqo or .mqoz) offscreen and writes it as a PNG.\n"
    "The camera is the file's when it shows the whole model filling a third of the\n"
    "picture, else one fitted to the model; camera options apply after that. Coordinates\n"
    "are the program's (Metasequoia's with z negated), as the side panel and the POV-Ray\n"
    "export show them.\n\n"
    "Options:\n"
    "  -o, --output OUT.png       picture to write (required)\n"
    "  --size WxH                 picture size in pixels (default 800x600)\n"
    "  --fit                      always fit the camera to the model\n"
    "  --file-camera              always keep the file's camera\n"
    "  --camera-position X,Y,Z    camera position\n"
    "  --camera-lookat X,Y,Z      point looked at\n"
    "  --camera-angle DEGREES     horizontal angle of view (1 to 150)\n"
    "  --orthographic             orthographic instead of perspective\n"
    "  --orbit DX,DY              apply an orbit drag of DX, DY pixels (y downwards)\n"
    "  --vertices                 show vertices\n"
    "  --edges                    show edges\n"
    "  --no-faces                 hide faces\n"
    "  --flat                     flat shading\n"
    "  --double-sided             draw back faces too\n"
    "  --no-grid                  hide the grid\n"
    "  --no-axes                  hide the axes\n"
    "  --no-transparency          draw translucent materials opaque\n"
    "  --simple                   simple display (no lathe, mirror or curved surface)\n"
    "  --background-image FILE    show a background picture\n";

bool ParseFloats(const std::string& text, std::vector<float>& out, size_t count) {
  out.clear();
  const char* p = text.c_str();
  for (size_t i = 0; i < count; ++i) {
    char* end = nullptr;
    errno = 0;
    const float value = std::strtof(p, &end);
    if (end == p || errno == ERANGE) return false;
    out.push_back(value);
    p = end;
    if (i + 1 < count) {
      if (*p != ',') return false;
      ++p;
    }
  }
  return *p == '\0';
}

struct RenderOptions {
  std::string input, output, background;
  int width = 800, height = 600;
  bool hasPosition = false, hasLookAt = false, hasAngle = false, hasOrbit = false, orthographic = false;
  FramingMode framing = FramingMode::Auto;
  int framingOptions = 0;
  CVector3 position{0, 0, 0}, lookAt{0, 0, 0};
  float angle = 40.0f, orbitX = 0.0f, orbitY = 0.0f;
};

int Usage(const std::string& message) {
  std::fprintf(stderr, "brimvale-cli render: %s\nRun 'brimvale-cli render --help' for the options.\n",
               message.c_str());
  return kExitUsage;
}

// Returns -1 when parsed, else the exit status.
int ParseArguments(const std::vector<std::string>& args, RenderOptions& o, CDisplaySettings& display) {
  std::vector<float> v;
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    auto value = [&](std::string& out) {
      if (i + 1 >= args.size()) return false;
      out = args[++i];
      return true;
    };
    std::string text;
    if (a == "--help" || a == "-h") {
      std::printf("%s", kHelp);
      return kExitOk;
    } else if (a == "-o" || a == "--output") {
      if (!value(o.output)) return Usage("-o needs a file name");
    } else if (a == "--size") {
      if (!value(text) || !ParseSize(text, o.width, o.height)) return Usage("--size needs WxH, 1 to 16384 each");
    } else if (a == "--camera-position" || a == "--camera-lookat") {
      if (!value(text) || !ParseFloats(text, v, 3)) return Usage(a + " needs X,Y,Z");
      CVector3& target = a == "--camera-position" ? o.position : o.lookAt;
      target = CVector3(v[0], v[1], v[2]);
      (a == "--camera-position" ? o.hasPosition : o.hasLookAt) = true;
    } else if (a == "--camera-angle") {
      if (!value(text) || !ParseFloats(text, v, 1) || !(v[0] >= 1.0f && v[0] <= 150.0f))
        return Usage("--camera-angle needs degrees from 1 to 150");
      o.angle = v[0];
      o.hasAngle = true;
    } else if (a == "--orbit") {
      if (!value(text) || !ParseFloats(text, v, 2)) return Usage("--orbit needs DX,DY");
      o.orbitX = v[0], o.orbitY = v[1], o.hasOrbit = true;
    } else if (a == "--background-image") {
      if (!value(o.background)) return Usage("--background-image needs a file name");
    } else if (a == "--fit" || a == "--file-camera") {
      o.framing = a == "--fit" ? FramingMode::Fit : FramingMode::FileCamera;
      ++o.framingOptions;
    } else if (a == "--orthographic") {
      o.orthographic = true;
    } else if (a == "--vertices") {
      display.ShowVertices = true;
    } else if (a == "--edges") {
      display.ShowEdges = true;
    } else if (a == "--no-faces") {
      display.ShowFaces = false;
    } else if (a == "--flat") {
      display.SmoothShading = false;
    } else if (a == "--double-sided") {
      display.CullBackFaces = false;
    } else if (a == "--no-grid") {
      display.ShowGrid = false;
    } else if (a == "--no-axes") {
      display.ShowAxes = false;
    } else if (a == "--no-transparency") {
      display.Transparency = false;
    } else if (a == "--simple") {
      display.SimpleDisplay = true;
    } else if (!a.empty() && a[0] == '-') {
      return Usage("unknown option " + a);
    } else if (o.input.empty()) {
      o.input = a;
    } else {
      return Usage("only one model file can be rendered");
    }
  }
  if (o.input.empty()) return Usage("no model file given");
  if (o.framingOptions > 1) return Usage("--fit and --file-camera exclude each other");
  if (o.output.empty()) return Usage("no output picture given (-o OUT.png)");
  return -1;
}

void ApplyCamera(const RenderOptions& o, CScene& camera) {
  if (o.hasPosition) camera.m_vPosition = o.position;
  if (o.hasLookAt) camera.m_vLookAt = o.lookAt;
  if (o.hasAngle) camera.m_fAngle = o.angle;
  if (o.orthographic) camera.m_bPerspective = 0;
  if (o.hasOrbit) {
    // One drag step from the centre of the view, as the mouse would make it.
    const int cx = o.width / 2, cy = o.height / 2;
    ApplyNavigationStep(kNavOrbit, camera, cx + static_cast<int>(o.orbitX), cy + static_cast<int>(o.orbitY), cx, cy,
                        o.width, o.height);
  }
}

int Run(const std::vector<std::string>& args) {
  RenderOptions o;
  CQuorixDoc doc;
  CDisplaySettings display;
  const int parsed = ParseArguments(args, o, display);
  if (parsed >= 0) return parsed;

  if (const int read = ReadModel(doc, "render", o.input); read != kExitOk) return read;
  doc.Display = display;
  ApplyOpeningFraming(doc, o.framing);
  ApplyCamera(o, doc.m_Scene);
  if (!o.background.empty()) {
    doc.m_BackImage.m_strFile = o.background;
    doc.m_BackImage.m_bShow = 1;
    if (!LoadBackImage(doc.m_BackImage)) {
      std::fprintf(stderr, "brimvale-cli render: %s: cannot read the background picture\n", o.background.c_str());
      return kExitCannotOpen;
    }
  }

  COffscreenView view;
  if (!view.Open(o.width, o.height)) {
    std::fprintf(stderr, "brimvale-cli render: no offscreen OpenGL: %s\n", view.Error().c_str());
    return kExitFailure;
  }
  // One frame: the derived meshes are needed no more once laid out for it.
  view.Renderer().Cache().SetTakeDerived(true);
  const CRgbPicture picture = view.Render(doc);
  if (!SavePicturePng(o.output, picture)) {
    std::fprintf(stderr, "brimvale-cli render: %s: cannot write the picture\n", o.output.c_str());
    return kExitFailure;
  }
  return kExitOk;
}

const CommandRegistration kRegistration({"render", "draw the view of a model offscreen into a PNG", &Run});

}  // namespace
}  // namespace brimvale::cli
