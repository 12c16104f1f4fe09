// The MQObj_ functions that plug-ins import but that only leave their trace
// line: face attributes, vertex attributes and the modelling settings.
#include "brimvale/mq_plugin.h"
#include "plugin/api_state.h"
#include "plugin/trace_log.h"

using brimvale::TraceLine;
using brimvale::plugin_api::WriteEmptyString;

extern "C" {

void MQObj_GetName(MQObject, char* buffer, int size) {
  TraceLine("GetName");
  WriteEmptyString(buffer, size);
}

void MQObj_GetFaceCoordinateArray(MQObject, int, MQCoordinate*) { TraceLine("GetFaceCoordinateArray"); }

int MQObj_GetFaceMaterial(MQObject, int) {
  TraceLine("GetFaceMaterial");
  return -1;
}

uint32_t MQObj_GetVertexColor(MQObject, int) {
  TraceLine("GetVertexColor");
  return 0;
}

void MQObj_SetVertexColor(MQObject, int, uint32_t) { TraceLine("SetVertexColor"); }

float MQObj_GetVertexWeight(MQObject, int) {
  TraceLine("GetVertexWeight");
  return 0.0f;
}

void MQObj_SetVertexWeight(MQObject, int, float) { TraceLine("SetVertexWeight"); }

void MQObj_CopyVertexAttribute(MQObject, int, MQObject, int) { TraceLine("CopyVertexAttribute"); }

int MQObj_DeleteFace(MQObject, int) {
  TraceLine("Deleteface");
  return 0;
}

void MQObj_SetFaceMaterial(MQObject, int, int) { TraceLine("SetFaceMaterial"); }

void MQObj_SetFaceCoordinateArray(MQObject, int, const MQCoordinate*) { TraceLine("SetfaceCoordinateArray"); }

void MQObj_OptimizeVertex(MQObject, float) { TraceLine("OptimizeVertex"); }

void MQObj_Compact(MQObject) { TraceLine("OBJCompact"); }

int MQObj_GetVisible(MQObject) {
  TraceLine("GetVisible");
  return 0;
}

void MQObj_SetVisible(MQObject, int) { TraceLine("SetVisible"); }

int MQObj_GetPatchType(MQObject) {
  TraceLine("GetPatchType");
  return 0;
}

void MQObj_SetPatchType(MQObject, int) { TraceLine("SetPatchType"); }

int MQObj_GetPatchSegment(MQObject) {
  TraceLine("GetPatchSegment");
  return 0;
}

void MQObj_SetPatchSegment(MQObject, int) { TraceLine("SetPatchSegment"); }

int MQObj_GetShading(MQObject) {
  TraceLine("GetShading");
  return 0;
}

void MQObj_SetShading(MQObject, int) { TraceLine("SetShading"); }

int MQObj_GetMirrorType(MQObject) {
  TraceLine("GetMirrorType");
  return 0;
}

void MQObj_SetMirrorType(MQObject, int) { TraceLine("SetMirrorType"); }

int MQObj_GetMirrorAxis(MQObject) {
  TraceLine("GetMirrorAxis");
  return 0;
}

void MQObj_SetMirrorAxis(MQObject, int) { TraceLine("SetMirrorAxis"); }

float MQObj_GetMirrorDistance(MQObject) {
  TraceLine("GetMirrorDistance");
  return 0.0f;
}

void MQObj_SetMirrorDistance(MQObject, float) { TraceLine("SetMirrorDistance"); }

int MQObj_GetLatheType(MQObject) {
  TraceLine("GetLatheType");
  return 0;
}

void MQObj_SetLatheType(MQObject, int) { TraceLine("SetLatheType"); }

int MQObj_GetLatheAxis(MQObject) {
  TraceLine("GetLatheAxis");
  return 0;
}

void MQObj_SetLatheAxis(MQObject, int) { TraceLine("SetLatheAxis"); }

int MQObj_GetLatheSegment(MQObject) {
  TraceLine("GetLatheSegment");
  return 0;
}

void MQObj_SetLatheSegment(MQObject, int) { TraceLine("SetLatheSegment"); }

}  // extern "C"
