// brimvale-cli info: what the reader made of each model, as text or as one
// JSON document per file. Each object and material is described by one record
// (ObjectRecord, MaterialRecord); the text form prints the same records, so a
// field added to a record shows in both forms.
#include <algorithm>
#include <charconv>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "cli/command_registry.h"
#include "cli/read_model.h"
#include "document/material_textures.h"
#include "document/mqo_reader.h"
#include "document/quorix_doc.h"
#include "foundation/text_decoding.h"
#include "geometry/derived_counts.h"
#include "geometry/parallel_derivation.h"

namespace brimvale::cli {

namespace {

using Record = nlohmann::ordered_json;

struct InfoOptions {
  bool json = false;
  bool derived = false;  // also the counts of the mesh the view draws
};

const char kHelp[] =
    "Usage: brimvale-cli info [--json] [--derived] FILE...\n"
    "Reads each Metasequoia model (.mqo, .mqoz) and prints what the reader made of it:\n"
    "  per object: name, vertex, line, triangle, quad and edge counts, visible, shading,\n"
    "    facet angle, patch type and segments, mirror type, axes and distance, lathe on,\n"
    "    axis and segments, nesting depth, whether its faces carry corner colours;\n"
    "  per material: name, colour (#RRGGBB), alpha, diffuse, ambient, emission, specular,\n"
    "    power, whether it draws vertex colours, the texture, alpha-map and bump file names, the paths they resolve to\n"
    "    and whether the texture and alpha map were loaded;\n"
    "  the scene camera, how many faces were dropped (bad vertex indices, fewer than\n"
    "  two distinct corners) and how many were read without their colours (a COL with\n"
    "  fewer words than corners).\n"
    "Names are shown as UTF-8 (decoded from Shift-JIS unless the file says CodePage utf8).\n\n"
    "Options:\n"
    "  --json   one JSON document per file, one per line, with the keys file, title, utf8,\n"
    "           objects, materials, scene, dropped_faces and skipped_face_colours\n"
    "  --derived  per object also the vertex, line, triangle and quad counts of its derived\n"
    "           mesh after lathe, mirror and patch (key derived)\n"
    "  --help   this text\n\n"
    "Exit status: 0 all files read, 1 a file is not a Metasequoia document,\n"
    "2 a file could not be opened (the reason is printed), 64 bad usage.\n"
    "With several files every file is tried; the highest status is returned.\n";

// The float as its shortest decimal form, so JSON shows 0.8 and not the
// double nearest to the float 0.8.
double ShortFloat(float value) {
  char text[32];
  const auto result = std::to_chars(text, text + sizeof text - 1, value);
  *result.ptr = '\0';
  return std::strtod(text, nullptr);
}

Record Vector(const CVector3& v) { return Record::array({ShortFloat(v.x), ShortFloat(v.y), ShortFloat(v.z)}); }

std::string ColorText(uint32_t color) {
  char text[8];
  std::snprintf(text, sizeof text, "#%02X%02X%02X", ColorRed(color), ColorGreen(color), ColorBlue(color));
  return text;
}

std::string MirrorAxes(const CMeshObject& object) {
  std::string axes;
  if (object.m_bMirrorX) axes += 'X';
  if (object.m_bMirrorY) axes += 'Y';
  if (object.m_bMirrorZ) axes += 'Z';
  return axes;
}

const char* AxisName(int axis) {
  static const char* const kNames[] = {"X", "Y", "Z"};
  return axis >= 0 && axis <= 2 ? kNames[axis] : "?";
}

Record ObjectRecord(const CQuorixDoc& doc, CMeshObject& object, const InfoOptions& options) {
  Record r;
  r["name"] = DecodeName(object.m_strName, doc.m_bUtf8);
  r["vertices"] = object.VertexCount();
  r["lines"] = object.LineCount();
  r["triangles"] = object.TriangleCount();
  r["quads"] = object.QuadCount();
  r["edges"] = object.EdgeCount();
  r["visible"] = object.m_bVisible != 0;
  r["shading"] = object.m_bSmoothShading ? "smooth" : "flat";
  r["facet"] = ShortFloat(object.m_fFacetAngle);
  r["color"] = ColorText(object.m_Color);
  r["patch"] = object.m_nPatchType;
  r["segments"] = object.m_nPatchSegments;
  r["mirror"] = object.m_nMirrorType;
  r["mirror_axes"] = MirrorAxes(object);
  r["mirror_distance"] = ShortFloat(object.m_fMirrorDistance);
  r["mirror_distance_limit"] = object.m_bMirrorDistanceLimit != 0;
  r["lathe"] = object.m_bLathe != 0;
  r["lathe_axis"] = AxisName(object.m_nLatheAxis);
  r["lathe_segments"] = object.m_nLatheSegments;
  r["depth"] = object.m_nDepth;
  r["colours"] = object.m_Faces.HasColours();  // faces carry per-corner colours
  if (options.derived) {
    const CDerivedCounts counts = DerivedCounts(object, &doc.Display);
    Record derived;
    derived["vertices"] = counts.vertices;
    derived["lines"] = counts.lines;
    derived["triangles"] = counts.triangles;
    derived["quads"] = counts.quads;
    r["derived"] = derived;
  }
  return r;
}

Record MaterialRecord(const CQuorixDoc& doc, const CMaterial& material, const InfoOptions&) {
  Record r;
  r["name"] = DecodeName(material.m_strName, doc.m_bUtf8);
  r["color"] = ColorText(material.m_Color);
  r["alpha"] = ShortFloat(material.m_fAlpha);
  r["diffuse"] = ShortFloat(material.m_fDiffuse);
  r["ambient"] = ShortFloat(material.m_fAmbient);
  r["emission"] = ShortFloat(material.m_fEmission);
  r["specular"] = ShortFloat(material.m_fSpecular);
  r["power"] = ShortFloat(material.m_fPower);
  r["vertex_colours"] = material.m_bVertexColour != 0;
  r["texture"] = DecodeName(material.m_strTexture, doc.m_bUtf8);
  r["alpha_map"] = DecodeName(material.m_strAlphaMap, doc.m_bUtf8);
  r["bump"] = DecodeName(material.m_strBump, doc.m_bUtf8);
  // Where the texture lookup found each map, and what was loaded from there.
  r["texture_path"] = material.m_strTexturePath;
  r["alpha_path"] = material.m_strAlphaPath;
  r["bump_path"] = material.m_strBumpPath;
  r["texture_loaded"] = material.HasColourTexture();
  r["alpha_loaded"] = material.m_bAlphaMapLoaded;
  return r;
}

Record SceneRecord(const CScene& scene) {
  Record r;
  r["position"] = Vector(scene.m_vPosition);
  r["lookat"] = Vector(scene.m_vLookAt);
  r["angle"] = ShortFloat(scene.m_fAngle);
  r["perspective"] = scene.m_bPerspective != 0;
  return r;
}

Record DocumentRecord(const CQuorixDoc& doc, const std::string& file, const MqoReadStatus& read,
                      const InfoOptions& options) {
  Record r;
  r["file"] = file;
  r["title"] = doc.m_strTitle;
  r["utf8"] = doc.m_bUtf8;
  r["objects"] = Record::array();
  for (const auto& object : doc.m_Objects) r["objects"].push_back(ObjectRecord(doc, *object, options));
  r["materials"] = Record::array();
  for (const auto& material : doc.m_Materials) r["materials"].push_back(MaterialRecord(doc, *material, options));
  r["scene"] = SceneRecord(doc.m_Scene);
  r["dropped_faces"] = doc.m_nDroppedFaces;
  r["skipped_face_colours"] = doc.m_nSkippedFaceColours;
  r["ends_early"] = read.endsEarly;
  r["missing_textures"] = Record::array();
  for (const CMissingTexture& missing : MissingTextures(doc)) {
    Record m;
    m["material"] = missing.material;
    m["name"] = DecodeName(missing.name, doc.m_bUtf8);
    m["tried"] = missing.triedPaths;
    r["missing_textures"].push_back(m);
  }
  return r;
}

std::string Dump(const Record& value) { return value.dump(-1, ' ', false, nlohmann::json::error_handler_t::replace); }

// "key value key value ..." of a record, less its name.
std::string Fields(const Record& record) {
  std::string text;
  for (const auto& [key, value] : record.items()) {
    if (key == "name") continue;
    if (!text.empty()) text += "  ";
    text += key;
    text += ' ';
    const bool bare = value.is_string() && !value.get<std::string>().empty() &&
                      value.get<std::string>().find(' ') == std::string::npos;
    text += bare ? value.get<std::string>() : Dump(value);
  }
  return text;
}

void PrintText(const Record& r) {
  std::printf("%s\n", r["file"].get<std::string>().c_str());
  std::printf("  scene: %s\n", Fields(r["scene"]).c_str());
  int index = 0;
  for (const auto& material : r["materials"]) {
    std::printf("  material %d %s: %s\n", index++, Dump(material["name"]).c_str(), Fields(material).c_str());
  }
  index = 0;
  for (const auto& object : r["objects"]) {
    std::printf("  object %d %s: %s\n", index++, Dump(object["name"]).c_str(), Fields(object).c_str());
  }
  std::printf("  dropped faces: %d\n", r["dropped_faces"].get<int>());
  const int skipped = r["skipped_face_colours"].get<int>();
  if (skipped > 0) std::printf("  faces read without their colours (COL too short): %d\n", skipped);
  if (r["ends_early"].get<bool>())
    std::printf("  the file ends early: %zu objects read\n", r["objects"].size());
  for (const auto& missing : r["missing_textures"]) {
    std::printf("  texture not found: %s (material %d), looked for", Dump(missing["name"]).c_str(),
                missing["material"].get<int>());
    for (const auto& path : missing["tried"]) std::printf(" %s", Dump(path).c_str());
    std::printf("\n");
  }
}

int Run(const std::vector<std::string>& args) {
  InfoOptions options;
  std::vector<std::string> files;
  bool optionsEnded = false;
  for (const std::string& arg : args) {
    if (!optionsEnded && (arg == "--help" || arg == "-h")) {
      std::fputs(kHelp, stdout);
      return kExitOk;
    }
    if (!optionsEnded && arg == "--json") {
      options.json = true;
    } else if (!optionsEnded && arg == "--derived") {
      options.derived = true;
    } else if (!optionsEnded && arg == "--") {
      optionsEnded = true;
    } else if (!optionsEnded && arg.size() > 1 && arg[0] == '-') {
      std::fprintf(stderr, "brimvale-cli info: unknown option '%s'\n\n%s", arg.c_str(), kHelp);
      return kExitUsage;
    } else {
      files.push_back(arg);
    }
  }
  if (files.empty()) {
    std::fprintf(stderr, "brimvale-cli info: no file given\n\n%s", kHelp);
    return kExitUsage;
  }
  int status = kExitOk;
  for (const std::string& file : files) {
    CQuorixDoc doc;
    MqoReadStatus read;
    if (const int code = ReadModel(doc, "info", file, &read); code != kExitOk) {
      status = std::max(status, code);
      continue;
    }
    if (options.derived) {
      std::vector<CMeshObject*> objects;
      for (const auto& object : doc.m_Objects) objects.push_back(object.get());
      // Only counted, never drawn: the derived faces need no UVs.
      BuildDerivedGeometryInParallel(objects, &doc.Display, 0, nullptr, false);
    }
    const Record record = DocumentRecord(doc, file, read, options);
    if (options.json) {
      std::printf("%s\n", Dump(record).c_str());
    } else {
      PrintText(record);
    }
  }
  return status;
}

CommandRegistration registration({"info", "print what the reader made of each model", &Run});

}  // namespace

}  // namespace brimvale::cli
