#include "export/gltf_mesh_writer.h"

#include <cmath>
#include <cstring>
#include <vector>

#include "geometry/face_normals.h"
#include "mesh/distinct_corners.h"

namespace brimvale {
namespace {

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

constexpr size_t kVertexStride = 32;
// Meshes with corner colours add them after the texture coordinate, as four
// normalized bytes (red first, as the model packs them little-endian).
constexpr size_t kColouredVertexStride = 36;

float Finite(float value) { return std::isfinite(value) ? value : 0.0f; }

// Streams each distinct corner's vertex data as it is first met.
class CCornerWriter {
 public:
  CCornerWriter(CGltfBinaryStream& stream, const COutputMesh& mesh, bool smooth, float scale)
      : m_Stream(stream),
        m_Mesh(mesh),
        m_Distinct(mesh, smooth),
        m_fScale(scale),
        m_bColours(mesh.HasColours()) {}

  uint32_t Triangle(size_t t, int c) {
    bool fresh = false;
    const uint32_t index = m_Distinct.AddTriangleCorner(t, c, fresh);
    if (fresh) Write(index, 3 * t + static_cast<size_t>(c), m_Mesh.triangles, 3, t);
    return index;
  }
  uint32_t Quad(size_t q, int c) {
    bool fresh = false;
    const uint32_t index = m_Distinct.AddQuadCorner(q, c, fresh);
    if (fresh) Write(index, m_Mesh.triangles.corners.size() + 4 * q + static_cast<size_t>(c), m_Mesh.quads, 4, q);
    return index;
  }

  size_t Count() const { return m_Distinct.Count(); }
  const float* Low() const { return m_Low; }
  const float* High() const { return m_High; }

 private:
  void Write(uint32_t index, size_t corner, const COutputFaces& faces, size_t k, size_t face) {
    const CVector3& p = m_Mesh.positions[m_Distinct.Vertex(corner)];
    // Zero instead of negative zero keeps bounds and data bit-equal.
    const float position[3] = {Finite(p.x * m_fScale) + 0.0f, Finite(p.y * m_fScale) + 0.0f,
                               Finite(-p.z * m_fScale) + 0.0f};
    for (int i = 0; i < 3; ++i) {
      if (index == 0 || position[i] < m_Low[i]) m_Low[i] = position[i];
      if (index == 0 || position[i] > m_High[i]) m_High[i] = position[i];
    }
    float normal[3];
    if (!FileNormal(m_Distinct.Normal(corner), normal)) {
      // A degenerate corner: the plane of the face, else straight up.
      const auto& at = m_Mesh.positions;
      const CVector3 plane =
          FaceNormal(at[faces.corners[k * face]], at[faces.corners[k * face + 1]], at[faces.corners[k * face + 2]]);
      if (!FileNormal(plane, normal)) {
        normal[0] = 0.0f;
        normal[1] = 1.0f;
        normal[2] = 0.0f;
      }
    }
    const CVector2& texture = m_Distinct.UV(corner);
    const float uv[2] = {Finite(texture.u), Finite(texture.v)};
    m_Stream.Write(position, sizeof position);
    m_Stream.Write(normal, sizeof normal);
    m_Stream.Write(uv, sizeof uv);
    if (m_bColours) {
      const uint32_t colour = m_Distinct.Colour(corner);
      const unsigned char rgba[4] = {
          static_cast<unsigned char>(colour), static_cast<unsigned char>(colour >> 8),
          static_cast<unsigned char>(colour >> 16), static_cast<unsigned char>(colour >> 24)};
      m_Stream.Write(rgba, sizeof rgba);
    }
  }

