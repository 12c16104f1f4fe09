// The derivation chain: lathe, mirrors across X, Y, Z, up to four patch passes
// and the object's deformers, each stage writing into a temporary that becomes
// the next stage's source. It either fills the object's derived-geometry cache
// for the view or bakes the result into the object (FreezeModifiers). Both
// follow one rule for which stages apply, so what is frozen, exported or handed
// to a plug-in is what the view draws; only the view's simplified display
// drops stages.
#include <memory>
#include <utility>

#include "document/display_settings.h"
#include "document/mesh_builder.h"
#include "geometry/frozen_mesh.h"
#include "geometry/patch_subdivision.h"

namespace brimvale {

namespace {

constexpr int kLatheSlot = 0;
constexpr int kMirrorSlot = 1;  // X, Y, Z
constexpr int kPatchSlot = 4;   // four passes
constexpr int kDeformSlot = 8;
constexpr int kSlotCount = 9;
constexpr int kMaxPatchPasses = 4;

// A lathe without lines, and a negative patch type, leave the mesh as it is.
bool LatheApplies(const CMeshObject& obj) { return obj.m_bLathe != 0 && obj.LineCount() > 0; }
bool MirrorApplies(const CMeshObject& obj) {
  return obj.m_nMirrorType != 0 && (obj.m_bMirrorX || obj.m_bMirrorY || obj.m_bMirrorZ);
}
bool PatchApplies(const CMeshObject& obj) { return obj.m_nPatchType > 0; }
bool DeformersApply(const CMeshObject& obj) {
  for (const auto& deformer : obj.m_Deformers) {
    if (deformer) return true;
  }
  return false;
}

class CDerivationChain {
 public:
  CDerivationChain(CMeshObject& object, bool keepUVs) : m_Object(object), m_pCurrent(&object), m_bKeepUVs(keepUVs) {}

  CMeshObject& Current() const { return *m_pCurrent; }
  bool Applied() const { return m_pCurrent != &m_Object; }

  // Freezing passes no display settings and keeps the result's edges.
  void Run(const CDisplaySettings* display, bool frozen) {
    const CMeshObject& obj = m_Object;
    const bool simple = display && display->SimpleDisplay;
    if (!simple) {
      if (LatheApplies(obj)) Stage(kLatheSlot, [](CMeshBuilder& b, CMeshObject& src) { b.BuildLathe(src); });

      if (MirrorApplies(obj)) {
        const int flags[3] = {obj.m_bMirrorX, obj.m_bMirrorY, obj.m_bMirrorZ};
        for (int axis = 0; axis < 3; ++axis) {
          if (!flags[axis]) continue;
          Stage(kMirrorSlot + axis, [axis](CMeshBuilder& b, CMeshObject& src) { b.BuildMirror(src, axis); });
        }
      }

      if (PatchApplies(obj)) {
        for (int pass = 0; pass < kMaxPatchPasses; ++pass) {
          const bool last = pass == kMaxPatchPasses - 1 || obj.m_nPatchSegments < (4 << pass);
          // Only a frozen mesh keeps its edges; the view draws the faces.
          const bool edges = !last || frozen;
          Stage(kPatchSlot + pass,
                [edges](CMeshBuilder& b, CMeshObject& src) { SubdivideOnce(src, *b.Target(), edges); });
          if (last) break;
        }
      }
    }
    ApplyDeformers();
  }

 private:
  // Binds a builder to the slot's temporary, runs the stage with the current
  // mesh as its source, copies the object's attributes, releases the spent
  // temporary and moves on.
  template <class StageFn>
  void Stage(int slot, StageFn&& stage) {
    auto& temporary = m_Temporaries[slot];
    temporary = std::make_unique<CMeshObject>();
    CMeshBuilder builder(temporary.get());
    stage(builder, *m_pCurrent);
    // Only the first stage reads the object's UVs; dropping them here keeps
    // every later stage free of them.
    if (!m_bKeepUVs) temporary->m_Faces.FreeUVs();
    builder.CopyAttributesFrom(m_Object);
    Advance(temporary.get());
  }

  void Advance(CMeshObject* next) {
    if (Applied()) CMeshBuilder(m_pCurrent).ClearGeometry();
    m_pCurrent = next;
  }

