// Corner normals with a facet-angle threshold: at each vertex, a face's corner
// normal is the mean of the normals of the faces around the vertex that lie
// within the facet angle of it (the relation is not made transitive).
#include <algorithm>
#include <cstdint>
#include <cstring>
#include <map>
#include <mutex>
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
  uint32_t* slot;  // corner index of the first corner of the face that names the vertex
  int list;        // 0 triangles, 1 quads
};

// Appends the entries of one kind of face at vertex v.
void CollectEntries(int v, std::span<const int> faceIndices, const std::vector<CMeshFace>& faces,
                    const CNormalArray& normals, CNormalIndexArray& cornerIndex, int corners, int list,
                    std::vector<FaceEntry>& entries) {
  for (const int f : faceIndices) {
    const CMeshFace& face = faces[static_cast<size_t>(f)];
    int corner = 0;
    while (corner < corners - 1 && face.m_Index[corner] != v) ++corner;
    entries.push_back({&normals[static_cast<size_t>(f)],
                       &cornerIndex[static_cast<size_t>(f) * static_cast<size_t>(corners) + static_cast<size_t>(corner)],
                       list});
  }
}

// Each entry's corner normal: the mean of the normals of the entries within
// the facet angle of it.
void Group(const std::vector<FaceEntry>& entries, std::vector<uint8_t>& matrix, int side, float threshold,
           std::vector<CVector3>& values) {
  const int k = static_cast<int>(entries.size());
  values.resize(entries.size());
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
      values[static_cast<size_t>(a)] = CVector3(sum.x / n, sum.y / n, sum.z / n);
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
    values[static_cast<size_t>(a)] = CVector3(sum.x / n, sum.y / n, sum.z / n);
  }
}

// Further normals of vertices on a crease, found by one range of vertices:
// they join the tables after the vertices' own entries, range by range in
// vertex order, so the tables do not depend on how the vertices were split.
struct CRangeExtras {
  std::vector<CVector3> normals[2];
  std::vector<uint32_t*> slots[2];  // corners that point at them, by position among them
};

constexpr uint32_t kExtra = 0x80000000u;