  CGltfBinaryStream& m_Stream;
  const COutputMesh& m_Mesh;
  CDistinctCorners m_Distinct;
  float m_fScale;
  bool m_bColours;
  float m_Low[3] = {0, 0, 0};
  float m_High[3] = {0, 0, 0};
};

}  // namespace

CGltfMeshResult WriteGltfMesh(CGltfDocument& document, CGltfBinaryStream& stream, CGltfBinaryStream& scratch,
                              const COutputMesh& mesh, bool smooth, const std::string& name,
                              const CGltfMeshOptions& options) {
  CGltfMeshResult result;
  // The default material is the file's last, so its primitive comes last.
  std::vector<uint32_t> slots;
  for (uint32_t s = 1; s < mesh.SlotCount(); ++s) slots.push_back(s);
  slots.push_back(0);
  const std::vector<size_t> triangles = mesh.TrianglesPerSlot();
  const std::vector<size_t> quads = mesh.QuadsPerSlot();
  std::vector<uint64_t> counts(mesh.SlotCount(), 0);
  uint64_t indexTotal = 0;
  for (size_t s = 0; s < counts.size(); ++s) {
    counts[s] = 3 * static_cast<uint64_t>(triangles[s]) + 6 * static_cast<uint64_t>(quads[s]);
    indexTotal += counts[s];
  }
  if (indexTotal == 0) return result;
  if (!CDistinctCorners::Fits(mesh)) {
    result.tooLarge = true;
    return result;
  }

  stream.Align(4);
  const uint64_t vertexStart = stream.Size();
  uint64_t vertices = 0;
  float low[3], high[3];
  {
    CCornerWriter corners(stream, mesh, smooth, options.scale);
    // One pass over the faces per material, so each index list is written in
    // one piece (to the scratch file: the vertex count, and so the index
    // width, is known only at the end). Corners go reversed: the view's front
    // side is the counter-clockwise one in the file's coordinates.
    scratch.Rewind();
    static const int kTriangleOrder[3] = {2, 1, 0};
    static const int kQuadOrder[6] = {2, 1, 0, 3, 2, 0};
    for (const uint32_t s : slots) {
      if (counts[s] == 0) continue;
      for (size_t t = 0; t < mesh.TriangleCount(); ++t) {
        if (mesh.triangles.faceSlots[t] != s) continue;
        for (const int c : kTriangleOrder) scratch.PutWord(corners.Triangle(t, c));
      }
      for (size_t q = 0; q < mesh.QuadCount(); ++q) {
        if (mesh.quads.faceSlots[q] != s) continue;
        for (const int c : kQuadOrder) scratch.PutWord(corners.Quad(q, c));
      }
    }
    vertices = corners.Count();
    std::memcpy(low, corners.Low(), sizeof low);
    std::memcpy(high, corners.High(), sizeof high);
  }

  const bool coloured = mesh.HasColours();
  const size_t stride = coloured ? kColouredVertexStride : kVertexStride;
  const int vertexView = document.AddBufferView(vertexStart, vertices * stride, stride, kGltfArrayBuffer);
  GltfJson attributes = {
      {"POSITION", document.AddAccessor(vertexView, 0, kGltfFloat, vertices, "VEC3")},
      {"NORMAL", document.AddAccessor(vertexView, 12, kGltfFloat, vertices, "VEC3")},
      {"TEXCOORD_0", document.AddAccessor(vertexView, 24, kGltfFloat, vertices, "VEC2")},
  };
  document.SetBounds(attributes["POSITION"].get<int>(), low, high);
  GltfJson colouredAttributes;
  if (coloured) {
    colouredAttributes = attributes;
    colouredAttributes["COLOR_0"] =
        document.AddAccessor(vertexView, 32, kGltfUnsignedByte, vertices, "VEC4", true);
  }

  // 16-bit indices need every index below the restart value 65535.
  const bool narrow = vertices < 65535;
  GltfJson primitives = GltfJson::array();
  uint64_t first = 0;
  for (const uint32_t s : slots) {
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
    const int material = mesh.SlotMaterial(s);
    const bool isDefault = material == COutputMesh::kNoMaterial;
    result.usesDefaultMaterial = result.usesDefaultMaterial || isDefault;
    primitives.push_back({{"attributes", mesh.SlotColoured(s) ? colouredAttributes : attributes},
                          {"indices", accessor},
                          {"material", isDefault ? options.defaultMaterial : material}});
    result.triangles += count / 3;
  }
  result.mesh = document.Add("meshes", {{"name", name}, {"primitives", std::move(primitives)}});
  return result;
}

}  // namespace brimvale
