#include "export/gltf_mesh_writer.h"

#include <cmath>
#include <cstring>
#include <memory>
#include <vector>

#include "document/mesh_builder.h"
#include "geometry/face_normals.h"

namespace brimvale {
namespace {

// One distinct corner: a vertex with one normal and one texture coordinate,
// kept as the face corner it was first met at (its values are read from there
// when compared: 8 bytes a corner). Corners of a vertex are chained, so the
// search stays short.
struct Corner {
  int next;
  uint32_t ref;
};

// A face corner as one word: face index, quad flag, corner number.
constexpr uint32_t CornerRef(size_t face, bool quad, int c) {
  return static_cast<uint32_t>(face << 3) | (quad ? 4u : 0u) | static_cast<uint32_t>(c);
}
// Faces of one list beyond this cannot be referred to.
constexpr size_t kMaxFacesPerList = size_t{1} << 29;

// Corners in fixed blocks: growing never copies, and the memory is the count's.
class CCornerStore {
 public:
  Corner& operator[](size_t i) { return m_Blocks[i >> kShift][i & kMask]; }
  size_t Count() const { return m_nCount; }
  size_t Push(const Corner& corner) {
    if ((m_nCount & kMask) == 0) m_Blocks.emplace_back(new Corner[kMask + 1]);
    m_Blocks.back()[m_nCount & kMask] = corner;
    return m_nCount++;
  }

 private:
  static constexpr size_t kShift = 16;
  static constexpr size_t kMask = (size_t{1} << kShift) - 1;
  std::vector<std::unique_ptr<Corner[]>> m_Blocks;
  size_t m_nCount = 0;
};

// A unit normal in file coordinates (z negated back), or false for a zero or
// broken one.
bool FileNormal(const CVector3& n, float out[3]) {
  const double x = static_cast<double>(n.x), y = static_cast<double>(n.y), z = -static_cast<double>(n.z);
  const double length = std::sqrt(x * x + y * y + z * z);
  if (!std::isfinite(length) || !(length > 1e-12)) return false;
  out[0] = static_cast<float>(x / length);
  out[1] = static_cast<float>(y / length);
  out[2] = static_cast<float>(z / length);
  return true;
}

bool IndicesValid(const CMeshFace& face, int corners, int vertexCount) {
  for (int c = 0; c < corners; ++c)
    if (face.m_Index[c] < 0 || face.m_Index[c] >= vertexCount) return false;
  return true;
}

constexpr size_t kVertexStride = 32;

// Normals of one object as the view computes them; the vertex-face links are
// dropped again afterwards when they were not there before.
class CObjectNormals {
 public:
  explicit CObjectNormals(CMeshObject& object) : m_Object(object), m_bHadLinks(object.m_bVertexFaceLinksValid != 0) {
    CMeshBuilder builder(&object);
    m_bSmooth = object.m_bSmoothShading != 0;
    if (m_bSmooth) {
      builder.ComputeSmoothNormals();
      // Only the corner normals are read from here on.
      CNormalArray().swap(object.m_Faces.m_TriangleNormals);
      CNormalArray().swap(object.m_Faces.m_QuadNormals);
      DropLinks();
    } else {
      builder.ComputeFaceNormals();
    }
  }
  ~CObjectNormals() {
    m_Object.m_Faces.FreeNormals();  // the view computes its own again when it needs them
    DropLinks();
  }
  CObjectNormals(const CObjectNormals&) = delete;
  CObjectNormals& operator=(const CObjectNormals&) = delete;

  // The normal the program computed for a face corner (see CornerRef).
  const CVector3& Source(uint32_t ref) const {
    const CFaceArray& faces = m_Object.m_Faces;
    const size_t face = ref >> 3;
    const bool quad = (ref & 4) != 0;
    const auto c = static_cast<size_t>(ref & 3);
    return m_bSmooth ? (quad ? faces.m_QuadCornerNormals[4 * face + c] : faces.m_TriangleCornerNormals[3 * face + c])
                     : (quad ? faces.m_QuadNormals[face] : faces.m_TriangleNormals[face]);
  }

  // The same as a unit normal in file coordinates.
  void Normal(uint32_t ref, float out[3]) const {
    if (FileNormal(Source(ref), out)) return;
    const CFaceArray& faces = m_Object.m_Faces;
    const size_t face = ref >> 3;
    const bool quad = (ref & 4) != 0;
    // A degenerate corner: the plane of the face, else straight up.
    const CMeshFace& f = quad ? faces.Quads()[face] : faces.Triangles()[face];
    const auto& p = m_Object.m_Vertices.Positions();
    const CVector3 plane = FaceNormal(p[static_cast<size_t>(f.m_Index[0])], p[static_cast<size_t>(f.m_Index[1])],
                                      p[static_cast<size_t>(f.m_Index[2])]);
    if (FileNormal(plane, out)) return;
    out[0] = 0.0f;
    out[1] = 1.0f;
    out[2] = 0.0f;
  }

