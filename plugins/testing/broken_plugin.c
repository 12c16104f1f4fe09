/* Deliberately faulty plug-ins for the tests, one per BROKEN_ value. Each
 * appends the calls it receives to the file named by BRIMVALE_TEST_RECORD,
 * so a test can tell what the host called before unloading it. */
#include <stdio.h>
#include <stdlib.h>

#include "brimvale/mq_plugin.h"

static void Record(const char* line) {
  const char* path = getenv("BRIMVALE_TEST_RECORD");
  FILE* file = path ? fopen(path, "a") : NULL;
  if (!file) return;
  fprintf(file, "%s %s\n", PLUGIN_NAME, line);
  fclose(file);
}

uint32_t MQCheckVersion(uint32_t exe_version) {
  char line[64];
  snprintf(line, sizeof line, "MQCheckVersion 0x%x", (unsigned)exe_version);
  Record(line);
#ifdef BROKEN_VERSION
  return 0;
#else
  return exe_version;
#endif
}

#ifndef BROKEN_NO_INIT
int MQInit(const char* exe_name) {
  char line[4200];
  snprintf(line, sizeof line, "MQInit %s", exe_name ? exe_name : "(null)");
  Record(line);
#ifdef BROKEN_INIT_FAILS
  return 0;
#else
  return 1;
#endif
}
#endif

int MQGetPlugInType(void) {
  Record("MQGetPlugInType");
#if defined(BROKEN_WRONG_KIND)
  return MQ_PLUGIN_TYPE_OBJECT;
#elif defined(BROKEN_KIND_NINE)
  return 9;
#elif defined(BROKEN_NO_IMPORT_FILE)
  return MQ_PLUGIN_TYPE_IMPORT;
#else
  return MQ_PLUGIN_TYPE_CREATE;
#endif
}

const char* MQEnumString(int index) { return index == 0 ? PLUGIN_NAME : NULL; }

#if defined(BROKEN_WRONG_KIND)
/* An Object plug-in in the Create folder: it has no MQCreate. */
int MQModifyObject(int index, MQDocument doc) {
  (void)index;
  (void)doc;
  Record("MQModifyObject");
  return 1;
}
#elif defined(BROKEN_NO_IMPORT_FILE)
const char* MQEnumFileType(int index) { return index == 0 ? "Test" : NULL; }
const char* MQEnumFileExt(int index) { return index == 0 ? "tst" : NULL; }
#else
int MQCreate(int index, MQDocument doc) {
  (void)index;
  (void)doc;
  Record("MQCreate");
#ifdef BROKEN_MISSING_SYMBOL
  /* Not exported by the host: loading must fail, not this call. */
  {
    extern int MQObj_NoSuchFunction(MQObject);
    MQObj_NoSuchFunction(NULL);
  }
#endif
  return 1;
}
#endif
