/* Select plug-in: reports how many vertices of the document are selected, in
 * the caption of the host's message box. */
#include <stdio.h>

#include "brimvale/mq_plugin.h"

uint32_t MQCheckVersion(uint32_t exe_version) { return exe_version >= MQ_INTERFACE_VERSION ? MQ_INTERFACE_VERSION : 0; }

int MQInit(const char* exe_name) { return exe_name != NULL; }

int MQGetPlugInType(void) { return MQ_PLUGIN_TYPE_SELECT; }

const char* MQGetPlugInName(void) { return "Brimvale sample selection report"; }

const char* MQEnumString(int index) { return index == 0 ? "Count selected vertices" : NULL; }

int MQModifySelect(int index, MQDocument doc) {
  int selected = 0;
  int o;
  char caption[64];
  if (index != 0) return 0;
  for (o = 0; o < MQDoc_GetObjectCount(doc); ++o) {
    const int vertices = MQObj_GetVertexCount(MQDoc_GetObject(doc, o));
    int v;
    for (v = 0; v < vertices; ++v) selected += MQDoc_IsSelectVertex(doc, o, v);
  }
  snprintf(caption, sizeof caption, "%d selected vertices", selected);
  MQ_ShowFileDialog(caption);
  return 1;
}