  // Each deformer is measured on the mesh it deforms: the object's own points
  // are never moved, so a chain with no stage deforms a copy.
  void ApplyDeformers() {
    if (!DeformersApply(m_Object)) return;
    if (!Applied()) {
      auto& temporary = m_Temporaries[kDeformSlot];
      temporary = std::make_unique<CMeshObject>();
      CMeshBuilder builder(temporary.get());
      builder.CopyGeometryFrom(m_Object);
      builder.CopyAttributesFrom(m_Object);
      if (!m_bKeepUVs) temporary->m_Faces.FreeUVs();
      m_pCurrent = temporary.get();
    }
    for (const auto& deformer : m_Object.m_Deformers) {
      if (!deformer) continue;
      deformer->Prepare(*m_pCurrent);
      for (CVector3& point : m_pCurrent->m_Vertices.Positions()) deformer->Deform(point);
    }
  }

  CMeshObject& m_Object;
  CMeshObject* m_pCurrent;
  const bool m_bKeepUVs;
  std::unique_ptr<CMeshObject> m_Temporaries[kSlotCount];
};

// Moves the geometry of a spent temporary into the object: the same result as
// ClearGeometry + CopyGeometryFrom, without holding two copies at once.
void TakeGeometry(CMeshObject& object, CMeshObject& donor) {
  CMeshBuilder builder(&object);
  if (!donor.m_bEdgesBuilt) CMeshBuilder(&donor).BuildEdges();
  builder.ClearGeometry();
  object.m_Vertices.Swap(donor.m_Vertices);
  object.m_Edges.swap(donor.m_Edges);
  object.m_Faces.Swap(FaceList::Lines, donor.m_Faces);
  object.m_Faces.Swap(FaceList::Triangles, donor.m_Faces);
  object.m_Faces.Swap(FaceList::Quads, donor.m_Faces);
  object.m_bEdgesBuilt = 1;
  if (donor.m_bVertexEdgeLinksValid) {
    object.m_bVertexEdgeLinksValid = 1;
  } else {
    builder.BuildVertexEdgeLinks();
  }
  if (donor.m_bVertexFaceLinksValid) {
    object.m_bVertexFaceLinksValid = 1;
  } else {
    builder.BuildVertexFaceLinks();
  }
  CMeshBuilder(&donor).ClearGeometry();
}

}  // namespace

bool HasDerivedGeometry(const CMeshObject& object) {
  return LatheApplies(object) || MirrorApplies(object) || PatchApplies(object) || DeformersApply(object);
}

std::unique_ptr<CMeshObject> FrozenCopy(CMeshObject& object) {
  if (!HasDerivedGeometry(object)) return nullptr;
  auto copy = std::make_unique<CMeshObject>();
  CMeshBuilder builder(copy.get());
  builder.CopyGeometryFrom(object);
  builder.CopyAttributesFrom(object);
  builder.FreezeModifiers();
  return copy;
}

void CMeshBuilder::FreezeModifiers() {
  if (!m_pTarget) return;
  CMeshObject& obj = *m_pTarget;
  CDerivationChain chain(obj, true);
  chain.Run(nullptr, true);
  if (obj.m_bLathe) obj.m_bLathe = 0;
  if (obj.m_nMirrorType != 0) obj.m_nMirrorType = 0;
  if (obj.m_nPatchType != 0) {
    obj.m_nPatchType = 0;
    obj.m_nPatchSegments = 2;
  }
  // The deformation is baked in with the rest, so freezing again is a no-op.
  obj.m_Deformers.clear();
  if (chain.Applied()) TakeGeometry(obj, chain.Current());
  obj.DiscardDerived();
}

void CMeshBuilder::BuildDerivedGeometry(const CDisplaySettings* display, bool keepUVs) {
  if (!m_pTarget) return;
  CMeshObject& obj = *m_pTarget;
  CDerivationChain chain(obj, keepUVs);
  chain.Run(display, false);
  CMeshObject& current = chain.Current();
  CMeshBuilder(&current).ComputeSmoothNormals();

  obj.DiscardDerived();
  auto cache = std::make_unique<CMeshObject>();
  if (chain.Applied()) {
    cache->m_Vertices.Swap(current.m_Vertices);
    cache->m_Faces.Swap(FaceList::Lines, current.m_Faces);
    cache->m_Faces.Swap(FaceList::Triangles, current.m_Faces);
    cache->m_Faces.Swap(FaceList::Quads, current.m_Faces);
    // The links served the normals; the view draws from faces and normals, and
    // they would be an eighth of what the view keeps per derived quad.
    cache->m_Vertices.LinkTable().ClearAll();
    current.InvalidateTopology();
  }
  // Only the normal arrays when no stage applied: the view then draws the
  // object's own vertices and faces with them.
  cache->m_Faces.SwapNormals(current.m_Faces);
  current.m_Faces.FreeNormals();
  obj.m_pDerived = std::move(cache);
}

}  // namespace brimvale
