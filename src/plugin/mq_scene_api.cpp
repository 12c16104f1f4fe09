// The MQScene_ family: present so that plug-ins find the names they import;
// the scene is not exposed (MQDoc_GetScene gives no scene).
#include "brimvale/mq_plugin.h"
#include "plugin/trace_log.h"

using brimvale::TraceLine;

extern "C" {

void MQScene_InitSize(MQScene, int, int) { TraceLine("SceneInitSize"); }

void MQScene_GetProjMatrix(MQScene, float*) { TraceLine("GetProjMatrix"); }

void MQScene_GetViewMatrix(MQScene, float*) { TraceLine("GetViewMatrix"); }

}  // extern "C"
