/* A Create plug-in built only against the installed SDK: MQInit writes the
 * path of the program that loaded it to the file named by
 * BRIMVALE_PLUGIN_MARKER, which tells the test it was found and loaded. */
#include <stdio.h>
#include <stdlib.h>

#include "brimvale/mq_plugin.h"

uint32_t MQCheckVersion(uint32_t exe_version) { return exe_version >= MQ_INTERFACE_VERSION ? MQ_INTERFACE_VERSION : 0; }

int MQInit(const char* exe_name) {
  const char* marker = getenv("BRIMVALE_PLUGIN_MARKER");
  FILE* file = marker ? fopen(marker, "a") : NULL;
  if (file == NULL) return 0;
  fprintf(file, "%s\n", exe_name);
  fclose(file);
  return 1;
}

int MQGetPlugInType(void) { return MQ_PLUGIN_TYPE_CREATE; }

const char* MQEnumString(int index) { return index == 0 ? "Marker" : NULL; }

int MQCreate(int index, MQDocument doc) { return index == 0 && doc != NULL; }
