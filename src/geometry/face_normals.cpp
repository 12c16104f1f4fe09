// Face normals of triangles and quads (a quad's corner 3 only counts when its
// first three corners give no plane), made
// unit length with a table-driven square root: a 65536-entry table of 23-bit
// mantissas indexed by the lowest exponent bit and the top 15 mantissa bits.
#include "geometry/face_normals.h"

#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>
#include <mutex>
#include <vector>

#include "document/mesh_builder.h"
#include "geometry/parallel_derivation.h"

namespace brimvale {

namespace {

constexpr int kTableSize = 65536;
// Below this a thread costs more to start than it saves.
constexpr size_t kFacesPerRange = 100000;

// Built by the first normalisation; never freed (program lifetime).
const uint32_t* SqrtTable() {
  static uint32_t table[kTableSize];
  static std::once_flag once;
  std::call_once(once, [] {
    for (uint32_t i = 0; i < 32768; ++i) {
      // [2, 4): odd powers of two after halving the exponent.
      const float upper = std::bit_cast<float>((i << 8) | 0x40000000u);
      table[i] = std::bit_cast<uint32_t>(std::sqrt(upper)) & 0x007FFFFFu;
      // [1, 2): even powers of two.
      const float lower = std::bit_cast<float>((i << 8) | 0x3F800000u);
      table[32768 + i] = std::bit_cast<uint32_t>(std::sqrt(lower)) & 0x007FFFFFu;
    }
  });
  return table;
}

inline float TableSqrt(const uint32_t* table, float x) {
  const uint32_t b = std::bit_cast<uint32_t>(x);
  if (b == 0) return 0.0f;
  const uint32_t exponent = (((b - 0x3F800000u) >> 1) + 0x3F800000u) & 0x7F800000u;
  return std::bit_cast<float>(exponent | table[(b >> 8) & 0xFFFFu]);
}

inline CVector3 NormalWithTable(const uint32_t* table, const CVector3& p0, const CVector3& p1, const CVector3& p2) {
  const float ax = p1.x - p2.x, ay = p1.y - p2.y, az = p1.z - p2.z;
  const float bx = p1.x - p0.x, by = p1.y - p0.y, bz = p1.z - p0.z;
  const CVector3 w(ay * bz - az * by, az * bx - ax * bz, ax * by - ay * bx);
  if (w.x == 0.0f && w.y == 0.0f && w.z == 0.0f) return CVector3(0.0f, 0.0f, 0.0f);
  const float squared = w.x * w.x + w.y * w.y + w.z * w.z;
  if (!(squared >= std::numeric_limits<float>::min())) {
    // A face so small that its squared length leaves the normal floats (and
    // the table): scaled by a power of two it normalises exactly as well.
    const CVector3 big(w.x * 0x1p100f, w.y * 0x1p100f, w.z * 0x1p100f);
    const float length = TableSqrt(table, big.x * big.x + big.y * big.y + big.z * big.z);
    return CVector3(big.x / length, big.y / length, big.z / length);
  }
  const float length = TableSqrt(table, squared);
  return CVector3(w.x / length, w.y / length, w.z / length);
}

// A quad whose corners 0, 1, 2 give no plane (two of them coincide, as on a
// lathed end touching the axis) takes the normal of its other corners, in the
// same turning order, so it is lit on the side it faces.
CVector3 DegenerateQuadNormal(const uint32_t* table, const std::vector<CVector3>& positions, const int* index,
                              uint32_t count) {
  const auto i3 = static_cast<uint32_t>(index[3]);
  if (i3 >= count) return CVector3(0.0f, 0.0f, 0.0f);
  const CVector3& p0 = positions[static_cast<uint32_t>(index[0])];
  const CVector3& p1 = positions[static_cast<uint32_t>(index[1])];
  const CVector3& p2 = positions[static_cast<uint32_t>(index[2])];
  const CVector3& p3 = positions[i3];
  CVector3 n = NormalWithTable(table, p0, p2, p3);
  if (n.x == 0.0f && n.y == 0.0f && n.z == 0.0f) n = NormalWithTable(table, p1, p2, p3);
  if (n.x == 0.0f && n.y == 0.0f && n.z == 0.0f) n = NormalWithTable(table, p0, p1, p3);
  return n;
}

// Normals of one face list; a face with a corner outside the vertex array
// gets a zero normal instead of reading past it.
void FillNormals(const std::vector<CMeshFace>& faces, const std::vector<CVector3>& positions,
                 CNormalArray& normals, bool quads) {
  const uint32_t* table = SqrtTable();
  const auto count = static_cast<uint32_t>(positions.size());
  normals.resize(faces.size());
  ForEachRangeOnSpareThreads(faces.size(), kFacesPerRange, [&](size_t begin, size_t end) {
    for (size_t f = begin; f < end; ++f) {
      const int* index = faces[f].m_Index;
      const auto i0 = static_cast<uint32_t>(index[0]);
      const auto i1 = static_cast<uint32_t>(index[1]);
      const auto i2 = static_cast<uint32_t>(index[2]);
      if (i0 >= count || i1 >= count || i2 >= count) {
        normals[f] = CVector3(0.0f, 0.0f, 0.0f);
        continue;
      }
      CVector3 n = NormalWithTable(table, positions[i0], positions[i1], positions[i2]);
      if (quads && n.x == 0.0f && n.y == 0.0f && n.z == 0.0f) n = DegenerateQuadNormal(table, positions, index, count);
      normals[f] = n;
    }
  });
}

}  // namespace

float FastSqrt(float x) { return TableSqrt(SqrtTable(), x); }

CVector3 FaceNormal(const CVector3& p0, const CVector3& p1, const CVector3& p2) {
  return NormalWithTable(SqrtTable(), p0, p1, p2);
}

void CMeshBuilder::ComputeFaceNormals() {
  if (!m_pTarget) return;
  CFaceArray& faces = m_pTarget->m_Faces;
  // Arrays of another size are freed first, so the new ones are not added to them.
  if (faces.m_TriangleNormals.size() != faces.Triangles().size()) CNormalArray().swap(faces.m_TriangleNormals);
  if (faces.m_QuadNormals.size() != faces.Quads().size()) CNormalArray().swap(faces.m_QuadNormals);
  const auto& positions = m_pTarget->m_Vertices.Positions();
  FillNormals(faces.Triangles(), positions, faces.m_TriangleNormals, false);
  FillNormals(faces.Quads(), positions, faces.m_QuadNormals, true);
}

}  // namespace brimvale
