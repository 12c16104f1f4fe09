#include "view/object_drawing.h"

#include <algorithm>
#include <optional>
#include <vector>

#include "document/mesh_builder.h"
#include "document/quorix_doc.h"
#include "geometry/parallel_derivation.h"
#include "mesh/output_mesh_builder.h"
#include "scene/derived_geometry.h"
#include "view/corner_colour_lighting.h"
#include "view/face_batches.h"
#include "view/gl_api.h"
#include "view/gl_cache.h"
#include "view/material_apply.h"

namespace brimvale {
namespace {

const GLfloat kDefaultDiffuse[4] = {0.6f, 0.6f, 0.6f, 1.0f};
const GLfloat kDefaultAmbient[4] = {0.4f, 0.4f, 0.4f, 1.0f};
const GLfloat kDefaultSpecular[4] = {0.5f, 0.5f, 0.5f, 1.0f};
const GLfloat kNoEmission[4] = {0.0f, 0.0f, 0.0f, 1.0f};
constexpr GLfloat kDefaultShininess = 50.0f;

void SetWireColour(const CMeshObject& object) {
  glColor4f(static_cast<float>(ColorRed(object.m_Color)) / 255.0f,
            static_cast<float>(ColorGreen(object.m_Color)) / 255.0f,
            static_cast<float>(ColorBlue(object.m_Color)) / 255.0f, 1.0f);
}

void DrawPointsAndEdges(const CQuorixDoc& doc, CMeshObject& object) {
  const CDisplaySettings& display = doc.Display;
  if (display.ShowVertices) {
    glPointSize(display.PointSize);
    SetWireColour(object);
    glDrawArrays(GL_POINTS, 0, object.VertexCount());
    glPointSize(1.0f);
  }
  if (display.ShowEdges && !object.m_Edges.empty()) {
    SetWireColour(object);
    const int vertexCount = object.VertexCount();
    std::vector<GLuint> indices;
    indices.reserve(object.m_Edges.size() * 2);
    for (const CMeshEdge& edge : object.m_Edges) {
      if (edge.m_v0 < 0 || edge.m_v0 >= vertexCount || edge.m_v1 < 0 || edge.m_v1 >= vertexCount) continue;
      indices.push_back(static_cast<GLuint>(edge.m_v0));
      indices.push_back(static_cast<GLuint>(edge.m_v1));
    }
    glDrawElements(GL_LINES, static_cast<GLsizei>(indices.size()), GL_UNSIGNED_INT, indices.data());
  }
}

// The specified path: every corner sent with its own normal and texture
// coordinate, vertices as elements of the client array, in reverse corner order.
class CCornerEmitter {
 public:
  CCornerEmitter(const COutputMesh& mesh, bool smooth) : m_Mesh(mesh), m_bSmooth(smooth) {}

  void Triangle(size_t t, bool coloured) const { Face(m_Mesh.triangles, 3, t, coloured); }
  void Quad(size_t q, bool coloured) const { Face(m_Mesh.quads, 4, q, coloured); }

 private:
  void Face(const COutputFaces& faces, int corners, size_t f, bool coloured) const {
    const auto k = static_cast<size_t>(corners);
    if (!m_bSmooth) glNormal3fv(&faces.faceNormals[f].x);
    for (size_t c = k; c-- > 0;) {
      if (m_bSmooth) glNormal3fv(&faces.cornerNormals[k * f + c].x);
      if (coloured) glColor4ubv(reinterpret_cast<const GLubyte*>(&faces.colours[k * f + c]));
      glTexCoord2fv(faces.HasUVs() ? &faces.uvs[k * f + c].v : &m_NoUV.v);
      glArrayElement(static_cast<GLint>(faces.corners[k * f + c]));
    }
  }

