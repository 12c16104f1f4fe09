// The MQMat_ family. A material handle is the CMaterial itself; apart from
// MQMat_Delete every function only leaves its trace line (the text getters
// also give back an empty string).
#include "brimvale/mq_plugin.h"
#include "document/material.h"
#include "plugin/api_state.h"
#include "plugin/trace_log.h"

using brimvale::TraceLine;
using brimvale::plugin_api::WriteEmptyString;

extern "C" {

// Only a material the plug-in made and never handed to the document is
// deleted: one in the document is owned by it, and faces refer to it by index.
void MQMat_Delete(MQMaterial mat) {
  TraceLine("MatDelete");
  brimvale::plugin_api::ReleaseNewMaterial(reinterpret_cast<const brimvale::CMaterial*>(mat));
}

void MQMat_GetName(MQMaterial, char* buffer, int size) {
  TraceLine("GetName");
  WriteEmptyString(buffer, size);
}

void MQMat_GetColor(MQMaterial, MQColor*) { TraceLine("GetColor"); }

float MQMat_GetAlpha(MQMaterial) {
  TraceLine("GetAlpha");
  return 0.0f;
}

float MQMat_GetDiffuse(MQMaterial) {
  TraceLine("GetDiffuse");
  return 0.0f;
}

float MQMat_GetAmbient(MQMaterial) {
  TraceLine("GetAmbient");
  return 0.0f;
}

float MQMat_GetEmission(MQMaterial) {
  TraceLine("GetEmission");
  return 0.0f;
}

float MQMat_GetSpecular(MQMaterial) {
  TraceLine("GetSpecular");
  return 0.0f;
}

float MQMat_GetPower(MQMaterial) {
  TraceLine("GetPower");
  return 0.0f;
}

void MQMat_GetTextureName(MQMaterial, char* buffer, int size) {
  TraceLine("GetTextureName");
  WriteEmptyString(buffer, size);
}

void MQMat_GetAlphaName(MQMaterial, char* buffer, int size) {
  TraceLine("GetAlphaName");
  WriteEmptyString(buffer, size);
}

void MQMat_GetBumpName(MQMaterial, char* buffer, int size) {
  TraceLine("GetBumpName");
  WriteEmptyString(buffer, size);
}

void MQMat_SetName(MQMaterial, const char*) { TraceLine("SetName"); }

void MQMat_SetColor(MQMaterial, const MQColor*) { TraceLine("SetColor"); }

void MQMat_SetAlpha(MQMaterial, float) { TraceLine("SetAlpha"); }

void MQMat_SetDiffuse(MQMaterial, float) { TraceLine("SetDiffuse"); }

void MQMat_SetAmbient(MQMaterial, float) { TraceLine("SetAmbient"); }

void MQMat_SetEmission(MQMaterial, float) { TraceLine("SetEmission"); }

void MQMat_SetSpecular(MQMaterial, float) { TraceLine("SetSpecular"); }

void MQMat_SetPower(MQMaterial, float) { TraceLine("SetPower"); }

void MQMat_SetTextureName(MQMaterial, const char*) { TraceLine("SetTextureName"); }

void MQMat_SetAlphaName(MQMaterial, const char*) { TraceLine("SetAlphaName"); }

void MQMat_SetBumpName(MQMaterial, const char*) { TraceLine("SetBumpName"); }

}  // extern "C"
