#include "geometry/parallel_derivation.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cmath>
#include <cstring>
#include <memory>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include "document/display_settings.h"
#include "mesh_fixtures.h"

namespace brimvale {
namespace {

using testing::MakeCube;

// Objects with every stage: patches of two depths, mirrors, a lathe.
std::vector<std::unique_ptr<CMeshObject>> MakeObjects() {
  std::vector<std::unique_ptr<CMeshObject>> objects;
  for (int i = 0; i < 7; ++i) {
    auto object = std::make_unique<CMeshObject>();
    MakeCube(*object, 1.0f + 0.25f * static_cast<float>(i));
    object->m_nPatchType = i % 3 == 2 ? 0 : 3;
    object->m_nPatchSegments = i % 2 ? 16 : 4;
    object->m_nMirrorType = i % 3 == 1 ? 1 : 0;
    object->m_bMirrorX = 1;
    object->m_bLathe = i == 2 ? 1 : 0;
    objects.push_back(std::move(object));
  }
  return objects;
}

std::vector<CMeshObject*> Pointers(const std::vector<std::unique_ptr<CMeshObject>>& objects) {
  std::vector<CMeshObject*> pointers;
  for (const auto& object : objects) pointers.push_back(object.get());
  return pointers;
}

// Every byte of the positions, the faces and the corner normals.
std::string Fingerprint(const CMeshObject& mesh) {
  std::string bytes;
  auto add = [&bytes](const void* data, size_t size) { bytes.append(static_cast<const char*>(data), size); };
  for (const CVector3& p : mesh.m_Vertices.Positions()) add(&p, sizeof p);
  for (FaceList list : {FaceList::Lines, FaceList::Triangles, FaceList::Quads}) {
    for (const CMeshFace& f : mesh.m_Faces.List(list)) {
      add(&f.m_nCorners, sizeof f.m_nCorners);
      add(f.m_Index, sizeof f.m_Index);
      add(&f.m_nMaterial, sizeof f.m_nMaterial);
    }
  }
  for (FaceList list : {FaceList::Lines, FaceList::Triangles, FaceList::Quads}) {
    for (const CCornerUVs& uvs : mesh.m_Faces.UVs(list)) add(uvs.m_UV, sizeof uvs.m_UV);
  }
  for (const CCornerNormals* corners : {&mesh.m_Faces.m_QuadCornerNormals, &mesh.m_Faces.m_TriangleCornerNormals}) {
    for (size_t c = 0; c < corners->size(); ++c) add(&(*corners)[c], sizeof(CVector3));
  }
  return bytes;
}

TEST(ParallelDerivation, EveryThreadCountGivesTheSingleThreadedBytes) {
  std::vector<std::string> derived, frozen;
  for (int threads : {1, 2, 3, 8}) {
    auto objects = MakeObjects();
    CDisplaySettings display;
    ASSERT_TRUE(BuildDerivedGeometryInParallel(Pointers(objects), &display, threads));
    std::string all;
    for (const auto& object : objects) {
      ASSERT_TRUE(object->m_pDerived);
      all += Fingerprint(*object->m_pDerived);
    }
    derived.push_back(all);

    ASSERT_TRUE(FreezeInParallel(Pointers(objects), threads));
    all.clear();
    for (const auto& object : objects) all += Fingerprint(*object);
    frozen.push_back(all);
  }
  // The single-threaded chain, object by object, is the reference.
  auto reference = MakeObjects();
  std::string expected;
  for (const auto& object : reference) {
    CMeshBuilder(object.get()).BuildDerivedGeometry(nullptr);
    expected += Fingerprint(*object->m_pDerived);
  }
  EXPECT_GT(expected.size(), 100000u);
  for (const std::string& bytes : derived) EXPECT_TRUE(bytes == expected);
  for (const std::string& bytes : frozen) EXPECT_TRUE(bytes == frozen.front());
  EXPECT_NE(frozen.front(), derived.front());  // normals are not part of a freeze
}

TEST(ParallelDerivation, ProgressCountsEveryItemAndCanStopTheRest) {
  for (int threads : {1, 3}) {
    std::atomic<int> ran{0};
    std::vector<size_t> told;
    EXPECT_TRUE(RunInParallel(
        20, threads, [&](size_t) { ++ran; },
        [&](size_t done, size_t total) {
          told.push_back(done);
          return total == 20;
        }));
    EXPECT_EQ(ran.load(), 20);
    ASSERT_FALSE(told.empty());
    EXPECT_EQ(told.back(), 20u);

    // Slow items, so the first report comes while most are still to start.
    ran = 0;
    EXPECT_FALSE(RunInParallel(
        1000, threads,
        [&](size_t i) {
          if (i > 0) std::this_thread::sleep_for(std::chrono::milliseconds(2));
          ++ran;
        },
        [](size_t, size_t) { return false; }));
    EXPECT_LT(ran.load(), 1000);
  }
}

TEST(ParallelDerivation, AFailureIsThrownOnTheCallingThreadAndCostOrdersTheWork) {
  EXPECT_THROW(RunInParallel(
                   8, 4,
                   [](size_t i) {
                     if (i == 5) throw std::runtime_error("no memory");
                   }),
               std::runtime_error);

  auto objects = MakeObjects();
  const std::vector<size_t> order = CostliestFirst(Pointers(objects));
  ASSERT_EQ(order.size(), objects.size());
  for (size_t i = 1; i < order.size(); ++i)
    EXPECT_GE(DerivationCost(*objects[order[i - 1]]), DerivationCost(*objects[order[i]]));
  EXPECT_GT(DerivationCost(*objects[1]), DerivationCost(*objects[0]));  // 16 segments over 4
}

TEST(ParallelDerivation, ThreadCountDefaultsToAllCores) {
  SetDerivationThreads(3);
  EXPECT_EQ(DerivationThreads(), 3);
  SetDerivationThreads(0);
  EXPECT_EQ(DerivationThreads(), AllCores());
  EXPECT_GE(AllCores(), 1);
}

TEST(ParallelDerivation, RangesOnSpareThreadsCoverEveryItemOnce) {
  for (const int threads : {1, 4}) {
    SetDerivationThreads(threads);
    for (const size_t count : {size_t{150}, size_t{1001}, size_t{100000}}) {
      std::vector<std::atomic<int>> visits(count);
      std::atomic<int> ranges{0}, shortRanges{0};
      ForEachRangeOnSpareThreads(count, 100, [&](size_t begin, size_t end) {
        ++ranges;
        if (end - begin < 100 && end != count) ++shortRanges;
        for (size_t i = begin; i < end; ++i) ++visits[i];
      });
      EXPECT_EQ(ranges.load() > 1, threads > 1 && count >= 200);
      EXPECT_EQ(shortRanges.load(), 0);
      for (const auto& v : visits) EXPECT_EQ(v.load(), 1);
    }
  }
  EXPECT_THROW(ForEachRangeOnSpareThreads(1000, 10,
                                          [](size_t begin, size_t) {
                                            if (begin > 0) throw std::runtime_error("no memory");
                                          }),
               std::runtime_error);
  SetDerivationThreads(0);
}

// A bumpy torus grid of 240 x 200 quads: enough vertices and faces to be split.
void MakeBumpyTorus(CMeshObject& obj) {
  constexpr int kRings = 240, kSides = 200;
  obj.m_Vertices.SetSize(kRings * kSides);
  for (int i = 0; i < kRings; ++i) {
    for (int j = 0; j < kSides; ++j) {
      const float u = 6.2831853f * static_cast<float>(i) / kRings, v = 6.2831853f * static_cast<float>(j) / kSides;
      const float r = 3.0f + std::cos(v) + ((i * 7 + j * 13) % 5 == 0 ? 0.2f : 0.0f);
      obj.m_Vertices.Position(i * kSides + j) = CVector3(r * std::cos(u), std::sin(v), r * std::sin(u));
    }
  }
  for (int i = 0; i < kRings; ++i) {
    for (int j = 0; j < kSides; ++j) {
      const int a = i * kSides + j, b = i * kSides + (j + 1) % kSides;
      const int c = (i + 1) % kRings * kSides + (j + 1) % kSides, d = (i + 1) % kRings * kSides + j;
      obj.m_Faces.Quads().push_back(testing::Face({a, b, c, d}));
    }
  }
  obj.m_fFacetAngle = 10.0f;
}

TEST(ParallelDerivation, NormalsOfOneLargeObjectAreTheSameOnSpareThreads) {
  std::vector<CCornerNormals> corners;
  std::vector<CNormalArray> faces;
  for (const int threads : {1, 4}) {
    SetDerivationThreads(threads);
    CMeshObject torus;
    MakeBumpyTorus(torus);
    CMeshBuilder(&torus).ComputeSmoothNormals();
    corners.push_back(torus.m_Faces.m_QuadCornerNormals);
    faces.push_back(torus.m_Faces.m_QuadNormals);
  }
  SetDerivationThreads(0);
  const CCornerNormals &one = corners[0], &four = corners[1];
  ASSERT_EQ(one.size(), 4u * 240u * 200u);
  EXPECT_TRUE(one.m_Index == four.m_Index);
  ASSERT_EQ(one.m_Table.size(), four.m_Table.size());
  EXPECT_EQ(std::memcmp(one.m_Table.data(), four.m_Table.data(), one.m_Table.size() * sizeof(CVector3)), 0);
  EXPECT_EQ(std::memcmp(faces[0].data(), faces[1].data(), faces[0].size() * sizeof(CVector3)), 0);
  // The bumps make creases: some corners differ from their neighbours at the
  // same vertex and get normals beyond one per vertex; the rest share.
  EXPECT_NE(std::memcmp(&one[0], &one[1], sizeof(CVector3)), 0);
  EXPECT_GT(one.m_Table.size(), 1u + 240u * 200u);
  EXPECT_LT(one.m_Table.size(), one.size() * 3 / 4);
}

}  // namespace
}  // namespace brimvale
