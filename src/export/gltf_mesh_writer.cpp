#include "export/gltf_mesh_writer.h"

#include <cmath>
#include <cstring>
#include <vector>

#include "document/mesh_builder.h"

namespace brimvale {
namespace {

// One distinct corner: a vertex with one normal and one texture coordinate.
// Corners of a vertex are chained, so the search stays short.
struct Corner {
  int next;
  float normal[3];
  float uv[2];
};

bool SameBits(const float* a, const float* b, size_t count) { return std::memcmp(a, b, count * sizeof(float)) == 0; }

float Finite(float value) { return std::isfinite(value) ? value : 0.0f; }

// A unit normal in file coordinates (z negated back); a zero or broken normal
// falls back to the face normal, then to +Y.
void FileNormal(const CVector3& corner, const CVector3& face, float out[3]) {
  for (const CVector3* n : {&corner, &face}) {
    const double x = n->x, y = n->y, z = -static_cast<double>(n->z);
    const double length = std::sqrt(x * x + y * y + z * z);
    if (std::isfinite(length) && length > 1e-12) {
      out[0] = static_cast<float>(x / length);
      out[1] = static_cast<float>(y / length);
      out[2] = static_cast<float>(z / length);
      return;
    }
  }
  out[0] = 0.0f;
  out[1] = 1.0f;
  out[2] = 0.0f;
}

class CCornerWriter {
 public:
  CCornerWriter(CGltfBinaryStream& stream, const CMeshObject& object, float scale)
      : m_Stream(stream), m_Positions(object.m_Vertices.Positions()), m_Head(m_Positions.size(), -1),
        m_fScale(scale) {
    m_Corners.reserve(m_Positions.size());
  }

  uint32_t Add(int vertex, const float normal[3], const CVector2& texture) {
    const float uv[2] = {Finite(texture.u), Finite(texture.v)};
    int& head = m_Head[static_cast<size_t>(vertex)];
    for (int c = head; c >= 0; c = m_Corners[static_cast<size_t>(c)].next) {
      const Corner& corner = m_Corners[static_cast<size_t>(c)];
      if (SameBits(corner.normal, normal, 3) && SameBits(corner.uv, uv, 2)) return static_cast<uint32_t>(c);
    }
    const auto index = static_cast<int>(m_Corners.size());
    m_Corners.push_back({head, {normal[0], normal[1], normal[2]}, {uv[0], uv[1]}});
    head = index;
    const CVector3& p = m_Positions[static_cast<size_t>(vertex)];
    // Zero instead of negative zero keeps bounds and data bit-equal.
    const float position[3] = {Finite(p.x * m_fScale) + 0.0f, Finite(p.y * m_fScale) + 0.0f,
                               Finite(-p.z * m_fScale) + 0.0f};
    for (int k = 0; k < 3; ++k) {
      if (index == 0 || position[k] < m_Low[k]) m_Low[k] = position[k];
      if (index == 0 || position[k] > m_High[k]) m_High[k] = position[k];
    }
    for (const float value : position) m_Stream.PutFloat(value);
    for (int k = 0; k < 3; ++k) m_Stream.PutFloat(normal[k]);
    m_Stream.PutFloat(uv[0]);
    m_Stream.PutFloat(uv[1]);
    return static_cast<uint32_t>(index);
  }

  size_t Count() const { return m_Corners.size(); }
  const float* Low() const { return m_Low; }
  const float* High() const { return m_High; }

