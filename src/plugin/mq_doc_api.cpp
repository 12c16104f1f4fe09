// The MQDoc_ family: the active document's object and material lists and the
// selection. The document handle is never looked at.
#include <memory>

#include "brimvale/mq_plugin.h"
#include "document/quorix_doc.h"
#include "plugin/api_state.h"
#include "plugin/trace_log.h"

using namespace brimvale;

namespace {

CMeshObject* ObjectAt(int index) {
  const CQuorixDoc* doc = ActiveDocument();
  return doc ? doc->Object(index) : nullptr;
}

}  // namespace

extern "C" {

int MQDoc_GetObjectCount(MQDocument) {
  TraceLine("GetObjCount");
  const CQuorixDoc* doc = ActiveDocument();
  return doc ? doc->ObjectCount() : 0;
}

MQObject MQDoc_GetObject(MQDocument, int index) {
  TraceLine("GetObj");
  CMeshObject* object = ObjectAt(index);
  if (!object) return nullptr;
  plugin_api::SetCurrentObject(object);
  return plugin_api::ObjectToken();
}

int MQDoc_GetCurrentObjectIndex(MQDocument) {
  TraceLine("GetCurrentObjIndex");
  return 0;
}

void MQDoc_SetCurrentObjectIndex(MQDocument, int) { TraceLine("SetCurrentObjIndex"); }

int MQDoc_AddObject(MQDocument, MQObject) {
  TraceLine("DocAddObj");
  int index = -1;
  CQuorixDoc* doc = ActiveDocument();
  // Only an object the plug-in made and still owns can be handed over; adding
  // one already in the list would give it two owners.
  std::unique_ptr<CMeshObject> object = doc ? plugin_api::ReleaseNewObject(plugin_api::CurrentObject()) : nullptr;
  if (object) {
    doc->m_Objects.push_back(std::move(object));
    index = doc->ObjectCount() - 1;
  }
  TraceLine("DocAddObjEnd");
  return index;
}

void MQDoc_DeleteObject(MQDocument, int index) {
  TraceLine("DocDeleteObj");
  CQuorixDoc* doc = ActiveDocument();
  CMeshObject* object = ObjectAt(index);
  if (!object) return;
  if (object == plugin_api::CurrentObject()) plugin_api::SetCurrentObject(nullptr);
  // Windows that hold the document's chosen object learn that it is gone.
  if (object->m_bCurrent) doc->SetCurrentObject(nullptr);
  doc->m_Objects.erase(doc->m_Objects.begin() + index);
}

int MQDoc_GetObjectIndex(MQDocument, MQObject) {
  TraceLine("GetObjectIndex");
  const CQuorixDoc* doc = ActiveDocument();
  const int index = doc ? doc->IndexOfObject(plugin_api::CurrentObject()) : -1;
  return index < 0 ? 0 : index;
}

int MQDoc_GetMaterialCount(MQDocument) {
  TraceLine("GetMaterialCount");
  const CQuorixDoc* doc = ActiveDocument();
  return doc ? doc->MaterialCount() : 0;
}

MQMaterial MQDoc_GetMaterial(MQDocument, int index) {
  TraceLine("GetMaterial");
  const CQuorixDoc* doc = ActiveDocument();
  return reinterpret_cast<MQMaterial>(doc ? doc->Material(index) : nullptr);
}

int MQDoc_GetCurrentMaterialIndex(MQDocument) {
  TraceLine("GetCurrentMaterialIndex");
  return -1;
}

void MQDoc_SetCurrentMaterialIndex(MQDocument, int) { TraceLine("SetCurrentMaterialIndex"); }

int MQDoc_AddMaterial(MQDocument, MQMaterial mat) {
  TraceLine("AddMaterial");
  CQuorixDoc* doc = ActiveDocument();
  std::unique_ptr<CMaterial> material =
      doc ? plugin_api::ReleaseNewMaterial(reinterpret_cast<const CMaterial*>(mat)) : nullptr;
  if (!material) return -1;
  doc->m_Materials.push_back(std::move(material));
  return doc->MaterialCount() - 1;
}

void MQDoc_DeleteMaterial(MQDocument, int) { TraceLine("DeleteMaterial"); }

int MQDoc_FindMappingFile(MQDocument, char*, const char*, uint32_t) {
  TraceLine("FindMappingFile");
  return 0;
}

void MQDoc_Compact(MQDocument) { TraceLine("DocCompact"); }

void MQDoc_ClearSelect(MQDocument, uint32_t) { TraceLine("ClearSelect"); }

int MQDoc_AddSelectVertex(MQDocument, int, int) {
  TraceLine("AddSelectVertex");
  return 0;
}

int MQDoc_DeleteSelectVertex(MQDocument, int, int) {
  TraceLine("DeleteSelectVertex");
  return 0;
}

int MQDoc_IsSelectVertex(MQDocument, int objindex, int vertindex) {
  TraceLine("IsSelectVertex");
  const CMeshObject* object = ObjectAt(objindex);
  if (!object || vertindex < 0 || vertindex >= object->VertexCount()) return 0;
  return (object->m_Vertices.Attr(vertindex).m_Flags & CVertexAttr::kSelected) ? 1 : 0;
}

int MQDoc_AddSelectLine(MQDocument, int, int, int) {
  TraceLine("AddSelectLine");
  return 0;
}

int MQDoc_DeleteSelectLine(MQDocument, int, int, int) {
  TraceLine("DeleteSelectLine");
  return 0;
}

int MQDoc_IsSelectLine(MQDocument, int, int, int) {
  TraceLine("IsSelectLine");
  return 0;
}

int MQDoc_AddSelectFace(MQDocument, int, int) {
  TraceLine("AddSelectFace");
  return 0;
}

int MQDoc_DeleteSelectFace(MQDocument, int, int) {
  TraceLine("DeleteSelectFace");
  return 0;
}

int MQDoc_IsSelectFace(MQDocument, int, int) {
  TraceLine("IsSelectFace");
  return 0;
}

MQScene MQDoc_GetScene(MQDocument, int) {
  TraceLine("GetScene");
  return nullptr;
}

}  // extern "C"
