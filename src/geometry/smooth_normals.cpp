// Corner normals with a facet-angle threshold: at each vertex, a face's corner
// normal is the mean of the normals of the faces around the vertex that lie
// within the facet angle of it (the relation is not made transitive).
#include <algorithm>
#include <cstdint>
#include <span>
#include <vector>

#include "document/mesh_builder.h"
#include "foundation/float_math.h"
#include "geometry/parallel_derivation.h"

namespace brimvale {

namespace {

// The pair matrix is a cache of the symmetric comparisons; busier vertices
// compare directly, so a hostile fan cannot make it grow without bound.
constexpr int kMaxMatrixSide = 1024;
// Below this a thread costs more to start than it saves.
constexpr size_t kVerticesPerRange = 50000;
constexpr size_t kCornersPerRange = 1 << 18;

inline float Dot(const CVector3& a, const CVector3& b) { return a.x * b.x + a.y * b.y + a.z * b.z; }

struct FaceEntry {
  const CVector3* normal;
  CVector3* cornerNormal;  // the first corner of the face that names the vertex
};

// Appends the entries of one kind of face at vertex v.
void CollectEntries(int v, std::span<const int> faceIndices, const std::vector<CMeshFace>& faces,
                    const CNormalArray& normals, CNormalArray& cornerNormals, int corners,
                    std::vector<FaceEntry>& entries) {
  for (const int f : faceIndices) {
    const CMeshFace& face = faces[static_cast<size_t>(f)];
    int corner = 0;
    while (corner < corners - 1 && face.m_Index[corner] != v) ++corner;
    entries.push_back({&normals[static_cast<size_t>(f)],
                       &cornerNormals[static_cast<size_t>(f) * static_cast<size_t>(corners) +
                                      static_cast<size_t>(corner)]});
  }
}

void Group(std::vector<FaceEntry>& entries, std::vector<uint8_t>& matrix, int side, float threshold) {
  const int k = static_cast<int>(entries.size());
  if (k <= side) {
    const auto stride = static_cast<size_t>(side);
    std::fill(matrix.begin(), matrix.begin() + static_cast<std::ptrdiff_t>(static_cast<size_t>(k) * stride), 0);
    for (int a = 0; a < k; ++a) {
      uint8_t* row = matrix.data() + static_cast<size_t>(a) * stride;
      row[a] = 1;
      for (int b = a + 1; b < k; ++b) {
        if (Dot(*entries[static_cast<size_t>(a)].normal, *entries[static_cast<size_t>(b)].normal) >= threshold) {
          row[b] = 1;
          matrix[static_cast<size_t>(b) * stride + static_cast<size_t>(a)] = 1;
        }
      }
    }
    for (int a = 0; a < k; ++a) {
      const uint8_t* row = matrix.data() + static_cast<size_t>(a) * stride;
      CVector3 sum(0.0f, 0.0f, 0.0f);
      int members = 0;
      for (int b = 0; b < k; ++b) {
        if (!row[b]) continue;
        sum.Add(*entries[static_cast<size_t>(b)].normal);
        ++members;
      }
      const float n = static_cast<float>(members);
      *entries[static_cast<size_t>(a)].cornerNormal = CVector3(sum.x / n, sum.y / n, sum.z / n);
    }
    return;
  }
  // Same relation without the cache: a.b and b.a round identically.
  for (int a = 0; a < k; ++a) {
    const CVector3& na = *entries[static_cast<size_t>(a)].normal;
    CVector3 sum(0.0f, 0.0f, 0.0f);
    int members = 0;
    for (int b = 0; b < k; ++b) {
      const CVector3& nb = *entries[static_cast<size_t>(b)].normal;
      const bool shared = a == b || (a < b ? Dot(na, nb) : Dot(nb, na)) >= threshold;
      if (!shared) continue;
      sum.Add(nb);
      ++members;
    }
    const float n = static_cast<float>(members);
    *entries[static_cast<size_t>(a)].cornerNormal = CVector3(sum.x / n, sum.y / n, sum.z / n);
  }
}

}  // namespace

void CMeshBuilder::ComputeSmoothNormals() {
  if (!m_pTarget) return;
  CMeshObject& obj = *m_pTarget;
  if (!obj.m_bVertexFaceLinksValid) BuildVertexFaceLinks();
  CFaceArray& faces = obj.m_Faces;
  faces.SizeNormalsUnfilled();
  ComputeFaceNormals();
  // Unreached corners stay zero. Zeroed by ranges, so that the fresh pages of
  // the largest arrays are first touched on every thread at once.
  for (CNormalArray* corners : {&faces.m_TriangleCornerNormals, &faces.m_QuadCornerNormals}) {
    ForEachRangeOnSpareThreads(corners->size(), kCornersPerRange, [corners](size_t begin, size_t end) {
      std::fill(corners->begin() + static_cast<std::ptrdiff_t>(begin), corners->begin() + static_cast<std::ptrdiff_t>(end),
                CVector3(0.0f, 0.0f, 0.0f));
    });
  }

  const CVertexLinkTable& links = obj.m_Vertices.LinkTable();
  const int vertexCount = obj.VertexCount();
  int busiest = 0;
  for (int v = 0; v < vertexCount; ++v) {
    busiest = std::max(busiest, links.Count(LinkKind::Triangle, v) + links.Count(LinkKind::Quad, v));
  }
  if (vertexCount == 0 || busiest == 0) return;

  const int side = std::min(busiest, kMaxMatrixSide);
  const float threshold = CosF(obj.m_fFacetAngle * 3.1415927f / 180.0f);

  // Each vertex writes only its own corners of its faces, so ranges of
  // vertices run on any threads to the same result.
  ForEachRangeOnSpareThreads(static_cast<size_t>(vertexCount), kVerticesPerRange, [&](size_t begin, size_t end) {
    std::vector<uint8_t> matrix(static_cast<size_t>(side) * static_cast<size_t>(side));
    std::vector<FaceEntry> entries;
    entries.reserve(static_cast<size_t>(side));
    for (int v = static_cast<int>(begin); v < static_cast<int>(end); ++v) {
      const auto triangles = links.List(LinkKind::Triangle, v);
      const auto quads = links.List(LinkKind::Quad, v);
      if (triangles.empty() && quads.empty()) continue;
      entries.clear();
      CollectEntries(v, triangles, faces.Triangles(), faces.m_TriangleNormals, faces.m_TriangleCornerNormals, 3,
                     entries);
      CollectEntries(v, quads, faces.Quads(), faces.m_QuadNormals, faces.m_QuadCornerNormals, 4, entries);
      Group(entries, matrix, side, threshold);
    }
  });
}

}  // namespace brimvale
