/* A well-behaved plug-in for the tests: kind TAG_KIND, two commands "<TAG> 0"
 * and "<TAG> 1". Running command k adds an object named "<TAG>:<k>", so a test
 * can see which plug-in ran which command. */
#include <stddef.h>

#include "brimvale/mq_plugin.h"

#ifndef TAG
#error "TAG must name the plug-in"
#endif
#ifndef TAG_KIND
#define TAG_KIND MQ_PLUGIN_TYPE_CREATE
#endif

uint32_t MQCheckVersion(uint32_t exe_version) { return exe_version; }

int MQInit(const char* exe_name) { return exe_name != NULL; }

int MQGetPlugInType(void) { return TAG_KIND; }

const char* MQEnumString(int index) {
  switch (index) {
    case 0: return TAG " 0";
    case 1: return TAG " 1";
    default: return "";
  }
}

static int Run(int index) {
  MQObject obj = MQ_CreateObject();
  MQObj_SetName(obj, index == 0 ? TAG ":0" : TAG ":1");
  return MQDoc_AddObject(NULL, obj) >= 0;
}

int MQCreate(int index, MQDocument doc) { (void)doc; return Run(index); }
int MQModifyObject(int index, MQDocument doc) { (void)doc; return Run(index); }
int MQModifySelect(int index, MQDocument doc) { (void)doc; return Run(index); }
