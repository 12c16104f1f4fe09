#include "mesh/output_mesh_builder.h"

#include <algorithm>
#include <mutex>
#include <type_traits>
#include <utility>

#include "document/mesh_builder.h"
#include "document/quorix_doc.h"

namespace brimvale {
namespace {

// Below this a thread costs more to start than it saves.
constexpr size_t kFacesPerRange = size_t{1} << 16;

bool CornersValid(const CMeshFace& face, int corners, size_t vertexCount) {
  for (int c = 0; c < corners; ++c)
    if (face.m_Index[c] < 0 || static_cast<size_t>(face.m_Index[c]) >= vertexCount) return false;
  return true;
}

bool HasMaterial(const CMeshFace& face, int materialCount) {
  return face.m_nMaterial >= 0 && face.m_nMaterial < materialCount;
}

// What one face list holds: the materials its valid faces use, whether every
// face is valid, whether one of them is textured.
struct CListSurvey {
  std::vector<char> used;
  bool allValid = true;
  bool textured = false;
  bool coloured = false;  // a face uses a material that shows corner colours
};

CListSurvey Survey(const std::vector<CMeshFace>& faces, int corners, size_t vertexCount,
                   const COutputMeshOptions& options) {
  const int materials = options.materialCount;
  CListSurvey survey;
  survey.used.assign(static_cast<size_t>(std::max(materials, 0)), 0);
  std::mutex mutex;
  ForEachRangeOnSpareThreads(faces.size(), kFacesPerRange, [&](size_t begin, size_t end) {
    CListSurvey part;
    part.used.assign(survey.used.size(), 0);
    for (size_t f = begin; f < end; ++f) {
      const CMeshFace& face = faces[f];
      if (!CornersValid(face, corners, vertexCount)) {
        part.allValid = false;
      } else if (HasMaterial(face, materials)) {
        part.used[static_cast<size_t>(face.m_nMaterial)] = 1;
      }
    }
    const std::lock_guard<std::mutex> lock(mutex);
    survey.allValid = survey.allValid && part.allValid;
    for (size_t m = 0; m < part.used.size(); ++m) survey.used[m] = survey.used[m] | part.used[m];
  });
  for (size_t m = 0; m < survey.used.size(); ++m)
    survey.textured = survey.textured || (survey.used[m] && m < options.texturedMaterials.size() &&
                                          options.texturedMaterials[m]);
  for (size_t m = 0; m < survey.used.size(); ++m)
    survey.coloured = survey.coloured || (survey.used[m] && m < options.colouredMaterials.size() &&
                                          options.colouredMaterials[m]);
  return survey;
}

// Lays out one face list. The owned pointers, when given, are the same
// arrays as the normals read, and may be moved out instead of copied.
void LayOutList(const std::vector<CMeshFace>& faces, int corners, size_t vertexCount, const CListSurvey& survey,
                const std::vector<uint32_t>& slotOf, bool uvs, const std::vector<CCornerUVs>* faceUVs,
                const std::vector<CCornerColours>* colours,
                const std::vector<char>& colouredMaterials, bool faceNormals, bool cornerNormals,
                const CNormalArray& faceNormalsIn,
                const CCornerNormals& cornerNormalsIn, CNormalArray* ownedFaceNormals,
                CCornerNormals* ownedCornerNormals, COutputFaces& out) {
  const size_t n = faces.size();
  const auto k = static_cast<size_t>(corners);
  const int materials = static_cast<int>(slotOf.size()) - 1;
  std::vector<size_t> keptAt;  // source face of each kept face, only when some are dropped
  if (!survey.allValid) {
    for (size_t f = 0; f < n; ++f)
      if (CornersValid(faces[f], corners, vertexCount)) keptAt.push_back(f);
  }
  const size_t kept = survey.allValid ? n : keptAt.size();
  out.corners.resize(kept * k);
  out.faceSlots.resize(kept);
  if (uvs) out.uvs.resize(kept * k);
  if (colours) out.colours.resize(kept * k);

  // A normal array that does not match the faces (none computed) reads as zero.
  const bool faceNormalsMatch = faceNormalsIn.size() == n;
  const bool moveFaceNormals = !faceNormals || (ownedFaceNormals && faceNormalsMatch && survey.allValid);
  if (!faceNormals) {
    // Nothing to read them from.
  } else if (moveFaceNormals) {
    out.faceNormals.swap(*ownedFaceNormals);
  } else {
    out.faceNormals.resize(kept);
  }
  const bool cornerNormalsMatch = cornerNormals && cornerNormalsIn.size() == n * k;
  const bool moveCornerIndex = ownedCornerNormals && cornerNormalsMatch && survey.allValid;
  if (!cornerNormals) {
    // As above.
  } else if (moveCornerIndex) {
    out.cornerNormals.swap(*ownedCornerNormals);
  } else if (cornerNormalsMatch) {
    if (ownedCornerNormals) {
      out.cornerNormals.m_Table.swap(ownedCornerNormals->m_Table);
    } else {
      out.cornerNormals.m_Table = cornerNormalsIn.m_Table;
    }
    out.cornerNormals.m_Index.resize(kept * k);
  } else {
    out.cornerNormals.Zeroed(kept * k);
  }
  const bool copyCornerIndex = cornerNormalsMatch && !moveCornerIndex;

  const auto fill = [&](size_t begin, size_t end) {
    for (size_t i = begin; i < end; ++i) {
      const size_t f = survey.allValid ? i : keptAt[i];
      const CMeshFace& face = faces[f];
      out.faceSlots[i] = slotOf[HasMaterial(face, materials) ? static_cast<size_t>(face.m_nMaterial) + 1 : 0];
      for (size_t c = 0; c < k; ++c) out.corners[i * k + c] = static_cast<uint32_t>(face.m_Index[c]);
      // A list without UVs reads as new pairs, already there from the resize.
      if (uvs && faceUVs)
        for (size_t c = 0; c < k; ++c) out.uvs[i * k + c] = (*faceUVs)[f].m_UV[c];
      if (colours) {
        const bool shown = HasMaterial(face, materials) &&
                           static_cast<size_t>(face.m_nMaterial) < colouredMaterials.size() &&
                           colouredMaterials[static_cast<size_t>(face.m_nMaterial)];
        for (size_t c = 0; c < k; ++c)
          out.colours[i * k + c] = shown ? (*colours)[f].m_Color[c] : CCornerColours::kWhite;
      }
      if (!moveFaceNormals) out.faceNormals[i] = faceNormalsMatch ? faceNormalsIn[f] : CVector3(0.0f, 0.0f, 0.0f);
      if (copyCornerIndex)
        for (size_t c = 0; c < k; ++c) out.cornerNormals.m_Index[i * k + c] = cornerNormalsIn.m_Index[f * k + c];
    }
  };
  if (survey.allValid) {
    ForEachRangeOnSpareThreads(kept, kFacesPerRange, fill);
  } else {
    fill(0, kept);
  }
}

// Shared by both entry points; `Obj` is const when the sources are only read.
template <class Obj>
std::unique_ptr<COutputMesh> LayOut(Obj& object, Obj& derived, const COutputMeshOptions& options) {
  constexpr bool take = !std::is_const_v<Obj>;
  // The view's choice: the derived vertices and faces when the chain made
  // any, else the object's own; the normals always come with the derived.
  Obj& vertexSource = derived.VertexCount() > 0 ? derived : object;
  Obj& faceSource = derived.TriangleCount() > 0 || derived.QuadCount() > 0 ? derived : object;
  const size_t vertexCount = vertexSource.m_Vertices.Positions().size();
  const auto& triangles = faceSource.m_Faces.Triangles();
  const auto& quads = faceSource.m_Faces.Quads();

  const CListSurvey triangleSurvey = Survey(triangles, 3, vertexCount, options);
  const CListSurvey quadSurvey = Survey(quads, 4, vertexCount, options);

  auto mesh = std::make_unique<COutputMesh>();
  // Slot order: no material first, then the used materials upwards; slotOf is
  // indexed by material + 1.
  const auto materials = static_cast<size_t>(std::max(options.materialCount, 0));
  std::vector<uint32_t> slotOf(materials + 1, 0);
  for (size_t m = 0; m < materials; ++m) {
    if (!triangleSurvey.used[m] && !quadSurvey.used[m]) continue;
    slotOf[m + 1] = static_cast<uint32_t>(mesh->slotMaterials.size());
    mesh->slotMaterials.push_back(static_cast<int>(m));
  }

  // Corner colours only where a face list carries them in step with its faces
  // and one of its faces' materials shows them.
  const auto shownColours = [&](FaceList list, const CListSurvey& survey) {
    const auto& colours = faceSource.m_Faces.Colours(list);
    const bool inStep = !colours.empty() && colours.size() == faceSource.m_Faces.List(list).size();
    return inStep && survey.coloured ? &colours : nullptr;
  };
  const std::vector<CCornerColours>* triangleColours = shownColours(FaceList::Triangles, triangleSurvey);
  const std::vector<CCornerColours>* quadColours = shownColours(FaceList::Quads, quadSurvey);
  if (triangleColours || quadColours) {
    mesh->slotColoured.assign(mesh->slotMaterials.size(), 0);
    for (size_t slot = 1; slot < mesh->slotMaterials.size(); ++slot) {
      const auto m = static_cast<size_t>(mesh->slotMaterials[slot]);
      mesh->slotColoured[slot] = m < options.colouredMaterials.size() ? options.colouredMaterials[m] : 0;
    }
  }

  if constexpr (take) {
    mesh->positions.swap(vertexSource.m_Vertices.Positions());
  } else {
    mesh->positions = vertexSource.m_Vertices.Positions();
  }
  auto& normals = derived.m_Faces;
  const bool triangleUVs = options.everyUV || triangleSurvey.textured;
  const bool quadUVs = options.everyUV || quadSurvey.textured;
  const auto listUVs = [&](FaceList list) {
    const auto& uvs = faceSource.m_Faces.UVs(list);
    return !uvs.empty() && uvs.size() == faceSource.m_Faces.List(list).size() ? &uvs : nullptr;
  };
  const std::vector<CCornerUVs>* triangleFaceUVs = listUVs(FaceList::Triangles);
  const std::vector<CCornerUVs>* quadFaceUVs = listUVs(FaceList::Quads);
  if constexpr (take) {
    LayOutList(triangles, 3, vertexCount, triangleSurvey, slotOf, triangleUVs, triangleFaceUVs, triangleColours, options.colouredMaterials, options.faceNormals, options.cornerNormals,
               normals.m_TriangleNormals,
               normals.m_TriangleCornerNormals, &normals.m_TriangleNormals, &normals.m_TriangleCornerNormals,
               mesh->triangles);
    LayOutList(quads, 4, vertexCount, quadSurvey, slotOf, quadUVs, quadFaceUVs, quadColours, options.colouredMaterials, options.faceNormals, options.cornerNormals,
               normals.m_QuadNormals, normals.m_QuadCornerNormals,
               &normals.m_QuadNormals, &normals.m_QuadCornerNormals, mesh->quads);
  } else {
    LayOutList(triangles, 3, vertexCount, triangleSurvey, slotOf, triangleUVs, triangleFaceUVs, triangleColours, options.colouredMaterials, options.faceNormals, options.cornerNormals,
               normals.m_TriangleNormals,
               normals.m_TriangleCornerNormals, nullptr, nullptr, mesh->triangles);
    LayOutList(quads, 4, vertexCount, quadSurvey, slotOf, quadUVs, quadFaceUVs, quadColours, options.colouredMaterials, options.faceNormals, options.cornerNormals,
               normals.m_QuadNormals, normals.m_QuadCornerNormals,
               nullptr, nullptr, mesh->quads);
  }
  return mesh;
}

// A copy to derive: geometry, attributes and deformers, with the edges and
// links the stages need built on the copy rather than on the object.
std::unique_ptr<CMeshObject> WorkingCopy(const CMeshObject& object, bool keepUVs) {
  auto work = std::make_unique<CMeshObject>();
  CMeshBuilder builder(work.get());
  builder.CopyAttributesFrom(object);
  work->m_Vertices.CopyFrom(object.m_Vertices);
  work->m_Edges = object.m_Edges;
  work->m_bEdgesBuilt = object.m_bEdgesBuilt;
  work->m_Faces.CopyFrom(FaceList::Lines, object.m_Faces);
  work->m_Faces.CopyFrom(FaceList::Triangles, object.m_Faces);
  work->m_Faces.CopyFrom(FaceList::Quads, object.m_Faces);
  if (!keepUVs) work->m_Faces.FreeUVs();
  if (!work->m_bEdgesBuilt) builder.BuildEdges();
  builder.BuildVertexEdgeLinks();
  builder.BuildVertexFaceLinks();
  return work;
}

// Whether any texture coordinate of the object can reach the output: every
// derived face takes its material from a face of the object.
bool ReadsUVs(const CMeshObject& object, const COutputMeshOptions& options) {
  if (options.everyUV) return true;
  for (const FaceList list : {FaceList::Lines, FaceList::Triangles, FaceList::Quads}) {
    for (const CMeshFace& face : object.m_Faces.List(list)) {
      if (face.m_nMaterial >= 0 && static_cast<size_t>(face.m_nMaterial) < options.texturedMaterials.size() &&
          options.texturedMaterials[static_cast<size_t>(face.m_nMaterial)])
        return true;
    }
  }
  return false;
}

}  // namespace

COutputMeshOptions OutputMeshOptionsFor(const CQuorixDoc& doc, const CDisplaySettings* display, bool everyUV) {
  COutputMeshOptions options;
  options.display = display;
  options.materialCount = doc.MaterialCount();
  options.everyUV = everyUV;
  for (const auto& material : doc.m_Materials) {
    options.texturedMaterials.push_back(material && (material->IsTextured() || !material->m_strTexture.empty()));
    options.colouredMaterials.push_back(material && material->m_bVertexColour != 0);
  }
  return options;
}

std::unique_ptr<COutputMesh> BuildOutputMesh(const CMeshObject& object, const COutputMeshOptions& options) {
  const std::unique_ptr<CMeshObject> work = WorkingCopy(object, ReadsUVs(object, options));
  CMeshBuilder(work.get()).BuildDerivedGeometry(options.display);
  if (!work->m_pDerived) return std::make_unique<COutputMesh>();
  return LayOut(*work, *work->m_pDerived, options);
}

std::unique_ptr<COutputMesh> OutputMeshFromDerived(const CMeshObject& object, const CMeshObject& derived,
                                                   const COutputMeshOptions& options) {
  return LayOut(object, derived, options);
}

std::unique_ptr<COutputMesh> OutputMeshTakingDerived(const CMeshObject& object, std::unique_ptr<CMeshObject> derived,
                                                     const COutputMeshOptions& options) {
  // Only when the derived geometry is the whole source: the object's own
  // arrays are never taken.
  const bool whole = derived->VertexCount() > 0 && (derived->TriangleCount() > 0 || derived->QuadCount() > 0);
  if (!whole) return LayOut(object, std::as_const(*derived), options);
  return LayOut(*derived, *derived, options);
}

bool ForEachOutputMesh(const std::vector<const CMeshObject*>& objects, const COutputMeshOptions& options,
                       const std::function<bool(size_t, COutputMesh&)>& consume, const DerivationProgress& progress) {
  const size_t total = objects.size();
  const auto batch = static_cast<size_t>(DerivationThreads());
  for (size_t first = 0; first < total; first += batch) {
    const size_t last = std::min(total, first + batch);
    std::vector<std::unique_ptr<COutputMesh>> meshes(last - first);
    std::vector<CMeshObject*> costed;
    for (size_t i = first; i < last; ++i) costed.push_back(const_cast<CMeshObject*>(objects[i]));
    const std::vector<size_t> order = CostliestFirst(costed);
    // Told while the batch is derived, so the work can be stopped meanwhile.
    bool stopped = false;
    DerivationProgress heartbeat;
    if (progress) heartbeat = [&](size_t, size_t) { return !(stopped = !progress(first, total)); };
    RunInParallel(
        meshes.size(), 0, [&](size_t k) { meshes[k] = BuildOutputMesh(*objects[first + k], options); }, heartbeat,
        &order);
    if (stopped) return false;
    for (size_t i = first; i < last; ++i) {
      if (!consume(i, *meshes[i - first])) return false;
      meshes[i - first].reset();
      if (progress && !progress(i + 1, total)) return false;
    }
  }
  return true;
}

}  // namespace brimvale