// Points each entry's corner at its normal: the vertex's own table entry for
// the first normal of each list, an extra one for every other distinct normal.
void Assign(int v, const std::vector<FaceEntry>& entries, const std::vector<CVector3>& values,
            CCornerNormals* const corners[2], CRangeExtras& extras) {
  for (int list = 0; list < 2; ++list) {
    CNormalArray& table = corners[list]->m_Table;
    const size_t own = 1 + static_cast<size_t>(v);
    bool ownSet = false;
    const size_t extrasBefore = extras.normals[list].size();
    for (size_t a = 0; a < entries.size(); ++a) {
      if (entries[a].list != list) continue;
      const CVector3& value = values[a];
      uint32_t index = 0;
      if (!ownSet) {
        table[own] = value;
        ownSet = true;
        index = static_cast<uint32_t>(own);
      } else if (std::memcmp(&table[own], &value, sizeof value) == 0) {
        index = static_cast<uint32_t>(own);
      } else {
        size_t found = extras.normals[list].size();
        for (size_t e = extrasBefore; e < extras.normals[list].size(); ++e) {
          if (std::memcmp(&extras.normals[list][e], &value, sizeof value) == 0) found = e;
        }
        if (found == extras.normals[list].size()) extras.normals[list].push_back(value);
        extras.slots[list].push_back(entries[a].slot);
        index = kExtra | static_cast<uint32_t>(found);
      }
      *entries[a].slot = index;
    }
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

  const CVertexLinkTable& links = obj.m_Vertices.LinkTable();
  const int vertexCount = obj.VertexCount();
  CCornerNormals* corners[2] = {&faces.m_TriangleCornerNormals, &faces.m_QuadCornerNormals};
  const size_t cornerCounts[2] = {3 * faces.Triangles().size(), 4 * faces.Quads().size()};
  for (int list = 0; list < 2; ++list) {
    corners[list]->Clear();
    corners[list]->m_Index.resize(cornerCounts[list]);
    // Entry 0 and one per vertex, for a list that has faces at all.
    corners[list]->m_Table.resize(cornerCounts[list] ? 1 + static_cast<size_t>(vertexCount) : 1);
  }
  // Unreached corners point at the zero normal, and vertices without faces of
  // a list keep a zero entry. Filled by ranges, so that the fresh pages of the
  // largest arrays are first touched on every thread at once.
  for (int list = 0; list < 2; ++list) {
    CNormalIndexArray& index = corners[list]->m_Index;
    ForEachRangeOnSpareThreads(index.size(), kCornersPerRange, [&index](size_t begin, size_t end) {
      std::fill(index.begin() + static_cast<std::ptrdiff_t>(begin), index.begin() + static_cast<std::ptrdiff_t>(end), 0u);
    });
    CNormalArray& table = corners[list]->m_Table;
    ForEachRangeOnSpareThreads(table.size(), kCornersPerRange, [&table](size_t begin, size_t end) {
      std::fill(table.begin() + static_cast<std::ptrdiff_t>(begin), table.begin() + static_cast<std::ptrdiff_t>(end),
                CVector3(0.0f, 0.0f, 0.0f));
    });
  }

  int busiest = 0;
  for (int v = 0; v < vertexCount; ++v) {
    busiest = std::max(busiest, links.Count(LinkKind::Triangle, v) + links.Count(LinkKind::Quad, v));
  }
  if (vertexCount == 0 || busiest == 0) return;

  const int side = std::min(busiest, kMaxMatrixSide);
  const float threshold = CosF(obj.m_fFacetAngle * 3.1415927f / 180.0f);

  // Each vertex writes only its own corners and table entries, so ranges of
  // vertices run on any threads to the same result.
  std::mutex extrasMutex;
  std::map<size_t, CRangeExtras> extrasByRange;
  ForEachRangeOnSpareThreads(static_cast<size_t>(vertexCount), kVerticesPerRange, [&](size_t begin, size_t end) {
    std::vector<uint8_t> matrix(static_cast<size_t>(side) * static_cast<size_t>(side));
    std::vector<FaceEntry> entries;
    entries.reserve(static_cast<size_t>(side));
    std::vector<CVector3> values;
    CRangeExtras extras;
    for (int v = static_cast<int>(begin); v < static_cast<int>(end); ++v) {
      const auto triangles = links.List(LinkKind::Triangle, v);
      const auto quads = links.List(LinkKind::Quad, v);
      if (triangles.empty() && quads.empty()) continue;
      entries.clear();
      CollectEntries(v, triangles, faces.Triangles(), faces.m_TriangleNormals, corners[0]->m_Index, 3, 0, entries);
      CollectEntries(v, quads, faces.Quads(), faces.m_QuadNormals, corners[1]->m_Index, 4, 1, entries);
      Group(entries, matrix, side, threshold, values);
      Assign(v, entries, values, corners, extras);
    }
    if (extras.slots[0].empty() && extras.slots[1].empty()) return;
    const std::lock_guard<std::mutex> lock(extrasMutex);
    extrasByRange.emplace(begin, std::move(extras));
  });
  for (auto& [begin, extras] : extrasByRange) {
    for (int list = 0; list < 2; ++list) {
      CNormalArray& table = corners[list]->m_Table;
      const auto offset = static_cast<uint32_t>(table.size());
      table.insert(table.end(), extras.normals[list].begin(), extras.normals[list].end());
      // A face naming the vertex twice has one slot for both corners: the
      // entry written last holds it, and it may be the vertex's own normal.
      for (uint32_t* slot : extras.slots[list])
        if ((*slot & kExtra) != 0) *slot = offset + (*slot & ~kExtra);
    }
  }
}

}  // namespace brimvale