  const COutputMesh& m_Mesh;
  bool m_bSmooth;
  CVector2 m_NoUV;
};

void ApplyDefaultMaterial(bool smooth) {
  glDisable(GL_TEXTURE_2D);
  glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
  glMaterialfv(GL_FRONT_AND_BACK, GL_DIFFUSE, kDefaultDiffuse);
  glMaterialfv(GL_FRONT_AND_BACK, GL_AMBIENT, kDefaultAmbient);
  glMaterialfv(GL_FRONT_AND_BACK, GL_SPECULAR, kDefaultSpecular);
  glMaterialfv(GL_FRONT_AND_BACK, GL_EMISSION, kNoEmission);  // a material before may have set one
  glMaterialf(GL_FRONT_AND_BACK, GL_SHININESS, kDefaultShininess);
  glShadeModel(smooth ? GL_SMOOTH : GL_FLAT);
}

// One pass per slot of the mesh, in its order (the default pass first).
void DrawFacesPerCorner(const CQuorixDoc& doc, const COutputMesh& mesh, bool smooth) {
  const CCornerEmitter emit(mesh, smooth);
  glVertexPointer(3, GL_FLOAT, 0, mesh.positions.data());
  for (uint32_t slot = 0; slot < mesh.SlotCount(); ++slot) {
    const int material = mesh.SlotMaterial(slot);
    if (material < 0)
      ApplyDefaultMaterial(smooth);
    else
      ApplyMaterial(*doc.Material(material), nullptr);
    const bool coloured = mesh.SlotColoured(slot);
    std::optional<CCornerColourLighting> colourLighting;
    if (coloured) {
      colourLighting.emplace(*doc.Material(material));
      glColor4f(1.0f, 1.0f, 1.0f, 1.0f);  // for a face list without colours
    }
    const bool triangleColours = coloured && mesh.triangles.HasColours();
    const bool quadColours = coloured && mesh.quads.HasColours();
    glBegin(GL_TRIANGLES);
    for (size_t t = 0; t < mesh.TriangleCount(); ++t)
      if (mesh.triangles.faceSlots[t] == slot) emit.Triangle(t, triangleColours);
    glEnd();
    glBegin(GL_QUADS);
    for (size_t q = 0; q < mesh.QuadCount(); ++q)
      if (mesh.quads.faceSlots[q] == slot) emit.Quad(q, quadColours);
    glEnd();
  }
}

void DrawFacesFromBuffer(const CQuorixDoc& doc, const CViewGlCache::CFaceBuffer& buffer, bool smooth,
                         CViewGlCache& cache) {
  const auto stride = static_cast<GLsizei>(buffer.cornerBytes);
  size_t bound = buffer.parts.size();
  const auto bindPart = [&](size_t k) {
    if (k == bound) return;
    bound = k;
    glBindBuffer(GL_ARRAY_BUFFER, buffer.parts[k]);
    glVertexPointer(3, GL_FLOAT, stride, reinterpret_cast<const void*>(offsetof(CFaceCorner, position)));
    glNormalPointer(GL_FLOAT, stride, reinterpret_cast<const void*>(offsetof(CFaceCorner, normal)));
    if (buffer.textureCoordinates)
      glTexCoordPointer(2, GL_FLOAT, stride, reinterpret_cast<const void*>(offsetof(CFaceCorner, texCoord)));
    if (buffer.coloured) {
      const size_t count = buffer.partStarts[k + 1] - buffer.partStarts[k];
      glColorPointer(4, GL_UNSIGNED_BYTE, 0, reinterpret_cast<const void*>(count * buffer.cornerBytes));
    }
  };
  bindPart(0);
  glEnableClientState(GL_NORMAL_ARRAY);
  if (buffer.textureCoordinates)
    glEnableClientState(GL_TEXTURE_COORD_ARRAY);
  else
    glTexCoord2f(0.0f, 0.0f);  // what the corners would carry
  glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, buffer.indices);
  auto at = [](int first) { return reinterpret_cast<const void*>(static_cast<uintptr_t>(first) * sizeof(uint32_t)); };
  for (const CFaceGroup& group : buffer.groups) {
    // A previous buffer, drawn until the new one is complete, may name a
    // material that is gone since.
    if (group.material < 0 || group.material >= doc.MaterialCount())
      ApplyDefaultMaterial(smooth);
    else
      ApplyMaterial(*doc.Material(group.material), &cache);
    std::optional<CCornerColourLighting> colourLighting;
    if (group.coloured && buffer.coloured && group.material >= 0 && group.material < doc.MaterialCount()) {
      colourLighting.emplace(*doc.Material(group.material));
      glEnableClientState(GL_COLOR_ARRAY);
    }
    if (group.triangleCorners > 0) {
      bindPart(0);
      glDrawRangeElements(GL_TRIANGLES, group.lowestIndex, group.highestIndex, group.triangleCorners, GL_UNSIGNED_INT,
                          at(group.firstTriangleCorner));
    }
    // The quads of a group, part by part.
    const auto first = static_cast<size_t>(group.firstQuadCorner), end = first + static_cast<size_t>(group.quadCorners);
    for (size_t k = 0; k < buffer.parts.size() && first < end; ++k) {
      const size_t from = std::max(first, buffer.partStarts[k]), to = std::min(end, buffer.partStarts[k + 1]);
      if (from >= to) continue;
      bindPart(k);
      glDrawArrays(GL_QUADS, static_cast<GLint>(from - buffer.partStarts[k]), static_cast<GLsizei>(to - from));
    }
    if (colourLighting) glDisableClientState(GL_COLOR_ARRAY);
  }
  glDisableClientState(GL_TEXTURE_COORD_ARRAY);
  glDisableClientState(GL_NORMAL_ARRAY);
  glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, 0);
  glBindBuffer(GL_ARRAY_BUFFER, 0);
  // Material textures live in their own objects; later drawing uses the default one.
  glBindTexture(GL_TEXTURE_2D, 0);
}

