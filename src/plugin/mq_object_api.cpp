// The MQObj_ functions that read or change the current object's geometry,
// name and smoothing angle. The object handle is never looked at.
#include <cstring>
#include <memory>
#include <string>

#include "brimvale/mq_plugin.h"
#include "document/mesh_builder.h"
#include "foundation/text_utils.h"
#include "plugin/api_faces.h"
#include "plugin/api_state.h"
#include "plugin/trace_log.h"

using namespace brimvale;
using plugin_api::CurrentObject;

static_assert(sizeof(MQPoint) == sizeof(CVector3), "MQPoint must match the vertex layout");

namespace {

// Built by appending: g++ 12 at -O3 takes the insertion that `"\t" + text`
// makes for an overlapping copy (-Wrestrict).
std::string TabValue(int value) {
  std::string text(1, '\t');
  text += IntToString(value);
  return text;
}

// After a change of vertices or faces: edges, links and the display cache are stale.
void GeometryChanged(CMeshObject& object) {
  object.InvalidateTopology();
  object.DiscardDerived();
}

bool HasVertex(const CMeshObject& object, int index) { return index >= 0 && index < object.VertexCount(); }

}  // namespace

extern "C" {

// The token designates no particular object, so nothing is deleted or merged.
void MQObj_Delete(MQObject) { TraceLine("OBJDelete"); }

void MQObj_Merge(MQObject, MQObject) { TraceLine("Merge"); }

MQObject MQObj_Clone(MQObject) {
  TraceLine("Clone");
  CMeshObject* source = CurrentObject();
  if (!source) return nullptr;
  auto copy = std::make_unique<CMeshObject>();
  CMeshBuilder builder(copy.get());
  builder.CopyAttributesFrom(*source);
  builder.CopyGeometryFrom(*source);
  plugin_api::SetCurrentObject(plugin_api::KeepNewObject(std::move(copy)));
  return plugin_api::ObjectToken();
}

void MQObj_Freeze(MQObject) {
  TraceLine("Freeze");
  if (CMeshObject* object = CurrentObject()) {
    CMeshBuilder(object).FreezeModifiers();
    object->DiscardDerived();
  }
}

void MQObj_SetName(MQObject, const char* name) {
  TraceLine("SetName");
  if (CMeshObject* object = CurrentObject(); object && name) object->m_strName = name;
}

int MQObj_GetVertexCount(MQObject) {
  TraceLine("GetVertexCount");
  const CMeshObject* object = CurrentObject();
  const int count = object ? object->VertexCount() : 0;
  TraceLine(TabValue(count));
  return count;
}

void MQObj_GetVertex(MQObject, int index, MQPoint* pts) {
  TraceLine("GetVertex");
  const CMeshObject* object = CurrentObject();
  if (!object || !pts || !HasVertex(*object, index)) return;
  const CVector3& p = object->m_Vertices.Position(index);
  *pts = MQPoint{p.x, p.y, p.z};
}

void MQObj_SetVertex(MQObject, int index, const MQPoint* pts) {
  TraceLine("SetVertex");
  CMeshObject* object = CurrentObject();
  if (!object || !pts || !HasVertex(*object, index)) return;
  object->m_Vertices.Position(index) = CVector3(pts->x, pts->y, pts->z);
  object->DiscardDerived();
}

void MQObj_GetVertexArray(MQObject, MQPoint* ptsarray) {
  TraceLine("GetVertexArray");
  const CMeshObject* object = CurrentObject();
  if (!object || !ptsarray || object->VertexCount() == 0) return;
  std::memcpy(ptsarray, object->m_Vertices.Positions().data(),
              static_cast<size_t>(object->VertexCount()) * sizeof(MQPoint));
}

int MQObj_GetFaceCount(MQObject) {
  TraceLine("GetFaceCount");
  const CMeshObject* object = CurrentObject();
  const int count = object ? object->LineCount() + object->TriangleCount() + object->QuadCount() : 0;
  TraceLine(TabValue(count));
  return count;
}

int MQObj_GetFacePointCount(MQObject, int face) {
  TraceLine("GetFacePointCount");
  const CMeshObject* object = CurrentObject();
  int corners = 0;
  if (object && face >= 0) {
    const plugin_api::FaceRef ref = plugin_api::FindFace(*object, face);
    // A number past the last quadrilateral counts as a line.
    corners = ref.list == FaceList::Triangles ? 3 : ref.list == FaceList::Quads ? 4 : 2;
  }
  TraceLine(TabValue(corners));
  return corners;
}

void MQObj_GetFacePointArray(MQObject, int face, int* vertex) {
  TraceLine("GetFacePointArray");
  CMeshObject* object = CurrentObject();
  const CMeshFace* found = object ? plugin_api::FaceAt(*object, plugin_api::FindFace(*object, face)) : nullptr;
  if (!found || !vertex) return;
  std::string values;
  for (int c = 0; c < found->m_nCorners && c < 4; ++c) {
    vertex[c] = found->m_Index[c];
    values += TabValue(found->m_Index[c]);
  }
  TraceLine(values);
}

int MQObj_AddVertex(MQObject, const MQPoint* p) {
  TraceLine("AddVertex");
  CMeshObject* object = CurrentObject();
  if (!object || !p) return -1;
  const int index = object->m_Vertices.Add(CVector3(p->x, p->y, p->z));
  GeometryChanged(*object);
  return index;
}

int MQObj_DeleteVertex(MQObject, int index) {
  TraceLine("DeleteVertex");
  const CMeshObject* object = CurrentObject();
  return object && HasVertex(*object, index) ? 1 : 0;
}

int MQObj_GetVertexRefCount(MQObject, int index) {
  TraceLine("GetVertexRefCount");
  CMeshObject* object = CurrentObject();
  if (!object || !HasVertex(*object, index)) return 0;
  return CMeshBuilder(object).VertexReferenceCount(index);
}

int MQObj_AddFace(MQObject, int count, const int* index) {
  TraceLine("AddFace");
  CMeshObject* object = CurrentObject();
  const bool shaped = count >= 2 && count <= 4 && index;
  std::string corners;
  if (shaped) {
    corners = TabValue(count);
    for (int c = 0; c < count; ++c) corners += TabValue(index[c]);
  } else {
    corners = "\t error";
  }
  TraceLine(corners);
  TraceLine(object ? TabValue(object->LineCount()) + TabValue(object->TriangleCount()) + TabValue(object->QuadCount())
                   : "\t0\t0\t0");
  if (!object || !shaped) return 0;
  // A corner naming no vertex would send every later edge and link pass
  // outside the vertex array.
  for (int c = 0; c < count; ++c) {
    if (!HasVertex(*object, index[c])) return 0;
  }
  CMeshFace face;
  face.m_nCorners = count;
  for (int c = 0; c < count; ++c) face.m_Index[c] = index[c];
  const FaceList which = count == 2 ? FaceList::Lines : count == 3 ? FaceList::Triangles : FaceList::Quads;
  auto& list = object->m_Faces.List(which);
  list.push_back(face);
  // The new face's colours are white and its UVs new pairs, in step with the list.
  object->m_Faces.PadCornerData(which);
  GeometryChanged(*object);
  return static_cast<int>(list.size()) - 1;
}

int MQObj_InvertFace(MQObject, int index) {
  TraceLine("InvertFace");
  CMeshObject* object = CurrentObject();
  if (!object) return 0;
  const plugin_api::FaceRef ref = plugin_api::FindFace(*object, index);
  if (ref.index < 0 || !CMeshBuilder(object).InvertFace(ref.list, ref.index)) return 0;
  // Edges are oriented as first met, so their order may change too.
  object->InvalidateTopology();
  return 1;
}

float MQObj_GetSmoothAngle(MQObject) {
  TraceLine("GetSmoothAngle");
  const CMeshObject* object = CurrentObject();
  return object ? object->m_fFacetAngle : 0.0f;
}

void MQObj_SetSmoothAngle(MQObject, float degree) {
  TraceLine("SetSmoothAngle");
  if (CMeshObject* object = CurrentObject()) {
    object->m_fFacetAngle = degree;
    object->DiscardDerived();
  }
}

}  // extern "C"
