// The Object chunk: modelling attributes, one vertex section (text or BVertex),
// face sections, and sub-chunks this program does not use (vertexattr, ...),
// which are skipped by counting braces so the object ends at its own brace.
#include <bit>
#include <cstring>
#include <string>

#include "document/color.h"
#include "document/mesh_builder.h"
#include "document/mqo_reader_internal.h"
#include "document/quorix_doc.h"

namespace brimvale {

namespace {

// Limits that keep a hostile value from making the geometry stages unbounded.
constexpr int kMaxPatchSegments = 16;
constexpr int kMaxLatheSegments = 4096;
// Far deeper than any modeller nests; keeps the number a plain int.
constexpr int kMaxDepth = 1 << 20;
// The shortest text a vertex can take ("0 0 0" and a separator).
constexpr size_t kMinTextVertexBytes = 6;
constexpr size_t kBinaryVertexBytes = 12;
// Pages the reader has passed are handed back this often (in vertices).
constexpr size_t kReleaseEvery = 1 << 16;

int Clamp(int value, int low, int high) {
  return value < low ? low : (value > high ? high : value);
}

// Reads "count { x y z ... }". Stops early at the closing brace or the end, so
// a count above the data present costs nothing.
void ReadTextVertices(CMqoCursor& cursor, CVertexArray& vertices) {
  const int declared = cursor.ReadInt();
  std::string_view token;
  if (!cursor.NextToken(token)) return;  // the opening brace
  size_t count = declared > 0 ? static_cast<size_t>(declared) : 0;
  const size_t fits = cursor.Remaining() / kMinTextVertexBytes;
  if (count > fits) count = fits;
  std::vector<CVector3>& positions = vertices.Positions();
  positions.clear();
  positions.reserve(count);
  for (size_t i = 0; i < count; ++i) {
    cursor.SkipWhitespace();
    if (cursor.AtEnd() || *cursor.Position() == '}') break;
    const float x = cursor.ReadFloat();
    const float y = cursor.ReadFloat();
    const float z = cursor.ReadFloat();
    positions.emplace_back(x, y, -z);
    if (i % kReleaseEvery == kReleaseEvery - 1) cursor.ReleaseConsumed();
  }
  vertices.ResetAttrs();
  vertices.LinkTable().ClearAll();
  cursor.ReleaseConsumed();
  SkipToChunkEnd(cursor, 1);
}

// Reads "n { Vector count [bytes] <newline> <count x 12 bytes> }". A count
// beyond the bytes present reads the whole vertices that are there.
void ReadBinaryVertices(CMqoCursor& cursor, CVertexArray& vertices) {
  cursor.ReadInt();
  std::string_view token;
  if (!cursor.NextToken(token)) return;  // the opening brace
  if (!cursor.NextToken(token)) return;  // the vector tag
  const int declared = cursor.ReadInt();
  cursor.SkipPastLineEnd();
  size_t count = declared > 0 ? static_cast<size_t>(declared) : 0;
  const size_t fits = cursor.Remaining() / kBinaryVertexBytes;
  if (count > fits) count = fits;
  // One pass from the file's bytes to the positions, z negated on the way.
  std::vector<CVector3>& positions = vertices.Positions();
  positions.clear();
  positions.reserve(count);
  // Bytes still to be filled in come in runs as they are needed, and those
  // passed are handed back on the way; bytes all there are read in one pass
  // (handing a mapped file back piece by piece costs more than it saves).
  const size_t most = cursor.Streaming() ? kReleaseEvery : count;
  for (size_t done = 0; done < count;) {
    const size_t run = count - done < most ? count - done : most;
    const size_t there = cursor.Available(run * kBinaryVertexBytes) / kBinaryVertexBytes;
    const char* source = cursor.Position();
    for (size_t i = 0; i < there; ++i, source += kBinaryVertexBytes) {
      float xyz[3];
      std::memcpy(xyz, source, kBinaryVertexBytes);
      if constexpr (std::endian::native == std::endian::big) {
        for (float& f : xyz) f = std::bit_cast<float>(__builtin_bswap32(std::bit_cast<uint32_t>(f)));
      }
      positions.emplace_back(xyz[0], xyz[1], -xyz[2]);
    }
    cursor.SetPosition(source);
    if (there < run) break;
    done += run;
    cursor.ReleaseConsumed();
  }
  vertices.ResetAttrs();
  vertices.LinkTable().ClearAll();
  cursor.ReleaseConsumed();
  // Up to and including the closing brace, counting braces.
  int64_t depth = 0;
  while (!cursor.AtEnd()) {
    const char c = *cursor.Position();
    cursor.SetPosition(cursor.Position() + 1);
    if (c == '{') {
      ++depth;
    } else if (c == '}') {
      if (depth == 0) return;
      --depth;
    }
  }
}

// Applies one modelling attribute; false when `keyword` is not one.
bool ReadAttribute(CMqoCursor& cursor, std::string_view keyword, CMeshObject& object) {
  if (keyword == "patch") {
    const int value = cursor.ReadInt();
    object.m_nPatchType = value < 1 ? 0 : (value > 3 ? 3 : value);
  } else if (keyword == "segment") {
    const int value = cursor.ReadInt();
    if (object.m_nPatchType == 3) {
      object.m_nPatchSegments = 1 << Clamp(value, 0, 4);
    } else {
      object.m_nPatchSegments = Clamp(value, 1, kMaxPatchSegments);
    }
  } else if (keyword == "visible") {
    if (cursor.ReadInt() == 0) object.m_bVisible = 0;
  } else if (keyword == "locking") {
    cursor.ReadInt();
  } else if (keyword == "shading") {
    // 0 is Metasequoia's flat shading; 1 (and anything else) smooth.
    object.m_bSmoothShading = cursor.ReadInt() == 0 ? 0 : 1;
  } else if (keyword == "facet") {
    object.m_fFacetAngle = cursor.ReadFloat();
  } else if (keyword == "color") {
    const float r = cursor.ReadFloat();
    const float g = cursor.ReadFloat();
    const float b = cursor.ReadFloat();
    object.m_Color = PackColorFromFloats(r, g, b);
  } else if (keyword == "mirror") {
    const int value = cursor.ReadInt();
    object.m_nMirrorType = (value >= 0 && value <= 2) ? value : 0;
  } else if (keyword == "mirror_axis") {
    const int mask = cursor.ReadInt();
    object.m_bMirrorX = (mask & 1) ? 1 : 0;
    object.m_bMirrorY = (mask & 2) ? 1 : 0;
    object.m_bMirrorZ = (mask & 4) ? 1 : 0;
  } else if (keyword == "mirror_dis") {
    object.m_fMirrorDistance = cursor.ReadFloat();
    object.m_bMirrorDistanceLimit = 1;
  } else if (keyword == "lathe") {
    if (cursor.ReadInt() != 0) object.m_bLathe = 1;
  } else if (keyword == "lathe_axis") {
    const int value = cursor.ReadInt();
    if (value >= 0 && value <= 2) object.m_nLatheAxis = value;
  } else if (keyword == "lathe_seg") {
    object.m_nLatheSegments = Clamp(cursor.ReadInt(), 3, kMaxLatheSegments);
  } else if (keyword == "depth") {
    object.m_nDepth = Clamp(cursor.ReadInt(), 0, kMaxDepth);
  } else {
    return false;
  }
  return true;
}

// Sorts the faces read into lines, triangles and quads. Most objects hold one
// kind only; then the list read becomes that kind's list as it is (no copy of
// a million faces), which is what SplitFacesByCorners would build.
void SortFacesByCorners(CFaceArray& faces) {
  std::vector<CMeshFace>& incoming = faces.Incoming();
  const int corners = incoming.empty() ? 0 : incoming.front().m_nCorners;
  bool oneKind = corners >= 2 && corners <= 4;
  for (size_t i = 1; oneKind && i < incoming.size(); ++i) oneKind = incoming[i].m_nCorners == corners;
  if (!oneKind) {
    faces.SplitFacesByCorners();
    return;
  }
  const FaceList target =
      corners == 2 ? FaceList::Lines : (corners == 3 ? FaceList::Triangles : FaceList::Quads);
  for (const FaceList list : {FaceList::Lines, FaceList::Triangles, FaceList::Quads}) faces.Clear(list);
  faces.List(target).swap(incoming);
  faces.Colours(target).swap(faces.Colours(FaceList::Incoming));
  faces.UVs(target).swap(faces.UVs(FaceList::Incoming));
  faces.Clear(FaceList::Incoming);
}

void FinishObject(CMeshObject& object) {
  SortFacesByCorners(object.m_Faces);
  CMeshBuilder builder(&object);
  builder.BuildEdges();
  builder.BuildVertexLinks();
}

}  // namespace

void ReadObjectChunk(CMqoReadContext& context) {
  CMqoCursor& cursor = context.cursor;
  std::string_view token;
  if (!cursor.NextNameToken(token)) {
    context.endsEarly = true;
    return;
  }
  CMeshObject& object = *context.doc.AddObject();
  object.m_strName = NameFromToken(token);
  if (object.m_strName.empty()) object.m_strName = "metaseq_obj_01";
  bool closed = false;
  if (cursor.NextToken(token)) {  // the opening brace
    bool haveVertices = false;
    int64_t depth = 0;
    while (cursor.NextToken(token)) {
      if (depth == 0) {
        if (token == "}") {
          closed = true;
          break;
        }
        if (token == "vertex" || token == "BVertex") {
          // Only the first vertex section counts: faces already read name its
          // vertices, so a later one must not replace them.
          CVertexArray scratch;
          CVertexArray& target = haveVertices ? scratch : object.m_Vertices;
          if (token == "vertex") {
            ReadTextVertices(cursor, target);
          } else {
            ReadBinaryVertices(cursor, target);
          }
          haveVertices = true;
          continue;
        }
        if (token == "face") {
          ReadFaceSection(context, object);
          continue;
        }
        if (ReadAttribute(cursor, token, object)) continue;
      }
      depth += BraceDelta(token);
      if (depth < 0) {  // a stray "}" closes the object
        closed = true;
        break;
      }
    }
  }
  // Cut off inside the object (or its vertex or face list): what was read stays.
  if (!closed) context.endsEarly = true;
  FinishObject(object);
  cursor.ReleaseConsumed();
}

}  // namespace brimvale