 private:
  void DropLinks() {
    if (m_bHadLinks || !m_Object.m_bVertexFaceLinksValid) return;
    CVertexLinkTable& table = m_Object.m_Vertices.LinkTable();
    for (LinkKind kind : {LinkKind::Line, LinkKind::Triangle, LinkKind::Quad}) table.Clear(kind);
    m_Object.m_bVertexFaceLinksValid = 0;
  }

  CMeshObject& m_Object;
  bool m_bHadLinks;
  bool m_bSmooth = true;
};

bool SameBits(const void* a, const void* b, size_t size) { return std::memcmp(a, b, size) == 0; }

float Finite(float value) { return std::isfinite(value) ? value : 0.0f; }

class CCornerWriter {
 public:
  CCornerWriter(CGltfBinaryStream& stream, const CMeshObject& object, const CObjectNormals& normals, float scale)
      : m_Stream(stream), m_Object(object), m_Normals(normals), m_Positions(object.m_Vertices.Positions()),
        m_Head(m_Positions.size(), -1), m_fScale(scale) {}

  uint32_t Add(size_t face, bool quad, int c) {
    const uint32_t ref = CornerRef(face, quad, c);
    const int vertex = Face(ref).m_Index[c];
    int& head = m_Head[static_cast<size_t>(vertex)];
    for (int k = head; k >= 0; k = m_Corners[static_cast<size_t>(k)].next) {
      // The same source normal and texture coordinate make the same corner.
      const uint32_t other = m_Corners[static_cast<size_t>(k)].ref;
      if (SameBits(&m_Normals.Source(ref), &m_Normals.Source(other), sizeof(CVector3)) &&
          SameBits(&Face(ref).m_UV[ref & 3], &Face(other).m_UV[other & 3], sizeof(CVector2)))
        return static_cast<uint32_t>(k);
    }
    const auto index = static_cast<int>(m_Corners.Push({head, ref}));
    head = index;
    const CVector3& p = m_Positions[static_cast<size_t>(vertex)];
    // Zero instead of negative zero keeps bounds and data bit-equal.
    const float position[3] = {Finite(p.x * m_fScale) + 0.0f, Finite(p.y * m_fScale) + 0.0f,
                               Finite(-p.z * m_fScale) + 0.0f};
    for (int k = 0; k < 3; ++k) {
      if (index == 0 || position[k] < m_Low[k]) m_Low[k] = position[k];
      if (index == 0 || position[k] > m_High[k]) m_High[k] = position[k];
    }
    float normal[3];
    m_Normals.Normal(ref, normal);
    const CVector2& texture = Face(ref).m_UV[c];
    const float uv[2] = {Finite(texture.u), Finite(texture.v)};
    m_Stream.Write(position, sizeof position);
    m_Stream.Write(normal, sizeof normal);
    m_Stream.Write(uv, sizeof uv);
    return static_cast<uint32_t>(index);
  }

  size_t Count() const { return m_Corners.Count(); }
  const float* Low() const { return m_Low; }
  const float* High() const { return m_High; }

 private:
  const CMeshFace& Face(uint32_t ref) const {
    return (ref & 4 ? m_Object.m_Faces.Quads() : m_Object.m_Faces.Triangles())[ref >> 3];
  }

