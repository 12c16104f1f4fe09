// The face section of an object: "face count {", one line per face, "}".
// A line is the corner count followed by groups: V(indices), M(material),
// UV(u v pairs), COL(one colour word per corner); every other group (UID,
// CRS, N, ...) is skipped whole. A COL with fewer words than corners gives
// that face no colours (it is counted; the face itself is kept).
// Faces that name a missing vertex, or have fewer than two distinct corners,
// are dropped and counted; polygons of more than four corners are split into
// triangles.
#include <array>
#include <charconv>
#include <cstdint>
#include <vector>

#include "document/mesh_object.h"
#include "document/mqo_reader_internal.h"
#include "document/polygon_triangulation.h"
#include "document/quorix_doc.h"

namespace brimvale {

namespace {

// The shortest text a face can take ("2 V(0 1)" and a separator).
constexpr size_t kMinFaceBytes = 9;
constexpr size_t kReleaseEvery = 1 << 16;

// One face line as read. The vectors are reused from line to line.
struct FaceLine {
  int corners = 0;
  std::vector<int> indices;
  std::vector<float> uv;  // u, v per corner as written
  std::vector<uint32_t> colours;  // one word per corner as written
  bool hasColours = false;        // a COL group was on the line
  int material = -1;
};

// A colour word: an unsigned 32-bit number (red in the lowest byte). A word
// out of range or unreadable reads as 0.
const char* ParseColourWord(const char* p, const char* end, uint32_t& value) {
  uint64_t wide = 0;
  const auto [after, error] = std::from_chars(p, end, wide);
  if (error == std::errc::result_out_of_range) {
    value = 0;
    return after;
  }
  if (error != std::errc()) return p;
  value = wide > 0xFFFFFFFFu ? 0 : static_cast<uint32_t>(wide);
  return after;
}

bool IsBlank(char c) {
  return c == ' ' || c == '\t' || c == '\r' || c == '\f' || c == '\v';
}

// Past the values of a group, and past its ")".
const char* SkipGroup(const char* p, const char* end) {
  while (p < end && *p != ')') ++p;
  return p < end ? p + 1 : p;
}

// Appends the numbers of a group up to its ")" with `parse`; an unreadable
// word reads as 0 and is stepped over. Returns the position after the ")".
template <typename Number, typename Parse>
const char* ReadGroupNumbers(const char* p, const char* end, std::vector<Number>& out, Parse parse) {
  for (;;) {
    while (p < end && (IsBlank(*p) || *p == ',')) ++p;
    if (p >= end) return p;
    if (*p == ')') return p + 1;
    Number value{};
    const char* after = parse(p, end, value);
    if (after == p) {
      while (after < end && !IsBlank(*after) && *after != ',' && *after != ')') ++after;
      value = Number{};
    } else {
      // "3.0" where an integer belongs: the fraction goes with it.
      while (after < end && !IsBlank(*after) && *after != ',' && *after != ')') ++after;
    }
    out.push_back(value);
    p = after;
  }
}

// One pass over "n V(i ...) M(m) UV(u v ...) OTHER(...)": the groups this
// program uses are read, every other group is skipped whole.
void ParseFaceLine(std::string_view line, FaceLine& face) {
  face.indices.clear();
  face.uv.clear();
  face.colours.clear();
  face.hasColours = false;
  face.material = -1;
  const char* p = line.data();
  const char* end = p + line.size();
  while (p < end && IsBlank(*p)) ++p;
  int corners = 0;
  const char* after = ParseMqoInt(p, end, corners);
  face.corners = after == p ? 0 : corners;
  while (p < end) {
    while (p < end && IsBlank(*p)) ++p;
    const char* name = p;
    while (p < end && *p != '(' && !IsBlank(*p)) ++p;
    const std::string_view group(name, static_cast<size_t>(p - name));
    while (p < end && IsBlank(*p)) ++p;
    if (p >= end || *p != '(') continue;  // a bare word (the corner count)
    ++p;
    if (group == "V") {
      // An index too large for int names no vertex: -1 gets the face dropped.
      p = ReadGroupNumbers(p, end, face.indices,
                           [](const char* q, const char* e, int& v) { return ParseMqoInt(q, e, v, -1); });
    } else if (group == "UV") {
      p = ReadGroupNumbers(p, end, face.uv,
                           [](const char* q, const char* e, float& v) { return ParseMqoFloat(q, e, v); });
    } else if (group == "COL") {
      face.hasColours = true;
      p = ReadGroupNumbers(p, end, face.colours, ParseColourWord);
    } else if (group == "M") {
      while (p < end && IsBlank(*p)) ++p;
      int material = 0;
      ParseMqoInt(p, end, material);
      face.material = material;
      p = SkipGroup(p, end);
    } else {
      p = SkipGroup(p, end);
    }
  }
}

// Sets corner `corner` of `target` from corner `source` of the line.
void SetCorner(CMeshFace& target, CCornerUVs& uvs, int corner, const FaceLine& line, int source) {
  target.m_Index[corner] = line.indices[static_cast<size_t>(source)];
  const size_t u = 2 * static_cast<size_t>(source);
  if (u + 1 < line.uv.size()) {
    uvs.m_UV[corner].u = line.uv[u];
    uvs.m_UV[corner].v = line.uv[u + 1];
  }
}

bool IsValidFace(const FaceLine& line, int vertexCount) {
  if (line.corners < 2 || line.indices.size() < static_cast<size_t>(line.corners)) return false;
  bool distinct = false;
  for (int c = 0; c < line.corners; ++c) {
    const int index = line.indices[static_cast<size_t>(c)];
    if (index < 0 || index >= vertexCount) return false;
    if (index != line.indices[0]) distinct = true;
  }
  return distinct;
}

}  // namespace

void ReadFaceSection(CMqoReadContext& context, CMeshObject& object) {
  CMqoCursor& cursor = context.cursor;
  const int declared = cursor.ReadInt();
  std::string_view token;
  if (!cursor.NextToken(token)) return;  // the opening brace
  size_t count = declared > 0 ? static_cast<size_t>(declared) : 0;
  std::vector<CMeshFace>& faces = object.m_Faces.Incoming();
  const size_t fits = cursor.Remaining() / kMinFaceBytes;
  faces.reserve(faces.size() + (count < fits ? count : fits));

  std::vector<CCornerColours>& colours = object.m_Faces.Colours(FaceList::Incoming);
  // Corner colours of the face just added: white until the first COL, after
  // which every face gets an entry.
  const auto addColours = [&](const FaceLine& from, const int* corners, int cornerCount) {
    const bool usable = from.hasColours && from.colours.size() >= static_cast<size_t>(from.corners);
    if (from.hasColours && !usable) ++context.doc.m_nSkippedFaceColours;
    if (!usable && colours.empty()) return;
    colours.resize(faces.size() - 1);
    CCornerColours entry;
    if (usable)
      for (int c = 0; c < cornerCount; ++c) entry.m_Color[c] = from.colours[static_cast<size_t>(corners[c])];
    colours.push_back(entry);
  };
  static constexpr int kInOrder[4] = {0, 1, 2, 3};
  // UVs likewise: none kept until a face gives some.
  std::vector<CCornerUVs>& uvs = object.m_Faces.UVs(FaceList::Incoming);
  const auto addUVs = [&](const FaceLine& from, const CCornerUVs& entry) {
    if (from.uv.empty() && uvs.empty()) return;
    // Sized like the faces once, not doubled as it grows: a large model's
    // UVs are as large as its faces.
    if (uvs.empty()) uvs.reserve(faces.capacity());
    uvs.resize(faces.size() - 1);
    uvs.push_back(entry);
  };

  const int vertexCount = object.VertexCount();
  const std::vector<CVector3>& positions = object.m_Vertices.Positions();
  FaceLine line;
  std::vector<CVector3> polygon;
  std::vector<std::array<int, 3>> triangles;
  for (size_t i = 0; i < count; ++i) {
    cursor.SkipWhitespace();
    if (cursor.AtEnd() || *cursor.Position() == '}') break;
    ParseFaceLine(cursor.TakeLine(), line);
    if (i % kReleaseEvery == kReleaseEvery - 1) cursor.ReleaseConsumed();
    if (!IsValidFace(line, vertexCount)) {
      ++context.doc.m_nDroppedFaces;
      continue;
    }
    CMeshFace face;
    face.m_nMaterial = line.material;
    if (line.corners <= 4) {
      face.m_nCorners = line.corners;
      CCornerUVs faceUVs;
      for (int c = 0; c < line.corners; ++c) SetCorner(face, faceUVs, c, line, c);
      faces.push_back(face);
      addColours(line, kInOrder, line.corners);
      addUVs(line, faceUVs);
      continue;
    }
    polygon.clear();
    for (int c = 0; c < line.corners; ++c) {
      polygon.push_back(positions[static_cast<size_t>(line.indices[static_cast<size_t>(c)])]);
    }
    triangles.clear();
    TriangulatePolygon(polygon, triangles, context.triangulationBudget);
    face.m_nCorners = 3;
    for (const auto& triangle : triangles) {
      CCornerUVs faceUVs;
      for (int c = 0; c < 3; ++c) SetCorner(face, faceUVs, c, line, triangle[static_cast<size_t>(c)]);
      faces.push_back(face);
      addColours(line, triangle.data(), 3);
      addUVs(line, faceUVs);
    }
  }
  object.m_Faces.PadCornerData(FaceList::Incoming);
  SkipToChunkEnd(cursor, 1);
}

}  // namespace brimvale
