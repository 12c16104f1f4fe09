// What the exported plug-in API works on: the active document, the current
// object, and the objects and materials a plug-in has made but not yet handed
// to the document (the API owns those until MQDoc_AddObject/AddMaterial).
#pragma once

#include <memory>

#include "brimvale/mq_plugin.h"

namespace brimvale {

class CQuorixDoc;
class CMeshObject;
class CMaterial;

// The document every API call works on; null makes the document functions do
// nothing. Changing it clears the current object and frees what plug-ins made
// and never added, as does a reset of the active document.
void SetActiveDocument(CQuorixDoc* doc);
CQuorixDoc* ActiveDocument();

// What MQ_GetWindowHandle returns (the GUI sets its main window).
void SetPlugInWindowHandle(void* handle);
void* PlugInWindowHandle();

// Clears the current object (after loading the plug-ins).
void ClearCurrentObject();
// Called as each plug-in command starts: drops a current object that is
// neither in the active document (it may have been deleted since) nor made by
// a plug-in and not yet added. What a plug-in made stays its own across
// commands until MQDoc_AddObject/AddMaterial hands it over.
void BeginPlugInCommand();
// Frees everything the API still owns and clears the current object.
void ReleasePlugInObjects();

namespace plugin_api {

// The one token handed out for every object.
MQObject ObjectToken();
CMeshObject* CurrentObject();
void SetCurrentObject(CMeshObject* object);

// Keeps a new object or material until the document takes it.
CMeshObject* KeepNewObject(std::unique_ptr<CMeshObject> object);
CMaterial* KeepNewMaterial(std::unique_ptr<CMaterial> material);
// Gives up ownership of a kept object or material; null when it is not kept.
std::unique_ptr<CMeshObject> ReleaseNewObject(const CMeshObject* object);
std::unique_ptr<CMaterial> ReleaseNewMaterial(const CMaterial* material);

// What a text getter without data gives back: an empty string in a buffer of
// size 1 or more, so the plug-in never reads memory nobody wrote.
inline void WriteEmptyString(char* buffer, int size) {
  if (buffer && size >= 1) buffer[0] = '\0';
}

}  // namespace plugin_api

}  // namespace brimvale