  CGltfBinaryStream& m_Stream;
  const CMeshObject& m_Object;
  const CObjectNormals& m_Normals;
  const std::vector<CVector3>& m_Positions;
  std::vector<int> m_Head;
  CCornerStore m_Corners;
  float m_fScale;
  float m_Low[3] = {0, 0, 0};
  float m_High[3] = {0, 0, 0};
};

}  // namespace

CGltfMeshResult WriteGltfMesh(CGltfDocument& document, CGltfBinaryStream& stream, CGltfBinaryStream& scratch,
                              CMeshObject& object, const std::string& name, const CGltfMeshOptions& options) {
  CGltfMeshResult result;
  const int vertexCount = object.VertexCount();
  const auto& triangles = object.m_Faces.Triangles();
  const auto& quads = object.m_Faces.Quads();
  const auto slots = static_cast<size_t>(options.materialCount) + 1;  // the last is the default material
  auto slotOf = [&](const CMeshFace& face) {
    return face.m_nMaterial >= 0 && face.m_nMaterial < options.materialCount ? static_cast<size_t>(face.m_nMaterial)
                                                                             : slots - 1;
  };
  std::vector<uint64_t> counts(slots, 0);
  for (const CMeshFace& face : triangles)
    if (IndicesValid(face, 3, vertexCount)) counts[slotOf(face)] += 3;
  for (const CMeshFace& face : quads)
    if (IndicesValid(face, 4, vertexCount)) counts[slotOf(face)] += 6;
  uint64_t indexTotal = 0;
  for (const uint64_t count : counts) indexTotal += count;
  if (indexTotal == 0) return result;
  if (triangles.size() >= kMaxFacesPerList || quads.size() >= kMaxFacesPerList) {
    result.tooLarge = true;
    return result;
  }

  stream.Align(4);
  const uint64_t vertexStart = stream.Size();
  uint64_t vertices = 0;
  float low[3], high[3];
  {
    const CObjectNormals normals(object);
    CCornerWriter corners(stream, object, normals, options.scale);
    // One pass over the faces per material, so each index list is written in
    // one piece (to the scratch file: the vertex count, and so the index
    // width, is known only at the end). Corners go reversed: the view's front
    // side is the counter-clockwise one in the file's coordinates.
    scratch.Rewind();
    static const int kTriangleOrder[3] = {2, 1, 0};
    static const int kQuadOrder[6] = {2, 1, 0, 3, 2, 0};
    for (size_t s = 0; s < slots; ++s) {
      if (counts[s] == 0) continue;
      for (size_t t = 0; t < triangles.size(); ++t) {
        const CMeshFace& face = triangles[t];
        if (slotOf(face) != s || !IndicesValid(face, 3, vertexCount)) continue;
        for (const int c : kTriangleOrder) scratch.PutWord(corners.Add(t, false, c));
      }
      for (size_t q = 0; q < quads.size(); ++q) {
        const CMeshFace& face = quads[q];
        if (slotOf(face) != s || !IndicesValid(face, 4, vertexCount)) continue;
        for (const int c : kQuadOrder) scratch.PutWord(corners.Add(q, true, c));
      }
    }
    vertices = corners.Count();
    std::memcpy(low, corners.Low(), sizeof low);
    std::memcpy(high, corners.High(), sizeof high);
  }

  const int vertexView =
      document.AddBufferView(vertexStart, vertices * kVertexStride, kVertexStride, kGltfArrayBuffer);
  GltfJson attributes = {
      {"POSITION", document.AddAccessor(vertexView, 0, kGltfFloat, vertices, "VEC3")},
      {"NORMAL", document.AddAccessor(vertexView, 12, kGltfFloat, vertices, "VEC3")},
      {"TEXCOORD_0", document.AddAccessor(vertexView, 24, kGltfFloat, vertices, "VEC2")},
  };
  document.SetBounds(attributes["POSITION"].get<int>(), low, high);

  // 16-bit indices need every index below the restart value 65535.
  const bool narrow = vertices < 65535;
  GltfJson primitives = GltfJson::array();
  uint64_t first = 0;
  for (size_t s = 0; s < slots; ++s) {
    const uint64_t count = counts[s];
    if (count == 0) continue;
    stream.Align(4);
    const uint64_t start = stream.Size();
    scratch.Read(first * 4, count * 4, [&](const unsigned char* bytes, size_t size) {
      if (!narrow) {
        stream.Write(bytes, size);
        return;
      }
      uint16_t shorts[1024];
      for (size_t at = 0; at < size;) {
        size_t n = 0;
        for (; n < 1024 && at < size; ++n, at += 4) {
          uint32_t index;
          std::memcpy(&index, bytes + at, 4);
          shorts[n] = static_cast<uint16_t>(index);
        }
        stream.Write(shorts, n * sizeof(uint16_t));
      }
    });
    first += count;
    const int view = document.AddBufferView(start, count * (narrow ? 2 : 4), 0, kGltfElementArrayBuffer);
    const int accessor =
        document.AddAccessor(view, 0, narrow ? kGltfUnsignedShort : kGltfUnsignedInt, count, "SCALAR");
    const bool isDefault = s + 1 == slots;
    result.usesDefaultMaterial = result.usesDefaultMaterial || isDefault;
    primitives.push_back({{"attributes", attributes},
                          {"indices", accessor},
                          {"material", isDefault ? options.defaultMaterial : static_cast<int>(s)}});
    result.triangles += count / 3;
  }
  result.mesh = document.Add("meshes", {{"name", name}, {"primitives", std::move(primitives)}});
  return result;
}

}  // namespace brimvale
