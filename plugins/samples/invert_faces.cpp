// Object plug-in: turns every face of every object inside out by reversing
// its corner order. Written in C++ against the public header.
#include "brimvale/mq_plugin.h"

extern "C" {

uint32_t MQCheckVersion(uint32_t exe_version) { return exe_version >= MQ_INTERFACE_VERSION ? MQ_INTERFACE_VERSION : 0; }

int MQInit(const char* exe_name) { return exe_name != nullptr; }

int MQGetPlugInType(void) { return MQ_PLUGIN_TYPE_OBJECT; }

const char* MQGetPlugInName(void) { return "Brimvale sample face inverter"; }

const char* MQEnumString(int index) { return index == 0 ? "Invert all faces" : nullptr; }

int MQModifyObject(int index, MQDocument doc) {
  if (index != 0) return 0;
  const int objects = MQDoc_GetObjectCount(doc);
  for (int o = 0; o < objects; ++o) {
    MQObject obj = MQDoc_GetObject(doc, o);
    const int faces = MQObj_GetFaceCount(obj);
    for (int f = 0; f < faces; ++f) MQObj_InvertFace(obj, f);
  }
  return 1;
}

}  // extern "C"