void DrawFaces(CQuorixDoc& doc, CMeshObject& object, CViewGlCache* cache) {
  EnsureDerivedGeometry(doc, object);
  const CMeshObject* derived = object.m_pDerived.get();
  if (derived == nullptr) return;  // the geometry could not be built
  const bool smooth = object.m_bSmoothShading != 0 && doc.Display.SmoothShading;
  COutputMeshOptions options = OutputMeshOptionsFor(doc, &doc.Display, false);

  glEnable(GL_LIGHTING);
  glEnable(GL_TEXTURE_2D);
  if (doc.Display.CullBackFaces)
    glEnable(GL_CULL_FACE);
  else
    glDisable(GL_CULL_FACE);
  glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
  glEnable(GL_POLYGON_OFFSET_FILL);
  glPolygonOffset(1.0f, 1.0f);

  if (cache != nullptr) {
    const auto* buffer = cache->TakesDerived() ? cache->FaceBufferTakingDerived(object, smooth, options)
                                               : cache->FaceBuffer(object, *derived, smooth, options);
    if (buffer != nullptr)
      DrawFacesFromBuffer(doc, *buffer, smooth, *cache);
  } else {
    options.faceNormals = !smooth;
    options.cornerNormals = smooth;
    DrawFacesPerCorner(doc, *OutputMeshFromDerived(object, *derived, options), smooth);
  }

  glDisable(GL_POLYGON_OFFSET_FILL);
  glDisable(GL_CULL_FACE);
  glDisable(GL_TEXTURE_2D);
}

}  // namespace

void DrawObject(CQuorixDoc& doc, CMeshObject& object, CViewGlCache* cache) {
  if (!object.m_bVisible || object.VertexCount() == 0) return;
  // No command sets the current-object-only display mode, so every visible object is drawn.
  if (!object.m_bEdgesBuilt) CMeshBuilder(&object).BuildEdges();

  glDisable(GL_LIGHTING);
  glEnableClientState(GL_VERTEX_ARRAY);
  if (doc.Display.ShowVertices || doc.Display.ShowEdges) {
    glVertexPointer(3, GL_FLOAT, 0, object.m_Vertices.Positions().data());
    DrawPointsAndEdges(doc, object);
  }
  if (doc.Display.ShowFaces && !object.m_bHideFaces) DrawFaces(doc, object, cache);
  glDisableClientState(GL_VERTEX_ARRAY);
  glDisable(GL_LIGHTING);
}

}  // namespace brimvale
