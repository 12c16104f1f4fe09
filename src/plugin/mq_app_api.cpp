// The MQ_ family: application services for plug-ins.
#include <memory>

#include "brimvale/mq_plugin.h"
#include "document/material.h"
#include "document/mesh_object.h"
#include "document/quorix_doc.h"
#include "foundation/text_decoding.h"
#include "plugin/api_state.h"
#include "plugin/trace_log.h"

using namespace brimvale;

extern "C" {

void* MQ_GetWindowHandle(void) {
  TraceLine("GetWindowHandle");
  return PlugInWindowHandle();
}

MQObject MQ_CreateObject(void) {
  TraceLine("CreateObject");
  CMeshObject* object = plugin_api::KeepNewObject(std::make_unique<CMeshObject>());
  plugin_api::SetCurrentObject(object);
  return plugin_api::ObjectToken();
}

MQMaterial MQ_CreateMaterial(void) {
  TraceLine("CreateMaterial");
  return reinterpret_cast<MQMaterial>(plugin_api::KeepNewMaterial(std::make_unique<CMaterial>()));
}

int MQ_ShowFileDialog(const char* caption) {
  TraceLine("ShowFileDialog");
  const CQuorixDoc* doc = ActiveDocument();
  CUserInterface& ui = doc ? doc->UI() : ConsoleUserInterface();
  // Decoded as menu texts are: plug-ins hand out UTF-8 or CP932 bytes.
  ui.MessageBox("ShowFileDialog", DecodeName(caption ? caption : "", false));
  return 1;  // the box has only an OK button
}

void MQ_ImportAxis(void*, MQPoint*, int) { TraceLine("ImportAxis"); }

void MQ_ExportAxis(void*, MQPoint*, int) { TraceLine("ExportAxis"); }

int MQ_LoadImage(const char*, void**, void**, uint32_t) {
  TraceLine("LoadImage");
  return 0;
}

int MQ_GetSystemPath(char*, int) {
  TraceLine("GetSystemPath");
  return 0;
}

}  // extern "C"