 private:
  CGltfBinaryStream& m_Stream;
  const std::vector<CVector3>& m_Positions;
  std::vector<int> m_Head;
  std::vector<Corner> m_Corners;
  float m_fScale;
  float m_Low[3] = {0, 0, 0};
  float m_High[3] = {0, 0, 0};
};

bool IndicesValid(const CMeshFace& face, int corners, int vertexCount) {
  for (int c = 0; c < corners; ++c)
    if (face.m_Index[c] < 0 || face.m_Index[c] >= vertexCount) return false;
  return true;
}

constexpr size_t kVertexStride = 32;

}  // namespace

CGltfMeshResult WriteGltfMesh(CGltfDocument& document, CGltfBinaryStream& stream, CMeshObject& object,
                              const std::string& name, const CGltfMeshOptions& options) {
  CGltfMeshResult result;
  const int vertexCount = object.VertexCount();
  const auto& triangles = object.m_Faces.Triangles();
  const auto& quads = object.m_Faces.Quads();
  const auto slots = static_cast<size_t>(options.materialCount) + 1;  // the last is the default material
  auto slotOf = [&](const CMeshFace& face) {
    return face.m_nMaterial >= 0 && face.m_nMaterial < options.materialCount ? static_cast<size_t>(face.m_nMaterial)
                                                                             : slots - 1;
  };
  // Index counts per material first, so the indices land grouped in one array.
  std::vector<uint64_t> offsets(slots + 1, 0);
  for (const CMeshFace& face : triangles)
    if (IndicesValid(face, 3, vertexCount)) offsets[slotOf(face) + 1] += 3;
  for (const CMeshFace& face : quads)
    if (IndicesValid(face, 4, vertexCount)) offsets[slotOf(face) + 1] += 6;
  for (size_t s = 1; s <= slots; ++s) offsets[s] += offsets[s - 1];
  const uint64_t indexTotal = offsets[slots];
  if (indexTotal == 0) return result;

  CMeshBuilder builder(&object);
  if (!object.m_bVertexFaceLinksValid) builder.BuildVertexFaceLinks();
  const bool smooth = object.m_bSmoothShading != 0;
  if (smooth)
    builder.ComputeSmoothNormals();
  else
    builder.ComputeFaceNormals();
  const CFaceArray& faces = object.m_Faces;

  stream.Align(4);
  const uint64_t vertexStart = stream.Size();
  CCornerWriter corners(stream, object, options.scale);
  std::vector<uint32_t> indices(indexTotal);
  std::vector<uint64_t> cursor(offsets.begin(), offsets.end() - 1);
  // Emits the corners of one face in the order given (already reversed).
  auto emit = [&](const CMeshFace& face, const int* order, int count, const CVector3* cornerNormals,
                  const CVector3& faceNormal) {
    uint64_t& at = cursor[slotOf(face)];
    for (int k = 0; k < count; ++k) {
      const int c = order[k];
      float normal[3];
      FileNormal(smooth ? cornerNormals[c] : faceNormal, faceNormal, normal);
      indices[at++] = corners.Add(face.m_Index[c], normal, face.m_UV[c]);
    }
  };
  static const int kTriangleOrder[3] = {2, 1, 0};
  static const int kQuadOrder[6] = {2, 1, 0, 3, 2, 0};
  for (size_t t = 0; t < triangles.size(); ++t) {
    if (!IndicesValid(triangles[t], 3, vertexCount)) continue;
    const CVector3* cornerNormals = smooth ? &faces.m_TriangleCornerNormals[3 * t] : nullptr;
    emit(triangles[t], kTriangleOrder, 3, cornerNormals, faces.m_TriangleNormals[t]);
  }
  for (size_t q = 0; q < quads.size(); ++q) {
    if (!IndicesValid(quads[q], 4, vertexCount)) continue;
    const CVector3* cornerNormals = smooth ? &faces.m_QuadCornerNormals[4 * q] : nullptr;
    emit(quads[q], kQuadOrder, 6, cornerNormals, faces.m_QuadNormals[q]);
  }
  object.m_Faces.FreeNormals();  // the view computes its own again when it needs them

  const uint64_t vertices = corners.Count();
  const int vertexView =
      document.AddBufferView(vertexStart, vertices * kVertexStride, kVertexStride, kGltfArrayBuffer);
  GltfJson attributes = {
      {"POSITION", document.AddAccessor(vertexView, 0, kGltfFloat, vertices, "VEC3")},
      {"NORMAL", document.AddAccessor(vertexView, 12, kGltfFloat, vertices, "VEC3")},
      {"TEXCOORD_0", document.AddAccessor(vertexView, 24, kGltfFloat, vertices, "VEC2")},
  };
  document.SetBounds(attributes["POSITION"].get<int>(), corners.Low(), corners.High());

  // 16-bit indices need every index below the restart value 65535.
  const bool narrow = vertices < 65535;
  GltfJson primitives = GltfJson::array();
  for (size_t s = 0; s < slots; ++s) {
    const uint64_t first = offsets[s];
    const uint64_t count = offsets[s + 1] - first;
    if (count == 0) continue;
    stream.Align(4);
    const uint64_t start = stream.Size();
    if (narrow) {
      std::vector<uint16_t> shorts(count);
      for (uint64_t i = 0; i < count; ++i) shorts[i] = static_cast<uint16_t>(indices[first + i]);
      stream.Write(shorts.data(), shorts.size() * sizeof(uint16_t));
    } else {
      stream.Write(indices.data() + first, count * sizeof(uint32_t));
    }
    const uint64_t bytes = count * (narrow ? 2 : 4);
    const int view = document.AddBufferView(start, bytes, 0, kGltfElementArrayBuffer);
    const int accessor =
        document.AddAccessor(view, 0, narrow ? kGltfUnsignedShort : kGltfUnsignedInt, count, "SCALAR");
    const int material = s + 1 == slots ? options.defaultMaterial : static_cast<int>(s);
    if (s + 1 == slots) result.usesDefaultMaterial = true;
    primitives.push_back({{"attributes", attributes}, {"indices", accessor}, {"material", material}});
    result.triangles += count / 3;
  }
  result.mesh = document.Add("meshes", {{"name", name}, {"primitives", std::move(primitives)}});
  return result;
}

}  // namespace brimvale
